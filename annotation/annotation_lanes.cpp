#include "annotation_lanes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <tuple>
#include <unordered_map>

#include "annotation_check.h"
#include "line_reader.h"
#include "sequence_places.h"
#include "text_fields.h"

AnnotationBounds annotationBounds;

namespace {

constexpr size_t kNamesListed = 3;

// Paul Tol's muted scheme: told apart with every common colour vision deficiency, and
// none of them the blue and vermillion the bars use for strands.
constexpr Rgb kPalette[kClassColours] = {
    {0xCC, 0x66, 0x77}, {0x33, 0x22, 0x88}, {0xDD, 0xCC, 0x77}, {0x11, 0x77, 0x33}, {0x88, 0xCC, 0xEE},
    {0x88, 0x22, 0x55}, {0x44, 0xAA, 0x99}, {0x99, 0x99, 0x33}, {0xAA, 0x44, 0x99},
};

// A feature as read, on its own sequence: 32 bytes. A position past the axis is kept as
// one past it, which drops the feature as reaching past its sequence all the same.
struct ReadFeature {
  int64_t start;
  int64_t end;
  uint32_t sequence;  // into Reading::sequences
  uint32_t name;
  uint16_t featureClass;  // into Reading::classes
  char strand;

  bool operator==(const ReadFeature& other) const {
    return start == other.start && end == other.end && sequence == other.sequence && name == other.name &&
           featureClass == other.featureClass && strand == other.strand;
  }
};

int64_t onePastTheAxisAtMost(int64_t position) { return std::clamp<int64_t>(position, 0, kLongestAxis + 1); }

// Names met in one file, each numbered once, the last one remembered.
struct NameNumbers {
  std::vector<std::string> names;
  std::unordered_map<std::string, uint32_t> numbers;
  std::string recent;
  uint32_t recentNumber = UINT32_MAX;

  uint32_t of(std::string_view name) {
    if (recentNumber != UINT32_MAX && recent == name) return recentNumber;
    std::string key(name);
    auto found = numbers.find(key);
    uint32_t number = 0;
    if (found != numbers.end()) {
      number = found->second;
    } else {
      number = static_cast<uint32_t>(names.size());
      names.push_back(key);
      numbers.emplace(key, number);
    }
    recent = std::move(key);
    recentNumber = number;
    return number;
  }
};

struct Reading {
  std::vector<ReadFeature> features;
  NameNumbers sequences;
  NameNumbers classes;
  FeatureTable table;  // only its names, until the features are placed
  FeatureNameIndex names;
  uint64_t malformed = 0;
  uint64_t firstMalformedLine = 0;
  std::string firstMalformedWhy;
  uint64_t merged = 0;  // features identical to one kept
  std::string pastBound;  // which bound the file went past, when it did
};

// Classes are few: a look through them costs less than hashing.
uint16_t laneClass(AnnotationLanes& lanes, const std::string& name) {
  for (size_t i = 0; i < lanes.classes.size(); ++i)
    if (lanes.classes[i].name == name) return static_cast<uint16_t>(i);
  // Past what a 16-bit number holds, the last class takes every other one.
  if (lanes.classes.size() == UINT16_MAX) return UINT16_MAX - 1;
  size_t number = lanes.classes.size();
  lanes.classes.push_back({name, number < kClassColours ? kPalette[number] : kOtherClassColour, 0});
  return static_cast<uint16_t>(number);
}

// Names cut as messages show them: a 100 kB name would fill the terminal.
std::string listed(const std::vector<std::string>& names, size_t total) {
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) text += (i > 0 ? ", " : "") + quotedForMessage(names[i]);
  if (total > names.size()) text += ", ... " + groupedNumber(static_cast<int64_t>(total)) + " in all";
  return text;
}

std::string counted(uint64_t count, const char* one, const char* many) {
  return groupedNumber(static_cast<int64_t>(count)) + " " + (count == 1 ? one : many);
}

// At the bound, identical features read apart are merged; false unless that leaves room
// for an eighth of the bound more, so a file of distinct features is not sorted again and
// again.
bool mergeIdentical(Reading& reading) {
  auto key = [](const ReadFeature& f) {
    return std::tie(f.sequence, f.start, f.end, f.featureClass, f.name, f.strand);
  };
  std::vector<ReadFeature>& features = reading.features;
  std::sort(features.begin(), features.end(),
            [&](const ReadFeature& a, const ReadFeature& b) { return key(a) < key(b); });
  size_t before = features.size();
  features.erase(std::unique(features.begin(), features.end()), features.end());
  reading.merged += before - features.size();
  return features.size() <= annotationBounds.features - annotationBounds.features / 8;
}

bool readFeatures(LineReader& reader, AnnotationFormat format, Reading& reading) {
  RowContext context;
  std::string_view line;
  bool cut = false;
  while (nextLine(reader, line, cut)) {
    FeatureRow row{};
    const char* why = "a line longer than the reader holds";
    FeatureRowKind kind = cut ? FeatureRowKind::Malformed : readAnnotationRow(format, line, context, row, why);
    if (kind == FeatureRowKind::Ignored) continue;
    if (kind == FeatureRowKind::Malformed) {
      if (reading.malformed++ == 0) {
        reading.firstMalformedLine = reader.lineNumber;
        reading.firstMalformedWhy = why;
      }
      continue;
    }
    // Past what a 16-bit number holds, one class takes the rest.
    if (reading.classes.names.size() >= UINT16_MAX - 1 &&
        reading.classes.numbers.count(std::string(row.featureClass)) == 0)
      row.featureClass = "other";
    uint32_t sequence = reading.sequences.of(row.sequence);
    uint32_t featureClass = reading.classes.of(row.featureClass);
    uint32_t name = addFeatureName(reading.table, reading.names, row.name);
    ReadFeature feature{onePastTheAxisAtMost(row.start), onePastTheAxisAtMost(row.end), sequence, name,
                        static_cast<uint16_t>(featureClass), row.strand};
    // A row repeated costs nothing; identical rows apart are merged once the lane is sorted.
    if (!reading.features.empty() && reading.features.back() == feature) {
      ++reading.merged;
      continue;
    }
    if (reading.features.size() >= annotationBounds.features && !mergeIdentical(reading)) {
      reading.pastBound = "more than " + groupedNumber(static_cast<int64_t>(annotationBounds.features)) +
                          " features, the most one annotation file may hold (identical ones count once)";
      return false;
    }
    if (reading.table.namePool.size() > annotationBounds.nameBytes) {
      reading.pastBound = "feature names of more than " +
                          groupedNumber(static_cast<int64_t>(annotationBounds.nameBytes)) +
                          " bytes in all, the most one annotation file may hold";
      return false;
    }
    reading.features.push_back(feature);
  }
  return reader.error == 0;
}

struct Drops {
  uint64_t notOnAxis = 0;
  std::vector<bool> missing;  // per sequence of the file: not on the axis
  uint64_t pastEnd = 0;
};

}  // namespace

bool loadAnnotation(AnnotationLanes& lanes, const char* path, const SequenceAxis& axis, std::string& summary,
                    std::string& error) {
  LineReader reader;
  int fd = -1;
  AnnotationFormat format = AnnotationFormat::Bed;
  if (!openAnnotation(path, reader, fd, format, error)) return false;
  Reading reading;
  bool read = readFeatures(reader, format, reading);
  closeInput(fd);
  if (reader.error != 0) {
    error = "cannot read " + shownInputName(path) + ": " + readErrorText(reader.error);
    return false;
  }
  if (!read) {
    error = shownInputName(path) + " holds " + reading.pastBound +
            "; keep the features that matter (a region, a type) in a smaller file";
    return false;
  }

  const size_t fileSequences = reading.sequences.names.size();
  bool unnamedAxis = axis.sequences.empty();
  if (unnamedAxis && fileSequences > 1) {
    error = shownInputName(path) + " names " + counted(fileSequences, "sequence", "sequences") + " (" +
            listed(std::vector<std::string>(reading.sequences.names.begin(),
                                            reading.sequences.names.begin() + std::min(fileSequences, kNamesListed)),
                   fileSequences) +
            ") but the pairs lie on one axis that names none; open the pairs with their sequences "
            "(--all-sequences, --chrom NAME, or a list with its .sequences table beside it)";
    return false;
  }
  // Each of the file's sequences on the axis: its number there, or kNoSequence.
  std::vector<uint32_t> onAxis(fileSequences, kNoSequence);
  for (size_t i = 0; i < fileSequences; ++i) {
    if (unnamedAxis) {
      onAxis[i] = 0;
      continue;
    }
    auto found = axis.indexOf.find(reading.sequences.names[i]);
    if (found != axis.indexOf.end()) onAxis[i] = found->second;
  }

  AnnotationLane lane;
  lane.path = path;
  lane.format = format;
  lane.features = std::move(reading.table);
  Drops drops;
  drops.missing.assign(fileSequences, false);
  std::vector<PlacedFeature> placed;
  placed.reserve(reading.features.size());
  std::vector<uint16_t> laneClassOf(reading.classes.names.size(), UINT16_MAX);
  std::vector<bool> sequenceUsed(fileSequences, false);
  for (const ReadFeature& feature : reading.features) {
    uint32_t number = onAxis[feature.sequence];
    if (number == kNoSequence) {
      ++drops.notOnAxis;
      drops.missing[feature.sequence] = true;
      continue;
    }
    int64_t offset = unnamedAxis ? 0 : axis.sequences[number].offset;
    int64_t start = feature.start;
    int64_t length = unnamedAxis ? 0 : axis.sequences[number].length;
    // An insertion point (start = end) is kept one base wide, so it can be seen and picked.
    int64_t end = feature.end > feature.start ? feature.end : start + 1;
    // A length no file gave (0) bounds nothing but the axis.
    if ((length > 0 && end > length) || offset + end > kLongestAxis) {
      ++drops.pastEnd;
      continue;
    }
    uint16_t& shared = laneClassOf[feature.featureClass];
    if (shared == UINT16_MAX) shared = laneClass(lanes, reading.classes.names[feature.featureClass]);
    ++lanes.classes[shared].count;
    sequenceUsed[feature.sequence] = true;
    placed.push_back({offset + start, offset + end, feature.name, shared, feature.strand});
  }
  reading.features = std::vector<ReadFeature>();
  uint64_t merged = reading.merged + buildFeatureTable(lane.features, placed);

  size_t sequencesUsed = 0, classesUsed = 0;
  for (bool used : sequenceUsed) sequencesUsed += used;
  for (uint16_t shared : laneClassOf) classesUsed += shared != UINT16_MAX;
  summary = "annotation " + shownInputName(path) + " (" + annotationFormatName(format) + "): ";
  if (featureCount(lane.features) == 0)
    summary += "no features";
  else
    summary += counted(featureCount(lane.features), "feature", "features") + " on " +
               counted(sequencesUsed, "sequence", "sequences") + ", " + counted(classesUsed, "class", "classes");
  std::string skipped;
  if (drops.notOnAxis > 0) {
    std::vector<std::string> names;
    size_t missing = 0;
    for (size_t i = 0; i < fileSequences; ++i) {
      if (!drops.missing[i]) continue;
      if (names.size() < kNamesListed) names.push_back(reading.sequences.names[i]);
      ++missing;
    }
    skipped += counted(drops.notOnAxis, "feature", "features") + " on sequences the pairs do not lie on (" +
               listed(names, missing) + ")";
  }
  if (drops.pastEnd > 0)
    skipped += (skipped.empty() ? "" : ", ") + counted(drops.pastEnd, "feature", "features") +
               " reaching past the end of their sequence";
  if (reading.malformed > 0)
    skipped += (skipped.empty() ? "" : ", ") + counted(reading.malformed, "line", "lines") +
               " that could not be read (first: line " +
               groupedNumber(static_cast<int64_t>(reading.firstMalformedLine)) + ", " + reading.firstMalformedWhy + ")";
  if (merged > 0) summary += "; merged " + counted(merged, "identical feature", "identical features");
  if (!skipped.empty()) summary += "; skipped " + skipped;
  lanes.lanes.push_back(std::move(lane));
  return true;
}
