// SPDX-License-Identifier: GPL-3.0-or-later
// The tool windows of the Tools menu: each shows its worked examples and draws its diagrams; the
// assembled pipe follows the main window's design and draws and saves what core assembles.

#include "assembledpipeform.h"
#include "calcwindowdriver.h"
#include "inputcalcform.h"
#include "lookandfeel.h"
#include "mainform.h"
#include "numeric.h"
#include "pattern.h"
#include "pipeview.h"
#include "portareaform.h"
#include "scratchdisk.h"
#include "stlfile.h"
#include "tubecalcform.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTableWidget>

using namespace calcwindow;
using namespace quorvane;

class TestToolForms : public QObject {
    Q_OBJECT
    std::unique_ptr<QWidget> m_form;
    QLineEdit *Box(const QString &name) { return m_form->findChild<QLineEdit *>(name); }
    void Show(const QString &name) {
        if (name == "frmPortArea")
            m_form = std::make_unique<PortAreaForm>();
        else if (name == "frmTubecalc")
            m_form = std::make_unique<TubeCalcForm>();
        else
            m_form = std::make_unique<InputCalcForm>();
        ShowActive(m_form.get());
    }

    // The main window with the example chamber calculated and the assembled pipe opened from the menu.
    std::unique_ptr<MainForm> m_main;
    ScriptedDialogs *m_dialogs = nullptr;
    AssembledPipeForm *OpenAssembledPipe(bool calculate = true) {
        m_main = ShowMainForm(&m_dialogs);
        if (calculate)
            PipeCalc(m_main.get());
        m_main->findChild<QAction *>("mnuToolsAssembledPipe")->trigger();
        AssembledPipeForm *form = m_main->assembledPipeForm();
        if (form && !QTest::qWaitForWindowActive(form))
            return nullptr;
        return form;
    }
    // Types into a cell of the bend plan as a user does: select, type over, Enter.
    static void TypeCell(QTableWidget *table, int row, int column, const QString &text) {
        QCoreApplication::processEvents(); // the last cell's editor goes
        table->setFocus();
        table->setCurrentCell(row, column);
        QTest::keyClick(table, Qt::Key_F2);
        QWidget *editor = QApplication::focusWidget();
        QVERIFY(editor && editor != table);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the editor commits its text
        QCOMPARE(table->item(row, column)->text(), text);
    }
    // What core assembles for the example with this plan, the reference the window must show.
    static AssembledPipe ExamplePipe(const std::map<std::string, BendTexts> &plan, double thickness) {
        const PipeInputs inputs{190, 10000, 500, 1.36, 300, 40, 30, 38, 1.05, 3.25, 0.6, 1.25, false};
        std::vector<PipeSection> sections = InFlowOrder(ChamberSections(inputs, ComputeChamber(inputs)));
        if (ApplyBendPlan(sections, plan, thickness))
            qFatal("the reference plan was refused");
        return AssemblePipe(sections, {thickness});
    }
    static QString EnvelopeLine(const AssembledPipe &pipe) {
        const Vec3 size = pipe.envelope.size();
        return QString::fromStdString("Envelope: " + FormatFixed(size.x, 2) + " mm long, " +
                                      FormatFixed(size.y, 2) + " mm wide, " + FormatFixed(size.z, 2) +
                                      " mm high");
    }
    // The rows of the picture holding pipe, and its columns: how tall and wide it is drawn.
    static QSize InkExtent(QWidget *picture) {
        const QImage image = picture->grab().toImage();
        int top = image.height(), bottom = -1, left = image.width(), right = -1;
        for (int y = 30; y < image.height() - 2; ++y)
            for (int x = 2; x < image.width() - 2; ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.saturation() > 40 && c != QColor(200, 40, 40)) { // the steel, not the exit's arrow
                    top = std::min(top, y), bottom = std::max(bottom, y);
                    left = std::min(left, x), right = std::max(right, x);
                }
            }
        return bottom < 0 ? QSize() : QSize(right - left + 1, bottom - top + 1);
    }

  private slots:
    void cleanup() { m_main.reset(); }

    // Made on the first use of its menu item; without a design it says what to do, then it follows each
    // Pipe Calc with the plan kept, showing core's figures for the plan typed.
    void assembled_pipe_follows_the_design_and_its_plan() {
        AssembledPipeForm *form = OpenAssembledPipe(false);
        QVERIFY(form && form->objectName() == "frmAssembledPipe" && form->isVisible());
        auto *save = form->findChild<QPushButton *>("cmdSaveStl");
        auto *figures = form->findChild<QLabel *>("lblFigures");
        auto *status = form->findChild<QPlainTextEdit *>("txtStatus");
        QVERIFY(!save->isEnabled() && status->toPlainText().contains("Press Pipe Calc"));
        QVERIFY(InkExtent(form->findChild<QWidget *>("picSide")).isEmpty());

        PipeCalc(m_main.get());
        QVERIFY(save->isEnabled() && status->toPlainText().isEmpty());
        QVERIFY(figures->text().startsWith(EnvelopeLine(ExamplePipe({}, 1))));
        auto *table = form->findChild<QTableWidget *>("tblBends");
        QCOMPARE(table->verticalHeaderItem(0)->text(), QString("Header L1"));
        QCOMPARE(table->verticalHeaderItem(6)->text(), QString("Tail L7"));

        TypeCell(table, 2, 0, "90");
        TypeCell(table, 2, 1, "5");
        TypeCell(table, 5, 0, "60");
        TypeCell(table, 5, 2, "90");
        const std::map<std::string, BendTexts> plan{{"L3", {"90", "5", "0"}}, {"L6", {"60", "4", "90"}}};
        const AssembledPipe bent = ExamplePipe(plan, 1);
        QVERIFY2(figures->text().startsWith(EnvelopeLine(bent)), qPrintable(figures->text()));
        QVERIFY(figures->text().contains("Centreline: 1,072.697 mm"));
        QVERIFY(status->toPlainText().contains("Cone L3: the centreline bend radius") &&
                status->toPlainText().contains("pipe fitters"));
        QVERIFY(form->pipe() && form->pipe()->sections[2].pieces() == 5);

        Enter(form, "txtThickness=1.5");
        QVERIFY(figures->text().startsWith(EnvelopeLine(ExamplePipe(plan, 1.5))));
        // A new design is taken up at once; the plan stays.
        ShowActive(m_main.get());
        Enter(m_main.get(), "txtRPM=11000");
        QVERIFY(status->toPlainText().startsWith("The inputs have changed since the last Pipe Calc"));
        QVERIFY(figures->text().startsWith(EnvelopeLine(ExamplePipe(plan, 1.5))));
        Click(m_main.get(), "cmdPipeCalc");
        QVERIFY(!status->toPlainText().contains("The inputs have changed"));
        QCOMPARE(table->item(2, 0)->text(), QString("90"));
        QVERIFY(!figures->text().startsWith(EnvelopeLine(ExamplePipe(plan, 1.5))));
        QCOMPARE(form->pipe()->centrelineLength() < bent.centrelineLength(), true);
        // Closing hides it; the menu shows the same window again.
        Click(form, "cmdClose");
        QVERIFY(!form->isVisible());
        m_main->findChild<QAction *>("mnuToolsAssembledPipe")->trigger();
        QVERIFY(m_main->assembledPipeForm() == form && form->isVisible());
    }

    // A refused cell turns red and says why; nothing stands drawn or savable beside it until it is mended.
    void assembled_pipe_refuses_with_the_reason() {
        AssembledPipeForm *form = OpenAssembledPipe();
        QVERIFY(form);
        auto *table = form->findChild<QTableWidget *>("tblBends");
        auto *status = form->findChild<QPlainTextEdit *>("txtStatus");
        auto *save = form->findChild<QPushButton *>("cmdSaveStl");
        const std::tuple<int, int, const char *, const char *> cases[] = {
            {0, 0, "1,5", "The bend angle of Header L1 is not a number"},
            {4, 0, "90", "The bend angle of Belly L5 is too sharp for its pieces"},
            {4, 1, "25", "The number of pieces of Belly L5 must be a whole number from 2 to 24."},
            {6, 2, "400", "The bend direction of Tail L7 must be from 0 to 360°."},
            {3, 0, "200", "needs 66.7° at each joint"},
        };
        for (const auto &[row, column, text, reason] : cases) {
            const QString before = table->item(row, column)->text();
            TypeCell(table, row, column, text);
            QVERIFY2(status->toPlainText().contains(QString::fromUtf8(reason)),
                     qPrintable(status->toPlainText()));
            QCOMPARE(status->palette().color(QPalette::Text), QColor(170, 0, 0));
            QCOMPARE(table->item(row, column)->background().color(), kRejectedRed);
            QVERIFY(!save->isEnabled() && !form->pipe() &&
                    form->findChild<QLabel *>("lblFigures")->text().isEmpty());
            QVERIFY(InkExtent(form->findChild<QWidget *>("picOrbit")).isEmpty());
            TypeCell(table, row, column, before);
            QVERIFY(save->isEnabled() && status->toPlainText().isEmpty());
            QCOMPARE(table->item(row, column)->background(), QBrush());
        }
        for (const char *thickness : {"1,5", "0", "abc", "21"}) {
            Enter(form, QString("txtThickness=") + thickness);
            QVERIFY(status->toPlainText().startsWith("The sheet thickness must be") && !save->isEnabled());
            QCOMPARE(Background(form->findChild<QLineEdit *>("txtThickness")), kRejectedRed);
        }
    }

    // Save STL writes core's solid for the plan shown, adding the extension; a full disk keeps the old file.
    void assembled_pipe_saves_the_solid() {
        AssembledPipeForm *form = OpenAssembledPipe();
        QVERIFY(form);
        auto *table = form->findChild<QTableWidget *>("tblBends");
        TypeCell(table, 1, 0, "45");
        TypeCell(table, 6, 0, "30");
        TypeCell(table, 6, 2, "270");
        QTemporaryDir dir;
        m_dialogs->answer = dir.filePath("mock-up");
        Click(form, "cmdSaveStl");
        QVERIFY(m_dialogs->asked.last().startsWith("Save STL|STL Model (*.stl)|*.stl|pipe.stl"));
        const AssembledPipe pipe = ExamplePipe({{"L2", {"45", "4", "0"}}, {"L7", {"30", "4", "270"}}}, 1);
        QCOMPARE(ReadAll(dir.filePath("mock-up.stl")), QByteArray::fromStdString(StlBytes(PipeMesh(pipe))));
        QVERIFY(m_dialogs->errors.isEmpty());

        scratch::SmallDisk disk;
        if (!disk.mounted())
            QSKIP(qPrintable(disk.error()));
        QFile old(disk.filePath("pipe.stl"));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("an earlier model") == 16);
        old.close();
        QVERIFY(disk.Fill());
        m_dialogs->answer = disk.filePath("pipe.stl");
        Click(form, "cmdSaveStl");
        QCOMPARE(m_dialogs->errors.size(), 1);
        QVERIFY2(m_dialogs->errors.first().contains("No space left on device"),
                 qPrintable(m_dialogs->errors.first()));
        QCOMPARE(ReadAll(disk.filePath("pipe.stl")), QByteArray("an earlier model"));
    }

    // A bend upwards stands up in the side view and not in the top view; the orbit turns with a drag.
    void assembled_pipe_is_drawn_and_turned() {
        AssembledPipeForm *form = OpenAssembledPipe();
        QVERIFY(form);
        QWidget *side = form->findChild<QWidget *>("picSide");
        QWidget *top = form->findChild<QWidget *>("picTop");
        const QSize straightSide = InkExtent(side);
        // Straight: a long pipe, as wide as the view allows, some seven times as long as it is thick.
        QVERIFY(straightSide.width() > side->width() * 3 / 4 &&
                straightSide.width() > 5 * straightSide.height());
        QCOMPARE(InkExtent(top), straightSide);
        TypeCell(form->findChild<QTableWidget *>("tblBends"), 2, 0, "90");
        const QSize bentSide = InkExtent(side), bentTop = InkExtent(top);
        QVERIFY2(bentSide.height() > 2 * bentSide.width() / 3,
                 qPrintable(QString("%1x%2").arg(bentSide.width()).arg(bentSide.height())));
        QVERIFY(bentTop.height() < bentTop.width() / 3);

        auto *orbit = form->findChild<PipeView *>("picOrbit");
        const QImage before = orbit->grab().toImage();
        const double yaw = orbit->yaw(), pitch = orbit->pitch();
        QTest::mousePress(orbit, Qt::LeftButton, {}, QPoint(100, 100));
        QMouseEvent move(QEvent::MouseMove, QPointF(160, 80), orbit->mapToGlobal(QPointF(160, 80)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(orbit, &move);
        QTest::mouseRelease(orbit, Qt::LeftButton, {}, QPoint(160, 80));
        QCOMPARE(orbit->yaw(), yaw - 30);
        QCOMPARE(orbit->pitch(), pitch - 10);
        QVERIFY(orbit->grab().toImage() != before);
    }

    void worked_examples_data() {
        examples::AddRows(CalculationsOf("frmPortArea") + CalculationsOf("frmTubecalc") +
                              CalculationsOf("frmInputCalc"),
                          "window");
    }
    void worked_examples() {
        QFETCH(examples::Case, example);
        Show(examples::How(example.calculation, "window").section(' ', 0, 0));
        RunExample(m_form.get());
    }

    // Black outlines and blue dimensions, the outlines neither missing nor filling the picture.
    void diagrams_are_drawn() {
        for (const auto &[window, name, fewestDark, darkShare] :
             {std::tuple{"frmPortArea", "Picture1", 100, 3},
              {"frmPortArea", "picSegment", 100, 3},
              {"frmTubecalc", "picCentre", 150, 2},
              {"frmTubecalc", "picSide", 150, 2},
              {"frmTubecalc", "picAngle", 150, 2}}) {
            Show(window);
            QWidget *picture = m_form->findChild<QWidget *>(name);
            const auto [dark, blue] = Ink(picture);
            QVERIFY2(dark > fewestDark && dark < picture->width() * picture->height() / darkShare &&
                         blue > 40,
                     name);
        }
    }

    void the_written_box_does_not_convert_back() {
        Show("frmInputCalc");
        QSignalSpy celsiusChanges(Box("txtConvCF(0)"), &QLineEdit::textChanged);
        QSignalSpy fahrenheitChanges(Box("txtConvCF(1)"), &QLineEdit::textChanged);
        Enter(m_form.get(), "txtConvCF(1)=212");
        // One change per key in each box: converting back would have rewritten 212 as 212.000.
        Expect(m_form.get(), "txtConvCF(0)=100.000 txtConvCF(1)=212");
        QCOMPARE(fahrenheitChanges.count(), 3);
        QCOMPARE(celsiusChanges.count(), 3);
    }

    void only_the_box_that_last_had_the_focus_converts() {
        Show("frmInputCalc");
        // No box has had the focus yet: the first box of each pair is the recorded one.
        Box("txtConvCF(1)")->setText("212");
        Expect(m_form.get(), "txtConvCF(0)=");
        Box("txtConvCF(0)")->setText("100");
        Expect(m_form.get(), "txtConvCF(1)=212.000");
        // The pair remembers its box while the focus works elsewhere; each pair keeps its own record.
        Enter(m_form.get(), "txtConvCF(1)=32 txtPwrKW=30");
        Box("txtConvCF(0)")->setText("55");
        Expect(m_form.get(), "txtConvCF(1)=32");
        Box("txtConvCF(1)")->setText("50");
        Box("txtConvKwHP(0)")->setText("10");
        Expect(m_form.get(), "txtConvCF(0)=10.000 txtConvKwHP(1)=13.410");
        // The window closed and shown again keeps the records.
        CloseAndReopen(m_form.get(), "cmdOK");
        Box("txtConvCF(1)")->setText("212");
        Expect(m_form.get(), "txtConvCF(0)=100.000");
    }
};

QTEST_MAIN(TestToolForms)
#include "tst_toolforms.moc"
