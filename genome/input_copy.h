// minimap2 reads a FASTA twice, by name (to index it, then to map it): the bytes of a pipe,
// a FIFO or /dev/stdin, which come only once, are first copied to a temporary file.
#pragma once

#include <string>

#include "named_input.h"

// A temporary file that removes itself.
struct InputCopy {
  std::string path;  // empty when no copy was made
  InputCopy() = default;
  InputCopy(const InputCopy&) = delete;
  InputCopy& operator=(const InputCopy&) = delete;
  ~InputCopy();
};

// Copies what is left of input (inflated, if it was gzip) into copy, in $TMPDIR or /tmp.
// False with error ("cannot read FILE: ...", "cannot copy FILE: ...") when it could not.
bool copyInput(NamedInput& input, InputCopy& copy, std::string& error);
