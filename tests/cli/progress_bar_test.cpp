#include "cli/progress_bar.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace quorin::cli {
namespace {

TEST(ProgressBar, FillsInProportionRoundingDown) {
    struct Case {
        int done, total;
        std::string text;
    };
    const Case cases[] = {
        {0, 50, "[          ] 0/50 items"},   {12, 50, "[##        ] 12/50 items"},
        {49, 50, "[######### ] 49/50 items"}, {50, 50, "[##########] 50/50 items"},
        {1, 3, "[###       ] 1/3 items"},     {70, 50, "[##########] 50/50 items"},
        {-4, 50, "[          ] 0/50 items"},  {0, 0, "[          ] 0/0 items"},
        {5, -1, "[          ] 0/0 items"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressBarText(c.done, c.total), c.text) << c.done << "/" << c.total;
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
    ASSERT_GE(master, 0);
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
