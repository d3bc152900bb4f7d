// quorin shots SEQ [--loop LN,LL] [--angles FROM:TO:STEP | --angles A,B,...] [--zones 1,2,3]
//                  [--time INDEX=EXPR ...] [--tolerance REL%,ABS] [-o SHOTS.csv]
// Test points around the zone boundaries along search lines from the origin, as a points file
// for a test set to fill in (report/render/points_csv.h).
#pragma once

#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/shot_options.h"

namespace quorin::cli {

struct ShotsOptions : ShotOptions {
    std::string loops = "LN,LL";
    std::string angles = "0:180:15";  // FROM:TO:STEP, TO included, or a list
    std::string zones;                // zone indexes; empty: all
    std::string outputPath;           // empty: standard output
};

// Runs the command; returns the exit status. With -o the file is written whole or not at all and
// "wrote <path> (<n> points)" is printed; errors go to stderr as "quorin shots: <message>":
// LoadShotSetup's, and
//   "--loop <text>: use LN, LL or LN,LL"
//   "--angles <text>: write FROM:TO:STEP or a list A,B,..."
//   "--zones <text>: no zone has the index <n>" / "--zones <text>: write a list of indexes"
int RunShots(const ShotsOptions& options);

void AddShotsCommand(CLI::App& app);

}  // namespace quorin::cli
