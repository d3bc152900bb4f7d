#include "cli/cmd_plot.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>

#include "cli/cmd_template.h"
#include "cli/commands.h"
#include "frontend/gui_app.h"
#include "frontend/zone_plot.h"
#include "template/relay_template.h"

namespace quorin::cli {

int PlotTemplate(const std::string& templatePath, const std::string& outputPath, int width,
                 int height) {
    auto relayTemplate = std::make_unique<CRelayTemplate>();
    std::string error;
    if (!LoadTemplateFile(templatePath, *relayTemplate, error)) {
        std::fprintf(stderr, "quorin plot: %s\n", error.c_str());
        return 1;
    }
    EnsureGuiApplication();
    const CharacteristicPlot plot = ZonesToCharacteristicPlot(
        relayTemplate->Zones(), relayTemplate->ProtectiveRelayName(), relayTemplate.get());
    if (!RenderCharacteristicPlot(plot, outputPath, QSize(width, height), &error)) {
        std::fprintf(stderr, "quorin plot: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

void AddPlotCommand(CLI::App& app) {
    struct Options {
        std::string templatePath;
        std::string outputPath;
        int width = 900;
        int height = 700;
    };
    auto o = std::make_shared<Options>();
    CLI::App* cmd = AddCommand(
        app, "plot", "Plot a template's characteristic zones in the impedance plane",
        [o] { return PlotTemplate(o->templatePath, o->outputPath, o->width, o->height); });
    cmd->add_option("TEMPLATE", o->templatePath, "Template or sequence file, - for standard input")
        ->required();
    cmd->add_option("-o,--output", o->outputPath, "Output file: .png, .svg or .pdf")
        ->required()
        ->type_name("FILE");
    cmd->add_option("--width", o->width, "Width in pixels (points for PDF)")
        ->check(CLI::Range(1, 20000));
    cmd->add_option("--height", o->height, "Height in pixels (points for PDF)")
        ->check(CLI::Range(1, 20000));
}

}  // namespace quorin::cli
