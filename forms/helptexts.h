// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>

namespace quorvane {

// One help tip: the window and control it belongs to (their objectNames), its
// title, its text and the width at which the text wraps.
struct HelpTip {
    const char *window;
    const char *control;
    const char *title;
    const char *text;
    int width;
};

// Every help tip, in the order they are attached and removed.
std::span<const HelpTip> HelpTips();
// The wave timing window's, attached when that window is first built.
std::span<const HelpTip> WaveTimingHelpTips();

} // namespace quorvane
