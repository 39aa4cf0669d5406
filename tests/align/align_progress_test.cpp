// Progress: plain lines on a file, one line rewritten in place on a terminal, and always a
// closing line with the totals for a run that took a second or more (a slow sink makes sure
// it does).
#include <gtest/gtest.h>

#include <cstring>

#include <pty.h>
#include <unistd.h>

#include "genomes.h"
#include "progress_line.h"

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

// What the viewer's progress bar is told about a genome of one sequence.
struct Told {
  std::vector<double> fractions;
  bool withinTheSequence = false;  // a share of the bases before the sequence was done
};

TEST(SelfAlignProgress, OneSequenceCountsItsBasesAsTheDpCoversThem) {
  const char* kEcoli = "/usr/share/doc/ragout/examples/E.Coli/references/MG1655-K12.fasta.gz";
  if (!haveGenome(kEcoli)) GTEST_SKIP() << "needs ragout-examples (scripts/deps.sh installs it)";
  SelfAlignOptions options;
  options.status = [](void* context, double fraction, const std::string& text) {
    Told& told = *static_cast<Told*>(context);
    told.fractions.push_back(fraction);
    if (fraction > 0 && fraction < 1 && text.find(": 0 of 1 sequences, ") != std::string::npos) told.withinTheSequence = true;
  };
  Told told;
  std::vector<FastaSequence> sequences;
  std::string error;
  ASSERT_TRUE(selfAlignFasta(kEcoli, options, [](void*, std::string_view) {}, &told, sequences, error)) << error;
  EXPECT_TRUE(told.withinTheSequence);
  for (size_t i = 1; i < told.fractions.size(); ++i) EXPECT_GE(told.fractions[i], told.fractions[i - 1]);
}

TEST(SelfAlignProgress, TimeLeftRisesNoFasterThanTheClock) {
  TimeLeft left;
  EXPECT_EQ(timeLeft(left, 10, 17), 17);
  EXPECT_EQ(timeLeft(left, 11, 41), 18);  // a slow stretch near the end
  EXPECT_EQ(timeLeft(left, 12, 5), 5);    // a fall is told at once
}

}  // namespace
