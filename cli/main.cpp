// quorin: the command-line front end of the Quorin component and report library.
#include <CLI/CLI.hpp>

#include <clocale>

#include "cli/commands.h"

int main(int argc, char** argv) {
    // Texts are converted to the terminal's encoding by the commands themselves; the locale only
    // matters for what a command prints through the C library, which always uses C number rules.
    std::setlocale(LC_ALL, "");
    CLI::App app{"Quorin: relay templates, characteristic zones, test items and reports"};
    app.require_subcommand(1);
    quorin::cli::RegisterCommands(app);
    CLI11_PARSE(app, argc, argv);
    return quorin::cli::ExitStatus();
}
