// The shell completions: bash's function run as bash runs it on a Tab, and
// the fluid names both scripts offer, against the catalog.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include <vantorel/vantorel.h>

namespace vantorel::cli {
namespace {

const std::string kDirectory = VANTOREL_COMPLETION_DIR;

std::string Quoted(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// What bash offers for the words of a command line, the last one being
// completed; the offers one per line, sorted.
std::string Offers(const std::vector<std::string>& words) {
  std::string command =
      "bash -c 'source \"$0\"; COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1)); _vantorel_props; "
      "printf \"%s\\n\" \"${COMPREPLY[@]}\" | LC_ALL=C sort' " +
      Quoted(kDirectory + "/vantorel-props.bash");
  for (const std::string& word : words) {
    command += ' ';
    command += Quoted(word);
  }
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return "(bash did not start)";
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  if (pclose(pipe) != 0) out += "(bash failed)";
  return out == "\n" ? "" : out;
}

struct Completion {
  std::vector<std::string> words;
  std::string offers;
};
std::ostream& operator<<(std::ostream& os, const Completion& c) {
  for (const std::string& w : c.words) os << '[' << w << ']';
  return os;
}

class BashCompletionTest : public ::testing::TestWithParam<Completion> {};

TEST_P(BashCompletionTest, OffersWhatFitsThere) { EXPECT_EQ(Offers(GetParam().words), GetParam().offers); }

INSTANTIATE_TEST_SUITE_P(
    CommandLines, BashCompletionTest,
    ::testing::Values(Completion{{"vantorel-props", "wat"}, "water\nwater-vapor\nwater-vapour\n"},
                      Completion{{"vantorel-props", "Na"}, "na\nnak-22\nnak-45\nnak22\nnak45\n"},
                      Completion{{"vantorel-props", "--format", "csv", "co"}, "co\nco2\n"},
                      Completion{{"vantorel-props", "--fo"}, "--format\n"},
                      Completion{{"vantorel-props", "air", "310", "--e"}, "--explain\n"},
                      Completion{{"vantorel-props", "-f", ""}, "csv\njson\ntable\n"},
                      Completion{{"vantorel-props", "air", "--format", "J"}, "json\n"},
                      Completion{{"vantorel-props", "air", "--format", "=", ""}, "csv\njson\ntable\n"},
                      Completion{{"vantorel-props", "air", "--format", "=", "c"}, "csv\n"},
                      // After the fluid, and after --from and the like, come temperatures.
                      Completion{{"vantorel-props", "air", ""}, ""}, Completion{{"vantorel-props", "air", "-1"}, ""},
                      Completion{{"vantorel-props", "air", "--from", ""}, ""},
                      Completion{{"vantorel-props", "--list", "--v"}, "--version\n"}));

// Every id and alias of the catalog, in catalog order, blank-separated.
std::string CatalogNames() {
  std::string names;
  for (const Category& category : Categories()) {
    for (const Fluid& fluid : category.fluids) {
      names += std::string(fluid.id) + ' ';
      for (const std::string_view alias : fluid.aliases) names += std::string(alias) + ' ';
    }
  }
  return names;
}

std::string Lines(std::string blankSeparated) {
  std::vector<std::string> names;
  std::istringstream words(blankSeparated);
  for (std::string w; words >> w;) names.push_back(w);
  std::sort(names.begin(), names.end());
  std::string lines;
  for (const std::string& n : names) lines += n + '\n';
  return lines;
}

TEST(BashCompletionTest, OffersEveryIdAndAliasOfTheCatalogForTheFluid) {
  EXPECT_EQ(Offers({"vantorel-props", ""}), Lines(CatalogNames()));
}

TEST(ZshCompletionTest, ListsEveryIdAndAliasOfTheCatalog) {
  std::ifstream file(kDirectory + "/_vantorel-props");
  std::stringstream text;
  text << file.rdbuf();
  const std::string script = text.str();
  const auto start = script.find("local -a fluids=(");
  ASSERT_NE(start, std::string::npos);
  const auto open = script.find('(', start) + 1;
  EXPECT_EQ(Lines(script.substr(open, script.find(')', open) - open)), Lines(CatalogNames()));
}

}  // namespace
}  // namespace vantorel::cli
