#include "cli_tool.h"
#include "fasta_pairs.h"
#include "pair_file_options.h"

int checkNamedFile(const char* path, PairFileOptions& options, const char* tail) {
  options.named = true;
  std::string message;
  NamedFileCheck check = checkNamedPairFile(path, options, message);
  options.import.fasta = check == NamedFileCheck::Fasta;
  int stop = checkAlignOptionsUsed(options, options.import.fasta);
  if (stop != kCliGoOn) return stop;
  if (options.import.fasta) return checkFastaOpening(path, options.import);
  if (check == NamedFileCheck::NotPairs || check == NamedFileCheck::Unreadable) {
    cliError("%s%s", message.c_str(), tail);
    return kExitFailed;
  }
  return kCliGoOn;
}

int openNamedFile(const char* path, const PairFileOptions& options, uint32_t tag, AlignWatch* watch) {
  return options.import.fasta ? loadFastaPairs(path, options, tag, watch) : loadPairFile(path, options, tag);
}
