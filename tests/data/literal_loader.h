// A deliberately plain loader for comparison: tokens as "%s" reads them into a string, the
// field walk with a text buffer, a std::map for the stack counters. Slow and simple, so that
// the production loader's streaming walk and hash table can be checked against it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "record_table.h"

struct LiteralLoad {
  std::vector<TandemRecord> records;  // slots 1 to count - 1, before normalisation
  int32_t maxLen = 0;
  bool refusedForRoom = false;
  int64_t tokens = 0;
};

// The field walk with a text buffer and saturating atoi.
int32_t literalTandemField(const std::string& token, int k);

// Loads bytes as the viewer would, drawing three rand() values per token.
LiteralLoad literalLoad(const std::string& bytes, uint32_t tag);
