#include "line_reader.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <zlib.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

struct GzipInput {
  z_stream stream;
  std::vector<unsigned char> compressed;
  bool inputEnded;   // the descriptor has no more bytes
  bool memberEnded;  // the last member ended whole; another may follow
};

void GzipInputDeleter::operator()(GzipInput* input) const {
  inflateEnd(&input->stream);
  delete input;
}

namespace {

constexpr size_t kCompressedBytes = size_t{1} << 18;

// One read() on the descriptor; the Windows runtime's takes and returns int.
long readSome(int fd, char* into, size_t room) {
#ifdef _WIN32
  constexpr size_t kMostAtOnce = size_t{1} << 30;
  return _read(fd, into, static_cast<unsigned>(room < kMostAtOnce ? room : kMostAtOnce));
#else
  return static_cast<long>(read(fd, into, room));
#endif
}

// One read() that EINTR does not break: the byte count, 0 at the end, -1 with errno.
long readRaw(int fd, char* into, size_t room) {
  for (;;) {
    long n = readSome(fd, into, room);
    if (n >= 0 || errno != EINTR) return n;
  }
}

// The compressed bytes already read become the gzip stream's first input.
void startGzip(LineReader& reader, const char* bytes, size_t size) {
  std::unique_ptr<GzipInput, GzipInputDeleter> gzip(new GzipInput{});
  gzip->compressed.resize(kCompressedBytes > size ? kCompressedBytes : size);
  std::memcpy(gzip->compressed.data(), bytes, size);
  if (inflateInit2(&gzip->stream, 15 + 16) != Z_OK) {
    reader.error = ENOMEM;
    return;
  }
  gzip->stream.next_in = gzip->compressed.data();
  gzip->stream.avail_in = static_cast<uInt>(size);
  reader.gzip = std::move(gzip);
}

// Reads the first two bytes (or fewer, at the end) behind the waiting ones; gzip's magic
// turns them over to the inflater. True when raw bytes were added.
bool sniffGzip(LineReader& reader) {
  reader.sniffed = true;
  size_t got = 0;
  while (got < 2) {
    long n = readRaw(reader.fd, reader.buffer.data() + reader.end, reader.buffer.size() - reader.end);
    if (n == 0) {
      reader.atEnd = true;
      break;
    }
    if (n < 0) {
      reader.error = errno;
      return false;
    }
    reader.end += static_cast<size_t>(n);
    got += static_cast<size_t>(n);
  }
  const auto* first = reinterpret_cast<const unsigned char*>(reader.buffer.data() + reader.end - got);
  if (got < 2 || first[0] != 0x1f || first[1] != 0x8b) return got > 0;
  reader.end -= got;
  startGzip(reader, reinterpret_cast<const char*>(first), got);
  return false;
}

// Inflates into the room behind the waiting bytes; false at the end or on error.
bool inflateMore(LineReader& reader) {
  GzipInput& gzip = *reader.gzip;
  z_stream& stream = gzip.stream;
  for (;;) {
    if (stream.avail_in == 0 && !gzip.inputEnded) {
      long n = readRaw(reader.fd, reinterpret_cast<char*>(gzip.compressed.data()), gzip.compressed.size());
      if (n < 0) {
        reader.error = errno;
        return false;
      }
      if (n == 0) gzip.inputEnded = true;
      stream.next_in = gzip.compressed.data();
      stream.avail_in = static_cast<uInt>(n);
    }
    if (stream.avail_in == 0 && gzip.inputEnded) {
      if (gzip.memberEnded) {
        reader.atEnd = true;
      } else {
        reader.error = kGzipTruncated;
      }
      return false;
    }
    if (gzip.memberEnded) {
      // bgzip and concatenated files: the next member goes on where the last one ended.
      inflateReset(&stream);
      gzip.memberEnded = false;
    }
    size_t room = reader.buffer.size() - reader.end;
    stream.next_out = reinterpret_cast<unsigned char*>(reader.buffer.data() + reader.end);
    stream.avail_out = static_cast<uInt>(room);
    int status = inflate(&stream, Z_NO_FLUSH);
    size_t produced = room - stream.avail_out;
    reader.end += produced;
    if (status == Z_STREAM_END) {
      gzip.memberEnded = true;
    } else if (status != Z_OK && status != Z_BUF_ERROR) {
      reader.error = kGzipCorrupt;
      return false;
    }
    if (produced > 0) return true;
  }
}

// Moves what is left to the front and reads more behind it; false at the end or on error.
bool fillOnce(LineReader& reader) {
  if (reader.atEnd || reader.error != 0) return false;
  if (reader.begin > 0) {
    std::memmove(reader.buffer.data(), reader.buffer.data() + reader.begin, reader.end - reader.begin);
    reader.end -= reader.begin;
    reader.begin = 0;
  }
  if (!reader.sniffed && sniffGzip(reader)) return true;
  if (reader.error != 0 || reader.atEnd) return false;
  if (reader.gzip) return inflateMore(reader);
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

// fillOnce, and at the start a UTF-8 byte order mark (Windows editors write one) dropped:
// it is no part of the first line.
bool fill(LineReader& reader) {
  static const char kMark[] = "\xEF\xBB\xBF";
  bool more = fillOnce(reader);
  while (!reader.markChecked) {
    size_t waiting = reader.end - reader.begin;
    if (std::memcmp(reader.buffer.data() + reader.begin, kMark, waiting < 3 ? waiting : 3) != 0) break;
    if (waiting >= 3) {
      reader.begin += 3;
      break;
    }
    if (!fillOnce(reader)) break;  // the input ended on part of a mark: those bytes stay
    more = true;
  }
  reader.markChecked = true;
  return more;
}

std::string_view withoutCarriageReturn(const char* start, size_t size) {
  if (size > 0 && start[size - 1] == '\r') --size;
  return std::string_view(start, size);
}

}  // namespace

void openLineReader(LineReader& reader, int fd) {
  reader.fd = fd;
  reader.gzip.reset();
  reader.sniffed = false;
  reader.markChecked = false;
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

const char* readErrorText(int error) {
  if (error == kGzipCorrupt) return "its gzip data is corrupt";
  if (error == kGzipTruncated) return "its gzip data ends early (a cut or unfinished file)";
  return std::strerror(error);
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
