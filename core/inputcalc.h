#pragma once

#include "calcoutcome.h"

#include <string_view>

namespace quorvane {

// Crank angle for which the exhaust port is open: stroke S, rod length L,
// deck to piston crown at TDC d, deck to the top of the port t.
double ExhaustPortTiming(double stroke, double rodLength, double deckToPiston, double deckToPortTop);
// Average brake mean effective pressure in bar from kW, rpm, bore and stroke in mm.
double AverageBmep(double powerKw, double rpm, double bore, double stroke);

double CelsiusToFahrenheit(double c);
double FahrenheitToCelsius(double f);
double KilowattToHorsepower(double kw);
double HorsepowerToKilowatt(double hp);
double MillimetreToInch(double mm);
double InchToMillimetre(double inch);

enum class TimingInput { Stroke, RodLength, Deck, PortTop };
CalcOutcome CalcTiming(std::string_view stroke, std::string_view rodLength, std::string_view deck,
                       std::string_view portTop); // outputs: timing, port height

enum class BmepInput { Power, Rpm, Bore, Stroke };
CalcOutcome CalcBmep(std::string_view power, std::string_view rpm, std::string_view bore,
                     std::string_view stroke); // outputs: BMEP

enum class Conversion { Temperature, Power, Length };
// Converts the text of box `from` (0 or 1) of a pair into the text of the other box.
std::string Convert(Conversion pair, int from, std::string_view text);

// The estimate shown beside the BMEP; text only, nothing maps a BMEP to it.
extern const char *const kExhaustTemperatureGuide;

} // namespace quorvane
