// Options written back as a POSIX shell reads them: a printed command runs as printed,
// whatever a path or a name holds.
#pragma once

#include <string>

// The word itself when it holds only characters no shell treats specially, else in single
// quotes (a quote inside as '\'').
std::string shellWord(const std::string& word);

// " --name"
void writeFlag(std::string& line, const char* name);
// " --name VALUE", the value shell-quoted.
void writeValue(std::string& line, const char* name, const std::string& value);

// An option's refusal, formatted, into error; false for the parser to return.
bool refuseOption(std::string& error, const char* format, ...) __attribute__((format(printf, 2, 3)));
