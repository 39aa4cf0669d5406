// Where the loaded sequences lie on the axis, so that what the viewer says of a position
// can name its sequence and its 1-based position there, as genome browsers do. Empty for
// a list that names no sequence; then positions stay axis positions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct SequencePlace {
  std::string name;
  int64_t offset;  // where it starts on the axis
  int64_t length;  // 0 when unknown: it then holds everything from offset on
};

void setSequencePlaces(std::vector<SequencePlace> places);
const std::vector<SequencePlace>& sequencePlaces();

// The index of the sequence holding an axis position, or -1 (none, or between two).
int32_t sequenceHolding(int64_t position);

// "NODE_18:12,345" for axis position 12,344 of NODE_18; "12,344" where no sequence holds it.
void formatSequencePosition(int64_t position, char* out, size_t room);
