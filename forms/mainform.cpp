// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainform.h"

#include "assembledpipeform.h"

#include "appidentity.h"
#include "boxbehaviour.h"
#include "chamber.h"
#include "chambertexts.h"
#include "controltable.h"
#include "filedialogs.h"
#include "helptexts.h"
#include "inputcalcform.h"
#include "lookandfeel.h"
#include "numeric.h"
#include "pipepicture.h"
#include "pipevaluesfile.h"
#include "plotform.h"
#include "portareaform.h"
#include "quorvane_version.h"
#include "templateform.h"
#include "tooltip.h"
#include "tubecalcform.h"
#include "weblinks.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

namespace quorvane {

namespace {

using K = ControlRow::Kind;

// The client area keeps this size; nothing in it moves when the window's frame changes.
constexpr QSize kClientSize(891, 540);

// x, y, width, height in pixels of the client area; labels sit 16 pixels above their box.
// The design inputs' captions and initial texts come from PipeFields().
constexpr ControlRow kLayout[] = {
    {K::Label, "Label16", "", 32, 16, 130, 16},
    {K::Edit, "txtPTExh", "", 32, 32, 49, 25, 0},
    {K::Label, "Label1", "", 32, 72, 130, 16},
    {K::Edit, "txtRPM", "", 32, 88, 81, 25, 1},
    {K::Label, "Label4", "", 32, 136, 130, 16},
    {K::Edit, "txtTemp", "", 32, 152, 49, 25, 2},
    {K::Label, "Label2", "", 32, 200, 50, 16},
    {K::Edit, "txtHeats", "", 32, 216, 41, 25, 3},
    {K::Label, "Label3", "", 88, 200, 50, 16},
    {K::Edit, "txtGasConst", "", 88, 216, 41, 25, 4},
    {K::Label, "Label33", "", 168, 16, 150, 16},
    {K::Edit, "txtPipeExDiam", "", 168, 32, 49, 25, 5},
    {K::Label, "Label37", "", 168, 72, 150, 16},
    {K::Edit, "txtPipeExLength", "", 168, 88, 49, 25, 6},
    {K::Label, "Label38", "", 168, 128, 150, 16},
    {K::Edit, "txtPipeExDiamOut", "", 168, 144, 49, 25, 7},
    {K::Check, "chkHeader", "Straight Header", 160, 184, 121, 25, 8},
    {K::Button, "cmdPipeCalc", "Pipe Calc", 160, 216, 97, 49, 13},
    {K::Label, "Label34", "", 328, 16, 125, 16},
    {K::Edit, "txtPipePtoPratio", "", 328, 32, 49, 25, 9},
    {K::Label, "Label35", "", 328, 72, 125, 16},
    {K::Edit, "txtPipePtoMratio", "", 328, 88, 49, 25, 10},
    {K::Label, "Label36", "", 328, 128, 125, 16},
    {K::Edit, "txtPipeptoOutRatio", "", 328, 144, 49, 25, 11},
    {K::Label, "Label39", "", 328, 184, 125, 16},
    {K::Edit, "txtPipeHornRatio", "", 328, 200, 49, 25, 12},
    {K::Button, "cmdPlot", "Plot Flat Cones", 320, 232, 113, 33, 17},
    {K::Label, "Label5", "Cone Diameters (ID)", 456, 16, 134, 16},
    {K::MultiLine, "txtPipeDim1", "", 456, 32, 113, 145, 14},
    {K::Label, "Label6", "Cone Lengths", 592, 16, 134, 16},
    {K::MultiLine, "txtPipeDim2", "", 592, 32, 113, 145, 15},
    {K::Label, "Label7", "Cone Angles (Degree)", 728, 16, 150, 16},
    {K::MultiLine, "txtPipeDim3", "", 728, 32, 113, 145, 16},
    {K::Label, "lblTLen", "Tuned Length mm", 456, 192, 130, 16},
    {K::Edit, "txtTunedLength", "", 456, 208, 65, 25, 38},
    {K::MultiLineScroll, "txtWarn", "", 592, 184, 249, 81, 39},
    {K::Picture, "picPipe", "", 24, 288, 841, 185, 25},
    {K::Button, "cmdGotoSite", "Check for Updates", 24, 496, 137, 33, 35},
    {K::Button, "cmdYThelp", "YouTube Video", 168, 496, 137, 33, 36},
    {K::Button, "cmdClose", "Close", 728, 496, 137, 33, 34},
};

// Each design input's box and the label above it, in PipeField order.
struct PipeControls {
    const char *box;
    const char *label;
};
constexpr std::array<PipeControls, kPipeFieldCount> kPipeControls{{
    {"txtPTExh", "Label16"},
    {"txtRPM", "Label1"},
    {"txtTemp", "Label4"},
    {"txtHeats", "Label2"},
    {"txtGasConst", "Label3"},
    {"txtPipeExDiam", "Label33"},
    {"txtPipeExLength", "Label37"},
    {"txtPipeExDiamOut", "Label38"},
    {"txtPipePtoPratio", "Label34"},
    {"txtPipePtoMratio", "Label35"},
    {"txtPipeptoOutRatio", "Label36"},
    {"txtPipeHornRatio", "Label39"},
}};
static_assert(EveryFieldNamed(kPipeControls, &PipeControls::box) &&
              EveryFieldNamed(kPipeControls, &PipeControls::label));

constexpr const char *kPipeFilter = "Saved Pipe Values (*.txt)|*.txt";
constexpr const char *kDefaultPipeName = "MyPipe.txt";
constexpr const char *kSaveTitle = "Save Pipe Values";
constexpr const char *kOpenTitle = "Open Saved Pipe Values";

} // namespace

MainForm::MainForm(std::unique_ptr<FileDialogs> dialogs)
    : m_dialogs(dialogs ? std::move(dialogs) : std::make_unique<FileDialogs>()) {
    setObjectName(QStringLiteral("mainForm"));
    auto *client = new QWidget(this);
    client->setFixedSize(kClientSize);
    client->setFont(ControlFont());
    setCentralWidget(client);

    picPipe = new PipePicture;
    picPipe->setObjectName(QStringLiteral("picPipe"));
    const auto controls = BuildControls(client, kLayout, {picPipe});
    for (std::size_t i = 0; i < kPipeFieldCount; ++i) {
        const auto field = static_cast<PipeField>(i);
        QLineEdit *box = Control<QLineEdit>(controls, kPipeControls[i].box);
        Control<QLabel>(controls, kPipeControls[i].label)->setText(QString::fromUtf8(PipeFields()[i].label));
        SetBoxText(box, QString::fromUtf8(PipeFields()[i].initialText));
        m_boxes[i] = box;
        SelectAllOnFocus(box);
        connect(box, &QLineEdit::textChanged, this, [this, field] { PipeBox_Change(field); });
        connect(box, &QLineEdit::textChanged, this, &MainForm::inputsEdited);
    }
    chkHeader = Control<QCheckBox>(controls, "chkHeader");
    connect(chkHeader, &QCheckBox::toggled, this, &MainForm::inputsEdited);
    cmdPipeCalc = Control<QPushButton>(controls, "cmdPipeCalc");
    cmdPlot = Control<QPushButton>(controls, "cmdPlot");
    txtPipeDim1 = Control<QPlainTextEdit>(controls, "txtPipeDim1");
    txtPipeDim2 = Control<QPlainTextEdit>(controls, "txtPipeDim2");
    txtPipeDim3 = Control<QPlainTextEdit>(controls, "txtPipeDim3");
    txtTunedLength = Control<QLineEdit>(controls, "txtTunedLength");
    txtWarn = Control<QPlainTextEdit>(controls, "txtWarn");
    for (QPlainTextEdit *box : {txtPipeDim1, txtPipeDim2, txtPipeDim3, txtWarn})
        box->setLineWrapMode(box == txtWarn ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);

    connect(cmdPipeCalc, &QPushButton::clicked, this, &MainForm::cmdPipeCalc_Click);
    connect(cmdPlot, &QPushButton::clicked, this, &MainForm::cmdPlot_Click);
    connect(Control<QPushButton>(controls, "cmdClose"), &QPushButton::clicked, this, &QWidget::close);
    connect(Control<QPushButton>(controls, "cmdGotoSite"), &QPushButton::clicked, this, &OpenWebSite);
    connect(Control<QPushButton>(controls, "cmdYThelp"), &QPushButton::clicked, this, &OpenVideoHelp);
    BuildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // Load: the title first; a second launch finds the running copy by it.
    setWindowTitle(
        QStringLiteral("Quorvane (v%1.%2.%3)").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionPatch));
    auto plot = std::make_unique<PlotForm>(m_state);
    auto portArea = std::make_unique<PortAreaForm>();
    auto inputCalc = std::make_unique<InputCalcForm>();
    auto tubeCalc = std::make_unique<TubeCalcForm>();
    auto templates = std::make_unique<TemplateForm>(*m_dialogs);
    m_plot = plot.get();
    m_portArea = portArea.get();
    m_inputCalc = inputCalc.get();
    m_tubeCalc = tubeCalc.get();
    m_templates = templates.get();
    m_toolWindows.push_back(std::move(plot));
    m_toolWindows.push_back(std::move(portArea));
    m_toolWindows.push_back(std::move(inputCalc));
    m_toolWindows.push_back(std::move(tubeCalc));
    m_toolWindows.push_back(std::move(templates));
    connect(m_plot, &PlotForm::templatesRequested, m_templates,
            [this](const TemplateSource &source, const QString &thickness) {
                m_templates->ShowFor(source, thickness);
            });
    SetupToolTips();
    Box(PipeField::Timing)->setFocus();
}

MainForm::~MainForm() = default;

void MainForm::BuildMenus() {
    QMenu *mnuFile = menuBar()->addMenu(QStringLiteral("File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    const char *fileItems[] = {"&Open Pipe", "&Save Pipe"};
    for (int i = 0; i < int(std::size(fileItems)); ++i) {
        QAction *item =
            mnuFile->addAction(QString::fromLatin1(fileItems[i]), this, [this, i] { mnuFileType_Click(i); });
        item->setObjectName(QStringLiteral("mnuFileType(%1)").arg(i));
    }
    mnuFile->addAction(QStringLiteral("Cutting &Templates\u2026"), this, &MainForm::mnuFileTemplates_Click)
        ->setObjectName(QStringLiteral("mnuFileTemplates"));
    QMenu *mnuTools = menuBar()->addMenu(QStringLiteral("Tools"));
    mnuTools->setObjectName(QStringLiteral("mnuTools"));
    const char *toolItems[] = {"&Port Calculators", "&Input Value Calculators", "&Cone Calculators"};
    for (int i = 0; i < int(std::size(toolItems)); ++i) {
        QAction *item =
            mnuTools->addAction(QString::fromLatin1(toolItems[i]), this, [this, i] { mnuTools1_Click(i); });
        item->setObjectName(QStringLiteral("mnuTools1(%1)").arg(i));
    }
    mnuTools->addAction(QStringLiteral("&Assembled Pipe"), this, &MainForm::mnuToolsAssembledPipe_Click)
        ->setObjectName(QStringLiteral("mnuToolsAssembledPipe"));
    QMenu *mnuHelp = menuBar()->addMenu(QStringLiteral("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelp->addAction(QStringLiteral("&About Quorvane"), this, &MainForm::mnuHelpAbout_Click)
        ->setObjectName(QStringLiteral("mnuHelpAbout"));
}

void MainForm::mnuHelpAbout_Click() {
    m_dialogs->ShowAbout(this, QStringLiteral("About Quorvane"), AboutText());
}

PipeTexts MainForm::BoxTexts() const {
    PipeTexts texts;
    for (std::size_t i = 0; i < kPipeFieldCount; ++i)
        texts[i] = m_boxes[i]->text().toStdString();
    return texts;
}

void MainForm::PipeBox_Change(PipeField field) {
    QLineEdit *box = Box(field);
    const std::string text = box->text().toStdString();
    const BoxColour colour = field == PipeField::PortLength ? PortLengthColour(text, m_lastTunedLength)
                                                            : AdvisoryColour(field, text);
    // The normal colour is the picture's background, taken afresh each time.
    SetBackground(box, colour == BoxColour::Advisory ? kAdvisoryYellow : Background(picPipe));
}

void MainForm::cmdPipeCalc_Click() {
    if (const std::optional<PipeField> failing = ValidatePipeInputs(BoxTexts())) {
        QLineEdit *box = Box(*failing);
        box->setFocus();
        SetBackground(box, kRejectedRed);
        return;
    }
    CalculatePipe();
}

void MainForm::CalculatePipe() {
    m_state.pipeCalculated = false;
    PipeInputs inputs;
    PipeResult result;
    try {
        inputs = ParsePipeInputs(BoxTexts(), chkHeader->isChecked());
        result = ComputeChamber(inputs);
    } catch (const ArithmeticFailure &failure) {
        ShowCalculationFailure(QString::fromUtf8(failure.what()));
        return;
    }
    DrawPipe(inputs, result);
    m_lastTunedLength = result.tunedLength;
    txtWarn->clear();
    if (result.portLengthFlagged)
        SetBackground(Box(PipeField::PortLength), kAdvisoryYellow);
    const ChamberTexts texts = FormatChamber(result);
    txtPipeDim1->setPlainText(QString::fromStdString(texts.diameters));
    txtPipeDim2->setPlainText(QString::fromStdString(texts.lengths));
    txtPipeDim3->setPlainText(QString::fromStdString(texts.angles));
    SetBoxText(txtTunedLength, QString::fromStdString(texts.tunedLength));
    txtWarn->setPlainText(QString::fromStdString(result.warningText));
    m_state.coneList = ConeListOf(result);
    m_state.inputTexts = BoxTexts();
    m_state.inputs = inputs;
    m_state.result = result;
    m_state.pipeCalculated = true;
    emit designCalculated();
}

void MainForm::DrawPipe(const PipeInputs &inputs, const PipeResult &result) {
    const QSize area = picPipe->innerSize();
    try {
        picPipe->setOutline(BuildPipeOutline(area.width(), area.height(), inputs.portWindowD,
                                             inputs.portFlangeD, inputs.portLength, result.D, result.L));
    } catch (const ArithmeticFailure &) {
        picPipe->setOutline(std::nullopt); // the numbers stand without their drawing
    }
}

void MainForm::ShowCalculationFailure(const QString &reason) {
    // No number of an earlier design may stand beside inputs it does not belong to.
    for (QPlainTextEdit *box : {txtPipeDim1, txtPipeDim2, txtPipeDim3})
        box->clear();
    txtTunedLength->clear();
    picPipe->setOutline(std::nullopt);
    m_state.coneList = ConeList{};
    txtWarn->setPlainText(reason);
}

void MainForm::cmdPlot_Click() {
    m_plot->ShowInFront();
    if (m_state.pipeCalculated)
        m_plot->EnableBatch();
}

void MainForm::mnuTools1_Click(int index) {
    ToolWindow *windows[] = {m_portArea, m_inputCalc, m_tubeCalc};
    if (index >= 0 && index < int(std::size(windows)))
        windows[index]->ShowInFront();
}

void MainForm::mnuToolsAssembledPipe_Click() {
    if (!m_assembledPipe) {
        auto window = std::make_unique<AssembledPipeForm>(m_state, *m_dialogs);
        m_assembledPipe = window.get();
        connect(this, &MainForm::designCalculated, m_assembledPipe, &AssembledPipeForm::FollowDesign);
        connect(this, &MainForm::inputsEdited, m_assembledPipe, &AssembledPipeForm::NoteInputsEdited);
        m_toolWindows.push_back(std::move(window));
    }
    m_assembledPipe->ShowInFront();
}

void MainForm::mnuFileTemplates_Click() {
    m_templates->ShowFor(LastCalculation(m_state));
}

void MainForm::mnuFileType_Click(int index) {
    if (index == 0)
        OpenPipe();
    else if (index == 1)
        SavePipe();
}

void MainForm::SavePipe() {
    const QString path =
        m_dialogs->ChooseSavePath(this, QString::fromLatin1(kPipeFilter), QString::fromLatin1(kSaveTitle),
                                  QString::fromLatin1(kDefaultPipeName), WithPipeExtension);
    if (path.isEmpty())
        return;
    PipeValueTexts texts;
    for (std::size_t i = 0; i < kPipeFieldCount; ++i)
        texts[i] = m_boxes[i]->text();
    const PipeValuesSave saved = WritePipeValues(QFile::encodeName(path), texts);
    if (saved.saved)
        return;
    QString reason = saved.error;
    if (saved.refusedText) {
        const QString caption = QString::fromUtf8(FieldInfo(*saved.refusedText).label).trimmed();
        reason = QStringLiteral("The box \u201C%1\u201D %2.").arg(caption, saved.error);
    }
    m_dialogs->ShowSaveFailure(this, QString::fromLatin1(kSaveTitle), QStringLiteral("The pipe values"), path,
                               reason, saved.oldFileKept);
}

void MainForm::OpenPipe() {
    const QString path = m_dialogs->ShowOpenDialog(this, QString::fromLatin1(kPipeFilter),
                                                   QString::fromLatin1(kOpenTitle), GetDocumentsFolder());
    if (path.isEmpty())
        return;
    QString error;
    const std::optional<PipeValueReadings> values = ReadPipeValues(QFile::encodeName(path), &error);
    if (!values) {
        m_dialogs->ShowError(this, QString::fromLatin1(kOpenTitle),
                             QStringLiteral("The pipe values could not be read from %1.\n\n%2")
                                 .arg(QDir::toNativeSeparators(path), error));
        return;
    }
    for (std::size_t i = 0; i < kPipeFieldCount; ++i) {
        if (!(*values)[i])
            continue;
        SetBoxText(m_boxes[i], *(*values)[i]);
        PipeBox_Change(static_cast<PipeField>(i)); // also when the text was already there
    }
}

// A row naming no control is a slip in the table: the tip would go missing unseen.
QWidget *MainForm::HelpControl(const HelpTip &tip) const {
    const QWidget *windows[] = {this, m_plot, m_portArea, m_inputCalc, m_tubeCalc};
    for (const QWidget *window : windows) {
        if (window->objectName() != QLatin1String(tip.window))
            continue;
        if (auto *control = window->findChild<QWidget *>(QString::fromLatin1(tip.control)))
            return control;
    }
    qFatal("No control %s in %s for its help tip", tip.control, tip.window);
}

void MainForm::SetupToolTips() {
    m_toolTips = std::make_unique<clsTooltip>();
    for (const HelpTip &tip : HelpTips()) {
        m_toolTips->AddTool(HelpControl(tip), QString::fromUtf8(tip.text), std::nullopt, std::nullopt,
                            /*balloon*/ false, QString::fromUtf8(tip.title), kInformationIcon,
                            kExpandFromCentre, /*margin*/ 0, /*centered*/ false, /*transparent*/ true,
                            kTextLeft, tip.width);
    }
    m_toolTipsAttached = true;
}

void MainForm::RemoveToolTips() {
    for (const HelpTip &tip : HelpTips())
        m_toolTips->RemoveTool(HelpControl(tip));
}

void MainForm::ReleaseToolTips() {
    if (m_toolTipsAttached && m_toolTips)
        RemoveToolTips();
    m_toolTips.reset();
}

void MainForm::closeEvent(QCloseEvent *event) {
    ReleaseToolTips();
    for (auto it = m_toolWindows.rbegin(); it != m_toolWindows.rend(); ++it)
        (*it)->CloseForGood();
    const QWidgetList others = QApplication::topLevelWidgets();
    for (QWidget *w : others)
        if (w != this && w->isVisible())
            w->close();
    event->accept();
}

} // namespace quorvane
