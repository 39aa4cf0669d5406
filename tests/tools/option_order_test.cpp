// The command line as GNU tools read it (options after the file names, `--` ending them),
// and a closed standard input that stays unreadable whatever name it is given.
#include <gtest/gtest.h>

#include <string>

#include "tool_run.h"

namespace {

const char kPair[] = "chr1\t100\t200\tchr1\t5000\t5100\n";
const char kList[] = "100/5000/100/0\n";

TEST(OptionOrder, OptionsMayFollowTheFileNames) {
  std::string folder = scratchFolder("option_order");
  writeWholeFile(folder + "/in.bedpe", kPair);
  ToolResult import = runBuilt("quelvar-import in.bedpe --out list.txt --min-length 50", folder);
  EXPECT_EQ(import.exitCode, 0) << import.err;
  EXPECT_EQ(readWholeFile(folder + "/list.txt"), kList);
  EXPECT_EQ(import.err.find("cannot read --out"), std::string::npos) << import.err;

  // After `--` every word is a file, even one that looks like an option.
  writeWholeFile(folder + "/--out", kPair);
  ToolResult ended = runBuilt("quelvar-import -- --out", folder);
  EXPECT_EQ(ended.exitCode, 0) << ended.err;
  EXPECT_EQ(ended.out, kList);

  ToolResult summary = runBuilt("quelvar-summary list.txt --records", folder);
  EXPECT_EQ(summary.exitCode, 0) << summary.err;
  EXPECT_NE(summary.out.find("Count tandem load - 3\n"), std::string::npos) << summary.out;
  EXPECT_NE(summary.out.find("\n1\t100\t5000\t"), std::string::npos) << "--records not taken: " << summary.out;

  // The viewer reads its line the same way; --version after the file stops before a window.
  ToolResult viewer = runBuilt("quelvar list.txt --version", folder);
  EXPECT_EQ(viewer.exitCode, 0) << viewer.err;
  EXPECT_EQ(viewer.out, "quelvar " QUELVAR_VERSION "\n");
  ToolResult two = runBuilt("quelvar list.txt in.bedpe --hud", folder);
  EXPECT_EQ(two.exitCode, 2);
  EXPECT_NE(two.err.find("one file at a time; unexpected argument 'in.bedpe'"), std::string::npos) << two.err;

  // Tools that take no file still name the stray word, wherever it stands.
  for (const char* line : {"quelvar-snapshot stray --list list.txt", "quelvar-generate stray --tokens 5"}) {
    ToolResult stray = runBuilt(line, folder);
    EXPECT_EQ(stray.exitCode, 2) << line;
    EXPECT_NE(stray.err.find("'stray'"), std::string::npos) << line << ": " << stray.err;
  }
}

TEST(ClosedStandardInput, IsUnreadableByAnyName) {
  std::string folder = scratchFolder("closed_stdin");
  writeWholeFile(folder + "/in.bedpe", kPair);
  for (const char* name : {"", "-", "/dev/stdin", "/proc/self/fd/0", "/dev/fd/0"}) {
    ToolResult run = runBuilt(std::string("quelvar-import --out list.txt ") + name + " <&-", folder);
    EXPECT_EQ(run.exitCode, 1) << "'" << name << "': " << run.err;
    EXPECT_NE(run.err.find("cannot read "), std::string::npos) << "'" << name << "': " << run.err;
  }
  EXPECT_EQ(runCommand("ls list.txt", folder).exitCode, 2) << "no list from an unreadable input";
  ToolResult summary = runBuilt("quelvar-summary /dev/stdin <&-", folder);
  EXPECT_EQ(summary.exitCode, 1);
  EXPECT_NE(summary.err.find("cannot read /dev/stdin"), std::string::npos) << summary.err;

  // Open, the same names read as they always did, and an empty file stays empty.
  ToolResult open = runBuilt("quelvar-import /dev/stdin < in.bedpe", folder);
  EXPECT_EQ(open.exitCode, 0) << open.err;
  EXPECT_EQ(open.out, kList);
  ToolResult empty = runBuilt("quelvar-summary /dev/null <&-", folder);
  EXPECT_EQ(empty.exitCode, 0) << empty.err;
  EXPECT_EQ(empty.out, "Count tandem load - 1\nMax len tandem - 0\n");
}

}  // namespace
