#include "graphs/label_placement.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorin {
namespace {

constexpr double kGap = 3.0;            // between a label and its outline, and between labels
constexpr int kMaxCells = 1000;         // per side of the occupancy grid
constexpr double kLineCost = 1000.0;    // per covered line cell
constexpr double kObstacleCost = 20.0;  // per square pixel of an obstacle covered
constexpr double kLabelCost = 1.0e6;    // per square pixel of another label covered
constexpr double kInsideCost = 15.0;    // labels read better outside their zone
constexpr double kDirectionCost = 60.0;

bool Finite(LabelPoint p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

LabelBox Widen(const LabelBox& b, double by) {
    return {b.left - by, b.top - by, b.width + 2.0 * by, b.height + 2.0 * by};
}

bool Inside(const LabelBox& inner, const LabelBox& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

// Liang-Barsky: trims a-b to box; false when nothing of it lies inside.
bool Clip(LabelPoint& a, LabelPoint& b, const LabelBox& box) {
    if (!Finite(a) || !Finite(b)) return false;
    double t0 = 0.0, t1 = 1.0, dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.left, box.right() - a.x, a.y - box.top, box.bottom() - a.y};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0) return false;
        } else if (p[k] < 0.0) {
            t0 = std::max(t0, q[k] / p[k]);
        } else {
            t1 = std::min(t1, q[k] / p[k]);
        }
    }
    if (t0 > t1) return false;
    LabelPoint start = a;
    a = {start.x + dx * t0, start.y + dy * t0};
    b = {start.x + dx * t1, start.y + dy * t1};
    return true;
}

}  // namespace

double LabelBox::Overlap(const LabelBox& o) const {
    double w = std::min(right(), o.right()) - std::max(left, o.left);
    double h = std::min(bottom(), o.bottom()) - std::max(top, o.top);
    return w > 0.0 && h > 0.0 ? w * h : 0.0;
}

CLabelPlacer::CLabelPlacer(const LabelBox& area) : area_(area) {
    if (!std::isfinite(area_.left) || !std::isfinite(area_.top)) area_.left = area_.top = 0.0;
    if (!(area_.width > 0.0) || !std::isfinite(area_.width)) area_.width = 0.0;
    if (!(area_.height > 0.0) || !std::isfinite(area_.height)) area_.height = 0.0;
    double longest = std::max(area_.width, area_.height);
    cell_ = std::max(2.0, std::ceil(longest / kMaxCells));
    cols_ = std::max(1, static_cast<int>(std::ceil(area_.width / cell_)));
    rows_ = std::max(1, static_cast<int>(std::ceil(area_.height / cell_)));
    occupied_.assign(static_cast<size_t>(cols_) * rows_, 0);
}

void CLabelPlacer::AddLine(const std::vector<LabelPoint>& polyline) {
    for (size_t i = 0; i + 1 < polyline.size(); ++i) {
        LabelPoint a = polyline[i], b = polyline[i + 1];
        if (!Clip(a, b, area_)) continue;
        double dx = b.x - a.x, dy = b.y - a.y;
        double length = std::hypot(dx, dy);
        int steps = static_cast<int>(std::ceil(length / (cell_ / 2.0))) + 1;
        for (int s = 0; s <= steps; ++s) {
            double t = static_cast<double>(s) / steps;
            int cx = static_cast<int>((a.x + dx * t - area_.left) / cell_);
            int cy = static_cast<int>((a.y + dy * t - area_.top) / cell_);
            if (cx < 0 || cy < 0 || cx >= cols_ || cy >= rows_) continue;
            occupied_[static_cast<size_t>(cy) * cols_ + cx] = 1;
        }
        sumsValid_ = false;
    }
}

void CLabelPlacer::AddObstacle(const LabelBox& box) {
    obstacles_.push_back(box);
}

void CLabelPlacer::BuildSums() {
    sums_.assign(static_cast<size_t>(cols_ + 1) * (rows_ + 1), 0);
    for (int y = 0; y < rows_; ++y) {
        for (int x = 0; x < cols_; ++x) {
            size_t at = static_cast<size_t>(y + 1) * (cols_ + 1) + (x + 1);
            sums_[at] = occupied_[static_cast<size_t>(y) * cols_ + x] + sums_[at - 1] +
                        sums_[at - (cols_ + 1)] - sums_[at - (cols_ + 1) - 1];
        }
    }
    sumsValid_ = true;
}

int CLabelPlacer::LineCellsIn(const LabelBox& box, double margin) {
    if (!sumsValid_) BuildSums();
    LabelBox b = Widen(box, margin);
    auto col = [this](double x) {
        return std::clamp(static_cast<int>(std::floor((x - area_.left) / cell_)), 0, cols_);
    };
    auto row = [this](double y) {
        return std::clamp(static_cast<int>(std::floor((y - area_.top) / cell_)), 0, rows_);
    };
    if (!std::isfinite(b.left) || !std::isfinite(b.top) || !std::isfinite(b.width) ||
        !std::isfinite(b.height)) {
        return 0;
    }
    int x0 = col(b.left), x1 = col(b.right() + cell_ - 1e-9);
    int y0 = row(b.top), y1 = row(b.bottom() + cell_ - 1e-9);
    auto at = [this](int x, int y) { return sums_[static_cast<size_t>(y) * (cols_ + 1) + x]; };
    return at(x1, y1) - at(x0, y1) - at(x1, y0) + at(x0, y0);
}

std::optional<LabelBox> CLabelPlacer::Place(double width, double height,
                                            const std::vector<std::vector<LabelPoint>>& outline,
                                            LabelPoint preferred) {
    if (!(width > 0.0) || !(height > 0.0) || !std::isfinite(width) || !std::isfinite(height)) {
        return std::nullopt;
    }
    // Anchors: points along the visible outline with their tangents; the centroid of the
    // visible points tells outside from inside.
    struct Anchor {
        LabelPoint at, normal;
    };
    double total = 0.0;
    LabelPoint centroid;
    int counted = 0;
    std::vector<std::pair<LabelPoint, LabelPoint>> visible;
    for (const auto& line : outline) {
        for (size_t i = 0; i + 1 < line.size(); ++i) {
            LabelPoint a = line[i], b = line[i + 1];
            if (!Clip(a, b, area_)) continue;
            visible.push_back({a, b});
            total += std::hypot(b.x - a.x, b.y - a.y);
            centroid.x += a.x + b.x;
            centroid.y += a.y + b.y;
            counted += 2;
        }
    }
    if (counted == 0 || !(total > 0.0) || !std::isfinite(total)) return std::nullopt;
    centroid.x /= counted;
    centroid.y /= counted;
    double spacing = std::max(total / 240.0, 4.0);
    std::vector<Anchor> anchors;
    double offset = 0.0;  // where the next anchor falls on the next segment
    for (const auto& [a, b] : visible) {
        double len = std::hypot(b.x - a.x, b.y - a.y);
        if (len <= 0.0) continue;
        LabelPoint n{(b.y - a.y) / len, -(b.x - a.x) / len};
        double s = offset;
        for (; s < len; s += spacing) {
            LabelPoint p{a.x + (b.x - a.x) * s / len, a.y + (b.y - a.y) * s / len};
            LabelPoint normal = n;
            if (normal.x * (p.x - centroid.x) + normal.y * (p.y - centroid.y) < 0.0) {
                normal = {-n.x, -n.y};
            }
            anchors.push_back({p, normal});
        }
        offset = s - len;
    }
    if (anchors.empty()) return std::nullopt;

    double best = std::numeric_limits<double>::infinity();
    LabelBox chosen;
    bool found = false;
    for (const Anchor& anchor : anchors) {
        double reach = kGap + std::fabs(anchor.normal.x) * width / 2.0 +
                       std::fabs(anchor.normal.y) * height / 2.0;
        for (int side = 0; side < 2; ++side) {
            double sign = side == 0 ? 1.0 : -1.0;
            LabelBox box{anchor.at.x + sign * anchor.normal.x * reach - width / 2.0,
                         anchor.at.y + sign * anchor.normal.y * reach - height / 2.0, width,
                         height};
            if (!Inside(box, area_)) continue;
            // Cheapest terms first, so that hopeless spots are dropped early.
            double facing = sign * (anchor.normal.x * preferred.x + anchor.normal.y * preferred.y);
            double cost = kDirectionCost * (1.0 - facing) / 2.0 + (side == 1 ? kInsideCost : 0.0);
            cost += kLineCost * LineCellsIn(box, 1.0);
            if (cost >= best) continue;
            const LabelBox spaced = Widen(box, kGap);
            for (size_t i = 0; i < placed_.size() && cost < best; ++i) {
                cost += kLabelCost * spaced.Overlap(placed_[i]);
            }
            for (size_t i = 0; i < obstacles_.size() && cost < best; ++i) {
                cost += kObstacleCost * box.Overlap(obstacles_[i]);
            }
            if (cost < best) {
                best = cost;
                chosen = box;
                found = true;
            }
        }
    }
    if (!found) {
        // Every spot leaves the area: pull the label in beside the first visible anchor.
        const Anchor& a = anchors.front();
        chosen = {std::clamp(a.at.x - width / 2.0, area_.left,
                             std::max(area_.left, area_.right() - width)),
                  std::clamp(a.at.y - height / 2.0, area_.top,
                             std::max(area_.top, area_.bottom() - height)),
                  width, height};
    }
    placed_.push_back(chosen);
    return chosen;
}

}  // namespace quorin
