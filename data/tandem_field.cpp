#include "tandem_field.h"

using namespace field_walk_detail;

int64_t fieldWalkValue64(const FieldWalk& walk, int k) {
  if (k >= 1 && k < walk.fieldNumber && k <= 6) return walk.closedValues[k];
  return currentValue64(walk);
}

int32_t fieldWalkValue(const FieldWalk& walk, int k) { return clampToInt32(fieldWalkValue64(walk, k)); }

int32_t tandemField(const char* token, int k) {
  FieldWalk walk;
  startFieldWalk(walk);
  for (const char* p = token; *p != '\0'; ++p) {
    feedFieldWalk(walk, *p);
    if (k >= 1 && walk.fieldNumber > k) return clampToInt32(walk.lastClosed);  // field k has just closed
  }
  return clampToInt32(currentValue64(walk));
}
