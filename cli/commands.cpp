#include "cli/commands.h"

#include <CLI/CLI.hpp>

namespace quorin::cli {

namespace {
int g_exitStatus = 0;
}  // namespace

void SetExitStatus(int status) {
    g_exitStatus = status;
}
int ExitStatus() {
    return g_exitStatus;
}

void RegisterCommands(CLI::App& app) {
    // Commands register here, one Add...Command(app) call each.
    AddReportCommand(app);
}

}  // namespace quorin::cli
