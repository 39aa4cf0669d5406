// What the tests share: running the project's programs (and the real tools they are tested
// against) as a user would, scratch folders, whole files, and the viewer's sky colour.
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

// Runs a shell command line from folder, capturing both streams; the line's own
// redirections come after the capture's, so it may close or redirect them.
ToolResult runCommand(const std::string& commandLine, const std::string& folder);

// "<build's bin folder>/<command line>" through runCommand.
ToolResult runBuilt(const std::string& commandLine, const std::string& folder = ".");

// The full path of one of the build's programs.
std::string builtProgram(const std::string& name);

// The full path of a program on PATH, or "" when there is none.
std::string findOnPath(const std::string& name);

// A fresh directory under the system's temporary folder, removed by removeTree.
std::string makeScratchDir();
// A fresh folder of that name under the test's temporary folder, emptied first.
std::string scratchFolder(const std::string& name);
void removeTree(const std::string& dir);

std::string readWholeFile(const std::string& path);
void writeWholeFile(const std::string& path, const std::string& text);
// Names in dir, sorted.
std::vector<std::string> listDir(const std::string& dir);

// The clear colour (0.6, 0.8, 1.0) as 8-bit RGB.
constexpr int kSkyRed = 153, kSkyGreen = 204, kSkyBlue = 255;
