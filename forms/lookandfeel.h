// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace quorvane {

// The face every control uses: the desktop's sans-serif, bold, about 11
// pixels high, so captions sized for a small bold face fit their fixed controls.
inline constexpr int kControlFontPixels = 11;
QFont ControlFont();

// Backgrounds of an input box outside its advisory range, and of one a check refused.
inline const QColor kAdvisoryYellow(255, 255, 0);
inline const QColor kRejectedRed(255, 0, 0);

void SetBackground(QWidget *w, const QColor &colour);
QColor Background(const QWidget *w);

} // namespace quorvane
