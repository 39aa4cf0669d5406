// quelvar-snapshot's figures end to end: annotations that OCR reads back and that stand
// where the bars stand, SVG that validates and rasterises onto the PNG, and --fit.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "figure_records.h"
#include "record_table.h"
#include "tandem_loader.h"

namespace {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  const uint8_t* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
  bool black(int x, int y) const { return at(x, y)[0] < 60 && at(x, y)[1] < 60 && at(x, y)[2] < 60; }
  // Line-style bars are (0, 0, r); the ink is grey to black, equal in all three.
  bool bar(int x, int y) const { return at(x, y)[0] == 0 && at(x, y)[1] == 0 && at(x, y)[2] > 0; }
};

Picture decode(const std::string& path) {
  Picture p;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return p;
  image.format = PNG_FORMAT_RGB;
  std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return p;
  p.width = static_cast<int>(image.width);
  p.height = static_cast<int>(image.height);
  p.rgb = std::move(rgb);
  return p;
}

std::string readAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class FigureTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir = ::testing::TempDir() + "quelvar_figure_" + std::to_string(::getpid());
    ASSERT_EQ(std::system(("mkdir -p " + dir).c_str()), 0);
    // A pair every 500 kb: wherever a tick falls, a bar stands on it.
    std::ofstream list(dir + "/grid.txt");
    for (int k = 0; k < 20; ++k) list << k * 1000000 << '/' << k * 1000000 + 500000 << '/' << 4000 + 300 * k << "\n";
  }
  // Runs a command in the test directory; returns its exit code, output in err.
  int sh(const std::string& command) {
    int status = std::system(("cd " + dir + " && (" + command + ") > out.txt 2> err.txt").c_str());
    err = readAll(dir + "/err.txt") + readAll(dir + "/out.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  int snapshot(const std::string& arguments) { return sh(SNAPSHOT_TOOL " " + arguments); }
  static std::string dir;
  std::string err;
};
std::string FigureTest::dir;

// The row of the position axis: the longest run of ink across the lower half.
int axisRow(const Picture& p) {
  int best = -1, bestRun = 0;
  for (int y = p.height / 2; y < p.height; ++y) {
    int run = 0;
    for (int x = 0; x < p.width; ++x) run += p.black(x, y) ? 1 : 0;
    if (run > bestRun) bestRun = run, best = y;
  }
  return best;
}

TEST_F(FigureTest, TickLabelsReadBackAndTicksStandUnderTheirBars) {
  ASSERT_EQ(snapshot("--list grid.txt --fit --annotate --no-floor --background white --size 1600x900 --out "
                     "ticks.png"), 0) << err;
  Picture p = decode(dir + "/ticks.png");
  ASSERT_EQ(p.width, 1600);
  int axis = axisRow(p);
  ASSERT_GT(axis, 0);

  // The legend stands left of the first bar; ticks hang below the axis, each under a bar,
  // as both go through one projection.
  int firstBar = p.width;
  for (int x = 0; x < p.width && firstBar == p.width; ++x)
    if (p.bar(x, axis - 3)) firstBar = x;
  int ticks = 0;
  for (int x = firstBar - 2; x < p.width - 2; ++x) {
    if (!p.black(x, axis + 4) || p.black(x - 3, axis + 4)) continue;
    ++ticks;
    bool barAbove = false;
    for (int dx = -1; dx <= 2; ++dx) barAbove = barAbove || p.bar(x + dx, axis - 3);
    EXPECT_TRUE(barAbove) << "tick at column " << x;
    x += 3;
  }
  EXPECT_GE(ticks, 3);

  // OCR reads the labels under the axis as successive round positions, and the legend's as
  // lengths.
  auto ocr = [&](int x, int y, int w, int h) {
    std::string crop = std::to_string(w) + "x" + std::to_string(h) + "+" + std::to_string(x) + "+" + std::to_string(y);
    EXPECT_EQ(sh("convert ticks.png -crop " + crop + " strip.png && tesseract strip.png stdout --psm 11"), 0) << err;
    return err;
  };
  std::string below = ocr(0, axis + 3, p.width, p.height - axis - 3);
  std::regex label("([0-9]+) Mb");
  std::vector<int> megabases;
  for (auto it = std::sregex_iterator(below.begin(), below.end(), label); it != std::sregex_iterator(); ++it)
    megabases.push_back(std::stoi((*it)[1]));
  ASSERT_GE(megabases.size(), 3u) << below;
  for (size_t i = 1; i < megabases.size(); ++i) EXPECT_GT(megabases[i], megabases[i - 1]) << below;

  std::string legend = ocr(0, 0, firstBar - 4, axis);
  EXPECT_NE(legend.find(" kb"), std::string::npos) << legend;
  std::string whole = ocr(0, 0, p.width, p.height);
  EXPECT_NE(whole.find("bar height"), std::string::npos) << whole;
}

TEST_F(FigureTest, SvgValidatesAndRasterisesOntoThePng) {
  // One load, three pictures: options after an --out are that picture's own, and each
  // picture starts from the records as loaded, whatever zoom the one before took.
  std::string figure = "--fit --annotate --title 'Grid pairs'";
  ASSERT_EQ(snapshot("--list grid.txt --out frame.png " + figure + " --out frame.svg " + figure +
                     " --out other.png --zoom-steps 5 --size 400x300"), 0) << err;
  ASSERT_EQ(snapshot("--list grid.txt --zoom-steps 5 --size 400x300 --out alone.png"), 0) << err;
  EXPECT_EQ(decode(dir + "/other.png").rgb, decode(dir + "/alone.png").rgb);
  ASSERT_EQ(sh("xmllint --noout frame.svg"), 0) << err;
  ASSERT_EQ(sh("rsvg-convert -o svg.png frame.svg"), 0) << err;
  Picture png = decode(dir + "/frame.png"), svg = decode(dir + "/svg.png"), other = decode(dir + "/other.png");
  ASSERT_EQ(svg.width, png.width);
  ASSERT_EQ(svg.height, png.height);
  EXPECT_EQ(other.width, 400);

  // Antialiasing and stroke rules differ, so allow small differences; a shift of the bars
  // or the floor would move thousands of pixels.
  auto differing = [&](int shift) {
    int n = 0;
    for (int y = 0; y < png.height; ++y)
      for (int x = 0; x + shift < png.width; ++x) {
        const uint8_t *a = png.at(x, y), *b = svg.at(x + shift, y);
        int d = std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
        n += d > 150 ? 1 : 0;
      }
    return n;
  };
  int same = differing(0);
  EXPECT_LT(same, png.width * png.height / 100);
  EXPECT_GT(differing(3), same * 2) << "the comparison notices a 3-pixel shift";

  std::string text = readAll(dir + "/frame.svg");
  EXPECT_NE(text.find(">Grid pairs</text>"), std::string::npos);
  EXPECT_NE(text.find(" Mb</text>"), std::string::npos);
}

// Both pictures blurred over 5 x 5 pixels, so antialiasing and a stroke's half pixel count
// little: the share of pixels whose channels then differ by more than 60 in sum.
double blurredDifference(const Picture& a, const Picture& b) {
  auto blurred = [](const Picture& p, int x, int y, int c) {
    int sum = 0, n = 0;
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx)
        if (x + dx >= 0 && x + dx < p.width && y + dy >= 0 && y + dy < p.height) sum += p.at(x + dx, y + dy)[c], ++n;
    return sum / n;
  };
  int differing = 0;
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x) {
      int d = 0;
      for (int c = 0; c < 3; ++c) d += std::abs(blurred(a, x, y, c) - blurred(b, x, y, c));
      differing += d > 60 ? 1 : 0;
    }
  return static_cast<double>(differing) / (a.width * a.height);
}

// The SVG is the PNG's own drawing list written out: rasterised, it shows the same things
// in the same places and colours, perspective and flat, with every aid. 1% of pixels may
// differ after blurring (text and strokes rasterise a little differently); a picture
// missing the lanes, the ruler or the HUD's panel, or with overlapping bars the other way
// round, differs by more.
TEST_F(FigureTest, SvgShowsWhatThePngShows) {
  ASSERT_EQ(sh(GENERATE_TOOL " --tokens 1500 --axis 20000000 --seed 5 > many.txt && printf "
               "'x\\t100000\\t4000000\\tgeneA\\nx\\t9000000\\t9600000\\tgeneB\\n' > lanes.bed"), 0) << err;
  const char* const pictures[] = {
      "--hud --pick 7 --annotation lanes.bed",
      "--links --hud --colour strand",
      "--window 1000000 --hud",
      "--points --colour identity",
      "--fit --annotate --height log --annotation lanes.bed",
      "--fit --annotate --background white --links --colour strand",
      "--fit --annotate --region 2,000,000-12,000,000 --annotation lanes.bed --hud --pick 7",
      "--fit --annotate --height log --links --colour strand --region 2,000,000-12,000,000",
  };
  for (const char* options : pictures) {
    ASSERT_EQ(snapshot(std::string("--list many.txt --size 640x360 ") + options + " --out m.png --out m.svg"), 0)
        << options << err;
    ASSERT_EQ(sh("rsvg-convert -b white -o m_svg.png m.svg"), 0) << err;
    Picture png = decode(dir + "/m.png"), svg = decode(dir + "/m_svg.png");
    ASSERT_EQ(svg.width, png.width);
    EXPECT_LT(blurredDifference(png, svg), 0.01) << options;
  }
  ASSERT_EQ(snapshot("--list many.txt --size 640x360 --out bare.png"), 0) << err;
  EXPECT_GT(blurredDifference(decode(dir + "/bare.png"), decode(dir + "/m_svg.png")), 0.01) << "the bound sees the aids";
}

TEST_F(FigureTest, FitShowsEveryPairAcrossTheWidth) {
  ASSERT_EQ(sh(GENERATE_TOOL " --tokens 3000 --axis 30000000 --seed 7 > wide.txt"), 0) << err;
  for (const char* size : {"800x450", "1000x1000"}) {
    ASSERT_EQ(snapshot(std::string("--list wide.txt --fit --no-floor --threshold 0 --size ") + size + " --out fit.png"),
              0) << err;
    Picture p = decode(dir + "/fit.png");
    int left = p.width, right = -1, top = p.height;
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x)
        if ((p.at(x, y)[0] == 0 && p.at(x, y)[1] == 0) || std::abs(p.at(x, y)[1] * 100 - 72 * p.at(x, y)[0]) <= 150) {
          left = std::min(left, x);
          right = std::max(right, x);
          top = std::min(top, y);
        }
    // Bars are blue lines, deepened towards amber where a column stands for several.
    // Nothing touches the edges, so no bar is cut off; the range spans the width.
    EXPECT_GT(left, 0) << size;
    EXPECT_LT(right, p.width - 1) << size;
    EXPECT_GT(top, 0) << size;
    EXPECT_GT(right - left, p.width * 85 / 100) << size;
  }
}

// A threshold past every pair: the frame keeps its axis and says why it is empty, flat
// and in perspective, rather than look like a picture that failed.
TEST_F(FigureTest, FitWithNothingShownDrawsItsAxisAndSaysSo) {
  for (const char* view : {"", " --perspective"}) {
    ASSERT_EQ(snapshot(std::string("--list grid.txt --fit --annotate --min-length 100000 --out none.svg") + view), 0)
        << err;
    std::string svg = readAll(dir + "/none.svg");
    EXPECT_NE(svg.find(">no pairs shown<"), std::string::npos) << view;
    EXPECT_NE(svg.find(">10 Mb<"), std::string::npos) << view << ": no position axis";
  }
}

TEST_F(FigureTest, FlatBarsStandUprightOnTheBaselineWithMaxLen) {
  // --max-len clips the longest pairs at the top; every bar still stands on the axis, one
  // pixel column wide at the viewer's size, and nothing of a bar lies below the axis.
  ASSERT_EQ(snapshot("--list grid.txt --fit --max-len 5000 --annotate --background white --out flat.png"), 0) << err;
  Picture p = decode(dir + "/flat.png");
  ASSERT_EQ(p.width, 992);
  int axis = axisRow(p);
  ASSERT_GT(axis, 0);
  int bars = 0;
  for (int x = 0; x < p.width; ++x) {
    int top = -1, bottom = -1, count = 0;
    for (int y = 0; y < p.height; ++y)
      if (p.bar(x, y)) {
        if (top < 0) top = y;
        bottom = y;
        ++count;
      }
    if (count == 0) continue;
    ++bars;
    EXPECT_EQ(count, bottom - top + 1) << "column " << x << " is one unbroken bar";
    EXPECT_LE(bottom, axis) << "column " << x;
    EXPECT_GE(bottom, axis - 2) << "column " << x << " stands on the axis";
    EXPECT_FALSE(x + 1 < p.width && p.bar(x + 1, bottom)) << "column " << x << " leans or is wider than a pixel";
  }
  EXPECT_EQ(bars, 40) << "both bars of all 20 pairs";
}

TEST(FigureRecords, MaxLenFixesTheHeightScaleForEveryPictureOfALoad) {
  std::string path = ::testing::TempDir() + "quelvar_maxlen_" + std::to_string(::getpid()) + ".txt";
  std::ofstream(path) << "100/200/50 300/400/1000\n";
  resetTandemData();
  ASSERT_EQ(loadTandemList(path.c_str(), 1), 0);
  keepLoadedRecords();
  for (int round = 0; round < 2; ++round) {  // each picture starts again from the loaded records
    normaliseRecordsFor(500);
    EXPECT_FLOAT_EQ(recordTable.slots[1].len, 0.7f) << "7 x 50 / 500";
    EXPECT_FLOAT_EQ(recordTable.slots[3].len, 7.0f) << "1000 bases are clipped at 7";
    EXPECT_FLOAT_EQ(recordTable.slots[3].x, 0.003f);
    normaliseRecordsFor(0);
    EXPECT_FLOAT_EQ(recordTable.slots[1].len, 0.35f) << "the list's longest stands 7 high";
    EXPECT_FLOAT_EQ(recordTable.slots[3].x, 0.003f);
  }
  std::remove(path.c_str());
}

}  // namespace
