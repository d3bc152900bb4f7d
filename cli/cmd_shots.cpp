#include "cli/cmd_shots.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cmath>
#include <cstdio>

#include "cli/commands.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "report/render/points_csv.h"

namespace quorin::cli {
namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "quorin shots: %s\n", message.c_str());
    return 1;
}

}  // namespace

int RunShots(const ShotsOptions& o) {
    std::vector<FaultLoop> loops;
    for (const std::string& part : SplitList(o.loops, ',')) {
        FaultLoop loop;
        if (!ParseFaultLoop(part, loop)) return Fail("--loop " + o.loops + ": use LN, LL or LN,LL");
        loops.push_back(loop);
    }
    std::vector<double> angles;
    if (!ParseAngles(o.angles, angles))
        return Fail("--angles " + o.angles + ": write FROM:TO:STEP or a list A,B,...");

    std::string error;
    ShotSetup setup;
    if (!LoadShotSetup(o, setup, error)) return Fail(error);
    std::vector<int> zones;
    if (!o.zones.empty()) {
        for (const std::string& part : SplitList(o.zones, ',')) {
            int index = 0;
            const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), index);
            if (part.empty() || ec != std::errc() || end != part.data() + part.size())
                return Fail("--zones " + o.zones + ": write a list of indexes");
            if (!setup.model->HasIndex(index))
                return Fail("--zones " + o.zones + ": no zone has the index " + FormatInt(index));
            zones.push_back(index);
        }
    }

    const std::vector<GeneratedShot> shots = GenerateShots(*setup.model, loops, angles, zones);
    const std::string csv = WriteShotsCsv(shots);
    if (o.outputPath.empty()) {
        std::fwrite(csv.data(), 1, csv.size(), stdout);
        return 0;
    }
    if (!WriteFileAtomic(o.outputPath, csv)) return Fail("cannot write " + o.outputPath);
    std::printf("wrote %s (%d points)\n", o.outputPath.c_str(), static_cast<int>(shots.size()));
    return 0;
}

void AddShotsCommand(CLI::App& app) {
    auto [cmd, o] = AddCommand(
        app, "shots", RunShots,
        "Test points on both sides of each zone boundary along search lines from the origin, as "
        "CSV for a test set to fill in");
    AddShotOptions(*cmd, *o, false);
    cmd->add_option("--loop", o->loops, "Fault loops")->type_name("LN,LL")->default_str("LN,LL");
    cmd->add_option("--angles", o->angles, "Search-line angles in degrees")
        ->type_name("FROM:TO:STEP|A,B,...")
        ->default_str(o->angles);
    cmd->add_option("--zones", o->zones, "Zone indexes (default: all)")->type_name("1,2,3");
    cmd->add_option("-o,--output", o->outputPath, "Write the points here (default: stdout)")
        ->type_name("SHOTS.csv");
}

}  // namespace quorin::cli
