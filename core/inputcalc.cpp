#include "inputcalc.h"

#include "numeric.h"

#include <cmath>
#include <numbers>

namespace quorvane {

using std::numbers::pi;

double ExhaustPortTiming(double S, double L, double d, double t) {
    const double r = S / 2;
    const double x = Checked(L + r + d - t);
    if (x == 0)
        throw ArithmeticFailure(Failure::PortNeverOpens);
    const double c = Checked((Square(x) + Square(r) - Square(L)) / (2 * r * x));
    const double a = ArcCos(c);
    return Checked((180 - (180 / pi) * a) * 2);
}

double AverageBmep(double P, double N, double B, double S) {
    const double displacement = Checked((pi / 4) * Square(B) * S / 1000);
    return Checked(10000 * P / ((N / 60) * displacement));
}

double CelsiusToFahrenheit(double c) {
    return Checked(c * 9 / 5 + 32);
}
double FahrenheitToCelsius(double f) {
    return Checked((f - 32) * 5 / 9);
}
double KilowattToHorsepower(double kw) {
    return Checked(kw * 1.341022);
}
double HorsepowerToKilowatt(double hp) {
    return Checked(hp * 0.7457);
}
double MillimetreToInch(double mm) {
    return Checked(mm * 0.039370079);
}
double InchToMillimetre(double inch) {
    return Checked(inch * 25.39999983236);
}

CalcOutcome CalcTiming(std::string_view strokeText, std::string_view rodText, std::string_view deckText,
                       std::string_view portTopText) {
    const auto parsed = ParseInputs(strokeText, rodText, deckText, portTopText);
    if (parsed.failure)
        return *parsed.failure;
    const auto [S, L, d, t] = parsed.values;
    if (S < 1)
        return CalcOutcome::Refuse(static_cast<int>(TimingInput::Stroke));
    if (L < 1)
        return CalcOutcome::Refuse(static_cast<int>(TimingInput::RodLength));
    if (t < 1)
        return CalcOutcome::Refuse(static_cast<int>(TimingInput::PortTop));
    try {
        const double timing = ExhaustPortTiming(S, L, d, t);
        return {{FormatFixed(timing, 2), FormatFixed(Checked(S - t), 2)}, {}, {}};
    } catch (const ArithmeticFailure &e) {
        return CalcOutcome::Fail(Culprit({S, L, d, t}, static_cast<int>(TimingInput::PortTop)), e);
    }
}

CalcOutcome CalcBmep(std::string_view powerText, std::string_view rpmText, std::string_view boreText,
                     std::string_view strokeText) {
    const auto parsed = ParseInputs(powerText, rpmText, boreText, strokeText);
    if (parsed.failure)
        return *parsed.failure;
    const std::array<double, 4> &v = parsed.values;
    for (int i = 0; i < 4; ++i)
        if (v[i] < 1)
            return CalcOutcome::Refuse(i);
    try {
        return {{FormatFixed(AverageBmep(v[0], v[1], v[2], v[3]), 2)}, {}, {}};
    } catch (const ArithmeticFailure &e) {
        return CalcOutcome::Fail(LargestInput({v[0], v[1], v[2], v[3]}), e);
    }
}

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

const char *const kExhaustTemperatureGuide = "Exhaust Temperature Range (Estimated Only)\n"
                                             "\n"
                                             "Under 5 Bar = 350C\n"
                                             "7 Bar = 450C\n"
                                             "9 Bar = 550C\n"
                                             "Over 11 Bar = 650C";

} // namespace quorvane
