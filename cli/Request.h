#pragma once
// What one run of vantorel-props is asked to do, checked in full before
// anything is written: a refusal carries the one line that explains it.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Catalog.h"
#include "Temperatures.h"

namespace vantorel::cli {

enum class Format { Table, Csv, Json };

// "table", "csv" or "json", ignoring case.
std::optional<Format> FormatNamed(std::string_view name);

// The command line as the parser left it: texts, not yet checked.
struct Arguments {
  bool list = false;
  bool explain = false;  // the working of one look-up
  bool si = false;       // CSV in SI base units
  std::optional<std::string> fluid;
  std::vector<std::string> temperatures;
  std::optional<std::string> from, to, step;
  Format format = Format::Table;
};

struct Request {
  Format format = Format::Table;
  bool list = false;     // list the catalog; nothing else is set then
  bool explain = false;  // the working of one temperature, as text
  bool si = false;       // with Format::Csv: plain SI numbers
  const Fluid* fluid = nullptr;
  std::optional<Temperatures> temperatures;
};

struct Refusal {
  std::string message;  // one line, without the program's name
};

std::variant<Request, Refusal> MakeRequest(const Arguments& arguments);

}  // namespace vantorel::cli
