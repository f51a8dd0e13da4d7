// SPDX-License-Identifier: GPL-3.0-or-later
#include "assembledpipeform.h"

#include "boxbehaviour.h"
#include "controltable.h"
#include "diskfile.h"
#include "filedialogs.h"
#include "lookandfeel.h"
#include "numeric.h"
#include "pattern.h"
#include "pipeview.h"
#include "stlfile.h"
#include "templateoptions.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

namespace quorvane {

namespace {

using K = ControlRow::Kind;

constexpr ControlRow kLayout[] = {
    {K::Label, "lblThickness", "Sheet thickness (mm)", 12, 15, 170, 16},
    {K::Edit, "txtThickness", "1", 200, 10, 96, 25, 0},
    {K::Label, "lblPlan", "Bend plan", 12, 46, 290, 16},
    {K::Picture, "tblBends", "", 12, 64, 290, 210, 1},
    {K::Label, "lblDirections",
     "Direction: where the section turns, about the pipe from its up: 0 up, 90 right, 180 down, 270 left, "
     "looking down the pipe. Angle 0 leaves a section straight; pieces 2 to 24.",
     12, 282, 290, 66},
    {K::Label, "lblFigures", "", 12, 354, 290, 100},
    {K::MultiLine, "txtStatus", "", 12, 462, 290, 158},
    {K::Button, "cmdSaveStl", "Save &STL\u2026", 12, 630, 136, 30, 2},
    {K::Button, "cmdClose", "Close", 166, 630, 136, 30, 3},
    {K::Picture, "picSide", "", 316, 10, 400, 326},
    {K::Picture, "picTop", "", 316, 344, 400, 316},
    {K::Picture, "picOrbit", "", 726, 10, 404, 650},
};

constexpr int kClientWidth = 1140;
constexpr int kClientHeight = 670;
constexpr int kCoarseSegments = 24; // enough to read the shape on screen, quick to turn
constexpr const char *kColumns[] = {"Angle \u00b0", "Pieces", "Direction \u00b0"};
constexpr const char *kDefaults[] = {"0", "4", "0"};
constexpr const char *kNoDesign = "Press Pipe Calc in the main window to design a chamber.";
constexpr const char *kInputsEdited =
    "The inputs have changed since the last Pipe Calc: this is the pipe of that calculation. Press Pipe Calc "
    "to model them.";
const QColor kCautionText(150, 90, 0);
const QColor kRefusalText(170, 0, 0);

} // namespace

AssembledPipeForm::AssembledPipeForm(const DesignState &state, FileDialogs &dialogs)
    : ToolWindow("frmAssembledPipe", QStringLiteral("Assembled Pipe"), kClientWidth, kClientHeight),
      m_state(state), m_dialogs(dialogs) {
    tblBends = new QTableWidget(7, 3);
    tblBends->setObjectName(QStringLiteral("tblBends"));
    picSide = new PipeView(PipeView::Look::Side, QStringLiteral("Side (port on the left)"));
    picSide->setObjectName(QStringLiteral("picSide"));
    picTop = new PipeView(PipeView::Look::Top, QStringLiteral("Top"));
    picTop->setObjectName(QStringLiteral("picTop"));
    picOrbit = new PipeView(PipeView::Look::Orbit, QStringLiteral("Orbit: drag to turn"));
    picOrbit->setObjectName(QStringLiteral("picOrbit"));
    const auto controls = BuildControls(this, kLayout, {tblBends, picSide, picTop, picOrbit});
    txtThickness = Control<QLineEdit>(controls, "txtThickness");
    lblFigures = Control<QLabel>(controls, "lblFigures");
    txtStatus = Control<QPlainTextEdit>(controls, "txtStatus");
    // Many cautions scroll rather than run under the buttons.
    txtStatus->setReadOnly(true);
    txtStatus->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    txtStatus->setFocusPolicy(Qt::NoFocus);
    cmdSaveStl = Control<QPushButton>(controls, "cmdSaveStl");
    for (QLabel *label : {Control<QLabel>(controls, "lblDirections"), lblFigures}) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    SelectAllOnFocus(txtThickness);

    for (int c = 0; c < 3; ++c)
        tblBends->setHorizontalHeaderItem(c, new QTableWidgetItem(QString::fromUtf8(kColumns[c])));
    tblBends->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblBends->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int r = 0; r < 7; ++r) {
        tblBends->setVerticalHeaderItem(r, new QTableWidgetItem(QStringLiteral("L%1").arg(r + 1)));
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem(QString::fromLatin1(kDefaults[c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tblBends->setItem(r, c, item);
        }
    }

    connect(txtThickness, &QLineEdit::textChanged, this, &AssembledPipeForm::Rebuild);
    connect(tblBends, &QTableWidget::cellChanged, this, &AssembledPipeForm::Rebuild);
    connect(cmdSaveStl, &QPushButton::clicked, this, &AssembledPipeForm::cmdSaveStl_Click);
    connect(Control<QPushButton>(controls, "cmdClose"), &QPushButton::clicked, this, &QWidget::close);
    DesignCalculated();
}

AssembledPipeForm::~AssembledPipeForm() {
    // A cell being edited commits as the table goes, after this window's own parts have gone.
    tblBends->disconnect(this);
    txtThickness->disconnect(this);
}

void AssembledPipeForm::TakePlan(const QString &thickness, const std::map<std::string, BendTexts> &plan) {
    {
        const QSignalBlocker quietBox(txtThickness), quietTable(tblBends);
        txtThickness->setText(thickness);
        for (int r = 0; r < tblBends->rowCount(); ++r) {
            const auto bend = plan.find(QStringLiteral("L%1").arg(r + 1).toStdString());
            const BendTexts texts =
                bend == plan.end() ? BendTexts{"0", kDefaults[1], kDefaults[2]} : bend->second;
            const std::string *cells[] = {&texts.angle, &texts.pieces, &texts.direction};
            for (int c = 0; c < 3; ++c)
                tblBends->item(r, c)->setText(QString::fromStdString(*cells[c]));
        }
    }
    Rebuild();
}

void AssembledPipeForm::DesignEdited() {
    if (m_inputsEdited || m_sections.empty())
        return;
    m_inputsEdited = true;
    Rebuild();
}

void AssembledPipeForm::DesignCalculated() {
    m_inputsEdited = false;
    m_sections.clear();
    if (m_state.pipeCalculated) {
        m_sections = InFlowOrder(ChamberSections(m_state.inputs, m_state.result));
        // The rows name the sections the plan bends.
        for (int r = 0; r < int(m_sections.size()) && r < tblBends->rowCount(); ++r)
            tblBends->verticalHeaderItem(r)->setText(QString::fromStdString(m_sections[r].name));
    }
    Rebuild();
}

std::map<std::string, BendTexts> AssembledPipeForm::PlanTexts() const {
    std::map<std::string, BendTexts> plan;
    for (int r = 0; r < tblBends->rowCount(); ++r)
        plan[QStringLiteral("L%1").arg(r + 1).toStdString()] = {tblBends->item(r, 0)->text().toStdString(),
                                                                tblBends->item(r, 1)->text().toStdString(),
                                                                tblBends->item(r, 2)->text().toStdString()};
    return plan;
}

void AssembledPipeForm::ClearMarks() {
    const QSignalBlocker quiet(tblBends);
    SetBackground(txtThickness, Qt::white);
    for (int r = 0; r < tblBends->rowCount(); ++r)
        for (int c = 0; c < tblBends->columnCount(); ++c)
            tblBends->item(r, c)->setBackground(QBrush());
}

void AssembledPipeForm::ShowRefusal(const QString &reason, QWidget *box, int row, int column) {
    m_pipe.reset();
    if (box)
        SetBackground(box, kRejectedRed);
    if (row >= 0) {
        const QSignalBlocker quiet(tblBends);
        tblBends->item(row, column)->setBackground(kRejectedRed);
    }
    lblFigures->clear();
    ShowStatus(reason, kRefusalText);
    for (PipeView *view : {picSide, picTop, picOrbit})
        view->setMessage(reason);
    cmdSaveStl->setEnabled(false);
}

void AssembledPipeForm::ShowStatus(const QString &text, const QColor &colour) {
    QPalette palette = txtStatus->palette();
    palette.setColor(QPalette::Text, colour);
    txtStatus->setPalette(palette);
    txtStatus->setPlainText(text);
}

void AssembledPipeForm::Rebuild() {
    ClearMarks();
    if (m_sections.empty())
        return ShowRefusal(QString::fromLatin1(kNoDesign), nullptr);
    const std::optional<double> thickness = ReadPlainNumber(txtThickness->text().toStdString());
    if (!thickness || *thickness <= 0 || *thickness > kThickestSheet)
        return ShowRefusal(
            QStringLiteral("The sheet thickness must be a plain number more than 0 and at most %1 mm.")
                .arg(kThickestSheet),
            txtThickness);
    std::vector<PipeSection> sections = m_sections;
    std::vector<BendWarning> warnings;
    if (const auto refusal = ApplyBendPlan(sections, PlanTexts(), *thickness, &warnings)) {
        int row = 0;
        while (row < int(sections.size()) && sections[row].name != refusal->section)
            ++row;
        return ShowRefusal(QString::fromStdString(refusal->reason), nullptr, row,
                           static_cast<int>(refusal->field));
    }
    try {
        m_pipe = AssemblePipe(sections, {*thickness});
        auto drawing = std::make_shared<PipeDrawing>();
        drawing->skin = OutsideMesh(*m_pipe, kCoarseSegments);
        drawing->centreline = m_pipe->centreline;
        drawing->exit = m_pipe->exit;
        for (PipeView *view : {picSide, picTop, picOrbit})
            view->setDrawing(drawing);
    } catch (const ArithmeticFailure &failure) {
        return ShowRefusal(QString::fromUtf8(failure.what()), nullptr);
    }
    m_thickness = *thickness;
    lblFigures->setText(QString::fromStdString(PipeFigures(*m_pipe)).trimmed());
    QStringList notes;
    if (m_inputsEdited)
        notes << QString::fromLatin1(kInputsEdited);
    for (const BendWarning &w : warnings)
        notes << QString::fromStdString(w.text);
    ShowStatus(notes.join(QStringLiteral("\n")), kCautionText);
    cmdSaveStl->setEnabled(true);
}

void AssembledPipeForm::cmdSaveStl_Click() {
    if (!m_pipe)
        return;
    const QString title = QStringLiteral("Save STL");
    const QString path = m_dialogs.ChooseSavePath(
        this, QStringLiteral("STL Model (*.stl)|*.stl"), title, QStringLiteral("pipe.stl"),
        [](const QString &chosen) {
            return QFileInfo(chosen).suffix().compare(QLatin1String("stl"), Qt::CaseInsensitive) == 0
                       ? chosen
                       : chosen + QStringLiteral(".stl");
        });
    if (path.isEmpty())
        return;
    SaveOutcome saved;
    try {
        const Mesh mesh = PipeMesh(*m_pipe);
        if (const auto refusal = StlRefusal(mesh))
            saved.error = QString::fromStdString(*refusal);
        else
            saved = SaveFileSafely(QFile::encodeName(path), QByteArray::fromStdString(StlBytes(mesh)));
    } catch (const ArithmeticFailure &failure) {
        saved.error = QString::fromUtf8(failure.what());
    }
    if (!saved.saved)
        m_dialogs.ShowSaveFailure(this, title, QStringLiteral("The pipe model"), path, saved.error,
                                  saved.oldFileKept && QFileInfo::exists(path));
}

} // namespace quorvane
