// SPDX-License-Identifier: GPL-3.0-or-later
#include "appidentity.h"

#include "lazyicons.h"
#include "quorvane_version.h"
#include "weblinks.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QResource>
#include <QtEndian>

// The icons are compiled into this static library; its resources must be
// registered by hand, from the global namespace.
static void RegisterIcons() {
    Q_INIT_RESOURCE(icons);
}

namespace quorvane {

namespace {

// Title bars, task bars and window switchers draw a window's icon at 128
// pixels and less; larger pictures come from the installed icon theme, so the
// window sends no more to the display than it needs.
constexpr int kIconSizes[] = {48, 128};

// The icon's raw pixels as quorvane-iconpixels wrote them at build time,
// stored uncompressed so that they are read in place.
QImage IconPixels(int size) {
    const QResource resource(QStringLiteral(":/icons/%1.argb").arg(size));
    const qsizetype expected = 8 + qsizetype(size) * size * 4;
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
        resource.size() != expected)
        return {};
    const uchar *data = resource.data();
    if (qFromLittleEndian<quint32>(data) != quint32(size) ||
        qFromLittleEndian<quint32>(data + 4) != quint32(size))
        return {};
    const QImage inPlace(data + 8, size, size, size * 4, QImage::Format_ARGB32_Premultiplied);
    // Pixels must lie on 32-bit boundaries; the resource compiler does not promise that.
    return reinterpret_cast<quintptr>(data + 8) % alignof(quint32) == 0 ? inPlace : inPlace.copy();
}

} // namespace

void ApplyApplicationIdentity() {
    RegisterIcons();
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
    // Offscreen nothing draws the icon; a desktop takes its pictures when the
    // window is first shown.
    QApplication::setWindowIcon(LazyIcon(
        [] {
            QIcon icon;
            for (const int size : kIconSizes)
                icon.addPixmap(QPixmap::fromImage(IconPixels(size)));
            return icon;
        },
        {{48, 48}, {128, 128}}));
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
