// vantorel-props reads and writes '.' whatever the process locale is, also
// when a host program has switched it to a locale that writes decimal
// commas. The German locale is compiled for the test with localedef into a
// folder of its own, so the machine's installed locales do not matter.

#include <gtest/gtest.h>

#include <unistd.h>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <locale>
#include <string>

#include "Capture.h"

namespace vantorel::cli {
namespace {

using testing::Outcome;
using testing::RunInProcess;

const std::vector<std::vector<std::string>> kRequests = {
    {"air", "310.5", "-f", "csv"},
    {"air", "310.5", "-f", "json"},
    {"air", "310.5"},
    {"saturated-water", "--from", "273.15", "--to", "274.15", "--step", "0.25", "-f", "csv"},
    {"saturated-water", "647.3", "-f", "json"},
    {"pbbi", "644", "700.5", "-f", "csv"},
    {"--list"},
};

class CommaLocaleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / "vantorel-locale-test";
    const fs::path locale = dir / "de_DE.UTF-8";
    std::error_code ignored;
    if (!fs::exists(locale / "LC_NUMERIC")) {
      // Tests run side by side: each compiles its own copy, and the first to
      // finish moves it into place whole.
      const fs::path own = dir / ("building-" + std::to_string(getpid()));
      fs::create_directories(own);
      const std::string command = "localedef -c -i de_DE -f UTF-8 '" + (own / "de_DE.UTF-8").string() + "' 2>/dev/null";
      if (std::system(command.c_str()) == 0 || fs::exists(own / "de_DE.UTF-8" / "LC_NUMERIC"))
        fs::rename(own / "de_DE.UTF-8", locale, ignored);
      fs::remove_all(own, ignored);
    }
    built_ = fs::exists(locale / "LC_NUMERIC");
    setenv("LOCPATH", dir.c_str(), 1);
  }

  void SetUp() override {
    if (!built_) GTEST_SKIP() << "localedef could not build de_DE.UTF-8";
    for (const auto& request : kRequests) {
      inC_.push_back(RunInProcess(request));
      ASSERT_EQ(inC_.back().code, 0) << inC_.back().err;
    }
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    std::locale::global(std::locale("de_DE.UTF-8"));
  }

  void TearDown() override {
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
  }

  static inline bool built_ = false;
  std::vector<Outcome> inC_;
};

TEST_F(CommaLocaleTest, WritesExactlyWhatItWritesInTheCLocale) {
  for (std::size_t i = 0; i < kRequests.size(); ++i) {
    const Outcome german = RunInProcess(kRequests[i]);
    EXPECT_EQ(german.code, 0) << german.err;
    EXPECT_EQ(german.out, inC_[i].out) << "request " << i;
  }
  // And the text is the one with points.
  EXPECT_NE(inC_[0].out.find("310.5,1.1265,1.007,189.6E-7"), std::string::npos) << inC_[0].out;
}

TEST_F(CommaLocaleTest, StillRefusesADecimalComma) {
  const Outcome outcome = RunInProcess({"air", "310,5"});
  EXPECT_EQ(outcome.code, 2);
  EXPECT_EQ(outcome.out, "");
}

}  // namespace
}  // namespace vantorel::cli
