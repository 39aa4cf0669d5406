// Progress: plain lines on a file, one line rewritten in place on a terminal, and always a
// closing line with the totals for a run that took a second or more (a slow sink makes sure
// it does).
#include <gtest/gtest.h>

#include <cstring>

#include <pty.h>
#include <unistd.h>

#include "genomes.h"

namespace {

constexpr int kSlowSinkMs = 4;  // over 183 contigs' few hundred lines: well past a second

bool startsWithPhase(const std::string& line) {
  for (const char* phase : {"reading ", "indexing ", "aligning ", "aligned "})
    if (line.compare(0, std::strlen(phase), phase) == 0) return true;
  return false;
}

TEST(SelfAlignProgress, PlainLinesOnAFile) {
  if (!haveGenome(kContigs)) GTEST_SKIP() << "needs ragout-examples (scripts/deps.sh installs it)";
  FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  AlignCall call;
  call.progress = file;
  call.sleepPerLineMs = kSlowSinkMs;
  InProcess result = alignInProcess(kContigs, call);
  ASSERT_TRUE(result.ok) << result.error;
  std::rewind(file);
  std::vector<std::string> lines;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, file) != nullptr) lines.emplace_back(buffer);
  std::fclose(file);
  ASSERT_FALSE(lines.empty());
  for (const std::string& line : lines) {
    EXPECT_TRUE(startsWithPhase(line)) << line;
    EXPECT_EQ(line.find('\r'), std::string::npos) << line;
  }
  const std::string& last = lines.back();
  EXPECT_EQ(last.compare(0, 8 + std::strlen(kContigs), std::string("aligned ") + kContigs), 0) << last;
  EXPECT_NE(last.find(": 183 sequences, 1.65 Mb, " + std::to_string(result.lines.size()) + " alignments in "),
            std::string::npos)
      << last;
}

TEST(SelfAlignProgress, OneLineInPlaceOnATerminal) {
  if (!haveGenome(kContigs)) GTEST_SKIP() << "needs ragout-examples (scripts/deps.sh installs it)";
  int master = -1, slave = -1;
  ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
  FILE* terminal = fdopen(slave, "w");
  ASSERT_NE(terminal, nullptr);
  AlignCall call;
  call.progress = terminal;
  call.sleepPerLineMs = kSlowSinkMs;
  InProcess result = alignInProcess(kContigs, call);
  ASSERT_TRUE(result.ok) << result.error;
  std::fclose(terminal);
  std::string shown;
  char buffer[4096];
  for (ssize_t got; (got = read(master, buffer, sizeof buffer)) > 0;) shown.append(buffer, static_cast<size_t>(got));
  close(master);
  // Every line starts over at the left edge; only the last one ends (the terminal shows it
  // as "\r\n").
  ASSERT_EQ(shown.compare(0, 1, "\r"), 0) << shown;
  EXPECT_EQ(shown.find('\n'), shown.size() - 1) << shown;
  size_t last = shown.rfind("\raligned ");
  ASSERT_NE(last, std::string::npos) << shown;
  EXPECT_NE(shown.find(" alignments in ", last), std::string::npos) << shown;
}

}  // namespace
