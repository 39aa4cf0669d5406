// The Windows programs are built without libminimap2.
#include "fasta_pairs.h"

#include "cli_tool.h"

int checkFastaOpening(const char* path, const ImportOptions&) {
  cliError("%s is a FASTA, and this build cannot align it; align it with minimap2 (minimap2 -c -X %s %s > "
           "self.paf) and open the PAF",
           path, path, path);
  return kExitFailed;
}

int loadFastaPairs(const char* path, const PairFileOptions& options, uint32_t, AlignWatch*) {
  checkFastaOpening(path, options.import);
  return kPairFileRefused;
}

bool importFasta(ImportRun& run, NamedInput& input) {
  checkFastaOpening(input.path.c_str(), *run.options);
  return false;
}
