// The fast passes against the literal ones on varied scenes: the same picture, up to a
// line drawn one pixel over here and there.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "camera.h"
#include "floor.h"
#include "record_table.h"
#include "render_support.h"

namespace {

constexpr int kWidth = 496;
constexpr int kHeight = 287;

// Deterministic scatter: positions over an axis, some stacked at one position.
void fillRecords(int pairs, int32_t axis, uint32_t seed) {
  clearRecords();
  uint32_t state = seed;
  auto next = [&state]() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  int32_t stacked = 0, stackHeight = 0;
  for (int i = 0; i < pairs; ++i) {
    int32_t a = static_cast<int32_t>(next() % static_cast<uint32_t>(axis));
    if (i % 7 == 0) stacked = a, stackHeight = 0;
    if (i % 7 < 3) a = stacked;  // a few rows standing at one position
    int32_t b = static_cast<int32_t>(next() % static_cast<uint32_t>(axis));
    float len = static_cast<float>(next() % 7000) / 1000.0f + 0.001f;
    float r = static_cast<float>(next() % 256) / 255.0f;
    float g = static_cast<float>(next() % 256) / 255.0f;
    float bl = static_cast<float>(next() % 256) / 255.0f;
    float rowY = a == stacked ? 0.1f * static_cast<float>(stackHeight++) : 0.0f;
    addRecord(a, b, len, r, g, bl, rowY);
    addRecord(b, a, len, r, g, bl, 0.0f);
  }
}

struct Scene {
  const char* name;
  Camera camera;
  ViewState view;
  int zoomSteps;
  int slideFrames;  // frames drawn first with the arrow flags set
};

class AgreementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    useRenderSize(kWidth, kHeight);
    initFloorColours();
  }

  // Renders the scene both ways from the same records and compares.
  void expectSamePicture(const Scene& scene) {
    SCOPED_TRACE(scene.name);
    for (int i = 0; i < scene.zoomSteps; ++i) scaleRecordsX(0.9);
    camera = scene.camera;
    ViewState base = scene.view;
    base.zoomSteps += scene.zoomSteps;
    ViewState slide = base;
    slide.input.arrows.moveRight = slide.input.arrows.jumpForward = scene.slideFrames > 0;
    for (int f = 0; f < scene.slideFrames; ++f) renderScene(slide, false);

    std::memcpy(saved.get(), &recordTable, sizeof(RecordTable));
    ViewState literalView = base, fastView = base;
    Picture literal = renderScene(literalView, true);
    std::memcpy(static_cast<void*>(&recordTable), saved.get(), sizeof(RecordTable));
    ++recordTable.revision;
    Picture fast = renderScene(fastView, false);

    int differing = differingPixels(literal, fast);
    EXPECT_LE(differing, kWidth * kHeight / 1000) << differing << " pixels differ";
    EXPECT_TRUE(differencesAreShifts(literal, fast));
    EXPECT_EQ(literalView.filter.windowStart, fastView.filter.windowStart);
    int notSky = 0;
    for (size_t i = 0; i < literal.rgb.size(); i += 3) notSky += isSky(&literal.rgb[i]) ? 0 : 1;
    sceneHadContent = notSky > 0;
  }

  std::unique_ptr<unsigned char[]> saved{new unsigned char[sizeof(RecordTable)]};
  bool sceneHadContent = false;
};

Camera cameraAt(float x, float y, float pitch, float yaw) {
  Camera c;
  c.camX = x;
  c.camY = y;
  c.pitch = pitch;
  c.yaw = yaw;
  return c;
}

ViewState viewWith(bool points, bool floor, bool window = false, int32_t windowStart = 0) {
  ViewState v;
  v.look.pointStyle = points;
  v.look.showFloor = floor;
  v.filter.windowMode = window;
  v.filter.windowStart = windowStart;
  return v;
}

TEST_F(AgreementTest, LinesAndPointsFromSeveralCameras) {
  const Scene scenes[] = {
      {"start camera, lines, floor", Camera{}, viewWith(false, true), 0, 0},
      {"start camera, points, floor", Camera{}, viewWith(true, true), 0, 0},
      {"turned and raised, lines", cameraAt(30, -4, 80, 20), viewWith(false, false), 0, 0},
      {"looking back along the axis", cameraAt(120, 2, 85, 250), viewWith(false, true), 0, 0},
      {"looking down, points", cameraAt(50, -2, 30, 0), viewWith(true, false), 0, 0},
      {"inside the bars", cameraAt(200, 1, 90, 90), viewWith(false, true), 0, 0},
  };
  for (const Scene& scene : scenes) {
    fillRecords(20000, 30000000, 7);
    expectSamePicture(scene);
    EXPECT_TRUE(sceneHadContent) << scene.name;
  }
}

TEST_F(AgreementTest, WholeAxisZoomAndSlide) {
  const Scene scenes[] = {
      {"whole axis, start camera", Camera{}, viewWith(false, true), 0, 0},
      {"twelve zoom steps", cameraAt(10, -3, 75, 30), viewWith(false, true), 12, 0},
      {"slid far part, lines", cameraAt(15, -6, 80, 10), viewWith(false, true), 0, 3},
      {"slid far part, points", cameraAt(15, -6, 80, 10), viewWith(true, false), 0, 4},
  };
  for (const Scene& scene : scenes) {
    fillRecords(40000, 300000000, 11);
    expectSamePicture(scene);
  }
}

TEST_F(AgreementTest, WindowModeAndThresholdEdges) {
  Scene window{"window mode", cameraAt(1, -3, 80, 0), viewWith(false, true, true, 100000), 0, 0};
  fillRecords(20000, 3000000, 3);
  expectSamePicture(window);
  EXPECT_TRUE(sceneHadContent);

  Scene zoomedWindow{"window mode after zoom", cameraAt(1, -3, 80, 0), viewWith(false, false, true, 200000), 4, 0};
  fillRecords(20000, 3000000, 4);
  expectSamePicture(zoomedWindow);

  // Threshold exactly at stored lengths, and below zero so every record shows.
  fillRecords(20000, 30000000, 5);
  Scene edge{"threshold at a stored length", Camera{}, viewWith(false, true), 0, 0};
  edge.view.filter.threshold = recordTable.slots[101].len;
  expectSamePicture(edge);
  fillRecords(20000, 30000000, 5);
  edge.view.filter.threshold = -0.01f;
  edge.name = "threshold below zero";
  expectSamePicture(edge);
}

// Frame after frame with something changed in between: the cached batch must follow.
TEST_F(AgreementTest, BatchFollowsChangesBetweenFrames) {
  fillRecords(20000, 30000000, 9);
  camera = cameraAt(20, -3, 80, 30);
  ViewState view = viewWith(false, true);
  auto expectLiteral = [&](const char* step) {
    SCOPED_TRACE(step);
    std::memcpy(saved.get(), &recordTable, sizeof(RecordTable));
    ViewState literalView = view, fastView = view;
    Picture literal = renderScene(literalView, true);
    std::memcpy(static_cast<void*>(&recordTable), saved.get(), sizeof(RecordTable));
    Picture fast = renderScene(fastView, false);
    EXPECT_LE(differingPixels(literal, fast), kWidth * kHeight / 1000);
    view = fastView;
  };
  expectLiteral("first frame");
  scaleRecordsX(0.9);
  view.zoomSteps += 1;
  expectLiteral("after a zoom step");
  view.filter.threshold = 3.5f;
  expectLiteral("after raising the threshold");
  view.look.pointStyle = true;
  expectLiteral("points");
  rotateCamera(-4, 7);
  moveCamera(cameraHeading(), 0.5f);
  expectLiteral("after turning and moving");
  view.look.pointStyle = false;
  view.filter.windowMode = true;
  view.filter.windowStart = 500000;
  expectLiteral("window mode");
  view.input.arrows.moveRight = true;
  expectLiteral("window sliding, first frame");
  expectLiteral("window sliding, second frame");
  EXPECT_EQ(view.filter.windowStart, 502000);
  recordTable.count = 1001;  // fewer records, as after a reset and a short reload
  ++recordTable.revision;
  expectLiteral("after the table shrank");
}

TEST_F(AgreementTest, EmptyTable) {
  clearRecords();
  expectSamePicture({"empty, floor", Camera{}, viewWith(false, true), 0, 0});
  expectSamePicture({"empty, window mode", Camera{}, viewWith(false, false, true, 0), 0, 0});
  expectSamePicture({"empty, points", Camera{}, viewWith(true, false), 0, 0});
}

}  // namespace
