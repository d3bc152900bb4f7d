// The package's overhead: each benchmark pair does the same work once through the quorin Python
// package, called from an embedded interpreter as a script calls it, and once in C++ directly.
//   load_template: Template.load(bytes) / a new CRelayTemplate reading the sample
//   load_sequence: Sequence.load(bytes) / a new component (class factory) loading the sample
//   contains:      Zone.contains(R, X) over NumPy arrays of 1,000,000 points, for each of the
//                  sample's nine zones / CZoneRegion::Contains in a C++ loop over the same points
#include <benchmark/benchmark.h>
#include <pybind11/embed.h>
#include <pybind11/numpy.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "frontend/component_host.h"
#include "platform/files.h"
#include "template/relay_template.h"
#include "zones/zone_region.h"

namespace py = pybind11;

namespace {

const std::string& Sample() {
    static const std::string bytes = [] {
        std::string b;
        quorin::ReadFileBytes(QUORIN_SAMPLE_SEQUENCE, b);
        return b;
    }();
    return bytes;
}

py::object Quorin() {
    return py::module_::import("quorin");
}

// type.load(bytes), type "Template" or "Sequence", as a script calls it.
void BM_Load_Python(benchmark::State& state, const char* type) {
    py::object load = Quorin().attr(type).attr("load");
    py::bytes data(Sample());
    for (auto _ : state) {
        py::object loaded = load(data);
        benchmark::DoNotOptimize(loaded.ptr());
    }
}
BENCHMARK_CAPTURE(BM_Load_Python, template, "Template")->Name("load_template/python");

void BM_LoadTemplate_Cpp(benchmark::State& state) {
    const std::string& data = Sample();
    for (auto _ : state) {
        auto t = std::make_unique<quorin::CRelayTemplate>();
        t->ReadTemplate(data, 0);
        benchmark::DoNotOptimize(t.get());
    }
}
BENCHMARK(BM_LoadTemplate_Cpp)->Name("load_template/cpp");

BENCHMARK_CAPTURE(BM_Load_Python, sequence, "Sequence")->Name("load_sequence/python");

void BM_LoadSequence_Cpp(benchmark::State& state) {
    const std::string& data = Sample();
    for (auto _ : state) {
        auto host = std::make_unique<quorin::ComponentHost>();
        std::string error;
        if (!host->Create(&error)) state.SkipWithError(error.c_str());
        host->Load(data);
        benchmark::DoNotOptimize(host.get());
    }
}
BENCHMARK(BM_LoadSequence_Cpp)->Name("load_sequence/cpp");

// Points spread over the sample's plane, the same for both sides.
constexpr size_t kPoints = 1000000;
struct Points {
    std::vector<double> r, x;
};
const Points& Coordinates() {
    static const Points points = [] {
        Points p;
        std::mt19937_64 random(7);
        std::uniform_real_distribution<double> along(-22.0, 22.0);
        for (size_t i = 0; i < kPoints; ++i) {
            p.r.push_back(along(random));
            p.x.push_back(along(random));
        }
        return p;
    }();
    return points;
}

void BM_Contains_Python(benchmark::State& state) {
    py::module_ np = py::module_::import("numpy");
    py::object zones = Quorin().attr("Template").attr("load")(py::bytes(Sample())).attr("zones");
    const py::array_t<double> r(static_cast<py::ssize_t>(kPoints), Coordinates().r.data());
    const py::array_t<double> x(static_cast<py::ssize_t>(kPoints), Coordinates().x.data());
    long inside = 0;
    for (auto _ : state) {
        inside = 0;
        for (py::handle zone : zones)
            inside += np.attr("count_nonzero")(zone.attr("contains")(r, x)).template cast<long>();
    }
    state.counters["inside"] = static_cast<double>(inside);
}
BENCHMARK(BM_Contains_Python)->Name("contains_1M_x9/python")->Unit(benchmark::kMillisecond);

void BM_Contains_Cpp(benchmark::State& state) {
    auto t = std::make_unique<quorin::CRelayTemplate>();
    t->ReadTemplate(Sample(), 0);
    const std::vector<double>& r = Coordinates().r;
    const std::vector<double>& x = Coordinates().x;
    std::vector<char> out(kPoints);  // one byte per answer, as the NumPy bool array
    long inside = 0;
    for (auto _ : state) {
        inside = 0;
        for (int slot = 1; slot <= t->Zones().Count(); ++slot) {
            const quorin::CZoneRegion region(t->Zones().Zone(slot), t.get());
            for (size_t i = 0; i < kPoints; ++i)
                out[i] = static_cast<char>(region.Contains(r[i], x[i]));
            for (size_t i = 0; i < kPoints; ++i)
                inside += out[i];
        }
    }
    state.counters["inside"] = static_cast<double>(inside);
}
BENCHMARK(BM_Contains_Cpp)->Name("contains_1M_x9/cpp")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    py::scoped_interpreter interpreter;
    py::module_::import("sys").attr("path").attr("insert")(0, QUORIN_PYTHON_PACKAGE_PARENT);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
