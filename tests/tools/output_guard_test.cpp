// What an output file owes the files around it, through the real quelvar-import: a replaced
// file keeps its permissions, a name at the folder's limit still gets its temporary, nothing
// read (standard input, the FASTA index) is written over, and a lost offset table fails the
// run.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "tool_run.h"

namespace {

const char kPair[] = "chr1\t100\t200\tchr1\t5000\t5100\n";
const char kList[] = "100/5000/100/0\n";

// Runs a shell script in folder with $BIN naming the build's programs.
ToolResult runScript(const std::string& script, const std::string& folder) {
  std::string file = folder + "/.script.sh";
  writeWholeFile(file, "BIN=" + builtProgram("") + "\n" + script);
  return runCommand("sh '" + file + "'", folder);
}

unsigned permissions(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 ? info.st_mode & 0777u : 0u;
}

TEST(OutputGuard, AReplacedFileKeepsItsPermissions) {
  std::string folder = scratchFolder("output_mode");
  writeWholeFile(folder + "/in.bedpe", kPair);
  for (unsigned mode : {0600u, 0640u, 0755u}) {
    writeWholeFile(folder + "/list.txt", "old\n");
    ASSERT_EQ(chmod((folder + "/list.txt").c_str(), mode), 0);
    ToolResult run = runBuilt("quelvar-import --force --out list.txt in.bedpe", folder);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(readWholeFile(folder + "/list.txt"), kList);
    EXPECT_EQ(permissions(folder + "/list.txt"), mode);
  }
  // A new file still gets what the umask leaves.
  ToolResult fresh = runScript("umask 027; $BIN/quelvar-import --out new.txt in.bedpe 2>/dev/null", folder);
  EXPECT_EQ(fresh.exitCode, 0);
  EXPECT_EQ(permissions(folder + "/new.txt"), 0640u);
}

TEST(OutputGuard, NamesUpToTheFolderLimitAreWritten) {
  std::string folder = scratchFolder("output_long_name");
  writeWholeFile(folder + "/in.bedpe", kPair);
  // 242 bytes fitted before; 243 to 255 put the temporary past the limit. The last holds
  // two-byte characters across the place the temporary's name is cut.
  std::string accented;
  while (accented.size() < 254) accented += "\xC3\xA9";  // é
  for (const std::string& name : {std::string(242, 'a'), std::string(243, 'b'), std::string(255, 'c'),
                                  "d" + accented}) {
    ToolResult run = runBuilt("quelvar-import --out '" + name + "' in.bedpe", folder);
    EXPECT_EQ(run.exitCode, 0) << name.size() << ": " << run.err;
    EXPECT_EQ(readWholeFile(folder + "/" + name), kList) << name.size();
    ToolResult again = runBuilt("quelvar-import --force --out '" + name + "' in.bedpe", folder);
    EXPECT_EQ(again.exitCode, 0) << name.size() << ": " << again.err;
  }
  for (const std::string& name : listDir(folder)) EXPECT_EQ(name.find(".tmp."), std::string::npos) << name;
  // One past the limit is the system's refusal, said and failed.
  ToolResult tooLong = runBuilt("quelvar-import --out '" + std::string(256, 'e') + "' in.bedpe", folder);
  EXPECT_EQ(tooLong.exitCode, 1);
  EXPECT_NE(tooLong.err.find("File name too long"), std::string::npos) << tooLong.err;
}

TEST(OutputGuard, NothingReadIsWrittenOver) {
  std::string folder = scratchFolder("output_inputs");
  writeWholeFile(folder + "/c.bedpe", kPair);
  writeWholeFile(folder + "/genome.fai", "chr1\t9000\t6\t60\t61\n");
  const std::string pairs = readWholeFile(folder + "/c.bedpe");
  const char* refused[] = {
      "quelvar-import --force --out c.bedpe < c.bedpe",           // standard input, read implicitly
      "quelvar-import --force --out c.bedpe - < c.bedpe",         // ... and named
      "quelvar-import --force --out ./c.bedpe /dev/stdin < c.bedpe",
      "quelvar-import --all-sequences --fai genome.fai --force --out genome.fai c.bedpe",
      "quelvar-import --all-sequences --force --out c.bedpe c.bedpe.sequences",  // the side file
  };
  writeWholeFile(folder + "/c.bedpe.sequences", "side\n");
  for (const char* line : refused) {
    ToolResult run = runBuilt(line, folder);
    EXPECT_EQ(run.exitCode, 2) << line << "\n" << run.err;
    EXPECT_NE(run.err.find("is also an input; not writing over it"), std::string::npos) << line << "\n" << run.err;
  }
  EXPECT_EQ(readWholeFile(folder + "/c.bedpe"), pairs);
  EXPECT_EQ(readWholeFile(folder + "/genome.fai"), "chr1\t9000\t6\t60\t61\n");
  EXPECT_EQ(readWholeFile(folder + "/c.bedpe.sequences"), "side\n");
  // Standard input from another file is no reason to refuse.
  writeWholeFile(folder + "/d.bedpe", kPair);
  ToolResult other = runBuilt("quelvar-import --force --out c.bedpe < d.bedpe", folder);
  EXPECT_EQ(other.exitCode, 0) << other.err;
}

TEST(OutputGuard, AnOffsetTableThatCannotBeWrittenFailsTheRun) {
  std::string folder = scratchFolder("output_offsets");
  writeWholeFile(folder + "/in.bedpe", kPair);
  // Standard error full: the table printed there is lost.
  EXPECT_EQ(runBuilt("quelvar-import --all-sequences in.bedpe 2>/dev/full >list.txt", folder).exitCode, 1);
  EXPECT_EQ(runBuilt("quelvar-import --all-sequences --out all.txt in.bedpe 2>/dev/full", folder).exitCode, 1);
  EXPECT_EQ(runBuilt("quelvar-import --all-sequences --force --out all.txt in.bedpe 2>/dev/null", folder).exitCode, 0);
  // Without --all-sequences there is no table, and a full standard error fails nothing.
  EXPECT_EQ(runBuilt("quelvar-import in.bedpe 2>/dev/full >list.txt", folder).exitCode, 0);

  // The side file past the file-size limit (SIGXFSZ ignored, so the write fails instead):
  // one pair in the list, many long names in the table.
  std::string index;
  for (int i = 0; i < 200; ++i)
    index += "sequence_with_a_rather_long_name_number_" + std::to_string(i) + "\t1000\t0\t60\t61\n";
  writeWholeFile(folder + "/many.fai", "chr1\t9000\t0\t60\t61\n" + index);
  ToolResult side = runScript(
      "(trap '' XFSZ; ulimit -f 8; $BIN/quelvar-import --all-sequences --fai many.fai --out big.txt in.bedpe 2>&1;"
      " echo \"status $?\") | grep -e status -e 'offset table'; ls big.txt*\n",
      folder);
  EXPECT_EQ(side.out, "quelvar-import: big.txt written without its offset table\nstatus 1\nbig.txt\n") << side.err;
}

}  // namespace
