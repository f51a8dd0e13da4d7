// SPDX-License-Identifier: GPL-3.0-or-later
#include "figuredrawing.h"

#include <QPainter>

#include <cmath>

namespace quorvane {

namespace {

const QColor kPaperBorder(160, 160, 160);

} // namespace

QPointF UnitVector(QPointF v) {
    const double length = std::hypot(v.x(), v.y());
    return length > 0 ? v / length : QPointF();
}

void DrawFigurePaper(QPainter &p, const QRectF &area) {
    p.fillRect(area, Qt::white);
    p.setPen(kPaperBorder);
    p.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
}

void DrawArrowhead(QPainter &p, const DimensionStyle &style, QPointF tip, QPointF direction) {
    const QPointF along = UnitVector(direction);
    const QPointF across(-along.y(), along.x());
    const QPointF back = tip - along * style.arrowLength;
    const QPointF head[] = {tip, back + across * style.arrowHalfWidth, back - across * style.arrowHalfWidth};
    p.save();
    p.setPen(style.outlinedArrows ? style.line : QPen(Qt::NoPen));
    p.setBrush(kDimensionBlue);
    p.drawPolygon(head, 3);
    p.restore();
}

void DrawDimensionLine(QPainter &p, const DimensionStyle &style, QPointF a, QPointF b) {
    p.setPen(style.line);
    p.drawLine(a, b);
    DrawArrowhead(p, style, a, a - b);
    DrawArrowhead(p, style, b, b - a);
}

void DrawExtensionLine(QPainter &p, const DimensionStyle &style, QPointF feature, QPointF onDimension,
                       double gap, double overshoot) {
    const QPointF out = UnitVector(onDimension - feature);
    p.setPen(style.extension);
    p.drawLine(feature + out * gap, onDimension + out * overshoot);
}

} // namespace quorvane
