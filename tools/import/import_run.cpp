#include "import_run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "cli_tool.h"
#include "fasta_pairs.h"
#include "line_reader.h"
#include "pair_placement.h"
#include "pair_writer.h"

namespace {

std::string sequencesPath(const ImportOptions& options) { return options.out + ".sequences"; }

// Every file the run reads, so that neither output is written over one of them: the inputs
// ("-" for standard input, which is also read without any) and the FASTA index.
std::vector<std::string> filesRead(const ImportOptions& options) {
  std::vector<std::string> files = options.inputs;
  if (files.empty()) files.emplace_back("-");
  if (!options.fai.empty()) files.push_back(options.fai);
  return files;
}

bool writesSequencesFile(const ImportRun& run) {
  return run.options->allSequences && !run.options->out.empty() && !run.axis.sequences.empty();
}

// The offset table beside the list, written as safely as the list itself.
bool writeSequencesFile(const ImportRun& run) {
  std::string path = sequencesPath(*run.options);
  PairWriter table;
  if (openFileWriter(table, path, run.options->force, filesRead(*run.options)) != kExitOk) return false;
  writeText(table, "# name\toffset\tlength\n" + offsetTable(run.axis));
  if (!finishWriter(table)) {
    if (table.error != 0) cliError("cannot write %s: %s", path.c_str(), std::strerror(table.error));
    return false;
  }
  return true;
}

// A list written without an offset table must not find an earlier run's beside it: the
// viewer would read that table and name the pairs on the wrong sequences.
int checkStaleSequencesFile(const ImportOptions& options) {
  std::string path = sequencesPath(options);
  struct stat info;
  // The reader finds none either (a list name at the folder limit leaves no room for one).
  if (stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENAMETOOLONG)) return kExitOk;
  int refused = checkOutputPath(path, filesRead(options), true);
  if (refused != kExitOk || options.force) return refused;
  return cliUsageError("%s exists and would be read as this list's offset table; --force removes it",
                       path.c_str());
}

bool removeStaleSequencesFile(const ImportOptions& options) {
  std::string path = sequencesPath(options);
  if (unlink(path.c_str()) == 0 || errno == ENOENT || errno == ENAMETOOLONG) return true;
  cliError("cannot remove %s, an earlier offset table that does not match %s: %s", path.c_str(),
           options.out.c_str(), std::strerror(errno));
  return false;
}

}  // namespace

bool importStandardInput(ImportRun& run) {
  // A closed standard input is an input that cannot be read, not an empty one.
  if (cliStreamWasClosed(STDIN_FILENO)) {
    std::fprintf(run.messages, "quelvar-import: cannot read standard input: it is closed\n");
    return false;
  }
  return importInput(run, STDIN_FILENO, "standard input");
}

int takeFastaInput(ImportOptions& options) {
  options.opened.assign(options.inputs.size(), nullptr);
  for (size_t i = 0; i < options.inputs.size(); ++i) {
    const std::string& input = options.inputs[i];
    if (input == "-") continue;
    PairFileOptions file;
    file.import.from = options.from;
    std::string message;
    NamedFileCheck check = checkNamedPairFile(input.c_str(), file, message);
    options.opened[i] = file.input;
    if (check != NamedFileCheck::Fasta) continue;
    if (options.inputs.size() > 1)
      return cliUsageError("%s is a FASTA, aligned against itself on its own; name it as the only input",
                           input.c_str());
    int stop = checkFastaOpening(input.c_str(), options);
    if (stop != kCliGoOn) return stop;
    options.fasta = true;
    options.allSequences = options.chrom.empty();
  }
  if (!options.fasta && options.tiles > 0)
    return cliUsageError("--tiles goes with a FASTA input, which it cuts into windows");
  if (!options.fasta && (!options.preset.empty() || options.threads != 0))
    return cliUsageError("--preset and --threads go with a FASTA input, which is aligned against itself");
  return kCliGoOn;
}

int runImport(const ImportOptions& options) {
  PairWriter writer;
  if (options.out.empty()) {
    openStdoutWriter(writer);
  } else {
    int opened = openFileWriter(writer, options.out, options.force, filesRead(options));
    if (opened != kExitOk) return opened;
  }

  // The offset table is written last; whether it may be, or an old one removed, is checked first.
  if (!options.out.empty()) {
    int refused = options.allSequences ? checkOutputPath(sequencesPath(options), filesRead(options), options.force)
                                       : checkStaleSequencesFile(options);
    if (refused != kExitOk) {
      abandonWriter(writer);
      return refused;
    }
  }

  ImportRun run;
  startImportRun(run, options, PairSink{takeTokens, &writer}, stderr);
  if (!startGenome(run)) {
    abandonWriter(writer);
    return kImportUnreadable;
  }
  bool allRead = true;
  if (options.inputs.empty()) allRead = importStandardInput(run);
  for (size_t i = 0; i < options.inputs.size(); ++i) {
    const std::string& input = options.inputs[i];
    if (input == "-") {
      allRead = importStandardInput(run) && allRead;
      continue;
    }
    std::shared_ptr<NamedInput> opened = i < options.opened.size() ? options.opened[i] : nullptr;
    if (!opened) opened = openNamedInput(input.c_str());
    if (opened->error != 0) {
      std::fprintf(stderr, "quelvar-import: cannot read %s: %s\n", input.c_str(), std::strerror(opened->error));
      allRead = false;
      continue;
    }
    allRead = (options.fasta ? importFasta(run, *opened) : importLines(run, opened->reader, input.c_str())) && allRead;
  }

  // The offset table goes to standard error as the genome is laid out; without it the list
  // cannot be read back to sequences, so a table that could not be written fails the run.
  std::clearerr(stderr);
  bool laidOut = finishImportRun(run, allRead);
  bool tableLost = options.allSequences && (std::fflush(stderr) != 0 || std::ferror(stderr) != 0);
  bool chromFound = reportImportRun(run);
  if (!allRead || !laidOut || !chromFound) {
    abandonWriter(writer);
    if (!options.out.empty()) std::fprintf(stderr, "quelvar-import: %s not written\n", options.out.c_str());
    return chromFound ? kImportUnreadable : kImportBadArguments;
  }
  if (!finishWriter(writer)) {
    if (writer.error != 0)
      cliError("cannot write %s: %s", options.out.empty() ? "standard output" : options.out.c_str(),
               std::strerror(writer.error));
    return kImportUnreadable;
  }
  if (options.out.empty() && cliStreamWasClosed(STDOUT_FILENO)) {
    cliError("cannot write standard output: it is closed");
    return kImportUnreadable;
  }
  // After the list, so that only one temporary file at a time waits for its rename.
  if (writesSequencesFile(run) && !writeSequencesFile(run)) {
    std::fprintf(stderr, "quelvar-import: %s written without its offset table\n", options.out.c_str());
    return kImportUnreadable;
  }
  if (!options.out.empty() && !writesSequencesFile(run) && !removeStaleSequencesFile(options))
    return kImportUnreadable;
  return tableLost ? kImportUnreadable : kImportOk;
}
