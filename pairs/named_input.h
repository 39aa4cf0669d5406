// A FILE named on a command line, opened once. Telling its format looks at the first bytes
// waiting in the reader's buffer, and the load reads on from the same reader, so a pipe, a
// FIFO, /dev/stdin or <(...) gives what the same bytes in a regular file give.
#pragma once

#include <memory>
#include <string>

#include "line_reader.h"

struct NamedInput {
  std::string path;
  int fd = -1;
  int error = 0;         // errno when it could not be opened, or EISDIR for a folder
  bool regular = false;  // a regular file: the same bytes again when opened by name
  LineReader reader;

  NamedInput() = default;
  NamedInput(const NamedInput&) = delete;
  NamedInput& operator=(const NamedInput&) = delete;
  ~NamedInput();
};

// Opens path for reading; the answer's error says why it could not be.
std::shared_ptr<NamedInput> openNamedInput(const char* path);
