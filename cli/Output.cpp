#include "Output.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "CsvRows.h"
#include "ShortestText.h"

namespace vantorel::cli {

namespace {

using Json = nlohmann::ordered_json;  // keeps keys in label order

char* Put(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

// A reading of a temperature the request has checked already.
Reading ReadingAt(const Fluid& fluid, double t) { return LookUp(fluid, t).reading(); }

// Terminal columns taken by UTF-8 text: every symbol and unit here is one
// column per code point ("ρ", "N·s/m²").
std::size_t Width(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

void PutPadded(OutputBuffer& out, std::string_view text, std::size_t width) {
  out.Append(text);
  for (std::size_t w = Width(text); w < width; ++w) out.Append(' ');
}

// CSV text cells are quoted only when they must be.
std::string CsvCell(std::string_view text) {
  if (text.find_first_of(",\"\n") == std::string_view::npos) return std::string(text);
  std::string cell = "\"";
  for (char c : text) {
    if (c == '"') cell += '"';
    cell += c;
  }
  return cell + '"';
}

// The window's texts, as the web page's CSV has them too (tables/CsvRows.h).
class CsvWriter final : public RowWriter {
 public:
  CsvWriter(const Fluid& fluid, OutputBuffer& out) : rows_(fluid), out_(out) {}

  void Begin() override { out_.Append(rows_.Header()); }

  void Row(double t, std::string_view tText) override {
    out_.Commit(rows_.WriteLine(out_.Reserve(rows_.LineSize(tText.size())), t, tText));
  }

  void End() override {}

 private:
  CsvRows rows_;
  OutputBuffer& out_;
};

class TableWriter final : public RowWriter {
 public:
  TableWriter(const Fluid& fluid, OutputBuffer& out) : fluid_(fluid), out_(out) {
    for (const ShownProperty& p : Shown(CategoryOf(fluid))) {
      nameWidth_ = std::max(nameWidth_, Width(p.name));
      symbolWidth_ = std::max(symbolWidth_, Width(p.symbol));
    }
  }

  void Begin() override {}

  void Row(double t, std::string_view tText) override {
    if (rows_++ > 0) out_.Append('\n');
    out_.Append(fluid_.name);
    out_.Append(" at T = ");
    out_.Append(tText);
    out_.Append(" K\n");

    const Reading reading = ReadingAt(fluid_, t);
    out_.Append("  source: ");
    out_.Append(cli::SourceText(reading));
    out_.Append('\n');
    std::vector<std::string> texts;
    std::size_t textWidth = Width(kValueTitle);
    for (const Property& p : reading.properties()) {
      texts.push_back(p.text());
      textWidth = std::max(textWidth, Width(texts.back()));
    }
    Line(kPropertyTitle, kSymbolTitle, kValueTitle, kUnitTitle, textWidth);
    for (std::size_t i = 0; i < texts.size(); ++i) {
      const Property& p = reading.properties()[i];
      Line(p.name, p.symbol, texts[i], p.bookUnit, textWidth);
    }
  }

  void End() override {}

 private:
  static constexpr std::string_view kPropertyTitle = "property", kSymbolTitle = "symbol", kValueTitle = "value",
                                    kUnitTitle = "unit";

  void Line(std::string_view name, std::string_view symbol, std::string_view text, std::string_view unit,
            std::size_t textWidth) {
    out_.Append("  ");
    PutPadded(out_, name, nameWidth_ + 2);
    PutPadded(out_, symbol, symbolWidth_ + 2);
    if (unit.empty()) {
      out_.Append(text);  // no trailing blanks
    } else {
      PutPadded(out_, text, textWidth + 2);
      out_.Append(unit);
    }
    out_.Append('\n');
  }

  const Fluid& fluid_;
  OutputBuffer& out_;
  std::size_t nameWidth_ = Width(kPropertyTitle), symbolWidth_ = Width(kSymbolTitle);
  std::size_t rows_ = 0;
};

// Plain SI numbers, straight from the checked look-up.
class SiCsvWriter final : public RowWriter {
 public:
  SiCsvWriter(const Fluid& fluid, OutputBuffer& out)
      : fluid_(fluid), values_(static_cast<std::size_t>(PropertyCount(fluid))), out_(out) {}

  void Begin() override {
    out_.Append("T [K]");
    for (const ShownProperty& p : Shown(CategoryOf(fluid_))) {
      out_.Append(',');
      out_.Append(AsciiText(p.symbol));
      out_.Append(" [");
      out_.Append(p.unit.si.empty() ? std::string("-") : AsciiText(p.unit.si));
      out_.Append(']');
    }
    out_.Append('\n');
  }

  void Row(double t, std::string_view tText) override {
    LookUpValues(fluid_, t, values_.data());
    char* p = out_.Reserve(kMaxTemperatureText + values_.size() * (kShortestTextSize + 1) + 1);
    p = Put(p, tText);
    for (const double v : values_) {
      *p++ = ',';
      if (std::isinf(v))
        p = Put(p, "inf");  // what Python, NumPy and pandas read as infinity
      else if (!std::isnan(v))
        p = WriteShortest(p, v);  // no value: an empty cell
    }
    *p++ = '\n';
    out_.Commit(p);
  }

  void End() override {}

 private:
  const Fluid& fluid_;
  std::vector<double> values_;
  OutputBuffer& out_;
};

// The working of a look-up, as a student writes it down.
class ExplainWriter final : public RowWriter {
 public:
  ExplainWriter(const Fluid& fluid, OutputBuffer& out) : fluid_(fluid), out_(out) {}

  void Begin() override {}

  void Row(double t, std::string_view tText) override {
    const Reading reading = ReadingAt(fluid_, t);
    out_.Append(fluid_.name);
    out_.Append(" at T = ");
    out_.Append(tText);
    out_.Append(" K\n  source: ");
    out_.Append(cli::SourceText(reading));
    out_.Append('\n');
    for (const Property& p : reading.properties()) {
      out_.Append("  ");
      out_.Append(p.name);
      if (!p.bookUnit.empty()) {
        out_.Append(" (");
        out_.Append(p.bookUnit);
        out_.Append(')');
      }
      out_.Append(": ");
      out_.Append(p.text());
      out_.Append("\n    ");
      out_.Append(Working(reading, p));
      out_.Append('\n');
    }
  }

  void End() override {
    out_.Append(
        "Values from the table lie on the straight line between the book's two rows around T, and are then\n"
        "rounded to the decimals the table prints (a half to the even digit); at a row's own temperature they\n"
        "are that row's.\n");
  }

 private:
  const Fluid& fluid_;
  OutputBuffer& out_;
};

Json RangeOf(const Fluid& fluid) {
  return Json{{"Tmin", fluid.Tmin}, {"Tmax", fluid.Tmax}, {"text", RangeText(fluid)}};
}

// A value for JSON: the number, null where there is none, "infinite".
Json JsonNumber(ValueState state, double value) {
  switch (state) {
    case ValueState::NoValue:
      return nullptr;
    case ValueState::Infinite:
      return "infinite";
    case ValueState::Value:
      break;
  }
  return value;
}

class JsonWriter final : public RowWriter {
 public:
  JsonWriter(const Fluid& fluid, OutputBuffer& out) : fluid_(fluid), out_(out) {}

  // The envelope is one object whose last member, "results", is streamed:
  // the head is dumped without its closing brace, each row follows as its own
  // dump, and End closes the array and the object.
  void Begin() override {
    const Category& category = CategoryOf(fluid_);
    Json head;
    head["fluid"] = fluid_.id;
    head["name"] = fluid_.name;
    head["category"] = category.name;
    head["table"] = category.table;
    head["range"] = RangeOf(fluid_);
    Json& properties = head["properties"] = Json::object();
    for (const ShownProperty& p : Shown(category)) {
      properties[std::string(SlotName(p.slot))] = {
          {"name", p.name}, {"symbol", p.symbol}, {"unit", p.unit.book}, {"siUnit", p.unit.si}};
    }
    std::string text = head.dump();
    text.pop_back();  // the closing brace
    out_.Append(text);
    out_.Append(",\"results\":[");
  }

  void Row(double t, std::string_view tText) override {
    const Reading reading = ReadingAt(fluid_, t);
    Json row;
    Json& properties = row["properties"] = Json::object();
    for (const Property& p : reading.properties()) {
      const std::string text = p.text();
      properties[std::string(p.id)] = {{"text", text},
                                       {"value", JsonNumber(p.state, ScaledDecimal(p.book, p.places, p.power))},
                                       {"unit", p.bookUnit},
                                       {"si", JsonNumber(p.state, p.value)}};
    }
    const Source& source = reading.source;
    Json rows = Json::array();
    for (const double r : source.Rows()) rows.push_back(r);
    row["source"] = {{"table", source.table}, {"rows", std::move(rows)}, {"corrected", source.corrected}};
    // T goes in as its text, so a sweep's 273.35 stays 273.35; with ".0"
    // when it has no point, as a JSON writer writes a whole double.
    out_.Append(rows_++ > 0 ? ",\n" : "\n");
    out_.Append("{\"T\":");
    out_.Append(tText);
    if (tText.find_first_of(".eE") == std::string_view::npos) out_.Append(".0");
    out_.Append(',');
    out_.Append(std::string_view(row.dump()).substr(1));
  }

  void End() override { out_.Append("\n]}\n"); }

 private:
  const Fluid& fluid_;
  OutputBuffer& out_;
  std::size_t rows_ = 0;
};

std::string AliasesText(const Fluid& fluid) {
  std::string text;
  for (const std::string_view alias : fluid.aliases) {
    if (!text.empty()) text += ", ";
    text += alias;
  }
  return text;
}

void WriteListTable(OutputBuffer& out) {
  std::size_t idWidth = 0, textWidth = 0, rangeWidth = 0;
  for (const Category& category : Categories()) {
    for (const Fluid& fluid : category.fluids) {
      idWidth = std::max(idWidth, Width(fluid.id));
      textWidth = std::max(textWidth, Width(fluid.name));
      rangeWidth = std::max(rangeWidth, Width(RangeText(fluid)));
    }
  }
  bool first = true;
  for (const Category& category : Categories()) {
    if (!first) out.Append('\n');
    first = false;
    out.Append(category.name);
    out.Append('\n');
    for (const Fluid& fluid : category.fluids) {
      out.Append("  ");
      PutPadded(out, fluid.id, idWidth + 2);
      PutPadded(out, fluid.name, textWidth + 2);
      if (fluid.aliases.empty()) {
        out.Append(RangeText(fluid));
      } else {
        PutPadded(out, RangeText(fluid), rangeWidth + 2);
        out.Append("also ");
        out.Append(AliasesText(fluid));
      }
      out.Append('\n');
    }
  }
}

void WriteListCsv(OutputBuffer& out) {
  out.Append("category,id,name,Tmin,Tmax\n");
  for (const Category& category : Categories()) {
    for (const Fluid& fluid : category.fluids) {
      out.Append(CsvCell(category.name));
      out.Append(',');
      out.Append(CsvCell(fluid.id));
      out.Append(',');
      out.Append(CsvCell(fluid.name));
      out.Append(',');
      out.Append(NumberText(fluid.Tmin));
      out.Append(',');
      out.Append(NumberText(fluid.Tmax));
      out.Append('\n');
    }
  }
}

void WriteListJson(OutputBuffer& out) {
  Json categories = Json::array();
  for (const Category& category : Categories()) {
    Json fluids = Json::array();
    for (const Fluid& fluid : category.fluids) {
      Json aliases = Json::array();
      for (const std::string_view alias : fluid.aliases) aliases.push_back(alias);
      fluids.push_back(
          {{"id", fluid.id}, {"name", fluid.name}, {"aliases", std::move(aliases)}, {"range", RangeOf(fluid)}});
    }
    categories.push_back({{"name", category.name}, {"table", category.table}, {"fluids", std::move(fluids)}});
  }
  out.Append(Json{{"categories", std::move(categories)}}.dump(2));
  out.Append('\n');
}

}  // namespace

std::string SourceText(const Reading& reading) {
  std::string text = std::string(reading.fluid->name) + ", " + TableAndRowsText(reading.source);
  std::string corrected;
  for (const Property& p : reading.properties()) {
    if (!p.corrected) continue;
    if (!corrected.empty()) corrected += ", ";
    corrected += p.symbol;
  }
  if (!corrected.empty()) text += "; " + corrected + " from a cell that corrects a misprint in the book";
  return text;
}

std::string AsciiText(std::string_view text) {
  struct Spelling {
    std::string_view from, to;
  };
  // The symbols and SI units the categories show, and nothing else.
  static constexpr Spelling kSpellings[] = {
      {"c_p", "cp"}, {",", "_"},     {"ρ", "rho"}, {"μ", "mu"}, {"ν", "nu"}, {"α", "alpha"},
      {"β", "beta"}, {"σ", "sigma"}, {"·", "*"},   {"²", "^2"}, {"³", "^3"}, {"⁻¹", "^-1"},
  };
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto spelling = std::find_if(std::begin(kSpellings), std::end(kSpellings),
                                       [&](const Spelling& s) { return text.substr(i).starts_with(s.from); });
    if (spelling == std::end(kSpellings)) {
      out += text[i++];
    } else {
      out += spelling->to;
      i += spelling->from.size();
    }
  }
  return out;
}

std::unique_ptr<RowWriter> MakeRowWriter(const Request& request, const Fluid& fluid, OutputBuffer& out) {
  if (request.explain) return std::make_unique<ExplainWriter>(fluid, out);
  switch (request.format) {
    case Format::Csv:
      if (request.si) return std::make_unique<SiCsvWriter>(fluid, out);
      return std::make_unique<CsvWriter>(fluid, out);
    case Format::Json:
      return std::make_unique<JsonWriter>(fluid, out);
    case Format::Table:
      break;
  }
  return std::make_unique<TableWriter>(fluid, out);
}

void WriteResults(const Request& request, OutputBuffer& out) {
  const Temperatures& temperatures = *request.temperatures;
  const auto writer = MakeRowWriter(request, *request.fluid, out);
  writer->Begin();
  char text[kMaxTemperatureText];
  for (std::size_t i = 0; i < temperatures.size(); ++i)
    writer->Row(temperatures[i], std::string_view(text, temperatures.PutText(text, i)));
  writer->End();
}

void WriteList(Format format, OutputBuffer& out) {
  switch (format) {
    case Format::Table:
      return WriteListTable(out);
    case Format::Csv:
      return WriteListCsv(out);
    case Format::Json:
      return WriteListJson(out);
  }
}

}  // namespace vantorel::cli
