// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calcoutcome.h"

#include <string_view>

namespace quorvane {

// Crank angle in degrees for which the exhaust port is open, all lengths in mm:
// deckToPiston is from the deck to the piston crown at top dead centre,
// deckToPortTop from the deck to the top of the port.
double ExhaustPortTiming(double stroke, double rodLength, double deckToPiston, double deckToPortTop);
// Average brake mean effective pressure in bar from kW, rpm, bore and stroke in mm.
double AverageBmep(double powerKw, double rpm, double bore, double stroke);

enum class TimingInput { Stroke, RodLength, Deck, PortTop };
CalcOutcome CalcTiming(std::string_view stroke, std::string_view rodLength, std::string_view deck,
                       std::string_view portTop); // outputs: timing, port height

// Focus indexes the inputs in their order: power 0, rpm 1, bore 2, stroke 3.
CalcOutcome CalcBmep(std::string_view power, std::string_view rpm, std::string_view bore,
                     std::string_view stroke); // outputs: BMEP

// The estimate shown beside the BMEP; text only, nothing maps a BMEP to it.
extern const char *const kExhaustTemperatureGuide;

} // namespace quorvane
