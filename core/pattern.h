// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chamber.h"
#include "flatcone.h"
#include "sheetgeometry.h"

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
    bool isCylinder() const { return baseDiameter == tipDiameter; }
};

// The seven sections of a calculated chamber from the engine outwards: the
// header, the three diffuser cones, the belly, the baffle cone and the tail
// pipe. The cones are the flat cone plot's batch cones, at full precision; the
// header's base is its larger end.
std::vector<Section> ChamberSections(const PipeInputs &inputs, const PipeResult &result);

struct PatternOptions {
    double thickness = 0;
    // Arcs as long as the sheet's mid-thickness, π × (d + t), which a rolled
    // sheet keeps, instead of its outside, π × (d + 2t), the flat cone
    // plot's rule.
    bool midThickness = false;
    int pieces = 1;           // equal pieces around the axis, 1 to 12
    double seamAllowance = 0; // a lap strip outside one seam edge of each piece
    int rollLines = 0;        // generator lines to roll along
};

// How a line of a piece is drawn and which layer of a CAD file it goes to.
enum class Stroke {
    Cut,    // the outline to cut
    Fold,   // where a seam allowance folds: dashed
    Roll,   // roll lines: thin
    Centre, // the piece's centre line: dash-dot
    Mark,   // the "this side out" arrow
};

// How a stroke looks on paper, the same in every file and on screen: widths
// and dashes in mm.
struct StrokeLook {
    double width = 0;
    unsigned rgb = 0;           // 0xRRGGBB
    std::vector<double> dashes; // on, off, on, off...; empty: solid
};
const StrokeLook &LookOf(Stroke stroke);

struct Edge {
    Shape shape;
    Stroke stroke = Stroke::Cut;
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
    std::vector<Edge> edges;
    std::vector<Label> labels;
    Bounds bounds; // of the edges
};

struct SectionPattern {
    Section section;
    // The flat cone plot's four figures for this section under the options'
    // rule (for a cylinder, the rectangle's width and length).
    FlatCone cone;
    FlatRectangle rectangle;
    double outerAngle = 0; // sector angles of the whole section, degrees
    double innerAngle = 0;
    int pieces = 1;
    // Set when one piece would have spanned 360° or more, and the pieces
    // were raised to the smallest count that avoids it.
    std::optional<int> piecesAsked;
    std::vector<Piece> pieceList;
};

// The pattern of one section; throws ArithmeticFailure when the numbers
// cannot be calculated (a cone of zero length, say).
SectionPattern BuildSectionPattern(const Section &section, const PatternOptions &options);

struct TemplateSet {
    std::vector<SectionPattern> patterns;
    std::vector<std::string> notes; // sections left out and pieces raised, for the user
};

// Every section with a length; one without is left out, and a note says so.
TemplateSet BuildTemplates(const std::vector<Section> &sections, const PatternOptions &options);

} // namespace quorvane
