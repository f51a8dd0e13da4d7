// SPDX-License-Identifier: GPL-3.0-or-later
#include "diagrams.h"

#include "figuredrawing.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <cmath>

namespace quorvane {

namespace {

const QColor kMetal(232, 236, 242); // the body of a part
const QColor kPiece(176, 196, 232); // the piece a calculation is about
const QColor kGuide(130, 130, 130); // construction and centre lines

// Fine lines and small arrowheads: these figures are small.
const DimensionStyle kDimensions{QPen(kDimensionBlue, 1.2, Qt::SolidLine, Qt::FlatCap),
                                 QPen(kDimensionBlue, 0.8), 7.0, 2.8, false};

QPen OutlinePen() {
    return QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}
QPen GuidePen(Qt::PenStyle style) {
    return QPen(kGuide, 1.0, style);
}

// The unit normal on the left of v as the screen shows it (up for a rightward v).
QPointF LeftNormal(QPointF v) {
    const QPointF d = UnitVector(v);
    return {d.y(), -d.x()};
}

// A dimension's letter; one set on a line gets a white patch that breaks the line.
void Letter(QPainter &p, QPointF centre, const QString &text, bool onLine = false) {
    QFont font = p.font();
    font.setPixelSize(14);
    font.setBold(true);
    font.setItalic(true);
    p.setFont(font);
    const QFontMetricsF metrics(font);
    QRectF patch(0, 0, metrics.horizontalAdvance(text) + 4, metrics.height());
    patch.moveCenter(centre);
    if (onLine)
        p.fillRect(patch, Qt::white);
    p.setPen(kDimensionBlue);
    p.drawText(patch, Qt::AlignCenter, text);
}

void DrawRoundedCorner(QPainter &p, const QRectF &area) {
    const double side = area.height() - 20;
    QRectF square(0, 0, side, side);
    square.moveCenter(area.center());
    const double r = side * 0.4;
    const QPointF centre(square.right() - r, square.bottom() - r);
    const QRectF circle(centre.x() - r, centre.y() - r, 2 * r, 2 * r);

    QPainterPath body;
    body.moveTo(square.topLeft());
    body.lineTo(square.topRight());
    body.lineTo(square.right(), square.bottom() - r);
    body.arcTo(circle, 0, -90);
    body.lineTo(square.bottomLeft());
    body.closeSubpath();
    p.fillPath(body, kMetal);

    // The piece of the square the rounded corner leaves out.
    QPainterPath piece;
    piece.moveTo(square.right() - r, square.bottom());
    piece.lineTo(square.bottomRight());
    piece.lineTo(square.right(), square.bottom() - r);
    piece.arcTo(circle, 0, -90);
    piece.closeSubpath();
    p.fillPath(piece, kPiece);

    p.setPen(GuidePen(Qt::DashLine));
    p.drawEllipse(circle);
    p.drawLine(QPointF(square.right(), square.bottom() - r), square.bottomRight());
    p.drawLine(square.bottomRight(), QPointF(square.right() - r, square.bottom()));
    p.setPen(OutlinePen());
    p.drawPath(body);

    const QPointF rim = centre + QPointF(r, r) * M_SQRT1_2;
    p.setPen(kDimensions.line);
    p.setBrush(kDimensionBlue);
    p.drawEllipse(centre, 1.8, 1.8);
    p.drawLine(centre, rim);
    DrawArrowhead(p, kDimensions, rim, rim - centre);
    Letter(p, centre + QPointF(r * 0.34, -r * 0.3), QStringLiteral("r"));
}

void DrawCurvedTopEdge(QPainter &p, const QRectF &area) {
    const double left = area.left() + 24;
    const double right = area.right() - 80;
    const double chordY = area.top() + area.height() * 0.37;
    const double apexY = area.top() + area.height() * 0.18;
    const double bottom = area.bottom() - 16;
    const double halfChord = (right - left) / 2;
    const double rise = chordY - apexY;
    const double R = (halfChord * halfChord + rise * rise) / (2 * rise);
    const QPointF centre((left + right) / 2, apexY + R);
    const QRectF circle(centre.x() - R, centre.y() - R, 2 * R, 2 * R);
    const double endAngle = qRadiansToDegrees(std::atan2(centre.y() - chordY, halfChord));
    const double sweep = 180 - 2 * endAngle;

    QPainterPath window;
    window.moveTo(left, chordY);
    window.lineTo(left, bottom);
    window.lineTo(right, bottom);
    window.lineTo(right, chordY);
    window.arcTo(circle, endAngle, sweep);
    p.fillPath(window, kMetal);

    QPainterPath segment;
    segment.moveTo(right, chordY);
    segment.arcTo(circle, endAngle, sweep);
    segment.closeSubpath();
    p.fillPath(segment, kPiece);

    p.setPen(GuidePen(Qt::DashLine));
    p.drawLine(QPointF(left, chordY), QPointF(right, chordY));
    p.setPen(OutlinePen());
    p.setBrush(Qt::NoBrush);
    p.drawPath(window);

    // The rise h of the arc above the straight top line.
    const double dimX = right + 34;
    DrawExtensionLine(p, kDimensions, QPointF(centre.x(), apexY), QPointF(dimX, apexY), 4, 6);
    DrawExtensionLine(p, kDimensions, QPointF(right, chordY), QPointF(dimX, chordY), 4, 6);
    DrawDimensionLine(p, kDimensions, QPointF(dimX, apexY), QPointF(dimX, chordY));
    Letter(p, QPointF(dimX + 17, (apexY + chordY) / 2), QStringLiteral("h"));

    // The arc's radius R, drawn along a radius from inside the window.
    const double a = qDegreesToRadians(104.0);
    const QPointF towardsRim(std::cos(a), -std::sin(a));
    const QPointF rim = centre + towardsRim * R;
    const QPointF from = rim - towardsRim * (bottom - apexY) * 0.68;
    p.setPen(kDimensions.line);
    p.drawLine(from, rim);
    DrawArrowhead(p, kDimensions, rim, towardsRim);
    Letter(p, (from + rim) / 2 + LeftNormal(towardsRim) * 10, QStringLiteral("R"));
}

// The one cone the three cone figures share, seen from the side.
struct Cone {
    QPointF baseTop, baseBottom, tipTop, tipBottom;
};

Cone DrawCone(QPainter &p, const QRectF &area) {
    const double baseX = area.left() + area.width() * 0.13;
    const double tipX = area.left() + area.width() * 0.74;
    const double axisY = area.top() + area.height() * 0.49;
    const double baseHalf = area.height() * 0.33;
    const double tipHalf = area.height() * 0.105;
    const Cone cone{{baseX, axisY - baseHalf},
                    {baseX, axisY + baseHalf},
                    {tipX, axisY - tipHalf},
                    {tipX, axisY + tipHalf}};

    const QPointF outline[4] = {cone.baseTop, cone.tipTop, cone.tipBottom, cone.baseBottom};
    p.setPen(OutlinePen());
    p.setBrush(kMetal);
    p.drawPolygon(outline, 4);
    p.setBrush(Qt::NoBrush);
    p.setPen(GuidePen(Qt::DashDotLine));
    p.drawLine(QPointF(baseX - 14, axisY), QPointF(tipX + 24, axisY));
    return cone;
}

void DrawCentreLength(QPainter &p, const QRectF &area) {
    const Cone cone = DrawCone(p, area);
    const double dimY = cone.baseBottom.y() + 16;
    const QPointF baseEnd(cone.baseBottom.x(), dimY);
    const QPointF tipEnd(cone.tipBottom.x(), dimY);
    DrawExtensionLine(p, kDimensions, cone.baseBottom, baseEnd, 3, 6);
    DrawExtensionLine(p, kDimensions, cone.tipBottom, tipEnd, 3, 6);
    DrawDimensionLine(p, kDimensions, baseEnd, tipEnd);
    Letter(p, QPointF((cone.baseBottom.x() + cone.tipBottom.x()) / 2, dimY), QStringLiteral("h"), true);
}

void DrawSideLength(QPainter &p, const QRectF &area) {
    const Cone cone = DrawCone(p, area);
    const QPointF out = LeftNormal(cone.tipTop - cone.baseTop);
    const double offset = 14;
    const QPointF a = cone.baseTop + out * offset;
    const QPointF b = cone.tipTop + out * offset;
    DrawExtensionLine(p, kDimensions, cone.baseTop, a, 3, 5);
    DrawExtensionLine(p, kDimensions, cone.tipTop, b, 3, 5);
    DrawDimensionLine(p, kDimensions, a, b);
    Letter(p, (a + b) / 2, QStringLiteral("s"), true);
}

void DrawHalfAngle(QPainter &p, const QRectF &area) {
    const Cone cone = DrawCone(p, area);
    const QPointF corner = cone.baseTop;
    const QPointF side = cone.tipTop - corner;
    // A line through the base's rim parallel to the centre line: the angle
    // it makes with the side is the half angle.
    p.setPen(GuidePen(Qt::DashLine));
    p.drawLine(corner, QPointF(cone.tipTop.x() + 14, corner.y()));

    const double theta = std::atan2(side.y(), side.x()); // downwards on the screen
    const double radius = side.x() * 0.75;
    const QRectF circle(corner.x() - radius, corner.y() - radius, 2 * radius, 2 * radius);
    p.setPen(kDimensions.line);
    p.drawArc(circle, 0, -qRound(qRadiansToDegrees(theta) * 16));
    const QPointF onGuide = corner + QPointF(radius, 0);
    const QPointF onSide = corner + QPointF(std::cos(theta), std::sin(theta)) * radius;
    DrawArrowhead(p, kDimensions, onGuide, QPointF(0, -1));
    DrawArrowhead(p, kDimensions, onSide, QPointF(-std::sin(theta), std::cos(theta)));
    Letter(p, corner + QPointF(std::cos(theta / 2), std::sin(theta / 2)) * (radius + 13),
           QStringLiteral("α"));
}

} // namespace

Diagram::Diagram(Figure figure, const char *objectName, QWidget *parent) : QWidget(parent), m_figure(figure) {
    setObjectName(QString::fromLatin1(objectName));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Diagram::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = rect();
    DrawFigurePaper(p, area);
    switch (m_figure) {
    case Figure::RoundedCorner:
        DrawRoundedCorner(p, area);
        break;
    case Figure::CurvedTopEdge:
        DrawCurvedTopEdge(p, area);
        break;
    case Figure::ConeCentreLength:
        DrawCentreLength(p, area);
        break;
    case Figure::ConeSideLength:
        DrawSideLength(p, area);
        break;
    case Figure::ConeHalfAngle:
        DrawHalfAngle(p, area);
        break;
    }
}

} // namespace quorvane
