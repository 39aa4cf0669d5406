// Reads a file descriptor line by line through one fixed buffer, so memory stays the same
// whatever the input's size. A line longer than the buffer comes back cut, marked as such,
// and the rest of it is dropped. gzip input (several members too, as bgzip writes) is
// inflated on the way in, so every reader sees the text, without the UTF-8 byte order mark
// some editors put before it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

constexpr size_t kLineBufferBytes = size_t{1} << 20;

// Errors of the gzip layer, beside errno's; readErrorText names them.
constexpr int kGzipCorrupt = 0x7A000001;
constexpr int kGzipTruncated = 0x7A000002;

struct GzipInput;  // zlib's stream and its compressed bytes, only for gzip input
struct GzipInputDeleter {
  void operator()(GzipInput* input) const;
};

struct LineReader {
  int fd;
  std::unique_ptr<GzipInput, GzipInputDeleter> gzip;
  bool sniffed;       // the first bytes were looked at for gzip's magic
  bool markChecked;   // the first text was looked at for a byte order mark
  std::vector<char> buffer;
  size_t begin;       // first byte not yet handed out
  size_t end;         // one past the last byte read
  bool atEnd;         // read() has returned 0
  bool droppingTail;  // inside the rest of a line too long for the buffer
  int error;          // errno of a failed read, 0 if none
  uint64_t lineNumber;
};

void openLineReader(LineReader& reader, int fd);

// Hands out the next line without its line end ("\n" or "\r\n"). Returns false at the end
// of the input or on a read error (then reader.error is set). cut is set for a line that
// did not fit in the buffer.
bool nextLine(LineReader& reader, std::string_view& line, bool& cut);

// Reads until at least want bytes wait in the buffer, or the input ends or fails, or the
// buffer is full; hands nothing out, so nextLine still starts where it would have. Returns
// the bytes waiting.
size_t peekBytes(LineReader& reader, size_t want);

// Hands out every waiting byte as it is, for a caller that takes the rest of the input as
// raw bytes (peekBytes then brings the next ones).
std::string_view takeBytes(LineReader& reader);

// What went wrong, for "cannot read FILE: ...": strerror's text, or the gzip layer's.
const char* readErrorText(int error);

// Opens a file for nextLine: binary on Windows, so no line end or byte is translated.
// Returns -1 with errno set when it cannot.
int openForReading(const char* path);
void closeInput(int fd);
