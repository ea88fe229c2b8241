#pragma once
// The CSV of a fluid's readings, as vantorel-props --format csv writes it and
// the web page downloads a sweep: a header of T and the slots the category
// shows, in label order ("T,Rho,Cp,..."), then a line per temperature: T as
// the caller writes it, then the window's texts ("184.6E-7", "----",
// "INFINITE"). A line goes straight into the caller's buffer, so a
// million-row sweep allocates nothing per row.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "Display.h"
#include <vantorel/vantorel.h>

namespace vantorel {

class CsvRows {
 public:
  explicit CsvRows(const Fluid& fluid);

  // "T,Rho,Cp,...\n".
  std::string Header() const;

  // The most a line takes when T's text takes `tTextSize` bytes.
  std::size_t LineSize(std::size_t tTextSize) const { return tTextSize + columns_.size() * (kLabelTextSize + 1) + 1; }

  // Looks up `t`, which lies within the fluid's range, and writes its line
  // at `out` (LineSize(tText.size()) bytes of room) with its cells separated
  // by `separator`; returns the end.
  char* WriteLine(char* out, double t, std::string_view tText, char separator = ',') const;

 private:
  struct Column {
    const ShownProperty* property;
    std::string suffix;  // SuffixText of its power, worked out once
  };
  const Fluid* fluid_;
  std::vector<Column> columns_;
};

}  // namespace vantorel
