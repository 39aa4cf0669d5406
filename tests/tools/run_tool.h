// Runs one of the project's command-line tools and collects what it printed.
#pragma once

#include <string>

struct ToolRun {
  int exitCode;
  std::string out;
  std::string err;
};

// Runs "<bin dir>/<command line>" through the shell from folder, capturing both streams.
ToolRun runTool(const std::string& commandLine, const std::string& folder = ".");

// Runs a shell command line from folder, capturing both streams.
ToolRun runCommand(const std::string& commandLine, const std::string& folder);

// A fresh scratch folder for one test.
std::string scratchFolder(const std::string& name);

void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
