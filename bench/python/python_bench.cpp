// The package's overhead: each benchmark pair does the same work once through the quorin Python
// package, called from an embedded interpreter as a script calls it, and once in C++ directly.
//   load_template: Template.load(bytes) / a new CRelayTemplate reading the sample
//   load_sequence: Sequence.load(bytes) / a new component (class factory) loading the sample
#include <benchmark/benchmark.h>
#include <pybind11/embed.h>

#include <memory>
#include <string>

#include "cli/component_host.h"
#include "platform/files.h"
#include "template/relay_template.h"

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

void BM_LoadTemplate_Python(benchmark::State& state) {
    py::object load = Quorin().attr("Template").attr("load");
    py::bytes data(Sample());
    for (auto _ : state) {
        py::object t = load(data);
        benchmark::DoNotOptimize(t.ptr());
    }
}
BENCHMARK(BM_LoadTemplate_Python)->Name("load_template/python");

void BM_LoadTemplate_Cpp(benchmark::State& state) {
    const std::string& data = Sample();
    for (auto _ : state) {
        auto t = std::make_unique<quorin::CRelayTemplate>();
        t->ReadTemplate(data, 0);
        benchmark::DoNotOptimize(t.get());
    }
}
BENCHMARK(BM_LoadTemplate_Cpp)->Name("load_template/cpp");

void BM_LoadSequence_Python(benchmark::State& state) {
    py::object load = Quorin().attr("Sequence").attr("load");
    py::bytes data(Sample());
    for (auto _ : state) {
        py::object s = load(data);
        benchmark::DoNotOptimize(s.ptr());
    }
}
BENCHMARK(BM_LoadSequence_Python)->Name("load_sequence/python");

void BM_LoadSequence_Cpp(benchmark::State& state) {
    const std::string& data = Sample();
    for (auto _ : state) {
        auto host = std::make_unique<quorin::cli::ComponentHost>();
        std::string error;
        if (!host->Create(&error)) state.SkipWithError(error.c_str());
        host->Load(data);
        benchmark::DoNotOptimize(host.get());
    }
}
BENCHMARK(BM_LoadSequence_Cpp)->Name("load_sequence/cpp");

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
