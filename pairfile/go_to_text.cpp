#include "go_to_text.h"

#include <cctype>
#include <cstring>

#include "pair_file.h"

namespace {

// Digits with optional thousands commas; false on anything else or past 2^62.
bool readCount(const std::string& text, int64_t& value) {
  value = 0;
  bool digits = false;
  for (char c : text) {
    if (c == ',') continue;
    if (!std::isdigit(static_cast<unsigned char>(c)) || value > (int64_t{1} << 62) / 10) return false;
    value = value * 10 + (c - '0');
    digits = true;
  }
  return digits;
}

std::string trimmed(const char* text) {
  std::string s = text;
  size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// A few of the loaded names, for a message about one that is not there.
std::string someNames(const SequenceAxis& axis) {
  std::string names;
  size_t shown = 0;
  for (const AxisSequence& sequence : axis.sequences) {
    if (shown == 3) return names + ", ...";
    names += (shown++ ? ", " : "") + sequence.name;
  }
  return names;
}

}  // namespace

bool readGoToText(const char* text, AxisPlace& place, std::string& why) {
  std::string line = trimmed(text);
  int64_t number = 0;
  if (readCount(line, number)) {
    place = {number, number + 1, number};
    return true;
  }
  const SequenceAxis& axis = loadedSequences();
  size_t colon = line.rfind(':');
  std::string name = line.substr(0, colon);
  auto found = axis.indexOf.find(name);
  if (found == axis.indexOf.end() && colon != std::string::npos) {
    // A name may hold colons itself; then the whole line names it.
    found = axis.indexOf.find(line);
    if (found != axis.indexOf.end()) colon = std::string::npos;
  }
  if (found == axis.indexOf.end()) {
    if (axis.sequences.empty())
      why = "no sequence names are loaded; type a position";
    else
      why = "no sequence '" + name + "'; the pairs lie on " + someNames(axis);
    return false;
  }
  const AxisSequence& sequence = axis.sequences[found->second];
  if (colon == std::string::npos) {
    place = {sequence.offset, sequence.offset + sequence.length, sequence.offset};
    return true;
  }
  std::string range = line.substr(colon + 1);
  size_t dash = range.find('-');
  int64_t first = 0, last = 0;
  if (!readCount(range.substr(0, dash), first) || first < 1 ||
      (dash != std::string::npos && (!readCount(range.substr(dash + 1), last) || last < first))) {
    why = "'" + range + "' is no position (1-based, as 12,345) or range (as 1,000-2,000)";
    return false;
  }
  if (dash == std::string::npos) last = first;
  if (sequence.length > 0 && last > sequence.length) {
    why = name + " is " + std::to_string(sequence.length) + " bp long";
    return false;
  }
  place.start = sequence.offset + first - 1;
  place.end = sequence.offset + last;
  place.position = dash == std::string::npos ? place.start : place.start + (place.end - place.start) / 2;
  return true;
}
