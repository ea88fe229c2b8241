// The checked call of <vantorel/vantorel.h>: SI values with their states and
// sources, the errors, and inputs that must never break it.

#include <vantorel/vantorel.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace vantorel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct SiCase {
  const char* fluid;
  double t;
  const char* id;
  ValueState state;
  double si;
  const char* unit;
  const char* text;
};
std::ostream& operator<<(std::ostream& os, const SiCase& c) { return os << c.fluid << " " << c.t << " " << c.id; }

class SiValueTest : public testing::TestWithParam<SiCase> {};

TEST_P(SiValueTest, IsTheDoubleNearestTheBooksDecimalInSiBaseUnits) {
  const SiCase c = GetParam();
  const Result r = LookUp(c.fluid, c.t);
  ASSERT_TRUE(r.ok()) << r.error().message();
  const Property* p = r->find(c.id);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->state, c.state);
  if (std::isnan(c.si))
    EXPECT_TRUE(std::isnan(p->value));
  else
    EXPECT_EQ(p->value, c.si);
  EXPECT_EQ(p->unit, c.unit);
  EXPECT_EQ(p->text(), c.text);
}

const ValueState kValue = ValueState::Value, kNone = ValueState::NoValue, kInfinite = ValueState::Infinite;

INSTANTIATE_TEST_SUITE_P(
    EachCategory, SiValueTest,
    testing::Values(SiCase{"air", 310, "Mu", kValue, 1.893e-05, "Pa·s", "189.3E-7"},  // 189.3 * 1e-7 is not
                    SiCase{"air", 310, "Cp", kValue, 1007, "J/(kg·K)", "1.007"},
                    SiCase{"air", 310, "Beta", kValue, 0.00323, "1/K", "3.23E-3"},
                    SiCase{"air", 310, "Pr", kValue, 0.706, "", "0.706"},
                    SiCase{"engine-oil", 273, "Mu", kValue, 3.85, "Pa·s", "385E-2"},
                    SiCase{"engine-oil", 300, "Beta", kValue, 0.0007, "1/K", "0.7E-3"},
                    SiCase{"saturated-water", 373.15, "P", kValue, 101330, "Pa", "1.0133"},
                    SiCase{"saturated-water", 373.15, "Hfg", kValue, 2257000, "J/kg", "2257"},
                    SiCase{"saturated-water", 277.015, "Betaf", kValue, -1e-06, "1/K", "-1E-6"},
                    SiCase{"saturated-water", 430, "Betaf", kNone, kNaN, "1/K", "----"},
                    SiCase{"saturated-water", 647.3, "Cpf", kInfinite, kInf, "J/(kg·K)", "INFINITE"},
                    SiCase{"lead", 756, "Alpha", kNone, kNaN, "m²/s", "----"},
                    SiCase{"sodium", 500, "Nu", kValue, 5.469e-07, "m²/s", "5.469E-7"},
                    SiCase{"pbbi", 644, "Pr", kValue, 0.0189, "", "0.0189"}));

struct SourceCase {
  const char* fluid;
  double t;
  const char* table;
  std::vector<double> rows;
  bool corrected;
};
std::ostream& operator<<(std::ostream& os, const SourceCase& c) { return os << c.fluid << " " << c.t; }

class SourceTest : public testing::TestWithParam<SourceCase> {};

TEST_P(SourceTest, NamesTheTableAndTheRowsUsed) {
  const SourceCase c = GetParam();
  const Result r = LookUp(c.fluid, c.t);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r->source.table, c.table);
  EXPECT_EQ(std::vector<double>(r->source.Rows().begin(), r->source.Rows().end()), c.rows);
  EXPECT_EQ(r->source.corrected, c.corrected);
}

INSTANTIATE_TEST_SUITE_P(
    EachCategory, SourceTest,
    testing::Values(SourceCase{"air", 310, "A.4", {300, 350}, false}, SourceCase{"air", 300, "A.4", {300}, false},
                    SourceCase{"air", 1250, "A.4", {1200, 1300}, true}, SourceCase{"air", 1200, "A.4", {1200}, false},
                    SourceCase{"glycerin", 300, "A.5", {300}, false},
                    SourceCase{"saturated-water", 642, "A.6", {640, 645}, false},
                    SourceCase{"saturated-water", 647.3, "A.6", {647.3}, false},
                    SourceCase{"bismuth", 700, "A.7", {589, 811}, true}, SourceCase{"pbbi", 644, "A.7", {644}, true}));

TEST(ReadingTest, ShowsTheWorkingOfAnInterpolation) {
  const Result r = LookUp("air", 310);
  ASSERT_TRUE(r.ok());
  const Property& rho = *r->find("Rho");
  EXPECT_EQ(rho.origin, Origin::Table);
  ASSERT_EQ(rho.cellCount, 2);
  EXPECT_EQ(rho.cells[0].row, 300);
  EXPECT_EQ(rho.cells[0].value, 1.1614);
  EXPECT_EQ(rho.cells[1].row, 350);
  EXPECT_EQ(rho.cells[1].value, 0.9950);
  EXPECT_EQ(rho.book, 1.1281);
  EXPECT_EQ(rho.places, 4);
  EXPECT_EQ(r->find("Beta")->origin, Origin::PerKelvin);
  EXPECT_EQ(r->find("Beta")->cellCount, 0);
  EXPECT_EQ(r->find("Mu")->power, -7);
  EXPECT_EQ(r->find("Mu")->bookUnit, "N·s/m²");
  EXPECT_EQ(r->find("Nope"), nullptr);
}

TEST(ReadingTest, FindsAPropertyByItsIdInAnyCase) {
  const Result r = LookUp("air", 310);
  for (const char* id : {"Mu", "mu", "MU", "mU"}) {
    ASSERT_NE(r->find(id), nullptr) << id;
    EXPECT_EQ(r->find(id)->symbol, "μ");
    ASSERT_NE(FindProperty(*r->fluid, id), nullptr) << id;
    EXPECT_EQ(FindProperty(*r->fluid, id)->symbol, "μ");
    EXPECT_EQ(SlotNamed(id), Slot::Mu);
  }
  // Muf is a slot, but one that air does not show.
  for (const char* id : {"", "m", "mu ", "Muf"}) {
    EXPECT_EQ(r->find(id), nullptr) << id;
    EXPECT_EQ(FindProperty(*r->fluid, id), nullptr) << id;
  }
  EXPECT_EQ(SlotNamed("MUF"), Slot::Muf);
  EXPECT_EQ(SlotNamed("mu "), std::nullopt);
}

// A caller that forgets to check gets an empty value, never a throw or a
// stale reading; a value's error() is no error.
static_assert(noexcept(std::declval<const Result&>().value()) && noexcept(std::declval<const Result&>()->T) && noexcept(
    std::declval<const Result&>().error()));

TEST(ResultTest, AnErrorHoldsAnEmptyValueAndAValueNoError) {
  const Result error = LookUp("air", 5000);
  ASSERT_FALSE(error.ok());
  EXPECT_TRUE(std::isnan(error.value().T));
  EXPECT_EQ(error->fluid, nullptr);
  EXPECT_EQ(error->count, 0);
  EXPECT_TRUE(error.reading().properties().empty());
  EXPECT_EQ(error->find("Mu"), nullptr);
  EXPECT_EQ(SourceText(*error), "");
  EXPECT_EQ(*ResolveFluid("nak"), nullptr);

  const Result reading = LookUp("air", 310);
  ASSERT_TRUE(reading.ok());
  EXPECT_EQ(reading.error().code, ErrorCode::None);
  EXPECT_EQ(reading.error().message(), "");
  EXPECT_EQ(ResolveFluid("air").error().code, ErrorCode::None);
  EXPECT_EQ(ParseTemperature("310").error().code, ErrorCode::None);
}

struct WorkingCase {
  const char* fluid;
  double t;
  const char* id;
  const char* working;
};
std::ostream& operator<<(std::ostream& os, const WorkingCase& c) { return os << c.fluid << " " << c.t << " " << c.id; }

class WorkingTest : public testing::TestWithParam<WorkingCase> {};

TEST_P(WorkingTest, WritesTheWorkingAsAStudentDoes) {
  const WorkingCase c = GetParam();
  const Result r = LookUp(c.fluid, c.t);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(Working(*r, *r->find(c.id)), c.working);
}

INSTANTIATE_TEST_SUITE_P(
    EachOrigin, WorkingTest,
    testing::Values(
        WorkingCase{"air", 310, "Rho", "ρ = 1.1614 + (310 − 300)/(350 − 300) × (0.9950 − 1.1614) = 1.12812 → 1.1281"},
        WorkingCase{"air", 310, "Mu", "μ·10⁷ = 184.6 + (310 − 300)/(350 − 300) × (208.2 − 184.6) = 189.32 → 189.3"},
        WorkingCase{"air", 310, "Beta", "β·10³ = 1000/310 = 3.2258 → 3.23"},
        WorkingCase{"engine-oil", 300, "Beta", "β·10³ = 0.7 (the book's one value for the whole range)"},
        WorkingCase{"bismuth", 1033, "Nu", "ν·10⁷ = 0.8343 (the row at 1033 K) → 0.834"},
        WorkingCase{"hydrogen", 100, "Rho", "ρ = 0.24225 (the row at 100 K) → 0.2422"},
        WorkingCase{"air", 100, "Nu", "ν·10⁶ = 2.00 (the row at 100 K) (shown as 2E-6, without its trailing zeros)"},
        WorkingCase{"lead", 977, "Cp", "c_p: no value (the book has none at 977 K)"},
        WorkingCase{"saturated-water", 646, "Cpf", "c_p,f: no value (the book has it as infinite at 647.3 K)"},
        WorkingCase{"saturated-water", 647.3, "Prg", "Pr_g = ∞ (the row at 647.3 K)"},
        WorkingCase{
            "saturated-water", 276, "Betaf",
            "β_f·10⁶ = −32.74 + (276 − 275)/(280 − 275) × (46.04 − (−32.74)) = −16.984 → −17.0 (shown as -17E-6, "
            "without its trailing zero)"}));

// `parts` one after the other, each `times` over.
std::string Repeated(std::initializer_list<std::pair<std::string_view, int>> parts) {
  std::string all;
  for (const auto& [text, times] : parts)
    for (int i = 0; i < times; ++i) all += text;
  return all;
}

// A look-up that fails: by a temperature in kelvin (LookUp) or as typed
// (LookUpText, read with `options`).
struct Bad {
  std::string fluid;
  std::variant<double, std::string> t;
  ErrorCode code;
  std::string message;
  TextOptions options = {};
};
std::ostream& operator<<(std::ostream& os, const Bad& b) {
  os << b.fluid.substr(0, 20) << " ";
  std::visit([&os](const auto& t) { os << t; }, b.t);
  return os;
}

class ErrorTest : public testing::TestWithParam<Bad> {};

TEST_P(ErrorTest, IsReportedWithWhatToDoInstead) {
  const Bad& b = GetParam();
  const Result r = std::holds_alternative<double>(b.t) ? LookUp(b.fluid, std::get<double>(b.t))
                                                       : LookUpText(b.fluid, std::get<std::string>(b.t), b.options);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().code, b.code);
  EXPECT_EQ(r.error().message(), b.message);
}

const std::string kAirRange = " is outside the range of Air, 100K <= T <= 3000K";
const std::string kNoTemperature =
    " is not a temperature: give kelvin (310.5) or degrees with their unit (36.85 °C, 98.33 °F)";
constexpr TextOptions kPointOrComma{TemperatureUnit::Kelvin, ".,"}, kComma{TemperatureUnit::Kelvin, ","},
    kBareFahrenheit{TemperatureUnit::Fahrenheit, "."};

INSTANTIATE_TEST_SUITE_P(
    AnyInput, ErrorTest,
    testing::Values(
        Bad{"air", 5000.0, ErrorCode::OutOfRange, "T = 5000 K" + kAirRange},
        Bad{"air", 50.0, ErrorCode::OutOfRange, "T = 50 K" + kAirRange},
        Bad{"air", std::nextafter(100.0, 0.0), ErrorCode::OutOfRange, "T = 99.99999999999999 K" + kAirRange},
        Bad{"water", 273.1, ErrorCode::OutOfRange,
            "T = 273.1 K is outside the range of Saturated Water, 273.15K <= T <= 647.3K"},
        Bad{"air", kNaN, ErrorCode::NotFinite, "T = NaN K is not a finite temperature of Air, 100K <= T <= 3000K"},
        Bad{"air", -kInf, ErrorCode::NotFinite, "T = -inf K is not a finite temperature of Air, 100K <= T <= 3000K"},
        // Typed: degrees are said as typed and in kelvin.
        Bad{"air", "5000 K", ErrorCode::OutOfRange, "T = 5000 K" + kAirRange},
        Bad{"air", " 5000 °C", ErrorCode::OutOfRange, "T = 5000 °C = 5273.15 K" + kAirRange},
        Bad{"air", "9000F", ErrorCode::OutOfRange, "T = 9000 °F = 5255.372222222222 K" + kAirRange},
        Bad{"air", "\u2212500", ErrorCode::OutOfRange, "T = \u2212500 °F = -22.405555555555555 K" + kAirRange,
            kBareFahrenheit},
        // A bare kelvin number that fits as °C was most likely meant so; with a unit it was not.
        Bad{"air", "25", ErrorCode::OutOfRange, "T = 25 K" + kAirRange + "; did you mean 25 °C (298.15 K)?"},
        Bad{"air", "25 K", ErrorCode::OutOfRange, "T = 25 K" + kAirRange},
        Bad{"air", "-250", ErrorCode::OutOfRange, "T = -250 K" + kAirRange},
        Bad{"water", "36,85", ErrorCode::OutOfRange,
            "T = 36.85 K is outside the range of Saturated Water, 273.15K <= T <= 647.3K; did you mean 36,85 °C (310 "
            "K)?",
            kPointOrComma},
        Bad{"air", "abc", ErrorCode::NotATemperature, "\"abc\"" + kNoTemperature},
        Bad{"air", "310,5", ErrorCode::NotATemperature,
            "\"310,5\"" + kNoTemperature + ", with a point as the decimal mark"},
        Bad{"air", "1,000.5", ErrorCode::NotATemperature, "\"1,000.5\"" + kNoTemperature},
        Bad{"air", "3,1,0", ErrorCode::NotATemperature, "\"3,1,0\"" + kNoTemperature, kComma},
        Bad{"air", "", ErrorCode::NotATemperature, "\"\"" + kNoTemperature},
        Bad{"air", "3\00110 K\t", ErrorCode::NotATemperature, "\"3\\x0110 K\"" + kNoTemperature},
        // Cut at 40 bytes inside the first ℃, which is left out whole.
        Bad{"air", Repeated({{"9", 38}, {"℃", 2}}), ErrorCode::NotATemperature,
            Repeated({{"\"", 1}, {"9", 38}, {"...\"", 1}}) + kNoTemperature},
        Bad{"watr", "310", ErrorCode::UnknownFluid, "unknown fluid \"watr\"; closest: saturated-water"},
        Bad{"watr", 300.0, ErrorCode::UnknownFluid, "unknown fluid \"watr\"; closest: saturated-water"},
        Bad{"", 300.0, ErrorCode::UnknownFluid,
            "no fluid given: name one by its id (air), another name (co2) or its list text"},
        Bad{"water vapour ", 900.0, ErrorCode::OutOfRange,
            "T = 900 K is outside the range of Water Vapor (Steam), 380K <= T <= 850K"},
        Bad{"nak", 400.0, ErrorCode::AmbiguousFluid, "more than one fluid is called \"nak\": nak-45 or nak-22"},
        Bad{std::string("air\0x", 5), 300.0, ErrorCode::UnknownFluid, "unknown fluid \"air\\x00x\"; closest: air"},
        // Control bytes and bytes of no UTF-8 character are written as \xNN.
        Bad{"a\x1b[2Jb\xff\xc3(", 300.0, ErrorCode::UnknownFluid,
            "unknown fluid \"a\\x1B[2Jb\\xFF\\xC3(\"; closest: air, ammonia, carbon-dioxide"},
        // C1 controls too; and a bad byte near the cut is written, not taken for a split character.
        Bad{"a\xc2\x9b"
            "2J",
            300.0, ErrorCode::UnknownFluid, "unknown fluid \"a\\xC2\\x9B2J\"; closest: air, carbon-dioxide, hydrogen"},
        Bad{std::string(38, 'q') + "\xff"
                                   "qqq",
            300.0, ErrorCode::UnknownFluid,
            "unknown fluid \"" + std::string(38, 'q') + "\\xFFq...\"; closest: air, ammonia, carbon-dioxide"},
        Bad{std::string(1 << 20, 'q'), 300.0, ErrorCode::UnknownFluid,
            "unknown fluid \"" + std::string(40, 'q') + "...\"; closest: air, ammonia, carbon-dioxide"},
        // Cut short before the ä that would not fit whole, so the message stays UTF-8.
        Bad{Repeated({{"a", 1}, {"ä", 30}}), 300.0, ErrorCode::UnknownFluid,
            Repeated({{"unknown fluid \"a", 1}, {"ä", 19}, {"...\"; closest: air, ammonia", 1}})}));

TEST(ValuesTest, AreTheReadingsSiValuesOrNaNOutsideTheRange) {
  for (const Category& category : Categories())
    for (const Fluid& fluid : category.fluids) {
      ASSERT_EQ(PropertyCount(fluid), LookUp(fluid, fluid.Tmin)->count);
      double out[14];
      for (double t : {fluid.Tmin, std::nextafter((fluid.Tmin + fluid.Tmax) / 2, 0.0), fluid.Tmax}) {
        ASSERT_TRUE(LookUpValues(fluid, t, out));
        const Result r = LookUp(fluid, t);
        for (int i = 0; i < r->count; ++i) {
          const double v = r->shown[i].value;
          EXPECT_TRUE(std::isnan(v) ? std::isnan(out[i]) : out[i] == v) << fluid.id << " " << t << " " << i;
        }
      }
      for (double t : {kNaN, kInf, fluid.Tmax + 1e-9, -0.0}) {
        out[0] = 1;
        EXPECT_FALSE(LookUpValues(fluid, t, out)) << fluid.id << " " << t;
        EXPECT_TRUE(std::isnan(out[0]));
      }
    }
}

// The values loop of many temperatures takes its own path to SI: it must
// agree bit for bit with the readings, on the rows and between them.
void ExpectValuesAgreeWithTheReading(const Fluid& fluid, double t) {
  const Result r = LookUp(fluid, t);
  double out[14];
  if (!r) {
    EXPECT_FALSE(LookUpValues(fluid, t, out)) << fluid.id << " " << t;
    return;
  }
  ASSERT_TRUE(LookUpValues(fluid, t, out)) << fluid.id << " " << t;
  for (int k = 0; k < r->count; ++k) {
    const double v = r->shown[k].value;
    ASSERT_TRUE(std::isnan(v) ? std::isnan(out[k]) : out[k] == v) << fluid.id << " " << t << " " << k;
  }
}

TEST(ValuesTest, AgreeWithTheReadingsOverEveryRange) {
  for (const Category& category : Categories())
    for (const Fluid& fluid : category.fluids) {
      const int steps = static_cast<int>((fluid.Tmax - fluid.Tmin) / 0.5);
      for (int i = 0; i <= steps; ++i) {
        const double grid = fluid.Tmin + i * 0.5;
        for (double t : {grid, std::nextafter(grid, 0.0), std::nextafter(grid, fluid.Tmax)})
          ExpectValuesAgreeWithTheReading(fluid, t);
        const Result reading = LookUp(fluid, grid);
        for (double row : reading->source.Rows()) ExpectValuesAgreeWithTheReading(fluid, row);
      }
    }
}

TEST(VersionTest, IsTheHeadersVersion) {
  EXPECT_EQ(Version(), VANTOREL_VERSION_STRING);
  EXPECT_EQ(VANTOREL_VERSION, VANTOREL_VERSION_MAJOR * 10000 + VANTOREL_VERSION_MINOR * 100 + VANTOREL_VERSION_PATCH);
}

}  // namespace
}  // namespace vantorel
