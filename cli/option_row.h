// A command-line option as one row of plain data: its name, whether it takes a value, the
// code getopt_long returns for it, how it sets its target, how it is written back and its
// --help lines. A program's getopt_long table, its --help and any command it prints to
// make the same thing again all come from its rows, so none of them can leave an option
// out or spell it another way.
#pragma once

#include <getopt.h>

#include <cstddef>
#include <string>
#include <vector>

template <typename Target>
struct OptionRow {
  const char* name;  // the long name, without "--"
  bool takesValue;
  int code;          // what getopt_long returns for it
  // Sets what the option asks for; false with the reason for a bad value.
  bool (*take)(Target& target, const char* value, std::string& error);
  // Appends " --name VALUE" (the value shell-quoted) when target holds anything the option
  // sets, so that parsing what was written makes the same target again.
  void (*write)(const Target& target, std::string& line);
  const char* help;  // its lines of --help, each ending in a newline
};

// One program part's rows.
template <typename Target>
struct OptionRows {
  const OptionRow<Target>* first;
  size_t count;

  const OptionRow<Target>* begin() const { return first; }
  const OptionRow<Target>* end() const { return first + count; }
  // The row of a getopt_long code; null when it is none of these.
  const OptionRow<Target>* find(int code) const {
    for (const OptionRow<Target>& row : *this)
      if (row.code == code) return &row;
    return nullptr;
  }
  const OptionRow<Target>* named(const char* name) const {
    for (const OptionRow<Target>& row : *this)
      if (std::string(row.name) == name) return &row;
    return nullptr;
  }
};

template <typename Target, size_t N>
constexpr OptionRows<Target> optionRows(const OptionRow<Target> (&rows)[N]) {
  return OptionRows<Target>{rows, N};
}

// getopt_long's entry for a row.
template <typename Target>
option longOption(const OptionRow<Target>& row) {
  return option{row.name, row.takesValue ? required_argument : no_argument, nullptr, row.code};
}

template <typename Target>
void addLongOptions(std::vector<option>& table, const OptionRows<Target>& rows) {
  for (const OptionRow<Target>& row : rows) table.push_back(longOption(row));
}

template <typename Target>
std::string optionsHelp(const OptionRows<Target>& rows) {
  std::string help;
  for (const OptionRow<Target>& row : rows) help += row.help;
  return help;
}

// Every row's words for target, in the rows' order.
template <typename Target>
void writeOptions(const OptionRows<Target>& rows, const Target& target, std::string& line) {
  for (const OptionRow<Target>& row : rows) row.write(target, line);
}
