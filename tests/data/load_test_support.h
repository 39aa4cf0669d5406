// Shared set-up for the loader tests: a fresh table, a scratch folder, and loads that
// capture what the loader prints.
#pragma once

#include <string>

// Writes bytes to a new file in a scratch folder and returns its path.
std::string writeScratchFile(const std::string& name, const std::string& bytes);

// Empties the table, restarts rand() at its unseeded sequence, loads path with tag 1 and
// returns what the loader printed.
std::string loadCapturingSummary(const std::string& path);

// The same for bytes written to a scratch file first.
std::string loadBytes(const std::string& bytes);
