#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <string>

class QLineEdit;
class QWidget;

namespace quorvane {

// The face every control uses: the desktop's sans-serif, bold, about 11
// pixels high, so captions sized for a small bold face fit their fixed controls.
QFont ControlFont();

inline const QColor kAdvisoryYellow(255, 255, 0);
inline const QColor kRejectedRed(255, 0, 0);

void SetBackground(QWidget *w, const QColor &colour);
QColor Background(const QWidget *w);

// The core separates lines with CR LF; a text box keeps them apart with '\n'.
QString BoxLines(const std::string &crlfText);

// Input boxes select their whole text when the focus is moved to them, by
// keyboard, mouse or program, so that typing replaces it. Coming back to the
// window, or from a menu, leaves the text as the user left it.
void SelectAllOnFocus(QWidget *edit);

// A box's text is one line: what is pasted or set keeps its first line only.
void KeepToOneLine(QLineEdit *box);

// Sets a box's text for the user to read: a text wider than the box shows
// its start, where a number's leading digits are, not its end.
void SetBoxText(QLineEdit *box, const QString &text);

} // namespace quorvane
