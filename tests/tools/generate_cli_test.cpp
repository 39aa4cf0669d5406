#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "tool_run.h"

namespace {

TEST(GenerateTool, SameArgumentsSameBytesAndEveryTokenLoads) {
  std::string folder = scratchFolder("generate");
  ToolResult first = runBuilt("quelvar-generate --tokens 3000 --axis 45000000 --seed 3", folder);
  ToolResult again = runBuilt("quelvar-generate --tokens 3000 --axis 45000000 --seed 3", folder);
  ASSERT_EQ(first.exitCode, 0);
  EXPECT_EQ(first.out, again.out);
  EXPECT_NE(first.out, runBuilt("quelvar-generate --tokens 3000 --axis 45000000 --seed 4", folder).out);

  std::istringstream lines(first.out);
  std::string line;
  std::set<std::string> positions;
  int count = 0, shared = 0;
  while (std::getline(lines, line)) {
    ++count;
    long pos = 0, partner = 0, len = 0;
    int orientation = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "%ld/%ld/%ld/%d", &pos, &partner, &len, &orientation), 4) << line;
    EXPECT_GE(pos, 0);
    EXPECT_LT(partner, 45000000);
    EXPECT_GE(len, 1);
    if (!positions.insert(std::to_string(pos)).second) ++shared;
  }
  EXPECT_EQ(count, 3000);
  EXPECT_GT(shared, 30);  // some positions carry several pairs, so rows stack
}

// The human-sized layout's files agree with each other and with the readers: every PAF end
// inside its chromosome's length, a pair's two lines each other's mirror (the import merges
// them), RepeatMasker rows in position order inside their chromosome.
TEST(GenerateTool, HumanLayoutFilesAgreeWithTheLayoutAndTheReaders) {
  std::string folder = scratchFolder("generate_human");
  ToolResult fai = runBuilt("quelvar-generate --human fai", folder);
  ASSERT_EQ(fai.exitCode, 0);
  std::map<std::string, long long> lengths;
  long long genome = 0;
  std::istringstream faiLines(fai.out);
  for (std::string name, length, rest; faiLines >> name >> length && std::getline(faiLines, rest);) {
    lengths[name] = std::stoll(length);
    genome += std::stoll(length);
  }
  EXPECT_EQ(lengths.size(), 24u);
  EXPECT_EQ(lengths["chr1"], 248956422);
  EXPECT_EQ(genome, 3088269832);

  const char* paf = "quelvar-generate --human paf --lines 4000 --seed 5";
  ToolResult pairs = runBuilt(paf, folder);
  ASSERT_EQ(pairs.exitCode, 0);
  EXPECT_EQ(pairs.out, runBuilt(paf, folder).out);
  std::istringstream pafLines(pairs.out);
  std::string line, previous;
  int count = 0, onChr1 = 0;
  while (std::getline(pafLines, line)) {
    char q[16], t[16], strand = 0;
    long long qLen, q0, q1, tLen, t0, t1, matches, block;
    ASSERT_EQ(std::sscanf(line.c_str(), "%15s %lld %lld %lld %c %15s %lld %lld %lld %lld %lld", q, &qLen, &q0, &q1,
                          &strand, t, &tLen, &t0, &t1, &matches, &block),
              11)
        << line;
    EXPECT_EQ(qLen, lengths[q]);
    EXPECT_TRUE(q0 >= 0 && q1 <= qLen && t0 >= 0 && t1 <= tLen && matches <= block) << line;
    EXPECT_FALSE(std::string(q) == t && q0 < t1 && t0 < q1) << "copies overlap: " << line;
    if (++count % 2 == 0) {
      char q2[16], t2[16];
      long long a0, b0;
      std::sscanf(previous.c_str(), "%15s %*d %lld %*d %*c %15s %*d %lld", q2, &a0, t2, &b0);
      EXPECT_TRUE(std::string(q2) == t && std::string(t2) == q && a0 == t0 && b0 == q0) << previous << "\n" << line;
    }
    if (std::string(q) == "chr1" && std::string(t) == "chr1") ++onChr1;
    previous = line;
  }
  EXPECT_EQ(count, 4000);
  writeWholeFile(folder + "/human.paf", pairs.out);
  ToolResult imported = runBuilt("quelvar-import --chrom chr1 human.paf", folder);
  EXPECT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_NE(imported.err.find("imported " + std::to_string(onChr1 / 2) + " pairs on chr1"), std::string::npos)
      << imported.err;

  ToolResult repeats = runBuilt("quelvar-generate --human repeatmasker --lines 3000 --seed 5", folder);
  ASSERT_EQ(repeats.exitCode, 0);
  std::istringstream rows(repeats.out);
  int rowCount = 0;
  std::string lastName;
  long long lastBegin = 0;
  for (int header = 0; header < 3; ++header) std::getline(rows, line);
  while (std::getline(rows, line)) {
    char name[16];
    long long begin, end, left;
    ASSERT_EQ(std::sscanf(line.c_str(), "%*d %*f %*f %*f %15s %lld %lld (%lld)", name, &begin, &end, &left), 4)
        << line;
    EXPECT_TRUE(begin >= 1 && begin <= end && end + left == lengths[name]) << line;
    EXPECT_TRUE(name != lastName || begin >= lastBegin) << line;
    lastName = name;
    lastBegin = begin;
    ++rowCount;
  }
  EXPECT_EQ(rowCount, 3000);
}

TEST(GenerateTool, RefusesBadArguments) {
  std::string folder = scratchFolder("generate_bad");
  EXPECT_EQ(runBuilt("quelvar-generate --tokens", folder).exitCode, 2);
  EXPECT_EQ(runBuilt("quelvar-generate --axis 5", folder).exitCode, 2);
  EXPECT_EQ(runBuilt("quelvar-generate --colour 1", folder).exitCode, 2);
  EXPECT_EQ(runBuilt("quelvar-generate --human bed", folder).exitCode, 2);
}

}  // namespace
