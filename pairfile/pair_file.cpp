#include "pair_file.h"

#include <algorithm>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include <sys/stat.h>

#include "cli_tool.h"
#include "content_look.h"
#include "file_look.h"
#include "line_reader.h"
#include "list_reach.h"
#include "load_line.h"
#include "text_fields.h"
#include "pair_bound.h"
#include "pair_store.h"
#include "pair_placement.h"
#include "tandem_loader.h"

namespace {

// The first read looks at this much; more only while the lines say nothing yet.
constexpr size_t kFirstLook = size_t{1} << 16;

void scanTokens(void* scanner, const char* text, size_t size) {
  scanTandemBytes(*static_cast<TandemScanner*>(scanner), text, size);
}

// An imported pair straight into the scanner, read as its token's text would be.
void scanFields(void* scanner, const PairFields& pair) {
  uint16_t identity = pair.hundredths >= 0 && pair.hundredths <= 10000 ? static_cast<uint16_t>(pair.hundredths)
                                                                       : kIdentityUnknown;
  scanTokenFields(*static_cast<TandemScanner*>(scanner), pair.pos, pair.partner, clampToInt32(pair.len),
                  orientationOfField(pair.orientation), identity, clampToInt32(pair.difference));
}

// A pair format the import will tell again from the same lines, with its messages.
bool holdsPairFormat(const FileLook& look) {
  return look.kind != nullptr && look.kind->family == FileFamily::Pairs && look.kind != &tandemListKind();
}

int scanRawBytes(TandemScanner& scanner, LineReader& reader, LoadProgress& progress) {
  while (peekBytes(reader, 1) > 0) {
    std::string_view bytes = takeBytes(reader);
    scanTandemBytes(scanner, bytes.data(), bytes.size());
    addProgress(&progress, bytes.size(), 0);
  }
  return reader.error;
}

// A list read with its offset table: a pair past the table's last sequence stops the load,
// named by file and line.
int scanListOnAxis(TandemScanner& scanner, LineReader& reader, const char* path, const SequenceAxis& axis,
                   LoadProgress& progress) {
  ListReach reach;
  const AxisSequence& last = axis.sequences.back();
  startListReach(reach, last.offset + last.length);
  bool within = true;
  while (within && peekBytes(reader, 1) > 0) {
    std::string_view bytes = takeBytes(reader);
    within = feedListReach(reach, bytes.data(), bytes.size());
    scanTandemBytes(scanner, bytes.data(), bytes.size());
    addProgress(&progress, bytes.size(), 0);
  }
  if (reader.error != 0) return reader.error;
  if (within && finishListReach(reach)) return 0;
  cliError("%s:%llu: a pair ends at %lld, past %s (%lld positions); that offset table is not this list's, "
           "remove it or import again",
           path, static_cast<unsigned long long>(reach.pastLine), static_cast<long long>(reach.pastEnd),
           (std::string(path) + ".sequences").c_str(), static_cast<long long>(reach.axisEnd));
  return kPairFileRefused;
}

// Returns the load's answer; the import's messages are printed, its sequences kept in sequences.
int importInto(TandemScanner& scanner, LineReader& reader, const char* path, const PairFileOptions& file,
               SequenceAxis& sequences, LoadProgress& progress, LoadLine& line) {
  const ImportOptions& options = file.import;
  ImportRun run;
  startImportRun(run, options, scannerSink(scanner), file.messages != nullptr ? file.messages : stderr);
  run.progress = &progress;
  if (!startGenome(run)) {
    finishImportRun(run, false);
    return kPairFileRefused;
  }
  bool read = importLines(run, reader, path);
  stopLoadLine(line);  // before the import's closing messages
  bool laidOut = finishImportRun(run, read);
  bool chromFound = reportImportRun(run);
  sequences = importedSequences(run);
  if (reader.error != 0) return reader.error;
  return read && laidOut && chromFound ? 0 : kPairFileRefused;
}

// 553123 -> "553,123", into out (room for 32).
const char* groupedDigits(uint64_t value, char* out) {
  char digits[24];
  int count = std::snprintf(digits, sizeof digits, "%llu", static_cast<unsigned long long>(value));
  int at = 0;
  for (int i = 0; i < count; ++i) {
    if (i > 0 && (count - i) % 3 == 0) out[at++] = ',';
    out[at++] = digits[i];
  }
  out[at] = '\0';
  return out;
}

// Past the bound a named file says which pairs it kept.
void reportLongestKept(const TandemScanner& scanner) {
  if (!scanner.keepLongest) return;
  StoreBoundReport kept = pairStoreBoundReport();
  if (!kept.bounded) return;
  char keptText[32], offeredText[32];
  cliError("kept the %s longest of %s pairs (shortest kept: %d bp; --max-pairs sets the bound)",
           groupedDigits(static_cast<uint64_t>(kept.kept), keptText),
           groupedDigits(static_cast<uint64_t>(kept.offered), offeredText), kept.shortestKept);
}

}  // namespace

PairSink scannerSink(TandemScanner& scanner) { return PairSink{scanTokens, &scanner, scanFields}; }

int loadPairFile(const char* path, const PairFileOptions& options, uint32_t tag) {
  TandemScanner scanner;
  startTandemScan(scanner, tag);
  scanner.keepLongest = options.named;
  scanner.maxPairs = options.maxPairs > 0 ? options.maxPairs : defaultMaxPairs();
  std::shared_ptr<NamedInput> input = options.input;
  if (!input || input->path != path) input = openNamedInput(path);
  if (input->error != 0) return endPairLoad(scanner, input->error, SequenceAxis{});

  LineReader& reader = input->reader;
  // The import tells the format again from the same lines, exactly as quelvar-import does
  // (with its messages); the look ahead only decides whether the file is a list.
  bool list = options.tandem ||
              (options.import.from == InputFormat::Unknown &&
               !holdsPairFormat(lookAtReader(reader, kFirstLook, FileFamily::Pairs, path)));
  SequenceAxis sequences;
  std::string sideError;
  if (list && options.named && !readListSequences(path, sequences, sideError)) {
    // checkNamedPairFile refuses it before anything is drawn; this is for a caller that did not ask.
    cliError("%s", sideError.c_str());
    return endPairLoad(scanner, kPairFileRefused, SequenceAxis{});
  }
  scanner.skipShortTokens = list && options.named;
  LoadProgress ownProgress;
  LoadProgress& progress = options.progress != nullptr ? *options.progress : ownProgress;
  progress.size = inputTextSize(*input);
  LoadLine line;
  if (options.named) startLoadLine(line, shownInputName(path), progress);
  int answer = !list                        ? importInto(scanner, reader, path, options, sequences, progress, line)
               : sequences.sequences.empty() ? scanRawBytes(scanner, reader, progress)
                                             : scanListOnAxis(scanner, reader, path, sequences, progress);
  stopLoadLine(line);
  if (answer == kPairFileRefused && list) sequences = SequenceAxis{};
  endPairLoad(scanner, answer, std::move(sequences));  // ends the last token too
  if (scanner.shortTokens > 0)
    cliError("%s: skipped %llu token%s of fewer than three fields (a pair is pos/partner/len)", path,
             static_cast<unsigned long long>(scanner.shortTokens), scanner.shortTokens == 1 ? "" : "s");
  return answer;
}

bool readListSequences(const char* listPath, SequenceAxis& axis, std::string& error) {
  axis = SequenceAxis{};
  std::string side = std::string(listPath) + ".sequences";
  auto refuse = [&](const std::string& reason) {
    error = "cannot read " + side + ": " + reason + " (the offset table beside the list " + listPath +
            "; fix or remove it)";
    return false;
  };
  // Looked at before it is opened: opening a FIFO would wait for a writer.
  struct stat info;
  if (stat(side.c_str(), &info) != 0)
    return errno == ENOENT || errno == ENAMETOOLONG ? true : refuse(std::strerror(errno));
  if (S_ISDIR(info.st_mode)) return refuse(std::strerror(EISDIR));
  if (!S_ISREG(info.st_mode)) return refuse("not a regular file");
  errno = 0;
  int fd = openForReading(side.c_str());
  if (fd < 0) return refuse(std::strerror(errno != 0 ? errno : EIO));
  bool read = readOffsetTable(axis, fd, side.c_str(), error);
  closeInput(fd);
  if (!read) {
    axis = SequenceAxis{};
    error += " (the offset table beside the list " + std::string(listPath) + "; fix or remove it)";
  }
  return read;
}

int endPairLoad(TandemScanner& scanner, int answer, SequenceAxis sequences) {
  keepLoadedSequences(std::move(sequences));
  // A refusal is no failed read: the pairs that passed are loaded and summed up as usual.
  // A named file (keepLongest) is said unreadable by its program, without date.txt's "UPS".
  endTandemLoad(scanner, answer > 0 ? answer : 0, !scanner.keepLongest);
  reportLongestKept(scanner);
  return answer;
}

NamedFileCheck checkNamedPairFile(const char* path, PairFileOptions& options, std::string& message) {
  auto unreadable = [&](const char* reason) {
    message = std::string("cannot read ") + path + ": " + reason;
    return NamedFileCheck::Unreadable;
  };
  auto notPairs = [&](std::string line) {
    message = std::move(line);
    return NamedFileCheck::NotPairs;
  };
  options.input = openNamedInput(path);
  if (options.input->error != 0) return unreadable(std::strerror(options.input->error));
  LineReader& reader = options.input->reader;
  peekBytes(reader, kFirstLook);
  NamedFileCheck answer = NamedFileCheck::Pairs;
  bool list = false;  // read as a tandem list, so its offset table beside it is read too
  FileLook look;
  bool asNamed = options.tandem || options.import.from != InputFormat::Unknown;
  if (reader.error == 0 && !asNamed) look = lookAtReader(reader, kFirstLook, FileFamily::Pairs, path);
  ContentKind kind = look.content;
  // A pair format told before reading failed is read, and fails as a read.
  if (reader.error != 0 && !holdsPairFormat(look)) {
    answer = unreadable(readErrorText(reader.error));
  } else if (asNamed) {
    answer = NamedFileCheck::Pairs;  // read as named, whatever the first lines look like
    list = options.tandem;
  } else if (kind == ContentKind::Fasta) {
    message = describeRefusal(kind, path);
    answer = NamedFileCheck::Fasta;
  } else if (kind != ContentKind::Unknown && kind != ContentKind::Bed) {
    answer = notPairs(describeRefusal(kind, path));
  } else if (holdsPairFormat(look)) {
    answer = NamedFileCheck::Pairs;  // BEDPE rows look like BED rows too
  } else if (kind == ContentKind::Bed) {
    answer = notPairs(describeRefusal(kind, path));
  } else if (look.kind != &tandemListKind()) {
    answer = notPairs(describeUnknownContent(path));
  } else {
    list = true;
  }
  SequenceAxis sequences;
  std::string sideError;
  if (answer == NamedFileCheck::Pairs && list && !readListSequences(path, sequences, sideError))
    answer = notPairs(sideError);
  return answer;
}
