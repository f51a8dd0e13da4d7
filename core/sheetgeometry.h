// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <variant>

namespace quorvane {

// Plane geometry of the cutting templates, in millimetres, with y pointing up
// as on a drawing board and in CAD files; writers for y-down pages flip it.

struct Point2 {
    double x = 0;
    double y = 0;
    friend bool operator==(const Point2 &, const Point2 &) = default;
};

struct Line {
    Point2 from;
    Point2 to;
};

// A circular arc, counter-clockwise from startAngle to endAngle, in degrees
// from the +x axis; endAngle > startAngle. Kept as centre, radius and angles,
// so that every writer can emit a true arc.
struct Arc {
    Point2 centre;
    double radius = 0;
    double startAngle = 0;
    double endAngle = 0;
};

using Shape = std::variant<Line, Arc>;

struct Bounds {
    double left = 0;
    double bottom = 0;
    double right = 0;
    double top = 0;
    double width() const { return right - left; }
    double height() const { return top - bottom; }
};

Point2 Polar(Point2 centre, double radius, double degrees);
Point2 StartOf(const Arc &arc);
Point2 EndOf(const Arc &arc);
double Distance(Point2 a, Point2 b);

// The smallest box holding the shape: an arc's end points and every axis
// direction it passes.
Bounds BoundsOf(const Shape &shape);
Bounds Joined(const Bounds &a, const Bounds &b);

} // namespace quorvane
