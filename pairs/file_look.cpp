#include "file_look.h"

#include <cstring>
#include <string>

#include <zlib.h>

namespace {

constexpr size_t kInflatedLook = size_t{1} << 16;

// The first bytes of a gzip stream, inflated; whole when the stream ended within them.
std::string inflatedHead(std::string_view head, bool& whole) {
  std::string out(kInflatedLook, '\0');
  z_stream stream{};
  if (inflateInit2(&stream, 15 + 16) != Z_OK) return std::string();
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(head.data()));
  stream.avail_in = static_cast<uInt>(head.size());
  stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
  stream.avail_out = static_cast<uInt>(out.size());
  int status = inflate(&stream, Z_SYNC_FLUSH);
  whole = whole && status == Z_STREAM_END;
  out.resize(out.size() - stream.avail_out);
  inflateEnd(&stream);
  return out;
}

}  // namespace

Detection tellPairFormat(std::string_view head, bool whole, size_t& looked, uint64_t& lineNumber, InputFormat& format) {
  while (looked < head.size()) {
    const char* start = head.data() + looked;
    auto* newline = static_cast<const char*>(std::memchr(start, '\n', head.size() - looked));
    if (newline == nullptr && !whole) break;  // the line goes on in bytes not read yet
    size_t size = newline != nullptr ? static_cast<size_t>(newline - start) : head.size() - looked;
    looked += size + 1;
    if (size > 0 && start[size - 1] == '\r') --size;
    Detection detection = detectFormat(std::string_view(start, size), format, ++lineNumber == 1);
    if (detection != Detection::LookFurther) return detection;
  }
  return Detection::LookFurther;
}

FileLook lookAtHead(std::string_view head, bool whole, FileFamily wanted) {
  FileLook look;
  std::string inflated;
  if (head.size() >= 2 && static_cast<unsigned char>(head[0]) == 0x1F && static_cast<unsigned char>(head[1]) == 0x8B) {
    look.compression = Compression::Gzip;
    inflated = inflatedHead(head, whole);
    head = inflated;
  }
  if (head.substr(0, 3) == "\xEF\xBB\xBF") head.remove_prefix(3);
  ContentKind content = contentKindOf(head);
  const FileKind* row = contentKindRow(content);
  if (row != nullptr && row->family != FileFamily::Annotation) {
    look.kind = row;
    return look;
  }
  auto tellPairs = [&] {
    size_t looked = 0;
    uint64_t lineNumber = 0;
    InputFormat pairs = InputFormat::Unknown;
    if (tellPairFormat(head, whole, looked, lineNumber, pairs) == Detection::Decided) look.kind = &pairKind(pairs);
    return look.kind != nullptr;
  };
  auto tellAnnotation = [&] {
    AnnotationFormat annotation = AnnotationFormat::Bed;
    std::string refusal;
    if (tellAnnotationFormat(head, whole, "", annotation, refusal)) look.kind = &annotationKind(annotation);
    return look.kind != nullptr;
  };
  // Blank text reads as an empty list.
  auto tellList = [&] {
    if (looksLikeTandemTokens(head)) look.kind = &tandemListKind();
    return look.kind != nullptr;
  };
  bool told = wanted == FileFamily::Annotation ? tellAnnotation() || tellPairs() || tellList()
                                               : tellPairs() || tellList() || tellAnnotation();
  if (!told) look.kind = row;  // a BED-like line no reader takes
  return look;
}
