// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "designstate.h"
#include "templateform.h"
#include "toolwindow.h"

#include <array>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace quorvane {

struct CalcOutcome;

// frmPlot: develops one typed cone, or the four cones of the chamber last
// calculated in the main window, into flat sheet-metal patterns (A, B, C, D
// keyed to the picture beside the report).
class PlotForm : public ToolWindow {
    Q_OBJECT

  public:
    // `state` is the main window's; its cones are read only when a batch is plotted.
    explicit PlotForm(const DesignState &state);

    // Called by the main window once a chamber has been calculated: offers the
    // batch and selects it. Nothing ever disables it again.
    void EnableBatch();

    void cmdPlot_Click();
    // Asks for the cutting templates of what Plot Cone would plot now: the
    // typed cone, checked as Plot Cone checks it, or the last chamber.
    void cmdTemplates_Click();

  signals:
    void templatesRequested(const quorvane::TemplateSource &source, const QString &thickness);

  private:
    void ShowPlot(const CalcOutcome &outcome);
    // Marks the box a check refused; false when none was.
    bool MarkRefused(const CalcOutcome &outcome);
    void InputBox_Change(QLineEdit *box);

    const DesignState &m_state;

    QLineEdit *txtD1 = nullptr;
    QLineEdit *txtD2 = nullptr;
    QLineEdit *txtLenConeInput = nullptr;
    QLineEdit *txtSheetThick = nullptr;
    std::array<QRadioButton *, 2> optPlot{};
    QPushButton *cmdPlot = nullptr;
    QPlainTextEdit *txtOutput = nullptr;
};

} // namespace quorvane
