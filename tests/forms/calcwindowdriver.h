#pragma once

// Drives a tool window as a user does, from "box=text box=text" entries.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace calcwindow {

inline void ShowActive(QWidget *window) {
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// A space starts a new entry only before "name=", so "cmbRadius1Num=x 4" stays whole.
inline QStringList Entries(const QString &text) {
    return text.split(QRegularExpression(R"( +(?=[\w()]+=))"), Qt::SkipEmptyParts);
}

// A combo box gets the item; a box is clicked into, must select its whole text, and is typed over.
inline void Enter(QWidget *window, const QString &entries) {
    for (const QString &entry : Entries(entries)) {
        const QString name = entry.section('=', 0, 0), text = entry.section('=', 1);
        if (auto *combo = window->findChild<QComboBox *>(name)) {
            combo->setCurrentIndex(combo->findText(text));
            continue;
        }
        auto *box = window->findChild<QLineEdit *>(name);
        box->clearFocus(); // a click into the focused box would not select
        QTest::mouseClick(box, Qt::LeftButton);
        QCoreApplication::processEvents(); // the select-all on focus is deferred
        QCOMPARE(box->selectedText(), box->text());
        text.isEmpty() ? QTest::keyClick(box, Qt::Key_Backspace) : QTest::keyClicks(box, text);
    }
}

// The box shows the start of its text, as after Home: a number cut at its left reads as another number.
inline bool ShowsItsStart(QLineEdit *box) {
    const QImage shown = box->grab().toImage();
    box->home(false);
    return box->grab().toImage() == shown;
}

// The named boxes show these texts; no box has a digit out of sight (frame and margin take 3 px a side),
// except a text too wide for the smallest face, which shows its start.
inline void Expect(QWidget *window, const QString &expected) {
    QStringList shown;
    for (const QString &entry : Entries(expected))
        shown << entry.section('=', 0, 0) + '=' +
                     window->findChild<QLineEdit *>(entry.section('=', 0, 0))->text();
    QCOMPARE(shown, Entries(expected));
    for (QLineEdit *box : window->findChildren<QLineEdit *>())
        QVERIFY2(QFontMetrics(box->font()).horizontalAdvance(box->text()) <= box->width() - 6 ||
                     (box->font().pixelSize() == 8 && ShowsItsStart(box)),
                 qPrintable(box->objectName() + '=' + box->text()));
}

// One row of a calculator table, in a QStringList column "row": type `entries`, press `button`, then the
// boxes show `expected` and the focus is on `focus`, by default the button.
inline void CalcRow(const char *name, const QString &entries, const QString &button, const QString &expected,
                    const QString &focus = {}) {
    QTest::newRow(name) << QStringList{entries, button, expected, focus.isEmpty() ? button : focus};
}

inline void Calculate(QWidget *window) {
    QFETCH(QStringList, row);
    Enter(window, row[0]);
    QTest::mouseClick(window->findChild<QPushButton *>(row[1]), Qt::LeftButton);
    Expect(window, row[2]);
    QCOMPARE(QApplication::focusWidget()->objectName(), row[3]);
}

// The user's close, by button or by close box, only hides the window; it is then shown again.
inline void CloseAndReopen(QWidget *window, const QString &closeButton) {
    QTest::mouseClick(window->findChild<QPushButton *>(closeButton), Qt::LeftButton);
    QVERIFY(!window->isVisible());
    window->show();
    QVERIFY(!window->close() && !window->isVisible());
    ShowActive(window);
}

// Dark and blue pixels: the figures draw black outlines and blue dimensions on white.
inline std::pair<qsizetype, qsizetype> Ink(QWidget *w, const QRect &part = QRect(0, 0, -1, -1)) {
    const QImage image = w->grab(part).toImage().convertToFormat(QImage::Format_RGB32);
    const auto *begin = reinterpret_cast<const QRgb *>(image.constBits()),
               *end = begin + image.sizeInBytes() / 4;
    return {
        std::count_if(begin, end, [](QRgb c) { return qRed(c) < 60 && qGreen(c) < 60 && qBlue(c) < 60; }),
        std::count_if(begin, end, [](QRgb c) { return qBlue(c) > 150 && qRed(c) < 60 && qGreen(c) < 120; })};
}

} // namespace calcwindow
