// SPDX-License-Identifier: GPL-3.0-or-later
// The bent pipe checked against geometry written out here: cones and planes, not the code under test.
#include "bend.h"
#include "chamber.h"
#include "failure.h"
#include "pattern.h"
#include "pipemodel.h"
#include "stlfile.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

using namespace quorvane;

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180;

std::vector<Section> ExampleSections() {
    const PipeInputs inputs{190, 10000, 500, 1.36, 300, 40, 30, 38, 1.05, 3.25, 0.6, 1.25, false};
    return ChamberSections(inputs, ComputeChamber(inputs));
}

// The example chamber with the given bends, "L3" → {angle, pieces, direction}.
std::vector<PipeSection> BentExample(const std::map<std::string, Bend> &bends) {
    std::vector<PipeSection> sections = InFlowOrder(ExampleSections());
    for (PipeSection &s : sections)
        if (const auto found = bends.find(ShortName(s.name)); found != bends.end())
            s.bend = found->second;
    return sections;
}

// The section of a list by its short name, "L3".
template <class List> auto Named(const List &list, const std::string &key) {
    return std::find_if(list.begin(), list.end(), [&](const auto &s) { return ShortName(s.name) == key; });
}

// A section bent in one plane: start and end diameters, length, angle, pieces, direction, sheet thickness.
struct Bent {
    double start, end, length, angle;
    int pieces;
    double direction = 0, thickness = 1;
};

// Where a point of the world lies in the coordinates a placement maps from.
Vec3 Inverse(const Placement &p, Vec3 world) {
    const Vec3 d = world - p.origin;
    return {Dot(d, p.axes[0]), Dot(d, p.axes[1]), Dot(d, p.axes[2])};
}

double AngleBetween(Vec3 a, Vec3 b) {
    return std::atan2(Length(Cross(a, b)), Dot(a, b)) / kDeg;
}

// Frustum shell volume between the inside and the outside a whole thickness out, square to the surface.
double ShellVolume(const std::vector<PipeSection> &sections, double t) {
    double volume = 0;
    for (const PipeSection &s : sections) {
        const double a = s.startDiameter / 2, b = s.endDiameter / 2, h = s.centreLength;
        const double out = t * std::sqrt(1 + std::pow((b - a) / h, 2));
        auto frustum = [h](double r1, double r2) { return kPi / 3 * h * (r1 * r1 + r1 * r2 + r2 * r2); };
        volume += frustum(a + out, b + out) - frustum(a, b);
    }
    return volume;
}

} // namespace

Q_DECLARE_METATYPE(Bent)

class TestPipeModel : public QObject {
    Q_OBJECT

  private slots:
    // Each bent section's pieces as the templates develop them are the pieces the assembled pipe is made of:
    // along the middle of a piece (where it meets the outside of the bend once assembled) and along its seam
    // (the inside), the development is as long as the model's piece there, and the pieces the model turns are
    // the ones marked to turn.
    void template_pieces_are_the_assembled_pieces_data() {
        QTest::addColumn<QString>("plan"); // section:angle:pieces
        // Diffuser cones enter at their small end: odd and even piece counts.
        QTest::newRow("header L1 in 2") << "L1:20:2";
        QTest::newRow("header L1 in 3") << "L1:20:3";
        QTest::newRow("L2 in 2") << "L2:30:2";
        QTest::newRow("L3 in 4") << "L3:90:4";
        QTest::newRow("L3 in 3") << "L3:60:3";
        QTest::newRow("L4 in 5") << "L4:45:5";
        QTest::newRow("baffle L6 in 4") << "L6:40:4";
        QTest::newRow("belly L5 in 6") << "L5:90:6";
        QTest::newRow("tail L7 in 3") << "L7:30:3";
    }
    void template_pieces_are_the_assembled_pieces() {
        QFETCH(QString, plan);
        const std::string key = plan.section(':', 0, 0).toStdString();
        const Bend bend{plan.section(':', 1, 1).toDouble(), plan.section(':', 2, 2).toInt(), 0};
        const int pieces = bend.pieces;
        PatternOptions options;
        options.thickness = 1;
        options.bends[key] = bend;
        const std::vector<Section> sections = ExampleSections();
        const std::vector<PipeSection> flowing = BentExample({{key, bend}});
        const auto found = Named(sections, key);
        const auto inFlow = Named(flowing, key);
        QVERIFY(found != sections.end() && inFlow != flowing.end());
        const SectionPattern pattern = BuildSectionPattern(*found, options);
        QCOMPARE(int(pattern.pieceList.size()), pieces);
        const SectionModel model(*inFlow, {1.0}, PipeFrame{});
        const double middleX = found->isCylinder() ? pattern.development.width / 2 : 0;
        for (int f = 1; f <= pieces; ++f) {
            const Piece &piece = pattern.pieceList[std::size_t(f - 1)];
            // Where the outline crosses the middle generator: its two ends.
            std::vector<double> ends;
            for (const Step &step : piece.cut) {
                if (const Polyline *poly = std::get_if<Polyline>(&step.shape)) {
                    for (const Point2 &p : poly->points)
                        if (std::fabs(p.x - middleX) < 1e-9)
                            ends.push_back(p.y);
                } else if (const Arc *arc = std::get_if<Arc>(&step.shape)) {
                    ends.push_back(arc->centre.y + arc->radius);
                } else if (const Line *line = std::get_if<Line>(&step.shape);
                           line && std::fabs(line->from.y - line->to.y) < 1e-12) {
                    ends.push_back(line->from.y); // a cylinder's square end
                }
            }
            std::sort(ends.begin(), ends.end());
            ends.erase(std::unique(ends.begin(), ends.end(),
                                   [](double a, double b) { return std::fabs(a - b) < 1e-9; }),
                       ends.end());
            QCOMPARE(int(ends.size()), 2);
            const double outside = f % 2 == 1 ? 0 : kPi, inside = outside + kPi;
            auto along = [&](double phi) {
                return Length(model.onCut(f, Surface::Neutral, phi) -
                              model.onCut(f - 1, Surface::Neutral, phi));
            };
            QVERIFY2(
                std::fabs(ends[1] - ends[0] - along(outside)) < 1e-6,
                qPrintable(
                    QString("piece %1: %2 against %3").arg(f).arg(ends[1] - ends[0]).arg(along(outside))));
            // The side edge: the seam, the first straight step across the cuts.
            double side = -1;
            for (const Step &step : piece.cut)
                if (const Line *line = std::get_if<Line>(&step.shape);
                    line && side < 0 && std::fabs(line->from.y - line->to.y) > 1e-9)
                    side = Distance(line->from, line->to);
            QVERIFY(std::fabs(side - along(inside)) < 1e-6);
            // And once assembled the middle is at the outside of the bend, the seam at its inside:
            // seen in the pipe's own frame along the piece, x points to the outside.
            for (int c : {f - 1, f}) {
                QVERIFY(Inverse(model.frame(f), model.worldOnPiece(f, c, Surface::Neutral, outside)).x > 0);
                QVERIFY(Inverse(model.frame(f), model.worldOnPiece(f, c, Surface::Neutral, inside)).x < 0);
            }
            bool turnSaid = false;
            for (const Label &label : piece.labels)
                turnSaid = turnSaid || label.text.find("turn 180") != std::string::npos;
            QCOMPARE(turnSaid, f % 2 == 0);
        }
    }

    // A cone 60 → 40 over 150 mm in 1 mm sheet, bent 90° in four pieces: figures worked out by hand.
    void pie_cut_figures_of_a_typed_cone() {
        const double beta = std::atan(10.0 / 150);
        const double r1 = 30 + 0.5 / std::cos(beta), r2 = 20 + 0.5 / std::cos(beta);
        QCOMPARE(NeutralRadius(60, 1, beta / kDeg), r1);
        QVERIFY(std::abs(HalfAngleDegrees(60, 40, 150) - 3.8140748342903543) < 1e-12);
        const PieCut cut(r1, r2, 150, 90, 4);
        QCOMPARE(cut.joints(), 3);
        QCOMPARE(cut.jointTurn(), 30.0);
        QCOMPARE(cut.cutTilt(), 15.0);
        QVERIFY(std::abs(cut.bendRadius() - 93.30127018922193) < 1e-9); // 150 / (6 tan 15°)
        QVERIFY(std::abs(cut.apexDistance() - r1 * 15) < 1e-9);
        for (int k = 1; k <= 3; ++k)
            QVERIFY(std::abs(cut.cutOnAxis(k) - 50.0 * k + 25) < 1e-12); // 25, 75, 125
        QCOMPARE(cut.tiltSign(1), 1);
        QCOMPARE(cut.tiltSign(2), -1);
    }

    // The pieces of a bent section, every second one turned, meet on one plane in the same ellipse on the
    // cone, turn Θ/J at every joint and keep the centreline's length.
    void bent_sections_meet_turn_and_keep_their_length_data() {
        QTest::addColumn<Bent>("bent");
        QTest::newRow("cone 60 40 150, 90° in 4") << Bent{60, 40, 150, 90, 4};
        QTest::newRow("cone widening, 45° in 3, sideways") << Bent{40, 60, 150, 45, 3, 90};
        QTest::newRow("steep cone, 120° in 24") << Bent{120, 30, 400, 120, 24, 200, 1.5};
        QTest::newRow("cylinder, 180° in 7") << Bent{50, 50, 300, 180, 7, 315};
        QTest::newRow("cylinder, 60° in 2") << Bent{30, 30, 100, 60, 2, 0, 2};
        QTest::newRow("thin cone, 10° in 5") << Bent{80, 79, 200, 10, 5, 30, 0};
    }
    void bent_sections_meet_turn_and_keep_their_length() {
        QFETCH(Bent, bent);
        const auto [start, end, length, angle, pieces, direction, thickness] = bent;
        const int joints = pieces - 1;
        const double slope = (end - start) / (2 * length);
        const double out = 0.5 * thickness * std::sqrt(1 + slope * slope); // K·t / cos β
        // The neutral frustum's radius at z along the axis.
        const double startRadius = start / 2 + out, endRadius = end / 2 + out;
        const auto radiusAt = [&](double z) { return startRadius + (endRadius - startRadius) * z / length; };
        const double tanAlpha = std::tan(angle / (2 * joints) * kDeg);

        const PipeSection section{"Cone", start, end, length, {angle, pieces, direction}};
        const AssembledPipe pipe = AssemblePipe({section}, {thickness});
        const SectionModel &model = pipe.sections.front();
        QCOMPARE(model.pieces(), pieces);

        for (int k = 1; k < pieces; ++k) {
            // The plane of cut k and which side of it each piece keeps, in section coordinates.
            const double zk = length * (2 * k - 1) / (2 * joints), sigma = k % 2 ? 1 : -1;
            auto planeOffset = [&](Vec3 p) { return p.z - zk - sigma * tanAlpha * p.x; };
            for (double phi = 0; phi < 2 * kPi; phi += 0.05) {
                // A point of piece k's end, where does it sit on piece k + 1?
                const Vec3 world = model.worldOnPiece(k, k, Surface::Neutral, phi);
                const Vec3 there = Inverse(model.piece(k + 1), world);
                QVERIFY2(std::abs(planeOffset(there)) < 1e-9, "off the cut plane");
                QVERIFY2(std::abs(std::hypot(there.x, there.y) - radiusAt(there.z)) < 1e-9, "off the cone");
            }
            // Piece k + 1 lies beyond the joint, on the far side of piece k's end.
            const Vec3 farEnd =
                Inverse(model.piece(k), model.piece(k + 1).apply({0, 0, length * k / joints}));
            QVERIFY(planeOffset(farEnd) > 0);
            QVERIFY(std::abs(AngleBetween(model.piece(k).axes[2], model.piece(k + 1).axes[2]) -
                             angle / joints) < 1e-9);
        }
        // The legs of the centreline polygon, through where the axes meet, add up to L.
        QCOMPARE(pipe.centreline.size(), std::size_t(pieces + 1));
        QVERIFY(std::abs(pipe.centrelineLength() - length) < 1e-6);
        // A bend in one plane turns through the whole angle, towards its direction.
        const Vec3 towards{0, -std::sin(direction * kDeg), std::cos(direction * kDeg)};
        const Vec3 expectedExit = std::cos(angle * kDeg) * Vec3{1, 0, 0} + std::sin(angle * kDeg) * towards;
        QVERIFY(Length(pipe.exit.direction - expectedExit) < 1e-9);
        // Its up is the start's up turned with the bend, without twist.
        const Vec3 axis = Cross({1, 0, 0}, towards);
        const Vec3 up{0, 0, 1};
        const double c = std::cos(angle * kDeg), s = std::sin(angle * kDeg);
        const Vec3 turnedUp = c * up + s * Cross(axis, up) + (1 - c) * Dot(axis, up) * axis;
        QVERIFY(Length(pipe.exit.up - turnedUp) < 1e-9);
    }

    // Up carried through one bend decides where the next one turns: up 90°, then "up" again, runs back.
    void the_up_of_a_bend_is_carried_along_the_pipe() {
        const AssembledPipe pipe =
            AssemblePipe(BentExample({{"L2", {90, 6, 0}}, {"L3", {90, 6, 0}}, {"L5", {90, 4, 90}}}), {1});
        // L2 up, L3 back over itself and L4 on, L5 to the right of a pipe now upside down: -y.
        const std::map<std::string, Vec3> exits = {
            {"L2", {0, 0, 1}}, {"L3", {-1, 0, 0}}, {"L4", {-1, 0, 0}}, {"L5", {0, -1, 0}}};
        std::size_t seen = 0;
        for (const SectionModel &m : pipe.sections)
            if (const auto exit = exits.find(ShortName(m.section().name)); exit != exits.end() && ++seen)
                QVERIFY2(Length(m.exit().direction - exit->second) < 1e-9, exit->first.c_str());
        QCOMPARE(seen, exits.size());
        QVERIFY(Length(pipe.exit.up - Vec3{0, 0, -1}) < 1e-9);
    }

    // Straight, the envelope is the chamber's length by its widest outside diameter, the exit on the axis.
    void a_straight_chamber_is_as_long_as_its_sections() {
        const std::vector<PipeSection> sections = InFlowOrder(ExampleSections());
        QCOMPARE(sections.front().startDiameter, 38.0); // the port flange
        for (std::size_t i = 1; i < sections.size(); ++i)
            QCOMPARE(sections[i].startDiameter, sections[i - 1].endDiameter);
        double total = 0, widest = 0;
        for (const PipeSection &s : sections) {
            total += s.centreLength;
            const double out =
                1.5 * std::sqrt(1 + std::pow((s.endDiameter - s.startDiameter) / (2 * s.centreLength), 2));
            widest = std::max({widest, s.startDiameter + 2 * out, s.endDiameter + 2 * out});
        }
        const AssembledPipe pipe = AssemblePipe(sections, {1.5});
        QVERIFY(std::abs(pipe.envelope.size().x - total) < 1e-9);
        QVERIFY(std::abs(pipe.envelope.size().y - widest) < 1e-3);
        QVERIFY(std::abs(pipe.envelope.size().z - widest) < 1e-9);
        QVERIFY(Length(pipe.exit.position - Vec3{total, 0, 0}) < 1e-9);
    }

    // On a cone the axes of two pieces meet off their cut, towards the larger end, by h·tan²β / (cos²α −
    // sin²α·tan²β), h the cut's distance from the apex on the axis: worked out in the plane through the axis,
    // where the half turn about the cut's normal through the ellipse's centre meets the axis.
    void cone_pieces_meet_off_their_cut() {
        for (const bool widening : {true, false}) {
            const double small = 103.178, large = 130, length = 81.813, t = 1;
            const PipeSection s{
                "Cone", widening ? small : large, widening ? large : small, length, {60, 6, 0}};
            const AssembledPipe pipe = AssemblePipe({s}, {t});
            const SectionModel &model = pipe.sections.front();
            const double tanB = (large - small) / (2 * length), tanA = std::tan(6 * kDeg);
            const double cos2A = 1 / (1 + tanA * tanA), sin2A = 1 - cos2A;
            const double z1 = length / 10;
            const double r = (widening ? small : large) / 2 + 0.5 * t * std::sqrt(1 + tanB * tanB) +
                             (widening ? tanB : -tanB) * z1;
            const double offset = r / tanB * tanB * tanB / (cos2A - sin2A * tanB * tanB);
            const Vec3 knee = Inverse(model.start(), model.knees().front());
            QVERIFY(std::abs(knee.x) < 1e-9 && std::abs(knee.y) < 1e-9);
            QVERIFY2(std::abs(knee.z - (z1 + (widening ? offset : -offset))) < 1e-9,
                     qPrintable(QString::number(knee.z)));
        }
    }

    // A 200 mm tube bent 90° up in three pieces: legs of 50, 100 and 50 mm turning 45° at each knee.
    void figures_of_a_bent_tube() {
        const AssembledPipe pipe = AssemblePipe({{"Tube", 40, 40, 200, {90, 3, 0}}}, {1});
        const double reach = 50 + 100 * std::sqrt(0.5);
        QVERIFY(Length(pipe.exit.position - Vec3{reach, 0, reach}) < 1e-9);
        // The outside, 21 mm about the centreline, from the square port face at x = 0 to 21 mm past the exit,
        // and from 21 mm below the port up to the square exit face; the knees' ellipses reach no further.
        const QString expected =
            QString("Envelope: %1 mm long, 42.00 mm wide, %1 mm high\n"
                    "Exit from the port: %2 mm forward, 0.00 mm left, %2 mm up\n"
                    "Exit points 90.00° above level, straight on\nCentreline: 200.000 mm\n")
                .arg(reach + 21, 0, 'f', 2)
                .arg(reach, 0, 'f', 2);
        QCOMPARE(QString::fromStdString(PipeFigures(pipe)), expected);
        const AssembledPipe down = AssemblePipe({{"Tube", 40, 40, 200, {90, 3, 225}}}, {1});
        QVERIFY(
            QString::fromStdString(PipeFigures(down))
                .contains(QString("%1 mm forward, %2 mm left, %2 mm down\nExit points 45.00° below level, "
                                  "90.00° to the left")
                              .arg(reach, 0, 'f', 2)
                              .arg(reach * std::sqrt(0.5), 0, 'f', 2)));
    }

    // Every bend plan the tests try keeps the tuned length (each joint's turn is checked section by section,
    // above), as long as the half piece at a cone's larger end is longer than its knee's offset (above): the
    // polygon would double back there.
    void centreline_keeps_the_tuned_length_data() {
        QTest::addColumn<QString>("plan");
        QTest::newRow("two bends, two planes") << "L3:60:4:0 L6:45:3:90";
        QTest::newRow("every section")
            << "L1:30:3:0 L2:40:4:90 L3:50:5:180 L4:60:3:270 L5:90:8:45 L6:30:3:135 L7:20:2:10";
        QTest::newRow("most pieces") << "L5:170:24:300";
        QTest::newRow("straight") << "";
    }
    void centreline_keeps_the_tuned_length() {
        QFETCH(QString, plan);
        std::map<std::string, Bend> bends;
        for (const QString &entry : plan.split(' ', Qt::SkipEmptyParts)) {
            const QStringList f = entry.split(':');
            bends[f[0].toStdString()] = {f[1].toDouble(), f[2].toInt(), f[3].toDouble()};
        }
        const std::vector<PipeSection> sections = BentExample(bends);
        double total = 0;
        for (const PipeSection &s : sections)
            total += s.centreLength;
        const AssembledPipe pipe = AssemblePipe(sections, {1});
        QVERIFY(std::abs(pipe.centrelineLength() - total) < 1e-3);
    }

    // The curves a template is cut along keep within 0.02 mm of the exact cut written out here.
    void cut_curves_keep_within_two_hundredths_data() {
        QTest::addColumn<Bent>("bent"); // from the base, in 1 mm sheet
        QTest::newRow("cone 60 40 150, 90° in 4") << Bent{60, 40, 150, 90, 4};
        QTest::newRow("cone 120 80 150, 60° in 2") << Bent{120, 80, 150, 60, 2};
        QTest::newRow("belly-like cylinder, 90° in 5") << Bent{140, 140, 300, 90, 5};
        QTest::newRow("small cylinder, 120° in 3") << Bent{25, 25, 200, 120, 3};
    }
    void cut_curves_keep_within_two_hundredths() {
        QFETCH(Bent, bent);
        const auto [base, tip, length, angle, pieces, direction, thickness] = bent;
        const double r1 = base / 2 + 0.5 * thickness / std::cos(std::atan((base - tip) / (2 * length)));
        const double r2 = r1 - (base - tip) / 2;
        const PieCut cut(r1, r2, length, angle, pieces);
        const double tanA = std::tan(angle / (2 * (pieces - 1)) * kDeg);
        const double tanB = (r1 - r2) / length, cosB = std::cos(std::atan(tanB)),
                     sinB = std::sin(std::atan(tanB));
        for (int k = 1; k < pieces; ++k) {
            const double zk = length * (2 * k - 1) / (2 * (pieces - 1)), sigma = k % 2 ? 1 : -1;
            // ρ_k(φ), or the cylinder's y(x), and how far a point lies from that curve at most.
            auto rho = [&](double phi) {
                return (r1 / tanB - zk) / (cosB * (1 + sigma * tanA * tanB * std::cos(phi)));
            };
            auto gap = [&](double x, double y) {
                if (tanB == 0)
                    return std::abs(y - (zk + sigma * tanA * r1 * std::cos(x / r1)));
                const double phi = std::atan2(y, x) / sinB;
                return std::abs(std::hypot(x, y) - rho(phi)); // along the ray: no nearer than the curve
            };
            const std::vector<Point2> line = CutCurve(cut, k, 0, 2 * kPi);
            QVERIFY(line.size() >= 16);
            // Every point on the exact curve to the last digits, between them at most 0.02 mm off.
            double worst = 0, vertex = 0;
            for (const Point2 &p : line)
                vertex = std::max(vertex, gap(p.x, p.y));
            QVERIFY2(vertex < 1e-9, qPrintable(QStringLiteral("%1 mm").arg(vertex)));
            for (std::size_t i = 1; i < line.size(); ++i)
                for (int s = 0; s <= 200; ++s) {
                    const double f = s / 200.0;
                    worst = std::max(worst, gap(line[i - 1].x + f * (line[i].x - line[i - 1].x),
                                                line[i - 1].y + f * (line[i].y - line[i - 1].y)));
                }
            QVERIFY2(worst <= 0.02, qPrintable(QStringLiteral("%1 mm").arg(worst)));
            // The last point at the end of the span.
            if (cut.isCylinder())
                QVERIFY(std::abs(line.back().x - 2 * kPi * r1) < 1e-9);
            else
                QVERIFY(std::abs(std::atan2(line.back().y, line.back().x) - 2 * kPi * sinB) < 1e-9);
            qInfo("%s cut %d: %zu points, %.4f mm at most from the curve", QTest::currentDataTag(), k,
                  line.size(), worst);
        }
    }

    // The example chamber bent in two planes is one closed solid with its faces outward, of the volume of its
    // sections' sheet, as an STL checker of its own reads it.
    void stl_of_a_bent_chamber_is_one_closed_solid() {
        const double t = 1.5;
        const std::vector<PipeSection> sections = BentExample({{"L3", {90, 5, 0}}, {"L6", {60, 4, 90}}});
        const Mesh mesh = PipeMesh(AssemblePipe(sections, {t}));
        QVERIFY(!StlRefusal(mesh));
        const std::string bytes = StlBytes(mesh);
        QCOMPARE(bytes.size(), StlSize(mesh.triangles.size()));
        QVERIFY(bytes.compare(0, 5, "solid") != 0);
        QTemporaryDir dir;
        QFile file(dir.filePath("pipe.stl"));
        QVERIFY(file.open(QIODevice::WriteOnly) &&
                file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size()));
        file.close();
        QProcess admesh;
        admesh.start("admesh", {file.fileName()});
        QVERIFY(admesh.waitForFinished(60000));
        const QString report = QString::fromUtf8(admesh.readAllStandardOutput());
        // Corners welded where their floats are equal, every edge joins two facets, each way round once: no
        // edge or facet to mend, no facet to turn, inside or out.
        for (const QString &line : QStringList{
                 QString("Number of facets\\s*:\\s*%1\\s+%1\\b").arg(mesh.triangles.size()),
                 "Total disconnected facets\\s*:\\s*0\\s+0\\b", "Number of parts\\s*:\\s*1\\b",
                 "Degenerate facets\\s*:\\s*0\\b", "Edges fixed\\s*:\\s*0\\b", "Facets removed\\s*:\\s*0\\b",
                 "Facets added\\s*:\\s*0\\b", "Facets reversed\\s*:\\s*0\\b", "Backwards edges\\s*:\\s*0\\b",
                 "Normals fixed\\s*:\\s*0\\b"})
            QVERIFY2(report.contains(QRegularExpression(line)), qPrintable(line + "\n" + report));
        // A nan corner would make the volume nan, and fail here too.
        const double volume =
            QRegularExpression("Volume\\s*:\\s*(\\S+)").match(report).captured(1).toDouble();
        const double expected = ShellVolume(sections, t);
        QVERIFY2(std::abs(volume / expected - 1) < 0.005,
                 qPrintable(QStringLiteral("%1 of %2 mm³").arg(volume).arg(expected)));
        qInfo("%zu facets, volume %.1f mm³, shell %.1f mm³ (%.4f %%)", mesh.triangles.size(), volume,
              expected, 100 * (volume / expected - 1));
    }

    // An STL past 50 MB is refused with its size, one facet short is not.
    void an_stl_over_fifty_megabytes_is_refused() {
        Mesh mesh;
        mesh.triangles.resize(999'998);
        QVERIFY(!StlRefusal(mesh));
        mesh.triangles.resize(999'999);
        const auto refusal = StlRefusal(mesh);
        QVERIFY(refusal && refusal->find("50.0 MB") != std::string::npos);
    }

    void bend_plans_are_read_strictly_data() {
        QTest::addColumn<QString>("angle");
        QTest::addColumn<QString>("pieces");
        QTest::addColumn<QString>("direction");
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("fault"); // -1: accepted
        QTest::addColumn<QString>("reason");
        auto row = [](const char *tag, const char *a, const char *p, const char *d, BendField f, int fault,
                      const char *why) { QTest::newRow(tag) << a << p << d << int(f) << fault << why; };
        const auto A = BendField::Angle, P = BendField::Pieces, D = BendField::Direction;
        row("straight", "0", "4", "0", A, -1, "");
        row("plain bend", " 90 ", "4", "359.5", A, -1, "");
        row("full circle direction", "30", "2", "360", A, -1, "");
        row("comma", "1,5", "4", "0", A, int(BendFault::NotANumber), "bend angle of Cone L3 is not a number");
        row("words", "abc", "4", "0", A, int(BendFault::NotANumber), "not a number");
        row("nan", "nan", "4", "0", A, int(BendFault::NotANumber), "not a number");
        row("empty", "", "4", "0", A, int(BendFault::NotANumber), "not a number");
        row("negative", "-10", "4", "0", A, int(BendFault::Negative), "is negative");
        row("full turn", "360", "24", "0", A, int(BendFault::FullTurn), "full turn");
        row("one piece", "30", "1", "0", P, int(BendFault::PiecesOutOfRange), "from 2 to 24");
        row("fractional pieces", "30", "3.5", "0", P, int(BendFault::PiecesOutOfRange), "whole number");
        row("25 pieces", "30", "25", "0", P, int(BendFault::PiecesOutOfRange), "from 2 to 24");
        row("direction words", "30", "4", "up", D, int(BendFault::NotANumber),
            "bend direction of Cone L3 is not");
        row("direction negative", "30", "4", "-1", D, int(BendFault::DirectionOutOfRange), "from 0 to 360");
        row("direction past a turn", "30", "4", "361", D, int(BendFault::DirectionOutOfRange),
            "from 0 to 360");
        row("61° a joint", "61", "2", "0", A, int(BendFault::JointTurnTooLarge), "61.0° at each joint");
        row("60° a joint", "120", "3", "0", A, -1, "");
        row("slightest bend", "1e-320", "4", "0", A, -1, "");
        row("pieces too short", "10", "24", "0", P, int(BendFault::TooManyPieces), "end pieces would be");
        row("cuts cross", "200", "6", "0", A, int(BendFault::CutsCross), "the cuts would cross");
    }
    void bend_plans_are_read_strictly() {
        QFETCH(QString, angle);
        QFETCH(QString, pieces);
        QFETCH(QString, direction);
        QFETCH(int, field);
        QFETCH(int, fault);
        QFETCH(QString, reason);
        // A cone like the example's L3: 51.4 → 62.4 mm over 120 mm, in 1 mm sheet.
        const BendTarget target{"Cone L3", 51.4, 62.4, 120};
        Bend bend{1, 2, 3};
        const auto refusal =
            ReadBend({angle.toStdString(), pieces.toStdString(), direction.toStdString()}, target, 1, bend);
        if (fault < 0) {
            QVERIFY2(!refusal, refusal ? refusal->reason.c_str() : "");
            QCOMPARE(bend.angle, angle.trimmed().toDouble());
            QCOMPARE(bend.pieces, pieces.toInt());
            QCOMPARE(bend.direction, std::fmod(direction.toDouble(), 360));
            return;
        }
        QVERIFY(refusal);
        QCOMPARE(int(refusal->field), field);
        QCOMPARE(int(refusal->fault), fault);
        QCOMPARE(refusal->section, std::string("Cone L3"));
        QVERIFY2(QString::fromStdString(refusal->reason).contains(reason), refusal->reason.c_str());
        QCOMPARE(bend.angle, 1.0); // untouched
    }

    // A piece shorter than 3 mm or three thicknesses anywhere round is refused: the length at the inside of
    // the bend computed here from the cut planes. A tight radius or a steep cut only warns, as fitters would.
    void bends_too_tight_are_refused_or_warned() {
        const BendTarget target{"Belly L5", 100, 100, 60};
        Bend bend;
        // Cylinder of neutral radius r: J = 3, the end pieces 10 mm on the axis and 10 − r·tan α at
        // the inside, the middle ones twice that.
        for (const double t : {1.0, 2.0}) {
            const double allowed = std::max(3.0, 3 * t);
            const double r = 50 + t / 2;
            const double tanAlpha = (10 - allowed) / r; // the steepest tilt allowed
            const double limit = 2 * 3 * std::atan(tanAlpha) / kDeg;
            QVERIFY(!ReadBend({QByteArray::number(limit - 0.01).toStdString(), "4", "0"}, target, t, bend));
            const auto refusal =
                ReadBend({QByteArray::number(limit + 0.01).toStdString(), "4", "0"}, target, t, bend);
            QVERIFY(refusal && refusal->fault == BendFault::CutsCross);
        }
        const BendTarget longOne{"Belly L5", 100, 100, 600};
        std::vector<BendWarning> warnings;
        // α = 15°, R = 600 / (6 tan 15°) = 373 mm; then α = 15.5°.
        QVERIFY(!ReadBend({"90", "4", "0"}, longOne, 1, bend, &warnings));
        QVERIFY(warnings.empty());
        QVERIFY(!ReadBend({"93", "4", "0"}, longOne, 1, bend, &warnings));
        QCOMPARE(warnings.size(), std::size_t(1));
        QCOMPARE(warnings[0].caution, BendCaution::SteepCutTilt);
        warnings.clear();
        const BendTarget shortOne{"Tail L7", 100, 100, 50};
        QVERIFY(!ReadBend({"20", "2", "0"}, shortOne, 1, bend, &warnings)); // R = 50 / (2 tan 10°) = 141.8
        QCOMPARE(warnings.size(), std::size_t(1));
        QCOMPARE(warnings[0].caution, BendCaution::TightRadius);
        QVERIFY(QString::fromStdString(warnings[0].text).contains("pipe fitters"));
    }

    // Numbers that describe no pipe end in a reason, never in nan.
    void impossible_sections_fail_plainly() {
        const std::vector<PipeSection> negative{{"Cone", 50, 40, -1, {}}},
            notANumber{{"Cone", 50, 40, NAN, {}}};
        QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, AssemblePipe(negative, ModelOptions{1}));
        // Nothing of any length: no solid, and an STL of it is refused.
        const std::vector<PipeSection> nothing{{"Belly", 50, 50, 0, {}}};
        const Mesh none = PipeMesh(AssemblePipe(nothing, {1}));
        QVERIFY(none.triangles.empty() && StlRefusal(none));
        QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, AssemblePipe(notANumber, ModelOptions{1}));
        QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, PieCut(50, 40, 100, 0, 4));
        Bend bend;
        const auto refusal = ReadBend({"30", "4", "0"}, {"Cone X", -10, 20, 100}, 1, bend);
        QVERIFY(refusal && refusal->fault == BendFault::CannotCalculate);
        QCOMPARE(refusal->reason, "The bend of Cone X cannot be calculated: " +
                                      std::string(ArithmeticFailure(Failure::NumbersTooLarge).what()));
        // The slightest bend is a straight pipe to every digit, with no infinite radius on the way.
        const std::vector<PipeSection> slight{{"Tube", 40, 40, 200, {1e-300, 4, 0}}};
        QVERIFY(Length(AssemblePipe(slight, {1}).exit.position - Vec3{200, 0, 0}) < 1e-9);
        // A straight section of no length is left out, and the closed solid goes on without it.
        const std::vector<PipeSection> gap{
            {"A", 40, 50, 100, {}}, {"B", 50, 50, 0, {}}, {"C", 50, 60, 100, {}}};
        const AssembledPipe pipe = AssemblePipe(gap, {1});
        QCOMPARE(pipe.sections.size(), std::size_t(2));
        QVERIFY(std::abs(pipe.centrelineLength() - 200) < 1e-9);
        QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, PieCut(20, 20, 100, 30, 4).trueLength(1, 0));
    }
};

QTEST_GUILESS_MAIN(TestPipeModel)
#include "tst_pipemodel.moc"
