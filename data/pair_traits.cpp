#include "pair_traits.h"

PairTraits pairTraits;

uint16_t parseIdentity(const char* text) {
  IdentityText parsed{};
  for (const char* p = text; *p != '\0'; ++p) feedIdentityText(parsed, *p);
  return identityOfText(parsed);
}

void resetPairTraits() { pairTraits.withIdentity = 0; }
