#include "cli/cmd_plot.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>

namespace quorin::cli {
namespace {

namespace fs = std::filesystem;

const std::string kSample = std::string(QUORIN_SOURCE_DIR) + "/samples/distance_relay.seq";

TEST(PlotCommand, WritesTheSampleCharacteristicAsAnImage) {
    const fs::path out =
        fs::temp_directory_path() / ("quorin-plot-" + std::to_string(getpid()) + ".png");
    ASSERT_EQ(PlotTemplate(kSample, out.string(), 640, 480), 0);
    const QImage image(QString::fromStdString(out.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(640, 480));
    // Zones are drawn in colour over a white plane: some pixels are neither white nor grey.
    int coloured = 0;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - c.green()) > 60 || std::abs(c.green() - c.blue()) > 60)
                ++coloured;
        }
    EXPECT_GT(coloured, 200);
    fs::remove(out);
}

}  // namespace
}  // namespace quorin::cli
