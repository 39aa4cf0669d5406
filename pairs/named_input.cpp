#include "named_input.h"

#include <cerrno>

#include <sys/stat.h>

NamedInput::~NamedInput() {
  if (fd >= 0) closeInput(fd);
}

std::shared_ptr<NamedInput> openNamedInput(const char* path) {
  auto input = std::make_shared<NamedInput>();
  input->path = path;
  errno = 0;
  input->fd = openForReading(path);
  if (input->fd < 0) {
    input->error = errno != 0 ? errno : EIO;
    return input;
  }
  struct stat info;
  if (fstat(input->fd, &info) != 0) {
    input->error = errno;
  } else if (S_ISDIR(info.st_mode)) {
    input->error = EISDIR;
  }
  input->regular = input->error == 0 && S_ISREG(info.st_mode);
  if (input->error != 0) {
    closeInput(input->fd);
    input->fd = -1;
    return input;
  }
  openLineReader(input->reader, input->fd);
  return input;
}
