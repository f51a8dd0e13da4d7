// SPDX-License-Identifier: GPL-3.0-or-later
#include "calcwindowdriver.h"
#include "inputcalcform.h"

#include <QSignalSpy>

using namespace calcwindow;

class TestInputCalcForm : public QObject {
    Q_OBJECT
    std::unique_ptr<quorvane::InputCalcForm> m_form;
    QLineEdit *Box(const QString &name) { return m_form->findChild<QLineEdit *>(name); }

  private slots:
    void init() {
        m_form = std::make_unique<quorvane::InputCalcForm>();
        ShowActive(m_form.get());
    }

    void worked_examples_data() { examples::AddRows(CalculationsOf("frmInputCalc"), "window"); }
    void worked_examples() { RunExample(m_form.get()); }

    void the_written_box_does_not_convert_back() {
        QSignalSpy celsiusChanges(Box("txtConvCF(0)"), &QLineEdit::textChanged);
        QSignalSpy fahrenheitChanges(Box("txtConvCF(1)"), &QLineEdit::textChanged);
        Enter(m_form.get(), "txtConvCF(1)=212");
        // One change per key in each box: converting back would have rewritten 212 as 212.000.
        Expect(m_form.get(), "txtConvCF(0)=100.000 txtConvCF(1)=212");
        QCOMPARE(fahrenheitChanges.count(), 3);
        QCOMPARE(celsiusChanges.count(), 3);
    }

    void only_the_box_that_last_had_the_focus_converts() {
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
    }

    void close_hides_and_keeps_values_and_recorded_focus() {
        Enter(m_form.get(), "txtPTstroke=54 txtPTlengthCR=110 txtExhPortTop=27 txtConvMMInch(1)=2");
        QTest::mouseClick(m_form->findChild<QPushButton *>("cmdExTiming"), Qt::LeftButton);
        CloseAndReopen(m_form.get(), "cmdOK");
        Expect(m_form.get(), "txtPTExh=194.10 txtExhPortHeight=27.00 txtConvMMInch(0)=50.800");
        Box("txtConvMMInch(1)")->setText("3");
        Expect(m_form.get(), "txtConvMMInch(0)=76.200");
    }
};

QTEST_MAIN(TestInputCalcForm)
#include "tst_inputcalcform.moc"
