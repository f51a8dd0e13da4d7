// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// A result as a calculator shows it ("1,128.38"), written as the design's
// input box reads it ("1128.38"): the input box stops reading at a group
// separator, so carrying the shown text would carry 1. Nothing when the
// text holds no number.
std::optional<std::string> ResultAsInput(std::string_view shown);

// The exhaust gas temperature in °C that the guide beside the BMEP gives:
// 350 °C at 5 bar and below, 50 °C more for each bar, 650 °C at 11 bar and
// above; the guide's own four lines lie on this line.
double EstimatedExhaustTemperature(double bmepBar);

// The estimate for a BMEP as shown, written as the design's Exhaust Temp box
// reads it, in whole degrees; nothing when the text holds no number.
std::optional<std::string> EstimatedExhaustTemperatureText(std::string_view shownBmep);

} // namespace quorvane
