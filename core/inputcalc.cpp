// SPDX-License-Identifier: GPL-3.0-or-later
#include "inputcalc.h"

#include "numeric.h"

#include <cmath>
#include <numbers>

namespace quorvane {

using std::numbers::pi;

double ExhaustPortTiming(double stroke, double rodLength, double deckToPiston, double deckToPortTop) {
    const double r = stroke / 2;
    const double x = Checked(rodLength + r + deckToPiston - deckToPortTop);
    if (x == 0)
        throw ArithmeticFailure(Failure::PortNeverOpens);
    const double c = Checked((Square(x) + Square(r) - Square(rodLength)) / (2 * r * x));
    const double a = ArcCos(c);
    return Checked((180 - (180 / pi) * a) * 2);
}

double AverageBmep(double powerKw, double rpm, double bore, double stroke) {
    const double displacement = Checked((pi / 4) * Square(bore) * stroke / 1000);
    return Checked(10000 * powerKw / ((rpm / 60) * displacement));
}

CalcOutcome CalcTiming(std::string_view strokeText, std::string_view rodText, std::string_view deckText,
                       std::string_view portTopText) {
    const auto parsed = ParseInputs(strokeText, rodText, deckText, portTopText);
    if (parsed.failure)
        return *parsed.failure;
    const auto [stroke, rod, deck, portTop] = parsed.values;
    if (stroke < 1)
        return CalcOutcome::Refuse(static_cast<int>(TimingInput::Stroke));
    if (rod < 1)
        return CalcOutcome::Refuse(static_cast<int>(TimingInput::RodLength));
    if (portTop < 1)
        return CalcOutcome::Refuse(static_cast<int>(TimingInput::PortTop));
    try {
        const double timing = ExhaustPortTiming(stroke, rod, deck, portTop);
        // Open from its top edge down to the crown at bottom dead centre, which sits the deck distance
        // lower than the stroke alone says.
        const double portHeight = Checked(stroke - (portTop - deck));
        return {{FormatFixed(timing, 2), FormatFixed(portHeight, 2)}, {}, {}};
    } catch (const ArithmeticFailure &e) {
        return CalcOutcome::Fail(
            Culprit({stroke, rod, deck, portTop}, static_cast<int>(TimingInput::PortTop)), e);
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

const char *const kExhaustTemperatureGuide = "Exhaust Temperature Range (Estimated Only)\n"
                                             "\n"
                                             "Under 5 Bar = 350C\n"
                                             "7 Bar = 450C\n"
                                             "9 Bar = 550C\n"
                                             "Over 11 Bar = 650C";

} // namespace quorvane
