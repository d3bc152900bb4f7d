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

constexpr int kMaxAngles = 3601;

int Fail(const std::string& message) {
    std::fprintf(stderr, "quorin shots: %s\n", message.c_str());
    return 1;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    for (size_t at = 0;;) {
        const size_t end = std::min(text.find(separator, at), text.size());
        parts.push_back(text.substr(at, end - at));
        if (end == text.size()) return parts;
        at = end + 1;
    }
}

bool Number(const std::string& text, double& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size() &&
           std::isfinite(value);
}

}  // namespace

bool ParseAngles(const std::string& text, std::vector<double>& angles) {
    std::vector<double> out;
    const std::vector<std::string> range = Split(text, ':');
    if (range.size() == 3) {
        double from = 0, to = 0, step = 0;
        if (!Number(range[0], from) || !Number(range[1], to) || !Number(range[2], step) ||
            !(step > 0.0) || to < from || (to - from) / step >= kMaxAngles)
            return false;
        // Counted, not summed, so that TO itself is reached without drift.
        const int count = static_cast<int>(std::floor((to - from) / step + 1e-9)) + 1;
        for (int i = 0; i < count; ++i)
            out.push_back(from + i * step);
    } else if (range.size() == 1) {
        for (const std::string& part : Split(text, ',')) {
            double angle = 0.0;
            if (!Number(part, angle) || out.size() >= kMaxAngles) return false;
            out.push_back(angle);
        }
    } else {
        return false;
    }
    angles = std::move(out);
    return true;
}

int RunShots(const ShotsOptions& o) {
    std::vector<FaultLoop> loops;
    for (const std::string& part : Split(o.loops, ',')) {
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
        for (const std::string& part : Split(o.zones, ',')) {
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
    auto o = std::make_shared<ShotsOptions>();
    CLI::App* cmd = app.add_subcommand(
        "shots",
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
    cmd->callback([o] { SetExitStatus(RunShots(*o)); });
}

}  // namespace quorin::cli
