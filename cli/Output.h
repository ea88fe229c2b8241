#pragma once
// The three output formats of vantorel-props, written row by row through one
// OutputBuffer so that a sweep of any length runs in constant memory.
//
//   table  one block per temperature: property, symbol, the window's text, unit
//   csv    a header "T,Rho,Cp,..." (the slots the category shows, in label
//          order), then one line per temperature: T in shortest round-trip
//          form, then the window's texts ("184.6E-7", "----", "INFINITE")
//   json   one object: the fluid, its category, table and range, a
//          description of each shown property, and "results": one object per
//          temperature, {"T": 310.0, "properties": {"Rho": {"text": "1.1281",
//          "value": 1.1281, "unit": "kg/m³", "si": 1.1281}, ...}, "source":
//          {"table": "A.4", "rows": [300, 350], "corrected": false}}. "value"
//          is the double nearest to the text read as a decimal number
//          (184.6E-7 is 1.846e-05) in "unit", "si" the same in the SI base
//          unit "siUnit" of the description; either is null where the window
//          shows "----" and the string "infinite" where it shows "INFINITE".
//   csv --si  a header naming each column's quantity and SI unit in ASCII
//          ("T [K]", "mu [Pa*s]"), then per temperature the plain SI numbers
//          in shortest round-trip form: an empty cell where the book has no
//          value, "inf" where the value is infinite
//   explain   per temperature the table and rows it comes from, then per
//          property its working (Working in <vantorel.h>) and its text
//
// The table and the explanation name where the values come from: "Air,
// Table A.4, between the rows at 300 K and 350 K".

#include <cstddef>
#include <memory>
#include <string_view>

#include "Catalog.h"
#include "Display.h"
#include "OutputBuffer.h"
#include "PropertyState.h"
#include "Request.h"
#include <vantorel/vantorel.h>

namespace vantorel::cli {

class RowWriter {
 public:
  virtual ~RowWriter() = default;
  virtual void Begin() = 0;
  // t within the fluid's range; tText its text, as Temperatures::PutText
  // writes it.
  virtual void Row(double t, std::string_view tText) = 0;
  virtual void End() = 0;
};

// Where a reading comes from, in words a student can cite: "Air, Table A.4,
// between the rows at 300 K and 350 K", or "..., the row at 300 K".
std::string SourceText(const Reading& reading);

// A quantity or unit in ASCII, for a CSV header: "μ_f" is "mu_f", "c_p,f"
// "cp_f", "J/(kg·K)" "J/(kg*K)", "m²/s" "m^2/s".
std::string AsciiText(std::string_view text);

// A writer of the request's format for the shown properties of `fluid`'s
// category.
std::unique_ptr<RowWriter> MakeRowWriter(const Request& request, const Fluid& fluid, OutputBuffer& out);

// Looks up every temperature of the request and writes its row.
void WriteResults(const Request& request, OutputBuffer& out);

// The categories, their fluids (id, list text, the other names they go by)
// and ranges. CSV keeps its five columns without the other names.
void WriteList(Format format, OutputBuffer& out);

}  // namespace vantorel::cli
