// SPDX-License-Identifier: GPL-3.0-or-later
#include "carriedresults.h"

#include "failure.h"
#include "numeric.h"

#include <algorithm>
#include <cctype>

namespace quorvane {

namespace {

constexpr double kGuideLowBar = 5;   // "Under 5 Bar = 350C"
constexpr double kGuideHighBar = 11; // "Over 11 Bar = 650C"
constexpr double kGuideLowCelsius = 350;
constexpr double kGuideCelsiusPerBar = 50; // 7 bar 450, 9 bar 550

bool HoldsNumber(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

} // namespace

std::optional<std::string> ResultAsInput(std::string_view shown) {
    std::string text;
    for (const char c : shown)
        if (c != ',')
            text += c;
    if (!HoldsNumber(text))
        return std::nullopt;
    return text;
}

double EstimatedExhaustTemperature(double bmepBar) {
    const double bar = std::clamp(bmepBar, kGuideLowBar, kGuideHighBar);
    return kGuideLowCelsius + (bar - kGuideLowBar) * kGuideCelsiusPerBar;
}

std::optional<std::string> EstimatedExhaustTemperatureText(std::string_view shownBmep) {
    const std::optional<std::string> bmep = ResultAsInput(shownBmep);
    if (!bmep)
        return std::nullopt;
    try {
        return FormatFixed(EstimatedExhaustTemperature(ParseLeadingNumber(*bmep)), 0, Grouping::Off);
    } catch (const ArithmeticFailure &) {
        return std::nullopt; // typed over with a number too large to read: nothing to estimate from
    }
}

} // namespace quorvane
