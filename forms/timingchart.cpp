// SPDX-License-Identifier: GPL-3.0-or-later
#include "timingchart.h"

#include "numeric.h"

#include <QAreaSeries>
#include <QBuffer>
#include <QCategoryAxis>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QSvgGenerator>
#include <QValueAxis>

#include <array>
#include <cmath>

namespace quorvane {

namespace {

constexpr double kFullTurn = 360;

QString Degrees(double angle) {
    return QString::fromStdString(FormatFixed(angle, 2)) + QStringLiteral("\u00B0");
}

// A round RPM step giving at most eight labels over the span.
double RpmStep(double span) {
    double step = std::pow(10.0, std::floor(std::log10(span / 8)));
    for (double factor : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (span / (step * factor) <= 8)
            return step * factor;
    return step * 10;
}

struct EventLine {
    const char *name;
    QColor colour;
};

} // namespace

TimingChart::TimingChart() : QChartView(new QChart) {
    setObjectName(QStringLiteral("picChart"));
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
    // Beside the plot, so no entry is cut short; the right margin keeps the last RPM label whole.
    chart()->legend()->setAlignment(Qt::AlignRight);
    chart()->setMargins(QMargins(4, 4, 16, 4));
    m_angleAxis = new QValueAxis;
    m_angleAxis->setRange(0, kFullTurn);
    m_angleAxis->setTickCount(13); // every 30 degrees
    m_angleAxis->setLabelFormat(QStringLiteral("%.0f"));
    m_angleAxis->setTitleText(QStringLiteral("Crank angle after TDC (degrees)"));
    m_rpmAxis = new QCategoryAxis;
    m_rpmAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_rpmAxis->setTitleText(QStringLiteral("RPM"));
    chart()->addAxis(m_rpmAxis, Qt::AlignBottom);
    chart()->addAxis(m_angleAxis, Qt::AlignLeft);
    ShowNothing(QStringLiteral("Press Pipe Calc in the main window to see the wave timing."));
}

void TimingChart::ClearSeries() {
    chart()->removeAllSeries();
    m_cursor = nullptr;
}

void TimingChart::Attach(QAbstractSeries *series) {
    chart()->addSeries(series);
    series->attachAxis(m_rpmAxis);
    series->attachAxis(m_angleAxis);
}

QLineSeries *TimingChart::Line(const char *name, const QString &label, const QList<QPointF> &points,
                               const QPen &pen) {
    auto *series = new QLineSeries;
    series->setObjectName(QString::fromLatin1(name));
    series->setName(label);
    series->append(points);
    series->setPen(pen);
    Attach(series);
    return series;
}

QAreaSeries *TimingChart::Band(const char *name, const QString &label, const QList<QPointF> &upper,
                               const QList<QPointF> &lower, const QColor &colour) {
    auto *top = new QLineSeries, *bottom = new QLineSeries;
    top->append(upper);
    bottom->append(lower);
    auto *series = new QAreaSeries(top, bottom);
    top->setParent(series);
    bottom->setParent(series);
    series->setObjectName(QString::fromLatin1(name));
    series->setName(label);
    QColor fill = colour;
    fill.setAlpha(90);
    series->setBrush(fill);
    series->setPen(QPen(colour, 1.5));
    Attach(series);
    return series;
}

void TimingChart::SetRpmAxis(double fromRpm, double toRpm) {
    for (const QString &label : m_rpmAxis->categoriesLabels())
        m_rpmAxis->remove(label);
    m_rpmAxis->setStartValue(fromRpm);
    m_rpmAxis->setRange(fromRpm, toRpm);
    const double step = RpmStep(toRpm - fromRpm);
    for (double rpm = std::ceil(fromRpm / step) * step; rpm <= toRpm; rpm += step)
        m_rpmAxis->append(QString::fromStdString(FormatFixed(rpm, 0)), rpm);
}

void TimingChart::ShowNothing(const QString &note) {
    ClearSeries();
    // Axes without a design would only show made-up numbers.
    m_rpmAxis->setVisible(false);
    m_angleAxis->setVisible(false);
    chart()->setTitle(note);
}

void TimingChart::ShowModel(const WaveModel &model, double fromRpm, double toRpm) {
    ClearSeries();
    SetRpmAxis(fromRpm, toRpm);
    m_rpmAxis->setVisible(true);
    m_angleAxis->setVisible(true);
    chart()->setTitle(QStringLiteral("When the reflections return to the port (an estimate)"));
    const auto arrival = [&](Station station) {
        const double x = model.stations[static_cast<std::size_t>(station)];
        return QList<QPointF>{{fromRpm, ArrivalAngle(model, x, fromRpm)},
                              {toRpm, ArrivalAngle(model, x, toRpm)}};
    };
    Band("suctionWave", QStringLiteral("Suction wave"), arrival(Station::DiffuserEnd),
         arrival(Station::DiffuserStart), QColor(40, 110, 200));
    Band("pluggingPulse", QStringLiteral("Plugging pulse"), arrival(Station::BaffleEnd),
         arrival(Station::BaffleStart), QColor(210, 60, 40));
    if (const auto outline = PluggingOverlapOutline(model, fromRpm, toRpm); !outline.empty()) {
        QList<QPointF> upper, lower;
        for (const OverlapPoint &p : outline) {
            upper << QPointF(p.rpm, p.upper);
            lower << QPointF(p.rpm, p.lower);
        }
        Band("pluggingBand", QStringLiteral("Pulse in TC\u2013EC"), upper, lower, QColor(30, 150, 60));
    }
    const PortEvents &e = model.events;
    const auto level = [&](const char *name, double angle, const QColor &colour) {
        Line(name, QString::fromLatin1(name) + ' ' + Degrees(angle), {{fromRpm, angle}, {toRpm, angle}},
             QPen(colour, 1.2, Qt::DashLine));
    };
    level("EO", e.exhaustOpens, QColor(90, 90, 90));
    level("BDC", kBottomDeadCentre, QColor(150, 150, 150));
    level("EC", e.exhaustCloses, QColor(90, 90, 90));
    if (e.transferOpens) {
        level("TO", *e.transferOpens, QColor(140, 90, 170));
        level("TC", *e.transferCloses, QColor(140, 90, 170));
    }
    Line("designRpm", QStringLiteral("Design ") + QString::fromStdString(FormatFixed(model.designRpm, 0)),
         {{model.designRpm, 0}, {model.designRpm, kFullTurn}}, QPen(Qt::black, 1.5, Qt::DashDotLine));
    // Without points rather than hidden: a hidden series' legend entry comes back when it is shown.
    m_cursor = Line("cursor", QString(), {}, QPen(QColor(230, 120, 0), 1.5));
    for (QLegendMarker *marker : chart()->legend()->markers(m_cursor))
        marker->setVisible(false);
}

void TimingChart::SetCursor(std::optional<double> rpm) {
    if (!m_cursor)
        return;
    if (rpm)
        m_cursor->replace(QList<QPointF>{{*rpm, 0}, {*rpm, kFullTurn}});
    else
        m_cursor->clear();
}

void TimingChart::mouseMoveEvent(QMouseEvent *event) {
    QChartView::mouseMoveEvent(event);
    const QPointF at = chart()->mapFromScene(mapToScene(event->position().toPoint()));
    if (!m_cursor || !chart()->plotArea().contains(at)) {
        emit cursorMoved(std::nullopt);
        return;
    }
    emit cursorMoved(chart()->mapToValue(at, m_cursor).x());
}

void TimingChart::leaveEvent(QEvent *event) {
    QChartView::leaveEvent(event);
    emit cursorMoved(std::nullopt);
}

QByteArray TimingChart::PngBytes() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    grab().save(&buffer, "PNG");
    return bytes;
}

QByteArray TimingChart::SvgBytes() {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size());
    svg.setViewBox(rect());
    svg.setTitle(QStringLiteral("Wave timing"));
    svg.setDescription(QString::fromLatin1(kWaveModelAssumptions));
    QPainter painter(&svg);
    render(&painter);
    painter.end();
    return bytes;
}

} // namespace quorvane
