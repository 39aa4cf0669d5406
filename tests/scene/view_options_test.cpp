// The shared view options: what the viewer prints for its view reads back as the same view,
// bit for bit; the moves it writes down make the records' places again exactly; a length
// threshold in bases keeps a pair of exactly that length.
#include <gtest/gtest.h>
#include <getopt.h>

#include <cstring>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "camera.h"
#include "cli_tool.h"
#include "record_places.h"
#include "record_table.h"
#include "tandem_loader.h"
#include "tandem_scanner.h"
#include "view_options.h"

namespace {

int parseWords(const std::string& words, ViewOptions& options) {
  std::vector<std::string> parts{"test"};
  std::istringstream in(words);
  for (std::string word; in >> word;) parts.push_back(word);
  std::vector<char*> argv;
  for (std::string& part : parts) argv.push_back(part.data());
  argv.push_back(nullptr);
  std::vector<option> table;
  addLongOptions(table, kViewOptionRows);
  table.push_back({nullptr, 0, nullptr, 0});
  optind = 0;
  opterr = 0;
  for (int c; (c = getopt_long(static_cast<int>(parts.size()), argv.data(), "+:", table.data(), nullptr)) != -1;) {
    if (!isViewOption(c)) return kExitBadUsage;
    std::string error;
    if (!takeViewOption(c, optarg, options, error)) return kExitBadUsage;
  }
  std::string error;
  return checkViewOptions(options, error) ? kCliGoOn : kExitBadUsage;
}

void loadList(const char* text) {
  resetTandemData();
  restoreLoadedPlaces();  // forgets the moves of the last test
  TandemScanner scanner;
  startTandemScan(scanner, 1);
  scanTandemBytes(scanner, text, std::strlen(text));
  finishTandemScan(scanner);
  normalizeRecords();
}

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(ViewOptionsTest, PrintedViewParsesBackToTheSameView) {
  loadList("");
  ViewState view;
  view.filter.threshold = 0.0299f;
  view.filter.minIdentity = 9755;
  view.filter.windowMode = true;
  view.filter.windowStart = -3000;
  view.zoomSteps = 4;
  view.look.pointStyle = true;
  view.look.showFloor = false;
  view.look.hud = true;
  view.look.showLinks = true;
  view.look.colourMode = 2;
  view.input.pickedSlot = 17;
  view.look.logHeights = true;
  Camera eye{123.456f, -0.1f, 2.0f, 179.99998f, 1e-7f};
  std::string words = formatViewOptions(view, eye);
  EXPECT_EQ(words.find("e-"), std::string::npos) << words << ": plain decimals where they do";

  ViewOptions parsed;
  ASSERT_EQ(parseWords(words, parsed), kCliGoOn) << words;
  camera = Camera{};
  ViewState made = parsed.view;
  applyView(parsed, made);
  EXPECT_TRUE(sameBits(camera.camX, eye.camX) && sameBits(camera.camY, eye.camY) &&
              sameBits(camera.pitch, eye.pitch) && sameBits(camera.yaw, eye.yaw))
      << words;
  EXPECT_TRUE(sameBits(made.filter.threshold, view.filter.threshold));
  EXPECT_EQ(made.filter.minIdentity, view.filter.minIdentity);
  EXPECT_EQ(made.filter.windowMode, view.filter.windowMode);
  EXPECT_EQ(made.filter.windowStart, view.filter.windowStart);
  EXPECT_EQ(made.zoomSteps, view.zoomSteps);
  EXPECT_EQ(made.look.pointStyle, view.look.pointStyle);
  EXPECT_EQ(made.look.showFloor, view.look.showFloor);
  EXPECT_EQ(made.look.hud, view.look.hud);
  EXPECT_EQ(made.look.showLinks, view.look.showLinks);
  EXPECT_EQ(made.look.colourMode, view.look.colourMode);
  EXPECT_EQ(made.input.pickedSlot, view.input.pickedSlot);
  EXPECT_EQ(made.look.logHeights, view.look.logHeights);
  // And printed again, the same words.
  EXPECT_EQ(formatViewOptions(made, camera), words);

  for (const char* bad : {"--camera 1,2,3", "--colour red", "--moves z1,q3", "--moves x5", "--min-identity 101",
                          "--zoom-steps -1", "--camera 0,0,70,0 --goto 5000", "--height square"}) {
    ViewOptions ignored;
    EXPECT_EQ(parseWords(bad, ignored), kExitBadUsage) << bad;
  }
  camera = Camera{};
}

TEST(ViewOptionsTest, WrittenMovesMakeTheSamePlacesAndResetUndoesThem) {
  // Pairs on both sides of the far part's start, two of them at one position.
  loadList("100/2500000/50/0 2000000/3000001/60/0 3000001/9000000/70/1 150/150/80/0");
  std::vector<TandemRecord> loaded(recordTable.slots, recordTable.slots + recordTable.count);

  ViewState view;
  auto frames = [&view](int n) {
    for (int i = 0; i < n; ++i) slideFarPart(view);
  };
  zoomStep(view);
  view.input.arrows.moveRight = true;
  view.input.arrows.jumpForward = true;
  frames(37);
  view.input.arrows.jumpForward = false;
  zoomStep(view);
  zoomStep(view);
  view.input.arrows.moveRight = false;
  view.input.arrows.moveLeft = true;
  view.input.arrows.jumpBack = true;
  frames(5);
  std::vector<TandemRecord> moved(recordTable.slots, recordTable.slots + recordTable.count);
  std::string moves = describeRecordMoves();
  EXPECT_EQ(moves, "z1,x+37,z2,x-5,y+37,y-5");

  restoreLoadedPlaces();
  for (int32_t i = 1; i < recordTable.count; ++i) {
    EXPECT_TRUE(sameBits(recordTable.slots[i].x, loaded[i].x) && sameBits(recordTable.slots[i].y, loaded[i].y))
        << "slot " << i << " back where the load left it";
  }
  ViewOptions options;
  ASSERT_EQ(parseWords("--moves " + moves, options), kCliGoOn);
  ViewState made = options.view;
  applyView(options, made);
  EXPECT_EQ(made.zoomSteps, 3);
  for (int32_t i = 1; i < recordTable.count; ++i) {
    EXPECT_TRUE(sameBits(recordTable.slots[i].x, moved[i].x) && sameBits(recordTable.slots[i].y, moved[i].y))
        << "slot " << i;
  }
  EXPECT_EQ(describeRecordMoves(), moves);
}

// R: the whole look stays (even the parts no key changes), the filter and the zoom are the
// start's again, the input stays but for the slides.
TEST(ViewOptionsTest, ResetKeepsTheLookWholeAndMakesTheFilterAgain) {
  loadList("100/2500000/50/0 2000000/3000001/60/0");
  ViewOptions start;
  ASSERT_EQ(parseWords("--threshold 0.25 --window-start 101 --zoom-steps 1", start), kCliGoOn);
  ViewState view = start.view;
  applyView(start, view);
  const ViewFilter started = view.filter;
  view.filter = ViewFilter{};
  view.filter.minIdentity = 9000;
  zoomStep(view);
  ViewLook& look = view.look;
  look.pointStyle = look.hud = look.showLinks = look.logHeights = look.figureHud = true;
  look.showFloor = look.showLanes = false;
  look.colourMode = 2;
  look.heightBases = 1234.5;
  look.linkRise = 0.75f;
  view.input.pickedSlot = 3;
  view.input.arrows.moveRight = true;

  resetView(start, view);
  EXPECT_EQ(std::memcmp(&view.filter.threshold, &started.threshold, sizeof started.threshold), 0);
  EXPECT_EQ(view.filter.minIdentity, started.minIdentity);
  EXPECT_TRUE(view.filter.windowMode);
  EXPECT_EQ(view.filter.windowStart, 100);
  EXPECT_EQ(view.zoomSteps, 1);
  EXPECT_TRUE(look.pointStyle && look.hud && look.showLinks && look.logHeights && look.figureHud);
  EXPECT_FALSE(look.showFloor || look.showLanes);
  EXPECT_EQ(look.colourMode, 2);
  EXPECT_EQ(look.heightBases, 1234.5);
  EXPECT_EQ(look.linkRise, 0.75f);
  EXPECT_EQ(view.input.pickedSlot, 3);
  EXPECT_FALSE(view.input.arrows.moveRight);
  camera = Camera{};
}

TEST(ViewOptionsTest, MinLengthKeepsPairsOfExactlyThatLength) {
  for (const char* list : {"1/5/299/0 1/6/300/0 1/7/301/0 1/8/1000/0", "1/5/299/0 1/6/300/0 1/7/301/0 1/8/123457/0"}) {
    loadList(list);
    ViewOptions options;
    ASSERT_EQ(parseWords("--min-length 300", options), kCliGoOn);
    ViewState view = options.view;
    applyView(options, view);
    EXPECT_FALSE(recordTable.slots[1].len > view.filter.threshold) << list << ": 299 hidden";
    EXPECT_TRUE(recordTable.slots[3].len > view.filter.threshold) << list << ": 300 shown";
    EXPECT_TRUE(recordTable.slots[5].len > view.filter.threshold) << list << ": 301 shown";
  }
}

}  // namespace

namespace {

// --fit frames what is drawn: a pair hidden by --min-identity counts for nothing, however
// far off it lies, and the fit frames the records where the moves left them.
TEST(ViewOptionsTest, FitFramesOnlyTheShownPairsAsTheMovesLeaveThem) {
  const ViewFit fit{{-0.9, 0.9, -0.8, 0.8}, 992.0 / 573.0};
  auto fitted = [&fit](const char* list, const char* words) {
    loadList(list);
    ViewOptions options;
    EXPECT_EQ(parseWords(words, options), kCliGoOn) << words;
    camera = Camera{};
    ViewState view = options.view;
    applyView(options, view, &fit);
    return std::pair<Camera, int32_t>{camera, view.zoomSteps};
  };
  auto shown = fitted("100000/200000/500/0/99 300000/400000/500/1/99", "");
  auto hiding = fitted("100000/200000/500/0/99 300000/400000/500/1/99 50000000/50001000/500/0/80", "--min-identity 90");
  EXPECT_TRUE(sameBits(hiding.first.camX, shown.first.camX) && sameBits(hiding.first.camY, shown.first.camY) &&
              sameBits(hiding.first.pitch, shown.first.pitch))
      << "the 80% pair at 50 Mb moved the fit to " << hiding.first.camX;
  EXPECT_EQ(hiding.second, shown.second);

  auto slid = fitted("100000/200000/500/0 3000000/3100000/500/0", "--moves x+40");
  EXPECT_EQ(describeRecordMoves().rfind("x+40", 0), 0u) << describeRecordMoves();
  auto still = fitted("100000/200000/500/0 3000000/3100000/500/0", "");
  EXPECT_GT(slid.first.camX, still.first.camX) << "the far pair slid 4 units right widens the box";
  camera = Camera{};
}

// A feature's name may start with a digit ("23S_rRNA_3"); only a bare number is a position.
TEST(ViewOptionsTest, GotoTakesAnyNameAndABareNumberAsAPosition) {
  ViewOptions named;
  ASSERT_EQ(parseWords("--goto 23S_rRNA_3", named), kCliGoOn);
  EXPECT_EQ(named.gotoText, "23S_rRNA_3");
  EXPECT_EQ(named.gotoPosition, -1);
  ViewOptions position;
  ASSERT_EQ(parseWords("--goto 5000", position), kCliGoOn);
  EXPECT_EQ(position.gotoText, "");
  EXPECT_EQ(position.gotoPosition, 4999) << "1-based, as --region counts";
}

}  // namespace
