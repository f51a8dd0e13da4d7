// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern.h"

#include "conelist.h"
#include "numeric.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvane {

namespace {

using std::numbers::pi;

// Letters of the marks: at most this tall, and never taller than the piece
// leaves room for.
constexpr double kLabelHeight = 4;
constexpr double kLineSpacing = 1.6;  // baseline to baseline, in letter heights
constexpr double kLetterWidth = 0.85; // a generous average advance, in letter heights
// The arrow under the marks, and the clear space around the whole block, in letter heights.
constexpr double kArrowLength = 3;
constexpr double kClearance = 1.2;

Point2 Offset(Point2 p, double dx, double dy) {
    return {p.x + dx, p.y + dy};
}

double Radians(double degrees) {
    return degrees * pi / 180;
}

std::string Mm(double v) {
    return FormatFixed(v, 2);
}

double ChordOf(double radius, double degrees) {
    return 2 * radius * std::sin(Radians(degrees) / 2);
}

// The outline's side from `from` to `to` (the seam), or, with a seam
// allowance, around a strip of that width outside it; the fold where the
// seam was is added to `marks`.
void SeamSide(Contour &cut, std::vector<Edge> &marks, Point2 from, Point2 to, Point2 inside, double width) {
    if (!(width > 0)) {
        cut.push_back({Line{from, to}});
        return;
    }
    const double length = Distance(from, to);
    double nx = -(to.y - from.y) / length;
    double ny = (to.x - from.x) / length;
    if ((inside.x - from.x) * nx + (inside.y - from.y) * ny > 0) {
        nx = -nx;
        ny = -ny;
    }
    const Point2 outFrom = Offset(from, width * nx, width * ny);
    const Point2 outTo = Offset(to, width * nx, width * ny);
    cut.push_back({Line{from, outFrom}});
    cut.push_back({Line{outFrom, outTo}});
    cut.push_back({Line{outTo, to}});
    marks.push_back({Line{from, to}, Stroke::Fold});
}

// The marks text, stacked and centred on `centre`, small enough for a box of
// `width` by `room` mm.
std::vector<Label> Stack(Point2 centre, const std::vector<std::string> &lines, double width, double room) {
    std::size_t longest = 1;
    for (const std::string &line : lines)
        longest = std::max(longest, line.size());
    const double rows = static_cast<double>(lines.size()) * kLineSpacing + kArrowLength + 2 * kClearance;
    const double height =
        std::min({kLabelHeight, room / rows, width / (kLetterWidth * static_cast<double>(longest))});
    std::vector<Label> labels;
    // The block of text and arrow is centred, so the text sits a little above the middle.
    const double first =
        ((static_cast<double>(lines.size()) - 1) * kLineSpacing + kArrowLength + kClearance) * height / 2;
    for (std::size_t i = 0; i < lines.size(); ++i)
        labels.push_back(
            {Offset(centre, 0, first - static_cast<double>(i) * kLineSpacing * height), height, lines[i]});
    return labels;
}

// From the top of the first line to the tail of the arrow, as wide as the
// longest line, with clear space around: lines stop short of it.
struct Block {
    double left = 0;
    double right = 0;
    double top = 0;
    double bottom = 0;
};

Block BlockOf(const std::vector<Label> &labels) {
    const double h = labels.front().height;
    std::size_t longest = 1;
    for (const Label &label : labels)
        longest = std::max(longest, label.text.size());
    const double half = kLetterWidth * h * static_cast<double>(longest) / 2 + kClearance * h;
    return {labels.front().at.x - half, labels.front().at.x + half,
            labels.front().at.y + h / 2 + kClearance * h,
            labels.back().at.y - h / 2 - kClearance * h - kArrowLength * h};
}

// The line, less the part of it that crosses the block (clipped as
// Liang and Barsky clip a segment to a box).
void AddBrokenAround(Line line, Stroke stroke, const Block &block, std::vector<Edge> &marks) {
    const double dx = line.to.x - line.from.x, dy = line.to.y - line.from.y;
    double enter = 0, leave = 1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {line.from.x - block.left, block.right - line.from.x, line.from.y - block.bottom,
                        block.top - line.from.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                enter = 2; // parallel to this side and outside it: never inside
        } else if (p[i] < 0) {
            enter = std::max(enter, q[i] / p[i]);
        } else {
            leave = std::min(leave, q[i] / p[i]);
        }
    }
    if (enter >= leave) {
        marks.push_back({line, stroke});
        return;
    }
    auto at = [&](double t) { return Point2{line.from.x + t * dx, line.from.y + t * dy}; };
    if (enter > 0)
        marks.push_back({Line{line.from, at(enter)}, stroke});
    if (leave < 1)
        marks.push_back({Line{at(leave), line.to}, stroke});
}

// An arrow pointing up at the marks' last line, "this side out": the way the
// piece faces outwards. It keeps clear of the letters' descenders.
void ArrowUnder(const std::vector<Label> &labels, std::vector<Edge> &marks) {
    const Label &last = labels.back();
    const double size = kArrowLength * last.height;
    const Point2 tip = Offset(last.at, 0, -last.height / 2 - kClearance * last.height);
    const Point2 tail = Offset(tip, 0, -size);
    marks.push_back({Line{tail, tip}, Stroke::Mark});
    marks.push_back({Line{tip, Offset(tip, -size / 4, -size / 4)}, Stroke::Mark});
    marks.push_back({Line{tip, Offset(tip, size / 4, -size / 4)}, Stroke::Mark});
}

std::vector<std::string> MarkLines(const SectionPattern &p, const PatternOptions &o, int index) {
    const Section &s = p.section;
    const Development &d = p.development;
    const std::string measured = o.outsideDiameters ? " OD" : " ID";
    std::vector<std::string> lines = {s.name,
                                      "piece " + std::to_string(index) + " of " + std::to_string(p.pieces)};
    const std::string sheet = "sheet " + Mm(o.thickness) + "  K " + Mm(o.kFactor);
    if (s.isCylinder()) {
        lines.push_back("diameter " + Mm(s.baseDiameter) + measured + "  length " + Mm(s.centreLength));
        lines.push_back(sheet);
        lines.push_back("width " + Mm(p.outerChord) + (p.pieces > 1 ? " of " + Mm(d.width) : std::string()));
    } else {
        lines.push_back("base " + Mm(s.baseDiameter) + measured + "  tip " + Mm(s.tipDiameter) + measured);
        lines.push_back("length " + Mm(s.centreLength) + "  " + sheet);
        lines.push_back("R1 " + Mm(d.outerRadius) + "  R2 " + Mm(d.innerRadius));
        lines.push_back("sweep " + Mm(p.pieceSweep) + " deg");
        lines.push_back("chords " + Mm(p.outerChord) + " / " + Mm(p.innerChord));
    }
    lines.push_back("this side out");
    return lines;
}

Bounds PieceBounds(const Piece &piece) {
    Bounds b = BoundsOf(piece.cut);
    for (const Edge &e : piece.marks)
        b = Joined(b, BoundsOf(e.shape));
    return b;
}

// A piece of a cone: the annular sector about the apex at the origin,
// symmetric about the +y axis, walked counter-clockwise.
Piece ConePiece(const SectionPattern &p, const PatternOptions &o, int index) {
    const Point2 apex{};
    const double half = p.pieceSweep / 2;
    const double outerR = p.development.outerRadius;
    const double innerR = p.development.innerRadius;
    const Arc outer{apex, outerR, 90 - half, 90 + half};
    const Arc inner{apex, innerR, 90 - half, 90 + half};
    const Point2 middle = Polar(apex, (outerR + innerR) / 2, 90);
    Piece piece;
    piece.cut.push_back({Line{StartOf(inner), StartOf(outer)}});
    piece.cut.push_back({outer});
    SeamSide(piece.cut, piece.marks, EndOf(outer), EndOf(inner), middle, o.seamAllowance);
    piece.cut.push_back({inner, true});
    const double across = 2 * innerR * std::sin(Radians(std::min(half, 90.0)));
    piece.labels = Stack(middle, MarkLines(p, o, index), across * 0.8, (outerR - innerR) * 0.8);
    const Block block = BlockOf(piece.labels);
    // Roll lines are generators: radial, through the apex.
    for (int k = 1; k <= o.rollLines; ++k) {
        const double angle = outer.startAngle + p.pieceSweep * k / (o.rollLines + 1);
        AddBrokenAround(Line{Polar(apex, innerR, angle), Polar(apex, outerR, angle)}, Stroke::Roll, block,
                        piece.marks);
    }
    AddBrokenAround(Line{{0, innerR}, {0, outerR}}, Stroke::Centre, block, piece.marks);
    ArrowUnder(piece.labels, piece.marks);
    piece.bounds = PieceBounds(piece);
    return piece;
}

// A piece of a cylinder: a rectangle, its width around the axis along x.
Piece CylinderPiece(const SectionPattern &p, const PatternOptions &o, int index) {
    const double w = p.outerChord;
    const double h = p.development.length;
    const Point2 a{0, 0}, b{w, 0}, c{w, h}, d{0, h};
    const Point2 middle{w / 2, h / 2};
    Piece piece;
    piece.cut.push_back({Line{a, b}});
    piece.cut.push_back({Line{b, c}});
    piece.cut.push_back({Line{c, d}});
    SeamSide(piece.cut, piece.marks, d, a, middle, o.seamAllowance);
    piece.labels = Stack(middle, MarkLines(p, o, index), w * 0.8, h * 0.8);
    const Block block = BlockOf(piece.labels);
    for (int k = 1; k <= o.rollLines; ++k) {
        const double x = w * k / (o.rollLines + 1);
        AddBrokenAround(Line{{x, 0}, {x, h}}, Stroke::Roll, block, piece.marks);
    }
    AddBrokenAround(Line{{w / 2, 0}, {w / 2, h}}, Stroke::Centre, block, piece.marks);
    ArrowUnder(piece.labels, piece.marks);
    piece.bounds = PieceBounds(piece);
    return piece;
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

Development DevelopSection(const Section &s, const PatternOptions &o) {
    Development d;
    d.length = s.centreLength;
    const double rise = std::fabs(s.baseDiameter - s.tipDiameter) / 2;
    const double beta = Checked(std::atan(rise / s.centreLength));
    d.halfAngle = beta * 180 / pi;
    d.slant = Checked(std::hypot(s.centreLength, rise));
    // An outside diameter is 2t / cos β more than the inside one in the end's plane.
    const double outsideExcess = o.outsideDiameters ? 2 * o.thickness / std::cos(beta) : 0;
    d.baseRadius = NeutralRadius(s.baseDiameter - outsideExcess, o.thickness, d.halfAngle, o.kFactor);
    d.tipRadius = NeutralRadius(s.tipDiameter - outsideExcess, o.thickness, d.halfAngle, o.kFactor);
    if (!(std::min(d.baseRadius, d.tipRadius) > 0))
        throw ArithmeticFailure(Failure::SheetTooThick);
    if (s.isCylinder()) {
        d.width = Checked(2 * pi * d.baseRadius);
        return d;
    }
    const double sinBeta = std::sin(beta);
    d.outerRadius = Checked(std::max(d.baseRadius, d.tipRadius) / sinBeta);
    d.innerRadius = d.outerRadius - d.slant;
    d.sweep = 360 * sinBeta;
    return d;
}

SectionPattern BuildSectionPattern(const Section &s, const PatternOptions &o) {
    SectionPattern p;
    p.section = s;
    p.development = DevelopSection(s, o);
    p.pieces = std::clamp(o.pieces, 1, 12);
    if (s.isCylinder()) {
        p.outerChord = p.innerChord = p.development.width / p.pieces;
    } else {
        p.pieceSweep = p.development.sweep / p.pieces;
        p.outerChord = ChordOf(p.development.outerRadius, p.pieceSweep);
        p.innerChord = ChordOf(p.development.innerRadius, p.pieceSweep);
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
    }
    return set;
}

} // namespace quorvane
