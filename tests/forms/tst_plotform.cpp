#include "chamber.h"
#include "designstate.h"
#include "flatcone.h"
#include "lookandfeel.h"
#include "numeric.h"
#include "pipeinputs.h"
#include "plotform.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <memory>

using namespace quorvane;

namespace {

const QStringList kInputs = {"txtD1", "txtD2", "txtLenConeInput", "txtSheetThick"};

// The main window's worked example, calculated as its Pipe Calc would.
DesignState CalculatedExample() {
    const PipeTexts texts = {"190", "10000", "500",  "1.36", "300", "40",
                             "30",  "38",    "1.05", "3.25", "0.6", "1.25"};
    DesignState state;
    state.coneList = ConeListOf(ComputeChamber(ParsePipeInputs(texts, false)));
    state.pipeCalculated = true;
    return state;
}

QString Fixed(double v) {
    return QString::fromStdString(FormatFixed(v, 2));
}

} // namespace

class TestPlotForm : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void opens_empty_with_single_plot_selected_and_batch_disabled();
    void controls_stand_where_the_layout_puts_them_data();
    void controls_stand_where_the_layout_puts_them();
    void single_plot_worked_example_digit_for_digit();
    void thickness_lengthens_only_the_arcs_data();
    void thickness_lengthens_only_the_arcs();
    void single_plot_refuses_the_first_failing_box_data();
    void single_plot_refuses_the_first_failing_box();
    void typing_into_a_red_box_restores_its_colour_data();
    void typing_into_a_red_box_restores_its_colour();
    void cylinder_gives_a_rectangle();
    void numbers_too_large_show_a_reason_not_nan_data();
    void numbers_too_large_show_a_reason_not_nan();
    void batch_plots_the_four_cones_of_the_calculation();
    void batch_ignores_the_single_plot_boxes();
    void batch_before_any_calculation_shows_nothing();
    void batch_reads_the_cones_at_the_press();
    void batch_refuses_an_empty_thickness();
    void batch_is_offered_only_by_enable_batch();
    void a_later_single_plot_choice_stays();
    void two_presses_give_the_same_report();
    void every_press_starts_from_an_empty_output_data();
    void every_press_starts_from_an_empty_output();
    void closing_hides_and_keeps_the_values();
    void tab_walks_the_controls_in_order_data();
    void tab_walks_the_controls_in_order();
    void arrow_keys_move_the_choice_and_its_tab_stop();
    void focus_selects_the_whole_text_data();
    void focus_selects_the_whole_text();
    void picture_draws_a_black_sector_and_blue_dimensions();

  private:
    QLineEdit *Box(const QString &name) const { return m_form->findChild<QLineEdit *>(name); }
    QRadioButton *Option(int index) const {
        return m_form->findChild<QRadioButton *>(QString("optPlot(%1)").arg(index));
    }
    QPlainTextEdit *Output() const { return m_form->findChild<QPlainTextEdit *>("txtOutput"); }
    void Type(const QString &name, const QString &text);
    void TypeCone(const QString &base, const QString &tip, const QString &length, const QString &thickness);
    void PressPlot();
    QStringList OutputLines() const { return Output()->toPlainText().split('\n'); }
    void ShowActive();

    DesignState m_state;
    std::unique_ptr<PlotForm> m_form;
};

void TestPlotForm::init() {
    m_state = DesignState{};
    m_form = std::make_unique<PlotForm>(m_state);
}

void TestPlotForm::cleanup() {
    m_form->CloseForGood();
    m_form.reset();
}

void TestPlotForm::Type(const QString &name, const QString &text) {
    QLineEdit *box = Box(name);
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
    QCOMPARE(box->text(), text);
}

void TestPlotForm::TypeCone(const QString &base, const QString &tip, const QString &length,
                            const QString &thickness) {
    Type("txtD1", base);
    Type("txtD2", tip);
    Type("txtLenConeInput", length);
    Type("txtSheetThick", thickness);
}

void TestPlotForm::PressPlot() {
    QTest::mouseClick(m_form->findChild<QPushButton *>("cmdPlot"), Qt::LeftButton);
}

void TestPlotForm::ShowActive() {
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestPlotForm::opens_empty_with_single_plot_selected_and_batch_disabled() {
    QCOMPARE(m_form->objectName(), QString("frmPlot"));
    QCOMPARE(m_form->windowTitle(), QString("Plot Flat Cone"));
    QCOMPARE(m_form->size(), QSize(813, 669));
    QVERIFY(!m_form->isVisible());
    for (const QString &name : kInputs)
        QVERIFY2(Box(name)->text().isEmpty(), qPrintable(name));
    QVERIFY(Output()->toPlainText().isEmpty());
    QVERIFY(Option(0)->isChecked());
    QVERIFY(Option(0)->isEnabled());
    QVERIFY(!Option(1)->isChecked());
    QVERIFY(!Option(1)->isEnabled());
    QCOMPARE(Output()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

void TestPlotForm::controls_stand_where_the_layout_puts_them_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Label8") << "Label8"
                            << "Diameter of base" << QRect(32, 24, 150, 16);
    QTest::newRow("txtD1") << "txtD1"
                           << "" << QRect(32, 40, 65, 27);
    QTest::newRow("Label9") << "Label9"
                            << "Diameter of tip" << QRect(32, 80, 150, 16);
    QTest::newRow("txtD2") << "txtD2"
                           << "" << QRect(32, 96, 65, 25);
    QTest::newRow("Label23(1)") << "Label23(1)"
                                << "Centre length" << QRect(32, 136, 150, 16);
    QTest::newRow("txtLenConeInput") << "txtLenConeInput"
                                     << "" << QRect(32, 152, 65, 25);
    QTest::newRow("Label23(0)") << "Label23(0)"
                                << "Sheet thickness" << QRect(32, 192, 150, 16);
    QTest::newRow("txtSheetThick") << "txtSheetThick"
                                   << "" << QRect(32, 208, 33, 25);
    QTest::newRow("optPlot(0)") << "optPlot(0)"
                                << "Single Plot" << QRect(32, 248, 129, 17);
    QTest::newRow("optPlot(1)") << "optPlot(1)"
                                << "Batch Plot" << QRect(32, 272, 129, 17);
    QTest::newRow("cmdPlot") << "cmdPlot"
                             << "Plot Cone" << QRect(32, 296, 129, 33);
    QTest::newRow("txtOutput") << "txtOutput"
                               << "" << QRect(24, 344, 153, 305);
    QTest::newRow("picConePlot") << "picConePlot"
                                 << "" << QRect(200, 24, 584, 587);
    QTest::newRow("cmdClose") << "cmdClose"
                              << "Close" << QRect(648, 624, 137, 33);
}

void TestPlotForm::controls_stand_where_the_layout_puts_them() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    QWidget *w = m_form->findChild<QWidget *>(name);
    QVERIFY(w);
    QCOMPARE(w->parentWidget(), m_form.get());
    QCOMPARE(w->geometry(), geometry);
    QString text;
    if (auto *label = qobject_cast<QLabel *>(w))
        text = label->text();
    else if (auto *button = qobject_cast<QAbstractButton *>(w))
        text = button->text();
    QCOMPARE(text, caption);
    // The caption must fit its control in the control font.
    QVERIFY2(QFontMetrics(w->font()).horizontalAdvance(text) < geometry.width() - 20, qPrintable(name));
    QVERIFY(w->font().bold());
}

void TestPlotForm::single_plot_worked_example_digit_for_digit() {
    TypeCone("120", "80", "150", "1.5");
    PressPlot();
    QCOMPARE(OutputLines(), QStringList({"Cone", "Base = 120.00 ID", "Tip = 80.00 ID", "Height = 150.00",
                                         "A = 374.86", "B = 252.76", "C = 302.65", "D = 453.98"}));
    QVERIFY(!Output()->toPlainText().contains('\r'));
}

void TestPlotForm::thickness_lengthens_only_the_arcs_data() {
    QTest::addColumn<QString>("thickness");
    QTest::addColumn<QString>("A");
    QTest::addColumn<QString>("B");
    QTest::newRow("1.5") << "1.5"
                         << "374.86"
                         << "252.76";
    QTest::newRow("0") << "0"
                       << "366.25"
                       << "244.17";
    QTest::newRow("abc counts as 0") << "abc"
                                     << "366.25"
                                     << "244.17";
    QTest::newRow("leading number 1.5mm") << "1.5mm"
                                          << "374.86"
                                          << "252.76";
}

void TestPlotForm::thickness_lengthens_only_the_arcs() {
    QFETCH(QString, thickness);
    QFETCH(QString, A);
    QFETCH(QString, B);
    TypeCone("120", "80", "150", thickness);
    PressPlot();
    QCOMPARE(OutputLines().mid(4), QStringList({"A = " + A, "B = " + B, "C = 302.65", "D = 453.98"}));
    QCOMPARE(Background(Box("txtSheetThick")), Background(Output()));
}

void TestPlotForm::single_plot_refuses_the_first_failing_box_data() {
    QTest::addColumn<QStringList>("texts"); // base, tip, length, thickness
    QTest::addColumn<QString>("refused");   // empty: the plot goes ahead
    QTest::newRow("base 0.5") << QStringList{"0.5", "80", "150", "1"} << "txtD1";
    QTest::newRow("base empty") << QStringList{"", "80", "150", "1"} << "txtD1";
    QTest::newRow("base abc") << QStringList{"abc", "80", "150", "1"} << "txtD1";
    QTest::newRow("base negative") << QStringList{"-120", "80", "150", "1"} << "txtD1";
    QTest::newRow("base too large to read") << QStringList{"1e400", "80", "150", "1"} << "txtD1";
    QTest::newRow("base checked before tip") << QStringList{"0", "0", "0", ""} << "txtD1";
    QTest::newRow("tip 0.99") << QStringList{"120", "0.99", "150", "1"} << "txtD2";
    QTest::newRow("tip too large to read") << QStringList{"120", "9e999", "150", "1"} << "txtD2";
    QTest::newRow("tip before length") << QStringList{"120", "", "", ""} << "txtD2";
    QTest::newRow("length 0") << QStringList{"120", "80", "0", "1"} << "txtLenConeInput";
    QTest::newRow("length before thickness") << QStringList{"120", "80", "", ""} << "txtLenConeInput";
    QTest::newRow("thickness empty") << QStringList{"120", "80", "150", ""} << "txtSheetThick";
    QTest::newRow("tip 1 passes") << QStringList{"120", "1", "150", "1"} << "";
    QTest::newRow("all exactly 1 pass") << QStringList{"1.5", "1", "1", "0"} << "";
    QTest::newRow("thickness blank passes") << QStringList{"120", "80", "150", " "} << "";
}

void TestPlotForm::single_plot_refuses_the_first_failing_box() {
    QFETCH(QStringList, texts);
    QFETCH(QString, refused);
    ShowActive();
    for (int i = 0; i < 4; ++i)
        Type(kInputs[i], texts[i]);
    m_form->findChild<QPushButton *>("cmdPlot")->setFocus();
    const QColor normal = Background(Output());
    PressPlot();
    for (const QString &name : kInputs)
        QCOMPARE(Background(Box(name)), name == refused ? kRejectedRed : normal);
    if (refused.isEmpty()) {
        QCOMPARE(OutputLines().first(), QString("Cone"));
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("cmdPlot"));
    } else {
        QVERIFY(Output()->toPlainText().isEmpty());
        QCOMPARE(QApplication::focusWidget(), Box(refused));
    }
}

void TestPlotForm::typing_into_a_red_box_restores_its_colour_data() {
    QTest::addColumn<int>("box");
    QTest::newRow("base") << 0;
    QTest::newRow("tip") << 1;
    QTest::newRow("length") << 2;
    QTest::newRow("thickness") << 3;
}

void TestPlotForm::typing_into_a_red_box_restores_its_colour() {
    QFETCH(int, box);
    ShowActive();
    const QStringList good = {"120", "80", "150", "1"};
    for (int i = 0; i < 4; ++i)
        Type(kInputs[i], i == box ? QString() : good[i]);
    PressPlot();
    QLineEdit *refused = Box(kInputs[box]);
    QCOMPARE(Background(refused), kRejectedRed);
    QCOMPARE(QApplication::focusWidget(), refused);
    QTest::keyClicks(refused, "9");
    QCOMPARE(Background(refused), Background(Output()));
    QVERIFY(Background(refused) != kRejectedRed);
}

void TestPlotForm::cylinder_gives_a_rectangle() {
    TypeCone("60", "60", "100", "1");
    PressPlot();
    // Width is the outside circumference, pi x (60 + 2 x 1) = 194.779...
    QCOMPARE(OutputLines(), QStringList({"Cone", "Base = 60.00 ID", "Tip = 60.00 ID", "Height = 100.00",
                                         "Cylinder: cut a rectangle", "Width = 194.78", "Length = 100.00"}));
}

void TestPlotForm::numbers_too_large_show_a_reason_not_nan_data() {
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QString>("reason");
    QTest::newRow("thickness too large to read")
        << QStringList{"120", "80", "150", "1e400"} << "The number is too large: 1e400";
    QTest::newRow("cone overflows") << QStringList{"1e300", "1", "1e300", "1"} << QString(kNumbersTooLarge);
    QTest::newRow("thickness overflows the arc")
        << QStringList{"120", "80", "150", "1e308"} << QString(kNumbersTooLarge);
}

void TestPlotForm::numbers_too_large_show_a_reason_not_nan() {
    QFETCH(QStringList, texts);
    QFETCH(QString, reason);
    TypeCone(texts[0], texts[1], texts[2], texts[3]);
    PressPlot();
    QCOMPARE(Output()->toPlainText(), reason);
    for (const QString &name : kInputs)
        QVERIFY(Background(Box(name)) != kRejectedRed);
}

void TestPlotForm::batch_plots_the_four_cones_of_the_calculation() {
    m_state = CalculatedExample();
    m_form->EnableBatch();
    Type("txtSheetThick", "1.5");
    PressPlot();
    const QString text = Output()->toPlainText();
    QVERIFY(!text.endsWith('\n'));
    const QStringList blocks = text.split("\n\n");
    QCOMPARE(blocks.size(), 4);
    // Base, tip and height as the main window's worked example shows them.
    const QStringList heads = {"Cone L2\nBase = 67.54 ID\nTip = 42.00 ID\nHeight = 244.55",
                               "Cone L3\nBase = 103.18 ID\nTip = 67.54 ID\nHeight = 162.74",
                               "Cone L4\nBase = 130.00 ID\nTip = 103.18 ID\nHeight = 81.81",
                               "Cone L6\nBase = 130.00 ID\nTip = 24.00 ID\nHeight = 213.43"};
    for (int i = 0; i < 4; ++i) {
        const QStringList lines = blocks[i].split('\n');
        QCOMPARE(lines.size(), 8);
        QCOMPARE(lines.mid(0, 4).join('\n'), heads[i]);
        // The pattern of the full-precision cone, not of the rounded texts, with the typed thickness.
        const ConeRecord &c = m_state.coneList[static_cast<std::size_t>(i)];
        const FlatCone f = FlattenCone(c.baseDiameter, c.tipDiameter, c.centreLength, 1.5);
        QCOMPARE(lines.mid(4), QStringList({"A = " + Fixed(f.A), "B = " + Fixed(f.B), "C = " + Fixed(f.C),
                                            "D = " + Fixed(f.D)}));
    }
}

void TestPlotForm::batch_ignores_the_single_plot_boxes() {
    m_state = CalculatedExample();
    m_form->EnableBatch();
    TypeCone("0.5", "", "abc", "1.5");
    PressPlot();
    QCOMPARE(Output()->toPlainText().split("\n\n").size(), 4);
    QVERIFY(Output()->toPlainText().startsWith("Cone L2\n"));
    for (const QString &name : kInputs)
        QVERIFY(Background(Box(name)) != kRejectedRed);
}

void TestPlotForm::batch_before_any_calculation_shows_nothing() {
    m_form->EnableBatch();
    TypeCone("120", "80", "150", "1.5");
    PressPlot();
    QVERIFY(Output()->toPlainText().isEmpty());
    QVERIFY(Background(Box("txtSheetThick")) != kRejectedRed);
}

void TestPlotForm::batch_reads_the_cones_at_the_press() {
    m_form->EnableBatch();
    Type("txtSheetThick", "1");
    m_state = CalculatedExample(); // a calculation made after the window was built
    PressPlot();
    QVERIFY(Output()->toPlainText().startsWith("Cone L2\nBase = 67.54 ID"));
    m_state.coneList[0].baseDiameter = 70;
    PressPlot();
    QVERIFY(Output()->toPlainText().startsWith("Cone L2\nBase = 70.00 ID"));
}

void TestPlotForm::batch_refuses_an_empty_thickness() {
    m_state = CalculatedExample();
    ShowActive();
    m_form->EnableBatch();
    TypeCone("120", "80", "150", "");
    PressPlot();
    QVERIFY(Output()->toPlainText().isEmpty());
    QCOMPARE(Background(Box("txtSheetThick")), kRejectedRed);
    QCOMPARE(QApplication::focusWidget(), Box("txtSheetThick"));
}

void TestPlotForm::batch_is_offered_only_by_enable_batch() {
    m_state = CalculatedExample(); // calculating alone offers nothing
    TypeCone("120", "80", "150", "1.5");
    PressPlot();
    QVERIFY(!Option(1)->isEnabled());
    QCOMPARE(OutputLines().first(), QString("Cone"));
    // A click on the disabled option does not select it.
    QTest::mouseClick(Option(1), Qt::LeftButton);
    QVERIFY(Option(0)->isChecked());

    m_form->EnableBatch();
    QVERIFY(Option(1)->isEnabled());
    QVERIFY(Option(1)->isChecked());
    QVERIFY(!Option(0)->isChecked());
    PressPlot();
    QCOMPARE(OutputLines().first(), QString("Cone L2"));
}

void TestPlotForm::a_later_single_plot_choice_stays() {
    m_state = CalculatedExample();
    m_form->EnableBatch();
    QTest::mouseClick(Option(0), Qt::LeftButton);
    QVERIFY(Option(0)->isChecked());
    QVERIFY(Option(1)->isEnabled());
    TypeCone("120", "80", "150", "1.5");
    PressPlot();
    QCOMPARE(OutputLines().size(), 8);
    QCOMPARE(OutputLines().first(), QString("Cone"));
    m_form->hide();
    m_form->show();
    QVERIFY(Option(0)->isChecked());
    // The next offer selects the batch again.
    m_form->EnableBatch();
    QVERIFY(Option(1)->isChecked());
}

void TestPlotForm::two_presses_give_the_same_report() {
    TypeCone("120", "80", "150", "1.5");
    PressPlot();
    const QString first = Output()->toPlainText();
    PressPlot();
    QCOMPARE(Output()->toPlainText(), first);

    m_state = CalculatedExample();
    m_form->EnableBatch();
    PressPlot();
    const QString batch = Output()->toPlainText();
    PressPlot();
    QCOMPARE(Output()->toPlainText(), batch);
    QCOMPARE(batch.split("\n\n").size(), 4);
}

void TestPlotForm::every_press_starts_from_an_empty_output_data() {
    QTest::addColumn<bool>("batch");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("badText");
    QTest::newRow("single, base fails") << false << "txtD1"
                                        << "0.5";
    QTest::newRow("single, thickness fails") << false << "txtSheetThick"
                                             << "";
    QTest::newRow("single, thickness unreadable") << false << "txtSheetThick"
                                                  << "1e999";
    QTest::newRow("batch, thickness fails") << true << "txtSheetThick"
                                            << "";
}

void TestPlotForm::every_press_starts_from_an_empty_output() {
    QFETCH(bool, batch);
    QFETCH(QString, box);
    QFETCH(QString, badText);
    m_state = CalculatedExample();
    if (batch)
        m_form->EnableBatch();
    TypeCone("120", "80", "150", "1.5");
    PressPlot();
    QVERIFY(!Output()->toPlainText().isEmpty());
    Type(box, badText);
    PressPlot();
    QVERIFY(!Output()->toPlainText().contains("Cone"));
    QVERIFY(!Output()->toPlainText().contains("A = "));
}

void TestPlotForm::closing_hides_and_keeps_the_values() {
    ShowActive();
    TypeCone("120", "80", "150", "1.5");
    PressPlot();
    const QString report = Output()->toPlainText();

    QTest::mouseClick(m_form->findChild<QPushButton *>("cmdClose"), Qt::LeftButton);
    QVERIFY(!m_form->isVisible());
    m_form->show();
    QCOMPARE(Box("txtD1")->text(), QString("120"));
    QCOMPARE(Output()->toPlainText(), report);

    m_form->EnableBatch();
    QVERIFY(!m_form->close()); // the close box's request is turned into a hide
    QVERIFY(!m_form->isVisible());
    m_form->show();
    QCOMPARE(Box("txtSheetThick")->text(), QString("1.5"));
    QCOMPARE(Output()->toPlainText(), report);
    QVERIFY(Option(1)->isChecked());
}

void TestPlotForm::tab_walks_the_controls_in_order_data() {
    QTest::addColumn<bool>("batch");
    QTest::addColumn<QString>("option"); // the option Tab stops at: only the selected one of the pair
    QTest::newRow("single selected") << false << "optPlot(0)";
    QTest::newRow("batch selected") << true << "optPlot(1)";
}

void TestPlotForm::tab_walks_the_controls_in_order() {
    QFETCH(bool, batch);
    QFETCH(QString, option);
    if (batch)
        m_form->EnableBatch();
    ShowActive();

    // The focus chain holds every control in the layout's order.
    QStringList chain;
    QWidget *w = Box("txtD1");
    do {
        if (w->focusPolicy() != Qt::NoFocus)
            chain << w->objectName();
        w = w->nextInFocusChain();
    } while (w != Box("txtD1"));
    QCOMPARE(chain, QStringList({"txtD1", "txtD2", "txtLenConeInput", "txtSheetThick", "optPlot(0)",
                                 "optPlot(1)", "cmdPlot", "txtOutput", "cmdClose"}));

    // Tab, like the arrow keys within the pair, treats the two options as one stop.
    Box("txtD1")->setFocus();
    const QStringList order = {"txtD1",   "txtD2",     "txtLenConeInput", "txtSheetThick", option,
                               "cmdPlot", "txtOutput", "cmdClose",        "txtD1"};
    QStringList walked = {QApplication::focusWidget()->objectName()};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        walked << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walked.join(" > "), order.join(" > "));
}

void TestPlotForm::arrow_keys_move_the_choice_and_its_tab_stop() {
    m_form->EnableBatch();
    ShowActive();
    Option(1)->setFocus();
    QTest::keyClick(Option(1), Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), Option(0));
    QVERIFY(Option(0)->isChecked());
    Box("txtSheetThick")->setFocus();
    QTest::keyClick(Box("txtSheetThick"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Option(0));
}

void TestPlotForm::focus_selects_the_whole_text_data() {
    QTest::addColumn<QString>("name");
    for (const QString &name : kInputs)
        QTest::newRow(qPrintable(name)) << name;
    QTest::newRow("txtOutput") << "txtOutput";
}

void TestPlotForm::focus_selects_the_whole_text() {
    QFETCH(QString, name);
    ShowActive();
    TypeCone("120", "80", "150", "1.5");
    PressPlot();
    m_form->findChild<QPushButton *>("cmdClose")->setFocus();
    QWidget *w = m_form->findChild<QWidget *>(name);
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(QApplication::focusWidget(), w);
    if (auto *line = qobject_cast<QLineEdit *>(w)) {
        QTRY_COMPARE(line->selectedText(), line->text());
        QVERIFY(!line->text().isEmpty());
    } else {
        auto *text = qobject_cast<QPlainTextEdit *>(w);
        QTRY_COMPARE(text->textCursor().selectedText().replace(QChar::ParagraphSeparator, '\n'),
                     text->toPlainText());
        QCOMPARE(text->toPlainText().count('\n'), 7);
    }
}

void TestPlotForm::picture_draws_a_black_sector_and_blue_dimensions() {
    QWidget *picture = m_form->findChild<QWidget *>("picConePlot");
    QCOMPARE(picture->size(), QSize(584, 587));
    const QImage image = picture->grab().toImage();
    int black = 0;
    int blue = 0;
    qint64 blackY = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() < 40 && c.green() < 40 && c.blue() < 40) {
                ++black;
                blackY += y;
            } else if (c.blue() > 150 && c.red() < 80 && c.green() < 120) {
                ++blue;
            }
        }
    }
    const int area = image.width() * image.height();
    QVERIFY2(black > area / 10 && black < area / 2, qPrintable(QString::number(black)));
    QVERIFY2(blue > 1500, qPrintable(QString::number(blue)));
    // The large arc is at the top: the sector's weight lies in the upper half.
    QVERIFY(blackY / black < image.height() / 2);
    // White background where nothing is drawn, and left and right mirror each other around the sector.
    QCOMPARE(image.pixelColor(image.width() - 12, image.height() - 12), QColor(Qt::white));
    const int midY = image.height() * 3 / 8;
    const QColor left = image.pixelColor(image.width() / 2 - 120, midY);
    const QColor right = image.pixelColor(image.width() / 2 + 120, midY);
    QCOMPARE(left, QColor(Qt::black));
    QCOMPARE(right, QColor(Qt::black));
}

QTEST_MAIN(TestPlotForm)
#include "tst_plotform.moc"
