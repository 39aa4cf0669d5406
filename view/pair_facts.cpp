#include "pair_facts.h"

#include <cmath>
#include <cstdio>

#include "axis_units.h"
#include "axis_ticks.h"
#include "pair_traits.h"
#include "record_table.h"
#include <string>

#include "sequence_places.h"  // the pair readers': the loaded sequences

bool describePair(int32_t slot, PairFacts& out) {
  if (slot < 1 || slot >= recordTable.count) return false;
  const TandemRecord& record = recordTable.slots[slot];
  int32_t pair = pairOfSlot(slot);
  out.position = record.pos;
  out.partner = record.partner;
  out.length = std::llround(basesOfNormalisedLength(record.len));
  out.orientation = pairTraits.orientation[pair];
  out.identity = pairTraits.identity[pair];
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

void formatPairLine(const PairFacts& facts, char* out, size_t room) {
  char length[24];
  const SequenceAxis& sequences = loadedSequences();
  std::string position = formatAxisPlace(sequences, facts.position), partner = formatAxisPlace(sequences, facts.partner);
  formatBases(facts.length, length, sizeof length);
  int used = std::snprintf(out, room, "%s \u2194 %s \u00b7 %s bp", position.c_str(), partner.c_str(), length);
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
  int used = std::snprintf(out, room, "pair\t%d\t%d\t%lld\t%s", facts.position, facts.partner,
                           static_cast<long long>(facts.length), strand);
  if (used < 0 || static_cast<size_t>(used) >= room) return;
  const SequenceAxis& sequences = loadedSequences();
  if (facts.identity != kIdentityUnknown || !sequences.sequences.empty()) {
    char percent[16] = ".";
    if (facts.identity != kIdentityUnknown) formatPercent(facts.identity, false, percent, sizeof percent);
    int more = std::snprintf(out + used, room - static_cast<size_t>(used), "\t%s", percent);
    if (more < 0 || static_cast<size_t>(used + more) >= room) return;
    used += more;
  }
  // Named sequences: each end's name and 1-based position there, after the columns above.
  for (int32_t end : {facts.position, facts.partner}) {
    if (sequences.sequences.empty()) break;
    SequencePlace place;
    int more = sequencePlaceOf(sequences, end, place)
                   ? std::snprintf(out + used, room - static_cast<size_t>(used), "\t%s\t%lld",
                                   sequences.sequences[place.sequence].name.c_str(), static_cast<long long>(place.position))
                   : std::snprintf(out + used, room - static_cast<size_t>(used), "\t.\t.");
    if (more < 0 || static_cast<size_t>(used + more) >= room) return;
    used += more;
  }
}

double basesOfNormalisedLength(double normalised) { return normalised * recordTable.maxLen / 7.0; }

double positionsPerUnit(int32_t zoomSteps) { return 100000.0 / std::pow(kZoomFactor, zoomSteps); }
