#include "frontend/gui_app.h"

#include <sys/stat.h>
#include <unistd.h>
#include <QGuiApplication>

#include <cstdlib>
#include <string>

namespace quorin {

void EnsureGuiApplication() {
    if (QCoreApplication::instance()) return;
    const auto unset = [](const char* name) {
        const char* v = std::getenv(name);
        return !v || !*v;
    };
    if (unset("QT_QPA_PLATFORM") && unset("DISPLAY") && unset("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (unset("XDG_RUNTIME_DIR")) {
        // Qt warns on every start without one; a private folder per user keeps it quiet.
        const std::string dir = "/tmp/quorin-runtime-" + std::to_string(::getuid());
        ::mkdir(dir.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }
    static int argc = 1;
    static char name[] = "quorin";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's global state must outlive every static that may still draw.
    new QGuiApplication(argc, argv);
}

}  // namespace quorin
