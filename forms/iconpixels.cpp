// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: turns an icon PNG into the raw pixels the program shows, so that
// showing the icon reads no image file. Qt asks every image plugin it has
// whether it reads a file before it uses its own PNG reader, and loading them
// (SVG, JPEG and the rest) cost the start more than drawing the main window.
//
//     quorvane-iconpixels IN.png OUT.argb
//
// OUT holds the width and height as two 32-bit little-endian numbers, then
// the rows of premultiplied ARGB32 pixels, top row first.

#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdio>

int main(int argc, char *argv[]) {
    if (argc != 3) {
        std::fputs("usage: quorvane-iconpixels IN.png OUT.argb\n", stderr);
        return 2;
    }
    const QImage image =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        std::fprintf(stderr, "quorvane-iconpixels: cannot read %s\n", argv[1]);
        return 1;
    }
    QByteArray out(8, '\0');
    qToLittleEndian<quint32>(quint32(image.width()), out.data());
    qToLittleEndian<quint32>(quint32(image.height()), out.data() + 4);
    for (int y = 0; y < image.height(); ++y)
        out.append(reinterpret_cast<const char *>(image.constScanLine(y)), qsizetype(image.width()) * 4);
    QFile file(QString::fromLocal8Bit(argv[2]));
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.flush()) {
        std::fprintf(stderr, "quorvane-iconpixels: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
