#include "lookandfeel.h"

#include <QAbstractScrollArea>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTimer>
#include <QValidator>
#include <QWidget>

#include <algorithm>

namespace quorvane {

QFont ControlFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(11);
    return font;
}

namespace {

// Text boxes paint their background with the Base role; everything else with Window.
QPalette::ColorRole BackgroundRole(const QWidget *w) {
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QAbstractScrollArea *>(w)
               ? QPalette::Base
               : QPalette::Window;
}

class FocusSelector : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::FocusIn && MovedHere(static_cast<QFocusEvent *>(event)->reason())) {
            // Deferred: a mouse press that brought the focus would otherwise
            // place the cursor right after the selection was made.
            QTimer::singleShot(0, watched, [watched] {
                if (auto *line = qobject_cast<QLineEdit *>(watched))
                    line->selectAll();
                else if (auto *text = qobject_cast<QPlainTextEdit *>(watched))
                    text->selectAll();
            });
        }
        return false;
    }

  private:
    // The window coming back to the front, or a closed menu or popup, hands
    // the focus back to where the user was editing: selecting then would let
    // the next key replace the text.
    static bool MovedHere(Qt::FocusReason reason) {
        switch (reason) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::MouseFocusReason:
        case Qt::ShortcutFocusReason:
        case Qt::OtherFocusReason: // the program's, as for a box a check refused
            return true;
        default:
            return false;
        }
    }
};

// Qt's line edit keeps CR and LF in a pasted text, and a break in a box's
// text would start another line in a saved file. The text before a change
// never holds a break, so the first one lies in the inserted part, which ends
// at the cursor: of that part only its first line is kept.
class OneLineValidator : public QValidator {
  public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override {
        static const QRegularExpression lineBreak(QStringLiteral("[\r\n]"));
        const qsizetype first = input.indexOf(lineBreak);
        if (first >= 0) {
            const qsizetype resume = std::max<qsizetype>(pos, input.lastIndexOf(lineBreak) + 1);
            input = input.left(first) + input.mid(resume);
            pos = static_cast<int>(first);
        }
        return Acceptable;
    }
};

} // namespace

void SetBackground(QWidget *w, const QColor &colour) {
    QPalette p = w->palette();
    p.setColor(BackgroundRole(w), colour);
    w->setPalette(p);
    if (BackgroundRole(w) == QPalette::Window)
        w->setAutoFillBackground(true);
}

QColor Background(const QWidget *w) {
    return w->palette().color(BackgroundRole(w));
}

QString BoxLines(const std::string &crlfText) {
    return QString::fromStdString(crlfText).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void SelectAllOnFocus(QWidget *edit) {
    edit->installEventFilter(new FocusSelector(edit));
}

void KeepToOneLine(QLineEdit *box) {
    box->setValidator(new OneLineValidator(box));
}

void SetBoxText(QLineEdit *box, const QString &text) {
    box->setText(text);
    box->setCursorPosition(0);
}

} // namespace quorvane
