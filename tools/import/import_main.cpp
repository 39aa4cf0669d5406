// quelvar-import: turns the pair lists of repeat finders and aligners (MUMmer repeat-match
// and show-coords, BEDPE, PAF, BLAST tabular) into the tandem list the viewer reads.
#include <cstdio>
#include <string>

#include "import_options.h"
#include "import_run.h"

int main(int argc, char** argv) {
  ImportOptions options;
  std::string error;
  if (!parseImportOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "quelvar-import: %s\n%s", error.c_str(), kImportUsage);
    return kImportBadArguments;
  }
  if (options.help) {
    std::printf("%s", kImportUsage);
    std::printf(
        "Writes one pos/partner/len/orientation[/identity] token a line (0-based; orientation 1\n"
        "for a reverse-complement copy; identity in percent where the format gives it) for the\n"
        "pairs on one sequence, or on every sequence laid end to end (--all-sequences; the\n"
        "offsets go to standard error and FILE.sequences). Without --from the format is told\n"
        "from the content; skipped lines are reported on standard error.\n");
    return 0;
  }
  return runImport(options);
}
