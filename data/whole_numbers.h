// Numbers as every command line of these programs reads them: the whole text, in range.
#pragma once

#include <cstdint>

bool readWholeInteger(const char* text, int64_t low, int64_t high, int64_t& value);
// Finite only.
bool readWholeNumber(const char* text, double low, double high, double& value);
