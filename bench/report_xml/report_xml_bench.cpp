// Export and import of a large XML report beside pugixml's own parse of the same bytes.
// Report: 260 items, each with 3 tables of 20 rows x 4 columns, a graph of 50 shapes and a few
// text lines (about 14 MB of XML).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <pugixml.hpp>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/numtext.h"
#include "report/report_xml.h"

namespace {

std::vector<quorin::CReportItem> BigReport() {
    std::vector<quorin::CReportItem> items(260);
    for (size_t i = 0; i < items.size(); ++i) {
        quorin::CReportItem& item = items[i];
        item.title = "Distance zone test " + quorin::FormatInt(static_cast<long long>(i));
        item.setLines = {"Z1 reach 0.5 ohm", "Z2 reach 1.2 ohm", "t2 0.3 s"};
        item.testParaLines = {"Fault type L1-E", "Angle 75 deg"};
        item.inOutLines = {"Trip on", "Start off"};
        quorin::CGraph g;
        g.picName = "RX";
        for (int s = 0; s < 20; ++s)
            g.lines.push_back({s, -s, 2 * s, 3 * s, 255, 0, 1});
        for (int s = 0; s < 10; ++s)
            g.circles.push_back({s, s, 500, 0, 0, 1000, 1000, 0, 0, 1});
        for (int s = 0; s < 10; ++s)
            g.arcs.push_back({s, s, 700, 15.5 * s, 90.0, 0, 0, 1});
        for (int s = 0; s < 10; ++s)
            g.points.push_back({100 * s, -50 * s, 0, 6, 0xFF});
        item.graphs.push_back(g);
        for (int t = 0; t < 3; ++t) {
            quorin::CReportTable table(20, 4);
            for (int c = 0; c < 4; ++c) {
                quorin::CReportColumn column(20, c, 100);
                for (int r = 0; r < 20; ++r)
                    column.AddCell(c == 0 ? "Point$" + quorin::FormatInt(r) : "1.234$ohm");
                table.AddColumn(std::move(column));
            }
            item.tables.push_back(std::move(table));
        }
    }
    return items;
}

const std::string& BigText() {
    static const std::string text = [] {
        auto items = BigReport();
        return quorin::ExportXmlText(items);
    }();
    return text;
}

void BM_Export(benchmark::State& state) {
    auto items = BigReport();
    for (auto _ : state)
        benchmark::DoNotOptimize(quorin::ExportXmlText(items));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(BigText().size()));
}

void BM_Import(benchmark::State& state) {
    const std::string& text = BigText();
    for (auto _ : state) {
        std::vector<quorin::CReportItem> items;
        if (!quorin::ImportXmlText(text, items, nullptr)) state.SkipWithError("import failed");
        benchmark::DoNotOptimize(items.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

void BM_ExportThenImport(benchmark::State& state) {
    auto items = BigReport();
    for (auto _ : state) {
        const std::string text = quorin::ExportXmlText(items);
        std::vector<quorin::CReportItem> back;
        if (!quorin::ImportXmlText(text, back, nullptr)) state.SkipWithError("import failed");
        benchmark::DoNotOptimize(back.data());
    }
}

// The peer: pugixml parsing the same bytes into its DOM, nothing more.
void BM_PugixmlParse(benchmark::State& state) {
    const std::string& text = BigText();
    for (auto _ : state) {
        pugi::xml_document doc;
        if (!doc.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8))
            state.SkipWithError("parse failed");
        benchmark::DoNotOptimize(doc.first_child());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

// The machine is shared: the fastest of several repetitions is the figure least disturbed by
// other work, so it is reported beside the mean.
double Fastest(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

// Milliseconds, and the fastest of eight repetitions beside their mean.
void FastestOfEight(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->Repetitions(8)->ComputeStatistics("min", Fastest);
}

BENCHMARK(BM_Export)->Apply(FastestOfEight);
BENCHMARK(BM_Import)->Apply(FastestOfEight);
BENCHMARK(BM_ExportThenImport)->Apply(FastestOfEight);
BENCHMARK(BM_PugixmlParse)->Apply(FastestOfEight);

}  // namespace

int main(int argc, char** argv) {
    // Memory given back to the system after every run has to be faulted in again by the next,
    // and page faults are slow and erratic on a virtual machine: keep freed memory in the
    // process, for the peer as for the report code, so the figures show the work itself.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
