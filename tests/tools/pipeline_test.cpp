// What every program owes a pipeline: one option idiom, exit codes that tell the truth,
// and files that are never lost, mixed or half written.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <string>

#include "tool_run.h"

namespace {

// Runs a shell script in folder with $BIN naming the build's programs.
ToolResult runScript(const std::string& script, const std::string& folder) {
  std::string file = folder + "/.script.sh";
  writeWholeFile(file, "BIN=" + builtProgram("") + "\n" + script);
  return runCommand("sh '" + file + "'", folder);
}

TEST(EveryProgram, SpeaksOneOptionIdiom) {
  std::string folder = scratchFolder("idiom");
  for (std::string tool : {"quelvar", "quelvar-summary", "quelvar-snapshot", "quelvar-import", "quelvar-generate",
                           "quelvar-load-bench", "quelvar-frame-bench", "import_bench", "open_bench"}) {
    ToolResult help = runBuilt(tool + " --help", folder);
    EXPECT_EQ(help.exitCode, 0) << tool;
    EXPECT_EQ(help.out.rfind("Usage: " + tool + " ", 0), 0u) << tool << ": " << help.out;
    EXPECT_EQ(help.err, "") << tool;
    ToolResult version = runBuilt(tool + " --version", folder);
    EXPECT_EQ(version.exitCode, 0) << tool;
    EXPECT_EQ(version.out, tool + " " QUELVAR_VERSION "\n");
    ToolResult bad = runBuilt(tool + " --no-such-option", folder);
    EXPECT_EQ(bad.exitCode, 2) << tool;
    EXPECT_EQ(bad.out, "") << tool;
    EXPECT_EQ(bad.err, tool + ": unknown option '--no-such-option'\nTry '" + tool + " --help' for more information.\n");
    EXPECT_EQ(runBuilt(tool + " --help >/dev/full", folder).exitCode, 1) << tool;
  }
}

TEST(SummaryAndGenerate, FailuresAreNeverReportedAsSuccess) {
  std::string folder = scratchFolder("honest_exit");
  ToolResult list = runBuilt("quelvar-generate --tokens 2000 --seed 9 >list.txt", folder);
  ASSERT_EQ(list.exitCode, 0);
  EXPECT_EQ(runBuilt("quelvar-summary --records list.txt >/dev/full", folder).exitCode, 1);
  EXPECT_EQ(runBuilt("quelvar-summary list.txt >&-", folder).exitCode, 1);
  EXPECT_EQ(runBuilt("quelvar-summary /nonexistent", folder).exitCode, 1);
  EXPECT_EQ(runBuilt("quelvar-generate --tokens 100000 >/dev/full", folder).exitCode, 1);
  ToolResult huge = runBuilt("quelvar-generate --tokens 1e30", folder);
  EXPECT_EQ(huge.exitCode, 2);
  EXPECT_NE(huge.err.find("--tokens"), std::string::npos) << huge.err;
}

TEST(Import, ClosedStandardStreamsNeverMixIntoTheList) {
  std::string folder = scratchFolder("import_streams");
  writeWholeFile(folder + "/in.bedpe", "chr1\t100\t200\tchr1\t5000\t5100\n");
  // Standard error closed: the list holds the pair and nothing else.
  ToolResult noErr = runScript("exec 2>&-\n$BIN/quelvar-import --out list.txt in.bedpe\necho \"status $?\"\n", folder);
  EXPECT_EQ(noErr.out, "status 0\n");
  EXPECT_EQ(readWholeFile(folder + "/list.txt"), "100/5000/100/0\n");
  // Standard input closed: an input that cannot be read, and no list.
  ToolResult noIn = runScript("exec 0<&-\n$BIN/quelvar-import --out empty.txt\necho \"status $?\"\n", folder);
  EXPECT_EQ(noIn.out, "status 1\n");
  EXPECT_NE(noIn.err.find("cannot read standard input"), std::string::npos) << noIn.err;
  EXPECT_EQ(runCommand("ls empty.txt", folder).exitCode, 2);
}

TEST(Import, SignalsLeaveNoTemporaryAndAnIgnoredHangupStaysIgnored) {
  std::string folder = scratchFolder("import_signals");
  ToolResult run = runScript(
      "mkfifo in.fifo\n"
      "exec 3<>in.fifo\n"  // a writer that never writes: the import waits for input
      // (sh starts background jobs with INT and QUIT ignored, and so they must stay)
      "for sig in USR1 ALRM TERM; do\n"
      "  (trap '' HUP; exec $BIN/quelvar-import --out list.txt in.fifo 2>/dev/null) &\n"
      "  pid=$!\n"
      "  sleep 0.3\n"
      "  kill -HUP $pid; sleep 0.2\n"
      "  kill -0 $pid 2>/dev/null && echo \"$sig: survived HUP\"\n"
      "  kill -$sig $pid; wait $pid; echo \"$sig: status $?\"\n"
      "done\n"
      "ls\n",
      folder);
  EXPECT_EQ(run.out,
            "USR1: survived HUP\nUSR1: status 138\n"
            "ALRM: survived HUP\nALRM: status 142\nTERM: survived HUP\nTERM: status 143\nin.fifo\n")
      << run.err;

  // Past the file-size limit the kernel's SIGXFSZ ends the run; the temporary goes with it.
  ToolResult big = runScript(
      "awk 'BEGIN { for (i = 0; i < 50000; i++) printf \"chr1\\t%d\\t%d\\tchr1\\t%d\\t%d\\n\", i, i+100, i+9000000, i+9000100 }' >big.bedpe\n"
      "(ulimit -f 64; exec $BIN/quelvar-import --out list.txt big.bedpe 2>/dev/null)\n"
      "echo \"status $?\"; ls\n",
      folder);
  EXPECT_EQ(big.out, "status 153\nbig.bedpe\nin.fifo\n");
}

TEST(Import, AnOverlongPafLineIsCountedAsSkipped) {
  std::string folder = scratchFolder("import_long_paf");
  std::string paf = "ctg\t5000\t100\t200\t+\tctg\t5000\t3000\t3100\t95\t100\t60\n";
  writeWholeFile(folder + "/in.paf", paf + std::string(1200000, 'q') + "\t5000\t100\t200\t+\tctg\t5000\t1\t2\t1\t1\t1\n" + paf);
  ToolResult run = runBuilt("quelvar-import in.paf", folder);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_NE(run.err.find("in.paf:2: "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("skipped 1 line"), std::string::npos) << run.err;
}

}  // namespace
