// Parse + evaluate per call, the way a template evaluates its zone fields and item values, against
// muparser (SetExpr + Eval per call) on the same formulas and the same 800 variables. Prints the
// time ratio per formula after the runs.
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "expression/expression.h"
#include "expression/name_table.h"
#include "platform/numtext.h"

namespace {

// Each formula in both syntaxes, written so that both compute the same value: muparser has
// lower-case functions, its own precedence ("<" below "^") and a unary minus binding tightly.
struct Formula {
    const char* quorin;
    const char* muparser;
};
const Formula kFormulas[] = {
    {"MAX(Z1*1.2,(Z2-0.5))", "max(Z1*1.2,Z2-0.5)"},
    {"SIN(PHI*3.14159/180)*R1", "sin(PHI*3.14159/180)*R1"},
    {"Z1^2+X1^2<4", "Z1^2+X1^(2<4)"},
    {"Z1*COS(PHI*3.14159/180)", "Z1*cos(PHI*3.14159/180)"},
    {"(Z2-Z1)/2+R1", "(Z2-Z1)/2+R1"},
    {"SQRT(R1*R1+X1*X1)", "sqrt(R1*R1+X1*X1)"},
    {"MIN(T1,(T2+0.3))", "min(T1,T2+0.3)"},
    {"Z1*K0+(1-K0)*Z0", "Z1*K0+(1-K0)*Z0"},
    {"ATG(X1/R1)*180/3.14159", "atan(X1/R1)*180/3.14159"},
    {"-R1*0.5+X1*2", "-(R1*0.5+X1*2)"},
};
constexpr int kNameCount = 800;

// The 800 names and their values, shared by both evaluators.
struct Variables {
    std::vector<std::string> names;
    std::unique_ptr<double[]> values = std::make_unique<double[]>(kNameCount);
    Variables() {
        const std::pair<const char*, double> used[] = {
            {"Z0", 4.5}, {"Z1", 1.5}, {"Z2", 3.2},  {"X1", 0.8},  {"R1", 2.4},
            {"PHI", 75}, {"T1", 0.5}, {"T2", 0.35}, {"K0", 0.67}, {"Z3", 4.1}};
        for (const auto& [name, value] : used) {
            values[names.size()] = value;
            names.emplace_back(name);
        }
        for (int i = 0; names.size() < kNameCount; ++i) {
            values[names.size()] = 0.01 * i;
            names.push_back("P" + quorin::FormatInt(i));
        }
    }
};

Variables& Vars() {
    static Variables v;
    return v;
}

struct QuorinSide {
    quorin::CNameTable table;
    std::vector<quorin::CValue> values;
    quorin::CExpression expression;
    QuorinSide() : values(kNameCount) {
        for (int i = 0; i < kNameCount; ++i) {
            values[i].SetValue(Vars().values[i]);
            table.SetAt(Vars().names[i], &values[i]);
        }
        expression.SetNameTable(&table);
    }
    double Calc(const char* text) {
        double v = 0.0;
        expression.Parse(text);
        expression.Evaluate(v);
        return v;
    }
};

struct MuParserSide {
    mu::Parser parser;
    MuParserSide() {
        for (int i = 0; i < kNameCount; ++i)
            parser.DefineVar(Vars().names[i], &Vars().values[i]);
    }
    double Calc(const std::string& text) {
        parser.SetExpr(text);
        return parser.Eval();
    }
};

void BM_Quorin(benchmark::State& state, const Formula& f) {
    QuorinSide side;
    for (auto _ : state)
        benchmark::DoNotOptimize(side.Calc(f.quorin));
}

void BM_MuParser(benchmark::State& state, const Formula& f) {
    MuParserSide side;
    const std::string text = f.muparser;
    for (auto _ : state)
        benchmark::DoNotOptimize(side.Calc(text));
}

// Keeps each run's CPU time per iteration for the summary: other builds share the machine, and
// CPU time is what they disturb least.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            times[r.benchmark_name()] = r.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

bool ValuesAgree() {
    QuorinSide q;
    MuParserSide m;
    bool ok = true;
    for (const Formula& f : kFormulas) {
        const double a = q.Calc(f.quorin);
        const double b = m.Calc(f.muparser);
        if (!(std::fabs(a - b) <= 1e-12 * std::fmax(1.0, std::fabs(a)))) {
            std::fputs(quorin::CFormat("values differ: %s = %.17g, %s = %.17g\n", f.quorin, a,
                                       f.muparser, b)
                           .c_str(),
                       stderr);
            ok = false;
        }
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (!ValuesAgree()) return 1;
    for (std::size_t i = 0; i < std::size(kFormulas); ++i) {
        const std::string n = quorin::FormatInt(static_cast<long long>(i));
        benchmark::RegisterBenchmark(("Quorin/" + n).c_str(), BM_Quorin, kFormulas[i])
            ->Unit(benchmark::kNanosecond);
        benchmark::RegisterBenchmark(("MuParser/" + n).c_str(), BM_MuParser, kFormulas[i])
            ->Unit(benchmark::kNanosecond);
    }
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    std::fputs(quorin::CFormat("\n%-26s %14s %16s %8s\n", "formula", "quorin cpu ns",
                               "muparser cpu ns", "ratio")
                   .c_str(),
               stdout);
    for (std::size_t i = 0; i < std::size(kFormulas); ++i) {
        const std::string n = quorin::FormatInt(static_cast<long long>(i));
        const auto q = reporter.times.find("Quorin/" + n);
        const auto m = reporter.times.find("MuParser/" + n);
        if (q == reporter.times.end() || m == reporter.times.end()) continue;
        std::fputs(quorin::CFormat("%-26s %14.1f %16.1f %7.1fx\n", kFormulas[i].quorin, q->second,
                                   m->second, m->second / q->second)
                       .c_str(),
                   stdout);
    }
    return 0;
}
