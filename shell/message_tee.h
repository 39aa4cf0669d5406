// Standard error as the viewer's load writes it, with the last line kept, so that a window
// can show why a file was refused in the importer's own words.
#pragma once

#include <cstdio>
#include <string>

struct MessageTee {
  FILE* file = nullptr;  // writes through to standard error at once
  std::string line;      // the line being written
  std::string lastLine;  // the last whole one
};

// The tee's FILE, or stderr itself where the C library cannot make one (lastLine stays empty).
FILE* openMessageTee(MessageTee& tee);
void closeMessageTee(MessageTee& tee);
