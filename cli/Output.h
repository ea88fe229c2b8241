#pragma once
// What vantorel-props writes, row by row through one OutputBuffer so that a
// sweep of any length runs in constant memory.
//
//   table     one block per temperature: where it comes from ("Air,
//             Table A.4, between the rows at 300 K and 350 K"), then property,
//             symbol, the window's text and unit
//   explain   the same source, then per property its working (Working in
//             <vantorel/vantorel.h>) and its text
//   csv, csv --si, json
//             the library's rows (vantorel::RowWriter), which every door
//             writes alike
//
// --list is the catalog: a table or CSV of the categories and their fluids,
// or the library's CatalogJson.

#include "OutputBuffer.h"
#include "Request.h"

namespace vantorel::cli {

// Looks up every temperature of the request and writes its row.
void WriteResults(const Request& request, OutputBuffer& out);

// The categories, their fluids (id, list text, the other names they go by)
// and ranges. CSV keeps its five columns without the other names.
void WriteList(Format format, OutputBuffer& out);

}  // namespace vantorel::cli
