#include "pair_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

#include "output_file.h"

namespace {

constexpr size_t kWriteBufferBytes = size_t{1} << 20;

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

void writePair(PairWriter& writer, int64_t pos, int64_t partner, int64_t len, int orientation, double identity,
               int64_t partnerLen) {
  if (writer.buffer.size() - writer.used < kMaxTokenBytes) flush(writer);
  writer.used += formatPair(writer.buffer.data() + writer.used, pos, partner, len, orientation, identity, partnerLen);
}

void writeTokens(PairWriter& writer, const char* text, size_t size) {
  if (writer.buffer.size() - writer.used < size) flush(writer);
  if (size > writer.buffer.size()) {
    if (writer.error == 0) writeAll(writer.fd, text, size, writer.error);
    return;
  }
  std::memcpy(writer.buffer.data() + writer.used, text, size);
  writer.used += size;
}

void takeTokens(void* writer, const char* text, size_t size) {
  writeTokens(*static_cast<PairWriter*>(writer), text, size);
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
