// Drawing needs a QGuiApplication; the quorin command and the Python package have none until
// they draw.
#pragma once

namespace quorin {

// Makes the process's QGuiApplication when there is none yet. Without a display (no DISPLAY or
// WAYLAND_DISPLAY) and no QT_QPA_PLATFORM chosen, it uses the offscreen platform, so drawing
// works in a terminal session or CI alike. The application lives until the process ends.
void EnsureGuiApplication();

}  // namespace quorin
