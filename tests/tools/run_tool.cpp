#include "run_tool.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string scratchFolder(const std::string& name) {
  std::string folder = testing::TempDir() + "quelvar_" + name;
  std::system(("rm -rf '" + folder + "' && mkdir -p '" + folder + "'").c_str());
  return folder;
}

ToolRun runCommand(const std::string& commandLine, const std::string& folder) {
  std::string out = folder + "/.stdout", err = folder + "/.stderr";
  // The braces let the command's own redirections come after the capture's.
  std::string command = "cd '" + folder + "' && { " + commandLine + " ; } >'" + out + "' 2>'" + err + "'";
  int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(out), readFile(err)};
}

ToolRun runTool(const std::string& commandLine, const std::string& folder) {
  return runCommand(QUELVAR_BIN_DIR "/" + commandLine, folder);
}
