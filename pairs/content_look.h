// What a file that holds no pairs looks like, told from its first bytes, so that a sequence,
// an annotation or a binary file is refused by name instead of read as a few bogus pairs.
#pragma once

#include <string>
#include <string_view>

enum class ContentKind {
  Unknown,  // nothing known: perhaps pairs
  Fasta,
  Fastq,
  Sam,
  Bam,
  Vcf,
  Gff,
  Gtf,
  Bed,
  RepeatMasker,
  Utf16,
  Xz,
  Zstd,
  Bzip2,
  Zip,
  Gzip,    // still gzip after inflating once
  Binary,
};

// Looks at the first bytes of a file (inflated, if it was gzip).
ContentKind contentKindOf(std::string_view head);

// What a kind is, for messages: "FASTA (sequences)", "xz-compressed", ... (its row in
// file_kinds).
const char* contentKindName(ContentKind kind);

// True when the first tokens read as the viewer's own tandem tokens: numbers joined by '/'
// or ';' (12414032/12414152/74/0). Blank text has no tokens and reads as an empty list.
bool looksLikeTandemTokens(std::string_view head);

// The one line that refuses a file of that kind, without the program's prefix: "genome.fa
// looks like FASTA (sequences), not pairs; align it first (...)", "x.xz is xz-compressed; ...".
std::string describeRefusal(ContentKind kind, std::string_view name);

// The same for a file that looks like nothing known and not like pairs either.
std::string describeUnknownContent(std::string_view name);
