// quelvar-import: turns the pair lists of repeat finders and aligners (the pair formats of
// pairs/file_kinds) into the tandem list the viewer reads.
#include "cli_tool.h"
#include "import_options.h"
#include "import_run.h"

int main(int argc, char** argv) {
  startCli("quelvar-import");
  ImportOptions options;
  int stop = parseImportOptions(argc, argv, options);
  if (stop != kCliGoOn) return stop;
  stop = takeFastaInput(options);
  if (stop != kCliGoOn) return stop;
  return runImport(options);
}
