#include "cli/shot_options.h"

#include <CLI/CLI.hpp>

#include <cstdio>

#include "cli/cmd_template.h"
#include "platform/numtext.h"
#include "template/relay_template.h"

namespace quorin::cli {

ShotSetup::ShotSetup() = default;
ShotSetup::~ShotSetup() = default;

void AddShotOptions(CLI::App& cmd, ShotOptions& o, bool withTimeTolerance) {
    cmd.add_option("SEQ", o.sequencePath, "Template or sequence file, - for standard input")
        ->required();
    cmd.add_option("--time", o.times,
                   "Operating time of the zones with that index, an expression over the "
                   "template's names (repeatable)")
        ->type_name("INDEX=EXPR");
    cmd.add_option("--tolerance", o.tolerance,
                   "Impedance tolerance: max(REL * d, ABS ohms) around each crossing d")
        ->type_name("REL%,ABS")
        ->default_str(o.tolerance);
    if (!withTimeTolerance) return;
    cmd.add_option("--time-tolerance", o.timeTolerance,
                   "Time tolerance: max(REL * t, ABS seconds) around each zone time")
        ->type_name("REL%,ABS")
        ->default_str(o.timeTolerance);
}

bool LoadShotSetup(const ShotOptions& o, ShotSetup& setup, std::string& error) {
    ImpedanceTolerance impedance;
    TimeTolerance time;
    if (!ParseTolerancePair(o.tolerance, impedance.relative, impedance.absolute)) {
        error = "--tolerance " + o.tolerance + ": write it as REL%,ABS, for example 5%,0.05";
        return false;
    }
    if (!ParseTolerancePair(o.timeTolerance, time.relative, time.absolute)) {
        error =
            "--time-tolerance " + o.timeTolerance + ": write it as REL%,ABS, for example 5%,0.010";
        return false;
    }
    setup.relayTemplate = std::make_unique<CRelayTemplate>();
    CRelayTemplate& t = *setup.relayTemplate;
    if (!LoadTemplateFile(o.sequencePath, t, error)) return false;
    std::map<int, double> times;
    for (const std::string& given : o.times)
        if (!ParseZoneTime(t, given, times, error)) return false;
    setup.model = std::make_unique<CShotModel>(t.Zones(), &t, times, impedance, time);
    return true;
}

bool WriteAllOrNothing(const std::vector<std::pair<std::string, FileWriter>>& files,
                       std::string& error) {
    std::vector<std::string> written;
    auto cleanUp = [&written] {
        for (const std::string& path : written)
            std::remove(path.c_str());
    };
    for (const auto& [path, write] : files) {
        // The temporary keeps the extension, which tells some writers the file type.
        const size_t slash = path.find_last_of('/'), dot = path.find_last_of('.');
        const std::string extension =
            dot != std::string::npos && (slash == std::string::npos || dot > slash)
                ? path.substr(dot)
                : std::string();
        const std::string temporary = path + ".partial" + extension;
        written.push_back(temporary);
        if (!write(temporary, error)) {
            cleanUp();
            if (error.find(temporary) != std::string::npos || error.empty())
                error = "cannot write " + path;
            return false;
        }
    }
    for (size_t i = 0; i < files.size(); ++i) {
        if (std::rename(written[i].c_str(), files[i].first.c_str()) != 0) {
            cleanUp();
            error = "cannot write " + files[i].first;
            return false;
        }
    }
    return true;
}

}  // namespace quorin::cli
