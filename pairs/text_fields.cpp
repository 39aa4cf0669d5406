#include "text_fields.h"

#include <cstring>

namespace {

// One comparison for the common case: nearly every byte is above ' '.
inline bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' ' && (c == ' ' || c == '\t'); }

// The end of the field that starts at p. Eight bytes at a time: splitting is the largest
// part of a large conversion's time, and nearly every byte of a field is above ' '.
const char* fieldEnd(const char* p, const char* end) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  while (end - p >= 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    // Flags bytes below 0x21; the lowest flag is exact, and on little-endian it is the
    // first such byte in the text.
    uint64_t low = (word - kOnes * 0x21) & ~word & (kOnes * 0x80);
    if (low == 0) {
      p += 8;
      continue;
    }
    p += __builtin_ctzll(low) / 8;
    if (isBlank(*p)) return p;
    ++p;  // some other control byte: part of the field
  }
  while (p < end && !isBlank(*p)) ++p;
  return p;
}

}  // namespace

size_t splitFields(std::string_view line, std::string_view* fields, size_t maxFields) {
  size_t count = 0;
  const char* p = line.data();
  const char* const end = p + line.size();
  while (p < end) {
    while (p < end && isBlank(*p)) ++p;
    if (p == end) break;
    const char* start = p;
    p = fieldEnd(p, end);
    if (count < maxFields) fields[count] = std::string_view(start, static_cast<size_t>(p - start));
    ++count;
  }
  return count;
}

bool parseInteger(std::string_view text, int64_t& value) {
  const char* p = text.data();
  const char* end = p + text.size();
  bool negative = p < end && *p == '-';
  if (negative) ++p;
  if (p == end) return false;
  while (end - p > 1 && *p == '0') ++p;  // leading zeros carry no magnitude
  bool huge = end - p > 18;
  int64_t v = 0;
  for (; p < end; ++p) {
    unsigned d = static_cast<unsigned char>(*p) - unsigned{'0'};
    if (d > 9) return false;
    if (!huge) v = v * 10 + static_cast<int64_t>(d);
  }
  if (huge) v = kHugeNumber;
  value = negative ? -v : v;
  return true;
}

bool parseHundredths(std::string_view text, int64_t& hundredths) {
  size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (whole.empty() && fraction.empty()) return false;
  int64_t units = 0;
  if (!whole.empty() && (whole[0] == '-' || !parseInteger(whole, units))) return false;
  int64_t digits[3] = {0, 0, 0};
  for (size_t i = 0; i < fraction.size(); ++i) {
    unsigned d = static_cast<unsigned char>(fraction[i]) - unsigned{'0'};
    if (d > 9) return false;
    if (i < 3) digits[i] = d;
  }
  if (units > 999999999999999) {
    hundredths = kHugeNumber;
    return true;
  }
  hundredths = units * 100 + digits[0] * 10 + digits[1] + (digits[2] >= 5 ? 1 : 0);
  return true;
}

int64_t hundredthsOfRatio(int64_t part, int64_t whole) {
  constexpr int64_t kExactUpTo = int64_t{1} << 48;  // 20000 * whole stays inside int64
  if (whole <= 0) return 0;
  if (whole <= kExactUpTo && part <= kExactUpTo) return (20000 * part + whole) / (2 * whole);
  return static_cast<int64_t>(10000.0 * static_cast<double>(part) / static_cast<double>(whole) + 0.5);
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

std::string quotedForMessage(std::string_view text) {
  char shown[64];
  quoteForMessage(text, shown, sizeof shown);
  return shown;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

std::string shownInputName(std::string_view name) {
  if (name.empty() || name == "/dev/stdin" || name == "/dev/fd/0" || name == "/proc/self/fd/0") return "standard input";
  return std::string(name);
}
