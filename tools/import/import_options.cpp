#include "import_options.h"

#include <getopt.h>

#include "cli_tool.h"
#include "file_kinds.h"

namespace {

const std::string importUsage =
    "Usage: quelvar-import [OPTIONS] [INPUT...]\n"
    "Turns the pair lists of repeat finders and of aligners run on a genome against itself\n"
    "into the tandem list the viewer reads, one pos/partner/len/orientation[/identity] token\n"
    "a line (0-based; orientation 1 for a reverse-complement copy; identity in percent where\n"
    "the format gives it), for the pairs on one sequence or on every sequence laid end to\n"
    "end. Without INPUT, or for '-', reads standard input. Skipped lines are reported on\n"
    "standard error with the reason.\n"
    "Formats: " +
    kindList(FileFamily::Pairs, &FileKind::help, " and ") +
    ".\n"
    "\n"
    "  -F, --from FORMAT     " +
    kindList(FileFamily::Pairs, &FileKind::name, " or ") +
    " (default: told from\n"
    "                        the content)\n"
    "  -c, --chrom NAME      keep the pairs on this sequence (default: the first one seen)\n"
    "  -a, --all-sequences   lay every sequence end to end on one axis, in the order they\n"
    "                        first appear, and keep pairs between sequences too; the offsets\n"
    "                        go to standard error and, with --out FILE, to FILE.sequences\n"
    "      --fai FILE        with --all-sequences: the order and lengths of a FASTA index\n"
    "      --preset NAME     an INPUT that is a genome FASTA (plain or gzip) is aligned\n"
    "                        against itself in process, as minimap2 -c -X does, and its\n"
    "                        sequences laid end to end (or --chrom's); NAME is minimap2's -x\n"
    "      --threads N       threads for that alignment (default: all cores)\n"
    "      --tiles W         a FASTA INPUT is not aligned but cut into windows of W bases;\n"
    "                        every two windows whose k-mer sketches share enough become a\n"
    "                        pair of their estimated identity\n"
    "  -m, --min-length N    drop pairs shorter than N\n"
    "  -o, --out FILE        write the list to FILE (default standard output); written\n"
    "                        under a temporary name and renamed, so a failed run leaves none\n"
    "  -f, --force           let --out replace an existing file, and remove the FILE.sequences\n"
    "                        of an earlier run when this one writes none\n"
    "  -h, --help            show this help and exit\n"
    "  -V, --version         show the version and exit\n"
    "\n"
    "Exit status: 0 when every input was read and the list written, 1 when an input could\n"
    "not be read or the list or its offset table not written, 2 for bad arguments (also an\n"
    "output that is one of the files read, standard input included).\n";

}  // namespace

const char* const kImportUsage = importUsage.c_str();

int parseImportOptions(int argc, char** argv, ImportOptions& options) {
  enum { kFai = 256, kPreset, kThreads, kTiles };
  static const option kOptions[] = {
      {"from", required_argument, nullptr, 'F'},
      {"chrom", required_argument, nullptr, 'c'},
      {"all-sequences", no_argument, nullptr, 'a'},
      {"fai", required_argument, nullptr, kFai},
      {"preset", required_argument, nullptr, kPreset},
      {"threads", required_argument, nullptr, kThreads},
      {"tiles", required_argument, nullptr, kTiles},
      {"min-length", required_argument, nullptr, 'm'},
      {"out", required_argument, nullptr, 'o'},
      {"force", no_argument, nullptr, 'f'},
      {"help", no_argument, nullptr, 'h'},
      {"version", no_argument, nullptr, 'V'},
      {nullptr, 0, nullptr, 0},
  };
  opterr = 0;
  optind = 0;  // a fresh scan, also when called again (tests)
  for (int c; (c = getopt_long(argc, argv, ":F:c:am:o:fhV", kOptions, nullptr)) != -1;) {
    int64_t number = 0;
    switch (c) {
      case 'F':
        options.from = formatNamed(optarg);
        if (options.from == InputFormat::Unknown)
          return cliUsageError("--from takes %s, not '%s'", kFormatNames, optarg);
        break;
      case 'c':
        if (*optarg == '\0') return cliUsageError("--chrom takes a sequence name");
        options.chrom = optarg;
        break;
      case 'a': options.allSequences = true; break;
      case kFai:
        if (*optarg == '\0') return cliUsageError("--fai takes a FASTA index (.fai) file");
        options.fai = optarg;
        break;
      case kPreset:
        if (*optarg == '\0') return cliUsageError("--preset takes one of minimap2's presets (asm5, asm20, ...)");
        options.preset = optarg;
        break;
      case kThreads:
        if (!parseCliInteger(optarg, 1, 256, number))
          return cliUsageError("--threads takes a number of threads from 1 to 256, not '%s'", optarg);
        options.threads = static_cast<int>(number);
        break;
      case kTiles:
        if (!parseCliInteger(optarg, 100, INT32_MAX, number))
          return cliUsageError("--tiles takes a window of 100 to 2147483647 bases, not '%s'", optarg);
        options.tiles = number;
        break;
      case 'm':
        if (!parseCliInteger(optarg, 0, INT32_MAX, number))
          return cliUsageError("--min-length takes a whole number from 0 to 2147483647, not '%s'", optarg);
        options.minLength = number;
        break;
      case 'o':
        if (*optarg == '\0') return cliUsageError("--out takes a file name");
        options.out = optarg;
        break;
      case 'f': options.force = true; break;
      case 'h': return cliPrintHelp(kImportUsage);
      case 'V': return cliPrintVersion();
      default: return cliBadOption(c, argv);
    }
  }
  for (int i = optind; i < argc; ++i) options.inputs.emplace_back(argv[i]);
  if (options.force && options.out.empty()) return cliUsageError("--force goes with --out");
  if (options.allSequences && !options.chrom.empty())
    return cliUsageError("--chrom and --all-sequences exclude each other");
  if (!options.fai.empty() && !options.allSequences) return cliUsageError("--fai goes with --all-sequences");
  if (options.tiles > 0 && !options.preset.empty())
    return cliUsageError("--tiles and --preset exclude each other: tiles are not aligned");
  return kCliGoOn;
}
