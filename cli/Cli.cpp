#include "Cli.h"

#include <string>
#include <variant>

#include <CLI/CLI.hpp>

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
Each property is shown as the calculator window shows it: the number followed by
the power of ten its table factors out (184.6E-7 is 184.6 x 10^-7 N.s/m^2), or
---- where the table has no value and INFINITE where the value is infinite.

Temperatures are in kelvin, read with '.' as the decimal point; any finite
number strtod reads is accepted (310, 310.5, 3.1e2). Each must lie within the
fluid's range, ends included (--list shows the ranges).

A sweep writes from + i*step for i = 0, 1, ... up to --to, each row computed
afresh so no error builds up. --to is the last row when it lies within rounding
error (at least a millionth of a step) of a step point, and that row is then
exactly --to: --from 300 --to 301 --step 0.1 gives 11 rows, the last 301.
Otherwise the sweep ends at the last step point below --to. At most 10000000
rows.

Formats:
  table  one block per temperature: property, symbol, value, unit
  csv    header T and the slot names (Rho,Cp,...); then per temperature T in
         shortest round-trip form and the values as shown (184.6E-7, ----)
  json   {"fluid", "name", "category", "range", "properties": {slot: {"name",
         "symbol", "unit"}}, "results": [{"T": 310.0, "properties": {"Rho":
         {"text": "1.1281", "value": 1.1281, "unit": "kg/m³"}, ...}}, ...]};
         "value" is the shown text read as a number, in the unit given
         (null for ----, "infinite" for INFINITE)

Exit status: 0 done, 2 refused (one line on stderr, nothing on stdout),
1 the output could not be written.

Examples:
  vantorel-props --list
  vantorel-props air 310
  vantorel-props "Carbon Dioxide (CO2)" 400 450 --format csv
  vantorel-props helium --from 100 --to 1000 --step 50 --format json)help";

void Refuse(std::FILE* err, const std::string& message) {
  std::fprintf(err, "vantorel-props: %s\n", message.c_str());
}

}  // namespace

int Run(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
  CLI::App app{kDescription, "vantorel-props"};
  app.footer(kFooter);

  Arguments arguments;
  std::string fluid, from, to, step, format = "table";
  app.add_flag("--list", arguments.list, "List the categories, their fluids and ranges");
  CLI::Option* fluidOption =
      app.add_option("FLUID", fluid, "Short id (air) or list text (\"Carbon Dioxide (CO2)\"), any case")
          ->type_name("");
  app.add_option("T", arguments.temperatures, "Temperatures in kelvin")->type_name("");
  CLI::Option* fromOption = app.add_option("--from", from, "First temperature of a sweep")->type_name("K");
  CLI::Option* toOption = app.add_option("--to", to, "Last temperature of a sweep (see below)")->type_name("K");
  CLI::Option* stepOption = app.add_option("--step", step, "Step of a sweep")->type_name("K");
  app.add_option("-f,--format", format, "table (default), csv or json")->type_name("FORMAT");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::fputs(app.help().c_str(), out);
    return std::fflush(out) == 0 ? 0 : kWriteFailed;
  } catch (const CLI::ParseError& e) {
    Refuse(err, std::string(e.what()) + " (--help shows the usage)");
    return kRefused;
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
    WriteResults(request.format, *request.fluid, *request.temperatures, buffer);
  if (!buffer.Flush()) {
    std::fputs("vantorel-props: could not write the output\n", err);
    return kWriteFailed;
  }
  return 0;
}

}  // namespace vantorel::cli
