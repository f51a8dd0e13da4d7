// SPDX-License-Identifier: GPL-3.0-or-later
#include "boxbehaviour.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>
#include <QValidator>

#include <algorithm>

namespace quorvane {

namespace {

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
        // Every box runs this on its first text at start: a plain scan, no pattern engine.
        const auto isBreak = [](QChar c) { return c == u'\r' || c == u'\n'; };
        const auto firstBreak = std::find_if(input.cbegin(), input.cend(), isBreak);
        if (firstBreak != input.cend()) {
            const qsizetype first = firstBreak - input.cbegin();
            const auto lastBreak = std::find_if(input.crbegin(), input.crend(), isBreak);
            const qsizetype resume = std::max<qsizetype>(pos, input.crend() - lastBreak);
            input = input.left(first) + input.mid(resume);
            pos = static_cast<int>(first);
        }
        return Acceptable;
    }
};

} // namespace

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

void KeepWholeTextVisible(QLineEdit *box) {
    const QFont normal = box->font();
    if (normal.pixelSize() <= 0)
        return;
    QObject::connect(box, &QLineEdit::textChanged, box, [box, normal](const QString &text) {
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
        const int margin = 2; // kept free by the line edit on each side of its text
        const int room =
            box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).width() - 2 * margin;
        QFont font = normal;
        while (font.pixelSize() > kSmallestFontPixels && QFontMetrics(font).horizontalAdvance(text) > room)
            font.setPixelSize(font.pixelSize() - 1);
        box->setFont(font);
    });
}

} // namespace quorvane
