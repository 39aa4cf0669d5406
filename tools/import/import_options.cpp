#include "import_options.h"

#include <cstring>

#include "text_fields.h"

const char* const kImportUsage =
    "usage: quelvar-import [--from repeat-match|bedpe|paf|blast6|coords] [--min-length N]\n"
    "                      [--chrom NAME | --all-sequences [--fai FILE]] [--out FILE [--force]]\n"
    "                      [INPUT...]\n";

namespace {

// Accepts "--name value" and "--name=value".
bool optionValue(int argc, const char* const* argv, int& i, const char* name, std::string& value, bool& missing) {
  const char* arg = argv[i];
  size_t n = std::strlen(name);
  if (std::strncmp(arg, name, n) != 0) return false;
  if (arg[n] == '=') {
    value = arg + n + 1;
    return true;
  }
  if (arg[n] != '\0') return false;
  if (i + 1 >= argc) {
    missing = true;
    return true;
  }
  value = argv[++i];
  return true;
}

}  // namespace

bool parseImportOptions(int argc, const char* const* argv, ImportOptions& options, std::string& error) {
  bool onlyInputs = false;
  bool haveOut = false;
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (onlyInputs || arg[0] != '-' || std::strcmp(arg, "-") == 0) {
      options.inputs.emplace_back(arg);
      continue;
    }
    if (std::strcmp(arg, "--") == 0) {
      onlyInputs = true;
      continue;
    }
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
      options.help = true;
      return true;
    }
    if (std::strcmp(arg, "--force") == 0) {
      options.force = true;
      continue;
    }
    if (std::strcmp(arg, "--all-sequences") == 0) {
      options.allSequences = true;
      continue;
    }
    std::string value;
    bool missing = false;
    if (optionValue(argc, argv, i, "--from", value, missing)) {
      options.from = formatNamed(value);
      if (missing || options.from == InputFormat::Unknown) {
        error = std::string("--from takes ") + kFormatNames;
        return false;
      }
    } else if (optionValue(argc, argv, i, "--chrom", value, missing)) {
      if (missing || value.empty()) {
        error = "--chrom takes a sequence name";
        return false;
      }
      options.chrom = value;
    } else if (optionValue(argc, argv, i, "--fai", value, missing)) {
      if (missing || value.empty()) {
        error = "--fai takes a FASTA index (.fai) file";
        return false;
      }
      options.fai = value;
    } else if (optionValue(argc, argv, i, "--min-length", value, missing)) {
      int64_t n = 0;
      if (missing || !parseInteger(value, n) || n < 0 || n > INT32_MAX) {
        error = "--min-length takes a whole number from 0 to 2147483647";
        return false;
      }
      options.minLength = n;
    } else if (optionValue(argc, argv, i, "--out", value, missing)) {
      if (missing || value.empty()) {
        error = "--out takes a file name";
        return false;
      }
      options.out = value;
      haveOut = true;
    } else {
      error = std::string("unknown option ") + arg;
      return false;
    }
  }
  if (options.force && !haveOut) {
    error = "--force goes with --out";
    return false;
  }
  if (options.allSequences && !options.chrom.empty()) {
    error = "--chrom and --all-sequences exclude each other";
    return false;
  }
  if (!options.fai.empty() && !options.allSequences) {
    error = "--fai goes with --all-sequences";
    return false;
  }
  return true;
}
