// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheetgeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvane {

Point2 Polar(Point2 centre, double radius, double degrees) {
    const double radians = degrees * std::numbers::pi / 180;
    return {centre.x + radius * std::cos(radians), centre.y + radius * std::sin(radians)};
}

Point2 StartOf(const Arc &arc) {
    return Polar(arc.centre, arc.radius, arc.startAngle);
}

Point2 EndOf(const Arc &arc) {
    return Polar(arc.centre, arc.radius, arc.endAngle);
}

Point2 StartOf(const Shape &shape) {
    if (const Line *line = std::get_if<Line>(&shape))
        return line->from;
    if (const Arc *arc = std::get_if<Arc>(&shape))
        return StartOf(*arc);
    return std::get<Polyline>(shape).points.front();
}

Point2 EndOf(const Shape &shape) {
    if (const Line *line = std::get_if<Line>(&shape))
        return line->to;
    if (const Arc *arc = std::get_if<Arc>(&shape))
        return EndOf(*arc);
    return std::get<Polyline>(shape).points.back();
}

Point2 StartOf(const Step &step) {
    return step.reversed ? EndOf(step.shape) : StartOf(step.shape);
}

Point2 EndOf(const Step &step) {
    return step.reversed ? StartOf(step.shape) : EndOf(step.shape);
}

double Distance(Point2 a, Point2 b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

namespace {

Bounds Around(Point2 a, Point2 b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

Bounds WithPoint(Bounds b, Point2 p) {
    return {std::min(b.left, p.x), std::min(b.bottom, p.y), std::max(b.right, p.x), std::max(b.top, p.y)};
}

} // namespace

Bounds BoundsOf(const Shape &shape) {
    if (const Line *line = std::get_if<Line>(&shape))
        return Around(line->from, line->to);
    if (const Polyline *poly = std::get_if<Polyline>(&shape)) {
        Bounds b = Around(poly->points.front(), poly->points.front());
        for (const Point2 &p : poly->points)
            b = WithPoint(b, p);
        return b;
    }
    const Arc &arc = std::get<Arc>(shape);
    Bounds b = Around(StartOf(arc), EndOf(arc));
    // The axis directions the arc sweeps through bulge past its end points.
    for (double axis = std::ceil(arc.startAngle / 90) * 90; axis < arc.endAngle; axis += 90) {
        const int quarter = ((static_cast<int>(std::lround(axis / 90)) % 4) + 4) % 4;
        const double r = arc.radius;
        const Point2 c = arc.centre;
        const Point2 extreme[] = {{c.x + r, c.y}, {c.x, c.y + r}, {c.x - r, c.y}, {c.x, c.y - r}};
        b = WithPoint(b, extreme[quarter]);
    }
    return b;
}

Bounds Joined(const Bounds &a, const Bounds &b) {
    return {std::min(a.left, b.left), std::min(a.bottom, b.bottom), std::max(a.right, b.right),
            std::max(a.top, b.top)};
}

Bounds BoundsOf(const Contour &contour) {
    Bounds b = BoundsOf(contour.front().shape);
    for (const Step &step : contour)
        b = Joined(b, BoundsOf(step.shape));
    return b;
}

} // namespace quorvane
