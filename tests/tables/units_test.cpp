// Units people work in: temperatures back in degrees, values in other
// systems of units, and saturated water at a pressure, each exact in decimal.

#include <vantorel/vantorel.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "BookData.h"

#include <cstdlib>
#include <limits>
#include <ostream>
#include <string>

namespace vantorel {
namespace {

constexpr TemperatureUnit K = TemperatureUnit::Kelvin, C = TemperatureUnit::Celsius, F = TemperatureUnit::Fahrenheit;

double Kelvin(const char* text, TemperatureUnit unit) {
  const TemperatureResult t = ParseTemperature(text, {unit, "."});
  if (!t) std::abort();
  return t->kelvin;
}

struct Converted {
  const char* text;
  TemperatureUnit from, to;
  const char* expected;
};
std::ostream& operator<<(std::ostream& os, const Converted& c) { return os << '"' << c.text << '"'; }

class TemperatureTextTest : public testing::TestWithParam<Converted> {};

TEST_P(TemperatureTextTest, WritesTheSameTemperatureInTheNewUnitWithoutBinaryNoise) {
  const Converted c = GetParam();
  const double kelvin = Kelvin(c.text, c.from);
  const std::string text = TemperatureText(kelvin, c.to);
  EXPECT_EQ(text, c.expected);
  EXPECT_EQ(Kelvin(text.c_str(), c.to), kelvin);  // and it reads back as the same kelvin
}

INSTANTIATE_TEST_SUITE_P(Units, TemperatureTextTest,
                         testing::Values(Converted{"310", K, C, "36.85"}, Converted{"36.85", C, F, "98.33"},
                                         Converted{"98.33", F, K, "310"}, Converted{"0", K, C, "-273.15"},
                                         Converted{"0", K, F, "-459.67"}, Converted{"-40", C, F, "-40"},
                                         Converted{"300.5", K, F, "81.23"}, Converted{"0.001", C, K, "273.151"},
                                         Converted{"273.15", K, C, "0"},
                                         // °F to kelvin need not end: the kelvin's own shortest text, and
                                         // the shortest °C and °F that read back as that kelvin.
                                         Converted{"100", F, K, "310.9277777777778"},
                                         Converted{"100", F, C, "37.7777777777778"},
                                         Converted{"310.9277777777778", K, F, "100"}));

// Every thousandth of a kelvin from 100 K to 101 K and a spread over the
// ranges, against integer arithmetic in thousandths.
TEST(TemperatureTextTest, IsExactForEveryThousandthOfAKelvin) {
  // n / 10^decimals as the shortest plain decimal.
  const auto plain = [](long long n, int decimals) {
    const bool negative = n < 0;
    std::string digits = std::to_string(negative ? -n : n);
    if (static_cast<int>(digits.size()) <= decimals) digits.insert(0, decimals - digits.size() + 1, '0');
    digits.insert(digits.size() - decimals, 1, '.');
    while (digits.back() == '0') digits.pop_back();
    if (digits.back() == '.') digits.pop_back();
    return negative && digits != "0" ? "-" + digits : digits;
  };
  for (long long n = 100'000; n <= 3'000'000; n += n < 101'000 ? 1 : 997) {
    const std::string k = plain(n, 3);
    const double kelvin = Kelvin(k.c_str(), K);
    ASSERT_EQ(TemperatureText(kelvin, K), k);
    ASSERT_EQ(TemperatureText(kelvin, C), plain(n - 273'150, 3)) << k;
    ASSERT_EQ(TemperatureText(kelvin, F), plain(n * 18 - 4'596'700, 4)) << k;
  }
}

TEST(TemperatureTextTest, GivesNothingForATemperatureTooLargeToWritePlainly) {
  EXPECT_EQ(TemperatureText(1e300, C), "");
  EXPECT_EQ(TemperatureText(1e-300, K), "");
  for (const double t : {std::nan(""), std::numeric_limits<double>::infinity()}) {
    EXPECT_EQ(TemperatureText(t, C), "");
    EXPECT_EQ(TemperatureWorking(t, F), "");
  }
}

TEST(TemperatureWorkingTest, SaysHowDegreesBecomeKelvin) {
  EXPECT_EQ(TemperatureWorking(310, K), "");
  EXPECT_EQ(TemperatureWorking(Kelvin("36.85", C), C), "T = 36.85 °C + 273.15 = 310 K");
  EXPECT_EQ(TemperatureWorking(Kelvin("-40", C), C), "T = −40 °C + 273.15 = 233.15 K");
  EXPECT_EQ(TemperatureWorking(Kelvin("98.33", F), F), "T = (98.33 °F + 459.67) × 5/9 = 310 K");
  // 559.67 × 5/9 does not end: the kelvin is the double nearest it.
  EXPECT_EQ(TemperatureWorking(Kelvin("100", F), F), "T = (100 °F + 459.67) × 5/9 ≈ 310.9277777777778 K");
}


// ---------------------------------------------------------------------------
// Saturated water at a pressure.

const Fluid& Water() { return *FindFluid("saturated-water"); }

struct AtPressure {
  const char* text;
  const char* tSat;  // NumberText of T_sat, or the start of the error's message
  int rows;          // 0 for an error
};
std::ostream& operator<<(std::ostream& os, const AtPressure& c) { return os << '"' << c.text << '"'; }

class SaturationTest : public testing::TestWithParam<AtPressure> {};

TEST_P(SaturationTest, InterpolatesTInPAndRoundsItToHundredths) {
  const AtPressure c = GetParam();
  const SaturationResult s = SaturationAt(Water(), c.text, {TemperatureUnit::Kelvin, ".,"});
  if (c.rows == 0) {
    ASSERT_FALSE(s);
    EXPECT_EQ(s.error().message().rfind(c.tSat, 0), 0u) << s.error().message();
    EXPECT_EQ(s.error().input, Input::P);
    return;
  }
  ASSERT_TRUE(s) << s.error().message();
  EXPECT_EQ(NumberText(s->T), c.tSat);
  EXPECT_EQ(s->rowCount, c.rows);
  // The reading is the ordinary look-up at T_sat.
  const Result r = LookUpPressure("water", c.text, {TemperatureUnit::Kelvin, ".,"});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->T, s->T);
  EXPECT_EQ(r->find("Muf")->text(), LookUp(Water(), s->T)->find("Muf")->text());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SaturationTest,
    testing::Values(
        // 1 atm is 1.01325 bar, just below the 373.15 K row's printed 1.0133.
        AtPressure{"1atm", "373.15", 2}, AtPressure{"1.0133bar", "373.15", 1}, AtPressure{"101.325 kPa", "373.15", 2},
        AtPressure{"2 bar", "393.12", 2}, AtPressure{"0,2 MPa", "393.12", 2}, AtPressure{"200000Pa", "393.12", 2},
        AtPressure{"2 BAR", "393.12", 2}, AtPressure{"14.7 psia", "373.16", 2}, AtPressure{"29 psi", "393.11", 2},
        // The ends belong to the range.
        AtPressure{"0.00611 bar", "273.15", 1}, AtPressure{"611 Pa", "273.15", 1}, AtPressure{"221.2 bar", "647.3", 1},
        AtPressure{"22.12 MPa", "647.3", 1}, AtPressure{"  218 bar ", "646.07", 2},
        // Refused, with what to do instead.
        AtPressure{"2", "P = \"2\" has no unit: give one, as in 2 bar", 0},
        AtPressure{"abc", "P = \"abc\" is not a pressure", 0}, AtPressure{"", "P = \"\" is not a pressure", 0},
        AtPressure{"1 mPa", "P = \"1 mPa\" is not a pressure", 0}, AtPressure{"0x2 bar", "P = \"0x2 bar\" is not", 0},
        AtPressure{"300 bar", "P = 300 bar is outside the range of Saturated Water, 0.00611 bar to 221.2 bar", 0},
        AtPressure{"5000 psi", "P = 5000 psi is outside the range of Saturated Water, 0.088619 psi to 3208.23 psi", 0},
        AtPressure{"0.6 kPa", "P = 0.6 kPa is outside the range of Saturated Water, 0.611 kPa to 22120 kPa", 0},
        AtPressure{"1 atm ", "373.15", 2}, AtPressure{"-1 bar", "P = -1 bar is outside", 0},
        AtPressure{"0 atm", "P = 0 atm is outside the range of Saturated Water, 0.0060302 atm to 218.307 atm", 0},
        AtPressure{"1e999 bar", "P = 1e999 bar is outside", 0}, AtPressure{"1e-999 bar", "P = 1e-999 bar is outside", 0}));

TEST(SaturationTest, OnlySaturatedWaterHasAPressureColumn) {
  const Result r = LookUpPressure("air", "1 bar");
  ASSERT_FALSE(r);
  EXPECT_EQ(r.error().code, ErrorCode::NoPressureColumn);
  EXPECT_EQ(r.error().message(), "Air has no saturation pressure: only saturated water can be looked up by pressure");
}

// At every row's printed pressure T_sat is that row's T, and halfway between
// two rows it is halfway between their temperatures, a tie of thousandths
// rounded to the even hundredth: worked out here from data/ in integers.
TEST(SaturationTest, MeetsEveryRowAndEveryMidpointOfTheBook) {
  const testing_support::BookTable book = testing_support::ReadBook(Water());
  // A printed cell as a whole number of 10^-5 bar, and T in hundredths.
  const auto units = [](const testing_support::BookCellText& c) {
    return std::llround(c.value * std::pow(10.0, c.decimals)) * std::llround(std::pow(10.0, 5 - c.decimals));
  };
  for (std::size_t i = 0; i < book.rows.size(); ++i) {
    const double t = book.rows[i];
    const long long p = units(book.cells.at(t).at("P"));
    char text[64];
    std::snprintf(text, sizeof text, "%lld.%05lld bar", p / 100000, p % 100000);
    const SaturationResult at = SaturationAt(Water(), text);
    ASSERT_TRUE(at) << text;
    EXPECT_EQ(at->T, t) << text;
    if (i + 1 == book.rows.size()) break;
    const double below = book.rows[i + 1];
    const long long mid = p + units(book.cells.at(below).at("P"));  // twice the midpoint
    std::snprintf(text, sizeof text, "%lld.%06lld bar", mid / 200000, (mid % 200000) * 5);
    const long long twice = std::llround(t * 100) + std::llround(below * 100);  // twice T in hundredths
    const long long hundredths = twice / 2 + (twice % 2 != 0 && (twice / 2) % 2 != 0);
    const SaturationResult half = SaturationAt(Water(), text);
    ASSERT_TRUE(half) << text;
    EXPECT_EQ(std::llround(half->T * 100), hundredths) << text;
  }
}

TEST(SaturationTest, WorkingShowsTheStepByHand) {
  EXPECT_EQ(SaturationWorking(*SaturationAt(Water(), "1 atm")),
            "P = 1 atm = 1.01325 bar\n"
            "P = 1.01325 bar lies between the rows at 370 K (0.9040 bar) and 373.15 K (1.0133 bar)\n"
            "T_sat = 370 + (1.01325 − 0.9040)/(1.0133 − 0.9040) × (373.15 − 370) = 373.1486 → 373.15 K");
  EXPECT_EQ(SaturationWorking(*SaturationAt(Water(), "221.2bar")),
            "P = 221.2 bar is the row at 647.3 K: T_sat = 647.3 K");
}

// ---------------------------------------------------------------------------
// Values in other units.

struct InUnits {
  const char* fluid;
  double T;
  const char* id;
  UnitSystem units;
  const char* text;
  const char* unit;
};
std::ostream& operator<<(std::ostream& os, const InUnits& c) {
  return os << c.fluid << ' ' << c.T << ' ' << c.id << ' ' << UnitSystemName(c.units);
}

class ValueInTest : public testing::TestWithParam<InUnits> {};

TEST_P(ValueInTest, IsTheBooksDecimalTimesExactFactorsToItsDigits) {
  const InUnits c = GetParam();
  const Result r = LookUp(c.fluid, c.T);
  const Quantity q = ValueIn(*r->find(c.id), c.units);
  EXPECT_EQ(q.text(), c.text);
  EXPECT_EQ(q.unit.text, c.unit);
}

constexpr UnitSystem kBook = UnitSystem::Book, kSi = UnitSystem::SI, kEng = UnitSystem::Engineering,
                     kUs = UnitSystem::US;
INSTANTIATE_TEST_SUITE_P(
    Cells, ValueInTest,
    testing::Values(
        // 1.1281 kg/m³ × 0.3048³/0.45359237 = 0.0704246..., to 5 digits.
        InUnits{"air", 310, "rho", kUs, "0.070425", "lbm/ft³"},
        InUnits{"air", 310, "cp", kUs, "0.2405", "Btu/(lbm·°F)"}, InUnits{"air", 310, "mu", kUs, "0.04579", "lbm/(ft·h)"},
        InUnits{"air", 310, "k", kUs, "0.0156", "Btu/(h·ft·°F)"}, InUnits{"air", 310, "beta", kUs, "0.00179", "1/°R"},
        InUnits{"air", 310, "Pr", kUs, "0.706", ""},
        // Powers of ten keep the digits, trailing zeros included.
        InUnits{"air", 310, "nu", kEng, "16.90", "mm²/s"}, InUnits{"air", 310, "mu", kEng, "0.01893", "mPa·s"},
        InUnits{"saturated-water", 373.15, "P", kEng, "101.33", "kPa"},
        InUnits{"saturated-water", 373.15, "P", kUs, "14.697", "psia"},
        InUnits{"saturated-water", 373.15, "Sigmaf", kUs, "0.00404", "lbf/ft"},
        InUnits{"saturated-water", 373.15, "Hfg", kUs, "970.3", "Btu/lbm"},
        InUnits{"saturated-water", 373.15, "Vg", kUs, "26.90", "ft³/lbm"},
        // -32.74 printed, -32.7 as the window rounds it: 3 digits.
        InUnits{"saturated-water", 275, "Betaf", kUs, "-0.0000182", "1/°R"},
        // 221.2 bar has four digits: 22120 kPa would claim a fifth.
        InUnits{"saturated-water", 647.3, "P", kEng, "2.212e+04", "kPa"},
        // Markers stay as they are.
        InUnits{"saturated-water", 647.3, "Cpf", kUs, "INFINITE", "Btu/(lbm·°F)"},
        InUnits{"saturated-water", 647.3, "Betaf", kEng, "----", "1/K"},
        // The book and SI are today's texts.
        InUnits{"air", 310, "mu", kBook, "189.3E-7", "N·s/m²"}, InUnits{"air", 310, "mu", kSi, "1.893e-05", "Pa·s"}));

// Every cell of every fluid at its rows, in every system: the value is the
// double nearest its text, and the text keeps the book decimal's digits.
TEST(ValueInTest, KeepsTheBooksSignificantDigitsEverywhere) {
  for (const Category& category : Categories())
    for (const Fluid& fluid : category.fluids)
      for (const double t : testing_support::ReadBook(fluid).rows) {
        const Result r = LookUp(fluid, t);
        if (!r) continue;  // a row outside the range the window serves
        for (const Property& p : r->properties())
          for (const UnitSystem units : {kEng, kUs}) {
            const Quantity q = ValueIn(p, units);
            if (p.state != ValueState::Value) {
              EXPECT_EQ(q.text(), p.text());
              continue;
            }
            const std::string text(q.text());
            EXPECT_EQ(q.value, std::strtod(text.c_str(), nullptr)) << fluid.id << ' ' << t << ' ' << p.id;
            // Significant digits: those of the mantissa without leading
            // zeros. A whole number's trailing zeros may be placeholders
            // (22120 kPa): those are left out of the count.
            const auto digits = [](std::string s) {
              s = s.substr(0, s.find('e'));
              s.erase(std::remove_if(s.begin(), s.end(), [](char c) { return c < '0' || c > '9'; }), s.end());
              return s.erase(0, std::min(s.find_first_not_of('0'), s.size())).size();
            };
            char book[64];
            std::snprintf(book, sizeof book, "%.*f", p.places, std::fabs(p.book));
            if (p.book != 0 && text.find_first_of(".e") != std::string::npos) {
              EXPECT_EQ(digits(text), digits(book)) << fluid.id << ' ' << t << ' ' << p.id << ' ' << text;
            }
          }
      }
}

TEST(UnitsTest, NamesAndRangesInEachUnit) {
  EXPECT_EQ(UnitSystemNamed("US"), UnitSystem::US);
  EXPECT_EQ(UnitSystemNamed("Engineering"), UnitSystem::Engineering);
  EXPECT_EQ(UnitSystemNamed("metric"), std::nullopt);
  for (const UnitSystem u : {kBook, kSi, kEng, kUs}) EXPECT_EQ(UnitSystemNamed(UnitSystemName(u)), u);
  EXPECT_EQ(PressureRangeText(PressureUnit::Pa), "611 Pa to 22120000 Pa");
  EXPECT_EQ(PressureRangeText(PressureUnit::MPa, ","), "0,000611 MPa to 22,12 MPa");
}

struct Header {
  RowFormat format;
  UnitSystem units;
  TemperatureUnit t;
  const char* start;
};

TEST(UnitsTest, RowsNameTheirUnits) {
  const Fluid& air = *FindFluid("air");
  for (const Header& h : {Header{RowFormat::Csv, kBook, K, "T,Rho,Cp,Mu"},
                          Header{RowFormat::Csv, kBook, C, "T [degC],Rho,Cp"},
                          Header{RowFormat::Csv, kUs, F, "T [degF],rho [lbm/ft^3],cp [Btu/(lbm*degF)],mu [lbm/(ft*h)]"},
                          Header{RowFormat::Tsv, kEng, C, "T (°C)\tρ (kg/m³)\tc_p (kJ/(kg·K))\tμ (mPa·s)"},
                          Header{RowFormat::SiCsv, kBook, K, "T [K],rho [kg/m^3]"}})
    EXPECT_EQ(RowWriter(air, h.format, h.units, h.t).Header().rfind(h.start, 0), 0u) << h.start;
  RowWriter us(air, RowFormat::Csv, kUs, F);
  char row[1024];
  EXPECT_EQ(std::string(row, us.WriteRow(row, 310, "98.33")),
            "98.33,0.070425,0.2405,0.04579,0.6549,0.0156,0.930,0.706,0.00179\n");
  RowWriter json(air, RowFormat::Json, kEng, C);
  const std::string head = json.Header();
  EXPECT_NE(head.find("\"units\":\"engineering\""), std::string::npos);
  const std::string line(row, json.WriteRow(row, 310, "36.85"));
  EXPECT_EQ(line.rfind("\n{\"T\":310.0,\"t\":{\"text\":\"36.85\",\"unit\":\"°C\"},\"properties\":{\"Rho\":{\"text\":"
                       "\"1.1281\",\"state\":\"value\",\"value\":1.1281,\"unit\":\"kg/m³\",\"si\":1.1281}",
                       0),
            0u)
      << line;
}

TEST(UnitsTest, ASweepInDegreesShowsItsRowsInThem) {
  const SweepResult c = PlanSweep(*FindFluid("air"), "20 °C", "21C", "0.25", 100);
  ASSERT_TRUE(c);
  EXPECT_EQ(c->unit(), C);
  char text[kSweepTextSize];
  EXPECT_EQ(std::string(text, c->WriteTyped(text, 1)), "20.25");
  EXPECT_EQ(std::string(text, c->WriteText(text, 1)), "293.4");
  const SweepResult f = PlanSweep(*FindFluid("air"), "98 F", "99 F", "0.5", 100);
  EXPECT_EQ(f->unit(), F);
  EXPECT_EQ(std::string(text, f->WriteTyped(text, 1)), "98.5");
  EXPECT_EQ(PlanSweep(*FindFluid("air"), "300", "21C", "1", 100)->unit(), K);
}

}  // namespace
}  // namespace vantorel
