// quelvar-import: turns the pair lists of repeat finders and aligners (MUMmer repeat-match,
// BEDPE, PAF) into the tandem list the viewer reads.
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
  return runImport(options);
}
