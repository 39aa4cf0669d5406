#include "fasta_scan.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace {

// Where the reader stands; mirrors the steps of minimap2's kseq reader.
enum class At { beforeFirst, lineStart, name, comment, sequence };

struct Reader {
  const char* path;
  FastaScan& scan;
  At at = At::beforeFirst;
  int64_t line = 1;
  int64_t length = 0;      // of the record being read
  int64_t lineLength = 0;  // of the sequence line being read
  char lastChar = 0;
  int64_t headerLine = 0;    // of the record being read
  int64_t letters = 0;       // of the record being read
  int64_t nucleotides = 0;   // of those, A, C, G, T, U or N in either case
  BaseSink bases = {};
};

bool isNucleotide(char c) {
  switch (c | 0x20) {
    case 'a': case 'c': case 'g': case 't': case 'u': case 'n': return true;
    default: return false;
  }
}

// X masks a base in some genomes and stands for any residue in protein: it tells neither.
bool isLetter(char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z' && (c | 0x20) != 'x'; }

void countResidue(Reader& r, char c) {
  if (r.bases.take != nullptr) r.bases.take(r.bases.context, r.scan.sequences.size() - 1, c);
  if (!isLetter(c)) return;
  ++r.letters;
  if (isNucleotide(c)) ++r.nucleotides;
}

std::string recordPlace(const Reader& r) {
  return std::string(r.path) + ": FASTA record " + std::to_string(r.scan.sequences.size()) + " (line " +
         std::to_string(r.headerLine) + ")";
}

void startRecord(Reader& r) {
  r.scan.sequences.push_back({"", 0});
  r.at = At::name;
  r.headerLine = r.line;
  r.letters = r.nucleotides = 0;
}

// kseq appends each sequence line whole, then drops one '\r' that ends it, once the
// record holds more than one character.
void endSequenceLine(Reader& r) {
  if (r.lineLength == 0) return;
  r.length += r.lineLength;
  if (r.length > 1 && r.lastChar == '\r') --r.length;
  r.lineLength = 0;
}

bool endRecord(Reader& r, std::string& error) {
  if (r.scan.sequences.empty()) return true;
  // minimap2 would name its hits "", and the pairs could not be placed on any sequence.
  if (r.scan.sequences.back().name.empty()) {
    error = recordPlace(r) + " has no name; give every record a name after its '>'";
    return false;
  }
  // Protein letters beyond the nucleotide codes: a genome is DNA (IUPAC's ambiguity codes stay rare).
  if ((r.letters - r.nucleotides) * 4 > r.letters) {
    error = recordPlace(r) + " looks like protein, not DNA; pairs come from a DNA genome aligned against itself";
    return false;
  }
  if (r.length > INT_MAX) {
    error = std::string(r.path) + ": sequence '" + r.scan.sequences.back().name + "' is " + std::to_string(r.length) +
            " bases long, more than minimap2 takes (" + std::to_string(INT_MAX) + ")";
    return false;
  }
  r.scan.sequences.back().length = r.length;
  r.scan.bases += r.length;
  r.length = 0;
  return true;
}

bool take(Reader& r, const char* text, size_t size, std::string& error) {
  for (size_t i = 0; i < size; ++i) {
    char c = text[i];
    switch (r.at) {
      case At::beforeFirst:
        if (c == '>') {
          startRecord(r);
        } else if (!std::isspace(static_cast<unsigned char>(c))) {
          error = std::string(r.path) + " is not a FASTA file (plain or gzip): it does not start with '>'";
          return false;
        }
        break;
      case At::lineStart:
        if (c == '>') {
          if (!endRecord(r, error)) return false;
          startRecord(r);
        } else if (c == '@' || c == '+') {
          // kseq would take this line for the start of a FASTQ record.
          error = std::string(r.path) + ": line " + std::to_string(r.line) + " starts with '" + c +
                  "', which is not FASTA";
          return false;
        } else if (c != '\n') {
          r.at = At::sequence;
          r.lineLength = 1;
          r.lastChar = c;
          countResidue(r, c);
        }
        break;
      case At::name:
        if (std::isspace(static_cast<unsigned char>(c)))
          r.at = c == '\n' ? At::lineStart : At::comment;
        else
          r.scan.sequences.back().name += c;
        break;
      case At::comment:
        if (c == '\n') r.at = At::lineStart;
        break;
      case At::sequence:
        if (c == '\n') {
          endSequenceLine(r);
          r.at = At::lineStart;
        } else {
          ++r.lineLength;
          r.lastChar = c;
          countResidue(r, c);
        }
        break;
    }
    if (c == '\n') ++r.line;
  }
  return true;
}

std::string readError(const char* path, gzFile file) {
  int code = Z_OK;
  std::string message = gzerror(file, &code);
  if (code == Z_ERRNO) message = std::strerror(errno);
  // zlib names the stream "<fd:N>", which says nothing the path does not.
  if (message.compare(0, 4, "<fd:") == 0 && message.find(": ") != std::string::npos)
    message.erase(0, message.find(": ") + 2);
  return std::string("cannot read ") + path + ": " + message;
}

}  // namespace

bool scanFasta(const char* path, FastaScan& scan, ScanTick tick, void* context, std::string& error,
               const char* readFrom, BaseSink bases) {
  scan = FastaScan{};
  int fd = open(readFrom != nullptr ? readFrom : path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = std::string("cannot open ") + path + ": " + std::strerror(errno);
    return false;
  }
  struct stat info {};
  if (fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    error = std::string("cannot read ") + path + ": " + (S_ISDIR(info.st_mode) ? "it is a folder" : std::strerror(errno));
    close(fd);
    return false;
  }
  scan.fileBytes = static_cast<int64_t>(info.st_size);
  gzFile file = gzdopen(fd, "rb");
  if (file == nullptr) {
    error = std::string("cannot read ") + path + ": out of memory";
    close(fd);
    return false;
  }
  gzbuffer(file, 1 << 17);
  Reader reader{path, scan};
  reader.bases = bases;
  std::vector<char> chunk(1 << 18);
  bool ok = true;
  int64_t bytesIn = 0;
  for (;;) {
    int got = gzread(file, chunk.data(), static_cast<unsigned>(chunk.size()));
    if (got < 0) {
      error = readError(path, file);
      ok = false;
      break;
    }
    if (got == 0) {
      // zlib leaves a gzip stream cut short to gzerror; minimap2 would read it as the end.
      int code = Z_OK;
      gzerror(file, &code);
      if (code == Z_BUF_ERROR) {
        error = std::string("cannot read ") + path + ": its gzip data ends early (is the file cut short?)";
        ok = false;
      }
      break;
    }
    bytesIn += got;
    if (!take(reader, chunk.data(), static_cast<size_t>(got), error)) {
      ok = false;
      break;
    }
    if (tick != nullptr && !tick(context, static_cast<int64_t>(gzoffset(file)))) {
      error = "cancelled";
      ok = false;
      break;
    }
  }
  gzclose(file);
  if (!ok) return false;
  if (reader.at == At::sequence) endSequenceLine(reader);
  if (!endRecord(reader, error)) return false;
  if (scan.sequences.empty()) {
    error = std::string(path) + (bytesIn == 0 ? " is empty" : " holds no FASTA sequence");
    return false;
  }
  return true;
}
