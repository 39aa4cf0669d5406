// The file-kind table: each row is told from a head of its kind, plain and gzip, and every
// help text that lists formats names each format of its family.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "file_look.h"
#include "tool_run.h"

using namespace std::string_literals;

namespace {

std::string gzipped(const std::string& text) {
  z_stream stream{};
  deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, static_cast<uLong>(text.size())) + 32, '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  stream.avail_in = static_cast<uInt>(text.size());
  stream.next_out = reinterpret_cast<Bytef*>(&out[0]);
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

struct Sample {
  FileFamily family;
  const char* name;  // the row's
  std::string head;  // as the reader sees it, inflated
};

// One a row; a pair file and an annotation file are opened as what their family says.
const Sample kSamples[] = {
    {FileFamily::Pairs, "tandem", "12414032/12414152/74/0\n100/200/50/1\n"},
    {FileFamily::Pairs, "repeat-match", "Long Exact Matches:\n\n  Start1    Start2    Length\n   100      200r     50\n"},
    {FileFamily::Pairs, "bedpe", "chr1\t100\t150\tchr1\t900\t950\n"},
    {FileFamily::Pairs, "paf", "q\t1000\t100\t200\t+\tq\t1000\t500\t600\t95\t100\t60\n"},
    {FileFamily::Pairs, "blast6", "# BLASTN 2.12.0+\n# Query: chr1\n"},
    {FileFamily::Pairs, "coords", "/a.fa /a.fa\nNUCMER\n\n    [S1]     [E1]  |     [S2]     [E2]  |\n"},
    {FileFamily::Pairs, "trf", "Tandem Repeats Finder Program written by:\n\nGary Benson\n"},
    {FileFamily::Annotation, "BED", "chr1\t100\t200\tfeature\n"},
    {FileFamily::Annotation, "GFF3", "##gff-version 3\nchr1\tsrc\tgene\t100\t200\t.\t+\t.\tID=g1\n"},
    {FileFamily::Annotation, "GTF", "chr1\tsrc\tgene\t100\t200\t.\t+\t.\tgene_id \"g1\"; transcript_id \"t1\";\n"},
    {FileFamily::Annotation, "RepeatMasker .out",
     "   SW  perc perc perc  query      position in query\nscore  div. del. ins.  sequence    begin     end\n"},
    {FileFamily::Annotation, "Tandem Repeats Finder", "Tandem Repeats Finder Program written by:\n\nGary Benson\n"},
    {FileFamily::Sequence, "FASTA", ">chr1\nACGTACGT\n"},
    {FileFamily::Refused, "FASTQ", "@read1\nACGT\n+\nIIII\n"},
    {FileFamily::Refused, "SAM", "@HD\tVN:1.6\tSO:coordinate\n"},
    {FileFamily::Refused, "BAM", "BAM\1\0\0\0\0"s},
    {FileFamily::Refused, "VCF", "##fileformat=VCFv4.2\n"},
    {FileFamily::Refused, "UTF-16", "\xFF\xFE" "c\0h\0r\0\t\0"s},
    {FileFamily::Refused, "xz", "\xFD" "7zXZ\0\0\x04"s},
    {FileFamily::Refused, "zstd", "\x28\xB5\x2F\xFD\x00\x58"s},
    {FileFamily::Refused, "bzip2", "BZh91AY&SY"},
    {FileFamily::Refused, "zip", "PK\3\4\x14\0"s},
    {FileFamily::Refused, "gzip twice", gzipped("1/2/3\n")},
    {FileFamily::Refused, "binary", "\1\2\3\0\4\5"s},
};

FileFamily openedAs(FileFamily family) {
  return family == FileFamily::Annotation ? FileFamily::Annotation : FileFamily::Pairs;
}

TEST(FileKinds, EveryRowIsToldFromItsOwnHeadPlainAndGzip) {
  for (size_t i = 0; i < kFileKindCount; ++i) {
    const FileKind& row = kFileKinds[i];
    const Sample* sample = nullptr;
    for (const Sample& s : kSamples)
      if (s.family == row.family && row.name == std::string(s.name)) sample = &s;
    ASSERT_NE(sample, nullptr) << "no sample for " << row.name;
    // A gzip member inside is what makes "gzip twice": it has no plain form.
    bool gzipInside = sample->head.compare(0, 2, "\x1F\x8B") == 0;
    if (!gzipInside) {
      FileLook plain = lookAtHead(sample->head, true, openedAs(row.family));
      EXPECT_EQ(plain.kind, &row) << row.name << " told as " << (plain.kind ? plain.kind->name : "nothing");
      EXPECT_EQ(plain.compression, Compression::None) << row.name;
    }
    FileLook packed = lookAtHead(gzipped(sample->head), true, openedAs(row.family));
    EXPECT_EQ(packed.kind, &row) << row.name << " (gzip) told as " << (packed.kind ? packed.kind->name : "nothing");
    EXPECT_EQ(packed.compression, Compression::Gzip) << row.name;
  }
}

// Names and messages find every value's row: none falls back on another's.
TEST(FileKinds, EveryFormatAndContentKindHasItsRow) {
  for (int f = static_cast<int>(InputFormat::RepeatMatch); f <= static_cast<int>(InputFormat::Trf); ++f)
    EXPECT_EQ(pairKind(static_cast<InputFormat>(f)).format, f);
  for (int f = 0; f <= static_cast<int>(AnnotationFormat::Trf); ++f)
    EXPECT_EQ(annotationKind(static_cast<AnnotationFormat>(f)).format, f);
  for (int k = static_cast<int>(ContentKind::Unknown) + 1; k <= static_cast<int>(ContentKind::Binary); ++k)
    EXPECT_NE(contentKindRow(static_cast<ContentKind>(k)), nullptr) << k;
}

// The stretch of help from the line holding start to the next option's line.
std::string helpOf(const std::string& help, const std::string& start) {
  size_t at = help.find(start);
  if (at == std::string::npos) return std::string();
  size_t end = help.find("\n      --", at);
  size_t shortEnd = help.find("\n  -", at);
  return help.substr(at, std::min(end, shortEnd) - at);
}

TEST(FileKinds, EveryHelpTextListingFormatsNamesThemAll) {
  struct Listing {
    const char* program;
    const char* where;  // "" for the whole text
    FileFamily family;
    const char* FileKind::*field;
  };
  const Listing listings[] = {
      {"quelvar-import", "", FileFamily::Pairs, &FileKind::help},
      {"quelvar-import", "--from FORMAT", FileFamily::Pairs, &FileKind::name},
      {"quelvar", "", FileFamily::Pairs, &FileKind::help},
      {"quelvar", "--from FORMAT", FileFamily::Pairs, &FileKind::name},
      {"quelvar", "--annotation FILE", FileFamily::Annotation, &FileKind::help},
      {"quelvar-snapshot", "--from FORMAT", FileFamily::Pairs, &FileKind::name},
      {"quelvar-snapshot", "--annotation FILE", FileFamily::Annotation, &FileKind::help},
      {"quelvar-summary", "--from FORMAT", FileFamily::Pairs, &FileKind::name},
  };
  std::string folder = scratchFolder("kinds_help");
  for (const Listing& listing : listings) {
    std::string help = runBuilt(std::string(listing.program) + " --help", folder).out;
    std::string part = *listing.where == '\0' ? help : helpOf(help, listing.where);
    ASSERT_FALSE(part.empty()) << listing.program << " " << listing.where;
    for (size_t i = 0; i < kFileKindCount; ++i) {
      const FileKind& row = kFileKinds[i];
      if (row.family != listing.family || row.format == kTandemListFormat) continue;
      EXPECT_NE(part.find(row.*listing.field), std::string::npos)
          << listing.program << " " << listing.where << " lacks " << row.*listing.field << ":\n" << part;
    }
  }
}

}  // namespace
