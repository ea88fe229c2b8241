// Every fluid of the catalog against the book's rows in data/: each row at
// its own temperature gives the book's cells, and a sweep of the whole range
// stays between the two rows it names, with the texts, SI values and table
// procedure agreeing with the look-up. Expected values come from the data
// files, not from the tables in the code.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include <vantorel/vantorel.h>
#include "BookData.h"
#include "Catalog.h"
#include "Display.h"

namespace vantorel {
namespace {

using testing_support::BookTable;
using testing_support::ReadBook;

std::vector<const Fluid*> AllFluids() {
  std::vector<const Fluid*> fluids;
  for (const Category& category : Categories())
    for (const Fluid& fluid : category.fluids) fluids.push_back(&fluid);
  return fluids;
}

bool SameNumber(double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; }

// The SI value of a shown text, read by strtod as one decimal: "189.3E-7" in
// kJ is 189.3e-4. The powers of ten of the book's units, written out here.
double SiOfText(const std::string& text, std::string_view bookUnit) {
  const int unitPower = bookUnit == "kJ/kg·K" || bookUnit == "kJ/kg" ? 3 : bookUnit == "bar" ? 5 : 0;
  const std::size_t e = text.find('E');
  const int power = (e == std::string::npos ? 0 : std::stoi(text.substr(e + 1))) + unitPower;
  return std::strtod((text.substr(0, e) + "e" + std::to_string(power)).c_str(), nullptr);
}

class CatalogSuite : public testing::TestWithParam<const Fluid*> {
 protected:
  const Fluid& fluid() const { return *GetParam(); }
};

TEST_P(CatalogSuite, TheRangeRunsFromTheLowestBookRowToTheHighest) {
  const BookTable book = ReadBook(fluid());
  ASSERT_FALSE(book.rows.empty());
  EXPECT_EQ(fluid().Tmax, book.rows.front());
  EXPECT_EQ(fluid().Tmin, book.rows.back());
}

TEST_P(CatalogSuite, EveryBookRowGivesItsCellsRoundedToTheirPlaces) {
  const BookTable book = ReadBook(fluid());
  for (const double t : book.rows) {
    const Result r = LookUp(fluid(), t);
    ASSERT_TRUE(r.ok()) << fluid().id << " at " << t;
    EXPECT_EQ(r->source.rowCount, 1) << fluid().id << " at " << t;
    EXPECT_EQ(r->source.rows[0], t);
    for (const std::string& column : book.columns) {
      const Property* p = r->find(column);
      ASSERT_NE(p, nullptr) << fluid().id << " shows no " << column;
      const auto& cell = book.cells.at(t).at(column);
      const std::string where = std::string(fluid().id) + " at " + std::to_string(t) + " K, " + column;
      ASSERT_EQ(p->cellCount, 1) << where;
      EXPECT_EQ(p->cells[0].row, t) << where;
      EXPECT_EQ(p->cells[0].state, cell.state) << where;
      EXPECT_TRUE(SameNumber(p->cells[0].value, cell.value))
          << where << ": book " << cell.value << ", code " << p->cells[0].value;
      EXPECT_EQ(p->cells[0].decimals, cell.decimals) << where << ": printed decimals";
      EXPECT_EQ(p->state, cell.state) << where;
      if (cell.state == ValueState::Value) {
        EXPECT_EQ(p->book, RoundHalfEven(cell.value, p->places)) << where;
      }
      EXPECT_EQ(p->corrected, book.corrected.count({t, column}) > 0) << where;
    }
  }
}

// Every 0.01 K of the range. Each reading names one book row (at its own
// temperature) or two neighbouring ones around T; each property's cells are
// the book's cells there, and its value lies between them, rounded.
TEST_P(CatalogSuite, ASweepStaysBetweenTheTwoBookRowsItNames) {
  const BookTable book = ReadBook(fluid());
  const std::span<const ShownProperty> shown = Shown(CategoryOf(fluid()));
  const long first = std::lround(fluid().Tmin * 100), last = std::lround(fluid().Tmax * 100);
  int failures = 0;
  const auto fail = [&](double t, std::string_view what) {
    ADD_FAILURE() << fluid().id << " at " << t << " K: " << what;
    return ++failures < 10;
  };
  for (long k = first; k <= last; ++k) {
    const double t = static_cast<double>(k) / 100;
    const Result r = LookUp(fluid(), t);
    if (!r.ok()) {
      if (!fail(t, r.error().message())) return;
      continue;
    }
    const Source& source = r->source;
    const auto row = std::find(book.rows.begin(), book.rows.end(), source.rows[0]);
    const bool rowsOk = source.rowCount == 1
                            ? (t == source.rows[0] && row != book.rows.end())
                            : (row != book.rows.begin() && row != book.rows.end() && *(row - 1) == source.rows[1] &&
                               source.rows[0] < t && t < source.rows[1]);
    if (!rowsOk && !fail(t, "rows that do not bracket it in the book")) return;

    for (const Property& p : r->properties()) {
      if (p.state == ValueState::Value && !(std::isfinite(p.book) && std::isfinite(p.value)) &&
          !fail(t, std::string(p.id) + " is not a finite number"))
        return;
      if (p.origin != Origin::Table) continue;
      bool ok = p.cellCount == source.rowCount;
      double lo = INFINITY, hi = -INFINITY;
      bool allValues = true;
      for (const BookCell& c : p.Cells()) {
        const auto& expected = book.cells.at(c.row).at(std::string(p.id));
        // Water's 420 K row has its expansion coefficient only as the upper
        // row of a bracket; as the lower row there is none.
        const bool betafBelow420 = p.slot == Slot::Betaf && c.row == 420 && t > 420;
        ok = ok && (betafBelow420 ? c.state == ValueState::NoValue
                                  : c.state == expected.state && SameNumber(c.value, expected.value));
        allValues = allValues && c.state == ValueState::Value;
        lo = std::min(lo, c.value), hi = std::max(hi, c.value);
      }
      // Half a unit of the last place, and a little more for the binary
      // doubles of decimal cells (0.12115 rounds to 0.1212).
      const double halfUnit = 0.5000001 / std::pow(10, p.places);
      switch (p.state) {
        case ValueState::Value:
          ok = ok && allValues && lo - halfUnit <= p.book && p.book <= hi + halfUnit;
          break;
        case ValueState::NoValue:
          ok = ok && !allValues;
          break;
        case ValueState::Infinite:
          ok = ok && p.cellCount == 1 && p.cells[0].state == ValueState::Infinite;
          break;
      }
      if (!ok && !fail(t, std::string(p.id) + " = " + std::to_string(p.book) + " does not follow its cells")) return;
    }

    // Every seventh point, the slower comparisons: the texts against the
    // window's labels, SI values against their texts, and the table
    // procedure against the pure look-up.
    if (k % 7 != 0) continue;
    const SlotValues slots = LookUpSlots(fluid(), t);
    for (std::size_t i = 0; i < shown.size(); ++i) {
      const Property& p = r->properties()[i];
      const std::string text = p.text();
      bool ok = p.slot == shown[i].slot && text == LabelText(shown[i], slots[p.slot], t);
      if (p.state == ValueState::Value) ok = ok && p.value == SiOfText(text, p.bookUnit) && p.book == slots[p.slot];
      if (!ok && !fail(t, std::string(p.id) + " shows " + text + ", SI " + std::to_string(p.value))) return;
    }
    PropertyState before;
    for (int s = 0; s < kSlotCount; ++s) before[static_cast<Slot>(s)] = 1000.5 + s;
    State = before;
    State.Temp = t;
    Props(fluid());
    for (int s = 0; s < kSlotCount; ++s) {
      const Slot slot = static_cast<Slot>(s);
      const double expected = slots.Has(slot) ? slots[slot] : before[slot];
      if (!SameNumber(State[slot], expected) && !fail(t, "the procedure wrote " + std::string(SlotName(slot)))) return;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(EveryFluid, CatalogSuite, testing::ValuesIn(AllFluids()), [](const auto& info) {
  std::string name(info.param->id);
  std::erase(name, '-');
  return name;
});

}  // namespace
}  // namespace vantorel
