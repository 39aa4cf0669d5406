// The batch leaves out what cannot reach the picture, and only that.
#include <gtest/gtest.h>

#include "bar_batch.h"
#include "camera.h"
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

}  // namespace
