/* Air at 310 K from an installed Vantorel, in C: each property in SI base
 * units, the book's table and rows behind them, and how errors are
 * reported. It prints what examples/library prints. */

#include <vantorel/vantorel_c.h>

#include <stdio.h>

/* Room for any name, unit or number here; a longer text would be cut. */
#define TEXT_SIZE 128

static const char* Number(double v, char* text) {
  vantorel_number_text(v, text, TEXT_SIZE);
  return text;
}

static void PrintLastError(void) {
  char message[512];
  vantorel_last_error(message, sizeof message);
  printf("error: %s\n", message);
}

int main(void) {
  const double T = 310;
  const int air = vantorel_resolve_fluid("air");
  double values[16];
  char name[TEXT_SIZE], unit[TEXT_SIZE], number[TEXT_SIZE], source[TEXT_SIZE * 2];
  int count, i;
  if (air < 0 || vantorel_lookup(air, T, values, NULL) != VANTOREL_OK) {
    vantorel_last_error(source, sizeof source);
    fprintf(stderr, "%s\n", source);
    return 1;
  }
  vantorel_fluid_text(air, VANTOREL_FLUID_NAME, name, sizeof name);
  printf("%s at %s K\n", name, Number(T, number));
  count = vantorel_property_count(air);
  for (i = 0; i < count; ++i) {
    vantorel_property_text(air, i, VANTOREL_PROPERTY_NAME, name, sizeof name);
    printf("  %s: %s", name, Number(values[i], number));
    if (vantorel_property_text(air, i, VANTOREL_PROPERTY_SI_UNIT, unit, sizeof unit) > 0) printf(" %s", unit);
    printf("\n");
  }
  vantorel_source_text(air, T, source, sizeof source);
  printf("from %s\n", source);

  /* A name no fluid has, and a temperature outside the range, are errors. */
  if (vantorel_resolve_fluid("airr") < 0) PrintLastError();
  if (vantorel_lookup(air, 5000, values, NULL) != VANTOREL_OK) PrintLastError();
  return 0;
}
