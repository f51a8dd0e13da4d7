// SPDX-License-Identifier: GPL-3.0-or-later
#include "plotform.h"

#include "boxbehaviour.h"
#include "calcoutcomeview.h"
#include "conepattern.h"
#include "coneplot.h"
#include "controltable.h"
#include "lookandfeel.h"
#include "numeric.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace quorvane {

namespace {

using K = ControlRow::Kind;

// Each label stands 16 pixels above its box, at the box's x.
constexpr ControlRow kLayout[] = {
    {K::Label, "Label8", "Diameter of base", 32, 24, 150, 16},
    {K::Edit, "txtD1", "", 32, 40, 65, 27, 0},
    {K::Label, "Label9", "Diameter of tip", 32, 80, 150, 16},
    {K::Edit, "txtD2", "", 32, 96, 65, 25, 1},
    {K::Label, "Label23(1)", "Centre length", 32, 136, 150, 16},
    {K::Edit, "txtLenConeInput", "", 32, 152, 65, 25, 2},
    {K::Label, "Label23(0)", "Sheet thickness", 32, 192, 150, 16},
    {K::Edit, "txtSheetThick", "", 32, 208, 33, 25, 3},
    {K::Option, "optPlot(0)", "Single Plot", 32, 248, 129, 17, 4},
    {K::Option, "optPlot(1)", "Batch Plot", 32, 272, 129, 17, 5},
    {K::Button, "cmdPlot", "Plot Cone", 32, 296, 129, 33, 6},
    {K::MultiLineScroll, "txtOutput", "", 24, 344, 153, 305, 7},
    {K::Picture, "picConePlot", "", 200, 24, 584, 587},
    {K::Button, "cmdTemplates", "Cutting Templates\u2026", 200, 624, 161, 33, 8},
    {K::Button, "cmdClose", "Close", 648, 624, 137, 33, 9},
};

} // namespace

PlotForm::PlotForm(const DesignState &state)
    : ToolWindow("frmPlot", QStringLiteral("Plot Flat Cone"), 813, 669), m_state(state) {
    auto *pattern = new ConePattern;
    pattern->setObjectName(QStringLiteral("picConePlot"));
    const auto controls = BuildControls(this, kLayout, {pattern});

    txtD1 = Control<QLineEdit>(controls, "txtD1");
    txtD2 = Control<QLineEdit>(controls, "txtD2");
    txtLenConeInput = Control<QLineEdit>(controls, "txtLenConeInput");
    txtSheetThick = Control<QLineEdit>(controls, "txtSheetThick");
    optPlot = {Control<QRadioButton>(controls, "optPlot(0)"), Control<QRadioButton>(controls, "optPlot(1)")};
    cmdPlot = Control<QPushButton>(controls, "cmdPlot");
    txtOutput = Control<QPlainTextEdit>(controls, "txtOutput");

    // The pair is one Tab stop, at the selected option; the arrow keys move within it.
    for (QRadioButton *option : optPlot)
        connect(option, &QRadioButton::toggled, option,
                [option](bool on) { option->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus); });
    optPlot[1]->setFocusPolicy(Qt::ClickFocus);
    optPlot[0]->setChecked(true);
    optPlot[1]->setEnabled(false);

    for (QLineEdit *box : {txtD1, txtD2, txtLenConeInput, txtSheetThick}) {
        connect(box, &QLineEdit::textChanged, this, [this, box] { InputBox_Change(box); });
        SelectAllOnFocus(box);
    }
    SelectAllOnFocus(txtOutput);
    connect(cmdPlot, &QPushButton::clicked, this, &PlotForm::cmdPlot_Click);
    connect(Control<QPushButton>(controls, "cmdTemplates"), &QPushButton::clicked, this,
            &PlotForm::cmdTemplates_Click);
    connect(Control<QPushButton>(controls, "cmdClose"), &QPushButton::clicked, this, &QWidget::hide);
}

void PlotForm::EnableBatch() {
    optPlot[1]->setEnabled(true);
    optPlot[1]->setChecked(true);
}

void PlotForm::cmdPlot_Click() {
    // Every press starts afresh, also when its checks then refuse an input.
    txtOutput->clear();
    if (optPlot[1]->isChecked())
        ShowPlot(CalcBatchCones(m_state.coneList, BoxText(txtSheetThick)));
    else
        ShowPlot(
            CalcSingleCone(BoxText(txtD1), BoxText(txtD2), BoxText(txtLenConeInput), BoxText(txtSheetThick)));
}

void PlotForm::cmdTemplates_Click() {
    const QString thickness = txtSheetThick->text();
    if (optPlot[1]->isChecked()) {
        emit templatesRequested(LastCalculation(m_state), thickness);
        return;
    }
    if (MarkRefused(
            CalcSingleCone(BoxText(txtD1), BoxText(txtD2), BoxText(txtLenConeInput), BoxText(txtSheetThick))))
        return;
    const Section cone{"Cone", ParseLeadingNumber(BoxText(txtD1)), ParseLeadingNumber(BoxText(txtD2)),
                       ParseLeadingNumber(BoxText(txtLenConeInput))};
    emit templatesRequested({{cone}, std::nullopt, QStringLiteral("the cone typed in Plot Flat Cone")},
                            thickness);
}

bool PlotForm::MarkRefused(const CalcOutcome &outcome) {
    // A refused box is marked without a message, also one too large to read.
    if (!outcome.focus)
        return false;
    QLineEdit *const boxes[] = {txtD1, txtD2, txtLenConeInput, txtSheetThick};
    QLineEdit *box = boxes[*outcome.focus];
    box->setFocus(Qt::OtherFocusReason);
    SetBackground(box, kRejectedRed);
    return true;
}

void PlotForm::ShowPlot(const CalcOutcome &outcome) {
    if (MarkRefused(outcome))
        return;
    txtOutput->setPlainText(QString::fromStdString(outcome.ok() ? outcome.outputs.front() : outcome.failure));
}

void PlotForm::InputBox_Change(QLineEdit *box) {
    SetBackground(box, Background(txtOutput));
}

} // namespace quorvane
