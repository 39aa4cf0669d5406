// Files the tools write: always under a fresh temporary name in the target's folder
// (created exclusively, so never through a planted link), renamed into place only when
// complete. An interrupted or failed run leaves the target as it was and no temporary
// behind; parallel runs never mix their bytes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct OutputFile {
  std::string path;      // the target
  std::string tempPath;  // where the bytes go until commitOutputFile
  int fd = -1;
  bool mayReplace = false;
};

// Checks the target and creates its temporary. Returns kExitOk, or, with a message said:
// kExitBadUsage when the target exists and is not a regular file, is the same file as one
// of `inputs` ("-" is standard input), or exists while mayReplace is off; kExitFailed when
// the temporary cannot be made. A replaced file's permissions carry over.
int openOutputFile(OutputFile& out, const std::string& path, const std::vector<std::string>& inputs,
                   bool mayReplace);

// The checks openOutputFile makes before it creates anything, for a file to be written
// later: kExitOk, or kExitBadUsage with the reason said.
int checkOutputPath(const std::string& path, const std::vector<std::string>& inputs, bool mayReplace);

// Whether two target names would write one file: the same file already there, or the same
// name in the same folder however the folder is spelt.
bool sameOutputTarget(const std::string& a, const std::string& b);

// Writes all bytes; false with errno set on failure.
bool writeOutputBytes(OutputFile& out, const void* bytes, size_t size);
// The same for any open descriptor (standard output included).
bool writeDescriptor(int fd, const void* bytes, size_t size);

// Syncs, closes and moves the temporary into place. On failure says why, removes the
// temporary and returns false.
bool commitOutputFile(OutputFile& out);

// Writes bytes under the first free name of pattern (a printf pattern of one int, such as
// "quelvar-%03d.png"), counting from next and leaving next at the number taken; never over
// a file, one that appears meanwhile included. Returns the name; empty, with the reason
// said, when it cannot be written.
std::string writeNumberedFile(const char* pattern, int& next, const void* bytes, size_t size);

// Closes and removes the temporary (a run that failed elsewhere).
void abandonOutputFile(OutputFile& out);
