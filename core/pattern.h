// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bend.h"
#include "chamber.h"
#include "sheetgeometry.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// One section of the chamber as a rolled sheet: a cone frustum, or a cylinder
// when both diameters are equal. Diameters are inside diameters.
struct Section {
    std::string name; // "Cone L3"
    double baseDiameter = 0;
    double tipDiameter = 0;
    double centreLength = 0;
    // The flow enters at the tip end (the diffuser cones): the pieces of a
    // bend are turned counting from the end the flow enters.
    bool flowsFromTip = false;
    bool isCylinder() const { return baseDiameter == tipDiameter; }
};

// The seven sections of a calculated chamber from the engine outwards: the
// header, the three diffuser cones, the belly, the baffle cone and the tail
// pipe. The cones are the flat cone plot's batch cones, at full precision; the
// header's base is its larger end.
std::vector<Section> ChamberSections(const PipeInputs &inputs, const PipeResult &result);

// A bent section cut as one blank with the cut curves drawn on it, or as
// each piece of the bend on its own.
enum class BendLayout { Pieces, Blank };

struct PatternOptions {
    double thickness = 0;
    double kFactor = kDefaultKFactor;
    // Typed cones may be measured outside; the chamber's are inside diameters.
    bool outsideDiameters = false;
    int pieces = 1;           // equal pieces around the axis, 1 to 12
    double seamAllowance = 0; // a lap strip outside one seam edge of each piece
    int rollLines = 0;        // generator lines to roll along
    // Bent sections by BendKey; a section not named stays straight. A bent
    // section is one piece around whatever `pieces` says.
    std::map<std::string, Bend> bends{};
    BendLayout bendLayout = BendLayout::Pieces;
};

// How a line of a piece is drawn and which layer of a CAD file it goes to.
enum class Stroke {
    Cut,    // the outline to cut
    Fold,   // where a seam allowance folds: dashed
    Roll,   // roll lines: thin
    Centre, // the piece's centre line: dash-dot
    Mark,   // the "this side out" arrow
    PieCut, // a bend's cut drawn on a blank: cut along it after rolling
};

// How a stroke looks on paper, the same in every file and on screen: widths
// and dashes in mm.
struct StrokeLook {
    double width = 0;
    unsigned rgb = 0;           // 0xRRGGBB
    std::vector<double> dashes; // on, off, on, off...; empty: solid
};
const StrokeLook &LookOf(Stroke stroke);

// A line drawn on a piece besides its outline.
struct Edge {
    Shape shape;
    Stroke stroke = Stroke::Mark;
};

// Text of a piece's marks: `height` is the letters' cap height in mm; the text
// is centred on `at`, upright.
struct Label {
    Point2 at;
    double height = 0;
    std::string text;
};

struct Piece {
    std::string title; // "Cone L3, piece 2 of 3"
    Contour cut;       // the outline to cut, seam allowance and all
    std::vector<Edge> marks;
    std::vector<Label> labels;
    Bounds bounds; // of the outline and the marks
};

// The sheet's neutral surface of a section, developed flat. A cone's is an
// annular sector about the apex: both arcs sweep one angle, so the rolled
// sheet closes into a true frustum with its ends in their planes.
struct Development {
    double halfAngle = 0;   // degrees; 0 for a cylinder
    double slant = 0;       // along the surface from end to end
    double baseRadius = 0;  // the neutral surface's radius in the base end's plane
    double tipRadius = 0;   // and in the tip end's
    double outerRadius = 0; // R1: apex to the arc of the larger end
    double innerRadius = 0; // R2: apex to the arc of the smaller end
    double sweep = 0;       // of the whole section, degrees: 360 × sin(half angle)
    double width = 0;       // a cylinder's rectangle: once around the neutral circle
    double length = 0;      // and along the axis
};

// Throws ArithmeticFailure when the numbers cannot be calculated, or when a
// sheet measured outside is too thick for a diameter.
Development DevelopSection(const Section &section, const PatternOptions &options);

struct SectionPattern {
    Section section;
    Development development;
    int pieces = 1;
    double pieceSweep = 0; // degrees: the section's sweep shared equally
    double outerChord = 0; // of one piece's arcs; a cylinder piece's width
    double innerChord = 0;
    Bend bend;                                         // straight unless the options bend it
    double jointTurn = 0, cutTilt = 0, bendRadius = 0; // of a bent section: degrees, degrees, mm
    std::vector<Piece> pieceList;
};

// The pattern of one section; throws ArithmeticFailure when the numbers
// cannot be calculated (a cone of zero length, say).
SectionPattern BuildSectionPattern(const Section &section, const PatternOptions &options);

struct TemplateSet {
    std::vector<SectionPattern> patterns;
    std::vector<std::string> notes; // sections left out, for the user
};

// The name a bend plan knows a section by: "L3" for "Cone L3", "1" for the
// only typed "Cone", "2" for "Cone 2".
std::string BendKey(const Section &section);

// Reads a bend plan typed per BendKey against the sections for the options'
// sheet: the bends into `bends`, or the first refusal (a key naming no
// section is refused too). Fitters' cautions are appended to `notes`.
std::optional<BendRefusal> ReadBendPlan(const std::vector<Section> &sections,
                                        const std::map<std::string, BendTexts> &plan,
                                        const PatternOptions &options, std::map<std::string, Bend> &bends,
                                        std::vector<std::string> *notes = nullptr);

// Every section with a length; one without is left out, and a note says so.
TemplateSet BuildTemplates(const std::vector<Section> &sections, const PatternOptions &options);

} // namespace quorvane
