// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pattern.h"

#include <vector>

namespace quorvane {

// Pattern millimetres (y up) to a page or screen (y down): `scale` units per
// mm, the pattern point `origin` landing on the page point `to`. Every
// drawing of a piece that is turned the page's way up goes through one.
struct PageTransform {
    double scale = 1;
    Point2 origin;
    Point2 to;
    Point2 operator()(Point2 p) const {
        return {to.x + (p.x - origin.x) * scale, to.y - (p.y - origin.y) * scale};
    }
};

// Between pieces laid side by side, mm.
inline constexpr double kPieceGap = 20;

// A piece where it stands on the sheet: add (dx, dy) to its own coordinates.
struct PlacedPiece {
    const SectionPattern *pattern = nullptr;
    const Piece *piece = nullptr;
    int number = 0; // of the piece within its section, from 1
    double dx = 0;
    double dy = 0;
};

// Every piece left to right, kPieceGap apart, their bottoms on the x axis
// and the first's left edge on the y axis: the one arrangement of the SVG
// and DXF drawings and of the sheet metal the window reports.
struct SheetLayout {
    std::vector<PlacedPiece> pieces;
    Bounds bounds; // from the origin to the sheet's width and height
};
SheetLayout PlaceSideBySide(const std::vector<SectionPattern> &patterns);

} // namespace quorvane
