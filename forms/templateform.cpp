// SPDX-License-Identifier: GPL-3.0-or-later
#include "templateform.h"

#include "calcoutcomeview.h"
#include "controltable.h"
#include "filedialogs.h"
#include "lookandfeel.h"
#include "numeric.h"
#include "svgpattern.h"
#include "templatefiles.h"
#include "templatepreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>

namespace quorvane {

namespace {

using K = ControlRow::Kind;

// Options stand in one column, each caption left of its box; the message
// line stands beside the buttons, where the eye is when a press is refused.
constexpr ControlRow kLayout[] = {
    {K::Label, "lblSections", "Sections to cut", 16, 12, 241, 16},
    {K::Picture, "lstSections", "", 16, 28, 241, 164, 0},
    {K::Label, "lblNoDesign", "", 16, 28, 241, 164},
    {K::Label, "lblThickness", "Sheet thickness (mm)", 16, 213, 156, 16},
    {K::Edit, "txtThickness", "", 176, 208, 81, 25, 1},
    {K::Label, "lblPaper", "Paper", 16, 245, 156, 16},
    {K::Combo, "cmbPaper", "", 176, 240, 81, 25, 2},
    {K::Label, "lblOverlap", "Page overlap (mm)", 16, 277, 156, 16},
    {K::Edit, "txtOverlap", "", 176, 272, 81, 25, 3},
    {K::Label, "lblPieces", "Pieces around", 16, 309, 156, 16},
    {K::Edit, "txtPieces", "", 176, 304, 81, 25, 4},
    {K::Label, "lblSeamAllowance", "Seam allowance (mm)", 16, 341, 156, 16},
    {K::Edit, "txtSeamAllowance", "", 176, 336, 81, 25, 5},
    {K::Label, "lblRollLines", "Roll lines", 16, 373, 156, 16},
    {K::Edit, "txtRollLines", "", 176, 368, 81, 25, 6},
    {K::Check, "chkMidThickness", "Arcs at mid-thickness", 16, 402, 241, 21, 7},
    {K::Picture, "picPreview", "", 272, 12, 612, 488},
    {K::Label, "lblSummary", "", 16, 512, 868, 16},
    {K::Label, "lblMessage", "", 16, 540, 384, 48},
    {K::Button, "cmdSavePdf", "Save PDF\u2026", 408, 548, 89, 33, 8},
    {K::Button, "cmdSaveSvg", "Save SVG\u2026", 503, 548, 89, 33, 9},
    {K::Button, "cmdSaveDxf", "Save DXF\u2026", 598, 548, 89, 33, 10},
    {K::Button, "cmdPrint", "Print\u2026", 693, 548, 89, 33, 11},
    {K::Button, "cmdClose", "Close", 795, 548, 89, 33, 12},
};
constexpr QSize kClientSize(900, 596);

// The option boxes in TemplateField order.
constexpr const char *kBoxNames[] = {"txtThickness", "txtOverlap", "txtPieces", "txtSeamAllowance",
                                     "txtRollLines"};

constexpr Paper kPapers[] = {Paper::A4, Paper::Letter, Paper::A3, Paper::Tabloid, Paper::Plotter};

struct FileFormat {
    const char *title;
    const char *filter;
    const char *defaultName;
    const char *extension;
};
// In the order of TemplateForm::Format.
constexpr FileFormat kFormats[] = {
    {"Save PDF", "Build sheet, PDF (*.pdf)|*.pdf", "CuttingTemplates.pdf", "pdf"},
    {"Save SVG", "Cutting templates, SVG (*.svg)|*.svg", "CuttingTemplates.svg", "svg"},
    {"Save DXF", "Cutting templates, DXF (*.dxf)|*.dxf", "CuttingTemplates.dxf", "dxf"},
};

constexpr const char *kNothingToCut =
    "Nothing to cut yet.\n\nPress Pipe Calc in the main window first, or type a cone in Plot Flat Cones.";

QString WithExtension(const QString &path, const char *extension) {
    if (QFileInfo(path).suffix().compare(QLatin1String(extension), Qt::CaseInsensitive) == 0)
        return path;
    return path + QLatin1Char('.') + QLatin1String(extension);
}

QString Counted(qsizetype n, const char *one, const char *many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

} // namespace

TemplateSource LastCalculation(const DesignState &state) {
    if (!state.pipeCalculated)
        return {};
    return {ChamberSections(state.inputs, state.result),
            SheetDesign{state.inputTexts, state.inputs.straightHeader, state.result}};
}

TemplateForm::TemplateForm(FileDialogs &dialogs)
    : ToolWindow("TemplateForm", QStringLiteral("Cutting Templates"), kClientSize.width(),
                 kClientSize.height()),
      m_dialogs(dialogs) {
    auto *list = new QListWidget;
    list->setObjectName(QStringLiteral("lstSections"));
    auto *preview = new TemplatePreview;
    preview->setObjectName(QStringLiteral("picPreview"));
    const auto controls = BuildControls(this, kLayout, {list, preview});
    lstSections = list;
    picPreview = preview;
    lblNoDesign = Control<QLabel>(controls, "lblNoDesign");
    cmbPaper = Control<QComboBox>(controls, "cmbPaper");
    chkMidThickness = Control<QCheckBox>(controls, "chkMidThickness");
    lblSummary = Control<QLabel>(controls, "lblSummary");
    lblMessage = Control<QLabel>(controls, "lblMessage");
    m_outputButtons = {
        Control<QPushButton>(controls, "cmdSavePdf"), Control<QPushButton>(controls, "cmdSaveSvg"),
        Control<QPushButton>(controls, "cmdSaveDxf"), Control<QPushButton>(controls, "cmdPrint")};
    lblNoDesign->setWordWrap(true);
    lblNoDesign->setText(QString::fromLatin1(kNothingToCut));
    lblMessage->setWordWrap(true);
    lblMessage->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    const TemplateTexts initial;
    const std::string initialTexts[] = {initial.thickness, initial.overlap, initial.pieces,
                                        initial.seamAllowance, initial.rollLines};
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        m_boxes[i] = Control<QLineEdit>(controls, kBoxNames[i]);
        SetBoxText(m_boxes[i], QString::fromStdString(initialTexts[i]));
        SelectAllOnFocus(m_boxes[i]);
        connect(m_boxes[i], &QLineEdit::textChanged, this, &TemplateForm::Refresh);
    }
    m_boxColour = Background(m_boxes[0]);
    for (const Paper paper : kPapers) {
        QString name = QString::fromLatin1(NameOf(paper));
        name[0] = name[0].toUpper();
        cmbPaper->addItem(name, static_cast<int>(paper));
    }
    cmbPaper->setCurrentIndex(cmbPaper->findData(static_cast<int>(initial.paper)));
    chkMidThickness->setChecked(initial.midThickness);

    connect(cmbPaper, &QComboBox::currentIndexChanged, this, &TemplateForm::Refresh);
    connect(chkMidThickness, &QCheckBox::toggled, this, &TemplateForm::Refresh);
    connect(lstSections, &QListWidget::itemChanged, this, &TemplateForm::Refresh);
    connect(lstSections, &QListWidget::currentRowChanged, this, &TemplateForm::ShowPreview);
    void (TemplateForm::*const handlers[])() = {
        &TemplateForm::cmdSavePdf_Click, &TemplateForm::cmdSaveSvg_Click, &TemplateForm::cmdSaveDxf_Click,
        &TemplateForm::cmdPrint_Click};
    for (std::size_t i = 0; i < m_outputButtons.size(); ++i)
        connect(m_outputButtons[i], &QPushButton::clicked, this, handlers[i]);
    connect(Control<QPushButton>(controls, "cmdClose"), &QPushButton::clicked, this, &QWidget::hide);
    FillSections();
    Refresh();
}

void TemplateForm::ShowFor(const TemplateSource &source, const std::optional<QString> &thickness) {
    m_source = source;
    FillSections();
    if (thickness)
        SetBoxText(Box(TemplateField::Thickness), *thickness);
    Refresh();
    ShowInFront();
}

void TemplateForm::FillSections() {
    const QSignalBlocker quiet(lstSections);
    lstSections->clear();
    for (const Section &section : m_source.sections) {
        auto *item = new QListWidgetItem(QString::fromStdString(section.name), lstSections);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    lstSections->setCurrentRow(0);
    lstSections->setVisible(!m_source.sections.empty());
    lblNoDesign->setVisible(m_source.sections.empty());
}

std::optional<TemplateOptions> TemplateForm::ReadOptions() {
    TemplateTexts texts;
    std::string *fields[] = {&texts.thickness, &texts.overlap, &texts.pieces, &texts.seamAllowance,
                             &texts.rollLines};
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        *fields[i] = BoxText(m_boxes[i]);
    texts.paper = static_cast<Paper>(cmbPaper->currentData().toInt());
    texts.midThickness = chkMidThickness->isChecked();
    // Plotter paper gives every piece a page of its own size: nothing overlaps.
    Box(TemplateField::Overlap)->setEnabled(texts.paper != Paper::Plotter);

    TemplateOptions options;
    const std::optional<TemplateRefusal> refusal = ReadTemplateOptions(texts, options);
    for (QLineEdit *box : m_boxes)
        SetBackground(box, m_boxColour);
    if (!refusal)
        return options;
    SetBackground(Box(refusal->field), kRejectedRed);
    lblMessage->setText(QString::fromStdString(refusal->reason));
    return std::nullopt;
}

void TemplateForm::Refresh() {
    m_sheet = BuildSheet{};
    m_sheet.design = m_source.design;
    lblSummary->clear();
    lblMessage->clear();
    for (QPushButton *button : m_outputButtons)
        button->setEnabled(false);
    m_options = ReadOptions();
    const std::optional<TemplateOptions> &options = m_options;
    if (m_source.sections.empty()) {
        picPreview->ShowMessage(QString::fromLatin1(kNothingToCut));
        return;
    }
    if (!options) {
        picPreview->ShowMessage(QStringLiteral("Correct the box marked red to see the template."));
        return;
    }
    m_sheet.options = *options;
    std::vector<Section> chosen;
    for (int i = 0; i < lstSections->count(); ++i)
        if (lstSections->item(i)->checkState() == Qt::Checked)
            chosen.push_back(m_source.sections[static_cast<std::size_t>(i)]);
    try {
        m_sheet.templates = BuildTemplates(chosen, options->pattern);
    } catch (const ArithmeticFailure &failure) {
        m_sheet.templates = {};
        ShowProblem(QString::fromUtf8(failure.what()));
        return;
    }
    QStringList notes;
    for (const std::string &note : m_sheet.templates.notes)
        notes << QString::fromStdString(note);
    const std::vector<SectionPattern> &patterns = m_sheet.templates.patterns;
    if (chosen.empty())
        notes << QStringLiteral("Check the sections to cut: none is checked, so there is nothing to save.");
    else if (patterns.empty())
        notes << QStringLiteral("None of the checked sections has a length: there is nothing to save.");
    // The drawings still serve a sheet too large to print: a cutting machine takes them.
    const std::optional<std::string> unprintable = SheetRefusal(m_sheet);
    if (unprintable)
        notes << QString::fromStdString(*unprintable);
    lblMessage->setText(notes.join(QLatin1Char('\n')));
    ShowPreview();
    if (patterns.empty())
        return;

    qsizetype pieces = 0;
    for (const SectionPattern &pattern : patterns)
        pieces += static_cast<qsizetype>(pattern.pieceList.size());
    const Bounds sheet = PiecesSideBySide(patterns);
    lblSummary->setText(QStringLiteral("%1 on %2 of %3 paper; sheet metal %4 \u00D7 %5 mm")
                            .arg(Counted(pieces, "piece", "pieces"),
                                 Counted(PageCount(m_sheet), "page", "pages"),
                                 QString::fromLatin1(NameOf(options->paper)),
                                 QString::fromStdString(FormatFixed(sheet.width(), 1)),
                                 QString::fromStdString(FormatFixed(sheet.height(), 1))));
    for (QPushButton *button : m_outputButtons)
        button->setEnabled(true);
    for (QPushButton *button : {m_outputButtons[0], m_outputButtons[3]})
        button->setEnabled(!unprintable);
}

void TemplateForm::ShowPreview() {
    const int row = lstSections->currentRow();
    if (m_source.sections.empty() || !m_options)
        return;
    if (row < 0) {
        picPreview->ShowMessage(QStringLiteral("Select a section to see its template."));
        return;
    }
    const Section &section = m_source.sections[static_cast<std::size_t>(row)];
    TemplateSet one;
    try {
        one = BuildTemplates({section}, m_sheet.options.pattern);
    } catch (const ArithmeticFailure &failure) {
        picPreview->ShowMessage(QString::fromUtf8(failure.what()));
        return;
    }
    if (one.patterns.empty()) {
        picPreview->ShowMessage(QString::fromStdString(one.notes.front()));
        return;
    }
    // Too many pages to lay out, or to show.
    if (const std::optional<std::string> refusal = SheetRefusal({std::nullopt, one, m_sheet.options})) {
        picPreview->ShowMessage(QString::fromStdString(*refusal));
        return;
    }
    const Piece &piece = one.patterns.front().pieceList.front();
    const TilePlan plan = PlanPages(piece.bounds, m_sheet.options.paper, m_sheet.options.overlap);
    // A piece of several pages opens with its assembly map.
    int firstPage = 0;
    const std::vector<PageRange> ranges = SectionPageRanges(m_sheet);
    for (std::size_t i = 0; i < ranges.size(); ++i)
        if (m_sheet.templates.patterns[i].section.name == section.name)
            firstPage = ranges[i].first + (plan.tiles.size() > 1 ? 1 : 0);
    picPreview->ShowPiece(piece, plan, firstPage);
}

void TemplateForm::ShowProblem(const QString &text) {
    lblMessage->setText(text);
    picPreview->ShowMessage(text);
}

void TemplateForm::cmdSavePdf_Click() {
    Save(Format::Pdf);
}

void TemplateForm::cmdSaveSvg_Click() {
    Save(Format::Svg);
}

void TemplateForm::cmdSaveDxf_Click() {
    Save(Format::Dxf);
}

void TemplateForm::Save(Format format) {
    const FileFormat &file = kFormats[static_cast<int>(format)];
    const QString title = QString::fromLatin1(file.title);
    const QString path = m_dialogs.ChooseSavePath(
        this, QString::fromLatin1(file.filter), title, QString::fromLatin1(file.defaultName),
        [&file](const QString &chosen) { return WithExtension(chosen, file.extension); });
    if (path.isEmpty())
        return;
    const QByteArray bytes = QFile::encodeName(path);
    const auto write = [&] {
        SaveOutcome saved;
        try {
            switch (format) {
            case Format::Pdf:
                saved = SaveBuildSheetPdf(bytes, m_sheet);
                break;
            case Format::Svg:
                saved = SaveTemplateSvg(bytes, m_sheet.templates.patterns);
                break;
            case Format::Dxf:
                saved = SaveTemplateDxf(bytes, m_sheet.templates.patterns);
                break;
            }
        } catch (const ArithmeticFailure &failure) {
            saved.error = QString::fromUtf8(failure.what());
        }
        return saved;
    };
    SaveOutcome saved = write();
    if (saved.inPlaceRefused) {
        if (!m_dialogs.ConfirmInPlace(this, title, path, saved.error))
            return;
        const InPlaceConsent agreed;
        saved = write();
    }
    if (saved.saved)
        return;
    m_dialogs.ShowSaveFailure(this, title, QStringLiteral("The cutting templates"), path, saved.error,
                              saved.oldFileKept && QFileInfo::exists(path));
}

void TemplateForm::cmdPrint_Click() {
    // Full page and the pages' own sizes: the templates must come out at 1:1.
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("Cutting templates"));
    if (!m_dialogs.ShowPrintDialog(this, printer))
        return;
    bool printed = false;
    QString reason;
    try {
        printed = PaintBuildSheet(printer, m_sheet);
    } catch (const ArithmeticFailure &failure) {
        reason = QStringLiteral("\n\n") + QString::fromUtf8(failure.what());
    }
    if (!printed)
        m_dialogs.ShowError(this, QStringLiteral("Print"),
                            QStringLiteral("The build sheet could not be printed.") + reason);
}

} // namespace quorvane
