#include "pair_file_options.h"

#include <cstdlib>

#include "cli_tool.h"
#include "file_kinds.h"

namespace {

// More would only cost memory: minimap2 keeps a buffer per thread.
constexpr int kMaxAlignThreads = 256;

const std::string pairFileOptionsHelp =
    "      --from FORMAT         " + std::string(tandemListKind().name) + ", " +
    kindList(FileFamily::Pairs, &FileKind::name, ", ") +
    " (default:\n"
    "                            told from the content as quelvar-import tells it; a file\n"
    "                            whose first lines tell none is a tandem list)\n"
    "      --chrom NAME          the pairs on this sequence (default: the first one seen)\n"
    "      --all-sequences       every sequence laid end to end on one axis\n"
    "      --fai FILE            with --all-sequences: their order and lengths, from a FASTA\n"
    "                            index (samtools faidx)\n"
    "      --preset NAME         a FASTA FILE is aligned against itself in process, as\n"
    "                            minimap2 -c -X does; NAME is minimap2's -x (asm5, asm20, ...)\n"
    "      --threads N           threads for that alignment (default: all cores)\n";

}  // namespace

const char* const kPairFileOptionsHelp = pairFileOptionsHelp.c_str();

bool isPairFileOption(int option) {
  return option == kFromOption || option == kChromOption || option == kAllSequencesOption || option == kFaiOption ||
         option == kPresetOption || option == kThreadsOption;
}

int takePairFileOption(int option, const char* value, PairFileOptions& options) {
  switch (option) {
    case kFromOption:
      options.tandem = std::string_view(value) == tandemListKind().name;
      options.import.from = formatNamed(value);
      if (!options.tandem && options.import.from == InputFormat::Unknown)
        return cliUsageError("--from takes %s, %s, not '%s'", tandemListKind().name, kFormatNames, value);
      break;
    case kChromOption:
      if (*value == '\0') return cliUsageError("--chrom takes a sequence name");
      options.import.chrom = value;
      break;
    case kAllSequencesOption: options.import.allSequences = true; break;
    case kFaiOption:
      if (*value == '\0') return cliUsageError("--fai takes a FASTA index (.fai) file");
      options.import.fai = value;
      break;
    case kPresetOption:
      if (*value == '\0') return cliUsageError("--preset takes one of minimap2's presets (asm5, asm20, ...)");
      options.import.preset = value;
      break;
    case kThreadsOption: {
      char* end = nullptr;
      long threads = std::strtol(value, &end, 10);
      if (end == value || *end != '\0' || threads < 1 || threads > kMaxAlignThreads)
        return cliUsageError("--threads takes a number of threads from 1 to %d, not '%s'", kMaxAlignThreads, value);
      options.import.threads = static_cast<int>(threads);
      break;
    }
    default: break;
  }
  return kCliGoOn;
}

int checkPairFileOptions(const PairFileOptions& options) {
  if (options.import.allSequences && !options.import.chrom.empty())
    return cliUsageError("--chrom and --all-sequences exclude each other");
  if (!options.import.fai.empty() && !options.import.allSequences)
    return cliUsageError("--fai goes with --all-sequences");
  return kCliGoOn;
}

bool pairFileOptionsGiven(const PairFileOptions& options) {
  const ImportOptions& import = options.import;
  return options.tandem || import.from != InputFormat::Unknown || !import.chrom.empty() || import.allSequences ||
         !import.fai.empty() || !import.preset.empty() || import.threads != 0;
}

int checkAlignOptionsUsed(const PairFileOptions& options, bool fasta) {
  if (fasta || (options.import.preset.empty() && options.import.threads == 0)) return kCliGoOn;
  return cliUsageError("--preset and --threads go with a FASTA file, which is aligned against itself");
}
