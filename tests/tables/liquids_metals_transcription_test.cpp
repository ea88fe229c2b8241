// The saturated-fluid and liquid-metal tables in the code against the verified
// transcription of the book, cell by cell.

#include "Transcription.h"
#include "mdlLiquids.h"

namespace vantorel {
namespace {

using testing_support::ExpectSameAsCsv;

TEST(TranscriptionTest, SaturatedFluidTablesMatchTheBook) {
  ExpectSameAsCsv("liquids/engine_oil.csv", liquids::EngineOil);
  ExpectSameAsCsv("liquids/ethylene_glycol.csv", liquids::EthyleneGlycol);
  ExpectSameAsCsv("liquids/glycerin.csv", liquids::Glycerin);
  ExpectSameAsCsv("liquids/freon12.csv", liquids::Freon);
  ExpectSameAsCsv("liquids/mercury.csv", liquids::Mercury);
}

}  // namespace
}  // namespace vantorel
