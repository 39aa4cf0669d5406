// A file named on the command line is read as what it is: pairs (plain or gzip, one
// member or many), or refused by name before any window or picture; and a file with more
// pairs than --max-pairs keeps its longest ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <sstream>
#include <string>
#include <vector>

#include "tool_run.h"

namespace {

const char kXzGenome[] = "/usr/share/doc/kleborate/examples/data/Klebs_Kp1084.fna.xz";

struct NamedFile : ::testing::Test {
  std::string dir = makeScratchDir();  // one each: ctest runs the cases side by side
  ~NamedFile() override { removeTree(dir); }
  ToolResult run(const std::string& line) { return runBuilt(line, dir); }
  ToolResult shell(const std::string& line) { return runCommand(line, dir); }
};

TEST_F(NamedFile, WhatIsNoPairsIsRefusedByNameBeforeAnyWindow) {
  writeWholeFile(dir + "/genes.gff", "##gff-version 3\nchr1\tmanual\tgene\t101\t900\t.\t+\t.\tID=dnaA\n");
  writeWholeFile(dir + "/genes.bed", "chr1\t100\t900\tdnaA\t0\t+\n");
  writeWholeFile(dir + "/reads.sam", "@HD\tVN:1.6\n");
  writeWholeFile(dir + "/reads.fq", "@r1\nACGT\n+\nIIII\n");
  writeWholeFile(dir + "/wide.txt", std::string("1\0000\0000\0/\0", 8));
  writeWholeFile(dir + "/noise.bin", std::string("\x7f" "ELF\x02\x01\x01\0\0\0\0", 12));
  writeWholeFile(dir + "/words.txt", "a tandem list this is not\n");
  struct Case {
    std::string file;
    const char* says;
  };
  std::vector<Case> cases = {
      {"genes.gff", "genes.gff looks like GFF (annotation features), not pairs"},
      {"genes.bed", "genes.bed looks like BED (intervals, one a line), not pairs"},
      {"reads.sam", "reads.sam looks like SAM (read alignments), not pairs"},
      {"reads.fq", "reads.fq looks like FASTQ (sequencing reads), not pairs"},
      {"wide.txt", "wide.txt is UTF-16 text; convert it to UTF-8 first"},
      {"noise.bin", "noise.bin looks like binary data"},
      {"words.txt", "words.txt does not look like pairs"},
  };
  if (std::FILE* f = std::fopen(kXzGenome, "rb")) {
    std::fclose(f);
    cases.push_back({kXzGenome, "Klebs_Kp1084.fna.xz is xz-compressed; decompress it first"});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    // No display at all: the viewer says it before it would need one.
    for (const std::string& program :
         {"env -u DISPLAY -u WAYLAND_DISPLAY " + builtProgram("quelvar") + " %s", builtProgram("quelvar-summary") + " %s",
          builtProgram("quelvar-snapshot") + " --list %s --out x.png"}) {
      std::string line = program;
      line.replace(line.find("%s"), 2, c.file);
      ToolResult r = runCommand(line, dir);
      EXPECT_EQ(r.exitCode, 1) << program << "\n" << r.err;
      EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
      EXPECT_EQ(r.out, "") << "no summary of bogus pairs";
      EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
  }
  EXPECT_FALSE(readWholeFile(dir + "/x.png").size() > 0);
  // The other way round: pairs named as annotation, before any window too.
  writeWholeFile(dir + "/date.txt", "100/200/50\n");
  ToolResult lane = shell("env -u DISPLAY -u WAYLAND_DISPLAY " + builtProgram("quelvar") + " --annotation date.txt");
  EXPECT_EQ(lane.exitCode, 1);
  EXPECT_NE(lane.err.find("date.txt looks like"), std::string::npos) << lane.err;
  // --from tandem still reads the words as the viewer's list reads anything.
  EXPECT_EQ(run("quelvar-summary --from tandem words.txt").out, "Count tandem load - 1\nMax len tandem - 0\n");
}

TEST_F(NamedFile, GzipReadsAsThePlainFileAndACutOneFails) {
  std::string paf =
      "chr\t9000\t5000\t5300\t-\tchr\t9000\t1000\t1300\t296\t301\t0\n"
      "chr\t9000\t2000\t2600\t+\tchr\t9000\t6000\t6600\t600\t600\t0\n";
  writeWholeFile(dir + "/self.paf", paf);
  writeWholeFile(dir + "/list.txt", "100/900/50/0 2000/8000/300/1\n");
  // gzip, bgzip's blocks, and two gzip members one after the other.
  ASSERT_EQ(shell("gzip -kf self.paf && gzip -c list.txt > list.gz").exitCode, 0);
  if (!findOnPath("bgzip").empty()) {
    ASSERT_EQ(shell("bgzip -c self.paf > self.bgz.paf.gz").exitCode, 0);
  }
  writeWholeFile(dir + "/first.paf", paf.substr(0, paf.find('\n') + 1));
  writeWholeFile(dir + "/second.paf", paf.substr(paf.find('\n') + 1));
  ASSERT_EQ(shell("gzip -c first.paf > two.paf.gz && gzip -c second.paf >> two.paf.gz").exitCode, 0);

  ToolResult plain = run("quelvar-summary --records self.paf");
  ASSERT_EQ(plain.exitCode, 0) << plain.err;
  for (const char* packed : {"self.paf.gz", "two.paf.gz", "self.bgz.paf.gz"}) {
    if (readWholeFile(dir + "/" + packed).empty()) continue;
    SCOPED_TRACE(packed);
    ToolResult r = run(std::string("quelvar-summary --records ") + packed);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, plain.out);
    EXPECT_EQ(run(std::string("quelvar-import ") + packed).out, run("quelvar-import self.paf").out);
  }
  EXPECT_EQ(run("quelvar-summary --records list.gz").out, run("quelvar-summary --records list.txt").out);
  EXPECT_EQ(run("quelvar-import < self.paf.gz").out, run("quelvar-import self.paf").out) << "standard input too";

  ASSERT_EQ(shell("head -c 40 self.paf.gz > cut.paf.gz").exitCode, 0);
  ToolResult cut = run("quelvar-summary cut.paf.gz");
  EXPECT_EQ(cut.exitCode, 1);
  EXPECT_NE(cut.err.find("cut.paf.gz: its gzip data ends early"), std::string::npos) << cut.err;
  EXPECT_EQ(run("quelvar-import cut.paf.gz").exitCode, 1);
}

// 300,000 pairs, lengths drawn with many ties: past --max-pairs exactly the 249,999 longest
// stay, earlier ones first among equals, stored in file order; date.txt read by default keeps
// the first at the table's limit.
TEST_F(NamedFile, PastMaxPairsTheLongestPairsOfANamedFileStay) {
  constexpr int kPairs = 300000, kKept = 249999;
  std::vector<int> lengths(kPairs);
  std::string text;
  uint32_t state = 12345;
  for (int i = 0; i < kPairs; ++i) {
    state = state * 1664525u + 1013904223u;
    lengths[i] = 11 + static_cast<int>((state >> 8) % 5000);
    text += std::to_string(i * 10) + "/" + std::to_string(i * 10 + 5) + "/" + std::to_string(lengths[i]) + "/0\n";
  }
  writeWholeFile(dir + "/many.txt", text);
  writeWholeFile(dir + "/date.txt", text);
  std::vector<int> order(kPairs);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return lengths[a] > lengths[b]; });
  std::vector<int> kept(order.begin(), order.begin() + kKept);
  std::sort(kept.begin(), kept.end());

  ToolResult named = run("quelvar-summary --max-pairs 249999 --records many.txt");
  ASSERT_EQ(named.exitCode, 0) << named.err;
  std::istringstream lines(named.out);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "Count tandem load - 499999");
  std::getline(lines, line);  // the longest length
  std::vector<int> stored;
  int slot, pos, partner;
  while (std::getline(lines, line)) {
    ASSERT_EQ(std::sscanf(line.c_str(), "%d\t%d\t%d", &slot, &pos, &partner), 3);
    if (slot % 2 == 1) stored.push_back(pos / 10);
  }
  EXPECT_EQ(stored, kept);
  char said[128];
  std::snprintf(said, sizeof said, "kept the 249,999 longest of 300,000 pairs (shortest kept: %d bp;",
                lengths[order[kKept - 1]]);
  EXPECT_NE(named.err.find(said), std::string::npos) << named.err;

  ToolResult byDefault = run("quelvar-summary --records");
  EXPECT_EQ(byDefault.err, "");
  EXPECT_NE(byDefault.out.find("\n249999\t1249990\t"), std::string::npos) << "the first pairs, in file order";
  EXPECT_NE(byDefault.out.find("Version limit tandem - 500000!\n"), std::string::npos);
}

// A named list holds positions past the int32 range exactly, to the base, however its
// tokens are read (the plain reading, or a sign that sends it to the field walk).
TEST_F(NamedFile, PositionsNearAHumanGenomesEndStandExactly) {
  writeWholeFile(dir + "/far.txt", "3000000000/3000500000/700\n+3099999999/3100000001/800/1/99.5/-20\n");
  ToolResult pairs = run("quelvar-summary --pairs far.txt");
  ASSERT_EQ(pairs.exitCode, 0) << pairs.err;
  EXPECT_EQ(pairs.out,
            "# length\tsequence\tstart\tend\tpartner sequence\tpartner start\tpartner end\tstrand\tidentity\n"
            "800\t.\t3100000000\t3100000799\t.\t3100000002\t3100000781\t-\t99.50\n"
            "700\t.\t3000000001\t3000000700\t.\t3000500001\t3000500700\t.\t.\n");
  ToolResult records = run("quelvar-summary --records far.txt");
  EXPECT_NE(records.out.find("\n1\t3000000000\t3000500000\t6.125\t30000\t0.100000001\t"), std::string::npos)
      << records.out;
}

}  // namespace

