// SPDX-License-Identifier: GPL-3.0-or-later
#include "wavetiming.h"

#include "chamber.h"
#include "numeric.h"
#include "pipeinputs.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {

// Out to x and back at c: 2x/c ms (x in mm, c in mm/ms), while the crank
// turns 360 N / 60000 degrees each ms.
constexpr double kDegreesPerRpmMmOverC = 12.0 / 1000.0;

void CheckTiming(double timing) {
    if (!(timing >= 1 && timing <= 359))
        throw TimingRefused(TimingInput::Timing, Failure::TimingOutOfRange);
}

void CheckGas(double heats, double gasConstant) {
    if (!(heats > 0))
        throw TimingRefused(TimingInput::Heats, Failure::GasNotPositive);
    if (!(gasConstant > 0))
        throw TimingRefused(TimingInput::GasConstant, Failure::GasNotPositive);
}

void CheckLength(double length) {
    if (!(length > 0))
        throw TimingRefused(TimingInput::Length, Failure::LengthNotPositive);
}

// The RPM at which a wave reflected x mm out is back at the port at `angle`.
double RpmForArrival(const WaveModel &model, double x, double angle) {
    return Checked(((angle - model.events.exhaustOpens) * 1000.0 * model.speedOfSound) / (12.0 * x));
}

} // namespace

TimingRefused::TimingRefused(TimingInput input, Failure kind, double value)
    : std::runtime_error(FailureText(kind, value)), m_input(input), m_kind(kind) {}

PortEvents PortEventsOf(double timing, std::optional<double> transfer) {
    CheckTiming(timing);
    PortEvents events;
    events.exhaustOpens = kBottomDeadCentre - timing / 2;
    events.exhaustCloses = kBottomDeadCentre + timing / 2;
    if (transfer) {
        // Transfers open after the exhaust port and close before it, or the charge would blow back.
        if (!(*transfer > 0 && *transfer < timing))
            throw TimingRefused(TimingInput::Transfer, Failure::TransferOutOfRange, timing);
        events.transferOpens = kBottomDeadCentre - *transfer / 2;
        events.transferCloses = kBottomDeadCentre + *transfer / 2;
    }
    return events;
}

WaveModel WaveModelOf(const PipeInputs &inputs, const PipeResult &result, std::optional<double> transfer) {
    WaveModel model;
    model.speedOfSound = result.speedOfSound;
    model.designRpm = result.rpm;
    model.events = PortEventsOf(inputs.timing, transfer);
    // Along the centre line from the piston face, as the pipe is built: port,
    // header, the three diffuser cones, the belly, the baffle cone.
    const auto &L = result.L;
    const double diffuserStart = L[0] + L[1];
    const double diffuserEnd = diffuserStart + L[2] + L[3] + L[4];
    const double baffleStart = diffuserEnd + L[5];
    model.stations = {diffuserStart, diffuserEnd, baffleStart, baffleStart + L[6]};
    return model;
}

double ArrivalAngle(const WaveModel &model, double x, double rpm) {
    return Checked(model.events.exhaustOpens + (kDegreesPerRpmMmOverC * rpm * x) / model.speedOfSound);
}

void CheckChartRange(double from, double to) {
    if (!(from > 0))
        throw TimingRefused(TimingInput::RpmFrom, Failure::RpmNotPositive);
    if (!(to > from))
        throw TimingRefused(TimingInput::RpmTo, Failure::RpmRangeEmpty);
}

void SweepInto(const WaveModel &model, double from, double to, double step, std::vector<SweepRow> &rows) {
    if (!(from > 0))
        throw TimingRefused(TimingInput::RpmFrom, Failure::RpmNotPositive);
    if (!(to >= from))
        throw TimingRefused(TimingInput::RpmTo, Failure::RpmRangeEmpty);
    if (!(step > 0))
        throw TimingRefused(TimingInput::RpmStep, Failure::RpmStepNotPositive);
    // A step landing on `to` within rounding still counts it.
    const double steps = std::floor((to - from) / step + 1e-9);
    if (!(steps < kMostSweepRows))
        throw TimingRefused(TimingInput::RpmStep, Failure::TooManyRpmSteps, kMostSweepRows);
    const int count = static_cast<int>(steps) + 1;
    rows.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        SweepRow &row = rows[static_cast<std::size_t>(i)];
        row.rpm = from + i * step; // not summed, so no rounding accumulates
        for (std::size_t s = 0; s < kStationCount; ++s)
            row.arrival[s] = ArrivalAngle(model, model.stations[s], row.rpm);
    }
}

std::vector<SweepRow> Sweep(const WaveModel &model, double from, double to, double step) {
    std::vector<SweepRow> rows;
    SweepInto(model, from, to, step, rows);
    return rows;
}

std::optional<RpmBand> PluggingBand(const WaveModel &model) {
    if (!model.events.transferCloses)
        return std::nullopt;
    const auto start = static_cast<std::size_t>(Station::BaffleStart);
    const auto end = static_cast<std::size_t>(Station::BaffleEnd);
    // Arrivals grow with RPM: the pulse's end reaches TC first, its start passes EC last.
    return RpmBand{RpmForArrival(model, model.stations[end], *model.events.transferCloses),
                   RpmForArrival(model, model.stations[start], model.events.exhaustCloses)};
}

std::optional<std::array<double, 2>> PluggingOverlap(const WaveModel &model, double rpm) {
    if (!model.events.transferCloses)
        return std::nullopt;
    const double first =
        ArrivalAngle(model, model.stations[static_cast<std::size_t>(Station::BaffleStart)], rpm);
    const double last =
        ArrivalAngle(model, model.stations[static_cast<std::size_t>(Station::BaffleEnd)], rpm);
    const double lo = std::max(first, *model.events.transferCloses);
    const double hi = std::min(last, model.events.exhaustCloses);
    if (lo > hi)
        return std::nullopt;
    return std::array<double, 2>{lo, hi};
}

std::vector<OverlapPoint> PluggingOverlapOutline(const WaveModel &model, double from, double to) {
    const std::optional<RpmBand> band = PluggingBand(model);
    if (!band)
        return {};
    const double first = std::max(from, band->from), last = std::min(to, band->to);
    if (first > last)
        return {};
    const double xStart = model.stations[static_cast<std::size_t>(Station::BaffleStart)];
    const double xEnd = model.stations[static_cast<std::size_t>(Station::BaffleEnd)];
    // The lower edge bends where the pulse's start passes TC, the upper where its end passes EC.
    std::vector<double> rpms = {first, last, RpmForArrival(model, xStart, *model.events.transferCloses),
                                RpmForArrival(model, xEnd, model.events.exhaustCloses)};
    std::sort(rpms.begin(), rpms.end());
    std::vector<OverlapPoint> outline;
    for (double rpm : rpms) {
        if (rpm < first || rpm > last || (!outline.empty() && rpm == outline.back().rpm))
            continue;
        const double lower = std::max(ArrivalAngle(model, xStart, rpm), *model.events.transferCloses);
        const double upper = std::min(ArrivalAngle(model, xEnd, rpm), model.events.exhaustCloses);
        // At the band's ends the two meet; rounding must not cross them.
        outline.push_back({rpm, lower, std::max(lower, upper)});
    }
    return outline;
}

double TunedRpm(double length, double timing, double tempCelsius, double heats, double gasConstant) {
    CheckLength(length);
    CheckTiming(timing);
    if (!(tempCelsius > -kZeroCelsiusInKelvin))
        throw TimingRefused(TimingInput::Temperature, Failure::BelowAbsoluteZero);
    CheckGas(heats, gasConstant);
    const double c = SpeedOfSound(heats, gasConstant, tempCelsius);
    return Checked((1000.0 * c * timing) / (12.0 * length));
}

double TemperatureForRpm(double length, double timing, double rpm, double heats, double gasConstant) {
    CheckLength(length);
    CheckTiming(timing);
    if (!(rpm > 0))
        throw TimingRefused(TimingInput::Rpm, Failure::RpmNotPositive);
    CheckGas(heats, gasConstant);
    const double c = Checked((12.0 * rpm * length) / (1000.0 * timing));
    return Checked(Square(c) / (heats * gasConstant) - kZeroCelsiusInKelvin);
}

double ParseLengthSum(std::string_view text) {
    double sum = 0;
    for (std::size_t start = 0;;) {
        const std::size_t plus = text.find('+', start);
        sum = Checked(sum + ParseLeadingNumber(text.substr(start, plus - start)));
        if (plus == std::string_view::npos)
            return sum;
        start = plus + 1;
    }
}

} // namespace quorvane
