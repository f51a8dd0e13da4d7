// SPDX-License-Identifier: GPL-3.0-or-later
#include "buildsheet.h"
#include "dxfpattern.h"
#include "patternpainter.h"
#include "workedexamples.h"

#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <map>
#include <sstream>

using namespace quorvane;

namespace {

constexpr double kMmPerPoint = 25.4 / 72;

// The worked example's sheet, 1.5 mm thick, with the options' other texts as given.
BuildSheet ExampleSheet(TemplateTexts texts) {
    BuildSheet sheet;
    SheetDesign design;
    design.texts = InitialPipeTexts();
    for (const auto &[key, text] : examples::Find("chamber", "worked example").inputs.asKeyValueRange())
        design.texts[std::size_t(*FieldByKey(key.toStdString()))] = text.toStdString();
    const PipeInputs inputs = ParsePipeInputs(design.texts, false);
    design.result = ComputeChamber(inputs);
    texts.thickness = "1.5";
    if (ReadTemplateOptions(texts, sheet.options))
        qFatal("the example's options are refused");
    sheet.templates = BuildTemplates(ChamberSections(inputs, design.result), sheet.options.pattern);
    sheet.design = design;
    return sheet;
}

QByteArray Run(const QString &program, const QStringList &args) {
    QProcess process;
    process.start(program, args);
    return process.waitForFinished(60000) && process.exitCode() == 0 ? process.readAllStandardOutput()
                                                                     : QByteArray();
}

} // namespace

class TestBuildSheet : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

  private slots:
    void pages_have_their_planned_size_and_a_100_mm_bar_data() {
        QTest::addColumn<bool>("printer");
        QTest::addColumn<int>("paper");
        QTest::newRow("writer, A4") << false << int(Paper::A4);
        QTest::newRow("writer, Letter") << false << int(Paper::Letter);
        QTest::newRow("writer, Tabloid") << false << int(Paper::Tabloid);
        QTest::newRow("writer, plotter") << false << int(Paper::Plotter);
        QTest::newRow("printer, A3") << true << int(Paper::A3);
        QTest::newRow("printer, plotter") << true << int(Paper::Plotter);
    }

    // Page 1 on the paper, then each piece's assembly map (when it takes several pages) and tiles, each
    // page as large and turned as its plan says: what a printer is asked to feed. At 254 dots per inch a
    // millimetre is ten pixels: the bar of the last page, a tile, is 1000 long.
    void pages_have_their_planned_size_and_a_100_mm_bar() {
        QFETCH(bool, printer);
        QFETCH(int, paper);
        TemplateTexts texts;
        texts.paper = Paper(paper);
        const BuildSheet sheet = ExampleSheet(texts);
        const PaperSize first = SizeOf(Paper(paper) == Paper::Plotter ? Paper::A4 : Paper(paper));
        QList<QSizeF> expected{{first.width, first.height}};
        for (const SectionPattern &pattern : sheet.templates.patterns)
            for (const Piece &piece : pattern.pieceList) {
                const TilePlan plan = PlanPages(piece.bounds, Paper(paper), sheet.options.overlap);
                const qsizetype pages = qsizetype(plan.tiles.size()) + (plan.tiles.size() > 1 ? 1 : 0);
                expected << QList<QSizeF>(pages, {plan.page.width, plan.page.height});
            }
        QCOMPARE(PlanOf(sheet).pageCount, int(expected.size()));
        // Written through the QPdfWriter, or through a QPrinter as the print dialog's.
        const QString pdf = m_dir.filePath(printer ? "printed.pdf" : "written.pdf");
        if (printer) {
            QPrinter device(QPrinter::HighResolution);
            device.setOutputFormat(QPrinter::PdfFormat);
            device.setOutputFileName(pdf);
            QVERIFY(PaintBuildSheet(device, sheet));
        } else {
            QFile file(pdf);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(BuildSheetPdf(sheet)) > 0);
        }
        QList<QSizeF> sizes; // in points, as poppler reads them
        for (const QRegularExpressionMatch &m :
             QRegularExpression("Page +\\d+ size: +([\\d.]+) x ([\\d.]+) pts")
                 .globalMatch(Run("pdfinfo", {"-f", "1", "-l", "100000", pdf})))
            sizes << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
        QCOMPARE(sizes.size(), expected.size());
        for (qsizetype i = 0; i < sizes.size(); ++i) {
            // Qt rounds the standard sizes to whole points: A4 is 595 x 842.
            const QSizeF error = sizes[i] * kMmPerPoint - expected[i];
            QVERIFY2(std::fabs(error.width()) < 0.5 && std::fabs(error.height()) < 0.5,
                     qPrintable(QString("page %1").arg(i + 1)));
        }
        const QString last = QString::number(PlanOf(sheet).pageCount);
        Run("pdftoppm",
            {"-r", "254", "-gray", "-f", last, "-l", last, "-singlefile", pdf, m_dir.filePath("tile")});
        const QImage page(m_dir.filePath("tile.pgm"));
        QVERIFY(!page.isNull());
        int longest = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0, dark = 0; x < page.width(); ++x)
                longest = std::max(longest, dark = qGray(page.pixel(x, y)) < 128 ? dark + 1 : 0);
        QVERIFY2(std::abs(longest - 1000) <= 1, qPrintable(QString::number(longest)));
    }

    // A 650 mm arc is built in slices that keep every point on the circle, and keeps its turn when y is
    // flipped onto the page.
    void arcs_stay_on_their_circle() {
        const Arc arc{{100, 50}, 650, 60, 120};
        const QTransform toDevice = ToQTransform({2, {0, 0}, {0, 0}});
        const QPainterPath path = PathOf(arc, toDevice);
        const QPointF centre = toDevice.map(QPointF(100, 50));
        for (int i = 0; i <= 100; ++i) {
            const QPointF p = path.pointAtPercent(i / 100.0) - centre;
            QVERIFY2(std::fabs(std::hypot(p.x(), p.y()) - 2 * 650) < 2e-4,
                     qPrintable(QString::number(std::hypot(p.x(), p.y()) - 1300)));
        }
        // Counter-clockwise from 60° with y up passes straight above the centre: on the page, above it.
        QVERIFY(std::fabs(path.pointAtPercent(0.5).x() - centre.x()) < 1e-6);
        QVERIFY(path.pointAtPercent(0.5).y() < centre.y());
    }

    // dxflib, a reader other CAD programs build on, reads back what was written: AutoCAD 2000,
    // millimetres, the three layers, one closed polyline per piece on CUT, every mark and label on its own.
    void dxf_reads_back_as_drawn() {
        struct Reader : DL_CreationAdapter {
            std::map<std::string, int> entities; // per layer
            std::vector<std::string> layers;
            int closedOutlines = 0;
            std::string version;
            int units = 0;
            void addLayer(const DL_LayerData &d) override { layers.push_back(d.name); }
            void addLine(const DL_LineData &) override { ++entities[attributes.getLayer()]; }
            void addText(const DL_TextData &) override { ++entities[attributes.getLayer()]; }
            void addPolyline(const DL_PolylineData &d) override {
                ++entities[attributes.getLayer()];
                closedOutlines += attributes.getLayer() == "CUT" && (d.flags & 1);
            }
            void setVariableInt(const std::string &key, int value, int) override {
                if (key == "$INSUNITS")
                    units = value;
            }
            void setVariableString(const std::string &key, const std::string &value, int) override {
                if (key == "$ACADVER")
                    version = value;
            }
        } reader;
        TemplateTexts texts;
        texts.rollLines = "3";
        texts.seamAllowance = "8";
        const BuildSheet sheet = ExampleSheet(texts);
        const std::vector<SectionPattern> &patterns = sheet.templates.patterns;
        std::stringstream dxf(PatternDxf(patterns));
        QVERIFY(DL_Dxf().in(dxf, &reader));
        QCOMPARE(reader.version, std::string("AC1015"));
        QCOMPARE(reader.units, 4);
        for (const char *layer : {"CUT", "MARK", "TEXT"})
            QVERIFY(std::count(reader.layers.begin(), reader.layers.end(), layer) == 1);
        std::map<std::string, int> drawn;
        for (const SectionPattern &p : patterns) {
            for (const Piece &piece : p.pieceList) {
                ++drawn["CUT"];
                drawn["MARK"] += int(piece.marks.size());
                drawn["TEXT"] += int(piece.labels.size());
            }
        }
        QCOMPARE(reader.entities, drawn);
        QCOMPARE(reader.closedOutlines, drawn["CUT"]);
    }
};

QTEST_MAIN(TestBuildSheet)
#include "tst_buildsheet.moc"
