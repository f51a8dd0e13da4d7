// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainform.h"

#include "assembledpipeform.h"

#include "appidentity.h"
#include "boxbehaviour.h"
#include "carryresults.h"
#include "chamber.h"
#include "chambertexts.h"
#include "controltable.h"
#include "diskfile.h"
#include "filedialogs.h"
#include "helptexts.h"
#include "helpwindow.h"
#include "inputcalcform.h"
#include "keyboard.h"
#include "latewindows.h"
#include "lookandfeel.h"
#include "numeric.h"
#include "pipepicture.h"
#include "pipevaluesfile.h"
#include "plotform.h"
#include "portareaform.h"
#include "quorvane_version.h"
#include "templateform.h"
#include "tooltip.h"
#include "toolwindow.h"
#include "tubecalcform.h"
#include "weblinks.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
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
    {K::Label, "Label5", kResultCaptions[0], 456, 16, 134, 16},
    {K::MultiLine, "txtPipeDim1", "", 456, 32, 113, 145, 14},
    {K::Label, "Label6", kResultCaptions[1], 592, 16, 134, 16},
    {K::MultiLine, "txtPipeDim2", "", 592, 32, 113, 145, 15},
    {K::Label, "Label7", kResultCaptions[2], 728, 16, 150, 16},
    {K::MultiLine, "txtPipeDim3", "", 728, 32, 113, 145, 16},
    {K::Label, "lblTLen", kResultCaptions[3], 456, 192, 130, 16},
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
    PressButtonOnEnter(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // Load: the title first; a second launch finds the running copy by it.
    setWindowTitle(
        QStringLiteral("Quorvane (v%1.%2.%3)").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionPatch));
    SetupToolTips();
    Box(PipeField::Timing)->setFocus();
}

MainForm::~MainForm() = default;

template <class Window> Window *MainForm::Adopt(Window *&slot, std::unique_ptr<Window> window) {
    slot = window.get();
    const QString name = window->objectName();
    connect(window.get(), &ToolWindow::helpRequested, this, [this, name] { ShowHelp(HelpPageFor(name)); });
    connect(this, &MainForm::designCalculated, window.get(), &ToolWindow::DesignCalculated);
    connect(this, &MainForm::inputsEdited, window.get(), &ToolWindow::DesignEdited);
    PressButtonOnEnter(window.get());
    OfferResultsToDesign(window.get(),
                         [this](PipeField field, const QString &text) { UseInDesign(field, text); });
    m_toolWindows.push_back(std::move(window));
    if (m_toolTipsAttached && m_toolTips) // none once the main window has begun closing
        AttachToolTips(slot);
    return slot;
}

template <class Window, class... Args> Window *MainForm::Built(Window *&slot, Args &&...args) {
    return slot ? slot : Adopt(slot, std::make_unique<Window>(std::forward<Args>(args)...));
}

PlotForm *MainForm::plotForm() {
    if (m_plot)
        return m_plot;
    Built(m_plot, m_state);
    connect(m_plot, &PlotForm::templatesRequested, this,
            [this](const TemplateSource &source, const QString &thickness) {
                templateForm()->ShowFor(source, thickness);
            });
    return m_plot;
}

PortAreaForm *MainForm::portAreaForm() {
    return Built(m_portArea);
}

InputCalcForm *MainForm::inputCalcForm() {
    return Built(m_inputCalc);
}

TubeCalcForm *MainForm::tubeCalcForm() {
    return Built(m_tubeCalc);
}

TemplateForm *MainForm::templateForm() {
    if (m_templates)
        return m_templates;
    Built(m_templates, *m_dialogs);
    m_templates->SetDesignFile(m_designFile);
    // The templates follow the design: each calculation, and each edit that
    // leaves the inputs other than the calculation's.
    connect(this, &MainForm::designCalculated, m_templates,
            [this] { m_templates->Follow(LastCalculation(m_state)); });
    connect(this, &MainForm::inputsEdited, m_templates,
            [this] { m_templates->SetInputsChanged(!InputsAreCalculated()); });
    connect(m_templates, &TemplateForm::assembledPipeRequested, this,
            [this](const QString &thickness, const std::map<std::string, BendTexts> &plan) {
                assembledPipeForm()->TakePlan(thickness, plan);
                assembledPipeForm()->ShowInFront();
            });
    return m_templates;
}

void MainForm::SetDesignFile(const QString &path) {
    m_designFile = path;
    if (m_templates)
        m_templates->SetDesignFile(path);
}

HelpWindow *MainForm::helpWindow() {
    return Built(m_help);
}

void MainForm::ShowHelp(const QString &page) {
    HelpWindow *help = helpWindow();
    help->ShowPage(page);
    help->ShowInFront();
}

void MainForm::UseInDesign(PipeField field, const QString &text) {
    SetBoxText(Box(field), text);
}

void MainForm::BuildMenus() {
    // Each menu and item has its Alt letter; the bar still reads File, Tools, Help.
    QMenu *mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    const char *fileItems[] = {"&Open Pipe", "&Save Pipe"};
    const QKeySequence fileKeys[] = {QKeySequence(Qt::CTRL | Qt::Key_O), QKeySequence(Qt::CTRL | Qt::Key_S)};
    for (int i = 0; i < int(std::size(fileItems)); ++i) {
        QAction *item =
            mnuFile->addAction(QString::fromLatin1(fileItems[i]), this, [this, i] { mnuFileType_Click(i); });
        item->setObjectName(QStringLiteral("mnuFileType(%1)").arg(i));
        item->setShortcut(fileKeys[i]);
    }
    QAction *templates = mnuFile->addAction(QStringLiteral("Cutting &Templates\u2026"), this,
                                            &MainForm::mnuFileTemplates_Click);
    templates->setObjectName(QStringLiteral("mnuFileTemplates"));
    templates->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    mnuFile->addSeparator();
    QAction *quit = mnuFile->addAction(QStringLiteral("&Quit"), this, &QWidget::close);
    quit->setObjectName(QStringLiteral("mnuFileQuit"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QMenu *mnuTools = menuBar()->addMenu(QStringLiteral("&Tools"));
    mnuTools->setObjectName(QStringLiteral("mnuTools"));
    const char *toolItems[] = {"&Port Calculators", "&Input Value Calculators", "&Cone Calculators"};
    for (int i = 0; i < int(std::size(toolItems)); ++i) {
        QAction *item =
            mnuTools->addAction(QString::fromLatin1(toolItems[i]), this, [this, i] { mnuTools1_Click(i); });
        item->setObjectName(QStringLiteral("mnuTools1(%1)").arg(i));
    }
    mnuTools->addAction(QStringLiteral("&Wave Timing"), this, &MainForm::mnuToolsWaveTiming_Click)
        ->setObjectName(QStringLiteral("mnuToolsWaveTiming"));
    mnuTools->addAction(QStringLiteral("&Assembled Pipe"), this, &MainForm::mnuToolsAssembledPipe_Click)
        ->setObjectName(QStringLiteral("mnuToolsAssembledPipe"));
    QMenu *mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    QAction *manual = mnuHelp->addAction(QStringLiteral("Quorvane &Help"), this,
                                         [this] { ShowHelp(HelpPageFor(QString())); });
    manual->setObjectName(QStringLiteral("mnuHelpContents"));
    manual->setShortcut(QKeySequence(Qt::Key_F1));
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
    m_state.calculatedAt = QDateTime::currentDateTime();
    m_state.pipeCalculated = true;
    emit designCalculated();
}

bool MainForm::InputsAreCalculated() const {
    return m_state.pipeCalculated && BoxTexts() == m_state.inputTexts &&
           chkHeader->isChecked() == m_state.inputs.straightHeader;
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
    plotForm()->ShowInFront();
    if (m_state.pipeCalculated)
        m_plot->EnableBatch();
}

void MainForm::mnuTools1_Click(int index) {
    if (index == 0)
        portAreaForm()->ShowInFront();
    else if (index == 1)
        inputCalcForm()->ShowInFront();
    else if (index == 2)
        tubeCalcForm()->ShowInFront();
}

ToolWindow *MainForm::waveTimingForm() {
    if (m_waveTiming)
        return m_waveTiming;
    QString why;
    const LateWindowMakers *late = LateWindows(why);
    return late ? Adopt(m_waveTiming, std::unique_ptr<ToolWindow>(late->waveTiming(m_state, *m_dialogs)))
                : nullptr;
}

void MainForm::mnuToolsWaveTiming_Click() {
    if (ToolWindow *window = waveTimingForm()) {
        window->ShowInFront();
        return;
    }
    QString why;
    LateWindows(why);
    m_dialogs->ShowError(this, QStringLiteral("Wave Timing"),
                         QStringLiteral("The Wave Timing window cannot be opened.\n\n%1").arg(why));
}

AssembledPipeForm *MainForm::assembledPipeForm() {
    return Built(m_assembledPipe, m_state, *m_dialogs);
}

void MainForm::mnuToolsAssembledPipe_Click() {
    assembledPipeForm()->ShowInFront();
}

void MainForm::mnuFileTemplates_Click() {
    templateForm()->ShowFor(LastCalculation(m_state));
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
    PipeValuesSave saved = WritePipeValues(QFile::encodeName(path), texts);
    if (saved.inPlaceRefused) {
        if (!m_dialogs->ConfirmInPlace(this, QString::fromLatin1(kSaveTitle), path, saved.error))
            return;
        const InPlaceConsent agreed;
        saved = WritePipeValues(QFile::encodeName(path), texts);
    }
    if (saved.saved) {
        SetDesignFile(path);
        return;
    }
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
    SetDesignFile(path);
    templateForm()->OpenDesign(path); // with the template options saved beside the design
}

// A row naming no control of a built window is a slip in the table: the tip
// would go missing unseen.
QWidget *MainForm::HelpControl(const HelpTip &tip) const {
    const QWidget *windows[] = {this,       m_plot,      m_portArea,   m_inputCalc,
                                m_tubeCalc, m_templates, m_waveTiming, m_assembledPipe};
    for (const QWidget *window : windows) {
        if (!window || window->objectName() != QLatin1String(tip.window))
            continue;
        if (auto *control = window->findChild<QWidget *>(QString::fromLatin1(tip.control)))
            return control;
        qFatal("No control %s in %s for its help tip", tip.control, tip.window);
    }
    return nullptr;
}

// The main window's tips now; a tool window's when it is built, before it
// is first shown.
void MainForm::SetupToolTips() {
    m_toolTips = std::make_unique<clsTooltip>();
    AttachToolTips(this);
    m_toolTipsAttached = true;
}

void MainForm::AttachToolTips(const QWidget *window) {
    for (const HelpTip &tip : HelpTips()) {
        if (window->objectName() != QLatin1String(tip.window))
            continue;
        m_toolTips->AddTool(HelpControl(tip), QString::fromUtf8(tip.text), std::nullopt, std::nullopt,
                            /*balloon*/ false, QString::fromUtf8(tip.title), kInformationIcon,
                            kExpandFromCentre, /*margin*/ 0, /*centered*/ false, /*transparent*/ true,
                            kTextLeft, tip.width);
    }
}

void MainForm::RemoveToolTips() {
    for (const HelpTip &tip : HelpTips())
        if (QWidget *control = HelpControl(tip))
            m_toolTips->RemoveTool(control);
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
