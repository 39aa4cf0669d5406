#include "cli_tool.h"

#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <getopt.h>
#if defined(_WIN32)
#include <io.h>
#else
#include <sys/socket.h>
#include <unistd.h>
#endif

#include "quelvar_version.h"
#include "whole_numbers.h"

namespace {

const char* toolName = "quelvar";
bool closedAtStart[3];
int firstStdoutError;  // errno of the first flush of standard output that failed

bool descriptorIsOpen(int fd) {
#if defined(_WIN32)
  return _get_osfhandle(fd) != -1;
#else
  return fcntl(fd, F_GETFD) != -1 || errno != EBADF;
#endif
}

// What takes a closed descriptor's place. Standard input gets a socket connected to
// nothing: reading it fails, and so does opening it again by name (/dev/stdin,
// /proc/self/fd/0 answer ENXIO for a socket), so a closed standard input is unreadable
// however it is named, where /dev/null would read as empty.
int stopGap(int fd) {
#if !defined(_WIN32)
  if (fd == 0) {
    int unconnected = socket(AF_UNIX, SOCK_STREAM, 0);
    if (unconnected >= 0) return unconnected;
  }
#endif
  int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
#if defined(_WIN32)
  if (opened < 0) opened = open("NUL", fd == 0 ? O_RDONLY : O_WRONLY);
#endif
  return opened;
}

}  // namespace

void startCli(const char* name) {
  toolName = name;
  for (int fd = 0; fd <= 2; ++fd) {
    closedAtStart[fd] = !descriptorIsOpen(fd);
    if (!closedAtStart[fd]) continue;
    // A new descriptor is the lowest free one, which is this one.
    int opened = stopGap(fd);
    if (opened >= 0 && opened != fd) {
      dup2(opened, fd);
      close(opened);
    }
  }
}

const char* cliToolName() { return toolName; }

bool cliStreamWasClosed(int fd) { return fd >= 0 && fd <= 2 && closedAtStart[fd]; }

void cliError(const char* format, ...) {
  std::fprintf(stderr, "%s: ", toolName);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fputc('\n', stderr);
}

int cliUsageError(const char* format, ...) {
  std::fprintf(stderr, "%s: ", toolName);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fprintf(stderr, "\nTry '%s --help' for more information.\n", toolName);
  return kExitBadUsage;
}

int cliBadOption(int getoptResult, char* const* argv) {
  const char* word = optind > 0 ? argv[optind - 1] : "?";
  if (getoptResult == ':') return cliUsageError("option '%s' needs a value", word);
  if (optopt != 0) return cliUsageError("unknown option '-%c'", optopt);
  return cliUsageError("unknown option '%s'", word);
}

bool cliFlushStdout() {
  if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return true;
  if (firstStdoutError == 0) firstStdoutError = errno;
  return false;
}

bool cliCloseStdout() {
  if (cliStreamWasClosed(1)) {
    cliError("cannot write standard output: it is closed");
    return false;
  }
  bool failed = !cliFlushStdout();
  int error = firstStdoutError;
  if (std::fclose(stdout) != 0 && !failed) {
    failed = true;
    error = errno;
  }
  if (failed) cliError("cannot write standard output: %s", std::strerror(error));
  return !failed;
}

int cliPrintHelp(const char* usage) {
  std::fputs(usage, stdout);
  return cliCloseStdout() ? kExitOk : kExitFailed;
}

int cliPrintHelp(const char* usage, std::initializer_list<const char*> parts) {
  std::string text = usage;
  size_t from = 0;
  for (const char* part : parts) {
    size_t at = text.find("%s", from);
    if (at == std::string::npos) break;
    text.replace(at, 2, part);
    from = at + std::strlen(part);
  }
  return cliPrintHelp(text.c_str());
}

int cliPrintVersion() {
  std::printf("%s %s\n", toolName, kQuelvarVersion);
  return cliCloseStdout() ? kExitOk : kExitFailed;
}

bool parseCliInteger(const char* text, int64_t low, int64_t high, int64_t& value) {
  return readWholeInteger(text, low, high, value);
}

bool parseCliNumber(const char* text, double low, double high, double& value) {
  return readWholeNumber(text, low, high, value);
}
