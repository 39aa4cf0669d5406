// A genome FASTA named to any program gives what aligning it with Debian's minimap2 binary
// and opening the PAF against the FASTA's index gives: the same summary and records, the
// same list and offset table; options that cannot go with it are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>

#include <string>

#include "tool_run.h"

namespace {

const char kContigs[] = "/usr/share/doc/ragout/examples/H.Pylori/SJM180_contigs.fasta.gz";
const char kChromosome[] = "/usr/share/doc/ragout/examples/H.Pylori/references/ELS37.fasta.gz";
const char kMG1655[] = "/usr/share/doc/ragout/examples/E.Coli/references/MG1655-K12.fasta.gz";

bool haveGenomes() {
  return !findOnPath("minimap2").empty() && readWholeFile(kContigs).size() > 0 && readWholeFile(kChromosome).size() > 0;
}

struct FastaOpen : ::testing::Test {
  std::string dir = makeScratchDir();
  ~FastaOpen() override { removeTree(dir); }
  void SetUp() override {
    if (!haveGenomes()) GTEST_SKIP() << "needs ragout-examples and minimap2 (scripts/deps.sh installs them)";
  }
  ToolResult shell(const std::string& line) { return runCommand(line, dir); }
  // The binary's way: the plain FASTA, its index by awk, and the PAF.
  void alignOutside(const std::string& gzip, const std::string& name) {
    ToolResult made = shell("zcat " + gzip + " > " + name + ".fa && awk '/^>/{if(n!=\"\")print n\"\\t\"l;"
                            "n=substr($1,2);l=0;next}{l+=length($0)}END{print n\"\\t\"l}' " + name + ".fa > " + name +
                            ".fai && minimap2 -c -X -t 2 " + name + ".fa " + name + ".fa > " + name + ".paf 2>/dev/null");
    ASSERT_EQ(made.exitCode, 0) << made.err;
  }
};

TEST_F(FastaOpen, SummaryRecordsAndListAreThoseOfTheBinarysPaf) {
  alignOutside(kContigs, "contigs");
  alignOutside(kChromosome, "chromosome");
  std::string summary = builtProgram("quelvar-summary"), import = builtProgram("quelvar-import");
  for (const char* name : {"contigs", "chromosome"}) {
    SCOPED_TRACE(name);
    std::string genome = std::string(name) == "contigs" ? kContigs : kChromosome;
    std::string viaPaf = std::string(" --all-sequences --fai ") + name + ".fai " + name + ".paf";
    ToolResult direct = shell(summary + " --records " + genome);
    ToolResult plain = shell(summary + " --records " + name + ".fa");
    ToolResult outside = shell(summary + " --records" + viaPaf);
    ASSERT_EQ(direct.exitCode, 0) << direct.err;
    ASSERT_EQ(outside.exitCode, 0) << outside.err;
    EXPECT_GT(direct.out.size(), 1000u);
    EXPECT_EQ(direct.out, outside.out);
    EXPECT_EQ(plain.out, outside.out);
    // Progress lines come only when the work takes a second or more (a loaded machine).
    std::string said;
    std::istringstream lines(direct.err);
    for (std::string line; std::getline(lines, line);)
      if (line.rfind("aligning ", 0) != 0 && line.rfind("aligned ", 0) != 0) said += line + "\n";
    // The FASTA's skipped rows are its alignments, where the PAF's are lines.
    std::string outsideSaid = outside.err;
    size_t skipped = outsideSaid.find(" lines: ");
    if (skipped != std::string::npos) outsideSaid.replace(skipped, 8, " alignments: ");
    EXPECT_EQ(said, outsideSaid) << "the same layout, merges and skips said";

    ToolResult listed = shell(import + " " + genome + " -o direct.txt");
    ToolResult listedOutside = shell(import + viaPaf + " -o outside.txt");
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    ASSERT_EQ(listedOutside.exitCode, 0) << listedOutside.err;
    EXPECT_EQ(readWholeFile(dir + "/direct.txt"), readWholeFile(dir + "/outside.txt"));
    EXPECT_EQ(readWholeFile(dir + "/direct.txt.sequences"), readWholeFile(dir + "/outside.txt.sequences"));
    shell("rm -f direct.txt* outside.txt*");
  }
  // One sequence by name, as --chrom picks it from the PAF.
  ToolResult one = shell(summary + " --records --chrom scf29 " + kContigs);
  ToolResult oneOutside = shell(summary + " --records --chrom scf29 contigs.paf");
  ASSERT_EQ(one.exitCode, 0) << one.err;
  EXPECT_EQ(one.out, oneOutside.out);
  EXPECT_NE(one.out, "Count tandem load - 1\nMax len tandem - 0\n");
}

// Alignments with gaps give copies of different spans: --pairs lists each copy with the
// ends its PAF row gives, and the longer copy's length.
TEST_F(FastaOpen, PairsListEachCopyWithItsPafRowsEnds) {
  if (readWholeFile(kMG1655).empty()) GTEST_SKIP() << "needs ragout-examples";
  alignOutside(kMG1655, "mg");
  std::set<std::string> rows;  // query and target as --pairs writes them: 1-based, inclusive
  std::istringstream paf(readWholeFile(dir + "/mg.paf"));
  for (std::string line; std::getline(paf, line);) {
    std::istringstream in(line);
    std::string q, t, strand;
    long long qLength, qStart, qEnd, tLength, tStart, tEnd;
    in >> q >> qLength >> qStart >> qEnd >> strand >> t >> tLength >> tStart >> tEnd;
    rows.insert(q + "\t" + std::to_string(qStart + 1) + "\t" + std::to_string(qEnd) + "\t" + t + "\t" +
                std::to_string(tStart + 1) + "\t" + std::to_string(tEnd));
  }
  // Without their paths no hit is cut along the diagonal, so every pair is one whole row.
  ToolResult pairs = shell("sed 's/\\tcg:Z:[^\\t]*//' mg.paf > whole.paf && " + builtProgram("quelvar-summary") +
                           " --pairs --all-sequences --fai mg.fai whole.paf");
  ASSERT_EQ(pairs.exitCode, 0) << pairs.err;
  std::istringstream listed(pairs.out);
  std::string line;
  std::getline(listed, line);  // the header
  int count = 0, unequal = 0;
  while (std::getline(listed, line)) {
    std::istringstream in(line);
    std::string length, name, start, end, partnerName, partnerStart, partnerEnd;
    std::getline(in, length, '\t');
    std::getline(in, name, '\t');
    std::getline(in, start, '\t');
    std::getline(in, end, '\t');
    std::getline(in, partnerName, '\t');
    std::getline(in, partnerStart, '\t');
    std::getline(in, partnerEnd, '\t');
    std::string ends = name + "\t" + start + "\t" + end + "\t" + partnerName + "\t" + partnerStart + "\t" + partnerEnd;
    EXPECT_EQ(rows.count(ends), 1u) << line;
    long long span = std::stoll(end) - std::stoll(start) + 1;
    long long partnerSpan = std::stoll(partnerEnd) - std::stoll(partnerStart) + 1;
    EXPECT_EQ(std::stoll(length), std::max(span, partnerSpan)) << line;
    ++count;
    unequal += span != partnerSpan;
  }
  EXPECT_GT(count, 300);
  EXPECT_GT(unequal, 100) << "MG1655's self-alignment has many gapped repeats";
}

TEST_F(FastaOpen, WhatCannotGoWithAFastaIsRefused) {
  std::string summary = builtProgram("quelvar-summary"), import = builtProgram("quelvar-import");
  writeWholeFile(dir + "/self.paf", "chr\t9000\t2000\t2600\t+\tchr\t9000\t6000\t6600\t600\t600\t0\n");
  writeWholeFile(dir + "/twice.fa", ">a\nACGTACGTAC\n>a\nGGGGCCCCAA\n");
  writeWholeFile(dir + "/unnamed.fa", ">a\nACGTACGTAC\n> no name\nGGGGCCCCAA\n");
  writeWholeFile(dir + "/protein.fa", ">p\nMKTAYIAKQRQISFVKSHFSRQLEERLGLIEVQAPILSRVGDGTQDNLSGAEKAVQVKVKALPDAQFEVVHSLAKWKRQ\n");
  struct Case {
    std::string line;
    int exitCode;
    const char* says;
  };
  const Case cases[] = {
      {summary + " --preset asm5 self.paf", 2, "--preset and --threads go with a FASTA"},
      {import + " --threads 2 self.paf", 2, "--preset and --threads go with a FASTA"},
      {summary + " --preset asm9 " + kContigs, 2, "minimap2 has no preset 'asm9'"},
      {import + " --preset sr " + kContigs, 2, "preset 'sr' conflicts with -X, which the self-alignment always uses"},
      {summary + " --all-sequences --fai self.paf " + kContigs, 2, "gives its own sequences"},
      {import + " self.paf " + kContigs, 2, "name it as the only input"},
      {summary + " --chrom nowhere " + kContigs, 1, "holds no sequence nowhere; it holds scf0, scf1"},
      {import + " twice.fa", 1, "names two sequences a"},
      {summary + " unnamed.fa", 1, "unnamed.fa: FASTA record 2 (line 3) has no name"},
      {summary + " protein.fa", 1, "protein.fa: FASTA record 1 (line 1) looks like protein, not DNA"},
      {"env -u DISPLAY " + builtProgram("quelvar") + " --preset asm9 " + kContigs, 2, "no preset"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    ToolResult r = shell(c.line);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("[WARNING]"), std::string::npos) << "minimap2's own words, raw: " << r.err;
  }
}

}  // namespace
