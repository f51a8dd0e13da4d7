// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quorvane {

// What the window program's command line asks for, decided before any Qt
// object exists: --help and --version must answer on a terminal with no
// display, where constructing the application would abort.
struct StartRequest {
    enum class Kind { OpenWindow, PrintAndExit, Refuse };
    Kind kind = Kind::OpenWindow;
    std::string text; // printed on stdout (PrintAndExit) or stderr (Refuse)
};

// `platformEnv`, `display` and `waylandDisplay` are QT_QPA_PLATFORM, DISPLAY
// and WAYLAND_DISPLAY, null when unset.
StartRequest ReadStartRequest(int argc, const char *const argv[], const char *platformEnv,
                              const char *display, const char *waylandDisplay);

// The usage text of `quorvane --help`.
std::string WindowProgramHelp();

} // namespace quorvane
