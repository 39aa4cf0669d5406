#include "timed_run.h"

#include <cerrno>
#include <chrono>
#include <cstdio>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

TimedRun timeCommand(const std::vector<std::string>& argv, const std::string& inPath, const std::string& outPath) {
  TimedRun run{false, 0, 0};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ) == 0) {
    int status = 0;
    struct rusage usage {};
    while (wait4(pid, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.peakKib = usage.ru_maxrss;
  }
  posix_spawn_file_actions_destroy(&actions);
  return run;
}

std::string firstLineOf(const std::vector<std::string>& argv) {
  std::string command;
  for (const std::string& arg : argv) command += "'" + arg + "' ";
  command += "2>&1 </dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return "";
  char line[256] = {0};
  if (std::fgets(line, sizeof line, pipe) == nullptr) line[0] = '\0';
  pclose(pipe);
  std::string text = line;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

TimedRun bestOf(const std::vector<std::string>& argv, const std::string& outPath, int runs) {
  TimedRun best{false, 0, 0};
  for (int i = 0; i < runs; ++i) {
    TimedRun run = timeCommand(argv, "/dev/null", outPath);
    if (!run.ok) return run;
    if (!best.ok || run.seconds < best.seconds) best = run;
  }
  return best;
}
