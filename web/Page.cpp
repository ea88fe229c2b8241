#include "Page.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

namespace vantorel::web {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

TemperatureUnit UnitOf(std::string_view unit) {
  if (unit == "C") return TemperatureUnit::Celsius;
  if (unit == "F") return TemperatureUnit::Fahrenheit;
  return TemperatureUnit::Kelvin;
}

std::string_view BoxCode(TemperatureUnit unit) {
  return unit == TemperatureUnit::Celsius ? "C" : unit == TemperatureUnit::Fahrenheit ? "F" : "K";
}

UnitSystem SystemOf(std::string_view units) { return UnitSystemNamed(units).value_or(UnitSystem::Book); }

TemperatureIn TemperatureOf(double kelvin, UnitSystem system) {
  const TemperatureUnit unit = TemperatureUnitOf(system);
  if (unit == TemperatureUnit::Kelvin) return {NumberText(kelvin), UnitSymbol(unit), kelvin};
  std::string text = TemperatureText(kelvin, unit);
  const double value = text.empty() ? kNaN : std::strtod(text.c_str(), nullptr);
  return {std::move(text), UnitSymbol(unit), value};
}

namespace {

// Why `error` stopped a look-up, as the page says it. The error keeps the
// text without its blanks: none left, nothing typed yet, and nothing to say.
// `completable` tells whether typing on may still mend the text.
template <typename Completes>
Refusal RefusalOf(const Error& error, Completes completable) {
  Refusal refusal{error.message(), error.input, {}, false};
  for (const std::string_view id : error.closest()) refusal.closest.emplace_back(id);
  const bool empty =
      (error.code == ErrorCode::NotATemperature || error.code == ErrorCode::NotAPressure) && error.nameLength == 0;
  if (empty)
    refusal.message.clear();
  else
    refusal.pending = (error.input == Input::T || error.input == Input::P) && completable();
  return refusal;
}

}  // namespace

std::variant<Calculation, Refusal> Calculate(std::string_view fluidName, std::string_view text, TemperatureUnit box) {
  const FluidResult fluid = ResolveFluid(fluidName);
  const Result result = fluid ? LookUpText(**fluid, text, PageOptions(box)) : Result(fluid.error());
  if (!result) return RefusalOf(result.error(), [&] { return Completable(**fluid, text, box); });
  // The reading has kelvin only; the heading also says what was typed.
  Calculation calculation;
  calculation.reading = result.reading();
  const TypedTemperature typed = *ParseTemperature(text, PageOptions(box));
  if (typed.unit != TemperatureUnit::Kelvin) {
    calculation.typed = WithUnit(text, box);
    calculation.conversion = TemperatureWorking(typed.kelvin, typed.unit);
    calculation.typedUnit = typed.unit;
  }
  return calculation;
}

std::variant<Calculation, Refusal> CalculateAtPressure(std::string_view fluidName, std::string_view text) {
  const FluidResult fluid = ResolveFluid(fluidName);
  if (!fluid) return RefusalOf(fluid.error(), [] { return false; });
  const TextOptions options = PageOptions(TemperatureUnit::Kelvin);
  const SaturationResult saturation = SaturationAt(**fluid, text, options);
  if (!saturation) return RefusalOf(saturation.error(), [&] { return PressureCompletable(**fluid, text); });
  const Result result = LookUp(**fluid, saturation->T);
  if (!result) return RefusalOf(result.error(), [] { return false; });  // not reached: T_sat lies within the range
  Calculation calculation;
  calculation.reading = result.reading();
  calculation.pressure = NumberText(saturation->typed) + " " + std::string(UnitSymbol(saturation->unit));
  calculation.saturation = SaturationWorking(*saturation);
  return calculation;
}

std::string Title(const Calculation& c, UnitSystem units) {
  std::string title = std::string(c.reading.fluid->name) + " at " + NumberText(c.reading.T) + " K";
  std::string aside = c.typed;
  const TemperatureUnit unit = TemperatureUnitOf(units);
  if (unit != TemperatureUnit::Kelvin && (c.typed.empty() || c.typedUnit != unit)) {
    const TemperatureIn t = TemperatureOf(c.reading.T, units);
    aside += (aside.empty() ? "" : ", ") + t.text + " " + std::string(t.unit);
  }
  if (!aside.empty()) title += " (" + aside + ")";
  if (!c.pressure.empty()) title += ", the saturation temperature at " + c.pressure;
  return title;
}

std::string WithUnit(std::string_view text, TemperatureUnit box) {
  const TemperatureResult t = ParseTemperature(text, PageOptions(box));
  std::string out(text);
  if (t && !t->unitWritten) {
    out += ' ';
    out += UnitSymbol(t->unit);
  }
  return out;
}

std::string SiText(const Property& p) {
  if (p.state != ValueState::Value) return std::string(StateName(p.state));
  std::string text = NumberText(p.value);
  if (!p.unit.empty()) {
    text += ' ';
    text += p.unit;
  }
  return text;
}

std::vector<double> BookRows(const Fluid& fluid) {
  // The door names the rows around any temperature: step from row to row,
  // and just past each one to see the next.
  std::vector<double> rows;
  double t = fluid.Tmin;
  while (t <= fluid.Tmax) {
    const Result r = LookUp(fluid, t);
    if (!r) break;
    const Source& s = r->source;
    if (s.rowCount == 1) {
      rows.push_back(s.rows[0]);
      t = std::nextafter(t, fluid.Tmax + 1);
    } else if (s.rows[1] > t) {
      t = s.rows[1];
    } else {
      break;  // no row ahead: not reached with the book's tables
    }
  }
  return rows;
}

Chart ChartOf(const Fluid& fluid, std::string_view property, double current, int samples, UnitSystem units) {
  Chart chart;
  const PropertyInfo* info = FindProperty(fluid, property);
  if (!info) return chart;
  const bool book = units == UnitSystem::Book;
  const UnitName unit = UnitOf(*info, units);
  chart.axis = book ? Heading(*info) : std::string(info->symbol);
  if (!unit.text.empty()) chart.axis += " (" + std::string(unit.text) + ")";
  chart.xUnit = TemperatureUnitOf(units);
  chart.xAxis = "T (" + std::string(UnitSymbol(chart.xUnit)) + ")";

  std::vector<double> ts = BookRows(fluid);
  for (int i = 0; i < samples; ++i)
    ts.push_back(samples == 1 ? fluid.Tmin : fluid.Tmin + (fluid.Tmax - fluid.Tmin) * i / (samples - 1));
  const bool currentShown = current >= fluid.Tmin && current <= fluid.Tmax;
  if (currentShown) {
    ts.push_back(current);
    chart.currentX = TemperatureOf(current, units).value;
  }
  std::sort(ts.begin(), ts.end());
  ts.erase(std::unique(ts.begin(), ts.end()), ts.end());

  for (const double t : ts) {
    const Result r = LookUp(fluid, t);
    if (!r) continue;  // not reached: every point lies within the range
    const Property& p = *r->find(property);
    const double value = p.state != ValueState::Value ? kNaN : book ? p.book : ValueIn(p, units).value;
    chart.T.push_back(t);
    chart.x.push_back(TemperatureOf(t, units).value);
    chart.curve.push_back(value);
    // One cell: t is that book row's own temperature.
    const bool printed = p.origin == Origin::Table && p.cellCount == 1 && p.cells[0].state == ValueState::Value;
    chart.book.push_back(!printed ? kNaN : book ? p.cells[0].value : value);
    chart.current.push_back(currentShown && t == current ? value : kNaN);
  }
  return chart;
}

SweepResult PlanPageSweep(const Fluid& fluid, std::string_view from, std::string_view to, std::string_view step,
                          TemperatureUnit box) {
  return PlanSweep(fluid, from, to, step, kMaxSweepRows, PageOptions(box));
}

namespace {

// A CSV field: one with a comma or a quote ("c_p,f (kJ/kg·K)") quoted, its
// quotes doubled.
std::string CsvField(std::string_view field) {
  if (field.find_first_of(",\"\n") == std::string_view::npos) return std::string(field);
  std::string out = "\"";
  for (const char c : field) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out += '"';
}

// A tab-separated line as a CSV line.
std::string CsvOfTabs(std::string_view line) {
  std::string out;
  while (!line.empty()) {
    const std::size_t end = std::min(line.find_first_of("\t\n"), line.size());
    out += CsvField(line.substr(0, end));
    if (end < line.size()) out += line[end] == '\t' ? ',' : '\n';
    line.remove_prefix(std::min(end + 1, line.size()));
  }
  return out;
}

// Writes rows in the three forms at once, each looked up once per form by
// the core's writers, into one line buffer: the texts in `units` with T in
// `temperatureUnit`, the SI values with T in kelvin.
class RowsWriter {
 public:
  RowsWriter(const Fluid& fluid, UnitSystem units, TemperatureUnit temperatureUnit)
      : tsv_(fluid, RowFormat::Tsv, units, temperatureUnit),
        csv_(fluid, RowFormat::Csv, units, temperatureUnit),
        si_(fluid, RowFormat::SiCsv) {
    line_.resize(std::max({tsv_.RowSize(kSweepTextSize), csv_.RowSize(kSweepTextSize), si_.RowSize(kSweepTextSize)}));
  }

  void Add(double t, std::string_view tText, std::string_view kelvinText) {
    texts_.tsv.append(line_.data(), tsv_.WriteRow(line_.data(), t, tText));
    texts_.csv.append(line_.data(), csv_.WriteRow(line_.data(), t, tText));
    texts_.si.append(line_.data(), si_.WriteRow(line_.data(), t, kelvinText));
  }

  RowTexts Take() { return std::move(texts_); }

 private:
  RowWriter tsv_, csv_, si_;
  std::string line_;
  RowTexts texts_;
};

}  // namespace

RowTexts Headers(const Fluid& fluid, UnitSystem units, TemperatureUnit temperatureUnit) {
  const std::string tsv = RowWriter(fluid, RowFormat::Tsv, units, temperatureUnit).Header();
  return {tsv, CsvOfTabs(tsv), RowWriter(fluid, RowFormat::SiCsv).Header()};
}

RowTexts SweepRows(const Fluid& fluid, const Sweep& sweep, std::size_t first, std::size_t count, UnitSystem units) {
  RowsWriter writer(fluid, units, sweep.unit());
  char typed[kSweepTextSize], kelvin[kSweepTextSize];
  const auto text = [](char* out, char* end) { return std::string_view(out, static_cast<std::size_t>(end - out)); };
  for (std::size_t i = first; i < sweep.count() && i - first < count; ++i)
    writer.Add(sweep.At(i), text(typed, sweep.WriteTyped(typed, i)), text(kelvin, sweep.WriteText(kelvin, i)));
  return writer.Take();
}

RowTexts RowsAt(const Fluid& fluid, std::span<const double> kelvins, UnitSystem units) {
  RowsWriter writer(fluid, units, TemperatureUnitOf(units));
  for (const double t : kelvins) writer.Add(t, TemperatureOf(t, units).text, NumberText(t));
  return writer.Take();
}

RowTexts KeptRows(std::span<const Kept> kept, UnitSystem units) {
  RowTexts out;
  for (const Category& category : Categories()) {
    bool first = true;
    for (const Kept& k : kept) {
      if (&CategoryOf(*k.fluid) != &category) continue;
      if (first) {
        const RowTexts headers = Headers(*k.fluid, units, TemperatureUnitOf(units));
        const std::string_view gap = out.tsv.empty() ? "" : "\n";
        out.tsv += std::string(gap) + "Fluid\t" + headers.tsv;
        out.csv += std::string(gap) + "Fluid," + headers.csv;
        out.si += std::string(gap) + "fluid," + headers.si;
        first = false;
      }
      const RowTexts row = RowsAt(*k.fluid, std::span(&k.T, 1), units);
      out.tsv += std::string(k.fluid->name) + '\t' + row.tsv;
      out.csv += CsvField(k.fluid->name) + ',' + row.csv;
      out.si += std::string(k.fluid->id) + ',' + row.si;
    }
  }
  return out;
}

}  // namespace vantorel::web
