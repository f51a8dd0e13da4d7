// SPDX-License-Identifier: GPL-3.0-or-later
#include "appidentity.h"

#include "lazyicons.h"
#include "quorvane_version.h"
#include "weblinks.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QtEndian>

#include <cstring>

// The icons are compiled into this static library; its resources must be
// registered by hand, from the global namespace.
static void RegisterIcons() {
    Q_INIT_RESOURCE(icons);
}

namespace quorvane {

namespace {

constexpr int kIconSizes[] = {48, 128, 256};

// The icon's raw pixels as quorvane-iconpixels wrote them at build time.
QImage IconPixels(int size) {
    QFile file(QStringLiteral(":/icons/%1.argb").arg(size));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray data = file.readAll();
    if (data.size() < 8)
        return {};
    const auto width = qFromLittleEndian<quint32>(data.constData());
    const auto height = qFromLittleEndian<quint32>(data.constData() + 4);
    if (width != quint32(size) || height != quint32(size) || data.size() != 8 + qsizetype(size) * size * 4)
        return {};
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size; ++y)
        std::memcpy(image.scanLine(y), data.constData() + 8 + qsizetype(y) * size * 4, std::size_t(size) * 4);
    return image;
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
