// SPDX-License-Identifier: GPL-3.0-or-later
#include "conecalc.h"

#include "numeric.h"

#include <cmath>
#include <numbers>

namespace quorvane {

using std::numbers::pi;

namespace {

double HalfAngle(double delta, double h) {
    const double hyp = Checked(std::sqrt(Square(delta * 0.5) + Square(h)));
    const double ratio = Checked(delta * 0.5 / hyp);
    return Checked((2 * ArcSin(ratio) * (180 / pi)) / 2);
}

} // namespace

ConeLengths ConeFromHalfAngle(double base, double tip, double alpha) {
    const double delta = Checked(base - tip);
    ConeLengths c;
    c.halfAngle = alpha;
    c.centreLength = Checked((delta / 2) * CotDeg(alpha));
    c.sideLength = Checked(std::sqrt(Square(c.centreLength) + Square(delta / 2)));
    return c;
}

ConeLengths ConeFromSideLength(double base, double tip, double s) {
    const double delta = Checked(base - tip);
    ConeLengths c;
    c.sideLength = s;
    c.centreLength = std::sqrt(Square(s) - Square(delta / 2));
    if (std::isnan(c.centreLength))
        throw ArithmeticFailure(Failure::SideTooShort);
    c.halfAngle = HalfAngle(delta, c.centreLength);
    return c;
}

ConeLengths ConeFromCentreLength(double base, double tip, double h) {
    const double delta = Checked(base - tip);
    ConeLengths c;
    c.centreLength = h;
    c.halfAngle = HalfAngle(delta, h);
    c.sideLength = Checked(std::sqrt(Square(h) + Square(delta / 2)));
    return c;
}

namespace {

template <class Compute, class Pick>
CalcOutcome Calc(std::string_view base, std::string_view tip, std::string_view own, Compute compute,
                 Pick pick) {
    const auto parsed = ParseInputs(base, tip, own);
    if (parsed.failure)
        return *parsed.failure;
    const std::array<double, 3> &v = parsed.values;
    // Base is checked before tip, though the tip box comes first on the window.
    for (int i = 0; i < 3; ++i)
        if (v[i] < 1)
            return CalcOutcome::Refuse(i);
    try {
        const ConeLengths c = compute(v[0], v[1], v[2]);
        const auto [first, second] = pick(c);
        return {{FormatFixed(first, 2), FormatFixed(second, 2)}, {}, {}};
    } catch (const ArithmeticFailure &e) {
        return CalcOutcome::Fail(Culprit({v[0], v[1], v[2]}, static_cast<int>(ConeInput::Own)), e);
    }
}

} // namespace

CalcOutcome CalcFromHalfAngle(std::string_view base, std::string_view tip, std::string_view halfAngle) {
    return Calc(base, tip, halfAngle, ConeFromHalfAngle,
                [](const ConeLengths &c) { return std::pair(c.centreLength, c.sideLength); });
}

CalcOutcome CalcFromSideLength(std::string_view base, std::string_view tip, std::string_view sideLength) {
    return Calc(base, tip, sideLength, ConeFromSideLength,
                [](const ConeLengths &c) { return std::pair(c.centreLength, c.halfAngle); });
}

CalcOutcome CalcFromCentreLength(std::string_view base, std::string_view tip, std::string_view centreLength) {
    return Calc(base, tip, centreLength, ConeFromCentreLength,
                [](const ConeLengths &c) { return std::pair(c.halfAngle, c.sideLength); });
}

} // namespace quorvane
