#pragma once

#include <string>
#include <string_view>

namespace quorvane {

double CelsiusToFahrenheit(double c);
double FahrenheitToCelsius(double f);
double KilowattToHorsepower(double kw);
double HorsepowerToKilowatt(double hp);
double MillimetreToInch(double mm);
double InchToMillimetre(double inch);

enum class Conversion { Temperature, Power, Length };
// Converts the text of box `from` (0 or 1) of a pair into the text of the other box.
std::string Convert(Conversion pair, int from, std::string_view text);

} // namespace quorvane
