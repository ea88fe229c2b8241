// What the web page shows, worked out natively: the messages for bad input,
// the sweep's refusals and its CSV (against vantorel-props), the book's rows
// and the chart's points.

#include "Page.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "BookData.h"
#include "Messages.h"

namespace vantorel::web {
namespace {

const Fluid& Named(const char* name) {
  const Fluid* fluid = FindFluid(name);
  if (!fluid) std::abort();
  return *fluid;
}

std::string Message(const std::variant<Reading, std::string>& result) {
  return std::holds_alternative<std::string>(result) ? std::get<std::string>(result) : "(a reading)";
}

struct TypedCase {
  const char* fluid;
  const char* text;
  TemperatureUnit unit;
  const char* message;  // null: a reading
  double kelvin;        // the reading's T
};
std::ostream& operator<<(std::ostream& os, const TypedCase& c) { return os << c.fluid << " \"" << c.text << '"'; }

class CalculateTest : public testing::TestWithParam<TypedCase> {};

TEST_P(CalculateTest, GivesAReadingOrTheMessageToShow) {
  const TypedCase c = GetParam();
  const auto result = Calculate(Named(c.fluid), c.text, c.unit);
  if (c.message) {
    EXPECT_EQ(Message(result), c.message);
    return;
  }
  ASSERT_TRUE(std::holds_alternative<Reading>(result)) << Message(result);
  EXPECT_EQ(std::get<Reading>(result).T, c.kelvin);
}

constexpr TemperatureUnit K = TemperatureUnit::Kelvin, C = TemperatureUnit::Celsius, F = TemperatureUnit::Fahrenheit;

INSTANTIATE_TEST_SUITE_P(
    TypedTexts, CalculateTest,
    testing::Values(
        TypedCase{"air", "310", K, nullptr, 310}, TypedCase{"air", " 310\t", K, nullptr, 310},
        TypedCase{"air", "36.85", C, nullptr, 310}, TypedCase{"air", "98.6", F, nullptr, 310.15},
        TypedCase{"air", "-173.15", C, nullptr, 100}, TypedCase{"air", "3.1e2", K, nullptr, 310},
        TypedCase{"air", "", K, "", 0}, TypedCase{"air", "   ", C, "", 0},
        TypedCase{"air", "abc", K, "\"abc\" is not a temperature: type a number such as 310 or 36.85", 0},
        TypedCase{
            "air", "310,5", K,
            "\"310,5\" is not a temperature: type a number such as 310 or 36.85, with a point as the decimal mark", 0},
        TypedCase{"air", "1e999", K, "\"1e999\" is not a temperature: type a number such as 310 or 36.85", 0},
        TypedCase{"air", "0123456789012345678901234567890123456789xyz", K,
                  "\"0123456789012345678901234567890123456789...\" is not a temperature: type a number such as 310 "
                  "or 36.85",
                  0},
        TypedCase{"air", "5000", K, "T = 5000 K is outside the range of Air, 100K <= T <= 3000K", 0},
        TypedCase{"air", "99.99999", K, "T = 99.99999 K is outside the range of Air, 100K <= T <= 3000K", 0},
        TypedCase{"air", "5000", C, "5000 °C: T = 5273.15 K is outside the range of Air, 100K <= T <= 3000K", 0},
        TypedCase{"lead", "-40", F, "-40 °F: T = 233.15 K is outside the range of Lead, 644K <= T <= 977K", 0}));

struct RefusedSweep {
  const char* from;
  const char* to;
  const char* step;
  const char* message;
};
std::ostream& operator<<(std::ostream& os, const RefusedSweep& c) { return os << c.message; }

class RefusedSweepTest : public testing::TestWithParam<RefusedSweep> {};

TEST_P(RefusedSweepTest, SaysWhatIsWrong) {
  const RefusedSweep c = GetParam();
  const auto plan = PlanSweep(Named("air"), c.from, c.to, c.step);
  ASSERT_TRUE(std::holds_alternative<std::string>(plan));
  EXPECT_EQ(std::get<std::string>(plan), c.message);
}

// The page's words for each refusal; the rule behind them is the planner's
// (tests/tables/sweep_test.cpp).
INSTANTIATE_TEST_SUITE_P(
    BadInput, RefusedSweepTest,
    testing::Values(
        RefusedSweep{"x", "400", "1", "From: \"x\" is not a temperature: type a number such as 310 or 36.85"},
        RefusedSweep{"300", "400", "1,5",
                     "Step: \"1,5\" is not a temperature: type a number such as 310 or 36.85, with a point as the "
                     "decimal mark"},
        RefusedSweep{"50", "400", "1", "From: T = 50 K is outside the range of Air, 100K <= T <= 3000K"},
        RefusedSweep{"300", "3000.5", "1", "To: T = 3000.5 K is outside the range of Air, 100K <= T <= 3000K"},
        RefusedSweep{"400", "300", "1", "To: \"300\" K lies below from, \"400\" K"},
        RefusedSweep{"300", "400", "0", "Step: \"0\" is not a positive number of kelvin"},
        RefusedSweep{"100", "200", "0.01",
                     "A sweep tabulates at most 10000 rows: take a larger step or a shorter range"},
        RefusedSweep{"300.1234567890123456789012345678", "400", "1",
                     "From: \"300.1234567890123456789012345678\" needs more than 30 digits"},
        RefusedSweep{"300", "400", "1e-300", "Step: \"1e-300\" needs more than 30 digits"},
        RefusedSweep{"300", "400", "1e-28", "From, to and step have too many digits between them for a sweep"}));

// vantorel-props' output for `arguments`.
std::string Props(const std::string& arguments) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((VANTOREL_PROPS " " + arguments).c_str(), "r"), pclose);
  std::string out;
  char buffer[4096];
  for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) out.append(buffer, n);
  return out;
}

struct CsvCase {
  const char* fluid;
  const char* from;
  const char* to;
  const char* step;
};
std::ostream& operator<<(std::ostream& os, const CsvCase& c) { return os << c.fluid; }

class SweepCsvTest : public testing::TestWithParam<CsvCase> {};

TEST_P(SweepCsvTest, IsWhatVantorelPropsWrites) {
  const CsvCase c = GetParam();
  const Fluid& fluid = Named(c.fluid);
  const auto plan = PlanSweep(fluid, c.from, c.to, c.step);
  ASSERT_TRUE(std::holds_alternative<Sweep>(plan)) << std::get<std::string>(plan);
  const std::string expected =
      Props(std::string(fluid.id) + " --from " + c.from + " --to " + c.to + " --step " + c.step + " --format csv");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(SweepCsv(fluid, std::get<Sweep>(plan)), expected);
}

// A fluid of each category over its whole range, and ends that the end rule
// moves: row by row, the page's sweep is the command line's.
INSTANTIATE_TEST_SUITE_P(OnePerCategoryAndTheEnds, SweepCsvTest,
                         testing::Values(CsvCase{"air", "100", "3000", "0.5"},
                                         CsvCase{"engine-oil", "273", "430", "0.25"},
                                         CsvCase{"saturated-water", "273.15", "647.3", "0.1"},
                                         CsvCase{"lead", "644", "977", "1"}, CsvCase{"pbbi", "422", "922", "2"},
                                         CsvCase{"air", "300", "301.0000000001", "0.1"},
                                         CsvCase{"air", "300", "301", "0.333333"}));

TEST(SweepTsvTest, NamesEachColumnsUnitAndSeparatesByTabs) {
  const auto plan = PlanSweep(Named("air"), "310", "310.5", "0.5");
  ASSERT_TRUE(std::holds_alternative<Sweep>(plan));
  EXPECT_EQ(SweepTsv(Named("air"), std::get<Sweep>(plan)),
            "T (K)\tρ (kg/m³)\tc_p (kJ/kg·K)\tμ (N·s/m²)\tν (m²/s)\tk (W/m·K)\tα (m²/s)\tPr\tβ (K⁻¹)\n"
            "310\t1.1281\t1.007\t189.3E-7\t16.9E-6\t27E-3\t24E-6\t0.706\t3.23E-3\n"
            "310.5\t1.1265\t1.007\t189.6E-7\t16.95E-6\t27.1E-3\t24.1E-6\t0.706\t3.22E-3\n");
}

TEST(TextTest, SourceAndSiValueAreAsTheBookWritesThem) {
  const Result air = LookUp("air", 310);
  EXPECT_EQ(SiText(*air->find("Mu")), "1.893e-05 Pa·s");
  EXPECT_EQ(SiText(*air->find("Pr")), "0.706");
  EXPECT_EQ(web::SourceText(*air), "Table A.4, between the rows at 300 K and 350 K");
  EXPECT_EQ(web::SourceText(*LookUp("air", 1250)),
            "Table A.4, between the rows at 1200 K and 1300 K (with a cell corrected where the book has a misprint)");
  const Result water = LookUp("saturated-water", 647.3);
  EXPECT_EQ(web::SourceText(*water), "Table A.6, the row at 647.3 K");
  EXPECT_EQ(SiText(*water->find("Cpf")), "infinite");
  EXPECT_EQ(SiText(*water->find("Betaf")), "none");
}

TEST(BookRowsTest, AreTheRowsOfTheBookWithinEachRange) {
  for (const Category& category : Categories()) {
    for (const Fluid& fluid : category.fluids) {
      const testing_support::BookTable book = testing_support::ReadBook(fluid);
      std::vector<double> expected;
      for (const double row : book.rows)
        if (row >= fluid.Tmin && row <= fluid.Tmax) expected.push_back(row);
      std::sort(expected.begin(), expected.end());
      expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
      EXPECT_EQ(BookRows(fluid), expected) << fluid.id;
    }
  }
}

TEST(ChartTest, SpansTheRangeWithTheBooksCellsAndTheCurrentPoint) {
  const Fluid& air = Named("air");
  const Chart chart = ChartOf(air, "Rho", 310.5, 101);
  ASSERT_FALSE(chart.T.empty());
  EXPECT_EQ(chart.T.front(), 100);
  EXPECT_EQ(chart.T.back(), 3000);
  EXPECT_TRUE(std::is_sorted(chart.T.begin(), chart.T.end()));
  EXPECT_EQ(std::adjacent_find(chart.T.begin(), chart.T.end()), chart.T.end());
  ASSERT_EQ(chart.curve.size(), chart.T.size());
  ASSERT_EQ(chart.book.size(), chart.T.size());
  ASSERT_EQ(chart.current.size(), chart.T.size());
  int books = 0, currents = 0;
  for (std::size_t i = 0; i < chart.T.size(); ++i) {
    const Result r = LookUp(air, chart.T[i]);
    EXPECT_EQ(chart.curve[i], r->find("Rho")->book) << chart.T[i];
    if (!std::isnan(chart.book[i])) {
      ++books;
      EXPECT_EQ(r->source.rowCount, 1) << chart.T[i];
    }
    if (!std::isnan(chart.current[i])) {
      ++currents;
      EXPECT_EQ(chart.T[i], 310.5);
      EXPECT_EQ(chart.current[i], 1.1265);
    }
  }
  EXPECT_EQ(books, static_cast<int>(BookRows(air).size()));
  EXPECT_EQ(currents, 1);
  // At 350 K the book prints 0.9950; a row's own cell, not a rounded look-up.
  const auto at350 = std::find(chart.T.begin(), chart.T.end(), 350.0) - chart.T.begin();
  EXPECT_EQ(chart.book[at350], 0.9950);
}

TEST(ChartTest, LeavesGapsWhereTheBookHasNoValue) {
  // Lead has a specific heat up to 755 K and none above it.
  const Chart chart = ChartOf(Named("lead"), "Cp", 5000, 50);
  bool valueBelow = false, gapAbove = false;
  for (std::size_t i = 0; i < chart.T.size(); ++i) {
    if (chart.T[i] <= 755) valueBelow = valueBelow || !std::isnan(chart.curve[i]);
    if (chart.T[i] > 755) gapAbove = gapAbove || std::isnan(chart.curve[i]);
    EXPECT_TRUE(std::isnan(chart.current[i]));  // 5000 K is no point of the range
  }
  EXPECT_TRUE(valueBelow);
  EXPECT_TRUE(gapAbove);
  EXPECT_TRUE(ChartOf(Named("lead"), "Mu", 700, 50).T.empty());  // liquid metals show no μ
}

using Json = nlohmann::json;

TEST(MessagesTest, TheCatalogNamesEveryFluidWithItsRangeAndProperties) {
  const Json catalog = Json::parse(CatalogJson());
  ASSERT_EQ(catalog.size(), 4u);
  EXPECT_EQ(catalog[0]["table"], "A.4");
  std::size_t fluids = 0;
  for (const Json& category : catalog) fluids += category["fluids"].size();
  EXPECT_EQ(fluids, 22u);
  const Json& air = catalog[0]["fluids"][0];
  EXPECT_EQ(air["id"], "air");
  EXPECT_EQ(air["Tmin"], 100.0);
  EXPECT_EQ(air["range"], "100K <= T <= 3000K");
  ASSERT_EQ(air["properties"].size(), 8u);
  EXPECT_EQ(
      air["properties"][2],
      (Json{{"id", "Mu"}, {"name", "dynamic viscosity"}, {"symbol", "μ"}, {"heading", "μ·10⁷"}, {"unit", "N·s/m²"}}));
  EXPECT_EQ(catalog[2]["fluids"][0]["Tmin"], 273.15);
  EXPECT_EQ(catalog[2]["fluids"][0]["properties"].size(), 14u);
}

TEST(MessagesTest, ACalculationCarriesEachTextAndItsWorking) {
  const Json air = Json::parse(CalculationJson("air", "36.85", "C"));
  EXPECT_EQ(air["T"], 310.0);
  EXPECT_EQ(air["Ttext"], "310");
  EXPECT_EQ(air["source"], "Table A.4, between the rows at 300 K and 350 K");
  const Result r = LookUp("air", 310);
  ASSERT_EQ(air["properties"].size(), r->properties().size());
  for (std::size_t i = 0; i < r->properties().size(); ++i) {
    const Property& p = r->properties()[i];
    EXPECT_EQ(
        air["properties"][i],
        (Json{{"id", p.id}, {"text", p.text()}, {"state", "value"}, {"si", SiText(p)}, {"working", Working(*r, p)}}));
  }
  const Json water = Json::parse(CalculationJson("water", "647.3", "K"));
  EXPECT_EQ(water["properties"][4]["text"], "INFINITE");
  EXPECT_EQ(water["properties"][4]["state"], "infinite");
  EXPECT_EQ(water["properties"][13]["text"], "----");
  EXPECT_EQ(water["properties"][13]["state"], "none");
}

TEST(MessagesTest, ErrorsComeAsTheirMessage) {
  EXPECT_EQ(Json::parse(CalculationJson("air", "5000", "K")),
            (Json{{"error", "T = 5000 K is outside the range of Air, 100K <= T <= 3000K"}}));
  EXPECT_EQ(Json::parse(CalculationJson("air", "", "K")), (Json{{"error", ""}}));
  EXPECT_EQ(Json::parse(CalculationJson("helum", "300", "K")),
            (Json{{"error", "unknown fluid \"helum\"; closest: helium"}}));
  EXPECT_EQ(Json::parse(SweepJson("air", "400", "300", "1")),
            (Json{{"error", "To: \"300\" K lies below from, \"400\" K"}}));
  // A typed text that JSON must escape comes back as it was typed.
  EXPECT_EQ(Json::parse(CalculationJson("air", "3\"1\\0\x01", "K"))["error"],
            "\"3\"1\\0\x01\" is not a temperature: type a number such as 310 or 36.85");
}

TEST(MessagesTest, ASweepCarriesItsRowsCsvAndTabSeparatedCopy) {
  const Json sweep = Json::parse(SweepJson("air", "300", "300.2", "0.1"));
  EXPECT_EQ(sweep["rows"].size(), 3u);
  EXPECT_EQ(sweep["rows"][1][0], "300.1");
  EXPECT_EQ(sweep["rows"][1][1], LookUp("air", 300.1)->properties()[0].text());
  const auto plan = PlanSweep(Named("air"), "300", "300.2", "0.1");
  ASSERT_TRUE(std::holds_alternative<Sweep>(plan));
  EXPECT_EQ(sweep["csv"], SweepCsv(Named("air"), std::get<Sweep>(plan)));
  EXPECT_EQ(sweep["tsv"], SweepTsv(Named("air"), std::get<Sweep>(plan)));
}

TEST(MessagesTest, JsonStringsEscapeQuotesBackslashesAndControlsOnly) {
  EXPECT_EQ(JsonString("a\"b\\c\n\t\x1f μ"), "\"a\\\"b\\\\c\\u000a\\u0009\\u001f μ\"");
}

}  // namespace
}  // namespace vantorel::web
