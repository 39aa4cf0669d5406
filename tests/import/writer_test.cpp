#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <string>

#include "pair_writer.h"
#include "tool_run.h"

namespace {

struct ScratchDir : ::testing::Test {
  std::string dir = makeScratchDir();
  void TearDown() override { removeTree(dir); }
};

using FileWriter = ScratchDir;

TEST_F(FileWriter, AppearsOnlyWhenFinishedAndWithAnOrdinaryMode) {
  std::string path = dir + "/list.txt";
  PairWriter writer;
  ASSERT_EQ(openFileWriter(writer, path, false, {}), 0);
  for (int i = 0; i < 200000; ++i) writePair(writer, i, i + 1, 50, i % 2);  // more than one buffer
  EXPECT_EQ(listDir(dir).size(), 1u);
  EXPECT_NE(listDir(dir)[0], "list.txt");  // still under its temporary name
  ASSERT_TRUE(finishWriter(writer));
  ASSERT_EQ(listDir(dir), std::vector<std::string>{"list.txt"});
  std::string text = readWholeFile(path);
  EXPECT_EQ(text.substr(0, 20), "0/1/50/0\n1/2/50/1\n2/");
  EXPECT_EQ(text.substr(text.size() - 19), "199999/200000/50/1\n");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 200000);
  struct stat info;
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_NE(info.st_mode & 0044, 0u) << "readable by others, as under the usual umask";
}

TEST(PairToken, WritesIdentityWithTwoDecimalsOnlyWhenKnown) {
  char out[48];
  auto token = [&](double identity) { return std::string(out, formatPair(out, 7, 2147483647, 30, 1, identity)); };
  EXPECT_EQ(token(-1), "7/2147483647/30/1\n");
  EXPECT_EQ(token(100), "7/2147483647/30/1/100.00\n");
  EXPECT_EQ(token(98.01), "7/2147483647/30/1/98.01\n");
  EXPECT_EQ(token(0.5), "7/2147483647/30/1/0.50\n");
  EXPECT_EQ(token(0), "7/2147483647/30/1/0.00\n");
}

TEST_F(FileWriter, NeverReplacesAFileWithoutForce) {
  std::string path = dir + "/list.txt";
  writeWholeFile(path, "keep me\n");
  PairWriter writer;
  EXPECT_NE(openFileWriter(writer, path, false, {}), 0);
  EXPECT_EQ(readWholeFile(path), "keep me\n");

  // A file that appears while the run is going is not replaced either.
  std::string late = dir + "/late.txt";
  ASSERT_EQ(openFileWriter(writer, late, false, {}), 0);
  writePair(writer, 1, 2, 30, 0);
  writeWholeFile(late, "arrived meanwhile\n");
  EXPECT_FALSE(finishWriter(writer));
  EXPECT_EQ(readWholeFile(late), "arrived meanwhile\n");
  EXPECT_EQ(listDir(dir), (std::vector<std::string>{"late.txt", "list.txt"}));

  ASSERT_EQ(openFileWriter(writer, path, true, {}), 0);
  writePair(writer, 1, 2, 30, 0);
  ASSERT_TRUE(finishWriter(writer));
  EXPECT_EQ(readWholeFile(path), "1/2/30/0\n");
}

TEST_F(FileWriter, AbandonedRunLeavesNothingBehind) {
  PairWriter writer;
  ASSERT_EQ(openFileWriter(writer, dir + "/list.txt", false, {}), 0);
  writePair(writer, 1, 2, 30, 0);
  abandonWriter(writer);
  EXPECT_TRUE(listDir(dir).empty());
  EXPECT_NE(openFileWriter(writer, dir + "/no/such/dir/list.txt", false, {}), 0);
}

}  // namespace
