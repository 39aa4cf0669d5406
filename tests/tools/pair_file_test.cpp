// Every program that opens a pair file loads it as if quelvar-import had converted it
// first: the same records, random draws and summary, and the importer's report on
// standard error.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tool_run.h"

namespace {

struct Fixture {
  const char* name;
  const char* text;
};

// Small self-comparisons as each tool writes them, each with a repeat seen from both
// copies, a region on itself, a line to skip and pairs short enough to be left out.
const Fixture kFixtures[] = {
    {"self.rm",
     "Long Exact Matches:\n"
     "   Start1     Start2    Length\n"
     "     1000       5000       301\n"
     "     8001      12400r      400\n"
     "     2000       2600         8\n"
     "     3000       3900x       50\n"},
    {"self.bedpe",
     "# chrom1\tstart1\tend1\tchrom2\tstart2\tend2\tname\tscore\tstrand1\tstrand2\n"
     "chr1\t100\t150\tchr1\t900\t950\tp1\t60\t+\t+\n"
     "chr1\t2000\t2300\tchr1\t8000\t8300\tp2\t60\t+\t-\n"
     "chr2\t10\t60\tchr2\t500\t550\tp3\t60\t+\t+\n"
     "chr1\t-1\t-1\tchr1\t40\t90\tp4\t0\t.\t.\n"},
    {"self.paf",
     "chr\t9000\t0\t9000\t+\tchr\t9000\t0\t9000\t9000\t9000\t60\ttp:A:P\n"
     "chr\t9000\t5000\t5300\t-\tchr\t9000\t1000\t1300\t296\t301\t0\ttp:A:S\n"
     "chr\t9000\t1000\t1300\t-\tchr\t9000\t5000\t5300\t296\t301\t0\ttp:A:S\n"
     "chr\t9000\t2000\t2040\t+\tchr\t9000\t6000\t6040\t40\t40\t0\ttp:A:S\n"
     "chr\t9000\t7000\t7100\t+\tplasmid\t800\t100\t200\t100\t100\t0\ttp:A:S\n"},
    {"self.blast",
     "# BLASTN 2.12.0+\n"
     "# Fields: query acc.ver, subject acc.ver, % identity, alignment length, mismatches, gap opens, q. start, "
     "q. end, s. start, s. end, evalue, bit score\n"
     "chr\tchr\t100.000\t9000\t0\t0\t1\t9000\t1\t9000\t0.0\t16621\n"
     "chr\tchr\t99.500\t200\t1\t0\t101\t300\t5300\t5101\t0.0\t350\n"
     "chr\tchr\t99.500\t200\t1\t0\t5101\t5300\t300\t101\t0.0\t350\n"
     "chr\tchr\t97.250\t80\t2\t0\t7001\t7080\t8001\t8080\t1e-30\t120\n"
     "chr\tplasmid\t100.000\t50\t0\t0\t7001\t7050\t11\t60\t1e-20\t93\n"},
    {"self.coords",
     "/data/chr.fa /data/chr.fa\n"
     "NUCMER\n"
     "\n"
     "    [S1]     [E1]  |     [S2]     [E2]  |  [LEN 1]  [LEN 2]  |  [% IDY]  | [TAGS]\n"
     "=====================================================================================\n"
     "       1     9000  |        1     9000  |     9000     9000  |   100.00  | chr\tchr\n"
     "    2001     2500  |     9001     9500  |      500      500  |    99.20  | chr\tchr\n"
     "    9001     9500  |     2001     2500  |      500      500  |    99.20  | chr\tchr\n"
     "    4001     4300  |     6300     6001  |      300      300  |    98.00  | chr\tchr\n"},
};

struct PairFiles : ::testing::Test {
  std::string dir = makeScratchDir();
  void TearDown() override { removeTree(dir); }

  // Imports then loads the list, and loads the file itself, with the same options.
  void expectSameAsImported(const std::string& file, const std::string& options = "") {
    SCOPED_TRACE(file + " " + options);
    ToolResult imported = runBuilt("quelvar-import " + options + " " + file + " >list.txt", dir);
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    ToolResult viaList = runBuilt("quelvar-summary --records list.txt", dir);
    ToolResult direct = runBuilt("quelvar-summary --records " + options + " " + file, dir);
    EXPECT_EQ(direct.exitCode, 0) << direct.err;
    EXPECT_GT(viaList.out.size(), 60u) << "some pairs load";
    EXPECT_EQ(direct.out, viaList.out);
    EXPECT_EQ(direct.err, imported.err) << "the importer's report, as it prints it";
  }
};

TEST_F(PairFiles, EachFormatLoadsAsImportingThenLoading) {
  for (const Fixture& fixture : kFixtures) {
    writeWholeFile(dir + "/" + fixture.name, fixture.text);
    expectSameAsImported(fixture.name);
  }
  expectSameAsImported("self.rm", "--chrom chr1");  // warns that repeat-match names no sequence
  expectSameAsImported("self.bedpe", "--chrom chr2");
  expectSameAsImported("self.blast", "--all-sequences");
  expectSameAsImported("self.paf", "--from paf --all-sequences");
}

// What `head -c` leaves at the end of a list: a token of two fields, which date.txt reads
// as a pair as long as its partner and a named list skips and counts.
TEST_F(PairFiles, ACutLastTokenIsSkippedInANamedListOnly) {
  const char* cut = "100/200/50 300/900/40 12414032/12414152";
  writeWholeFile(dir + "/cut.txt", cut);
  ToolResult named = runBuilt("quelvar-summary cut.txt", dir);
  EXPECT_EQ(named.exitCode, 0);
  EXPECT_EQ(named.out, "Count tandem load - 5\nMax len tandem - 50\n");
  EXPECT_EQ(named.err,
            "quelvar-summary: cut.txt: skipped 1 token of fewer than three fields (a pair is pos/partner/len)\n");
  writeWholeFile(dir + "/date.txt", cut);
  ToolResult original = runBuilt("quelvar-summary", dir);
  EXPECT_EQ(original.out, "Count tandem load - 7\nMax len tandem - 12414152\n");
  EXPECT_EQ(original.err, "");
}

TEST_F(PairFiles, ListsStayListsAndRefusalsFail) {
  // A tandem list, and lines the detection cannot tell, load as the viewer always loaded them.
  writeWholeFile(dir + "/list.txt", "\n100/200/50/0 300/900/40/1\n7/8/20\n");
  writeWholeFile(dir + "/numbers.txt", "100 200 50 300 900 40\n");
  ToolResult asList = runBuilt("quelvar-summary --records --from tandem list.txt", dir);
  ToolResult told = runBuilt("quelvar-summary --records list.txt", dir);
  EXPECT_EQ(told.out, asList.out);
  EXPECT_EQ(told.out.substr(0, 22), "Count tandem load - 7\n");
  EXPECT_EQ(told.err, "");
  // Six numbers look like BEDPE; --from tandem reads them as tokens, each too short for a pair.
  ToolResult numbers = runBuilt("quelvar-summary --from tandem numbers.txt", dir);
  EXPECT_EQ(numbers.out, "Count tandem load - 1\nMax len tandem - 0\n");
  EXPECT_EQ(numbers.err,
            "quelvar-summary: numbers.txt: skipped 6 tokens of fewer than three fields (a pair is pos/partner/len)\n");

  writeWholeFile(dir + "/self.paf", kFixtures[2].text);
  ToolResult missing = runBuilt("quelvar-summary --chrom chrX self.paf", dir);
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_EQ(missing.out, "Count tandem load - 1\nMax len tandem - 0\n");
  EXPECT_NE(missing.err.find("quelvar-import: no pair names chrX; the input names chr, plasmid"), std::string::npos)
      << missing.err;
  ToolResult bad = runBuilt("quelvar-summary --from fasta self.paf", dir);
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_NE(bad.err.find("--from takes tandem, repeat-match, bedpe, paf, blast6, coords or trf, not 'fasta'"),
            std::string::npos)
      << bad.err;
  EXPECT_EQ(runBuilt("quelvar-summary --chrom chr --all-sequences self.paf", dir).exitCode, 2);
}

TEST_F(PairFiles, SnapshotDrawsThePairFileAsTheImportedList) {
  writeWholeFile(dir + "/self.paf", kFixtures[2].text);
  ASSERT_EQ(runBuilt("quelvar-import self.paf >list.txt", dir).exitCode, 0);
  ToolResult fromList = runBuilt("quelvar-snapshot --list list.txt --out list.png", dir);
  ToolResult fromPaf = runBuilt("quelvar-snapshot --list self.paf --from paf --out paf.png", dir);
  ASSERT_EQ(fromList.exitCode, 0) << fromList.err;
  ASSERT_EQ(fromPaf.exitCode, 0) << fromPaf.err;
  EXPECT_EQ(fromPaf.out, fromList.out);
  EXPECT_EQ(readWholeFile(dir + "/paf.png"), readWholeFile(dir + "/list.png"));
  ToolResult refused = runBuilt("quelvar-snapshot --list self.paf --chrom chrX --out none.png", dir);
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_FALSE(std::ifstream(dir + "/none.png").good()) << "no picture of a refused file";
}

}  // namespace
