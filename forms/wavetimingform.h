// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolwindow.h"
#include "wavetiming.h"

#include <QColor>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvane {

struct DesignState;
class FileDialogs;
class TimingChart;

// When the chamber's reflections return to the port across RPM, charted for
// the last Pipe Calc, and the reverse calculator: the RPM a built pipe is
// tuned for, or the exhaust temperature its real peak implies.
class WaveTimingForm : public ToolWindow {
    Q_OBJECT

  public:
    WaveTimingForm(const DesignState &state, FileDialogs &dialogs);

    // The main window's Pipe Calc completed: the chart follows it.
    void DesignCalculated() override;
    // A design input changed after it: the chart says it shows the last Pipe Calc, not the boxes.
    void DesignEdited() override;
    void cmdDraw_Click();
    void cmdRevRpm_Click();
    void cmdRevTemp_Click();
    void cmdExportPng_Click();
    void cmdExportSvg_Click();

    TimingChart *chart() const { return picChart; }

  private:
    // The design's model drawn over the typed range, or none with the reason shown.
    std::optional<WaveModel> ChartedModel();
    void ShowCursor(std::optional<double> rpm);
    void Refuse(QLineEdit *box, QLabel *reasonLabel, const QString &reason);
    void Export(bool svg);
    QLineEdit *RefusedBox(TimingInput input) const;

    const DesignState &m_state;
    FileDialogs &m_dialogs;
    std::optional<WaveModel> m_model;
    double m_rangeDesignRpm = 0; // the design RPM the range boxes were last set for
    QColor m_normalBackground;

    TimingChart *picChart = nullptr;
    QLineEdit *txtRpmFrom = nullptr;
    QLineEdit *txtRpmTo = nullptr;
    QLineEdit *txtTransfer = nullptr;
    QPushButton *cmdDraw = nullptr;
    QLabel *lblChartReason = nullptr;
    QLabel *lblCursor = nullptr;
    QLabel *lblBand = nullptr;
    QPushButton *cmdExportPng = nullptr;
    QPushButton *cmdExportSvg = nullptr;
    QLineEdit *txtRevLength = nullptr;
    QLineEdit *txtRevTiming = nullptr;
    QLineEdit *txtRevTemp = nullptr;
    QLineEdit *txtRevHeats = nullptr;
    QLineEdit *txtRevGasConst = nullptr;
    QLineEdit *txtRevRpm = nullptr;
    QPushButton *cmdRevRpm = nullptr;
    QPushButton *cmdRevTemp = nullptr;
    QLabel *lblRevReason = nullptr;
};

} // namespace quorvane
