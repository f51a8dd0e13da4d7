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

    void buttons_calculate_or_refuse_data() {
        QTest::addColumn<QStringList>("row");
        const QString angle = "cmdConeLength", side = "cmdAngle", centre = "cmdStrAngle";
        // Earlier results stand in all three outputs, so that what a button leaves alone shows.
        const QString earlier = "txtLenCone=11.11 txtSideLenOut=22.22 txtAngleOut=33.33";
        const QString cone = earlier + " txtD1=100 txtD2=50";
        CalcRow("from centre length", cone + " txtLenConeInput=100", centre,
                "txtAngleOut=14.04 txtSideLenOut=103.08 txtLenCone=11.11");
        CalcRow("from side length", cone + " txtSideLen=103.08", side,
                "txtLenCone=100.00 txtAngleOut=14.04 txtSideLenOut=22.22");
        CalcRow("from half angle", cone + " txtAngleIn=14.04", angle,
                "txtLenCone=99.97 txtSideLenOut=103.05 txtAngleOut=33.33");
        CalcRow("a straight tube", "txtD1=60 txtD2=60 txtLenConeInput=100", centre,
                "txtAngleOut=0.00 txtSideLenOut=100.00");
        CalcRow("tip larger than the base", "txtD1=50 txtD2=100 txtLenConeInput=100", centre,
                "txtAngleOut=-14.04 txtSideLenOut=103.08");
        CalcRow("half angle 0.5 refused", cone + " txtAngleIn=0.5", angle, earlier, "txtAngleIn");
        CalcRow("letters refused", cone + " txtSideLen=abc", side, earlier, "txtSideLen");
        CalcRow("centre 0.9 refused", cone + " txtLenConeInput=0.9", centre, earlier, "txtLenConeInput");
        CalcRow("base 0.5 refused", earlier + " txtD1=0.5 txtD2=50 txtLenConeInput=100", centre, earlier,
                "txtD1");
        CalcRow("empty tip refused", earlier + " txtD1=100 txtLenConeInput=100", centre, earlier, "txtD2");
        CalcRow("all empty: base first", earlier, side, earlier, "txtD1");
        // A calculation that fails empties its own two outputs.
        CalcRow("side shorter than half the difference", cone + " txtSideLen=10", side,
                "txtLenCone= txtAngleOut= txtSideLenOut=22.22", "txtSideLen");
        CalcRow("centre length overflows", cone + " txtLenConeInput=1e300", centre,
                "txtAngleOut= txtSideLenOut= txtLenCone=11.11", "txtLenConeInput");
        CalcRow("unreadably large base", earlier + " txtD1=1e400 txtD2=50 txtAngleIn=14", angle,
                "txtLenCone= txtSideLenOut= txtAngleOut=33.33", "txtD1");
    }

    void buttons_calculate_or_refuse() { Calculate(m_form.get()); }
    void close_hides_and_keeps_every_value() {
        Enter(m_form.get(), "txtD1=100 txtD2=50 txtLenConeInput=100");
        QTest::mouseClick(m_form->findChild<QPushButton *>("cmdStrAngle"), Qt::LeftButton);
        CloseAndReopen(m_form.get(), "cmdCancel");
        Expect(m_form.get(), "txtD1=100 txtD2=50 txtLenConeInput=100 txtAngleOut=14.04 txtSideLenOut=103.08");
    }

    void diagrams_are_drawn() {
        for (const char *name : {"picCentre", "picSide", "picAngle"}) {
            const auto [dark, blue] = Ink(m_form->findChild<QWidget *>(name));
            QVERIFY2(dark > 150 && dark < 198 * 152 / 2 && blue > 40, name);
        }
    }
};

QTEST_MAIN(TestTubeCalcForm)
#include "tst_tubecalcform.moc"
