#include "pair_file.h"

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

#include "line_reader.h"
#include "tandem_loader.h"

namespace {

// The first read looks at this much; more only while the lines say nothing yet.
constexpr size_t kFirstLook = size_t{1} << 16;

void scanTokens(void* scanner, const char* text, size_t size) {
  scanTandemBytes(*static_cast<TandemScanner*>(scanner), text, size);
}

// Tells the format from the waiting lines as the import would, line by line, without
// handing any out. Unknown when the lines cannot tell, or only blank and header lines come
// before the end or before the buffer is full: the file is then a tandem list.
InputFormat tellFormat(LineReader& reader) {
  size_t looked = 0;  // bytes of whole lines already looked at
  uint64_t lineNumber = 0;
  for (size_t want = kFirstLook;; want *= 2) {
    size_t waiting = peekBytes(reader, want);
    const char* bytes = reader.buffer.data() + reader.begin;
    bool noMore = waiting < want || waiting == reader.buffer.size();
    while (looked < waiting) {
      const char* start = bytes + looked;
      auto* newline = static_cast<const char*>(std::memchr(start, '\n', waiting - looked));
      if (newline == nullptr && !noMore) break;  // the line goes on in bytes not read yet
      size_t size = newline != nullptr ? static_cast<size_t>(newline - start) : waiting - looked;
      looked += size + 1;
      if (size > 0 && start[size - 1] == '\r') --size;
      InputFormat format = InputFormat::Unknown;
      Detection detection = detectFormat(std::string_view(start, size), format, ++lineNumber == 1);
      if (detection == Detection::Decided) return format;
      if (detection == Detection::CannotTell) return InputFormat::Unknown;
    }
    if (noMore) return InputFormat::Unknown;
  }
}

int scanRawBytes(TandemScanner& scanner, LineReader& reader) {
  while (peekBytes(reader, 1) > 0) {
    std::string_view bytes = takeBytes(reader);
    scanTandemBytes(scanner, bytes.data(), bytes.size());
  }
  return reader.error;
}

// Returns the load's answer; the import's messages are printed.
int importInto(TandemScanner& scanner, LineReader& reader, const char* path, const ImportOptions& options) {
  ImportRun run;
  startImportRun(run, options, PairSink{scanTokens, &scanner}, stderr);
  bool read = importLines(run, reader, path);
  bool laidOut = finishImportRun(run, read);
  bool chromFound = reportImportRun(run);
  if (reader.error != 0) return reader.error;
  return read && laidOut && chromFound ? 0 : kPairFileRefused;
}

}  // namespace

int loadPairFile(const char* path, const PairFileOptions& options, uint32_t tag) {
  if (options.tandem) return loadTandemList(path, tag);
  TandemScanner scanner;
  startTandemScan(scanner, tag);
  errno = 0;
  int fd = openForReading(path);
  if (fd < 0) return endTandemLoad(scanner, errno != 0 ? errno : EIO);

  LineReader reader;
  openLineReader(reader, fd);
  // The import tells the format again from the same lines, exactly as quelvar-import does
  // (with its messages); the look ahead only decides whether the file is a list.
  bool list = options.import.from == InputFormat::Unknown && tellFormat(reader) == InputFormat::Unknown;
  int answer = list ? scanRawBytes(scanner, reader) : importInto(scanner, reader, path, options.import);
  closeInput(fd);
  // A refusal is no failed read: the pairs that passed are loaded and summed up as usual.
  endTandemLoad(scanner, answer > 0 ? answer : 0);
  return answer;
}

int pairFileUnreadable(const char* path) {
  errno = 0;
  int fd = openForReading(path);
  if (fd < 0) return errno != 0 ? errno : EIO;
  struct stat info;
  int reason = fstat(fd, &info) != 0 ? errno : S_ISDIR(info.st_mode) ? EISDIR : 0;
  closeInput(fd);
  return reason;
}
