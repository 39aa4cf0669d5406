// The rest of an input read in blocks of whole lines, its rows read by two threads while
// the caller places the rows of the blocks before, in input order: reading a row costs most
// of an import's time, and rows of a known format (all but TRF's, which name their sequence
// in section lines) are read independently of one another.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "input_format.h"
#include "line_reader.h"
#include "load_progress.h"
#include "pair_row.h"

// One line's row as the import takes it; cut: the line was longer than the reader holds,
// kept cut as nextLine hands it out.
RowResult rowOfLine(InputFormat format, std::string_view line, bool cut);

struct LineRow {
  RowResult row;          // never RowKind::Ignore
  std::string_view line;  // as nextLine hands it out
  uint64_t lineNumber;
};

// Reads reader to its end, from where nextLine would go on, and hands every row that is not
// passed over to place, in order. Returns false on a read error (reader.error set); the
// rows of the lines before it have been placed. progress (if not null) counts each block placed.
bool placeRowsInBlocks(LineReader& reader, InputFormat format, const std::function<void(const LineRow&)>& place,
                       LoadProgress* progress);
