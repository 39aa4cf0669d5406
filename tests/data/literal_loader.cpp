#include "literal_loader.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <map>

namespace {

bool isSeparator(char c) { return c == '/' || c == ';'; }

int32_t saturatingAtoi(const std::string& text) {
  long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

bool isSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int32_t literalTandemField(const std::string& token, int k) {
  std::string cstring = token.substr(0, token.find('\0'));
  int counter = 1;
  std::string buffer;
  for (size_t i = 0; i < cstring.size(); ++i) {
    if (!isSeparator(cstring[i])) buffer += cstring[i];
    if (i + 1 < cstring.size() && isSeparator(cstring[i + 1])) {
      if (counter == k) return saturatingAtoi(buffer);
      ++counter;
      buffer.clear();
    }
  }
  return saturatingAtoi(buffer);
}

LiteralLoad literalLoad(const std::string& bytes, uint32_t tag) {
  LiteralLoad load;
  std::map<int32_t, int32_t> stacks;
  size_t i = 0;
  int32_t count = 1;
  for (;;) {
    while (i < bytes.size() && isSpace(static_cast<unsigned char>(bytes[i]))) ++i;
    if (i == bytes.size()) break;
    size_t start = i;
    while (i < bytes.size() && !isSpace(static_cast<unsigned char>(bytes[i]))) ++i;
    std::string token = bytes.substr(start, i - start);
    ++load.tokens;
    int32_t pos = literalTandemField(token, 1);
    int32_t partner = literalTandemField(token, 2);
    int32_t len = literalTandemField(token, 3);
    int c1 = std::rand(), c2 = std::rand(), c3 = std::rand();
    if (len > 10) {
      if (count + 1 < kTableSlots) {
        TandemRecord a{}, b{};
        a.x = static_cast<float>(pos);
        a.y = static_cast<float>(++stacks[pos] / 10.0);
        b.x = static_cast<float>(partner);
        b.y = static_cast<float>(++stacks[partner] / 10.0);
        a.pos = b.partner = pos;
        a.partner = b.pos = partner;
        a.len = b.len = static_cast<float>(len);
        a.tag = b.tag = tag;
        a.r = b.r = static_cast<float>(c1 % 255) / 255.0f;
        a.g = b.g = static_cast<float>(c2 % 255) / 255.0f;
        a.b = b.b = static_cast<float>(c3 % 255) / 255.0f;
        load.records.push_back(a);
        load.records.push_back(b);
        count += 2;
      } else {
        load.refusedForRoom = true;
      }
    }
    if (len > load.maxLen) load.maxLen = len;
  }
  return load;
}
