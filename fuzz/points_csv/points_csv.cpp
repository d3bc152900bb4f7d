// Reads arbitrary bytes as a points file: no crash, an error naming the file and a line, or rows
// that an assessment writes out and reads back to the same points.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "report/render/points_csv.h"
#include "tests/zones/test_evaluator.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool Same(const quorin::TestShot& a, const quorin::TestShot& b) {
    // "%.6f" keeps six decimals: the values read back within half a millionth.
    auto close = [](double u, double v) {
        return std::fabs(u - v) <= 5e-7 * (1.0 + std::fabs(u));
    };
    return a.loop == b.loop && close(a.r, b.r) && close(a.x, b.x) &&
           a.measured.has_value() == b.measured.has_value() &&
           (!a.measured || close(*a.measured, *b.measured));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static quorin::CZoneTable zones;
    static quorin::test::TestEvaluator evaluator;
    static const quorin::CShotModel model(zones, &evaluator, {});
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    quorin::PointsTable table;
    std::string error;
    if (!quorin::ReadPointsCsv(bytes, "f.csv", table, error)) {
        Require(error.starts_with("f.csv:") && table.shots.empty());
        return 0;
    }
    Require(table.shots.size() == table.fields.size());
    const std::string written =
        quorin::WriteAssessedCsv(table, quorin::AssessShots(model, table.shots));
    quorin::PointsTable again;
    Require(quorin::ReadPointsCsv(written, "g.csv", again, error));
    Require(again.shots.size() == table.shots.size());
    for (size_t i = 0; i < table.shots.size(); ++i)
        Require(Same(table.shots[i], again.shots[i]));
    return 0;
}
