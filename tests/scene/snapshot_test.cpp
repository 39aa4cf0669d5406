// quelvar-snapshot end to end: run the real tool, decode its PNG, check size and colours.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tool_run.h"

namespace {

struct Decoded {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  bool ok = false;
};

Decoded decodePng(const std::string& path) {
  Decoded d;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return d;
  image.format = PNG_FORMAT_RGB;
  d.width = static_cast<int>(image.width);
  d.height = static_cast<int>(image.height);
  d.rgb.resize(PNG_IMAGE_SIZE(image));
  d.ok = png_image_finish_read(&image, nullptr, d.rgb.data(), 0, nullptr) != 0;
  return d;
}

class SnapshotTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = ::testing::TempDir() + "quelvar_snapshot_" + std::to_string(::getpid());
    std::string make = "mkdir -p " + dir + " && " GENERATE_TOOL " --tokens 3000 --axis 30000000 --seed 5 > " + dir +
                       "/list.txt";
    ASSERT_EQ(std::system(make.c_str()), 0);
  }
  // Runs the tool in the test directory, with environment settings put first; returns its
  // exit code.
  int run(const std::string& arguments, const std::string& environment = "") {
    ToolResult result = runCommand(environment + " " SNAPSHOT_TOOL " " + arguments, dir);
    out = result.out;
    err = result.err;
    return result.exitCode;
  }
  static int count(const Decoded& d, int r, int g, int b) {
    int n = 0;
    for (size_t i = 0; i < d.rgb.size(); i += 3)
      n += d.rgb[i] == r && d.rgb[i + 1] == g && d.rgb[i + 2] == b ? 1 : 0;
    return n;
  }
  // Bars in line style are (0, 0, r).
  static int lineColoured(const Decoded& d) {
    int n = 0;
    for (size_t i = 0; i < d.rgb.size(); i += 3) n += d.rgb[i] == 0 && d.rgb[i + 1] == 0 ? 1 : 0;
    return n;
  }
  // Blue lines of a named file's crowded columns, deepened towards amber (g 0.72 r).
  static int shadedLines(const Decoded& d) {
    int n = 0;
    for (size_t i = 0; i < d.rgb.size(); i += 3) n += d.rgb[i] > 0 && std::abs(d.rgb[i + 1] * 100 - 72 * d.rgb[i]) <= 150;
    return n;
  }
  static std::string dir;
  std::string out, err;
};
std::string SnapshotTest::dir;

TEST_F(SnapshotTest, WritesTheViewersFrameAsAnRgbPng) {
  ASSERT_EQ(run("--list list.txt --out frame.png"), 0) << err;
  EXPECT_NE(out.find("Count tandem load - "), std::string::npos) << "the summary as the viewer prints it";
  Decoded frame = decodePng(dir + "/frame.png");
  ASSERT_TRUE(frame.ok);
  EXPECT_EQ(frame.width, 992);
  EXPECT_EQ(frame.height, 573);
  EXPECT_EQ(frame.rgb[0], 153) << "sky in the top left corner";
  EXPECT_EQ(frame.rgb[1], 204);
  EXPECT_EQ(frame.rgb[2], 255);
  EXPECT_GT(lineColoured(frame), 100) << "bars";
  int sky = count(frame, kSkyRed, kSkyGreen, kSkyBlue);
  EXPECT_LT(sky, frame.width * frame.height * 9 / 10) << "the floor covers part of the picture";

  ASSERT_EQ(run("--list list.txt --out bare.png --no-floor --size 300x200 --camera 10,-3,85,20"), 0) << err;
  Decoded bare = decodePng(dir + "/bare.png");
  ASSERT_TRUE(bare.ok);
  EXPECT_EQ(bare.width, 300);
  EXPECT_EQ(bare.height, 200);
  EXPECT_EQ(count(bare, kSkyRed, kSkyGreen, kSkyBlue) + lineColoured(bare) + shadedLines(bare), 300 * 200)
      << "only sky and bars without the floor";
}

TEST_F(SnapshotTest, WindowModePointsAndTiming) {
  ASSERT_EQ(run("--list list.txt --out window.png --window-start 1000000 --zoom-steps 2 --no-floor"), 0) << err;
  Decoded window = decodePng(dir + "/window.png");
  ASSERT_TRUE(window.ok);
  EXPECT_GT(count(window, 255, 0, 0), 0) << "the red scale bar";

  ASSERT_EQ(run("--list list.txt --out points.png --points --threshold 0.5 --frames 3"), 0) << err;
  EXPECT_EQ(err.rfind("frame_ms ", 0), 0u) << err;
  EXPECT_GT(std::atof(err.c_str() + 9), 0.0);
  Decoded points = decodePng(dir + "/points.png");
  ASSERT_TRUE(points.ok);
  int sky = count(points, kSkyRed, kSkyGreen, kSkyBlue);
  EXPECT_GT(points.width * points.height - sky, 1000) << "points and floor";
  EXPECT_LT(lineColoured(points), 10) << "points take the records' colours, not blue lines";
}

TEST_F(SnapshotTest, UnreadableListIsRefusedAndWritesNoPicture) {
  EXPECT_EQ(run("--list absent.txt --out empty.png --no-floor --size 64x32"), 1) << err;
  EXPECT_EQ(out, "");
  EXPECT_EQ(err, "quelvar-snapshot: cannot read absent.txt: No such file or directory; no picture written\n");
  EXPECT_EQ(readWholeFile(dir + "/empty.png"), "");
  EXPECT_EQ(run("--list . --out empty.png"), 1) << "a directory fails on its first read";
  EXPECT_EQ(readWholeFile(dir + "/empty.png"), "");
}

TEST_F(SnapshotTest, BadArgumentsGetOneLineAndAHintAndExitTwo) {
  const char* bad[] = {"--size 0x10", "--size 12", "--size 10x10x", "--threshold nan", "--camera 1,2,3",
                       "--camera 1,2,3,4,5,6,7", "--camera 1,2,3,4,0", "--frames 0", "--zoom-steps -1", "--window-start 3000000000",
                       "--bogus", "--out", "--frames 2x"};
  for (const char* arguments : bad) {
    EXPECT_EQ(run(arguments), 2) << arguments;
    EXPECT_EQ(err.rfind("quelvar-snapshot: ", 0), 0u) << err;
    EXPECT_EQ(err.substr(err.find('\n') + 1), "Try 'quelvar-snapshot --help' for more information.\n") << err;
  }
}

TEST_F(SnapshotTest, FailuresKeepAnEarlierPictureAndExitOne) {
  ASSERT_EQ(run("--list list.txt --out keep.png --size 40x30"), 0) << err;
  std::string before = readWholeFile(dir + "/keep.png");
  EXPECT_EQ(run("--list list.txt --out no/such/dir/keep.png"), 1);
  EXPECT_NE(err.find("cannot write"), std::string::npos) << err;
  EXPECT_EQ(readWholeFile(dir + "/keep.png"), before);

  // No EGL vendor at all: a clear message, not a crash.
  EXPECT_EQ(run("--list list.txt --out keep.png", "__EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent"), 1);
  EXPECT_NE(err.find("EGL"), std::string::npos) << err;
  EXPECT_EQ(readWholeFile(dir + "/keep.png"), before);
}

TEST_F(SnapshotTest, OutputNeverGoesThroughOrOverAnythingElse) {
  // A planted link where an old version put its partial picture: its target is untouched.
  ASSERT_EQ(std::system(("cd " + dir + " && echo victim > victim.txt && ln -sf victim.txt o.png.partial && "
                         "mkfifo pipe.png && cp list.txt copy.txt").c_str()), 0);
  EXPECT_EQ(run("--list list.txt --out o.png --size 40x30"), 0) << err;
  EXPECT_EQ(readWholeFile(dir + "/victim.txt"), "victim\n");
  // Not a regular file, or the list itself: refused before anything is drawn.
  EXPECT_EQ(run("--list list.txt --out pipe.png --size 40x30"), 2);
  EXPECT_NE(err.find("not a regular file"), std::string::npos) << err;
  EXPECT_EQ(run("--list copy.txt --out copy.txt --size 40x30"), 2);
  EXPECT_EQ(readWholeFile(dir + "/copy.txt"), readWholeFile(dir + "/list.txt"));
  // Four runs at once to one picture: each succeeds, and what stays is one whole PNG.
  ASSERT_EQ(std::system(("cd " + dir + " && for i in 1 2 3 4; do " SNAPSHOT_TOOL
                         " --list list.txt --out same.png --size 300x200 >/dev/null & pids=\"$pids $!\"; done; "
                         "s=0; for p in $pids; do wait $p || s=1; done; exit $s").c_str()), 0);
  Decoded same = decodePng(dir + "/same.png");
  EXPECT_TRUE(same.ok && same.width == 300);
  EXPECT_EQ(std::system(("cd " + dir + " && ! ls | grep -q tmp").c_str()), 0) << "no temporary left behind";
}

TEST_F(SnapshotTest, ManyFramesRunInFlatMemory) {
  // Peak memory of the children so far, in kB: taken after a short run and after a long one.
  auto peakAfter = [&](const char* frames) {
    run(std::string("--list list.txt --out frames.png --size 200x100 --frames ") + frames);
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss;
  };
  long shortRun = peakAfter("20");
  long longRun = peakAfter("600");
  EXPECT_LT(longRun - shortRun, 20 * 1024) << "grew from " << shortRun << " kB to " << longRun << " kB";
}

}  // namespace
