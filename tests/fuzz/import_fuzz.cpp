// Feeds arbitrary bytes to the importer as a user's file would reach it: format told from
// the content or named by the first byte, every reader, the one-sequence or whole-genome
// placement and the token output, into nothing. Sanitizers catch what goes wrong; the checks
// below catch a row that breaks the readers' promises.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "pair_import.h"
#include "input_format.h"

namespace {

FILE* discard = std::fopen("/dev/null", "w");

// Every batch must be whole tokens.
void dropTokens(void*, const char* text, size_t size) {
  if (size == 0 || text[size - 1] != '\n') std::abort();
}

// Every line straight through the readers, whatever detection would say.
void readEveryFormat(std::string_view bytes) {
  const InputFormat formats[] = {InputFormat::RepeatMatch, InputFormat::Bedpe, InputFormat::Paf, InputFormat::Blast,
                                 InputFormat::Coords};
  while (!bytes.empty()) {
    size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    InputFormat told = InputFormat::Unknown;
    detectFormat(line, told, true);
    for (InputFormat format : formats) {
      RowResult row = readRow(format, line);
      if (row.kind == RowKind::Skip && row.why == nullptr) std::abort();
      if (row.kind == RowKind::Skip && row.reason >= SkipReason::Count) std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  readEveryFormat(bytes);

  int fd = memfd_create("import_fuzz", 0);
  if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
  lseek(fd, 0, SEEK_SET);

  static const InputFormat kFrom[] = {InputFormat::Unknown, InputFormat::RepeatMatch, InputFormat::Bedpe,
                                      InputFormat::Paf, InputFormat::Blast, InputFormat::Coords};
  ImportOptions options;
  options.from = kFrom[data[0] % 6];
  options.allSequences = (data[0] & 0x80) != 0;
  options.minLength = data[0] & 0x40 ? 20 : 0;
  ImportRun run;
  startImportRun(run, options, PairSink{dropTokens, nullptr}, discard);
  bool read = importInput(run, fd, "fuzz");
  close(fd);
  finishImportRun(run, read);
  reportImportRun(run);
  return 0;
}
