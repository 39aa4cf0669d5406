// The batch leaves out what cannot reach the picture, and only that.
#include <gtest/gtest.h>

#include "bar_batch.h"
#include "camera.h"
#include "camera_fit.h"
#include "record_table.h"
#include "render_support.h"

namespace {

TEST(CullingTest, BarsBeyondTheFarPlaneOrBehindAreLeftOut) {
  ViewState view = startBarScene(320, 200);
  addRecord(50000, 60000, 3.0f, 1, 0, 0);       // in front of the start camera
  addRecord(200000000, 60000, 3.0f, 1, 0, 0);   // x 2000: past the far plane at 1000
  addRecord(150000000, 60000, 3.0f, 1, 0, 0);   // x 1500: some 1,200 along the view
  renderScene(view, false);
  BarBatchStats stats = barBatchStats();
  EXPECT_EQ(stats.selected, 3);
  EXPECT_EQ(stats.drawn, 1);

  camera.yaw = 120;  // turned round: the near bar is behind
  renderScene(view, false);
  EXPECT_EQ(barBatchStats().drawn, 0);
}

// Far along a genome's axis bars are drawn from the camera's origin: a bar at x 30002 seen
// from origin 30001 is the very picture of a bar at x 1 seen from 0.
TEST(CullingTest, FarAlongTheAxisBarsStandAsNearTheStart) {
  ViewState view = startBarScene(320, 200);
  addRecord(100000, 60000, 3.0f, 1, 0, 0);
  Picture nearStart = renderScene(view, false);
  recordTable.slots[1].x = 30002.0f;
  ++recordTable.revision;
  camera.originX = 30001;
  Picture farOut = renderScene(view, false);
  EXPECT_EQ(barBatchStats().drawn, 1);
  EXPECT_EQ(differingPixels(nearStart, farOut), 0);
}

// From the overview's altitude the far plane lies beyond both ends of a 3.1 Gb axis.
TEST(CullingTest, TheOverviewDrawsAGenomeWhole) {
  ViewState view = startBarScene(320, 200);
  addRecord(1000000, 60000, 7.0f, 1, 0, 0);
  addRecord(2000000, 60000, 7.0f, 1, 0, 0);
  recordTable.slots[2].x = 31000.0f;
  ++recordTable.revision;
  camera = overviewCamera(FitBox{0.0, 31000.0, 0.0, 0.0, 7.0}, 1.6);
  renderScene(view, false);
  EXPECT_EQ(barBatchStats().drawn, 2);
  camera = Camera{};
  renderScene(view, false);
}

}  // namespace
