// <vantorel/vantorel_c.h>: every C call gives what the C++ door gives, in
// values, states, texts and error messages; and no argument a C caller can
// pass breaks it.

#include <vantorel/vantorel.h>
#include <vantorel/vantorel_c.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace vantorel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string LastError() {
  char message[1024];
  vantorel_last_error(message, sizeof message);
  return message;
}

// A text through the C face, with room for any.
std::string Text(const std::function<int(char*, std::size_t)>& call) {
  char text[512];
  const int length = call(text, sizeof text);
  EXPECT_GE(length, 0) << LastError();
  EXPECT_LT(length, static_cast<int>(sizeof text));
  return length < 0 ? "" : text;
}

void ExpectSameValue(double c, double cpp) {
  if (std::isnan(cpp))
    EXPECT_TRUE(std::isnan(c)) << c;
  else
    EXPECT_EQ(c, cpp);
}

int CodeOf(const Error& error) { return static_cast<int>(error.code) + 1; }

struct Asked {
  const char* fluid;
  double t;
};
std::ostream& operator<<(std::ostream& os, const Asked& a) { return os << '"' << a.fluid << "\" " << a.t; }

class CFaceTest : public testing::TestWithParam<Asked> {};

TEST_P(CFaceTest, GivesWhatTheCppDoorGives) {
  const Asked a = GetParam();
  const Result door = LookUp(a.fluid, a.t);
  int error = -1;
  const double rho = vantorel_si(a.fluid, a.t, "rHO", &error);
  const int fluid = vantorel_resolve_fluid(a.fluid);
  double values[kSlotCount];
  int states[kSlotCount];

  if (!door) {
    const int code = CodeOf(door.error());
    EXPECT_TRUE(std::isnan(rho));
    EXPECT_EQ(error, code);
    EXPECT_EQ(LastError(), door.error().message());
    // Cut as snprintf cuts, with the whole length returned.
    char cut[10];
    EXPECT_EQ(vantorel_last_error(cut, sizeof cut), static_cast<int>(door.error().message().size()));
    EXPECT_EQ(std::string(cut), door.error().message().substr(0, 9));
    if (fluid < 0) {
      EXPECT_EQ(-fluid, code);
      return;
    }
    EXPECT_EQ(vantorel_lookup(fluid, a.t, values, states), code);
    for (int k = 0; k < vantorel_property_count(fluid); ++k) {
      EXPECT_TRUE(std::isnan(values[k]));
      EXPECT_EQ(states[k], VANTOREL_NO_VALUE);
    }
    char text[64];
    EXPECT_EQ(vantorel_value_text(fluid, a.t, 0, text, sizeof text), -code);
    EXPECT_EQ(vantorel_source_text(fluid, a.t, text, sizeof text), -code);
    // Among other temperatures, its row alone is NaN.
    const double t[] = {door.error().fluid->Tmin, a.t, door.error().fluid->Tmax};
    std::vector<double> rows(3 * static_cast<std::size_t>(vantorel_property_count(fluid)));
    std::size_t outside = 0;
    EXPECT_EQ(vantorel_lookup_n(fluid, t, 3, rows.data(), &outside), code);
    EXPECT_EQ(outside, 1u);
    EXPECT_EQ(LastError(), door.error().message());
    EXPECT_FALSE(std::isnan(rows[0]));
    EXPECT_TRUE(std::isnan(rows[rows.size() / 3]));
    return;
  }

  const Reading& r = *door;
  ASSERT_GE(fluid, 0) << LastError();
  EXPECT_EQ(Text([&](char* o, std::size_t n) { return vantorel_fluid_text(fluid, VANTOREL_FLUID_ID, o, n); }),
            r.fluid->id);
  ASSERT_EQ(vantorel_property_count(fluid), r.count);
  ASSERT_EQ(vantorel_lookup(fluid, a.t, values, states), VANTOREL_OK);
  const double twice[] = {a.t, a.t};
  std::vector<double> rows(2 * static_cast<std::size_t>(r.count));
  std::size_t outside = 9;
  EXPECT_EQ(vantorel_lookup_n(fluid, twice, 2, rows.data(), &outside), VANTOREL_OK);
  EXPECT_EQ(outside, 0u);
  for (const Property& p : r.properties()) {
    SCOPED_TRACE(p.id);
    const int k = static_cast<int>(&p - r.shown.data());
    std::string lower(p.id);
    for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    EXPECT_EQ(vantorel_find_property(fluid, lower.c_str()), k);
    const auto text = [&](int field) {
      return Text([&](char* o, std::size_t n) { return vantorel_property_text(fluid, k, field, o, n); });
    };
    EXPECT_EQ(text(VANTOREL_PROPERTY_ID), p.id);
    EXPECT_EQ(text(VANTOREL_PROPERTY_NAME), p.name);
    EXPECT_EQ(text(VANTOREL_PROPERTY_SYMBOL), p.symbol);
    EXPECT_EQ(text(VANTOREL_PROPERTY_SI_UNIT), p.unit);
    EXPECT_EQ(text(VANTOREL_PROPERTY_BOOK_UNIT), p.bookUnit);
    EXPECT_EQ(states[k], static_cast<int>(p.state));
    ExpectSameValue(values[k], p.value);
    ExpectSameValue(rows[r.count + k], p.value);
    ExpectSameValue(vantorel_si(a.fluid, a.t, lower.c_str(), &error), p.value);
    EXPECT_EQ(error, VANTOREL_OK);
    EXPECT_EQ(Text([&](char* o, std::size_t n) { return vantorel_value_text(fluid, a.t, k, o, n); }), p.text());
    const Quantity us = ValueIn(p, UnitSystem::US);
    EXPECT_EQ(Text([&](char* o, std::size_t n) { return vantorel_text_in(fluid, a.t, k, "US", o, n); }), us.text());
    EXPECT_EQ(Text([&](char* o, std::size_t n) { return vantorel_unit_in(fluid, k, "us", o, n); }), us.unit.text);
    ExpectSameValue(vantorel_value_in(a.fluid, a.t, lower.c_str(), "us", &error), us.value);
  }
  const std::string source = SourceText(r);
  EXPECT_EQ(Text([&](char* o, std::size_t n) { return vantorel_source_text(fluid, a.t, o, n); }), source);
  // Asked for its length alone, then cut as snprintf cuts.
  EXPECT_EQ(vantorel_source_text(fluid, a.t, nullptr, 0), static_cast<int>(source.size()));
  char cut[8] = "xxxxxxx";
  EXPECT_EQ(vantorel_source_text(fluid, a.t, cut, 1), static_cast<int>(source.size()));
  EXPECT_EQ(std::string(cut), "");
  EXPECT_EQ(vantorel_source_text(fluid, a.t, cut, sizeof cut), static_cast<int>(source.size()));
  EXPECT_EQ(std::string(cut), source.substr(0, 7));
}

INSTANTIATE_TEST_SUITE_P(CFace, CFaceTest,
                         testing::Values(Asked{"air", 310},                // between rows
                                         Asked{"air", 1250},               // a corrected cell: α
                                         Asked{"Carbon Dioxide", 300},     // a row's own temperature, by list text
                                         Asked{"engine-oil", 273},         // a power of ten of its own
                                         Asked{"saturated water", 647.3},  // infinite
                                         Asked{"saturated-water", 430},    // no value
                                         Asked{"lead", 756},               // no value, among metals
                                         Asked{"pbbi", 644},               // brackets of its own columns
                                         Asked{"airr", 310},               // unknown
                                         Asked{"", 310},                   // no name
                                         Asked{"nak", 400},                // ambiguous
                                         Asked{"air", 5000},               // above the range
                                         Asked{"air", 99.99},              // below it
                                         Asked{"air", kNaN},               // not finite
                                         Asked{"air", -kInf}));

// Calls a C caller can get wrong: each gives its code and a sentence.
struct Misuse {
  const char* what;
  std::function<int()> call;  // the code, whether returned as it is or negated
  int code;
  const char* message;
};
std::ostream& operator<<(std::ostream& os, const Misuse& m) { return os << m.what; }

class CFaceMisuseTest : public testing::TestWithParam<Misuse> {};

TEST_P(CFaceMisuseTest, GivesItsCodeAndSaysWhy) {
  const Misuse m = GetParam();
  EXPECT_EQ(std::abs(m.call()), m.code);
  EXPECT_EQ(LastError(), m.message);
}

char scratchText[64];
double scratchValues[kSlotCount];
double scratchKelvin;

INSTANTIATE_TEST_SUITE_P(
    CFace, CFaceMisuseTest,
    testing::Values(
        Misuse{"a negative fluid", [] { return vantorel_fluid_text(-1, VANTOREL_FLUID_ID, scratchText, 64); },
               VANTOREL_BAD_INDEX, "no fluid -1: fluids are numbered 0 to 21"},
        Misuse{"one fluid past the last",
               [] { return vantorel_lookup(vantorel_fluid_count(), 300, scratchValues, nullptr); }, VANTOREL_BAD_INDEX,
               "no fluid 22: fluids are numbered 0 to 21"},
        Misuse{"a field past the last",
               [] { return vantorel_fluid_text(0, VANTOREL_FLUID_RANGE + 1, scratchText, 64); }, VANTOREL_BAD_INDEX,
               "no field 5: fields are numbered 0 to 4"},
        Misuse{"a property past the last", [] { return vantorel_value_text(0, 310, 8, scratchText, 64); },
               VANTOREL_BAD_INDEX, "no property 8 of Air: its properties are numbered 0 to 7"},
        Misuse{"a property field past the last",
               [] { return vantorel_property_text(0, 0, VANTOREL_PROPERTY_BOOK_UNIT + 1, scratchText, 64); },
               VANTOREL_BAD_INDEX, "no field 7: fields are numbered 0 to 6"},
        Misuse{"water's property of air", [] { return vantorel_find_property(0, "sigmaf"); }, VANTOREL_UNKNOWN_PROPERTY,
               "Air has no property \"sigmaf\"; its properties: Rho Cp Mu Nu K Alpha Pr Beta"},
        Misuse{"an id with control and non-ASCII bytes",
               [] {
                 int error = 0;
                 EXPECT_TRUE(std::isnan(vantorel_si("air", 310, "m\x01\xc2\xb5\"", &error)));
                 return error;
               },
               VANTOREL_UNKNOWN_PROPERTY,
               "Air has no property \"m\\x01\\xc2\\xb5\\x22\"; its properties: Rho Cp Mu Nu K Alpha Pr Beta"},
        Misuse{"an id of 50 bytes", [] { return vantorel_find_property(0, std::string(50, 'x').c_str()); },
               VANTOREL_UNKNOWN_PROPERTY,
               "Air has no property \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\"; its properties: Rho Cp Mu Nu K "
               "Alpha Pr Beta"},
        Misuse{"no fluid name", [] { return vantorel_resolve_fluid(nullptr); }, VANTOREL_NULL_POINTER,
               "the fluid's name is NULL"},
        Misuse{"no property id, and nowhere for the error",
               [] { return std::isnan(vantorel_si("air", 310, nullptr, nullptr)) ? VANTOREL_NULL_POINTER : 0; },
               VANTOREL_NULL_POINTER, "the fluid's name or the property's id is NULL"},
        Misuse{"no values array", [] { return vantorel_lookup(0, 310, nullptr, nullptr); }, VANTOREL_NULL_POINTER,
               "the values array is NULL"},
        Misuse{"no temperatures", [] { return vantorel_lookup_n(0, nullptr, 3, scratchValues, nullptr); },
               VANTOREL_NULL_POINTER, "the temperatures or the values array is NULL"},
        Misuse{"a NULL buffer with room", [] { return vantorel_source_text(0, 310, nullptr, 10); },
               VANTOREL_NULL_POINTER, "the text buffer is NULL but its size is not 0"},
        Misuse{"no range out", [] { return vantorel_fluid_range(0, &scratchKelvin, nullptr); }, VANTOREL_NULL_POINTER,
               "t_min or t_max is NULL"},
        Misuse{"a text that is no temperature", [] { return vantorel_parse_temperature("abc", &scratchKelvin); },
               VANTOREL_NOT_A_TEMPERATURE,
               "\"abc\" is not a temperature: give kelvin (310.5) or degrees with their unit (36.85 °C, 98.33 °F)"},
        Misuse{"units nobody has", [] { return vantorel_unit_in(0, 0, "metric", scratchText, 64); },
               VANTOREL_UNKNOWN_UNITS, "unknown units \"metric\": give book, si, engineering or us"},
        Misuse{"a pressure without its unit",
               [] { return vantorel_saturation_temperature("2", &scratchKelvin); }, VANTOREL_NOT_A_PRESSURE,
               "P = \"2\" has no unit: give one, as in 2 bar, kPa, MPa, Pa, atm or psi"},
        Misuse{"a pressure above the critical point",
               [] { return vantorel_saturation_temperature("300 bar", &scratchKelvin); },
               VANTOREL_PRESSURE_OUT_OF_RANGE,
               "P = 300 bar is outside the range of Saturated Water, 0.00611 bar to 221.2 bar"}));

TEST(CFaceSaturationTest, GivesTheDoorsTSat) {
  double kelvin = 0;
  ASSERT_EQ(vantorel_saturation_temperature("2 bar", &kelvin), VANTOREL_OK);
  EXPECT_EQ(kelvin, SaturationAt(*FindFluid("water"), "2 bar")->T);
}

TEST(CFaceErrorTest, IsThisThreadsOwn) {
  EXPECT_LT(vantorel_resolve_fluid("airr"), 0);
  std::thread([] { EXPECT_LT(vantorel_resolve_fluid(nullptr), 0); }).join();
  EXPECT_EQ(LastError(), "unknown fluid \"airr\"; closest: air");
  // A call that succeeds leaves it.
  EXPECT_EQ(vantorel_resolve_fluid("air"), 0);
  EXPECT_EQ(LastError(), "unknown fluid \"airr\"; closest: air");
}

}  // namespace
}  // namespace vantorel
