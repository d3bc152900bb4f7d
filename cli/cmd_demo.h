// quorin demo [OUTDIR]: the component driven as a host drives it, on the bundled sample, with no
// other input. Prints what the component gives (template tables, zones, items with their evaluated
// parameters, result data, report field list), enters results as a tester would without a window,
// and writes into OUTDIR (default "demo-out"):
//   sequence.seq                 the stored sequence (GBK)
//   characteristic.png, .svg     the characteristic plot of the template's zones
//   shots.csv, assessed.csv      test points around the zones, assessed (cli/assessment_demo.h)
//   assessment.png               the assessed points on the characteristic
//   report.pdf                   the report (A4)
//   report-pages/page-NNN.png    its pages
//   report.xml                   its XML
#pragma once

#include <string>

#include "cli/commands.h"

namespace quorin::cli {

// Runs the demo; prints to stdout (UTF-8) and returns the exit status: 0, or 1 with
// "quorin demo: <message>" on stderr.
int RunDemo(const std::string& outDir);

void AddDemoCommand(CLI::App& app);

}  // namespace quorin::cli
