// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace quorvane {

// The first of this program's own top-level windows, visible or hidden, whose
// trimmed title begins with searchText in any letter case; nullptr when none.
// The walk goes from front to back as far as Qt can tell: the active window,
// the other visible ones, then the hidden ones. Windows of other programs are
// out of reach and never touched.
QWidget *FindWindowByTitle(const QString &searchText);

// Brings a minimized window back to its former size and place, to the front,
// with the keyboard focus where it was; any other window is left untouched.
// Returns whether the window was restored.
bool RestoreIfMinimized(QWidget *window);

} // namespace quorvane
