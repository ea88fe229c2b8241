// What vantorel-props writes: its own table, working and list, and the
// library's rows for CSV and JSON, each reached from the command line.

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include <vantorel/vantorel.h>
#include "Capture.h"
#include "Request.h"

namespace vantorel::cli {
namespace {

using testing::Outcome;
using testing::RunInProcess;

Outcome Succeeded(const std::vector<std::string>& arguments) {
  Outcome outcome = RunInProcess(arguments);
  EXPECT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  return outcome;
}

// Air at 310 K lies between the 350 K and 300 K rows, 0.8 of the way down:
// Rho 0.9950 + 0.8 * 0.1664 = 1.12812 -> 1.1281, Cp 1.0074 -> 1.007,
// Mu 189.32 -> 189.3, Nu 16.896 -> 16.9, K 27.04 -> 27, Alpha 23.98 -> 24,
// Pr 0.7056 -> 0.706, and Beta 1000 / 310 -> 3.23.
constexpr const char* kAir310Table =
    "Air at T = 310 K\n"
    "  source: Air, Table A.4, between the rows at 300 K and 350 K\n"
    "  property                                  symbol  value     unit\n"
    "  density                                   ρ       1.1281    kg/m³\n"
    "  specific heat                             c_p     1.007     kJ/kg·K\n"
    "  dynamic viscosity                         μ       189.3E-7  N·s/m²\n"
    "  kinematic viscosity                       ν       16.9E-6   m²/s\n"
    "  thermal conductivity                      k       27E-3     W/m·K\n"
    "  thermal diffusivity                       α       24E-6     m²/s\n"
    "  Prandtl number                            Pr      0.706\n"
    "  volumetric thermal expansion coefficient  β       3.23E-3   K⁻¹\n";

TEST(TableTest, IsTheDefaultFormat) {
  EXPECT_EQ(Succeeded({"air", "310"}).out, kAir310Table);
  EXPECT_EQ(Succeeded({"air", "310", "--format", "TABLE"}).out, kAir310Table);
}

TEST(TableTest, SeparatesTheBlocksOfASweepByABlankLine) {
  const std::string out = Succeeded({"helium", "--from", "100", "--to", "200", "--step", "100"}).out;
  EXPECT_EQ(out.find("Helium (He) at T = 100 K\n"), 0u);
  EXPECT_NE(out.find("\n\nHelium (He) at T = 200 K\n"), std::string::npos);
}

TEST(ExplainTest, WritesEachPropertysTextAndWorkingUnderTheSource) {
  const std::string out = Succeeded({"air", "310", "--explain"}).out;
  EXPECT_EQ(out.find("Air at T = 310 K\n"
                     "  source: Air, Table A.4, between the rows at 300 K and 350 K\n"
                     "  density (kg/m³): 1.1281\n"),
            0u)
      << out;
  const Reading reading = *LookUp("air", 310);
  for (const Property& p : reading.properties())
    EXPECT_NE(out.find(": " + p.text() + "\n    " + Working(reading, p) + "\n"), std::string::npos) << p.id;
  EXPECT_NE(out.find("  Prandtl number: 0.706\n"), std::string::npos) << "a pure number has no unit in brackets";
  EXPECT_TRUE(out.ends_with("are that row's.\n")) << out;
}

// What the library's RowWriter writes for these temperatures: (kelvin, text).
std::string LibraryRows(std::string_view fluid, RowFormat format,
                        const std::vector<std::pair<double, std::string>>& rows) {
  RowWriter writer(**ResolveFluid(fluid), format);
  std::string text = writer.Header();
  for (const auto& [t, tText] : rows) {
    std::string row(writer.RowSize(tText.size()), '\0');
    row.resize(static_cast<std::size_t>(writer.WriteRow(row.data(), t, tText) - row.data()));
    text += row;
  }
  return text + writer.Footer();
}

struct Rows {
  std::vector<std::string> arguments;
  RowFormat format;
};
std::ostream& operator<<(std::ostream& os, const Rows& r) {
  for (const std::string& a : r.arguments) os << a << ' ';
  return os;
}

class RowsTest : public ::testing::TestWithParam<Rows> {};

// Temperatures given one by one are written in kelvin, shortest form.
TEST_P(RowsTest, AreTheLibrarysRowsOfEachTemperature) {
  auto arguments = GetParam().arguments;
  std::vector<std::pair<double, std::string>> rows;
  for (std::size_t i = 1; i < arguments.size(); ++i) rows.emplace_back(LookUpText(arguments[0], arguments[i])->T, "");
  for (auto& [t, text] : rows) text = NumberText(t);
  const std::string format = GetParam().format == RowFormat::Json ? "json" : "csv";
  arguments.insert(arguments.end(), {"--format", format});
  if (GetParam().format == RowFormat::SiCsv) arguments.push_back("--si");
  EXPECT_EQ(Succeeded(arguments).out, LibraryRows(arguments[0], GetParam().format, rows));
}

// Saturated water has cells the book leaves empty, and infinite ones at
// 647.3 K.
INSTANTIATE_TEST_SUITE_P(Formats, RowsTest,
                         ::testing::Values(Rows{{"air", "310", "300", "36.85 °C"}, RowFormat::Csv},
                                           Rows{{"saturated-water", "646", "647.3"}, RowFormat::SiCsv},
                                           Rows{{"saturated-water", "646", "647.3", "310.5"}, RowFormat::Json}));

TEST(SweepTest, WritesTheLibrarysRowsAtThePlannedTemperatures) {
  const Fluid& water = **ResolveFluid("saturated-water");
  const Sweep sweep = *PlanSweep(water, "0C", "273.45", "0.1", kMaxSweepRows);
  std::vector<std::pair<double, std::string>> rows;
  for (std::size_t i = 0; i < sweep.count(); ++i) {
    char text[kSweepTextSize];
    rows.emplace_back(sweep.At(i), std::string(text, sweep.WriteText(text, i)));
  }
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(Succeeded({"water", "--from", "0C", "--to", "273.45", "--step", "0.1", "-f", "csv"}).out,
            LibraryRows("saturated-water", RowFormat::Csv, rows));
}

// The names and temperature texts of the issue give exactly what their
// canonical forms give, in every format.
struct SameOutput {
  std::vector<std::string> typed, canonical;
};
std::ostream& operator<<(std::ostream& os, const SameOutput& s) {
  for (const std::string& a : s.typed) os << '[' << a << ']';
  return os;
}

class SameOutputTest : public ::testing::TestWithParam<SameOutput> {};

TEST_P(SameOutputTest, InEveryFormat) {
  for (const char* format : {"table", "csv", "json"}) {
    auto typed = GetParam().typed, canonical = GetParam().canonical;
    typed.insert(typed.end(), {"-f", format});
    canonical.insert(canonical.end(), {"-f", format});
    EXPECT_EQ(Succeeded(typed).out, Succeeded(canonical).out) << format;
  }
}

INSTANTIATE_TEST_SUITE_P(Typed, SameOutputTest,
                         ::testing::Values(SameOutput{{"carbon dioxide", "400"}, {"carbon-dioxide", "400"}},
                                           SameOutput{{"Engine Oil", "300"}, {"engine-oil", "300"}},
                                           SameOutput{{"water_vapor", "400"}, {"water-vapor", "400"}},
                                           SameOutput{{"air ", "310"}, {"air", "310"}},
                                           SameOutput{{"air", "310 K"}, {"air", "310"}},
                                           SameOutput{{"air", "36.85 °C"}, {"air", "310"}},
                                           // CLI11 takes "-.5C" for an option unless it becomes "-0.5C".
                                           SameOutput{{"air", "-.5C"}, {"air", "-0.5C"}}));

// Pressures and units: what each option adds to the output.
TEST(UnitsAndPressureTest, ShowWhatWasAskedFor) {
  const struct {
    std::vector<std::string> arguments;
    const char* shows;
  } cases[] = {
      {{"water", "--pressure", "1atm"}, "Saturated Water at P = 1 atm: T_sat = 373.15 K\n"},
      {{"water", "--pressure", "2bar", "--explain"},
       "\n  T_sat = 390 + (2 − 1.794)/(2.455 − 1.794) × (400 − 390) = 393.1165 → 393.12 K\n"},
      {{"air", "310", "--units", "us", "-f", "csv"}, "\n98.33,0.070425,0.2405,0.04579,"},
      {{"air", "310", "--units", "engineering"}, "Air at T = 36.85 °C (310 K)\n"},
      {{"air", "310", "-u", "ENGINEERING"}, "16.90    mm²/s\n"},
      {{"air", "--from", "20C", "--to", "21C", "--step", "0.5", "-f", "csv"}, "T [degC],Rho,Cp,Mu,Nu,K,Alpha,Pr,Beta\n20,"},
      {{"air", "--from", "68F", "--to", "69F", "--step", "0.5", "-f", "csv", "--si"}, "T [degF],rho [kg/m^3]"},
      {{"air", "--from", "68F", "--to", "69F", "--step", "0.5", "-f", "csv", "--si"}, "\n68.5,1.19"},
  };
  for (const auto& c : cases) {
    const std::string out = Succeeded(c.arguments).out;
    EXPECT_NE(out.find(c.shows), std::string::npos) << c.arguments[0] << ' ' << c.arguments[1] << '\n' << out;
  }
  // A pressure's rows are those of its T_sat.
  for (const char* format : {"csv", "json"})
    EXPECT_EQ(Succeeded({"water", "--pressure", "2bar", "-f", format}).out, Succeeded({"water", "393.12", "-f", format}).out);
}

TEST(JsonTest, EveryValueAndSiIsANumberOrNull) {
  int values = 0, nulls = 0;
  for (const Category& category : Categories()) {
    for (const Fluid& fluid : category.fluids) {
      const auto json = nlohmann::json::parse(
          Succeeded({std::string(fluid.id), NumberText(fluid.Tmin), NumberText((fluid.Tmin + fluid.Tmax) / 2),
                     NumberText(fluid.Tmax), "-f", "json"})
              .out);
      for (const auto& row : json.at("results")) {
        for (const auto& [id, property] : row.at("properties").items()) {
          const bool isValue = property.at("state") == "value";
          for (const char* key : {"value", "si"}) {
            const auto& number = property.at(key);
            EXPECT_TRUE(isValue ? number.is_number() : number.is_null()) << fluid.id << ' ' << id << ' ' << key;
            ++(number.is_null() ? nulls : values);
          }
        }
      }
    }
  }
  EXPECT_GT(values, 0);
  EXPECT_GT(nulls, 0);  // saturated water's critical point and the metals' empty cells
}

TEST(ListTest, TableShowsEachFluidsIdNameRangeAndOtherNames) {
  const std::string table = Succeeded({"--list"}).out;
  for (const Category& category : Categories()) {
    EXPECT_NE(table.find(std::string(category.name) + "\n"), std::string::npos) << category.name;
    for (const Fluid& fluid : category.fluids) {
      const auto start = table.find("  " + std::string(fluid.id) + " ");
      ASSERT_NE(start, std::string::npos) << fluid.id;
      const std::string line = table.substr(start, table.find('\n', start) - start);
      EXPECT_NE(line.find(fluid.name), std::string::npos) << line;
      EXPECT_NE(line.find(RangeText(fluid)), std::string::npos) << line;
      std::string also = "also ";
      for (std::size_t i = 0; i < fluid.aliases.size(); ++i)
        also += (i > 0 ? ", " : "") + std::string(fluid.aliases[i]);
      EXPECT_TRUE(fluid.aliases.empty() || line.ends_with(also)) << line;
    }
  }
}

TEST(ListTest, CsvHasFiveColumnsAndJsonIsTheLibrarysCatalog) {
  const std::string csv = Succeeded({"--list", "-f", "csv"}).out;
  EXPECT_EQ(csv.rfind("category,id,name,Tmin,Tmax\nGases at Atmoshperic Pressure,air,Air,100,3000\n", 0), 0u) << csv;
  std::size_t fluids = 0;
  for (const Category& category : Categories()) fluids += category.fluids.size();
  EXPECT_EQ(static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')), fluids + 1);
  EXPECT_EQ(Succeeded({"--list", "-f", "json"}).out, CatalogJson());
}

}  // namespace
}  // namespace vantorel::cli
