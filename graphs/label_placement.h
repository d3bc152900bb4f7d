// Places zone labels beside their zones' outlines, in pixels: where a label covers no drawn line,
// no other label and as little as possible of the regions to avoid (tick labels, markers).
#pragma once

#include <optional>
#include <vector>

namespace quorin {

struct LabelPoint {
    double x = 0.0, y = 0.0;
};

struct LabelBox {
    double left = 0.0, top = 0.0, width = 0.0, height = 0.0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
    // Area shared with other (0 when they only touch).
    double Overlap(const LabelBox& other) const;
};

class CLabelPlacer {
public:
    // Labels stay inside area.
    explicit CLabelPlacer(const LabelBox& area);

    // A drawn line (an outline, an axis) that labels should not cover.
    void AddLine(const std::vector<LabelPoint>& polyline);
    // A region labels should avoid; unlike lines and placed labels, it may be covered when
    // nothing better exists.
    void AddObstacle(const LabelBox& box);

    // Places a width x height label just outside or inside its own zone's outline (polylines)
    // where the outline lies in the area, preferring the side the unit vector preferred points to
    // (zero: no preference). The box returned then counts as taken: later labels keep clear of
    // it. Empty when no part of the outline lies in the area.
    std::optional<LabelBox> Place(double width, double height,
                                  const std::vector<std::vector<LabelPoint>>& outline,
                                  LabelPoint preferred);

    // Drawn-line cells that box (widened by margin) touches; for tests and callers that check.
    int LineCellsIn(const LabelBox& box, double margin = 0.0);

private:
    void BuildSums();

    LabelBox area_;
    double cell_ = 2.0;
    int cols_ = 0, rows_ = 0;
    std::vector<unsigned char> occupied_;
    std::vector<int> sums_;  // summed-area table, (cols_ + 1) x (rows_ + 1)
    bool sumsValid_ = false;
    std::vector<LabelBox> obstacles_;
    std::vector<LabelBox> placed_;
};

}  // namespace quorin
