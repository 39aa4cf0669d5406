#include "sequence_places.h"

#include <algorithm>
#include <cstdio>

namespace {

std::vector<SequencePlace> places;

// 1234567 -> "1,234,567".
void withCommas(int64_t value, char* out, size_t room) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(value < 0 ? -value : value));
  std::string text = value < 0 ? "-" : "";
  size_t count = std::char_traits<char>::length(digits);
  for (size_t i = 0; i < count; ++i) {
    if (i > 0 && (count - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  std::snprintf(out, room, "%s", text.c_str());
}

}  // namespace

void setSequencePlaces(std::vector<SequencePlace> list) { places = std::move(list); }

const std::vector<SequencePlace>& sequencePlaces() { return places; }

int32_t sequenceHolding(int64_t position) {
  auto after = std::upper_bound(places.begin(), places.end(), position,
                                [](int64_t at, const SequencePlace& place) { return at < place.offset; });
  if (after == places.begin()) return -1;
  const SequencePlace& place = *(after - 1);
  if (place.length > 0 && position >= place.offset + place.length) return -1;
  return static_cast<int32_t>(after - 1 - places.begin());
}

void formatSequencePosition(int64_t position, char* out, size_t room) {
  int32_t held = sequenceHolding(position);
  if (held < 0) {
    withCommas(position, out, room);
    return;
  }
  const SequencePlace& place = places[static_cast<size_t>(held)];
  char within[32];
  withCommas(position - place.offset + 1, within, sizeof within);
  std::snprintf(out, room, "%s:%s", place.name.c_str(), within);
}
