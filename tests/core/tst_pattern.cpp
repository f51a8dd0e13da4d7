// SPDX-License-Identifier: GPL-3.0-or-later
#include "chamber.h"
#include "numeric.h"
#include "pattern.h"
#include "svgpattern.h"
#include "templateoptions.h"
#include "tiling.h"

#include <QRegularExpression>
#include <QtTest>

#include <map>
#include <numbers>

using namespace quorvane;

namespace {

constexpr double kExact = 1e-9;

PipeInputs ExampleInputs(bool straight = false) {
    return {190, 10000, 500, 1.36, 300, 40, 30, 38, 1.05, 3.25, 0.6, 1.25, straight};
}

std::vector<Section> ExampleSections(bool straight = false) {
    return ChamberSections(ExampleInputs(straight), ComputeChamber(ExampleInputs(straight)));
}

template <class T> std::vector<T> Shapes(const Piece &piece, Stroke stroke) {
    std::vector<T> found;
    for (const Edge &e : piece.edges)
        if (e.stroke == stroke && std::holds_alternative<T>(e.shape))
            found.push_back(std::get<T>(e.shape));
    return found;
}

} // namespace

class TestPattern : public QObject {
    Q_OBJECT

  private slots:
    // The cut arcs are the flat cone plot's: radii C and D, and chords across their ends A and B, for the
    // chamber's cones and for typed ones, either way round. The plot's own digits are the worked examples'.
    void cone_arcs_are_the_flat_cone_plots_data() {
        QTest::addColumn<double>("base");
        QTest::addColumn<double>("tip");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("thickness");
        QTest::newRow("typed cone") << 120.0 << 80.0 << 150.0 << 1.5;
        QTest::newRow("no thickness") << 120.0 << 80.0 << 150.0 << 0.0;
        QTest::newRow("tip larger") << 80.0 << 120.0 << 150.0 << 1.5;
        for (const Section &s : ExampleSections())
            if (!s.isCylinder() && s.name != "Header L1")
                QTest::newRow(s.name.c_str()) << s.baseDiameter << s.tipDiameter << s.centreLength << 1.5;
    }
    void cone_arcs_are_the_flat_cone_plots() {
        QFETCH(double, base);
        QFETCH(double, tip);
        QFETCH(double, height);
        QFETCH(double, thickness);
        const FlatCone plot = FlattenCone(base, tip, height, thickness);
        const SectionPattern p = BuildSectionPattern({"Cone", base, tip, height}, {thickness});
        QCOMPARE(p.pieceList.size(), std::size_t(1));
        const std::vector<Arc> arcs = Shapes<Arc>(p.pieceList[0], Stroke::Cut);
        QCOMPARE(arcs.size(), std::size_t(2));
        QCOMPARE(arcs[0].radius, plot.outerRadius);
        QCOMPARE(arcs[1].radius, plot.innerRadius);
        QVERIFY(std::fabs(Distance(StartOf(arcs[0]), EndOf(arcs[0])) - plot.outerChord) < kExact);
        QVERIFY(std::fabs(Distance(StartOf(arcs[1]), EndOf(arcs[1])) - plot.innerChord) < kExact);
        // The seam edges join the arcs' ends: the outline is closed.
        const std::vector<Line> seams = Shapes<Line>(p.pieceList[0], Stroke::Cut);
        QCOMPARE(seams.size(), std::size_t(2));
        QVERIFY(Distance(seams[0].from, StartOf(arcs[1])) < kExact &&
                Distance(seams[0].to, StartOf(arcs[0])) < kExact);
        QVERIFY(Distance(seams[1].from, EndOf(arcs[1])) < kExact &&
                Distance(seams[1].to, EndOf(arcs[0])) < kExact);
    }

    // The chamber's seven sections in order; the belly and tail pipe are cylinders, and so is the header
    // when it is straight.
    void chamber_sections() {
        QStringList names, cylinders;
        for (const Section &s : ExampleSections()) {
            names << QString::fromStdString(s.name);
            if (s.isCylinder())
                cylinders << QString::fromStdString(s.name);
        }
        QCOMPARE(names.join(','), "Header L1,Cone L2,Cone L3,Cone L4,Belly L5,Cone L6,Tail L7");
        QCOMPARE(cylinders.join(','), "Belly L5,Tail L7");
        const PipeResult r = ComputeChamber(ExampleInputs());
        const Section header = ExampleSections()[0];
        QCOMPARE(header.baseDiameter, r.D[1]); // 42 > flange 38: the larger end is the base
        QCOMPARE(header.tipDiameter, 38.0);
        QCOMPARE(header.centreLength, r.L[1]);
        QVERIFY(ExampleSections(true)[0].isCylinder());
    }

    // A cylinder is a rectangle around the outside circumference, or around the mid-thickness when asked;
    // the mid-thickness rule gives cone arcs the length of pi x (d + t).
    void developed_lengths() {
        const double t = 1.5;
        const SectionPattern belly = BuildSectionPattern({"Belly L5", 130, 130, 97.82}, {t});
        QCOMPARE(belly.rectangle.width, std::numbers::pi * (130 + 2 * t));
        const Bounds b = belly.pieceList[0].bounds;
        QVERIFY(std::fabs(b.width() - belly.rectangle.width) < kExact &&
                std::fabs(b.height() - 97.82) < kExact);
        PatternOptions mid{t};
        mid.midThickness = true;
        QCOMPARE(BuildSectionPattern({"Belly L5", 130, 130, 97.82}, mid).rectangle.width,
                 std::numbers::pi * (130 + t));
        const SectionPattern cone = BuildSectionPattern({"Cone", 120, 80, 150}, mid);
        const std::vector<Arc> arcs = Shapes<Arc>(cone.pieceList[0], Stroke::Cut);
        auto length = [](const Arc &a) {
            return a.radius * (a.endAngle - a.startAngle) * std::numbers::pi / 180;
        };
        QVERIFY(std::fabs(length(arcs[0]) - std::numbers::pi * (120 + t)) < kExact);
        QVERIFY(std::fabs(length(arcs[1]) - std::numbers::pi * (80 + t)) < kExact);
    }

    // Pieces share the sector equally; a piece that would span a full turn or more raises the count to the
    // smallest that does not, and the user is told.
    void pieces_data() {
        QTest::addColumn<double>("tip");
        QTest::addColumn<double>("height");
        QTest::addColumn<double>("thickness");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("made");
        QTest::newRow("three pieces") << 80.0 << 150.0 << 1.5 << 3 << 3;
        QTest::newRow("flat cone, 431.5 degrees") << 90.0 << 1.0 << 10.0 << 1 << 2;
        QTest::newRow("flat cone in two") << 90.0 << 1.0 << 10.0 << 2 << 2;
    }
    void pieces() {
        QFETCH(double, tip);
        QFETCH(double, height);
        QFETCH(double, thickness);
        QFETCH(int, asked);
        QFETCH(int, made);
        const double base = tip == 80 ? 120 : 100;
        PatternOptions options{thickness};
        options.pieces = asked;
        const TemplateSet set = BuildTemplates({{"Cone", base, tip, height}}, options);
        const SectionPattern &p = set.patterns.at(0);
        QCOMPARE(p.pieces, made);
        QCOMPARE(int(p.pieceList.size()), made);
        QCOMPARE(p.pieceList.back().title,
                 "Cone, piece " + std::to_string(made) + " of " + std::to_string(made));
        const Arc outer = Shapes<Arc>(p.pieceList[0], Stroke::Cut)[0];
        QVERIFY(std::fabs((outer.endAngle - outer.startAngle) * made - p.outerAngle) < kExact);
        QVERIFY(outer.endAngle - outer.startAngle < 360);
        // A piece is marked with its own chords, which a flat cone's whole section would give negative.
        for (const Label &label : p.pieceList[0].labels)
            QVERIFY2(label.text.find('-') == std::string::npos, label.text.c_str());
        QCOMPARE(set.notes.size(), std::size_t(made == asked ? 0 : 1));
        if (made != asked)
            QCOMPARE(QString::fromStdString(set.notes[0]),
                     "Cone: one piece of 1 would span 431.5 degrees, so it is cut in 2 pieces.");
    }

    // A seam allowance moves the cut outward by its width and leaves a dashed fold where the seam was;
    // roll lines run from arc to arc; a section without length has no template.
    void allowance_roll_lines_and_empty_sections() {
        PatternOptions options{1.5};
        options.seamAllowance = 8;
        options.rollLines = 5;
        const TemplateSet set = BuildTemplates(
            {{"Cone", 120, 80, 150}, {"Header L1", 42, 38, 0}, {"Tail L7", 24, 24, 213.43}}, options);
        QCOMPARE(set.notes, std::vector<std::string>{"Header L1 has no length, so it has no template."});
        for (const SectionPattern &p : set.patterns) {
            const Piece &piece = p.pieceList[0];
            const std::vector<Line> folds = Shapes<Line>(piece, Stroke::Fold);
            QCOMPARE(folds.size(), std::size_t(1));
            const Line fold = folds[0];
            // The cut line parallel to the fold lies 8 mm from it, outside the piece.
            bool parallelAt8 = false;
            for (const Line &cut : Shapes<Line>(piece, Stroke::Cut))
                parallelAt8 |= std::fabs(Distance(cut.from, fold.from) - 8) < kExact &&
                               std::fabs(Distance(cut.to, fold.to) - 8) < kExact &&
                               std::fabs(Distance(cut.from, cut.to) - Distance(fold.from, fold.to)) < kExact;
            QVERIFY(parallelAt8);
            QCOMPARE(Shapes<Line>(piece, Stroke::Roll).size(), std::size_t(5));
            QVERIFY(piece.bounds.width() > (p.section.isCylinder() ? p.rectangle.width + 8 - kExact : 0));
        }
    }

    // Pages: the orientation that needs fewer, every part of the pattern on a page, neighbours sharing the
    // overlap, and each alignment cross on at least two pages.
    void tiling_data() {
        QTest::addColumn<int>("paper");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        // A4 drawing area 190 x 253 upright, 277 x 166 turned; Letter 195.9 x 235.4 and 259.4 x 171.9.
        QTest::newRow("A4, fits one page") << int(Paper::A4) << 190.0 << 253.0 << false << 1 << 1;
        QTest::newRow("A4, 400 x 300") << int(Paper::A4) << 400.0 << 300.0 << true << 2 << 2;
        QTest::newRow("A4, 180 x 500") << int(Paper::A4) << 180.0 << 500.0 << false << 1 << 3;
        QTest::newRow("Letter, 400 x 300") << int(Paper::Letter) << 400.0 << 300.0 << true << 2 << 2;
        QTest::newRow("Letter, 500 x 200") << int(Paper::Letter) << 500.0 << 200.0 << false << 3 << 1;
        QTest::newRow("plotter") << int(Paper::Plotter) << 907.0 << 512.0 << true << 1 << 1;
    }
    void tiling() {
        QFETCH(int, paper);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(bool, landscape);
        QFETCH(int, columns);
        QFETCH(int, rows);
        const Bounds pattern{-50, 20, width - 50, height + 20};
        const TilePlan plan = PlanPages(pattern, Paper(paper), kDefaultOverlap);
        QCOMPARE(plan.landscape, landscape);
        QCOMPARE(plan.columns, columns);
        QCOMPARE(plan.rows, rows);
        QCOMPARE(int(plan.tiles.size()), rows * columns);
        const Tile &last = plan.tiles.back();
        QVERIFY(plan.tiles[0].window.left == pattern.left && plan.tiles[0].window.top == pattern.top);
        QVERIFY(last.window.right >= pattern.right && last.window.bottom <= pattern.bottom);
        QCOMPARE(last.number, rows * columns);
        if (columns > 1)
            QCOMPARE(plan.tiles[0].window.right - plan.tiles[1].window.left, kDefaultOverlap);
        for (const Point2 &cross : plan.crosses) {
            int pages = 0;
            for (const Tile &t : plan.tiles)
                pages += cross.x > t.window.left && cross.x < t.window.right && cross.y > t.window.bottom &&
                         cross.y < t.window.top;
            QVERIFY(pages >= 2);
        }
        QCOMPARE(int(plan.crosses.size()), (columns - 1) * rows + (rows - 1) * columns);
        if (Paper(paper) == Paper::Plotter)
            QCOMPARE(plan.page.width, width + 2 * kPlotterMargin);
    }

    // The SVG is in millimetres and carries true arcs of radius C and D for each cone.
    void svg_has_true_arcs_in_millimetres() {
        const TemplateSet set = BuildTemplates(ExampleSections(), {1.5});
        const QString svg = QString::fromStdString(PatternSvg(set.patterns));
        QVERIFY(QRegularExpression(
                    R"(<svg [^>]*width="[0-9.]+mm" height="[0-9.]+mm" viewBox="0 0 [0-9.]+ [0-9.]+")")
                    .match(svg)
                    .hasMatch());
        QStringList radii;
        const QRegularExpression arc(R"( A ([0-9.e+-]+) \1 0 [01] 0 )");
        for (auto it = arc.globalMatch(svg); it.hasNext();)
            radii << it.next().captured(1);
        QStringList expected;
        for (const SectionPattern &p : set.patterns)
            if (!p.section.isCylinder())
                expected << QString::fromStdString(ExactNumber(p.cone.outerRadius))
                         << QString::fromStdString(ExactNumber(p.cone.innerRadius));
        QCOMPARE(radii, expected);
        QCOMPARE(svg.count("-cut\""), 7);
        QVERIFY(!svg.contains("nan") && !svg.contains("inf"));
        QCOMPARE(QString::fromStdString(ExactNumber(0.1)), "0.1");
    }

    void options_refused_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("field"); // -1: accepted
        QTest::newRow("defaults") << "" << -1;
        QTest::newRow("thickness empty") << "thickness=" << int(TemplateField::Thickness);
        QTest::newRow("thickness negative") << "thickness=-1" << int(TemplateField::Thickness);
        QTest::newRow("thickness 20") << "thickness=20" << -1;
        QTest::newRow("thickness 20.01") << "thickness=20.01" << int(TemplateField::Thickness);
        QTest::newRow("overlap negative") << "overlap=-1" << int(TemplateField::Overlap);
        QTest::newRow("overlap a third of A4") << "overlap=63.33" << -1;
        QTest::newRow("overlap over a third") << "overlap=63.4" << int(TemplateField::Overlap);
        QTest::newRow("pieces 0") << "pieces=0" << int(TemplateField::Pieces);
        QTest::newRow("pieces 12") << "pieces=12" << -1;
        QTest::newRow("pieces 13") << "pieces=13" << int(TemplateField::Pieces);
        QTest::newRow("pieces 2.5") << "pieces=2.5" << int(TemplateField::Pieces);
        QTest::newRow("seam 50") << "seam=50" << -1;
        QTest::newRow("seam 51") << "seam=51" << int(TemplateField::SeamAllowance);
        QTest::newRow("seam negative") << "seam=-0.5" << int(TemplateField::SeamAllowance);
        QTest::newRow("roll lines 1e400") << "roll=1e400" << int(TemplateField::RollLines);
    }
    void options_refused() {
        QFETCH(QString, change);
        QFETCH(int, field);
        TemplateTexts texts;
        texts.thickness = "1.5";
        const std::map<QString, std::string *> boxes = {{"thickness", &texts.thickness},
                                                        {"overlap", &texts.overlap},
                                                        {"pieces", &texts.pieces},
                                                        {"seam", &texts.seamAllowance},
                                                        {"roll", &texts.rollLines}};
        if (!change.isEmpty())
            *boxes.at(change.section('=', 0, 0)) = change.section('=', 1).toStdString();
        TemplateOptions options;
        const std::optional<TemplateRefusal> refusal = ReadTemplateOptions(texts, options);
        QCOMPARE(refusal ? int(refusal->field) : -1, field);
        QVERIFY(!refusal || !refusal->reason.empty());
    }
};

QTEST_APPLESS_MAIN(TestPattern)
#include "tst_pattern.moc"
