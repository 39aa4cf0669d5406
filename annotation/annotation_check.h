// Opening an annotation file and telling its format from its first lines: for the reader,
// and for the viewer to refuse a file that is no annotation before any window opens.
#pragma once

#include <string>

#include "annotation_rows.h"
#include "line_reader.h"

// Opens path into reader and tells its format. False with error saying why (unreadable,
// or what the file looks like instead); fd is then closed, else the caller closes it.
bool openAnnotation(const char* path, LineReader& reader, int& fd, AnnotationFormat& format, std::string& error);

// openAnnotation, closing the file at once.
bool checkAnnotationFile(const char* path, std::string& error);
