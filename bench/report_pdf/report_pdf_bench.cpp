// A 50-item report (the sample report's three tests repeated: parameter blocks, zone, binary,
// configuration and test-point tables, a 40-row table split over pages, characteristic plots)
// laid out, written as an A4 PDF and as PNG pages. Beside them, the floor of Qt's PDF engine: a
// PDF of the same pages holding only the report's text lines, drawn directly.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <filesystem>
#include <string>

#include "platform/numtext.h"
#include "report/render/report.h"
#include "report/render/report_output.h"
#include "report/render/tools/sample_report.h"

namespace {

constexpr int kTests = 50;

struct Fixture {
    quorin::CReportSetting setting;
    quorin::SampleReport sample;
    std::string folder;
    Fixture() {
        setting.Load(QUORIN_SAMPLE_INI);
        sample = quorin::BuildSampleReport(setting, kTests);
        folder = (std::filesystem::temp_directory_path() /
                  ("quorin-bench-report-" + quorin::FormatInt(::getpid())))
                     .string();
        std::filesystem::create_directories(folder);
    }
    ~Fixture() { std::filesystem::remove_all(folder); }
};

Fixture& Data() {
    static Fixture fixture;
    return fixture;
}

void MakeReport(quorin::CReport& report) {
    report.SetItems(Data().sample.items);
    report.SetExtraHeaderTables(Data().sample.extraHeaderTables);
}

void BM_LayoutScreen(benchmark::State& state) {
    quorin::CReport report(Data().setting);
    MakeReport(report);
    for (auto _ : state) {
        report.Draw();
        benchmark::DoNotOptimize(report.PageCount());
    }
    state.counters["pages"] = report.PageCount();
}
BENCHMARK(BM_LayoutScreen)->Unit(benchmark::kMillisecond);

void BM_ReportPdf(benchmark::State& state) {
    quorin::CReport report(Data().setting);
    MakeReport(report);
    const std::string path = Data().folder + "/report.pdf";
    for (auto _ : state) {
        std::string error;
        if (!quorin::RenderReportPdf(report, path, &error)) state.SkipWithError(error.c_str());
    }
    state.counters["pages"] = report.PageCount();
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}
BENCHMARK(BM_ReportPdf)->Unit(benchmark::kMillisecond);

void BM_ReportPngs(benchmark::State& state) {
    quorin::CReport report(Data().setting);
    MakeReport(report);
    for (auto _ : state) {
        std::string error;
        std::vector<std::string> written;
        if (!quorin::RenderReportPngs(report, Data().folder + "/png", &written, &error))
            state.SkipWithError(error.c_str());
    }
    state.counters["pages"] = report.PageCount();
}
BENCHMARK(BM_ReportPngs)->Unit(benchmark::kMillisecond);

// The peer: the same texts at the same places on the same number of A4 pages, nothing else.
void BM_PlainTextPdfPeer(benchmark::State& state) {
    quorin::CReport report(Data().setting);
    MakeReport(report);
    report.Draw();
    const int pages = report.PageCount();
    std::vector<std::vector<std::pair<QPoint, QString>>> texts(static_cast<size_t>(pages));
    for (const quorin::LayoutEntry& e : report.Log()) {
        if (e.kind == quorin::LayoutEntry::Kind::kText ||
            e.kind == quorin::LayoutEntry::Kind::kParameter) {
            texts[static_cast<size_t>(e.page)].push_back(
                {QPoint(e.x, e.y), QString::fromLatin1(e.text.c_str())});
        }
    }
    for (auto _ : state) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&pdf);
        const double scale = pdf.width() / 1000.0;
        QFont font(QStringLiteral("Times New Roman"));
        font.setPixelSize(static_cast<int>(16 * scale));
        painter.setFont(font);
        for (int p = 0; p < pages; ++p) {
            if (p > 0) pdf.newPage();
            for (const auto& [at, text] : texts[static_cast<size_t>(p)])
                painter.drawText(QPointF(at.x() * scale, at.y() * scale), text);
        }
        painter.end();
        benchmark::DoNotOptimize(bytes.size());
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_PlainTextPdfPeer)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
