#pragma once

// Drives a calculator window the way a user does: click into a box, type,
// click a button; then reads what the window shows.

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace calcwindow {

inline void ShowActive(QWidget *window) {
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

template <class T> T *Find(QWidget *window, const QString &name) {
    T *w = window->findChild<T *>(name);
    if (!w)
        qWarning("no control %s", qPrintable(name));
    return w;
}

inline QString FocusName() {
    QWidget *w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

// Clicks into the box (which selects its whole text) and types over it.

inline void TypeInto(QLineEdit *box, const QString &text) {
    QVERIFY(box);
    if (QApplication::focusWidget() == box) {
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier); // already in it: a click would not select
    } else {
        QTest::mouseClick(box, Qt::LeftButton);
        QCoreApplication::processEvents(); // the select-all on focus is deferred
    }
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(box->selectedText(), box->text());
    if (text.isEmpty()) {
        if (!box->text().isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
    } else {
        QTest::keyClicks(box, text);
    }
    QCOMPARE(box->text(), text);
}

inline void Click(QWidget *window, const QString &button) {
    auto *b = Find<QPushButton>(window, button);
    QVERIFY(b);
    QTest::mouseClick(b, Qt::LeftButton);
}

// Each entry "name=text": a box is typed into, a combo box gets the item of that text.
inline void Enter(QWidget *window, const QStringList &entries) {
    for (const QString &entry : entries) {
        const qsizetype eq = entry.indexOf('=');
        const QString name = entry.left(eq), text = entry.mid(eq + 1);
        if (auto *combo = window->findChild<QComboBox *>(name)) {
            const int index = combo->findText(text);
            QVERIFY2(index >= 0, qPrintable(entry));
            combo->setCurrentIndex(index);
        } else {
            TypeInto(Find<QLineEdit>(window, name), text);
            if (QTest::currentTestFailed())
                return;
        }
    }
}

// Each entry "name=text": the box must show exactly that text.
inline void ExpectTexts(QWidget *window, const QStringList &expected) {
    for (const QString &entry : expected) {
        const qsizetype eq = entry.indexOf('=');
        auto *box = Find<QLineEdit>(window, entry.left(eq));
        QVERIFY(box);
        QCOMPARE(box->objectName() + '=' + box->text(), entry);
    }
}

// No box may ever show the text of an infinity or a NaN.
inline void ExpectOnlyNumbersShown(QWidget *window) {
    for (const QLineEdit *box : window->findChildren<QLineEdit *>()) {
        const QString text = box->text().toLower();
        QVERIFY2(!text.contains("nan") && !text.contains("inf"), qPrintable(box->objectName() + ": " + text));
    }
}

// Types the entries, presses the button, then checks the boxes and the focus.
inline void Calculate(QWidget *window, const QStringList &entries, const QString &button,
                      const QStringList &expected, const QString &focus) {
    Enter(window, entries);
    if (QTest::currentTestFailed())
        return;
    Click(window, button);
    ExpectTexts(window, expected);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(FocusName(), focus);
    QVERIFY(window->isVisible());
    ExpectOnlyNumbersShown(window);
}

// Every caption must be readable whole: nothing cut off at a control's edge.
inline void ExpectCaptionsFit(QWidget *window) {
    for (const QLabel *label : window->findChildren<QLabel *>()) {
        const QFontMetrics fm(label->font());
        const QRect room = label->contentsRect();
        const QRect needed = fm.boundingRect(QRect(0, 0, room.width(), 1000),
                                             label->wordWrap() ? int(Qt::TextWordWrap) : 0, label->text());
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(label->objectName() + " needs " + QString::number(needed.width()) + "x" +
                            QString::number(needed.height())));
    }
    for (const QPushButton *button : window->findChildren<QPushButton *>()) {
        const int needed = QFontMetrics(button->font()).horizontalAdvance(button->text()) + 6;
        QVERIFY2(needed <= button->width(), qPrintable(button->objectName()));
    }
    for (const QGroupBox *frame : window->findChildren<QGroupBox *>()) {
        const int needed = QFontMetrics(frame->font()).horizontalAdvance(frame->title()) + 16;
        QVERIFY2(needed <= frame->width(), qPrintable(frame->objectName()));
    }
}

// No two controls of one container cover each other, not even by a pixel.
inline void ExpectNoOverlap(QWidget *window) {
    QList<QWidget *> containers = window->findChildren<QWidget *>();
    containers.prepend(window);
    for (QWidget *container : containers) {
        QList<QWidget *> children;
        for (QObject *child : container->children())
            if (auto *w = qobject_cast<QWidget *>(child); w && w->isVisible() && !w->objectName().isEmpty())
                children << w;
        // A label counts by the area its text may use.
        auto area = [](const QWidget *w) {
            return qobject_cast<const QLabel *>(w) ? w->contentsRect().translated(w->pos()) : w->geometry();
        };
        for (qsizetype i = 0; i < children.size(); ++i)
            for (qsizetype j = i + 1; j < children.size(); ++j)
                QVERIFY2(!area(children[i]).intersects(area(children[j])),
                         qPrintable(children[i]->objectName() + " overlaps " + children[j]->objectName()));
    }
}

// Whether every character of the box's text is inside the box's text area.
inline bool ShowsWholeText(const QLineEdit *box) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const int horizontalMargin = 2; // what a line edit keeps free on each side
    return QFontMetrics(box->font()).horizontalAdvance(box->text()) <=
           contents.width() - 2 * horizontalMargin;
}

// Counts the pixels of a grabbed widget by colour: drawn lines in black and blue on white.
struct InkCount {
    int dark = 0, blue = 0, white = 0;
};

inline InkCount CountInk(QWidget *w) {
    const QImage image = w->grab().toImage();
    InkCount count;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() < 60 && c.green() < 60 && c.blue() < 60)
                ++count.dark;
            else if (c.blue() > 150 && c.red() < 60 && c.green() < 120)
                ++count.blue;
            else if (c.red() > 245 && c.green() > 245 && c.blue() > 245)
                ++count.white;
        }
    }
    return count;
}

} // namespace calcwindow
