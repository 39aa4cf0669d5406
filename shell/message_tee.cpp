#include "message_tee.h"

#if defined(__GLIBC__)

#include <sys/types.h>

namespace {

ssize_t writeThrough(void* cookie, const char* bytes, size_t size) {
  MessageTee& tee = *static_cast<MessageTee*>(cookie);
  size_t written = std::fwrite(bytes, 1, size, stderr);
  for (size_t i = 0; i < written; ++i) {
    if (bytes[i] == '\n') {
      if (!tee.line.empty()) tee.lastLine = tee.line;
      tee.line.clear();
    } else if (bytes[i] == '\r') {
      tee.line.clear();  // a progress line rewritten in place
    } else {
      tee.line += bytes[i];
    }
  }
  return static_cast<ssize_t>(written);
}

}  // namespace

FILE* openMessageTee(MessageTee& tee) {
  cookie_io_functions_t functions{nullptr, writeThrough, nullptr, nullptr};
  tee.file = fopencookie(&tee, "w", functions);
  if (tee.file == nullptr) return tee.file = stderr;
  setvbuf(tee.file, nullptr, _IONBF, 0);
  return tee.file;
}

void closeMessageTee(MessageTee& tee) {
  if (tee.file != nullptr && tee.file != stderr) std::fclose(tee.file);
  tee.file = nullptr;
}

#else

FILE* openMessageTee(MessageTee& tee) { return tee.file = stderr; }
void closeMessageTee(MessageTee& tee) { tee.file = nullptr; }

#endif
