// Rows of readings as CSV, SI CSV, TSV and JSON, and the catalog as JSON:
// the one writer of each, for the command line, the page and the module.

#include <vantorel/vantorel.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "Catalog.h"
#include "Display.h"
#include "Lookup.h"
#include "ShortestText.h"

namespace vantorel {

namespace {

char* Put(char* out, std::string_view text) {
  std::memcpy(out, text.data(), text.size());
  return out + text.size();
}

// `text` as a JSON string, quotes included; UTF-8 passes as it is.
std::string JsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + '"';
}

// Shortest texts of recent numbers, one cache per thread so that writers
// stay re-entrant. The shortest text is most of a JSON row's cost: each
// property's number is written up to three times (the label's, "value" and
// "si" are one double wherever neither a power of ten nor a unit factor sets
// them apart), and a sweep's rows repeat their values (rounded as the book
// prints them, a property keeps its value over many rows of a fine sweep).
class ShortestTexts {
 public:
  char* Put(char* out, double v) {
    std::uint64_t bits;  // -0 is not 0; memcpy, as libc++ 13 (emscripten 3.1.6) has no std::bit_cast
    std::memcpy(&bits, &v, sizeof bits);
    Entry& e = entries_[(bits * 0x9E3779B97F4A7C15u) >> (64 - kBits)];
    if (e.size == 0 || e.bits != bits) {
      e.size = static_cast<std::uint8_t>(WriteShortest(e.text, v) - e.text);
      e.bits = bits;
    }
    std::memcpy(out, e.text, e.size);
    return out + e.size;
  }

 private:
  static constexpr int kBits = 8;
  struct Entry {
    std::uint64_t bits;
    std::uint8_t size;  // 0: empty, as no shortest text is
    char text[kShortestTextSize];
  };
  std::array<Entry, std::size_t{1} << kBits> entries_;
};

char* PutShortest(char* out, double v) {
  thread_local ShortestTexts texts;
  return texts.Put(out, v);
}

// A finite number for JSON, in shortest round-trip form, with ".0" when it
// has neither point nor exponent, as JSON writers write a whole double.
char* PutJsonNumber(char* out, double v) {
  char* const start = out;
  out = PutShortest(out, v);
  if (std::find_if(start, out, [](char c) { return c == '.' || c == 'e'; }) == out) out = Put(out, ".0");
  return out;
}

std::string JsonNumber(double v) {
  char text[kShortestTextSize + 2];
  return {text, PutJsonNumber(text, v)};
}

// Appends each piece to `text`: a chain of appends, where a chain of + would
// build a string per piece.
template <typename... Pieces>
void Append(std::string& text, const Pieces&... pieces) {
  (text.append(std::string_view(pieces)), ...);
}

std::string JsonRange(const Fluid& fluid) {
  std::string text;
  Append(text, "{\"Tmin\":", JsonNumber(fluid.Tmin), ",\"Tmax\":", JsonNumber(fluid.Tmax),
         ",\"text\":", JsonString(RangeText(fluid)), "}");
  return text;
}

// The window's texts of one look-up, cells separated by `separator`.
char* PutTexts(char* out, const Fluid& fluid, double t, char separator) {
  const SlotValues values = LookUpSlots(fluid, t);
  for (const ShownProperty& p : Shown(CategoryOf(fluid))) {
    *out++ = separator;
    out = WriteLabelText(out, p, SuffixView(p.power), values[p.slot], t);
  }
  return out;
}

char* PutSiValues(char* out, const Fluid& fluid, double t) {
  double values[14];
  LookUpValues(fluid, t, values);
  for (int i = 0; i < PropertyCount(fluid); ++i) {
    *out++ = ',';
    if (std::isinf(values[i]))
      out = Put(out, "inf");  // what Python, NumPy and pandas read as infinity
    else if (!std::isnan(values[i]))
      out = WriteShortest(out, values[i]);  // no value: an empty cell
  }
  return out;
}

// The texts of one look-up in `units`, cells separated by `separator`.
char* PutTextsIn(char* out, const Fluid& fluid, double t, char separator, UnitSystem units) {
  const Result r = LookUp(fluid, t);
  for (const Property& p : r->properties()) {
    *out++ = separator;
    out = Put(out, ValueIn(p, units).text());
  }
  return out;
}

// "°F" as an ASCII CSV header writes it.
std::string_view AsciiSymbol(TemperatureUnit unit) {
  return unit == TemperatureUnit::Celsius ? "degC" : unit == TemperatureUnit::Fahrenheit ? "degF" : "K";
}

// A JSON row's properties in `units` other than the book's.
char* PutJsonProperties(char* out, const Reading& r, UnitSystem units) {
  for (int i = 0; i < r.count; ++i) {
    const Property& p = r.shown[i];
    const Quantity q = ValueIn(p, units);
    if (i > 0) *out++ = ',';
    *out++ = '"';
    out = Put(out, p.id);
    out = Put(out, "\":{\"text\":\"");
    out = Put(out, q.text());
    out = Put(out, "\",\"state\":\"");
    out = Put(out, StateName(p.state));
    out = Put(out, "\",\"value\":");
    out = p.state == ValueState::Value ? PutJsonNumber(out, q.value) : Put(out, "null");
    out = Put(out, ",\"unit\":\"");
    out = Put(out, q.unit.text);
    out = Put(out, "\",\"si\":");
    out = p.state == ValueState::Value ? PutJsonNumber(out, p.value) : Put(out, "null");
    *out++ = '}';
  }
  return out;
}

char* PutJsonRow(char* out, const Fluid& fluid, double t, std::string_view tText, UnitSystem units,
                 TemperatureUnit tUnit) {
  const Result r = LookUp(fluid, t);
  const std::span<const ShownProperty> shown = Shown(CategoryOf(fluid));
  out = Put(out, "{\"T\":");
  if (tUnit == TemperatureUnit::Kelvin) {
    out = Put(out, tText);
    if (tText.find_first_of(".eE") == std::string_view::npos) out = Put(out, ".0");
  } else {
    out = PutJsonNumber(out, t);
    out = Put(out, ",\"t\":{\"text\":\"");
    out = Put(out, tText);
    out = Put(out, "\",\"unit\":\"");
    out = Put(out, UnitSymbol(tUnit));
    out = Put(out, "\"}");
  }
  out = Put(out, ",\"properties\":{");
  if (units != UnitSystem::Book) out = PutJsonProperties(out, *r, units);
  for (int i = 0; i < (units == UnitSystem::Book ? r->count : 0); ++i) {
    const Property& p = r->shown[i];
    const ShownProperty& label = shown[i];
    if (i > 0) *out++ = ',';
    *out++ = '"';
    out = Put(out, p.id);
    out = Put(out, "\":{\"text\":\"");
    // The label's text, as WriteLabelText writes it, with its number from
    // the cache.
    const double slot = p.state == ValueState::Value     ? p.book
                        : p.state == ValueState::NoValue ? kNoValueMarker
                                                         : kInfiniteMarker;
    if (MarkerOf(label, slot, t) == ShownMarker::Number)
      out = Put(PutShortest(out, slot), SuffixView(p.power));
    else
      out = WriteLabelText(out, label, SuffixView(p.power), slot, t);
    out = Put(out, "\",\"state\":\"");
    out = Put(out, StateName(p.state));
    out = Put(out, "\",\"value\":");
    out =
        p.state == ValueState::Value ? PutJsonNumber(out, ScaledDecimal(p.book, p.places, p.power)) : Put(out, "null");
    out = Put(out, ",\"unit\":\"");
    out = Put(out, p.bookUnit);
    out = Put(out, "\",\"si\":");
    out = p.state == ValueState::Value ? PutJsonNumber(out, p.value) : Put(out, "null");
    *out++ = '}';
  }
  out = Put(out, "},\"source\":{\"table\":\"");
  out = Put(out, r->source.table);
  out = Put(out, "\",\"rows\":[");
  for (int i = 0; i < r->source.rowCount; ++i) {
    if (i > 0) *out++ = ',';
    out = PutJsonNumber(out, r->source.rows[i]);
  }
  out = Put(out, r->source.corrected ? "],\"corrected\":true}}" : "],\"corrected\":false}}");
  return out;
}

}  // namespace

bool LookUpTexts(const Fluid& fluid, double t, char* out, std::size_t* lengths) noexcept {
  const std::span<const ShownProperty> shown = Shown(CategoryOf(fluid));
  if (!(t >= fluid.Tmin && t <= fluid.Tmax)) {  // nor NaN
    std::fill_n(lengths, shown.size(), 0);
    return false;
  }
  const SlotValues values = LookUpSlots(fluid, t);
  for (std::size_t i = 0; i < shown.size(); ++i) {
    char* const cell = out + i * kTextSize;
    const ShownProperty& p = shown[i];
    lengths[i] = static_cast<std::size_t>(WriteLabelText(cell, p, SuffixView(p.power), values[p.slot], t) - cell);
  }
  return true;
}

RowWriter::RowWriter(const Fluid& fluid, RowFormat format) : fluid_(&fluid), format_(format) {}

RowWriter::RowWriter(const Fluid& fluid, RowFormat format, UnitSystem units, TemperatureUnit temperatureUnit)
    : fluid_(&fluid), format_(format), units_(units), temperatureUnit_(temperatureUnit) {}

std::string RowWriter::Header() const {
  std::string text;
  const bool book = units_ == UnitSystem::Book;
  switch (format_) {
    case RowFormat::Csv:
      text = "T";
      if (temperatureUnit_ != TemperatureUnit::Kelvin || !book) Append(text, " [", AsciiSymbol(temperatureUnit_), "]");
      for (const PropertyInfo& p : PropertiesOf(*fluid_)) {
        if (book)
          Append(text, ",", p.id);
        else
          Append(text, ",", p.asciiSymbol, " [", UnitOf(p, units_).ascii, "]");
      }
      return text + '\n';
    case RowFormat::SiCsv:
      Append(text, "T [", AsciiSymbol(temperatureUnit_), "]");
      for (const PropertyInfo& p : PropertiesOf(*fluid_)) Append(text, ",", p.asciiSymbol, " [", p.asciiSiUnit, "]");
      return text + '\n';
    case RowFormat::Tsv:
      Append(text, "T (", UnitSymbol(temperatureUnit_), ")");
      for (const PropertyInfo& p : PropertiesOf(*fluid_)) {
        Append(text, "\t", p.symbol);
        const std::string_view unit = UnitOf(p, units_).text;
        if (!unit.empty()) Append(text, " (", unit, ")");
      }
      return text + '\n';
    case RowFormat::Json:
      break;
  }
  const Category& category = CategoryOf(*fluid_);
  Append(text, "{\"fluid\":", JsonString(fluid_->id), ",\"name\":", JsonString(fluid_->name),
         ",\"category\":", JsonString(category.name), ",\"table\":", JsonString(category.table),
         ",\"range\":", JsonRange(*fluid_));
  if (!book) Append(text, ",\"units\":", JsonString(UnitSystemName(units_)));
  text += ",\"properties\":{";
  bool first = true;
  for (const PropertyInfo& p : PropertiesOf(*fluid_)) {
    if (!first) text += ',';
    first = false;
    Append(text, JsonString(p.id), ":{\"name\":", JsonString(p.name), ",\"symbol\":", JsonString(p.symbol),
           ",\"unit\":", JsonString(UnitOf(p, units_).text), ",\"siUnit\":", JsonString(p.siUnit), "}");
  }
  return text + "},\"results\":[";
}

std::size_t RowWriter::RowSize(std::size_t tTextSize) const noexcept {
  const std::size_t count = PropertiesOf(*fluid_).size();
  switch (format_) {
    case RowFormat::Csv:
    case RowFormat::Tsv:
      return tTextSize + count * (std::max(kTextSize, sizeof(Quantity::chars)) + 1) + 1;
    case RowFormat::SiCsv:
      return tTextSize + count * (kShortestTextSize + 1) + 1;
    case RowFormat::Json:
      break;
  }
  // Per property its id, keys, text, state, unit and two numbers; then T and
  // the source with its two rows.
  return tTextSize + count * 256 + 256;
}

char* RowWriter::WriteRow(char* out, double t, std::string_view tText) noexcept {
  switch (format_) {
    case RowFormat::Csv:
    case RowFormat::Tsv: {
      const char separator = format_ == RowFormat::Csv ? ',' : '\t';
      out = units_ == UnitSystem::Book ? PutTexts(Put(out, tText), *fluid_, t, separator)
                                       : PutTextsIn(Put(out, tText), *fluid_, t, separator, units_);
      break;
    }
    case RowFormat::SiCsv:
      out = PutSiValues(Put(out, tText), *fluid_, t);
      break;
    case RowFormat::Json:
      out = PutJsonRow(Put(out, rows_ > 0 ? ",\n" : "\n"), *fluid_, t, tText, units_, temperatureUnit_);
      ++rows_;
      return out;
  }
  ++rows_;
  *out++ = '\n';
  return out;
}

std::string RowWriter::Footer() const { return format_ == RowFormat::Json ? "\n]}\n" : ""; }

std::string CatalogJson() {
  std::string text = "{\"categories\":[";
  bool firstCategory = true;
  for (const Category& category : Categories()) {
    if (!firstCategory) text += ',';
    firstCategory = false;
    Append(text, "{\"name\":", JsonString(category.name), ",\"table\":", JsonString(category.table),
           ",\"properties\":[");
    bool first = true;
    for (const PropertyInfo& p : PropertiesOf(category)) {
      if (!first) text += ',';
      first = false;
      Append(text, "{\"id\":", JsonString(p.id), ",\"name\":", JsonString(p.name), ",\"symbol\":", JsonString(p.symbol),
             ",\"unit\":", JsonString(p.bookUnit), ",\"siUnit\":", JsonString(p.siUnit), "}");
    }
    text += "],\"fluids\":[";
    first = true;
    for (const Fluid& fluid : category.fluids) {
      if (!first) text += ',';
      first = false;
      Append(text, "{\"id\":", JsonString(fluid.id), ",\"name\":", JsonString(fluid.name), ",\"aliases\":[");
      for (std::size_t i = 0; i < fluid.aliases.size(); ++i)
        Append(text, i > 0 ? "," : "", JsonString(fluid.aliases[i]));
      Append(text, "],\"range\":", JsonRange(fluid), "}");
    }
    text += "]}";
  }
  return text + "]}\n";
}

}  // namespace vantorel
