// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "buildsheet.h"
#include "designstate.h"
#include "pattern.h"
#include "templateoptions.h"
#include "toolwindow.h"

#include <QColor>

#include <array>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace quorvane {

class FileDialogs;
class TemplatePreview;

// What the cutting templates are cut from: the sections, and the calculation
// they belong to when they came from one.
struct TemplateSource {
    std::vector<Section> sections;
    std::optional<SheetDesign> design;
};

// The seven sections of the last completed calculation; nothing before one.
TemplateSource LastCalculation(const DesignState &state);

// Cutting Templates: the sections to cut, the options of the templates, a
// preview of one section's first piece on its pages, and the build sheet,
// the SVG and the DXF files, saved or printed.
class TemplateForm : public ToolWindow {
    Q_OBJECT

  public:
    // `dialogs` are the main window's, which asks for the files and the printer.
    explicit TemplateForm(FileDialogs &dialogs);

    // Shows the window in front, cutting `source`; the sheet thickness box
    // takes `thickness` when one is given, and keeps its text otherwise.
    void ShowFor(const TemplateSource &source, const std::optional<QString> &thickness = std::nullopt);

    // The build sheet the buttons write: the checked sections under the
    // options; empty of templates while an option is refused.
    const BuildSheet &buildSheet() const { return m_sheet; }

    void cmdSavePdf_Click();
    void cmdSaveSvg_Click();
    void cmdSaveDxf_Click();
    void cmdPrint_Click();

  private:
    enum class Format { Pdf, Svg, Dxf };

    void FillSections();
    void Refresh();
    // The options, or nothing when one is refused, its box then marked.
    std::optional<TemplateOptions> ReadOptions();
    void ShowPreview();
    void Save(Format format);
    void ShowProblem(const QString &text);
    QLineEdit *Box(TemplateField field) const { return m_boxes[static_cast<std::size_t>(field)]; }

    FileDialogs &m_dialogs;
    TemplateSource m_source;
    std::optional<TemplateOptions> m_options; // nothing while a box is refused
    BuildSheet m_sheet;
    QColor m_boxColour; // of a box nothing refused

    QListWidget *lstSections = nullptr;
    QLabel *lblNoDesign = nullptr;
    std::array<QLineEdit *, 5> m_boxes{}; // in TemplateField order
    QComboBox *cmbPaper = nullptr;
    QCheckBox *chkMidThickness = nullptr;
    TemplatePreview *picPreview = nullptr;
    QLabel *lblSummary = nullptr;
    QLabel *lblMessage = nullptr;
    std::array<QPushButton *, 4> m_outputButtons{}; // PDF, SVG, DXF, Print
};

} // namespace quorvane
