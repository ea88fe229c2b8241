#ifndef VANTOREL_VANTOREL_C_H
#define VANTOREL_VANTOREL_C_H
/* Vantorel from C, and from anything that calls C: Fortran (bind(C)),
 * Julia (ccall), Rust, MATLAB (loadlibrary), Excel VBA (Declare). The same
 * look-ups, values, texts and error messages as <vantorel/vantorel.h>, with
 * plain types only: int, double, size_t, text in and out as UTF-8.
 *
 *   int error;
 *   double mu = vantorel_si("air", 310, "mu", &error);   1.893e-05 (Pa·s)
 *
 * Nothing here allocates memory the caller must free: every text is copied
 * into the caller's buffer as snprintf does it, writing at most size - 1
 * bytes and a NUL, and returning the text's whole length, so a call with a
 * too small buffer (or NULL and size 0) tells how much room the text needs.
 * A negative return is minus an error code instead.
 *
 * Every function is thread-safe and never crashes on a bad argument: an
 * index out of bounds, a NULL pointer, NaN or an unknown name gives an error
 * code, and vantorel_last_error() the sentence that explains it. */

#include <stddef.h>

#include <vantorel/version.h>

/* The shared library exports these functions and nothing else of this
 * header; on Windows, define VANTOREL_DLL when linking the DLL. */
#if defined(_WIN32) || defined(__CYGWIN__)
#if defined(VANTOREL_BUILDING_DLL)
#define VANTOREL_C_API __declspec(dllexport)
#elif defined(VANTOREL_DLL)
#define VANTOREL_C_API __declspec(dllimport)
#else
#define VANTOREL_C_API
#endif
#elif defined(__GNUC__) || defined(__clang__)
#define VANTOREL_C_API __attribute__((visibility("default")))
#else
#define VANTOREL_C_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* What a call returns (or minus it, for calls that return a length or an
 * index). The numbers are fixed: callers in other languages write them out.
 * 1 to 11 are vantorel::ErrorCode's, in its order; 16 to 18 its pressures'. */
enum vantorel_error {
  VANTOREL_OK = 0,
  VANTOREL_UNKNOWN_FLUID = 1,   /* no fluid has that name */
  VANTOREL_AMBIGUOUS_FLUID = 2, /* the name fits more than one fluid */
  VANTOREL_NOT_FINITE = 3,      /* T is NaN or infinite */
  VANTOREL_OUT_OF_RANGE = 4,    /* T lies outside the fluid's range */
  VANTOREL_NOT_A_TEMPERATURE = 5,
  VANTOREL_UNITS_DIFFER = 6, /* 6 to 11: a sweep's, which no call here plans */
  VANTOREL_TOO_MANY_DIGITS = 7,
  VANTOREL_STEP_UNIT_MISMATCH = 8,
  VANTOREL_STEP_NOT_POSITIVE = 9,
  VANTOREL_TO_BELOW_FROM = 10,
  VANTOREL_TOO_MANY_ROWS = 11,
  VANTOREL_UNKNOWN_PROPERTY = 12, /* the fluid's category shows no property with that id */
  VANTOREL_BAD_INDEX = 13,        /* a fluid, property or field index out of bounds */
  VANTOREL_NULL_POINTER = 14,     /* a name, an array or a buffer with room is NULL */
  VANTOREL_OUT_OF_MEMORY = 15,    /* a text could not be made */
  VANTOREL_NOT_A_PRESSURE = 16,   /* no pressure with its unit: "2 bar", "101.325 kPa", "1 atm" */
  VANTOREL_PRESSURE_OUT_OF_RANGE = 17, /* outside 0.00611 bar to 221.2 bar */
  VANTOREL_NO_PRESSURE_COLUMN = 18,    /* only saturated water is looked up by pressure */
  VANTOREL_UNKNOWN_UNITS = 19          /* not "book", "si", "engineering" or "us" */
};

/* What a value is, beside it: the value, or NaN, or +inf. */
enum vantorel_state {
  VANTOREL_VALUE = 0,    /* a number */
  VANTOREL_NO_VALUE = 1, /* the book has none here (the window shows "----"); the value is NaN */
  VANTOREL_INFINITE = 2  /* infinite, as water at its critical point; the value is +inf */
};

/* The library's own version as 10000 * major + 100 * minor + patch, which
 * may differ from this header's VANTOREL_VERSION. */
VANTOREL_C_API int vantorel_version(void);

/* The message of the last call on this thread that failed: "unknown fluid
 * \"watr\"; closest: saturated-water". A call that succeeds leaves it. */
VANTOREL_C_API int vantorel_last_error(char* out, size_t size);

/* ------------------------------------------------------------------------
 * The catalog. Fluids are numbered from 0 in the window's list order, their
 * properties from 0 in the window's label order. A later version may add
 * fluids: a program that must last finds them by id. */

VANTOREL_C_API int vantorel_fluid_count(void);

/* The index of the fluid `name` stands for (its id, an alias or its list
 * text, in any case: "air", "CO2", "Carbon Dioxide"), or minus
 * VANTOREL_UNKNOWN_FLUID or VANTOREL_AMBIGUOUS_FLUID. */
VANTOREL_C_API int vantorel_resolve_fluid(const char* name);

enum vantorel_fluid_field {
  VANTOREL_FLUID_ID = 0,       /* "carbon-dioxide" */
  VANTOREL_FLUID_NAME = 1,     /* "Carbon Dioxide (CO2)", as the window's list shows it */
  VANTOREL_FLUID_CATEGORY = 2, /* "Gases at Atmoshperic Pressure", as the window spells it */
  VANTOREL_FLUID_TABLE = 3,    /* the book's table: "A.4" */
  VANTOREL_FLUID_RANGE = 4     /* the window's range label: "100K <= T <= 3000K" */
};

/* A text of fluid `fluid`: one of enum vantorel_fluid_field. */
VANTOREL_C_API int vantorel_fluid_text(int fluid, int field, char* out, size_t size);

/* The fluid's range in kelvin; both ends belong to it. */
VANTOREL_C_API int vantorel_fluid_range(int fluid, double* t_min, double* t_max);

/* How many properties the fluid's category shows: 8 for most, 14 for
 * saturated water. Or minus VANTOREL_BAD_INDEX. */
VANTOREL_C_API int vantorel_property_count(int fluid);

/* The index of the fluid's property with id `id` in any case ("mu", "Mu"),
 * or minus VANTOREL_UNKNOWN_PROPERTY. */
VANTOREL_C_API int vantorel_find_property(int fluid, const char* id);

enum vantorel_property_field {
  VANTOREL_PROPERTY_ID = 0,            /* "Mu" */
  VANTOREL_PROPERTY_NAME = 1,          /* "dynamic viscosity" */
  VANTOREL_PROPERTY_SYMBOL = 2,        /* "μ", "c_p,f": an underscore starts a subscript */
  VANTOREL_PROPERTY_ASCII_SYMBOL = 3,  /* "mu", "cp_f" */
  VANTOREL_PROPERTY_SI_UNIT = 4,       /* "Pa·s": the unit of the values; empty for a pure number */
  VANTOREL_PROPERTY_ASCII_SI_UNIT = 5, /* "Pa*s", "-" for a pure number */
  VANTOREL_PROPERTY_BOOK_UNIT = 6      /* "N·s/m²": the unit of the book's column */
};

/* A text of property `property` of fluid `fluid`: one of enum
 * vantorel_property_field. */
VANTOREL_C_API int vantorel_property_text(int fluid, int property, int field, char* out, size_t size);

/* ------------------------------------------------------------------------
 * Look-ups. Values are in SI base units: the double nearest the book's
 * rounded decimal (1.893e-05 for 189.3E-7 N·s/m²). */

/* The properties of fluid `fluid` at T kelvin: values[i] and states[i] for
 * property i, vantorel_property_count(fluid) of each. `states` may be NULL.
 * When T is not finite or outside the range, every value is NaN and every
 * state VANTOREL_NO_VALUE. */
VANTOREL_C_API int vantorel_lookup(int fluid, double T, double* values, int* states);

/* The same for n temperatures: values[i * count + k] is property k at T[i]
 * (count = vantorel_property_count(fluid)). A temperature that is not
 * finite or outside the range gives a row of NaN; `outside` (may be NULL)
 * receives how many did, and the call returns the error of the first of
 * them, or VANTOREL_OK. A value's state follows from it: NaN no value,
 * +inf infinite. */
VANTOREL_C_API int vantorel_lookup_n(int fluid, const double* T, size_t n, double* values, size_t* outside);

/* The one call a spreadsheet cell needs: property `property` (an id in any
 * case: "mu", "Cp") of the fluid named `fluid` at T kelvin, in SI base
 * units; NaN where the book has no value, +inf where it is infinite. On an
 * error NaN, and *error (may be NULL) receives the code, else VANTOREL_OK. */
VANTOREL_C_API double vantorel_si(const char* fluid, double T, const char* property, int* error);

/* The text the calculator window shows for property `property` at T:
 * "189.3E-7", "----", "INFINITE". */
VANTOREL_C_API int vantorel_value_text(int fluid, double T, int property, char* out, size_t size);

/* The book's table and rows behind the values at T: "Table A.4, between
 * the rows at 300 K and 350 K", with any corrected cell named. */
VANTOREL_C_API int vantorel_source_text(int fluid, double T, char* out, size_t size);

/* ------------------------------------------------------------------------
 * Numbers and temperatures as text. */

/* A number as every Vantorel door writes it: the shortest text that reads
 * back as exactly `value`: "1.1281", "1.893e-05", "1007". */
VANTOREL_C_API int vantorel_number_text(double value, char* out, size_t size);

/* A temperature as typed: "310", "310.5 K", "36.85 °C", "98.33 F" (a bare
 * number is kelvin), into *kelvin. VANTOREL_NOT_A_TEMPERATURE for any other
 * text. */
VANTOREL_C_API int vantorel_parse_temperature(const char* text, double* kelvin);

/* ------------------------------------------------------------------------
 * Saturated water at a pressure, and other units. */

/* The saturation temperature of water at a pressure as typed, with its
 * unit: "2 bar", "101.325 kPa", "0.1 MPa", "611 Pa", "1 atm", "14.7 psi".
 * Between the two rows of Table A.6 that bracket it, T is interpolated in P
 * and rounded to 0.01 K, into *kelvin; look the water up at it for its
 * properties. VANTOREL_NOT_A_PRESSURE for a bare number or any other text,
 * VANTOREL_PRESSURE_OUT_OF_RANGE outside 0.00611 bar to 221.2 bar. */
VANTOREL_C_API int vantorel_saturation_temperature(const char* pressure, double* kelvin);

/* Units are named "book" (the book's columns: 1.893e-05 N·s/m² for
 * 189.3E-7), "si", "engineering" (kPa, kJ/(kg·K), mPa·s, mm²/s, W/(m·K),
 * mN/m) or "us" (psia, lbm/ft³, Btu/(lbm·°F), lbm/(ft·h), ft²/h,
 * Btu/(h·ft·°F), lbf/ft, 1/°R), in any case. A converted value is the
 * book's decimal times exact factors, rounded to the digits the book gives. */

/* vantorel_si in other units: vantorel_value_in("air", 310, "rho", "us",
 * &error) is 0.070425 (lbm/ft³). */
VANTOREL_C_API double vantorel_value_in(const char* fluid, double T, const char* property, const char* units,
                                        int* error);

/* The text of property `property` at T in `units`: "0.070425", "----". */
VANTOREL_C_API int vantorel_text_in(int fluid, double T, int property, const char* units, char* out, size_t size);

/* The unit of property `property` in `units`: "lbm/ft³"; empty for a pure
 * number. */
VANTOREL_C_API int vantorel_unit_in(int fluid, int property, const char* units, char* out, size_t size);

#ifdef __cplusplus
}
#endif

#endif /* VANTOREL_VANTOREL_C_H */
