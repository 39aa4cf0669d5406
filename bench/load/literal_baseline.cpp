#include "literal_baseline.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "record_table.h"

namespace {

constexpr int32_t kAxis = 300000000;

int32_t denseCounts[kAxis];  // 1.2 GB of address space; pages are touched as positions occur
TandemRecord slots[kTableSlots];
int32_t count = 1;
int32_t maxLen = 0;

bool isSeparator(char c) { return c == '/' || c == ';'; }

int field(const char* token, int k) {
  char buffer[112];
  int counter = 1;
  size_t used = 0;
  for (size_t i = 0; token[i] != '\0'; ++i) {
    if (!isSeparator(token[i]) && used + 1 < sizeof buffer) buffer[used++] = token[i];
    if (isSeparator(token[i + 1])) {
      buffer[used] = '\0';
      if (counter == k) return std::atoi(buffer);
      ++counter;
      used = 0;
    }
  }
  buffer[used] = '\0';
  return std::atoi(buffer);
}

void store(TandemRecord& r, int32_t pos, int32_t partner, int32_t len) {
  r.x = static_cast<float>(pos);
  r.y = static_cast<float>(++denseCounts[pos] / 10.0);
  r.pos = pos;
  r.partner = partner;
  r.len = static_cast<float>(len);
  r.tag = 1;
}

}  // namespace

int loadLiterally(const char* path) {
  std::FILE* file = std::fopen(path, "r");
  if (file == nullptr) return 0;
  char token[208];
  while (!std::feof(file)) {
    if (std::fscanf(file, "%207s", token) != 1) break;
    int32_t pos = field(token, 1), partner = field(token, 2), len = field(token, 3);
    field(token, 4);
    int c1 = std::rand(), c2 = std::rand(), c3 = std::rand();
    bool inAxis = pos >= 0 && pos < kAxis && partner >= 0 && partner < kAxis;
    if (len > 10 && count <= kTableSlots - 2 && inAxis) {
      store(slots[count], pos, partner, len);
      store(slots[count + 1], partner, pos, len);
      for (TandemRecord* r : {&slots[count], &slots[count + 1]}) {
        r->r = static_cast<float>(c1 % 255) / 255.0f;
        r->g = static_cast<float>(c2 % 255) / 255.0f;
        r->b = static_cast<float>(c3 % 255) / 255.0f;
      }
      count += 2;
    }
    if (len > maxLen) maxLen = len;
  }
  std::fclose(file);
  std::printf("Count tandem load - %d\nMax len tandem - %d\n", count, maxLen);
  return count - 1;
}
