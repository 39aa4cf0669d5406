// Feeds arbitrary bytes to the annotation reader as a user's --annotation file would reach
// it: the format told from the content, every row reader, and the placement on an axis of
// named sequences or on one that names none. Sanitizers catch what goes wrong; the checks
// below catch a lane that breaks the table's promises.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "annotation_lanes.h"

namespace {

// Every line straight through every reader, whatever the format told.
void readEveryFormat(std::string_view bytes) {
  const AnnotationFormat formats[] = {AnnotationFormat::Bed, AnnotationFormat::Gff3, AnnotationFormat::Gtf,
                                      AnnotationFormat::RepeatMasker, AnnotationFormat::Trf};
  RowContext contexts[5];
  while (!bytes.empty()) {
    size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    for (int i = 0; i < 5; ++i) {
      FeatureRow row{};
      const char* why = nullptr;
      FeatureRowKind kind = readAnnotationRow(formats[i], line, contexts[i], row, why);
      if (kind == FeatureRowKind::Malformed && why == nullptr) std::abort();
      if (kind == FeatureRowKind::Feature && (row.start < 0 || row.end < row.start)) std::abort();
    }
  }
}

SequenceAxis twoSequences() {
  SequenceAxis axis{};
  reachSequence(axis, sequenceNumber(axis, "chr1"), 5000);
  reachSequence(axis, sequenceNumber(axis, "chr2"), 0);  // a length no file gave
  layOutSequences(axis);
  return axis;
}

void checkLane(const AnnotationLanes& lanes) {
  if (lanes.lanes.empty()) return;
  const FeatureTable& t = lanes.lanes.back().features;
  for (size_t i = 0; i < featureCount(t); ++i) {
    if (t.start[i] >= t.end[i] || t.end[i] > kLongestAxis || t.row[i] >= kLaneRows) std::abort();
    if (i > 0 && t.start[i - 1] > t.start[i]) std::abort();
    if (t.featureClass[i] >= lanes.classes.size()) std::abort();
    featureName(t, static_cast<uint32_t>(i));
  }
  std::vector<uint32_t> hits;
  featuresOverlapping(t, 0, kLongestAxis, hits);
  if (hits.size() != featureCount(t)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  readEveryFormat(bytes);

  int fd = memfd_create("annotation_fuzz", 0);
  if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::abort();
  std::string path = "/proc/self/fd/" + std::to_string(fd);
  static const SequenceAxis named = twoSequences();
  for (const SequenceAxis* axis : {&named, static_cast<const SequenceAxis*>(nullptr)}) {
    AnnotationLanes lanes;
    std::string summary, error;
    SequenceAxis none{};
    bool loaded = loadAnnotation(lanes, path.c_str(), axis != nullptr ? *axis : none, summary, error);
    if (loaded == summary.empty() || loaded != error.empty()) std::abort();
    checkLane(lanes);
  }
  close(fd);
  return 0;
}
