#include "pair_file_options.h"

#include <cstdlib>
#include <string_view>

#include "cli_tool.h"
#include "option_words.h"
#include "file_kinds.h"
#include "pair_bound.h"
#include "pair_store.h"
#include "sequence_places.h"
#include "whole_numbers.h"

namespace {

// More would only cost memory: minimap2 keeps a buffer per thread.
constexpr int kMaxAlignThreads = 256;

bool takeFrom(PairFileOptions& options, const char* value, std::string& error) {
  options.tandem = std::string_view(value) == tandemListKind().name;
  options.import.from = formatNamed(value);
  if (!options.tandem && options.import.from == InputFormat::Unknown)
    return refuseOption(error, "--from takes %s, %s, not '%s'", tandemListKind().name, kFormatNames, value);
  return true;
}

// Made on first use from the file-kind table, so a new format is listed without an edit here.
const char* fromHelp() {
  static const std::string help = "      --from FORMAT         " + std::string(tandemListKind().name) + ", " +
                                  kindList(FileFamily::Pairs, &FileKind::name, ", ") +
                                  " (default:\n"
                                  "                            told from the content as quelvar-import tells it; a file\n"
                                  "                            whose first lines tell none is a tandem list)\n";
  return help.c_str();
}
void writeFrom(const PairFileOptions& options, std::string& line) {
  if (options.tandem) writeValue(line, "from", "tandem");
  if (options.import.from != InputFormat::Unknown) writeValue(line, "from", formatName(options.import.from));
}

bool takeChrom(PairFileOptions& options, const char* value, std::string& error) {
  if (*value == '\0') return refuseOption(error, "--chrom takes a sequence name");
  options.import.chrom = value;
  return true;
}
void writeChrom(const PairFileOptions& options, std::string& line) {
  if (!options.import.chrom.empty()) writeValue(line, "chrom", options.import.chrom);
}

bool takeAllSequences(PairFileOptions& options, const char*, std::string&) {
  options.import.allSequences = true;
  return true;
}
void writeAllSequences(const PairFileOptions& options, std::string& line) {
  if (options.import.allSequences) writeFlag(line, "all-sequences");
}

bool takeFai(PairFileOptions& options, const char* value, std::string& error) {
  if (*value == '\0') return refuseOption(error, "--fai takes a FASTA index (.fai) file");
  options.import.fai = value;
  return true;
}
void writeFai(const PairFileOptions& options, std::string& line) {
  if (!options.import.fai.empty()) writeValue(line, "fai", options.import.fai);
}

bool takePreset(PairFileOptions& options, const char* value, std::string& error) {
  if (*value == '\0') return refuseOption(error, "--preset takes one of minimap2's presets (asm5, asm20, ...)");
  options.import.preset = value;
  return true;
}
void writePreset(const PairFileOptions& options, std::string& line) {
  if (!options.import.preset.empty()) writeValue(line, "preset", options.import.preset);
}

bool takeThreads(PairFileOptions& options, const char* value, std::string& error) {
  char* end = nullptr;
  long threads = std::strtol(value, &end, 10);
  if (end == value || *end != '\0' || threads < 1 || threads > kMaxAlignThreads)
    return refuseOption(error, "--threads takes a number of threads from 1 to %d, not '%s'", kMaxAlignThreads, value);
  options.import.threads = static_cast<int>(threads);
  return true;
}
void writeThreads(const PairFileOptions& options, std::string& line) {
  if (options.import.threads != 0) writeValue(line, "threads", std::to_string(options.import.threads));
}

// Below a window of this many bases a sketch holds too few k-mers to tell an identity.
constexpr int64_t kMinTileWindow = 100;

bool takeTiles(PairFileOptions& options, const char* value, std::string& error) {
  int64_t window = 0;
  if (!readWholeInteger(value, kMinTileWindow, INT32_MAX, window))
    return refuseOption(error, "--tiles takes a window of %lld to %d bases, not '%s'",
                        static_cast<long long>(kMinTileWindow), INT32_MAX, value);
  options.import.tiles = window;
  return true;
}
void writeTiles(const PairFileOptions& options, std::string& line) {
  if (options.import.tiles > 0) writeValue(line, "tiles", std::to_string(options.import.tiles));
}

bool takeMaxPairs(PairFileOptions& options, const char* value, std::string& error) {
  int64_t pairs = 0;
  if (!readWholeInteger(value, 1, kStoreSlotPairs, pairs))
    return refuseOption(error, "--max-pairs takes a number of pairs from 1 to %lld, not '%s'",
                        static_cast<long long>(kStoreSlotPairs), value);
  options.maxPairs = pairs;
  return true;
}
void writeMaxPairs(const PairFileOptions& options, std::string& line) {
  if (options.maxPairs > 0) writeValue(line, "max-pairs", std::to_string(options.maxPairs));
}
// Says the default this machine gives.
const char* maxPairsHelp() {
  static const std::string help =
      "      --max-pairs N         hold at most N pairs of FILE, the longest when it has more\n"
      "                            (default here: " +
      groupedNumber(defaultMaxPairs()) + ", a quarter of this machine's memory\n" +
      "                            at " + std::to_string(kLoadBytesPerPair) + " bytes a pair)\n";
  return help.c_str();
}

const OptionRow<PairFileOptions> kRows[] = {
    {"from", true, kFromOption, takeFrom, writeFrom, fromHelp()},
    {"chrom", true, kChromOption, takeChrom, writeChrom,
     "      --chrom NAME          the pairs on this sequence (default: the first one seen)\n"},
    {"all-sequences", false, kAllSequencesOption, takeAllSequences, writeAllSequences,
     "      --all-sequences       every sequence laid end to end on one axis\n"},
    {"fai", true, kFaiOption, takeFai, writeFai,
     "      --fai FILE            with --all-sequences: their order and lengths, from a FASTA\n"
     "                            index (samtools faidx)\n"},
    {"preset", true, kPresetOption, takePreset, writePreset,
     "      --preset NAME         a FASTA FILE is aligned against itself in process, as\n"
     "                            minimap2 -c -X does; NAME is minimap2's -x (asm5, asm20, ...)\n"},
    {"threads", true, kThreadsOption, takeThreads, writeThreads,
     "      --threads N           threads for that alignment (default: all cores)\n"},
    {"max-pairs", true, kMaxPairsOption, takeMaxPairs, writeMaxPairs, maxPairsHelp()},
    {"tiles", true, kTilesOption, takeTiles, writeTiles,
     "      --tiles W             a FASTA FILE is not aligned but cut into windows of W bases;\n"
     "                            every two windows whose k-mer sketches share enough become a\n"
     "                            pair of their estimated identity (seconds on a satellite\n"
     "                            array that alignment cannot finish)\n"},
};

}  // namespace

const OptionRows<PairFileOptions> kPairFileOptionRows = optionRows(kRows);

std::string pairFileOptionsHelp() { return optionsHelp(kPairFileOptionRows); }

bool isPairFileOption(int option) { return kPairFileOptionRows.find(option) != nullptr; }

int takePairFileOption(int option, const char* value, PairFileOptions& options) {
  const OptionRow<PairFileOptions>* row = kPairFileOptionRows.find(option);
  std::string error;
  if (row != nullptr && !row->take(options, value, error)) return cliUsageError("%s", error.c_str());
  return kCliGoOn;
}

int checkPairFileOptions(const PairFileOptions& options) {
  if (options.import.allSequences && !options.import.chrom.empty())
    return cliUsageError("--chrom and --all-sequences exclude each other");
  if (!options.import.fai.empty() && !options.import.allSequences)
    return cliUsageError("--fai goes with --all-sequences");
  if (options.import.tiles > 0 && !options.import.preset.empty())
    return cliUsageError("--tiles and --preset exclude each other: tiles are not aligned");
  return kCliGoOn;
}

bool pairFileOptionsGiven(const PairFileOptions& options) {
  const ImportOptions& import = options.import;
  return options.tandem || import.from != InputFormat::Unknown || !import.chrom.empty() || import.allSequences ||
         !import.fai.empty() || !import.preset.empty() || import.threads != 0 || options.maxPairs > 0 ||
         import.tiles > 0;
}

int checkDefaultListOptions(const PairFileOptions& options) {
  return options.maxPairs > 0 ? cliUsageError("--max-pairs goes with a named FILE") : kCliGoOn;
}

int checkAlignOptionsUsed(const PairFileOptions& options, bool fasta) {
  if (fasta || (options.import.preset.empty() && options.import.threads == 0 && options.import.tiles == 0))
    return kCliGoOn;
  if (options.import.tiles > 0) return cliUsageError("--tiles goes with a FASTA file, which it cuts into windows");
  return cliUsageError("--preset and --threads go with a FASTA file, which is aligned against itself");
}
