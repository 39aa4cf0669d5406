// A file's kind told from its first bytes: its family (pairs, annotation, sequence or a kind
// refused by name), its format (a row of file_kinds) and its compression. Every reader asks
// here, so a file is told the same way wherever it is opened.
#pragma once

#include <string>
#include <string_view>

#include "file_kinds.h"
#include "line_reader.h"

enum class Compression { None, Gzip };

struct FileLook {
  const FileKind* kind = nullptr;  // nullptr: nothing known
  Compression compression = Compression::None;
  ContentKind content = ContentKind::Unknown;  // what the first bytes alone look like
  std::string refusal;                         // opened as annotation and none: why, for a message
};

// head: a file's first bytes as stored (gzip is inflated here); whole: they are the whole
// file. Tells refused kinds and sequences first (opened as pairs, annotation too, but BED,
// whose rows BEDPE's resemble), then the formats of the family the file is opened as
// (wanted: Pairs or Annotation; the tandem list is the last pair format), then the other
// family's. Tandem Repeats Finder output is a pair and an annotation format: wanted decides.
// name: the file as messages name it.
FileLook lookAtHead(std::string_view head, bool whole, FileFamily wanted, std::string_view name = "");

// The same for the text waiting in reader (inflated already, so gzip inside gzip is refused
// as such), first bytes; handed nothing out, the reader still starts where it did. Opened as
// pairs, it reads on while the lines say nothing yet, as the import would look at them.
FileLook lookAtReader(LineReader& reader, size_t firstLook, FileFamily wanted, std::string_view name);
