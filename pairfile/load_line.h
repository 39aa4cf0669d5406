// How far the load of a named file has come: one line of text for a terminal's standard
// error (rewritten at most once a second, nothing for a load over within a second) and for
// the viewer's work screen.
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "load_progress.h"
#include "named_input.h"

// The input's bytes where they are its text: a regular file that is not gzip. Else 0.
uint64_t inputTextSize(const NamedInput& input);

// "reading self.paf: 4,500,000 lines (45%)"
std::string describeLoad(const std::string& name, const LoadProgress& progress);
// How much of the input is read, 0 to 1; 0 when its size is unknown.
double loadFraction(const LoadProgress& progress);

struct LoadLine {
  std::thread thread;
  std::mutex lock;
  std::condition_variable stopped;
  bool stop = false;
};

// Watches progress on a thread of its own while standard error is a terminal.
void startLoadLine(LoadLine& line, const std::string& name, const LoadProgress& progress);
void stopLoadLine(LoadLine& line);
