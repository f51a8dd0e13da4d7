// SPDX-License-Identifier: GPL-3.0-or-later
#include "startoptions.h"

#include "quorvane_version.h"

#include <string_view>

namespace quorvane {

namespace {

bool Empty(const char *text) {
    return !text || !*text;
}

// The platform plugin Qt would load: -platform NAME wins over the environment.
std::string_view PlatformOf(int argc, const char *const argv[], const char *platformEnv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string_view(argv[i]) == "-platform" || std::string_view(argv[i]) == "--platform")
            return argv[i + 1];
    return Empty(platformEnv) ? std::string_view() : std::string_view(platformEnv);
}

} // namespace

std::string WindowProgramHelp() {
    return "Usage: quorvane [--help | --version]\n"
           "\n"
           "Opens the Quorvane window: the design calculator for the exhaust expansion\n"
           "chamber of a two-stroke engine. Only one copy runs per user; starting it again\n"
           "brings the running copy's window back. Help > Quorvane Help (F1) opens the manual.\n"
           "\n"
           "  -h, --help  show this help and end\n"
           "  --version   show the version and end\n"
           "\n"
           "Every calculation is also reachable without a display: see quorvane-cli --help.\n";
}

StartRequest ReadStartRequest(int argc, const char *const argv[], const char *platformEnv,
                              const char *display, const char *waylandDisplay) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == "--")
            break;
        if (arg == "--help" || arg == "-h")
            return {StartRequest::Kind::PrintAndExit, WindowProgramHelp()};
        if (arg == "--version")
            return {StartRequest::Kind::PrintAndExit, std::string("quorvane ") + kVersionText + "\n"};
    }
    // Only the desktop plugins need a display server; offscreen, vnc and the
    // like run anywhere, and a failure of theirs is still caught at start.
    const std::string_view platform = PlatformOf(argc, argv, platformEnv);
    const bool needsX = platform.empty() || platform.starts_with("xcb");
    const bool needsWayland = platform.starts_with("wayland");
    const char *unset = nullptr;
    if (needsX && Empty(display) && Empty(waylandDisplay))
        unset = "DISPLAY";
    else if (needsWayland && Empty(waylandDisplay))
        unset = "WAYLAND_DISPLAY";
    if (unset)
        return {StartRequest::Kind::Refuse, std::string("quorvane: no display to open the window on (") +
                                                unset + " is not set); quorvane-cli works without one\n"};
    return {};
}

} // namespace quorvane
