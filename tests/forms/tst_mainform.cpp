// SPDX-License-Identifier: GPL-3.0-or-later
#include "appidentity.h"
#include "calcwindowdriver.h"
#include "inputcalcform.h"
#include "mainform.h"
#include "pipeinputs.h"
#include "pipepicture.h"
#include "plotform.h"
#include "portareaform.h"
#include "tubecalcform.h"
#include "weblinks.h"

#include <QDesktopServices>

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>

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
    void init() {
        auto dialogs = std::make_unique<calcwindow::ScriptedDialogs>();
        m_dialogs = dialogs.get();
        m_form = std::make_unique<MainForm>(std::move(dialogs));
        calcwindow::ShowActive(m_form.get());
    }
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

    void port_length_box_follows_the_last_calculation() {
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

    void drawing_follows_the_calculation() {
        auto *picture = m_form->findChild<PipePicture *>("picPipe");
        QCOMPARE(picture->geometry(), QRect(24, 288, 841, 185));
        TypeExample();
        PipeCalc();
        QVERIFY(picture->outline());
        QCOMPARE(picture->innerSize(), QSize(837, 181));
        QStringList upper;
        for (const PixelPoint &p : picture->outline()->upper)
            upper << QString("%1,%2").arg(p.x).arg(p.y);
        QCOMPARE(upper.join(' '), "10,71 32,72 85,70 272,58 389,41 449,28 519,28 673,79 828,79");
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

    void minimized_tool_windows_come_back() {
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

    void returning_to_the_window_keeps_the_cursor_where_it_was() {
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

    void closing_the_main_window_closes_every_window() {
        m_form->mnuTools1_Click(3); // no such item: nothing is shown
        QVERIFY(!m_form->portAreaForm()->isVisible() && !m_form->inputCalcForm()->isVisible() &&
                !m_form->tubeCalcForm()->isVisible());
        m_form->mnuTools1_Click(0);
        m_form->mnuTools1_Click(2);
        QTest::mouseClick(Find<QPushButton>("cmdPlot"), Qt::LeftButton);
        QVERIFY(m_form->portAreaForm()->isVisible());
        QVERIFY(m_form->close());
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }

    void link_buttons_open_their_addresses() {
        UrlCatcher browser;
        QDesktopServices::setUrlHandler("https", &browser, "open");
        QTest::mouseClick(Find<QPushButton>("cmdGotoSite"), Qt::LeftButton);
        QTest::mouseClick(Find<QPushButton>("cmdYThelp"), Qt::LeftButton);
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(browser.opened, (QList<QUrl>{QUrl(kWebSiteAddress), QUrl(kVideoHelpAddress)}));
    }

    // The desktop finds the program's entry and icon by the one id; every window shows the icon.
    void identity_and_icon() {
        ApplyApplicationIdentity();
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.quorvane.Quorvane"));
        const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
        QCOMPARE(sizes, (QList<QSize>{{48, 48}, {128, 128}, {256, 256}}));
        QVERIFY(!m_form->windowIcon().pixmap(48).isNull());
    }

    // Help, after Tools, holds About Quorvane: version, licence, Qt and the web address.
    void about_after_the_tools_menu() {
        QStringList menus;
        for (QAction *menu : m_form->menuBar()->actions())
            menus << menu->text();
        QCOMPARE(menus, (QStringList{"&File", "&Tools", "&Help"})); // read as File, Tools, Help
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
