// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern.h"

#include "numeric.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvane {

namespace {

// Sector angles must stay below a full turn for a piece to be cut flat.
constexpr double kFullTurn = 360;
// Letters of the marks: at most this tall, and never taller than the piece
// leaves room for.
constexpr double kLabelHeight = 4;
constexpr double kLineSpacing = 1.6; // baseline to baseline, in letter heights
constexpr double kLetterWidth = 0.7; // a generous average advance, in letter heights

Point2 Offset(Point2 p, double dx, double dy) {
    return {p.x + dx, p.y + dy};
}

std::string Mm(double v) {
    return FormatFixed(v, 2);
}

// The strip outside the seam edge `from`-`to`, on the side away from `inside`.
std::vector<Edge> SeamStrip(Point2 from, Point2 to, Point2 inside, double width) {
    const double length = Distance(from, to);
    double nx = -(to.y - from.y) / length;
    double ny = (to.x - from.x) / length;
    if ((inside.x - from.x) * nx + (inside.y - from.y) * ny > 0) {
        nx = -nx;
        ny = -ny;
    }
    const Point2 outFrom = Offset(from, width * nx, width * ny);
    const Point2 outTo = Offset(to, width * nx, width * ny);
    return {{Line{from, outFrom}, Stroke::Cut},
            {Line{outFrom, outTo}, Stroke::Cut},
            {Line{outTo, to}, Stroke::Cut},
            {Line{from, to}, Stroke::Fold}};
}

// An arrow pointing up at the marks' last line, "this side out": the way
// the piece faces outwards.
std::vector<Edge> ArrowUnder(const std::vector<Label> &labels) {
    const Label &last = labels.back();
    const double size = 3 * last.height;
    const Point2 tip = Offset(last.at, 0, -last.height);
    const Point2 tail = Offset(tip, 0, -size);
    return {{Line{tail, tip}, Stroke::Mark},
            {Line{tip, Offset(tip, -size / 4, -size / 4)}, Stroke::Mark},
            {Line{tip, Offset(tip, size / 4, -size / 4)}, Stroke::Mark}};
}

Bounds EdgeBounds(const std::vector<Edge> &edges) {
    Bounds b = BoundsOf(edges.front().shape);
    for (const Edge &e : edges)
        b = Joined(b, BoundsOf(e.shape));
    return b;
}

// The marks text, stacked and centred on `centre`, small enough for a box of
// `width` by `height` mm.
std::vector<Label> Stack(Point2 centre, const std::vector<std::string> &lines, double width, double room) {
    std::size_t longest = 1;
    for (const std::string &line : lines)
        longest = std::max(longest, line.size());
    const double height =
        std::min({kLabelHeight, room / (kLineSpacing * static_cast<double>(lines.size() + 2)),
                  width / (kLetterWidth * static_cast<double>(longest))});
    std::vector<Label> labels;
    const double first = (static_cast<double>(lines.size()) - 1) * kLineSpacing * height / 2;
    for (std::size_t i = 0; i < lines.size(); ++i)
        labels.push_back(
            {Offset(centre, 0, first - static_cast<double>(i) * kLineSpacing * height), height, lines[i]});
    return labels;
}

std::vector<std::string> MarkLines(const SectionPattern &p, const PatternOptions &o, int index) {
    const Section &s = p.section;
    std::vector<std::string> lines = {s.name,
                                      "piece " + std::to_string(index) + " of " + std::to_string(p.pieces)};
    if (s.isCylinder()) {
        lines.push_back("ID " + Mm(s.baseDiameter) + "  length " + Mm(s.centreLength));
        lines.push_back("sheet " + Mm(o.thickness) + "  width " + Mm(p.rectangle.width) + " / " +
                        std::to_string(p.pieces));
    } else {
        lines.push_back("base " + Mm(s.baseDiameter) + " ID  tip " + Mm(s.tipDiameter) + " ID");
        lines.push_back("centre length " + Mm(s.centreLength) + "  sheet " + Mm(o.thickness));
        if (p.pieces == 1) {
            lines.push_back("A " + Mm(p.cone.outerChord) + "  B " + Mm(p.cone.innerChord));
        } else {
            // The section's A and B span all the pieces; a piece is checked by its own chords.
            auto chord = [&](double radius, double angle) {
                return 2 * radius * std::sin(angle / p.pieces * std::numbers::pi / 360);
            };
            lines.push_back("chords " + Mm(chord(p.cone.outerRadius, p.outerAngle)) + " / " +
                            Mm(chord(p.cone.innerRadius, p.innerAngle)));
        }
        lines.push_back("C " + Mm(p.cone.innerRadius) + "  D " + Mm(p.cone.outerRadius));
    }
    lines.push_back("this side out");
    return lines;
}

// A piece of a cone: the annular sector about the apex at the origin,
// symmetric about the +y axis.
Piece ConePiece(const SectionPattern &p, const PatternOptions &o, int index) {
    const Point2 apex{};
    const double outerSpan = p.outerAngle / p.pieces;
    const double innerSpan = p.innerAngle / p.pieces;
    const double outerR = p.cone.outerRadius;
    const double innerR = p.cone.innerRadius;
    const Arc outer{apex, outerR, 90 - outerSpan / 2, 90 + outerSpan / 2};
    const Arc inner{apex, innerR, 90 - innerSpan / 2, 90 + innerSpan / 2};
    Piece piece;
    piece.edges = {
        {outer, Stroke::Cut}, {inner, Stroke::Cut}, {Line{StartOf(inner), StartOf(outer)}, Stroke::Cut}};
    const Point2 middle = Polar(apex, (outerR + innerR) / 2, 90);
    if (o.seamAllowance > 0) {
        for (Edge &e : SeamStrip(EndOf(inner), EndOf(outer), middle, o.seamAllowance))
            piece.edges.push_back(e);
    } else {
        piece.edges.push_back({Line{EndOf(inner), EndOf(outer)}, Stroke::Cut});
    }
    // A rolled generator joins the same fraction of both arcs.
    for (int k = 1; k <= o.rollLines; ++k) {
        const double f = static_cast<double>(k) / (o.rollLines + 1);
        piece.edges.push_back({Line{Polar(apex, innerR, inner.startAngle + f * innerSpan),
                                    Polar(apex, outerR, outer.startAngle + f * outerSpan)},
                               Stroke::Roll});
    }
    piece.edges.push_back({Line{Polar(apex, innerR, 90), Polar(apex, outerR, 90)}, Stroke::Centre});
    const double band = std::fabs(outerR - innerR);
    const std::vector<std::string> lines = MarkLines(p, o, index);
    const double across =
        2 * (outerR + innerR) / 2 * std::sin(std::min(innerSpan, 180.0) * std::numbers::pi / 360);
    piece.labels = Stack(middle, lines, across * 0.8, band * 0.6);
    for (Edge &e : ArrowUnder(piece.labels))
        piece.edges.push_back(e);
    piece.bounds = EdgeBounds(piece.edges);
    return piece;
}

// A piece of a cylinder: a rectangle, its width around the axis along x.
Piece CylinderPiece(const SectionPattern &p, const PatternOptions &o, int index) {
    const double w = p.rectangle.width / p.pieces;
    const double h = p.rectangle.length;
    const Point2 a{0, 0}, b{w, 0}, c{w, h}, d{0, h};
    Piece piece;
    piece.edges = {{Line{a, b}, Stroke::Cut}, {Line{b, c}, Stroke::Cut}, {Line{c, d}, Stroke::Cut}};
    const Point2 middle{w / 2, h / 2};
    if (o.seamAllowance > 0) {
        for (Edge &e : SeamStrip(d, a, middle, o.seamAllowance))
            piece.edges.push_back(e);
    } else {
        piece.edges.push_back({Line{d, a}, Stroke::Cut});
    }
    for (int k = 1; k <= o.rollLines; ++k) {
        const double x = w * k / (o.rollLines + 1);
        piece.edges.push_back({Line{{x, 0}, {x, h}}, Stroke::Roll});
    }
    piece.edges.push_back({Line{{w / 2, 0}, {w / 2, h}}, Stroke::Centre});
    piece.labels = Stack(middle, MarkLines(p, o, index), w * 0.8, h * 0.6);
    for (Edge &e : ArrowUnder(piece.labels))
        piece.edges.push_back(e);
    piece.bounds = EdgeBounds(piece.edges);
    return piece;
}

std::string PiecesNote(const SectionPattern &p) {
    return p.section.name + ": one piece of " + std::to_string(*p.piecesAsked) + " would span " +
           FormatFixed(std::max(p.outerAngle, p.innerAngle) / *p.piecesAsked, 1) +
           " degrees, so it is cut in " + std::to_string(p.pieces) + " pieces.";
}

} // namespace

const StrokeLook &LookOf(Stroke stroke) {
    // The cut is the line to follow and the boldest; the marks are thinner,
    // and blue where they are the piece's own lettering.
    static const StrokeLook kLooks[] = {
        {0.3, 0x000000, {}},            // Cut
        {0.2, 0x000000, {4, 2}},        // Fold
        {0.15, 0x606060, {}},           // Roll
        {0.15, 0x0046c8, {8, 2, 1, 2}}, // Centre
        {0.25, 0x0046c8, {}},           // Mark
    };
    return kLooks[static_cast<int>(stroke)];
}

std::vector<Section> ChamberSections(const PipeInputs &inputs, const PipeResult &r) {
    const ConeList cones = ConeListOf(r);
    // With the straight header D1 is the flange diameter: the header is a cylinder.
    const double flange = inputs.portFlangeD;
    auto cone = [](const ConeRecord &c) {
        return Section{c.name, c.baseDiameter, c.tipDiameter, c.centreLength};
    };
    return {
        {"Header L1", std::max(flange, r.D[1]), std::min(flange, r.D[1]), r.L[1]},
        cone(cones[0]),
        cone(cones[1]),
        cone(cones[2]),
        {"Belly L5", r.D[4], r.D[4], r.L[5]},
        cone(cones[3]),
        {"Tail L7", r.D[6], r.D[6], r.L[7]},
    };
}

SectionPattern BuildSectionPattern(const Section &s, const PatternOptions &o) {
    SectionPattern p;
    p.section = s;
    // Half the thickness in the plot window's formulas gives π × (d + t).
    const double allowance = o.midThickness ? o.thickness / 2 : o.thickness;
    if (s.isCylinder()) {
        p.rectangle = FlattenCylinder(s.baseDiameter, s.centreLength, allowance);
        p.outerAngle = p.innerAngle = 0;
    } else {
        p.cone = FlattenCone(s.baseDiameter, s.tipDiameter, s.centreLength, allowance);
        p.outerAngle = p.cone.outerAngle;
        p.innerAngle = p.cone.innerAngle;
    }
    p.pieces = std::clamp(o.pieces, 1, 12);
    const double widest = std::max(p.outerAngle, p.innerAngle);
    if (widest / p.pieces >= kFullTurn) {
        p.piecesAsked = p.pieces;
        p.pieces = static_cast<int>(std::floor(widest / kFullTurn)) + 1;
    }
    for (int i = 1; i <= p.pieces; ++i) {
        Piece piece = s.isCylinder() ? CylinderPiece(p, o, i) : ConePiece(p, o, i);
        piece.title = s.name + ", piece " + std::to_string(i) + " of " + std::to_string(p.pieces);
        p.pieceList.push_back(std::move(piece));
    }
    return p;
}

TemplateSet BuildTemplates(const std::vector<Section> &sections, const PatternOptions &options) {
    TemplateSet set;
    for (const Section &s : sections) {
        if (!(s.centreLength > 0)) {
            set.notes.push_back(s.name + " has no length, so it has no template.");
            continue;
        }
        set.patterns.push_back(BuildSectionPattern(s, options));
        if (set.patterns.back().piecesAsked)
            set.notes.push_back(PiecesNote(set.patterns.back()));
    }
    return set;
}

} // namespace quorvane
