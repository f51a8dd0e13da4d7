// SPDX-License-Identifier: GPL-3.0-or-later
#include "appidentity.h"

#include "lazyicons.h"
#include "quorvane_version.h"
#include "weblinks.h"

#include <QApplication>
#include <QIcon>

// The icons are compiled into this static library; its resources must be
// registered by hand, from the global namespace.
static void RegisterIcons() {
    Q_INIT_RESOURCE(icons);
}

namespace quorvane {

void ApplyApplicationIdentity() {
    RegisterIcons();
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    // Most desktops never read all three pictures, and offscreen none.
    QApplication::setWindowIcon(LazyIcon(
        [] {
            QIcon icon;
            for (const int size : {48, 128, 256})
                icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
            return icon;
        },
        {{48, 48}, {128, 128}, {256, 256}}));
}

QString AboutText() {
    return QStringLiteral("Quorvane %1\n\n"
                          "A design calculator for the exhaust expansion chamber of a two-stroke engine.\n\n"
                          "Licence: GNU General Public License, version 3 or later.\n"
                          "Built with Qt %2, running on Qt %3.\n\n%4")
        .arg(QLatin1String(kVersionText), QLatin1String(QT_VERSION_STR), QLatin1String(qVersion()),
             QLatin1String(kWebSiteAddress));
}

} // namespace quorvane
