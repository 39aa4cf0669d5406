#include "line_reader.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// One read() on the descriptor; the Windows runtime's takes and returns int.
long readSome(int fd, char* into, size_t room) {
#ifdef _WIN32
  constexpr size_t kMostAtOnce = size_t{1} << 30;
  return _read(fd, into, static_cast<unsigned>(room < kMostAtOnce ? room : kMostAtOnce));
#else
  return static_cast<long>(read(fd, into, room));
#endif
}

// Moves what is left to the front and reads more behind it; false at the end or on error.
bool fill(LineReader& reader) {
  if (reader.atEnd || reader.error != 0) return false;
  if (reader.begin > 0) {
    std::memmove(reader.buffer.data(), reader.buffer.data() + reader.begin, reader.end - reader.begin);
    reader.end -= reader.begin;
    reader.begin = 0;
  }
  for (;;) {
    long n = readSome(reader.fd, reader.buffer.data() + reader.end, reader.buffer.size() - reader.end);
    if (n > 0) {
      reader.end += static_cast<size_t>(n);
      return true;
    }
    if (n == 0) {
      reader.atEnd = true;
      return false;
    }
    if (errno != EINTR) {
      reader.error = errno;
      return false;
    }
  }
}

std::string_view withoutCarriageReturn(const char* start, size_t size) {
  if (size > 0 && start[size - 1] == '\r') --size;
  return std::string_view(start, size);
}

}  // namespace

void openLineReader(LineReader& reader, int fd) {
  reader.fd = fd;
  reader.buffer.assign(kLineBufferBytes, '\0');
  reader.begin = 0;
  reader.end = 0;
  reader.atEnd = false;
  reader.droppingTail = false;
  reader.error = 0;
  reader.lineNumber = 0;
}

bool nextLine(LineReader& reader, std::string_view& line, bool& cut) {
  cut = false;
  for (;;) {
    char* start = reader.buffer.data() + reader.begin;
    size_t available = reader.end - reader.begin;
    auto* newline = static_cast<char*>(std::memchr(start, '\n', available));
    if (reader.droppingTail) {
      if (newline != nullptr) {
        reader.begin += static_cast<size_t>(newline - start) + 1;
        reader.droppingTail = false;
        continue;
      }
      reader.begin = reader.end;
      if (!fill(reader)) return false;
      continue;
    }
    if (newline != nullptr) {
      size_t size = static_cast<size_t>(newline - start);
      reader.begin += size + 1;
      ++reader.lineNumber;
      line = withoutCarriageReturn(start, size);
      return true;
    }
    if (available == reader.buffer.size()) {
      // Full and no line end: hand out what fits, drop the rest of the line.
      reader.begin = reader.end;
      reader.droppingTail = true;
      ++reader.lineNumber;
      line = std::string_view(start, available);
      cut = true;
      return true;
    }
    if (!fill(reader)) {
      if (reader.error != 0) return false;
      available = reader.end - reader.begin;
      if (available == 0) return false;
      // A last line without a line end.
      start = reader.buffer.data() + reader.begin;
      reader.begin = reader.end;
      ++reader.lineNumber;
      line = withoutCarriageReturn(start, available);
      return true;
    }
  }
}

size_t peekBytes(LineReader& reader, size_t want) {
  if (want > reader.buffer.size()) want = reader.buffer.size();
  while (reader.end - reader.begin < want) {
    // fill() moves the waiting bytes to the front first, so there is room behind them.
    if (!fill(reader)) break;
  }
  return reader.end - reader.begin;
}

std::string_view takeBytes(LineReader& reader) {
  std::string_view bytes(reader.buffer.data() + reader.begin, reader.end - reader.begin);
  reader.begin = reader.end;
  return bytes;
}

int openForReading(const char* path) {
#ifdef _WIN32
  return _open(path, _O_RDONLY | _O_BINARY);
#else
  return open(path, O_RDONLY | O_CLOEXEC);
#endif
}

void closeInput(int fd) {
#ifdef _WIN32
  _close(fd);
#else
  close(fd);
#endif
}
