// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "designstate.h"
#include "pipemodel.h"
#include "toolwindow.h"

#include <map>
#include <optional>
#include <string>

class QLabel;
class QColor;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace quorvane {

class FileDialogs;
class PipeView;

// frmAssembledPipe: the last calculated chamber with each section straight or
// bent by pie cuts, from the side, from the top and in an orbit, with its
// envelope and where it ends; saves it as an STL solid.
class AssembledPipeForm : public ToolWindow {
    Q_OBJECT

  public:
    AssembledPipeForm(const DesignState &state, FileDialogs &dialogs);
    ~AssembledPipeForm() override;

    // Takes up the main window's last Pipe Calc, keeping the bend plan.
    void DesignCalculated() override;
    // The main window's inputs were edited since: what is shown is no longer what they say.
    void DesignEdited() override;
    // The thickness and bend plan (by "L1" … "L7") the cutting templates hold.
    void TakePlan(const QString &thickness, const std::map<std::string, BendTexts> &plan);
    void cmdSaveStl_Click();

    // The pipe as drawn, when the plan and thickness could be used.
    const std::optional<AssembledPipe> &pipe() const { return m_pipe; }

  private:
    void Rebuild();
    std::map<std::string, BendTexts> PlanTexts() const;
    void ShowRefusal(const QString &reason, QWidget *box, int row = -1, int column = -1);
    void ClearMarks();
    void ShowStatus(const QString &text, const QColor &colour);

    const DesignState &m_state;
    FileDialogs &m_dialogs;
    std::vector<PipeSection> m_sections;
    std::optional<AssembledPipe> m_pipe;
    double m_thickness = 0;
    bool m_inputsEdited = false;

    QLineEdit *txtThickness = nullptr;
    QTableWidget *tblBends = nullptr;
    QLabel *lblFigures = nullptr;
    QPlainTextEdit *txtStatus = nullptr;
    QPushButton *cmdSaveStl = nullptr;
    PipeView *picSide = nullptr;
    PipeView *picTop = nullptr;
    PipeView *picOrbit = nullptr;
};

} // namespace quorvane
