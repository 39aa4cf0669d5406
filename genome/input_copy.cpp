#include "input_copy.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <unistd.h>

InputCopy::~InputCopy() {
  if (!path.empty()) unlink(path.c_str());
}

namespace {

bool writeAll(int fd, const char* bytes, size_t size) {
  while (size > 0) {
    ssize_t n = write(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool copyInput(NamedInput& input, InputCopy& copy, std::string& error) {
  const char* folder = std::getenv("TMPDIR");
  std::string path = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/quelvar-input-XXXXXX";
  int fd = mkstemp(path.data());
  if (fd < 0) {
    error = "cannot copy " + input.path + " to read it twice: " + std::strerror(errno);
    return false;
  }
  copy.path = path;
  bool written = true;
  while (written && peekBytes(input.reader, 1) > 0) {
    std::string_view bytes = takeBytes(input.reader);
    written = writeAll(fd, bytes.data(), bytes.size());
  }
  int writeError = written ? 0 : errno;
  if (close(fd) != 0 && written) {
    written = false;
    writeError = errno;
  }
  if (input.reader.error != 0) {
    error = "cannot read " + input.path + ": " + readErrorText(input.reader.error);
    return false;
  }
  if (!written) {
    error = "cannot copy " + input.path + " to read it twice: " + std::strerror(writeError != 0 ? writeError : EIO);
    return false;
  }
  return true;
}
