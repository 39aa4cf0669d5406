#include "sequence_axis.h"

#include <utility>

#include "line_reader.h"
#include "text_fields.h"


bool readFaiIndex(SequenceAxis& axis, int fd, const char* path, std::string& error) {
  axis = SequenceAxis{};
  axis.fixed = true;
  LineReader reader;
  openLineReader(reader, fd);
  std::string_view line;
  bool cut = false;
  while (nextLine(reader, line, cut)) {
    std::string_view f[2];
    size_t count = splitFields(line, f, 2);
    if (count == 0) continue;
    int64_t length = 0;
    if (cut || count < 2 || !parseInteger(f[1], length) || length < 0) {
      error = std::string(path) + ":" + std::to_string(reader.lineNumber) + ": expected a name and a length";
      return false;
    }
    std::string name(f[0]);
    if (axis.indexOf.count(name) != 0) {
      error = std::string(path) + ":" + std::to_string(reader.lineNumber) + ": " + quotedForMessage(name) +
              " is listed twice";
      return false;
    }
    axis.indexOf.emplace(name, static_cast<uint32_t>(axis.sequences.size()));
    axis.sequences.push_back({name, length, 0});
  }
  if (reader.error != 0) {
    error = std::string("cannot read ") + path;
    return false;
  }
  return true;
}

uint32_t sequenceNumber(SequenceAxis& axis, std::string_view name) {
  for (int i = 0; i < 2; ++i)
    if (axis.recentNumber[i] != kNoSequence && axis.recentName[i] == name) return axis.recentNumber[i];
  std::string key(name);
  uint32_t number = kNoSequence;
  auto found = axis.indexOf.find(key);
  if (found != axis.indexOf.end()) {
    number = found->second;
  } else if (!axis.fixed) {
    number = static_cast<uint32_t>(axis.sequences.size());
    axis.indexOf.emplace(key, number);
    axis.sequences.push_back({key, 0, 0});
  }
  if (number != kNoSequence) {
    axis.recentName[1] = std::move(axis.recentName[0]);
    axis.recentNumber[1] = axis.recentNumber[0];
    axis.recentName[0] = std::move(key);
    axis.recentNumber[0] = number;
  }
  return number;
}

void reachSequence(SequenceAxis& axis, uint32_t number, int64_t end) {
  AxisSequence& sequence = axis.sequences[number];
  if (!axis.fixed && end > sequence.length) sequence.length = end;
}

int64_t layOutSequences(SequenceAxis& axis) {
  int64_t offset = 0;
  for (AxisSequence& sequence : axis.sequences) {
    sequence.offset = offset;
    // Lengths come from a file; past the limit the sum only has to stay past it.
    offset += sequence.length < kHugeNumber ? sequence.length : kHugeNumber;
    if (offset > kHugeNumber) offset = kHugeNumber;
  }
  return offset;
}

std::string offsetTable(const SequenceAxis& axis) {
  std::string table;
  for (const AxisSequence& sequence : axis.sequences)
    table += sequence.name + "\t" + std::to_string(sequence.offset) + "\t" + std::to_string(sequence.length) + "\n";
  return table;
}

bool readOffsetTable(SequenceAxis& axis, int fd, const char* path, std::string& error) {
  axis = SequenceAxis{};
  axis.fixed = true;
  LineReader reader;
  openLineReader(reader, fd);
  std::string_view line;
  bool cut = false;
  int64_t next = 0;  // where the next sequence starts
  auto bad = [&](const std::string& what) {
    error = std::string(path) + ":" + std::to_string(reader.lineNumber) + ": " + what;
    return false;
  };
  while (nextLine(reader, line, cut)) {
    std::string_view f[4];
    size_t count = splitFields(line, f, 4);
    if (count == 0 || line[0] == '#') continue;  // the header quelvar-import writes
    int64_t offset = 0, length = 0;
    if (cut || count != 3 || !parseInteger(f[1], offset) || !parseInteger(f[2], length) || offset < 0 || length < 0)
      return bad("expected name<TAB>offset<TAB>length, as quelvar-import writes it");
    std::string name(f[0]);
    if (axis.indexOf.count(name) != 0) return bad(quotedForMessage(name) + " is listed twice");
    if (offset != next)
      return bad(quotedForMessage(name) + " starts at " + std::to_string(offset) +
                 ", not where the sequence before it ends (" +
                 std::to_string(next) + ")");
    if (length > kLongestAxis - offset)
      return bad(quotedForMessage(name) + " ends past the axis (" + std::to_string(kLongestAxis) + ")");
    axis.indexOf.emplace(name, static_cast<uint32_t>(axis.sequences.size()));
    axis.sequences.push_back({name, length, offset});
    next = offset + length;
  }
  if (reader.error != 0) {
    error = std::string("cannot read ") + path + ": " + readErrorText(reader.error);
    return false;
  }
  return true;
}

namespace {

SequenceAxis loadedAxis;

}  // namespace

void keepLoadedSequences(SequenceAxis axis) { loadedAxis = std::move(axis); }

const SequenceAxis& loadedSequences() { return loadedAxis; }
