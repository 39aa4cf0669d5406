// What view options ask for together, checked after the command line and after the load.
#pragma once

#include <cstdint>
#include <string>

struct ViewOptions;

// Zoom steps and moves touch every bar once a step: more step-bars than this in all would
// take longer than a few seconds, and are refused.
constexpr int64_t kMostStepBars = 1000000000;

// After the whole command line: options that exclude each other. False with the reason.
bool checkViewOptions(const ViewOptions& options, std::string& error);

// After loading the pairs and the annotation, with the count of bars: false (with the
// reason) when --zoom-steps and --moves ask for more than kMostStepBars, --goto names no
// place of the loaded sequences and no feature, or --region no stretch of them.
bool checkViewWork(const ViewOptions& options, int64_t bars, std::string& error);
