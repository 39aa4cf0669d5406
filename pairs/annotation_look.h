// Telling an annotation file's format from its first lines, beside the pair formats' own
// detectors, so that one place (file_kinds, file_look) knows every kind of file. The rows
// are read by annotation/annotation_rows, which shares the column tests below.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

enum class AnnotationFormat { Bed, Gff3, Gtf, RepeatMasker, Trf };

// Tells the format from the first bytes of a file (inflated, if it was gzip); whole: they
// are the whole file. False, with refusal saying what the file looks like ("x.fa looks like
// FASTA (sequences), not annotation"), for anything else. A file without rows is BED.
bool tellAnnotationFormat(std::string_view head, bool whole, std::string_view path, AnnotationFormat& format,
                          std::string& refusal);

// Splits at tabs only: GFF's ninth column and BED names may hold spaces.
size_t splitTabs(std::string_view line, std::string_view* fields, size_t maxFields);
// BED is tab-separated; older files use spaces, which then cannot be inside a name.
size_t splitBed(std::string_view line, std::string_view* fields, size_t maxFields);
// "track ..." and "browser ..." lines, not a sequence whose name starts so.
bool isBedHeader(std::string_view line);
bool isStrand(std::string_view text);
// sequence, source, type, start, end, score, strand, phase, attributes.
bool isGffRow(const std::string_view* f, size_t count);
bool isGtfAttributes(std::string_view attributes);
// score, divergence, deletions, insertions, sequence, begin, end, (left), strand, repeat,
// class/family, then the positions in the repeat and an ID.
bool isRepeatMaskerRow(const std::string_view* f, size_t count);
