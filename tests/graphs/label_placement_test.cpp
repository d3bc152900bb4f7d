#include "graphs/label_placement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace quorin {
namespace {

using Outline = std::vector<std::vector<LabelPoint>>;
const double kNan = std::numeric_limits<double>::quiet_NaN();

// The closed outline of a square from its top left corner (x, y) and its side s.
Outline Square(double x, double y, double s) {
    return {{{x, y}, {x + s, y}, {x + s, y + s}, {x, y + s}, {x, y}}};
}

TEST(CLabelPlacer, LineCellsCountWhatALineCrosses) {
    CLabelPlacer placer({0, 0, 200, 100});
    placer.AddLine({{0, 50}, {200, 50}});
    placer.AddLine({{-1e9, -1e9}, {1e9, -1e9}});  // far outside: nothing to mark
    EXPECT_EQ(placer.LineCellsIn({0, 0, 200, 40}), 0);
    EXPECT_GT(placer.LineCellsIn({10, 40, 40, 20}), 0);
    EXPECT_EQ(placer.LineCellsIn({10, 30, 40, 18}), 0);
    EXPECT_GT(placer.LineCellsIn({10, 30, 40, 18}, 3.0), 0);  // the margin reaches the line
}

TEST(CLabelPlacer, LabelSitsBesideItsOutlineOnThePreferredSide) {
    CLabelPlacer placer({0, 0, 400, 400});
    Outline square = Square(100, 100, 200);
    placer.AddLine(square[0]);
    auto box = placer.Place(30, 14, square, {1.0, 0.0});  // prefer the right
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->left >= 300.0 && box->left <= 310.0) << box->left;  // outside, close
    EXPECT_TRUE(box->top >= 100.0 - 14.0 && box->bottom() <= 300.0 + 14.0) << box->top;
    EXPECT_EQ(placer.LineCellsIn(*box), 0);
    // An obstacle at the preferred corner is avoided.
    CLabelPlacer corner({0, 0, 300, 300});
    corner.AddLine(Square(100, 100, 100)[0]);
    LabelBox blocked{190, 60, 120, 100};  // above and right of the top-right corner
    corner.AddObstacle(blocked);
    box = corner.Place(30, 14, Square(100, 100, 100), {0.7071, -0.7071});
    ASSERT_TRUE(box);
    EXPECT_EQ(box->Overlap(blocked), 0.0);
}

// Nested zones get labels clear of every line; labels for one crowded outline do not overlap.
TEST(CLabelPlacer, NestedZonesAndCrowdedLabelsGetSeparateBoxesClearOfEveryLine) {
    const LabelBox area{0, 0, 500, 500};
    CLabelPlacer nested(area), crowded({0, 0, 200, 200});
    for (int i = 0; i < 6; ++i)
        nested.AddLine(Square(200 - 30 * i, 200 - 30 * i, 100 + 60 * i)[0]);
    std::vector<LabelBox> placed, crowd;
    for (int i = 0; i < 6; ++i) {
        auto box = nested.Place(24, 14, Square(200 - 30 * i, 200 - 30 * i, 100 + 60 * i),
                                {0.7071, -0.7071});
        auto other = crowded.Place(30, 14, Square(80, 80, 40), {0.0, -1.0});
        ASSERT_TRUE(box && other);
        placed.push_back(*box);
        crowd.push_back(*other);
        EXPECT_TRUE(box->left >= 0 && box->top >= 0 && box->right() <= 500 && box->bottom() <= 500);
        EXPECT_EQ(nested.LineCellsIn(*box), 0) << i;
    }
    for (size_t i = 0; i < 6; ++i) {
        for (size_t j = i + 1; j < 6; ++j) {
            EXPECT_EQ(placed[i].Overlap(placed[j]), 0.0) << i << " " << j;
            EXPECT_EQ(crowd[i].Overlap(crowd[j]), 0.0) << i << " " << j;
        }
    }
}

TEST(CLabelPlacer, OutlinesOutsideTheAreaOrBadSizesPlaceNothing) {
    CLabelPlacer placer({0, 0, 100, 100});
    EXPECT_FALSE(placer.Place(20, 10, Square(500, 500, 50), {0, 0}));
    EXPECT_FALSE(placer.Place(20, 10, {}, {0, 0}));
    EXPECT_FALSE(placer.Place(0, 10, Square(10, 10, 50), {0, 0}));
    EXPECT_FALSE(placer.Place(kNan, 10, Square(10, 10, 50), {0, 0}));
    EXPECT_FALSE(placer.Place(20, 10, {{{kNan, 0}, {kNan, 5}}}, {0, 0}));
    // A label bigger than the area is still put somewhere inside the area's corner.
    auto big = placer.Place(150, 150, Square(10, 10, 50), {0, 0});
    ASSERT_TRUE(big);
    EXPECT_EQ(std::pair(big->left, big->top), std::pair(0.0, 0.0));

    CLabelPlacer degenerate({kNan, kNan, -5, std::numeric_limits<double>::infinity()});
    degenerate.AddLine({{0, 0}, {10, 10}});
    EXPECT_FALSE(degenerate.Place(5, 5, Square(0, 0, 10), {0, 0}));
}

}  // namespace
}  // namespace quorin
