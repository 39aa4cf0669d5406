#include "goto_prompt.h"

#include <string>

#include "bar_height.h"
#include "camera.h"
#include "annotation_place.h"
#include "sequence_places.h"
#include "view_state_instance.h"

namespace {

constexpr size_t kMostTyped = 120;

bool open = false;
std::string typed;
std::string shown;  // the HUD's prompt line: what was typed, then why it could not be read

void showLine(const std::string& why) {
  shown = "go to: ";
  viewState.input.promptTypedFrom = static_cast<int32_t>(shown.size());
  shown += typed;
  viewState.input.promptTypedTo = static_cast<int32_t>(shown.size());
  shown += "_";
  if (!why.empty()) shown += "   (" + why + ")";
  viewState.input.promptLine = shown.c_str();
}

}  // namespace

void openGotoPrompt() {
  open = true;
  typed.clear();
  showLine("");
}

bool gotoPromptOpen() { return open; }

void typeIntoGotoPrompt(uint32_t codePoint) {
  if (!open || codePoint < 0x20 || codePoint > 0x7E || typed.size() >= kMostTyped) return;
  typed += static_cast<char>(codePoint);
  showLine("");
}

void eraseInGotoPrompt() {
  if (!open || typed.empty()) return;
  typed.pop_back();
  showLine("");
}

void closeGotoPrompt() {
  open = false;
  viewState.input.promptLine = nullptr;
}

void enterGotoPrompt() {
  if (!open) return;
  if (typed.find_first_not_of(' ') == std::string::npos) {
    closeGotoPrompt();
    return;
  }
  AxisRange place;
  std::string why, note;
  static const AnnotationLanes none;
  const AnnotationLanes& lanes = viewState.annotations != nullptr ? *viewState.annotations : none;
  if (findPlace(loadedSequences(), lanes, typed, place, why, note) != PlaceAnswer::Found) {
    showLine(why);
    return;
  }
  // In the dot plot a place is where it meets itself, on the diagonal.
  double x = xOfPosition(static_cast<double>(place.start), viewState.zoomSteps);
  camera = cameraLookingAt(x, viewState.look.dotPlot ? x : 0, tallestBar(viewState), frontCamera());
  closeGotoPrompt();
}
