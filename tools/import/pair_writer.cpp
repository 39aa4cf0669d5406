#include "pair_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

#include "output_file.h"

namespace {

constexpr size_t kWriteBufferBytes = size_t{1} << 20;
constexpr size_t kMaxTokenBytes = 48;

// Two digits at a time: formatting is a good part of a large conversion's time.
char* writeDigits(char* out, uint32_t value) {
  static const char kPairs[] =
      "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
      "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
      "8081828384858687888990919293949596979899";
  char digits[10];
  int n = 10;
  while (value >= 100) {
    uint32_t pair = (value % 100) * 2;
    value /= 100;
    digits[--n] = kPairs[pair + 1];
    digits[--n] = kPairs[pair];
  }
  if (value >= 10) {
    digits[--n] = kPairs[value * 2 + 1];
    digits[--n] = kPairs[value * 2];
  } else {
    digits[--n] = static_cast<char>('0' + value);
  }
  size_t size = static_cast<size_t>(10 - n);
  std::memcpy(out, digits + n, size);
  return out + size;
}

bool writeAll(int fd, const char* bytes, size_t size, int& error) {
  if (writeDescriptor(fd, bytes, size)) return true;
  error = errno;
  return false;
}

void flush(PairWriter& writer) {
  if (writer.used > 0 && writer.error == 0) writeAll(writer.fd, writer.buffer.data(), writer.used, writer.error);
  writer.used = 0;
}

}  // namespace

size_t formatPair(char* out, int32_t pos, int32_t partner, int32_t len, int orientation, double identity) {
  char* p = out;
  p = writeDigits(p, static_cast<uint32_t>(pos));
  *p++ = '/';
  p = writeDigits(p, static_cast<uint32_t>(partner));
  *p++ = '/';
  p = writeDigits(p, static_cast<uint32_t>(len));
  *p++ = '/';
  *p++ = orientation != 0 ? '1' : '0';
  if (identity >= 0) {
    // The readers give identities in whole hundredths, at most 100.00.
    double scaled = identity * 100.0 + 0.5;
    uint32_t hundredths = scaled < 1e7 ? static_cast<uint32_t>(scaled) : 9999999u;
    *p++ = '/';
    p = writeDigits(p, hundredths / 100);
    *p++ = '.';
    *p++ = static_cast<char>('0' + hundredths / 10 % 10);
    *p++ = static_cast<char>('0' + hundredths % 10);
  }
  *p++ = '\n';
  return static_cast<size_t>(p - out);
}

void openStdoutWriter(PairWriter& writer) {
  writer.fd = STDOUT_FILENO;
  writer.path.clear();
  writer.file = OutputFile{};
  writer.buffer.assign(kWriteBufferBytes, '\0');
  writer.used = 0;
  writer.error = 0;
}

int openFileWriter(PairWriter& writer, const std::string& path, bool force,
                   const std::vector<std::string>& inputs) {
  openStdoutWriter(writer);
  writer.path = path;
  int opened = openOutputFile(writer.file, path, inputs, force);
  writer.fd = writer.file.fd;
  return opened;
}

void writePair(PairWriter& writer, int32_t pos, int32_t partner, int32_t len, int orientation, double identity) {
  if (writer.buffer.size() - writer.used < kMaxTokenBytes) flush(writer);
  writer.used += formatPair(writer.buffer.data() + writer.used, pos, partner, len, orientation, identity);
}

void writeText(PairWriter& writer, const std::string& text) {
  flush(writer);
  if (writer.error == 0) writeAll(writer.fd, text.data(), text.size(), writer.error);
}

bool finishWriter(PairWriter& writer) {
  flush(writer);
  if (writer.path.empty()) return writer.error == 0;
  if (writer.error != 0) {
    abandonOutputFile(writer.file);
    return false;
  }
  return commitOutputFile(writer.file);
}

void abandonWriter(PairWriter& writer) {
  if (!writer.path.empty()) abandonOutputFile(writer.file);
}
