#include "file_label.h"

const char* fileLabel(const char* path) {
  const char* label = path;
  for (const char* p = path; *p != '\0'; ++p)
    if (*p == '/' || *p == '\\') label = p + 1;
  return label;
}
