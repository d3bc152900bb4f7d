#include "graphs/label_placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace quorin {
namespace {

using Outline = std::vector<std::vector<LabelPoint>>;

Outline Square(double left, double top, double side) {
    return {{{left, top},
             {left + side, top},
             {left + side, top + side},
             {left, top + side},
             {left, top}}};
}

bool Inside(const LabelBox& b, const LabelBox& area) {
    return b.left >= area.left && b.top >= area.top && b.right() <= area.right() &&
           b.bottom() <= area.bottom();
}

TEST(CLabelPlacer, LineCellsCountWhatALineCrosses) {
    CLabelPlacer placer({0, 0, 200, 100});
    placer.AddLine({{0, 50}, {200, 50}});
    EXPECT_EQ(placer.LineCellsIn({10, 10, 40, 20}), 0);
    EXPECT_GT(placer.LineCellsIn({10, 40, 40, 20}), 0);
    EXPECT_GT(placer.LineCellsIn({10, 30, 40, 18}, 3.0), 0);  // the margin reaches the line
    placer.AddLine({{-1e9, -1e9}, {1e9, -1e9}});              // far outside: nothing to mark
    EXPECT_EQ(placer.LineCellsIn({0, 0, 200, 40}), 0);
}

TEST(CLabelPlacer, LabelSitsBesideItsOutlineOnThePreferredSide) {
    LabelBox area{0, 0, 400, 400};
    CLabelPlacer placer(area);
    Outline square = Square(100, 100, 200);
    placer.AddLine(square[0]);
    auto box = placer.Place(30, 14, square, {1.0, 0.0});  // prefer the right
    ASSERT_TRUE(box);
    EXPECT_GE(box->left, 300.0);         // outside, to the right of the square
    EXPECT_LE(box->left, 300.0 + 10.0);  // and close to it
    EXPECT_GE(box->top, 100.0 - 14.0);
    EXPECT_LE(box->bottom(), 300.0 + 14.0);
    EXPECT_EQ(placer.LineCellsIn(*box), 0);
}

// Nested zones get labels clear of every line; labels for one crowded outline do not overlap.
TEST(CLabelPlacer, NestedZonesAndCrowdedLabelsGetSeparateBoxesClearOfEveryLine) {
    LabelBox area{0, 0, 500, 500};
    CLabelPlacer placer(area);
    std::vector<Outline> zones;
    for (int i = 0; i < 6; ++i)
        zones.push_back(Square(200 - 30 * i, 200 - 30 * i, 100 + 60 * i));
    for (const Outline& z : zones)
        placer.AddLine(z[0]);
    std::vector<LabelBox> placed;
    for (const Outline& z : zones) {
        auto box = placer.Place(24, 14, z, {0.7071, -0.7071});
        ASSERT_TRUE(box);
        placed.push_back(*box);
    }
    CLabelPlacer crowded({0, 0, 200, 200});
    std::vector<LabelBox> crowd;
    for (int i = 0; i < 6; ++i) {
        auto box = crowded.Place(30, 14, Square(80, 80, 40), {0.0, -1.0});
        ASSERT_TRUE(box);
        crowd.push_back(*box);
    }
    for (size_t i = 0; i < crowd.size(); ++i) {
        for (size_t j = i + 1; j < crowd.size(); ++j)
            EXPECT_EQ(crowd[i].Overlap(crowd[j]), 0.0) << i << " " << j;
    }
    for (size_t i = 0; i < placed.size(); ++i) {
        EXPECT_TRUE(Inside(placed[i], area));
        EXPECT_EQ(placer.LineCellsIn(placed[i]), 0) << i;
        for (size_t j = i + 1; j < placed.size(); ++j) {
            EXPECT_EQ(placed[i].Overlap(placed[j]), 0.0) << i << " " << j;
        }
    }
}

TEST(CLabelPlacer, AvoidsObstaclesWhenItCan) {
    LabelBox area{0, 0, 300, 300};
    CLabelPlacer placer(area);
    Outline square = Square(100, 100, 100);
    placer.AddLine(square[0]);
    LabelBox blocked{190, 60, 120, 100};  // above and right of the top-right corner
    placer.AddObstacle(blocked);
    auto box = placer.Place(30, 14, square, {0.7071, -0.7071});
    ASSERT_TRUE(box);
    EXPECT_EQ(box->Overlap(blocked), 0.0);
}

TEST(CLabelPlacer, OutlinesOutsideTheAreaOrBadSizesPlaceNothing) {
    CLabelPlacer placer({0, 0, 100, 100});
    EXPECT_FALSE(placer.Place(20, 10, Square(500, 500, 50), {0, 0}));
    EXPECT_FALSE(placer.Place(20, 10, {}, {0, 0}));
    EXPECT_FALSE(placer.Place(0, 10, Square(10, 10, 50), {0, 0}));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(placer.Place(nan, 10, Square(10, 10, 50), {0, 0}));
    EXPECT_FALSE(placer.Place(20, 10, {{{nan, 0}, {nan, 5}}}, {0, 0}));
    // A label bigger than the area is still put somewhere inside the area's corner.
    auto big = placer.Place(150, 150, Square(10, 10, 50), {0, 0});
    ASSERT_TRUE(big);
    EXPECT_EQ(big->left, 0.0);
    EXPECT_EQ(big->top, 0.0);

    CLabelPlacer degenerate({nan, nan, -5, std::numeric_limits<double>::infinity()});
    degenerate.AddLine({{0, 0}, {10, 10}});
    EXPECT_FALSE(degenerate.Place(5, 5, Square(0, 0, 10), {0, 0}));
}

}  // namespace
}  // namespace quorin
