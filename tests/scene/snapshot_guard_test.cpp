// quelvar-snapshot refusing what it cannot do well rather than doing it badly: move lists
// that would run for minutes, SVG options it would leave out, a list or a picture named
// twice; and text it must tame: titles of any bytes and any length.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <string>

#include "tool_run.h"

namespace {

class SnapshotGuard : public ::testing::Test {
 protected:
  // A folder of its own: ctest runs each case in a process of its own, side by side.
  static void SetUpTestSuite() {
    dir = makeScratchDir();
    ASSERT_EQ(runCommand(GENERATE_TOOL " --tokens 3000 --axis 30000000 --seed 5 > list.txt", dir).exitCode, 0);
    ASSERT_EQ(runCommand("cp list.txt date.txt", dir).exitCode, 0);
  }
  static void TearDownTestSuite() { removeTree(dir); }
  int run(const std::string& arguments) {
    ToolResult result = runCommand(SNAPSHOT_TOOL " " + arguments, dir);
    out = result.out;
    err = result.err;
    return result.exitCode;
  }
  bool exists(const std::string& name) { return runCommand("test -e '" + name + "'", dir).exitCode == 0; }
  static std::string dir;
  std::string out, err;
};
std::string SnapshotGuard::dir;

TEST_F(SnapshotGuard, MoveListsPastAFewSecondsOfWorkAreRefused) {
  // 3,000 tokens make 5,700 or so bars; 10^8 slide steps over the fixed table's (date.txt
  // read by default) is minutes of work. A named list's store moves no bar a step.
  for (const char* moves : {"--moves x+100000000", "--moves z100000,y-100000,z100000",
                            "--zoom-steps 10000 --moves x+200000"}) {
    EXPECT_EQ(run(std::string("--size 40x30 --out moves.png ") + moves), 2) << moves;
    EXPECT_NE(err.find("steps over"), std::string::npos) << moves << ": " << err;
    EXPECT_NE(err.find("more than the 1,000,000,000 steps x bars"), std::string::npos) << err;
    EXPECT_FALSE(exists("moves.png")) << moves;
  }
  // Well inside the bound, as P writes them.
  EXPECT_EQ(run("--size 40x30 --out moves.png --moves z2,x+1200,y-40"), 0) << err;
  EXPECT_TRUE(exists("moves.png"));
  EXPECT_EQ(run("--list list.txt --size 40x30 --out named.png --moves x+100000000"), 0) << err;
  ToolResult help = runCommand(SNAPSHOT_TOOL " --help", dir);
  EXPECT_NE(help.out.find("at most 1,000,000,000 steps x bars"), std::string::npos);
}

TEST_F(SnapshotGuard, SvgDrawsTheAidsToo) {
  // The HUD's text, the links and the pick go into an SVG as into a PNG.
  for (std::string option : {"--hud", "--links", "--hud --pick 3"}) {
    EXPECT_EQ(run("--list list.txt --out aids.svg " + option), 0) << option << err;
    EXPECT_TRUE(exists("aids.svg")) << option;
    ASSERT_EQ(runCommand("rm -f aids.svg", dir).exitCode, 0);
  }
  EXPECT_EQ(run("--list list.txt --size 40x30 --out aids.svg --out aids.png --hud --links --pick 3"), 0) << err;
  EXPECT_TRUE(exists("aids.svg") && exists("aids.png"));
}

TEST_F(SnapshotGuard, OneListAndOnePicturePerFile) {
  ASSERT_EQ(runCommand("cp list.txt other.txt && mkdir -p sub", dir).exitCode, 0);
  for (const char* late : {"--list other.txt", "--lis=other.txt", "-l other.txt", "-pl other.txt", "--from paf",
                           "--all-sequences", "--fai list.fai"}) {
    EXPECT_EQ(run(std::string("--list list.txt --size 40x30 --out late.png ") + late), 2) << late;
    EXPECT_NE(err.find("apply to the one load; give them before the first --out"), std::string::npos) << late << ": " << err;
  }
  EXPECT_FALSE(exists("late.png"));

  for (const char* twice : {"--out same.png --out same.png", "--out same.png --out ./same.png",
                            "--out sub/same.png --out sub/../sub/same.png"}) {
    EXPECT_EQ(run(std::string("--list list.txt --size 40x30 ") + twice + " --points"), 2) << twice;
    EXPECT_NE(err.find("two pictures would both be written to"), std::string::npos) << twice << ": " << err;
  }
  EXPECT_FALSE(exists("same.png") || exists("sub/same.png"));
  EXPECT_EQ(run("--list list.txt --size 40x30 --out same.png --out sub/same.png"), 0) << err;
}

// The figure options are read with all the others: abbreviated as any option is, a picture's
// own after its --out, and a bad one reported where it stands, --help or not.
TEST_F(SnapshotGuard, FigureOptionsAbbreviateAndKeepTheirOrder) {
  ASSERT_EQ(run("--list list.txt --size 60x40 --annotate --max-l=500 --out a.png --back white --out b.png --tit T"), 0) << err;
  EXPECT_TRUE(exists("a.png") && exists("b.png"));
  EXPECT_EQ(run("--list list.txt --size 60x40 --out c.svg --background=grey"), 2);
  EXPECT_NE(err.find("--background wants white or sky, not 'grey'"), std::string::npos) << err;
  EXPECT_FALSE(exists("c.svg"));
  EXPECT_EQ(run("--bogus --help"), 2);
  EXPECT_NE(err.find("unknown option '--bogus'"), std::string::npos) << err;
  EXPECT_EQ(run("--f"), 2) << "--fit, --frames, --from or --fai: ambiguous";
}

TEST_F(SnapshotGuard, TitlesOfAnyBytesMakeValidSvg) {
  // A lone continuation byte, a cut sequence, an overlong slash, a surrogate, past U+10FFFF,
  // and U+FFFE, which XML forbids though UTF-8 carries it.
  std::string bad = "'bad \x80 cut \xE2\x82 slash \xC0\xAF half \xED\xA0\x80 big \xF4\x90\x80\x80 nonchar \xEF\xBF\xBE end'";
  ASSERT_EQ(run("--list list.txt --out title.svg --title " + bad), 0) << err;
  ToolResult lint = runCommand("xmllint --noout title.svg", dir);
  EXPECT_EQ(lint.exitCode, 0) << lint.err;
  std::string svg = readWholeFile(dir + "/title.svg");
  const std::string r = "\xEF\xBF\xBD";  // U+FFFD
  EXPECT_NE(svg.find(">bad " + r + " cut " + r + " slash " + r + " half " + r + " big " + r + " nonchar " + r +
                     " end</text>"),
            std::string::npos)
      << svg.substr(svg.find("<text"), 300);
  // Good text passes as it is.
  ASSERT_EQ(run("--list list.txt --size 400x300 --out title.svg --title 'Chromosome 7 \xC2\xB7 \xE2\x80\x93 r\xC3\xA9p\xC3\xA9tition'"), 0);
  EXPECT_NE(readWholeFile(dir + "/title.svg").find(">Chromosome 7 \xC2\xB7 \xE2\x80\x93 r\xC3\xA9p\xC3\xA9tition</text>"),
            std::string::npos);
}

// A sequence name is whatever bytes the aligner wrote: the HUD's pick line carries it into
// the SVG as valid XML.
TEST_F(SnapshotGuard, HudLinesOfAnyNameBytesMakeValidSvg) {
  const std::string name = "n\x01" "a&<>\"'b\xFF\xC3(z";
  writeWholeFile(dir + "/odd.paf", name + "\t1000\t10\t400\t+\t" + name + "\t1000\t500\t890\t390\t390\t60\n");
  ASSERT_EQ(run("--list odd.paf --hud --pick 1 --goto 300 --out odd.svg"), 0) << err;
  ToolResult lint = runCommand("xmllint --noout odd.svg", dir);
  EXPECT_EQ(lint.exitCode, 0) << lint.err;
  EXPECT_NE(readWholeFile(dir + "/odd.svg").find(">n a&amp;&lt;&gt;&quot;&apos;b\xEF\xBF\xBD\xEF\xBF\xBD(z:11\xE2\x80\x93" "400 "),
            std::string::npos);
}

TEST_F(SnapshotGuard, ALongTitleIsCutToThePictureWithAnEllipsis) {
  // Peak memory of the children so far, in kB, after a short title and after 100 kB of one:
  // a title laid out whole took gigabytes at this size.
  auto peakAfter = [&](const std::string& title) {
    EXPECT_EQ(run("--list list.txt --size 3840x2160 --out title.png --out title.svg --title " + title), 0) << err;
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss;
  };
  long shortTitle = peakAfter("W");
  long longTitle = peakAfter(std::string(100000, 'W'));
  EXPECT_LT(longTitle - shortTitle, 50 * 1024) << "grew from " << shortTitle << " kB to " << longTitle << " kB";
  std::string svg = readWholeFile(dir + "/title.svg");
  size_t start = svg.find("text-anchor=\"middle\">W");
  ASSERT_NE(start, std::string::npos);
  std::string shown = svg.substr(start, svg.find("</text>", start) - start);
  EXPECT_LT(shown.size(), 400u);
  EXPECT_EQ(shown.substr(shown.size() - 3), "\xE2\x80\xA6") << "a cut title ends with an ellipsis";
  // A title that fits is never cut.
  ASSERT_EQ(run("--list list.txt --size 400x300 --out title.svg --title " + std::string(10, 'W')), 0);
  EXPECT_NE(readWholeFile(dir + "/title.svg").find(">WWWWWWWWWW</text>"), std::string::npos);
}

TEST_F(SnapshotGuard, AFarCameraDrawsItsHud) {
  for (const char* camera : {"1e30,0,70,0", "-3e38,1e30,90,45"})
    EXPECT_EQ(run(std::string("--list list.txt --size 200x100 --out far.png --hud --camera ") + camera), 0)
        << camera << ": " << err;
}

}  // namespace
