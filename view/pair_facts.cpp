#include "pair_facts.h"

#include <cmath>
#include <cstdio>

#include "axis_ticks.h"
#include "bar_records.h"
#include <string>

#include "sequence_places.h"  // the pair readers': the loaded sequences

bool describePair(int32_t slot, PairFacts& out) {
  if (slot < 1 || slot >= barSlotEnd()) return false;
  int32_t pair = pairOfSlot(slot);
  out.position = barPosition(slot);
  out.partner = barPartner(slot);
  out.length = barBases(slot);
  out.orientation = pairOrientationOf(pair);
  out.identity = pairIdentityOf(pair);
  int64_t first = firstCopyLength(out.length, pairDifferenceOf(pair));
  int64_t second = partnerCopyLength(out.length, pairDifferenceOf(pair));
  bool isFirst = slot % 2 == 1;  // record A stands at the pair's first copy
  out.copyLength = isFirst ? first : second;
  out.partnerLength = isFirst ? second : first;
  return true;
}

namespace {

// 9910 -> "99.1", 10000 -> "100", 9877 -> "98.77".
void formatPercent(uint16_t hundredths, bool trim, char* out, size_t room) {
  unsigned whole = hundredths / 100u, fraction = hundredths % 100u;
  if (!trim)
    std::snprintf(out, room, "%u.%02u", whole, fraction);
  else if (fraction == 0)
    std::snprintf(out, room, "%u", whole);
  else if (fraction % 10 == 0)
    std::snprintf(out, room, "%u.%u", whole, fraction / 10);
  else
    std::snprintf(out, room, "%u.%02u", whole, fraction);
}

}  // namespace

namespace {

// "12,345–12,418", or with named sequences "NODE_18:12,345–12,418".
std::string copyExtent(const SequenceAxis& sequences, int64_t start, int64_t length) {
  int64_t last = start + length - 1;
  SequencePlace first{}, end{};
  if (sequencePlaceOf(sequences, start, first) && sequencePlaceOf(sequences, last, end) &&
      first.sequence == end.sequence)
    return formatAxisPlace(sequences, start) + "\u2013" + groupedNumber(end.position);
  return formatAxisPlace(sequences, start) + "\u2013" + formatAxisPlace(sequences, last);
}

}  // namespace

void formatPairLine(const PairFacts& facts, char* out, size_t room) {
  const SequenceAxis& sequences = loadedSequences();
  std::string position = copyExtent(sequences, facts.position, facts.copyLength);
  std::string partner = copyExtent(sequences, facts.partner, facts.partnerLength);
  char length[24], partnerLength[24];
  formatBases(facts.copyLength, length, sizeof length);
  formatBases(facts.partnerLength, partnerLength, sizeof partnerLength);
  int used = facts.copyLength == facts.partnerLength
                 ? std::snprintf(out, room, "%s \u2194 %s \u00b7 %s bp", position.c_str(), partner.c_str(), length)
                 : std::snprintf(out, room, "%s \u2194 %s \u00b7 %s \u2194 %s bp", position.c_str(), partner.c_str(),
                                 length, partnerLength);
  if (used < 0 || static_cast<size_t>(used) >= room) return;
  if (facts.orientation != kOrientationUnknown) {
    const char* strand = facts.orientation == kInverted ? "inverted" : "same strand";
    int more = std::snprintf(out + used, room - static_cast<size_t>(used), " \u00b7 %s", strand);
    if (more < 0 || static_cast<size_t>(used + more) >= room) return;
    used += more;
  }
  if (facts.identity != kIdentityUnknown) {
    char percent[16];
    formatPercent(facts.identity, true, percent, sizeof percent);
    std::snprintf(out + used, room - static_cast<size_t>(used), " \u00b7 %s%%", percent);
  }
}

void formatPairRecord(const PairFacts& facts, char* out, size_t room) {
  char strand[4] = ".";
  if (facts.orientation != kOrientationUnknown) std::snprintf(strand, sizeof strand, "%u", facts.orientation);
  char percent[16] = ".";
  if (facts.identity != kIdentityUnknown) formatPercent(facts.identity, false, percent, sizeof percent);
  int used = std::snprintf(out, room, "pair\t%lld\t%lld\t%lld\t%s\t%s\t%lld\t%lld",
                           static_cast<long long>(facts.position), static_cast<long long>(facts.partner),
                           static_cast<long long>(facts.length), strand, percent,
                           static_cast<long long>(facts.position + facts.copyLength - 1),
                           static_cast<long long>(facts.partner + facts.partnerLength - 1));
  if (used < 0 || static_cast<size_t>(used) >= room) return;
  // Named sequences: each copy's sequence, 1-based start and end there, after the columns above.
  const SequenceAxis& sequences = loadedSequences();
  struct Copy {
    int64_t start, length;
  };
  for (const Copy& copy : {Copy{facts.position, facts.copyLength}, Copy{facts.partner, facts.partnerLength}}) {
    if (sequences.sequences.empty()) break;
    std::string name = ".", first = ".", last = ".";
    SequencePlace place{}, lastPlace{};
    if (sequencePlaceOf(sequences, copy.start, place)) {
      name = sequences.sequences[place.sequence].name;
      first = std::to_string(place.position);
      if (sequencePlaceOf(sequences, copy.start + copy.length - 1, lastPlace) && lastPlace.sequence == place.sequence)
        last = std::to_string(lastPlace.position);
    }
    int more = std::snprintf(out + used, room - static_cast<size_t>(used), "\t%s\t%s\t%s", name.c_str(),
                             first.c_str(), last.c_str());
    if (more < 0 || static_cast<size_t>(used + more) >= room) return;
    used += more;
  }
}

double basesOfNormalisedLength(double normalised) { return basesOfScaled(normalised, barsMaxLen()); }
