#include "text_fields.h"

#include <cstring>

size_t splitFields(std::string_view line, std::string_view* fields, size_t maxFields) {
  size_t count = 0;
  size_t i = 0;
  const size_t n = line.size();
  while (i < n) {
    while (i < n && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i == n) break;
    size_t start = i;
    while (i < n && line[i] != ' ' && line[i] != '\t') ++i;
    if (count < maxFields) fields[count] = line.substr(start, i - start);
    ++count;
  }
  return count;
}

bool parseInteger(std::string_view text, int64_t& value) {
  size_t i = 0;
  bool negative = false;
  if (!text.empty() && text[0] == '-') {
    negative = true;
    i = 1;
  }
  if (i == text.size()) return false;
  int64_t v = 0;
  size_t digits = 0;
  for (; i < text.size(); ++i) {
    unsigned d = static_cast<unsigned char>(text[i]) - unsigned{'0'};
    if (d > 9) return false;
    if (digits < 18) v = v * 10 + d;
    else v = kHugeNumber;
    if (v != 0 || digits != 0) ++digits;  // leading zeros do not count towards the clamp
  }
  value = negative ? -v : v;
  return true;
}

void quoteForMessage(std::string_view text, char* out, size_t outSize) {
  if (outSize == 0) return;
  constexpr size_t kShown = 40;
  size_t room = outSize - 1;
  size_t n = 0;
  for (size_t i = 0; i < text.size() && i < kShown && n < room; ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\t') out[n++] = ' ';
    else out[n++] = (c >= 0x20 && c < 0x7f) ? static_cast<char>(c) : '?';
  }
  if (text.size() > kShown && n + 3 <= room) {
    std::memcpy(out + n, "...", 3);
    n += 3;
  }
  out[n] = '\0';
}
