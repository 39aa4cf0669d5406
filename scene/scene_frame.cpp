#include "scene_frame.h"

#include "annotation_strips.h"
#include "bar_drawing.h"
#include "dot_plot.h"
#include "draw_replay.h"
#include "floor.h"
#include "gl.h"
#include "hud.h"
#include "pair_links.h"
#include "projection.h"
#include "view_advance.h"
#include "window_mode.h"

void startScene() {
  glEnable(GL_DEPTH_TEST);
  initFloorColours();
}

namespace {

DrawList frameList;
SceneLook frameLook;

void addWorld(DrawList& list, const ViewState& view, bool flat) {
  if (view.look.dotPlot) {
    addDotPlot(list, view, flat);
    if (view.annotations != nullptr && view.look.showLanes) addAnnotationLanes(list, view, *view.annotations);
    return;
  }
  if (view.filter.windowMode) {
    addWindowBars(list, view);
    addScaleBar(list, view);
  } else {
    addBars(list, view);
  }
  if (view.look.showFloor) addFloor(list);
  if (view.annotations != nullptr && view.look.showLanes) addAnnotationLanes(list, view, *view.annotations);
  if (view.look.showLinks) addPairLinks(list, view);
}

}  // namespace

void buildSceneList(DrawList& list, const ViewState& view, const SceneLook& look) {
  startSceneList(list);
  list.orthographic = look.orthographic;
  list.lineWidth = look.lineWidth;
  if (look.white) {
    DrawItem& clear = beginDrawItem(list, DrawKind::clear, DrawSpace::world);
    for (int c = 0; c < 3; ++c) clear.colour[c] = kWhiteColour[c];
  }
  if (look.scissor) {
    DrawItem& on = beginDrawItem(list, DrawKind::scissorOn, DrawSpace::world);
    for (int k = 0; k < 4; ++k) on.box[k] = look.box[k];
  }
  addWorld(list, view, look.orthographic);
  if (look.scissor) beginDrawItem(list, DrawKind::scissorOff, DrawSpace::world);
  if (view.look.hud || view.input.promptLine != nullptr) addHud(list, view);
}

void setSceneLook(const SceneLook& look) { frameLook = look; }

void drawScene(const ViewState& view) {
  buildSceneList(frameList, view, frameLook);
  replayDrawList(frameList);
}

DrawList& lastSceneList() { return frameList; }

void renderFrame(ViewState& view, void (*input)(), ScenePasses passes) {
  glClearColor(kSkyColour[0], kSkyColour[1], kSkyColour[2], 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glPushMatrix();
  if (input != nullptr) input();
  followCameraAltitude();
  advanceView(view);
  passes(view);
  glPopMatrix();
}
