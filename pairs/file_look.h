// A file's kind told from its first bytes: its family (pairs, annotation, sequence or a kind
// refused by name), its format (a row of file_kinds) and its compression. The readers tell
// the same things the same way, through the detectors this calls.
#pragma once

#include <cstdint>
#include <string_view>

#include "file_kinds.h"

enum class Compression { None, Gzip };

struct FileLook {
  const FileKind* kind = nullptr;  // nullptr: nothing known
  Compression compression = Compression::None;
};

// head: a file's first bytes as stored (gzip is inflated here); whole: they are the whole
// file. Tells refused kinds and sequences first, then the formats of the family the file is
// opened as (wanted: Pairs or Annotation; the tandem list is the last pair format), then the
// other family's.
// Tandem Repeats Finder output is a pair and an annotation format: wanted decides.
FileLook lookAtHead(std::string_view head, bool whole, FileFamily wanted);

// The pair format the whole lines of head tell, line by line as the import tells it, from
// byte looked on (advanced past the lines looked at; lineNumber counts them). LookFurther
// when the lines end before one tells.
Detection tellPairFormat(std::string_view head, bool whole, size_t& looked, uint64_t& lineNumber, InputFormat& format);
