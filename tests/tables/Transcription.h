#pragma once
// Compares a table in the code with the verified transcription of the book,
// cell by cell. The transcription lives beside the repository; without it
// the comparison skips the calling test.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Lookup.h"

namespace vantorel::testing_support {

struct CsvTable {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
};

inline CsvTable ReadCsv(const std::filesystem::path& path) {
  CsvTable table;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> cells;
    std::stringstream fields(line);
    for (std::string cell; std::getline(fields, cell, ',');) cells.push_back(cell);
    if (table.header.empty())
      table.header = cells;
    else
      table.rows.push_back(cells);
  }
  return table;
}

// How the code holds a cell the transcription writes as text: "none" is an
// empty cell; where markers stand in the book's place, -1 and -2 may be held
// as an empty or an infinite cell.
struct CellReading {
  bool minusOneIsEmpty = false;
  bool minusTwoIsInfinite = false;
};

inline double CodeValueOf(const std::string& text, CellReading reading) {
  if (text == "none") return kNone;
  const double v = std::strtod(text.c_str(), nullptr);
  if (reading.minusOneIsEmpty && v == -1) return kNone;
  if (reading.minusTwoIsInfinite && v == -2) return kInfinite;
  return v;
}

inline bool SameCell(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

// Compares `table` with the CSV file `file` under the transcription folder.
inline void ExpectSameAsCsv(const char* file, const PropertyTable& table, CellReading reading = {}) {
  const std::filesystem::path path = std::filesystem::path(VANTOREL_DATA_DIR) / file;
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "no transcription at " << path;
  const CsvTable csv = ReadCsv(path);
  ASSERT_EQ(static_cast<int>(csv.header.size()), table.Width()) << file;
  for (std::size_t c = 1; c < csv.header.size(); ++c)
    EXPECT_EQ(csv.header[c], SlotName(table.columns[c - 1].slot)) << file << " column " << c;
  ASSERT_EQ(static_cast<int>(csv.rows.size()), table.Rows()) << file;
  for (int r = 0; r < table.Rows(); ++r) {
    ASSERT_EQ(static_cast<int>(csv.rows[r].size()), table.Width()) << file << " row " << r;
    EXPECT_EQ(CodeValueOf(csv.rows[r][0], {}), table.RowT(r)) << file << " row " << r;
    for (int c = 0; c + 1 < table.Width(); ++c)
      EXPECT_TRUE(SameCell(CodeValueOf(csv.rows[r][c + 1], reading), table.Cell(r, c)))
          << file << " at " << csv.rows[r][0] << " K, " << csv.header[c + 1] << ": book "
          << csv.rows[r][c + 1] << ", code " << table.Cell(r, c);
  }
}

}  // namespace vantorel::testing_support
