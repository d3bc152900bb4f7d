#include "cli/progress_bar.h"

#include <unistd.h>

#include <algorithm>

#include "platform/numtext.h"

namespace quorin::cli {

std::string ProgressBarText(int done, int total, int width) {
    width = std::max(width, 1);
    total = std::max(total, 0);
    done = std::clamp(done, 0, total);
    const int filled =
        total > 0 ? static_cast<int>(static_cast<long long>(done) * width / total) : 0;
    std::string text = "[";
    text.append(static_cast<size_t>(filled), '#');
    text.append(static_cast<size_t>(width - filled), ' ');
    text += "] " + FormatInt(done) + "/" + FormatInt(total) + " items";
    return text;
}

bool WantProgressBar(bool asked, int items, FILE* stream) {
    if (asked) return true;
    return items > kProgressItemThreshold && stream && ::isatty(::fileno(stream)) == 1;
}

void ProgressLine::Update(int done, int total) {
    if (!enabled_ || !stream_) return;
    if (done == lastDone_ && total == lastTotal_) return;
    lastDone_ = done;
    lastTotal_ = total;
    const std::string line = "\r" + ProgressBarText(done, total) + (done >= total ? "\n" : "");
    std::fwrite(line.data(), 1, line.size(), stream_);
    std::fflush(stream_);
}

}  // namespace quorin::cli
