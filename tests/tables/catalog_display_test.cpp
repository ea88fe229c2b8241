// The catalog's texts, ranges and look-ups by name, and the text a result
// label shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "Catalog.h"
#include "Display.h"

namespace vantorel {
namespace {

TEST(CatalogTest, ListsTheCategoriesAndFluidsAsTheWindowShowsThem) {
  ASSERT_EQ(Categories().size(), 4u);
  EXPECT_EQ(CategoryAt(1)->name, "Gases at Atmoshperic Pressure");
  EXPECT_EQ(CategoryAt(2)->name, "Saturated Fluids");
  EXPECT_EQ(CategoryAt(3)->name, "Saturated Water");
  EXPECT_EQ(CategoryAt(4)->name, "Liquid Metals");
  EXPECT_EQ(CategoryAt(0), nullptr);
  EXPECT_EQ(CategoryAt(5), nullptr);
  EXPECT_EQ(CategoryAt(1)->fluids.size(), 9u);
  EXPECT_EQ(CategoryAt(2)->fluids.size(), 5u);
  EXPECT_EQ(CategoryAt(3)->fluids.size(), 1u);
  EXPECT_EQ(CategoryAt(4)->fluids.size(), 7u);
  EXPECT_EQ(FluidAt(2, 4)->name, "Freon (Refrigerant-12) (CCl2F2)");
  EXPECT_EQ(FluidAt(2, 3)->name, "Glycerin [C3H5(OH)3]");
  EXPECT_EQ(FluidAt(4, 7)->name, "PbBi (44.5%/55.5%)");
  EXPECT_EQ(FluidAt(1, 0), nullptr);
  EXPECT_EQ(FluidAt(1, 10), nullptr);
}

struct Range {
  const char* id;
  int category, fluid;
  const char* text;
};

std::ostream& operator<<(std::ostream& os, const Range& r) { return os << r.id; }

class RangeTest : public testing::TestWithParam<Range> {};

TEST_P(RangeTest, FindsTheFluidAndShowsItsRange) {
  const Range r = GetParam();
  const Fluid* fluid = FindFluid(r.id);
  ASSERT_NE(fluid, nullptr) << r.id;
  EXPECT_EQ(fluid->category, r.category);
  EXPECT_EQ(fluid, FluidAt(r.category, r.fluid));
  EXPECT_EQ(RangeText(*fluid), r.text);
}

INSTANTIATE_TEST_SUITE_P(
    AllFluids, RangeTest,
    testing::Values(
        Range{"air", 1, 1, "100K <= T <= 3000K"}, Range{"ammonia", 1, 2, "300K <= T <= 580K"},
        Range{"carbon-dioxide", 1, 3, "280K <= T <= 800K"}, Range{"carbon-monoxide", 1, 4, "200K <= T <= 800K"},
        Range{"helium", 1, 5, "100K <= T <= 1000K"}, Range{"hydrogen", 1, 6, "100K <= T <= 2000K"},
        Range{"nitrogen", 1, 7, "100K <= T <= 1300K"}, Range{"oxygen", 1, 8, "100K <= T <= 1300K"},
        Range{"water-vapor", 1, 9, "380K <= T <= 850K"}, Range{"engine-oil", 2, 1, "273K <= T <= 430K"},
        Range{"ethylene-glycol", 2, 2, "273K <= T <= 373K"}, Range{"glycerin", 2, 3, "273K <= T <= 320K"},
        Range{"freon-12", 2, 4, "230K <= T <= 320K"}, Range{"mercury", 2, 5, "273K <= T <= 600K"},
        Range{"saturated-water", 3, 1, "273.15K <= T <= 647.3K"}, Range{"bismuth", 4, 1, "589K <= T <= 1033K"},
        Range{"lead", 4, 2, "644K <= T <= 977K"}, Range{"potassium", 4, 3, "422K <= T <= 977K"},
        Range{"sodium", 4, 4, "366K <= T <= 977K"}, Range{"nak-45", 4, 5, "366K <= T <= 977K"},
        Range{"nak-22", 4, 6, "366K <= T <= 1033K"}, Range{"pbbi", 4, 7, "422K <= T <= 922K"},
        // List texts and aliases work too, in any case.
        Range{"WATER VAPOR (STEAM)", 1, 9, "380K <= T <= 850K"},
        Range{"ethylene glycol [c2h4(oh)2]", 2, 2, "273K <= T <= 373K"}, Range{"Water", 3, 1, "273.15K <= T <= 647.3K"},
        Range{"H2O", 3, 1, "273.15K <= T <= 647.3K"}, Range{"steam", 1, 9, "380K <= T <= 850K"},
        Range{"CO2", 1, 3, "280K <= T <= 800K"}, Range{"co", 1, 4, "200K <= T <= 800K"},
        Range{"R-12", 2, 4, "230K <= T <= 320K"}, Range{"r12", 2, 4, "230K <= T <= 320K"},
        Range{"oil", 2, 1, "273K <= T <= 430K"}, Range{"Hg", 2, 5, "273K <= T <= 600K"},
        Range{"k", 4, 3, "422K <= T <= 977K"}, Range{"LBE", 4, 7, "422K <= T <= 922K"}));

// A name as the catalog compares it: lower case, without spaces, hyphens and
// underscores.
std::string KeyOf(std::string_view name) {
  std::string key;
  for (const char c : name)
    if (c != ' ' && c != '-' && c != '_') key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return key;
}

// Every name the catalog answers to for `fluid`: id, list text, the list
// text before its bracketed formula, aliases.
std::vector<std::string> NamesOf(const Fluid& fluid) {
  std::vector<std::string> names{std::string(fluid.id), std::string(fluid.name)};
  const std::string_view listText = fluid.name;
  std::string_view bare = listText.substr(0, listText.find_first_of("(["));
  while (bare.ends_with(' ')) bare.remove_suffix(1);
  names.emplace_back(bare);
  names.insert(names.end(), fluid.aliases.begin(), fluid.aliases.end());
  return names;
}

// The two NaK alloys share "NaK", the list text before their brackets.
constexpr std::string_view kSharedKey = "nak";

TEST(CatalogTest, NoTwoFluidsShareANameOnceCaseAndSeparatorsAreIgnored) {
  std::map<std::string, std::set<std::string_view>> owners;  // key -> ids
  for (const Category& category : Categories())
    for (const Fluid& fluid : category.fluids) {
      EXPECT_EQ(&CategoryOf(fluid), &category);
      for (const std::string& name : NamesOf(fluid)) owners[KeyOf(name)].insert(fluid.id);
    }
  for (const auto& [key, ids] : owners)
    EXPECT_TRUE(ids.size() == 1 || key == kSharedKey) << key << " names " << ids.size() << " fluids";
  EXPECT_EQ(owners[std::string(kSharedKey)], (std::set<std::string_view>{"nak-45", "nak-22"}));
}

TEST(CatalogTest, EveryNameResolvesToItsFluidHoweverItIsWritten) {
  const auto variants = [](std::string name) {
    std::string upper = name, spaced = name, underscored = name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::replace(spaced.begin(), spaced.end(), '-', ' ');
    std::replace_if(
        underscored.begin(), underscored.end(), [](char c) { return c == '-' || c == ' '; }, '_');
    return std::vector<std::string>{name, upper, spaced, underscored, " \t" + spaced + " \n"};
  };
  for (const Category& category : Categories())
    for (const Fluid& fluid : category.fluids)
      for (const std::string& name : NamesOf(fluid)) {
        if (KeyOf(name) == kSharedKey) continue;
        for (const std::string& typed : variants(name)) {
          const FluidResult found = ResolveFluid(typed);
          EXPECT_TRUE(found.ok() && *found == &fluid) << "\"" << typed << "\" for " << fluid.id;
          EXPECT_EQ(FindFluid(typed), &fluid) << typed;
        }
      }
}

TEST(CatalogTest, TheWaterBoundsAreTheDoublesNearestTheirDecimals) {
  EXPECT_EQ(FindFluid("saturated-water")->Tmin, 273.15);
  EXPECT_EQ(FindFluid("saturated-water")->Tmax, 647.3);
}

// What a name stands for: the fluid (None, its id), or why none, with the
// ids offered instead: by alias, by part of a name, then by spelling.
struct Nearby {
  const char* typed;
  ErrorCode code;
  std::vector<std::string_view> ids;
};
std::ostream& operator<<(std::ostream& os, const Nearby& n) { return os << n.typed; }

class ResolveFluidTest : public testing::TestWithParam<Nearby> {};

TEST_P(ResolveFluidTest, FindsTheFluidOrNamesTheNearest) {
  const Nearby& n = GetParam();
  const FluidResult found = ResolveFluid(n.typed);
  EXPECT_EQ(found.error().code, n.code);
  if (found) {
    ASSERT_EQ(n.ids.size(), 1u);
    EXPECT_EQ((*found)->id, n.ids[0]);
  } else {
    EXPECT_EQ(*found, nullptr);
    EXPECT_EQ(std::vector(found.error().closest().begin(), found.error().closest().end()), n.ids);
  }
  EXPECT_EQ(ClosestIds(n.typed), n.ids);
}

constexpr ErrorCode kFound = ErrorCode::None, kUnknown = ErrorCode::UnknownFluid,
                    kAmbiguous = ErrorCode::AmbiguousFluid;

INSTANTIATE_TEST_SUITE_P(
    Names, ResolveFluidTest,
    testing::Values(Nearby{"water vapour", kFound, {"water-vapor"}}, Nearby{"Water_Vapor", kFound, {"water-vapor"}},
                    Nearby{"nak 45", kFound, {"nak-45"}}, Nearby{"NAK_22", kFound, {"nak-22"}},
                    Nearby{"pb bi", kFound, {"pbbi"}}, Nearby{"freon12", kFound, {"freon-12"}},
                    // A name that could be either alloy names both.
                    Nearby{"nak", kAmbiguous, {"nak-45", "nak-22"}}, Nearby{"NaK", kAmbiguous, {"nak-45", "nak-22"}},
                    Nearby{" N a-K ", kAmbiguous, {"nak-45", "nak-22"}}, Nearby{"", kUnknown, {}},
                    Nearby{" \t", kUnknown, {}},
                    // Misspelt: the fewest edits.
                    Nearby{"ait", kUnknown, {"air"}}, Nearby{"Helum", kUnknown, {"helium"}},
                    Nearby{"oxigen", kUnknown, {"oxygen"}}, Nearby{"watr", kUnknown, {"saturated-water"}},
                    Nearby{"steem", kUnknown, {"water-vapor"}}, Nearby{"argon", kUnknown, {"freon-12"}},
                    Nearby{"Carbon Monoxide (C0)", kUnknown, {"carbon-monoxide"}},
                    // Part of a name is nearer than any misspelling.
                    Nearby{"ai", kUnknown, {"air"}}, Nearby{"air conditioning", kUnknown, {"air"}},
                    Nearby{"carbon", kUnknown, {"carbon-dioxide", "carbon-monoxide"}},
                    Nearby{"glyc", kUnknown, {"ethylene-glycol", "glycerin"}},
                    Nearby{"dioxide", kUnknown, {"carbon-dioxide"}}, Nearby{"liquid mercury", kUnknown, {"mercury"}}));

struct Number {
  double v;
  const char* text;
};

std::ostream& operator<<(std::ostream& os, const Number& n) { return os << n.text; }

class NumberTextTest : public testing::TestWithParam<Number> {};

TEST_P(NumberTextTest, WritesTheShortestRoundTripForm) { EXPECT_EQ(NumberText(GetParam().v), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(TableValues, NumberTextTest,
                         testing::Values(Number{1.1614, "1.1614"}, Number{0.5, "0.5"}, Number{47000, "47000"},
                                         Number{0.00611, "0.00611"}, Number{0.0032, "0.0032"}, Number{3000, "3000"},
                                         Number{273.15, "273.15"}, Number{-68, "-68"}, Number{1.1281, "1.1281"},
                                         Number{0.1 + 0.2, "0.30000000000000004"}));

TEST(NumberTextTest, UsesTheGivenDecimalSeparator) {
  EXPECT_EQ(NumberText(1.1281, ","), "1,1281");
  EXPECT_EQ(NumberText(300, ","), "300");
}

TEST(LabelTextTest, GasLabelsCarryTheirPowersOfTen) {
  PropertyState s;
  s.Rho = 1.1281, s.Cp = 1.007, s.Mu = 184.6, s.Nu = 16.9, s.K = 27, s.Alpha = 24, s.Pr = 0.706;
  s.Beta = 3.23;
  const char* expected[] = {"1.1281", "1.007", "184.6E-7", "16.9E-6", "27E-3", "24E-6", "0.706", "3.23E-3"};
  for (int label = 0; label < 8; ++label) EXPECT_EQ(LabelText(1, label, s), expected[label]) << label;
  EXPECT_EQ(LabelText(1, 8, s), std::nullopt);
  // Saturated fluids show viscosity in 10^-2 and diffusivity in 10^-7.
  EXPECT_EQ(LabelText(2, 2, s), "184.6E-2");
  EXPECT_EQ(LabelText(2, 5, s), "24E-7");
  // No marker test for these categories: -1 is shown as a number.
  s.Cp = -1;
  EXPECT_EQ(LabelText(1, 1, s), "-1");
}

TEST(LabelTextTest, WaterShowsMarkersOnlyWhereItsLabelsTestForThem) {
  PropertyState s;
  s.Temp = 647.3;
  s.P = -1, s.Cpf = -1, s.Cpg = -2, s.Prf = 12, s.Prg = -2, s.Betaf = -1, s.Vf = 3.17;
  s.Muf = 45;
  EXPECT_EQ(LabelText(3, 0, s), "-1");
  EXPECT_EQ(LabelText(3, 1, s), "3.17E-3");
  EXPECT_EQ(LabelText(3, 4, s), "----");
  EXPECT_EQ(LabelText(3, 5, s), "INFINITE");
  EXPECT_EQ(LabelText(3, 6, s), "45E-6");
  EXPECT_EQ(LabelText(3, 10, s), "12");
  EXPECT_EQ(LabelText(3, 11, s), "INFINITE");
  EXPECT_EQ(LabelText(3, 13, s), "----");
  s.Betaf = -2;  // only exactly -1 is a marker for Betaf
  EXPECT_EQ(LabelText(3, 13, s), "-2E-6");
  s.Betaf = -68;
  EXPECT_EQ(LabelText(3, 13, s), "-68E-6");
}

TEST(LabelTextTest, WatersExpansionCoefficientOfMinusOneIsAValueWhereTheBookHasOne) {
  // Between 275 and 280 K the coefficient changes sign; near 277.01 K it
  // rounds to -1, which is a value there, not the no-value marker.
  PropertyState s;
  s.Temp = 277.015;
  WriteSlots(s, LookUpSlots(*FindFluid("saturated-water"), s.Temp));
  ASSERT_EQ(s.Betaf, -1);
  EXPECT_EQ(LabelText(3, 13, s), "-1E-6");
  s.Temp = 420;
  EXPECT_EQ(LabelText(3, 13, s), "-1E-6");
  s.Temp = 420.001;
  EXPECT_EQ(LabelText(3, 13, s), "----");
}

TEST(LabelTextTest, MetalsLeaveTheViscosityRowAndTheRightColumnUnwritten) {
  PropertyState s;
  s.Rho = 10411, s.Cp = -1, s.Nu = 1.847, s.K = 15.6, s.Alpha = -1, s.Pr = -1;
  EXPECT_EQ(LabelText(4, 0, s), "10411");
  EXPECT_EQ(LabelText(4, 1, s), "----");
  EXPECT_EQ(LabelText(4, 2, s), std::nullopt);
  EXPECT_EQ(LabelText(4, 3, s), "1.847E-7");
  EXPECT_EQ(LabelText(4, 4, s), "15.6");
  EXPECT_EQ(LabelText(4, 5, s), "----");
  EXPECT_EQ(LabelText(4, 6, s), "----");
  EXPECT_EQ(LabelText(4, 7, s), std::nullopt);
  EXPECT_EQ(LabelText(0, 0, s), std::nullopt);
}

}  // namespace
}  // namespace vantorel
