// The figure options as rows: each option's parser, its writer and its help lines side by
// side.
#include <climits>
#include <cstring>
#include <string>

#include "cli_tool.h"
#include "figure_options.h"
#include "option_words.h"

namespace {

enum FigureOption : int {
  kFitOption = 0x1200,
  kBackgroundOption,
  kMaxLenOption,
  kAnnotateOption,
  kTitleOption,
  kFlatOption,
  kPerspectiveOption,
  kFloorOption,
};

bool takeFit(FigureOptions& figure, const char*, std::string&) {
  figure.fit = true;
  return true;
}
void writeFit(const FigureOptions& figure, std::string& line) {
  if (figure.fit) writeFlag(line, "fit");
}

bool takeFlat(FigureOptions& figure, const char*, std::string&) {
  figure.flat = true;
  figure.perspective = false;
  return true;
}
void writeFlat(const FigureOptions& figure, std::string& line) {
  if (figure.flat) writeFlag(line, "flat");
}

bool takePerspective(FigureOptions& figure, const char*, std::string&) {
  figure.perspective = true;
  figure.flat = false;
  return true;
}
void writePerspective(const FigureOptions& figure, std::string& line) {
  if (figure.perspective) writeFlag(line, "perspective");
}

bool takeFloor(FigureOptions& figure, const char*, std::string&) {
  figure.floor = true;
  return true;
}
void writeFloor(const FigureOptions& figure, std::string& line) {
  if (figure.floor) writeFlag(line, "floor");
}

bool takeBackground(FigureOptions& figure, const char* value, std::string& error) {
  if (std::strcmp(value, "white") != 0 && std::strcmp(value, "sky") != 0)
    return refuseOption(error, "--background wants white or sky, not '%s'", value);
  figure.whiteBackground = value[0] == 'w';
  return true;
}
void writeBackground(const FigureOptions& figure, std::string& line) {
  if (figure.whiteBackground) writeValue(line, "background", "white");
}

bool takeMaxLen(FigureOptions& figure, const char* value, std::string& error) {
  if (!parseCliInteger(value, 1, INT32_MAX, figure.maxLen)) {
    figure.maxLen = 0;
    return refuseOption(error, "--max-len wants a length in bases from 1 to 2147483647, not '%s'", value);
  }
  return true;
}
void writeMaxLen(const FigureOptions& figure, std::string& line) {
  if (figure.maxLen > 0) writeValue(line, "max-len", std::to_string(figure.maxLen));
}

bool takeAnnotate(FigureOptions& figure, const char*, std::string&) {
  figure.annotate = true;
  return true;
}
void writeAnnotate(const FigureOptions& figure, std::string& line) {
  if (figure.annotate) writeFlag(line, "annotate");
}

bool takeTitle(FigureOptions& figure, const char* value, std::string&) {
  figure.title = value;
  return true;
}
void writeTitle(const FigureOptions& figure, std::string& line) {
  if (!figure.title.empty()) writeValue(line, "title", figure.title);
}

const OptionRow<FigureOptions> kRows[] = {
    {"fit", false, kFitOption, takeFit, writeFit,
     "  --fit              the drawn range (or the --region) across the width, the tallest\n"
     "                     bar in the height, in the flat side view unless --perspective\n"},
    {"flat", false, kFlatOption, takeFlat, writeFlat,
     "  --flat             orthographic side view: x linear in position, bars upright, the\n"
     "                     height axis straight; no floor unless --floor (--fit gives it)\n"},
    {"perspective", false, kPerspectiveOption, takePerspective, writePerspective,
     "  --perspective      with --fit, the perspective camera side-on in place of --camera\n"
     "                     (the zoom steps are chosen too, unless --zoom-steps N > 0)\n"},
    {"floor", false, kFloorOption, takeFloor, writeFloor,
     "  --floor            the floor in the flat view too\n"},
    {"background", true, kBackgroundOption, takeBackground, writeBackground,
     "  --background white|sky   white for print (default sky, the viewer's light blue)\n"},
    {"max-len", true, kMaxLenOption, takeMaxLen, writeMaxLen,
     "  --max-len BP       bar height = 7 x length / BP, clipped at 7, so pictures of different\n"
     "                     lists compare (default: the list's longest pair is 7)\n"},
    {"annotate", false, kAnnotateOption, takeAnnotate, writeAnnotate,
     "  --annotate         position ticks along the axis (kb, Mb) and a legend saying what bar\n"
     "                     height means in bases; text scales with --size\n"},
    {"title", true, kTitleOption, takeTitle, writeTitle,
     "  --title TEXT       a title at the top, cut to the picture's width with an ellipsis\n"},
};

}  // namespace

const OptionRows<FigureOptions> kFigureOptionRows = optionRows(kRows);
