// The web page's C++, natively: how it wires what is typed to the door (the
// rules themselves are the core's, tested in tests/tables), and what only
// the page does: the book's rows, the chart's points, the sweep's table and
// the JSON its script reads.

#include "Page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include <nlohmann/json.hpp>

#include "BookData.h"
#include "Messages.h"

namespace vantorel::web {
namespace {

using Json = nlohmann::json;

constexpr TemperatureUnit K = TemperatureUnit::Kelvin, C = TemperatureUnit::Celsius, F = TemperatureUnit::Fahrenheit;

const Fluid& Named(const char* name) {
  const Fluid* fluid = FindFluid(name);
  if (!fluid) std::abort();
  return *fluid;
}

std::string Message(const std::variant<Calculation, Refusal>& result) {
  return std::holds_alternative<Refusal>(result) ? std::get<Refusal>(result).message : "(a reading)";
}

struct Typed {
  const char* fluid;
  const char* text;
  TemperatureUnit box;
  double kelvin;
  const char* heading;  // what the page's heading adds to the kelvin
};
std::ostream& operator<<(std::ostream& os, const Typed& c) { return os << c.fluid << " \"" << c.text << '"'; }

class TypedTemperatureTest : public testing::TestWithParam<Typed> {};

TEST_P(TypedTemperatureTest, ReadsInTheBoxsUnitUnlessTheTextNamesOne) {
  const Typed c = GetParam();
  const auto result = Calculate(c.fluid, c.text, c.box);
  ASSERT_TRUE(std::holds_alternative<Calculation>(result)) << Message(result);
  const Calculation& calculation = std::get<Calculation>(result);
  EXPECT_EQ(calculation.reading.T, c.kelvin);
  EXPECT_EQ(calculation.typed, c.heading);
  // Degrees bring the line that converts them; kelvin none.
  EXPECT_EQ(calculation.conversion.empty(), std::string(c.heading).empty());
}

INSTANTIATE_TEST_SUITE_P(OnePerPath, TypedTemperatureTest,
                         testing::Values(Typed{"air", "310", K, 310, ""}, Typed{"air", "36.85", C, 310, "36.85 °C"},
                                         Typed{"air", "98.6", F, 310.15, "98.6 °F"},
                                         Typed{"carbon dioxide", "310 K", C, 310, ""},
                                         Typed{"air", "36.85°C", K, 310, "36.85°C"},
                                         Typed{"air", "310,5", K, 310.5, ""}));

struct Refused {
  const char* fluid;
  const char* text;
  TemperatureUnit box;
};
std::ostream& operator<<(std::ostream& os, const Refused& c) { return os << c.fluid << " \"" << c.text << '"'; }

class RefusedTemperatureTest : public testing::TestWithParam<Refused> {};

TEST_P(RefusedTemperatureTest, ShowsTheCoresMessageForTheBoxsUnit) {
  const Refused c = GetParam();
  const std::string expected = LookUpText(c.fluid, c.text, {c.box, ".,"}).error().message();
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(Message(Calculate(c.fluid, c.text, c.box)), expected);
}

INSTANTIATE_TEST_SUITE_P(OnePerError, RefusedTemperatureTest,
                         testing::Values(Refused{"air", "abc", K}, Refused{"air", "5000", C},
                                         Refused{"saturated-water", "25", K}, Refused{"xyz", "300", K},
                                         Refused{"xyz", "", K}));

TEST(RefusedTemperatureTest, SaysWhichFieldAndWhetherTypingMayStillMendIt) {
  const auto refusal = [](const char* fluid, const char* text) {
    return std::get<Refusal>(Calculate(fluid, text, TemperatureUnit::Kelvin));
  };
  EXPECT_TRUE(refusal("air", "31").pending);
  EXPECT_EQ(refusal("air", "31").input, Input::T);
  EXPECT_FALSE(refusal("air", "5000").pending);
  const Refusal unknown = refusal("helum", "31");
  EXPECT_EQ(unknown.input, Input::Fluid);
  EXPECT_FALSE(unknown.pending);
  EXPECT_EQ(unknown.closest, std::vector<std::string>{"helium"});
}

// The heading says T in the units' own unit too, where it is not the unit
// typed (the values themselves are the browser test's).
TEST(UnitsTest, TheHeadingSaysTInTheUnitsOwnUnitOnce) {
  for (const auto& [text, box, units, title] : {std::tuple{"310", "K", "us", "Air at 310 K (98.33 °F)"},
                                                std::tuple{"36.85", "C", "engineering", "Air at 310 K (36.85 °C)"},
                                                std::tuple{"36.85", "C", "us", "Air at 310 K (36.85 °C, 98.33 °F)"},
                                                std::tuple{"310", "K", "si", "Air at 310 K"}})
    EXPECT_EQ(Json::parse(CalculationJson("air", text, box, units))["title"], title);
}

TEST(TypedTemperatureTest, ShowsNothingForAnEmptyText) {
  EXPECT_EQ(Message(Calculate("air", "", K)), "");
  EXPECT_EQ(Message(Calculate("air", " \t\u00A0", C)), "");
}

TEST(WithUnitTest, AddsTheBoxsUnitToABareNumberOnly) {
  EXPECT_EQ(WithUnit("300", K), "300 K");
  EXPECT_EQ(WithUnit("26.85", C), "26.85 °C");
  EXPECT_EQ(WithUnit("80 F", C), "80 F");
  EXPECT_EQ(WithUnit("abc", F), "abc");
}

TEST(SiTextTest, GivesTheValueWithItsUnitOrTheStateInWords) {
  const Result air = LookUp("air", 310);
  EXPECT_EQ(SiText(*air->find("Mu")), "1.893e-05 Pa·s");
  EXPECT_EQ(SiText(*air->find("Pr")), "0.706");
  const Result water = LookUp("saturated-water", 647.3);
  EXPECT_EQ(SiText(*water->find("Cpf")), "infinite");
  EXPECT_EQ(SiText(*water->find("Betaf")), "none");
}

// vantorel-props' output for `arguments`.
std::string Props(const std::string& arguments) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((VANTOREL_PROPS " " + arguments).c_str(), "r"), pclose);
  std::string out;
  char buffer[4096];
  for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) out.append(buffer, n);
  return out;
}

Sweep Planned(const char* fluid, const char* from, const char* to, const char* step, TemperatureUnit box) {
  const SweepResult plan = PlanPageSweep(Named(fluid), from, to, step, box);
  if (!plan) ADD_FAILURE() << plan.error().message();
  return *plan;
}

// All rows of a sweep.
RowTexts Tabulated(const char* fluid, const char* from, const char* to, const char* step, TemperatureUnit box) {
  return SweepRows(Named(fluid), Planned(fluid, from, to, step, box), 0, kMaxSweepRows);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
    end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

TEST(SweepTest, DownloadsTheRowsVantorelPropsWritesInEachForm) {
  const std::string csv = Props("air --from 300 --to 310 --step 0.5 --format csv");
  const std::string si = Props("air --from 300 --to 310 --step 0.5 --format csv --si");
  ASSERT_FALSE(csv.empty());
  const RowTexts rows = Tabulated("air", "300", "310", "0.5", K);
  EXPECT_EQ(rows.csv, csv.substr(csv.find('\n') + 1));
  EXPECT_EQ(Headers(Named("air")).si + rows.si, si);
}

TEST(SweepTest, HeadsTheBookTextsWithSymbolsAndUnitsQuotedWhereTheyHoldACommaInCsv) {
  const RowTexts air = Headers(Named("air"));
  EXPECT_EQ(air.tsv, "T (K)\tρ (kg/m³)\tc_p (kJ/kg·K)\tμ (N·s/m²)\tν (m²/s)\tk (W/m·K)\tα (m²/s)\tPr\tβ (K⁻¹)\n");
  EXPECT_EQ(air.csv, "T (K),ρ (kg/m³),c_p (kJ/kg·K),μ (N·s/m²),ν (m²/s),k (W/m·K),α (m²/s),Pr,β (K⁻¹)\n");
  const std::vector<std::string> water = Lines(Headers(Named("saturated-water")).csv);
  ASSERT_EQ(water.size(), 1u);
  EXPECT_NE(water[0].find(",\"c_p,f (kJ/kg·K)\",\"c_p,g (kJ/kg·K)\","), std::string::npos) << water[0];
}

TEST(SweepTest, CutsTheSameRowsIntoSlices) {
  const Sweep sweep = Planned("saturated-water", "640", "647.3", "0.1", K);
  ASSERT_EQ(sweep.count(), 74u);
  const RowTexts whole = SweepRows(Named("saturated-water"), sweep, 0, 1000);
  RowTexts sliced;
  for (std::size_t first = 0; first < 80; first += 7) {
    const RowTexts slice = SweepRows(Named("saturated-water"), sweep, first, 7);
    sliced.tsv += slice.tsv;
    sliced.csv += slice.csv;
    sliced.si += slice.si;
  }
  EXPECT_EQ(sliced.tsv, whole.tsv);
  EXPECT_EQ(sliced.csv, whole.csv);
  EXPECT_EQ(sliced.si, whole.si);
  const std::vector<std::string> lines = Lines(whole.tsv);
  ASSERT_EQ(lines.size(), 74u);
  EXPECT_EQ(lines.back().substr(0, lines.back().find('\t')), "647.3");
  EXPECT_NE(lines.back().find("\tINFINITE\t"), std::string::npos);  // c_p,f at the critical point
}

TEST(SweepTest, ReadsBareNumbersInTheBoxsUnitAndWritesTInItExceptInSi) {
  const RowTexts rows = Tabulated("air", "26.85", "36.85", "5", C);
  const std::vector<std::string> lines = Lines(rows.tsv);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].substr(0, 6), "26.85\t");
  EXPECT_EQ(lines[2].substr(0, 6), "36.85\t");
  EXPECT_EQ(Lines(rows.si)[2].substr(0, 4), "310,");
  // The rows of the same temperatures in kelvin, but for T.
  const std::string kelvin = Tabulated("air", "300", "310", "5", K).csv;
  EXPECT_EQ(Lines(rows.csv)[1].substr(6), Lines(kelvin)[1].substr(4));
}

// A sweep in other units: the header names them, and the rows are the
// core's texts in them.
TEST(SweepTest, WritesTheUnitsChosenAndNamesThemInTheHeader) {
  const Fluid& air = Named("air");
  const Sweep sweep = Planned("air", "98.33 F", "98.33 F", "1 F", K);
  const RowTexts rows = SweepRows(air, sweep, 0, 1, UnitSystem::US);
  EXPECT_EQ(rows.tsv.substr(0, rows.tsv.find('\t', 6 + 1)), "98.33\t0.070425");
  EXPECT_EQ(Lines(rows.si)[0].substr(0, 4), "310,");  // 98.33 °F is 310 K
  const std::string header = Headers(air, UnitSystem::US, F).tsv;
  EXPECT_EQ(header.substr(0, header.find("\tμ")), "T (°F)\tρ (lbm/ft³)\tc_p (Btu/(lbm·°F))");
  EXPECT_EQ(Headers(air, UnitSystem::US, F).si, Headers(air).si);  // SI stays SI
}

TEST(SweepTest, TabulatesAtMostTenThousandRows) {
  EXPECT_EQ(Planned("air", "100", "199.99", "0.01", K).count(), kMaxSweepRows);
  const SweepResult refused = PlanPageSweep(Named("air"), "100", "200", "0.01", K);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().code, ErrorCode::TooManyRows);
}

TEST(RowsAtTest, WritesARowAtEachTemperatureWithItsShortestText) {
  const double ts[] = {310, 275.84444444444443};
  const std::vector<std::string> lines = Lines(RowsAt(Named("air"), ts).csv);
  const std::string expected = Props("air 310 275.84444444444443 --format csv");
  EXPECT_EQ(lines, Lines(expected.substr(expected.find('\n') + 1)));
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

TEST(MessagesTest, TheCatalogNamesEveryFluidWithItsRangeAndProperties) {
  const Json catalog = Json::parse(PageCatalogJson());
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
  const Json units = {{"book", "N·s/m²"}, {"si", "Pa·s"}, {"engineering", "mPa·s"}, {"us", "lbm/(ft·h)"}};
  EXPECT_EQ(air["properties"][2], (Json{{"id", "Mu"},
                                        {"name", "dynamic viscosity"},
                                        {"symbol", "μ"},
                                        {"heading", "μ·10⁷"},
                                        {"unit", "N·s/m²"},
                                        {"units", units}}));
  EXPECT_EQ(air["properties"][1]["heading"], "c_p");
  EXPECT_EQ(air["properties"][6]["unit"], "");  // Pr
  EXPECT_FALSE(air.contains("pressure"));
  EXPECT_EQ(catalog[2]["fluids"][0]["Tmin"], 273.15);
  EXPECT_EQ(catalog[2]["fluids"][0]["properties"].size(), 14u);
  // Only saturated water is looked up by pressure.
  EXPECT_EQ(catalog[2]["fluids"][0]["pressure"], "0.00611 bar to 221.2 bar");
}

TEST(MessagesTest, ACalculationCarriesEachTextAndItsWorking) {
  const Json air = Json::parse(CalculationJson("air", "36.85", "C"));
  EXPECT_EQ(air["T"], 310.0);
  EXPECT_EQ(air["Ttext"], "310");
  EXPECT_EQ(air["typed"], "36.85 °C");
  EXPECT_EQ(air["conversion"], TemperatureWorking(310, C));
  const Result r = LookUp("air", 310);
  EXPECT_EQ(air["source"], SourceText(*r));
  ASSERT_EQ(air["properties"].size(), r->properties().size());
  for (std::size_t i = 0; i < r->properties().size(); ++i) {
    const Property& p = r->properties()[i];
    EXPECT_EQ(air["properties"][i], (Json{{"id", p.id},
                                          {"text", p.text()},
                                          {"unit", p.bookUnit},
                                          {"state", "value"},
                                          {"si", SiText(p)},
                                          {"working", Working(*r, p)}}));
  }
  const Json water = Json::parse(CalculationJson("water", "647.3", "K"));
  EXPECT_EQ(water["properties"][4]["state"], "infinite");
  EXPECT_EQ(water["properties"][13]["state"], "none");
}

TEST(MessagesTest, ErrorsComeAsTheirMessageWithTheFieldTheyAreAbout) {
  EXPECT_EQ(Json::parse(CalculationJson("air", "", "K")),
            (Json{{"error", ""}, {"input", "T"}, {"closest", Json::array()}, {"pending", false}}));
  EXPECT_EQ(Json::parse(CalculationJson("air", "31", "K"))["pending"], true);
  EXPECT_EQ(Json::parse(CalculationJson("helum", "300", "K")), (Json{{"error", LookUp("helum", 300).error().message()},
                                                                     {"input", "fluid"},
                                                                     {"closest", {"helium"}},
                                                                     {"pending", false}}));
  EXPECT_EQ(Json::parse(SweepJson("helum", "300", "400", "1", "K")),
            (Json{{"error", LookUp("helum", 300).error().message()}, {"input", "fluid"}}));
  EXPECT_EQ(
      Json::parse(SweepJson("air", "400", "300", "1", "K")),
      (Json{{"error", PlanSweep(Named("air"), "400", "300", "1", kMaxSweepRows).error().message()}, {"input", "to"}}));
  EXPECT_EQ(Json::parse(SweepRowsJson("air", "50", "300", "1", "K", 0, 10))["input"], "from");
  EXPECT_EQ(Json::parse(SweepJson("air", "300", "400", "0", "K"))["input"], "step");
  // A typed text that JSON must escape comes back as it was typed.
  EXPECT_EQ(Json::parse(CalculationJson("air", "3\"1\\0", "K"))["error"],
            LookUpText("air", "3\"1\\0").error().message());
}

TEST(MessagesTest, ASweepCarriesItsCountHeadersAndWhatWasTypedAndItsRowsComeInSlices) {
  const Json sweep = Json::parse(SweepJson("air", "26.85", "302.3 K", "0.1", "C"));
  EXPECT_EQ(sweep["count"], 24.0);
  EXPECT_EQ(sweep["from"], "26.85 °C");
  EXPECT_EQ(sweep["to"], "302.3 K");
  EXPECT_EQ(sweep["step"], "0.1 °C");
  const RowTexts headers = Headers(Named("air"));
  EXPECT_EQ(sweep["header"], (Json{{"tsv", headers.tsv}, {"csv", headers.csv}, {"si", headers.si}}));
  const Json slice = Json::parse(SweepRowsJson("air", "26.85", "302.3 K", "0.1", "C", 20, 10));
  const RowTexts rows = SweepRows(Named("air"), Planned("air", "26.85", "302.3 K", "0.1", C), 20, 10);
  EXPECT_EQ(slice, (Json{{"tsv", rows.tsv}, {"csv", rows.csv}, {"si", rows.si}}));
  EXPECT_EQ(Lines(rows.tsv).size(), 4u);  // the last four of 24
}

TEST(MessagesTest, KeptReadingsComeInOneBlockPerCategoryLeavingOutWhatIsNoReading) {
  const Json kept = Json::parse(KeptJson("lead\t700\nair\t310\nhelum\t300\nair\tabc\nnitrogen\t5000\nco2\t400"));
  const std::string air = Props("air 310 --format csv"), co2 = Props("co2 400 --format csv");
  const std::string lead = Props("lead 700 --format csv --si");
  const auto row = [](const std::string& csv) { return Lines(csv).at(1); };
  // Gases first, as the window lists the categories; the kept order within one.
  EXPECT_EQ(Lines(kept["csv"]), (std::vector<std::string>{"Fluid," + Lines(Headers(Named("air")).csv)[0],
                                                          "Air," + row(air), "Carbon Dioxide (CO2)," + row(co2), "",
                                                          "Fluid," + Lines(Headers(Named("lead")).csv)[0],
                                                          "Lead," + Lines(Props("lead 700 --format csv"))[1]}));
  EXPECT_EQ(Lines(kept["si"]).back(), "lead," + row(lead));
  EXPECT_EQ(Lines(kept["tsv"])[1].substr(0, 8), "Air\t310\t");
}

TEST(UnitsTest, KeptRowsAndTheChartAreInTheUnitsChosen) {
  const Json kept = Json::parse(KeptJson("air\t310", "us"));
  const std::vector<std::string> lines = Lines(kept["tsv"]);
  EXPECT_TRUE(lines[0].starts_with("Fluid\tT (°F)\tρ (lbm/ft³)\t")) << lines[0];
  EXPECT_TRUE(lines[1].starts_with("Air\t98.33\t0.070425\t")) << lines[1];
  const Chart chart = ChartOf(Named("air"), "Rho", 310, 11, UnitSystem::US);
  EXPECT_EQ(chart.axis, "ρ (lbm/ft³)");
  EXPECT_EQ(chart.xAxis, "T (°F)");
  EXPECT_EQ(chart.currentX, 98.33);
  const auto at310 = std::find(chart.T.begin(), chart.T.end(), 310.0) - chart.T.begin();
  EXPECT_EQ(chart.x[at310], 98.33);
  EXPECT_EQ(chart.curve[at310], 0.070425);
  EXPECT_EQ(chart.current[at310], 0.070425);
  EXPECT_EQ(chart.x.front(), -279.67);  // 100 K
  EXPECT_EQ(ChartOf(Named("air"), "Mu", 310, 11).axis, "μ·10⁷ (N·s/m²)");
}

TEST(MessagesTest, JsonStringsEscapeQuotesBackslashesAndControlsOnly) {
  EXPECT_EQ(JsonString("a\"b\\c\n\t\x1f μ"), "\"a\\\"b\\\\c\\u000a\\u0009\\u001f μ\"");
}

}  // namespace
}  // namespace vantorel::web
