#include "calcwindowdriver.h"
#include "chamber.h"
#include "chambertexts.h"
#include "inputcalcform.h"
#include "mainform.h"
#include "pipepicture.h"
#include "plotform.h"
#include "portareaform.h"
#include "tubecalcform.h"
#include "weblinks.h"

#include <QDesktopServices>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace quorvane;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);

const char *kBoxes[] = {
    "txtPTExh",           "txtRPM",          "txtTemp",          "txtHeats",         "txtGasConst",
    "txtPipeExDiam",      "txtPipeExLength", "txtPipeExDiamOut", "txtPipePtoPratio", "txtPipePtoMratio",
    "txtPipeptoOutRatio", "txtPipeHornRatio"};
const char *kExample[] = {"190", "10000", "500",  "1.36", "300", "40",
                          "30",  "38",    "1.05", "3.25", "0.6", "1.25"};

} // namespace

class TestMainForm : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MainForm> m_form;

    template <class T = QLineEdit> T *Find(const char *name) const {
        T *w = m_form->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("no control %s", name);
        return w;
    }
    QColor Colour(const char *box) const { return Find(box)->palette().color(QPalette::Base); }
    // Types a text over whatever the box holds, as a user would.
    void Type(const char *box, const QString &text) {
        QLineEdit *edit = Find(box);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    void TypeExample() {
        for (int i = 0; i < 12; ++i)
            Type(kBoxes[i], QString::fromLatin1(kExample[i]));
    }
    void PipeCalc() { QTest::mouseClick(Find<QPushButton>("cmdPipeCalc"), Qt::LeftButton); }
    QString Text(const char *box) const { return Find<QPlainTextEdit>(box)->toPlainText(); }

  private slots:
    void init() {
        m_form = std::make_unique<MainForm>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    void cleanup() { m_form.reset(); }

    void fresh_window_shows_its_initial_state();
    void pipe_calc_on_the_fresh_window_marks_port_timing();
    void box_colours_and_the_precheck_data();
    void box_colours_and_the_precheck();
    void typing_into_a_red_box_recolours_it();
    void worked_example_fills_every_output();
    void long_port_warns_and_turns_the_box_yellow();
    void port_length_box_follows_the_last_calculation();
    void pasted_line_breaks_keep_the_first_line_data();
    void pasted_line_breaks_keep_the_first_line();
    void extreme_valid_designs_show_every_result_data();
    void extreme_valid_designs_show_every_result();
    void failing_calculation_empties_every_result_data();
    void failing_calculation_empties_every_result();
    void drawing_follows_the_calculation();
    void outline_pixels_at_the_example_coordinates();
    void plot_button_enables_batch_only_after_a_calculation();
    void tools_menu_shows_the_same_window_each_time();
    void minimized_tool_windows_come_back();
    void returning_to_the_window_keeps_the_cursor_where_it_was();
    void closing_the_main_window_closes_every_window();
    void link_buttons_open_their_addresses();
};

// Stands in for the desktop's browser.
class UrlCatcher : public QObject {
    Q_OBJECT

  public:
    QList<QUrl> opened;

  public slots:
    void open(const QUrl &url) { opened << url; }
};

void TestMainForm::fresh_window_shows_its_initial_state() {
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Quorvane (v1.0.0)"));
    QCOMPARE(m_form->centralWidget()->size(), QSize(891, 540));
    QCOMPARE(QApplication::focusWidget(), Find("txtPTExh"));
    const char *initial[] = {"", "", "", "1.360", "300", "", "", "", "1.05", "3.25", "0.6", "1.25"};
    for (int i = 0; i < 12; ++i) {
        QCOMPARE(Find(kBoxes[i])->text(), QString::fromLatin1(initial[i]));
        QCOMPARE(Colour(kBoxes[i]), kWhite);
    }
    QVERIFY(!Find<QCheckBox>("chkHeader")->isChecked());
    QTest::mouseClick(Find("txtHeats"), Qt::LeftButton, {}, QPoint(30, 12)); // a click lands mid-text
    QTRY_COMPARE(Find("txtHeats")->selectedText(), QStringLiteral("1.360")); // yet typing replaces it all
    QVERIFY(!m_form->designState().pipeCalculated);
    QVERIFY(!m_form->findChild<PipePicture *>("picPipe")->outline());
}

void TestMainForm::pipe_calc_on_the_fresh_window_marks_port_timing() {
    Find("txtRPM")->setFocus();
    PipeCalc();
    QCOMPARE(QApplication::focusWidget(), Find("txtPTExh"));
    QCOMPARE(Colour("txtPTExh"), kRed);
    QVERIFY(Text("txtPipeDim1").isEmpty());
    QVERIFY(!m_form->designState().pipeCalculated);
}

void TestMainForm::box_colours_and_the_precheck_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("typed"); // the colour while typing
    QTest::addColumn<bool>("fails");   // Pipe Calc refuses it
    auto row = [](const char *name, int field, const char *text, QColor typed, bool fails) {
        QTest::newRow(name) << field << QString::fromLatin1(text) << typed << fails;
    };
    row("timing 220", 0, "220", kWhite, false);
    row("timing 220.01", 0, "220.01", kYellow, false);
    row("timing 360", 0, "360", kYellow, false);
    row("timing 360.5", 0, "360.5", kYellow, true);
    row("rpm 4999", 1, "4999", kYellow, false);
    row("rpm 30000", 1, "30000", kWhite, false);
    row("temp letters", 2, "hot", kYellow, true);
    row("heats 0.5", 3, "0.5", kWhite, true);
    row("gas constant 0", 4, "0", kWhite, true);
    row("port length empty", 6, "", kWhite, true);
    row("port length letters", 6, "abc", kWhite, false);
    row("outlet 0.09", 10, "0.09", kYellow, true);
    row("outlet 0.1", 10, "0.1", kYellow, false);
    row("horn 2", 11, "2", kWhite, false);
}

void TestMainForm::box_colours_and_the_precheck() {
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QColor, typed);
    QFETCH(bool, fails);
    TypeExample();
    PipeCalc(); // a previous design on the window
    const QString previous = Text("txtPipeDim2");
    Type(kBoxes[field], text);
    QCOMPARE(Colour(kBoxes[field]), typed);
    Find("txtPTExh")->setFocus();
    PipeCalc();
    QCOMPARE(Colour(kBoxes[field]) == kRed, fails);
    if (fails) {
        QCOMPARE(QApplication::focusWidget(), Find(kBoxes[field]));
        QCOMPARE(Text("txtPipeDim2"), previous); // results stay as they were
        for (int i = 0; i < 12; ++i)
            QVERIFY(i == field || Colour(kBoxes[i]) != kRed);
    }
}

void TestMainForm::typing_into_a_red_box_recolours_it() {
    Type("txtHeats", "0.5");
    TypeExample();
    Type("txtHeats", "0.5");
    PipeCalc();
    QCOMPARE(Colour("txtHeats"), kRed);
    QTest::keyClicks(Find("txtHeats"), "1");
    QCOMPARE(Colour("txtHeats"), kWhite);
    Type("txtPTExh", "");
    PipeCalc();
    QCOMPARE(Colour("txtPTExh"), kRed);
    QTest::keyClicks(Find("txtPTExh"), "1");
    QCOMPARE(Colour("txtPTExh"), kYellow); // 1 is outside 140 to 220
}

void TestMainForm::worked_example_fills_every_output() {
    TypeExample();
    PipeCalc();
    QCOMPARE(Text("txtPipeDim1"),
             QStringLiteral("D1 = 42.00\nD2 = 67.54\nD3 = 103.18\nD4 = 130.00\nD5 = 130.00\n"
                            "D6 = 24.00\nD7 = 24.00"));
    QCOMPARE(Text("txtPipeDim2"),
             QStringLiteral("L1 = 58.93\nL2 = 244.55\nL3 = 162.74\nL4 = 81.81\nL5 = 97.82\n"
                            "L6 = 213.43\nL7 = 213.43"));
    QCOMPARE(Text("txtPipeDim3"), QStringLiteral("L2 = 5.98\nL3 = 12.50\nL4 = 18.62\nL6 = 27.89"));
    QCOMPARE(Find("txtTunedLength")->text(), QStringLiteral("889.27"));
    QVERIFY(Text("txtWarn").isEmpty());
    QCOMPARE(Colour("txtPipeExLength"), kWhite);
    const DesignState &state = m_form->designState();
    QVERIFY(state.pipeCalculated);
    QCOMPARE(state.coneList[0].name, std::string("Cone L2"));
    QCOMPARE(state.coneList[3].name, std::string("Cone L6"));
    QCOMPARE(state.coneList[0].tipDiameter, 42.0);
    QCOMPARE(QString::number(state.coneList[0].centreLength, 'f', 2), QStringLiteral("244.55"));
}

void TestMainForm::long_port_warns_and_turns_the_box_yellow() {
    TypeExample();
    Type("txtPipeExLength", "100");
    Type("txtPipeExDiamOut", "45");
    PipeCalc();
    QCOMPARE(Colour("txtPipeExLength"), kYellow);
    QVERIFY(Text("txtPipeDim2").startsWith("L1 = 100.00\nL2 = 233.48\n"));
    QVERIFY(Text("txtPipeDim1").startsWith("D1 = 42.00\nD2 = 66.62\nD3 = 102.64\n"));
    const QStringList warn = Text("txtWarn").split('\n');
    QCOMPARE(warn.size(), 7);
    QCOMPARE(warn[0], QStringLiteral("WARNING !"));
    QCOMPARE(warn[1], QStringLiteral("Port Length should not exceed L1 (header length)."));
    QCOMPARE(warn[4], QStringLiteral("WARNING !"));
    QVERIFY(warn[5].startsWith("Header pipe inlet at the flange (F)"));
}

void TestMainForm::port_length_box_follows_the_last_calculation() {
    Type("txtPipeExLength", "500");
    QCOMPARE(Colour("txtPipeExLength"), kWhite); // no calculation yet
    TypeExample();
    PipeCalc(); // tuned length 889.27: allowance 88.93
    Type("txtPipeExLength", "89");
    QCOMPARE(Colour("txtPipeExLength"), kYellow);
    Type("txtPipeExLength", "88");
    QCOMPARE(Colour("txtPipeExLength"), kWhite);
    Type("txtPipeExLength", "89");
    PipeCalc();
    QVERIFY(Text("txtWarn").startsWith("WARNING !\nPort Length")); // the box told the truth
}

void TestMainForm::pasted_line_breaks_keep_the_first_line_data() {
    QTest::addColumn<QString>("before"); // '|' marks the cursor
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("after");
    const auto row = [](const char *name, const char *before, const char *pasted, const char *after) {
        QTest::newRow(name) << QString(before) << QString(pasted) << QString(after);
    };
    row("LF into an empty box", "|", "190\nRPM=99999", "190|");
    row("CR LF into the middle", "1.|360", "5\r\nRPM=99999\r\n", "1.5|360");
    row("lone CR", "|", "190\rRPM=99999", "190|");
    row("a break first keeps the box as it was", "30|0", "\r\ntiming=1", "30|0");
    row("no break pastes whole", "1|0", "5.5", "15.5|0");
}

void TestMainForm::pasted_line_breaks_keep_the_first_line() {
    QFETCH(QString, before);
    QFETCH(QString, pasted);
    QFETCH(QString, after);
    QLineEdit *box = Find("txtRPM");
    box->setFocus();
    QCoreApplication::processEvents(); // the select-all on focus
    box->setText(QString(before).remove('|'));
    box->setCursorPosition(before.indexOf('|'));
    QGuiApplication::clipboard()->setText(pasted);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), QString(after).remove('|'));
    QVERIFY(box->hasAcceptableInput());
    QTest::keyClicks(box, "7"); // typing goes on where the paste ended
    QCOMPARE(box->text(), QString(after).replace('|', '7'));
}

void TestMainForm::extreme_valid_designs_show_every_result_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("flange 1e13: drawn far outside the picture") << 7 << "1e13";
    QTest::newRow("RPM 1: a tuned length wider than its box") << 1 << "1";
}

void TestMainForm::extreme_valid_designs_show_every_result() {
    QFETCH(int, field);
    QFETCH(QString, text);
    TypeExample();
    Type(kBoxes[field], text);
    PipeCalc();
    PipeTexts typed; // what the command line prints for the same texts
    for (std::size_t i = 0; i < typed.size(); ++i)
        typed[i] = Find(kBoxes[i])->text().toStdString();
    const PipeResult r = ComputeChamber(ParsePipeInputs(typed, false));
    const ChamberTexts t = FormatChamber(r);
    const QString shown = QStringList{Text("txtPipeDim1"), Text("txtPipeDim2"), Text("txtPipeDim3"),
                                      Find("txtTunedLength")->text(), Text("txtWarn")}
                              .join('|');
    QCOMPARE(shown, QString::fromStdString(t.diameters + '|' + t.lengths + '|' + t.angles + '|' +
                                           t.tunedLength + '|' + r.warningText));
    QVERIFY(!shown.contains("nan") && !shown.contains("inf"));
    QVERIFY(calcwindow::ShowsItsStart(Find("txtTunedLength")));
    auto *picture = m_form->findChild<PipePicture *>("picPipe");
    QVERIFY(picture->outline() && !picture->grab().isNull());
}

void TestMainForm::failing_calculation_empties_every_result_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("rpm 40000") << 1 << "40000"
                               << "RPM is too large";
    QTest::newRow("port beyond 0.375 TL") << 6 << "400"
                                          << "negative length";
    QTest::newRow("port length unreadable") << 6 << "1e400"
                                            << "too large";
    QTest::newRow("huge diameter") << 5 << "1e300"
                                   << "too large";
}

void TestMainForm::failing_calculation_empties_every_result() {
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, reason);
    TypeExample();
    PipeCalc();
    QVERIFY(m_form->designState().pipeCalculated);
    Type(kBoxes[field], text);
    PipeCalc();
    QVERIFY2(Text("txtWarn").contains(reason), qPrintable(Text("txtWarn")));
    for (const char *box : {"txtPipeDim1", "txtPipeDim2", "txtPipeDim3"})
        QVERIFY(Text(box).isEmpty());
    QVERIFY(Find("txtTunedLength")->text().isEmpty());
    QVERIFY(!m_form->findChild<PipePicture *>("picPipe")->outline());
    QVERIFY(!m_form->designState().pipeCalculated);
    QVERIFY(m_form->designState().coneList[0].name.empty());
    const QString all = Text("txtWarn").toLower();
    QVERIFY(!all.contains("nan") && !all.contains("inf "));
    QVERIFY(m_form->isVisible());
}

void TestMainForm::drawing_follows_the_calculation() {
    auto *picture = m_form->findChild<PipePicture *>("picPipe");
    QCOMPARE(picture->geometry(), QRect(24, 288, 841, 185));
    TypeExample();
    PipeCalc();
    QVERIFY(picture->outline());
    const QSize inner = picture->innerSize();
    const PipeResult r =
        ComputeChamber(PipeInputs{190, 10000, 500, 1.36, 300, 40, 30, 38, 1.05, 3.25, 0.6, 1.25, false});
    const PipeOutline expected = BuildPipeOutline(inner.width(), inner.height(), 40, 38, 30, r.D, r.L);
    QCOMPARE(picture->outline()->upper, expected.upper);
    QCOMPARE(picture->outline()->lower, expected.lower);
    QCOMPARE(picture->outline()->upper[0].x, 10);
    QVERIFY(std::abs(picture->outline()->upper[8].x - (inner.width() - 10)) <= 1);
}

void TestMainForm::outline_pixels_at_the_example_coordinates() {
    PipePicture picture;
    picture.resize(840 + 4, 180 + 4); // the border is 2 pixels on each side
    QCOMPARE(picture.innerSize(), QSize(840, 180));
    const std::array<double, 8> D{0, 45, 80, 110, 130, 130, 22, 22};
    const std::array<double, 8> L{0, 100, 280, 180, 90, 110, 240, 240};
    picture.setOutline(BuildPipeOutline(840, 180, 40, 44, 100, D, L));
    const QImage image = picture.grab().toImage();
    const QPoint origin = picture.contentsRect().topLeft();
    const int xs[] = {10, 70, 140, 317, 425, 478, 544, 687, 831};
    const int upper[] = {72, 70, 70, 54, 41, 32, 32, 80, 80};
    const int lower[] = {108, 110, 110, 126, 139, 148, 148, 100, 100};
    for (int j = 0; j < 9; ++j) {
        QCOMPARE(image.pixelColor(origin + QPoint(xs[j], upper[j])), PipePicture::kInk);
        QCOMPARE(image.pixelColor(origin + QPoint(xs[j], lower[j])), PipePicture::kInk);
    }
    QCOMPARE(image.pixelColor(origin + QPoint(400, 90)),
             QColor(Qt::white)); // inside the pipe, on the centre line
}

void TestMainForm::plot_button_enables_batch_only_after_a_calculation() {
    auto *plotButton = Find<QPushButton>("cmdPlot");
    PlotForm *plot = m_form->plotForm();
    auto *single = plot->findChild<QRadioButton *>("optPlot(0)");
    auto *batch = plot->findChild<QRadioButton *>("optPlot(1)");
    QVERIFY(!plot->isVisible());
    QTest::mouseClick(plotButton, Qt::LeftButton);
    QVERIFY(plot->isVisible());
    QVERIFY(!batch->isEnabled());
    QVERIFY(single->isChecked());
    TypeExample();
    PipeCalc();
    QVERIFY(!batch->isEnabled()); // a calculation alone does not enable it
    QTest::mouseClick(plotButton, Qt::LeftButton);
    QVERIFY(batch->isEnabled());
    QVERIFY(batch->isChecked());
}

void TestMainForm::tools_menu_shows_the_same_window_each_time() {
    m_form->mnuTools1_Click(2);
    TubeCalcForm *cone = m_form->tubeCalcForm();
    QVERIFY(cone->isVisible());
    auto *base = cone->findChild<QLineEdit *>("txtD1");
    base->setText("100");
    cone->close(); // the close box only hides it
    QVERIFY(!cone->isVisible());
    m_form->mnuTools1_Click(2);
    QVERIFY(cone->isVisible());
    QCOMPARE(m_form->tubeCalcForm(), cone);
    QCOMPARE(cone->findChild<QLineEdit *>("txtD1")->text(), QStringLiteral("100"));
    m_form->mnuTools1_Click(7); // no such item: nothing happens
}

void TestMainForm::minimized_tool_windows_come_back() {
    const std::pair<const char *, QWidget *> controls[] = {{"mnuTools1(0)", m_form->portAreaForm()},
                                                           {"mnuTools1(1)", m_form->inputCalcForm()},
                                                           {"mnuTools1(2)", m_form->tubeCalcForm()},
                                                           {"cmdPlot", m_form->plotForm()}};
    for (const auto &[control, tool] : controls) {
        tool->showMinimized();
        QVERIFY(tool->isMinimized());
        auto *item = m_form->findChild<QAction *>(control);
        item ? item->trigger() : QTest::mouseClick(Find<QPushButton>(control), Qt::LeftButton);
        QVERIFY2(tool->isVisible() && !tool->isMinimized(), control);
        QVERIFY(QTest::qWaitForWindowActive(tool));
    }
}

void TestMainForm::returning_to_the_window_keeps_the_cursor_where_it_was() {
    QLineEdit *gas = Find("txtGasConst");
    QTest::mouseClick(gas, Qt::LeftButton);
    QTRY_COMPARE(gas->selectedText(), QStringLiteral("300"));
    QTest::keyClicks(gas, "287");
    QTest::keyClick(gas, Qt::Key_Left);
    m_form->mnuTools1_Click(2);
    QVERIFY(QTest::qWaitForWindowActive(m_form->tubeCalcForm()));
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    QCoreApplication::processEvents(); // a select-all would be deferred
    QTest::keyClicks(gas, "5");
    QCOMPARE(gas->text(), QStringLiteral("2857"));
    QTest::keyClick(gas, Qt::Key_Backtab); // moving by the keyboard still selects
    QTRY_COMPARE(Find("txtHeats")->selectedText(), QStringLiteral("1.360"));
}

void TestMainForm::closing_the_main_window_closes_every_window() {
    m_form->mnuTools1_Click(0);
    m_form->mnuTools1_Click(2);
    QTest::mouseClick(Find<QPushButton>("cmdPlot"), Qt::LeftButton);
    QVERIFY(m_form->portAreaForm()->isVisible());
    QVERIFY(m_form->close());
    QVERIFY(!m_form->isVisible());
    QVERIFY(!m_form->portAreaForm()->isVisible());
    QVERIFY(!m_form->tubeCalcForm()->isVisible());
    QVERIFY(!m_form->plotForm()->isVisible());
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
}

void TestMainForm::link_buttons_open_their_addresses() {
    UrlCatcher browser;
    QDesktopServices::setUrlHandler("https", &browser, "open");
    QTest::mouseClick(Find<QPushButton>("cmdGotoSite"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>("cmdYThelp"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(browser.opened, (QList<QUrl>{QUrl(kWebSiteAddress), QUrl(kVideoHelpAddress)}));
}

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
