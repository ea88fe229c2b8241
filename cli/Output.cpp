#include "Output.h"

#include <algorithm>
#include <string>
#include <vector>

namespace vantorel::cli {

namespace {

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

// A CSV text cell, quoted only when it must be.
std::string CsvCell(std::string_view text) {
  if (text.find_first_of(",\"\n") == std::string_view::npos) return std::string(text);
  std::string cell = "\"";
  for (char c : text) {
    if (c == '"') cell += '"';
    cell += c;
  }
  return cell + '"';
}

// A reading of a temperature the request has checked already.
Reading ReadingAt(const Fluid& fluid, double t) { return LookUp(fluid, t).reading(); }

// "Air at T = 310 K" ("at T = 98.33 °F (310 K)" in other units, "at P = 2
// bar: T_sat = 393.12 K" for a pressure), then where its values come from,
// with the fluid's name so that a block read alone still says what it is
// about.
void PutHeading(OutputBuffer& out, const Reading& reading, std::string_view tText, TemperatureUnit unit,
                const Saturation* saturation) {
  out.Append(reading.fluid->name);
  if (saturation) {
    out.Append(" at P = ");
    out.Append(NumberText(saturation->typed));
    out.Append(' ');
    out.Append(UnitSymbol(saturation->unit));
    out.Append(": T_sat = ");
  } else {
    out.Append(" at T = ");
  }
  out.Append(tText);
  out.Append(' ');
  out.Append(UnitSymbol(unit));
  if (unit != TemperatureUnit::Kelvin) {
    out.Append(" (");
    out.Append(NumberText(reading.T));
    out.Append(" K)");
  }
  out.Append("\n  source: ");
  out.Append(reading.fluid->name);
  out.Append(", ");
  out.Append(SourceText(reading));
  out.Append('\n');
}

class TableWriter {
 public:
  TableWriter(const Fluid& fluid, UnitSystem units, OutputBuffer& out) : fluid_(fluid), units_(units), out_(out) {
    for (const PropertyInfo& p : PropertiesOf(fluid)) {
      nameWidth_ = std::max(nameWidth_, Width(p.name));
      symbolWidth_ = std::max(symbolWidth_, Width(p.symbol));
    }
  }

  void Row(double t, std::string_view tText, TemperatureUnit unit, const Saturation* saturation) {
    if (rows_++ > 0) out_.Append('\n');
    const Reading reading = ReadingAt(fluid_, t);
    PutHeading(out_, reading, tText, unit, saturation);
    std::vector<Quantity> values;
    std::size_t textWidth = Width(kValueTitle);
    for (const Property& p : reading.properties()) {
      values.push_back(ValueIn(p, units_));
      textWidth = std::max(textWidth, Width(values.back().text()));
    }
    Line(kPropertyTitle, kSymbolTitle, kValueTitle, kUnitTitle, textWidth);
    for (std::size_t i = 0; i < values.size(); ++i) {
      const Property& p = reading.properties()[i];
      Line(p.name, p.symbol, values[i].text(), values[i].unit.text, textWidth);
    }
  }

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
  UnitSystem units_;
  OutputBuffer& out_;
  std::size_t nameWidth_ = Width(kPropertyTitle), symbolWidth_ = Width(kSymbolTitle);
  std::size_t rows_ = 0;
};

// The working of one look-up, as a student writes it down.
void WriteExplanation(const Fluid& fluid, double t, std::string_view tText, TemperatureUnit unit,
                      const Saturation* saturation, OutputBuffer& out) {
  const Reading reading = ReadingAt(fluid, t);
  PutHeading(out, reading, tText, unit, saturation);
  const auto indented = [&out](std::string_view lines) {
    for (std::size_t start = 0; start < lines.size();) {
      const std::size_t end = std::min(lines.find('\n', start), lines.size());
      out.Append("  ");
      out.Append(lines.substr(start, end - start));
      out.Append('\n');
      start = end + 1;
    }
  };
  if (saturation) indented(SaturationWorking(*saturation));
  for (const Property& p : reading.properties()) {
    out.Append("  ");
    out.Append(p.name);
    if (!p.bookUnit.empty()) {
      out.Append(" (");
      out.Append(p.bookUnit);
      out.Append(')');
    }
    out.Append(": ");
    out.Append(p.text());
    out.Append("\n    ");
    out.Append(Working(reading, p));
    out.Append('\n');
  }
  out.Append(
      "Values from the table lie on the straight line between the book's two rows around T, and are then\n"
      "rounded to the decimals the table prints (a half to the even digit); at a row's own temperature they\n"
      "are that row's.\n");
}

// The library's rows, written straight into the buffer.
void WriteRows(const Temperatures& temperatures, const Fluid& fluid, RowFormat format, UnitSystem units,
               OutputBuffer& out) {
  RowWriter writer(fluid, format, units, temperatures.unit());
  const std::size_t rowSize = writer.RowSize(kSweepTextSize);
  out.Append(writer.Header());
  char text[kSweepTextSize];
  for (std::size_t i = 0; i < temperatures.size() && !out.failed(); ++i) {
    const std::string_view tText(text, static_cast<std::size_t>(temperatures.PutText(text, i) - text));
    out.Commit(writer.WriteRow(out.Reserve(rowSize), temperatures[i], tText));
  }
  out.Append(writer.Footer());
}

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

}  // namespace

void WriteResults(const Request& request, OutputBuffer& out) {
  const Temperatures& temperatures = *request.temperatures;
  const Fluid& fluid = *request.fluid;
  char text[kSweepTextSize];
  const auto textAt = [&](std::size_t i) {
    return std::string_view(text, static_cast<std::size_t>(temperatures.PutText(text, i) - text));
  };
  const auto saturation = [&](std::size_t i) {
    return i < request.saturations.size() ? &request.saturations[i] : nullptr;
  };
  if (request.explain) {
    for (std::size_t i = 0; i < temperatures.size(); ++i)
      WriteExplanation(fluid, temperatures[i], textAt(i), temperatures.unit(), saturation(i), out);
    return;
  }
  switch (request.format) {
    case Format::Csv:
      return WriteRows(temperatures, fluid, request.si ? RowFormat::SiCsv : RowFormat::Csv, request.units, out);
    case Format::Json:
      return WriteRows(temperatures, fluid, RowFormat::Json, request.units, out);
    case Format::Table:
      break;
  }
  TableWriter table(fluid, request.units, out);
  for (std::size_t i = 0; i < temperatures.size() && !out.failed(); ++i)
    table.Row(temperatures[i], textAt(i), temperatures.unit(), saturation(i));
}

void WriteList(Format format, OutputBuffer& out) {
  switch (format) {
    case Format::Table:
      return WriteListTable(out);
    case Format::Csv:
      return WriteListCsv(out);
    case Format::Json:
      return out.Append(CatalogJson());
  }
}

}  // namespace vantorel::cli
