#include "cli/commands.h"

#include <CLI/CLI.hpp>

#include "cli/cmd_assess.h"
#include "cli/cmd_demo.h"
#include "cli/cmd_eval.h"
#include "cli/cmd_plot.h"
#include "cli/cmd_results.h"
#include "cli/cmd_shots.h"
#include "cli/cmd_template.h"

namespace quorin::cli {

namespace {
int g_exitStatus = 0;
}  // namespace

int ExitStatus() {
    return g_exitStatus;
}

CLI::App* AddCommand(CLI::App& app, const std::string& name, const std::string& description,
                     std::function<int()> run) {
    CLI::App* cmd = app.add_subcommand(name, description);
    cmd->callback([run = std::move(run)] { g_exitStatus = run(); });
    return cmd;
}

void RegisterCommands(CLI::App& app) {
    // Commands register here, one Add...Command(app) call each.
    AddEvalCommand(app, EvaluateWithTemplate);
    AddTemplateCommands(app);
    AddReportCommand(app);
    AddPlotCommand(app);
    AddShotsCommand(app);
    AddAssessCommand(app);
    AddDemoCommand(app);
    AddResultsCommand(app);
}

}  // namespace quorin::cli
