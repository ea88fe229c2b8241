#include "Cli.h"

#include <cerrno>
#include <string>
#include <variant>
#include <vector>

#include <CLI/CLI.hpp>

#include <vantorel/vantorel.h>
#include "Output.h"
#include "OutputBuffer.h"
#include "Request.h"

namespace vantorel::cli {

namespace {

constexpr int kRefused = 2;
constexpr int kWriteFailed = 1;

constexpr const char* kDescription =
    "Thermophysical properties of gases, saturated fluids, saturated water and liquid\n"
    "metals, interpolated between the rows of the property tables and rounded as the\n"
    "tables print them.\n";

constexpr const char* kFooter = R"help(
FLUID is a short id (saturated-water), a name people type (water, h2o, steam,
co2, oil, r12, hg, na, ...: --list shows each fluid's), or the text of the
calculator's list with or without its formula ("Carbon Dioxide (CO2)",
"carbon dioxide"), in any case; spaces, hyphens and underscores within it do
not matter (engine_oil, "freon 12"). "nak" could be either NaK alloy: give
nak-45 or nak-22.

Each property is shown as the calculator window shows it: the number followed by
the power of ten its table factors out (184.6E-7 is 184.6 x 10^-7 N.s/m^2), or
---- where the table has no value and INFINITE where the value is infinite.

A temperature is a decimal number of kelvin (310, 310.5, 3.1e2, 310K, "310 K")
or of degrees with their unit: 36.85C, "36.85 °C", 98.33F, -173.15C. Degrees
are converted to kelvin exactly in decimal (25C is the same temperature as
298.15), and the output is in kelvin (but see --units, and sweeps in degrees). '.' is the decimal point; hexadecimal,
inf and nan are no temperatures. Each must lie within the fluid's range, ends
included (--list shows the ranges).

A sweep writes the decimals from + i*step for i = 0, 1, ... up to --to,
each worked out exactly in decimal, so --from 273.15 --step 0.1 gives 273.35,
never 273.34999999999997. The first row is --from. --to is the last row when
it lies within a millionth of a step of a step point after --from, and that
row is then exactly --to: --from 300 --to
301 --step 0.1 gives 11 rows, the last 301. Otherwise the sweep ends at the
last step point below --to. The ends and the step take the same units as a
temperature (--from 0C --to 100C --step 0.5); the step counts the ends'
degrees. At most 10000000 rows.

Saturated water can be looked up at a pressure instead: --pressure 2bar
(also Pa, kPa, MPa, atm and psi, converted exactly; a bare number is
refused). Between the two rows whose printed pressures bracket P, T is
interpolated linearly in P and rounded to 0.01 K: that is T_sat, and the
values are those at T_sat. --explain shows the step.

Units: book (default) gives the book's texts; si plain SI base units;
engineering kg/m^3, kJ/(kg K), mPa s, mm^2/s, W/(m K), 1/K, kPa, m^3/kg, kJ/kg,
mN/m, with T in degrees C beside K; us lbm/ft^3, Btu/(lbm F), lbm/(ft h),
ft^2/h, Btu/(h ft F), 1/R, psia, ft^3/lbm, Btu/lbm, lbf/ft, with T in degrees
F. A converted value is the book's decimal times exact factors (lbm =
0.45359237 kg, ft = 0.3048 m, Btu = 1055.05585262 J, h = 3600 s, R = 5/9 K),
rounded half-even to as many significant digits as the book's value has. A
sweep typed in C or F writes its rows in that unit.

Formats:
  table  one block per temperature: the book's table and rows it comes from
         ("Air, Table A.4, between the rows at 300 K and 350 K"), then
         property, symbol, value, unit
  csv    header T and the slot names (Rho,Cp,...); then per temperature T in
         kelvin and the values as shown (184.6E-7, ----)
  csv with --si
         header "T [K],rho [kg/m^3],cp [J/(kg*K)],mu [Pa*s],..."; then plain
         SI numbers (1.893e-05), an empty cell for no value, inf for infinite
  json   {"fluid", "name", "category", "table", "range", "properties": {slot:
         {"name", "symbol", "unit", "siUnit"}}, "results": [{"T": 310.0,
         "properties": {"Rho": {"text": "1.1281", "state": "value", "value":
         1.1281, "unit": "kg/m³", "si": 1.1281}, ...}, "source": {"table":
         "A.4", "rows": [300.0, 350.0], "corrected": false}}, ...]}; "state" is
         "value", "none" (----) or "infinite" (INFINITE); "value" is the shown
         text read as a number in "unit", "si" the same in "siUnit", and both
         are null unless the state is "value"

Exit status: 0 done, 2 refused (one line on stderr, nothing on stdout),
1 the output could not be written.

Examples:
  vantorel-props --list
  vantorel-props air 310
  vantorel-props water 25C --explain
  vantorel-props "Carbon Dioxide (CO2)" 400 450 --format csv
  vantorel-props nitrogen --from -150C --to 0C --step 10 --format csv --si
  vantorel-props helium --from 100 --to 1000 --step 50 --format json
  vantorel-props water --pressure 1atm --explain
  vantorel-props air 310 --units us --format csv)help";

// The arguments after the program's name, last first as CLI11 takes them.
// CLI11 takes "-5" and "-173.15C" for values, as a '-' and a digit begin no
// option here, but "-.5C" for an option: written "-0.5C" it is the same
// temperature, and a value. argv[0] is not read; a caller may give anything
// there.
std::vector<std::string> ArgumentsToParse(int argc, const char* const* argv) {
  std::vector<std::string> args;
  for (int i = argc - 1; i >= 1; --i) {
    std::string a = argv[i];
    if (a.size() > 2 && a[0] == '-' && a[1] == '.' && a[2] >= '0' && a[2] <= '9') a.insert(1, "0");
    args.push_back(std::move(a));
  }
  return args;
}

void Refuse(std::FILE* err, const std::string& message) { std::fprintf(err, "vantorel-props: %s\n", message.c_str()); }

}  // namespace

int Run(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
  CLI::App app{kDescription, "vantorel-props"};
  app.footer(kFooter);

  Arguments arguments;
  std::string fluid, from, to, step, units, format = "table";
  app.add_flag("--list", arguments.list, "List the categories, their fluids, the names they go by and ranges");
  bool version = false;
  app.add_flag("--version", version, "Show the version and exit");
  CLI::Option* fluidOption =
      app.add_option("FLUID", fluid, "Id (air), name (co2) or list text (\"Carbon Dioxide (CO2)\"), any case")
          ->type_name("");
  app.add_option("T", arguments.temperatures, "Temperatures: kelvin (310), or with a unit (36.85C, \"98.33 °F\")")
      ->type_name("");
  CLI::Option* fromOption = app.add_option("--from", from, "First temperature of a sweep")->type_name("A");
  CLI::Option* toOption = app.add_option("--to", to, "Last temperature of a sweep (see below)")->type_name("B");
  CLI::Option* stepOption = app.add_option("--step", step, "Step of a sweep")->type_name("S");
  app.add_option("-f,--format", format, "table (default), csv or json")->type_name("FORMAT");
  app.add_flag("--si", arguments.si, "With --format csv: plain numbers in SI units, a unit in each column's name");
  app.add_option("-P,--pressure", arguments.pressures,
                 "Saturated water at a pressure with its unit: 2bar, \"101.325 kPa\", 1atm, 14.7psi")
      ->type_name("P");
  app.add_option("-u,--units", units, "book (default), si, engineering or us")->type_name("UNITS");
  app.add_flag("--explain", arguments.explain,
               "Show the working for one temperature: the book's rows, the interpolation, the rounding");

  try {
    std::vector<std::string> args = ArgumentsToParse(argc, argv);
    app.parse(args);
  } catch (const CLI::CallForHelp&) {
    std::fputs(app.help().c_str(), out);
    return std::fflush(out) == 0 ? 0 : kWriteFailed;
  } catch (const CLI::ParseError& e) {
    Refuse(err, std::string(e.what()) + " (--help shows the usage)");
    return kRefused;
  }

  if (version) {
    std::fprintf(out, "vantorel-props %.*s\n", static_cast<int>(Version().size()), Version().data());
    return std::fflush(out) == 0 ? 0 : kWriteFailed;
  }

  const auto named = FormatNamed(format);
  if (!named) {
    Refuse(err, "unknown format \"" + format + "\": use table, csv or json");
    return kRefused;
  }
  arguments.format = *named;
  if (fluidOption->count() > 0) arguments.fluid = fluid;
  if (fromOption->count() > 0) arguments.from = from;
  if (toOption->count() > 0) arguments.to = to;
  if (stepOption->count() > 0) arguments.step = step;
  if (app.get_option("--units")->count() > 0) arguments.units = units;

  const auto made = MakeRequest(arguments);
  if (const auto* refusal = std::get_if<Refusal>(&made)) {
    Refuse(err, refusal->message);
    return kRefused;
  }
  const Request& request = std::get<Request>(made);

  OutputBuffer buffer(out);
  if (request.list)
    WriteList(request.format, buffer);
  else
    WriteResults(request, buffer);
  if (!buffer.Flush()) {
#ifdef _WIN32
    // Windows has no SIGPIPE: a reader that went away (| head) ends the run
    // as quietly as the signal does elsewhere.
    if (errno == EPIPE || errno == EINVAL) return kWriteFailed;
#endif
    std::fputs("vantorel-props: could not write the output\n", err);
    return kWriteFailed;
  }
  return 0;
}

}  // namespace vantorel::cli
