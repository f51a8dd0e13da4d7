// SPDX-License-Identifier: GPL-3.0-or-later
#include "templatepreview.h"

#include "figuredrawing.h"
#include "lookandfeel.h"
#include "patternpainter.h"

#include <QPainter>

#include <algorithm>

namespace quorvane {

namespace {

// Room around the drawing, and below it for the title and the scale bar.
constexpr int kMargin = 12;
constexpr int kTitleBand = 20;
constexpr int kScaleBand = 26;
// The scale bar takes at most this share of the box's width.
constexpr double kScaleBarShare = 0.3;

const QColor kPageGrey(150, 150, 150);
const QColor kPageNumberGrey(160, 160, 160);

QRectF DeviceRect(const QTransform &toDevice, const Bounds &b) {
    return toDevice.mapRect(QRectF(QPointF(b.left, b.bottom), QPointF(b.right, b.top)).normalized());
}

} // namespace

TemplatePreview::TemplatePreview(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TemplatePreview::ShowPiece(const Piece &piece, const TilePlan &plan, int firstPage) {
    m_piece = piece;
    m_plan = plan;
    m_firstPage = firstPage;
    m_message.clear();
    m_shown = piece.bounds;
    for (const Tile &tile : plan.tiles)
        m_shown = Joined(m_shown, {tile.window.left, tile.window.bottom, tile.window.right, tile.window.top});
    FitToBox();
    update();
}

void TemplatePreview::ShowMessage(const QString &text) {
    m_piece.reset();
    m_message = text;
    m_scale = 0;
    update();
}

void TemplatePreview::resizeEvent(QResizeEvent *) {
    FitToBox();
}

void TemplatePreview::FitToBox() {
    if (!m_piece)
        return;
    const double w = width() - 2 * kMargin;
    const double h = height() - 2 * kMargin - kTitleBand - kScaleBand;
    m_scale = std::min(w / m_shown.width(), h / m_shown.height());
}

void TemplatePreview::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    DrawFigurePaper(p, rect());
    p.setFont(ControlFont());
    p.setPen(Qt::black);
    if (!m_piece) {
        p.drawText(rect().adjusted(kMargin, kMargin, -kMargin, -kMargin), Qt::AlignCenter | Qt::TextWordWrap,
                   m_message);
        return;
    }
    const QString pages = m_plan.tiles.size() == 1 ? QStringLiteral("1 page")
                                                   : QStringLiteral("%1 pages").arg(m_plan.tiles.size());
    p.drawText(QRectF(kMargin, kMargin, width() - 2 * kMargin, kTitleBand), Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("%1: %2%3")
                   .arg(QString::fromStdString(m_piece->title), pages,
                        m_plan.landscape ? QStringLiteral(", landscape") : QString()));

    // The drawing sits centred in the room left between the title and the scale bar.
    const double roomTop = kMargin + kTitleBand;
    const double roomHeight = height() - 2 * kMargin - kTitleBand - kScaleBand;
    const QPointF topLeft((width() - m_shown.width() * m_scale) / 2,
                          roomTop + (roomHeight - m_shown.height() * m_scale) / 2);
    const QTransform toDevice =
        ToQTransform({m_scale, {m_shown.left, m_shown.top}, {topLeft.x(), topLeft.y()}});

    // Page numbers first, in each page's top left corner, where the piece's
    // own marks (in its middle) never are.
    QFont number = ControlFont();
    for (const Tile &tile : m_plan.tiles) {
        const QRectF page = DeviceRect(toDevice, tile.window);
        const int size = std::clamp(int(std::min(page.width(), page.height()) / 6), 9, 28);
        number.setPixelSize(size);
        p.setFont(number);
        p.setPen(kPageNumberGrey);
        const int shown = m_firstPage > 0 ? m_firstPage + tile.number - 1 : tile.number;
        p.drawText(page.adjusted(size / 3.0, size / 6.0, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                   QString::number(shown));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kPageGrey, 1, Qt::DashLine));
    for (const Tile &tile : m_plan.tiles)
        p.drawRect(DeviceRect(toDevice, tile.window));
    PaintPiece(p, *m_piece, toDevice, 1);

    const double barMm = RulerLength(width() * kScaleBarShare / m_scale);
    const QPointF barStart(kMargin, height() - kMargin - 6);
    const QPointF barEnd = barStart + QPointF(barMm * m_scale, 0);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(barStart, barEnd);
    p.drawLine(barStart, barStart - QPointF(0, 6));
    p.drawLine(barEnd, barEnd - QPointF(0, 6));
    p.setFont(ControlFont());
    p.drawText(QRectF(barEnd.x() + 8, barStart.y() - 14, width(), 16), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("%1 mm").arg(barMm));
}

} // namespace quorvane
