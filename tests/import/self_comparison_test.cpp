// Real self-comparisons of a real 183-contig assembly (Helicobacter pylori contigs from
// Debian's ragout-examples): every distinct repeat the aligner reports is imported once,
// whichever contig comes first, and only a hit's twin is merged into it; a hit of a contig
// on itself counts as its parts off the diagonal. The distinct repeats are counted here
// independently of the importer, from the rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <cstdlib>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "paf_parts.h"
#include "tool_run.h"

namespace {

const char kImport[] = QUELVAR_IMPORT_BIN;
const char kContigs[] = "/usr/share/doc/ragout/examples/H.Pylori/SJM180_contigs.fasta.gz";

using Interval = std::tuple<std::string, long long, long long>;  // sequence, start, end
using Hit = std::tuple<Interval, Interval, int, bool>;           // copy A, copy B, strand, a part of a cut hit

struct Count {
  long long distinct = 0;
  long long twins = 0;      // whole lines merged as mirrors
  long long partTwins = 0;  // parts of cut hits merged as mirrors
  long long onItself = 0;
};

long long apart(const Interval& a, const Interval& b) {
  if (std::get<0>(a) != std::get<0>(b)) return -1;
  return std::max(std::llabs(std::get<1>(a) - std::get<1>(b)), std::llabs(std::get<2>(a) - std::get<2>(b)));
}

long long endsApart(const Interval& a, const Interval& b) {
  return std::llabs(std::get<1>(a) - std::get<1>(b)) + std::llabs(std::get<2>(a) - std::get<2>(b));
}

// A hit of a region on itself is no repeat. Twins (swapped copies, same strand, each end
// within the importer's stated tolerance of 10) are matched closest first, each hit at most
// once, the later merged; every other hit is a distinct repeat. Plain pairwise search:
// these files have about a thousand rows.
Count countRepeats(const std::vector<Hit>& hits) {
  constexpr long long kTolerance = 10;
  Count count;
  std::vector<size_t> repeats;
  for (size_t i = 0; i < hits.size(); ++i) {
    const auto& [a, b, strand, part] = hits[i];
    if (a == b && strand == 0)
      ++count.onItself;
    else
      repeats.push_back(i);
  }
  std::vector<std::tuple<long long, size_t, size_t>> twins;  // ends apart in all, earlier, later
  for (size_t x = 0; x < repeats.size(); ++x)
    for (size_t y = x + 1; y < repeats.size(); ++y) {
      const Hit& kept = hits[repeats[x]];
      const Hit& later = hits[repeats[y]];
      long long one = apart(std::get<0>(kept), std::get<1>(later)), two = apart(std::get<1>(kept), std::get<0>(later));
      if (std::get<2>(kept) != std::get<2>(later) || one < 0 || two < 0 || one > kTolerance || two > kTolerance)
        continue;
      twins.emplace_back(endsApart(std::get<0>(kept), std::get<1>(later)) + endsApart(std::get<1>(kept), std::get<0>(later)),
                         repeats[x], repeats[y]);
    }
  std::sort(twins.begin(), twins.end());
  std::vector<bool> twinned(hits.size(), false);
  for (const auto& [distance, earlier, later] : twins) {
    if (twinned[earlier] || twinned[later]) continue;
    twinned[earlier] = twinned[later] = true;
    ++(std::get<3>(hits[later]) ? count.partTwins : count.twins);
  }
  count.distinct = static_cast<long long>(repeats.size()) - count.twins - count.partTwins;
  return count;
}

// A hit of a sequence on itself that runs along the diagonal counts as its parts off it.
std::vector<Hit> pafHits(const std::string& text) {
  std::vector<Hit> hits;
  for (const PafLine& line : readPafLines(text)) {
    bool onItself = line.query == line.target && !line.reverse && line.qStart == line.tStart && line.qEnd == line.tEnd;
    int runs = 0;
    std::vector<PafLine> parts = onItself ? std::vector<PafLine>{} : partsOffTheDiagonal(line, runs);
    if (runs == 0) parts = {line};
    for (const PafLine& part : parts)
      hits.emplace_back(Interval{part.query, part.qStart, part.qEnd}, Interval{part.target, part.tStart, part.tEnd},
                        part.reverse, runs > 0);
  }
  return hits;
}

std::vector<Hit> blastHits(const std::string& text) {
  std::vector<Hit> hits;
  std::istringstream in(text);
  std::string q, s, identity, length, mismatches, gaps;
  long long qs, qe, ss, se;
  std::string rest;
  while (in >> q >> s >> identity >> length >> mismatches >> gaps >> qs >> qe >> ss >> se) {
    std::getline(in, rest);
    bool reverse = se < ss;
    hits.emplace_back(Interval{q, qs, qe}, Interval{s, reverse ? se : ss, reverse ? ss : se}, reverse, false);
  }
  return hits;
}

long long linesIn(const std::string& text) {
  long long lines = 0;
  for (char c : text) lines += c == '\n';
  return lines;
}

struct SelfComparison : ::testing::Test {
  std::string dir;
  void SetUp() override {
    if (!std::ifstream(kContigs)) GTEST_SKIP() << kContigs << " is missing (Debian package ragout-examples)";
    dir = makeScratchDir();
    ASSERT_EQ(runCommand(std::string("gzip -dc ") + kContigs + " > contigs.fa", dir).exitCode, 0);
  }
  void TearDown() override {
    if (!dir.empty()) removeTree(dir);
  }

  void expectEveryRepeatOnce(const std::string& hitsFile, const Count& expected) {
    ToolResult imported = runTool({kImport, "--all-sequences", "--force", "--out", dir + "/list.txt", dir + "/" + hitsFile});
    ASSERT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(linesIn(readWholeFile(dir + "/list.txt")), expected.distinct);
    std::string merged = std::to_string(expected.twins) + " mirrors merged";
    EXPECT_EQ(expected.twins == 0, imported.err.find("mirrors merged") == std::string::npos) << imported.err;
    if (expected.twins > 0) {
      EXPECT_NE(imported.err.find(merged), std::string::npos) << imported.err;
    }
    std::string partsMerged = std::to_string(expected.partTwins) + " of them merged as mirrors";
    EXPECT_EQ(expected.partTwins == 0, imported.err.find("merged as mirrors") == std::string::npos) << imported.err;
    if (expected.partTwins > 0) {
      EXPECT_NE(imported.err.find(partsMerged), std::string::npos) << imported.err;
    }
  }
};

TEST_F(SelfComparison, MinimapKeepsEveryDistinctRepeatOfAMultiContigAssembly) {
  if (findOnPath("minimap2").empty()) GTEST_SKIP() << "minimap2 is not installed";
  for (const char* options : {"-c -X", "-c -DP"}) {
    SCOPED_TRACE(options);
    ASSERT_EQ(runCommand(std::string("minimap2 -t 2 ") + options + " contigs.fa contigs.fa > self.paf 2>/dev/null", dir)
                  .exitCode,
              0);
    Count count = countRepeats(pafHits(readWholeFile(dir + "/self.paf")));
    // -X reports a hit between two contigs once; most repeats lie between contigs.
    EXPECT_GT(count.distinct, 300);
    expectEveryRepeatOnce("self.paf", count);
  }
}

TEST_F(SelfComparison, BlastKeepsEveryDistinctRepeatOfAMultiContigAssembly) {
  if (findOnPath("blastn").empty()) GTEST_SKIP() << "blastn is not installed";
  ASSERT_EQ(runCommand("blastn -query contigs.fa -subject contigs.fa -outfmt 6 -evalue 1e-20 > self.tsv", dir).exitCode,
            0);
  Count count = countRepeats(blastHits(readWholeFile(dir + "/self.tsv")));
  EXPECT_GT(count.twins, 100);  // blastn reports every repeat from both copies
  expectEveryRepeatOnce("self.tsv", count);
}

// Two different hits between the same two sequences are two repeats, whatever their order
// on the axis; a twin whose ends differ by up to 10 bases is merged, by more it is not.
TEST_F(SelfComparison, OnlyATwinWithinTheToleranceIsMerged) {
  writeWholeFile(dir + "/two.paf",
                 "b\t9000\t100\t400\t+\ta\t9000\t5000\t5300\t300\t300\t0\n"
                 "b\t9000\t2000\t2500\t-\ta\t9000\t7000\t7500\t500\t500\t0\n"
                 "a\t9000\t5003\t5298\t+\tb\t9000\t104\t398\t294\t294\t0\n"
                 "a\t9000\t6989\t7500\t-\tb\t9000\t2000\t2500\t500\t500\t0\n");
  ToolResult r = runTool({kImport, "--all-sequences", dir + "/two.paf"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "100/14000/300/0/100.00\n2000/16000/500/1/100.00\n15989/2000/511/1/100.00/-11\n");
  EXPECT_NE(r.err.find("imported 3 pairs on 2 sequences; skipped 1 line: 1 mirrors merged"), std::string::npos)
      << r.err;
}

// A tandem array: the hits offset by 5 and by 10 lie within the tolerance of each other's
// mirror, but each has its exact twin, so both repeats stay.
TEST(MirrorTwins, TheClosestTwinIsMergedAndEachOnlyOnce) {
  std::string dir = makeScratchDir();
  writeWholeFile(dir + "/array.paf",
                 "s\t9000\t1000\t1995\t+\ts\t9000\t1005\t2000\t995\t995\t0\n"
                 "s\t9000\t1000\t1990\t+\ts\t9000\t1010\t2000\t990\t990\t0\n"
                 "s\t9000\t1005\t2000\t+\ts\t9000\t1000\t1995\t995\t995\t0\n"
                 "s\t9000\t1010\t2000\t+\ts\t9000\t1000\t1990\t990\t990\t0\n");
  ToolResult r = runTool({kImport, dir + "/array.paf"});
  removeTree(dir);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "1000/1005/995/0/100.00\n1000/1010/990/0/100.00\n");
  EXPECT_NE(r.err.find("imported 2 pairs on s; skipped 2 lines: 2 mirrors merged"), std::string::npos) << r.err;
}

}  // namespace

namespace {

// Real trf output (.dat and -ngs) of the first contigs: every row becomes the array
// against itself shifted by one period, on its section's sequence.
TEST_F(SelfComparison, TandemRepeatsFinderRowsBecomeTheArrayShiftedByAPeriod) {
  if (findOnPath("trf").empty()) GTEST_SKIP() << "trf is not installed";
  ASSERT_EQ(runCommand("head -c 300000 contigs.fa > part.fa && (trf part.fa 2 7 7 80 10 50 500 -d -h >/dev/null; "
                       "trf part.fa 2 7 7 80 10 50 500 -ngs -h > part.ngs; true)",
                       dir)
                .exitCode,
            0);
  std::string ngs = readWholeFile(dir + "/part.ngs");
  std::string expected, sequence;
  std::istringstream in(ngs);
  std::string line;
  while (std::getline(in, line)) {
    if (line[0] == '@') {
      if (!sequence.empty()) break;  // the first sequence's rows only, as the import keeps
      sequence = line.substr(1);
      continue;
    }
    long long start, end, period;
    std::string copies, size, matches;
    std::istringstream row(line);
    row >> start >> end >> period >> copies >> size >> matches;
    expected += std::to_string(start - 1) + "/" + std::to_string(start - 1 + period) + "/" +
                std::to_string(end - start + 1 - period) + "/0/" + matches + ".00\n";
  }
  ASSERT_FALSE(expected.empty()) << ngs;
  ToolResult fromNgs = runTool({kImport, dir + "/part.ngs"});
  EXPECT_EQ(fromNgs.exitCode, 0) << fromNgs.err;
  EXPECT_EQ(fromNgs.out, expected);
  ToolResult fromDat = runTool({kImport, "--chrom", sequence, dir + "/part.fa.2.7.7.80.10.50.500.dat"});
  EXPECT_EQ(fromDat.exitCode, 0) << fromDat.err;
  EXPECT_EQ(fromDat.out, expected);
}

}  // namespace

namespace {

// The usual genome FASTA names each record with words after the name; trf -ngs keeps them
// on its "@" lines, and the sequence is the first word.
TEST(TandemRepeatsFinder, NgsOutputOfDescribedRecordsReadsAsPairs) {
  const std::string genome = "/usr/share/doc/ragout/examples/H.Pylori/references/G27.fasta.gz";
  if (findOnPath("trf").empty() || !std::ifstream(genome)) GTEST_SKIP() << "needs trf and ragout-examples";
  std::string dir = makeScratchDir();
  ASSERT_EQ(runCommand("gzip -dc " + genome + " | head -c 200000 > part.fa && "
                       "(trf part.fa 2 7 7 80 10 50 500 -ngs -h > part.ngs; true)",
                       dir)
                .exitCode,
            0);
  std::string ngs = readWholeFile(dir + "/part.ngs");
  ASSERT_NE(ngs.find(' '), std::string::npos);
  ASSERT_EQ(ngs.substr(0, ngs.find('\n')).find(" Helicobacter pylori"), ngs.find(' ')) << "no description";
  ToolResult imported = runTool({kImport, dir + "/part.ngs"});
  EXPECT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_EQ(linesIn(imported.out), linesIn(ngs) - 1);
  EXPECT_NE(imported.err.find("on gi|208433976|ref|NC_011333.1|;"), std::string::npos) << imported.err;
  removeTree(dir);
}

}  // namespace
