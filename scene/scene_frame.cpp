#include "scene_frame.h"

#include "bar_drawing.h"
#include "floor.h"
#include "gl.h"
#include "hud.h"
#include "pair_links.h"
#include "window_mode.h"

void startScene() {
  glEnable(GL_DEPTH_TEST);
  initFloorColours();
}

void clearFrame() {
  glClearColor(0.6f, 0.8f, 1.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void drawScene(ViewState& view) {
  if (view.windowMode) {
    drawWindowBars(view);
    drawScaleBar(view);
  } else {
    drawBars(view.pointStyle ? 1 : 2, view);
  }
  if (view.showFloor) drawFloor();
  if (view.showLinks) drawPairLinks(view);
  if (view.hud) drawHud(view);
}

void pushFrameMatrix() { glPushMatrix(); }

void popFrameMatrix() { glPopMatrix(); }
