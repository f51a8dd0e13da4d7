// SPDX-License-Identifier: GPL-3.0-or-later
#include "portarea.h"

#include "numeric.h"

#include <cmath>
#include <numbers>

namespace quorvane {

using std::numbers::pi;

double ChordalPortWidth(double curvedWidth, double boreDiameter) {
    const double r = boreDiameter / 2;
    const double angleDegrees = Checked(curvedWidth / (2 * pi * r) * 360);
    const double angleRadians = (pi / 180) * angleDegrees;
    return Checked(2 * r * std::sin(angleRadians / 2));
}

double SegmentArea(double radius, double height) {
    const double cosine = Checked((radius - height) / radius);
    const double root = std::sqrt(Checked(2 * radius * height - Square(height)));
    if (std::isnan(root))
        throw ArithmeticFailure(Failure::SegmentTooHigh);
    return Checked(Square(radius) * ArcCos(cosine) - (radius - height) * root);
}

double PortWindowArea(double width, double height, double r1, int k1, double r2, int k2, double segmentRadius,
                      double segmentHeight) {
    const double rectangle = Checked(width * height);
    const double corners1 = Checked((Square(r1) - Square(r1) * pi / 4) * k1);
    const double corners2 = Checked((Square(r2) - Square(r2) * pi / 4) * k2);
    double area = Checked(rectangle - (corners2 + corners1));
    if (segmentRadius != 0 && segmentHeight != 0)
        area = Checked(area - (segmentHeight * width - SegmentArea(segmentRadius, segmentHeight)));
    return area;
}

double EquivalentDiameter(double area) {
    if (area < 0)
        throw ArithmeticFailure(Failure::NegativeArea);
    return Checked(std::sqrt(Checked(4 * area) / pi));
}

CalcOutcome CalcPortWidth(std::string_view curvedText, std::string_view boreText) {
    const auto parsed = ParseInputs(curvedText, boreText);
    if (parsed.failure)
        return *parsed.failure;
    const auto [curved, bore] = parsed.values;
    if (curved < 1)
        return CalcOutcome::Refuse(static_cast<int>(WidthInput::CurvedWidth));
    if (bore / 2 < 1)
        return CalcOutcome::Refuse(static_cast<int>(WidthInput::Bore));
    try {
        return {{FormatFixed(ChordalPortWidth(curved, bore), 2)}, {}, {}};
    } catch (const ArithmeticFailure &e) {
        return CalcOutcome::Fail(LargestInput({curved, bore}), e);
    }
}

CalcOutcome CalcSegmentOnly(std::string_view radiusText, std::string_view heightText) {
    const auto parsed = ParseInputs(heightText, radiusText);
    if (parsed.failure)
        return *parsed.failure;
    const auto [height, radius] = parsed.values;
    if (radius == 0 || height == 0)
        return {};
    try {
        return {{FormatFixed(SegmentArea(radius, height), 2)}, {}, {}};
    } catch (const ArithmeticFailure &e) {
        const bool tooHigh = height > 2 * radius;
        return CalcOutcome::Fail(
            tooHigh ? static_cast<int>(SegmentInput::Height) : LargestInput({height, radius}), e);
    }
}

CalcOutcome CalcPortArea(std::string_view widthText, std::string_view heightText, std::string_view r1Text,
                         int k1, std::string_view r2Text, int k2, std::string_view segmentRadiusText,
                         std::string_view segmentHeightText) {
    const auto parsed =
        ParseInputs(widthText, heightText, r1Text, r2Text, segmentHeightText, segmentRadiusText);
    if (parsed.failure)
        return *parsed.failure;
    const auto [width, height, r1, r2, segmentHeight, segmentRadius] = parsed.values;
    try {
        const double area = PortWindowArea(width, height, r1, k1, r2, k2, segmentRadius, segmentHeight);
        return {{FormatFixed(area, 2, Grouping::Off), FormatFixed(EquivalentDiameter(area), 2)}, {}, {}};
    } catch (const ArithmeticFailure &e) {
        if (segmentRadius != 0 && segmentHeight != 0 && segmentHeight > 2 * segmentRadius)
            return CalcOutcome::Fail(static_cast<int>(AreaInput::SegmentHeight), e);
        // Unless an input overflowed, the area came out negative: corners larger than the port itself.
        const AreaInput usual = width <= 0    ? AreaInput::Width
                                : height <= 0 ? AreaInput::Height
                                              : AreaInput::Radius1;
        return CalcOutcome::Fail(
            Culprit({width, height, r1, r2, segmentHeight, segmentRadius}, static_cast<int>(usual)), e);
    }
}

CalcOutcome CalcAreaToDiameter(std::string_view areaText) {
    try {
        return {{FormatFixed(EquivalentDiameter(ParseLeadingNumber(areaText)), 2)}, {}, {}};
    } catch (const ArithmeticFailure &e) {
        return CalcOutcome::Fail(0, e);
    }
}

} // namespace quorvane
