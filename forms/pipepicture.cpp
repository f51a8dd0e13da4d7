// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipepicture.h"

#include "lookandfeel.h"

#include <QPainter>
#include <QPolygon>

namespace quorvane {

namespace {

QPolygon Polyline(const std::array<PixelPoint, 9> &points) {
    QPolygon polygon;
    for (const PixelPoint &p : points)
        polygon << QPoint(p.x, p.y);
    return polygon;
}

} // namespace

PipePicture::PipePicture(QWidget *parent) : QFrame(parent) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, kInk);
    setPalette(p);
    setAutoFillBackground(true);
}

void PipePicture::setOutline(std::optional<PipeOutline> outline) {
    m_outline = std::move(outline);
    update();
}

void PipePicture::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);
    if (!m_outline)
        return;
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.translate(contentsRect().topLeft());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QFont font = ControlFont();
    font.setBold(true);
    painter.setFont(font);

    // Labels first, then the outline over them, as the picture was always drawn.
    const QSize area = innerSize();
    for (const OutlineLabel &label : m_outline->labels)
        painter.drawText(QRect(label.topLeft.x, label.topLeft.y, area.width(), area.height()),
                         Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(label.text));
    painter.drawPolyline(Polyline(m_outline->upper));
    painter.drawPolyline(Polyline(m_outline->lower));
    for (std::size_t j = 0; j < m_outline->upper.size(); ++j)
        painter.drawLine(m_outline->upper[j].x, m_outline->upper[j].y, m_outline->lower[j].x,
                         m_outline->lower[j].y);
}

} // namespace quorvane
