// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "failure.h"

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

struct PipeInputs;
struct PipeResult;

// When the chamber's reflections return to the port, in crank degrees after
// top dead centre, by the model the chamber is sized with: small-amplitude
// waves travelling at one speed of sound, reflected at fixed stations.

inline constexpr double kBottomDeadCentre = 180;

// The inputs a refusal blames, as the wave timing window and the command line name them.
enum class TimingInput {
    Length,
    Timing,
    Transfer,
    Temperature,
    Heats,
    GasConstant,
    Rpm,
    RpmFrom,
    RpmTo,
    RpmStep
};

// An input the model cannot take: which one, why (a Failure kind) and the user's text.
class TimingRefused : public std::runtime_error {
  public:
    TimingRefused(TimingInput input, Failure kind, double value = 0);
    TimingInput input() const { return m_input; }
    Failure kind() const { return m_kind; }

  private:
    TimingInput m_input;
    Failure m_kind;
};

// Port events of a piston-ported engine, symmetric about bottom dead centre.
struct PortEvents {
    double exhaustOpens = 0;                             // EO
    double exhaustCloses = 0;                            // EC
    std::optional<double> transferOpens, transferCloses; // TO, TC when a transfer duration is known
};
// Refuses a timing outside 1-359 and a transfer duration not inside (0, timing).
PortEvents PortEventsOf(double timing, std::optional<double> transfer = std::nullopt);

// The reflecting stations, by their distance from the piston face along the centre line.
enum class Station { DiffuserStart, DiffuserEnd, BaffleStart, BaffleEnd };
inline constexpr std::size_t kStationCount = 4;
inline constexpr std::array<const char *, kStationCount> kStationNames = {"diffuser start", "diffuser end",
                                                                          "baffle start", "baffle end"};

struct WaveModel {
    double speedOfSound = 0; // m/s
    double designRpm = 0;    // the RPM the chamber was sized for
    PortEvents events;
    std::array<double, kStationCount> stations{}; // mm from the piston face
};

// The model of a calculated chamber: the speed of sound and RPM as the chamber
// calculation took them, the stations summed from its section lengths.
WaveModel WaveModelOf(const PipeInputs &inputs, const PipeResult &result,
                      std::optional<double> transfer = std::nullopt);

// Crank angle after top dead centre at which a wave reflected `x` mm from the
// piston face is back at the port, at `rpm`.
double ArrivalAngle(const WaveModel &model, double x, double rpm);

// A chart's RPM range: above 0 and upwards.
void CheckChartRange(double from, double to);

struct SweepRow {
    double rpm = 0;
    std::array<double, kStationCount> arrival{};
};
inline constexpr int kMostSweepRows = 10000;
// Rows from `from` to `to` (included when a step lands on it) every `step` rpm.
std::vector<SweepRow> Sweep(const WaveModel &model, double from, double to, double step);
// The same into `rows`, reusing its room.
void SweepInto(const WaveModel &model, double from, double to, double step, std::vector<SweepRow> &rows);

// The RPM range over which the plugging pulse (the baffle cone's reflections)
// is at the port at some moment between the transfer ports' closing and the
// exhaust port's: none without a transfer duration.
struct RpmBand {
    double from = 0, to = 0;
};
std::optional<RpmBand> PluggingBand(const WaveModel &model);
// Within the band, the angles where the pulse and [TC, EC] overlap at `rpm`; none outside it.
std::optional<std::array<double, 2>> PluggingOverlap(const WaveModel &model, double rpm);

// The overlap's outline from `from` to `to` RPM: its lower and upper angle at
// every RPM where one of them bends, so straight lines between them draw it exactly.
struct OverlapPoint {
    double rpm = 0, lower = 0, upper = 0;
};
std::vector<OverlapPoint> PluggingOverlapOutline(const WaveModel &model, double from, double to);

// The reverse relations. A length is the tuned length: piston face to the end of the baffle cone.
double TunedRpm(double length, double timing, double tempCelsius, double heats, double gasConstant);
double TemperatureForRpm(double length, double timing, double rpm, double heats, double gasConstant);

// A length typed as one number or as the measured sections joined by '+';
// each term is read as the boxes read numbers.
double ParseLengthSum(std::string_view text);

// The model's assumptions, stated once for the window and the command line.
inline constexpr const char *kWaveModelAssumptions =
    "An estimate: small-amplitude waves at one uniform exhaust temperature, reflected at fixed stations.";

} // namespace quorvane
