// SPDX-License-Identifier: GPL-3.0-or-later
#include "wavetimingform.h"

#include "boxbehaviour.h"
#include "calcoutcomeview.h"
#include "controltable.h"
#include "designstate.h"
#include "diskfile.h"
#include "filedialogs.h"
#include "lookandfeel.h"
#include "numeric.h"
#include "timingchart.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

namespace {

using K = ControlRow::Kind;

const ControlRow kControls[] = {
    {K::Picture, "picChart", "", 8, 8, 712, 496},
    {K::Frame, "fraChart", "Chart", 728, 8, 240, 196},
    {K::Label, "lblRpmFrom", "From RPM", 12, 24, 104, 16, -1, "fraChart"},
    {K::Edit, "txtRpmFrom", "", 12, 42, 96, 25, 0, "fraChart"},
    {K::Label, "lblRpmTo", "To RPM", 128, 24, 100, 16, -1, "fraChart"},
    {K::Edit, "txtRpmTo", "", 128, 42, 96, 25, 1, "fraChart"},
    {K::Label, "lblTransfer", "Transfer Duration (Degree)", 12, 76, 216, 16, -1, "fraChart"},
    {K::Edit, "txtTransfer", "", 12, 94, 96, 25, 2, "fraChart"},
    {K::Button, "cmdDraw", "Draw", 128, 94, 96, 25, 3, "fraChart"},
    {K::Label, "lblChartReason", "", 12, 126, 216, 62, -1, "fraChart"},
    {K::Frame, "fraCursor", "At the Cursor", 728, 212, 240, 122},
    {K::Label, "lblCursor", "", 12, 22, 216, 94, -1, "fraCursor"},
    {K::Label, "lblBand", "", 728, 342, 240, 92},
    {K::Button, "cmdExportPng", "Export PNG\u2026", 728, 442, 116, 27, 4},
    {K::Button, "cmdExportSvg", "Export SVG\u2026", 852, 442, 116, 27, 5},
    {K::Button, "cmdClose", "Close", 852, 477, 116, 27, 14},
    {K::Frame, "fraReverse", "Reverse Calculator", 8, 512, 960, 104},
    {K::Label, "lblRevLength", "Tuned Length mm (or L0+L1+...+L6)", 12, 22, 240, 16, -1, "fraReverse"},
    {K::Edit, "txtRevLength", "", 12, 40, 240, 25, 6, "fraReverse"},
    {K::Label, "lblRevTiming", "Port Timing", 264, 22, 84, 16, -1, "fraReverse"},
    {K::Edit, "txtRevTiming", "", 264, 40, 76, 25, 7, "fraReverse"},
    {K::Label, "lblRevTemp", "Exhaust Temp C", 360, 22, 106, 16, -1, "fraReverse"},
    {K::Edit, "txtRevTemp", "", 360, 40, 90, 25, 8, "fraReverse"},
    {K::Label, "lblRevHeats", "Heats Ratio", 478, 22, 84, 16, -1, "fraReverse"},
    {K::Edit, "txtRevHeats", "", 478, 40, 76, 25, 9, "fraReverse"},
    {K::Label, "lblRevGasConst", "Gas Constant", 574, 22, 92, 16, -1, "fraReverse"},
    {K::Edit, "txtRevGasConst", "", 574, 40, 76, 25, 10, "fraReverse"},
    {K::Label, "lblRevRpm", "RPM", 678, 22, 80, 16, -1, "fraReverse"},
    {K::Edit, "txtRevRpm", "", 678, 40, 80, 25, 11, "fraReverse"},
    {K::Button, "cmdRevRpm", "Calc RPM", 770, 40, 86, 25, 12, "fraReverse"},
    {K::Button, "cmdRevTemp", "Calc Temp", 864, 40, 86, 25, 13, "fraReverse"},
    {K::Label, "lblRevReason", "", 12, 72, 936, 26, -1, "fraReverse"},
    {K::Label, "lblAssumptions", "", 8, 622, 960, 20},
};

// The range drawn when the design changes: 40 % either side of its RPM.
constexpr double kRangeBelow = 0.6, kRangeAbove = 1.4;

QString Text(const std::string &text) {
    return QString::fromStdString(text);
}

// Boxes that are read again take no group separators: "10,000" would read as 10.
QString BoxNumber(double value, int digits) {
    return Text(FormatFixed(value, digits, Grouping::Off));
}

std::optional<double> OptionalNumber(const QLineEdit *box) {
    if (box->text().trimmed().isEmpty())
        return std::nullopt;
    return ParseLeadingNumber(BoxText(box));
}

QString BandText(const WaveModel &model) {
    const std::optional<RpmBand> band = PluggingBand(model);
    if (!band)
        return QStringLiteral("Type the transfer duration to find the RPM band over which the plugging pulse "
                              "meets the span from TC to EC.");
    return QStringLiteral("The plugging pulse meets the span from TC to EC from %1 to %2 rpm (shaded green; "
                          "an estimate).")
        .arg(Text(FormatFixed(band->from, 0)), Text(FormatFixed(band->to, 0)));
}

QString WithExtension(const QString &path, const char *extension) {
    if (QFileInfo(path).suffix().compare(QLatin1String(extension), Qt::CaseInsensitive) == 0)
        return path;
    return path + QLatin1Char('.') + QLatin1String(extension);
}

} // namespace

WaveTimingForm::WaveTimingForm(const DesignState &state, FileDialogs &dialogs)
    : ToolWindow("frmWaveTiming", tr("Wave Timing"), 976, 648), m_state(state), m_dialogs(dialogs) {
    picChart = new TimingChart;
    const auto controls = BuildControls(this, kControls, {picChart});
    txtRpmFrom = Control<QLineEdit>(controls, "txtRpmFrom");
    txtRpmTo = Control<QLineEdit>(controls, "txtRpmTo");
    txtTransfer = Control<QLineEdit>(controls, "txtTransfer");
    cmdDraw = Control<QPushButton>(controls, "cmdDraw");
    lblChartReason = Control<QLabel>(controls, "lblChartReason");
    lblCursor = Control<QLabel>(controls, "lblCursor");
    lblBand = Control<QLabel>(controls, "lblBand");
    cmdExportPng = Control<QPushButton>(controls, "cmdExportPng");
    cmdExportSvg = Control<QPushButton>(controls, "cmdExportSvg");
    txtRevLength = Control<QLineEdit>(controls, "txtRevLength");
    txtRevTiming = Control<QLineEdit>(controls, "txtRevTiming");
    txtRevTemp = Control<QLineEdit>(controls, "txtRevTemp");
    txtRevHeats = Control<QLineEdit>(controls, "txtRevHeats");
    txtRevGasConst = Control<QLineEdit>(controls, "txtRevGasConst");
    txtRevRpm = Control<QLineEdit>(controls, "txtRevRpm");
    cmdRevRpm = Control<QPushButton>(controls, "cmdRevRpm");
    cmdRevTemp = Control<QPushButton>(controls, "cmdRevTemp");
    lblRevReason = Control<QLabel>(controls, "lblRevReason");
    auto *lblAssumptions = Control<QLabel>(controls, "lblAssumptions");
    lblAssumptions->setText(QString::fromLatin1(kWaveModelAssumptions));

    for (QLabel *label : {lblChartReason, lblCursor, lblBand, lblRevReason})
        label->setWordWrap(true);
    for (QLabel *reason : {lblChartReason, lblRevReason})
        reason->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0)"));
    lblCursor->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblBand->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The gas starts as the main window's does.
    const PipeTexts initial = InitialPipeTexts();
    txtRevHeats->setText(Text(initial[std::size_t(PipeField::Heats)]));
    txtRevGasConst->setText(Text(initial[std::size_t(PipeField::GasConstant)]));

    m_normalBackground = Background(txtRpmFrom);
    for (QLineEdit *box : findChildren<QLineEdit *>()) {
        SelectAllOnFocus(box);
        KeepWholeTextVisible(box);
        connect(box, &QLineEdit::textEdited, this, [this, box] { SetBackground(box, m_normalBackground); });
    }
    for (QLineEdit *box : {txtRpmFrom, txtRpmTo, txtTransfer})
        connect(box, &QLineEdit::returnPressed, this, &WaveTimingForm::cmdDraw_Click);

    connect(cmdDraw, &QPushButton::clicked, this, &WaveTimingForm::cmdDraw_Click);
    connect(cmdRevRpm, &QPushButton::clicked, this, &WaveTimingForm::cmdRevRpm_Click);
    connect(cmdRevTemp, &QPushButton::clicked, this, &WaveTimingForm::cmdRevTemp_Click);
    connect(cmdExportPng, &QPushButton::clicked, this, &WaveTimingForm::cmdExportPng_Click);
    connect(cmdExportSvg, &QPushButton::clicked, this, &WaveTimingForm::cmdExportSvg_Click);
    connect(Control<QPushButton>(controls, "cmdClose"), &QPushButton::clicked, this, &QWidget::hide);
    connect(picChart, &TimingChart::cursorMoved, this, &WaveTimingForm::ShowCursor);

    // Built on first use, perhaps long after a Pipe Calc: it starts from the design as it stands.
    DesignCalculated();
}

void WaveTimingForm::DesignCalculated() {
    if (m_state.pipeCalculated && m_state.result.rpm != m_rangeDesignRpm) {
        m_rangeDesignRpm = m_state.result.rpm;
        SetBoxText(txtRpmFrom, BoxNumber(m_rangeDesignRpm * kRangeBelow, 0));
        SetBoxText(txtRpmTo, BoxNumber(m_rangeDesignRpm * kRangeAbove, 0));
    }
    cmdDraw_Click();
}

void WaveTimingForm::DesignEdited() {
    if (m_model)
        picChart->chart()->setTitle(
            QStringLiteral("The last Pipe Calc's reflections (the inputs have changed "
                           "since: press Pipe Calc to follow them)"));
}

QLineEdit *WaveTimingForm::RefusedBox(TimingInput input) const {
    switch (input) {
    case TimingInput::Length:
        return txtRevLength;
    case TimingInput::Timing:
        return txtRevTiming;
    case TimingInput::Transfer:
        return txtTransfer;
    case TimingInput::Temperature:
        return txtRevTemp;
    case TimingInput::Heats:
        return txtRevHeats;
    case TimingInput::GasConstant:
        return txtRevGasConst;
    case TimingInput::Rpm:
        return txtRevRpm;
    case TimingInput::RpmFrom:
        return txtRpmFrom;
    case TimingInput::RpmTo:
    case TimingInput::RpmStep:
        return txtRpmTo;
    }
    return nullptr;
}

void WaveTimingForm::Refuse(QLineEdit *box, QLabel *reasonLabel, const QString &reason) {
    reasonLabel->setText(reason);
    if (!box)
        return;
    SetBackground(box, kRejectedRed);
    box->setFocus(Qt::OtherFocusReason);
}

void WaveTimingForm::cmdDraw_Click() {
    lblChartReason->clear();
    m_model = ChartedModel();
    ShowCursor(std::nullopt);
    cmdExportPng->setEnabled(m_model.has_value());
    cmdExportSvg->setEnabled(m_model.has_value());
    if (!m_model) {
        lblBand->clear();
        picChart->ShowNothing(
            m_state.pipeCalculated
                ? QStringLiteral("Nothing to chart: see the reason on the right.")
                : QStringLiteral("Press Pipe Calc in the main window to see the wave timing."));
        return;
    }
    lblBand->setText(BandText(*m_model));
}

std::optional<WaveModel> WaveTimingForm::ChartedModel() {
    if (!m_state.pipeCalculated)
        return std::nullopt;
    try {
        const double from = ParseLeadingNumber(BoxText(txtRpmFrom));
        const double to = ParseLeadingNumber(BoxText(txtRpmTo));
        CheckChartRange(from, to);
        const WaveModel model = WaveModelOf(m_state.inputs, m_state.result, OptionalNumber(txtTransfer));
        picChart->ShowModel(model, from, to);
        return model;
    } catch (const TimingRefused &refused) {
        // The design's own timing has its box in the main window.
        const bool here = refused.input() != TimingInput::Timing;
        Refuse(here ? RefusedBox(refused.input()) : nullptr, lblChartReason,
               (here ? QString() : QStringLiteral("Port Timing in the main window: ")) +
                   QString::fromUtf8(refused.what()));
    } catch (const ArithmeticFailure &failure) {
        Refuse(nullptr, lblChartReason, QString::fromUtf8(failure.what()));
    }
    return std::nullopt;
}

void WaveTimingForm::ShowCursor(std::optional<double> rpm) {
    picChart->SetCursor(m_model ? rpm : std::nullopt);
    if (!m_model || !rpm) {
        lblCursor->setText(m_model
                               ? QStringLiteral("Move the mouse over the chart to read the arrival angles.")
                               : QString());
        return;
    }
    QString text = QStringLiteral("At %1 rpm the waves return at:").arg(Text(FormatFixed(*rpm, 0)));
    for (std::size_t s = 0; s < kStationCount; ++s)
        text += QStringLiteral("\n%1  %2\u00B0")
                    .arg(QString::fromLatin1(kStationNames[s]),
                         Text(FormatFixed(ArrivalAngle(*m_model, m_model->stations[s], *rpm), 2)));
    lblCursor->setText(text);
}

void WaveTimingForm::cmdRevRpm_Click() {
    lblRevReason->clear();
    try {
        const double rpm =
            TunedRpm(ParseLengthSum(BoxText(txtRevLength)), ParseLeadingNumber(BoxText(txtRevTiming)),
                     ParseLeadingNumber(BoxText(txtRevTemp)), ParseLeadingNumber(BoxText(txtRevHeats)),
                     ParseLeadingNumber(BoxText(txtRevGasConst)));
        SetBoxText(txtRevRpm, BoxNumber(rpm, 0));
    } catch (const TimingRefused &refused) {
        Refuse(RefusedBox(refused.input()), lblRevReason, QString::fromUtf8(refused.what()));
    } catch (const ArithmeticFailure &failure) {
        txtRevRpm->clear();
        Refuse(nullptr, lblRevReason, QString::fromUtf8(failure.what()));
    }
}

void WaveTimingForm::cmdRevTemp_Click() {
    lblRevReason->clear();
    try {
        const double temp = TemperatureForRpm(
            ParseLengthSum(BoxText(txtRevLength)), ParseLeadingNumber(BoxText(txtRevTiming)),
            ParseLeadingNumber(BoxText(txtRevRpm)), ParseLeadingNumber(BoxText(txtRevHeats)),
            ParseLeadingNumber(BoxText(txtRevGasConst)));
        SetBoxText(txtRevTemp, BoxNumber(temp, 2));
    } catch (const TimingRefused &refused) {
        Refuse(RefusedBox(refused.input()), lblRevReason, QString::fromUtf8(refused.what()));
    } catch (const ArithmeticFailure &failure) {
        txtRevTemp->clear();
        Refuse(nullptr, lblRevReason, QString::fromUtf8(failure.what()));
    }
}

void WaveTimingForm::cmdExportPng_Click() {
    Export(false);
}

void WaveTimingForm::cmdExportSvg_Click() {
    Export(true);
}

void WaveTimingForm::Export(bool svg) {
    const char *extension = svg ? "svg" : "png";
    const QString title = svg ? QStringLiteral("Export SVG") : QStringLiteral("Export PNG");
    const QString path = m_dialogs.ChooseSavePath(
        this, svg ? QStringLiteral("Chart, SVG (*.svg)|*.svg") : QStringLiteral("Chart, PNG (*.png)|*.png"),
        title, QStringLiteral("WaveTiming.") + QLatin1String(extension),
        [extension](const QString &chosen) { return WithExtension(chosen, extension); });
    if (path.isEmpty())
        return;
    // Built whole in memory first, so a failed save never leaves half a picture.
    const QByteArray bytes = svg ? picChart->SvgBytes() : picChart->PngBytes();
    const SaveOutcome saved = SaveFileSafely(QFile::encodeName(path), bytes);
    if (!saved.saved)
        m_dialogs.ShowSaveFailure(this, title, QStringLiteral("The chart"), path, saved.error,
                                  saved.oldFileKept && QFileInfo::exists(path));
}

} // namespace quorvane
