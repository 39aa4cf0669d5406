#include "annotation_source.h"

#include <cstdio>
#include <random>

#include "human_repeats.h"

namespace {

constexpr int kSequences = 24;
constexpr int64_t kSequenceLength = 10000000;

const char* const kRepeats[][2] = {
    {"AluSx", "SINE/Alu"},
    {"AluY", "SINE/Alu"},
    {"L1MB7", "LINE/L1"},
    {"L2a", "LINE/L2"},
    {"MIR", "SINE/MIR"},
    {"(CA)n", "Simple_repeat"},
    {"(TTAGGG)n", "Simple_repeat"},
    {"MER5A", "DNA/hAT-Charlie"},
    {"THE1B", "LTR/ERVL-MaLR"},
    {"A-rich", "Low_complexity"},
};
const char* const kGffTypes[] = {"gene", "mRNA", "exon", "CDS", "five_prime_UTR", "three_prime_UTR"};

std::string sequenceName(int i) { return "chr" + std::to_string(i + 1); }

}  // namespace

SequenceAxis benchGenome() {
  SequenceAxis axis{};
  for (int i = 0; i < kSequences; ++i) reachSequence(axis, sequenceNumber(axis, sequenceName(i)), kSequenceLength);
  axis.fixed = true;
  layOutSequences(axis);
  return axis;
}

bool writeBenchAnnotation(const std::string& path, AnnotationFormat format, int64_t features, uint64_t seed) {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  std::mt19937_64 random(seed);
  int64_t perSequence = (features + kSequences - 1) / kSequences;
  int64_t step = kSequenceLength / (perSequence + 1);
  if (format == AnnotationFormat::Gff3) std::fputs("##gff-version 3\n", out);
  if (format == AnnotationFormat::RepeatMasker) writeRepeatMaskerHeader(out);
  if (format == AnnotationFormat::Trf)
    std::fputs(
        "Tandem Repeats Finder Program written by:\n\nGary Benson\nProgram in Bioinformatics\nBoston "
        "University\nVersion 4.09\n\n\n",
        out);
  int64_t written = 0;
  for (int s = 0; s < kSequences && written < features; ++s) {
    std::string name = sequenceName(s);
    if (format == AnnotationFormat::Trf)
      std::fprintf(out, "Sequence: %s\n\n\n\nParameters: 2 7 7 80 10 50 500\n\n\n", name.c_str());
    for (int64_t i = 0; i < perSequence && written < features; ++i, ++written) {
      int64_t start = i * step + static_cast<int64_t>(random() % static_cast<uint64_t>(step / 2 + 1));
      int64_t length = 20 + static_cast<int64_t>(random() % 3000);
      if (start + length > kSequenceLength) length = kSequenceLength - start;
      char strand = random() % 2 == 0 ? '+' : '-';
      long long s0 = start, e0 = start + length;
      switch (format) {
        case AnnotationFormat::Bed:
          std::fprintf(out, "%s\t%lld\t%lld\tfeature%lld\t0\t%c\n", name.c_str(), s0, e0,
                       static_cast<long long>(written), strand);
          break;
        case AnnotationFormat::Gff3:
          std::fprintf(out, "%s\tbench\t%s\t%lld\t%lld\t.\t%c\t.\tID=f%lld;Name=feature%lld\n", name.c_str(),
                       kGffTypes[written % 6], s0 + 1, e0, strand, static_cast<long long>(written),
                       static_cast<long long>(written));
          break;
        case AnnotationFormat::Gtf:
          std::fprintf(out,
                       "%s\tbench\t%s\t%lld\t%lld\t.\t%c\t.\tgene_id \"g%lld\"; transcript_id \"t%lld\"; "
                       "gene_name \"feature%lld\";\n",
                       name.c_str(), kGffTypes[written % 6], s0 + 1, e0, strand, static_cast<long long>(written / 4),
                       static_cast<long long>(written), static_cast<long long>(written));
          break;
        case AnnotationFormat::RepeatMasker: {
          const char* const* repeat = kRepeats[random() % 10];
          writeRepeatMaskerRow(out, static_cast<int>(200 + random() % 5000), name.c_str(), s0 + 1, e0,
                               kSequenceLength - e0, strand != '+', repeat[0], repeat[1], written + 1);
          break;
        }
        case AnnotationFormat::Trf:
          std::fprintf(out, "%lld %lld 2 %.1f 2 96 0 %d 50 0 0 50 1.00 CA %s\n", s0 + 1, e0,
                       static_cast<double>(length) / 2.0, static_cast<int>(length), "CACACACACACACACACA");
          break;
      }
    }
  }
  return std::fclose(out) == 0;
}
