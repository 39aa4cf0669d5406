// quelvar-import as a user runs it: hand-written BEDPE, the skip report, the output file's
// safety and the exit codes.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tool_run.h"

namespace {

const std::string kImport = QUELVAR_IMPORT_BIN;
const std::string kSummary = QUELVAR_SUMMARY_BIN;
const std::string kFixture = std::string(QUELVAR_IMPORT_FIXTURES) + "/pairs.bedpe";

int countLines(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

struct ImportCli : ::testing::Test {
  std::string dir = makeScratchDir();
  void TearDown() override { removeTree(dir); }
};

TEST_F(ImportCli, BedpeFixtureKeepsOneSequenceAndAccountsForEveryOtherLine) {
  ToolResult r = runTool({kImport, kFixture});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out,
            "100/900/50/0\n"
            "2000/8000/300/1\n"
            "3000/4000/12/1\n"
            "20/40/5/0\n"
            "1200/1600/50/0\n");
  EXPECT_NE(r.err.find("keeping the pairs on chr1, the first sequence seen"), std::string::npos) << r.err;
  for (const char* listed : {"pairs.bedpe:6: skipped, it lies on another sequence",
                             "pairs.bedpe:7: skipped, its ends lie on two sequences",
                             "pairs.bedpe:10: skipped, expected at least 6 columns",
                             "pairs.bedpe:11: skipped, a start or end is not a whole number",
                             "pairs.bedpe:12: skipped, an end lies before its start",
                             "pairs.bedpe:13: skipped, a strand is not +, - or .",
                             "pairs.bedpe:14: skipped, a copy lies outside positions 0 to 499999999999"})
    EXPECT_NE(r.err.find(listed), std::string::npos) << listed << "\n" << r.err;
  EXPECT_NE(r.err.find("imported 5 pairs on chr1; skipped 8 lines: 4 malformed, 1 out of range, "
                       "2 on another sequence, 1 unplaced (-1)\n"),
            std::string::npos)
      << r.err;

  ToolResult other = runTool({kImport, "--chrom", "chr2", "--from", "bedpe", kFixture});
  EXPECT_EQ(other.exitCode, 0);
  EXPECT_EQ(other.out, "10/500/50/0\n");
  EXPECT_EQ(other.err.find("first sequence seen"), std::string::npos);

  ToolResult longer = runTool({kImport, "--min-length=12", kFixture});
  EXPECT_EQ(longer.out, "100/900/50/0\n2000/8000/300/1\n3000/4000/12/1\n1200/1600/50/0\n");
  EXPECT_NE(longer.err.find("1 shorter than --min-length"), std::string::npos) << longer.err;
}

// A self-alignment as minimap2 writes it: the whole sequence on itself, a repeat seen from
// both copies, a hit into a plasmid.
TEST_F(ImportCli, PafSelfAlignmentKeepsEachRepeatOnce) {
  writeWholeFile(dir + "/self.paf",
                 "chr\t9000\t0\t9000\t+\tchr\t9000\t0\t9000\t9000\t9000\t60\ttp:A:P\n"
                 "chr\t9000\t5000\t5300\t-\tchr\t9000\t1000\t1300\t296\t301\t0\ttp:A:S\n"
                 "chr\t9000\t1000\t1300\t-\tchr\t9000\t5000\t5300\t296\t301\t0\ttp:A:S\n"
                 "chr\t9000\t7000\t7100\t+\tplasmid\t800\t100\t200\t100\t100\t0\ttp:A:S\n");
  ToolResult r = runTool({kImport, dir + "/self.paf"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "5000/1000/300/1/98.34\n");  // the first report kept; 296 of 301 bases match
  EXPECT_NE(r.err.find("imported 1 pair on chr; skipped 3 lines: 1 on another sequence, 1 a region on itself, "
                       "1 mirrors merged"),
            std::string::npos)
      << r.err;
}

// A BLAST self-comparison of a chromosome and a plasmid that share a repeat, as blastn
// -outfmt 6 orders it: each sequence on itself first, then its hits.
const char kTwoSequences[] =
    "chr\tchr\t100.000\t9000\t0\t0\t1\t9000\t1\t9000\t0.0\t16621\n"
    "chr\tchr\t99.500\t200\t1\t0\t101\t300\t5300\t5101\t0.0\t350\n"
    "chr\tchr\t99.500\t200\t1\t0\t5101\t5300\t300\t101\t0.0\t350\n"
    "chr\tplasmid\t100.000\t50\t0\t0\t7001\t7050\t11\t60\t1e-20\t93\n"
    "plasmid\tplasmid\t100.000\t800\t0\t0\t1\t800\t1\t800\t0.0\t1478\n"
    "plasmid\tchr\t100.000\t50\t0\t0\t11\t60\t7001\t7050\t1e-20\t93\n";

TEST_F(ImportCli, AllSequencesLaysThemEndToEndAndWritesTheOffsets) {
  std::string hits = dir + "/hits.tsv";
  writeWholeFile(hits, kTwoSequences);
  ToolResult one = runTool({kImport, hits});
  EXPECT_EQ(one.out, "100/5100/200/1/99.50\n");

  std::string list = dir + "/list.txt";
  ToolResult all = runTool({kImport, "--all-sequences", "--out", list, hits});
  EXPECT_EQ(all.exitCode, 0) << all.err;
  EXPECT_EQ(readWholeFile(list), "100/5100/200/1/99.50\n7000/9010/50/0/100.00\n");
  EXPECT_EQ(readWholeFile(list + ".sequences"), "# name\toffset\tlength\nchr\t0\t9000\nplasmid\t9000\t800\n");
  EXPECT_NE(all.err.find("  chr\t0\t9000\n  plasmid\t9000\t800\n"), std::string::npos) << all.err;
  EXPECT_NE(all.err.find("imported 2 pairs on 2 sequences; skipped 4 lines: 2 a region on itself, 2 mirrors merged"),
            std::string::npos)
      << all.err;

  // The table is never replaced without --force, and the list is then not written either.
  std::string other = dir + "/other.txt";
  writeWholeFile(other + ".sequences", "precious\n");
  ToolResult refused = runTool({kImport, "--all-sequences", "--out", other, hits});
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_NE(refused.err.find("other.txt.sequences exists; --force replaces it"), std::string::npos) << refused.err;
  EXPECT_EQ(readWholeFile(other + ".sequences"), "precious\n");
  EXPECT_EQ(runTool({kImport, "--all-sequences", "--out", list, "--force", hits}).exitCode, 0);

  // An index sets the order and the lengths; a sequence it does not list is skipped.
  writeWholeFile(dir + "/g.fai", "plasmid\t1000\t9\t60\t61\nchr\t9500\t900\t60\t61\n");
  ToolResult indexed = runTool({kImport, "--all-sequences", "--fai", dir + "/g.fai", hits});
  EXPECT_EQ(indexed.exitCode, 0) << indexed.err;
  EXPECT_EQ(indexed.out, "1100/6100/200/1/99.50\n8000/10/50/0/100.00\n");
  writeWholeFile(dir + "/chr.fai", "chr\t9000\n");
  ToolResult partial = runTool({kImport, "--all-sequences", "--fai", dir + "/chr.fai", hits});
  EXPECT_EQ(partial.out, "100/5100/200/1/99.50\n");
  EXPECT_NE(partial.err.find("3 on another sequence"), std::string::npos) << partial.err;
  EXPECT_NE(partial.err.find("not in the --fai index"), std::string::npos) << partial.err;
  ToolResult badIndex = runTool({kImport, "--all-sequences", "--fai", dir + "/hits.tsv", hits});
  EXPECT_EQ(badIndex.exitCode, 1);
  EXPECT_NE(badIndex.err.find("hits.tsv:1: expected a name and a length"), std::string::npos) << badIndex.err;

  ToolResult missing = runTool({kImport, "--chrom", "chr2", hits});
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.err.find("no pair names chr2; the input names chr, plasmid\n"), std::string::npos)
      << missing.err;
}

// A list imported again without --all-sequences must not keep the earlier offset table
// beside it: the viewer would name its pairs on the wrong sequences.
TEST_F(ImportCli, AListWrittenWithoutOffsetsLeavesNoEarlierTable) {
  std::string hits = dir + "/hits.tsv", list = dir + "/list.txt";
  writeWholeFile(hits, kTwoSequences);
  ASSERT_EQ(runTool({kImport, "--all-sequences", "--out", list, hits}).exitCode, 0);
  ToolResult again = runTool({kImport, "--force", "--out", list, hits});
  EXPECT_EQ(again.exitCode, 0) << again.err;
  EXPECT_FALSE(std::ifstream(list + ".sequences")) << "the earlier table is still there";

  // Without --force a table of another run beside a new list is refused, and kept.
  std::string other = dir + "/other.txt";
  writeWholeFile(other + ".sequences", "# name\toffset\tlength\nchr\t0\t9000\n");
  ToolResult refused = runTool({kImport, "--out", other, hits});
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_NE(refused.err.find("other.txt.sequences exists and would be read as this list's offset table; --force "
                             "removes it"),
            std::string::npos)
      << refused.err;
  EXPECT_FALSE(std::ifstream(other));
  EXPECT_TRUE(std::ifstream(other + ".sequences"));
}

// A table beside a list that does not reach its pairs, or that is no file, is refused.
TEST_F(ImportCli, AnOffsetTableThatIsNotTheListsIsRefused) {
  std::string list = dir + "/list.txt";
  writeWholeFile(list, "100/5100/200\n8000/8500/400\n");
  writeWholeFile(list + ".sequences", "# name\toffset\tlength\nchr\t0\t8800\n");
  ToolResult past = runTool({kSummary, list});
  EXPECT_EQ(past.exitCode, 1);
  EXPECT_NE(past.err.find("list.txt:2: a pair ends at 8900, past " + list + ".sequences (8800 positions)"),
            std::string::npos)
      << past.err;
  writeWholeFile(list + ".sequences", "# name\toffset\tlength\nchr\t0\t8900\n");
  EXPECT_EQ(runTool({kSummary, list}).exitCode, 0);

  ASSERT_EQ(runCommand("rm list.txt.sequences && mkfifo list.txt.sequences", dir).exitCode, 0);
  ToolResult fifo = runTool({kSummary, list});
  EXPECT_EQ(fifo.exitCode, 1);
  EXPECT_NE(fifo.err.find("cannot read " + list + ".sequences: not a regular file"), std::string::npos) << fifo.err;
}

// A hint about standard input names it so, and its commands name a file to save it to.
TEST_F(ImportCli, StandardInputIsNamedSoInHints) {
  std::string bases;
  for (int i = 0; i < 20; ++i) bases += "ACGTTGCAACGTAGCTAGCTAGGATCGATCGATCGATTAGCTAGCTAGCTAGCATCGACTAGC\n";
  writeWholeFile(dir + "/genome.fa", ">chr1 one\n" + bases);
  ToolResult fasta = runTool({kImport}, dir + "/genome.fa");
  EXPECT_NE(fasta.err.find("standard input looks like FASTA (sequences), not pairs; save it as a file and align "
                           "that (minimap2 -c -X genome.fa genome.fa > self.paf)"),
            std::string::npos)
      << fasta.err;
  writeWholeFile(dir + "/words.txt", "no pairs here\n");
  ToolResult words = runTool({kSummary, "/dev/stdin"}, dir + "/words.txt");
  EXPECT_EQ(words.err.find("/dev/stdin"), std::string::npos) << words.err;
  EXPECT_NE(words.err.find("standard input does not look like pairs"), std::string::npos) << words.err;
}

// Windows editors start a file with a byte order mark: a named list reads as without it.
TEST_F(ImportCli, AListStartingWithAByteOrderMarkReadsAsWithout) {
  const std::string list = "100/5000/300\n200/9000/400\n";
  writeWholeFile(dir + "/plain.txt", list);
  writeWholeFile(dir + "/marked.txt", "\xEF\xBB\xBF" + list);
  ToolResult plain = runTool({kSummary, "--pairs", dir + "/plain.txt"});
  ToolResult marked = runTool({kSummary, "--pairs", dir + "/marked.txt"});
  EXPECT_EQ(marked.exitCode, 0) << marked.err;
  EXPECT_EQ(marked.out, plain.out);
}

// The axis holds positions up to 499,999,999,999: a genome laid out past that is refused
// whole, whether the index says so before reading or the hits after.
TEST_F(ImportCli, RefusesAGenomeLongerThanTheAxis) {
  writeWholeFile(dir + "/big.fai", "chr1\t400000000000\nchr2\t200000000000\n");
  writeWholeFile(dir + "/far.bedpe", "a\t10\t20\ta\t100\t110\nb\t10\t20\tb\t499999999890\t499999999900\n");
  std::string list = dir + "/list.txt";
  for (const std::vector<std::string>& how : {std::vector<std::string>{"--fai", dir + "/big.fai"}, {}}) {
    std::vector<std::string> argv = {kImport, "--all-sequences", "--out", list};
    argv.insert(argv.end(), how.begin(), how.end());
    argv.push_back(dir + "/far.bedpe");
    ToolResult r = runTool(argv);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("more than the viewer's axis holds (positions 0 to 499999999999)"), std::string::npos)
        << r.err;
    EXPECT_EQ(listDir(dir), (std::vector<std::string>{"big.fai", "far.bedpe"}));
  }
  // Without a, b ends within the limit.
  writeWholeFile(dir + "/near.bedpe", "b\t10\t20\tb\t499999999890\t499999999900\n");
  ToolResult fits = runTool({kImport, "--all-sequences", "--from", "bedpe"}, dir + "/near.bedpe");
  EXPECT_EQ(fits.exitCode, 0) << fits.err;
  EXPECT_EQ(fits.out, "10/499999999890/10/0\n");
}

TEST_F(ImportCli, ListsTheFirstTwentyProblemsThenOnlyCounts) {
  std::string text = "c\t1\t100\tc\t200\t300\n";
  for (int i = 0; i < 25; ++i) text += "c\t1\t100\tc\tx\t300\n";
  writeWholeFile(dir + "/bad.bedpe", text);
  ToolResult r = runTool({kImport, dir + "/bad.bedpe"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "1/200/100/0/./1\n");  // the partner copy is one base longer
  EXPECT_EQ(countLines(r.err, ": skipped, "), 20) << r.err;
  EXPECT_NE(r.err.find("bad.bedpe:21: skipped"), std::string::npos);
  EXPECT_EQ(r.err.find("bad.bedpe:22: skipped"), std::string::npos);
  EXPECT_EQ(countLines(r.err, "only counting them"), 1);
  EXPECT_NE(r.err.find("imported 1 pair on c; skipped 25 lines: 25 malformed\n"), std::string::npos) << r.err;
}

TEST_F(ImportCli, ReadsSeveralInputsAndStandardInputAsOneList) {
  writeWholeFile(dir + "/a.bedpe", "s\t10\t40\ts\t100\t130\n");
  writeWholeFile(dir + "/b.bedpe", "t\t1\t40\tt\t100\t130\ns\t20\t50\ts\t200\t230\n");
  ToolResult r = runTool({kImport, dir + "/a.bedpe", "-", dir + "/b.bedpe"}, dir + "/a.bedpe");
  EXPECT_EQ(r.exitCode, 0);
  // The sequence chosen from the first input holds for the others.
  EXPECT_EQ(r.out, "10/100/30/0\n10/100/30/0\n20/200/30/0\n");
  EXPECT_NE(r.err.find("b.bedpe:1: skipped, it lies on another sequence"), std::string::npos) << r.err;

  ToolResult piped = runTool({kImport}, dir + "/b.bedpe");
  EXPECT_EQ(piped.out, "1/100/39/0/./-9\n");
  EXPECT_NE(piped.err.find("standard input:2: skipped"), std::string::npos) << piped.err;
}

TEST_F(ImportCli, WritesTheOutputFileWholeOrNotAtAll) {
  std::string list = dir + "/list.txt";
  ToolResult r = runTool({kImport, "--out", list, kFixture});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(readWholeFile(list), runTool({kImport, kFixture}).out);

  // The loader stores the four pairs longer than 10 and sees 300 as the longest.
  ToolResult summary = runTool({kSummary, list});
  EXPECT_EQ(summary.out, "Count tandem load - 9\nMax len tandem - 300\n");

  writeWholeFile(list, "precious\n");
  ToolResult refused = runTool({kImport, "--out", list, kFixture});
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_NE(refused.err.find("exists; --force replaces it"), std::string::npos);
  EXPECT_EQ(readWholeFile(list), "precious\n");
  EXPECT_EQ(runTool({kImport, "--out", list, "--force", kFixture}).exitCode, 0);
  EXPECT_EQ(readWholeFile(list).substr(0, 13), "100/900/50/0\n");

  // One unreadable input fails the run: no list, no temporary file, the rest still counted.
  std::string failed = dir + "/failed.txt";
  ToolResult missing = runTool({kImport, "--out", failed, kFixture, dir + "/no-such-file"});
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("cannot read " + dir + "/no-such-file"), std::string::npos) << missing.err;
  EXPECT_NE(missing.err.find("imported 5 pairs"), std::string::npos);
  EXPECT_NE(missing.err.find("failed.txt not written"), std::string::npos);
  ToolResult unreadable = runTool({kImport, "--out", failed, dir});
  EXPECT_EQ(unreadable.exitCode, 1);
  EXPECT_EQ(listDir(dir), std::vector<std::string>{"list.txt"});
}

TEST_F(ImportCli, RefusesBadArgumentsAndInputItCannotTell) {
  const std::vector<std::vector<std::string>> bad = {
      {"--bogus"}, {"--from", "bed"}, {"--from"}, {"--min-length", "-3"}, {"--min-length", "12x"},
      {"--chrom"}, {"--force", kFixture}, {"--out"}, {"--fai", "x.fai"}, {"--all-sequences", "--chrom", "c"},
      {"--all-sequences", "--fai"},
  };
  for (const auto& args : bad) {
    std::vector<std::string> argv = {kImport};
    argv.insert(argv.end(), args.begin(), args.end());
    ToolResult r = runTool(argv);
    EXPECT_EQ(r.exitCode, 2) << args[0];
    EXPECT_NE(r.err.find("Try 'quelvar-import --help'"), std::string::npos) << args[0];
    EXPECT_EQ(r.out, "");
  }

  writeWholeFile(dir + "/prose.txt", "\n# a note\nthese are not pairs\n");
  ToolResult prose = runTool({kImport, dir + "/prose.txt"});
  EXPECT_EQ(prose.exitCode, 1);
  EXPECT_NE(prose.err.find("prose.txt:3: cannot tell the format"), std::string::npos) << prose.err;
  EXPECT_NE(prose.err.find("--from (repeat-match, bedpe, paf, blast6, coords or trf)"), std::string::npos);

  // Named explicitly, a format is held to: BEDPE read as PAF is all malformed, and said so.
  ToolResult forced = runTool({kImport, "--from", "paf", kFixture});
  EXPECT_EQ(forced.exitCode, 0);
  EXPECT_EQ(forced.out, "");
  EXPECT_NE(forced.err.find("skipped 16 lines: 16 malformed"), std::string::npos) << forced.err;

  ToolResult empty = runTool({kImport}, "/dev/null");
  EXPECT_EQ(empty.exitCode, 0);
  EXPECT_NE(empty.err.find("imported 0 pairs; skipped none"), std::string::npos);
}

}  // namespace
