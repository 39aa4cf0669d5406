// A pyramid over the axis for the bars of a store: the bars in order of position, and over
// them levels of nodes that each keep their tallest bar, so that a frame draws one bar
// where a pixel's worth of axis holds thousands (pyramid_selection.h chooses them). Plain
// arrays built from plain inputs. The filters that are not a length (identity, region,
// window) choose which bars it is built over; the length threshold is applied when a frame
// asks, since the tallest of a node is shown whenever anything in it is.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

constexpr int32_t kPyramidBlock = 8;  // bars under a node of the lowest level

// Where to read the bars from: slots 1 .. end - 1.
struct PyramidSource {
  int32_t end = 1;
  std::function<int64_t(int32_t)> position;  // where a slot's bar stands (0 .. 2^34)
  std::function<float(int32_t)> length;      // its scaled length: the height's key
  std::function<bool(int32_t)> inverted;     // whether its pair lies on opposite strands
  std::function<float(int32_t)> y;           // its row's y as it stands
  // Past this position x may jump (the far part slides); within each side it keeps order.
  int64_t breakPosition = INT64_MAX;
};

struct BarPyramid {
  // The bars, by position (equal positions by slot).
  std::vector<int32_t> slots;
  std::vector<float> lengths;
  std::vector<uint8_t> inverted;
  // tallest[0][b]: index of the tallest bar of block b (kPyramidBlock bars); tallest[k][i]:
  // of the 2^k blocks from i 2^k on. Ties go to the smaller slot, so a pair's first bar.
  std::vector<std::vector<int32_t>> tallest;
  // rise[k][i]: how far apart in y node i of level k's bars stood when it was built. The
  // slide moves a side's bars together, so that a node on one side of the break spans its
  // ends' y and this much about them.
  std::vector<std::vector<float>> rise;
  int32_t split = 0;         // the first bar past the break
  int32_t tallestStack = 1;  // most bars standing at one position
};

// Every bar the keep test passes (all when it is empty), sorted and summed.
void buildBarPyramid(BarPyramid& pyramid, const PyramidSource& source, const std::function<bool(int32_t)>& keep);

// Counts of the bars above a length threshold, summed over blocks so that any node's count
// is one difference: shown[b] is the number above it in blocks before b.
struct PyramidCounts {
  float threshold = 0;
  std::vector<uint32_t> shown;
  std::vector<uint32_t> inverted;
};
void countPyramidBars(const BarPyramid& pyramid, float threshold, PyramidCounts& counts);

// The bars above threshold, longest first (equal lengths by slot): the slot of the one
// after the bar of this length and slot, 0 when there is none. An infinite length asks for
// the longest.
int32_t pyramidBarAfter(const BarPyramid& pyramid, float threshold, float length, int32_t slot);
