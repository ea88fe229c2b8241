#include <vantorel/Catalog.h>
#include <vantorel/Display.h>

#include <iostream>

int main() {
  const vantorel::FluidRef air = vantorel::FindFluid("air");
  vantorel::State.Temp = 310;
  air.entry->props();
  for (const vantorel::ShownProperty& p : vantorel::ShownProperties(air.category))
    std::cout << vantorel::SlotName(p.slot) << ' ' << *vantorel::LabelText(air.category, p.label, vantorel::State) << '\n';
}
