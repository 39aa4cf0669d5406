// Splitting a line into whitespace-separated fields and reading them as numbers, strictly:
// a field is a number only if every character of it is a digit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Splits line at runs of spaces and tabs into at most maxFields fields and returns how many
// it found; fields past maxFields are counted but not stored.
size_t splitFields(std::string_view line, std::string_view* fields, size_t maxFields);

// Reads digits with an optional leading '-'. Values past 18 digits are clamped to a number
// far outside every range the readers accept, so they are refused as out of range, not wrapped.
bool parseInteger(std::string_view text, int64_t& value);

// Whether text begins with prefix.
inline bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Whether text is a whole number as parseInteger reads it.
inline bool isInteger(std::string_view text) {
  int64_t value = 0;
  return parseInteger(text, value);
}

// Names compared as ASCII letters without case (Ensembl's chr1 against CHR1).
bool equalIgnoringCase(std::string_view a, std::string_view b);

// Reads an unsigned decimal ("98.005", "100", "7.5") in hundredths, rounding half up, as
// identities are written with two decimals. Values past 15 digits before the point are
// clamped to kHugeNumber.
bool parseHundredths(std::string_view text, int64_t& hundredths);

// Percent from hundredths, and the hundredths of a ratio in percent, rounded half up.
inline double percentOfHundredths(int64_t hundredths) { return static_cast<double>(hundredths) / 100.0; }
int64_t hundredthsOfRatio(int64_t part, int64_t whole);

constexpr int64_t kHugeNumber = 1000000000000000000;

// Copies text into out (size outSize) fit for a one-line message: at most 40 characters,
// tabs as spaces and anything else unprintable as '?', so a binary or hostile line cannot drive the terminal.
void quoteForMessage(std::string_view text, char* out, size_t outSize);
// The same, as a string: a name or a typed place as a message shows it.
std::string quotedForMessage(std::string_view text);

// How a message names an input: standard input by any of its file names (and an empty
// name) is "standard input"; any other name is itself.
std::string shownInputName(std::string_view name);
