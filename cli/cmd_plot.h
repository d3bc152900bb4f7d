// quorin plot TEMPLATE -o FILE.{png,svg,pdf}: the characteristic plot of a template's zones.
#pragma once

#include <string>

#include "cli/commands.h"

namespace quorin::cli {

// Reads the template (or whole sequence; "-" is standard input), plots its zones and writes the
// plot. Returns the exit status: 0, or 1 with a message on stderr.
int PlotTemplate(const std::string& templatePath, const std::string& outputPath, int width,
                 int height);

void AddPlotCommand(CLI::App& app);

}  // namespace quorin::cli
