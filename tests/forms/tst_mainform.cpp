// SPDX-License-Identifier: GPL-3.0-or-later
#include "appidentity.h"
#include "calcwindowdriver.h"
#include "helpwindow.h"
#include "inputcalcform.h"
#include "mainform.h"
#include "pipeinputs.h"
#include "pipepicture.h"
#include "plotform.h"
#include "portareaform.h"
#include "templateform.h"
#include "tubecalcform.h"
#include "weblinks.h"

#include <QDesktopServices>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTextBrowser>

using namespace quorvane;

namespace {

const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);

// The boxes that show each result of the worked examples.
const std::pair<const char *, const char *> kResults[] = {{"diameters", "txtPipeDim1"},
                                                          {"lengths", "txtPipeDim2"},
                                                          {"angles", "txtPipeDim3"},
                                                          {"tunedLength", "txtTunedLength"},
                                                          {"warnings", "txtWarn"}};

const char *BoxOf(const QString &key) {
    return calcwindow::kPipeBoxes[std::size_t(*FieldByKey(key.toStdString()))];
}

} // namespace

// Stands in for the desktop's browser.
class UrlCatcher : public QObject {
    Q_OBJECT

  public:
    QList<QUrl> opened;

  public slots:
    void open(const QUrl &url) { opened << url; }
};

class TestMainForm : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MainForm> m_form;
    calcwindow::ScriptedDialogs *m_dialogs = nullptr;

    template <class T = QLineEdit> T *Find(const char *name) const { return m_form->findChild<T *>(name); }
    QColor Colour(const char *box) const { return Find(box)->palette().color(QPalette::Base); }
    void Type(const char *box, const QString &text) { calcwindow::Type(m_form.get(), box, text); }
    void TypeCase(const examples::Case &example) {
        for (const auto &[key, text] : example.inputs.asKeyValueRange())
            if (key == "straightHeader")
                Find<QCheckBox>("chkHeader")->setChecked(true);
            else if (key != "thickness")
                Type(BoxOf(key), text);
    }
    void TypeExample() { TypeCase(examples::Find("chamber", "worked example")); }
    void PipeCalc() { QTest::mouseClick(Find<QPushButton>("cmdPipeCalc"), Qt::LeftButton); }
    // A tool window shown the way the user shows it: its menu item or button.
    QWidget *ShowTool(const QString &name) {
        const std::pair<const char *, const char *> ways[] = {{"frmPortArea", "mnuTools1(0)"},
                                                              {"frmInputCalc", "mnuTools1(1)"},
                                                              {"frmTubecalc", "mnuTools1(2)"},
                                                              {"TemplateForm", "mnuFileTemplates"},
                                                              {"frmPlot", "cmdPlot"}};
        for (const auto &[window, control] : ways)
            if (name == window) {
                auto *item = m_form->findChild<QAction *>(control);
                item ? item->trigger() : QTest::mouseClick(Find<QPushButton>(control), Qt::LeftButton);
            }
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == name && w->isVisible())
                return w;
        return nullptr;
    }
    HelpWindow *Help() const {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *help = qobject_cast<HelpWindow *>(w))
                return help;
        return nullptr;
    }
    QString Text(const char *box) const {
        const QWidget *w = Find<QWidget>(box);
        return w->property(w->inherits("QLineEdit") ? "text" : "plainText").toString();
    }

    void CheckChamber(const examples::Case &example, const examples::Case &before) {
        const PipePicture *picture = m_form->findChild<PipePicture *>("picPipe");
        if (example.outputs.contains("refused")) { // only the refused box turns red; the results stay
            const char *box = BoxOf(example.outputs["refused"]);
            QCOMPARE(QApplication::focusWidget(), Find(box));
            for (const char *other : calcwindow::kPipeBoxes)
                QCOMPARE(Colour(other) == kRed, QString(other) == box);
            for (const auto &[name, shownIn] : kResults)
                QCOMPARE(Text(shownIn), before.outputs[name]);
        } else if (example.outputs.contains("why")) { // no result of the design before stands
            QVERIFY2(examples::Matches(Text("txtWarn"), example.outputs["why"]), qPrintable(Text("txtWarn")));
            for (const auto &[name, shownIn] : kResults)
                QVERIFY(QString(shownIn) == "txtWarn" || Text(shownIn).isEmpty());
            QVERIFY(!picture->outline() && !m_form->designState().pipeCalculated);
            QVERIFY(m_form->designState().coneList[0].name.empty());
        } else {
            for (const auto &[name, shownIn] : kResults)
                if (example.outputs.contains(name))
                    QCOMPARE(Text(shownIn), example.outputs[name]);
            if (example.outputs.contains("warnings"))
                QCOMPARE(Colour("txtPipeExLength") == kYellow,
                         example.outputs["warnings"].contains("Port Length should not exceed"));
            QVERIFY(picture->outline() && m_form->designState().pipeCalculated);
            QVERIFY(calcwindow::ShowsItsStart(Find("txtTunedLength")));
        }
    }

    // The chamber is calculated, Plot Flat Cones offers its four cones, and the single-cone boxes stay empty.
    void CheckBatch(const examples::Case &example) {
        TypeCase(example);
        PipeCalc();
        QTest::mouseClick(Find<QPushButton>("cmdPlot"), Qt::LeftButton);
        PlotForm *plot = m_form->plotForm();
        QVERIFY(QTest::qWaitForWindowActive(plot));
        calcwindow::Type(plot, "txtSheetThick", example.inputs.value("thickness"));
        const bool refused = example.outputs.contains("refused");
        for (int press = 0; press < 2; ++press) {
            QTest::mouseClick(plot->findChild<QPushButton *>("cmdPlot"), Qt::LeftButton);
            QCOMPARE(plot->findChild<QPlainTextEdit *>("txtOutput")->toPlainText(),
                     example.outputs.value("report"));
            QCOMPARE(plot->findChild<QLineEdit *>("txtSheetThick")->palette().color(QPalette::Base) == kRed,
                     refused);
            QCOMPARE(QApplication::focusWidget()->objectName(), refused ? "txtSheetThick" : "cmdPlot");
        }
    }

  private slots:
    void init() { m_form = calcwindow::ShowMainForm(&m_dialogs); }
    void cleanup() { m_form.reset(); }

    void fresh_window_shows_its_initial_state() {
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Quorvane (v1.0.0)"));
        QCOMPARE(m_form->centralWidget()->size(), QSize(891, 540));
        QCOMPARE(QApplication::focusWidget(), Find("txtPTExh"));
        for (std::size_t i = 0; i < 12; ++i) {
            QCOMPARE(Find(calcwindow::kPipeBoxes[i])->text(), QString::fromStdString(InitialPipeTexts()[i]));
            QCOMPARE(Colour(calcwindow::kPipeBoxes[i]), kWhite);
        }
        QVERIFY(!Find<QCheckBox>("chkHeader")->isChecked());
        QTest::mouseClick(Find("txtHeats"), Qt::LeftButton, {}, QPoint(30, 12)); // a click lands mid-text
        QTRY_COMPARE(Find("txtHeats")->selectedText(), QStringLiteral("1.360")); // yet typing replaces it all
        QVERIFY(!m_form->designState().pipeCalculated);
        QVERIFY(!m_form->findChild<PipePicture *>("picPipe")->outline());
    }

    void worked_examples_data() { examples::AddRows({"chamber", "flatcone --batch"}, "window"); }
    // Each chamber case is typed over the worked example, calculated before it; Pipe Calc is pressed twice.
    void worked_examples() {
        QFETCH(examples::Case, example);
        if (example.calculation != "chamber")
            return CheckBatch(example);
        const examples::Case &before = examples::Find("chamber", "worked example");
        TypeCase(before);
        PipeCalc();
        TypeCase(example);
        const QStringList yellow = example.outputs.value("yellow").split(' ');
        for (const PipeFieldInfo &info : PipeFields()) // the port length box has a rule of its own
            if (QString(info.key) != "portLength")
                QCOMPARE(Colour(BoxOf(info.key)), yellow.contains(info.key) ? kYellow : kWhite);
        Find<QCheckBox>("chkHeader")->setFocus(); // away from every box: a refusal must move the focus
        for (int press = 0; press < 2; ++press) {
            PipeCalc();
            CheckChamber(example, before);
        }
        if (const QString refused = example.outputs.value("refused"); !refused.isEmpty()) {
            QTest::keyClicks(Find(BoxOf(refused)), "1"); // typing into the red box gives it its colour again
            QCOMPARE(Colour(BoxOf(refused)), yellow.contains(refused) ? kYellow : kWhite);
        }
    }

    // Enter in an input box is Pipe Calc, the refusal of an empty box too; the drawing and the port length
    // box follow the calculation.
    void enter_calculates_and_the_window_follows() {
        auto *picture = m_form->findChild<PipePicture *>("picPipe");
        QCOMPARE(picture->geometry(), QRect(24, 288, 841, 185));
        Type("txtPipeExLength", "500");
        QCOMPARE(Colour("txtPipeExLength"), kWhite); // no calculation yet
        QTest::keyClick(Find("txtHeats"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), Find("txtPTExh"));
        QCOMPARE(Colour("txtPTExh"), kRed);
        TypeExample();
        QTest::keyClick(Find("txtPipeHornRatio"), Qt::Key_Enter);
        QCOMPARE(Text("txtTunedLength"), "889.27"); // the allowance is 88.93
        QVERIFY(m_form->designState().pipeCalculated && picture->outline());
        QCOMPARE(picture->innerSize(), QSize(837, 181));
        QStringList upper;
        for (const PixelPoint &p : picture->outline()->upper)
            upper << QString("%1,%2").arg(p.x).arg(p.y);
        QCOMPARE(upper.join(' '), "10,71 32,72 85,70 272,58 389,41 449,28 519,28 673,79 828,79");
        Type("txtPipeExLength", "89");
        QCOMPARE(Colour("txtPipeExLength"), kYellow);
        Type("txtPipeExLength", "88");
        QCOMPARE(Colour("txtPipeExLength"), kWhite);
        Type("txtPipeExLength", "89");
        PipeCalc();
        QVERIFY(Text("txtWarn").startsWith("WARNING !\nPort Length")); // the box told the truth
    }

    void pasted_line_breaks_keep_the_first_line_data() {
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
    void pasted_line_breaks_keep_the_first_line() {
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

    void outline_pixels_at_the_example_coordinates() {
        const examples::Case &example = examples::Find("outline", "worked example");
        PipePicture picture;
        picture.resize(840 + 4, 180 + 4); // the border is 2 pixels on each side
        QCOMPARE(picture.innerSize(), QSize(840, 180));
        PipeOutline outline;
        for (std::size_t j = 0; j < 9; ++j)
            for (auto [points, side] :
                 {std::pair(&outline.upper, "upper"), std::pair(&outline.lower, "lower")}) {
                const QStringList xy = example.outputs[side].section(' ', int(j), int(j)).split(',');
                (*points)[j] = {xy[0].toInt(), xy[1].toInt()};
            }
        picture.setOutline(outline);
        const QImage image = picture.grab().toImage();
        const QPoint origin = picture.contentsRect().topLeft();
        for (std::size_t j = 0; j < 9; ++j)
            for (const PixelPoint &p : {outline.upper[j], outline.lower[j]})
                QCOMPARE(image.pixelColor(origin + QPoint(p.x, p.y)), PipePicture::kInk);
        QCOMPARE(image.pixelColor(origin + QPoint(400, 90)), QColor(Qt::white)); // inside, on the centre line
    }

    // Pressed after a calculation it offers the batch; the batch cases of the worked examples show that.
    void plot_button_offers_no_batch_before_a_calculation() {
        PlotForm *plot = m_form->plotForm();
        QTest::mouseClick(Find<QPushButton>("cmdPlot"), Qt::LeftButton);
        QVERIFY(plot->isVisible() && !plot->findChild<QRadioButton *>("optPlot(1)")->isEnabled());
        TypeExample();
        PipeCalc(); // a calculation alone offers nothing
        QVERIFY(!plot->findChild<QRadioButton *>("optPlot(1)")->isEnabled());
    }

    void returning_to_the_window_keeps_the_cursor_where_it_was() {
        QLineEdit *gas = Find("txtGasConst");
        QTest::mouseClick(gas, Qt::LeftButton);
        QTRY_COMPARE(gas->selectedText(), QStringLiteral("300"));
        QTest::keyClicks(gas, "287");
        QTest::keyClick(gas, Qt::Key_Left);
        m_form->mnuTools1_Click(2);
        QVERIFY(QTest::qWaitForWindowActive(m_form->tubeCalcForm()));
        calcwindow::ShowActive(m_form.get());
        QCoreApplication::processEvents(); // a select-all would be deferred
        QTest::keyClicks(gas, "5");
        QCOMPARE(gas->text(), QStringLiteral("2857"));
        QTest::keyClick(gas, Qt::Key_Backtab); // moving by the keyboard still selects
        QTRY_COMPARE(Find("txtHeats")->selectedText(), QStringLiteral("1.360"));
    }

    // Nothing but the main window is built at start; each window is built when first shown, once.
    void windows_are_built_on_first_use() {
        const auto built = [] {
            QStringList names;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->inherits("quorvane::ToolWindow"))
                    names << w->objectName();
            names.sort();
            return names;
        };
        QCOMPARE(built(), QStringList());
        QWidget *tube = ShowTool("frmTubecalc");
        QVERIFY(tube && tube == m_form->tubeCalcForm());
        QCOMPARE(built(), QStringList{"frmTubecalc"});
        QCOMPARE(ShowTool("frmTubecalc"), tube);
        QTest::keyClick(m_form.get(), Qt::Key_F1);
        QCOMPARE(built(), (QStringList{"frmHelp", "frmTubecalc"}));
    }

    // The File keys, the Alt letter of the File menu and F1, pressed in the main window; Ctrl+Q closes the
    // main window and with it every other.
    void keys_of_the_main_window() {
        QTemporaryDir dir;
        m_dialogs->answer = dir.filePath("keys.txt");
        Type("txtRPM", "12345");
        QTest::keyClick(m_form.get(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(m_dialogs->asked.value(0), "Save Pipe Values|Saved Pipe Values (*.txt)|*.txt|MyPipe.txt");
        QVERIFY(calcwindow::ReadAll(m_dialogs->answer).contains("RPM=12345\r\n"));
        Type("txtRPM", "9");
        QTest::keyClick(m_form.get(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(m_dialogs->asked.value(1), "Open Saved Pipe Values|Saved Pipe Values (*.txt)|*.txt");
        QCOMPARE(Text("txtRPM"), "12345");

        QTest::keyClick(m_form.get(), Qt::Key_F, Qt::AltModifier);
        auto *file = m_form->findChild<QMenu *>("mnuFile");
        QTRY_COMPARE(QApplication::activePopupWidget(), file);
        QTest::keyClick(file, Qt::Key_Escape);
        QTRY_VERIFY(!file->isVisible());

        QTest::keyClick(m_form.get(), Qt::Key_T, Qt::ControlModifier);
        QVERIFY(m_form->templateForm()->isVisible());
        calcwindow::ShowActive(m_form.get());
        QTest::keyClick(m_form.get(), Qt::Key_F1);
        QVERIFY(Help() && Help()->isVisible());
        QCOMPARE(Help()->currentPage(), "index.html");
        m_form->mnuTools1_Click(3); // no such item: nothing is shown
        QVERIFY(!m_form->portAreaForm()->isVisible() && !m_form->inputCalcForm()->isVisible() &&
                !m_form->tubeCalcForm()->isVisible());
        m_form->mnuTools1_Click(0);
        m_form->mnuTools1_Click(2);
        QTest::mouseClick(Find<QPushButton>("cmdPlot"), Qt::LeftButton);
        QVERIFY(m_form->portAreaForm()->isVisible());
        calcwindow::ShowActive(m_form.get());
        QTest::keyClick(m_form.get(), Qt::Key_Q, Qt::ControlModifier); // closes every window
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }

    // Every menu and item has an Alt letter of its own within its menu; the captions read as before, the
    // menus File, Tools and Help.
    void every_menu_item_has_its_own_alt_letter() {
        QStringList captions;
        for (QAction *menuAction : m_form->menuBar()->actions()) {
            QSet<QChar> letters;
            QStringList items;
            for (QAction *item : menuAction->menu()->actions()) {
                if (item->isSeparator())
                    continue;
                const qsizetype amp = item->text().indexOf('&');
                QVERIFY2(amp >= 0 && amp + 1 < item->text().size(), qPrintable(item->text()));
                QVERIFY2(!letters.contains(item->text()[amp + 1].toLower()), qPrintable(item->text()));
                letters.insert(item->text()[amp + 1].toLower());
                items << QString(item->text()).remove('&');
            }
            captions << menuAction->text() + ": " + items.join(", ");
        }
        QCOMPARE(
            captions,
            (QStringList{"&File: Open Pipe, Save Pipe, Cutting Templates\u2026, Quit",
                         "&Tools: Port Calculators, Input Value Calculators, Cone Calculators, Wave Timing, "
                         "Assembled Pipe",
                         "&Help: Quorvane Help, About Quorvane"}));
    }

    void tool_window_keys_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("chapter");
        QTest::addColumn<QString>("focused"); // the box the keys are pressed in
        QTest::addColumn<QString>("close");   // its Close button
        for (const auto &[name, window, chapter, focused, close] :
             {std::tuple{"plot", "frmPlot", "flat-cone-plot.html", "txtD1", "cmdClose"},
              {"port area", "frmPortArea", "port-area.html", "txtBore", "cmdOK"},
              {"input values", "frmInputCalc", "input-values.html", "txtPwrKW", "cmdOK"},
              {"cones", "frmTubecalc", "cone-calculator.html", "txtSideLen", "cmdCancel"},
              {"templates", "TemplateForm", "templates.html", "txtThickness", "cmdClose"}})
            QTest::newRow(name) << QString(window) << QString(chapter) << QString(focused) << QString(close);
    }
    // Shown again from minimized; F1 opens the window's own chapter; Esc and Ctrl+W hide it with its values
    // kept, from a box too, as do its Close button and close box.
    void tool_window_keys() {
        QFETCH(QString, window);
        QFETCH(QString, chapter);
        QFETCH(QString, focused);
        QFETCH(QString, close);
        QWidget *tool = ShowTool(window);
        QVERIFY(tool);
        tool->showMinimized();
        QVERIFY(tool->isMinimized());
        QVERIFY(ShowTool(window) == tool && !tool->isMinimized() && QTest::qWaitForWindowActive(tool));
        calcwindow::Type(tool, focused, "42");
        QWidget *box = tool->findChild<QLineEdit *>(focused);
        QTest::keyClick(box, Qt::Key_F1);
        QVERIFY(Help() && Help()->isVisible());
        QCOMPARE(Help()->currentPage(), chapter);
        QVERIFY(!Help()->findChild<QTextBrowser *>()->document()->toPlainText().isEmpty());
        QVERIFY(QTest::qWaitForWindowActive(Help()));
        QTest::keyClick(Help(), Qt::Key_Escape);
        QVERIFY(!Help()->isVisible());
        for (const QKeySequence &keys : {QKeySequence(Qt::Key_Escape), QKeySequence("Ctrl+W")}) {
            QVERIFY(ShowTool(window) == tool && QTest::qWaitForWindowActive(tool));
            box->setFocus();
            QTest::keySequence(box, keys);
            QVERIFY2(!tool->isVisible(), qPrintable(keys.toString()));
        }
        QVERIFY(ShowTool(window) == tool);
        calcwindow::CloseAndReopen(tool, close);
        QCOMPARE(tool->findChild<QLineEdit *>(focused)->text(), "42");
    }

    void enter_presses_the_button_of_the_box_group_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("entries"); // Enter is pressed in the last box typed
        QTest::addColumn<QString>("results");
        const char *port = "frmPortArea", *input = "frmInputCalc", *cones = "frmTubecalc";
        for (const auto &[name, window, entries, results] : {
                 std::tuple{"chordal width", port, "txtPortWidthFlat=30 txtBore=60", "txtPortWidth=28.77"},
                 {"area", port, "txtPortWidth=40 txtPortRad1=5 txtPortRad2=3 txtPortHeight=30",
                  "txtPipeArea=1185.41 txtPipeDiam=38.85"},
                 {"segment only", port, "txtSegmentRad=50 txtSegmentHeight=5",
                  "txtSegmentOut=146.81 txtPipeArea="},
                 {"area to diameter", port, "txtPipeArea=1000000", "txtPipeDiam=1,128.38"},
                 {"timing", input, "txtPTlengthCR=110 txtExhPortTop=27 txtPTstroke=54",
                  "txtPTExh=194.10 txtExhPortHeight=27.00 txtBMEPout="},
                 {"bmep", input, "txtPwrKW=30 txtRPM=11000 txtStrokeBMEP=54.5 txtBoreBMEP=54",
                  "txtBMEPout=13.11 txtPTExh="},
                 {"from angle", cones, "txtD1=100 txtD2=50 txtAngleIn=14.04",
                  "txtLenCone=99.97 txtSideLenOut=103.05 txtAngleOut="},
                 {"from side", cones, "txtD1=100 txtD2=50 txtSideLen=103.08",
                  "txtLenCone=100.00 txtAngleOut=14.04 txtSideLenOut="},
                 {"from centre", cones, "txtD1=100 txtD2=50 txtLenConeInput=100",
                  "txtAngleOut=14.04 txtSideLenOut=103.08 txtLenCone="},
                 {"shared diameter: nothing", cones, "txtAngleIn=14.04 txtD2=50 txtD1=100",
                  "txtLenCone= txtSideLenOut="},
                 {"plot cone", "frmPlot", "txtD1=120 txtD2=80 txtLenConeInput=150 txtSheetThick=1.5", ""},
             })
            QTest::newRow(name) << QString(window) << QString(entries) << QString(results);
    }
    void enter_presses_the_button_of_the_box_group() {
        QFETCH(QString, window);
        QFETCH(QString, entries);
        QFETCH(QString, results);
        QWidget *tool = ShowTool(window);
        QVERIFY(tool && QTest::qWaitForWindowActive(tool));
        calcwindow::Enter(tool, entries);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        calcwindow::Expect(tool, results);
        if (window == "frmPlot")
            QCOMPARE(tool->findChild<QPlainTextEdit *>("txtOutput")->toPlainText(),
                     examples::Find("flatcone", "base 120, tip 80, length 150, sheet 1.5")
                         .outputs.value("report"));
    }

    void results_carry_into_the_design_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("entries");
        QTest::addColumn<QString>("result"); // its box
        QTest::addColumn<QString>("design"); // the main window's box and the text it takes
        const char *port = "txtPortWidth=40 txtPortHeight=30 txtPortRad1=5 txtPortRad2=3";
        for (const auto &[name, window, entries, result, design] : {
                 std::tuple{"port diameter", "frmPortArea", port, "txtPipeDiam", "txtPipeExDiam=38.85"},
                 {"port diameter of thousands", "frmPortArea", "txtPipeArea=1000000", "txtPipeDiam",
                  "txtPipeExDiam=1128.38"},
                 {"timing", "frmInputCalc", "txtPTstroke=54 txtPTlengthCR=110 txtExhPortTop=27", "txtPTExh",
                  "txtPTExh=194.10"},
                 {"temperature at 13.11 bar", "frmInputCalc",
                  "txtPwrKW=30 txtRPM=11000 txtBoreBMEP=54 txtStrokeBMEP=54.5", "txtBMEPout", "txtTemp=650"},
                 {"temperature at 9.61 bar", "frmInputCalc",
                  "txtPwrKW=20 txtRPM=10000 txtBoreBMEP=54 txtStrokeBMEP=54.5", "txtBMEPout", "txtTemp=580"},
             })
            QTest::newRow(name) << QString(window) << QString(entries) << QString(result) << QString(design);
    }
    // The result's context menu writes it into the design's box as typing would (the box's colour
    // follows); no other box, result or calculation of the main window changes.
    void results_carry_into_the_design() {
        QFETCH(QString, window);
        QFETCH(QString, entries);
        QFETCH(QString, result);
        QFETCH(QString, design);
        const QString target = design.section('=', 0, 0);
        TypeExample();
        PipeCalc();
        Type(qPrintable(target), "5"); // yellow for timing and temperature, white for the diameter
        QStringList before;
        for (const char *box : calcwindow::kPipeBoxes)
            before << Text(box);
        const QString tuned = Text("txtTunedLength");

        QWidget *tool = ShowTool(window);
        QVERIFY(tool && QTest::qWaitForWindowActive(tool));
        auto *box = tool->findChild<QLineEdit *>(result);
        auto *use = box->findChild<QAction *>("actUseInDesign");
        QVERIFY(use && !use->isEnabled()); // nothing to carry yet
        calcwindow::Enter(tool, entries);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY2(use->isEnabled(), qPrintable(box->text()));
        const char *label = target == "txtPTExh" ? "Label16" : target == "txtTemp" ? "Label4" : "Label33";
        QVERIFY2(QString(use->text())
                     .remove('&')
                     .startsWith("Use in the design as " + Find<QLabel>(label)->text().trimmed()),
                 qPrintable(use->text()));

        // The item stands first in the box's own menu.
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(box, &event);
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QCOMPARE(menu->actions().value(0), use);
        QVERIFY(menu->actions().size() > 2); // copy, select all and the rest stay
        menu->close();
        use->trigger();

        for (int i = 0; i < 12; ++i) // the target box alone changes
            QCOMPARE(Text(calcwindow::kPipeBoxes[i]),
                     calcwindow::kPipeBoxes[i] == target ? design.section('=', 1) : before[i]);
        QCOMPARE(Colour(qPrintable(target)), kWhite);
        QCOMPARE(Text("txtTunedLength"), tuned);
        QVERIFY(m_form->designState().pipeCalculated);
    }

    // Every chapter the contents list names is shipped, each page's links land on shipped pages, and
    // the manual follows them, Back and Contents included; the web is left to the browser, as are the
    // main window's link buttons.
    void manual_pages_and_their_links() {
        const QList<HelpChapter> chapters = HelpChapters();
        QVERIFY(chapters.size() >= 10);
        QStringList pages{"index.html"};
        for (const HelpChapter &chapter : chapters) {
            QVERIFY2(!chapter.title.isEmpty(), qPrintable(chapter.page));
            pages << chapter.page;
        }
        static const QRegularExpression link(QStringLiteral("href=\"([^\"]*)\""));
        for (const QString &page : pages) {
            QFile file(":/help/" + page);
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(page));
            const QString html = QString::fromUtf8(file.readAll());
            QVERIFY2(html.contains("<meta charset=\"utf-8\">") && !html.contains("nan") &&
                         !html.contains("inf "),
                     qPrintable(page));
            for (const QRegularExpressionMatch &m : link.globalMatch(html)) {
                const QString target = m.captured(1).section('#', 0, 0);
                QVERIFY2(target.startsWith("https://") || pages.contains(target),
                         qPrintable(page + " links to " + target));
            }
        }
        QTest::keyClick(m_form.get(), Qt::Key_F1);
        HelpWindow *help = Help();
        QVERIFY(help && QTest::qWaitForWindowActive(help));
        auto *browser = help->findChild<QTextBrowser *>("txtHelp");
        QVERIFY(browser->toPlainText().contains("Contents"));
        emit browser->anchorClicked(QUrl("port-area.html"));
        QCOMPARE(help->currentPage(), "port-area.html");
        QVERIFY(browser->toPlainText().contains("Use in the design as Port Diam (P)"));
        emit browser->anchorClicked(QUrl("templates.html"));
        QTest::mouseClick(help->findChild<QPushButton *>("cmdBack"), Qt::LeftButton);
        QCOMPARE(help->currentPage(), "port-area.html");
        QTest::mouseClick(help->findChild<QPushButton *>("cmdContents"), Qt::LeftButton);
        QCOMPARE(help->currentPage(), "index.html");
        UrlCatcher browserOutside; // which gets the main window's link buttons' addresses too
        QDesktopServices::setUrlHandler("https", &browserOutside, "open");
        emit browser->anchorClicked(QUrl("https://www.quorvane.org/"));
        QCOMPARE(help->currentPage(), "index.html");
        QTest::mouseClick(Find<QPushButton>("cmdGotoSite"), Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>("cmdYThelp"), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(browserOutside.opened, (QList<QUrl>{QUrl("https://www.quorvane.org/"), QUrl(kWebSiteAddress),
                                                     QUrl(kVideoHelpAddress)}));
    }

    // The desktop finds the program's entry and icon by the one id; every window shows the icon.
    void identity_and_icon() {
        ApplyApplicationIdentity();
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.quorvane.Quorvane"));
        QCOMPARE(QApplication::windowIcon().availableSizes(), (QList<QSize>{{48, 48}, {128, 128}}));
        QVERIFY(!m_form->windowIcon().pixmap(48).isNull());
        // The pictures the program built in are the PNGs the desktop gets, pixel for pixel.
        for (const int size : {48, 128}) {
            const QImage png(
                QStringLiteral(QUORVANE_TEST_DATA "/../../data/icons/%1x%1/org.quorvane.Quorvane.png")
                    .arg(size));
            QVERIFY(!png.isNull());
            QCOMPARE(QApplication::windowIcon().pixmap(size).toImage().convertToFormat(
                         QImage::Format_ARGB32_Premultiplied),
                     png.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        }
    }

    // Help holds About Quorvane: version, licence, Qt and the web address.
    void about_quorvane() {
        Find<QAction>("mnuHelpAbout")->trigger();
        QCOMPARE(m_dialogs->about.size(), 1);
        for (const QString &part :
             {QStringLiteral("About Quorvane|Quorvane 1.0.0"),
              QStringLiteral("GNU General Public License, version 3 or later"),
              QStringLiteral("running on Qt ") + qVersion(), QStringLiteral("https://www.quorvane.org/")})
            QVERIFY2(m_dialogs->about[0].contains(part), qPrintable(m_dialogs->about[0]));
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_mainform.moc"
