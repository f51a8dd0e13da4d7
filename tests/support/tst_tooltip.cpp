#include "tooltip.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include <functional>
#include <memory>

using namespace Qt::StringLiterals;
using quorvane::clsTooltip;
using quorvane::TipMetrics;
using quorvane::TooltipTool;

namespace {

const QString kSentence =
    u"Value varies with fuel other than petrol / gasoline at average air fuel ratio and exhaust temperature."_s;
const QString kHeatsText =
    u"Represents exhaust gas content.\r\nAir = 1.40\r\nExhaust = 1.30\r\n\r\n"_s + kSentence;

// Registers a control the way the help texts do.
bool AddHelp(clsTooltip &tips, QWidget *control, const QString &title, const QString &text, int width,
             int showMode = 16, bool balloon = false) {
    return tips.AddTool(control, text, {}, {}, balloon, title, 1, showMode, 0, false, true, 0, width);
}

// What Qt sends to a widget when the mouse rests on it; true when it was taken.
bool RestMouseOn(QWidget *control) {
    QHelpEvent help(QEvent::ToolTip, QPoint(4, 4), control->mapToGlobal(QPoint(4, 4)));
    QApplication::sendEvent(control, &help);
    return help.isAccepted();
}

QWidget *Tip() {
    return clsTooltip::TipWindow();
}

struct Form {
    QWidget window;
    QLineEdit *first = new QLineEdit(&window);
    QLineEdit *second = new QLineEdit(&window);
    Form() {
        window.setGeometry(40, 40, 320, 160);
        first->setGeometry(10, 10, 140, 24);
        second->setGeometry(10, 60, 140, 24);
        window.show();
    }
};

auto Fields(const TooltipTool &t) {
    return std::tie(t.number, t.id, t.control, t.backColor, t.foreColor, t.balloon, t.title, t.icon,
                    t.showMode, t.margin, t.centered, t.transparent, t.alignment, t.width, t.text,
                    t.registered);
}

using Update = std::function<void(clsTooltip &, QWidget *, TooltipTool &)>;
using Action = std::function<void(Form &)>;

} // namespace

Q_DECLARE_METATYPE(Update)
Q_DECLARE_METATYPE(Action)

class TestTooltip : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { QCOMPARE(clsTooltip::InstanceCount(), 0); }
    void tip_window_lives_while_an_instance_does();
    void add_tool_records_the_settings();
    void update_tool_replaces_only_the_given_setting_data();
    void update_tool_replaces_only_the_given_setting();
    void update_tool_redraws_the_tip_on_show();
    void removed_tool_shows_nothing_and_lets_qt_tips_through();
    void re_added_control_appends_a_record_and_keeps_its_first_look();
    void text_request_raises_need_text_and_shows_its_text();
    void line_breaks_give_lines_data();
    void line_breaks_give_lines();
    void widths_150_and_200_wrap_greedily_and_differently();
    void blank_title_gives_no_title_line_and_no_icon_data();
    void blank_title_gives_no_title_line_and_no_icon();
    void margin_adds_to_the_base_padding();
    void resting_on_a_help_control_shows_its_tip();
    void tip_hides_when_data();
    void tip_hides_when();
    void resting_again_keeps_the_tip();
    void tip_shows_for_a_control_made_of_children();
    void rectangle_expands_from_its_centre_then_signals_show();
    void balloon_shows_at_once_with_a_pointer();
    void rectangle_after_balloon_loses_the_balloon_shape();
    void show_animation_start_data();
    void show_animation_start();
    void placement_keeps_the_tip_on_screen_data();
    void placement_keeps_the_tip_on_screen();
    void tip_is_drawn_in_the_tool_colours();
    void tools_of_several_windows_share_one_tip_window();
    void each_instance_answers_for_its_own_tools();
    void transparent_tip_lets_the_mouse_through_and_events_reach_the_control();
};

void TestTooltip::tip_window_lives_while_an_instance_does() {
    QCOMPARE(Tip(), nullptr);
    auto first = std::make_unique<clsTooltip>();
    QWidget *window = Tip();
    QVERIFY(window && window->windowFlags().testFlag(Qt::ToolTip));
    auto second = std::make_unique<clsTooltip>();
    QCOMPARE(clsTooltip::InstanceCount(), 2);
    first.reset();
    QCOMPARE(Tip(), window);
    second.reset();
    QCOMPARE(clsTooltip::InstanceCount(), 0);
    QCOMPARE(Tip(), nullptr);
    clsTooltip again;
    QVERIFY(Tip());
}

void TestTooltip::add_tool_records_the_settings() {
    Form form;
    clsTooltip tips;
    const QString longTitle = u"  "_s + QString(90, u'T');
    QVERIFY(tips.AddTool(form.first, u"text"_s, QColor(1, 2, 3), QColor(4, 5, 6), true, longTitle, 2, 16, 3,
                         true, false, 1, 150));
    // clang-format off
    const TooltipTool expected{1, reinterpret_cast<quintptr>(form.first), form.first, QColor(4, 5, 6), QColor(1, 2, 3),
                               true, longTitle.left(80), 2, 16, 3, true, false, 1, 150, u"text"_s, true};
    // clang-format on
    QVERIFY(Fields(tips.Tools().at(0)) == Fields(expected));

    QVERIFY(tips.AddTool(form.second, std::nullopt, {}, {}, false, {}, 0, 0, 0, false, false, 0, 0));
    const TooltipTool &plain = tips.Tools().at(1);
    QCOMPARE(plain.backColor, QToolTip::palette().color(QPalette::Inactive, QPalette::ToolTipBase));
    QCOMPARE(plain.foreColor, QToolTip::palette().color(QPalette::Inactive, QPalette::ToolTipText));
    QVERIFY(!plain.text.has_value());

    QVERIFY(!AddHelp(tips, nullptr, u"T"_s, u"x"_s, 150)); // refused, yet recorded
    QCOMPARE(tips.Tools().size(), 3);
    QVERIFY(!tips.Tools().at(2).registered);
}

void TestTooltip::update_tool_replaces_only_the_given_setting_data() {
    QTest::addColumn<Update>("update");
    // clang-format off
    QTest::newRow("text") << Update([](auto &t, auto *w, auto &e) { t.UpdateTool(w, u"new"_s); e.text = u"new"_s; });
    QTest::newRow("empty_text_asks") << Update([](auto &t, auto *w, auto &e) { t.UpdateTool(w, u""_s); e.text.reset(); });
    QTest::newRow("fore") << Update([](auto &t, auto *w, auto &e) { t.UpdateTool(w, {}, Qt::red); e.foreColor = Qt::red; });
    QTest::newRow("back") << Update([](auto &t, auto *w, auto &e) { t.UpdateTool(w, {}, {}, Qt::blue); e.backColor = Qt::blue; });
    QTest::newRow("balloon") << Update([](auto &t, auto *w, auto &e) { t.UpdateTool(w, {}, {}, {}, true); e.balloon = true; });
    QTest::newRow("title") << Update([](auto &t, auto *w, auto &e) { t.UpdateTool(w, {}, {}, {}, {}, u"X"_s); e.title = u"X"_s; });
    QTest::newRow("icon") << Update([](auto &t, auto *w, auto &e) { t.UpdateTool(w, {}, {}, {}, {}, {}, 3); e.icon = 3; });
    QTest::newRow("show_mode") << Update([](auto &t, auto *w, auto &e) { t.UpdateTool(w, {}, {}, {}, {}, {}, {}, 0); e.showMode = 0; });
    QTest::newRow("margin") << Update([](auto &t, auto *w, auto &e) { t.UpdateTool(w, {}, {}, {}, {}, {}, {}, {}, 7); e.margin = 7; });
    QTest::newRow("centred") << Update([](auto &t, auto *w, auto &e) { t.UpdateTool(w, {}, {}, {}, {}, {}, {}, {}, {}, true); e.centered = true; });
    QTest::newRow("alignment") << Update([](auto &t, auto *w, auto &e) { t.UpdateTool(w, {}, {}, {}, {}, {}, {}, {}, {}, {}, 2); e.alignment = 2; });
    QTest::newRow("width") << Update([](auto &t, auto *w, auto &e) { t.UpdateTool(w, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, 200); e.width = 200; });
    // clang-format on
}

void TestTooltip::update_tool_replaces_only_the_given_setting() {
    QFETCH(Update, update);
    Form form;
    clsTooltip tips;
    tips.AddTool(form.first, u"old"_s, QColor(1, 2, 3), QColor(4, 5, 6), false, u"T"_s, 1, 16, 2, false, true,
                 0, 150);
    TooltipTool expected = tips.Tools().first();
    update(tips, form.first, expected);
    QVERIFY(Fields(tips.Tools().first()) == Fields(expected));
}

void TestTooltip::update_tool_redraws_the_tip_on_show() {
    Form form;
    clsTooltip tips;
    AddHelp(tips, form.first, u"Before"_s, u"short"_s, 150, 0);
    RestMouseOn(form.first);
    const int before = Tip()->width();
    tips.UpdateTool(form.first, u"a much longer text than before"_s, {}, {}, {}, u"After"_s);
    QCOMPARE(clsTooltip::ShownLayout().title, u"After"_s);
    QCOMPARE(clsTooltip::ShownLayout().lines.join(u' '), u"a much longer text than before"_s);
    QVERIFY(Tip()->width() > before);

    connect(
        &tips, &clsTooltip::NeedText, this, [](QWidget *, QString &text) { text = u"asked"_s; },
        Qt::DirectConnection);
    tips.UpdateTool(form.first, u""_s); // switches to text on request
    QCOMPARE(clsTooltip::ShownLayout().lines, QStringList{u"asked"_s});
}

void TestTooltip::removed_tool_shows_nothing_and_lets_qt_tips_through() {
    Form form;
    clsTooltip tips;
    AddHelp(tips, form.first, u"T"_s, u"ours"_s, 150, 0);
    QSignalSpy hides(&tips, &clsTooltip::Hide);
    RestMouseOn(form.first);
    tips.RemoveTool(form.first);
    QCOMPARE(hides.count(), 1);
    QCOMPARE(tips.Tools().size(), 1);
    QVERIFY(!tips.Tools().first().registered);

    form.first->setToolTip(u"Qt's own"_s);
    RestMouseOn(form.first);
    QCOMPARE(clsTooltip::TipControl(), nullptr);
    QVERIFY(!Tip()->isVisible());
    QCOMPARE(QToolTip::text(), u"Qt's own"_s);
    QToolTip::hideText();
}

void TestTooltip::re_added_control_appends_a_record_and_keeps_its_first_look() {
    Form form;
    clsTooltip tips;
    tips.AddTool(form.first, u"old"_s, Qt::black, QColor(200, 200, 200), false, u"Old"_s, 1, 0, 0, false,
                 true, 0, 150);
    tips.RemoveTool(form.first);
    tips.AddTool(form.first, u"new"_s, Qt::red, QColor(0, 0, 90), true, u"New"_s, 2, 0, 0, false, true, 0,
                 200);
    QCOMPARE(tips.Tools().size(), 2);
    QCOMPARE(tips.Tools().at(1).id, tips.Tools().at(0).id);
    QCOMPARE(tips.AppearanceOf(form.first), &tips.Tools().first());

    RestMouseOn(form.first);
    QCOMPARE(clsTooltip::ShownLayout().title, u"Old"_s);
    QCOMPARE(clsTooltip::ShownLayout().icon, 1);
    QCOMPARE(clsTooltip::ShownLayout().lines, QStringList{u"new"_s}); // the text is the new registration's
    QVERIFY(Tip()->mask().isEmpty());                                 // the old rectangle, not a balloon
    QCOMPARE(Tip()->grab().toImage().pixelColor(3, 3), QColor(200, 200, 200));
}

void TestTooltip::text_request_raises_need_text_and_shows_its_text() {
    Form form;
    clsTooltip tips;
    tips.AddTool(form.first, std::nullopt, {}, {}, false, u"Asked"_s, 1, 0, 0, false, true, 0, 150);
    tips.AddTool(form.second, std::nullopt, {}, {}, false, u"Asked"_s, 1, 0, 0, false, true, 0, 150);
    QList<QWidget *> askedFor;
    auto answer = [&](QWidget *tool, QString &text) {
        askedFor << tool;
        QVERIFY(text.isEmpty());
        if (tool == form.first)
            text = u"line one\r\nline two"_s;
    };
    connect(&tips, &clsTooltip::NeedText, this, answer, Qt::DirectConnection);
    QVERIFY(RestMouseOn(form.first));
    QCOMPARE(clsTooltip::TipControl(), form.first);
    QCOMPARE(clsTooltip::ShownLayout().lines, (QStringList{u"line one"_s, u"line two"_s}));
    QVERIFY(RestMouseOn(form.second)); // left empty: no tip at all
    QCOMPARE(askedFor, (QList<QWidget *>{form.first, form.second}));
    QVERIFY(!Tip()->isVisible());
}

void TestTooltip::line_breaks_give_lines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("cr_lf") << u"a\r\nb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("lf") << u"a\nb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("lone_cr") << u"a\rb"_s << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("doubled_cr_lf_is_an_empty_line") << u"a\r\n\r\nb"_s << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("doubled_lf_is_an_empty_line") << u"a\n\nb"_s << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("no_width_no_wrap") << kSentence << QStringList{kSentence};
    QTest::newRow("nothing") << u""_s << QStringList{};
}

void TestTooltip::line_breaks_give_lines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(quorvane::WrapTipText(text, QFontMetrics(QToolTip::font()), 0), lines);
}

void TestTooltip::widths_150_and_200_wrap_greedily_and_differently() {
    const QFontMetrics metrics(QToolTip::font());
    QStringList previous;
    for (int width : {150, 200}) {
        const QStringList lines = quorvane::WrapTipText(kSentence, metrics, width);
        QCOMPARE(lines.join(u' '), kSentence); // nothing lost, no word cut
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QVERIFY2(metrics.horizontalAdvance(lines[i]) <= width, qPrintable(lines[i]));
            const QString longer =
                i + 1 < lines.size() ? lines[i] + u' ' + lines[i + 1].section(u' ', 0, 0) : QString();
            QVERIFY2(longer.isEmpty() || metrics.horizontalAdvance(longer) > width, qPrintable(longer));
        }
        QVERIFY(lines.size() > 1 && lines != previous);
        previous = lines;
    }
    QCOMPARE(quorvane::WrapTipText(u"Unbreakableword x"_s, metrics, 20),
             (QStringList{u"Unbreakableword"_s, u"x"_s}));
}

void TestTooltip::blank_title_gives_no_title_line_and_no_icon_data() {
    QTest::addColumn<QString>("title");
    QTest::newRow("empty") << u""_s;
    QTest::newRow("blanks") << u"      "_s;
    QTest::newRow("tab_and_blank") << u"\t "_s;
}

void TestTooltip::blank_title_gives_no_title_line_and_no_icon() {
    QFETCH(QString, title);
    TooltipTool look;
    look.title = title;
    look.icon = 1;
    const auto blank = quorvane::LayoutTip(look, u"text"_s, QToolTip::font());
    QCOMPARE(blank.title, QString());
    QCOMPARE(blank.icon, 0);
    QVERIFY(blank.iconRect.isNull() && blank.titleRect.isNull());
    QCOMPARE(blank.textRect.top(), TipMetrics::kBasePadding.top());

    look.title = title + u"Titled"_s;
    const auto titled = quorvane::LayoutTip(look, u"text"_s, QToolTip::font());
    QCOMPARE(titled.title, u"Titled"_s);
    QVERIFY(titled.iconRect.right() < titled.titleRect.left());
    QCOMPARE(titled.iconRect.center().y(), titled.titleRect.center().y());
    QVERIFY(titled.titleRect.bottom() < titled.textRect.top());
}

void TestTooltip::margin_adds_to_the_base_padding() {
    TooltipTool look;
    look.title = u"Title"_s;
    look.icon = 1;
    const auto plain = quorvane::LayoutTip(look, u"text"_s, QToolTip::font());
    for (const auto &[margin, added] : {std::pair(5, 5), std::pair(12, 12), std::pair(-4, 0)}) {
        look.margin = margin;
        const auto layout = quorvane::LayoutTip(look, u"text"_s, QToolTip::font());
        QCOMPARE(layout.bodySize, plain.bodySize + QSize(2 * added, 2 * added));
        QCOMPARE(layout.iconRect.topLeft(), plain.iconRect.topLeft() + QPoint(added, added));
        QCOMPARE(layout.textRect.topLeft(), plain.textRect.topLeft() + QPoint(added, added));
    }
}

void TestTooltip::resting_on_a_help_control_shows_its_tip() {
    Form form;
    clsTooltip tips;
    QVERIFY(AddHelp(tips, form.first, u"Ratio of Specific Heats"_s, kHeatsText, 200));
    QVERIFY(RestMouseOn(form.first));
    QCOMPARE(clsTooltip::TipControl(), form.first);
    QVERIFY(Tip()->isVisible());
    const auto layout = clsTooltip::ShownLayout();
    QCOMPARE(layout.title, u"Ratio of Specific Heats"_s);
    QCOMPARE(layout.icon, 1);
    QCOMPARE(layout.lines.mid(0, 4), (QStringList{u"Represents exhaust gas content."_s, u"Air = 1.40"_s,
                                                  u"Exhaust = 1.30"_s, u""_s}));
    QCOMPARE(layout.lines.mid(4), quorvane::WrapTipText(kSentence, QFontMetrics(QToolTip::font()), 200));
    QVERIFY(layout.lines.size() > 5);
    QTRY_VERIFY(!clsTooltip::TipAnimating());
    QCOMPARE(Tip()->size(), layout.bodySize);
}

void TestTooltip::tip_hides_when_data() {
    QTest::addColumn<Action>("action");
    QTest::newRow("key_on_control") << Action([](Form &f) { QTest::keyClick(f.first, Qt::Key_A); });
    QTest::newRow("key_elsewhere") << Action([](Form &f) { QTest::keyClick(f.second, Qt::Key_Escape); });
    QTest::newRow("mouse_button") << Action([](Form &f) { QTest::mouseClick(f.second, Qt::LeftButton); });
    QTest::newRow("pointer_leaves") << Action([](Form &f) {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(f.first, &leave);
    });
    QTest::newRow("control_hidden") << Action([](Form &f) { f.first->hide(); });
    QTest::newRow("control_destroyed") << Action([](Form &f) { delete f.first; });
    QTest::newRow("time_runs_out") << Action([](Form &) {
        auto *timer = Tip()->findChild<QTimer *>(u"autoHide"_s);
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), TipMetrics::kAutoHideMs);
        timer->start(10);
        QTRY_VERIFY(!Tip()->isVisible());
    });
}

void TestTooltip::tip_hides_when() {
    QFETCH(Action, action);
    Form form;
    clsTooltip tips;
    AddHelp(tips, form.first, u"T"_s, u"text"_s, 150, 0);
    QSignalSpy shows(&tips, &clsTooltip::Show);
    QSignalSpy hides(&tips, &clsTooltip::Hide);
    RestMouseOn(form.first);
    QCOMPARE(shows.count(), 1);
    QVERIFY(Tip()->isVisible());
    action(form);
    QCOMPARE(hides.count(), 1);
    QVERIFY(!Tip()->isVisible());
    QCOMPARE(clsTooltip::TipControl(), nullptr);
}

void TestTooltip::resting_again_keeps_the_tip() {
    Form form;
    clsTooltip tips;
    AddHelp(tips, form.first, u"T"_s, u"text"_s, 150, 0);
    AddHelp(tips, form.second, u"T2"_s, u"text"_s, 150, 0);
    QSignalSpy shows(&tips, &clsTooltip::Show);
    QSignalSpy hides(&tips, &clsTooltip::Hide);
    RestMouseOn(form.first);
    RestMouseOn(form.first);
    QCOMPARE(shows.count(), 1);
    QCOMPARE(hides.count(), 0);
    RestMouseOn(form.second);
    QCOMPARE(shows.count(), 2);
    QCOMPARE(hides.count(), 1);
}

void TestTooltip::tip_shows_for_a_control_made_of_children() {
    Form form;
    auto *warnings = new QPlainTextEdit(&form.window);
    warnings->setGeometry(160, 10, 150, 100);
    warnings->show();
    clsTooltip tips;
    AddHelp(tips, warnings, u"Warning Message Window"_s, u"text"_s, 200, 0);
    QVERIFY(RestMouseOn(warnings->viewport())); // the mouse rests on the inner part
    QCOMPARE(clsTooltip::TipControl(), warnings);
}

void TestTooltip::rectangle_expands_from_its_centre_then_signals_show() {
    Form form;
    clsTooltip tips;
    AddHelp(tips, form.first, u"Ratio of Specific Heats"_s, kHeatsText, 200, 16);
    QSignalSpy shows(&tips, &clsTooltip::Show);
    QElapsedTimer clock;
    clock.start();
    RestMouseOn(form.first);
    const QRect final = clsTooltip::ShownPlacement().geometry;
    const QRect now = Tip()->geometry();
    QVERIFY(clsTooltip::TipAnimating());
    QCOMPARE(shows.count(), 0);
    QVERIFY(now.width() < final.width() && now.height() < final.height());
    QVERIFY((now.center() - final.center()).manhattanLength() <= 2);
    QTRY_COMPARE(shows.count(), 1);
    QVERIFY(clock.elapsed() >= TipMetrics::kAnimationMs - 20);
    QCOMPARE(Tip()->geometry(), final);
}

void TestTooltip::balloon_shows_at_once_with_a_pointer() {
    Form form;
    clsTooltip tips;
    AddHelp(tips, form.first, u"Balloon"_s, u"text"_s, 150, 16, true);
    QSignalSpy shows(&tips, &clsTooltip::Show);
    RestMouseOn(form.first);
    QVERIFY(!clsTooltip::TipAnimating());
    QCOMPARE(shows.count(), 1);
    const auto placement = clsTooltip::ShownPlacement();
    QCOMPARE(Tip()->geometry(), placement.geometry);
    QCOMPARE(placement.body.top(), TipMetrics::kPointerHeight);
    const QRegion shape = Tip()->mask();
    QVERIFY(shape.contains(placement.body.center()));
    QVERIFY(!shape.contains(QPoint(0, 0)) &&
            !shape.contains(placement.body.bottomRight())); // rounded corners
    const int stemY = TipMetrics::kPointerHeight / 2 + 1;
    QVERIFY(shape.contains(QPoint(placement.pointerX, stemY)));
    QVERIFY(!shape.contains(QPoint(placement.pointerX + TipMetrics::kPointerWidth, stemY)));
}

void TestTooltip::rectangle_after_balloon_loses_the_balloon_shape() {
    Form form;
    clsTooltip tips;
    AddHelp(tips, form.first, u"Balloon"_s, u"text"_s, 150, 0, true);
    AddHelp(tips, form.second, u"Rectangle"_s, u"a longer text than the balloon had"_s, 150, 0);
    RestMouseOn(form.first);
    QWindow *platform = Tip()->windowHandle();
    QVERIFY(platform);
    QCOMPARE(platform->mask(), Tip()->mask());
    RestMouseOn(form.second);
    QVERIFY(Tip()->mask().isEmpty());
    QVERIFY(platform->mask().isEmpty());
}

void TestTooltip::show_animation_start_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QRect>("start");
    const QRect final(100, 100, 200, 80);
    QTest::newRow("none") << 0 << final;
    QTest::newRow("expand_from_centre") << 16 << QRect(final.center(), QSize(1, 1));
    QTest::newRow("centre_ignores_directions") << (16 | 1 | 4) << QRect(final.center(), QSize(1, 1));
    QTest::newRow("left_to_right") << 1 << QRect(100, 100, 1, 80);
    QTest::newRow("right_to_left") << 2 << QRect(299, 100, 1, 80);
    QTest::newRow("top_to_bottom") << 4 << QRect(100, 100, 200, 1);
    QTest::newRow("bottom_to_top") << 8 << QRect(100, 179, 200, 1);
    QTest::newRow("fade_keeps_the_size") << 0x80000 << final;
}

void TestTooltip::show_animation_start() {
    QFETCH(int, mode);
    QFETCH(QRect, start);
    QCOMPARE(quorvane::ShowAnimationStart(QRect(100, 100, 200, 80), mode), start);
}

void TestTooltip::placement_keeps_the_tip_on_screen_data() {
    QTest::addColumn<bool>("balloon");
    QTest::addColumn<bool>("centered");
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<QRect>("control");
    QTest::addColumn<QRect>("geometry");
    // A 200 x 80 tip on an 800 x 600 screen.
    const QPoint offset = TipMetrics::kCursorOffset;
    const int gap = TipMetrics::kControlGap;
    const int stem = TipMetrics::kPointerHeight;
    const int inset = TipMetrics::kPointerInset;
    const QRect control(50, 90, 120, 24);
    const QRect low(300, 560, 100, 30);
    QTest::newRow("below_right_of_pointer")
        << false << false << QPoint(100, 100) << control << QRect(QPoint(100, 100) + offset, QSize(200, 80));
    QTest::newRow("pushed_left_at_right_edge")
        << false << false << QPoint(780, 100) << control << QRect(600, 100 + offset.y(), 200, 80);
    QTest::newRow("above_pointer_at_bottom")
        << false << false << QPoint(100, 560) << control << QRect(100 + offset.x(), 560 - gap - 80, 200, 80);
    QTest::newRow("centred_below_control")
        << false << true << QPoint(310, 110) << QRect(300, 100, 100, 30) << QRect(250, 130 + gap, 200, 80);
    QTest::newRow("centred_above_control_at_bottom")
        << false << true << QPoint(310, 570) << low << QRect(250, 560 - gap - 80, 200, 80);
    QTest::newRow("balloon_points_at_pointer") << true << false << QPoint(100, 100) << control
                                               << QRect(100 - inset, 100 + offset.y(), 200, 80 + stem);
    QTest::newRow("balloon_above_at_bottom") << true << false << QPoint(100, 560) << control
                                             << QRect(100 - inset, 560 - gap - 80 - stem, 200, 80 + stem);
}

void TestTooltip::placement_keeps_the_tip_on_screen() {
    QFETCH(bool, balloon);
    QFETCH(bool, centered);
    QFETCH(QPoint, cursor);
    QFETCH(QRect, control);
    QFETCH(QRect, geometry);
    const QRect screen(0, 0, 800, 600);
    const auto placement = quorvane::PlaceTip(QSize(200, 80), balloon, centered, cursor, control, screen);
    QCOMPARE(placement.geometry, geometry);
    QVERIFY(screen.contains(placement.geometry));
    if (balloon) { // the pointer reaches the cursor's column, on the side facing it
        QCOMPARE(placement.geometry.left() + placement.pointerX, cursor.x());
        QCOMPARE(placement.pointerAtTop, placement.geometry.top() > cursor.y());
        QCOMPARE(placement.body.top(), placement.pointerAtTop ? TipMetrics::kPointerHeight : 0);
    }
}

void TestTooltip::tip_is_drawn_in_the_tool_colours() {
    Form form;
    clsTooltip tips;
    const QColor fore(250, 240, 40);
    const QColor back(20, 40, 90);
    tips.AddTool(form.first, u"Wide yellow words"_s, fore, back, false, u"Colours"_s, 1, 0, 0, false, true, 0,
                 150);
    RestMouseOn(form.first);
    const QImage image = Tip()->grab().toImage();
    const auto layout = clsTooltip::ShownLayout();
    QCOMPARE(image.size(), layout.bodySize);

    const QColor border = image.pixelColor(0, image.height() / 2);
    QCOMPARE(image.pixelColor(image.width() - 1, 0), border);
    QVERIFY(border.red() > back.red() && border.red() < fore.red()); // a tone between the two
    QCOMPARE(image.pixelColor(2, 2), back);
    auto inked = [&](const QRect &area, auto test) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                count += test(image.pixelColor(x, y));
        }
        return count;
    };
    QVERIFY(inked(layout.textRect, [&](QColor c) {
                return std::abs(c.red() - fore.red()) + std::abs(c.blue() - fore.blue()) < 60;
            }) > 0);
    const QRect icon = layout.iconRect;
    QVERIFY(inked(icon, [&](QColor c) { return c != back; }) > icon.width() * icon.height() / 4);
}

void TestTooltip::tools_of_several_windows_share_one_tip_window() {
    Form main;
    Form tool;
    clsTooltip tips;
    tips.AddTool(main.first, kSentence, {}, QColor(10, 10, 10), false, u"Main"_s, 1, 0, 0, false, true, 0,
                 150);
    tips.AddTool(tool.second, kSentence, {}, QColor(90, 0, 0), false, u"Tool"_s, 1, 0, 0, false, true, 0,
                 200);
    QWidget *window = Tip();
    RestMouseOn(main.first);
    const auto mainLayout = clsTooltip::ShownLayout();
    QCOMPARE(mainLayout.title, u"Main"_s);
    QCOMPARE(window->grab().toImage().pixelColor(2, 2), QColor(10, 10, 10));
    RestMouseOn(tool.second);
    QCOMPARE(Tip(), window);
    QCOMPARE(clsTooltip::ShownLayout().title, u"Tool"_s);
    QVERIFY(clsTooltip::ShownLayout().lines.size() < mainLayout.lines.size());
    QCOMPARE(window->grab().toImage().pixelColor(2, 2), QColor(90, 0, 0));
}

void TestTooltip::each_instance_answers_for_its_own_tools() {
    Form form;
    auto first = std::make_unique<clsTooltip>();
    clsTooltip second;
    AddHelp(*first, form.first, u"First"_s, u"a"_s, 150, 0);
    AddHelp(second, form.second, u"Second"_s, u"b"_s, 150, 0);
    QSignalSpy firstShows(first.get(), &clsTooltip::Show);
    QSignalSpy secondShows(&second, &clsTooltip::Show);
    RestMouseOn(form.second);
    QCOMPARE(clsTooltip::ShownLayout().title, u"Second"_s);
    QCOMPARE(secondShows.count(), 1);
    QCOMPARE(firstShows.count(), 0);
    first.reset(); // the instance that made the tip window may go first
    QVERIFY(!RestMouseOn(form.first));
    clsTooltip::HideTip();
    QVERIFY(RestMouseOn(form.second));
    QCOMPARE(clsTooltip::ShownLayout().title, u"Second"_s);
}

void TestTooltip::transparent_tip_lets_the_mouse_through_and_events_reach_the_control() {
    Form form;
    clsTooltip tips;
    tips.AddTool(form.first, u"a"_s, {}, {}, false, u"T"_s, 1, 0, 0, false, true, 0, 150);
    tips.AddTool(form.second, u"b"_s, {}, {}, false, u"T"_s, 1, 0, 0, false, false, 0, 150);
    RestMouseOn(form.first);
    QVERIFY(Tip()->windowFlags().testFlag(Qt::WindowTransparentForInput));
    RestMouseOn(form.second);
    QVERIFY(!Tip()->windowFlags().testFlag(Qt::WindowTransparentForInput));
    QVERIFY(Tip()->isVisible());

    form.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form.window));
    QTest::mouseClick(form.first, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), form.first);
    QTest::keyClicks(form.first, u"9000"_s);
    QCOMPARE(form.first->text(), u"9000"_s);
}

QTEST_MAIN(TestTooltip)
#include "tst_tooltip.moc"
