#include "view_region.h"

#include <algorithm>
#include <climits>

#include "axis_scale.h"
#include "sequence_places.h"
#include "text_fields.h"
#include "whole_numbers.h"

bool readRegion(const std::string& text, int64_t& start, int64_t& end, std::string& error) {
  // START-END alone: 1-based positions along the axis.
  size_t dash = text.find('-');
  int64_t first = 0, last = 0;
  if (text.find(':') == std::string::npos && dash != std::string::npos) {
    std::string a = text.substr(0, dash), b = text.substr(dash + 1);
    a.erase(std::remove(a.begin(), a.end(), ','), a.end());
    b.erase(std::remove(b.begin(), b.end(), ','), b.end());
    int64_t lastBase = typedOfAxis(INT32_MAX);
    if (!readWholeInteger(a.c_str(), 1, lastBase, first) || !readWholeInteger(b.c_str(), first, lastBase, last)) {
      error = "--region wants [NAME:]START-END (1-based, START <= END), not '" + quotedForMessage(text) + "'";
      return false;
    }
    start = axisOfTyped(first);
    end = last;
    return true;
  }
  AxisRange range;
  std::string why;
  if (parsePlace(loadedSequences(), text, range, why) != PlaceAnswer::Found) {
    error = "--region: " + why;  // why quotes the place, cut
    return false;
  }
  start = range.start;
  end = range.end;
  return true;
}

std::string regionText(int64_t start, int64_t end) { return std::to_string(typedOfAxis(start)) + "-" + std::to_string(end); }
