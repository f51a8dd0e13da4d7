// SPDX-License-Identifier: GPL-3.0-or-later
#include "chamber.h"
#include "dxfpattern.h"
#include "pattern.h"
#include "svgpattern.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <numbers>

#include "clirun.h"

using namespace quorvane;

namespace {

const QStringList kExample = {"timing=190",     "RPM=10000",     "temp=500",
                              "portWindowD=40", "portLength=30", "portFlangeD=38"};

QStringList Templates(const QString &line) {
    return QStringList{"templates"} + kExample + line.split(' ', Qt::SkipEmptyParts);
}

// The example's templates as core builds them: what every file must hold.
std::vector<SectionPattern> ExamplePatterns(double thickness) {
    const PipeInputs inputs{190, 10000, 500, 1.36, 300, 40, 30, 38, 1.05, 3.25, 0.6, 1.25, false};
    return BuildTemplates(ChamberSections(inputs, ComputeChamber(inputs)), {thickness}).patterns;
}

} // namespace

class TestCliTemplates : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

  private slots:
    // The example's build sheet: its tile pages, printed at 100 %, carry a bar of exactly 100 mm.
    void build_sheet_tiles_carry_a_100_mm_bar() {
        const QString pdf = m_dir.filePath("x.pdf");
        const CliRun run = Cli(Templates("--thickness 1.5 -o " + pdf));
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err + run.out, QByteArray());
        QProcess info;
        info.start("pdfinfo", {pdf});
        QVERIFY(info.waitForFinished(60000));
        const auto pages = QRegularExpression("Pages: +(\\d+)").match(info.readAllStandardOutput());
        QVERIFY(pages.hasMatch() && pages.captured(1).toInt() > 2);
        // At 254 dots per inch a millimetre is ten pixels: the longest dark run of the last page, a tile.
        const QString last = pages.captured(1), prefix = m_dir.filePath("tile");
        info.start("pdftoppm", {"-r", "254", "-gray", "-singlefile", "-f", last, "-l", last, pdf, prefix});
        QVERIFY(info.waitForFinished(60000));
        const QImage image(prefix + ".pgm");
        int bar = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0, dark = 0; x < image.width(); ++x)
                bar = std::max(bar, dark = qGray(image.pixel(x, y)) < 128 ? dark + 1 : 0);
        QVERIFY2(std::abs(bar - 1000) <= 1, qPrintable(QString::number(bar)));
    }

    // What goes to a file or standard output is exactly what the writers make of core's templates.
    void outputs_are_the_writers_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("expected");
        const auto example = ExamplePatterns(1.5);
        QTest::newRow("svg to stdout")
            << "--thickness 1.5 -o - --format svg" << QByteArray::fromStdString(PatternSvg(example));
        QTest::newRow("dxf to stdout")
            << "--thickness=1.5 --format DXF -o -" << QByteArray::fromStdString(PatternDxf(example));
        QTest::newRow("dxf by the file's extension")
            << "--thickness 1.5 -o FILE.dxf" << QByteArray::fromStdString(PatternDxf(example));
        QTest::newRow("only two, in chamber order")
            << "--thickness 1.5 --only l6,L2 -o - --format svg"
            << QByteArray::fromStdString(PatternSvg({example[1], example[5]}));
    }
    void outputs_are_the_writers() {
        QFETCH(QString, line);
        QFETCH(QByteArray, expected);
        const QString file = m_dir.filePath("out.dxf");
        const CliRun run = Cli(Templates(QString(line).replace("FILE.dxf", file)));
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QByteArray());
        QFile written(file);
        QCOMPARE(line.contains("FILE") && written.open(QIODevice::ReadOnly) ? written.readAll() : run.out,
                 expected);
    }

    // A drawing has no pages: an overlap no page could have does not stop it.
    void drawings_ignore_the_pages() {
        const CliRun run = Cli(Templates("--thickness 1 --overlap 500 -o - --format dxf"));
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("LWPOLYLINE"));
    }

    // Every cone piece in every file is a true annular sector, read back by readers of our own choosing
    // (ezdxf, with its audit; the SVG's path data; poppler for the PDF, one plotter page per piece) and
    // compared with the radii and sweep of the rolled cone worked out here: R1 = r1 / sin(beta), r1 the
    // sheet's middle in the base's plane, d/2 + t/2 / cos(beta); R2 = R1 - slant; sweep 360 sin(beta) / n.
    // The drawings carry exact coordinates: their arcs' centre, radii and sweeps, and the lines through
    // the apex, are checked directly. The PDF's are good to a micrometre, too coarse to find an apex
    // hundreds of mm away: its pieces are measured as on paper, by chords, sagittas and edge lengths.
    void cut_outlines_read_back_as_true_sectors_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<double>("thickness");
        QTest::addColumn<int>("pieces");
        QTest::newRow("chamber, 1 mm") << "--thickness 1 --roll-lines 2" << 1.0 << 1;
        QTest::newRow("chamber, 1.5 mm, two pieces")
            << "--thickness 1.5 --pieces 2 --roll-lines 3" << 1.5 << 2;
        QTest::newRow("cone 120 80 150") << "--thickness 1 --cone 120 80 150" << 1.0 << 1;
        QTest::newRow("cone 60 40 150") << "--thickness 1 --roll-lines 4 --cone 60 40 150" << 1.0 << 1;
        QTest::newRow("cone 100 1 1") << "--thickness 1 --cone 100 1 1" << 1.0 << 1;
    }
    void cut_outlines_read_back_as_true_sectors() {
        QFETCH(QString, line);
        QFETCH(double, thickness);
        QFETCH(int, pieces);
        std::vector<Section> sections;
        const QStringList words = line.split(' ');
        if (const qsizetype cone = words.indexOf("--cone"); cone >= 0) {
            sections.push_back(
                {"Cone", words[cone + 1].toDouble(), words[cone + 2].toDouble(), words[cone + 3].toDouble()});
        } else {
            const PipeInputs inputs{190, 10000, 500, 1.36, 300, 40, 30, 38, 1.05, 3.25, 0.6, 1.25, false};
            sections = ChamberSections(inputs, ComputeChamber(inputs));
        }
        struct Expected {
            double outer, inner, sweep, slant;
        };
        std::vector<Expected> expected; // per cone piece, in the order of the drawings
        for (const Section &s : sections) {
            if (s.isCylinder())
                continue;
            const double beta = std::atan((s.baseDiameter - s.tipDiameter) / 2 / s.centreLength);
            const double outer = (s.baseDiameter / 2 + thickness / 2 / std::cos(beta)) / std::sin(beta);
            const double slant = std::hypot(s.centreLength, (s.baseDiameter - s.tipDiameter) / 2);
            for (int i = 0; i < pieces; ++i)
                expected.push_back({outer, outer - slant, 360 * std::sin(beta) / pieces, slant});
        }
        const bool cones = line.contains("--cone");
        QList<QPointF> apexes[2]; // DXF's and SVG's, piece by piece
        for (const QString format : {"dxf", "svg", "pdf"}) {
            const QString file = m_dir.filePath("sector." + format);
            const QStringList args = (cones ? QStringList{"templates"} + words : Templates(line)) +
                                     QStringList{"--paper", "plotter", "-o", file};
            const CliRun run = Cli(args);
            QCOMPARE(run.status, 0);
            QList<QJsonObject> outlines;
            const int drawn = int(sections.size()) * pieces;
            for (int page = 0; page < (format == "pdf" ? drawn : 1); ++page) {
                QStringList check{QString(QUORVANE_SOURCE_DIR) + "/tests/tools/templatecheck.py", format,
                                  file};
                if (format == "pdf")
                    check << QString::number(page + 2);
                QProcess reader;
                reader.start("/usr/bin/python3", check);
                QVERIFY(reader.waitForFinished(60000));
                QCOMPARE(reader.exitCode(), 0);
                const QJsonObject report = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
                if (format == "dxf") {
                    QCOMPARE(report["audit_errors"].toInt(), 0);
                    QCOMPARE(report["audit_fixes"].toInt(), 0);
                    QCOMPARE(report["cut_entities"].toInt(), 0); // no loose lines and arcs: one contour each
                }
                for (const QJsonValue outline : report["outlines"].toArray())
                    outlines << outline.toObject();
            }
            QCOMPARE(int(outlines.size()), drawn);
            std::size_t cone = 0;
            for (const QJsonObject &outline : outlines) {
                QVERIFY(outline["closed"].toBool());
                const QJsonArray arcs = outline["arcs"].toArray();
                if (arcs.isEmpty())
                    continue; // a cylinder's rectangle
                QCOMPARE(arcs.size(), 2);
                const Expected &want = expected.at(cone++);
                if (format != "pdf")
                    apexes[format == "svg"]
                        << QPointF(arcs[0].toObject()["cx"].toDouble(), arcs[0].toObject()["cy"].toDouble());
                const double radii[] = {want.outer, want.inner};
                if (format == "pdf") {
                    const double half = want.sweep / 2 * std::numbers::pi / 180;
                    for (int i = 0; i < 2; ++i) {
                        const QJsonObject arc = arcs[i].toObject();
                        QVERIFY(std::fabs(arc["chord"].toDouble() - 2 * radii[i] * std::sin(half)) < 0.01);
                        QVERIFY(std::fabs(arc["sagitta"].toDouble() - radii[i] * (1 - std::cos(half))) <
                                0.01);
                    }
                    for (const QJsonValue edge : outline["lines"].toArray())
                        QVERIFY(std::fabs(edge.toObject()["length"].toDouble() - want.slant) < 0.01);
                    continue;
                }
                for (int i = 0; i < 2; ++i) {
                    const QJsonObject arc = arcs[i].toObject();
                    const double r = arc["r"].toDouble();
                    QVERIFY2(std::fabs(r - radii[0]) < 0.01 || std::fabs(r - radii[1]) < 0.01,
                             qPrintable(QString("%1: radius %2").arg(format).arg(r)));
                    QVERIFY2(std::fabs(std::fabs(arc["sweep"].toDouble()) - want.sweep) < 1e-6,
                             qPrintable(QString("%1: sweep %2").arg(format).arg(arc["sweep"].toDouble())));
                    QVERIFY(arc["centre_offset"].toDouble() < 0.01);
                }
                for (const QString kind : {"lines", "rolls"})
                    for (const QJsonValue edge : outline[kind].toArray())
                        QVERIFY2(edge.toObject()["apex_miss"].toDouble() < 0.01,
                                 qPrintable(QString("%1 %2 miss the apex").arg(format, kind)));
            }
            QCOMPARE(cone, expected.size());
        }
        // Both drawings place every piece alike: the SVG's are the DXF's turned y down on the same sheet.
        for (qsizetype i = 1; i < apexes[0].size(); ++i) {
            QVERIFY(std::fabs((apexes[1][i].x() - apexes[0][i].x()) - (apexes[1][0].x() - apexes[0][0].x())) <
                    1e-6);
            QVERIFY(std::fabs((apexes[1][i].y() + apexes[0][i].y()) - (apexes[1][0].y() + apexes[0][0].y())) <
                    1e-6);
        }
    }

    // Each refused option is named, with the reason, and nothing is written; the bounds themselves are the
    // core's to pin, in tst_pattern.
    // Bent sections read back by an independent reader against the pie-cut
    // formulas written out in it: every point of every cut curve, vertices
    // and chords alike, within 0.02 mm; one closed contour per piece.
    void bent_cut_curves_read_back_within_tolerance_data() {
        QTest::addColumn<QString>("cone");
        QTest::addColumn<QString>("bend");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("outlines");
        for (const char *layout : {"pieces", "blank"}) {
            const bool pieces = QByteArray(layout) == "pieces";
            QTest::addRow("cone 90 in 4, %s", layout) << "60 40 150"
                                                      << "90:4" << layout << (pieces ? 4 : 1);
            QTest::addRow("cylinder 60 in 3, %s", layout) << "60 60 150"
                                                          << "60:3" << layout << (pieces ? 3 : 1);
            QTest::addRow("cone 45 in 5, %s", layout) << "80 50 200"
                                                      << "45:5" << layout << (pieces ? 5 : 1);
        }
    }
    void bent_cut_curves_read_back_within_tolerance() {
        QFETCH(QString, cone);
        QFETCH(QString, bend);
        QFETCH(QString, layout);
        QFETCH(int, outlines);
        const QStringList dims = cone.split(' ');
        const QStringList angle = bend.split(':');
        for (const QString format : {"dxf", "svg"}) {
            const QString file = m_dir.filePath("bent." + format);
            const CliRun run = Cli(QStringList{"templates", "--thickness", "1", "--cone"} + dims +
                                   QStringList{"--bend", "1:" + bend, "--bend-layout", layout, "-o", file});
            QCOMPARE(run.status, 0);
            QProcess reader;
            reader.start("/usr/bin/python3",
                         QStringList{QString(QUORVANE_SOURCE_DIR) + "/tests/tools/templatecheck.py", "bend",
                                     format, file} +
                             dims + QStringList{"1"} + angle);
            QVERIFY(reader.waitForFinished(60000));
            QCOMPARE(reader.exitCode(), 0);
            const QJsonObject report = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
            if (format == "dxf") {
                QCOMPARE(report["audit"].toArray()[0].toInt(), 0);
                QCOMPARE(report["audit"].toArray()[1].toInt(), 0);
            }
            QCOMPARE(report["outlines"].toInt(), outlines);
            if (outlines == 1) // the blank: every cut drawn on it
                QCOMPARE(report["closed_cut_curves"].toInt(), angle[1].toInt() - 1);
            QVERIFY2(report["chords"].toInt() > 40 * (angle[1].toInt() - 1), "the curves were read");
            QVERIFY2(report["worst"].toDouble() < 0.02,
                     qPrintable(QString::number(report["worst"].toDouble())));
        }
    }

    // The design file's [CuttingTemplates] section is applied first; the
    // command line's options override it, key by key.
    void design_file_templates_section_then_the_command_line() {
        const QString design = m_dir.filePath("design.txt");
        {
            QFile file(design);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write("[PipeCalcValues]\r\ntiming=190\r\nRPM=10000\r\ntemp=500\r\nportWindowD=40\r\n"
                       "portLength=30\r\nportFlangeD=38\r\n[CuttingTemplates]\r\nthickness=1.5\r\n"
                       "bendLayout=blank\r\nbendL3=90:4:0\r\nbendL7=30:3\r\n");
        }
        auto layers = [&](const QStringList &extra) {
            const QString dxf = m_dir.filePath("design.dxf");
            QFile::remove(dxf);
            const CliRun run = Cli(QStringList{"templates", design, "-o", dxf} + extra);
            QMap<QString, int> count;
            if (run.status != 0)
                return count;
            QProcess reader;
            reader.start(
                "/usr/bin/python3",
                {"-c",
                 "import ezdxf,sys,collections\n"
                 "d=ezdxf.readfile(sys.argv[1])\n"
                 "c=collections.Counter(e.dxf.layer for e in d.modelspace().query('LWPOLYLINE'))\n"
                 "t=[e.dxf.text for e in d.modelspace().query('TEXT') if e.dxf.text.startswith('sheet ')]\n"
                 "print(c['CUT'], c['PIECUT'], t[0] if t else '')",
                 dxf});
            reader.waitForFinished(60000);
            const QStringList words = QString(reader.readAllStandardOutput()).split(' ');
            count["cut"] = words.value(0).toInt();
            count["piecut"] = words.value(1).toInt();
            count["thickness 1.5"] = words.value(3).trimmed() == "1.50";
            return count;
        };
        // From the file: blanks, L3's three cuts and L7's two drawn on them, 1.5 mm sheet.
        QMap<QString, int> got = layers({});
        QCOMPARE(got["cut"], 7);
        QCOMPARE(got["piecut"], 5);
        QCOMPARE(got["thickness 1.5"], 1);
        // The command line's layout and its own bend of L3 win; L7's stays the file's.
        got = layers({"--bend-layout", "pieces", "--bend", "L3:60:2", "--thickness", "2"});
        QCOMPARE(got["cut"], 5 + 2 + 3);
        QCOMPARE(got["piecut"], 0);
        QCOMPARE(got["thickness 1.5"], 0);
    }

    // Page 1 of the build sheet lists each bend with its figures, computed
    // here from the section's length; the fitters' cautions go to stderr.
    void build_sheet_lists_the_bends() {
        const QString pdf = m_dir.filePath("bent.pdf");
        const CliRun run = Cli(Templates("--thickness 1 --bend L3:90:4 --bend l7:30:3:90 -o " + pdf));
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.contains("Cone L3: the centreline bend radius") && run.err.contains("pipe fitters"),
                 run.err.constData());
        QProcess text;
        text.start("pdftotext", {"-f", "1", "-l", "1", "-raw", pdf, "-"});
        QVERIFY(text.waitForFinished(60000));
        const QString page = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        QVERIFY(page.contains("Side view as bent, 1 : ")); // the chamber drawn as it will be assembled
        const PipeInputs inputs{190, 10000, 500, 1.36, 300, 40, 30, 38, 1.05, 3.25, 0.6, 1.25, false};
        const std::vector<Section> sections = ChamberSections(inputs, ComputeChamber(inputs));
        struct Want {
            int index;
            double angle, direction;
            int pieces;
        };
        for (const Want &w : {Want{2, 90, 0, 4}, Want{6, 30, 90, 3}}) {
            const Section &s = sections[std::size_t(w.index)];
            const int joints = w.pieces - 1;
            const double tilt = w.angle / (2 * joints);
            const double radius = s.centreLength / (2 * joints * std::tan(tilt * std::numbers::pi / 180));
            const QString line =
                QString("%1 bent %2° towards %3° in %4 pieces: each joint turns %5°, the cuts "
                        "tilt %6°, the centreline bends at radius %7 mm.")
                    .arg(QString::fromStdString(s.name))
                    .arg(w.angle, 0, 'f', 2)
                    .arg(w.direction, 0, 'f', 2)
                    .arg(w.pieces)
                    .arg(w.angle / joints, 0, 'f', 2)
                    .arg(tilt, 0, 'f', 2)
                    .arg(radius, 0, 'f', 2);
            QVERIFY2(page.contains(line), qPrintable(line + "\n" + page));
        }
    }

    // A bend refused names the section and why; a bend of a section there is not is refused too.
    void bends_refused_name_the_section_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("said");
        QTest::newRow("too sharp") << "--cone 60 40 150 --bend 1:170:2"
                                   << "1";
        QTest::newRow("no such cone") << "--cone 60 40 150 --bend 2:30:3"
                                      << "no section 2";
        QTest::newRow("pieces") << "--cone 60 40 150 --bend 1:30:x"
                                << "number of pieces";
        QTest::newRow("layout") << "--cone 60 40 150 --bend 1:30:3 --bend-layout both"
                                << "blank or pieces";
        QTest::newRow("twice") << "--cone 60 40 150 --bend 1:30:3 --bend 1:20:3"
                               << "twice";
    }
    void bends_refused_name_the_section() {
        QFETCH(QString, line);
        QFETCH(QString, said);
        const CliRun run = Cli(QStringList{"templates", "--thickness", "1"} + line.split(' ') +
                               QStringList{"-o", m_dir.filePath("refused.svg")});
        QVERIFY(run.status != 0);
        QVERIFY2(run.err.contains(said.toUtf8()), run.err.constData());
        QVERIFY(!QFile::exists(m_dir.filePath("refused.svg")));
    }

    void refusals_name_the_option_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("named");
        const std::tuple<const char *, int, const char *> rows[] = {
            {"--thickness= -o OUT.pdf", 2, "invalid option --thickness: Type the sheet thickness."},
            {"--thickness -1 -o OUT.pdf", 2,
             "invalid option --thickness: The sheet thickness must be a number from 0"},
            {"--thickness 1,5 -o OUT.pdf", 2,
             "invalid option --thickness: The sheet thickness must be a number from 0 to 20 mm. Write the "
             "decimal point as \".\"."},
            {"--thickness 1 --k-factor 0.2 -o OUT.pdf", 2, "invalid option --k-factor:"},
            {"--thickness 1 --k-factor 0.4 --mid-thickness -o OUT.pdf", 2, "invalid option --mid-thickness:"},
            {"--thickness 1 --diameters outside -o OUT.pdf", 2,
             "invalid option --diameters: the chamber's diameters are inside diameters"},
            {"--thickness 1 --overlap 64 -o OUT.pdf", 2,
             "invalid option --overlap: The page overlap must be at most 63.3"},
            {"--thickness 1 --pieces 13 -o OUT.pdf", 2, "invalid option --pieces:"},
            {"--thickness 1 --seam-allowance 51 -o OUT.pdf", 2, "invalid option --seam-allowance:"},
            {"--thickness 1 --roll-lines 1.5 -o OUT.pdf", 2, "invalid option --roll-lines:"},
            {"--thickness 1 --paper b5 -o OUT.pdf", 2, "invalid option --paper:"},
            {"--thickness 1 -o OUT.txt", 2, "invalid option --format:"},
            {"--thickness 1 -o -", 2, "invalid option --format:"},
            {"--thickness 1 --format pdf -o -", 2, "invalid option --format: a PDF goes to a file"},
            {"--thickness 1 --only L8 -o OUT.pdf", 2,
             "invalid option --only: no section \"l8\"; the sections are L1, L2"},
            {"--thickness 1 -o OUT.pdf --cone 120 80", 2, "option --cone needs BASE TIP HEIGHT"},
            {"-o OUT.pdf", 2, "templates needs --thickness T and -o FILE"},
            {"--thickness 1 -o NOWHERE/x.svg", 1, "cannot save "},
            {"--thickness 1 RPM=40000 -o OUT.pdf", 3, "The RPM is too large"},
            {"--thickness 1 --cone 3000 2000 2000 -o OUT.pdf", 2,
             "invalid option --paper: Cone, piece 1 of 1 would take "},
        };
        for (const auto &[line, status, named] : rows)
            QTest::newRow(line) << QString(line) << status << QString(named);
    }
    void refusals_name_the_option() {
        QFETCH(QString, line);
        QFETCH(int, status);
        QFETCH(QString, named);
        const QString out = m_dir.filePath("refused");
        line.replace("OUT", out).replace("NOWHERE", m_dir.filePath("none"));
        // Typed cones go without the design.
        const CliRun run =
            Cli(line.contains("--cone") ? QStringList{"templates"} + line.split(' ') : Templates(line));
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.startsWith(("quorvane-cli: " + named).toUtf8()), run.err.constData());
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(QDir(m_dir.path()).entryList({"refused*", "none"}), QStringList());
    }

    // Typed cones: one without length is left out and said so; with none left there is nothing to export.
    void typed_cones_without_length_are_said_data() {
        QTest::addColumn<QStringList>("cones");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("one of two") << QStringList{"120", "80", "150", "--cone", "100", "60", "0"} << 0
                                    << QByteArray(
                                           "quorvane-cli: Cone 2 has no length, so it has no template.\n");
        QTest::newRow("the only one")
            << QStringList{"120", "80", "0"} << 2
            << QByteArray(
                   "quorvane-cli: Cone has no length, so it has no template.\n"
                   "quorvane-cli: invalid option --cone: nothing to export: no section has a length.\n");
    }
    void typed_cones_without_length_are_said() {
        QFETCH(QStringList, cones);
        QFETCH(int, status);
        QFETCH(QByteArray, err);
        const CliRun run =
            Cli(QStringList{"templates", "--thickness", "1", "-o", "-", "--format", "dxf", "--cone"} + cones);
        QCOMPARE(run.status, status);
        QCOMPARE(run.err, err);
        QCOMPARE(run.out.isEmpty(), status != 0);
        QVERIFY(!QString(run.out).contains(
            QRegularExpression("\\b(nan|inf)\\b", QRegularExpression::CaseInsensitiveOption)));
    }
};

QTEST_GUILESS_MAIN(TestCliTemplates)
#include "tst_cli_templates.moc"
