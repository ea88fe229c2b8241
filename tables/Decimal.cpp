#include "Decimal.h"

#include <algorithm>

namespace vantorel {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<DecimalNumber> ParseDecimal(std::string_view text) {
  if (text.empty() || text.size() > kMaxDecimalText) return std::nullopt;
  DecimalNumber d;
  std::size_t i = 0;
  if (text[i] == '+' || text[i] == '-') d.negative = text[i++] == '-';
  bool point = false, anyDigit = false;
  for (; i < text.size() && (IsDigit(text[i]) || text[i] == '.'); ++i) {
    if (text[i] == '.') {
      if (point) return std::nullopt;
      point = true;
      continue;
    }
    anyDigit = true;
    d.digits += text[i];
    if (point) --d.exponent;
  }
  if (!anyDigit) return std::nullopt;
  if (i < text.size()) {
    if (text[i] != 'e' && text[i] != 'E') return std::nullopt;
    ++i;
    bool minus = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) minus = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    long power = 0;
    for (; i < text.size(); ++i) {
      if (!IsDigit(text[i])) return std::nullopt;
      power = std::min(power * 10 + (text[i] - '0'), 100000L);
    }
    d.exponent += minus ? -power : power;
  }
  d.digits.erase(0, std::min(d.digits.find_first_not_of('0'), d.digits.size() - 1));
  return d;
}

}  // namespace vantorel
