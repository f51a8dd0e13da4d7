// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chamber.h"
#include "designstate.h"
#include "filedialogs.h"
#include "pipeinputs.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quorvane {

class AssembledPipeForm;
class PipePicture;
class PlotForm;
class PortAreaForm;
class InputCalcForm;
class TubeCalcForm;
class TemplateForm;
class HelpWindow;
class ToolWindow;
class clsTooltip;
struct HelpTip;

// The main window: the chamber design's inputs, Pipe Calc, the results, the
// warnings and the drawing. It owns the design; the tool windows live beside it.
class MainForm : public QMainWindow {
    Q_OBJECT

  public:
    // `dialogs` answers the File menu's dialogs; the platform's when none is given.
    explicit MainForm(std::unique_ptr<FileDialogs> dialogs = nullptr);
    ~MainForm() override;

    const DesignState &designState() const { return m_state; }
    // The tool windows and the manual are built the first time they are
    // asked for, hidden, so that the main window shows at once.
    PlotForm *plotForm();
    PortAreaForm *portAreaForm();
    InputCalcForm *inputCalcForm();
    TubeCalcForm *tubeCalcForm();
    TemplateForm *templateForm();
    HelpWindow *helpWindow();
    // Made by the window module, whose classes the program does not link:
    // known here as a tool window only.
    ToolWindow *waveTimingForm();
    AssembledPipeForm *assembledPipeForm();
    clsTooltip *toolTips() const { return m_toolTips.get(); }
    bool toolTipsAttached() const { return m_toolTipsAttached; }

    void cmdPipeCalc_Click();
    void cmdPlot_Click();
    void mnuFileType_Click(int index);
    // Cutting Templates for the last completed calculation.
    void mnuFileTemplates_Click();
    void mnuTools1_Click(int index);
    void mnuToolsWaveTiming_Click();
    void mnuToolsAssembledPipe_Click();
    void mnuHelpAbout_Click();
    // The manual at `page` ("port-area.html"), in front.
    void ShowHelp(const QString &page);
    // A calculator's result written into a design input, as if typed.
    void UseInDesign(PipeField field, const QString &text);

  signals:
    // A Pipe Calc completed: designState() holds its inputs and result.
    void designCalculated();
    // A design input's text or the straight header changed since then.
    void inputsEdited();

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void BuildMenus();
    void PipeBox_Change(PipeField field);
    PipeTexts BoxTexts() const;
    // The boxes and the straight header as the last completed calculation had them.
    bool InputsAreCalculated() const;
    // The design file last opened or saved, which names the template files.
    void SetDesignFile(const QString &path);
    void CalculatePipe();
    // A chamber that cannot be drawn leaves the picture empty.
    void DrawPipe(const PipeInputs &inputs, const PipeResult &result);
    void ShowCalculationFailure(const QString &reason);
    void OpenPipe();
    void SavePipe();
    // Makes a tool window on its first use, its help tips, keys and
    // results wired; the window lives until the main window closes.
    template <class Window, class... Args> Window *Built(Window *&slot, Args &&...args);
    template <class Window> Window *Adopt(Window *&slot, std::unique_ptr<Window> window);
    void SetupToolTips();
    void AttachToolTips(const QWidget *window);
    void RemoveToolTips();
    void ReleaseToolTips();
    // The control a tip belongs to; none while its window is not built yet.
    QWidget *HelpControl(const HelpTip &tip) const;
    QLineEdit *Box(PipeField field) const { return m_boxes[static_cast<std::size_t>(field)]; }

    std::unique_ptr<FileDialogs> m_dialogs;
    DesignState m_state;
    std::optional<double> m_lastTunedLength; // the port length box is judged against it

    std::array<QLineEdit *, kPipeFieldCount> m_boxes{};
    QCheckBox *chkHeader = nullptr;
    QPushButton *cmdPipeCalc = nullptr;
    QPushButton *cmdPlot = nullptr;
    QPlainTextEdit *txtPipeDim1 = nullptr;
    QPlainTextEdit *txtPipeDim2 = nullptr;
    QPlainTextEdit *txtPipeDim3 = nullptr;
    QLineEdit *txtTunedLength = nullptr;
    QPlainTextEdit *txtWarn = nullptr;
    PipePicture *picPipe = nullptr;

    // Tool windows, in the order they were created; closed for good in reverse.
    PlotForm *m_plot = nullptr;
    PortAreaForm *m_portArea = nullptr;
    InputCalcForm *m_inputCalc = nullptr;
    TubeCalcForm *m_tubeCalc = nullptr;
    TemplateForm *m_templates = nullptr;
    QString m_designFile;
    HelpWindow *m_help = nullptr;
    ToolWindow *m_waveTiming = nullptr;
    AssembledPipeForm *m_assembledPipe = nullptr;
    std::vector<std::unique_ptr<ToolWindow>> m_toolWindows;

    std::unique_ptr<clsTooltip> m_toolTips;
    bool m_toolTipsAttached = false;
};

} // namespace quorvane
