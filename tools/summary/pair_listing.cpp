#include "pair_listing.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "axis_scale.h"
#include "bar_records.h"
#include "sequence_places.h"

namespace {

struct ShownPair {
  int32_t pair;  // slots 2 pair - 1 and 2 pair
  int64_t length;
};

std::vector<ShownPair> shownPairs(SlotShown shown, void* context) {
  std::vector<ShownPair> pairs;
  int32_t end = barSlotEnd();
  for (int32_t pair = 1; 2 * pair < end; ++pair)
    if (shown(context, 2 * pair - 1) || shown(context, 2 * pair)) pairs.push_back({pair, barBases(2 * pair - 1)});
  return pairs;
}

// The sequence an axis position lies on, or -1.
int32_t sequenceAt(const SequenceAxis& axis, int64_t position) {
  SequencePlace place;
  return sequencePlaceOf(axis, position, place) ? static_cast<int32_t>(place.sequence) : -1;
}

}  // namespace

void printPairStats(FILE* out, const SequenceAxis& sequences, SlotShown shown, void* context) {
  std::vector<ShownPair> pairs = shownPairs(shown, context);
  int64_t longer = 0, inverted = 0, between = 0;
  std::vector<int64_t> perSequence(sequences.sequences.size(), 0);
  for (const ShownPair& pair : pairs) {
    int32_t first = 2 * pair.pair - 1;
    longer += pair.length > 1000;
    inverted += pairOrientationOf(pair.pair) == kInverted;
    int32_t one = sequenceAt(sequences, barPosition(first)), other = sequenceAt(sequences, barPartner(first));
    between += one != other;
    if (one >= 0) ++perSequence[static_cast<size_t>(one)];
    if (other >= 0 && other != one) ++perSequence[static_cast<size_t>(other)];
  }
  std::fprintf(out, "pairs\t%d\n", barPairCount());
  std::fprintf(out, "shown\t%zu\n", pairs.size());
  std::fprintf(out, "shown longer than 1 kb\t%lld\n", static_cast<long long>(longer));
  std::fprintf(out, "shown inverted\t%lld\n", static_cast<long long>(inverted));
  std::fprintf(out, "shown between two sequences\t%lld\n", static_cast<long long>(between));
  for (size_t i = 0; i < perSequence.size(); ++i)
    std::fprintf(out, "shown on %s\t%lld\n", sequences.sequences[i].name.c_str(),
                 static_cast<long long>(perSequence[i]));
}

void printShownPairs(FILE* out, const SequenceAxis& sequences, SlotShown shown, void* context) {
  std::vector<ShownPair> pairs = shownPairs(shown, context);
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const ShownPair& a, const ShownPair& b) { return a.length > b.length; });
  std::fprintf(out, "# length\tsequence\tstart\tend\tpartner sequence\tpartner start\tpartner end\tstrand\tidentity\n");
  auto copy = [&](int64_t position, int64_t length, std::string& text) {
    int32_t number = sequenceAt(sequences, position);
    int64_t offset = number >= 0 ? sequences.sequences[static_cast<size_t>(number)].offset : 0;
    text = (number >= 0 ? sequences.sequences[static_cast<size_t>(number)].name : std::string(".")) + "\t" +
           std::to_string(typedOfAxis(position - offset)) + "\t" + std::to_string(position - offset + length);
  };
  for (const ShownPair& pair : pairs) {
    int32_t first = 2 * pair.pair - 1;
    int32_t difference = pairDifferenceOf(pair.pair);
    std::string one, other;
    copy(barPosition(first), firstCopyLength(pair.length, difference), one);
    copy(barPartner(first), partnerCopyLength(pair.length, difference), other);
    uint8_t strand = pairOrientationOf(pair.pair);
    uint16_t identity = pairIdentityOf(pair.pair);
    char percent[16] = ".";
    if (identity != kIdentityUnknown) std::snprintf(percent, sizeof percent, "%u.%02u", identity / 100u, identity % 100u);
    std::fprintf(out, "%lld\t%s\t%s\t%s\t%s\n", static_cast<long long>(pair.length), one.c_str(), other.c_str(),
                 strand == kSameStrand ? "+" : strand == kInverted ? "-" : ".", percent);
  }
}
