#include "output_file.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "cli_tool.h"
#include "file_identity.h"

#if !defined(O_BINARY)
#define O_BINARY 0
#endif
#if !defined(O_CLOEXEC)
#define O_CLOEXEC 0
#endif
#if !defined(O_NOFOLLOW)
#define O_NOFOLLOW 0
#endif

namespace {

#if defined(_WIN32)
constexpr char kPathSeparators[] = "/\\:";
#else
constexpr char kPathSeparators[] = "/";
#endif

// Temporaries a signal must remove: fixed storage, since a handler may only touch memory
// that is already there.
constexpr int kGuardedSlots = 4;
constexpr size_t kGuardedPathBytes = 4096;
char guardedPaths[kGuardedSlots][kGuardedPathBytes];
volatile sig_atomic_t guarded[kGuardedSlots];

void removeTemporariesAndDie(int signalNumber) {
  for (int i = 0; i < kGuardedSlots; ++i)
    if (guarded[i]) unlink(guardedPaths[i]);
  signal(signalNumber, SIG_DFL);
  raise(signalNumber);
}

// Every signal whose default action ends the process and that a program may catch. One
// ignored at start (nohup's SIGHUP) stays ignored.
void installSignalGuard() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  static const int kSignals[] = {
    SIGINT, SIGTERM,
#if !defined(_WIN32)
    SIGHUP, SIGQUIT, SIGPIPE, SIGALRM, SIGUSR1, SIGUSR2, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF,
#if defined(SIGPOLL)
    SIGPOLL,
#endif
#endif
  };
  for (int number : kSignals) {
#if defined(_WIN32)
    if (signal(number, removeTemporariesAndDie) == SIG_IGN) signal(number, SIG_IGN);
#else
    struct sigaction current;
    if (sigaction(number, nullptr, &current) != 0 || current.sa_handler == SIG_IGN) continue;
    struct sigaction guard {};
    guard.sa_handler = removeTemporariesAndDie;
    sigemptyset(&guard.sa_mask);
    sigaction(number, &guard, nullptr);
#endif
  }
}

void guardTemporary(const std::string& tempPath) {
  if (tempPath.size() >= kGuardedPathBytes) return;
  installSignalGuard();
  for (int i = 0; i < kGuardedSlots; ++i) {
    if (guarded[i]) continue;
    std::memcpy(guardedPaths[i], tempPath.c_str(), tempPath.size() + 1);
    guarded[i] = 1;
    return;
  }
}

void releaseTemporary(const std::string& tempPath) {
  for (int i = 0; i < kGuardedSlots; ++i)
    if (guarded[i] && tempPath == guardedPaths[i]) guarded[i] = 0;
}

bool readsSameFile(const std::string& input, const FileIdentity& target) {
  FileIdentity identity;
  bool known = input == "-" ? identityOfDescriptor(0, identity) : identityOfPath(input, identity);
  return known && identity == target;
}

constexpr char kTemporaryTail[] = ".tmp.";
constexpr size_t kTemporaryTailBytes = sizeof kTemporaryTail - 1 + 8;

// The longest name the target's folder takes.
size_t longestName(const std::string& folder) {
#if !defined(_WIN32) && defined(_PC_NAME_MAX)
  long longest = pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  if (longest > 0) return static_cast<size_t>(longest);
#else
  (void)folder;
#endif
  return 255;
}

// The temporary's name without its random tail: the target's, cut where the tail would
// take the name past what the folder allows (at a character's start, so a UTF-8 name stays
// readable).
std::string temporaryStem(const std::string& path) {
  size_t slash = path.find_last_of(kPathSeparators);
  size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  size_t longest = longestName(path.substr(0, nameStart));
  size_t room = longest > kTemporaryTailBytes ? longest - kTemporaryTailBytes : 1;
  size_t nameBytes = path.size() - nameStart;
  if (nameBytes <= room) return path;
  size_t cut = nameStart + room;
  while (cut > nameStart + 1 && (static_cast<unsigned char>(path[cut]) & 0xC0) == 0x80) --cut;
  return path.substr(0, cut);
}

// A fresh file beside path, created exclusively: an existing name, link or not, is never
// opened.
int createTemporary(const std::string& path, std::string& tempPath) {
  static std::mt19937_64 random{std::random_device{}() ^ static_cast<uint64_t>(reinterpret_cast<uintptr_t>(&tempPath))};
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string stem = temporaryStem(path);
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = stem + kTemporaryTail;
    for (int i = 0; i < 8; ++i) tempPath += kLetters[random() % (sizeof kLetters - 1)];
    int fd = open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_BINARY, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool moveIntoPlace(const OutputFile& out) {
#if defined(_WIN32)
  DWORD flags = out.mayReplace ? MOVEFILE_REPLACE_EXISTING : 0;
  if (MoveFileExA(out.tempPath.c_str(), out.path.c_str(), flags)) return true;
  errno = GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_FILE_EXISTS ? EEXIST : EIO;
  return false;
#else
  if (out.mayReplace) return rename(out.tempPath.c_str(), out.path.c_str()) == 0;
  // link() refuses an existing name, so a file that appeared meanwhile is kept.
  if (link(out.tempPath.c_str(), out.path.c_str()) == 0) {
    unlink(out.tempPath.c_str());
    return true;
  }
  if (errno != EPERM && errno != EOPNOTSUPP) return false;
  struct stat existing;
  if (lstat(out.path.c_str(), &existing) == 0) {
    errno = EEXIST;
    return false;
  }
  return rename(out.tempPath.c_str(), out.path.c_str()) == 0;
#endif
}

}  // namespace

int checkOutputPath(const std::string& path, const std::vector<std::string>& inputs, bool mayReplace) {
  if (path.empty()) return cliUsageError("an output file needs a name");
  struct stat target;
#if defined(_WIN32)
  bool exists = stat(path.c_str(), &target) == 0;
#else
  bool exists = lstat(path.c_str(), &target) == 0;
#endif
  if (!exists) return kExitOk;
  if (!S_ISREG(target.st_mode)) {
    cliError("%s exists and is not a regular file; not replacing it", path.c_str());
    return kExitBadUsage;
  }
  FileIdentity targetIdentity;
  if (identityOfPath(path, targetIdentity))
    for (const std::string& input : inputs)
      if (readsSameFile(input, targetIdentity)) {
        cliError("%s is also an input; not writing over it", path.c_str());
        return kExitBadUsage;
      }
  if (!mayReplace) {
    cliError("%s exists; --force replaces it", path.c_str());
    return kExitBadUsage;
  }
  return kExitOk;
}

bool sameOutputTarget(const std::string& a, const std::string& b) {
  if (a == b) return true;
  FileIdentity first, second;
  if (identityOfPath(a, first) && identityOfPath(b, second)) return first == second;
  auto split = [](const std::string& path, std::string& folder) {
    size_t slash = path.find_last_of(kPathSeparators);
    folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    return slash == std::string::npos ? path : path.substr(slash + 1);
  };
  std::string folderA, folderB;
  if (split(a, folderA) != split(b, folderB)) return false;
  return identityOfPath(folderA, first) && identityOfPath(folderB, second) && first == second;
}

int openOutputFile(OutputFile& out, const std::string& path, const std::vector<std::string>& inputs,
                   bool mayReplace) {
  out = OutputFile{};
  out.path = path;
  out.mayReplace = mayReplace;
  int refused = checkOutputPath(path, inputs, mayReplace);
  if (refused != kExitOk) return refused;
  out.fd = createTemporary(path, out.tempPath);
  if (out.fd < 0) {
    cliError("cannot write %s: %s", path.c_str(), std::strerror(errno));
    return kExitFailed;
  }
  guardTemporary(out.tempPath);
#if !defined(_WIN32)
  // A replaced file keeps its permissions; a new one gets those any new file would.
  struct stat old;
  if (lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
    fchmod(out.fd, old.st_mode & 0777);
  } else {
    mode_t mask = umask(0);
    umask(mask);
    fchmod(out.fd, 0666 & ~mask);
  }
#endif
  return kExitOk;
}

bool writeDescriptor(int fd, const void* bytes, size_t size) {
  const char* p = static_cast<const char*>(bytes);
  while (size > 0) {
#if defined(_WIN32)
    int n = _write(fd, p, static_cast<unsigned>(size > (1u << 30) ? (1u << 30) : size));
#else
    ssize_t n = write(fd, p, size);
#endif
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool writeOutputBytes(OutputFile& out, const void* bytes, size_t size) { return writeDescriptor(out.fd, bytes, size); }

namespace {

// Syncs, closes and moves the temporary into place; on failure removes it. Returns 0 or
// the error.
int finishOutputFile(OutputFile& out) {
  int error = 0;
#if !defined(_WIN32)
  if (fsync(out.fd) != 0 && errno != EINVAL) error = errno;
#endif
  if (close(out.fd) != 0 && error == 0) error = errno;
  out.fd = -1;
  if (error == 0 && !moveIntoPlace(out)) error = errno;
  if (error != 0) unlink(out.tempPath.c_str());
  releaseTemporary(out.tempPath);
  return error;
}

}  // namespace

bool commitOutputFile(OutputFile& out) {
  int error = finishOutputFile(out);
  if (error != 0) {
    if (error == EEXIST)
      cliError("%s appeared while it was being written; --force replaces it", out.path.c_str());
    else
      cliError("cannot write %s: %s", out.path.c_str(), std::strerror(error));
  }
  return error == 0;
}

std::string writeNumberedFile(const char* pattern, int& next, const void* bytes, size_t size) {
  for (;; ++next) {
    char name[256];
    std::snprintf(name, sizeof name, pattern, next);
    struct stat existing;
#if defined(_WIN32)
    if (stat(name, &existing) == 0) continue;
#else
    if (lstat(name, &existing) == 0) continue;
#endif
    OutputFile out;
    if (openOutputFile(out, name, {}, false) != kExitOk) return "";
    if (!writeOutputBytes(out, bytes, size)) {
      int error = errno;
      abandonOutputFile(out);
      cliError("cannot write %s: %s", name, std::strerror(error));
      return "";
    }
    int error = finishOutputFile(out);
    if (error == EEXIST) continue;  // taken meanwhile: the next one
    if (error != 0) {
      cliError("cannot write %s: %s", name, std::strerror(error));
      return "";
    }
    return name;
  }
}

void abandonOutputFile(OutputFile& out) {
  if (out.tempPath.empty()) return;
  if (out.fd >= 0) close(out.fd);
  out.fd = -1;
  unlink(out.tempPath.c_str());
  releaseTemporary(out.tempPath);
}
