#pragma once

#include "calcoutcome.h"
#include "lookandfeel.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <initializer_list>
#include <string>

namespace quorvane {

// The text of a box, as the core reads it.
inline std::string BoxText(const QLineEdit *box) {
    return box->text().toStdString();
}

// Carries out what a calculator button came to. `outputs` are the boxes the
// calculation writes, in the order of CalcOutcome::outputs; `inputs` are its
// input boxes in the order of the calculation's input enum, which is what
// CalcOutcome::focus indexes.
inline void ShowOutcome(const CalcOutcome &outcome, std::initializer_list<QLineEdit *> outputs,
                        std::initializer_list<QWidget *> inputs) {
    if (outcome.ok()) {
        auto text = outcome.outputs.begin();
        for (QLineEdit *box : outputs) {
            if (text == outcome.outputs.end())
                break;
            SetBoxText(box, QString::fromStdString(*text++));
        }
        return;
    }
    // A number that could not be calculated must not leave the previous
    // result standing beside inputs it no longer belongs to.
    if (!outcome.failure.empty())
        for (QLineEdit *box : outputs)
            box->clear();
    if (outcome.focus && *outcome.focus >= 0 && *outcome.focus < static_cast<int>(inputs.size()))
        inputs.begin()[*outcome.focus]->setFocus(Qt::OtherFocusReason);
}

// The boxes are narrow and fixed, and a number with a digit scrolled out of
// sight reads as a different number: a text too wide for its box is shown
// in a smaller face, down to 8 pixels, and in the usual face again once it fits.
inline void KeepWholeTextVisible(QLineEdit *box) {
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
        while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(text) > room)
            font.setPixelSize(font.pixelSize() - 1);
        box->setFont(font);
    });
}

} // namespace quorvane
