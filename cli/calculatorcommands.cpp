// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculatorcommands.h"

#include "arguments.h"
#include "usage.h"

#include "conecalc.h"
#include "inputcalc.h"
#include "numeric.h"
#include "portarea.h"
#include "unitconversion.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace quorvane::cli {

namespace {

using Names = std::span<const char *const>;

// Carries out a press of a calculator button. inputNames are the user's words
// for the inputs, indexed as the core counts them (not always argument order).
CommandResult Report(const CalcOutcome &outcome, Names inputNames, Names labels) {
    if (!outcome.failure.empty())
        return CalcFailure(outcome.failure);
    if (outcome.focus)
        return BadInput("invalid input: " +
                        std::string(inputNames[static_cast<std::size_t>(*outcome.focus)]));
    std::string out;
    for (std::size_t i = 0; i < outcome.outputs.size(); ++i)
        out += std::string(labels[i]) + " = " + outcome.outputs[i] + "\n";
    return Printed(std::move(out));
}

// Parses a command of positionals only, exactly `count` of them.
std::optional<CommandResult> Positionals(const std::vector<std::string> &args, std::size_t count,
                                         const char *usage, std::vector<std::string> &values) {
    const Arguments parsed(args, {}, {});
    if (!parsed.error().empty())
        return UsageError(parsed.error(), usage);
    if (parsed.positionals().size() != count)
        return UsageError("expected " + std::to_string(count) + " arguments, got " +
                              std::to_string(parsed.positionals().size()),
                          usage);
    values = parsed.positionals();
    return std::nullopt;
}

// A corner count is a choice from the window's list, not a text box, so only its entries are accepted.
std::optional<int> CornerCount(const std::optional<std::string> &text, int highest) {
    if (!text)
        return 2; // the window's initial selection "x 2"
    if (text->size() == 1 && (*text)[0] >= '1' && (*text)[0] < '1' + highest)
        return (*text)[0] - '0';
    return std::nullopt;
}

struct ConeKind {
    std::string_view name;
    CalcOutcome (*calc)(std::string_view, std::string_view, std::string_view);
    std::array<const char *, 3> inputs;
    std::array<const char *, 2> labels;
};

constexpr ConeKind kConeKinds[] = {
    {"from-angle", CalcFromHalfAngle, {"base", "tip", "half angle"}, {"Centre length", "Side length"}},
    {"from-side", CalcFromSideLength, {"base", "tip", "side length"}, {"Centre length", "Half angle"}},
    {"from-centre", CalcFromCentreLength, {"base", "tip", "centre length"}, {"Half angle", "Side length"}},
};

struct ConversionKind {
    std::string_view name;
    Conversion pair;
    int from;
    const char *label;
};

constexpr ConversionKind kConversions[] = {
    {"c-to-f", Conversion::Temperature, 0, "Fahrenheit"},
    {"f-to-c", Conversion::Temperature, 1, "Celsius"},
    {"kw-to-hp", Conversion::Power, 0, "Horsepower"},
    {"hp-to-kw", Conversion::Power, 1, "Kilowatts"},
    {"mm-to-inch", Conversion::Length, 0, "Inches"},
    {"inch-to-mm", Conversion::Length, 1, "Millimetres"},
};

} // namespace

CommandResult RunPortWidth(const std::vector<std::string> &args) {
    std::vector<std::string> v;
    if (auto failed = Positionals(args, 2, kPortWidthUsage, v))
        return *failed;
    static constexpr const char *inputs[] = {"curved width", "bore"};
    static constexpr const char *labels[] = {"Chordal width mm"};
    return Report(CalcPortWidth(v[0], v[1]), inputs, labels);
}

CommandResult RunSegmentArea(const std::vector<std::string> &args) {
    std::vector<std::string> v;
    if (auto failed = Positionals(args, 2, kSegmentAreaUsage, v))
        return *failed;
    static constexpr const char *inputs[] = {"segment height", "segment radius"};
    static constexpr const char *labels[] = {"Segment area mm/2"};
    return Report(CalcSegmentOnly(v[0], v[1]), inputs, labels);
}

CommandResult RunPortArea(const std::vector<std::string> &args) {
    const Arguments parsed(args, {}, {"r1", "k1", "r2", "k2", "segment-radius", "segment-height"});
    if (!parsed.error().empty())
        return UsageError(parsed.error(), kPortAreaUsage);
    const std::vector<std::string> &p = parsed.positionals();
    if (p.size() != 2)
        return UsageError("port-area needs WIDTH HEIGHT", kPortAreaUsage);
    const std::optional<int> k1 = CornerCount(parsed.value("k1"), 4);
    const std::optional<int> k2 = CornerCount(parsed.value("k2"), 2);
    if (!k1)
        return UsageError("--k1 must be 1, 2, 3 or 4", kPortAreaUsage);
    if (!k2)
        return UsageError("--k2 must be 1 or 2", kPortAreaUsage);
    auto text = [&](std::string_view name) { return parsed.value(name).value_or(std::string()); };
    static constexpr const char *inputs[] = {"width", "height",         "r1",
                                             "r2",    "segment height", "segment radius"};
    static constexpr const char *labels[] = {"Port Window Area mm/2", "Port Window Diameter mm"};
    return Report(CalcPortArea(p[0], p[1], text("r1"), *k1, text("r2"), *k2, text("segment-radius"),
                               text("segment-height")),
                  inputs, labels);
}

CommandResult RunAreaToDiameter(const std::vector<std::string> &args) {
    std::vector<std::string> v;
    if (auto failed = Positionals(args, 1, kAreaToDiameterUsage, v))
        return *failed;
    static constexpr const char *inputs[] = {"area"};
    static constexpr const char *labels[] = {"Diameter mm"};
    return Report(CalcAreaToDiameter(v[0]), inputs, labels);
}

CommandResult RunPortTiming(const std::vector<std::string> &args) {
    std::vector<std::string> v;
    if (auto failed = Positionals(args, 4, kPortTimingUsage, v))
        return *failed;
    static constexpr const char *inputs[] = {"stroke", "rod length", "deck height", "port top"};
    static constexpr const char *labels[] = {"Port timing degrees", "Port height mm"};
    return Report(CalcTiming(v[0], v[1], v[2], v[3]), inputs, labels);
}

CommandResult RunBmep(const std::vector<std::string> &args) {
    std::vector<std::string> v;
    if (auto failed = Positionals(args, 4, kBmepUsage, v))
        return *failed;
    static constexpr const char *inputs[] = {"power", "RPM", "bore", "stroke"};
    static constexpr const char *labels[] = {"BMEP bar"};
    return Report(CalcBmep(v[0], v[1], v[2], v[3]), inputs, labels);
}

CommandResult RunConvert(const std::vector<std::string> &args) {
    std::vector<std::string> v;
    if (auto failed = Positionals(args, 2, kConvertUsage, v))
        return *failed;
    for (const ConversionKind &kind : kConversions) {
        if (kind.name != v[0])
            continue;
        try {
            return Printed(std::string(kind.label) + " = " + Convert(kind.pair, kind.from, v[1]) + "\n");
        } catch (const ArithmeticFailure &e) {
            return CalcFailure(e.what());
        }
    }
    return UsageError("unknown conversion " + v[0], kConvertUsage);
}

CommandResult RunCone(const std::vector<std::string> &args) {
    std::vector<std::string> v;
    if (auto failed = Positionals(args, 4, kConeUsage, v))
        return *failed;
    for (const ConeKind &kind : kConeKinds)
        if (kind.name == v[0])
            return Report(kind.calc(v[1], v[2], v[3]), kind.inputs, kind.labels);
    return UsageError("unknown cone calculation " + v[0], kConeUsage);
}

} // namespace quorvane::cli
