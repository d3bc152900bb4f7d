// 1,000,000 random points in the plane of the sample's characteristic, each against all nine of
// its zones: exact containment (true arcs), the in/out/band state and the expected zone of a
// point, beside Boost.Geometry's within on the same zones polygonised at 0.1 degree per arc step.
// Counters: points per second; "inside" the zone memberships found, "band" the states in a band,
// "expected" the points that expect a trip; "differ" the memberships on which the polygons
// disagree with the exact zones (the price of polygonising), "vertices" the polygons' size.
#include <benchmark/benchmark.h>

#include <boost/geometry.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>
#include <cmath>
#include <memory>
#include <numbers>
#include <random>
#include <vector>

#include "platform/files.h"
#include "report/render/shot_assessment.h"
#include "template/relay_template.h"
#include "zones/zone_region.h"

namespace {

namespace bg = boost::geometry;
using Point = bg::model::d2::point_xy<double>;
using Polygon = bg::model::polygon<Point>;

constexpr size_t kPoints = 1000000;
constexpr double kArcStep = 0.1;  // degrees per polygon edge along an arc

struct Sample {
    std::unique_ptr<quorin::CRelayTemplate> relay = std::make_unique<quorin::CRelayTemplate>();
    std::vector<quorin::CZoneRegion> regions;
    std::vector<Polygon> polygons;
    std::vector<Point> points;
    std::unique_ptr<quorin::CShotModel> model;
    size_t polygonVertices = 0;
};

Polygon Polygonised(const std::vector<quorin::ZonePiece>& pieces, bool mirrored) {
    Polygon polygon;
    const double sign = mirrored ? -1.0 : 1.0;
    auto add = [&](double r, double x) { polygon.outer().emplace_back(sign * r, sign * x); };
    for (const quorin::ZonePiece& p : pieces) {
        add(p.fromR, p.fromX);
        if (!p.arc) continue;
        double sweep = p.clockwise ? p.startAngle - p.endAngle : p.endAngle - p.startAngle;
        sweep = std::fmod(sweep, 360.0);
        if (sweep <= 1e-9) sweep += 360.0;
        const int steps = static_cast<int>(std::ceil(sweep / kArcStep));
        for (int i = 1; i < steps; ++i) {
            const double a = (p.startAngle + (p.clockwise ? -1.0 : 1.0) * sweep * i / steps) *
                             std::numbers::pi / 180.0;
            add(p.centerR + p.radius * std::cos(a), p.centerX + p.radius * std::sin(a));
        }
    }
    bg::correct(polygon);  // closes the ring and orients it as Boost expects
    return polygon;
}

Sample& TheSample() {
    static Sample s = [] {
        Sample s;
        std::string text;
        quorin::ReadFileBytes(std::string(QUORIN_SOURCE_DIR) + "/samples/distance_relay.seq", text);
        s.relay->ReadTemplate(text, 0);
        const quorin::CZoneTable& zones = s.relay->Zones();
        for (int slot = 1; slot <= zones.Count(); ++slot) {
            const quorin::CZone& zone = zones.Zone(slot);
            const auto pieces = quorin::ZoneBoundary(zone, s.relay.get());
            s.regions.emplace_back(pieces, zone.invert != 0);
            s.polygons.push_back(Polygonised(pieces, zone.invert != 0));
            s.polygonVertices += s.polygons.back().outer().size();
        }
        s.model = std::make_unique<quorin::CShotModel>(
            zones, s.relay.get(), std::map<int, double>{{1, 0.0}, {2, 0.3}, {3, 0.6}});
        // The box of all zones, widened by a tenth each way.
        const quorin::CZoneBox& box = zones.Box();
        const double wr = (box.rMax - box.rMin) * 0.1, wx = (box.xMax - box.xMin) * 0.1;
        std::mt19937_64 random(20260101);
        std::uniform_real_distribution<double> r(box.rMin - wr, box.rMax + wr);
        std::uniform_real_distribution<double> x(box.xMin - wx, box.xMax + wx);
        s.points.reserve(kPoints);
        for (size_t i = 0; i < kPoints; ++i)
            s.points.emplace_back(r(random), x(random));
        return s;
    }();
    return s;
}

void Report(benchmark::State& state, const char* counter, size_t count) {
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kPoints));
    state.counters[counter] = static_cast<double>(count);
}

// Every point against every zone, the pair counted when inside(point, zone number) holds: the
// exact regions and the polygons are timed through the same loop.
template <typename Inside>
void CountInside(benchmark::State& state, Inside inside) {
    const Sample& s = TheSample();
    size_t count = 0;
    for (auto _ : state) {
        count = 0;
        for (const Point& p : s.points)
            for (size_t z = 0; z < s.regions.size(); ++z)
                count += inside(p, z);
        benchmark::DoNotOptimize(count);
    }
    Report(state, "inside", count);
}

void BM_ExactContains(benchmark::State& state) {
    const Sample& s = TheSample();
    CountInside(state,
                [&s](const Point& p, size_t z) { return s.regions[z].Contains(p.x(), p.y()); });
}

void BM_ExactState(benchmark::State& state) {
    const Sample& s = TheSample();
    const quorin::ImpedanceTolerance tolerance;
    size_t inside = 0, band = 0;
    for (auto _ : state) {
        inside = band = 0;
        for (const Point& p : s.points) {
            for (const quorin::CZoneRegion& region : s.regions) {
                const quorin::ZoneState z = region.State(p.x(), p.y(), tolerance);
                inside += z == quorin::ZoneState::kIn;
                band += z == quorin::ZoneState::kBand;
            }
        }
        benchmark::DoNotOptimize(inside);
    }
    Report(state, "inside", inside);
    state.counters["band"] = static_cast<double>(band);
}

// The whole assessment of a point: every zone's state and the expected zone with its time.
void BM_ExpectedZone(benchmark::State& state) {
    const Sample& s = TheSample();
    size_t expected = 0;
    for (auto _ : state) {
        expected = 0;
        for (size_t i = 0; i < s.points.size(); ++i) {
            const quorin::FaultLoop loop = i % 2 ? quorin::FaultLoop::kLL : quorin::FaultLoop::kLN;
            expected += s.model->Expect(loop, s.points[i].x(), s.points[i].y()).zone != nullptr;
        }
        benchmark::DoNotOptimize(expected);
    }
    Report(state, "expected", expected);
}

void BM_BoostWithin(benchmark::State& state) {
    const Sample& s = TheSample();
    CountInside(state, [&s](const Point& p, size_t z) { return bg::within(p, s.polygons[z]); });
    size_t differ = 0;
    for (const Point& p : s.points)
        for (size_t z = 0; z < s.regions.size(); ++z)
            differ += s.regions[z].Contains(p.x(), p.y()) != bg::within(p, s.polygons[z]);
    state.counters["differ"] = static_cast<double>(differ);
    state.counters["vertices"] = static_cast<double>(s.polygonVertices);
}

BENCHMARK(BM_ExactContains)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExactState)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpectedZone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoostWithin)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
