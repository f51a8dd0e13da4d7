// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLineEdit;
class QString;
class QWidget;

namespace quorvane {

// Input boxes select their whole text when the focus is moved to them, by
// keyboard, mouse or program, so that typing replaces it. Coming back to the
// window, or from a menu, leaves the text as the user left it.
void SelectAllOnFocus(QWidget *edit);

// A box's text is one line: what is pasted or set keeps its first line only.
void KeepToOneLine(QLineEdit *box);

// Sets a box's text for the user to read: a text wider than the box shows
// its start, where a number's leading digits are, not its end.
void SetBoxText(QLineEdit *box, const QString &text);

// The boxes are narrow and fixed, and a number with a digit scrolled out of
// sight reads as a different number: a text too wide for its box is shown
// in a smaller face, down to kSmallestFontPixels, and in the usual face
// again once it fits. Only for a box whose font has a pixel size.
inline constexpr int kSmallestFontPixels = 8;
void KeepWholeTextVisible(QLineEdit *box);

} // namespace quorvane
