// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <variant>
#include <vector>

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

// A curve sampled into straight pieces, from its first point to its last.
struct Polyline {
    std::vector<Point2> points;
};

using Shape = std::variant<Line, Arc, Polyline>;

// One step along an outline: a shape walked from its start to its end, or,
// when `reversed`, from its end back to its start (an arc then clockwise).
struct Step {
    Shape shape;
    bool reversed = false;
};

// A closed outline: each step ends where the next begins, the last where the
// first begins. A cutting machine follows it as one contour.
using Contour = std::vector<Step>;

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
Point2 StartOf(const Shape &shape);
Point2 EndOf(const Shape &shape);
// Where a step begins and ends, walked as it says.
Point2 StartOf(const Step &step);
Point2 EndOf(const Step &step);
double Distance(Point2 a, Point2 b);

// The smallest box holding the shape: an arc's end points and every axis
// direction it passes.
Bounds BoundsOf(const Shape &shape);
Bounds BoundsOf(const Contour &contour);
Bounds Joined(const Bounds &a, const Bounds &b);

} // namespace quorvane
