// SPDX-License-Identifier: GPL-3.0-or-later
#include "timingcommand.h"

#include "arguments.h"
#include "chambercommand.h"
#include "usage.h"

#include "numeric.h"
#include "pipeinputs.h"
#include "wavetiming.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>

namespace quorvane::cli {

namespace {

// The stations as a script names them in JSON.
constexpr std::array<const char *, kStationCount> kStationKeys = {"diffuserStart", "diffuserEnd",
                                                                  "baffleStart", "baffleEnd"};

// How each command names the input a refusal blames: the design's by its key, the rest by their option.
const char *OptionName(TimingInput input) {
    switch (input) {
    case TimingInput::Length:
        return "--length";
    case TimingInput::Timing:
        return "--timing";
    case TimingInput::Transfer:
        return "--transfer";
    case TimingInput::Temperature:
        return "--temp";
    case TimingInput::Heats:
        return "--heats";
    case TimingInput::GasConstant:
        return "--gas-constant";
    case TimingInput::Rpm:
    case TimingInput::RpmFrom:
    case TimingInput::RpmTo:
    case TimingInput::RpmStep:
        return "--rpm";
    }
    return "";
}

CommandResult Refused(const TimingRefused &refused, const char *name) {
    return BadInput("invalid input: " + std::string(name) + ": " + refused.what());
}

// A number as the boxes read it; a text too large to read is a calculation failure, as for every command.
double Number(const std::string &text) {
    return ParseLeadingNumber(text);
}

// Whole RPM without decimals, a fractional step's RPM with two.
std::string RpmText(double rpm) {
    return FormatFixed(rpm, rpm == std::floor(rpm) ? 0 : 2);
}

std::string EventsLine(const PortEvents &events) {
    std::string line = "Port events: EO " + FormatFixed(events.exhaustOpens, 2) + ", BDC " +
                       FormatFixed(kBottomDeadCentre, 2) + ", EC " + FormatFixed(events.exhaustCloses, 2);
    if (events.transferOpens)
        line += ", TO " + FormatFixed(*events.transferOpens, 2) + ", TC " +
                FormatFixed(*events.transferCloses, 2);
    return line + "\n";
}

std::string BandLine(const WaveModel &model) {
    const std::optional<RpmBand> band = PluggingBand(model);
    if (!band)
        return "Plugging band: give --transfer DEG to find where the pulse overlaps TC to EC\n";
    return "Plugging band (the pulse overlaps TC to EC): " + FormatFixed(band->from, 0) + " to " +
           FormatFixed(band->to, 0) + " rpm\n";
}

std::string TimingReport(const WaveModel &model, const std::vector<SweepRow> &rows) {
    std::string out = "Arrival at the port, crank degrees after TDC\n" + EventsLine(model.events);
    out += "Stations, mm from the piston face:";
    for (std::size_t s = 0; s < kStationCount; ++s)
        out += std::string(s ? ", " : " ") + kStationNames[s] + " " + FormatFixed(model.stations[s], 2);
    out += "\n\n";
    const int rpmWidth = 10;
    std::string header = "RPM";
    header.insert(0, rpmWidth - header.size(), ' ');
    for (const char *name : kStationNames) {
        std::string column = name;
        header += "  " + std::string(std::max<std::size_t>(14, column.size()) - column.size(), ' ') + column;
    }
    out += header + "\n";
    for (const SweepRow &row : rows) {
        std::string line = RpmText(row.rpm);
        line.insert(0, std::max<int>(0, rpmWidth - int(line.size())), ' ');
        for (double angle : row.arrival) {
            const std::string text = FormatFixed(angle, 2);
            line += "  " + std::string(std::max<std::size_t>(14, text.size()) - text.size(), ' ') + text;
        }
        out += line + "\n";
    }
    return out + "\n" + BandLine(model) + kWaveModelAssumptions + "\n";
}

// Unrounded numbers for a script, as the chamber's JSON gives them.
std::string TimingJson(const WaveModel &model, const std::vector<SweepRow> &rows) {
    QJsonObject events{
        {"EO", model.events.exhaustOpens}, {"BDC", kBottomDeadCentre}, {"EC", model.events.exhaustCloses}};
    if (model.events.transferOpens) {
        events["TO"] = *model.events.transferOpens;
        events["TC"] = *model.events.transferCloses;
    }
    QJsonObject stations;
    for (std::size_t s = 0; s < kStationCount; ++s)
        stations[QString::fromLatin1(kStationKeys[s])] = model.stations[s];
    QJsonArray table;
    for (const SweepRow &row : rows) {
        QJsonObject arrival;
        for (std::size_t s = 0; s < kStationCount; ++s)
            arrival[QString::fromLatin1(kStationKeys[s])] = row.arrival[s];
        table.append(QJsonObject{{"rpm", row.rpm}, {"arrival", arrival}});
    }
    QJsonValue band = QJsonValue::Null;
    if (const std::optional<RpmBand> b = PluggingBand(model))
        band = QJsonObject{{"from", b->from}, {"to", b->to}};
    const QJsonObject object{{"speedOfSound", model.speedOfSound},
                             {"designRpm", model.designRpm},
                             {"events", events},
                             {"stations", stations},
                             {"rows", table},
                             {"pluggingBand", band},
                             {"assumptions", kWaveModelAssumptions}};
    return QJsonDocument(object).toJson(QJsonDocument::Indented).toStdString();
}

// FROM:TO:STEP, each read as the boxes read numbers.
bool SplitRange(const std::string &text, std::array<double, 3> &range) {
    const std::size_t first = text.find(':');
    const std::size_t second = first == std::string::npos ? first : text.find(':', first + 1);
    if (second == std::string::npos || text.find(':', second + 1) != std::string::npos)
        return false;
    range = {Number(text.substr(0, first)), Number(text.substr(first + 1, second - first - 1)),
             Number(text.substr(second + 1))};
    return true;
}

} // namespace

CommandResult RunTiming(const std::vector<std::string> &args) {
    const Arguments parsed(args, {"straight-header", "json"}, {"transfer", "rpm"});
    if (!parsed.error().empty())
        return UsageError(parsed.error(), kTimingUsage);
    PipeResult result;
    PipeTexts texts;
    if (auto failed = ChamberFromArguments(parsed, kTimingUsage, result, &texts))
        return *failed;
    try {
        std::optional<double> transfer;
        if (const auto text = parsed.value("transfer"))
            transfer = Number(*text);
        WaveModel model;
        try {
            model = WaveModelOf(ParsePipeInputs(texts, parsed.has("straight-header")), result, transfer);
        } catch (const TimingRefused &refused) {
            // Only the design's own timing can be out of range here.
            return Refused(refused,
                           refused.input() == TimingInput::Timing ? "timing" : OptionName(refused.input()));
        }
        std::array<double, 3> range{model.designRpm * 0.6, model.designRpm * 1.4, model.designRpm / 20};
        if (const auto text = parsed.value("rpm"); text && !SplitRange(*text, range))
            return UsageError("--rpm takes FROM:TO:STEP", kTimingUsage);
        const std::vector<SweepRow> rows = Sweep(model, range[0], range[1], range[2]);
        return Printed(parsed.has("json") ? TimingJson(model, rows) : TimingReport(model, rows));
    } catch (const TimingRefused &refused) {
        return Refused(refused, OptionName(refused.input()));
    } catch (const ArithmeticFailure &e) {
        return CalcFailure(e.what());
    }
}

CommandResult RunReverse(const std::vector<std::string> &args) {
    const Arguments parsed(args, {"json"}, {"length", "timing", "temp", "rpm", "heats", "gas-constant"});
    if (!parsed.error().empty())
        return UsageError(parsed.error(), kReverseUsage);
    if (!parsed.positionals().empty())
        return UsageError("unexpected argument " + parsed.positionals().front(), kReverseUsage);
    if (!parsed.value("length") || !parsed.value("timing"))
        return UsageError("--length and --timing are both needed", kReverseUsage);
    if (parsed.value("temp").has_value() == parsed.value("rpm").has_value())
        return UsageError("give either --temp or --rpm", kReverseUsage);
    // The gas is the main window's unless given.
    const PipeTexts initial = InitialPipeTexts();
    const std::string heatsText = parsed.value("heats").value_or(initial[std::size_t(PipeField::Heats)]);
    const std::string gasText =
        parsed.value("gas-constant").value_or(initial[std::size_t(PipeField::GasConstant)]);
    try {
        const double length = ParseLengthSum(*parsed.value("length"));
        const double timing = Number(*parsed.value("timing"));
        const double heats = Number(heatsText), gasConstant = Number(gasText);
        const bool toRpm = parsed.value("temp").has_value();
        const double value =
            toRpm ? TunedRpm(length, timing, Number(*parsed.value("temp")), heats, gasConstant)
                  : TemperatureForRpm(length, timing, Number(*parsed.value("rpm")), heats, gasConstant);
        const char *key = toRpm ? "tunedRpm" : "temperature";
        if (parsed.has("json"))
            return Printed(QJsonDocument(QJsonObject{{key, value}, {"assumptions", kWaveModelAssumptions}})
                               .toJson(QJsonDocument::Indented)
                               .toStdString());
        return Printed((toRpm ? "Tuned RPM = " + FormatFixed(value, 0)
                              : "Exhaust temperature C = " + FormatFixed(value, 2)) +
                       "\n" + kWaveModelAssumptions + "\n");
    } catch (const TimingRefused &refused) {
        return Refused(refused, OptionName(refused.input()));
    } catch (const ArithmeticFailure &e) {
        return CalcFailure(e.what());
    }
}

} // namespace quorvane::cli
