#include "option_words.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>

std::string shellWord(const std::string& word) {
  bool plain = !word.empty();
  for (char c : word)
    if (!(std::isalnum(static_cast<unsigned char>(c)) || std::strchr("_./:=,+-%@", c) != nullptr)) plain = false;
  if (plain) return word;
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

void writeFlag(std::string& line, const char* name) {
  line += " --";
  line += name;
}

void writeValue(std::string& line, const char* name, const std::string& value) {
  writeFlag(line, name);
  line += ' ';
  line += shellWord(value);
}

bool refuseOption(std::string& error, const char* format, ...) {
  va_list args, again;
  va_start(args, format);
  va_copy(again, args);
  int size = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  error.assign(size > 0 ? static_cast<size_t>(size) : 0, '\0');
  if (size > 0) std::vsnprintf(&error[0], error.size() + 1, format, again);
  va_end(again);
  return false;
}
