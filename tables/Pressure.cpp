// Saturated water at a pressure, found as a student finds it in Table A.6:
// between the two rows whose printed pressures bracket P, T is interpolated
// linearly in P and rounded half-even to 0.01 K, exactly in decimal.

#include <vantorel/vantorel.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "Decimal.h"
#include "Errors.h"
#include "Exact.h"
#include "Temperature.h"
#include "mdlWater.h"

namespace vantorel {

namespace {

struct Spelling {
  std::string_view text;
  PressureUnit unit;
};
// Matched in any case, longest first, so "kPa" is not taken for "Pa".
constexpr Spelling kSpellings[] = {
    {"psia", PressureUnit::Psi}, {"bar", PressureUnit::Bar}, {"kPa", PressureUnit::KPa}, {"MPa", PressureUnit::MPa},
    {"atm", PressureUnit::Atm},  {"psi", PressureUnit::Psi}, {"Pa", PressureUnit::Pa},
};

// One unit in bar, exactly: digits · 10^exponent.
struct InBar {
  std::string_view digits;
  long exponent;
};
constexpr InBar BarOf(PressureUnit unit) {
  switch (unit) {
    case PressureUnit::Pa:
      return {"1", -5};
    case PressureUnit::KPa:
      return {"1", -2};
    case PressureUnit::MPa:
      return {"1", 1};
    case PressureUnit::Atm:
      return {"101325", -5};
    case PressureUnit::Psi:
      return {"6894757293168", -14};  // 6894.757293168 Pa
    case PressureUnit::Bar:
      break;
  }
  return {"1", 0};
}

bool EndsWithAnyCase(std::string_view text, std::string_view end) {
  return text.size() > end.size() &&
         std::equal(end.begin(), end.end(), text.end() - static_cast<std::ptrdiff_t>(end.size()), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
         });
}

struct TypedPressure {
  std::string number;  // a plain C decimal
  PressureUnit unit = PressureUnit::Bar;
  bool unitWritten = false;
  std::string_view numberText;  // the number as typed
};

std::optional<TypedPressure> SplitPressure(std::string_view text, TextOptions options) {
  if (text.find('\0') != std::string_view::npos) return std::nullopt;
  text = TrimAllBlanks(text);
  TypedPressure typed;
  for (const Spelling& s : kSpellings) {
    if (!EndsWithAnyCase(text, s.text)) continue;
    // A millipascal is no saturation pressure anyone means.
    if (text.ends_with("mPa")) return std::nullopt;
    text = TrimAllBlanks(text.substr(0, text.size() - s.text.size()));
    typed.unit = s.unit;
    typed.unitWritten = true;
    break;
  }
  typed.numberText = text;
  std::optional<std::string> number = PlainNumber(text, options.decimalMarks);
  if (!number) return std::nullopt;
  typed.number = std::move(*number);
  return typed;
}

Error PressureError(ErrorCode code, const Fluid& fluid, std::string_view text) {
  Error error = detail::ErrorAbout(code, Input::P, text);
  error.fluid = &fluid;
  error.T = std::numeric_limits<double>::quiet_NaN();
  return error;
}

// The printed pressures and temperatures as whole numbers of 10^-5 bar and
// 10^-2 K.
Whole RowPressure(const water::PressureRow& row, long scale) {
  const auto digits = static_cast<std::uint64_t>(std::llround(row.P * std::pow(10.0, row.decimals)));
  return Whole(digits).MulPow10(scale - row.decimals);
}
std::uint64_t Hundredths(double t) { return static_cast<std::uint64_t>(std::llround(t * 100)); }

std::string Digits(std::uint64_t digits, int places) { return DecimalText({digits, -places}, false, ".", true); }

// A decimal text, digits · 10^exponent, in plain form.
std::string PlainText(const std::string& digits, long exponent) {
  std::string d = digits;
  while (exponent < 0 && d.size() > 1 && d.back() == '0') d.pop_back(), ++exponent;
  if (d == "0") return d;
  if (exponent >= 0) return d + std::string(static_cast<std::size_t>(exponent), '0');
  const auto places = static_cast<std::size_t>(-exponent);
  if (d.size() <= places) d.insert(0, places - d.size() + 1, '0');
  return d.substr(0, d.size() - places) + "." + d.substr(d.size() - places);
}

constexpr Decimal64 kLowest{611, -5}, kHighest{2212, -1};  // bar

std::string RangeEnd(Decimal64 bar, PressureUnit unit, Rounding rounding, std::string_view mark) {
  const InBar in = BarOf(unit);
  Decimal64 x;
  if (in.digits == "1") {
    x = WithoutTrailingZeros({bar.digits, bar.exponent - static_cast<int>(in.exponent)});
  } else {
    const std::uint64_t per = std::strtoull(std::string(in.digits).c_str(), nullptr, 10);
    x = WithoutTrailingZeros(
        Times(bar, {1, per, static_cast<int>(-in.exponent)}, DigitCount(bar.digits) + 2, rounding));
  }
  return DecimalText(x, false, mark, true);
}

}  // namespace

std::string_view UnitSymbol(PressureUnit unit) noexcept {
  switch (unit) {
    case PressureUnit::Pa:
      return "Pa";
    case PressureUnit::KPa:
      return "kPa";
    case PressureUnit::MPa:
      return "MPa";
    case PressureUnit::Atm:
      return "atm";
    case PressureUnit::Psi:
      return "psi";
    case PressureUnit::Bar:
      break;
  }
  return "bar";
}

std::string PressureRangeText(PressureUnit unit, std::string_view mark) {
  const std::string symbol(UnitSymbol(unit));
  return RangeEnd(kLowest, unit, Rounding::Up, mark) + " " + symbol + " to " +
         RangeEnd(kHighest, unit, Rounding::Down, mark) + " " + symbol;
}

SaturationResult SaturationAt(const Fluid& fluid, std::string_view text, TextOptions options) noexcept {
  try {
    if (fluid.id != "saturated-water") return PressureError(ErrorCode::NoPressureColumn, fluid, TrimAllBlanks(text));
    const std::optional<TypedPressure> typed = SplitPressure(text, options);
    if (!typed || !typed->unitWritten) return PressureError(ErrorCode::NotAPressure, fluid, TrimAllBlanks(text));
    const DecimalNumber number = *ParseDecimal(typed->number);
    const InBar in = BarOf(typed->unit);

    Saturation s;
    s.unit = typed->unit;
    // P in bar: digits · 10^exponent, exactly.
    const std::string digits = (Whole::FromDigits(number.digits) * Whole::FromDigits(in.digits)).Digits();
    const long exponent = number.exponent + in.exponent;
    // Its leading digit's place: 221.2 bar has 3, 0.00611 bar -2.
    const long magnitude = static_cast<long>(digits.size()) + exponent;
    Error outside = PressureError(ErrorCode::PressureOutOfRange, fluid, typed->numberText);
    outside.pressureUnit = typed->unit;
    if (digits == "0" || number.negative || magnitude > 3 || magnitude < -2) return outside;
    s.typed = std::strtod((number.digits + "e" + std::to_string(number.exponent)).c_str(), nullptr);
    s.P = std::strtod((digits + "e" + std::to_string(exponent)).c_str(), nullptr);

    // Everything in whole numbers of 10^scale bar.
    const long scale = std::max(-exponent, 5L);
    const Whole p = Whole::FromDigits(digits).MulPow10(scale + exponent);
    const std::span<const water::PressureRow> rows = water::PressureRows();
    const auto above = std::find_if(rows.begin(), rows.end(), [&](const water::PressureRow& row) {
      return !(RowPressure(row, scale) < p);
    });
    if (above == rows.end() || (above == rows.begin() && RowPressure(*above, scale) != p)) return outside;
    if (RowPressure(*above, scale) == p) {
      s.rowT[0] = above->T, s.rowP[0] = above->P, s.rowCount = 1;
      s.T = s.unrounded = above->T;
      return s;
    }
    const water::PressureRow& lo = *(above - 1);
    const water::PressureRow& hi = *above;
    s.rowT = {lo.T, hi.T}, s.rowP = {lo.P, hi.P}, s.rowCount = 2;
    // T·10^places = (Tlo·(Phi − Plo) + (P − Plo)·(Thi − Tlo)) · 10^places / (Phi − Plo).
    const Whole plo = RowPressure(lo, scale), span = RowPressure(hi, scale) - plo;
    const auto at = [&](int places) {
      Whole numerator = Whole(Hundredths(lo.T)) * span + (p - plo) * Whole(Hundredths(hi.T) - Hundredths(lo.T));
      numerator.MulPow10(places - 2);
      return Decimal64{numerator.DividedRounded(span), -places};
    };
    s.T = Nearest(at(2));
    s.unrounded = Nearest(at(4));
    return s;
  } catch (...) {  // no memory for the digits
    return PressureError(ErrorCode::NotAPressure, fluid, TrimAllBlanks(text));
  }
}

Result LookUpPressure(const Fluid& fluid, std::string_view pressure, TextOptions options) noexcept {
  const SaturationResult s = SaturationAt(fluid, pressure, options);
  if (!s) return s.error();
  return LookUp(fluid, s->T);
}

Result LookUpPressure(std::string_view fluid, std::string_view pressure, TextOptions options) noexcept {
  const FluidResult found = ResolveFluid(fluid);
  if (!found) return found.error();
  return LookUpPressure(**found, pressure, options);
}

std::string SaturationWorking(const Saturation& s) {
  if (s.rowCount == 0) return {};
  const auto row = [](double t) {
    const auto rows = water::PressureRows();
    return *std::find_if(rows.begin(), rows.end(), [t](const water::PressureRow& r) { return r.T == t; });
  };
  const auto printed = [&](double t) {
    const water::PressureRow r = row(t);
    return Digits(static_cast<std::uint64_t>(std::llround(r.P * std::pow(10.0, r.decimals))), r.decimals);
  };
  // P in bar exactly, from the typed number's shortest text.
  std::string bar = NumberText(s.P);
  std::string text;
  if (s.unit != PressureUnit::Bar) {
    const std::string typed = NumberText(s.typed);
    if (const auto d = ParseDecimal(typed)) {
      const InBar in = BarOf(s.unit);
      bar = PlainText((Whole::FromDigits(d->digits) * Whole::FromDigits(in.digits)).Digits(), d->exponent + in.exponent);
    }
    text = "P = " + typed + " " + std::string(UnitSymbol(s.unit)) + " = " + bar + " bar\n";
  }
  if (s.rowCount == 1)
    return text + "P = " + printed(s.rowT[0]) + " bar is the row at " + NumberText(s.rowT[0]) + " K: T_sat = " +
           NumberText(s.T) + " K";
  const std::string tlo = NumberText(s.rowT[0]), thi = NumberText(s.rowT[1]);
  const std::string plo = printed(s.rowT[0]), phi = printed(s.rowT[1]);
  const std::string minus = " − ";
  text += "P = " + bar + " bar lies between the rows at " + tlo + " K (" + plo + " bar) and " + thi + " K (" + phi +
          " bar)\n";
  text += "T_sat = " + tlo + " + (" + bar + minus + plo + ")/(" + phi + minus + plo + ") × (" + thi + minus + tlo +
          ") = " + Digits(static_cast<std::uint64_t>(std::llround(s.unrounded * 1e4)), 4) + " → " +
          Digits(static_cast<std::uint64_t>(std::llround(s.T * 100)), 2) + " K";
  return text;
}

}  // namespace vantorel
