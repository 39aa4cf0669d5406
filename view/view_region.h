// --region's text as a stretch of the loaded axis.
#pragma once

#include <cstdint>
#include <string>

// [NAME:]START-END (1-based, inclusive; without NAME along the whole axis) as
// [start, end) of the axis. False with the reason in error.
bool readRegion(const std::string& text, int64_t& start, int64_t& end, std::string& error);

// The text readRegion reads back as [start, end) of the axis: START-END along it.
std::string regionText(int64_t start, int64_t end);
