// Turning the command line's texts into a checked request.

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "Display.h"
#include "Request.h"

namespace vantorel::cli {
namespace {

Arguments LookUpOf(std::string fluid, std::vector<std::string> temperatures) {
  Arguments a;
  a.fluid = std::move(fluid);
  a.temperatures = std::move(temperatures);
  return a;
}

std::string RefusalOf(const Arguments& a) {
  const auto made = MakeRequest(a);
  return std::holds_alternative<Refusal>(made) ? std::get<Refusal>(made).message : "(accepted)";
}

TEST(RequestTest, FindsFluidsByIdOrListTextInAnyCase) {
  for (const char* name : {"carbon-dioxide", "CARBON-DIOXIDE", "Carbon Dioxide (CO2)", "carbon dioxide (co2)"}) {
    const auto made = MakeRequest(LookUpOf(name, {"400"}));
    ASSERT_TRUE(std::holds_alternative<Request>(made)) << name << ": " << std::get<Refusal>(made).message;
    const Request& request = std::get<Request>(made);
    EXPECT_EQ(request.fluid, FluidAt(1, 3)) << name;
  }
}

TEST(RequestTest, KeepsTheTemperaturesInTheirOrder) {
  const auto made = MakeRequest(LookUpOf("air", {"310", "100", "3000", "0x136"}));
  ASSERT_TRUE(std::holds_alternative<Request>(made));
  const Temperatures& t = *std::get<Request>(made).temperatures;
  ASSERT_EQ(t.size(), 4u);
  EXPECT_EQ(t[0], 310);
  EXPECT_EQ(t[1], 100);
  EXPECT_EQ(t[2], 3000);
  EXPECT_EQ(t[3], 310);
}

TEST(RequestTest, BothEndsOfTheRangeAreInside) {
  EXPECT_EQ(RefusalOf(LookUpOf("air", {"100", "3000"})), "(accepted)");
  Arguments sweep = LookUpOf("air", {});
  sweep.from = "100", sweep.to = "3000", sweep.step = "2900";
  EXPECT_EQ(RefusalOf(sweep), "(accepted)");
}

TEST(RequestTest, ATemperatureOutsideTheRangeGetsTheWindowsWordsAndTheRange) {
  for (const char* t : {"99.9", "3000.0001", "-5", "0"}) {
    const std::string message = RefusalOf(LookUpOf("air", {"310", t}));
    EXPECT_EQ(message.find("The temperature specified falls outside the temperature range."), 0u) << message;
    EXPECT_NE(message.find("100K <= T <= 3000K"), std::string::npos) << message;
    EXPECT_NE(message.find(t), std::string::npos) << message;
  }
  Arguments sweep = LookUpOf("helium", {});
  sweep.from = "100", sweep.to = "1000.5", sweep.step = "1";
  EXPECT_NE(RefusalOf(sweep).find("--to 1000.5 is not within 100K <= T <= 1000K"), std::string::npos);
}

TEST(RequestTest, EveryFluidIsAcceptedAtBothEndsOfItsRange) {
  for (const Category& category : Categories())
    for (const Fluid& fluid : category.fluids)
      for (const double t : {fluid.Tmin, fluid.Tmax})
        EXPECT_EQ(RefusalOf(LookUpOf(std::string(fluid.id), {NumberText(t)})), "(accepted)") << fluid.id;
}

TEST(RequestTest, AnUnknownFluidIsRefusedNamingTheClosestIds) {
  EXPECT_EQ(RefusalOf(LookUpOf("helum", {"300"})), "unknown fluid \"helum\"; closest: helium (--list shows them all)");
}

TEST(RequestTest, ListTakesNothingElse) {
  Arguments a;
  a.list = true;
  const auto made = MakeRequest(a);
  ASSERT_TRUE(std::holds_alternative<Request>(made));
  EXPECT_TRUE(std::get<Request>(made).list);
  a.fluid = "air";
  EXPECT_NE(RefusalOf(a).find("--list"), std::string::npos);
}

TEST(FormatTest, NamesTheThreeFormatsInAnyCase) {
  EXPECT_EQ(FormatNamed("table"), Format::Table);
  EXPECT_EQ(FormatNamed("CSV"), Format::Csv);
  EXPECT_EQ(FormatNamed("Json"), Format::Json);
  EXPECT_EQ(FormatNamed("xml"), std::nullopt);
  EXPECT_EQ(FormatNamed(""), std::nullopt);
}

}  // namespace
}  // namespace vantorel::cli
