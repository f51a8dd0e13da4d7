// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookandfeel.h"

#include <QAbstractScrollArea>
#include <QFontDatabase>
#include <QLineEdit>
#include <QWidget>

namespace quorvane {

namespace {

// Text boxes paint their background with the Base role; everything else with Window.
QPalette::ColorRole BackgroundRole(const QWidget *w) {
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractScrollArea *>(w)
               ? QPalette::Base
               : QPalette::Window;
}

} // namespace

QFont ControlFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(kControlFontPixels);
    return font;
}

void SetBackground(QWidget *w, const QColor &colour) {
    QPalette p = w->palette();
    p.setColor(BackgroundRole(w), colour);
    w->setPalette(p);
    if (BackgroundRole(w) == QPalette::Window)
        w->setAutoFillBackground(true);
}

QColor Background(const QWidget *w) {
    return w->palette().color(BackgroundRole(w));
}

} // namespace quorvane
