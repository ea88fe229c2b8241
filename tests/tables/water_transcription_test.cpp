// The saturated-water tables in the code against the verified transcription
// of the book, cell by cell. The code holds the book's no-value and infinite
// markers as empty and infinite cells.

#include "Transcription.h"
#include "mdlWater.h"

namespace vantorel {
namespace {

using testing_support::CellReading;
using testing_support::ExpectSameAsCsv;

constexpr CellReading kMarkersAsCells{.minusOneIsEmpty = true, .minusTwoIsInfinite = true};

TEST(TranscriptionTest, SaturatedWaterLookUpRowsMatchTheBook) {
  ExpectSameAsCsv("water/saturated_water.csv", water::LookUpTable, kMarkersAsCells);
}

TEST(TranscriptionTest, SaturatedWaterSegmentRowsMatchTheBook) {
  ExpectSameAsCsv("water/critical_segment_rows.csv", water::UpperSegment, kMarkersAsCells);
}

}  // namespace
}  // namespace vantorel
