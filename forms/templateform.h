// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "buildsheet.h"
#include "designstate.h"
#include "pageplan.h"
#include "pattern.h"
#include "templatefiles.h"
#include "templateoptions.h"
#include "templatesection.h"
#include "toolwindow.h"

#include <QColor>
#include <QString>

#include <array>
#include <map>
#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace quorvane {

class FileDialogs;
class TemplatePreview;

// What the cutting templates are cut from: the sections, and the calculation
// they belong to when they came from one; else what they are, for the user.
struct TemplateSource {
    std::vector<Section> sections;
    std::optional<SheetDesign> design;
    QString typed; // "the cone typed in Plot Flat Cone"
};

// The seven sections of the last completed calculation; nothing before one.
TemplateSource LastCalculation(const DesignState &state);

// Cutting Templates: the sections to cut, the options of the templates, a
// preview of one section's first piece on its pages, and the build sheet,
// the SVG and the DXF files, saved or printed. It names the design it
// develops, follows each new calculation and says when the main window's
// inputs no longer are the calculation's.
class TemplateForm : public ToolWindow {
    Q_OBJECT

  public:
    // `dialogs` are the main window's, which asks for the files and the printer.
    explicit TemplateForm(FileDialogs &dialogs);

    // Shows the window in front, cutting `source`; the sheet thickness box
    // takes `thickness` when one is given, and keeps its text otherwise.
    void ShowFor(const TemplateSource &source, const std::optional<QString> &thickness = std::nullopt);
    // A new calculation: taken unless the window is cutting a typed cone.
    // The ticks of the sections and the options stay as they are.
    void Follow(const TemplateSource &calculation);
    // Whether the main window's inputs differ from the calculation's.
    void SetInputsChanged(bool changed);
    // The design file the main window last opened or saved; names the files proposed.
    void SetDesignFile(const QString &path);
    // A design file opened: its saved template options and bend plan, when it has them, are taken.
    void OpenDesign(const QString &path);

    // The build sheet the buttons write: the checked sections under the
    // options; empty of templates while an option is refused.
    const BuildSheet &buildSheet() const { return m_sheet; }
    QString designText() const;

    void cmdSavePdf_Click();
    void cmdSaveSvg_Click();
    void cmdSaveDxf_Click();
    void cmdPrint_Click();
    // The template options and bend plan into the design file, beside its inputs.
    void cmdSaveWithDesign_Click();

  signals:
    // The pipe these templates assemble into, with their thickness and bend plan.
    void assembledPipeRequested(const QString &thickness, const std::map<std::string, BendTexts> &plan);

  private:
    void TakeSource(const TemplateSource &source);
    void FillSections();
    void FillBends();
    void SetBendRow(int row, const BendTexts &texts);
    std::map<std::string, BendTexts> BendTextsTyped() const;
    TemplateSectionTexts SectionTexts() const;
    void ShowDesign();
    void Refresh();
    // The options, or nothing when one is refused, its box then marked.
    std::optional<TemplateOptions> ReadOptions();
    void ShowPreview();
    void Save(TemplateFormat format);
    QString ProposedPath(TemplateFormat format) const;
    void ShowProblem(const QString &text);
    QLineEdit *Box(TemplateField field) const { return m_boxes[static_cast<std::size_t>(field)]; }

    FileDialogs &m_dialogs;
    TemplateSource m_source;
    bool m_inputsChanged = false;
    QString m_designFile;
    QString m_lastFolder;                     // where the last save went
    std::optional<TemplateOptions> m_options; // nothing while a box is refused
    BuildSheet m_sheet;
    std::optional<PrintRefusal> m_unprintable;
    SheetPlan m_plan;   // of m_sheet, when it can be printed
    QColor m_boxColour; // of a box nothing refused

    QListWidget *lstSections = nullptr;
    QLabel *lblNoDesign = nullptr;
    QLabel *lblDesign = nullptr;
    std::array<QLineEdit *, kTemplateFieldCount> m_boxes{}; // in TemplateField order
    QComboBox *cmbPaper = nullptr;
    QComboBox *cmbDiameters = nullptr;
    QTableWidget *tblBends = nullptr;
    QComboBox *cmbBendLayout = nullptr;
    QPushButton *cmdSaveWithDesign = nullptr;
    std::vector<std::string> m_bendNotes;            // the fitters' cautions about the bends
    std::map<std::string, BendTexts> m_pendingBends; // opened with a design, not yet calculated
    TemplatePreview *picPreview = nullptr;
    QLabel *lblSummary = nullptr;
    QLabel *lblMessage = nullptr;
    std::array<QPushButton *, kTemplateFormatCount + 1> m_outputButtons{}; // PDF, SVG, DXF, Print
};

} // namespace quorvane
