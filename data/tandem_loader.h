// Reads the tandem list at start-up, prints the summary, and normalises the records.
#pragma once

#include <cstdint>
#include <cstdio>

#include "tandem_scanner.h"

// Appends a pair of records for every token of the file whose length is above 10, while
// the table has room, then prints the summary. A path that cannot be read (missing, a
// directory, failing mid-way) prints "UPS" first and keeps what was stored before.
// Returns 0 when the whole file was read, else the error that stopped it (the viewer goes
// on regardless; the tools report it).
int loadTandemList(const char* path, uint32_t tag);

// Ends a load whose bytes the caller streamed into a scanner it started (a pair file
// converted on the way in) exactly as loadTandemList ends one: "UPS" first when error is
// not 0 (the last token is then dropped), then the summary. Returns error. A named file's
// caller says why itself, so sayUps false leaves "UPS" to date.txt.
int endTandemLoad(TandemScanner& scanner, int error, bool sayUps = true);

// The after-load pass: lengths into (0, 7], x into units of 100,000 positions.
void normalizeRecords();

// Where the summary lines (and "UPS") go: standard output unless a tool that prints a
// table of its own there sends them elsewhere.
void sendLoadSummaryTo(FILE* out);

// Its first half alone: lengths into (0, 7] by the list's longest.
void normalizeLengths();

// Every record's x and y back where the load and the after-load pass put them: rows counted
// again from nothing in slot order, the order the loader counted them in.
void placeRecordsAsLoaded();
