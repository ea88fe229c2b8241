// Fuzz target: a temperature as typed. The input's bytes are read by the
// core, with each choice of decimal marks:
// - ParseTemperature never accepts a text without a finite kelvin, nor one
//   that holds "0x", "inf" or "nan"; a text it takes with "." or with "," it
//   takes alike with ".,", and one it takes with "." holds no comma (with ","
//   no point);
// - a unit written reads the same whatever unit a bare number has;
// - a refused text gives NotATemperature, whose message quotes it as
//   well-formed UTF-8 without control bytes;
// - LookUpText and PlanSweep read the text as ParseTemperature does: the
//   same refusal, or the same kelvin checked against the range.
// Where the window is built, the same bytes are read as UTF-8, as Latin-1
// and as UTF-16 by the window's entry, and each text is checked under
// several locales:
// - ReadTemperature accepts a text only with a finite value, and never one
//   that holds the locale's group separator;
// - CheckEntry agrees with ReadTemperature, counts an empty text as 0 and
//   keeps a refused text as it was typed;
// - the text CheckEntry writes back is accepted again, reads back to the same
//   bits and is written back unchanged;
// - a text of the plain decimal form (blanks, sign, digits, the locale's
//   decimal separator, exponent) reads as the C library's strtod reads it
//   with '.' in place of the separator, and is refused when that overflows.

#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <vantorel/vantorel.h>

#include "FuzzCheck.h"

#ifdef VANTOREL_FUZZ_WINDOW_ENTRY
#include <QLocale>
#include <QString>

#include "TemperatureEntry.h"
#endif

namespace {

using vantorel::fuzz::CLocale;
using vantorel::fuzz::Describe;
using vantorel::fuzz::SameBits;

// ---------------------------------------------------------------------------
// The core.

// The bytes for a failure message: printable ASCII as it is, the rest as
// \xNN, cut after 200 bytes.
std::string EscapedBytes(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size() && i < 200; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  if (text.size() > 200) out += "... (" + std::to_string(text.size()) + " bytes)";
  return out;
}

// Well-formed UTF-8 (no overlong form, no surrogate, nothing past U+10FFFF)
// with no control byte: what a message may show a terminal.
bool IsPrintableUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x20 || lead == 0x7f) return false;
    const std::size_t length = lead < 0x80         ? 1
                               : lead >> 5 == 0x6  ? 2
                               : lead >> 4 == 0xE  ? 3
                               : lead >> 3 == 0x1E ? 4
                                                   : 0;
    if (length == 0 || i + length > text.size()) return false;
    std::uint32_t code = length == 1 ? lead : lead & (0x7f >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto c = static_cast<unsigned char>(text[i + k]);
      if (c >> 6 != 0x2) return false;
      code = code << 6 | (c & 0x3f);
    }
    constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

bool HoldsIgnoringCase(std::string_view text, std::string_view word) {
  for (std::size_t i = 0; i + word.size() <= text.size(); ++i) {
    std::size_t k = 0;
    while (k < word.size() && std::tolower(static_cast<unsigned char>(text[i + k])) == word[k]) ++k;
    if (k == word.size()) return true;
  }
  return false;
}

void CheckCoreText(std::string_view text) {
  using namespace vantorel;
  const Fluid& air = *FindFluid("air");
  const auto where = [&](TextOptions o) {
    std::string said = "\"";
    said.append(EscapedBytes(text)).append("\" with marks \"").append(o.decimalMarks);
    return said.append("\", bare unit ").append(UnitSymbol(o.bareUnit));
  };
  const auto same = [](const TemperatureResult& a, const TemperatureResult& b) {
    return a.ok() == b.ok() &&
           (!a.ok() || (SameBits(a->kelvin, b->kelvin) && a->unit == b->unit && a->unitWritten == b->unitWritten));
  };
  const bool neverATemperature =
      HoldsIgnoringCase(text, "0x") || HoldsIgnoringCase(text, "inf") || HoldsIgnoringCase(text, "nan");

  for (const TemperatureUnit bare : {TemperatureUnit::Kelvin, TemperatureUnit::Celsius}) {
    const TextOptions options[3] = {{bare, "."}, {bare, ","}, {bare, ".,"}};
    const TemperatureResult read[3] = {ParseTemperature(text, options[0]), ParseTemperature(text, options[1]),
                                       ParseTemperature(text, options[2])};
    for (int m = 0; m < 3; ++m) {
      const TextOptions o = options[m];
      const TemperatureResult& r = read[m];
      if (r) {
        FUZZ_CHECK(std::isfinite(r->kelvin), where(o) + " read as " + Describe(r->kelvin));
        FUZZ_CHECK(!neverATemperature, where(o) + " read as " + Describe(r->kelvin));
        FUZZ_CHECK(r->unitWritten || r->unit == bare, where(o));
        // A written unit is the text's own, whatever a bare number's would be.
        if (r->unitWritten) {
          const TextOptions other{
              bare == TemperatureUnit::Kelvin ? TemperatureUnit::Fahrenheit : TemperatureUnit::Kelvin, o.decimalMarks};
          FUZZ_CHECK(same(ParseTemperature(text, other), r), where(o) + " reads otherwise with another bare unit");
        }
      } else {
        const Error& e = r.error();
        FUZZ_CHECK(e.code == ErrorCode::NotATemperature && e.input == Input::T && std::isnan(e.T), where(o));
        const std::string message = e.message();
        FUZZ_CHECK(IsPrintableUtf8(message), where(o) + " gives the message \"" + EscapedBytes(message) + "\"");
      }

      // The look-up and the sweep read the text as ParseTemperature does.
      const Result looked = LookUpText(air, text, o);
      if (!r) {
        FUZZ_CHECK(!looked && looked.error().code == ErrorCode::NotATemperature &&
                       looked.error().message() == r.error().message(),
                   where(o) + ": LookUpText refuses it otherwise");
      } else {
        const bool inRange = r->kelvin >= air.Tmin && r->kelvin <= air.Tmax;
        FUZZ_CHECK(looked.ok() == inRange, where(o) + ": LookUpText at " + Describe(r->kelvin));
        if (looked) {
          FUZZ_CHECK(SameBits(looked->T, r->kelvin), where(o) + ": LookUpText at " + Describe(looked->T));
        } else {
          FUZZ_CHECK(looked.error().code == ErrorCode::OutOfRange, where(o));
          FUZZ_CHECK(IsPrintableUtf8(looked.error().message()),
                     where(o) + ": " + EscapedBytes(looked.error().message()));
        }
      }
      const SweepResult sweep = PlanSweep(air, text, text, "1", 10, o);
      if (!r) {
        FUZZ_CHECK(!sweep && sweep.error().code == ErrorCode::NotATemperature && sweep.error().input == Input::From,
                   where(o) + ": PlanSweep takes what ParseTemperature refuses");
      } else if (sweep) {
        FUZZ_CHECK(sweep->count() == 1 && SameBits(sweep->At(0), r->kelvin),
                   where(o) + ": a sweep of it starts at " + Describe(sweep->At(0)) + ", not " + Describe(r->kelvin));
      } else {
        FUZZ_CHECK(sweep.error().code == ErrorCode::TooManyDigits || sweep.error().code == ErrorCode::OutOfRange,
                   where(o) + ": " + sweep.error().message());
      }
    }
    // "." and "," each take a part of what ".," takes: "." no comma, "," no point.
    FUZZ_CHECK(!read[0] || same(read[0], read[2]), where(options[0]) + " reads otherwise with \".,\"");
    FUZZ_CHECK(!read[1] || same(read[1], read[2]), where(options[1]) + " reads otherwise with \".,\"");
    FUZZ_CHECK(!read[0] || text.find(',') == std::string_view::npos, where(options[0]));
    FUZZ_CHECK(!read[1] || text.find('.') == std::string_view::npos, where(options[1]));
  }
}

// ---------------------------------------------------------------------------
// The window's entry.

#ifdef VANTOREL_FUZZ_WINDOW_ENTRY

using vantorel::window::CheckedEntry;
using vantorel::window::CheckEntry;
using vantorel::window::ReadTemperature;
using vantorel::window::TemperatureText;

struct Reading {
  const char* name;
  QLocale locale;
  // The locale writes signs, digits and exponents as the C locale does, so a
  // plain decimal text in it can be compared with strtod.
  bool plainDecimal;
  // The group separator, or empty when it is a blank (French, Swedish), which
  // QLocale skips around the number.
  QString groupSeparator;
};

std::vector<Reading> MakeReadings() {
  std::vector<Reading> readings;
  // C, English and German are the window's usual cases; Swiss German groups
  // with an apostrophe, French with a narrow blank, Swedish writes its
  // exponent "×10^" and its minus U+2212, Egyptian Arabic has its own digits
  // and separators.
  for (const char* name : {"C", "en_US", "de_DE", "de_CH", "fr_FR", "sv_SE", "ar_EG"}) {
    const QLocale locale(QString::fromLatin1(name));
    const QString group = locale.groupSeparator();
    const bool blankGroup = group.size() == 1 && group.at(0).isSpace();
    const bool plain = locale.zeroDigit() == u"0" && locale.negativeSign() == u"-" && locale.positiveSign() == u"+" &&
                       (locale.exponential() == u"e" || locale.exponential() == u"E");
    readings.push_back({name, locale, plain, blankGroup ? QString() : group});
  }
  return readings;
}

const std::vector<Reading>& Readings() {
  static const std::vector<Reading> readings = MakeReadings();
  return readings;
}

// The text for a failure message: printable ASCII as it is, the rest as
// \uXXXX, cut after 200 characters.
std::string Escaped(const QString& text) {
  std::string out;
  for (qsizetype i = 0; i < text.size() && i < 200; ++i) {
    const char16_t c = text.at(i).unicode();
    if (c >= 0x20 && c < 0x7f && c != '\\') {
      out += static_cast<char>(c);
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
      out += buf;
    }
  }
  if (text.size() > 200) out += "... (" + std::to_string(text.size()) + " characters)";
  return out;
}

bool IsAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }
bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

// The C-locale form of a text of the plain decimal form
//   [ \t]*[+-]?(digits[P digits] | P digits)([eE][+-]?digits)?[ \t]*
// where P is the locale's decimal separator, or nothing for any other text.
std::optional<std::string> PlainDecimal(const QString& text, const QString& point) {
  const qsizetype n = text.size();
  qsizetype i = 0;
  std::string out;
  const auto digits = [&] {
    const qsizetype from = i;
    for (; i < n && IsAsciiDigit(text.at(i)); ++i) out += static_cast<char>(text.at(i).unicode());
    return i - from;
  };
  while (i < n && IsBlank(text.at(i))) ++i;
  if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) out += static_cast<char>(text.at(i++).unicode());
  const qsizetype whole = digits();
  if (QStringView(text).sliced(i).startsWith(point)) {
    i += point.size();
    out += '.';
    if (digits() == 0) return std::nullopt;
  } else if (whole == 0) {
    return std::nullopt;
  }
  if (i < n && (text.at(i) == u'e' || text.at(i) == u'E')) {
    out += 'e';
    ++i;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) out += static_cast<char>(text.at(i++).unicode());
    if (digits() == 0) return std::nullopt;
  }
  while (i < n && IsBlank(text.at(i))) ++i;
  if (i != n) return std::nullopt;
  return out;
}

void CheckText(const QString& text, const Reading& reading, const char* encoding) {
  const QLocale& locale = reading.locale;
  const auto where = [&] { return std::string(reading.name) + ", " + encoding + ": \"" + Escaped(text) + "\""; };

  const std::optional<double> read = ReadTemperature(text, locale);
  if (read) FUZZ_CHECK(std::isfinite(*read), where() + " read as " + Describe(*read));

  const CheckedEntry entry = CheckEntry(text, locale);
  if (text.isEmpty()) {
    FUZZ_CHECK(!read, where());
    FUZZ_CHECK(entry.value && SameBits(*entry.value, 0.0), where());
    FUZZ_CHECK(entry.text == u"0", where() + " written back as \"" + Escaped(entry.text) + "\"");
  } else {
    FUZZ_CHECK(entry.value.has_value() == read.has_value(), where());
    if (read) {
      FUZZ_CHECK(SameBits(*entry.value, *read),
                 where() + ": " + Describe(*entry.value) + " against " + Describe(*read));
      FUZZ_CHECK(entry.text == TemperatureText(*read, locale), where());
    } else {
      FUZZ_CHECK(entry.text == text, where() + " kept as \"" + Escaped(entry.text) + "\"");
    }
  }

  // The number written back is a number again, the same one, in the same text.
  if (entry.value) {
    const auto written = [&] {
      return where() + " -> " + Describe(*entry.value) + " -> \"" + Escaped(entry.text) + "\"";
    };
    const std::optional<double> again = ReadTemperature(entry.text, locale);
    FUZZ_CHECK(again, written() + " is refused");
    FUZZ_CHECK(SameBits(*again, *entry.value), written() + " reads as " + Describe(*again));
    FUZZ_CHECK(CheckEntry(entry.text, locale).text == entry.text, written());
  }

  if (!reading.groupSeparator.isEmpty() && text.contains(reading.groupSeparator))
    FUZZ_CHECK(!read, where() + " holds a group separator but reads as " + Describe(*read));

  if (!reading.plainDecimal) return;
  const std::optional<std::string> plain = PlainDecimal(text, locale.decimalPoint());
  if (!plain) return;
  char* end = nullptr;
  const double expected = strtod_l(plain->c_str(), &end, CLocale());
  FUZZ_CHECK(end == plain->c_str() + plain->size(), where() + ": strtod stopped early in " + *plain);
  if (std::isfinite(expected)) {
    FUZZ_CHECK(read, where() + " is refused, but strtod reads " + Describe(expected));
    FUZZ_CHECK(SameBits(*read, expected),
               where() + " reads as " + Describe(*read) + ", strtod as " + Describe(expected));
  } else {
    FUZZ_CHECK(!read, where() + " overflows, but reads as " + Describe(*read));
  }
}

void CheckWindowTexts(const std::uint8_t* data, std::size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  const auto length = static_cast<qsizetype>(size);
  // UTF-16 from a copy: the input need not be aligned for char16_t.
  std::u16string units(size / 2, u'\0');
  if (!units.empty()) std::memcpy(units.data(), data, units.size() * sizeof(char16_t));

  const QString texts[] = {QString::fromUtf8(bytes, length), QString::fromLatin1(bytes, length),
                           QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()))};
  const char* encodings[] = {"UTF-8", "Latin-1", "UTF-16"};
  for (const Reading& reading : Readings())
    for (int e = 0; e < 3; ++e) CheckText(texts[e], reading, encodings[e]);
}

#endif  // VANTOREL_FUZZ_WINDOW_ENTRY

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CheckCoreText({reinterpret_cast<const char*>(data), size});
#ifdef VANTOREL_FUZZ_WINDOW_ENTRY
  CheckWindowTexts(data, size);
#endif
  return 0;
}
