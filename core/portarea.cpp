#include "portarea.h"

#include "numeric.h"

#include <cmath>
#include <numbers>

namespace quorvane {

using std::numbers::pi;

double ChordalPortWidth(double curved, double bore) {
    const double r = bore / 2;
    const double angleDegrees = Checked(curved / (2 * pi * r) * 360);
    const double angleRadians = (pi / 180) * angleDegrees;
    return Checked(2 * r * std::sin(angleRadians / 2));
}

double SegmentArea(double R, double h) {
    const double cosine = Checked((R - h) / R);
    const double root = std::sqrt(Checked(2 * R * h - Square(h)));
    if (std::isnan(root))
        throw ArithmeticFailure(Failure::SegmentTooHigh);
    return Checked(Square(R) * ArcCos(cosine) - (R - h) * root);
}

double PortWindowArea(double W, double H, double r1, int k1, double r2, int k2, double R, double h) {
    const double rectangle = Checked(W * H);
    const double corners1 = Checked((Square(r1) - Square(r1) * pi / 4) * k1);
    const double corners2 = Checked((Square(r2) - Square(r2) * pi / 4) * k2);
    double area = Checked(rectangle - (corners2 + corners1));
    if (R != 0 && h != 0)
        area = Checked(area - (h * W - SegmentArea(R, h)));
    return area;
}

double EquivalentDiameter(double area) {
    if (area < 0)
        throw ArithmeticFailure(Failure::NegativeArea);
    return Checked(std::sqrt(Checked(4 * area) / pi));
}

CalcOutcome CalcPortWidth(std::string_view curvedText, std::string_view boreText) {
    double v[2] = {};
    if (auto failed = ParseInputs({curvedText, boreText}, v))
        return *failed;
    const double curved = v[0], bore = v[1];
    if (curved < 1)
        return CalcOutcome::Refuse(static_cast<int>(WidthInput::CurvedWidth));
    if (bore / 2 < 1)
        return CalcOutcome::Refuse(static_cast<int>(WidthInput::Bore));
    try {
        return {{FormatFixed(ChordalPortWidth(curved, bore), 2)}, {}, {}};
    } catch (const ArithmeticFailure &e) {
        return CalcOutcome::Fail(LargestInput({curved, bore}), e.what());
    }
}

CalcOutcome CalcSegmentOnly(std::string_view radiusText, std::string_view heightText) {
    double v[2] = {};
    if (auto failed = ParseInputs({heightText, radiusText}, v))
        return *failed;
    const double h = v[0], R = v[1];
    if (R == 0 || h == 0)
        return {};
    try {
        return {{FormatFixed(SegmentArea(R, h), 2)}, {}, {}};
    } catch (const ArithmeticFailure &e) {
        const int culprit = h > 2 * R ? static_cast<int>(SegmentInput::Height) : LargestInput({h, R});
        return CalcOutcome::Fail(culprit, e.what());
    }
}

namespace {

AreaInput AreaCulprit(double W, double H, double r1, double r2, double h, double R) {
    if (R != 0 && h != 0 && h > 2 * R)
        return AreaInput::SegmentHeight;
    for (double v : {W, H, r1, r2, h, R})
        if (std::fabs(v) > 1e100)
            return static_cast<AreaInput>(LargestInput({W, H, r1, r2, h, R}));
    // Otherwise the area came out negative: corners larger than the port itself.
    if (W <= 0)
        return AreaInput::Width;
    if (H <= 0)
        return AreaInput::Height;
    return AreaInput::Radius1;
}

} // namespace

CalcOutcome CalcPortArea(std::string_view widthText, std::string_view heightText, std::string_view r1Text,
                         int k1, std::string_view r2Text, int k2, std::string_view segmentRadiusText,
                         std::string_view segmentHeightText) {
    double v[6] = {};
    if (auto failed =
            ParseInputs({widthText, heightText, r1Text, r2Text, segmentHeightText, segmentRadiusText}, v))
        return *failed;
    const double W = v[0], H = v[1], r1 = v[2], r2 = v[3], h = v[4], R = v[5];
    try {
        const double area = PortWindowArea(W, H, r1, k1, r2, k2, R, h);
        return {{FormatFixed(area, 2, Grouping::Off), FormatFixed(EquivalentDiameter(area), 2)}, {}, {}};
    } catch (const ArithmeticFailure &e) {
        return CalcOutcome::Fail(static_cast<int>(AreaCulprit(W, H, r1, r2, h, R)), e.what());
    }
}

CalcOutcome CalcAreaToDiameter(std::string_view areaText) {
    try {
        return {{FormatFixed(EquivalentDiameter(ParseLeadingNumber(areaText)), 2)}, {}, {}};
    } catch (const ArithmeticFailure &e) {
        return CalcOutcome::Fail(0, e.what());
    }
}

} // namespace quorvane
