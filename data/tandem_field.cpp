#include "tandem_field.h"

using namespace field_walk_detail;

int32_t fieldWalkValue(const FieldWalk& walk, int k) {
  if (k >= 1 && k < walk.fieldNumber && k <= 6) return walk.closedValues[k];
  return currentValue(walk);
}

int32_t tandemField(const char* token, int k) {
  FieldWalk walk;
  startFieldWalk(walk);
  for (const char* p = token; *p != '\0'; ++p) {
    feedFieldWalk(walk, *p);
    if (k >= 1 && walk.fieldNumber > k) return walk.lastClosed;  // field k has just closed
  }
  return currentValue(walk);
}
