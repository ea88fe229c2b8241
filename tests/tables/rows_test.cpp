// Rows of readings as text: the header and a row of each format, written by
// hand from the book's rows in data/; the JSON document as a whole; and no
// row ever longer than the room its writer asks for.

#include <vantorel/vantorel.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantorel {
namespace {

std::string RowOf(RowWriter& writer, double t, std::string_view tText) {
  std::string row(writer.RowSize(tText.size()), '\0');
  row.resize(writer.WriteRow(row.data(), t, tText) - row.data());
  return row;
}

struct Written {
  const char* fluid;
  double t;
  const char* tText;
  RowFormat format;
  std::string header, row;
};
std::ostream& operator<<(std::ostream& os, const Written& w) {
  return os << w.fluid << " " << w.tText << " format " << static_cast<int>(w.format);
}

class RowWriterTest : public testing::TestWithParam<Written> {};

TEST_P(RowWriterTest, WritesTheHeaderAndARowAsTheBookReads) {
  const Written& w = GetParam();
  RowWriter writer(*FindFluid(w.fluid), w.format);
  EXPECT_EQ(writer.Header(), w.header);
  EXPECT_EQ(RowOf(writer, w.t, w.tText), w.row);
}

// Air between its rows at 300 and 350 K; saturated water at its critical
// point, where c_p and Pr are infinite and β_f has no value; lead at 977 K,
// where the book has no c_p, α or Pr.
const std::string kAirCsv = "T,Rho,Cp,Mu,Nu,K,Alpha,Pr,Beta\n";
const std::string kWaterCsv = "T,P,Vf,Vg,Hfg,Cpf,Cpg,Muf,Mug,Kf,Kg,Prf,Prg,Sigmaf,Betaf\n";
const std::string kLeadCsv = "T,Rho,Cp,Nu,K,Alpha,Pr\n";
const std::string kAirRow = "310,1.1281,1.007,189.3E-7,16.9E-6,27E-3,24E-6,0.706,3.23E-3\n";
const std::string kWaterRow =
    "647.3,221.2,3.17E-3,0.0032,0,INFINITE,INFINITE,45E-6,45E-6,238E-3,238E-3,INFINITE,INFINITE,0E-3,----\n";
const std::string kLeadRow = "977,10140,----,1.347E-7,14.9,----,----\n";

INSTANTIATE_TEST_SUITE_P(
    EachFormat, RowWriterTest,
    testing::Values(
        Written{"air", 310, "310", RowFormat::Csv, kAirCsv, kAirRow},
        Written{"air", 310, "310", RowFormat::SiCsv,
                "T [K],rho [kg/m^3],cp [J/(kg*K)],mu [Pa*s],nu [m^2/s],k [W/(m*K)],alpha [m^2/s],Pr [-],beta [1/K]\n",
                "310,1.1281,1007,1.893e-05,1.69e-05,0.027,2.4e-05,0.706,0.00323\n"},
        Written{"air", 310, "310", RowFormat::Tsv,
                "T (K)\tρ (kg/m³)\tc_p (kJ/kg·K)\tμ (N·s/m²)\tν (m²/s)\tk (W/m·K)\tα (m²/s)\tPr\tβ (K⁻¹)\n",
                "310\t1.1281\t1.007\t189.3E-7\t16.9E-6\t27E-3\t24E-6\t0.706\t3.23E-3\n"},
        Written{"water", 647.3, "647.3", RowFormat::Csv, kWaterCsv, kWaterRow},
        Written{"water", 647.3, "647.3", RowFormat::SiCsv,
                "T [K],P [Pa],v_f [m^3/kg],v_g [m^3/kg],h_fg [J/kg],cp_f [J/(kg*K)],cp_g [J/(kg*K)],mu_f [Pa*s],"
                "mu_g [Pa*s],k_f [W/(m*K)],k_g [W/(m*K)],Pr_f [-],Pr_g [-],sigma_f [N/m],beta_f [1/K]\n",
                "647.3,22120000,0.00317,0.0032,0,inf,inf,4.5e-05,4.5e-05,0.238,0.238,inf,inf,0,\n"},
        Written{"water", 647.3, "647.3", RowFormat::Tsv,
                "T (K)\tP (bar)\tv_f (m³/kg)\tv_g (m³/kg)\th_fg (kJ/kg)\tc_p,f (kJ/kg·K)\tc_p,g (kJ/kg·K)\tμ_f (N·s/m²)"
                "\tμ_g (N·s/m²)\tk_f (W/m·K)\tk_g (W/m·K)\tPr_f\tPr_g\tσ_f (N/m)\tβ_f (K⁻¹)\n",
                "647.3\t221.2\t3.17E-3\t0.0032\t0\tINFINITE\tINFINITE\t45E-6\t45E-6\t238E-3\t238E-3\tINFINITE\tINFINITE"
                "\t0E-3\t----\n"},
        Written{"lead", 977, "977", RowFormat::Csv, kLeadCsv, kLeadRow},
        Written{"lead", 977, "977", RowFormat::SiCsv,
                "T [K],rho [kg/m^3],cp [J/(kg*K)],nu [m^2/s],k [W/(m*K)],alpha [m^2/s],Pr [-]\n",
                "977,10140,,1.347e-07,14.9,,\n"},
        Written{"lead", 977, "977", RowFormat::Tsv,
                "T (K)\tρ (kg/m³)\tc_p (kJ/kg·K)\tν (m²/s)\tk (W/m·K)\tα (m²/s)\tPr\n",
                "977\t10140\t----\t1.347E-7\t14.9\t----\t----\n"},
        Written{"lead", 977, "977", RowFormat::Json,
                R"j({"fluid":"lead","name":"Lead","category":"Liquid Metals","table":"A.7",)j"
                R"j("range":{"Tmin":644.0,"Tmax":977.0,"text":"644K <= T <= 977K"},"properties":{)j"
                R"j("Rho":{"name":"density","symbol":"ρ","unit":"kg/m³","siUnit":"kg/m³"},)j"
                R"j("Cp":{"name":"specific heat","symbol":"c_p","unit":"kJ/kg·K","siUnit":"J/(kg·K)"},)j"
                R"j("Nu":{"name":"kinematic viscosity","symbol":"ν","unit":"m²/s","siUnit":"m²/s"},)j"
                R"j("K":{"name":"thermal conductivity","symbol":"k","unit":"W/m·K","siUnit":"W/(m·K)"},)j"
                R"j("Alpha":{"name":"thermal diffusivity","symbol":"α","unit":"m²/s","siUnit":"m²/s"},)j"
                R"j("Pr":{"name":"Prandtl number","symbol":"Pr","unit":"","siUnit":""}},"results":[)j",
                "\n"
                R"j({"T":977.0,"properties":{)j"
                R"j("Rho":{"text":"10140","state":"value","value":10140.0,"unit":"kg/m³","si":10140.0},)j"
                R"j("Cp":{"text":"----","state":"none","value":null,"unit":"kJ/kg·K","si":null},)j"
                R"j("Nu":{"text":"1.347E-7","state":"value","value":1.347e-07,"unit":"m²/s","si":1.347e-07},)j"
                R"j("K":{"text":"14.9","state":"value","value":14.9,"unit":"W/m·K","si":14.9},)j"
                R"j("Alpha":{"text":"----","state":"none","value":null,"unit":"m²/s","si":null},)j"
                R"j("Pr":{"text":"----","state":"none","value":null,"unit":"","si":null}},)j"
                R"j("source":{"table":"A.7","rows":[977.0],"corrected":false}})j"}));

// A JSON value, read strictly (RFC 8259): enough to walk a document.
struct Json {
  enum class Kind { Null, Boolean, Number, String, Array, Object } kind = Kind::Null;
  double number = 0;
  std::string text;
  std::vector<Json> items;
  std::vector<std::pair<std::string, Json>> members;

  const Json* Member(std::string_view key) const {
    for (const auto& [k, v] : members)
      if (k == key) return &v;
    return nullptr;
  }
};

class JsonReader {
 public:
  // The document `text` holds, or nothing when it is not exactly one JSON value.
  static std::optional<Json> Read(std::string_view text) {
    JsonReader reader{text};
    std::optional<Json> value = reader.Value();
    reader.Blanks();
    if (reader.at_ != text.size()) return std::nullopt;
    return value;
  }

 private:
  explicit JsonReader(std::string_view text) : text_(text) {}

  void Blanks() {
    while (at_ < text_.size() && std::string_view(" \t\n\r").find(text_[at_]) != std::string_view::npos) ++at_;
  }
  bool Take(std::string_view word) {
    if (!text_.substr(at_).starts_with(word)) return false;
    at_ += word.size();
    return true;
  }
  std::size_t Digits() {
    const std::size_t from = at_;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
    return at_ - from;
  }

  std::optional<std::string> String() {
    if (!Take("\"")) return std::nullopt;
    std::string out;
    while (at_ < text_.size() && text_[at_] != '"') {
      const char c = text_[at_++];
      if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ == text_.size()) return std::nullopt;
      const char e = text_[at_++];
      if (e == 'u') {
        if (at_ + 4 > text_.size()) return std::nullopt;
        for (int k = 0; k < 4; ++k)
          if (!std::isxdigit(static_cast<unsigned char>(text_[at_++]))) return std::nullopt;
        out += '?';  // the character itself does not matter here
      } else if (std::string_view("\"\\/bfnrt").find(e) != std::string_view::npos) {
        out += e;
      } else {
        return std::nullopt;
      }
    }
    if (!Take("\"")) return std::nullopt;
    return out;
  }

  std::optional<Json> Value() {
    Blanks();
    Json v;
    if (Take("null")) return v;
    if (Take("true") || Take("false")) return v.kind = Json::Kind::Boolean, v;
    if (at_ < text_.size() && text_[at_] == '"') {
      std::optional<std::string> s = String();
      if (!s) return std::nullopt;
      v.kind = Json::Kind::String, v.text = *s;
      return v;
    }
    if (Take("[")) {
      v.kind = Json::Kind::Array;
      Blanks();
      if (Take("]")) return v;
      do {
        std::optional<Json> item = Value();
        if (!item) return std::nullopt;
        v.items.push_back(*item);
        Blanks();
      } while (Take(","));
      return Take("]") ? std::optional(v) : std::nullopt;
    }
    if (Take("{")) {
      v.kind = Json::Kind::Object;
      Blanks();
      if (Take("}")) return v;
      do {
        Blanks();
        std::optional<std::string> key = String();
        Blanks();
        if (!key || !Take(":")) return std::nullopt;
        std::optional<Json> member = Value();
        if (!member) return std::nullopt;
        v.members.emplace_back(*key, *member);
        Blanks();
      } while (Take(","));
      return Take("}") ? std::optional(v) : std::nullopt;
    }
    // -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
    const std::size_t from = at_;
    Take("-");
    if (!Take("0") && Digits() == 0) return std::nullopt;
    if (Take(".") && Digits() == 0) return std::nullopt;
    if (Take("e") || Take("E")) {
      if (!Take("+")) Take("-");
      if (Digits() == 0) return std::nullopt;
    }
    v.kind = Json::Kind::Number;
    v.number = std::strtod(std::string(text_.substr(from, at_ - from)).c_str(), nullptr);
    return v;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

TEST(JsonReaderTest, TakesJsonAndNothingElse) {
  for (const char* good : {R"({"a":[1,-0.5,2e-7,1E+3,null,true,"\u00e9\"x"]})", " [] ", "0"})
    EXPECT_TRUE(JsonReader::Read(good)) << good;
  for (const char* bad : {"", "[1,]", "{\"a\" 1}", "01", "1.", ".5", "inf", "NaN", "[1] 2", "\"\t\"", "{'a':1}"})
    EXPECT_FALSE(JsonReader::Read(bad)) << bad;
}

// The texts of the Csv rows above, cell by cell, for the JSON rows.
std::vector<std::string> CellsOf(const std::string& csvRow) {
  std::vector<std::string> cells;
  std::size_t from = 0;
  for (std::size_t comma; (comma = csvRow.find_first_of(",\n", from)) != std::string::npos; from = comma + 1)
    cells.push_back(csvRow.substr(from, comma - from));
  return cells;
}

TEST(JsonRowsTest, MakeOneDocumentWhoseNumbersAreNumbersOrNull) {
  const struct {
    const char* fluid;
    double t;
    const char* tText;
    std::string csvRow;
  } sweeps[] = {{"air", 310, "310", kAirRow}, {"water", 647.3, "647.3", kWaterRow}, {"lead", 977, "977", kLeadRow}};
  for (const auto& sweep : sweeps) {
    const Fluid& fluid = *FindFluid(sweep.fluid);
    RowWriter writer(fluid, RowFormat::Json);
    std::string document = writer.Header();
    document += RowOf(writer, fluid.Tmin, NumberText(fluid.Tmin));  // rows in the order written
    document += RowOf(writer, sweep.t, sweep.tText);
    document += writer.Footer();
    const std::optional<Json> json = JsonReader::Read(document);
    ASSERT_TRUE(json) << document;
    ASSERT_TRUE(json->Member("results"));
    const std::vector<Json>& results = json->Member("results")->items;
    ASSERT_EQ(results.size(), 2u) << sweep.fluid;
    const std::vector<std::string> cells = CellsOf(sweep.csvRow);
    for (const Json& row : results) {
      ASSERT_TRUE(row.Member("properties")) << sweep.fluid;
      const auto& properties = row.Member("properties")->members;
      ASSERT_EQ(properties.size(), static_cast<std::size_t>(PropertyCount(fluid)));
      for (std::size_t i = 0; i < properties.size(); ++i) {
        const auto& [id, p] = properties[i];
        const Json *text = p.Member("text"), *state = p.Member("state");
        ASSERT_TRUE(text && state) << id;
        const bool hasValue = state->text == "value";
        for (const char* key : {"value", "si"}) {
          ASSERT_TRUE(p.Member(key)) << id << " " << key;
          EXPECT_EQ(p.Member(key)->kind, hasValue ? Json::Kind::Number : Json::Kind::Null) << id << " " << key;
        }
        if (&row == &results.back()) {
          EXPECT_EQ(text->text, cells[i + 1]) << sweep.fluid << " " << id;
          EXPECT_EQ(state->text, cells[i + 1] == "----" ? "none" : cells[i + 1] == "INFINITE" ? "infinite" : "value");
        }
      }
    }
  }
}

TEST(RowSizeTest, IsNeverExceeded) {
  constexpr std::size_t kGuard = 64;
  constexpr char kUnwritten = '\x7f';
  for (const Category& category : Categories())
    for (const Fluid& fluid : category.fluids)
      for (const RowFormat format : {RowFormat::Csv, RowFormat::SiCsv, RowFormat::Tsv, RowFormat::Json}) {
        RowWriter writer(fluid, format);
        // The JSON rows after the first start with a comma: write two of each.
        for (const double t : {fluid.Tmin, fluid.Tmin, fluid.Tmax, std::nextafter(fluid.Tmax, 0.0)}) {
          const std::string tText = NumberText(t);
          const std::size_t room = writer.RowSize(tText.size());
          std::string buffer(room + kGuard, kUnwritten);
          const char* end = writer.WriteRow(buffer.data(), t, tText);
          EXPECT_LE(static_cast<std::size_t>(end - buffer.data()), room) << fluid.id << " " << t;
          EXPECT_EQ(buffer.substr(room), std::string(kGuard, kUnwritten)) << fluid.id << " " << t;
        }
      }
}

}  // namespace
}  // namespace vantorel
