// What quorin shots and quorin assess share: the template, the zone times and the tolerances
// given on the command line, and writing several output files so that either all of them are
// written or none is.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "frontend/shot_inputs.h"
#include "report/render/shot_assessment.h"

namespace quorin {
class CRelayTemplate;
}

namespace quorin::cli {

struct ShotOptions {
    std::string sequencePath;
    std::vector<std::string> times;  // "INDEX=EXPR"
    std::string tolerance = "5%,0.05";
    std::string timeTolerance = "5%,0.010";
};

// Adds SEQ (required), --time and --tolerance, and --time-tolerance when withTimeTolerance.
void AddShotOptions(CLI::App& cmd, ShotOptions& options, bool withTimeTolerance);

// The template of the options' sequence and the model of its zones. The template outlives the
// model, which evaluated zone fields through it.
struct ShotSetup {
    std::unique_ptr<CRelayTemplate> relayTemplate;
    std::unique_ptr<CShotModel> model;
    ShotSetup();
    ~ShotSetup();
};

// False with error (without the command's prefix) on a file that cannot be read or a bad option:
//   "--time <given>: write it as INDEX=EXPR, for example 2=T2"
//   "--time <given>: no zone has the index <n>"
//   "--time <given>: the expression does not evaluate"
//   "--time <given>: the time <t> s is below 0"
//   "--tolerance <text>: write it as REL%,ABS, for example 5%,0.05"
//   "--time-tolerance <text>: write it as REL%,ABS, for example 5%,0.010"
bool LoadShotSetup(const ShotOptions& options, ShotSetup& setup, std::string& error);

// Writes each file through write(temporary path); only when every write succeeded are the files
// moved to their paths. Otherwise no file is touched, the temporaries are removed and error
// holds the failing writer's message (or "cannot write <path>").
using FileWriter = std::function<bool(const std::string& path, std::string& error)>;
bool WriteAllOrNothing(const std::vector<std::pair<std::string, FileWriter>>& files,
                       std::string& error);

}  // namespace quorin::cli
