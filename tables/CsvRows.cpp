#include "CsvRows.h"

#include <algorithm>

#include "Catalog.h"

namespace vantorel {

CsvRows::CsvRows(const Fluid& fluid) : fluid_(&fluid) {
  for (const ShownProperty& p : Shown(CategoryOf(fluid))) columns_.push_back({&p, SuffixText(p.power)});
}

std::string CsvRows::Header() const {
  std::string header = "T";
  for (const Column& c : columns_) {
    header += ',';
    header += SlotName(c.property->slot);
  }
  return header + '\n';
}

char* CsvRows::WriteLine(char* out, double t, std::string_view tText, char separator) const {
  // The slots straight from the look-up: the quickest way to a million rows.
  const SlotValues values = LookUpSlots(*fluid_, t);
  out = std::copy(tText.begin(), tText.end(), out);  // an empty view may have no data at all
  for (const Column& c : columns_) {
    *out++ = separator;
    out = WriteLabelText(out, *c.property, c.suffix, values[c.property->slot], t);
  }
  *out++ = '\n';
  return out;
}

}  // namespace vantorel
