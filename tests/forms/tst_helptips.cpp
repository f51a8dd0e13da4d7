#include "helptexts.h"
#include "inputcalcform.h"
#include "mainform.h"
#include "plotform.h"
#include "portareaform.h"
#include "tooltip.h"
#include "tubecalcform.h"

#include <QHelpEvent>
#include <QLineEdit>
#include <QtTest>

using namespace quorvane;

class TestHelpTips : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MainForm> m_form;

    QList<QWidget *> Windows() const {
        return {m_form.get(), m_form->plotForm(), m_form->portAreaForm(), m_form->inputCalcForm(),
                m_form->tubeCalcForm()};
    }
    QWidget *Control(const char *window, const char *name) const {
        for (QWidget *w : Windows())
            if (w->objectName() == QLatin1String(window))
                return w->findChild<QWidget *>(QString::fromLatin1(name));
        return nullptr;
    }
    void Hover(QWidget *control) {
        QHelpEvent event(QEvent::ToolTip, QPoint(5, 5), control->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(control, &event);
    }

  private slots:
    void init() {
        m_form = std::make_unique<MainForm>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }
    void cleanup() {
        clsTooltip::HideTip();
        m_form.reset();
    }

    void resting_on_the_heats_box_shows_its_tip();
    void every_row_is_attached_to_its_control_data();
    void every_row_is_attached_to_its_control();
    void the_table_has_42_rows_on_distinct_controls();
    void controls_outside_the_table_have_no_tip();
    void tool_window_tips_work_from_the_first_showing();
    void no_tip_shows_once_the_main_window_closes();
};

void TestHelpTips::resting_on_the_heats_box_shows_its_tip() {
    QWidget *heats = Control("mainForm", "txtHeats");
    Hover(heats);
    QTRY_COMPARE(clsTooltip::tipControl(), heats);
    const TipLayout layout = clsTooltip::shownLayout();
    QCOMPARE(layout.title, QStringLiteral("Ratio of Specific Heats"));
    QCOMPARE(layout.icon, 1);
    QVERIFY(layout.lines.size() >= 5);
    QCOMPARE(layout.lines.mid(0, 4),
             (QStringList{"Represents exhaust gas content.", "Air = 1.40", "Exhaust = 1.30", ""}));
    QCOMPARE(layout.lines.mid(4).join(' '),
             QStringLiteral("Value varies with fuel other than petrol / gasoline at "
                            "average air fuel ratio and exhaust temperature."));
    QVERIFY(layout.textRect.width() <= 200);
    QVERIFY(clsTooltip::tipWindow()->isVisible());
}

void TestHelpTips::every_row_is_attached_to_its_control_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("textStart");
    QTest::addColumn<int>("width");
    auto row = [](const char *window, const char *control, const char *title, const char *text, int width) {
        QTest::newRow(control) << window << control << title << text << width;
    };
    // A sample typed out again by hand, so a slip in the table shows.
    row("mainForm", "txtPTExh", "Exhaust Port Timing", "Exhaust port timing in crankshaft degrees.", 150);
    row("mainForm", "txtRPM", "RPM", "Maximum engine RPM.", 150);
    row("mainForm", "txtTemp", "Exhaust Temp C", "Average exhaust gas temperature.", 150);
    row("mainForm", "txtPipeDim1", "Diameter Ouput mm",
        "Pipe diameters are shown here.\nAll dimensions are inside diameters.", 200);
    row("mainForm", "txtPipeDim2", "Length Ouput mm", "Pipe section lengths", 200);
    row("mainForm", "txtWarn", "Warning Message Window", "This shows any warning", 200);
    row("frmPlot", "optPlot(0)", "Single Cone Plot",
        "Choose this option to enter cone values above manually to plot one single cone.\n\nBatch Plot", 200);
    row("frmPlot", "optPlot(1)", "Batch Cone Plot", "Choose this option to plot all", 200);
    row("frmPortArea", "cmdOnlySegment", "Single Segment Area Calculator",
        "Allows for calculation of the AREA of an individual segment (curved port edge) seperate", 200);
    row("frmInputCalc", "cmdExTiming", "Calculate Exhaust Port Timing in Degree",
        "Enter values for Stroke length", 200);
    row("frmTubecalc", "cmdStrAngle", "Calculate from Centre Length",
        "Enter the centre line length of the cone measured end to end", 200);
}

void TestHelpTips::every_row_is_attached_to_its_control() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, title);
    QFETCH(QString, textStart);
    QFETCH(int, width);
    QWidget *widget = Control(window.toLatin1(), control.toLatin1());
    QVERIFY(widget);
    const TooltipTool *tool = m_form->toolTips()->appearanceOf(widget);
    QVERIFY(tool);
    QVERIFY(m_form->toolTips()->isRegistered(widget));
    QCOMPARE(tool->title, title);
    QCOMPARE(tool->width, width);
    QCOMPARE(tool->icon, 1);
    QCOMPARE(tool->showMode, 16);
    QCOMPARE(tool->margin, 0);
    QVERIFY(!tool->balloon && !tool->centered && tool->transparent);
    QVERIFY(tool->text && tool->text->startsWith(textStart));
    QVERIFY(!tool->text->endsWith('\n'));
}

void TestHelpTips::the_table_has_42_rows_on_distinct_controls() {
    QCOMPARE(HelpTips().size(), std::size_t(42));
    QSet<QWidget *> controls;
    for (const HelpTip &tip : HelpTips()) {
        QWidget *w = Control(tip.window, tip.control);
        QVERIFY2(w, tip.control);
        QCOMPARE(w->window()->objectName(), QString::fromLatin1(tip.window));
        controls.insert(w);
    }
    QCOMPARE(controls.size(), 42);
    QCOMPARE(m_form->toolTips()->tools().size(), 42);
    QVERIFY(m_form->toolTipsAttached());
}

void TestHelpTips::controls_outside_the_table_have_no_tip() {
    QSet<QWidget *> inTable;
    for (const HelpTip &tip : HelpTips())
        inTable.insert(Control(tip.window, tip.control));
    int others = 0;
    for (QWidget *window : Windows())
        for (QWidget *w : window->findChildren<QWidget *>())
            if (!inTable.contains(w)) {
                ++others;
                QVERIFY2(!m_form->toolTips()->isRegistered(w), qPrintable(w->objectName()));
            }
    QVERIFY(others > 42);
    QVERIFY(!m_form->toolTips()->isRegistered(Control("mainForm", "cmdClose")));
    QVERIFY(!m_form->toolTips()->isRegistered(Control("frmTubecalc", "txtD1")));
}

void TestHelpTips::tool_window_tips_work_from_the_first_showing() {
    m_form->mnuTools1_Click(2);
    QWidget *button = Control("frmTubecalc", "cmdConeLength");
    QVERIFY(QTest::qWaitForWindowExposed(button->window()));
    Hover(button);
    QTRY_COMPARE(clsTooltip::tipControl(), button);
    QCOMPARE(clsTooltip::shownLayout().title, QStringLiteral("Calculate from Angle"));
}

void TestHelpTips::no_tip_shows_once_the_main_window_closes() {
    QWidget *heats = Control("mainForm", "txtHeats");
    m_form->close();
    QVERIFY(!m_form->toolTips());
    QVERIFY(!clsTooltip::tipWindow());
    Hover(heats);
    QTest::qWait(50);
    QVERIFY(!clsTooltip::tipControl());
}

QTEST_MAIN(TestHelpTips)
#include "tst_helptips.moc"
