// The saturated-fluid and liquid-metal tables in the code against the verified
// transcription of the book, cell by cell.

#include "Transcription.h"
#include "mdlLiquids.h"
#include "mdlMetals.h"

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

// "none" in the transcription is a cell the code holds as kNone.
TEST(TranscriptionTest, LiquidMetalTablesMatchTheBook) {
  ExpectSameAsCsv("metals/bismuth.csv", metals::Bismuth);
  ExpectSameAsCsv("metals/lead.csv", metals::Lead);
  ExpectSameAsCsv("metals/potassium.csv", metals::Potassium);
  ExpectSameAsCsv("metals/sodium.csv", metals::Sodium);
  ExpectSameAsCsv("metals/nak45.csv", metals::NaK45);
  ExpectSameAsCsv("metals/nak22.csv", metals::NaK22);
  ExpectSameAsCsv("metals/pbbi.csv", metals::PbBi);
}

}  // namespace
}  // namespace vantorel
