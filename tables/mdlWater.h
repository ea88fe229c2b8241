#pragma once
// Saturated water, 273.15 K to the critical point at 647.3 K: its table
// procedure and its tables.

#include "Lookup.h"

namespace vantorel {

namespace water {
// The look-up rows, 640 K down to 273.15 K.
extern const PropertyTable LookUpTable;
// The straight lines near the critical point: 645 K to 640 K, and 647.3 K to
// 645 K.
extern const PropertyTable LowerSegment, UpperSegment;

// A row's saturation pressure as the book prints it.
struct PressureRow {
  double T;      // kelvin
  double P;      // bar
  int decimals;  // printed: 5 for 0.00611
};
// Every row's, the critical point's included, lowest first.
std::span<const PressureRow> PressureRows();

// The piece that serves t: 640 K itself belongs to the look-up, 645 K to
// the lower segment.
const PropertyTable& PieceAt(double t);
}  // namespace water

// The whole procedure as a pure function of T: all fourteen water slots.
SlotValues SatWaterLookUp(double t);

// Reads State.Temp and writes P, Vf, Vg, Hfg, Cpf, Cpg, Muf, Mug, Kf, Kg, Prf,
// Prg, Sigmaf and Betaf.
void SatWaterProps();

}  // namespace vantorel
