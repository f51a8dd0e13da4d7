// SPDX-License-Identifier: GPL-3.0-or-later
// The three tool windows of the Tools menu: each shows its worked examples and draws its diagrams.

#include "calcwindowdriver.h"
#include "inputcalcform.h"
#include "portareaform.h"
#include "tubecalcform.h"

#include <QSignalSpy>

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

  private slots:
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
    }

    void close_hides_and_keeps_values_and_recorded_focus() {
        Show("frmInputCalc");
        Enter(m_form.get(), "txtPTstroke=54 txtPTlengthCR=110 txtExhPortTop=27 txtConvMMInch(1)=2");
        QTest::mouseClick(m_form->findChild<QPushButton *>("cmdExTiming"), Qt::LeftButton);
        CloseAndReopen(m_form.get(), "cmdOK");
        Expect(m_form.get(), "txtPTExh=194.10 txtExhPortHeight=27.00 txtConvMMInch(0)=50.800");
        Box("txtConvMMInch(1)")->setText("3");
        Expect(m_form.get(), "txtConvMMInch(0)=76.200");
    }
};

QTEST_MAIN(TestToolForms)
#include "tst_toolforms.moc"
