// SPDX-License-Identifier: GPL-3.0-or-later
#include "calcwindowdriver.h"
#include "lookandfeel.h"
#include "mainform.h"
#include "numeric.h"
#include "scratchdisk.h"
#include "timingchart.h"
#include "wavetiming.h"
#include "wavetimingform.h"

#include <QAction>
#include <QAreaSeries>
#include <QGroupBox>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace calcwindow;
using namespace quorvane;

namespace {

QList<QPointF> Points(const QLineSeries *series) {
    return series ? series->points() : QList<QPointF>{};
}

// A straight line from `from` to `to` RPM of the arrival at station `s`, as core has it.
QList<QPointF> ArrivalLine(const WaveModel &model, Station s, double from, double to) {
    const double x = model.stations[std::size_t(s)];
    return {{from, ArrivalAngle(model, x, from)}, {to, ArrivalAngle(model, x, to)}};
}

// A mouse move without a button, as the platform delivers it to the chart's viewport (the offscreen
// platform's QTest::mouseMove does not reach a tracking widget).
void MoveMouse(QWidget *viewport, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(viewport->mapToGlobal(at)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
}

} // namespace

class TestWaveTiming : public QObject {
    Q_OBJECT
    std::unique_ptr<MainForm> m_main;
    ScriptedDialogs *m_dialogs = nullptr;
    QTemporaryDir m_dir;

    WaveTimingForm *Form() const { return static_cast<WaveTimingForm *>(m_main->waveTimingForm()); }
    template <class T = QLineEdit> T *Get(const char *name) const {
        T *w = Form()->findChild<T *>(name);
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QChart *Chart() const { return Form()->chart()->chart(); }
    template <class T> T *Series(const char *name) const {
        for (QAbstractSeries *s : Chart()->series())
            if (s->objectName() == QLatin1String(name))
                return qobject_cast<T *>(s);
        return nullptr;
    }
    // Types into a window brought to the front, as a user clicks into it first.
    void EnterIn(QWidget *window, const QString &entries) {
        ShowActive(window);
        Enter(window, entries);
    }
    void Draw(const QString &entries) {
        EnterIn(Form(), entries);
        Click(Form(), "cmdDraw");
    }
    void PipeCalc(const QString &entries = kExampleDesign) {
        EnterIn(m_main.get(), entries);
        Click(m_main.get(), "cmdPipeCalc");
    }
    void OpenFromMenu() {
        m_main->findChild<QAction *>("mnuToolsWaveTiming")->trigger();
        QVERIFY(QTest::qWaitForWindowActive(Form()));
    }
    void OpenOnExample() {
        PipeCalc();
        OpenFromMenu();
    }
    WaveModel CoreModel(std::optional<double> transfer = std::nullopt) const {
        const DesignState &s = m_main->designState();
        return WaveModelOf(s.inputs, s.result, transfer);
    }
    // The chart shows core's model over the range: both bands' edges, the port events, the design RPM.
    void ExpectChartOf(const WaveModel &model, double from, double to) {
        const auto *suction = Series<QAreaSeries>("suctionWave");
        const auto *pulse = Series<QAreaSeries>("pluggingPulse");
        QVERIFY(suction && pulse);
        QCOMPARE(Points(suction->upperSeries()), ArrivalLine(model, Station::DiffuserEnd, from, to));
        QCOMPARE(Points(suction->lowerSeries()), ArrivalLine(model, Station::DiffuserStart, from, to));
        QCOMPARE(Points(pulse->upperSeries()), ArrivalLine(model, Station::BaffleEnd, from, to));
        QCOMPARE(Points(pulse->lowerSeries()), ArrivalLine(model, Station::BaffleStart, from, to));
        const std::pair<const char *, std::optional<double>> levels[] = {{"EO", model.events.exhaustOpens},
                                                                         {"BDC", 180.0},
                                                                         {"EC", model.events.exhaustCloses},
                                                                         {"TO", model.events.transferOpens},
                                                                         {"TC", model.events.transferCloses}};
        for (const auto &[name, angle] : levels) {
            QCOMPARE(Series<QLineSeries>(name) != nullptr, angle.has_value());
            if (angle)
                QCOMPARE(Points(Series<QLineSeries>(name)), (QList<QPointF>{{from, *angle}, {to, *angle}}));
        }
        QCOMPARE(Points(Series<QLineSeries>("designRpm")),
                 (QList<QPointF>{{model.designRpm, 0}, {model.designRpm, 360}}));
    }

  private slots:
    void init() { m_main = ShowMainForm(&m_dialogs); }
    void cleanup() { m_main.reset(); }

    void is_built_on_first_use_and_follows_the_last_pipe_calc() {
        PipeCalc();
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(w->objectName() != "frmWaveTiming", "built before it was asked for");
        OpenFromMenu();
        QCOMPARE(Form()->objectName(), "frmWaveTiming");
        QCOMPARE(Form()->windowTitle(), "Wave Timing");
        Expect(Form(), "txtRpmFrom=6000 txtRpmTo=14000 txtTransfer=");
        const WaveModel model = CoreModel();
        ExpectChartOf(model, 6000, 14000);
        // At the design RPM the wave from the baffle's end is back as the port closes.
        QCOMPARE(FormatFixed(ArrivalAngle(model, model.stations[3], 10000), 2), "275.00");
        QVERIFY(!Series<QAreaSeries>("pluggingBand"));
        QVERIFY(Get<QLabel>("lblBand")->text().startsWith("Type the transfer duration"));
        QVERIFY(Get<QLabel>("lblAssumptions")->text().contains("small-amplitude waves at one uniform"));

        PipeCalc("txtRPM=9000 txtTemp=450");
        Expect(Form(), "txtRpmFrom=5400 txtRpmTo=12600");
        ExpectChartOf(CoreModel(), 5400, 12600);
        // A range the user typed stays while the design RPM stays.
        Draw("txtRpmFrom=7000 txtRpmTo=8000");
        PipeCalc("txtTemp=480");
        Expect(Form(), "txtRpmFrom=7000 txtRpmTo=8000");
        ExpectChartOf(CoreModel(), 7000, 8000);
    }

    // The chart stands for the last good Pipe Calc only; before one it says what to do.
    void the_chart_is_of_the_last_good_pipe_calc() {
        OpenFromMenu();
        QVERIFY(Chart()->series().isEmpty());
        QVERIFY(Chart()->title().contains("Press Pipe Calc"));
        for (const QAbstractAxis *axis : Chart()->axes())
            QVERIFY(!axis->isVisible());
        QVERIFY(!Get<QPushButton>("cmdExportPng")->isEnabled() &&
                !Get<QPushButton>("cmdExportSvg")->isEnabled());
        PipeCalc();
        ExpectChartOf(CoreModel(), 6000, 14000);
        QVERIFY(Get<QPushButton>("cmdExportPng")->isEnabled() &&
                Get<QPushButton>("cmdExportSvg")->isEnabled());
        QVERIFY(Chart()->title().contains("(an estimate)"));
        for (const QAbstractAxis *axis : Chart()->axes())
            QVERIFY(axis->isVisible());
        // Typing into the main window leaves the chart on the last Pipe Calc, and it says so; a Pipe Calc
        // that cannot be calculated leaves nothing of the old design on it.
        EnterIn(m_main.get(), "txtRPM=11000");
        QVERIFY(Chart()->title().contains("the inputs have changed since"));
        ExpectChartOf(CoreModel(), 6000, 14000);
        PipeCalc("txtPipeExLength=400"); // longer than 0.375 of the tuned length: no chamber
        QVERIFY(!m_main->designState().pipeCalculated);
        Click(Form(), "cmdDraw");
        QVERIFY(Chart()->series().isEmpty());
        QVERIFY(!Get<QPushButton>("cmdExportPng")->isEnabled());
        // A timing the chamber takes but the port events cannot (360) is blamed on the main window's box.
        PipeCalc("txtPipeExLength=30 txtPTExh=360");
        QVERIFY(m_main->designState().pipeCalculated);
        QCOMPARE(
            Get<QLabel>("lblChartReason")->text(),
            "Port Timing in the main window: The exhaust port timing must be between 1 and 359 degrees.");
        QVERIFY(Chart()->series().isEmpty());
    }

    void a_transfer_duration_adds_its_events_and_the_plugging_band() {
        OpenOnExample();
        Draw("txtTransfer=130");
        const WaveModel model = CoreModel(130);
        ExpectChartOf(model, 6000, 14000);
        const auto *band = Series<QAreaSeries>("pluggingBand");
        QVERIFY(band);
        QList<QPointF> upper, lower;
        for (const OverlapPoint &p : PluggingOverlapOutline(model, 6000, 14000)) {
            upper << QPointF(p.rpm, p.upper);
            lower << QPointF(p.rpm, p.lower);
        }
        QCOMPARE(upper.size(), 4);
        QCOMPARE(Points(band->upperSeries()), upper);
        QCOMPARE(Points(band->lowerSeries()), lower);
        QVERIFY2(Get<QLabel>("lblBand")->text().contains("from 8,421 to 13,158 rpm"),
                 qPrintable(Get<QLabel>("lblBand")->text()));
        // The shaded band follows the range: wholly outside it, there is none.
        Draw("txtRpmFrom=14000 txtRpmTo=20000");
        QVERIFY(!Series<QAreaSeries>("pluggingBand"));
    }

    void buttons_show_results_or_refuse_data() {
        QTest::addColumn<QString>("entries");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("shown"); // box=text, or the refused box and its reason
        const QString example = "txtRevLength=889.271 txtRevTiming=190 ",
                      other = "txtRevLength=900 txtRevTiming=190 ";
        const QString rpm = "cmdRevRpm", temp = "cmdRevTemp", draw = "cmdDraw";
        for (const auto &[name, entries, button, shown] : {
                 std::tuple{"tuned RPM of the example", example + "txtRevTemp=500", rpm, "txtRevRpm=10000"},
                 {"temperature of the example", example + "txtRevRpm=10000", temp, "txtRevTemp=500.00"},
                 {"the sections summed",
                  "txtRevLength=30+58.93+244.55+162.74+81.81+97.82+213.43 txtRevTiming=190 txtRevTemp=500",
                  rpm, "txtRevRpm=10000"},
                 {"air in a metre of pipe",
                  "txtRevLength=1000 txtRevTiming=180 txtRevTemp=20 txtRevHeats=1.4 txtRevGasConst=287", rpm,
                  "txtRevRpm=5148"},
                 {"length 0", "txtRevLength=0 txtRevTiming=190 txtRevTemp=500", rpm,
                  "txtRevLength|The length must be more than 0 mm."},
                 {"negative sum", "txtRevLength=100+-200 txtRevTiming=190 txtRevRpm=9000", temp,
                  "txtRevLength|*more than 0 mm."},
                 {"timing 360", "txtRevLength=900 txtRevTiming=360 txtRevTemp=500", rpm,
                  "txtRevTiming|*between 1 and 359 degrees."},
                 {"timing empty", "txtRevLength=900 txtRevTemp=500", rpm, "txtRevTiming|*"},
                 {"absolute zero", other + "txtRevTemp=-273.15", rpm,
                  "txtRevTemp|*above absolute zero (-273.15 °C)."},
                 {"rpm 0", other + "txtRevRpm=0", temp, "txtRevRpm|The RPM must be more than 0."},
                 {"heats 0", other + "txtRevTemp=500 txtRevHeats=0", rpm,
                  "txtRevHeats|*must be more than 0."},
                 {"gas constant empty", other + "txtRevRpm=9000 txtRevGasConst=", temp, "txtRevGasConst|*"},
                 {"chart: transfer as long as the exhaust", "txtTransfer=190", draw,
                  "txtTransfer|*less than the exhaust duration (190.00 degrees)."},
                 {"chart: transfer 0", "txtTransfer=0", draw, "txtTransfer|*more than 0*"},
                 {"chart: from 0", "txtRpmFrom=0", draw, "txtRpmFrom|The RPM must be more than 0."},
                 {"chart: to below from", "txtRpmFrom=9000 txtRpmTo=8000", draw,
                  "txtRpmTo|The highest RPM must be more than the lowest."},
                 {"chart: to empty", "txtRpmTo=", draw, "txtRpmTo|*highest RPM*"},
             })
            QTest::newRow(name) << QString(entries) << QString(button) << QString(shown);
    }
    // The reverse calculator's results; a refusal of it or of the chart's Draw turns the box red, focuses it
    // and gives the reason. A refused chart shows nothing until a good range is drawn again.
    void buttons_show_results_or_refuse() {
        QFETCH(QString, entries);
        QFETCH(QString, button);
        QFETCH(QString, shown);
        const bool chart = button == "cmdDraw";
        chart ? OpenOnExample() : OpenFromMenu();
        EnterIn(Form(), entries);
        Click(Form(), qPrintable(button));
        const QString reason = Get<QLabel>(chart ? "lblChartReason" : "lblRevReason")->text();
        if (!shown.contains('|')) {
            Expect(Form(), shown);
            QCOMPARE(reason, QString());
            for (QLineEdit *box : Form()->findChildren<QLineEdit *>())
                QVERIFY(Background(box) != kRejectedRed);
            return;
        }
        QLineEdit *refused = Get(qPrintable(shown.section('|', 0, 0)));
        QCOMPARE(Background(refused), kRejectedRed);
        QCOMPARE(Form()->focusWidget(), refused);
        QVERIFY2(examples::Matches(reason, shown.section('|', 1)), qPrintable(reason));
        if (!chart)
            return;
        QVERIFY(Chart()->series().isEmpty());
        // Typing into the box takes the red away; a good range draws again and clears the reason.
        EnterIn(Form(), "txtTransfer= txtRpmFrom=6000 txtRpmTo=14000");
        QVERIFY(Background(refused) != kRejectedRed);
        Click(Form(), "cmdDraw");
        QCOMPARE(Get<QLabel>("lblChartReason")->text(), QString());
        ExpectChartOf(CoreModel(), 6000, 14000);
    }

    void the_cursor_lists_the_arrivals_at_its_rpm() {
        OpenOnExample();
        TimingChart *view = Form()->chart();
        const QRectF plot = view->chart()->plotArea();
        const QPoint at = view->mapFromScene(view->chart()->mapToScene(plot.center())) + QPoint(17, 0);
        MoveMouse(view->viewport(), at);
        QTRY_VERIFY(Get<QLabel>("lblCursor")->text().startsWith("At "));
        auto *cursor = Series<QLineSeries>("cursor");
        QVERIFY(cursor && cursor->count() == 2);
        const double rpm = cursor->at(0).x();
        QVERIFY(rpm > 6000 && rpm < 14000);
        QCOMPARE(rpm,
                 view->chart()->mapToValue(view->chart()->mapFromScene(view->mapToScene(at)), cursor).x());
        const WaveModel model = CoreModel();
        QString expected =
            QString("At %1 rpm the waves return at:").arg(QString::fromStdString(FormatFixed(rpm, 0)));
        for (std::size_t s = 0; s < kStationCount; ++s)
            expected +=
                QString("\n%1  %2°")
                    .arg(kStationNames[s],
                         QString::fromStdString(FormatFixed(ArrivalAngle(model, model.stations[s], rpm), 2)));
        QCOMPARE(Get<QLabel>("lblCursor")->text(), expected);
        // Off the plot the cursor goes.
        MoveMouse(view->viewport(), QPoint(2, 2));
        QCOMPARE(cursor->count(), 0);
        QVERIFY(Get<QLabel>("lblCursor")->text().startsWith("Move the mouse"));
    }

    void exports_the_chart_as_png_and_svg() {
        OpenOnExample();
        m_dialogs->answer = m_dir.filePath("timing");
        Click(Form(), "cmdExportPng");
        QCOMPARE(m_dialogs->asked.last(), "Export PNG|Chart, PNG (*.png)|*.png|WaveTiming.png");
        QImage png;
        QVERIFY(png.loadFromData(ReadAll(m_dir.filePath("timing.png")), "PNG"));
        QCOMPARE(png.size(), Form()->chart()->size() * Form()->chart()->devicePixelRatio());
        // The suction band's blue is in the picture, not only a blank frame.
        bool blue = false;
        for (int y = 0; y < png.height() && !blue; y += 2)
            for (int x = 0; x < png.width() && !blue; x += 2)
                blue = png.pixelColor(x, y).blue() > png.pixelColor(x, y).red() + 60;
        QVERIFY(blue);

        Click(Form(), "cmdExportSvg");
        QXmlStreamReader svg(ReadAll(m_dir.filePath("timing.svg")));
        QStringList texts;
        bool isSvg = false;
        while (!svg.atEnd())
            if (svg.readNext() == QXmlStreamReader::StartElement)
                isSvg |= svg.name() == QLatin1String("svg");
            else if (svg.isCharacters() && !svg.isWhitespace())
                texts << svg.text().toString().trimmed();
        QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
        QVERIFY(isSvg);
        for (const char *text :
             {"Wave timing", "RPM", "10,000", "EC 275.00°", "Plugging pulse", "Suction wave"})
            QVERIFY2(texts.contains(text), text);
        QVERIFY(m_dialogs->errors.isEmpty());

        // A full disk keeps the old file and says so.
        scratch::SmallDisk disk;
        if (!disk.mounted())
            QSKIP(qPrintable(disk.error()));
        const QString path = disk.filePath("chart.png");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old chart") == 9);
        old.close();
        QVERIFY(disk.Fill());
        m_dialogs->answer = path;
        Click(Form(), "cmdExportPng");
        QCOMPARE(m_dialogs->errors.size(), 1);
        QVERIFY2(m_dialogs->errors[0].contains("The chart could not be saved"),
                 qPrintable(m_dialogs->errors[0]));
        QCOMPARE(ReadAll(path), QByteArray("old chart"));
    }

    // Captions are in full view: a label, button or frame title no wider than its control.
    void captions_fit() {
        OpenOnExample();
        // The longest texts it shows: the band found, the cursor's list, a refusal's reason.
        Draw("txtTransfer=130 txtRevLength=0");
        Click(Form(), "cmdRevRpm");
        TimingChart *view = Form()->chart();
        MoveMouse(view->viewport(),
                  view->mapFromScene(view->chart()->mapToScene(view->chart()->plotArea().center())));
        QVERIFY(Get<QLabel>("lblCursor")->text().count('\n') == 4 &&
                !Get<QLabel>("lblBand")->text().isEmpty());
        // The cursor has no entry in the legend.
        QTest::qWait(50);
        for (QLegendMarker *marker : view->chart()->legend()->markers())
            QVERIFY(marker->series()->objectName() != "cursor" || !marker->isVisible());
        for (QWidget *w : Form()->findChildren<QWidget *>()) {
            QString text;
            int room = w->width();
            if (auto *label = qobject_cast<QLabel *>(w); label && !label->wordWrap())
                text = label->text();
            else if (auto *button = qobject_cast<QPushButton *>(w))
                text = button->text(), room -= 8;
            else if (auto *frame = qobject_cast<QGroupBox *>(w))
                text = frame->title(), room -= 16;
            if (!text.isEmpty())
                QVERIFY2(w->fontMetrics().horizontalAdvance(text) <= room, qPrintable(w->objectName()));
        }
        for (QLabel *label : Form()->findChildren<QLabel *>())
            if (label->wordWrap() && !label->text().isEmpty())
                QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                         qPrintable(label->objectName()));
        if (const QByteArray shot = qgetenv("QUORVANE_SHOT"); !shot.isEmpty())
            QTest::qWait(200), Form()->grab().save(QString::fromLocal8Bit(shot));
    }
};

QTEST_MAIN(TestWaveTiming)
#include "tst_wavetiming.moc"
