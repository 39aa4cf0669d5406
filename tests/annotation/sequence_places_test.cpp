// Places on an axis of named sequences, both ways: an axis position as NAME:POS, and what a
// user types to go somewhere, with the errors that say what was wrong.
#include <gtest/gtest.h>

#include <string>

#include "sequence_places.h"

namespace {

SequenceAxis threeContigs() {
  SequenceAxis axis{};
  for (auto [name, length] : {std::pair<const char*, int64_t>{"NODE_1", 1000}, {"NODE_18", 50000}, {"chr1:alt", 20}})
    sequenceNumber(axis, name), reachSequence(axis, static_cast<uint32_t>(axis.sequences.size() - 1), length);
  layOutSequences(axis);
  return axis;
}

AxisRange placeOf(const SequenceAxis& axis, const char* text) {
  AxisRange range{-1, -1};
  std::string error;
  EXPECT_EQ(parsePlace(axis, text, range, error), PlaceAnswer::Found) << text << ": " << error;
  return range;
}

std::string errorOf(const SequenceAxis& axis, const char* text, PlaceAnswer expected) {
  AxisRange range{};
  std::string error;
  EXPECT_EQ(parsePlace(axis, text, range, error), expected) << text;
  return error;
}

TEST(SequencePlaces, AxisPositionsReadAsSequenceAndOneBasedPosition) {
  SequenceAxis axis = threeContigs();
  EXPECT_EQ(formatAxisPlace(axis, 0), "NODE_1:1");
  EXPECT_EQ(formatAxisPlace(axis, 999), "NODE_1:1,000");
  EXPECT_EQ(formatAxisPlace(axis, 1000), "NODE_18:1");
  EXPECT_EQ(formatAxisPlace(axis, 1000 + 12344), "NODE_18:12,345");
  EXPECT_EQ(formatAxisPlace(axis, 51019), "chr1:alt:20");
  // Past the last sequence, and on a list that names none, the axis position itself.
  EXPECT_EQ(formatAxisPlace(axis, 51020), "51,020");
  EXPECT_EQ(formatAxisPlace(SequenceAxis{}, 449619), "449,619");
}

TEST(SequencePlaces, TypedPlacesGiveTheirStretchOfTheAxis) {
  SequenceAxis axis = threeContigs();
  AxisRange r = placeOf(axis, "NODE_18");
  EXPECT_EQ(r.start, 1000);
  EXPECT_EQ(r.end, 51000);
  r = placeOf(axis, " NODE_18:12,345 ");
  EXPECT_EQ(r.start, 1000 + 12344);
  EXPECT_EQ(r.end, 1000 + 12345);
  r = placeOf(axis, "node_18:5,000-6,000");  // one sequence matches ignoring case
  EXPECT_EQ(r.start, 1000 + 4999);
  EXPECT_EQ(r.end, 1000 + 6000);
  r = placeOf(axis, "chr1:alt:3-20");  // a name that holds ':' itself
  EXPECT_EQ(r.start, 51002);
  EXPECT_EQ(r.end, 51020);
  r = placeOf(axis, "600,000");  // a bare number is an axis position, 1-based as all typed
  EXPECT_EQ(r.start, 599999);
  EXPECT_EQ(r.end, 600000);
  // unless a sequence has that name, as Ensembl's chromosomes do.
  SequenceAxis ensembl{};
  reachSequence(ensembl, sequenceNumber(ensembl, "1"), 300);
  reachSequence(ensembl, sequenceNumber(ensembl, "2"), 200);
  layOutSequences(ensembl);
  r = placeOf(ensembl, "2");
  EXPECT_EQ(r.start, 300);
  EXPECT_EQ(r.end, 500);
  EXPECT_EQ(placeOf(ensembl, "2:10").start, 309);
  EXPECT_EQ(placeOf(ensembl, "3").start, 2);
}

TEST(SequencePlaces, WrongPlacesSayWhatIsWrong) {
  SequenceAxis axis = threeContigs();
  EXPECT_EQ(errorOf(axis, "chrZ:100", PlaceAnswer::UnknownName),
            "no sequence named 'chrZ' (there are NODE_1, NODE_18, chr1:alt)");
  EXPECT_EQ(errorOf(axis, "NODE_1:1,001", PlaceAnswer::Invalid),
            "'NODE_1:1,001': NODE_1 is 1,000 bp long; position 1,001 is past its end");
  EXPECT_NE(errorOf(axis, "NODE_1:600-500", PlaceAnswer::Invalid).find("comes before the start"), std::string::npos);
  EXPECT_NE(errorOf(axis, "NODE_1:0", PlaceAnswer::Invalid).find("positions start at 1"), std::string::npos);
  EXPECT_NE(errorOf(axis, "NODE_1:12a", PlaceAnswer::Invalid).find("after 'NODE_1:' comes a position"),
            std::string::npos);
  EXPECT_NE(errorOf(axis, "", PlaceAnswer::Invalid).find("no place given"), std::string::npos);
  EXPECT_NE(errorOf(axis, "3000000000", PlaceAnswer::Invalid).find("from 1 to 2,147,483,648"), std::string::npos);
  EXPECT_NE(errorOf(SequenceAxis{}, "NODE_1", PlaceAnswer::UnknownName).find("names no sequence; give a position"),
            std::string::npos);
  // A 100 kB name typed or pasted is shown once, cut.
  std::string huge(100000, 'R');
  EXPECT_EQ(errorOf(axis, (huge + ":5").c_str(), PlaceAnswer::UnknownName),
            "no sequence named '" + huge.substr(0, 40) + "...' (there are NODE_1, NODE_18, chr1:alt)");
  // Many sequences: a few are listed, and how many there are.
  SequenceAxis many{};
  for (int i = 0; i < 183; ++i) sequenceNumber(many, "scf" + std::to_string(i));
  layOutSequences(many);
  EXPECT_NE(errorOf(many, "NODE_9", PlaceAnswer::UnknownName).find("scf0, scf1, scf2, scf3, scf4, ... (183 sequences)"),
            std::string::npos);
}

}  // namespace
