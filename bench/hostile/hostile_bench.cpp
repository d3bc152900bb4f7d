// Each crafted input of hostile_inputs.cpp at 1 MB and 10 MB beside its benign twin of the same
// size, through the reader it targets. Prints a summary after the runs: the crafted time, the
// benign time and their ratio, which must stay within 10, and every 10 MB input must take less
// than a second. CPU time of warm reads (one untimed read first: the readers keep their capacity
// from text to text), except for the report settings, whose cost is writing the file.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "bench/hostile/hostile_inputs.h"
#include "expression/expression.h"
#include "expression/name_table.h"
#include "expression/vocabularies.h"
#include "platform/files.h"
#include "platform/numtext.h"
#include "platform/private_profile.h"
#include "report/report_setting.h"
#include "template/relay_template.h"

namespace {

using namespace quorin;
using hostile::Input;
using hostile::Reader;

constexpr std::size_t kMegabyte = 1 << 20;

std::string ScratchFile(const std::string& name) {
    return "/tmp/quorin-hostile-" + quorin::FormatInt(::getpid()) + "-" + name + ".ini";
}

void Run(benchmark::State& state, const Input& input, bool crafted, std::size_t bytes) {
    const std::string text = crafted ? input.crafted(bytes) : input.benign(bytes);
    state.counters["bytes"] = static_cast<double>(text.size());
    switch (input.reader) {
        case Reader::kTemplate: {
            auto relayTemplate = std::make_unique<CRelayTemplate>();
            relayTemplate->ReadTemplate(text, 0);  // warm: the readers keep their capacity
            for (auto _ : state)
                relayTemplate->ReadTemplate(text, 0);
            break;
        }
        case Reader::kExpression: {
            CNameTable table;
            CKeywordConstants keywords;
            keywords.Register(table);
            CExpression expression;
            const std::vector<std::string> lines = hostile::Lines(text);
            for (const std::string& line : lines)
                CalcExpressionText(expression, &table, line);
            for (auto _ : state)
                for (const std::string& line : lines)
                    benchmark::DoNotOptimize(CalcExpressionText(expression, &table, line));
            break;
        }
        case Reader::kIni: {
            const auto list = [&] {
                const ProfileText ini(text);
                benchmark::DoNotOptimize(ini.KeyNames("S"));
                benchmark::DoNotOptimize(ini.SectionNames());
            };
            list();
            for (auto _ : state)
                list();
            break;
        }
        case Reader::kReportSettings: {
            const std::string path = ScratchFile(input.name);
            WriteFileAtomic(path, text);
            CReportSetting settings;
            const auto loadAndSave = [&] {
                settings.Load(path);
                settings.Save(path);
            };
            loadAndSave();
            for (auto _ : state)
                loadAndSave();
            std::remove(path.c_str());
            break;
        }
    }
}

// Keeps the time per iteration of each run (the median when runs are repeated) for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs) {
            const bool real = r.run_name.function_name.rfind("report_ini", 0) == 0;
            const double seconds = (real ? r.GetAdjustedRealTime() : r.GetAdjustedCPUTime()) /
                                   benchmark::GetTimeUnitMultiplier(r.time_unit);
            if (r.run_type == Run::RT_Iteration && !median.count(r.run_name.function_name))
                times[r.run_name.function_name] = seconds;
            if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
                times[r.run_name.function_name] = seconds;
                median[r.run_name.function_name] = true;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
    std::map<std::string, bool> median;
};

}  // namespace

int main(int argc, char** argv) {
    for (const Input& input : hostile::Inputs()) {
        for (const std::size_t megabytes : {1, 10}) {
            for (const bool crafted : {true, false}) {
                const std::string name = std::string(input.name) + "/" +
                                         (crafted ? "crafted" : "benign") + "/" +
                                         FormatInt(static_cast<long long>(megabytes)) + "MB";
                auto* b = benchmark::RegisterBenchmark(name.c_str(), Run, input, crafted,
                                                       megabytes * kMegabyte);
                b->Unit(benchmark::kMillisecond);
                if (input.reader == Reader::kReportSettings) b->UseRealTime();
            }
        }
    }
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::fputs(CFormat("\n%-16s %5s %12s %12s %7s  %s\n", "input", "size", "crafted ms",
                       "benign ms", "ratio", "within 10x, 10 MB under 1 s")
                   .c_str(),
               stdout);
    for (const Input& input : hostile::Inputs()) {
        for (const int megabytes : {1, 10}) {
            const std::string size = FormatInt(megabytes) + "MB";
            const auto crafted = reporter.times.find(std::string(input.name) + "/crafted/" + size);
            const auto benign = reporter.times.find(std::string(input.name) + "/benign/" + size);
            if (crafted == reporter.times.end() || benign == reporter.times.end()) continue;
            const double ratio = crafted->second / benign->second;
            const bool pass = ratio <= 10.0 &&
                              (megabytes < 10 || (crafted->second < 1.0 && benign->second < 1.0));
            std::fputs(CFormat("%-16s %5s %12.1f %12.1f %6.1fx  %s\n", input.name, size.c_str(),
                               crafted->second * 1000.0, benign->second * 1000.0, ratio,
                               pass ? "yes" : "NO")
                           .c_str(),
                       stdout);
        }
    }
    return 0;
}
