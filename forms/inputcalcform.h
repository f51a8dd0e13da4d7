// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolwindow.h"

#include <array>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quorvane {

// The input values calculator: exhaust port timing from the crank geometry,
// the average BMEP from the power with a guide to the exhaust temperature,
// and three two-way unit conversions.
class InputCalcForm : public ToolWindow {
    Q_OBJECT

  public:
    InputCalcForm();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    // The conversion pairs, in the order of m_focusedBox.
    enum Pair { KwHp, CelsiusFahrenheit, MmInch, PairCount };

    void cmdExTiming_Click();
    void cmdCalcExTemp_Click();
    void txtConv_Change(Pair pair, int index);
    std::array<QLineEdit *, 2> &Boxes(Pair pair);

    QLineEdit *txtPTstroke = nullptr;
    QLineEdit *txtPTlengthCR = nullptr;
    QLineEdit *txtPTdeck = nullptr;
    QLineEdit *txtExhPortTop = nullptr;
    QLineEdit *txtExhPortHeight = nullptr;
    QPushButton *cmdExTiming = nullptr;
    QLineEdit *txtPTExh = nullptr;

    QLineEdit *txtPwrKW = nullptr;
    QLineEdit *txtRPM = nullptr;
    QLineEdit *txtBoreBMEP = nullptr;
    QLineEdit *txtStrokeBMEP = nullptr;
    QPushButton *cmdCalcExTemp = nullptr;
    QLineEdit *txtBMEPout = nullptr;
    QPlainTextEdit *txtTempBMEP = nullptr;

    std::array<QLineEdit *, 2> txtConvKwHP{};
    std::array<QLineEdit *, 2> txtConvCF{};
    std::array<QLineEdit *, 2> txtConvMMInch{};

    QPushButton *cmdOK = nullptr;

    // Which box of each pair last got the focus: only a change in that box
    // converts, so the program's own write into the other box never
    // converts back.
    std::array<int, PairCount> m_focusedBox{};
};

} // namespace quorvane
