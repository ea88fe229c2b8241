#include "Page.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "Catalog.h"
#include "Display.h"

namespace vantorel::web {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Typed texts are echoed in messages up to this length.
constexpr std::size_t kMaxEcho = 40;

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  quoted += text.substr(0, kMaxEcho);
  if (text.size() > kMaxEcho) quoted += "...";
  quoted += '"';
  return quoted;
}

std::string_view UnitSymbol(TemperatureUnit unit) {
  switch (unit) {
    case TemperatureUnit::Celsius: return "°C";
    case TemperatureUnit::Fahrenheit: return "°F";
    case TemperatureUnit::Kelvin: break;
  }
  return "K";
}

std::string NotANumber(std::string_view text) {
  std::string message = Quoted(text) + " is not a temperature: type a number such as 310 or 36.85";
  if (text.find(',') != std::string_view::npos) message += ", with a point as the decimal mark";
  return message;
}

std::string Superscript(int n) {
  static constexpr std::string_view kDigits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
  std::string out = n < 0 ? "⁻" : "";
  for (char c : std::to_string(std::abs(n))) out += kDigits[c - '0'];
  return out;
}

// A decimal as mantissa · 10^exponent, the mantissa of at most kMaxDigits
// digits.
struct Decimal {
  std::int64_t mantissa = 0;
  int exponent = 0;
};
constexpr int kMaxDigits = 17;

// A text that KelvinFromDecimal reads ("310", "-0.25", "3.1e2") as an exact
// decimal, or nothing when it has more than kMaxDigits significant digits.
std::optional<Decimal> ParseDecimal(std::string_view text) {
  Decimal d;
  std::size_t i = 0;
  const bool negative = text[i] == '-';
  if (text[i] == '+' || text[i] == '-') ++i;
  std::string digits;
  for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i)
    if (text[i] != '.') digits += text[i];
  // Each digit after the point is a tenth of the one before.
  const std::size_t point = text.find('.');
  if (point != std::string_view::npos) d.exponent = -static_cast<int>(i - point - 1);
  if (i < text.size()) {
    const std::string_view power = text.substr(i + 1);
    const bool minus = power.front() == '-';
    long value = 0;
    for (char c : power.substr(power.front() == '+' || power.front() == '-' ? 1 : 0))
      value = std::min(value * 10 + (c - '0'), 100000L);  // a finite double keeps it within a few hundred
    d.exponent += static_cast<int>(minus ? -value : value);
  }
  digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
  while (!digits.empty() && digits.back() == '0') {
    digits.pop_back();
    ++d.exponent;
  }
  if (digits.size() > static_cast<std::size_t>(kMaxDigits)) return std::nullopt;
  for (char c : digits) d.mantissa = d.mantissa * 10 + (c - '0');
  if (digits.empty()) d.exponent = 0;
  if (negative) d.mantissa = -d.mantissa;
  return d;
}

// The number of decimal digits of |n|.
int DigitCount(std::int64_t n) {
  int count = 1;
  for (n = n < 0 ? -n : n; n >= 10; n /= 10) ++count;
  return count;
}

// d's mantissa at `exponent` (at most d's own), if it keeps to kMaxDigits + 1 digits.
std::optional<std::int64_t> MantissaAt(const Decimal& d, int exponent) {
  const int shift = d.exponent - exponent;
  if (d.mantissa != 0 && DigitCount(d.mantissa) + shift > kMaxDigits + 1) return std::nullopt;
  std::int64_t m = d.mantissa;
  for (int i = 0; i < shift && m != 0; ++i) m *= 10;
  return m;
}

}  // namespace

TemperatureUnit UnitOf(std::string_view unit) {
  if (unit == "C") return TemperatureUnit::Celsius;
  if (unit == "F") return TemperatureUnit::Fahrenheit;
  return TemperatureUnit::Kelvin;
}

std::variant<Reading, std::string> Calculate(const Fluid& fluid, std::string_view text, TemperatureUnit unit) {
  text = Trimmed(text);
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

std::string Heading(const Property& p) {
  std::string heading(p.symbol);
  if (p.power != 0) heading += "·10" + Superscript(-p.power);
  return heading;
}

std::string SourceText(const Reading& r) {
  std::string text = "Table " + std::string(r.source.table) + ", ";
  if (r.source.rowCount == 1)
    text += "the row at " + NumberText(r.source.rows[0]) + " K";
  else
    text += "between the rows at " + NumberText(r.source.rows[0]) + " K and " + NumberText(r.source.rows[1]) + " K";
  if (r.source.corrected) text += " (with a cell corrected where the book has a misprint)";
  return text;
}

std::string SiText(const Property& p) {
  switch (p.state) {
    case ValueState::NoValue: return "none";
    case ValueState::Infinite: return "infinite";
    case ValueState::Value: break;
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
  const Result first = LookUp(fluid, fluid.Tmin);
  if (!first || !first->find(property)) return chart;

  const std::vector<double> rows = BookRows(fluid);
  std::vector<double> ts = rows;
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
    const bool printed = p.origin == Origin::Table && p.cellCount == 1 && p.cells[0].state == ValueState::Value &&
                         std::binary_search(rows.begin(), rows.end(), t);
    chart.book.push_back(printed ? p.cells[0].value : kNaN);
    chart.current.push_back(currentShown && t == current && p.state == ValueState::Value ? p.book : kNaN);
  }
  return chart;
}

std::variant<std::vector<double>, std::string> PlanSweep(const Fluid& fluid, std::string_view fromText,
                                                         std::string_view toText, std::string_view stepText) {
  fromText = Trimmed(fromText);
  toText = Trimmed(toText);
  stepText = Trimmed(stepText);
  const std::pair<const char*, std::string_view> texts[] = {{"From", fromText}, {"To", toText}, {"Step", stepText}};
  std::optional<Decimal> decimals[3];
  for (int i = 0; i < 3; ++i) {
    const auto [name, text] = texts[i];
    const std::optional<double> kelvin = KelvinFromDecimal(text, TemperatureUnit::Kelvin);
    if (!kelvin) return std::string(name) + ": " + NotANumber(text);
    decimals[i] = ParseDecimal(text);
    if (!decimals[i])
      return std::string(name) + ": " + Quoted(text) + " has more than " + std::to_string(kMaxDigits) +
             " significant digits";
    if (i == 2) break;
    const Result r = LookUp(fluid, *kelvin);
    if (!r) return std::string(name) + ": " + r.error().message();
  }
  const std::optional<Decimal>&from = decimals[0], &to = decimals[1], &step = decimals[2];
  if (step->mantissa <= 0) return "Step: " + Quoted(stepText) + " is not a positive number of kelvin";
  const double fromKelvin = *KelvinFromDecimal(fromText, TemperatureUnit::Kelvin);
  const std::string below = "To: " + Quoted(toText) + " K lies below from, " + Quoted(fromText) + " K";
  const std::string tooLong = "From, to and step have too many digits between them for a sweep";

  // All three on one decimal scale, as whole numbers: the rows are then
  // exact sums. From and to first: both lie in the range, so both are
  // positive, and digits too far apart mean one is far below the other.
  const int ends = std::min(from->exponent, to->exponent);
  const std::optional<std::int64_t> a0 = MantissaAt(*from, ends), b0 = MantissaAt(*to, ends);
  if (!a0 || !b0) return *KelvinFromDecimal(toText, TemperatureUnit::Kelvin) < fromKelvin ? below : tooLong;
  if (*b0 < *a0) return below;
  if (*b0 == *a0) return std::vector<double>{fromKelvin};
  const int exponent = std::min(ends, step->exponent);
  const std::optional<std::int64_t> a = MantissaAt(*from, exponent), b = MantissaAt(*to, exponent),
                                    s = MantissaAt(*step, exponent);
  if (!a || !b) return tooLong;
  if (!s) return std::vector<double>{fromKelvin};  // a step longer than the whole sweep
  const std::int64_t last = (*b - *a) / *s;
  if (last >= static_cast<std::int64_t>(kMaxSweepRows))
    return "A sweep tabulates at most " + std::to_string(kMaxSweepRows) + " rows: take a larger step or a shorter range";

  std::vector<double> temperatures;
  temperatures.reserve(static_cast<std::size_t>(last) + 1);
  std::string power = "e";
  power += std::to_string(exponent);
  for (std::int64_t i = 0; i <= last; ++i)
    temperatures.push_back(*KelvinFromDecimal(std::to_string(*a + i * *s) + power, TemperatureUnit::Kelvin));
  return temperatures;
}

namespace {

std::string SweepText(const Fluid& fluid, std::span<const double> temperatures, char separator, bool units) {
  std::string text = units ? "T (K)" : "T";
  const Result first = LookUp(fluid, fluid.Tmin);
  for (const Property& p : first->properties()) {
    text += separator;
    if (!units) {
      text += p.id;
      continue;
    }
    text += p.symbol;
    if (!p.bookUnit.empty()) text += " (" + std::string(p.bookUnit) + ")";
  }
  text += '\n';
  for (const double t : temperatures) {
    const Result r = LookUp(fluid, t);
    if (!r) continue;  // a planned sweep keeps to the range
    text += NumberText(t);
    for (const Property& p : r->properties()) {
      text += separator;
      text += p.text();
    }
    text += '\n';
  }
  return text;
}

}  // namespace

std::string SweepCsv(const Fluid& fluid, std::span<const double> temperatures) {
  return SweepText(fluid, temperatures, ',', false);
}

std::string SweepTsv(const Fluid& fluid, std::span<const double> temperatures) {
  return SweepText(fluid, temperatures, '\t', true);
}

}  // namespace vantorel::web
