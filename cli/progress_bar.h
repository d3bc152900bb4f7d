// A progress bar on one terminal line, redrawn in place: "[##        ] 12/50 items".
#pragma once

#include <cstdio>
#include <string>

namespace quorin::cli {

// The bar for done of total: width cells (at least 1), done * width / total of them "#" (rounded
// down, so the bar is full only when done reaches total), the rest blanks, then " done/total
// items". done is kept within 0..total; a total below 1 gives an empty bar.
std::string ProgressBarText(int done, int total, int width = 10);

// Reports above this many items show a bar on a terminal without being asked.
inline constexpr int kProgressItemThreshold = 20;

// Whether to show the bar: when asked, or for more than kProgressItemThreshold items when the
// stream is a terminal.
bool WantProgressBar(bool asked, int items, FILE* stream);

// Draws the bar on stream with "\r" before each redraw and "\n" once done reaches total; draws
// nothing when disabled. A repeated count is not drawn again.
class ProgressLine {
public:
    ProgressLine(FILE* stream, bool enabled) : stream_(stream), enabled_(enabled) {}
    void Update(int done, int total);

private:
    FILE* stream_;
    bool enabled_;
    int lastDone_ = -1, lastTotal_ = -1;
};

}  // namespace quorin::cli
