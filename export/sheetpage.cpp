// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetpage.h"

#include "patternpainter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

namespace quorvane {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kFooterPoints = 7;

} // namespace

SheetPage::SheetPage(QPainter &painter, PaperSize paper, int number, int count)
    : m_painter(painter), m_paper(paper), m_number(number), m_count(count),
      m_unitsX(painter.device()->logicalDpiX() / kMmPerInch),
      m_unitsY(painter.device()->logicalDpiY() / kMmPerInch) {}

QPointF SheetPage::At(double x, double y) const {
    return {x * m_unitsX, y * m_unitsY};
}

QRectF SheetPage::Box(double x, double y, double w, double h) const {
    return {At(x, y), At(x + w, y + h)};
}

QTransform SheetPage::PatternTransform(Point2 origin, double x, double y, double scale) const {
    // Built in page millimetres, then scaled to the device: a printer's dots
    // need not be square.
    return ToQTransform({1 / scale, origin, {x, y}}) * QTransform::fromScale(m_unitsX, m_unitsY);
}

QFont SheetPage::Font(double points, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

double SheetPage::LineHeight(const QFont &font) const {
    return QFontMetricsF(font, m_painter.device()).lineSpacing() / m_unitsY;
}

double SheetPage::AdvanceOf(const QString &text, const QFont &font) const {
    return QFontMetricsF(font, m_painter.device()).horizontalAdvance(text) / m_unitsX;
}

void SheetPage::Write(double x, double y, const QString &text, const QFont &font, Qt::Alignment align,
                      const QColor &colour) const {
    double start = x;
    if (align & Qt::AlignHCenter)
        start -= AdvanceOf(text, font) / 2;
    else if (align & Qt::AlignRight)
        start -= AdvanceOf(text, font);
    m_painter.setFont(font);
    m_painter.setPen(colour);
    m_painter.drawText(At(start, y), text);
}

double SheetPage::Wrapped(double x, double y, double w, const QString &text, const QFont &font) const {
    const QRectF box = Box(x, y, w, m_paper.height);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    m_painter.setFont(font);
    m_painter.setPen(Qt::black);
    QRectF used;
    m_painter.drawText(box, flags, text, &used);
    return used.height() / m_unitsY;
}

double SheetPage::WrappedHeight(double w, const QString &text, const QFont &font) const {
    const QRectF box = Box(0, 0, w, m_paper.height);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    return QFontMetricsF(font, m_painter.device()).boundingRect(box, flags, text).height() / m_unitsY;
}

void SheetPage::Frame(double x, double y, double w, double h, double pen, const QColor &colour) const {
    m_painter.setPen(QPen(colour, pen * m_unitsX, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(Box(x, y, w, h));
}

void SheetPage::Rule(double x1, double y1, double x2, double y2, double pen, const QColor &colour,
                     Qt::PenStyle style) const {
    m_painter.setPen(QPen(colour, pen * m_unitsX, style, Qt::FlatCap));
    m_painter.drawLine(At(x1, y1), At(x2, y2));
}

void SheetPage::PaintFooter(double margin) const {
    const double top = m_paper.height - margin - kFooterBand + 2;
    // A filled rectangle and no outline: its ends are exactly 100.0 mm apart.
    m_painter.fillRect(Box(margin, top, kScaleBarLength, kScaleBarHeight), Qt::black);
    const QFont font = Font(kFooterPoints);
    const QString caption =
        QStringLiteral("100 mm \u2014 measure before cutting; print at 100 % / actual size");
    const double baseline = top + kScaleBarHeight + 4.5;
    Write(margin, baseline, caption, font);
    const QString page = QStringLiteral("build sheet page %1 of %2").arg(m_number).arg(m_count);
    const double rightEdge = m_paper.width - margin;
    if (margin + AdvanceOf(caption, font) + 5 + AdvanceOf(page, font) <= rightEdge)
        Write(rightEdge, baseline, page, font, Qt::AlignRight);
}

} // namespace quorvane
