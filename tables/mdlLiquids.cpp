// Table A.5: saturated liquids. Columns: T [K], Rho [kg/m3], Cp [kJ/kg.K],
// Mu [1e-2 N.s/m2], Nu [1e-6 m2/s], K [1e-3 W/m.K], Alpha [1e-7 m2/s], Pr,
// and for glycerin, Freon-12 and mercury Beta [1e-3 1/K]. Every fluid follows
// the common look-up with no departure in the scan, the interpolation or the
// rounding. Engine oil and ethylene glycol have no Beta column: the book gives
// one expansion coefficient for their whole range, stored as it stands.
//
// A few cells hold more decimals than their column keeps (engine oil Mu at
// 420-400 K, Nu at 430-410 K); the rounding shows them to the column's places.

#include "mdlLiquids.h"

#include <algorithm>
#include <array>

#include "BookDecimals.h"

namespace vantorel {
namespace liquids {
namespace {

// The seven columns and β, interpolated too.
constexpr std::array<Column, 8> ColumnsWithBeta(int rho, int cp, int mu, int nu, int k, int alpha, int pr, int beta) {
  const auto seven = RhoToPrColumns(rho, cp, mu, nu, k, alpha, pr);
  std::array<Column, 8> columns{};
  std::copy(seven.begin(), seven.end(), columns.begin());
  columns[7] = {Slot::Beta, beta};
  return columns;
}

constexpr DerivedSlot kEngineOilBeta[] = {
    {.kind = DerivedSlot::Kind::Fixed, .slot = Slot::Beta, .value = 0.7, .places = 1},
};
constexpr DerivedSlot kEthyleneGlycolBeta[] = {
    {.kind = DerivedSlot::Kind::Fixed, .slot = Slot::Beta, .value = 0.65, .places = 2},
};

// clang-format off
constexpr double kEngineOilRows[][8] = {
    {430, 806.5, 2.471, 0.470, 5.83, 132, 0.662, 88},
    {420, 812.1, 2.427, 0.564, 6.94, 133, 0.675, 103},
    {410, 818.9, 2.381, 0.698, 8.52, 133, 0.682, 125},
    {400, 825.1, 2.337, 0.874, 10.6, 134, 0.695, 152},
    {390, 830.6, 2.294, 1.10, 13.3, 135, 0.709, 187},
    {380, 836.0, 2.250, 1.41, 16.9, 136, 0.723, 233},
    {370, 841.8, 2.206, 1.86, 22.0, 137, 0.738, 300},
    {360, 847.8, 2.161, 2.52, 29.7, 138, 0.753, 395},
    {350, 853.9, 2.118, 3.56, 41.7, 138, 0.763, 546},
    {340, 859.9, 2.076, 5.31, 61.7, 139, 0.779, 793},
    {330, 865.8, 2.035, 8.36, 96.6, 141, 0.800, 1205},
    {320, 871.8, 1.993, 14.1, 161, 143, 0.823, 1965},
    {310, 877.9, 1.951, 25.3, 288, 145, 0.847, 3400},
    {300, 884.1, 1.909, 48.6, 550, 145, 0.859, 6400},
    {290, 890.0, 1.868, 99.9, 1120, 145, 0.872, 12900},
    {280, 895.3, 1.827, 217, 2430, 144, 0.880, 27500},
    {273, 899.7, 1.796, 385, 4280, 147, 0.910, 47000},
};
// clang-format on

// clang-format off
constexpr double kEthyleneGlycolRows[][8] = {
    {373, 1058.5, 2.742, 0.215, 2.03, 263, 0.906, 22.4},
    {370, 1066.7, 2.728, 0.228, 2.14, 262, 0.900, 23.7},
    {360, 1074.0, 2.682, 0.278, 2.59, 261, 0.906, 28.6},
    {350, 1079.0, 2.637, 0.342, 3.17, 261, 0.917, 34.6},
    {340, 1083.8, 2.592, 0.431, 3.98, 261, 0.929, 42.8},
    {330, 1089.5, 2.549, 0.561, 5.15, 260, 0.936, 55.0},
    {320, 1096.2, 2.505, 0.757, 6.91, 258, 0.940, 73.5},
    {310, 1103.7, 2.460, 1.07, 9.65, 255, 0.939, 103},
    {300, 1114.4, 2.415, 1.57, 14.1, 252, 0.939, 151},
    {290, 1118.8, 2.368, 2.47, 22.1, 248, 0.936, 236},
    {280, 1125.8, 2.323, 4.20, 37.3, 244, 0.933, 400},
    {273, 1130.8, 2.294, 6.51, 57.6, 242, 0.933, 617},
};
// clang-format on

// clang-format off
constexpr double kGlycerinRows[][9] = {
    {320, 1247.2, 2.564, 21.0, 168, 287, 0.897, 1870, 0.50},
    {310, 1253.9, 2.490, 35.2, 281, 286, 0.916, 3060, 0.49},
    {300, 1259.9, 2.427, 79.9, 634, 286, 0.935, 6780, 0.48},
    {290, 1265.8, 2.367, 185, 1460, 286, 0.955, 15300, 0.48},
    {280, 1271.9, 2.298, 534, 4200, 284, 0.972, 43200, 0.47},
    {273, 1276.0, 2.261, 1060, 8310, 282, 0.977, 85000, 0.47},
};
// clang-format on

// clang-format off
constexpr double kFreonRows[][9] = {
    {320, 1228.6, 1.0155, 0.0233, 0.190, 68, 0.545, 3.5, 3.50},
    {310, 1268.9, 0.9963, 0.0244, 0.192, 69, 0.546, 3.4, 3.05},
    {300, 1305.8, 0.9781, 0.0254, 0.195, 72, 0.564, 3.5, 2.75},
    {290, 1340.0, 0.9609, 0.0265, 0.198, 73, 0.567, 3.5, 2.55},
    {280, 1374.4, 0.9450, 0.0283, 0.206, 73, 0.562, 3.7, 2.35},
    {270, 1407.2, 0.9301, 0.0304, 0.216, 73, 0.558, 3.9, 2.25},
    {260, 1439.0, 0.9163, 0.0322, 0.224, 73, 0.554, 4.0, 2.10},
    {250, 1469.5, 0.9037, 0.0354, 0.241, 70, 0.527, 4.6, 2.00},
    {240, 1498.0, 0.8923, 0.0385, 0.257, 69, 0.516, 5.0, 1.90},
    {230, 1528.4, 0.8816, 0.0457, 0.299, 68, 0.505, 5.9, 1.85},
};
// clang-format on

// clang-format off
constexpr double kMercuryRows[][9] = {
    {600, 12809, 0.1355, 0.0911, 0.0711, 11950, 68.80, 0.0103, 0.187},
    {550, 12929, 0.1352, 0.0953, 0.0737, 11450, 65.55, 0.0112, 0.184},
    {500, 13048, 0.1353, 0.1007, 0.0771, 10950, 61.90, 0.0125, 0.182},
    {450, 13167, 0.1357, 0.1075, 0.0816, 10400, 58.10, 0.0140, 0.181},
    {400, 13287, 0.1365, 0.1171, 0.0882, 9800, 54.05, 0.0163, 0.181},
    {350, 13407, 0.1377, 0.1309, 0.0976, 9180, 49.75, 0.0196, 0.181},
    {300, 13529, 0.1393, 0.1523, 0.1125, 8540, 45.30, 0.0248, 0.181},
    {273, 13595, 0.1404, 0.1688, 0.1240, 8180, 42.85, 0.0290, 0.181},
};
// clang-format on

constexpr auto kEngineOilColumns = RhoToPrColumns(1, 3, 2, 1, 1, 3, 0);
constexpr auto kEthyleneGlycolColumns = RhoToPrColumns(1, 3, 3, 2, 1, 3, 1);
constexpr auto kGlycerinColumns = ColumnsWithBeta(1, 3, 1, 1, 1, 3, 0, 2);
constexpr auto kFreonColumns = ColumnsWithBeta(1, 4, 4, 3, 1, 3, 1, 2);
constexpr auto kMercuryColumns = ColumnsWithBeta(0, 4, 4, 4, 0, 2, 4, 3);

}  // namespace

constinit const PropertyTable EngineOil = Prepared({.cells = RowsOf<kEngineOilRows>(),
                                                    .columns = kEngineOilColumns,
                                                    .derived = kEngineOilBeta,
                                                    .decimals = book_decimals::kEngineOil});
constinit const PropertyTable EthyleneGlycol = Prepared({.cells = RowsOf<kEthyleneGlycolRows>(),
                                                         .columns = kEthyleneGlycolColumns,
                                                         .derived = kEthyleneGlycolBeta,
                                                         .decimals = book_decimals::kEthyleneGlycol});
constinit const PropertyTable Glycerin =
    Prepared({.cells = RowsOf<kGlycerinRows>(), .columns = kGlycerinColumns, .decimals = book_decimals::kGlycerin});
constinit const PropertyTable Freon =
    Prepared({.cells = RowsOf<kFreonRows>(), .columns = kFreonColumns, .decimals = book_decimals::kFreon});
constinit const PropertyTable Mercury =
    Prepared({.cells = RowsOf<kMercuryRows>(), .columns = kMercuryColumns, .decimals = book_decimals::kMercury});

}  // namespace liquids

void EngineOilProps() { LookUpIntoState(liquids::EngineOil); }
void EthyleneGlycolProps() { LookUpIntoState(liquids::EthyleneGlycol); }
void GlycerinProps() { LookUpIntoState(liquids::Glycerin); }
void FreonProps() { LookUpIntoState(liquids::Freon); }
void MercuryProps() { LookUpIntoState(liquids::Mercury); }

}  // namespace vantorel
