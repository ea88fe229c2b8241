#pragma once
// The book's tables as the data files in data/ hold them: the verified
// transcription that the code's tables must agree with. A missing or
// malformed file fails the calling test; it never skips it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <vantorel/vantorel.h>

namespace vantorel::testing_support {

struct BookCellText {
  ValueState state;
  double value;  // NaN when there is none, +inf when infinite
  int decimals;  // as printed
};

// One fluid's rows, highest temperature first, and its corrected cells.
struct BookTable {
  std::vector<std::string> columns;                             // the slot names, T excluded
  std::vector<double> rows;                                     // row temperatures, descending
  std::map<double, std::map<std::string, BookCellText>> cells;  // row -> column -> cell
  std::set<std::pair<double, std::string>> corrected;           // (row, column)

  bool HasRow(double t) const { return cells.count(t) > 0; }
};

// The files of a fluid: data/<category folder>/<id with '_' for '-', none
// before a digit>.csv; saturated water's look-up rows and its two segment rows.
inline std::vector<std::filesystem::path> BookFiles(const Fluid& fluid) {
  static const char* const kFolders[] = {"gases", "liquids", "water", "metals"};
  const std::filesystem::path dir = std::filesystem::path(VANTOREL_DATA_DIR) / kFolders[fluid.category - 1];
  if (fluid.id == "saturated-water") return {dir / "critical_segment_rows.csv", dir / "saturated_water.csv"};
  std::string name(fluid.id);
  for (std::size_t i = 0; i < name.size(); ++i)
    if (name[i] == '-')
      name[i] = i + 1 < name.size() && std::isdigit(static_cast<unsigned char>(name[i + 1])) ? '\0' : '_';
  std::erase(name, '\0');
  return {dir / (name + ".csv")};
}

// Reads a fluid's files. "none" is a cell the book leaves empty; in the water
// files, where markers stand in the book's place, -1 is no value and -2
// infinite.
inline BookTable ReadBook(const Fluid& fluid) {
  BookTable book;
  const bool markers = fluid.category == 3;
  const std::regex correctedLine(R"(^# CORRECTED: T=([0-9.]+) (\w+) holds)");
  for (const std::filesystem::path& path : BookFiles(fluid)) {
    std::ifstream in(path);
    if (!in) {
      ADD_FAILURE() << "no data file " << path;
      continue;
    }
    std::vector<std::string> header;
    for (std::string line; std::getline(in, line);) {
      std::smatch m;
      if (std::regex_search(line, m, correctedLine)) book.corrected.insert({std::stod(m[1]), m[2]});
      if (line.empty() || line[0] == '#') continue;
      std::vector<std::string> fields;
      std::stringstream cells(line);
      for (std::string cell; std::getline(cells, cell, ',');) fields.push_back(cell);
      if (header.empty()) {
        header = fields;
        book.columns.assign(header.begin() + 1, header.end());
        continue;
      }
      if (fields.size() != header.size()) {
        ADD_FAILURE() << path << ": a row of " << fields.size() << " cells under " << header.size() << " columns";
        continue;
      }
      const double t = std::stod(fields[0]);
      book.rows.push_back(t);
      for (std::size_t c = 1; c < fields.size(); ++c) {
        BookCellText cell{ValueState::NoValue, std::nan(""), 0};
        if (fields[c] != "none") {
          const double v = std::strtod(fields[c].c_str(), nullptr);
          const std::size_t point = fields[c].find('.');
          const int decimals = point == std::string::npos ? 0 : static_cast<int>(fields[c].size() - point - 1);
          if (markers && v == -1)
            cell = {ValueState::NoValue, std::nan(""), 0};
          else if (markers && v == -2)
            cell = {ValueState::Infinite, HUGE_VAL, 0};
          else
            cell = {ValueState::Value, v, decimals};
        }
        book.cells[t][header[c]] = cell;
      }
    }
  }
  std::sort(book.rows.rbegin(), book.rows.rend());
  EXPECT_GE(book.rows.size(), 2u) << fluid.id;
  return book;
}

}  // namespace vantorel::testing_support
