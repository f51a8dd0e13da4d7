// SPDX-License-Identifier: GPL-3.0-or-later
#include "unitconversion.h"

#include "numeric.h"

namespace quorvane {

namespace {

// The two power factors are each rounded on their own, so they are not exact reciprocals.
constexpr double kHorsepowerPerKilowatt = 1.341022;
constexpr double kKilowattsPerHorsepower = 0.7457;
constexpr double kInchesPerMillimetre = 0.039370079;
// The reciprocal of kInchesPerMillimetre, not the exact 25.4.
constexpr double kMillimetresPerInch = 25.39999983236;

double CelsiusToFahrenheit(double c) {
    return Checked(c * 9 / 5 + 32);
}
double FahrenheitToCelsius(double f) {
    return Checked((f - 32) * 5 / 9);
}
double KilowattToHorsepower(double kw) {
    return Checked(kw * kHorsepowerPerKilowatt);
}
double HorsepowerToKilowatt(double hp) {
    return Checked(hp * kKilowattsPerHorsepower);
}
double MillimetreToInch(double mm) {
    return Checked(mm * kInchesPerMillimetre);
}
double InchToMillimetre(double inch) {
    return Checked(inch * kMillimetresPerInch);
}

} // namespace

std::string Convert(Conversion pair, int from, std::string_view text) {
    const double v = ParseLeadingNumber(text);
    switch (pair) {
    case Conversion::Temperature:
        return FormatFixed(from == 0 ? CelsiusToFahrenheit(v) : FahrenheitToCelsius(v), 3);
    case Conversion::Power:
        return FormatFixed(from == 0 ? KilowattToHorsepower(v) : HorsepowerToKilowatt(v), 3, Grouping::Off);
    case Conversion::Length:
        return FormatFixed(from == 0 ? MillimetreToInch(v) : InchToMillimetre(v), 3, Grouping::Off);
    }
    return {};
}

} // namespace quorvane
