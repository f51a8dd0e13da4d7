// SPDX-License-Identifier: GPL-3.0-or-later
#include "chamber.h"
#include "numeric.h"
#include "pageplan.h"
#include "pattern.h"
#include "sheetlayout.h"
#include "templateoptions.h"
#include "tiling.h"

#include <QtTest>

#include <map>
#include <numbers>
#include <set>

using namespace quorvane;

namespace {

constexpr double kExact = 1e-9;
constexpr double pi = std::numbers::pi;

PipeInputs ExampleInputs(bool straight = false) {
    return {190, 10000, 500, 1.36, 300, 40, 30, 38, 1.05, 3.25, 0.6, 1.25, straight};
}

std::vector<Section> ExampleSections(bool straight = false) {
    return ChamberSections(ExampleInputs(straight), ComputeChamber(ExampleInputs(straight)));
}

PatternOptions Sheet(double thickness, double k = 0.5, bool outside = false) {
    PatternOptions o;
    o.thickness = thickness;
    o.kFactor = k;
    o.outsideDiameters = outside;
    return o;
}

template <class T> std::vector<T> Cut(const Piece &piece) {
    std::vector<T> found;
    for (const Step &s : piece.cut)
        if (std::holds_alternative<T>(s.shape))
            found.push_back(std::get<T>(s.shape));
    return found;
}

template <class T> std::vector<T> Marks(const Piece &piece, Stroke stroke) {
    std::vector<T> found;
    for (const Edge &e : piece.marks)
        if (e.stroke == stroke && std::holds_alternative<T>(e.shape))
            found.push_back(std::get<T>(e.shape));
    return found;
}

// How far the line through a and b passes from the origin, the apex.
double MissesApex(Point2 a, Point2 b) {
    return std::fabs(a.x * b.y - a.y * b.x) / Distance(a, b);
}

bool Closed(const Contour &cut) {
    for (std::size_t i = 0; i < cut.size(); ++i)
        if (Distance(EndOf(cut[i]), StartOf(cut[(i + 1) % cut.size()])) >= kExact)
            return false;
    return true;
}

struct Cone {
    double base, tip, height, thickness, k = 0.5;
    bool outside = false;
    int pieces = 1;
};

struct Pages {
    Paper paper;
    double width, height;
    bool landscape;
    int columns, rows;
};

} // namespace

Q_DECLARE_METATYPE(Cone)
Q_DECLARE_METATYPE(Pages)

class TestPattern : public QObject {
    Q_OBJECT

  private slots:
    // A frustum rolls from a true annular sector: rolled, the sheet's inside (or, for outside diameters,
    // its outside) meets each end's plane at the diameter typed. The radii here are worked out from the
    // rolled cone, not by the program's formulas: a point of the flat sector at distance rho from the apex
    // lies on the neutral cone at radius rho sin(beta) and height rho cos(beta); the inside surface is
    // K t along the normal (cos beta, -sin beta) inwards, the outside (1 - K) t outwards.
    void cones_roll_into_their_diameters_data() {
        QTest::addColumn<Cone>("cone");
        for (const double t : {1.0, 1.5})
            for (const Section &s : ExampleSections())
                if (!s.isCylinder())
                    QTest::addRow("%s at %g mm", s.name.c_str(), t)
                        << Cone{s.baseDiameter, s.tipDiameter, s.centreLength, t};
        QTest::newRow("120 80 150") << Cone{120, 80, 150, 1};
        QTest::newRow("60 40 150") << Cone{60, 40, 150, 1};
        QTest::newRow("100 1 1, almost flat") << Cone{100, 1, 1, 1};
        QTest::newRow("tip larger") << Cone{80, 120, 150, 1.5};
        QTest::newRow("K 0.3, three pieces") << Cone{120, 80, 150, 3, 0.3, false, 3};
        QTest::newRow("outside diameters") << Cone{120, 80, 150, 2, 0.4, true, 2};
        QTest::newRow("no thickness, 12 pieces") << Cone{120, 80, 150, 0, 0.5, false, 12};
    }
    void cones_roll_into_their_diameters() {
        QFETCH(Cone, cone);
        const auto [base, tip, height, thickness, k, outside, pieces] = cone;
        PatternOptions o = Sheet(thickness, k, outside);
        o.pieces = pieces;
        o.rollLines = 3;
        const SectionPattern p = BuildSectionPattern({"Cone", base, tip, height}, o);
        QCOMPARE(int(p.pieceList.size()), pieces);
        const double beta = std::atan(std::fabs(base - tip) / 2 / height);
        const double sweep = 360 * std::sin(beta);
        for (const Piece &piece : p.pieceList) {
            const std::vector<Arc> arcs = Cut<Arc>(piece);
            QCOMPARE(arcs.size(), std::size_t(2));
            for (const Arc &arc : arcs) {
                QVERIFY(Distance(arc.centre, {}) < kExact);
                QVERIFY(std::fabs((arc.endAngle - arc.startAngle) * pieces - sweep) < 1e-9);
            }
            // The larger end's arc first. Rolled, each arc closes into its end's circle in its end's plane.
            const double ends[] = {std::max(base, tip), std::min(base, tip)};
            for (int i = 0; i < 2; ++i) {
                const double rho = arcs[i].radius;
                const double r = rho * std::sin(beta), z = rho * std::cos(beta);
                const double shift =
                    outside ? -(1 - k) * thickness : k * thickness; // neutral from the surface
                const double surfaceR = r - shift * std::cos(beta), surfaceZ = z + shift * std::sin(beta);
                // Back along the surface's generator to the end's plane through the neutral circle.
                const double atPlane = surfaceR - (surfaceZ - z) * std::tan(beta);
                QVERIFY2(std::fabs(2 * atPlane - ends[i]) < 1e-9, qPrintable(QString::number(2 * atPlane)));
            }
            // Side edges and roll lines are generators: through the apex.
            for (const Line &side : Cut<Line>(piece))
                QVERIFY(MissesApex(side.from, side.to) < 1e-9);
            std::set<long long> directions; // a roll line broken around the marks is still one line
            for (const Line &roll : Marks<Line>(piece, Stroke::Roll)) {
                QVERIFY(MissesApex(roll.from, roll.to) < 1e-9);
                directions.insert(std::llround(std::atan2(roll.to.y, roll.to.x) * 1e6));
            }
            QCOMPARE(directions.size(), std::size_t(3));
        }
        QVERIFY(std::fabs(p.outerChord -
                          2 * p.development.outerRadius * std::sin(sweep / pieces * pi / 360)) < kExact);
    }

    // A cylinder rolls from a rectangle once around its neutral circle; the outline is one closed contour.
    void cylinders_and_closed_outlines() {
        const double t = 1.5;
        PatternOptions o = Sheet(t);
        o.seamAllowance = 8;
        const SectionPattern belly = BuildSectionPattern({"Belly L5", 130, 130, 97.82}, o);
        QCOMPARE(belly.development.width, 2 * pi * (65 + 0.5 * t));
        QCOMPARE(BuildSectionPattern({"Tail", 130, 130, 9}, Sheet(t, 0.3, true)).development.width,
                 2 * pi * (65 - 0.7 * t));
        for (const SectionPattern &p : {belly, BuildSectionPattern({"Cone", 120, 80, 150}, o)}) {
            QVERIFY(Closed(p.pieceList[0].cut));
            // The lap strip: its outer edge 8 mm from the fold, outside the piece.
            const std::vector<Line> folds = Marks<Line>(p.pieceList[0], Stroke::Fold);
            QCOMPARE(folds.size(), std::size_t(1));
            bool parallelAt8 = false;
            for (const Line &edge : Cut<Line>(p.pieceList[0]))
                parallelAt8 |= std::fabs(Distance(edge.from, folds[0].from) - 8) < kExact &&
                               std::fabs(Distance(edge.to, folds[0].to) - 8) < kExact;
            QVERIFY(parallelAt8);
        }
        const Bounds b = belly.pieceList[0].bounds;
        QVERIFY(std::fabs(b.width() - belly.development.width - 8) < kExact &&
                std::fabs(b.height() - 97.82) < kExact);
    }

    // A bent section's outlines close, lap strip and all; each cut edge has its three ticks (the fourth,
    // inside, is the seam); the blank's cuts run from seam edge to seam edge of the straight outline.
    void bent_outlines_close_data() {
        QTest::addColumn<Cone>("cone"); // bent 60° in its pieces
        QTest::addColumn<bool>("blank");
        for (bool blank : {false, true})
            for (const Cone &c :
                 {Cone{120, 80, 200, 1.5, 0.5, false, 4}, Cone{120, 80, 200, 1.5, 0.5, false, 3},
                  Cone{90, 90, 200, 1.5, 0.5, false, 5}})
                QTest::addRow("%g to %g in %d%s", c.base, c.tip, c.pieces, blank ? ", blank" : "")
                    << c << blank;
    }
    void bent_outlines_close() {
        QFETCH(Cone, cone);
        QFETCH(bool, blank);
        const int pieces = cone.pieces;
        PatternOptions o = Sheet(cone.thickness);
        o.seamAllowance = 6;
        o.rollLines = 5;
        o.bends["1"] = Bend{60, pieces, 0};
        o.bendLayout = blank ? BendLayout::Blank : BendLayout::Pieces;
        const Section section{"Cone", cone.base, cone.tip, cone.height};
        const SectionPattern p = BuildSectionPattern(section, o);
        const SectionPattern straight = BuildSectionPattern(section, Sheet(cone.thickness));
        QCOMPARE(int(p.pieceList.size()), blank ? 1 : pieces);
        QCOMPARE(p.jointTurn, 60.0 / (pieces - 1));
        QCOMPARE(p.cutTilt, 30.0 / (pieces - 1));
        for (const Piece &piece : p.pieceList) {
            QVERIFY(Closed(piece.cut));
            QCOMPARE(int(Marks<Line>(piece, Stroke::Fold).size()), 1);
            // Five roll lines; on a piece of its own the middle one is broken around the marks.
            QCOMPARE(int(Marks<Line>(piece, Stroke::Roll).size()), blank ? 5 : 6);
            // Ticks at the outside, top and bottom of the cut edges, and the arrow's three strokes.
            QCOMPARE(int(Marks<Line>(piece, Stroke::Mark).size()), (blank ? 3 * (pieces - 1) : 6) + 3);
            // The ticks, 4 mm on these long pieces, run along generators: on a cone through the apex.
            int ticks = 0;
            for (const Line &mark : Marks<Line>(piece, Stroke::Mark)) {
                if (std::fabs(Distance(mark.from, mark.to) - 4) > 1e-9)
                    continue;
                ++ticks;
                if (section.isCylinder())
                    QVERIFY(std::fabs(mark.from.x - mark.to.x) < kExact);
                else
                    QVERIFY(MissesApex(mark.from, mark.to) < 1e-9);
            }
            QCOMPARE(ticks, blank ? 3 * (pieces - 1) : 6);
        }
        const std::vector<Polyline> cuts = Marks<Polyline>(p.pieceList[0], Stroke::PieCut);
        QCOMPARE(int(cuts.size()), blank ? pieces - 1 : 0);
        if (blank) {
            // The blank is the straight section's outline: the same bounds bar the lap strip's side.
            QVERIFY(std::fabs(p.pieceList[0].bounds.top - straight.pieceList[0].bounds.top) < kExact);
            for (const Polyline &c : cuts) {
                // Each cut runs across the whole blank: from one seam edge to the other.
                const Point2 a = c.points.front(), b = c.points.back();
                if (section.isCylinder()) {
                    QVERIFY(std::fabs(a.x) < kExact);
                    QVERIFY(std::fabs(b.x - straight.development.width) < kExact);
                } else {
                    const double half = straight.development.sweep / 2 * pi / 180;
                    QVERIFY(std::fabs(std::atan2(a.y, a.x) - (pi / 2 - half)) < 1e-12);
                    QVERIFY(std::fabs(std::atan2(b.y, b.x) - (pi / 2 + half)) < 1e-12);
                }
            }
        }
    }

    // The centre line and the roll lines stop short of the marks, and the arrow keeps clear of the letters:
    // no line crosses a line of text where even narrow letters would stand.
    void marks_keep_clear_of_their_text() {
        PatternOptions o = Sheet(1.5);
        o.rollLines = 3; // the middle one runs where the centre line does
        for (const Section &s : ExampleSections()) {
            const Piece piece = BuildSectionPattern(s, o).pieceList[0];
            for (const Edge &e : piece.marks) {
                const Line *line = std::get_if<Line>(&e.shape);
                if (!line || (e.stroke != Stroke::Roll && e.stroke != Stroke::Centre))
                    continue;
                for (const Label &label : piece.labels) {
                    const double low = std::min(line->from.y, line->to.y),
                                 high = std::max(line->from.y, line->to.y);
                    if (label.at.y < low || label.at.y > high || line->from.y == line->to.y)
                        continue;
                    const double t = (label.at.y - line->from.y) / (line->to.y - line->from.y);
                    const double x = line->from.x + t * (line->to.x - line->from.x);
                    QVERIFY2(std::fabs(x - label.at.x) > 0.3 * label.height * double(label.text.size()),
                             qPrintable(QString("%1: %2").arg(s.name.c_str(), label.text.c_str())));
                }
            }
            const Label &first = piece.labels.front(), &last = piece.labels.back();
            const double top = first.at.y + first.height / 2, bottom = last.at.y - last.height / 2;
            const std::vector<Line> centre = Marks<Line>(piece, Stroke::Centre);
            QVERIFY(!centre.empty());
            for (const Line &line : centre)
                QVERIFY2(std::max(line.from.y, line.to.y) < bottom - last.height ||
                             std::min(line.from.y, line.to.y) > top + first.height,
                         s.name.c_str());
            for (const Line &arrow : Marks<Line>(piece, Stroke::Mark))
                QVERIFY(std::max(arrow.from.y, arrow.to.y) <= bottom - last.height + kExact);
            QCOMPARE(QString::fromStdString(last.text), "this side out");
        }
    }

    // The worked chamber's sections, and its Cone L6 at 1 mm digit for digit: R1 = r1 / sin(beta), the one
    // sweep (to every digit, as it rolls, above).
    void chamber_sections() {
        const Section l6 = ExampleSections()[5];
        const Development d = DevelopSection(l6, Sheet(1));
        QCOMPARE(QString::fromStdString(l6.name + ": " + FormatFixed(d.sweep, 2) + " " +
                                        FormatFixed(d.outerRadius, 2) + " " + FormatFixed(d.innerRadius, 2)),
                 "Cone L6: 86.76 271.84 51.93");
        QStringList names;
        for (const Section &s : ExampleSections())
            names << QString::fromStdString(s.name) + (s.isCylinder() ? " (cylinder)" : "");
        QCOMPARE(names.join(", "),
                 "Header L1, Cone L2, Cone L3, Cone L4, Belly L5 (cylinder), Cone L6, Tail L7 (cylinder)");
        const PipeResult r = ComputeChamber(ExampleInputs());
        const Section header = ExampleSections()[0];
        QCOMPARE(header.baseDiameter, r.D[1]); // 42 > flange 38: the larger end is the base
        QCOMPARE(header.tipDiameter, 38.0);
        QVERIFY(ExampleSections(true)[0].isCylinder());
        const TemplateSet set = BuildTemplates({{"Cone", 120, 80, 150}, {"Header L1", 42, 38, 0}}, Sheet(1));
        QCOMPARE(set.notes, std::vector<std::string>{"Header L1 has no length, so it has no template."});
        QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, DevelopSection({"Cone", 10, 3, 1}, Sheet(3, 0.3, true)));
    }

    // Pages: the orientation that needs fewer, every part on a page, neighbours sharing the overlap, and
    // two crosses on every shared edge, each on at least two pages.
    void tiling_data() {
        QTest::addColumn<Pages>("pages");
        // A4 drawing area 190 x 253 upright, 277 x 166 turned; Letter 195.9 x 235.4 and 259.4 x 171.9.
        QTest::newRow("A4, fits one page") << Pages{Paper::A4, 190, 253, false, 1, 1};
        QTest::newRow("A4, 400 x 300") << Pages{Paper::A4, 400, 300, true, 2, 2};
        QTest::newRow("A4, 180 x 500") << Pages{Paper::A4, 180, 500, false, 1, 3};
        QTest::newRow("Letter, 400 x 300") << Pages{Paper::Letter, 400, 300, true, 2, 2};
        QTest::newRow("Letter, 500 x 200") << Pages{Paper::Letter, 500, 200, false, 3, 1};
        QTest::newRow("plotter") << Pages{Paper::Plotter, 907, 512, true, 1, 1};
    }
    void tiling() {
        QFETCH(Pages, pages);
        const auto [paper, width, height, landscape, columns, rows] = pages;
        const Bounds pattern{-50, 20, width - 50, height + 20};
        const TilePlan plan = PlanPages(pattern, paper, kDefaultOverlap);
        QCOMPARE(plan.landscape, landscape);
        QCOMPARE(plan.columns, columns);
        QCOMPARE(plan.rows, rows);
        QCOMPARE(int(plan.tiles.size()), rows * columns);
        const Tile &last = plan.tiles.back();
        QVERIFY(plan.tiles[0].window.left == pattern.left && plan.tiles[0].window.top == pattern.top);
        QVERIFY(last.window.right >= pattern.right && last.window.bottom <= pattern.bottom);
        if (columns > 1)
            QCOMPARE(plan.tiles[0].window.right - plan.tiles[1].window.left, kDefaultOverlap);
        for (const Point2 &cross : plan.crosses) {
            int pages = 0;
            for (const Tile &t : plan.tiles)
                pages += cross.x > t.window.left && cross.x < t.window.right && cross.y > t.window.bottom &&
                         cross.y < t.window.top;
            QVERIFY(pages >= 2);
        }
        QCOMPARE(int(plan.crosses.size()), 2 * ((columns - 1) * rows + (rows - 1) * columns));
        if (paper == Paper::Plotter)
            QCOMPARE(plan.page.width, width + 2 * kPlotterMargin);
    }

    // The build sheet's pages: page 1, then per piece a map when it spans several pages, then its tiles; and
    // the one arrangement of every drawing: pieces side by side, 20 mm apart, bottoms on the x axis.
    void sheet_pages_and_layout() {
        TemplateOptions o;
        o.pattern = Sheet(1.5);
        o.pattern.pieces = 2;
        const TemplateSet set = BuildTemplates(ExampleSections(), o.pattern);
        QVERIFY(!RefusePrinting(set.patterns, o));
        const SheetPlan plan = PlanSheet(set.patterns, o);
        int next = 2;
        for (const PiecePages &p : plan.pieces) {
            QCOMPARE(p.first, next);
            QCOMPARE(p.map, p.plan.tiles.size() > 1);
            next = p.firstTile() + int(p.plan.tiles.size());
        }
        QCOMPARE(plan.pageCount, next - 1);
        QCOMPARE(plan.sections.size(), std::size_t(7));
        QCOMPARE(plan.sections.front().first, 2);
        QCOMPARE(plan.sections.back().last, plan.pageCount);
        for (std::size_t i = 1; i < plan.sections.size(); ++i)
            QCOMPARE(plan.sections[i].first, plan.sections[i - 1].last + 1);
        const SheetLayout layout = PlaceSideBySide(set.patterns);
        QCOMPARE(layout.pieces.size(), std::size_t(14));
        double x = 0, top = 0;
        for (const PlacedPiece &p : layout.pieces) {
            QCOMPARE(p.piece->bounds.left + p.dx, x);
            QCOMPARE(p.piece->bounds.bottom + p.dy, 0.0);
            x += p.piece->bounds.width() + kPieceGap;
            top = std::max(top, p.piece->bounds.height());
        }
        QCOMPARE(layout.bounds.right, x - kPieceGap);
        QCOMPARE(layout.bounds.top, top);
    }

    void printing_refused_data() {
        QTest::addColumn<QString>("cone");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<double>("overlap");
        QTest::addColumn<QString>("reason"); // empty: printed
        const auto row = [](const char *name, const char *cone, const char *paper, double overlap,
                            const char *reason) {
            QTest::newRow(name) << cone << paper << overlap << reason;
        };
        row("a third of A4", "120 80 150", "A4", 63.33, "");
        row("over a third", "120 80 150", "A4", 63.4,
            "The page overlap must be at most 63.3 mm, a third of the page's drawing width.");
        row("plotter, any overlap", "120 80 150", "plotter", 500.0, "");
        row("absurd cone", "1e300 1e300 1", "A4", 10.0,
            "Cone, piece 1 of 1 would take more than 1,000,000 pages of A4 (at most 100): choose larger "
            "paper or the plotter, or use the SVG or DXF drawing.");
        row("plotter page too large", "6000 5990 1", "plotter", 0.0, "Cone, piece 1 of 1 needs a page");
    }
    void printing_refused() {
        QFETCH(QString, cone);
        QFETCH(QString, paper);
        QFETCH(double, overlap);
        QFETCH(QString, reason);
        const QStringList n = cone.split(' ');
        TemplateOptions o;
        o.pattern = Sheet(1);
        o.paper = *PaperNamed(paper.toStdString());
        o.overlap = overlap;
        const TemplateSet set =
            BuildTemplates({{"Cone", n[0].toDouble(), n[1].toDouble(), n[2].toDouble()}}, o.pattern);
        const std::optional<PrintRefusal> refusal = RefusePrinting(set.patterns, o);
        QCOMPARE(bool(refusal), !reason.isEmpty());
        if (refusal)
            QVERIFY2(QString::fromStdString(refusal->reason).startsWith(reason), refusal->reason.c_str());
    }

    void options_read_strictly_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("field"); // -1: accepted
        QTest::newRow("defaults") << "" << -1;
        QTest::newRow("thickness empty") << "thickness=" << int(TemplateField::Thickness);
        QTest::newRow("thickness 1,5") << "thickness=1,5" << int(TemplateField::Thickness);
        QTest::newRow("thickness 1.5mm") << "thickness=1.5mm" << int(TemplateField::Thickness);
        QTest::newRow("thickness  +1.5 ") << "thickness= +1.5 " << -1;
        QTest::newRow("thickness 2e1") << "thickness=2e1" << -1;
        QTest::newRow("thickness 20.01") << "thickness=20.01" << int(TemplateField::Thickness);
        QTest::newRow("K 0.3") << "k=0.3" << -1;
        QTest::newRow("K 0.29") << "k=0.29" << int(TemplateField::KFactor);
        QTest::newRow("K 0.51") << "k=0.51" << int(TemplateField::KFactor);
        QTest::newRow("overlap negative") << "overlap=-1" << int(TemplateField::Overlap);
        QTest::newRow("overlap wide, no paper yet") << "overlap=500" << -1;
        QTest::newRow("overlap inf") << "overlap=inf" << int(TemplateField::Overlap);
        QTest::newRow("pieces 12") << "pieces=12" << -1;
        QTest::newRow("pieces 13") << "pieces=13" << int(TemplateField::Pieces);
        QTest::newRow("pieces 2.5") << "pieces=2.5" << int(TemplateField::Pieces);
        QTest::newRow("seam 51") << "seam=51" << int(TemplateField::SeamAllowance);
        QTest::newRow("roll lines 1e400") << "roll=1e400" << int(TemplateField::RollLines);
        QTest::newRow("roll lines 0x10") << "roll=0x10" << int(TemplateField::RollLines);
    }
    void options_read_strictly() {
        QFETCH(QString, change);
        QFETCH(int, field);
        TemplateTexts texts;
        texts.thickness = "1.5";
        const std::map<QString, std::string *> boxes = {
            {"thickness", &texts.thickness}, {"k", &texts.kFactor},          {"overlap", &texts.overlap},
            {"pieces", &texts.pieces},       {"seam", &texts.seamAllowance}, {"roll", &texts.rollLines}};
        if (!change.isEmpty())
            *boxes.at(change.section('=', 0, 0)) = change.section('=', 1).toStdString();
        TemplateOptions options;
        const std::optional<TemplateRefusal> refusal = ReadTemplateOptions(texts, options);
        QCOMPARE(refusal ? int(refusal->field) : -1, field);
        QVERIFY(!refusal || !refusal->reason.empty());
        if (change.contains(','))
            QVERIFY(refusal->reason.ends_with("Write the decimal point as \".\"."));
    }
};

QTEST_APPLESS_MAIN(TestPattern)
#include "tst_pattern.moc"
