#include "whole_numbers.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

bool readWholeInteger(const char* text, int64_t low, int64_t high, int64_t& value) {
  if (text == nullptr || *text == '\0') return false;
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(text, &end, 10);
  if (errno != 0 || *end != '\0' || v < low || v > high) return false;
  value = v;
  return true;
}

bool readWholeNumber(const char* text, double low, double high, double& value) {
  if (text == nullptr || *text == '\0') return false;
  char* end = nullptr;
  errno = 0;
  double v = std::strtod(text, &end);
  if (errno != 0 || *end != '\0' || !std::isfinite(v) || v < low || v > high) return false;
  value = v;
  return true;
}
