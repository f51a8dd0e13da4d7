// SPDX-License-Identifier: GPL-3.0-or-later
#include "patternpainter.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvane {

namespace {

// QPainterPath::arcTo draws every arc as pieces of one Bézier per quarter
// turn, which strays 0.027 % of the radius from the circle: 0.18 mm on a
// 650 mm arc, slicing or not. A cubic of its own per 15° stays within a few
// nanometres.
constexpr double kLargestSlice = 15;

// The family every page and preview letters in; fontconfig finds its nearest.
constexpr const char *kLetterFamily = "DejaVu Sans";

QPainterPath PatternPath(const Shape &shape) {
    QPainterPath path;
    if (const Line *line = std::get_if<Line>(&shape)) {
        path.moveTo(line->from.x, line->from.y);
        path.lineTo(line->to.x, line->to.y);
        return path;
    }
    const Arc &arc = std::get<Arc>(shape);
    const double sweep = arc.endAngle - arc.startAngle;
    const int slices = std::max(1, static_cast<int>(std::ceil(sweep / kLargestSlice)));
    const double slice = sweep / slices;
    // The control points stand on the tangents at the slice's ends, this far out.
    const double reach = arc.radius * 4.0 / 3.0 * std::tan(slice * std::numbers::pi / 720);
    auto point = [&](double degrees, double along) {
        const double a = degrees * std::numbers::pi / 180;
        return QPointF(arc.centre.x + arc.radius * std::cos(a) - along * std::sin(a),
                       arc.centre.y + arc.radius * std::sin(a) + along * std::cos(a));
    };
    path.moveTo(point(arc.startAngle, 0));
    for (int i = 0; i < slices; ++i) {
        const double from = arc.startAngle + slice * i, to = from + slice;
        path.cubicTo(point(from, reach), point(to, -reach), point(to, 0));
    }
    return path;
}

// A font whose capital letters stand `capHeight` device units tall.
QFont FontWithCapHeight(const QPaintDevice *device, double capHeight) {
    constexpr double kProbe = 100;
    QFont font(QString::fromLatin1(kLetterFamily));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kProbe);
    const double probed = QFontMetricsF(font, device).capHeight();
    font.setPointSizeF(kProbe * capHeight / probed);
    return font;
}

} // namespace

QTransform PatternToDevice(double unitsPerMm, Point2 origin, QPointF deviceOrigin) {
    return QTransform(unitsPerMm, 0, 0, -unitsPerMm, deviceOrigin.x() - unitsPerMm * origin.x,
                      deviceOrigin.y() + unitsPerMm * origin.y);
}

QPainterPath PathOf(const Shape &shape, const QTransform &toDevice) {
    return toDevice.map(PatternPath(shape));
}

QPen PenFor(Stroke stroke, double unitsPerMm, double thinnest) {
    const StrokeLook &look = LookOf(stroke);
    const double width = std::max(look.width * unitsPerMm, thinnest);
    QPen pen(QColor::fromRgb(look.rgb), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    if (!look.dashes.empty()) {
        // Qt measures dashes in pen widths.
        QList<qreal> dashes;
        for (double d : look.dashes)
            dashes << d * unitsPerMm / width;
        pen.setDashPattern(dashes);
    }
    return pen;
}

void PaintPiece(QPainter &painter, const Piece &piece, const QTransform &toDevice, double thinnest) {
    // Lengths scale by the square root of the determinant, whatever the turn or flip.
    const double unitsPerMm = std::sqrt(std::fabs(toDevice.determinant()));
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (const Edge &edge : piece.edges) {
        painter.setPen(PenFor(edge.stroke, unitsPerMm, thinnest));
        painter.drawPath(PathOf(edge.shape, toDevice));
    }
    painter.setPen(QColor::fromRgb(LookOf(Stroke::Mark).rgb));
    for (const Label &label : piece.labels) {
        const double capHeight = label.height * unitsPerMm;
        if (!(capHeight >= 1))
            continue; // too small to read, and a font cannot be that small
        painter.setFont(FontWithCapHeight(painter.device(), capHeight));
        const QString text = QString::fromStdString(label.text);
        const QPointF baseline = toDevice.map(QPointF(label.at.x, label.at.y)) + QPointF(0, capHeight / 2);
        const double advance = QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(text);
        painter.drawText(baseline - QPointF(advance / 2, 0), text);
    }
    painter.restore();
}

} // namespace quorvane
