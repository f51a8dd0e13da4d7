// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvane {

struct DesignState;
class FileDialogs;
class ToolWindow;

// The windows built with libraries a start does not need. Wave Timing draws
// with Qt Charts, which with the OpenGL and SVG libraries it brings costs the
// dynamic linker more than all the rest of the program: these windows live
// in a module of their own, loaded the first time one is asked for.
struct LateWindowMakers {
    const char *version; // the program's version the module was built with
    ToolWindow *(*waveTiming)(const DesignState &state, FileDialogs &dialogs);
};

// The makers, loaded once; null with the reason in `why` when they cannot be had.
const LateWindowMakers *LateWindows(QString &why);

// The makers from the module at the first of `paths` that exists; null with
// the reason in `why` when none does or it is not this program's module.
const LateWindowMakers *LoadLateWindows(const QStringList &paths, QString &why);

} // namespace quorvane

// The module's one entry point.
extern "C" const quorvane::LateWindowMakers *quorvane_late_windows();
