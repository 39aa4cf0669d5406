// Several sequences (chromosomes, plasmids) laid end to end on the viewer's one axis, in
// the order they first appear or in the order of a FASTA index (.fai).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The stretch the axis ruler labels for pairs on no named sequence, positions 0 to
// 299,999,999.
constexpr int64_t kAxisPositions = 300000000;

// The axis a named file may lay out, positions 0 to 499,999,999,999: past the largest
// genome assembled (wheat, 16 Gb), exact in a double, and packed in 39 bits where the
// import holds hits. A genome laid out by the import or read from an offset table ends
// within it, and so does every copy of a pair and every annotation feature.
constexpr int64_t kLongestAxis = 500000000000;

constexpr uint32_t kNoSequence = UINT32_MAX;

struct AxisSequence {
  std::string name;
  int64_t length;  // from the index or the format; else as far as its hits reach
  int64_t offset;  // where it starts on the axis, once laid out
};

struct SequenceAxis {
  std::vector<AxisSequence> sequences;
  std::unordered_map<std::string, uint32_t> indexOf;
  bool fixed = false;  // from an index: no sequence is added, no length grows
  // The last two names looked up: rows mostly name the same one or two sequences.
  std::string recentName[2];
  uint32_t recentNumber[2] = {kNoSequence, kNoSequence};
};

// Reads "name<TAB>length[<TAB>...]" lines (samtools faidx). On a bad line or a name given
// twice returns false with error saying where.
bool readFaiIndex(SequenceAxis& axis, int fd, const char* path, std::string& error);

// The sequence's number, added at the end if new; kNoSequence when the axis is fixed and
// does not hold it.
uint32_t sequenceNumber(SequenceAxis& axis, std::string_view name);

// Lengthens a sequence that is not fixed to reach end.
void reachSequence(SequenceAxis& axis, uint32_t number, int64_t end);

// Gives every sequence its offset and returns where the last one ends.
int64_t layOutSequences(SequenceAxis& axis);

// The sequences the last load's pairs lie on, kept for names and positions within them;
// empty for a list that names none.
void keepLoadedSequences(SequenceAxis axis);
const SequenceAxis& loadedSequences();

// "name<TAB>offset<TAB>length\n" per sequence.
std::string offsetTable(const SequenceAxis& axis);

// Reads what offsetTable wrote (quelvar-import's FILE.sequences beside a list, after a
// "# name..." header; '#' lines are passed over): the axis
// fixed, each sequence starting where the one before ends. On a bad line, a name given
// twice, an offset out of that order or a genome past the axis returns false with error
// saying where ("list.txt.sequences:3: ...").
bool readOffsetTable(SequenceAxis& axis, int fd, const char* path, std::string& error);
