// The figure options of quelvar-snapshot (framing, background, height scale, annotations)
// and how one command line names several pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "snapshot_options.h"

struct FigureOptions {
  bool fit = false;           // side-on camera, the loaded range across the width
  bool flat = false;          // --flat: the orthographic side view (what --fit gives)
  bool perspective = false;   // --perspective: --fit keeps the perspective camera
  bool floor = false;         // --floor: the floor in the flat view too
  bool whiteBackground = false;
  int64_t maxLen = 0;         // bar height = 7 * length / maxLen, clipped at 7; 0: the list's longest
  bool annotate = false;      // position ticks and the height legend
  std::string title;          // drawn at the top when not empty

  // The orthographic side view: asked for, or what --fit gives without --perspective.
  bool flatView() const { return flat || (fit && !perspective); }
};

// One picture: the snapshot's own options and the figure options.
struct PicturePlan {
  SnapshotOptions options;
  FigureOptions figure;
  bool svg = false;  // by the output name's ending
};

// Options before the first --out apply to every picture; each --out starts a picture, and
// the options after it, up to the next --out, apply to that picture only. Without --out
// there is one picture, named by the snapshot's default. Returns kCliGoOn to render, or the
// exit code to stop with (--help, --version, or a bad argument, already reported).
int planPictures(int argc, char** argv, std::vector<PicturePlan>& pictures);

// These options as rows (option_row.h).
extern const OptionRows<FigureOptions> kFigureOptionRows;

// Usage text for these options, printed after the snapshot's own by --help; its "%s" holds
// the rows' help.
extern const char kFigureUsage[];
