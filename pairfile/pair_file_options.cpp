#include "pair_file_options.h"

#include "cli_tool.h"

const char kPairFileOptionsHelp[] =
    "      --from FORMAT         tandem, repeat-match, bedpe, paf, blast6, coords, trf (default:\n"
    "                            told from the content as quelvar-import tells it; a file\n"
    "                            whose first lines tell none is a tandem list)\n"
    "      --chrom NAME          the pairs on this sequence (default: the first one seen)\n"
    "      --all-sequences       every sequence laid end to end on one axis\n";

bool isPairFileOption(int option) {
  return option == kFromOption || option == kChromOption || option == kAllSequencesOption;
}

int takePairFileOption(int option, const char* value, PairFileOptions& options) {
  switch (option) {
    case kFromOption:
      options.tandem = std::string_view(value) == "tandem";
      options.import.from = formatNamed(value);
      if (!options.tandem && options.import.from == InputFormat::Unknown)
        return cliUsageError("--from takes tandem, %s, not '%s'", kFormatNames, value);
      break;
    case kChromOption:
      if (*value == '\0') return cliUsageError("--chrom takes a sequence name");
      options.import.chrom = value;
      break;
    case kAllSequencesOption: options.import.allSequences = true; break;
    default: break;
  }
  return kCliGoOn;
}

int checkPairFileOptions(const PairFileOptions& options) {
  if (options.import.allSequences && !options.import.chrom.empty())
    return cliUsageError("--chrom and --all-sequences exclude each other");
  return kCliGoOn;
}
