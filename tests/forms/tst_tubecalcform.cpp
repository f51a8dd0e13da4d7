// SPDX-License-Identifier: GPL-3.0-or-later
#include "calcwindowdriver.h"
#include "tubecalcform.h"

using namespace calcwindow;

class TestTubeCalcForm : public QObject {
    Q_OBJECT
    std::unique_ptr<quorvane::TubeCalcForm> m_form;

  private slots:
    void init() {
        m_form = std::make_unique<quorvane::TubeCalcForm>();
        ShowActive(m_form.get());
    }

    void worked_examples_data() { examples::AddRows(CalculationsOf("frmTubecalc"), "window"); }
    void worked_examples() { RunExample(m_form.get()); }

    void diagrams_are_drawn() {
        for (const char *name : {"picCentre", "picSide", "picAngle"}) {
            const auto [dark, blue] = Ink(m_form->findChild<QWidget *>(name));
            QVERIFY2(dark > 150 && dark < 198 * 152 / 2 && blue > 40, name);
        }
    }
};

QTEST_MAIN(TestTubeCalcForm)
#include "tst_tubecalcform.moc"
