#pragma once
// What one run of vantorel-props is asked to do, checked in full before
// anything is written: a refusal carries the one line that explains it.
// Names, temperatures and sweeps are read by the library, and a refusal of
// theirs is the library's sentence; only the combinations of options are the
// command line's own.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <vantorel/vantorel.h>

namespace vantorel::cli {

enum class Format { Table, Csv, Json };

// "table", "csv" or "json", ignoring case.
std::optional<Format> FormatNamed(std::string_view name);

// The most rows one sweep may write.
inline constexpr std::size_t kMaxSweepRows = 10'000'000;

// The temperatures of one run, in the order they are written: given one by
// one, or a sweep.
class Temperatures {
 public:
  struct Given {
    double kelvin;
    std::string text;  // shortest round-trip form: "310" for 36.85 °C
  };
  explicit Temperatures(std::vector<Given> list) : list_(std::move(list)), count_(list_.size()) {}
  explicit Temperatures(const Sweep& sweep) : sweep_(sweep), count_(sweep.count()) {}

  // The unit the texts are written in: kelvin, or a sweep's degrees, or the
  // unit given here for temperatures given one by one.
  TemperatureUnit unit() const { return sweep_ ? sweep_->unit() : unit_; }
  void WriteIn(TemperatureUnit unit);

  std::size_t size() const { return count_; }
  double operator[](std::size_t i) const { return sweep_ ? sweep_->At(i) : list_[i].kelvin; }

  // Writes temperature i in unit() as text (kSweepTextSize bytes of room)
  // and returns the end.
  char* PutText(char* out, std::size_t i) const;

 private:
  std::vector<Given> list_;
  std::optional<Sweep> sweep_;
  std::size_t count_;
  TemperatureUnit unit_ = TemperatureUnit::Kelvin;
};

// The command line as the parser left it: texts, not yet checked.
struct Arguments {
  bool list = false;
  bool explain = false;  // the working of one look-up
  bool si = false;       // CSV in SI base units
  std::optional<std::string> fluid;
  std::vector<std::string> temperatures;
  std::optional<std::string> from, to, step;
  std::vector<std::string> pressures;  // saturated water at these
  std::optional<std::string> units;
  Format format = Format::Table;
};

struct Request {
  Format format = Format::Table;
  bool list = false;     // list the catalog; nothing else is set then
  bool explain = false;  // the working of one temperature, as text
  bool si = false;       // with Format::Csv: plain SI numbers
  UnitSystem units = UnitSystem::Book;
  const Fluid* fluid = nullptr;
  std::optional<Temperatures> temperatures;
  std::vector<Saturation> saturations;  // one per temperature, when pressures were given
};

struct Refusal {
  std::string message;  // one line, without the program's name
};

std::variant<Request, Refusal> MakeRequest(const Arguments& arguments);

}  // namespace vantorel::cli
