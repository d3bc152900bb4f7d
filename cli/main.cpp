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
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // CLI11 prints the message; every usage error exits with 1 like the commands' own errors.
        return app.exit(e) == 0 ? 0 : 1;
    }
    return quorin::cli::ExitStatus();
}
