// SPDX-License-Identifier: GPL-3.0-or-later
#include "bend.h"

#include "numeric.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

namespace quorvane {

namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr double kFullTurnDegrees = 360;
// Enough probes along cos φ to find a piece's shortest generator: its length
// is a smooth ratio of cos φ, shortest at the inside or outside of the bend.
constexpr int kAzimuthProbes = 33;
constexpr int kDeepestSplit = 40;

} // namespace

namespace {

struct FaultFigures {
    double limit = 0;
    double found = 0;
};

std::string FaultText(BendFault fault, BendField field, const std::string &section, const FaultFigures &f) {
    static constexpr const char *kFieldNames[] = {"bend angle", "number of pieces", "bend direction"};
    const std::string what = std::string(kFieldNames[static_cast<int>(field)]) + " of " + section;
    switch (fault) {
    case BendFault::NotANumber:
        return "The " + what + " is not a number: type a plain number with \".\" as decimal point.";
    case BendFault::Negative:
        return "The " + what + " is negative: it must be 0 or more.";
    case BendFault::FullTurn:
        return "The " + what +
               " is a full turn or more: the pipe would run into itself. Bend it less than 360°.";
    case BendFault::PiecesOutOfRange:
        return "The " + what + " must be a whole number from " + std::to_string(kFewestBendPieces) + " to " +
               std::to_string(kMostBendPieces) + ".";
    case BendFault::DirectionOutOfRange:
        return "The " + what + " must be from 0 to 360°.";
    case BendFault::JointTurnTooLarge:
        return "The " + what + " needs " + FormatFixed(f.found, 1) + "° at each joint, more than " +
               FormatFixed(kSteepestJointTurn, 0) +
               "° (cuts tilted over 30°): use more pieces or a smaller angle.";
    case BendFault::TooManyPieces:
        return "The " + what + " is too many for its length: the end pieces would be " +
               FormatFixed(f.found, 2) + " mm long, less than " + FormatFixed(f.limit, 2) +
               " mm. Use fewer pieces.";
    case BendFault::CannotCalculate:
        return "The bend of " + section + " cannot be calculated:";
    case BendFault::CutsCross:
        return "The " + what + " is too sharp for its pieces: at the inside of the bend a piece would be " +
               FormatFixed(f.found, 2) + " mm long, less than " + FormatFixed(f.limit, 2) +
               " mm, and the cuts would cross. Use fewer pieces or a smaller angle.";
    }
    return {}; // every fault has its case above
}

double DistanceToSegment(Point2 p, Point2 a, Point2 b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double lengthSquared = dx * dx + dy * dy;
    double s = lengthSquared > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSquared : 0;
    s = std::clamp(s, 0.0, 1.0);
    return std::hypot(p.x - (a.x + s * dx), p.y - (a.y + s * dy));
}

} // namespace

double NeutralRadius(double insideDiameter, double thickness, double halfAngleDegrees, double neutralFactor) {
    return Checked(insideDiameter / 2 + neutralFactor * thickness / std::cos(halfAngleDegrees * kDegree));
}

double HalfAngleDegrees(double baseDiameter, double tipDiameter, double centreLength) {
    return Checked(std::atan2(baseDiameter - tipDiameter, 2 * centreLength) / kDegree);
}

PieCut::PieCut(double baseRadius, double tipRadius, double centreLength, double angle, int pieces)
    : m_baseRadius(baseRadius), m_tipRadius(tipRadius), m_length(centreLength), m_angle(angle),
      m_pieces(pieces) {
    if (!(centreLength > 0) || !(angle > 0) || pieces < kFewestBendPieces || !(tipRadius > 0) ||
        !(baseRadius >= tipRadius) || !std::isfinite(baseRadius) || !std::isfinite(centreLength))
        throw ArithmeticFailure(Failure::NumbersTooLarge);
    m_tanAlpha = Checked(std::tan(cutTilt() * kDegree));
    m_tanBeta = (baseRadius - tipRadius) / centreLength;
    m_cosBeta = 1 / std::sqrt(1 + m_tanBeta * m_tanBeta);
    if (m_tanBeta > 0)
        m_apexDistance = Checked(baseRadius / m_tanBeta);
}

double PieCut::jointTurn() const {
    return m_angle / joints();
}

double PieCut::cutTilt() const {
    return m_angle / (2 * joints());
}

double PieCut::bendRadius() const {
    return Checked(m_length / (2 * joints() * m_tanAlpha));
}

double PieCut::halfAngle() const {
    return std::atan(m_tanBeta) / kDegree;
}

double PieCut::cutOnAxis(int k) const {
    // R·tan α·(2k − 1) with R·tan α = L/(2J), written so no rounding of tan α enters.
    return m_length * (2 * k - 1) / (2 * joints());
}

double PieCut::trueLength(int k, double phi) const {
    if (isCylinder())
        throw ArithmeticFailure(Failure::CylinderHasNoApex);
    if (k <= 0)
        return m_apexDistance / m_cosBeta;
    if (k >= m_pieces)
        return (m_apexDistance - m_length) / m_cosBeta;
    return Checked(cutFromApex(k) / (m_cosBeta * (1 + tiltSign(k) * m_tanAlpha * m_tanBeta * std::cos(phi))));
}

Point2 PieCut::conePatternPoint(int k, double phi) const {
    const double sinBeta = m_tanBeta * m_cosBeta;
    const double rho = trueLength(k, phi);
    return {rho * std::cos(phi * sinBeta), rho * std::sin(phi * sinBeta)};
}

double PieCut::cylinderCut(int k, double x) const {
    if (k <= 0)
        return 0;
    if (k >= m_pieces)
        return m_length;
    return cutOnAxis(k) + tiltSign(k) * m_tanAlpha * m_baseRadius * std::cos(x / m_baseRadius);
}

double PieCut::shortestPiece(int k) const {
    double shortest = HUGE_VAL;
    for (int i = 0; i < kAzimuthProbes; ++i) {
        const double phi = std::numbers::pi * i / (kAzimuthProbes - 1);
        const double length =
            isCylinder() ? cylinderCut(k, phi * m_baseRadius) - cylinderCut(k - 1, phi * m_baseRadius)
                         : trueLength(k - 1, phi) - trueLength(k, phi);
        shortest = std::min(shortest, length);
    }
    return shortest;
}

double PieCut::shortestPiece() const {
    double shortest = HUGE_VAL;
    for (int k = 1; k <= m_pieces; ++k)
        shortest = std::min(shortest, shortestPiece(k));
    return shortest;
}

std::vector<Point2> CutCurve(const PieCut &cut, int k, double phiFrom, double phiTo, double tolerance) {
    auto at = [&](double phi) {
        return cut.isCylinder() ? cut.cylinderPatternPoint(k, phi * cut.cylinderRadius())
                                : cut.conePatternPoint(k, phi);
    };
    // Each chord is accepted when the curve's points a quarter, half and
    // three quarters along it lie within half the tolerance: on these
    // gently curved cuts the chord's deviation peaks near its middle.
    const double accept = tolerance / 2;
    std::vector<Point2> out{at(phiFrom)};
    const int start =
        std::max(1, static_cast<int>(std::ceil(std::abs(phiTo - phiFrom) / (std::numbers::pi / 16))));
    auto refine = [&](auto &&self, double a, double b, Point2 pa, Point2 pb, int depth) -> void {
        bool near = true;
        for (int q = 1; q <= 3 && near; ++q)
            near = DistanceToSegment(at(a + (b - a) * q / 4), pa, pb) <= accept;
        if (near || depth >= kDeepestSplit) {
            out.push_back(pb);
            return;
        }
        const double m = (a + b) / 2;
        const Point2 pm = at(m);
        self(self, a, m, pa, pm, depth + 1);
        self(self, m, b, pm, pb, depth + 1);
    };
    Point2 previous = out.front();
    for (int i = 1; i <= start; ++i) {
        const double a = phiFrom + (phiTo - phiFrom) * (i - 1) / start;
        const double b = i == start ? phiTo : phiFrom + (phiTo - phiFrom) * i / start;
        const Point2 pb = at(b);
        refine(refine, a, b, previous, pb, 0);
        previous = pb;
    }
    return out;
}

double ShortestPieceAllowed(double thickness) {
    return std::max(3.0, 3 * thickness);
}

namespace {

struct SectionFault {
    BendField field;
    BendFault fault;
    FaultFigures figures;
};

// The cuts against the section's own geometry: they must leave every piece
// long enough all round; fitters' cautions are appended.
std::optional<SectionFault> CheckAgainstSection(const Bend &bend, const BendTarget &target, double thickness,
                                                double neutralFactor, std::vector<BendWarning> *warnings) {
    const double large = std::max(target.diameterA, target.diameterB);
    const double small = std::min(target.diameterA, target.diameterB);
    const double beta = HalfAngleDegrees(large, small, target.centreLength);
    const PieCut cut(NeutralRadius(large, thickness, beta, neutralFactor),
                     NeutralRadius(small, thickness, beta, neutralFactor), target.centreLength, bend.angle,
                     bend.pieces);
    const double shortestAllowed = ShortestPieceAllowed(thickness);
    const double shortest = cut.shortestPiece();
    if (shortest < shortestAllowed)
        return SectionFault{BendField::Angle, BendFault::CutsCross, {shortestAllowed, shortest}};
    if (!warnings)
        return std::nullopt;
    if (cut.cutTilt() > kUsualSteepestCutTilt)
        warnings->push_back({target.name, BendCaution::SteepCutTilt,
                             target.name + ": the cuts tilt " + FormatFixed(cut.cutTilt(), 1) +
                                 "°, more than the " + FormatFixed(kUsualSteepestCutTilt, 0) +
                                 "° pipe fitters usually allow; more pieces make smoother joints."});
    // R = L / (2J·tan α) compared without dividing: a slight bend has a radius past any number.
    const double tightest = kUsualTightestRadiusPerDiameter * large;
    if (target.centreLength < tightest * 2 * cut.joints() * std::tan(cut.cutTilt() * kDegree))
        warnings->push_back({target.name, BendCaution::TightRadius,
                             target.name + ": the centreline bend radius " +
                                 FormatFixed(cut.bendRadius(), 1) +
                                 " mm is under 1.5 × the section's larger diameter (" +
                                 FormatFixed(tightest, 1) + " mm), tighter than pipe fitters usually bend."});
    return std::nullopt;
}

} // namespace

std::optional<BendRefusal> ReadBend(const BendTexts &texts, const BendTarget &target, double thickness,
                                    Bend &bend, std::vector<BendWarning> *warnings, double neutralFactor) {
    auto refuse = [&](BendField field, BendFault fault, FaultFigures figures = {}) {
        return BendRefusal{target.name, field, fault, FaultText(fault, field, target.name, figures)};
    };
    const std::optional<double> angle = ReadPlainNumber(texts.angle);
    if (!angle)
        return refuse(BendField::Angle, BendFault::NotANumber);
    if (*angle < 0)
        return refuse(BendField::Angle, BendFault::Negative);
    if (*angle >= kFullTurnDegrees)
        return refuse(BendField::Angle, BendFault::FullTurn);
    const std::optional<double> pieces = ReadPlainNumber(texts.pieces);
    if (!pieces)
        return refuse(BendField::Pieces, BendFault::NotANumber);
    if (*pieces < kFewestBendPieces || *pieces > kMostBendPieces || std::floor(*pieces) != *pieces)
        return refuse(BendField::Pieces, BendFault::PiecesOutOfRange);
    const std::optional<double> direction = ReadPlainNumber(texts.direction);
    if (!direction)
        return refuse(BendField::Direction, BendFault::NotANumber);
    if (*direction < 0 || *direction > kFullTurnDegrees)
        return refuse(BendField::Direction, BendFault::DirectionOutOfRange);
    Bend read{*angle, static_cast<int>(*pieces), *direction == kFullTurnDegrees ? 0 : *direction};
    if (!read.isStraight()) {
        const int joints = read.pieces - 1;
        if (read.angle / joints > kSteepestJointTurn)
            return refuse(BendField::Angle, BendFault::JointTurnTooLarge,
                          {kSteepestJointTurn, read.angle / joints});
        const double shortestAllowed = ShortestPieceAllowed(thickness);
        const double halfPiece = target.centreLength / (2 * joints);
        if (halfPiece < shortestAllowed)
            return refuse(BendField::Pieces, BendFault::TooManyPieces, {shortestAllowed, halfPiece});
        try {
            if (auto refusal = CheckAgainstSection(read, target, thickness, neutralFactor, warnings))
                return refuse(refusal->field, refusal->fault, refusal->figures);
        } catch (const ArithmeticFailure &failure) {
            return BendRefusal{target.name, BendField::Angle, BendFault::CannotCalculate,
                               FaultText(BendFault::CannotCalculate, BendField::Angle, target.name, {}) +
                                   " " + failure.what()};
        }
    }
    bend = read;
    return std::nullopt;
}

} // namespace quorvane
