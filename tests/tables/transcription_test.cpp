// The gas tables in the code against the verified transcription of the book,
// cell by cell.

#include "Transcription.h"
#include "mdlGases.h"

namespace vantorel {
namespace {

using testing_support::ExpectSameAsCsv;

TEST(TranscriptionTest, GasTablesMatchTheBook) {
  ExpectSameAsCsv("gases/air.csv", gases::Air);
  ExpectSameAsCsv("gases/ammonia.csv", gases::Ammonia);
  ExpectSameAsCsv("gases/carbon_dioxide.csv", gases::CarbonDioxide);
  ExpectSameAsCsv("gases/carbon_monoxide.csv", gases::CarbonMonoxide);
  ExpectSameAsCsv("gases/helium.csv", gases::Helium);
  ExpectSameAsCsv("gases/hydrogen.csv", gases::Hydrogen);
  ExpectSameAsCsv("gases/nitrogen.csv", gases::Nitrogen);
  ExpectSameAsCsv("gases/oxygen.csv", gases::Oxygen);
  ExpectSameAsCsv("gases/water_vapor.csv", gases::Steam);
}

}  // namespace
}  // namespace vantorel
