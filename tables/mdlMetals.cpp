// Table A.7: liquid metals. Columns: T [K], Rho [kg/m3], Cp [kJ/kg.K],
// Nu [1e-7 m2/s], K [W/m.K], Alpha [1e-5 m2/s], Pr. The tables have no Mu or
// Beta column, so a metal's look-up leaves those slots as they were.
//
// Every table has three rows and so one scan test, against the middle row.
// The metals differ in which interval owns the middle row's temperature:
// lead and NaK (22%/78%) move down at T <= t1, the others only at T < t1 (at
// exactly t1 they interpolate to the lower end of the upper interval). A cell
// the book leaves empty is kNone; where a look-up would use it, the slot gets
// the no-value marker.
//
// PbBi decides slot by slot, always against 644 K: most columns move down at
// T <= 644; Nu moves down only below 644, where its lower row is empty; Cp is
// the book's one value 0.147 (two equal cells, so the interpolation returns
// it unchanged) below and at 644 K and has none above; Pr is known only at
// exactly 644 K.
//
// Two printed cells contradict their own rows and are corrected here:
// bismuth Alpha at 589 K is 1.134 (not 0.138), PbBi Pr at 644 K is 0.0189
// (not 0.189). See the README.

#include "mdlMetals.h"

#include <array>

#include "BookDecimals.h"

namespace vantorel {
namespace metals {
namespace {

// The interpolated columns with their decimal places, in slot order.
constexpr std::array<Column, 6> Columns(int rho, int cp, int nu, int k, int alpha, int pr) {
  return {{{Slot::Rho, rho}, {Slot::Cp, cp}, {Slot::Nu, nu}, {Slot::K, k}, {Slot::Alpha, alpha}, {Slot::Pr, pr}}};
}

// clang-format off
constexpr double kBismuthRows[][7] = {
    {1033, 9467, 0.1645, 0.8343, 15.6, 1.001, 0.0083},
    {811, 9739, 0.1545, 1.133, 15.6, 1.035, 0.011},
    {589, 10011, 0.1444, 1.617, 16.4, 1.134, 0.0142},
};
// clang-format on

// clang-format off
constexpr double kLeadRows[][7] = {
    {977, 10140, kNone, 1.347, 14.9, kNone, kNone},
    {755, 10412, 0.155, 1.849, 15.6, 1.223, 0.017},
    {644, 10540, 0.159, 2.276, 16.1, 1.084, 0.024},
};
// clang-format on

// clang-format off
constexpr double kPotassiumRows[][7] = {
    {977, 674.4, 0.75, 1.905, 33.1, 6.55, 0.0029},
    {700, 741.7, 0.75, 2.397, 39.5, 7.07, 0.0034},
    {422, 807.3, 0.8, 4.608, 45, 6.99, 0.0066},
};
// clang-format on

// clang-format off
constexpr double kSodiumRows[][7] = {
    {977, 778.5, 1.26, 2.285, 59.7, 6.12, 0.0037},
    {644, 860.2, 1.3, 3.27, 72.3, 6.48, 0.0051},
    {366, 929.1, 1.38, 7.516, 86.2, 6.71, 0.011},
};
// clang-format on

// clang-format off
constexpr double kNaK45Rows[][7] = {
    {977, 740.1, 1.043, 2.174, 28.9, 3.74, 0.0058},
    {644, 821.7, 1.055, 2.871, 27.5, 3.17, 0.0091},
    {366, 887.4, 1.13, 6.522, 25.6, 2.552, 0.026},
};
// clang-format on

// clang-format off
constexpr double kNaK22Rows[][7] = {
    {1033, 690.4, 0.883, 2.118, kNone, kNone, kNone},
    {672, 775.3, 0.879, 2.666, 26.7, 3.92, 0.0068},
    {366, 849, 0.946, 5.797, 24.4, 3.05, 0.019},
};
// clang-format on

// clang-format off
constexpr double kPbBiRows[][7] = {
    {922, 9835, kNone, 1.171, kNone, kNone, kNone},
    {644, 10236, 0.147, 1.496, 11.86, 0.79, 0.0189},
    {422, 10524, 0.147, kNone, 9.05, 0.586, kNone},
};
// clang-format on

constexpr auto kBismuthColumns = Columns(0, 4, 3, 1, 3, 4);
constexpr auto kLeadColumns = Columns(0, 3, 3, 1, 3, 3);
constexpr auto kPotassiumColumns = Columns(1, 2, 3, 1, 2, 4);
constexpr auto kSodiumColumns = Columns(1, 2, 3, 1, 2, 4);
constexpr auto kNaK45Columns = Columns(1, 3, 3, 1, 3, 4);
constexpr auto kNaK22Columns = Columns(1, 3, 3, 1, 2, 4);

// Cp and Pr keep the places of their one value, so the rounding leaves it as
// the book gives it.
constexpr Column kPbBiColumns[] = {
    {.slot = Slot::Rho, .places = 0},
    {.slot = Slot::Cp, .places = 3},
    {.slot = Slot::Nu, .places = 3, .scan = ScanTest::Below},
    {.slot = Slot::K, .places = 2},
    {.slot = Slot::Alpha, .places = 3},
    {.slot = Slot::Pr, .places = 4, .use = ColumnUse::AtRowOnly},
};

// The corrected cells, by row and column (Rho 0, Cp 1, Nu 2, K 3, Alpha 4, Pr 5).
constexpr CorrectedCell kBismuthCorrected[] = {{589, 4}};
constexpr CorrectedCell kPbBiCorrected[] = {{644, 5}};

}  // namespace

constinit const PropertyTable Bismuth = Prepared({.cells = RowsOf<kBismuthRows>(),
                                                  .columns = kBismuthColumns,
                                                  .scan = ScanTest::Below,
                                                  .corrected = kBismuthCorrected,
                                                  .decimals = book_decimals::kBismuth});
constinit const PropertyTable Lead = Prepared({.cells = RowsOf<kLeadRows>(),
                                               .columns = kLeadColumns,
                                               .scan = ScanTest::AtOrBelow,
                                               .decimals = book_decimals::kLead});
constinit const PropertyTable Potassium = Prepared({.cells = RowsOf<kPotassiumRows>(),
                                                    .columns = kPotassiumColumns,
                                                    .scan = ScanTest::Below,
                                                    .decimals = book_decimals::kPotassium});
constinit const PropertyTable Sodium = Prepared({.cells = RowsOf<kSodiumRows>(),
                                                 .columns = kSodiumColumns,
                                                 .scan = ScanTest::Below,
                                                 .decimals = book_decimals::kSodium});
constinit const PropertyTable NaK45 = Prepared({.cells = RowsOf<kNaK45Rows>(),
                                                .columns = kNaK45Columns,
                                                .scan = ScanTest::Below,
                                                .decimals = book_decimals::kNaK45});
constinit const PropertyTable NaK22 = Prepared({.cells = RowsOf<kNaK22Rows>(),
                                                .columns = kNaK22Columns,
                                                .scan = ScanTest::AtOrBelow,
                                                .decimals = book_decimals::kNaK22});
constinit const PropertyTable PbBi = Prepared({.cells = RowsOf<kPbBiRows>(),
                                               .columns = kPbBiColumns,
                                               .scan = ScanTest::AtOrBelow,
                                               .corrected = kPbBiCorrected,
                                               .decimals = book_decimals::kPbBi});

}  // namespace metals

void BismuthProps() { LookUpIntoState(metals::Bismuth); }
void LeadProps() { LookUpIntoState(metals::Lead); }
void PotassiumProps() { LookUpIntoState(metals::Potassium); }
void SodiumProps() { LookUpIntoState(metals::Sodium); }
void NaK45Props() { LookUpIntoState(metals::NaK45); }
void NaK22Props() { LookUpIntoState(metals::NaK22); }
void PbBiProps() { LookUpIntoState(metals::PbBi); }

}  // namespace vantorel
