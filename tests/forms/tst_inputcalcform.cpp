#include "calcwindowdriver.h"
#include "inputcalcform.h"

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextCursor>

#include <memory>

using namespace calcwindow;
using quorvane::InputCalcForm;

class TestInputCalcForm : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void window_is_the_fixed_size_tool_window();
    void boxes_start_empty_but_the_deck_distance();
    void controls_do_not_overlap();
    void captions_fit_their_controls();
    void temperature_guide_is_read_only_text_on_the_button_face();
    void tab_follows_the_reading_order();
    void buttons_calculate_data();
    void buttons_calculate();
    void typing_converts_into_the_other_box_data();
    void typing_converts_into_the_other_box();
    void clearing_a_box_converts_it_as_zero_data();
    void clearing_a_box_converts_it_as_zero();
    void the_written_box_does_not_convert_back();
    void only_the_box_that_last_had_the_focus_converts();
    void close_hides_and_keeps_values_and_recorded_focus();

  private:
    QLineEdit *Box(const QString &name) { return Find<QLineEdit>(m_form.get(), name); }
    std::unique_ptr<InputCalcForm> m_form;
};

void TestInputCalcForm::init() {
    m_form = std::make_unique<InputCalcForm>();
    ShowActive(m_form.get());
}

void TestInputCalcForm::cleanup() {
    m_form->CloseForGood();
    m_form.reset();
}

void TestInputCalcForm::window_is_the_fixed_size_tool_window() {
    QCOMPARE(m_form->objectName(), "frmInputCalc");
    QCOMPARE(m_form->windowTitle(), "Input Values Calculator");
    QCOMPARE(m_form->size(), QSize(721, 426));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
}

void TestInputCalcForm::boxes_start_empty_but_the_deck_distance() {
    const QList<QLineEdit *> boxes = m_form->findChildren<QLineEdit *>();
    QCOMPARE(boxes.size(), 17);
    for (const QLineEdit *box : boxes)
        QCOMPARE(box->objectName() + '=' + box->text(),
                 box->objectName() + (box->objectName() == "txtPTdeck" ? "=0" : "="));
}

void TestInputCalcForm::controls_do_not_overlap() {
    ExpectNoOverlap(m_form.get());
}

void TestInputCalcForm::captions_fit_their_controls() {
    ExpectCaptionsFit(m_form.get());
}

void TestInputCalcForm::temperature_guide_is_read_only_text_on_the_button_face() {
    auto *guide = Find<QPlainTextEdit>(m_form.get(), "txtTempBMEP");
    QVERIFY(guide);
    QCOMPARE(guide->toPlainText().split('\n'),
             QStringList({"Exhaust Temperature Range (Estimated Only)", "", "Under 5 Bar = 350C",
                          "7 Bar = 450C", "9 Bar = 550C", "Over 11 Bar = 650C"}));
    QVERIFY(guide->isReadOnly());
    QCOMPARE(guide->palette().color(QPalette::Base), m_form->palette().color(QPalette::Button));
    // Every line is in sight without scrolling.
    QTextCursor last(guide->document());
    last.movePosition(QTextCursor::End);
    QVERIFY(guide->cursorRect(last).bottom() < guide->viewport()->height());
}

void TestInputCalcForm::tab_follows_the_reading_order() {
    const QStringList order = {"txtPTstroke",      "txtPTlengthCR",    "txtPTdeck",        "txtExhPortTop",
                               "txtExhPortHeight", "cmdExTiming",      "txtPTExh",         "txtPwrKW",
                               "txtRPM",           "txtBoreBMEP",      "txtStrokeBMEP",    "cmdCalcExTemp",
                               "txtBMEPout",       "txtConvKwHP(0)",   "txtConvKwHP(1)",   "txtConvCF(0)",
                               "txtConvCF(1)",     "txtConvMMInch(0)", "txtConvMMInch(1)", "cmdOK",
                               "txtPTstroke"};
    Box(order.first())->setFocus();
    QStringList visited = {FocusName()};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << FocusName();
    }
    QCOMPARE(visited, order);
}

void TestInputCalcForm::buttons_calculate_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("focus");
    const QString timing = "cmdExTiming", bmep = "cmdCalcExTemp";
    const QStringList stale = {"txtPTExh=1.00", "txtExhPortHeight=2.00"};
    const QStringList unchanged = stale;
    const QStringList emptied = {"txtPTExh=", "txtExhPortHeight="};

    QTest::newRow("timing with the piston level with the deck")
        << QStringList{"txtPTstroke=54", "txtPTlengthCR=110", "txtPTdeck=0", "txtExhPortTop=27"} << timing
        << QStringList{"txtPTExh=194.10", "txtExhPortHeight=27.00"} << timing;
    QTest::newRow("timing with the piston 0.5 below the deck")
        << QStringList{"txtPTstroke=54", "txtPTlengthCR=110", "txtPTdeck=0.5", "txtExhPortTop=27"} << timing
        << QStringList{"txtPTExh=196.17", "txtExhPortHeight=27.00"} << timing;
    QTest::newRow("timing with the deck box's default 0")
        << QStringList{"txtPTstroke=54", "txtPTlengthCR=110", "txtExhPortTop=27"} << timing
        << QStringList{"txtPTExh=194.10", "txtExhPortHeight=27.00"} << timing;
    QTest::newRow("a typed port height is overwritten")
        << QStringList{"txtExhPortHeight=99", "txtPTstroke=54", "txtPTlengthCR=110", "txtExhPortTop=27"}
        << timing << QStringList{"txtExhPortHeight=27.00"} << timing;
    QTest::newRow("stroke 0.5 refused")
        << stale + QStringList{"txtPTstroke=0.5", "txtPTlengthCR=110", "txtExhPortTop=27"} << timing
        << unchanged << "txtPTstroke";
    QTest::newRow("empty rod length refused") << stale + QStringList{"txtPTstroke=54", "txtExhPortTop=27"}
                                              << timing << unchanged << "txtPTlengthCR";
    QTest::newRow("port top 0 refused, a negative deck accepted")
        << stale + QStringList{"txtPTstroke=54", "txtPTlengthCR=110", "txtPTdeck=-5", "txtExhPortTop=0"}
        << timing << unchanged << "txtExhPortTop";
    QTest::newRow("port top level with the pin: division by zero")
        << stale + QStringList{"txtPTstroke=54", "txtPTlengthCR=110", "txtPTdeck=0", "txtExhPortTop=137"}
        << timing << emptied << "txtExhPortTop";
    QTest::newRow("huge stroke overflows")
        << stale + QStringList{"txtPTstroke=1e300", "txtPTlengthCR=110", "txtExhPortTop=27"} << timing
        << emptied << "txtPTstroke";

    QTest::newRow("BMEP at 30 kW") << QStringList{"txtPwrKW=30", "txtRPM=11000", "txtBoreBMEP=54",
                                                  "txtStrokeBMEP=54.5"}
                                   << bmep << QStringList{"txtBMEPout=13.11"} << bmep;
    QTest::newRow("BMEP at 20 kW") << QStringList{"txtPwrKW=20", "txtRPM=10000", "txtBoreBMEP=54",
                                                  "txtStrokeBMEP=54.5"}
                                   << bmep << QStringList{"txtBMEPout=9.61"} << bmep;
    QTest::newRow("empty boxes refused, power first")
        << QStringList{"txtBMEPout=5.00"} << bmep << QStringList{"txtBMEPout=5.00"} << "txtPwrKW";
    QTest::newRow("letters for the speed refused")
        << QStringList{"txtBMEPout=5.00", "txtPwrKW=30", "txtRPM=fast", "txtBoreBMEP=54",
                       "txtStrokeBMEP=54.5"}
        << bmep << QStringList{"txtBMEPout=5.00"} << "txtRPM";
    QTest::newRow("bore 0 refused") << QStringList{"txtBMEPout=5.00", "txtPwrKW=30", "txtRPM=11000",
                                                   "txtBoreBMEP=0", "txtStrokeBMEP=54.5"}
                                    << bmep << QStringList{"txtBMEPout=5.00"} << "txtBoreBMEP";
    QTest::newRow("stroke 0.9 refused") << QStringList{"txtBMEPout=5.00", "txtPwrKW=30", "txtRPM=11000",
                                                       "txtBoreBMEP=54", "txtStrokeBMEP=0.9"}
                                        << bmep << QStringList{"txtBMEPout=5.00"} << "txtStrokeBMEP";
    QTest::newRow("huge power overflows")
        << QStringList{"txtBMEPout=5.00", "txtPwrKW=1e308", "txtRPM=1", "txtBoreBMEP=1", "txtStrokeBMEP=1"}
        << bmep << QStringList{"txtBMEPout="} << "txtPwrKW";
}

void TestInputCalcForm::buttons_calculate() {
    QFETCH(QStringList, entries);
    QFETCH(QString, button);
    QFETCH(QStringList, expected);
    QFETCH(QString, focus);
    Calculate(m_form.get(), entries, button, expected, focus);
}

void TestInputCalcForm::typing_converts_into_the_other_box_data() {
    QTest::addColumn<QString>("typedBox");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("otherBox");
    QTest::addColumn<QString>("converted");
    QTest::newRow("100 C") << "txtConvCF(0)"
                           << "100"
                           << "txtConvCF(1)"
                           << "212.000";
    QTest::newRow("1000 C, grouped") << "txtConvCF(0)"
                                     << "1000"
                                     << "txtConvCF(1)"
                                     << "1,832.000";
    QTest::newRow("-40 C") << "txtConvCF(0)"
                           << "-40"
                           << "txtConvCF(1)"
                           << "-40.000";
    QTest::newRow("212 F") << "txtConvCF(1)"
                           << "212"
                           << "txtConvCF(0)"
                           << "100.000";
    QTest::newRow("4000 F, grouped") << "txtConvCF(1)"
                                     << "4000"
                                     << "txtConvCF(0)"
                                     << "2,204.444";
    QTest::newRow("10 kW") << "txtConvKwHP(0)"
                           << "10"
                           << "txtConvKwHP(1)"
                           << "13.410";
    QTest::newRow("1000 kW, not grouped") << "txtConvKwHP(0)"
                                          << "1000"
                                          << "txtConvKwHP(1)"
                                          << "1341.022";
    QTest::newRow("10 HP") << "txtConvKwHP(1)"
                           << "10"
                           << "txtConvKwHP(0)"
                           << "7.457";
    QTest::newRow("25.4 mm") << "txtConvMMInch(0)"
                             << "25.4"
                             << "txtConvMMInch(1)"
                             << "1.000";
    QTest::newRow("1000 inch, not grouped") << "txtConvMMInch(1)"
                                            << "1000"
                                            << "txtConvMMInch(0)"
                                            << "25400.000";
    QTest::newRow("letters convert as 0") << "txtConvMMInch(0)"
                                          << "abc"
                                          << "txtConvMMInch(1)"
                                          << "0.000";
    QTest::newRow("too hot to convert") << "txtConvCF(0)"
                                        << "1e308"
                                        << "txtConvCF(1)"
                                        << "";
    QTest::newRow("unreadably long") << "txtConvMMInch(1)"
                                     << "1e400"
                                     << "txtConvMMInch(0)"
                                     << "";
}

void TestInputCalcForm::typing_converts_into_the_other_box() {
    QFETCH(QString, typedBox);
    QFETCH(QString, typed);
    QFETCH(QString, otherBox);
    QFETCH(QString, converted);
    // A number typed before must not stay in the other box beside a new entry.
    TypeInto(Box(typedBox), "7");
    TypeInto(Box(typedBox), typed);
    QCOMPARE(Box(otherBox)->text(), converted);
    QCOMPARE(Box(typedBox)->text(), typed);
    QVERIFY(ShowsWholeText(Box(otherBox)));
    ExpectOnlyNumbersShown(m_form.get());
}

void TestInputCalcForm::clearing_a_box_converts_it_as_zero_data() {
    QTest::addColumn<QString>("typedBox");
    QTest::addColumn<QString>("otherBox");
    QTest::addColumn<QString>("converted");
    QTest::newRow("Celsius") << "txtConvCF(0)"
                             << "txtConvCF(1)"
                             << "32.000";
    QTest::newRow("Fahrenheit") << "txtConvCF(1)"
                                << "txtConvCF(0)"
                                << "-17.778";
    QTest::newRow("kW") << "txtConvKwHP(0)"
                        << "txtConvKwHP(1)"
                        << "0.000";
    QTest::newRow("inch") << "txtConvMMInch(1)"
                          << "txtConvMMInch(0)"
                          << "0.000";
}

void TestInputCalcForm::clearing_a_box_converts_it_as_zero() {
    QFETCH(QString, typedBox);
    QFETCH(QString, otherBox);
    QFETCH(QString, converted);
    TypeInto(Box(typedBox), "100");
    TypeInto(Box(typedBox), "");
    QCOMPARE(Box(otherBox)->text(), converted);
}

void TestInputCalcForm::the_written_box_does_not_convert_back() {
    QLineEdit *celsius = Box("txtConvCF(0)");
    QLineEdit *fahrenheit = Box("txtConvCF(1)");
    QSignalSpy celsiusChanges(celsius, &QLineEdit::textChanged);
    QSignalSpy fahrenheitChanges(fahrenheit, &QLineEdit::textChanged);
    TypeInto(fahrenheit, "212");
    QCOMPARE(celsius->text(), "100.000");
    // One change per key in each box: the write into Celsius caused no
    // conversion back, which would have rewritten 212 as 212.000.
    QCOMPARE(fahrenheitChanges.count(), 3);
    QCOMPARE(celsiusChanges.count(), 3);
    QCOMPARE(fahrenheit->text(), "212");
}

void TestInputCalcForm::only_the_box_that_last_had_the_focus_converts() {
    QLineEdit *celsius = Box("txtConvCF(0)");
    QLineEdit *fahrenheit = Box("txtConvCF(1)");
    // No box has had the focus yet: the first box of each pair is the recorded one.
    fahrenheit->setText("212");
    QCOMPARE(celsius->text(), "");
    celsius->setText("100");
    QCOMPARE(fahrenheit->text(), "212.000");
    // The pair remembers its box while the focus works elsewhere.
    TypeInto(fahrenheit, "32");
    TypeInto(Box("txtPwrKW"), "30");
    celsius->setText("55");
    QCOMPARE(fahrenheit->text(), "32");
    fahrenheit->setText("50");
    QCOMPARE(celsius->text(), "10.000");
    // Each pair keeps its own record.
    Box("txtConvKwHP(0)")->setText("10");
    QCOMPARE(Box("txtConvKwHP(1)")->text(), "13.410");
}

void TestInputCalcForm::close_hides_and_keeps_values_and_recorded_focus() {
    Enter(m_form.get(), {"txtPTstroke=54", "txtPTlengthCR=110", "txtExhPortTop=27"});
    Click(m_form.get(), "cmdExTiming");
    TypeInto(Box("txtConvMMInch(1)"), "2");
    Click(m_form.get(), "cmdOK");
    QVERIFY(!m_form->isVisible());
    ShowActive(m_form.get());
    QVERIFY(!m_form->close()); // the close box hides as well
    QVERIFY(!m_form->isVisible());
    ShowActive(m_form.get());
    ExpectTexts(m_form.get(), {"txtPTExh=194.10", "txtExhPortHeight=27.00", "txtConvMMInch(0)=50.800"});
    Box("txtConvMMInch(1)")->setText("3");
    QCOMPARE(Box("txtConvMMInch(0)")->text(), "76.200");
}

QTEST_MAIN(TestInputCalcForm)
#include "tst_inputcalcform.moc"
