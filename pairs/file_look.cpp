#include "file_look.h"

#include <cstdint>
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

// The pair format the whole lines of head tell, line by line as the import tells it.
// LookFurther when the lines end before one tells.
Detection tellPairFormat(std::string_view head, bool whole, InputFormat& format) {
  size_t looked = 0;
  uint64_t lineNumber = 0;
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

// Text, inflated; content: what its first bytes look like. further: opened as pairs by a
// caller that can read on (readsOn), the lines said nothing before head ended.
FileLook lookAtText(std::string_view head, bool whole, FileFamily wanted, std::string_view name, ContentKind content,
                    bool readsOn, bool& further) {
  FileLook look;
  look.content = content;
  further = false;
  const FileKind* row = contentKindRow(content);
  auto tellPairs = [&] {
    InputFormat pairs = InputFormat::Unknown;
    Detection detection = tellPairFormat(head, whole, pairs);
    if (detection == Detection::Decided) look.kind = &pairKind(pairs);
    further = readsOn && detection == Detection::LookFurther && !whole && wanted == FileFamily::Pairs;
    return look.kind != nullptr;
  };
  auto tellAnnotation = [&] {
    AnnotationFormat annotation = AnnotationFormat::Bed;
    if (tellAnnotationFormat(head, whole, name, annotation, look.refusal)) look.kind = &annotationKind(annotation);
    return look.kind != nullptr;
  };
  // Blank text reads as an empty list.
  auto tellList = [&] {
    if (looksLikeTandemTokens(head)) look.kind = &tandemListKind();
    return look.kind != nullptr;
  };
  bool named = row != nullptr && (row->family != FileFamily::Annotation ||
                                  (wanted == FileFamily::Pairs && content != ContentKind::Bed));
  if (named) {
    if (wanted == FileFamily::Annotation) tellAnnotation();  // refuses it, saying why
    look.kind = row;
    return look;
  }
  bool told = wanted == FileFamily::Annotation ? tellAnnotation() || tellPairs() || tellList()
                                               : tellPairs() || further || tellList() || tellAnnotation();
  if (!told) look.kind = row;  // a BED-like line no reader takes
  return look;
}

}  // namespace

FileLook lookAtHead(std::string_view head, bool whole, FileFamily wanted, std::string_view name) {
  std::string inflated;
  bool gzip = head.size() >= 2 && static_cast<unsigned char>(head[0]) == 0x1F && static_cast<unsigned char>(head[1]) == 0x8B;
  if (gzip) {
    inflated = inflatedHead(head, whole);
    head = inflated;
  }
  if (head.substr(0, 3) == "\xEF\xBB\xBF") head.remove_prefix(3);
  bool further = false;
  FileLook look = lookAtText(head, whole, wanted, name, contentKindOf(head), false, further);
  look.compression = gzip ? Compression::Gzip : Compression::None;
  return look;
}

FileLook lookAtReader(LineReader& reader, size_t firstLook, FileFamily wanted, std::string_view name) {
  ContentKind content = ContentKind::Unknown;
  for (size_t want = firstLook;; want *= 2) {
    size_t waiting = peekBytes(reader, want);
    std::string_view head(reader.buffer.data() + reader.begin, waiting);
    // Only pairs read on, so only they count a full buffer as the end.
    bool whole = waiting < want || (wanted == FileFamily::Pairs && waiting == reader.buffer.size());
    if (want == firstLook) content = contentKindOf(head);
    bool further = false;
    FileLook look = lookAtText(head, whole, wanted, name, content, true, further);
    look.compression = reader.gzip ? Compression::Gzip : Compression::None;
    if (!further || reader.error != 0) return look;
  }
}
