// SPDX-License-Identifier: GPL-3.0-or-later
#include "templateform.h"

#include "boxbehaviour.h"
#include "controltable.h"
#include "filedialogs.h"
#include "lookandfeel.h"
#include "numeric.h"
#include "sheetlayout.h"
#include "templatepreview.h"
#include "templatesection.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>

namespace quorvane {

namespace {

using K = ControlRow::Kind;

// The message line stands beside the buttons, where the eye is when a press
// is refused; the design the templates belong to stands over the preview.
constexpr ControlRow kLayout[] = {
    {K::Label, "lblSections", "Sections to cut", 16, 8, 241, 16},
    {K::Picture, "lstSections", "", 16, 24, 241, 156, 0},
    {K::Label, "lblNoDesign", "", 16, 24, 241, 156},
    {K::Label, "lblDesign", "", 272, 8, 612, 72},
    {K::Picture, "picPreview", "", 272, 84, 612, 606},
    {K::Label, "lblBends", "Bends: angle, pieces, direction", 16, 450, 241, 16},
    {K::Picture, "tblBends", "", 16, 468, 241, 194, 12},
    {K::Label, "lblBendLayout", "Bent sections", 16, 675, 156, 16},
    {K::Combo, "cmbBendLayout", "", 176, 670, 81, 25, 13},
    {K::Button, "cmdSaveWithDesign", "Save with Design", 16, 702, 118, 30, 14},
    {K::Button, "cmdAssembledPipe", "Assembled Pipe\u2026", 139, 702, 118, 30, 15},
    {K::Label, "lblSummary", "", 272, 700, 612, 16},
    {K::Label, "lblMessage", "", 16, 740, 384, 48},
    {K::Button, "cmdSavePdf", "Save PDF\u2026", 408, 748, 89, 33, 20},
    {K::Button, "cmdSaveSvg", "Save SVG\u2026", 503, 748, 89, 33, 21},
    {K::Button, "cmdSaveDxf", "Save DXF\u2026", 598, 748, 89, 33, 22},
    {K::Button, "cmdPrint", "Print\u2026", 693, 748, 89, 33, 23},
    {K::Button, "cmdClose", "Close", 795, 748, 89, 33, 24},
};
constexpr QSize kClientSize(900, 796);

// The bend plan's columns, as BendTexts holds them.
constexpr const char *kBendColumns[] = {"Angle", "Pieces", "Dir."};

// The options column: each caption left of its box, one row every kRowStep
// pixels, the typed fields in the order of TemplateFields() with the two
// choices after the K factor.
constexpr int kOptionsTop = 190;
constexpr int kRowStep = 32;
struct ChoiceRow {
    const char *label;
    const char *caption;
    const char *combo;
};
constexpr ChoiceRow kChoices[] = {{"lblDiameters", "Diameters", "cmbDiameters"},
                                  {"lblPaper", "Paper", "cmbPaper"}};
constexpr std::size_t kChoicesAfter = 2; // thickness and K factor come first

std::vector<ControlRow> OptionRows(std::vector<std::string> &labelNames) {
    struct Row {
        const char *label;
        const char *caption;
        const char *control;
        K kind;
    };
    std::vector<Row> rows;
    for (const TemplateFieldInfo &field : TemplateFields()) {
        if (rows.size() == kChoicesAfter)
            for (const ChoiceRow &choice : kChoices)
                rows.push_back({choice.label, choice.caption, choice.combo, K::Combo});
        labelNames.push_back(std::string("lbl") + (field.control + 3));
        rows.push_back({labelNames.back().c_str(), field.caption, field.control, K::Edit});
    }
    std::vector<ControlRow> table;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int y = kOptionsTop + kRowStep * static_cast<int>(i);
        table.push_back({K::Label, rows[i].label, rows[i].caption, 16, y + 5, 156, 16});
        table.push_back({rows[i].kind, rows[i].control, "", 176, y, 81, 25, 1 + static_cast<int>(i)});
    }
    return table;
}

constexpr const char *kNothingToCut =
    "Nothing to cut yet.\n\nPress Pipe Calc in the main window first, or type a cone in Plot Flat Cones.";
constexpr const char *kDefaultBaseName = "CuttingTemplates";

QString WithExtension(const QString &path, const char *extension) {
    if (QFileInfo(path).suffix().compare(QLatin1String(extension), Qt::CaseInsensitive) == 0)
        return path;
    return path + QLatin1Char('.') + QLatin1String(extension);
}

QString Counted(qsizetype n, const char *one, const char *many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

QString Q(const std::string &text) {
    return QString::fromStdString(text);
}

} // namespace

TemplateSource LastCalculation(const DesignState &state) {
    if (!state.pipeCalculated)
        return {};
    return {ChamberSections(state.inputs, state.result),
            SheetDesign{state.inputTexts, state.inputs, state.result,
                        state.calculatedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString()},
            {}};
}

TemplateForm::TemplateForm(FileDialogs &dialogs)
    : ToolWindow("TemplateForm", QStringLiteral("Cutting Templates"), kClientSize.width(),
                 kClientSize.height()),
      m_dialogs(dialogs) {
    auto *list = new QListWidget;
    list->setObjectName(QStringLiteral("lstSections"));
    auto *preview = new TemplatePreview;
    preview->setObjectName(QStringLiteral("picPreview"));
    auto *bends = new QTableWidget(0, static_cast<int>(std::size(kBendColumns)));
    bends->setObjectName(QStringLiteral("tblBends"));
    std::vector<std::string> labelNames; // kept alive while the table is built
    labelNames.reserve(kTemplateFieldCount);
    std::vector<ControlRow> table(std::begin(kLayout), std::end(kLayout));
    for (const ControlRow &row : OptionRows(labelNames))
        table.push_back(row);
    const auto controls = BuildControls(this, table, {list, preview, bends});
    lstSections = list;
    picPreview = preview;
    tblBends = bends;
    QStringList headers;
    for (const char *column : kBendColumns)
        headers << QString::fromLatin1(column);
    tblBends->setHorizontalHeaderLabels(headers);
    tblBends->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblBends->verticalHeader()->setDefaultSectionSize(22);
    cmbBendLayout = Control<QComboBox>(controls, "cmbBendLayout");
    cmbBendLayout->addItems({QStringLiteral("Pieces"), QStringLiteral("Blank")});
    cmdSaveWithDesign = Control<QPushButton>(controls, "cmdSaveWithDesign");
    lblNoDesign = Control<QLabel>(controls, "lblNoDesign");
    lblDesign = Control<QLabel>(controls, "lblDesign");
    cmbPaper = Control<QComboBox>(controls, "cmbPaper");
    cmbDiameters = Control<QComboBox>(controls, "cmbDiameters");
    lblSummary = Control<QLabel>(controls, "lblSummary");
    lblMessage = Control<QLabel>(controls, "lblMessage");
    m_outputButtons = {
        Control<QPushButton>(controls, "cmdSavePdf"), Control<QPushButton>(controls, "cmdSaveSvg"),
        Control<QPushButton>(controls, "cmdSaveDxf"), Control<QPushButton>(controls, "cmdPrint")};
    lblNoDesign->setWordWrap(true);
    lblNoDesign->setText(QString::fromLatin1(kNothingToCut));
    lblDesign->setWordWrap(true);
    lblDesign->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblDesign->setTextFormat(Qt::RichText);
    lblMessage->setWordWrap(true);
    lblMessage->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    const TemplateTexts initial;
    for (const TemplateFieldInfo &field : TemplateFields()) {
        QLineEdit *box = Control<QLineEdit>(controls, field.control);
        m_boxes[static_cast<std::size_t>(field.field)] = box;
        SetBoxText(box, Q(initial.*field.text));
        SelectAllOnFocus(box);
        connect(box, &QLineEdit::textChanged, this, &TemplateForm::Refresh);
    }
    m_boxColour = Background(m_boxes[0]);
    for (const Paper paper : AllPapers()) {
        QString name = QString::fromLatin1(NameOf(paper));
        name[0] = name[0].toUpper();
        cmbPaper->addItem(name, static_cast<int>(paper));
    }
    cmbPaper->setCurrentIndex(cmbPaper->findData(static_cast<int>(initial.paper)));
    cmbDiameters->addItems({QStringLiteral("Inside"), QStringLiteral("Outside")});

    connect(cmbPaper, &QComboBox::currentIndexChanged, this, &TemplateForm::Refresh);
    connect(cmbDiameters, &QComboBox::currentIndexChanged, this, &TemplateForm::Refresh);
    connect(cmbBendLayout, &QComboBox::currentIndexChanged, this, &TemplateForm::Refresh);
    connect(tblBends, &QTableWidget::itemChanged, this, &TemplateForm::Refresh);
    connect(cmdSaveWithDesign, &QPushButton::clicked, this, &TemplateForm::cmdSaveWithDesign_Click);
    connect(Control<QPushButton>(controls, "cmdAssembledPipe"), &QPushButton::clicked, this, [this] {
        std::map<std::string, BendTexts> plan;
        if (m_source.design)
            plan = SectionTexts().bends;
        emit assembledPipeRequested(Box(TemplateField::Thickness)->text(), plan);
    });
    connect(lstSections, &QListWidget::itemChanged, this, &TemplateForm::Refresh);
    connect(lstSections, &QListWidget::currentRowChanged, this, &TemplateForm::ShowPreview);
    void (TemplateForm::*const handlers[])() = {
        &TemplateForm::cmdSavePdf_Click, &TemplateForm::cmdSaveSvg_Click, &TemplateForm::cmdSaveDxf_Click,
        &TemplateForm::cmdPrint_Click};
    for (std::size_t i = 0; i < m_outputButtons.size(); ++i)
        connect(m_outputButtons[i], &QPushButton::clicked, this, handlers[i]);
    connect(Control<QPushButton>(controls, "cmdClose"), &QPushButton::clicked, this, &QWidget::hide);
    TakeSource({});
}

void TemplateForm::ShowFor(const TemplateSource &source, const std::optional<QString> &thickness) {
    if (thickness)
        SetBoxText(Box(TemplateField::Thickness), *thickness);
    TakeSource(source);
    ShowInFront();
}

void TemplateForm::Follow(const TemplateSource &calculation) {
    if (!m_source.typed.isEmpty())
        return;
    m_inputsChanged = false;
    TakeSource(calculation);
}

void TemplateForm::SetInputsChanged(bool changed) {
    if (changed == m_inputsChanged)
        return;
    m_inputsChanged = changed;
    ShowDesign();
}

void TemplateForm::SetDesignFile(const QString &path) {
    m_designFile = path;
    ShowDesign();
}

void TemplateForm::TakeSource(const TemplateSource &source) {
    m_source = source;
    // Typed cones may be measured outside; a chamber's diameters are inside.
    if (m_source.design)
        cmbDiameters->setCurrentIndex(0);
    cmbDiameters->setEnabled(!m_source.design);
    FillSections();
    ShowDesign();
    Refresh();
}

void TemplateForm::FillSections() {
    // A section keeps its tick across calculations: the user chose it by name.
    QStringList unticked;
    for (int i = 0; i < lstSections->count(); ++i)
        if (lstSections->item(i)->checkState() != Qt::Checked)
            unticked << lstSections->item(i)->text();
    const int row = std::max(0, lstSections->currentRow());
    const QSignalBlocker quiet(lstSections);
    lstSections->clear();
    for (const Section &section : m_source.sections) {
        auto *item = new QListWidgetItem(Q(section.name), lstSections);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(unticked.contains(item->text()) ? Qt::Unchecked : Qt::Checked);
    }
    lstSections->setCurrentRow(std::min(row, lstSections->count() - 1));
    FillBends();
    lstSections->setVisible(!m_source.sections.empty());
    lblNoDesign->setVisible(m_source.sections.empty());
}

void TemplateForm::FillBends() {
    // What was typed stays with its section, by name.
    std::map<std::string, BendTexts> typed = BendTextsTyped();
    // A design's saved plan waits for the calculation whose sections it names.
    for (const auto &[key, bend] : m_pendingBends)
        typed[key] = bend;
    if (m_source.design)
        m_pendingBends.clear();
    const QSignalBlocker quiet(tblBends);
    tblBends->setRowCount(static_cast<int>(m_source.sections.size()));
    QStringList rows;
    for (std::size_t i = 0; i < m_source.sections.size(); ++i) {
        const std::string key = BendKey(m_source.sections[i]);
        rows << QString::fromStdString(key);
        SetBendRow(static_cast<int>(i), typed.count(key) ? typed[key] : BendTexts{});
    }
    tblBends->setVerticalHeaderLabels(rows);
}

void TemplateForm::SetBendRow(int row, const BendTexts &texts) {
    const std::string *cells[] = {&texts.angle, &texts.pieces, &texts.direction};
    for (int c = 0; c < static_cast<int>(std::size(cells)); ++c)
        tblBends->setItem(row, c, new QTableWidgetItem(Q(*cells[c])));
}

std::map<std::string, BendTexts> TemplateForm::BendTextsTyped() const {
    std::map<std::string, BendTexts> typed;
    for (int r = 0; r < tblBends->rowCount(); ++r) {
        auto cell = [&](int c) {
            const QTableWidgetItem *item = tblBends->item(r, c);
            return item ? item->text().toStdString() : std::string();
        };
        typed[tblBends->verticalHeaderItem(r)->text().toStdString()] = {cell(0), cell(1), cell(2)};
    }
    return typed;
}

QString TemplateForm::designText() const {
    if (m_source.sections.empty())
        return {};
    if (!m_source.design)
        return QStringLiteral("Develops %1.").arg(m_source.typed);
    const SheetDesign &d = *m_source.design;
    QString file;
    if (!m_designFile.isEmpty())
        file = QStringLiteral(" (%1)").arg(QFileInfo(m_designFile).fileName());
    QStringList inputs;
    for (std::size_t i = 0; i < kPipeFieldCount; ++i)
        inputs << QStringLiteral("%1 %2").arg(QString::fromLatin1(PipeFields()[i].key), Q(d.texts[i]));
    if (d.inputs.straightHeader)
        inputs << QStringLiteral("straight header");
    QString text = QStringLiteral("Develops the Pipe Calc of %1%2: %3.")
                       .arg(Q(d.madeAt), file, inputs.join(QStringLiteral(", ")));
    if (m_inputsChanged)
        text += QStringLiteral("\nThe inputs have changed since the last Pipe Calc \u2014 press Pipe Calc to "
                               "develop them.");
    return text;
}

void TemplateForm::ShowDesign() {
    cmdSaveWithDesign->setEnabled(m_source.design.has_value() && !m_designFile.isEmpty());
    const QStringList lines = designText().toHtmlEscaped().split(QLatin1Char('\n'));
    QString html = lines.value(0);
    if (lines.size() > 1)
        html += QStringLiteral("<br><span style=\"color:#b40000\">%1</span>").arg(lines[1]);
    lblDesign->setText(html);
}

std::optional<TemplateOptions> TemplateForm::ReadOptions() {
    const TemplateSectionTexts typed = SectionTexts();
    const TemplateTexts &texts = typed.options;
    // Plotter paper gives every piece a page of its own size: nothing overlaps.
    Box(TemplateField::Overlap)->setEnabled(texts.paper != Paper::Plotter);

    TemplateOptions options;
    const std::optional<TemplateRefusal> refusal = ReadTemplateOptions(texts, options);
    for (QLineEdit *box : m_boxes)
        SetBackground(box, m_boxColour);
    // Colouring a cell is a change of the table too: not one the options follow.
    const QSignalBlocker quiet(tblBends);
    for (int r = 0; r < tblBends->rowCount(); ++r)
        for (int c = 0; c < tblBends->columnCount(); ++c)
            if (QTableWidgetItem *item = tblBends->item(r, c))
                item->setBackground(QBrush());
    if (refusal) {
        SetBackground(Box(refusal->field), kRejectedRed);
        lblMessage->setText(Q(refusal->reason));
        return std::nullopt;
    }
    options.pattern.bendLayout = typed.bendLayout == "blank" ? BendLayout::Blank : BendLayout::Pieces;
    m_bendNotes.clear();
    if (const std::optional<BendRefusal> bent = ReadBendPlan(m_source.sections, typed.bends, options.pattern,
                                                             options.pattern.bends, &m_bendNotes)) {
        for (int r = 0; r < tblBends->rowCount(); ++r) {
            const std::string key = tblBends->verticalHeaderItem(r)->text().toStdString();
            const Section &section = m_source.sections[static_cast<std::size_t>(r)];
            if (bent->section == key || bent->section == section.name)
                if (QTableWidgetItem *item = tblBends->item(r, static_cast<int>(bent->field)))
                    item->setBackground(kRejectedRed);
        }
        lblMessage->setText(Q(bent->reason));
        return std::nullopt;
    }
    return options;
}

void TemplateForm::Refresh() {
    m_sheet = BuildSheet{};
    m_sheet.design = m_source.design;
    m_unprintable.reset();
    m_plan = {};
    lblSummary->clear();
    lblMessage->clear();
    for (QPushButton *button : m_outputButtons)
        button->setEnabled(false);
    m_options = ReadOptions();
    if (m_source.sections.empty()) {
        picPreview->ShowMessage(QString::fromLatin1(kNothingToCut));
        return;
    }
    if (!m_options) {
        picPreview->ShowMessage(QStringLiteral("Correct the box marked red to see the template."));
        return;
    }
    m_sheet.options = *m_options;
    std::vector<Section> chosen;
    for (int i = 0; i < lstSections->count(); ++i)
        if (lstSections->item(i)->checkState() == Qt::Checked)
            chosen.push_back(m_source.sections[static_cast<std::size_t>(i)]);
    try {
        m_sheet.templates = BuildTemplates(chosen, m_options->pattern);
    } catch (const ArithmeticFailure &failure) {
        m_sheet.templates = {};
        ShowProblem(QString::fromUtf8(failure.what()));
        return;
    }
    QStringList notes;
    for (const std::string &note : m_sheet.templates.notes)
        notes << Q(note);
    for (const std::string &note : m_bendNotes)
        notes << Q(note);
    const std::vector<SectionPattern> &patterns = m_sheet.templates.patterns;
    if (chosen.empty())
        notes << QStringLiteral("Check the sections to cut: none is checked, so there is nothing to save.");
    else if (patterns.empty())
        notes << QStringLiteral("None of the checked sections has a length: there is nothing to save.");
    // The drawings still serve a sheet that cannot be printed: a cutting machine takes them.
    m_unprintable = SheetRefusal(m_sheet);
    if (m_unprintable) {
        notes << Q(m_unprintable->reason);
        if (m_unprintable->field)
            SetBackground(Box(*m_unprintable->field), kRejectedRed);
    } else {
        m_plan = PlanOf(m_sheet);
    }
    lblMessage->setText(notes.join(QLatin1Char('\n')));
    ShowPreview();
    if (patterns.empty())
        return;

    qsizetype pieces = 0;
    for (const SectionPattern &pattern : patterns)
        pieces += static_cast<qsizetype>(pattern.pieceList.size());
    const Bounds metal = PlaceSideBySide(patterns).bounds;
    const QString paper = m_unprintable ? QStringLiteral("not printable")
                                        : QStringLiteral("on %1 of %2 paper")
                                              .arg(Counted(m_plan.pageCount, "page", "pages"),
                                                   QString::fromLatin1(NameOf(m_options->paper)));
    lblSummary->setText(QStringLiteral("%1 %2; sheet metal %3 \u00D7 %4 mm")
                            .arg(Counted(pieces, "piece", "pieces"), paper, Q(FormatFixed(metal.width(), 1)),
                                 Q(FormatFixed(metal.height(), 1))));
    for (const TemplateFormatInfo &format : TemplateFormats())
        m_outputButtons[static_cast<std::size_t>(format.format)]->setEnabled(!format.paged || !m_unprintable);
    m_outputButtons.back()->setEnabled(!m_unprintable);
}

void TemplateForm::ShowPreview() {
    const int row = lstSections->currentRow();
    if (m_source.sections.empty() || !m_options)
        return;
    if (row < 0) {
        picPreview->ShowMessage(QStringLiteral("Select a section to see its template."));
        return;
    }
    const QString name = lstSections->item(row)->text();
    if (lstSections->item(row)->checkState() != Qt::Checked) {
        picPreview->ShowMessage(
            QStringLiteral("%1 is not checked: it is left out of the build sheet and the drawings.")
                .arg(name));
        return;
    }
    if (m_unprintable) {
        picPreview->ShowMessage(Q(m_unprintable->reason));
        return;
    }
    // The section's first piece on its own pages, numbered as the build sheet numbers them.
    for (const PiecePages &pages : m_plan.pieces) {
        if (Q(pages.pattern->section.name) == name) {
            picPreview->ShowPiece(*pages.piece, pages.plan, pages.firstTile());
            return;
        }
    }
    for (const std::string &note : m_sheet.templates.notes)
        if (Q(note).startsWith(name))
            picPreview->ShowMessage(Q(note));
}

void TemplateForm::ShowProblem(const QString &text) {
    lblMessage->setText(text);
    picPreview->ShowMessage(text);
}

void TemplateForm::cmdSavePdf_Click() {
    Save(TemplateFormat::Pdf);
}

void TemplateForm::cmdSaveSvg_Click() {
    Save(TemplateFormat::Svg);
}

void TemplateForm::cmdSaveDxf_Click() {
    Save(TemplateFormat::Dxf);
}

QString TemplateForm::ProposedPath(TemplateFormat format) const {
    // After the design file's name, in the folder the last save went to, else the design's own.
    QString name = QString::fromLatin1(kDefaultBaseName);
    QString folder = m_lastFolder;
    if (!m_designFile.isEmpty() && m_source.design) {
        const QFileInfo design(m_designFile);
        name = design.completeBaseName() + QStringLiteral("-templates");
        if (folder.isEmpty())
            folder = design.absolutePath();
    }
    if (folder.isEmpty())
        folder = GetDocumentsFolder();
    return QDir(folder).filePath(name + QLatin1Char('.') + QLatin1String(InfoOf(format).name));
}

void TemplateForm::Save(TemplateFormat format) {
    const TemplateFormatInfo &file = InfoOf(format);
    const QString title = QString::fromLatin1(file.saveTitle);
    const QString proposed = ProposedPath(format);
    const QString path = m_dialogs.ChooseSavePath(
        this, QString::fromLatin1(file.filter), title, QFileInfo(proposed).fileName(),
        [&file](const QString &chosen) { return WithExtension(chosen, file.name); },
        QFileInfo(proposed).path());
    if (path.isEmpty())
        return;
    const auto write = [&] { return SaveTemplates(format, QFile::encodeName(path), m_sheet); };
    SaveOutcome saved = write();
    if (saved.inPlaceRefused) {
        if (!m_dialogs.ConfirmInPlace(this, title, path, saved.error))
            return;
        const InPlaceConsent agreed;
        saved = write();
    }
    if (saved.saved) {
        m_lastFolder = QFileInfo(path).absolutePath();
        return;
    }
    m_dialogs.ShowSaveFailure(this, title, QStringLiteral("The cutting templates"), path, saved.error,
                              saved.oldFileKept && QFileInfo::exists(path));
}

TemplateSectionTexts TemplateForm::SectionTexts() const {
    TemplateSectionTexts texts;
    for (const TemplateFieldInfo &field : TemplateFields())
        texts.options.*field.text = Box(field.field)->text().toStdString();
    texts.options.paper = static_cast<Paper>(cmbPaper->currentData().toInt());
    texts.options.outsideDiameters = cmbDiameters->currentIndex() == 1;
    texts.bendLayout = cmbBendLayout->currentIndex() == 1 ? "blank" : "pieces";
    // Only the sections the user bends: an angle of 0 leaves one straight.
    for (const auto &[key, bend] : BendTextsTyped())
        if (ReadPlainNumber(bend.angle) != 0.0)
            texts.bends[key] = bend;
    return texts;
}

void TemplateForm::cmdSaveWithDesign_Click() {
    const QString title = QStringLiteral("Save with Design");
    const SaveOutcome saved = WriteTemplateSection(QFile::encodeName(m_designFile), SectionTexts());
    if (!saved.saved)
        m_dialogs.ShowSaveFailure(this, title, QStringLiteral("The template options"), m_designFile,
                                  saved.error, saved.oldFileKept);
}

void TemplateForm::OpenDesign(const QString &path) {
    SetDesignFile(path);
    TemplateSectionTexts texts = SectionTexts();
    texts.bends.clear();
    QString error;
    if (!ReadTemplateSection(QFile::encodeName(path), texts, &error)) {
        lblMessage->setText(error);
        return;
    }
    for (const TemplateFieldInfo &field : TemplateFields())
        SetBoxText(Box(field.field), Q(texts.options.*field.text));
    cmbPaper->setCurrentIndex(cmbPaper->findData(static_cast<int>(texts.options.paper)));
    if (!m_source.design) // a calculation's diameters are inside ones, whatever was saved
        cmbDiameters->setCurrentIndex(texts.options.outsideDiameters ? 1 : 0);
    cmbBendLayout->setCurrentIndex(texts.bendLayout == "blank" ? 1 : 0);
    if (!m_source.design)
        m_pendingBends = texts.bends;
    const QSignalBlocker quiet(tblBends);
    for (int r = 0; r < tblBends->rowCount(); ++r) {
        const auto found = texts.bends.find(tblBends->verticalHeaderItem(r)->text().toStdString());
        SetBendRow(r, found == texts.bends.end() ? BendTexts{} : found->second);
    }
    Refresh();
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
