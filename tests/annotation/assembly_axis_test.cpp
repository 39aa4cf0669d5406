// A real 183-contig assembly (Helicobacter pylori contigs from Debian's ragout-examples)
// aligned against itself with minimap2 and imported with its sequences: the list's offset
// table beside it is read whenever the list is opened, and real Tandem Repeats Finder
// output of the same contigs lies on that axis at each contig's offset.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "annotation_lanes.h"
#include "pair_file.h"
#include "tool_run.h"

namespace {

const char kImport[] = QUELVAR_IMPORT_BIN;
const char kSummary[] = QUELVAR_SUMMARY_BIN;
const char kContigs[] = "/usr/share/doc/ragout/examples/H.Pylori/SJM180_contigs.fasta.gz";
const char kTrfOutput[] = "contigs.fa.2.7.7.80.10.50.500.dat";

struct AssemblyAxis : ::testing::Test {
  static std::string dir;
  static void SetUpTestSuite() {
    if (!std::ifstream(kContigs) || findOnPath("minimap2").empty() || findOnPath("trf").empty()) return;
    dir = makeScratchDir();
    bool made = runCommand(std::string("gzip -dc ") + kContigs +
                               " > contigs.fa && minimap2 -c -X -t 2 contigs.fa contigs.fa > self.paf 2>/dev/null && "
                               "(trf contigs.fa 2 7 7 80 10 50 500 -d -h > /dev/null 2>&1; true)",
                           dir)
                        .exitCode == 0 &&
                runTool({kImport, "--all-sequences", "--out", dir + "/list.txt", dir + "/self.paf"}).exitCode == 0;
    if (!made) {
      removeTree(dir);
      dir.clear();
    }
  }
  static void TearDownTestSuite() {
    if (!dir.empty()) removeTree(dir);
  }
  void SetUp() override {
    if (dir.empty()) GTEST_SKIP() << "needs ragout-examples, minimap2 and trf (scripts/deps.sh installs them)";
  }
};
std::string AssemblyAxis::dir;

using Placed = std::tuple<std::string, int64_t, int64_t>;  // name, offset, length

// The offset table as the test reads it, apart from the code under test.
std::vector<Placed> tableOf(const std::string& text) {
  std::vector<Placed> table;
  std::istringstream in(text);
  std::string name;
  int64_t offset = 0, length = 0;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream row(line);
    if (line[0] != '#' && row >> name >> offset >> length) table.emplace_back(name, offset, length);
  }
  return table;
}

std::vector<Placed> placedOf(const SequenceAxis& axis) {
  std::vector<Placed> placed;
  for (const AxisSequence& sequence : axis.sequences)
    placed.emplace_back(sequence.name, sequence.offset, sequence.length);
  return placed;
}

TEST_F(AssemblyAxis, AListOpensOnTheSequencesOfItsOffsetTable) {
  std::vector<Placed> table = tableOf(readWholeFile(dir + "/list.txt.sequences"));
  ASSERT_GT(table.size(), 20u);
  PairFileOptions named;
  named.named = true;
  ASSERT_EQ(loadPairFile((dir + "/list.txt").c_str(), named, 1), 0);
  EXPECT_EQ(placedOf(loadedSequences()), table);
  // The same as opening the alignments themselves.
  PairFileOptions direct = named;
  direct.import.allSequences = true;
  ASSERT_EQ(loadPairFile((dir + "/self.paf").c_str(), direct, 1), 0);
  EXPECT_EQ(placedOf(loadedSequences()), table);
}

TEST_F(AssemblyAxis, AMalformedOffsetTableIsRefusedButDateTxtReadByDefaultIsNot) {
  std::string folder = scratchFolder("broken");
  std::string list = readWholeFile(dir + "/list.txt");
  std::string table = readWholeFile(dir + "/list.txt.sequences");
  writeWholeFile(folder + "/list.txt", list);
  size_t secondLine = table.find('\n', table.find('\n') + 1) + 1;  // after the header and the first contig
  writeWholeFile(folder + "/list.txt.sequences", table.substr(0, secondLine) + "scfX\t12\n" + table.substr(secondLine));
  ToolResult refused = runTool({kSummary, folder + "/list.txt"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("list.txt.sequences:3: expected name<TAB>offset<TAB>length"), std::string::npos)
      << refused.err;
  EXPECT_EQ(refused.out, "");
  // Offsets that do not follow on from each other are no table this list was written with.
  size_t header = table.find('\n') + 1;
  writeWholeFile(folder + "/list.txt.sequences", table.substr(secondLine) + table.substr(header, secondLine - header));
  refused = runTool({kSummary, folder + "/list.txt"});
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.err.find("not where the sequence before it ends (0)"), std::string::npos) << refused.err;

  writeWholeFile(folder + "/date.txt", list);
  writeWholeFile(folder + "/date.txt.sequences", "not a table\n");
  ToolResult byDefault = runCommand(kSummary, folder);
  EXPECT_EQ(byDefault.exitCode, 0) << byDefault.err;
  EXPECT_EQ(byDefault.err, "");
  removeTree(folder);
}

// Every repeat trf reports, on a contig the pairs lie on, at that contig's offset plus its
// 1-based start; the others are said to be skipped.
TEST_F(AssemblyAxis, TandemRepeatsFinderOutputLiesAtItsContigsOffsets) {
  std::map<std::string, Placed> onAxis;
  for (const Placed& placed : tableOf(readWholeFile(dir + "/list.txt.sequences"))) onAxis[std::get<0>(placed)] = placed;
  std::vector<std::pair<int64_t, int64_t>> expected;
  int64_t elsewhere = 0;
  std::istringstream in(readWholeFile(dir + "/" + kTrfOutput));
  std::string line, sequence;
  while (std::getline(in, line)) {
    if (line.rfind("Sequence: ", 0) == 0) {
      sequence = line.substr(10, line.find(' ', 10) - 10);
      continue;
    }
    std::istringstream row(line);
    int64_t start = 0, end = 0;
    if (!(row >> start >> end) || line.find('.') == std::string::npos) continue;
    auto found = onAxis.find(sequence);
    if (found == onAxis.end()) {
      ++elsewhere;
      continue;
    }
    expected.emplace_back(std::get<1>(found->second) + start - 1, std::get<1>(found->second) + end);
  }
  ASSERT_GT(expected.size(), 50u);
  std::sort(expected.begin(), expected.end());

  SequenceAxis axis;
  std::string error;
  ASSERT_TRUE(readListSequences((dir + "/list.txt").c_str(), axis, error)) << error;
  AnnotationLanes lanes;
  std::string summary;
  ASSERT_TRUE(loadAnnotation(lanes, (dir + "/" + kTrfOutput).c_str(), axis, summary, error)) << error;
  const FeatureTable& features = lanes.lanes[0].features;
  std::vector<std::pair<int64_t, int64_t>> found;
  for (uint32_t i = 0; i < featureCount(features); ++i) found.emplace_back(features.start[i], features.end[i]);
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, expected);
  ASSERT_EQ(annotationClasses(lanes).size(), 1u);
  EXPECT_EQ(annotationClasses(lanes)[0].name, "tandem repeat");
  std::string skipped = elsewhere > 0 ? "skipped " + std::to_string(elsewhere) + " feature" : "skipped";
  EXPECT_EQ(summary.find(skipped) != std::string::npos, elsewhere > 0) << summary;
}

}  // namespace
