#include "scene_frame.h"

#include "annotation_strips.h"
#include "bar_drawing.h"
#include "floor.h"
#include "gl.h"
#include "hud.h"
#include "pair_links.h"
#include "view_advance.h"
#include "window_mode.h"

void startScene() {
  glEnable(GL_DEPTH_TEST);
  initFloorColours();
}

namespace {

void drawWorld(const ViewState& view) {
  if (view.windowMode) {
    drawWindowBars(view);
    drawScaleBar(view);
  } else {
    drawBars(view);
  }
  if (view.showFloor) drawFloor();
  if (view.annotations != nullptr && view.showLanes) drawAnnotationLanes(view, *view.annotations);
  if (view.showLinks) drawPairLinks(view);
}

}  // namespace

void drawScene(const ViewState& view) {
  drawWorld(view);
  if (view.hud || view.promptLine != nullptr) drawHud(view);
}

void drawSceneInScissor(const ViewState& view) {
  glEnable(GL_SCISSOR_TEST);
  drawWorld(view);
  glDisable(GL_SCISSOR_TEST);
  if (view.hud || view.promptLine != nullptr) drawHud(view);
}

void renderFrame(ViewState& view, void (*input)(), ScenePasses passes) {
  glClearColor(0.6f, 0.8f, 1.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glPushMatrix();
  if (input != nullptr) input();
  advanceView(view);
  passes(view);
  glPopMatrix();
}
