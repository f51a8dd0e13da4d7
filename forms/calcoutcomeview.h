// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "boxbehaviour.h"
#include "calcoutcome.h"

#include <QLineEdit>

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

} // namespace quorvane
