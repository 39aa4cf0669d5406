// Runs a program the way a user's shell would, with files for its input and output, and
// gives back what it printed and its exit code.
#pragma once

#include <string>
#include <vector>

struct ToolResult {
  int exitCode;  // -1 when it could not be started or died of a signal
  std::string out;
  std::string err;
};

// argv[0] is the program, looked up on PATH when it has no '/'. stdinPath empty: /dev/null.
ToolResult runTool(const std::vector<std::string>& argv, const std::string& stdinPath = "");

// The full path of a program on PATH, or "" when there is none.
std::string findOnPath(const std::string& name);

// A fresh directory under the system's temporary folder, removed by removeTree.
std::string makeScratchDir();
void removeTree(const std::string& dir);

std::string readWholeFile(const std::string& path);
void writeWholeFile(const std::string& path, const std::string& text);
// Names in dir, sorted.
std::vector<std::string> listDir(const std::string& dir);
