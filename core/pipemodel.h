// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bend.h"
#include "pattern.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// The assembled pipe in space, millimetres. The port flange's centre is the
// origin, the pipe leaves it along +x, +z is the side view's up and +y points
// to the left looking down the pipe (so the side view looks from the right).

struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
};
Vec3 operator+(Vec3 a, Vec3 b);
Vec3 operator-(Vec3 a, Vec3 b);
Vec3 operator*(double s, Vec3 a);
double Dot(Vec3 a, Vec3 b);
Vec3 Cross(Vec3 a, Vec3 b);
double Length(Vec3 a);

// A rigid motion: p ↦ rotation·p + origin, the rotation's columns being the
// images of the axes.
struct Placement {
    std::array<Vec3, 3> axes{Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}};
    Vec3 origin;
    Vec3 turn(Vec3 v) const;                       // rotation only
    Vec3 apply(Vec3 p) const;                      // rotation and shift
    Placement after(const Placement &inner) const; // this ∘ inner
};

// One chamber section as it runs from the port outwards.
struct PipeSection {
    std::string name;
    double startDiameter = 0; // inside diameters, mm
    double endDiameter = 0;
    double centreLength = 0;
    Bend bend;
};

// The chamber's sections in flow order, each end's diameter the one it shares
// with its neighbour (the header starts at the flange), all straight.
std::vector<PipeSection> InFlowOrder(const std::vector<Section> &sections);

// The section labels of the bend plan, header to tail: "L1" … "L7".
std::string ShortName(const std::string &sectionName);

// Applies a bend plan typed per section, keyed by ShortName ("L3"); sections
// it does not name stay straight. The first refusal, in pipe order, or none.
std::optional<BendRefusal> ApplyBendPlan(std::vector<PipeSection> &sections,
                                         const std::map<std::string, BendTexts> &plan, double thickness,
                                         std::vector<BendWarning> *warnings = nullptr);

struct ModelOptions {
    double thickness = 0;
    double neutralFactor = kDefaultKFactor;
};

enum class Surface { Inside, Neutral, Outside };

// Where the pipe is and which way it runs, with its own "up" carried along
// without twist.
struct PipeFrame {
    Vec3 position;
    Vec3 direction{1, 0, 0};
    Vec3 up{0, 0, 1};
};

struct Box3 {
    Vec3 low;
    Vec3 high;
    Vec3 size() const { return high - low; }
};

// One section cut and assembled: its geometry in its own coordinates (z along
// the flow from its start, x towards the outside of its bend) and where each
// piece went.
class SectionModel {
  public:
    SectionModel(const PipeSection &section, const ModelOptions &options, const PipeFrame &start);

    const PipeSection &section() const { return m_section; }
    int pieces() const { return m_pieceCount; }
    // Section coordinates → world, of piece k (1..N) as it was cut from the straight section.
    const Placement &piece(int k) const { return m_pieces[k - 1]; }
    // Section coordinates → world, of the pipe's twist-free frame along piece k.
    Placement frame(int k) const;
    const Placement &start() const { return m_start; }
    // Cut c (0..N, 0 and N the square ends) meets generator φ (radians) of a
    // surface here, in section coordinates.
    Vec3 onCut(int c, Surface surface, double phi) const;
    // The same point on piece k (which has cuts k − 1 and k) in the world.
    Vec3 worldOnPiece(int k, int c, Surface surface, double phi) const {
        return piece(k).apply(onCut(c, surface, phi));
    }
    double radius(Surface surface, double z) const;
    // Centre of cut c's ellipse on the neutral surface; every piece is turned
    // half a turn about its normal there to meet its neighbour.
    Vec3 cutCentre(int c) const;
    Vec3 cutNormal(int c) const;
    // The azimuth on piece c + 1 of the point that meets piece c's generator φ at cut c.
    double azimuthAcross(int c, double phi) const;
    PipeFrame exit() const { return m_exit; }
    // Where consecutive pieces' axes meet, in the world, joint 1..J.
    const std::vector<Vec3> &knees() const { return m_knees; }

  private:
    Vec3 halfTurn(int c, Vec3 p) const;

    PipeSection m_section;
    double m_thickness, m_neutralFactor;
    int m_pieceCount = 1;
    double m_slope = 0, m_cosBeta = 1, m_tanAlpha = 0;
    Placement m_start;
    std::vector<Placement> m_pieces;
    std::vector<Vec3> m_knees;
    PipeFrame m_exit;
};

struct AssembledPipe {
    std::vector<SectionModel> sections;
    std::vector<Vec3> centreline; // port centre, each knee, each section end
    PipeFrame exit;
    Box3 envelope; // of the outside of the wall
    double centrelineLength() const;
};

// Chains the sections square end to square end from the port, leaving out a
// straight one of no length. Throws
// ArithmeticFailure when the numbers cannot be calculated.
AssembledPipe AssemblePipe(const std::vector<PipeSection> &sections, const ModelOptions &options);

// The figures a fitter sets the pipe up by, one per line: the envelope, where
// the exit is from the port and which way it points, the centreline's length.
std::string PipeFigures(const AssembledPipe &pipe);

struct Mesh {
    std::vector<Vec3> vertices;
    std::vector<std::array<std::uint32_t, 3>> triangles; // counter-clockwise seen from outside
    std::vector<std::uint32_t> pieceOf; // each triangle's piece, counted from the port: 0, 1, …
};

// The wall as one closed solid: inside and outside surfaces, annular faces at
// both ends, a flat ledge where neighbouring walls differ, and the joints
// sharing their vertices. `segments` around (a multiple of 4), or 0 for
// chords within 0.02 mm of the largest circle.
Mesh PipeMesh(const AssembledPipe &pipe, int segments = 0);
// Only the outside surface, for drawing.
Mesh OutsideMesh(const AssembledPipe &pipe, int segments);

} // namespace quorvane
