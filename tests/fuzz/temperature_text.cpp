// Fuzz target: the temperature text of the window. The input's bytes are read
// as UTF-8, as Latin-1 and as UTF-16, and each text is checked under several
// locales:
// - ReadTemperature accepts a text only with a finite value, and never one
//   that holds the locale's group separator;
// - CheckEntry agrees with ReadTemperature, counts an empty text as 0 and
//   keeps a refused text as it was typed;
// - the text CheckEntry writes back is accepted again, reads back to the same
//   bits and is written back unchanged;
// - a text of the plain decimal form (blanks, sign, digits, the locale's
//   decimal separator, exponent) reads as the C library's strtod reads it
//   with '.' in place of the separator, and is refused when that overflows.

#include <QLocale>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "TemperatureEntry.h"

namespace {

using vantorel::fuzz::CLocale;
using vantorel::fuzz::Describe;
using vantorel::fuzz::SameBits;
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
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
  return 0;
}
