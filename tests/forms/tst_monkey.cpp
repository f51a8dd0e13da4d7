// SPDX-License-Identifier: GPL-3.0-or-later
// Thousands of random keys, texts, pastes and clicks across every window:
// the program must stay up, and no box, label or tip may ever show what an
// arithmetic failure would leave behind ("nan", "inf"). The monkey never
// types those words itself.

#include "calcwindowdriver.h"
#include "mainform.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QDesktopServices>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRandomGenerator>

using namespace quorvane;

namespace {

constexpr int kEvents = 5000;
constexpr quint32 kSeed = 20261207;

// Opened addresses are caught here instead of starting a browser.
class UrlSink : public QObject {
    Q_OBJECT

  public slots:
    void open(const QUrl &) {}
};

const QRegularExpression kBroken(QStringLiteral("\\b(nan|inf|infinity)\\b"),
                                 QRegularExpression::CaseInsensitiveOption);

// What a box, label, button or list shows; other widgets have none of these properties.
QString ShownText(const QWidget *w) {
    return w->property("text").toString() + w->property("plainText").toString() +
           w->property("currentText").toString();
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT

  private:
    QRandomGenerator m_random{kSeed};

    template <class T> const T &Pick(const QList<T> &list) {
        return list[m_random.bounded(int(list.size()))];
    }

    QString RandomText() {
        static const QStringList pieces = {"0",    "1",   "9",     "190",   "-",  "+",     ".",    "e",
                                           "E308", "e-9", "1e400", "abc",   " ",  ",",     "12,5", "0.001",
                                           "1e15", "-0",  "360",   "1e308", "\t", "5e-324"};
        QString text;
        for (int n = int(m_random.bounded(1, 5)); n > 0; --n)
            text += Pick(pieces);
        if (m_random.bounded(50) == 0)
            text = QString(int(m_random.bounded(200, 2000)), QLatin1Char('7')); // a long paste
        return text;
    }

    // The controls a user can reach now: enabled and shown, in a shown window.
    QList<QWidget *> Reachable() const {
        QList<QWidget *> controls;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (!window->isVisible())
                continue;
            for (QWidget *w : window->findChildren<QWidget *>()) {
                const bool kind = qobject_cast<QLineEdit *>(w) || qobject_cast<QAbstractButton *>(w) ||
                                  qobject_cast<QComboBox *>(w) || qobject_cast<QPlainTextEdit *>(w);
                // Closing the main window ends the run, not the program's fault.
                const bool endsRun = w->objectName() == "cmdClose" && window->objectName() == "mainForm";
                if (kind && !endsRun && w->isVisible() && w->isEnabled())
                    controls << w;
            }
        }
        return controls;
    }

    void Act(QWidget *w) {
        switch (m_random.bounded(5)) {
        case 0:
            QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
            break;
        case 1:
            w->setFocus();
            QTest::keyClicks(w, RandomText());
            break;
        case 2:
            QApplication::clipboard()->setText(RandomText() + (m_random.bounded(2) ? "\n2" : ""));
            w->setFocus();
            QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
            break;
        case 3: {
            const Qt::Key keys[] = {Qt::Key_Tab,       Qt::Key_Backtab, Qt::Key_Return, Qt::Key_Space,
                                    Qt::Key_Backspace, Qt::Key_Delete,  Qt::Key_Down,   Qt::Key_Home};
            QTest::keyClick(w, keys[m_random.bounded(8)]);
            break;
        }
        default:
            if (auto *combo = qobject_cast<QComboBox *>(w); combo && combo->count() > 0)
                combo->setCurrentIndex(int(m_random.bounded(combo->count())));
            else
                QTest::mouseClick(w, Qt::LeftButton);
        }
    }

  private slots:
    void random_use_never_shows_nan_or_inf() {
        UrlSink sink;
        for (const char *scheme : {"http", "https"})
            QDesktopServices::setUrlHandler(scheme, &sink, "open");
        MainForm form(std::make_unique<calcwindow::ScriptedDialogs>());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QList<QAction *> menuItems = form.menuBar()->findChildren<QAction *>();
        for (int event = 0; event < kEvents; ++event) {
            // Now and then a menu item, so every tool window gets its turn.
            if (m_random.bounded(40) == 0) {
                QAction *item = Pick(menuItems);
                if (!item->menu() && item->isEnabled() && item->objectName() != "mnuFileQuit") // ends the run
                    item->trigger();
            } else {
                Act(Pick(Reachable()));
            }
            QApplication::processEvents();
            QVERIFY2(form.isVisible(),
                     qPrintable(QString("the main window went away at event %1").arg(event)));
            for (QWidget *window : QApplication::topLevelWidgets())
                for (QWidget *w : window->findChildren<QWidget *>()) {
                    const QString text = ShownText(w) + ' ' + w->toolTip();
                    QVERIFY2(
                        !text.contains(kBroken),
                        qPrintable(
                            QString("%1 shows \"%2\" at event %3").arg(w->objectName(), text).arg(event)));
                }
        }
        for (const char *scheme : {"http", "https"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
};

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
