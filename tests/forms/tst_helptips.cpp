// SPDX-License-Identifier: GPL-3.0-or-later
#include "assembledpipeform.h"
#include "helptexts.h"
#include "inputcalcform.h"
#include "mainform.h"
#include "plotform.h"
#include "portareaform.h"
#include "tooltip.h"
#include "tubecalcform.h"
#include "wavetimingform.h"

#include <QHelpEvent>
#include <QLineEdit>
#include <QtTest>

using namespace quorvane;

class TestHelpTips : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MainForm> m_form;

    QList<QWidget *> Windows() const {
        return {m_form.get(),
                m_form->plotForm(),
                m_form->portAreaForm(),
                m_form->inputCalcForm(),
                m_form->tubeCalcForm(),
                m_form->templateForm(),
                m_form->waveTimingForm(),
                m_form->assembledPipeForm()};
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

    void resting_on_the_heats_box_shows_its_tip() {
        QWidget *heats = Control("mainForm", "txtHeats");
        Hover(heats);
        QTRY_COMPARE(clsTooltip::tipControl(), heats);
        const TipLayout layout = clsTooltip::shownLayout();
        const HelpTip &tip = *std::find_if(HelpTips().begin(), HelpTips().end(), [](const HelpTip &t) {
            return QLatin1String(t.control) == "txtHeats";
        });
        QCOMPARE(layout.title, QString::fromUtf8(tip.title));
        QCOMPARE(layout.icon, 1); // the wrapping at its width: tst_tooltip
        QCOMPARE(layout.lines.join(' '), QString::fromUtf8(tip.text).replace('\n', ' '));
        QVERIFY(clsTooltip::tipWindow()->isVisible());
    }

    // Each tip is registered on its own control, in its own window, with the look every help tip shares;
    // no other control of any window has a tip.
    void every_tip_is_attached_to_its_control_and_no_other() {
        QSet<QWidget *> controls;
        for (const HelpTip &tip : HelpTips()) {
            QWidget *w = Control(tip.window, tip.control);
            QVERIFY2(w && w->window()->objectName() == QLatin1String(tip.window), tip.control);
            controls.insert(w);
            const TooltipTool *tool = m_form->toolTips()->appearanceOf(w);
            QVERIFY(tool && m_form->toolTips()->isRegistered(w));
            QCOMPARE(tool->title, QString::fromUtf8(tip.title));
            QCOMPARE(tool->text, QString::fromUtf8(tip.text));
            QCOMPARE(tool->width, tip.width);
            QVERIFY(tool->icon == 1 && tool->showMode == 16 && tool->margin == 0);
            QVERIFY(!tool->balloon && !tool->centered && tool->transparent && !tool->text->endsWith('\n'));
        }
        QCOMPARE(controls.size(), qsizetype(HelpTips().size())); // each on a control of its own
        QCOMPARE(m_form->toolTips()->tools().size(), qsizetype(HelpTips().size()));
        for (QWidget *window : Windows())
            for (QWidget *w : window->findChildren<QWidget *>())
                QVERIFY2(controls.contains(w) || !m_form->toolTips()->isRegistered(w),
                         qPrintable(w->objectName()));
        QVERIFY(m_form->toolTipsAttached());
    }

    // A tool window's tips come with the window: none before it is built, all of them from its first
    // showing on, and they show.
    void tool_window_tips_come_with_the_window() {
        const auto rows = [](const char *window) {
            return std::count_if(HelpTips().begin(), HelpTips().end(),
                                 [window](const HelpTip &t) { return QLatin1String(t.window) == window; });
        };
        QCOMPARE(m_form->toolTips()->tools().size(), rows("mainForm"));
        m_form->cmdPlot_Click();
        QCOMPARE(m_form->toolTips()->tools().size(), rows("mainForm") + rows("frmPlot"));
        QVERIFY(m_form->toolTips()->isRegistered(m_form->plotForm()->findChild<QWidget *>("txtSheetThick")));
        m_form->mnuTools1_Click(2);
        QWidget *button = Control("frmTubecalc", "cmdConeLength");
        QVERIFY(QTest::qWaitForWindowExposed(button->window()));
        Hover(button);
        QTRY_COMPARE(clsTooltip::tipControl(), button);
        QCOMPARE(clsTooltip::shownLayout().title, QStringLiteral("Calculate from Angle"));
    }

    void no_tip_shows_once_the_main_window_closes() {
        QWidget *heats = Control("mainForm", "txtHeats");
        m_form->close();
        QVERIFY(!m_form->toolTips());
        QVERIFY(!clsTooltip::tipWindow());
        Hover(heats);
        QTest::qWait(50);
        QVERIFY(!clsTooltip::tipControl());
    }
};

QTEST_MAIN(TestHelpTips)
#include "tst_helptips.moc"
