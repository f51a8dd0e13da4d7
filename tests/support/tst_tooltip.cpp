// SPDX-License-Identifier: GPL-3.0-or-later
#include "tooltip.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>

using namespace Qt::StringLiterals;
using namespace quorvane;

static const QString kSentence =
    u"Value varies with fuel other than petrol / gasoline at average air fuel ratio and exhaust temperature."_s;

struct Form : QWidget {
    QLineEdit *first = new QLineEdit(this), *second = new QLineEdit(this);
    Form() { show(); }
};

static auto Fields(const TooltipTool &t) {
    return std::tie(t.control, t.backColor, t.foreColor, t.balloon, t.title, t.icon, t.showMode, t.margin,
                    t.centered, t.transparent, t.alignment, t.width, t.text, t.registered);
}

using Step = std::function<void(Form &, clsTooltip &, TooltipTool *)>;

Q_DECLARE_METATYPE(Step)

class TestTooltip : public QObject {
    Q_OBJECT

    static QWidget *Tip() { return clsTooltip::tipWindow(); }
    static bool Add(clsTooltip &t, QWidget *w, std::optional<QString> s, int mode = 0, bool balloon = false) {
        return t.AddTool(w, s, {}, QColor(0, 0, 90), balloon, u"Title"_s, kInformationIcon, mode, 0, false,
                         true, kTextLeft, 150);
    }
    static bool RestMouseOn(QWidget *control) {
        QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), control->mapToGlobal(QPoint(4, 4)));
        QApplication::sendEvent(control, &help);
        return help.isAccepted(); // taken by a tip, or by Qt's own
    }

  private slots:
    void cleanup() { QCOMPARE(clsTooltip::instanceCount(), 0); }

    void tip_window_lives_while_an_instance_does() {
        Form form;
        std::optional<clsTooltip> first(std::in_place), second(std::in_place);
        QWidget *tip = Tip();
        Add(*first, form.first, u"a"_s);
        Add(*second, form.second, u"b"_s);
        QVERIFY(tip && RestMouseOn(form.first));
        first.reset(); // the instance that made the tip window may go first, and its tip with it
        QVERIFY(Tip() == tip && !tip->isVisible() && !RestMouseOn(form.first) && RestMouseOn(form.second));
        second.reset();
        QVERIFY(!Tip() && !QApplication::topLevelWidgets().contains(tip));
    }

    void add_and_update_keep_each_given_setting_data() {
        QTest::addColumn<Step>("update");
        // clang-format off
        QTest::newRow("added_as_given") << Step([](auto &, auto &, auto *) {});
        QTest::newRow("text") << Step([](auto &f, auto &t, auto *e) { t.UpdateTool(f.first, u"new"_s); e->text = u"new"_s; });
        QTest::newRow("empty_text_asks") << Step([](auto &f, auto &t, auto *e) { t.UpdateTool(f.first, u""_s); e->text.reset(); });
        QTest::newRow("fore") << Step([](auto &f, auto &t, auto *e) { t.UpdateTool(f.first, {}, Qt::red); e->foreColor = Qt::red; });
        QTest::newRow("back") << Step([](auto &f, auto &t, auto *e) { t.UpdateTool(f.first, {}, {}, Qt::blue); e->backColor = Qt::blue; });
        QTest::newRow("balloon") << Step([](auto &f, auto &t, auto *e) { t.UpdateTool(f.first, {}, {}, {}, false); e->balloon = false; });
        QTest::newRow("title") << Step([](auto &f, auto &t, auto *e) { t.UpdateTool(f.first, {}, {}, {}, {}, u"X"_s); e->title = u"X"_s; });
        QTest::newRow("icon") << Step([](auto &f, auto &t, auto *e) { t.UpdateTool(f.first, {}, {}, {}, {}, {}, kErrorIcon); e->icon = kErrorIcon; });
        QTest::newRow("show_mode") << Step([](auto &f, auto &t, auto *e) { t.UpdateTool(f.first, {}, {}, {}, {}, {}, {}, kRollLeftToRight); e->showMode = kRollLeftToRight; });
        QTest::newRow("margin") << Step([](auto &f, auto &t, auto *e) { t.UpdateTool(f.first, {}, {}, {}, {}, {}, {}, {}, 7); e->margin = 7; });
        QTest::newRow("centred") << Step([](auto &f, auto &t, auto *e) { t.UpdateTool(f.first, {}, {}, {}, {}, {}, {}, {}, {}, false); e->centered = false; });
        QTest::newRow("alignment") << Step([](auto &f, auto &t, auto *e) { t.UpdateTool(f.first, {}, {}, {}, {}, {}, {}, {}, {}, {}, kTextRight); e->alignment = kTextRight; });
        QTest::newRow("width") << Step([](auto &f, auto &t, auto *e) { t.UpdateTool(f.first, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, 200); e->width = 200; });
        // clang-format on
    }
    void add_and_update_keep_each_given_setting() {
        QFETCH(Step, update);
        Form f;
        clsTooltip tips;
        const QString t = u"  "_s + QString(90, u'T'); // kept to 80 characters
        tips.AddTool(f.first, u"x"_s, Qt::green, Qt::gray, true, t, kWarningIcon, kExpandFromCentre, 3, true,
                     false, kTextCentred, 150);
        TooltipTool e{f.first, Qt::gray, Qt::green, true,         t.left(80), kWarningIcon, kExpandFromCentre,
                      3,       true,     false,     kTextCentred, 150,        u"x"_s,       true};
        RestMouseOn(f.first); // a tip on show is redrawn at once
        update(f, tips, &e);
        QVERIFY(Fields(tips.tools().first()) == Fields(e));
        QCOMPARE(clsTooltip::shownLayout().lines,
                 WrapTipText(e.text.value_or(""), QFontMetrics(QToolTip::font()), e.width));
    }

    void removed_tool_shows_nothing_and_re_added_control_keeps_its_first_look() {
        Form form;
        clsTooltip tips;
        QVERIFY(!Add(tips, nullptr, u"x"_s) && Add(tips, form.first, u"old"_s)); // null: refused, yet kept
        QCOMPARE(tips.tools()[1].foreColor,
                 QToolTip::palette().color(QPalette::Inactive, QPalette::ToolTipText));
        tips.RemoveTool(form.first);
        QVERIFY(!tips.isRegistered(form.first) && !RestMouseOn(form.first) && !Tip()->isVisible());
        tips.AddTool(form.first, u"new"_s, {}, QColor(200, 0, 0), true, u"New"_s, kWarningIcon, 0, 0, false,
                     true, kTextLeft, 0);
        QVERIFY(tips.tools().size() == 3 && !tips.tools()[0].registered && !tips.tools()[1].registered);
        QCOMPARE(tips.appearanceOf(form.first), &tips.tools().at(1));
        QVERIFY(RestMouseOn(form.first));
        QCOMPARE(clsTooltip::shownLayout().title, u"Title"_s);
        QCOMPARE(clsTooltip::shownLayout().lines, QStringList{u"new"_s}); // the new registration's text
        QVERIFY(Tip()->mask().isEmpty());                                 // the old rectangle, not a balloon
        QCOMPARE(Tip()->grab().toImage().pixelColor(3, 3), QColor(0, 0, 90));
    }

    void need_text_gives_the_text_of_a_tool_without_one() {
        Form form;
        clsTooltip tips;
        Add(tips, form.first, std::nullopt);
        Add(tips, form.second, std::nullopt);
        // A text left over from the first request would show for the second.
        auto answer = [&](QWidget *w, QString &text) { text = w == form.first ? u"one\ntwo"_s : text; };
        connect(&tips, &clsTooltip::NeedText, this, answer, Qt::DirectConnection);
        QVERIFY(RestMouseOn(form.first));
        QCOMPARE(clsTooltip::shownLayout().lines, (QStringList{u"one"_s, u"two"_s}));
        QVERIFY(RestMouseOn(form.second) && !Tip()->isVisible()); // left empty: no tip at all
    }

    void line_breaks_give_lines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QStringList>("lines");
        // clang-format off
        QTest::newRow("doubled_lf_is_an_empty_line") << u"a\n\nb"_s << 150 << QStringList{u"a"_s, u""_s, u"b"_s};
        QTest::newRow("no_width_no_wrap") << kSentence << 0 << QStringList{kSentence};
        QTest::newRow("nothing") << u""_s << 150 << QStringList{};
        QTest::newRow("long_word_whole") << u"Unbreakableword x"_s << 20 << QStringList{u"Unbreakableword"_s, u"x"_s};
        // clang-format on
    }
    void line_breaks_give_lines() {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QStringList, lines);
        QCOMPARE(WrapTipText(text, QFontMetrics(QToolTip::font()), width), lines);
    }

    void widths_150_and_200_wrap_greedily_and_differently() {
        const QFontMetrics fm(QToolTip::font());
        const QStringList narrow = WrapTipText(kSentence, fm, 150), wide = WrapTipText(kSentence, fm, 200);
        QVERIFY(narrow.size() > wide.size() && wide.size() > 1);
        for (const auto &[lines, width] : {std::pair(narrow, 150), std::pair(wide, 200)}) {
            QCOMPARE(lines.join(u' '), kSentence); // nothing lost, no word cut
            for (const QString &line : lines)
                QVERIFY2(fm.horizontalAdvance(line) <= width, qPrintable(line));
            for (qsizetype i = 0; i + 1 < lines.size(); ++i) // greedy: the next word would not have fitted
                QVERIFY(fm.horizontalAdvance(lines[i] + u' ' + lines[i + 1].section(u' ', 0, 0)) > width);
        }
    }

    void title_line_and_icon_only_for_a_title_not_blank_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << u""_s << u""_s;
        QTest::newRow("blanks") << u"      "_s << u""_s;
        QTest::newRow("tab_and_blank") << u"\t "_s << u""_s;
        QTest::newRow("trimmed") << u" \tTitled "_s << u"Titled"_s;
    }
    void title_line_and_icon_only_for_a_title_not_blank() {
        QFETCH(QString, title);
        QFETCH(QString, shown);
        TooltipTool look;
        look.title = title;
        look.icon = 1;
        const TipLayout layout = LayoutTip(look, u"text"_s, QToolTip::font());
        QCOMPARE(layout.title, shown);
        QCOMPARE(layout.icon, shown.isEmpty() ? 0 : 1);
        QCOMPARE(layout.iconRect.isNull() && layout.titleRect.isNull(), shown.isEmpty());
        QCOMPARE(layout.textRect.top() == TipMetrics::kBasePadding.top(), shown.isEmpty());
        QVERIFY(shown.isEmpty() || (layout.iconRect.right() < layout.titleRect.left() &&
                                    layout.titleRect.bottom() < layout.textRect.top()));
    }

    void tip_shows_and_hides_with_signals_data() {
        QTest::addColumn<int>("showMode");
        QTest::addColumn<bool>("balloon");
        QTest::addColumn<bool>("animates");
        QTest::addColumn<Step>("hideBy");
        // clang-format off
        QTest::newRow("plain_key_on_control") << 0 << false << false << Step([](Form &f, clsTooltip &, auto *) { QTest::keyClick(f.first, Qt::Key_A); });
        QTest::newRow("expanding_key_elsewhere") << int(kExpandFromCentre) << false << true << Step([](Form &f, clsTooltip &, auto *) { QTest::keyClick(f.second, Qt::Key_Escape); });
        QTest::newRow("fading_mouse_button") << int(kFadeIn) << false << true << Step([](Form &f, clsTooltip &, auto *) { QTest::mouseClick(f.second, Qt::LeftButton); });
        QTest::newRow("balloon_control_hidden") << int(kExpandFromCentre) << true << false << Step([](Form &f, clsTooltip &, auto *) { f.first->hide(); });
        QTest::newRow("control_destroyed") << 0 << false << false << Step([](Form &f, clsTooltip &, auto *) { delete f.first; });
        QTest::newRow("tool_removed") << 0 << false << false << Step([](Form &f, clsTooltip &t, auto *) { t.RemoveTool(f.first); });
        QTest::newRow("other_tool_shown") << 0 << false << false << Step([](Form &f, clsTooltip &t, auto *) { Add(t, f.second, u"b"_s); RestMouseOn(f.second); });
        QTest::newRow("pointer_leaves") << 0 << false << false << Step([](Form &f, clsTooltip &, auto *) { QEvent leave(QEvent::Leave); QApplication::sendEvent(f.first, &leave); });
        QTest::newRow("time_runs_out") << 0 << false << false << Step([](Form &, clsTooltip &, auto *) { auto *timer = Tip()->findChild<QTimer *>(u"autoHide"_s); QVERIFY(timer && timer->isActive() && timer->interval() == TipMetrics::kAutoHideMs); timer->start(10); QTRY_VERIFY(!Tip()->isVisible()); });
        // clang-format on
    }
    void tip_shows_and_hides_with_signals() {
        QFETCH(int, showMode);
        QFETCH(bool, balloon);
        QFETCH(bool, animates);
        QFETCH(Step, hideBy);
        Form form;
        clsTooltip tips;
        Add(tips, form.first, kSentence, showMode, balloon);
        QSignalSpy shows(&tips, &clsTooltip::Show);
        QSignalSpy hides(&tips, &clsTooltip::Hide);
        QVERIFY(RestMouseOn(form.first));
        QCOMPARE(clsTooltip::isTipAnimating(), animates);
        QCOMPARE(shows.count(), animates ? 0 : 1); // Show comes once the tip is fully open
        QTRY_COMPARE(shows.count(), 1);
        QVERIFY(RestMouseOn(form.first)); // resting again keeps the tip
        QVERIFY(Tip()->isVisible() && Tip()->geometry() == clsTooltip::shownPlacement().geometry);
        QVERIFY(Tip()->mask().isEmpty() == !balloon && Tip()->windowFlags() & Qt::WindowTransparentForInput);
        QCOMPARE(Tip()->grab().toImage().pixelColor(3, Tip()->height() / 2), QColor(0, 0, 90));
        hideBy(form, tips, nullptr);
        QCOMPARE(hides.count(), 1);
        const bool replaced = shows.count() == 2;
        QCOMPARE(clsTooltip::tipControl(), replaced ? static_cast<QWidget *>(form.second) : nullptr);
        QCOMPARE(Tip()->isVisible(), replaced);
    }
};

QTEST_MAIN(TestTooltip)
#include "tst_tooltip.moc"
