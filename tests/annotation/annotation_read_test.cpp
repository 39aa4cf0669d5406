// Annotation files read onto the pairs' axis: the same genes written by hand as BED, GFF3
// and GTF give the same features; RepeatMasker's table gives its classes; gzip reads as
// the text; files that are no annotation, rows that cannot be read and features off the
// axis are said, not lost silently.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "annotation_lanes.h"
#include "annotation_place.h"
#include "features_under.h"
#include "tool_run.h"
#include "view_options.h"

namespace {

const char kGenesBed[] =
    "browser position chrA:1-10000\n"
    "track name=\"hand genes\" description=\"three genes\"\n"
    "# BED12: blocks and thick parts are read past, not drawn\n"
    "chrA\t999\t5000\tgeneOne\t0\t+\t1199\t4800\t0\t2\t500,800,\t0,3201,\n"
    "chrA\t2999\t4000\tgeneTwo\t0\t-\t2999\t4000\t255,0,0\t1\t1001,\t0,\n"
    "chrB\t99\t700\tgeneThree\t0\t+\n"
    "plasmid\t10\t20\tgeneFour\n";

const char kGenesGff3[] =
    "##gff-version 3\n"
    "##sequence-region chrA 1 10000\n"
    "chrA\thand\tgene\t1000\t5000\t.\t+\t.\tID=gene1;Name=geneOne\n"
    "chrA\thand\tgene\t3000\t4000\t.\t-\t.\tID=gene2;Name=gene%54wo;Note=two%3B words\n"
    "chrB\thand\tgene\t100\t700\t.\t+\t.\tID=geneThree\n"
    "plasmid\thand\tgene\t11\t20\t.\t.\t.\tName=gene%46our\n"
    "###\n"
    "##FASTA\n"
    ">chrA\n"
    "ACGTACGTAC\n";

const char kGenesGtf[] =
    "#!genome-build hand\n"
    "chrA\thand\tgene\t1000\t5000\t.\t+\t.\tgene_id \"g1\"; gene_name \"geneOne\";\n"
    "chrA\thand\tgene\t3000\t4000\t.\t-\t.\tgene_id \"g2\"; gene_name \"geneTwo\";\n"
    "chrB\thand\tgene\t100\t700\t.\t+\t.\tgene_id \"geneThree\";\n"
    "plasmid\thand\tgene\t11\t20\t.\t.\t.\tgene_id \"g4\"; gene_name \"geneFour\";\n";

// RepeatMasker's .out as it writes it: three header lines, C for the reverse strand, class
// and family joined by '/', '*' after a row overlapped by a better one.
const char kRepeatsOut[] =
    "   SW  perc perc perc  query      position in query           matching       repeat              position in  "
    "repeat\n"
    "score  div. del. ins.  sequence    begin     end    (left)    repeat         class/family         begin  end "
    "(left)   ID\n"
    "\n"
    "  463   1.3  0.6  1.7  chrA          101      568   (9432) +  (CCCTAA)n      Simple_repeat            1  463    "
    "(0)      1\n"
    " 3612  11.4 21.5  1.3  chrA         1469     2447   (7553) C  AluSx          SINE/Alu             (399)  1712    "
    "483      2\n"
    "  484  25.1 13.2  0.0  chrB          100      200   (1800) +  L1MB7          LINE/L1               5645  5746  "
    "(451)      3 *\n"
    "  301  20.3  1.1  0.0  chrB          400      480   (1520) C  AluY           SINE/Alu             (12)   299    "
    "220      4\n";

// chrA, chrB and chrC end to end; no plasmid.
SequenceAxis genomeAxis() {
  SequenceAxis axis{};
  for (auto [name, length] : {std::pair<const char*, int64_t>{"chrA", 10000}, {"chrB", 2000}, {"chrC", 500}})
    reachSequence(axis, sequenceNumber(axis, name), length);
  layOutSequences(axis);
  return axis;
}

using Feature = std::tuple<int64_t, int64_t, std::string, char>;  // start, end, name, strand

std::vector<Feature> featuresOf(const AnnotationLane& lane) {
  std::vector<Feature> features;
  for (uint32_t i = 0; i < featureCount(lane.features); ++i)
    features.emplace_back(lane.features.start[i], lane.features.end[i], std::string(featureName(lane.features, i)),
                          lane.features.strand[i]);
  return features;
}

struct AnnotationRead : ::testing::Test {
  std::string dir = makeScratchDir();
  void TearDown() override { removeTree(dir); }

  std::string file(const char* name, const std::string& text) {
    writeWholeFile(dir + "/" + name, text);
    return dir + "/" + name;
  }
  // Loads one file into lanes; its summary or error comes back in message.
  bool load(AnnotationLanes& lanes, const std::string& path, const SequenceAxis& axis, std::string& message) {
    std::string summary, error;
    bool loaded = loadAnnotation(lanes, path.c_str(), axis, summary, error);
    message = loaded ? summary : error;
    EXPECT_EQ(loaded, !summary.empty()) << message;
    return loaded;
  }
  std::string refusalOf(const char* name, const std::string& text) {
    AnnotationLanes lanes;
    std::string message;
    EXPECT_FALSE(load(lanes, file(name, text), genomeAxis(), message)) << name;
    EXPECT_TRUE(lanes.lanes.empty());
    return message;
  }
};

TEST_F(AnnotationRead, TheSameGenesAsBedGff3AndGtfGiveTheSameFeatures) {
  SequenceAxis axis = genomeAxis();
  AnnotationLanes lanes;
  std::string message;
  ASSERT_TRUE(load(lanes, file("genes.bed", kGenesBed), axis, message));
  EXPECT_EQ(message, "annotation " + dir +
                         "/genes.bed (BED): 3 features on 2 sequences, 1 class; skipped 1 feature on sequences the "
                         "pairs do not lie on (plasmid)");
  const std::vector<Feature> expected = {
      {999, 5000, "geneOne", '+'}, {2999, 4000, "geneTwo", '-'}, {10099, 10700, "geneThree", '+'}};
  EXPECT_EQ(featuresOf(lanes.lanes[0]), expected);
  ASSERT_TRUE(load(lanes, file("genes.gff3", kGenesGff3), axis, message));
  EXPECT_EQ(featuresOf(lanes.lanes[1]), expected);  // ##FASTA ends the features
  ASSERT_TRUE(load(lanes, file("genes.gtf", kGenesGtf), axis, message));
  EXPECT_EQ(featuresOf(lanes.lanes[2]), expected);
  EXPECT_EQ(lanes.lanes[1].format, AnnotationFormat::Gff3);
  EXPECT_EQ(lanes.lanes[2].format, AnnotationFormat::Gtf);
  // One legend for every lane: the BED track's name, then the GFF type, counted over both.
  ASSERT_EQ(annotationClasses(lanes).size(), 2u);
  EXPECT_EQ(annotationClasses(lanes)[0].name, "hand genes");
  EXPECT_EQ(annotationClasses(lanes)[0].count, 3u);
  EXPECT_EQ(annotationClasses(lanes)[1].name, "gene");
  EXPECT_EQ(annotationClasses(lanes)[1].count, 6u);
  // The two overlapping genes take two rows.
  EXPECT_EQ(lanes.lanes[0].features.row[0], 0);
  EXPECT_EQ(lanes.lanes[0].features.row[1], 1);
  EXPECT_EQ(lanes.lanes[0].features.rowsUsed, 2);

  // The same genes gzipped read as the text.
  ASSERT_EQ(runCommand("gzip -k genes.bed", dir).exitCode, 0);
  ASSERT_TRUE(load(lanes, dir + "/genes.bed.gz", axis, message)) << message;
  EXPECT_EQ(featuresOf(lanes.lanes[3]), expected);
}

TEST_F(AnnotationRead, RepeatMaskerRowsGiveRepeatsByClass) {
  AnnotationLanes lanes;
  std::string message;
  ASSERT_TRUE(load(lanes, file("genome.fa.out", kRepeatsOut), genomeAxis(), message));
  EXPECT_EQ(lanes.lanes[0].format, AnnotationFormat::RepeatMasker);
  const std::vector<Feature> expected = {{100, 568, "(CCCTAA)n", '+'},
                                         {1468, 2447, "AluSx", '-'},
                                         {10099, 10200, "L1MB7", '+'},
                                         {10399, 10480, "AluY", '-'}};
  EXPECT_EQ(featuresOf(lanes.lanes[0]), expected);
  // What the HUD and the click line name under a stretch: here chrB's two repeats.
  EXPECT_EQ(nameFeatures(lanes, featuresUnder(lanes, 10150, 10400), 5), "L1MB7 (LINE), AluY (SINE)");
  EXPECT_EQ(nameFeatures(lanes, featuresUnder(lanes, 0, 20000), 1), "(CCCTAA)n (Simple_repeat) +3 more");
  EXPECT_EQ(nameFeatures(lanes, featuresUnder(lanes, 5000, 6000), 5), "");
  const auto& classes = annotationClasses(lanes);
  ASSERT_EQ(classes.size(), 3u);
  EXPECT_EQ(classes[0].name, "Simple_repeat");
  EXPECT_EQ(classes[1].name, "SINE");
  EXPECT_EQ(classes[1].count, 2u);
  EXPECT_EQ(classes[2].name, "LINE");
  // Each class its own colour.
  EXPECT_FALSE(classes[0].colour.r == classes[1].colour.r && classes[0].colour.g == classes[1].colour.g &&
               classes[0].colour.b == classes[1].colour.b);
}

TEST_F(AnnotationRead, ARepeatMaskerRowWithABadScoreIsCounted) {
  AnnotationLanes lanes;
  std::string message;
  std::string out = std::string(kRepeatsOut) +
                    "  4x3   1.3  0.6  1.7  chrA          601      668   (9332) +  (CCCTAA)n      Simple_repeat"
                    "            1  63    (0)      5\n";
  ASSERT_TRUE(load(lanes, file("bad.out", out), genomeAxis(), message));
  EXPECT_EQ(featureCount(lanes.lanes[0].features), 4u);
  EXPECT_NE(message.find("skipped 1 line that could not be read (first: line 8, the score is not a whole number)"),
            std::string::npos)
      << message;
}

TEST_F(AnnotationRead, FilesThatAreNoAnnotationAreRefusedByWhatTheyLookLike) {
  EXPECT_NE(refusalOf("genome.fa", ">chrA\nACGT\n").find("genome.fa looks like FASTA (sequences), not annotation"),
            std::string::npos);
  EXPECT_NE(refusalOf("self.paf", "chrA\t9000\t0\t300\t+\tchrA\t9000\t5000\t5300\t300\t300\t60\n")
                .find("looks like paf pairs, not annotation; open it as the pair file, not with --annotation"),
            std::string::npos);
  EXPECT_NE(refusalOf("pairs.bedpe", "chrA\t100\t150\tchrA\t900\t950\tp1\t60\t+\t+\n").find("looks like bedpe pairs"),
            std::string::npos);
  EXPECT_NE(refusalOf("date.txt", "12414032/12414152/74/0 754304/651346/102846/0\n").find("a tandem list (pairs)"),
            std::string::npos);
  EXPECT_NE(refusalOf("notes.txt", "genes I like\n").find("does not look like annotation: neither BED, GFF3"),
            std::string::npos);
  EXPECT_NE(refusalOf("genes.bed.xz", std::string("\xFD"
                                                  "7zXZ\0\0",
                                                  8))
                .find("is xz-compressed"),
            std::string::npos);
}

TEST_F(AnnotationRead, SkippedRowsAndFeaturesPastTheirSequenceAreCounted) {
  AnnotationLanes lanes;
  std::string message;
  ASSERT_TRUE(load(lanes,
                   file("some.bed",
                        "chrom\tstart\tend\tname\nchrA\t10\t20\tok\nchrA\tten\t20\tbad\nchrA\t30\t20\tbackwards\n"
                        "chrC\t400\t501\tlong\nchrC\t499\t499\tinsertion\nchrB\t5\t9\tx\t0\tW\n"),
                   genomeAxis(), message));
  EXPECT_EQ(message, "annotation " + dir +
                         "/some.bed (BED): 2 features on 2 sequences, 1 class; skipped 1 feature reaching past the "
                         "end of their sequence, 4 lines that could not be read (first: line 1, expected sequence, "
                         "start and end (BED))");
  // The insertion point is kept one base wide.
  EXPECT_EQ(featuresOf(lanes.lanes[0]), (std::vector<Feature>{{10, 20, "ok", '.'}, {12499, 12500, "insertion", '.'}}));
}

TEST_F(AnnotationRead, AListThatNamesNoSequenceTakesAFileOfOneSequenceOnly) {
  AnnotationLanes lanes;
  std::string message;
  ASSERT_TRUE(load(lanes, file("one.bed", "chr7\t100\t200\tA\nchr7\t150\t900\tB\n"), SequenceAxis{}, message));
  EXPECT_EQ(featuresOf(lanes.lanes[0]), (std::vector<Feature>{{100, 200, "A", '.'}, {150, 900, "B", '.'}}));
  EXPECT_FALSE(load(lanes, file("genes.bed", kGenesBed), SequenceAxis{}, message));
  EXPECT_NE(message.find("names 3 sequences (chrA, chrB, plasmid) but the pairs lie on one axis that names none"),
            std::string::npos)
      << message;
  EXPECT_EQ(lanes.lanes.size(), 1u);
}

// Go-to takes a feature's name where no sequence has it.
TEST_F(AnnotationRead, APlaceIsASequencePlaceElseAFeaturesName) {
  SequenceAxis axis = genomeAxis();
  AnnotationLanes lanes;
  std::string message, error, note;
  ASSERT_TRUE(load(lanes, file("genes.bed", kGenesBed), axis, message));
  AxisRange range{};
  ASSERT_EQ(findPlace(axis, lanes, "GeneTwo", range, error, note), PlaceAnswer::Found) << error;
  EXPECT_EQ(range.start, 2999);
  EXPECT_EQ(range.end, 4000);
  EXPECT_EQ(note, "");
  ASSERT_EQ(findPlace(axis, lanes, "chrB:5", range, error, note), PlaceAnswer::Found) << error;
  EXPECT_EQ(range.start, 10004);
  EXPECT_EQ(findPlace(axis, lanes, "geneNine", range, error, note), PlaceAnswer::UnknownName);
  EXPECT_EQ(error, "no sequence named 'geneNine' (there are chrA, chrB, chrC); no feature has that name either");
  ASSERT_TRUE(load(lanes, file("genes.gff3", kGenesGff3), axis, message));
  ASSERT_EQ(findPlace(axis, lanes, "geneThree", range, error, note), PlaceAnswer::Found) << error;
  EXPECT_EQ(range.start, 10099);
  EXPECT_EQ(note, "2 features named geneThree; the first, in " + dir + "/genes.bed");
}

// Real trf -ngs output of a genome whose FASTA names carry descriptions: the feature lies on
// the name's first word.
TEST_F(AnnotationRead, TandemRepeatsFinderNgsOfDescribedRecordsLiesOnTheFirstWord) {
  const std::string genome = "/usr/share/doc/ragout/examples/H.Pylori/references/G27.fasta.gz";
  if (findOnPath("trf").empty() || !std::ifstream(genome)) GTEST_SKIP() << "needs trf and ragout-examples";
  ASSERT_EQ(runCommand("gzip -dc " + genome + " | head -c 200000 > part.fa && "
                       "(trf part.fa 2 7 7 80 10 50 500 -ngs -h > part.ngs; true)",
                       dir)
                .exitCode,
            0);
  SequenceAxis axis{};
  reachSequence(axis, sequenceNumber(axis, "gi|208433976|ref|NC_011333.1|"), 200000);
  layOutSequences(axis);
  AnnotationLanes lanes;
  std::string message;
  ASSERT_TRUE(load(lanes, dir + "/part.ngs", axis, message));
  EXPECT_EQ(message.find("skipped"), std::string::npos) << message;
  std::string ngs = readWholeFile(dir + "/part.ngs");
  EXPECT_EQ(static_cast<std::ptrdiff_t>(featureCount(lanes.lanes[0].features)),
            std::count(ngs.begin(), ngs.end(), '\n') - 1);
}

// One BED line repeated a million times (a few kB of gzip) is one feature, not a million;
// identical rows apart are merged too, and said.
TEST_F(AnnotationRead, IdenticalFeaturesAreMergedAndCounted) {
  ASSERT_EQ(runCommand("(yes 'chrA\t10\t20\trep' | head -n 1000000; printf 'chrA\t5\t9\tother\nchrA\t10\t20\trep\n') "
                       "| gzip > repeated.bed.gz",
                       dir)
                .exitCode,
            0);
  AnnotationLanes lanes;
  std::string message;
  ASSERT_TRUE(load(lanes, dir + "/repeated.bed.gz", genomeAxis(), message));
  EXPECT_EQ(featuresOf(lanes.lanes[0]), (std::vector<Feature>{{5, 9, "other", '.'}, {10, 20, "rep", '.'}}));
  EXPECT_EQ(message, "annotation " + dir + "/repeated.bed.gz (BED): 2 features on 1 sequence, 1 class; merged "
                     "1,000,000 identical features");
}

// Past the bound a file is refused with the bound named; identical features read apart
// are merged before they count against it. The bound here is lowered; the help states the
// real one.
TEST_F(AnnotationRead, AFilePastTheFeatureBoundIsRefusedWithTheBoundNamed) {
  const AnnotationBounds real = annotationBounds;
  annotationBounds.features = 8;
  std::string distinct, alternating;
  for (int i = 0; i < 9; ++i) distinct += "chrA\t" + std::to_string(10 * i) + "\t" + std::to_string(10 * i + 5) + "\n";
  for (int i = 0; i < 30; ++i) alternating += i % 2 == 0 ? "chrA\t1\t2\ta\n" : "chrA\t3\t4\tb\n";
  std::string refusal = refusalOf("nine.bed", distinct);
  AnnotationLanes lanes;
  std::string message;
  EXPECT_TRUE(load(lanes, file("two.bed", alternating), genomeAxis(), message)) << message;
  annotationBounds.nameBytes = 100;
  std::string names = refusalOf("names.bed", "chrA\t1\t2\t" + std::string(60, 'a') + "\nchrA\t1\t2\t" +
                                                 std::string(60, 'b') + "\nchrA\t1\t2\tc\n");
  annotationBounds = real;
  EXPECT_EQ(refusal, dir + "/nine.bed holds more than 8 features, the most one annotation file may hold (identical "
                           "ones count once); keep the features that matter (a region, a type) in a smaller file");
  EXPECT_NE(message.find("2 features on 1 sequence, 1 class; merged 28 identical features"), std::string::npos)
      << message;
  EXPECT_NE(names.find("names.bed holds feature names of more than 100 bytes in all"), std::string::npos) << names;
  EXPECT_NE(viewOptionsHelp()
                .find("at most " + groupedNumber(static_cast<int64_t>(real.features)) + " features a file"),
            std::string::npos);
}

}  // namespace
