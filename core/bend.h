// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheetgeometry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// Pie-cut bends: a straight section is cut by planes tilted alternately +α,
// −α… from square, and every second piece is turned half a turn about its
// own axis, so the pipe bends at each cut while its centreline keeps its
// length.

inline constexpr int kFewestBendPieces = 2;
inline constexpr int kMostBendPieces = 24;
// The share of the sheet's thickness, from its inside, at which rolling
// neither stretches nor squeezes it: the neutral surface. A half for thin
// sheet rolled to radii many times its thickness.
inline constexpr double kDefaultKFactor = 0.5;
// A cut tilted over 30° leaves pieces that cannot be fitted and welded true.
inline constexpr double kSteepestJointTurn = 60;
// The pipe fitters' usual limits: warned about, not refused.
inline constexpr double kUsualSteepestCutTilt = 15;
inline constexpr double kUsualTightestRadiusPerDiameter = 1.5;

// The radius of the sheet's neutral surface at a section end of inside
// diameter d, for a sheet of thickness t on a cone of half angle β (degrees;
// 0 for a cylinder): r = d/2 + K·t/cos β.
double NeutralRadius(double insideDiameter, double thickness, double halfAngleDegrees,
                     double neutralFactor = kDefaultKFactor);

// The half angle of a frustum, degrees: atan((d1 − d2) / (2h)), d1 ≥ d2.
double HalfAngleDegrees(double baseDiameter, double tipDiameter, double centreLength);

// One section bent through `angle` degrees in `pieces` pieces.
struct Bend {
    double angle = 0; // degrees; 0 leaves the section straight
    int pieces = kFewestBendPieces;
    double direction = 0; // degrees about the section's axis from the side view's up, the way it turns
    bool isStraight() const { return angle == 0; }
};

// The exact geometry of a bent frustum of neutral radii r1 ≥ r2 (or a
// cylinder, r1 = r2) and centre length L, measured from its base end (the
// larger one). Pieces are numbered 1..N from the base, cuts 1..J = N − 1.
// Azimuth φ is measured about the axis from the outside of the bend.
class PieCut {
  public:
    // Throws ArithmeticFailure for a section that has no such bend (no
    // length, no pieces, no angle).
    PieCut(double baseRadius, double tipRadius, double centreLength, double angle, int pieces);

    int pieces() const { return m_pieces; }
    int joints() const { return m_pieces - 1; }
    double jointTurn() const;  // Θ/J, degrees
    double cutTilt() const;    // α = Θ/(2J), degrees
    double bendRadius() const; // R = L / (2J·tan α), of the centreline
    bool isCylinder() const { return m_tanBeta == 0; }
    double halfAngle() const;                              // β, degrees
    double apexDistance() const { return m_apexDistance; } // H = r1 / tan β, from the base plane

    // Cut k (1..J): where it crosses the axis, from the base end, and from the apex.
    double cutOnAxis(int k) const;                                            // z_k = R·tan α·(2k − 1)
    double cutFromApex(int k) const { return m_apexDistance - cutOnAxis(k); } // h_k
    int tiltSign(int k) const { return k % 2 == 1 ? 1 : -1; }                 // σ_k

    // Cone: the true length from the apex at which generator φ (radians)
    // meets cut k, 0..N (0: the base arc, N: the tip arc).
    double trueLength(int k, double phi) const;
    // The flat pattern of the straight section's sector, apex at the origin,
    // generator φ = 0 along +x: the point of generator φ on cut k.
    Point2 conePatternPoint(int k, double phi) const;
    // Cylinder: the flat rectangle, x around the neutral circle from the
    // outside of the bend, y along the axis from the base: cut k's y at x.
    double cylinderCut(int k, double x) const;
    Point2 cylinderPatternPoint(int k, double x) const { return {x, cylinderCut(k, x)}; }
    double cylinderRadius() const { return m_baseRadius; }

    // The length along the generator of piece k (1..N) at its shortest.
    double shortestPiece(int k) const;
    double shortestPiece() const;

  private:
    double m_baseRadius, m_tipRadius, m_length, m_angle;
    int m_pieces;
    double m_tanAlpha = 0, m_tanBeta = 0, m_cosBeta = 1, m_apexDistance = 0;
};

// Cut k of the flat pattern between azimuths phiFrom and phiTo (radians) as
// a polyline that keeps within `tolerance` mm of the exact curve; the ends
// lie exactly on it.
std::vector<Point2> CutCurve(const PieCut &cut, int k, double phiFrom, double phiTo, double tolerance = 0.02);

// Why a bend cannot be made; the user's text for each is written once, in bend.cpp.
enum class BendFault {
    NotANumber,
    Negative,
    FullTurn,            // a bend of a full turn or more runs into itself
    PiecesOutOfRange,    // not a whole number from 2 to 24
    DirectionOutOfRange, // outside 0–360
    JointTurnTooLarge,   // more than 60° at one joint: the angle the pieces cannot reach
    TooManyPieces,       // the half pieces are too short even unbent
    CutsCross,           // at the inside of the bend a piece is too short
    CannotCalculate,     // the section's numbers describe no bend; the arithmetic's reason follows
};
enum class BendField { Angle, Pieces, Direction };

struct BendRefusal {
    std::string section;
    BendField field = BendField::Angle;
    BendFault fault = BendFault::NotANumber;
    std::string reason; // the whole sentence, naming the section
};

enum class BendCaution { SteepCutTilt, TightRadius };
struct BendWarning {
    std::string section;
    BendCaution caution = BendCaution::SteepCutTilt;
    std::string text;
};

// A section's bend as typed: the window's cells and the command line's fields.
struct BendTexts {
    std::string angle = "0";
    std::string pieces = "4";
    std::string direction = "0";
};

// The section a bend applies to, by its inside diameters (any order) and centre length.
struct BendTarget {
    std::string name;
    double diameterA = 0;
    double diameterB = 0;
    double centreLength = 0;
};

// Reads a bend strictly (plain numbers with "." as decimal point) and checks
// it against its section for a sheet of `thickness`: the bend, or why not.
// Warnings for what fitters would avoid are appended to `warnings`.
std::optional<BendRefusal> ReadBend(const BendTexts &texts, const BendTarget &target, double thickness,
                                    Bend &bend, std::vector<BendWarning> *warnings = nullptr,
                                    double neutralFactor = kDefaultKFactor);

// The shortest piece a bend may have anywhere around: closer cuts leave the
// welds nothing to hold, and at the inside of a sharp bend they cross.
double ShortestPieceAllowed(double thickness);

} // namespace quorvane
