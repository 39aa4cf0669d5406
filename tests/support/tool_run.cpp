#include "tool_run.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

std::string findOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return "";
  std::stringstream dirs(path);
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

std::string makeScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quelvar-import-test.XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return "";
  return pattern;
}

void removeTree(const std::string& dir) {
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
}

std::string scratchFolder(const std::string& name) {
  std::string folder = (std::filesystem::temp_directory_path() / ("quelvar_" + name)).string();
  removeTree(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

std::string readWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void writeWholeFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

std::vector<std::string> listDir(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

ToolResult runTool(const std::vector<std::string>& argv, const std::string& stdinPath) {
  ToolResult result{-1, "", ""};
  std::string scratch = makeScratchDir();
  std::string outPath = scratch + "/out";
  std::string errPath = scratch + "/err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, stdinPath.empty() ? "/dev/null" : stdinPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  result.out = readWholeFile(outPath);
  result.err = readWholeFile(errPath);
  removeTree(scratch);
  return result;
}

ToolResult runCommand(const std::string& commandLine, const std::string& folder) {
  std::string out = folder + "/.stdout", err = folder + "/.stderr";
  std::string command = "cd '" + folder + "' && { " + commandLine + " ; } >'" + out + "' 2>'" + err + "'";
  int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readWholeFile(out), readWholeFile(err)};
}

std::string builtProgram(const std::string& name) { return std::string(QUELVAR_BIN_DIR) + "/" + name; }

ToolResult runBuilt(const std::string& commandLine, const std::string& folder) {
  return runCommand(builtProgram(commandLine), folder);
}
