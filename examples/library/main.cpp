// Air at 310 K from an installed Vantorel: each property in SI base units,
// the book's table and rows behind them, and how errors are reported.

#include <vantorel/vantorel.h>

#include <charconv>
#include <iostream>
#include <string>

// The shortest text that reads back as the same double: 1.893e-05, 1007.
std::string Shortest(double v) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
}

int main() {
  const vantorel::Result air = vantorel::LookUp("air", 310);
  if (!air) {
    std::cerr << air.error().message() << '\n';
    return 1;
  }
  std::cout << air->fluid->name << " at " << air->T << " K\n";
  for (const vantorel::Property& p : air->properties()) {
    std::cout << "  " << p.name << ": " << Shortest(p.value);
    if (!p.unit.empty()) std::cout << ' ' << p.unit;
    std::cout << '\n';
  }
  const vantorel::Source& source = air->source;
  std::cout << "from Table " << source.table;
  if (source.rowCount == 2)
    std::cout << ", between the rows at " << source.rows[0] << " K and " << source.rows[1] << " K\n";
  else
    std::cout << ", the row at " << source.rows[0] << " K\n";

  // A name no fluid has, and a temperature outside the range, are errors.
  for (const auto& [fluid, t] : {std::pair{"airr", 310.0}, std::pair{"air", 5000.0}}) {
    const vantorel::Result r = vantorel::LookUp(fluid, t);
    if (!r) std::cout << "error: " << r.error().message() << '\n';
  }
}
