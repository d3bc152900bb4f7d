#include "cli/progress_bar.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/numtext.h"
#include "tests/common/temp_dir.h"

namespace quorin::cli {
namespace {

TEST(ProgressBar, FillsInProportionRoundingDown) {
    for (const auto& c : test::DataCases("progress_bar.txt"))
        EXPECT_EQ(ProgressBarText(CAtoi(c.at(0)), CAtoi(c.at(1))), c.at(2)) << c[0] << "/" << c[1];
    EXPECT_EQ(ProgressBarText(1, 2, 4), "[##  ] 1/2 items");
    EXPECT_EQ(ProgressBarText(1, 2, 0), "[ ] 1/2 items");
}

std::string Drawn(bool enabled, const std::vector<std::pair<int, int>>& updates) {
    FILE* file = std::tmpfile();
    ProgressLine line(file, enabled);
    for (const auto& [done, total] : updates)
        line.Update(done, total);
    std::string text(static_cast<size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    std::fclose(file);
    return text;
}

TEST(ProgressBar, RedrawsInPlaceSkipsRepeatsAndEndsTheLineWhenDone) {
    EXPECT_EQ(Drawn(true, {{0, 3}, {1, 3}, {1, 3}, {3, 3}}),
              "\r[          ] 0/3 items\r[###       ] 1/3 items\r[##########] 3/3 items\n");
    EXPECT_EQ(Drawn(false, {{0, 3}, {3, 3}}), "");
}

TEST(ProgressBar, ShownWhenAskedOrForManyItemsOnATerminal) {
    FILE* file = std::tmpfile();  // not a terminal
    EXPECT_TRUE(WantProgressBar(true, 1, file));
    EXPECT_FALSE(WantProgressBar(false, 500, file));
    EXPECT_FALSE(WantProgressBar(false, 500, nullptr));
    std::fclose(file);

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0) GTEST_SKIP() << "no pseudo-terminal to stand for a terminal";
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    FILE* terminal = std::fopen(::ptsname(master), "w");
    ASSERT_NE(terminal, nullptr);
    EXPECT_TRUE(WantProgressBar(false, kProgressItemThreshold + 1, terminal));
    EXPECT_FALSE(WantProgressBar(false, kProgressItemThreshold, terminal));
    std::fclose(terminal);
    ::close(master);
}

}  // namespace
}  // namespace quorin::cli
