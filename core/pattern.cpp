// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern.h"

#include "conelist.h"
#include "numeric.h"
#include "pipemodel.h"

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

// The roll lines drawn before the marks were placed, broken around them.
void BreakRollLinesAround(const Block &block, std::vector<Edge> &marks) {
    std::vector<Edge> kept;
    for (Edge &e : marks) {
        if (const Line *line = std::get_if<Line>(&e.shape); line && e.stroke == Stroke::Roll)
            AddBrokenAround(*line, e.stroke, block, kept);
        else
            kept.push_back(std::move(e));
    }
    marks = std::move(kept);
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

// A bent section's pieces. PieCut numbers them from the larger end with φ
// from the outside of the bend as the larger end's first piece sees it; the
// pipe turns every second piece counting from the end the flow enters.
struct BentSection {
    PieCut cut;
    bool fromLarge = true; // the flow enters at the larger end
    double sinBeta = 0;
    // PieCut's azimuth of the outside of the bend on the straight section:
    // counted from the other end with an even number of pieces, the cuts'
    // tilts come out the other way round.
    double outside() const { return fromLarge || cut.pieces() % 2 == 1 ? 0 : pi; }
    int flowNumber(int k) const { return fromLarge ? k : cut.pieces() + 1 - k; }
    bool turned(int k) const { return flowNumber(k) % 2 == 0; }
    // The azimuth in the middle of piece k's development: the outside of the
    // bend once assembled, so that its seam (half a turn away) is inside. A
    // turned piece's middle is the straight section's inside.
    double middle(int k) const { return outside() + (turned(k) ? pi : 0); }

    // Cut c's point at azimuth φ on a development whose middle is `mid`:
    // a cone's about the apex at the origin with the middle along +y, a
    // cylinder's rectangle from x = 0.
    Point2 at(int c, double phi, double mid) const {
        if (cut.isCylinder())
            return {(phi - mid + pi) * cut.cylinderRadius(), cut.cylinderCut(c, phi * cut.cylinderRadius())};
        return Polar({}, cut.trueLength(c, phi), 90 + (phi - mid) * sinBeta * 180 / pi);
    }
    // Cut c from φ = mid − π to mid + π: an exact arc or line at a square end.
    Shape edge(int c, double mid) const {
        const bool square = c <= 0 || c >= cut.pieces();
        if (square && cut.isCylinder())
            return Line{at(c, mid - pi, mid), at(c, mid + pi, mid)};
        if (square) {
            const double half = 180 * sinBeta;
            return Arc{{}, cut.trueLength(c, 0), 90 - half, 90 + half};
        }
        std::vector<Point2> points = CutCurve(cut, c, mid - pi, mid + pi);
        // CutCurve lays the development out with φ = 0 at +x (a cone) or x = 0 (a cylinder).
        if (cut.isCylinder()) {
            for (Point2 &q : points)
                q.x -= (mid - pi) * cut.cylinderRadius();
        } else {
            const double turn = pi / 2 - mid * sinBeta;
            const double c0 = std::cos(turn), s0 = std::sin(turn);
            for (Point2 &q : points)
                q = {q.x * c0 - q.y * s0, q.x * s0 + q.y * c0};
        }
        return Polyline{std::move(points)};
    }
    // Along the generator at φ, towards the tip end: the way piece k's far edge lies from its near one.
    Point2 along(double phi, double mid) const {
        if (cut.isCylinder())
            return {0, 1};
        const double angle = pi / 2 + (phi - mid) * sinBeta;
        return {-std::cos(angle), -std::sin(angle)};
    }
    double length(int k, double phi, double mid) const {
        return Distance(at(k - 1, phi, mid), at(k, phi, mid));
    }
};

BentSection BentOf(const SectionPattern &p) {
    const Development &d = p.development;
    const Section &s = p.section;
    const double start = s.flowsFromTip ? s.tipDiameter : s.baseDiameter;
    const double other = s.flowsFromTip ? s.baseDiameter : s.tipDiameter;
    return {PieCut(std::max(d.baseRadius, d.tipRadius), std::min(d.baseRadius, d.tipRadius), s.centreLength,
                   p.bend.angle, p.bend.pieces),
            start >= other, std::sin(Radians(d.halfAngle))};
}

// Short ticks across cut c at the outside, top, inside and bottom of the
// bend, from `from` to `to` mm along the generator towards the tip end
// (negative: towards the base); a tick falling on the seam is the seam itself.
void MatchMarks(const BentSection &b, int c, double mid, double from, double to, std::vector<Edge> &marks) {
    for (int quarter = 0; quarter < 4; ++quarter) {
        double phi = b.outside() + quarter * pi / 2;
        while (phi > mid + pi)
            phi -= 2 * pi;
        while (phi < mid - pi)
            phi += 2 * pi;
        if (std::abs(std::abs(phi - mid) - pi) < 1e-9)
            continue;
        const Point2 on = b.at(c, phi, mid);
        const Point2 u = b.along(phi, mid);
        marks.push_back(
            {Line{Offset(on, from * u.x, from * u.y), Offset(on, to * u.x, to * u.y)}, Stroke::Mark});
    }
}

// The stack of marks in the room between cuts c − 1 and c about generator
// `at` of a development whose middle is `mid`.
std::vector<Label> StackBetween(const BentSection &b, int c, double mid,
                                const std::vector<std::string> &lines, double at) {
    // The letters span about ±0.9 rad around `at`: centred and sized for the room there.
    constexpr double kSpan = 0.9;
    Point2 centre{};
    double room = HUGE_VAL;
    for (double d : {-kSpan, 0.0, kSpan}) {
        const Point2 p = b.at(c - 1, at + d, mid), q = b.at(c, at + d, mid);
        centre = Offset(centre, (p.x + q.x) / 6, (p.y + q.y) / 6);
        room = std::min(room, Distance(p, q));
    }
    const double radius = b.cut.isCylinder() ? b.cut.cylinderRadius() : Distance({}, centre) * b.sinBeta;
    return Stack(centre, lines, 2 * kSpan * radius, room * 0.8);
}

std::string PieceOfText(const BentSection &b, int k) {
    return "piece " + std::to_string(b.flowNumber(k)) + " of " + std::to_string(b.cut.pieces()) +
           (b.turned(k) ? ", turn 180 deg" : "");
}

// The outline between cuts `low` and `high` of a development whose middle
// is `mid`, walked counter-clockwise, with the seam, its allowance and the
// roll lines as a straight piece has them.
Piece BentOutline(const BentSection &b, const PatternOptions &o, int low, int high, double mid) {
    Piece piece;
    const Shape near = b.edge(low, mid), far = b.edge(high, mid);
    const double lo = mid - pi, hi = mid + pi;
    const Point2 inside{(b.at(low, mid, mid).x + b.at(high, mid, mid).x) / 2,
                        (b.at(low, mid, mid).y + b.at(high, mid, mid).y) / 2};
    if (b.cut.isCylinder()) {
        piece.cut.push_back({near});
        piece.cut.push_back({Line{b.at(low, hi, mid), b.at(high, hi, mid)}});
        piece.cut.push_back({far, true});
        SeamSide(piece.cut, piece.marks, b.at(high, lo, mid), b.at(low, lo, mid), inside, o.seamAllowance);
    } else {
        piece.cut.push_back({Line{b.at(high, lo, mid), b.at(low, lo, mid)}});
        piece.cut.push_back({near});
        SeamSide(piece.cut, piece.marks, b.at(low, hi, mid), b.at(high, hi, mid), inside, o.seamAllowance);
        piece.cut.push_back({far, true});
    }
    for (int j = 1; j <= o.rollLines; ++j) {
        const double phi = lo + 2 * pi * j / (o.rollLines + 1);
        piece.marks.push_back({Line{b.at(low, phi, mid), b.at(high, phi, mid)}, Stroke::Roll});
    }
    return piece;
}

double TickLength(const BentSection &b) {
    return std::min(4.0, b.cut.shortestPiece() / 4);
}

// Piece k of the bend on its own.
Piece BentPiece(const SectionPattern &p, const BentSection &b, const PatternOptions &o, int k) {
    const double mid = b.middle(k);
    Piece piece = BentOutline(b, o, k - 1, k, mid);
    const double tick = TickLength(b);
    MatchMarks(b, k - 1, mid, 0, tick, piece.marks);
    MatchMarks(b, k, mid, 0, -tick, piece.marks);
    std::vector<std::string> lines = {p.section.name, PieceOfText(b, k), "outside of bend"};
    if (b.flowNumber(k) == 1) {
        lines.push_back("bend " + Mm(p.bend.angle) + " deg, joints " + Mm(p.jointTurn) + " deg");
        lines.push_back("sheet " + Mm(o.thickness) + "  K " + Mm(o.kFactor));
    }
    lines.push_back("this side out");
    piece.labels = StackBetween(b, k, mid, lines, mid);
    const double x = b.cut.isCylinder() ? pi * b.cut.cylinderRadius() : 0;
    const double y0 = b.at(b.cut.isCylinder() ? k - 1 : k, mid, mid).y;
    const double y1 = b.at(b.cut.isCylinder() ? k : k - 1, mid, mid).y;
    const Block block = BlockOf(piece.labels);
    AddBrokenAround(Line{{x, y0}, {x, y1}}, Stroke::Centre, block, piece.marks);
    BreakRollLinesAround(block, piece.marks);
    ArrowUnder(piece.labels, piece.marks);
    piece.bounds = PieceBounds(piece);
    piece.title = p.section.name + ", bend piece " + std::to_string(b.flowNumber(k)) + " of " +
                  std::to_string(b.cut.pieces());
    return piece;
}

// The whole straight section with the cuts drawn on it, each piece numbered.
Piece BentBlank(const SectionPattern &p, const BentSection &b, const PatternOptions &o) {
    const double mid = b.outside();
    Piece piece = BentOutline(b, o, 0, b.cut.pieces(), mid);
    const double tick = TickLength(b) / 2;
    for (int c = 1; c < b.cut.pieces(); ++c) {
        piece.marks.push_back({b.edge(c, mid), Stroke::PieCut});
        MatchMarks(b, c, mid, -tick, tick, piece.marks);
    }
    for (int k = 1; k <= b.cut.pieces(); ++k) {
        std::vector<std::string> lines;
        if (k == 1)
            lines = {p.section.name,
                     "bend " + Mm(p.bend.angle) + " deg in " + std::to_string(b.cut.pieces()) + " pieces",
                     "outside of bend"};
        lines.push_back(PieceOfText(b, k));
        if (k == 1)
            lines.push_back("this side out");
        // A turned piece is shortest in the blank's middle: its marks go a quarter round, where there is
        // room.
        std::vector<Label> labels = StackBetween(b, k, mid, lines, b.turned(k) ? mid + pi / 2 : mid);
        if (k == 1)
            ArrowUnder(labels, piece.marks);
        piece.labels.insert(piece.labels.end(), labels.begin(), labels.end());
    }
    piece.bounds = PieceBounds(piece);
    piece.title = p.section.name + ", blank of " + std::to_string(b.cut.pieces()) + " bend pieces";
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
        {0.3, 0xc80000, {}},            // PieCut: red, as bold as the outline it becomes
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
    std::vector<Section> sections = {
        {"Header L1", std::max(flange, r.D[1]), std::min(flange, r.D[1]), r.L[1]},
        cone(cones[0]),
        cone(cones[1]),
        cone(cones[2]),
        {"Belly L5", r.D[4], r.D[4], r.L[5]},
        cone(cones[3]),
        {"Tail L7", r.D[6], r.D[6], r.L[7]},
    };
    // Which end the flow enters, as the assembled pipe has it.
    const std::vector<PipeSection> flowing = InFlowOrder(sections);
    for (std::size_t i = 0; i < sections.size(); ++i)
        sections[i].flowsFromTip = !sections[i].isCylinder() &&
                                   flowing[i].startDiameter == sections[i].tipDiameter &&
                                   flowing[i].startDiameter != sections[i].baseDiameter;
    return sections;
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

namespace {

// Past this a bend's curves would take millions of chords to keep within
// 0.02 mm: no tuned pipe is a tenth of it.
constexpr double kLargestBentSection = 10000; // mm, diameter or length

// One piece around: a bend's pieces are cut from the whole section.
SectionPattern BuildBentPattern(SectionPattern p, const Bend &bend, const PatternOptions &o) {
    const Section &s = p.section;
    if (std::max({s.baseDiameter, s.tipDiameter, s.centreLength}) > kLargestBentSection)
        throw ArithmeticFailure(Failure::NumbersTooLarge);
    p.bend = bend;
    p.pieces = 1;
    p.pieceSweep = p.development.sweep;
    p.outerChord =
        p.section.isCylinder() ? p.development.width : ChordOf(p.development.outerRadius, p.pieceSweep);
    p.innerChord =
        p.section.isCylinder() ? p.development.width : ChordOf(p.development.innerRadius, p.pieceSweep);
    const BentSection b = BentOf(p);
    p.jointTurn = b.cut.jointTurn();
    p.cutTilt = b.cut.cutTilt();
    p.bendRadius = b.cut.bendRadius();
    if (o.bendLayout == BendLayout::Blank) {
        p.pieceList.push_back(BentBlank(p, b, o));
        return p;
    }
    std::vector<Piece> pieces(static_cast<std::size_t>(b.cut.pieces()));
    for (int k = 1; k <= b.cut.pieces(); ++k)
        pieces[static_cast<std::size_t>(b.flowNumber(k) - 1)] = BentPiece(p, b, o, k);
    p.pieceList = std::move(pieces);
    return p;
}

} // namespace

SectionPattern BuildSectionPattern(const Section &s, const PatternOptions &o) {
    SectionPattern p;
    p.section = s;
    p.development = DevelopSection(s, o);
    if (const auto bent = o.bends.find(BendKey(s)); bent != o.bends.end() && !bent->second.isStraight())
        return BuildBentPattern(std::move(p), bent->second, o);
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

std::string BendKey(const Section &section) {
    const std::string key = ShortName(section.name);
    return key == section.name ? "1" : key;
}

std::optional<BendRefusal> ReadBendPlan(const std::vector<Section> &sections,
                                        const std::map<std::string, BendTexts> &plan,
                                        const PatternOptions &options, std::map<std::string, Bend> &bends,
                                        std::vector<std::string> *notes) {
    std::map<std::string, Bend> read;
    for (const auto &entry : plan) {
        // Named, not bound: a lambda cannot capture a structured binding under every compiler.
        const std::string &key = entry.first;
        const BendTexts &texts = entry.second;
        const auto section = std::find_if(sections.begin(), sections.end(),
                                          [&](const Section &s) { return BendKey(s) == key; });
        if (section == sections.end()) {
            std::string names;
            for (const Section &s : sections)
                names += (names.empty() ? "" : ", ") + BendKey(s);
            return BendRefusal{key, BendField::Angle, BendFault::CannotCalculate,
                               "There is no section " + key + " to bend; the sections are " + names + "."};
        }
        if (std::max({section->baseDiameter, section->tipDiameter, section->centreLength}) >
            kLargestBentSection)
            return BendRefusal{section->name, BendField::Angle, BendFault::CannotCalculate,
                               section->name +
                                   " is too large to bend: pie cuts are drawn for sections up to " +
                                   FormatFixed(kLargestBentSection / 1000, 0) + " m."};
        std::vector<BendWarning> warnings;
        Bend bend;
        const BendTarget target{section->name, section->baseDiameter, section->tipDiameter,
                                section->centreLength};
        if (auto refusal = ReadBend(texts, target, options.thickness, bend, &warnings, options.kFactor))
            return refusal;
        if (notes)
            for (const BendWarning &w : warnings)
                notes->push_back(w.text);
        read[key] = bend;
    }
    bends = std::move(read);
    return std::nullopt;
}

TemplateSet BuildTemplates(const std::vector<Section> &sections, const PatternOptions &options) {
    TemplateSet set;
    for (const Section &s : sections) {
        if (!(s.centreLength > 0)) {
            set.notes.push_back(s.name + " has no length, so it has no template.");
            continue;
        }
        set.patterns.push_back(BuildSectionPattern(s, options));
        if (!set.patterns.back().bend.isStraight() && options.pieces > 1)
            set.notes.push_back(s.name + " is bent, so each of its pieces is cut whole around; the " +
                                std::to_string(options.pieces) +
                                " pieces around are for the straight sections.");
    }
    return set;
}

} // namespace quorvane
