// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wavetiming.h"

#include <QChartView>

#include <optional>

class QAbstractSeries;
class QAreaSeries;
class QCategoryAxis;
class QLineSeries;
class QValueAxis;

namespace quorvane {

// Crank angle after TDC against RPM: the port events as level lines, the
// suction wave and the plugging pulse as bands between their stations'
// arrival lines, the design RPM, the plugging band, and a cursor line that
// follows the mouse. Each series carries an objectName for tests.
class TimingChart : public QChartView {
    Q_OBJECT

  public:
    TimingChart();

    // Draws `model` from `fromRpm` to `toRpm` (fromRpm < toRpm).
    void ShowModel(const WaveModel &model, double fromRpm, double toRpm);
    // An empty chart with a note in its title.
    void ShowNothing(const QString &note);
    // Moves the cursor line; none takes it away.
    void SetCursor(std::optional<double> rpm);

    // The chart as a PNG or an SVG file's bytes, at the chart's size on screen.
    QByteArray PngBytes();
    QByteArray SvgBytes();

  signals:
    // The mouse is over the plot at this RPM, or has left it.
    void cursorMoved(std::optional<double> rpm);

  protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

  private:
    void ClearSeries();
    QLineSeries *Line(const char *name, const QString &label, const QList<QPointF> &points, const QPen &pen);
    QAreaSeries *Band(const char *name, const QString &label, const QList<QPointF> &upper,
                      const QList<QPointF> &lower, const QColor &colour);
    void Attach(QAbstractSeries *series);
    void SetRpmAxis(double fromRpm, double toRpm);

    QValueAxis *m_angleAxis = nullptr;
    QCategoryAxis *m_rpmAxis = nullptr;
    QLineSeries *m_cursor = nullptr;
};

} // namespace quorvane
