// SPDX-License-Identifier: GPL-3.0-or-later
#include "conepattern.h"

#include "figuredrawing.h"
#include "lookandfeel.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace quorvane {

namespace {

const QColor kHiddenGrey(150, 150, 150);

// Proportions of the drawn sector, as fractions of the picture's height, so
// the drawing stays balanced in the fixed box.
constexpr double kApexFromBottom = 0.075;
constexpr double kOuterRadius = 0.75;
constexpr double kInnerRadius = 0.39;
constexpr double kHalfAngleDeg = 34.0;

// Bold lines and large arrowheads, to be read beside the report at a glance.
const QPen kDimensionPen(kDimensionBlue, 1.4);
const DimensionStyle kDimensions{kDimensionPen, kDimensionPen, 11, 4, true};
constexpr double kExtensionGap = 4;
constexpr double kExtensionOvershoot = 6;

// The letters are large: the user reads them across to the report's A to D.
constexpr int kLetterPixels = 22;

void Letter(QPainter &p, QPointF centre, const QString &letter) {
    QRectF box(0, 0, 30, 26); // room for one capital of kLetterPixels
    box.moveCenter(centre);
    p.drawText(box, Qt::AlignCenter, letter);
}

} // namespace

ConePattern::ConePattern(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void ConePattern::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    DrawFigurePaper(p, rect());

    const double h = height();
    const QPointF apex(width() / 2.0, h * (1.0 - kApexFromBottom));
    const double outer = h * kOuterRadius;
    const double inner = h * kInnerRadius;
    const double half = kHalfAngleDeg * std::numbers::pi / 180;
    const double s = std::sin(half);
    const double c = std::cos(half);
    // Points of the sector: "Left"/"Right" ends of the outer and inner arcs.
    const QPointF outerLeft = apex + QPointF(-s, -c) * outer;
    const QPointF outerRight = apex + QPointF(s, -c) * outer;
    const QPointF innerLeft = apex + QPointF(-s, -c) * inner;
    const QPointF innerRight = apex + QPointF(s, -c) * inner;

    // The pattern itself: Qt's angles run anticlockwise from three o'clock.
    const double startDeg = 90.0 - kHalfAngleDeg;
    const double spanDeg = 2 * kHalfAngleDeg;
    QPainterPath sector;
    sector.moveTo(innerRight);
    sector.lineTo(outerRight);
    sector.arcTo(QRectF(apex.x() - outer, apex.y() - outer, 2 * outer, 2 * outer), startDeg, spanDeg);
    sector.lineTo(innerLeft);
    sector.arcTo(QRectF(apex.x() - inner, apex.y() - inner, 2 * inner, 2 * inner), startDeg + spanDeg,
                 -spanDeg);
    sector.closeSubpath();
    p.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::black);
    p.drawPath(sector);

    // The cut-away tip of the cone, up to the apex, only hinted at.
    p.setPen(QPen(kHiddenGrey, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawLine(innerLeft, apex);

    QFont letters = ControlFont();
    letters.setPixelSize(kLetterPixels);
    p.setFont(letters);
    p.setPen(kDimensionPen); // the letters' too

    // A: the chord across the outer arc's ends, carried above the arc.
    const double aY = apex.y() - outer - 0.06 * h;
    const QPointF aLeft(outerLeft.x(), aY);
    const QPointF aRight(outerRight.x(), aY);
    DrawExtensionLine(p, kDimensions, outerLeft, aLeft, kExtensionGap, kExtensionOvershoot);
    DrawExtensionLine(p, kDimensions, outerRight, aRight, kExtensionGap, kExtensionOvershoot);
    DrawDimensionLine(p, kDimensions, aLeft, aRight);
    Letter(p, QPointF(apex.x(), aY - 17), QStringLiteral("A"));

    // B: the chord across the inner arc's ends, below that arc.
    DrawDimensionLine(p, kDimensions, innerLeft, innerRight);
    Letter(p, QPointF(apex.x(), innerLeft.y() + 19), QStringLiteral("B"));

    // D: the outer radius, beside the left edge and clear of it.
    const QPointF outward(-c, s);
    const double offset = 0.045 * h;
    const QPointF dApex = apex + outward * offset;
    const QPointF dEnd = outerLeft + outward * offset;
    DrawExtensionLine(p, kDimensions, apex, dApex, kExtensionGap, kExtensionOvershoot);
    DrawExtensionLine(p, kDimensions, outerLeft, dEnd, kExtensionGap, kExtensionOvershoot);
    DrawDimensionLine(p, kDimensions, dApex, dEnd);
    Letter(p, (dApex + dEnd) / 2 + outward * 20, QStringLiteral("D"));

    // C: the inner radius, from the apex up to the right end of the inner arc.
    // Starts at the apex circle's rim so that circle does not swallow the arrowhead.
    constexpr double kApexRadius = 5;
    DrawDimensionLine(p, kDimensions, apex + UnitVector(innerRight - apex) * kApexRadius, innerRight);
    Letter(p, (apex + innerRight) / 2 + QPointF(c, s) * 18, QStringLiteral("C"));

    // The apex, the centre the fabricator swings both arcs from.
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(apex, kApexRadius, kApexRadius);
}

} // namespace quorvane
