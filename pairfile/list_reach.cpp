#include "list_reach.h"

#include <algorithm>

namespace {

// Pairs of this length or shorter are not drawn, so where they end does not matter.
constexpr int32_t kShortestKept = 10;

void endToken(ListReach& reach) {
  reach.inToken = false;
  int64_t pos = fieldWalkValue(reach.walk, 1), partner = fieldWalkValue(reach.walk, 2);
  int64_t len = fieldWalkValue(reach.walk, 3);
  if (len <= kShortestKept || reach.pastLine != 0) return;
  int64_t end = std::max(pos, partner) + len;
  if (end <= reach.axisEnd) return;
  reach.pastLine = reach.lineNumber;
  reach.pastEnd = end;
}

}  // namespace

void startListReach(ListReach& reach, int64_t axisEnd) {
  reach = ListReach{};
  reach.axisEnd = axisEnd;
  reach.lineNumber = 1;
}

bool feedListReach(ListReach& reach, const char* bytes, size_t size) {
  for (size_t i = 0; i < size && reach.pastLine == 0; ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (isCSpace(c)) {
      if (reach.inToken) endToken(reach);
      if (c == '\n') ++reach.lineNumber;
      continue;
    }
    if (!reach.inToken) {
      startFieldWalk(reach.walk);
      reach.inToken = true;
    }
    feedFieldWalk(reach.walk, static_cast<char>(c));
  }
  return reach.pastLine == 0;
}

bool finishListReach(ListReach& reach) {
  if (reach.inToken) endToken(reach);
  return reach.pastLine == 0;
}
