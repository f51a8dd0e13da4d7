#include "calcwindowdriver.h"
#include "tubecalcform.h"

#include <memory>

using namespace calcwindow;
using quorvane::TubeCalcForm;

class TestTubeCalcForm : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void window_is_the_fixed_size_tool_window();
    void controls_do_not_overlap();
    void captions_fit_their_controls();
    void tab_follows_the_reading_order();
    void buttons_calculate_data();
    void buttons_calculate();
    void close_hides_and_keeps_every_value();
    void diagrams_are_drawn();

  private:
    std::unique_ptr<TubeCalcForm> m_form;
};

void TestTubeCalcForm::init() {
    m_form = std::make_unique<TubeCalcForm>();
    ShowActive(m_form.get());
}

void TestTubeCalcForm::cleanup() {
    m_form->CloseForGood();
    m_form.reset();
}

void TestTubeCalcForm::window_is_the_fixed_size_tool_window() {
    QCOMPARE(m_form->objectName(), "frmTubecalc");
    QCOMPARE(m_form->windowTitle(), "Cone Calculator");
    QCOMPARE(m_form->size(), QSize(618, 444));
    QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
}

void TestTubeCalcForm::controls_do_not_overlap() {
    ExpectNoOverlap(m_form.get());
}

void TestTubeCalcForm::captions_fit_their_controls() {
    ExpectCaptionsFit(m_form.get());
}

void TestTubeCalcForm::tab_follows_the_reading_order() {
    const QStringList order = {"txtD2",       "txtD1",     "txtAngleIn",    "cmdConeLength",   "txtLenCone",
                               "txtSideLen",  "cmdAngle",  "txtSideLenOut", "txtLenConeInput", "cmdStrAngle",
                               "txtAngleOut", "cmdCancel", "txtD2"};
    Find<QWidget>(m_form.get(), order.first())->setFocus();
    QStringList visited = {FocusName()};
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << FocusName();
    }
    QCOMPARE(visited, order);
}

void TestTubeCalcForm::buttons_calculate_data() {
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("focus");
    const QString fromAngle = "cmdConeLength", fromSide = "cmdAngle", fromCentre = "cmdStrAngle";
    // Earlier results in all three outputs, so that what a button leaves alone shows.
    const QStringList earlier = {"txtLenCone=11.11", "txtSideLenOut=22.22", "txtAngleOut=33.33"};
    const QStringList cone = earlier + QStringList{"txtD1=100", "txtD2=50"};

    QTest::newRow("from centre length 100")
        << cone + QStringList{"txtLenConeInput=100"} << fromCentre
        << QStringList{"txtAngleOut=14.04", "txtSideLenOut=103.08", "txtLenCone=11.11"} << fromCentre;
    QTest::newRow("from side length 103.08")
        << cone + QStringList{"txtSideLen=103.08"} << fromSide
        << QStringList{"txtLenCone=100.00", "txtAngleOut=14.04", "txtSideLenOut=22.22"} << fromSide;
    QTest::newRow("from half angle 14.04")
        << cone + QStringList{"txtAngleIn=14.04"} << fromAngle
        << QStringList{"txtLenCone=99.97", "txtSideLenOut=103.05", "txtAngleOut=33.33"} << fromAngle;
    QTest::newRow("a straight tube") << earlier + QStringList{"txtD1=60", "txtD2=60", "txtLenConeInput=100"}
                                     << fromCentre << QStringList{"txtAngleOut=0.00", "txtSideLenOut=100.00"}
                                     << fromCentre;
    QTest::newRow("tip larger than the base")
        << earlier + QStringList{"txtD1=50", "txtD2=100", "txtLenConeInput=100"} << fromCentre
        << QStringList{"txtAngleOut=-14.04", "txtSideLenOut=103.08"} << fromCentre;

    QTest::newRow("half angle 0.5 refused")
        << cone + QStringList{"txtAngleIn=0.5"} << fromAngle << earlier << "txtAngleIn";
    QTest::newRow("letters for a side length refused")
        << cone + QStringList{"txtSideLen=abc"} << fromSide << earlier << "txtSideLen";
    QTest::newRow("centre length 0.9 refused")
        << cone + QStringList{"txtLenConeInput=0.9"} << fromCentre << earlier << "txtLenConeInput";
    QTest::newRow("base 0.5 refused") << earlier + QStringList{"txtD1=0.5", "txtD2=50", "txtLenConeInput=100"}
                                      << fromCentre << earlier << "txtD1";
    QTest::newRow("empty tip refused")
        << earlier + QStringList{"txtD1=100", "txtLenConeInput=100"} << fromCentre << earlier << "txtD2";
    QTest::newRow("all empty: base refused first") << earlier << fromSide << earlier << "txtD1";

    QTest::newRow("side shorter than half the difference")
        << cone + QStringList{"txtSideLen=10"} << fromSide
        << QStringList{"txtLenCone=", "txtAngleOut=", "txtSideLenOut=22.22"} << "txtSideLen";
    QTest::newRow("huge centre length overflows")
        << cone + QStringList{"txtLenConeInput=1e300"} << fromCentre
        << QStringList{"txtAngleOut=", "txtSideLenOut=", "txtLenCone=11.11"} << "txtLenConeInput";
    QTest::newRow("unreadably large base")
        << earlier + QStringList{"txtD1=1e400", "txtD2=50", "txtAngleIn=14"} << fromAngle
        << QStringList{"txtLenCone=", "txtSideLenOut=", "txtAngleOut=33.33"} << "txtD1";
}

void TestTubeCalcForm::buttons_calculate() {
    QFETCH(QStringList, entries);
    QFETCH(QString, button);
    QFETCH(QStringList, expected);
    QFETCH(QString, focus);
    Calculate(m_form.get(), entries, button, expected, focus);
}

void TestTubeCalcForm::close_hides_and_keeps_every_value() {
    Enter(m_form.get(), {"txtD1=100", "txtD2=50", "txtLenConeInput=100"});
    Click(m_form.get(), "cmdStrAngle");
    Click(m_form.get(), "cmdCancel");
    QVERIFY(!m_form->isVisible());
    ShowActive(m_form.get());
    QVERIFY(!m_form->close());
    QVERIFY(!m_form->isVisible());
    ShowActive(m_form.get());
    ExpectTexts(m_form.get(), {"txtD1=100", "txtD2=50", "txtLenConeInput=100", "txtAngleOut=14.04",
                               "txtSideLenOut=103.08"});
}

void TestTubeCalcForm::diagrams_are_drawn() {
    for (const char *name : {"picCentre", "picSide", "picAngle"}) {
        auto *picture = Find<QWidget>(m_form.get(), name);
        QVERIFY(picture);
        const InkCount ink = CountInk(picture);
        const int area = picture->width() * picture->height();
        QVERIFY2(ink.dark > 150, name);
        QVERIFY2(ink.blue > 40, name);
        QVERIFY2(ink.white > area / 4, name);
    }
}

QTEST_MAIN(TestTubeCalcForm)
#include "tst_tubecalcform.moc"
