#include "annotation_check.h"

#include <cerrno>
#include <cstring>
#include <string_view>

#include "file_look.h"
#include "text_fields.h"

namespace {

constexpr size_t kFirstLook = size_t{1} << 16;

}  // namespace

bool openAnnotation(const char* path, LineReader& reader, int& fd, AnnotationFormat& format, std::string& error) {
  errno = 0;
  fd = openForReading(path);
  if (fd < 0) {
    error = "cannot read " + shownInputName(path) + ": " + std::strerror(errno != 0 ? errno : EIO);
    return false;
  }
  openLineReader(reader, fd);
  FileLook look = lookAtReader(reader, kFirstLook, FileFamily::Annotation, shownInputName(path));
  format = AnnotationFormat::Bed;
  bool told = reader.error == 0 && look.kind != nullptr && look.kind->family == FileFamily::Annotation;
  if (told) format = static_cast<AnnotationFormat>(look.kind->format);
  if (!told) error = look.refusal;
  if (reader.error != 0) error = "cannot read " + shownInputName(path) + ": " + readErrorText(reader.error);
  if (!told) closeInput(fd);
  return told;
}

bool checkAnnotationFile(const char* path, std::string& error) {
  LineReader reader;
  int fd = -1;
  AnnotationFormat format;
  if (!openAnnotation(path, reader, fd, format, error)) return false;
  closeInput(fd);
  return true;
}
