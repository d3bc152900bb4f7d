// Subcommands of the quorin tool. Each command file adds itself in RegisterCommands
// (commands.cpp) and sets the exit status through SetExitStatus.
#pragma once

namespace CLI {
class App;
}

namespace quorin::cli {

void RegisterCommands(CLI::App& app);

// quorin report (cmd_report.cpp).
void AddReportCommand(CLI::App& app);

void SetExitStatus(int status);
int ExitStatus();

}  // namespace quorin::cli
