#include "sequence_places.h"

#include <algorithm>
#include <cstdio>

#include "axis_scale.h"
#include "text_fields.h"

namespace {

// The largest position --goto has always taken.
constexpr int64_t kLargestAxisPosition = 2147483647;
constexpr size_t kNamesListed = 5;

std::string_view trimmed(std::string_view text) {
  size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return std::string_view();
  size_t end = text.find_last_not_of(" \t");
  return text.substr(start, end - start + 1);
}

// Digits with commas between them ("5,000"); false for anything else or past 18 digits.
bool readNumber(std::string_view text, int64_t& value) {
  text = trimmed(text);
  if (text.empty() || text.front() == ',' || text.back() == ',') return false;
  value = 0;
  int digits = 0;
  for (char c : text) {
    if (c == ',') continue;
    if (c < '0' || c > '9' || ++digits > 18) return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

std::string knownNames(const SequenceAxis& axis) {
  std::string list;
  size_t count = axis.sequences.size();
  // Cut, as every name a message shows: a 100 kB name would fill the terminal.
  for (size_t i = 0; i < count && i < kNamesListed; ++i)
    list += (i > 0 ? ", " : "") + quotedForMessage(axis.sequences[i].name);
  if (count > kNamesListed) list += ", ... (" + groupedNumber(static_cast<int64_t>(count)) + " sequences)";
  return list;
}

PlaceAnswer invalid(std::string& error, std::string text) {
  error = std::move(text);
  return PlaceAnswer::Invalid;
}

// NAME:POS or NAME:START-END, the name already found; positions 1-based.
PlaceAnswer readPositions(const AxisSequence& sequence, std::string_view text, std::string_view positions,
                          AxisRange& range, std::string& error) {
  size_t dash = positions.find('-');
  int64_t first = 0, last = 0;
  bool read = dash == std::string_view::npos
                  ? readNumber(positions, first) && (last = first, true)
                  : readNumber(positions.substr(0, dash), first) && readNumber(positions.substr(dash + 1), last);
  if (!read)
    return invalid(error, "'" + quotedForMessage(text) + "': after '" + quotedForMessage(sequence.name) +
                              ":' comes a position or START-END (1-based, e.g. " + quotedForMessage(sequence.name) +
                              ":5,000-6,000)");
  if (first < 1) return invalid(error, "'" + quotedForMessage(text) + "': positions start at 1");
  if (last < first)
    return invalid(error, "'" + quotedForMessage(text) + "': the end " + groupedNumber(last) +
                              " comes before the start " + groupedNumber(first));
  // A sequence whose length no file gave (0) takes any position.
  if (sequence.length > 0 && last > sequence.length)
    return invalid(error, "'" + quotedForMessage(text) + "': " + quotedForMessage(sequence.name) + " is " +
                              groupedNumber(sequence.length) + " bp long; position " + groupedNumber(last) +
                              " is past its end");
  range = {sequence.offset + axisOfTyped(first), sequence.offset + last};
  return PlaceAnswer::Found;
}

}  // namespace

std::string groupedNumber(int64_t value) {
  char digits[24];
  int count = std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(value < 0 ? -value : value));
  std::string out = value < 0 ? "-" : "";
  for (int i = 0; i < count; ++i) {
    if (i > 0 && (count - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

bool sequencePlaceOf(const SequenceAxis& axis, int64_t at, SequencePlace& place) {
  const auto& sequences = axis.sequences;
  auto after = std::upper_bound(sequences.begin(), sequences.end(), at,
                                [](int64_t x, const AxisSequence& s) { return x < s.offset; });
  if (after == sequences.begin() || at < 0) return false;
  const AxisSequence& sequence = *(after - 1);
  bool last = after == sequences.end();
  // The last sequence ends where its length says; one whose length is unknown (0) holds
  // everything after its start.
  if (at >= sequence.offset + sequence.length && !(last && sequence.length == 0)) return false;
  place = {static_cast<uint32_t>(after - 1 - sequences.begin()), typedOfAxis(at - sequence.offset)};
  return true;
}

std::string formatAxisPlace(const SequenceAxis& axis, int64_t at) {
  SequencePlace place{};
  if (!sequencePlaceOf(axis, at, place)) return groupedNumber(at);
  return axis.sequences[place.sequence].name + ":" + groupedNumber(place.position);
}

uint32_t findSequenceNamed(const SequenceAxis& axis, std::string_view name) {
  auto found = axis.indexOf.find(std::string(name));
  if (found != axis.indexOf.end()) return found->second;
  uint32_t match = kNoSequence;
  for (size_t i = 0; i < axis.sequences.size(); ++i) {
    if (!equalIgnoringCase(axis.sequences[i].name, name)) continue;
    if (match != kNoSequence) return kNoSequence;  // two differ only by case: neither is meant
    match = static_cast<uint32_t>(i);
  }
  return match;
}

PlaceAnswer parsePlace(const SequenceAxis& axis, std::string_view text, AxisRange& range, std::string& error) {
  std::string_view place = trimmed(text);
  if (place.empty()) return invalid(error, "no place given: type a position, NAME, NAME:POS or NAME:START-END");
  int64_t position = 0;
  // Ensembl names chromosomes 1, 2, ...: a sequence of that very name comes before the number.
  bool named = axis.indexOf.count(std::string(place)) != 0;
  if (!named && readNumber(place, position)) {
    if (position < 1 || position > typedOfAxis(kLargestAxisPosition))
      return invalid(error, "'" + quotedForMessage(place) + "': positions on the axis go from 1 to 2,147,483,648");
    range = {axisOfTyped(position), position};
    return PlaceAnswer::Found;
  }
  uint32_t number = findSequenceNamed(axis, place);
  if (number != kNoSequence) {
    const AxisSequence& sequence = axis.sequences[number];
    range = {sequence.offset, sequence.offset + (sequence.length > 0 ? sequence.length : 1)};
    return PlaceAnswer::Found;
  }
  size_t colon = place.rfind(':');
  if (colon != std::string_view::npos && colon > 0) {
    number = findSequenceNamed(axis, trimmed(place.substr(0, colon)));
    if (number != kNoSequence)
      return readPositions(axis.sequences[number], place, place.substr(colon + 1), range, error);
  }
  std::string name(colon != std::string_view::npos && colon > 0 ? trimmed(place.substr(0, colon)) : place);
  if (axis.sequences.empty())
    error = "no sequence named '" + quotedForMessage(name) +
            "': the pairs lie on one axis that names no sequence; give a position";
  else
    error = "no sequence named '" + quotedForMessage(name) + "' (there are " + knownNames(axis) + ")";
  return PlaceAnswer::UnknownName;
}
