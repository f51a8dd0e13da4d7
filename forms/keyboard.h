// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace quorvane {

// Enter in an input box presses the button that calculates from it, as the
// window's table of boxes says; a window without rows is left alone.
void PressButtonOnEnter(QWidget *window);

// Esc and Ctrl+W close the window, as its close box does.
void CloseOnEscape(QWidget *window);

} // namespace quorvane
