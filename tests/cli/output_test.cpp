// What vantorel-props writes, in each format.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "Capture.h"
#include "Output.h"

namespace vantorel::cli {
namespace {

using testing::Outcome;
using testing::RunInProcess;
using Json = nlohmann::json;

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

constexpr const char* kCsvHeader = "T,Rho,Cp,Mu,Nu,K,Alpha,Pr,Beta\n";
constexpr const char* kAir310Csv = "310,1.1281,1.007,189.3E-7,16.9E-6,27E-3,24E-6,0.706,3.23E-3\n";

Outcome Succeeded(const std::vector<std::string>& arguments) {
  Outcome outcome = RunInProcess(arguments);
  EXPECT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  return outcome;
}

TEST(OutputTest, AirAt310AsATable) {
  EXPECT_EQ(Succeeded({"air", "310"}).out, kAir310Table);
  EXPECT_EQ(Succeeded({"air", "310", "--format", "table"}).out, kAir310Table);
}

TEST(OutputTest, AirAt310AsCsv) {
  EXPECT_EQ(Succeeded({"air", "310", "--format", "csv"}).out, std::string(kCsvHeader) + kAir310Csv);
}

TEST(OutputTest, AirAt310AsJson) {
  const Json json = Json::parse(Succeeded({"air", "310", "-f", "json"}).out);
  EXPECT_EQ(json["fluid"], "air");
  EXPECT_EQ(json["name"], "Air");
  EXPECT_EQ(json["category"], "Gases at Atmoshperic Pressure");
  EXPECT_EQ(json["range"], (Json{{"Tmin", 100.0}, {"Tmax", 3000.0}, {"text", "100K <= T <= 3000K"}}));
  EXPECT_EQ(json["table"], "A.4");
  EXPECT_EQ(json["properties"]["Mu"],
            (Json{{"name", "dynamic viscosity"}, {"symbol", "μ"}, {"unit", "N·s/m²"}, {"siUnit", "Pa·s"}}));
  ASSERT_EQ(json["results"].size(), 1u);
  const Json& row = json["results"][0];
  EXPECT_EQ(row["T"], 310.0);
  const Json expected = {
      {"Rho", {{"text", "1.1281"}, {"value", 1.1281}, {"unit", "kg/m³"}, {"si", 1.1281}}},
      {"Cp", {{"text", "1.007"}, {"value", 1.007}, {"unit", "kJ/kg·K"}, {"si", 1007.0}}},
      {"Mu", {{"text", "189.3E-7"}, {"value", 1.893e-5}, {"unit", "N·s/m²"}, {"si", 1.893e-5}}},
      {"Nu", {{"text", "16.9E-6"}, {"value", 1.69e-5}, {"unit", "m²/s"}, {"si", 1.69e-5}}},
      {"K", {{"text", "27E-3"}, {"value", 0.027}, {"unit", "W/m·K"}, {"si", 0.027}}},
      {"Alpha", {{"text", "24E-6"}, {"value", 2.4e-5}, {"unit", "m²/s"}, {"si", 2.4e-5}}},
      {"Pr", {{"text", "0.706"}, {"value", 0.706}, {"unit", ""}, {"si", 0.706}}},
      {"Beta", {{"text", "3.23E-3"}, {"value", 0.00323}, {"unit", "K⁻¹"}, {"si", 0.00323}}},
  };
  EXPECT_EQ(row["properties"], expected);
  EXPECT_EQ(row["source"], (Json{{"table", "A.4"}, {"rows", {300.0, 350.0}}, {"corrected", false}}));
}

TEST(OutputTest, JsonKeepsThePropertiesInLabelOrder) {
  const auto ordered = nlohmann::ordered_json::parse(Succeeded({"air", "310", "-f", "json"}).out);
  std::string order;
  for (const auto& item : ordered["results"][0]["properties"].items()) order += item.key() + ' ';
  EXPECT_EQ(order, "Rho Cp Mu Nu K Alpha Pr Beta ");
}

TEST(OutputTest, CsvWritesOneLinePerTemperatureWithTInShortestForm) {
  EXPECT_EQ(Succeeded({"air", "310", "300", "310.5", "-f", "csv"}).out,
            std::string(kCsvHeader) + kAir310Csv +
                "300,1.1614,1.007,184.6E-7,15.89E-6,26.3E-3,22.5E-6,0.707,3.33E-3\n"
                "310.5,1.1265,1.007,189.6E-7,16.95E-6,27.1E-3,24.1E-6,0.706,3.22E-3\n");
}

// The first cell of every line after the header.
std::string FirstColumn(const std::string& csv) {
  std::istringstream lines(csv);
  std::string line, cells;
  std::getline(lines, line);
  while (std::getline(lines, line)) cells += line.substr(0, line.find(',')) + ' ';
  return cells;
}

struct SweepRows {
  std::vector<std::string> arguments;
  std::string temperatures;
};
std::ostream& operator<<(std::ostream& os, const SweepRows& s) {
  for (const std::string& a : s.arguments) os << a << ' ';
  return os;
}

class SweepRowsTest : public ::testing::TestWithParam<SweepRows> {};

TEST_P(SweepRowsTest, WriteTAsTheDecimalOfEachRowInKelvin) {
  for (const bool si : {false, true}) {
    auto csv = GetParam().arguments;
    csv.insert(csv.end(), {"-f", "csv"});
    if (si) csv.push_back("--si");
    EXPECT_EQ(FirstColumn(Succeeded(csv).out), GetParam().temperatures) << (si ? "--si" : "");
  }
  // JSON writes the same text as a number, with a point when it is whole.
  auto json = GetParam().arguments;
  json.insert(json.end(), {"-f", "json"});
  const std::string out = Succeeded(json).out;
  std::string temperatures;
  for (auto at = out.find("{\"T\":"); at != std::string::npos; at = out.find("{\"T\":", at + 1)) {
    std::string text = out.substr(at + 5, out.find(',', at) - at - 5);
    if (text.ends_with(".0")) text.resize(text.size() - 2);
    temperatures += text + ' ';
  }
  EXPECT_EQ(temperatures, GetParam().temperatures);
}

// The rows themselves are the planner's (tests/tables/sweep_test.cpp): here
// a decimal row and a Fahrenheit one, whose kelvin is the shortest double.
INSTANTIATE_TEST_SUITE_P(Sweeps, SweepRowsTest,
                         ::testing::Values(
                             // No 273.34999999999997: every row is the decimal 273.15 + i * 0.1.
                             SweepRows{{"saturated-water", "--from", "273.15", "--to", "274", "--step", "0.1"},
                                       "273.15 273.25 273.35 273.45 273.55 273.65 273.75 273.85 273.95 "},
                             SweepRows{{"air", "--from", "77F", "--to", "78 °F", "--step", "0.5F"},
                                       "298.15 298.4277777777778 298.7055555555556 "}));

// Names people type and temperatures in degrees give exactly what the ids and
// kelvin give.
struct SameOutput {
  std::vector<std::string> typed, canonical;
};
std::ostream& operator<<(std::ostream& os, const SameOutput& s) {
  for (const std::string& a : s.typed) os << a << ' ';
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

INSTANTIATE_TEST_SUITE_P(
    Typed, SameOutputTest,
    ::testing::Values(
        SameOutput{{"water", "300"}, {"saturated-water", "300"}},
        SameOutput{{"H2O", "300"}, {"saturated-water", "300"}}, SameOutput{{"steam", "400"}, {"water-vapor", "400"}},
        SameOutput{{"co2", "300"}, {"carbon-dioxide", "300"}}, SameOutput{{"R-12", "250"}, {"freon-12", "250"}},
        SameOutput{{"Hg", "300"}, {"mercury", "300"}}, SameOutput{{"air", "25C"}, {"air", "298.15"}},
        SameOutput{{"air", "77F"}, {"air", "298.15"}}, SameOutput{{"nitrogen", "-173.15C"}, {"nitrogen", "100"}},
        SameOutput{{"air", "-.5C"}, {"air", "272.65"}},
        SameOutput{{"air", "310K", "36.85°C", "98.33°F"}, {"air", "310", "310", "310"}},
        SameOutput{{"air", "--from", "0C", "--to", "10C", "--step", "5"}, {"air", "273.15", "278.15", "283.15"}}));

struct Cited {
  std::string fluid, t, source;
};
std::ostream& operator<<(std::ostream& os, const Cited& c) { return os << c.fluid << " at " << c.t; }

class SourceTest : public ::testing::TestWithParam<Cited> {};

TEST_P(SourceTest, TheTableNamesTheBooksTableAndRows) {
  const std::string out = Succeeded({GetParam().fluid, GetParam().t}).out;
  EXPECT_NE(out.find("\n  source: " + GetParam().source + "\n"), std::string::npos) << out;
}

INSTANTIATE_TEST_SUITE_P(
    Readings, SourceTest,
    ::testing::Values(Cited{"air", "310", "Air, Table A.4, between the rows at 300 K and 350 K"},
                      Cited{"air", "300", "Air, Table A.4, the row at 300 K"},
                      Cited{"nitrogen", "800",
                            "Nitrogen (N2), Table A.4, the row at 800 K; c_p from a cell that corrects a misprint in "
                            "the book"},
                      Cited{"water", "646", "Saturated Water, Table A.6, between the rows at 645 K and 647.3 K"},
                      Cited{"lead", "756", "Lead, Table A.7, between the rows at 755 K and 977 K"}));

TEST(OutputTest, ExplainWritesTheWorkingOfEachProperty) {
  const std::string out = Succeeded({"air", "310", "--explain"}).out;
  EXPECT_EQ(out.find("Air at T = 310 K\n  source: Air, Table A.4, between the rows at 300 K and 350 K\n"
                     "  density (kg/m³): 1.1281\n"
                     "    ρ = 1.1614 + (310 − 300)/(350 − 300) × (0.9950 − 1.1614) = 1.12812 → 1.1281\n"),
            0u)
      << out;
  for (const char* line : {"  dynamic viscosity (N·s/m²): 189.3E-7\n"
                           "    μ·10⁷ = 184.6 + (310 − 300)/(350 − 300) × (208.2 − 184.6) = 189.32 → 189.3\n",
                           "  Prandtl number: 0.706\n", "    β·10³ = 1000/310 = 3.2258 → 3.23\n"})
    EXPECT_NE(out.find(line), std::string::npos) << line;
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 2 + 2 * 8 + 3);
}

TEST(SiCsvTest, WritesPlainSiNumbersUnderNamedColumns) {
  EXPECT_EQ(Succeeded({"air", "310", "-f", "csv", "--si"}).out,
            "T [K],rho [kg/m^3],cp [J/(kg*K)],mu [Pa*s],nu [m^2/s],k [W/(m*K)],alpha [m^2/s],Pr [-],beta [1/K]\n"
            "310,1.1281,1007,1.893e-05,1.69e-05,0.027,2.4e-05,0.706,0.00323\n");
  // No value is an empty cell, an infinite value inf.
  EXPECT_EQ(Succeeded({"water", "646", "647.3", "-f", "csv", "--si"}).out,
            "T [K],P [Pa],v_f [m^3/kg],v_g [m^3/kg],h_fg [J/kg],cp_f [J/(kg*K)],cp_g [J/(kg*K)],mu_f [Pa*s],"
            "mu_g [Pa*s],k_f [W/(m*K)],k_g [W/(m*K)],Pr_f [-],Pr_g [-],sigma_f [N/m],beta_f [1/K]\n"
            "646,21780000,0.002707,0.0039,204000,,,5e-05,4.05e-05,0.2906,0.2041,,,6e-05,\n"
            "647.3,22120000,0.00317,0.0032,0,inf,inf,4.5e-05,4.5e-05,0.238,0.238,inf,inf,0,\n");
}

TEST(SiCsvTest, AgreesWithTheSiValuesOfJsonForEveryFluid) {
  for (const Category& category : Categories()) {
    for (const Fluid& fluid : category.fluids) {
      const std::vector<std::string> sweep = {
          std::string(fluid.id), "--from", NumberText(fluid.Tmin), "--to", NumberText(fluid.Tmax), "--step", "9.7"};
      auto csvArguments = sweep, jsonArguments = sweep;
      csvArguments.insert(csvArguments.end(), {"-f", "csv", "--si"});
      jsonArguments.insert(jsonArguments.end(), {"-f", "json"});
      std::istringstream csv(Succeeded(csvArguments).out);
      const auto json = nlohmann::ordered_json::parse(Succeeded(jsonArguments).out);  // in column order
      std::string line;
      std::getline(csv, line);
      for (unsigned char c : line) ASSERT_LT(c, 0x80) << fluid.id << ": " << line;  // plain ASCII
      for (const auto& row : json["results"]) {
        ASSERT_TRUE(std::getline(csv, line)) << fluid.id;
        std::istringstream cells(line);
        std::string cell;
        std::getline(cells, cell, ',');
        EXPECT_EQ(std::strtod(cell.c_str(), nullptr), row["T"].get<double>());
        for (const auto& [slot, property] : row["properties"].items()) {
          std::getline(cells, cell, ',');
          const auto& si = property["si"];
          const std::string want = si.is_null() ? "" : si.is_string() ? "inf" : NumberText(si.get<double>());
          EXPECT_EQ(cell, want) << fluid.id << " " << slot;
        }
      }
    }
  }
}

TEST(OutputTest, TableBlocksAreSeparatedByABlankLine) {
  const std::string out = Succeeded({"helium", "--from", "100", "--to", "200", "--step", "100"}).out;
  EXPECT_EQ(out.find("Helium (He) at T = 100 K\n"), 0u);
  EXPECT_NE(out.find("\n\nHelium (He) at T = 200 K\n"), std::string::npos);
}

TEST(OutputTest, ListTextsInAnyCaseGiveTheSameOutput) {
  const std::string expected = Succeeded({"carbon-dioxide", "400", "-f", "csv"}).out;
  EXPECT_EQ(Succeeded({"CARBON DIOXIDE (co2)", "400", "-f", "csv"}).out, expected);
  EXPECT_EQ(Succeeded({"Carbon Dioxide (CO2)", "400", "-f", "csv"}).out, expected);
}

TEST(OutputTest, JsonValuesAreTheShownTextsReadAsDecimals) {
  const Json json = Json::parse(Succeeded({"air", "--from", "100", "--to", "3000", "--step", "0.7", "-f", "json"}).out);
  ASSERT_EQ(json["results"].size(), 4143u);
  int differsFromScaledSlot = 0;
  for (const Json& row : json["results"]) {
    for (const auto& [slot, property] : row["properties"].items()) {
      const std::string text = property["text"];
      ASSERT_EQ(property["value"].get<double>(), std::strtod(text.c_str(), nullptr)) << slot << " " << text;
      // The slot times its power of ten is not always the same double.
      const auto e = text.find('E');
      if (e != std::string::npos &&
          std::strtod(text.substr(0, e).c_str(), nullptr) * std::pow(10.0, std::stoi(text.substr(e + 1))) !=
              property["value"].get<double>())
        ++differsFromScaledSlot;
    }
  }
  EXPECT_GT(differsFromScaledSlot, 0);
}

TEST(OutputTest, WaterMarkersBecomeNullAndInfiniteInJson) {
  const Json json = Json::parse(Succeeded({"water", "646", "647.3", "277.015", "-f", "json"}).out);
  const Json& near = json["results"][0]["properties"];
  EXPECT_EQ(near["Cpf"], (Json{{"text", "----"}, {"value", nullptr}, {"unit", "kJ/kg·K"}, {"si", nullptr}}));
  EXPECT_EQ(near["Betaf"]["si"], nullptr);
  EXPECT_EQ(near["P"]["si"], 21780000.0);
  EXPECT_EQ(near["Vf"]["value"], 2.707e-3);
  EXPECT_EQ(near.size(), 14u);
  const Json& critical = json["results"][1]["properties"];
  EXPECT_EQ(critical["Cpg"],
            (Json{{"text", "INFINITE"}, {"value", "infinite"}, {"unit", "kJ/kg·K"}, {"si", "infinite"}}));
  EXPECT_EQ(json["results"][1]["source"]["rows"], Json({647.3}));
  // Up to 420 K the book has an expansion coefficient everywhere: -1 is a value.
  const Json& cool = json["results"][2]["properties"];
  EXPECT_EQ(cool["Betaf"], (Json{{"text", "-1E-6"}, {"value", -1e-6}, {"unit", "K⁻¹"}, {"si", -1e-6}}));
  EXPECT_EQ(Succeeded({"water", "646", "-f", "csv"}).out,
            "T,P,Vf,Vg,Hfg,Cpf,Cpg,Muf,Mug,Kf,Kg,Prf,Prg,Sigmaf,Betaf\n"
            "646,217.8,2.707E-3,0.0039,204,----,----,50E-6,40.5E-6,290.6E-3,204.1E-3,----,----,0.06E-3,----\n");
}

TEST(OutputTest, MetalsShowSixPropertiesAndTheirNoValueMarkers) {
  EXPECT_EQ(Succeeded({"lead", "756", "-f", "csv"}).out,
            "T,Rho,Cp,Nu,K,Alpha,Pr\n756,10411,----,1.847E-7,15.6,----,----\n");
  const Json json = Json::parse(Succeeded({"lead", "756", "-f", "json"}).out);
  const Json& row = json["results"][0]["properties"];
  EXPECT_EQ(row["Cp"]["value"], nullptr);
  EXPECT_EQ(row["Alpha"]["si"], nullptr);
  EXPECT_EQ(row["Nu"]["si"], 1.847e-7);
  EXPECT_FALSE(row.contains("Mu"));
  EXPECT_FALSE(row.contains("Beta"));
  EXPECT_EQ(json["results"][0]["source"], (Json{{"table", "A.7"}, {"rows", {755.0, 977.0}}, {"corrected", false}}));
}

TEST(ListTest, ShowsEveryFluidWithItsIdListTextRangeAndWhetherThisBuildHasIt) {
  const std::string table = Succeeded({"--list"}).out;
  const Json json = Json::parse(Succeeded({"--list", "-f", "json"}).out);
  const std::string csv = Succeeded({"--list", "-f", "csv"}).out;
  EXPECT_EQ(csv.rfind("category,id,name,Tmin,Tmax\n", 0), 0u);  // as scripts read it
  ASSERT_EQ(json["categories"].size(), Categories().size());
  for (std::size_t c = 0; c < Categories().size(); ++c) {
    const Category& category = Categories()[c];
    EXPECT_EQ(json["categories"][c]["name"], category.name);
    EXPECT_NE(table.find(std::string(category.name) + "\n"), std::string::npos);
    for (std::size_t f = 0; f < category.fluids.size(); ++f) {
      const Fluid& fluid = category.fluids[f];
      const Json& entry = json["categories"][c]["fluids"][f];
      EXPECT_EQ(entry["id"], fluid.id);
      EXPECT_EQ(entry["name"], fluid.name);
      EXPECT_EQ(entry["range"]["text"], RangeText(fluid));

      const auto start = table.find("  " + std::string(fluid.id) + " ");
      ASSERT_NE(start, std::string::npos) << fluid.id;
      const std::string line = table.substr(start, table.find('\n', start) - start);
      EXPECT_NE(line.find(fluid.name), std::string::npos) << line;
      EXPECT_NE(line.find(RangeText(fluid)), std::string::npos) << line;
      Json aliases = Json::array();
      std::string also = "also ";
      for (const std::string_view alias : fluid.aliases) {
        aliases.push_back(alias);
        also += std::string(aliases.size() > 1 ? ", " : "") + std::string(alias);
      }
      EXPECT_EQ(entry["aliases"], aliases);
      if (!fluid.aliases.empty()) {
        EXPECT_TRUE(line.ends_with(also)) << line;
      }

      const std::string row = std::string(category.name) + "," + std::string(fluid.id) + "," + std::string(fluid.name) +
                              "," + NumberText(fluid.Tmin) + "," + NumberText(fluid.Tmax) + "\n";
      EXPECT_NE(csv.find(row), std::string::npos) << row;
    }
  }
}

}  // namespace
}  // namespace vantorel::cli
