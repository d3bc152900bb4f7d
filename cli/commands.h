// Subcommands of the quorin tool. Each command file adds itself in RegisterCommands
// (commands.cpp) through AddCommand, whose run function gives the exit status.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace CLI {
class App;
}

namespace quorin::cli {

void RegisterCommands(CLI::App& app);

// quorin report (cmd_report.cpp).
void AddReportCommand(CLI::App& app);

// Adds the subcommand name; once the command line is parsed, run() is called and what it returns
// becomes the exit status. The caller adds the subcommand's options to what this returns.
CLI::App* AddCommand(CLI::App& app, const std::string& name, const std::string& description,
                     std::function<int()> run);

// The same for a command whose options, made here and kept as long as the program, are given to
// run; returns the subcommand and the options to add to it.
template <typename Options>
std::pair<CLI::App*, std::shared_ptr<Options>> AddCommand(CLI::App& app, const std::string& name,
                                                          int (*run)(const Options&),
                                                          const std::string& description) {
    auto options = std::make_shared<Options>();
    return {AddCommand(app, name, description, [options, run] { return run(*options); }), options};
}

// The exit status the command that ran gave (0 before any ran).
int ExitStatus();

}  // namespace quorin::cli
