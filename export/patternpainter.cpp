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

// Appends `shape` to `path`, whose current point is the shape's start (or,
// `reversed`, its end).
void Append(QPainterPath &path, const Shape &shape, bool reversed) {
    if (const Line *line = std::get_if<Line>(&shape)) {
        const Point2 to = reversed ? line->from : line->to;
        path.lineTo(to.x, to.y);
        return;
    }
    if (const Polyline *poly = std::get_if<Polyline>(&shape)) {
        const std::size_t n = poly->points.size();
        for (std::size_t i = 1; i < n; ++i) {
            const Point2 p = poly->points[reversed ? n - 1 - i : i];
            path.lineTo(p.x, p.y);
        }
        return;
    }
    const Arc &arc = std::get<Arc>(shape);
    const double sweep = arc.endAngle - arc.startAngle;
    const int slices = std::max(1, static_cast<int>(std::ceil(sweep / kLargestSlice)));
    const double slice = (reversed ? -sweep : sweep) / slices;
    const double first = reversed ? arc.endAngle : arc.startAngle;
    // The control points stand on the tangents at the slice's ends, this far out.
    const double reach = arc.radius * 4.0 / 3.0 * std::tan(slice * std::numbers::pi / 720);
    auto point = [&](double degrees, double along) {
        const double a = degrees * std::numbers::pi / 180;
        return QPointF(arc.centre.x + arc.radius * std::cos(a) - along * std::sin(a),
                       arc.centre.y + arc.radius * std::sin(a) + along * std::cos(a));
    };
    for (int i = 0; i < slices; ++i) {
        const double from = first + slice * i, to = from + slice;
        path.cubicTo(point(from, reach), point(to, -reach), point(to, 0));
    }
}

QPainterPath PatternPath(const Shape &shape) {
    QPainterPath path;
    const Point2 start = StartOf(shape);
    path.moveTo(start.x, start.y);
    Append(path, shape, false);
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

QTransform ToQTransform(const PageTransform &t) {
    return QTransform(t.scale, 0, 0, -t.scale, t.to.x - t.scale * t.origin.x, t.to.y + t.scale * t.origin.y);
}

QPainterPath PathOf(const Shape &shape, const QTransform &toDevice) {
    return toDevice.map(PatternPath(shape));
}

QPainterPath PathOf(const Contour &contour, const QTransform &toDevice) {
    QPainterPath path;
    const Point2 start = StartOf(contour.front());
    path.moveTo(start.x, start.y);
    for (const Step &step : contour)
        Append(path, step.shape, step.reversed);
    path.closeSubpath();
    return toDevice.map(path);
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

void PaintPiece(QPainter &painter, const Piece &piece, const QTransform &toDevice, double thinnest,
                bool labels) {
    // Lengths scale by the square root of the determinant, whatever the turn or flip.
    const double unitsPerMm = std::sqrt(std::fabs(toDevice.determinant()));
    painter.save();
    painter.setBrush(Qt::NoBrush);
    for (const Edge &edge : piece.marks) {
        painter.setPen(PenFor(edge.stroke, unitsPerMm, thinnest));
        painter.drawPath(PathOf(edge.shape, toDevice));
    }
    painter.setPen(PenFor(Stroke::Cut, unitsPerMm, thinnest));
    painter.drawPath(PathOf(piece.cut, toDevice));
    painter.setPen(QColor::fromRgb(LookOf(Stroke::Mark).rgb));
    for (const Label &label : labels ? piece.labels : std::vector<Label>{}) {
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
