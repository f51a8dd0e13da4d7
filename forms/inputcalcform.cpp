// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputcalcform.h"

#include "boxbehaviour.h"
#include "calcoutcomeview.h"
#include "controltable.h"
#include "inputcalc.h"
#include "lookandfeel.h"
#include "numeric.h"
#include "unitconversion.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace quorvane {

namespace {

using K = ControlRow::Kind;

// Positions inside a frame are from the frame's top left corner.
const ControlRow kControls[] = {
    {K::Frame, "Frame2", "Exhaust Port Timing Calculator", 8, 8, 689, 113},
    {K::Label, "lblPTstroke", "Stroke Length", 16, 24, 76, 32, -1, "Frame2"},
    {K::Edit, "txtPTstroke", "", 16, 56, 49, 25, 0, "Frame2"},
    {K::Label, "lblPTlengthCR", "Con Rod Length", 96, 24, 76, 32, -1, "Frame2"},
    {K::Edit, "txtPTlengthCR", "", 96, 56, 49, 25, 1, "Frame2"},
    {K::Label, "lblPTdeck", "Cylinder to Top of Piston", 176, 24, 84, 32, -1, "Frame2"},
    {K::Edit, "txtPTdeck", "0", 176, 56, 49, 25, 2, "Frame2"},
    {K::Label, "lblExhPortTop", "Cylinder to Top of Port", 264, 24, 84, 32, -1, "Frame2"},
    {K::Edit, "txtExhPortTop", "", 264, 56, 49, 25, 3, "Frame2"},
    {K::Label, "lblExhPortHeight", "Port Height", 352, 40, 84, 16, -1, "Frame2"},
    {K::Edit, "txtExhPortHeight", "", 352, 56, 49, 25, 4, "Frame2"},
    {K::Button, "cmdExTiming", "Calc Timing", 440, 56, 105, 25, 5, "Frame2"},
    {K::Label, "lblPTExh", "Timing (Degree)", 560, 32, 120, 16, -1, "Frame2"},
    {K::Edit, "txtPTExh", "", 576, 56, 49, 25, 6, "Frame2"},

    {K::Frame, "Frame3", "BMEP / Exhaust Temp Calculator", 8, 128, 689, 153},
    {K::Label, "lblPwrKW", "Power kW", 24, 32, 120, 16, -1, "Frame3"},
    {K::Edit, "txtPwrKW", "", 24, 48, 49, 25, 7, "Frame3"},
    {K::Label, "lblRPM", "@ RPM", 152, 32, 80, 16, -1, "Frame3"},
    {K::Edit, "txtRPM", "", 152, 48, 49, 25, 8, "Frame3"},
    {K::Label, "lblBoreBMEP", "Bore Diameter", 24, 88, 116, 16, -1, "Frame3"},
    {K::Edit, "txtBoreBMEP", "", 24, 104, 49, 25, 9, "Frame3"},
    {K::Label, "lblStrokeBMEP", "Stroke Length", 144, 88, 100, 16, -1, "Frame3"},
    {K::Edit, "txtStrokeBMEP", "", 152, 104, 49, 25, 10, "Frame3"},
    {K::Button, "cmdCalcExTemp", "kW > BMEP", 248, 64, 81, 25, 11, "Frame3"},
    {K::Label, "lblBMEPout", "BMEP Bar", 352, 48, 80, 16, -1, "Frame3"},
    {K::Edit, "txtBMEPout", "", 352, 64, 57, 25, 12, "Frame3"},
    {K::MultiLine, "txtTempBMEP", "", 440, 32, 225, 97, -1, "Frame3"},

    {K::Frame, "Frame4", "Conversions", 8, 288, 689, 89},
    {K::Label, "lblConvKwHP(0)", "KiloWatt (kW)", 24, 24, 100, 16, -1, "Frame4"},
    {K::Edit, "txtConvKwHP(0)", "", 24, 40, 73, 25, 13, "Frame4"},
    {K::Label, "lblConvKwHP(1)", "Horsepower (HP)", 128, 24, 140, 16, -1, "Frame4"},
    {K::Edit, "txtConvKwHP(1)", "", 128, 40, 73, 25, 14, "Frame4"},
    {K::Label, "lblConvCF(0)", "Celsius", 272, 24, 90, 16, -1, "Frame4"},
    {K::Edit, "txtConvCF(0)", "", 272, 40, 73, 25, 15, "Frame4"},
    {K::Label, "lblConvCF(1)", "Fahrenheit", 368, 24, 90, 16, -1, "Frame4"},
    {K::Edit, "txtConvCF(1)", "", 368, 40, 73, 25, 16, "Frame4"},
    {K::Label, "lblConvMMInch(0)", "Millimetres", 496, 24, 90, 16, -1, "Frame4"},
    {K::Edit, "txtConvMMInch(0)", "", 496, 40, 73, 25, 17, "Frame4"},
    {K::Label, "lblConvMMInch(1)", "Inches", 592, 24, 80, 16, -1, "Frame4"},
    {K::Edit, "txtConvMMInch(1)", "", 592, 40, 73, 25, 18, "Frame4"},

    {K::Button, "cmdOK", "Close", 576, 384, 121, 33, 19},
};

constexpr const char *kTwoLineLabels[] = {"lblPTstroke", "lblPTlengthCR", "lblPTdeck", "lblExhPortTop"};

Conversion ConversionOf(int pair) {
    constexpr Conversion kinds[] = {Conversion::Power, Conversion::Temperature, Conversion::Length};
    return kinds[pair];
}

} // namespace

InputCalcForm::InputCalcForm() : ToolWindow("frmInputCalc", tr("Input Values Calculator"), 721, 426) {
    const auto controls = BuildControls(this, kControls);

    txtPTstroke = Control<QLineEdit>(controls, "txtPTstroke");
    txtPTlengthCR = Control<QLineEdit>(controls, "txtPTlengthCR");
    txtPTdeck = Control<QLineEdit>(controls, "txtPTdeck");
    txtExhPortTop = Control<QLineEdit>(controls, "txtExhPortTop");
    txtExhPortHeight = Control<QLineEdit>(controls, "txtExhPortHeight");
    cmdExTiming = Control<QPushButton>(controls, "cmdExTiming");
    txtPTExh = Control<QLineEdit>(controls, "txtPTExh");
    txtPwrKW = Control<QLineEdit>(controls, "txtPwrKW");
    txtRPM = Control<QLineEdit>(controls, "txtRPM");
    txtBoreBMEP = Control<QLineEdit>(controls, "txtBoreBMEP");
    txtStrokeBMEP = Control<QLineEdit>(controls, "txtStrokeBMEP");
    cmdCalcExTemp = Control<QPushButton>(controls, "cmdCalcExTemp");
    txtBMEPout = Control<QLineEdit>(controls, "txtBMEPout");
    txtTempBMEP = Control<QPlainTextEdit>(controls, "txtTempBMEP");
    txtConvKwHP = {Control<QLineEdit>(controls, "txtConvKwHP(0)"),
                   Control<QLineEdit>(controls, "txtConvKwHP(1)")};
    txtConvCF = {Control<QLineEdit>(controls, "txtConvCF(0)"), Control<QLineEdit>(controls, "txtConvCF(1)")};
    txtConvMMInch = {Control<QLineEdit>(controls, "txtConvMMInch(0)"),
                     Control<QLineEdit>(controls, "txtConvMMInch(1)")};
    cmdOK = Control<QPushButton>(controls, "cmdOK");

    for (const char *name : kTwoLineLabels)
        Control<QLabel>(controls, name)->setWordWrap(true);

    // The guide is reading matter, not an input: read-only, on the button
    // face so that it does not look like a box to type into.
    txtTempBMEP->setReadOnly(true);
    // Its seven lines (the heading wraps) fill the fixed height: a thin
    // frame and margin keep the last one whole.
    txtTempBMEP->setFrameStyle(QFrame::Box | QFrame::Plain);
    txtTempBMEP->setLineWidth(1);
    txtTempBMEP->document()->setDocumentMargin(2);
    SetBackground(txtTempBMEP, palette().color(QPalette::Button));
    txtTempBMEP->setPlainText(QString::fromUtf8(kExhaustTemperatureGuide));

    for (QLineEdit *box : findChildren<QLineEdit *>()) {
        SelectAllOnFocus(box);
        KeepWholeTextVisible(box);
    }

    // textChanged, like the change event it stands for, also fires on the
    // program's own writes; the recorded focus keeps those from converting.
    for (int p = 0; p < PairCount; ++p) {
        for (int i = 0; i < 2; ++i) {
            QLineEdit *box = Boxes(Pair(p))[i];
            box->installEventFilter(this);
            connect(box, &QLineEdit::textChanged, this, [this, p, i] { txtConv_Change(Pair(p), i); });
        }
    }

    connect(cmdExTiming, &QPushButton::clicked, this, &InputCalcForm::cmdExTiming_Click);
    connect(cmdCalcExTemp, &QPushButton::clicked, this, &InputCalcForm::cmdCalcExTemp_Click);
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::hide);
}

std::array<QLineEdit *, 2> &InputCalcForm::Boxes(Pair pair) {
    switch (pair) {
    case KwHp:
        return txtConvKwHP;
    case CelsiusFahrenheit:
        return txtConvCF;
    case MmInch:
    case PairCount:
        break;
    }
    return txtConvMMInch;
}

bool InputCalcForm::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::FocusIn) {
        for (int p = 0; p < PairCount; ++p)
            for (int i = 0; i < 2; ++i)
                if (watched == Boxes(Pair(p))[i])
                    m_focusedBox[p] = i;
    }
    return ToolWindow::eventFilter(watched, event);
}

void InputCalcForm::cmdExTiming_Click() {
    ShowOutcome(
        CalcTiming(BoxText(txtPTstroke), BoxText(txtPTlengthCR), BoxText(txtPTdeck), BoxText(txtExhPortTop)),
        {txtPTExh, txtExhPortHeight}, {txtPTstroke, txtPTlengthCR, txtPTdeck, txtExhPortTop});
}

void InputCalcForm::cmdCalcExTemp_Click() {
    ShowOutcome(CalcBmep(BoxText(txtPwrKW), BoxText(txtRPM), BoxText(txtBoreBMEP), BoxText(txtStrokeBMEP)),
                {txtBMEPout}, {txtPwrKW, txtRPM, txtBoreBMEP, txtStrokeBMEP});
}

void InputCalcForm::txtConv_Change(Pair pair, int index) {
    if (index != m_focusedBox[pair])
        return;
    const auto &boxes = Boxes(pair);
    QString converted;
    try {
        converted = QString::fromStdString(Convert(ConversionOf(pair), index, BoxText(boxes[index])));
    } catch (const ArithmeticFailure &) {
        // Too large to convert: the other box is left empty rather than
        // showing the conversion of a number that was typed before.
    }
    SetBoxText(boxes[1 - index], converted);
}

} // namespace quorvane
