#include "Page.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "Catalog.h"
#include "CsvRows.h"
#include "Decimal.h"
#include "Display.h"

namespace vantorel::web {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Typed texts are echoed in messages up to this length.
constexpr std::size_t kMaxEcho = 40;

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  quoted += text.substr(0, kMaxEcho);
  if (text.size() > kMaxEcho) quoted += "...";
  quoted += '"';
  return quoted;
}

std::string NotANumber(std::string_view text) {
  std::string message = Quoted(text) + " is not a temperature: type a number such as 310 or 36.85";
  if (text.find(',') != std::string_view::npos) message += ", with a point as the decimal mark";
  return message;
}

}  // namespace

TemperatureUnit UnitOf(std::string_view unit) {
  if (unit == "C") return TemperatureUnit::Celsius;
  if (unit == "F") return TemperatureUnit::Fahrenheit;
  return TemperatureUnit::Kelvin;
}

std::variant<Reading, std::string> Calculate(const Fluid& fluid, std::string_view text, TemperatureUnit unit) {
  text = TrimBlanks(text);
  if (text.empty()) return std::string();
  const std::optional<double> kelvin = KelvinFromDecimal(text, unit);
  if (!kelvin) return NotANumber(text);
  const Result result = LookUp(fluid, *kelvin);
  if (result) return result.reading();
  if (unit == TemperatureUnit::Kelvin) return result.error().message();
  // The typed value, then "T = 5273.15 K is outside the range of Air, ...".
  std::string message(text);
  message += ' ';
  message += UnitSymbol(unit);
  message += ": ";
  message += result.error().message();
  return message;
}

std::string SourceText(const Reading& r) {
  std::string text = TableAndRowsText(r.source);
  if (r.source.corrected) text += " (with a cell corrected where the book has a misprint)";
  return text;
}

std::string SiText(const Property& p) {
  switch (p.state) {
    case ValueState::NoValue:
      return "none";
    case ValueState::Infinite:
      return "infinite";
    case ValueState::Value:
      break;
  }
  std::string text = NumberText(p.value);
  if (!p.unit.empty()) {
    text += ' ';
    text += p.unit;
  }
  return text;
}

std::vector<double> BookRows(const Fluid& fluid) {
  // The public call names the rows around any temperature: step from row
  // to row, and just past each one to see the next.
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

Chart ChartOf(const Fluid& fluid, std::string_view property, double current, int samples) {
  Chart chart;
  const std::span<const ShownProperty> shown = Shown(CategoryOf(fluid));
  if (std::none_of(shown.begin(), shown.end(), [&](const ShownProperty& p) { return SlotName(p.slot) == property; }))
    return chart;

  std::vector<double> ts = BookRows(fluid);
  for (int i = 0; i < samples; ++i)
    ts.push_back(samples == 1 ? fluid.Tmin : fluid.Tmin + (fluid.Tmax - fluid.Tmin) * i / (samples - 1));
  const bool currentShown = current >= fluid.Tmin && current <= fluid.Tmax;
  if (currentShown) ts.push_back(current);
  std::sort(ts.begin(), ts.end());
  ts.erase(std::unique(ts.begin(), ts.end()), ts.end());

  for (const double t : ts) {
    const Result r = LookUp(fluid, t);
    if (!r) continue;  // not reached: every point lies within the range
    const Property& p = *r->find(property);
    chart.T.push_back(t);
    chart.curve.push_back(p.state == ValueState::Value ? p.book : kNaN);
    // One cell: t is that book row's own temperature.
    const bool printed = p.origin == Origin::Table && p.cellCount == 1 && p.cells[0].state == ValueState::Value;
    chart.book.push_back(printed ? p.cells[0].value : kNaN);
    chart.current.push_back(currentShown && t == current && p.state == ValueState::Value ? p.book : kNaN);
  }
  return chart;
}

std::variant<Sweep, std::string> PlanSweep(const Fluid& fluid, std::string_view fromText, std::string_view toText,
                                           std::string_view stepText) {
  fromText = TrimBlanks(fromText);
  toText = TrimBlanks(toText);
  stepText = TrimBlanks(stepText);
  const std::pair<const char*, std::string_view> texts[] = {{"From", fromText}, {"To", toText}, {"Step", stepText}};
  for (int i = 0; i < 3; ++i) {
    const auto [name, text] = texts[i];
    const std::optional<double> kelvin = KelvinFromDecimal(text, TemperatureUnit::Kelvin);
    if (!kelvin) return std::string(name) + ": " + NotANumber(text);
    if (i == 2) break;
    const Result r = LookUp(fluid, *kelvin);
    if (!r) return std::string(name) + ": " + r.error().message();
  }
  const auto plan = vantorel::PlanDecimalSweep({fromText}, {toText}, {stepText}, kMaxSweepRows);
  if (const Sweep* sweep = std::get_if<Sweep>(&plan)) return *sweep;
  const auto tooLong = [](const char* name, std::string_view text) {
    return std::string(name) + ": " + Quoted(text) + " needs more than " + std::to_string(kMaxSweepDigits) + " digits";
  };
  switch (std::get<SweepRefusal>(plan)) {
    case SweepRefusal::FromNotDecimal:
      return tooLong("From", fromText);
    case SweepRefusal::ToNotDecimal:
      return tooLong("To", toText);
    case SweepRefusal::StepNotDecimal:
      return tooLong("Step", stepText);
    case SweepRefusal::StepNotPositive:
      return "Step: " + Quoted(stepText) + " is not a positive number of kelvin";
    case SweepRefusal::ToBelowFrom:
      return "To: " + Quoted(toText) + " K lies below from, " + Quoted(fromText) + " K";
    case SweepRefusal::TooManyRows:
      return "A sweep tabulates at most " + std::to_string(kMaxSweepRows) +
             " rows: take a larger step or a shorter range";
    case SweepRefusal::TooManyDigits:
    // Not with ends and step all in kelvin.
    case SweepRefusal::MixedFahrenheit:
    case SweepRefusal::StepUnitMismatch:
      break;
  }
  return "From, to and step have too many digits between them for a sweep";
}

std::string SweepTsv(const Fluid& fluid, const Sweep& sweep) {
  // The header names each column's quantity and unit; the lines are written
  // as vantorel-props writes its CSV (tables/CsvRows.h), with tabs.
  std::string text = "T (K)";
  for (const ShownProperty& p : Shown(CategoryOf(fluid))) {
    text += '\t';
    text += p.symbol;
    if (!p.unit.book.empty()) text += " (" + std::string(p.unit.book) + ")";
  }
  text += '\n';
  const CsvRows rows(fluid);
  std::string line(rows.LineSize(kSweepTextSize), '\0');
  char tText[kSweepTextSize];
  for (std::size_t i = 0; i < sweep.count(); ++i) {
    const std::string_view t(tText, static_cast<std::size_t>(sweep.WriteText(tText, i) - tText));
    text.append(line.data(), rows.WriteLine(line.data(), sweep.At(i), t, '\t'));
  }
  return text;
}

std::string CsvOfTsv(const Fluid& fluid, std::string_view tsv) {
  // No cell holds a tab or a comma.
  std::string csv = CsvRows(fluid).Header();
  const std::size_t start = csv.size();
  csv.append(tsv.substr(tsv.find('\n') + 1));
  std::replace(csv.begin() + static_cast<std::ptrdiff_t>(start), csv.end(), '\t', ',');
  return csv;
}

std::string SweepCsv(const Fluid& fluid, const Sweep& sweep) { return CsvOfTsv(fluid, SweepTsv(fluid, sweep)); }

}  // namespace vantorel::web
