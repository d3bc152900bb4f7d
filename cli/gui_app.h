// Drawing commands need a QGuiApplication; the quorin tool has none until one of them runs.
#pragma once

namespace quorin::cli {

// Makes the process's QGuiApplication when there is none yet. Without a display (no DISPLAY or
// WAYLAND_DISPLAY) and no QT_QPA_PLATFORM chosen, it uses the offscreen platform, so drawing
// works in a terminal session or CI alike. The application lives until the process ends.
void EnsureGuiApplication();

}  // namespace quorin::cli
