// quorin assess SEQ POINTS.csv [--time INDEX=EXPR ...] [--tolerance REL%,ABS]
//                 [--time-tolerance REL%,ABS] [-o OUT.csv] [--pdf R.pdf] [--xml R.xml] [--png
//                 P.png]
// Judges measured trip times against the characteristic (report/render/shot_assessment.h).
#pragma once

#include <string>

#include "cli/commands.h"
#include "cli/shot_options.h"

namespace quorin::cli {

struct AssessOptions : ShotOptions {
    std::string pointsPath;  // "-": standard input
    std::string outputPath;  // assessed points; empty: standard output when no other output
    std::string pdfPath, xmlPath, pngPath;
};

// Runs the command; returns the exit status. The outputs are written all or none, and then
// "<n> points: <p> pass, <f> fail, <a> not assessed" and "wrote <path>" per file are printed;
// with no output file the assessed points go to standard output alone. Errors go to stderr as
// "quorin assess: <message>": LoadShotSetup's, ReadPointsCsv's ("POINTS.csv:3: ..."),
// "cannot read file '<path>'" and the writers' messages.
int RunAssess(const AssessOptions& options);

void AddAssessCommand(CLI::App& app);

}  // namespace quorin::cli
