// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheetgeometry.h"

#include <optional>
#include <string_view>
#include <vector>

namespace quorvane {

// Paper for the build sheet. Plotter paper has no fixed size: each piece
// gets one page of its own size.
enum class Paper { A4, Letter, A3, Tabloid, Plotter };

struct PaperSize {
    double width = 0; // portrait, mm
    double height = 0;
};

std::vector<Paper> AllPapers(); // in the order the user is offered them
PaperSize SizeOf(Paper paper);
std::string_view NameOf(Paper paper);                   // "A4", "Letter", ..., "plotter"
std::optional<Paper> PaperNamed(std::string_view name); // any letter case

// The frame of every page, in mm. A tile page carries the pattern in its
// drawing area; above it a line naming the section and the page, below it
// the scale check bar and its caption.
inline constexpr double kPageMargin = 10;
inline constexpr double kPlotterMargin = 15;
inline constexpr double kHeaderBand = 8;
inline constexpr double kFooterBand = 16;
inline constexpr double kScaleBarLength = 100;
inline constexpr double kScaleBarHeight = 5;
inline constexpr double kDefaultOverlap = 10;

// The part of a page of the given paper (portrait or landscape) that holds
// the pattern.
PaperSize DrawingArea(PaperSize page);

// The largest overlap that leaves tiles useful: a third of the drawing width.
double LargestOverlap(Paper paper);

struct Tile {
    int row = 0;    // from 1, at the top
    int column = 0; // from 1, at the left
    int number = 0; // from 1, row by row
    Bounds window;  // the part of the pattern this page shows, pattern mm
};

struct TilePlan {
    PaperSize page; // the sheet of paper, mm, as it is turned
    bool landscape = false;
    double margin = kPageMargin; // the drawing area starts this far in, below the header band
    int rows = 0;
    int columns = 0;
    std::vector<Tile> tiles;
    // Alignment crosses in the overlaps, pattern mm, two on every edge two
    // pages share: each falls on two or four pages, and the pages are laid
    // so that they coincide.
    std::vector<Point2> crosses;
};

// Cuts `pattern` into pages of drawing area `area`, neighbours sharing
// `overlap` mm, the pattern's top-left corner at the first page's.
TilePlan PlanTiles(const Bounds &pattern, PaperSize area, double overlap);

// The pages PlanPages would make, counted without making them: a pattern
// metres long would need millions. A double, so that nothing overflows.
double PagesNeeded(const Bounds &pattern, Paper paper, double overlap);

// The plan on `paper`, portrait or landscape, whichever needs fewer pages
// (portrait when both need as many). Plotter paper: one page sized to the
// pattern.
TilePlan PlanPages(const Bounds &pattern, Paper paper, double overlap);

// 1 : n, n the first standard drawing scale at which `width` by `height` mm
// fit into `room`.
double DrawingScale(double width, double height, PaperSize room);

// The longest length a ruler shows (1, 2 or 5 times a power of ten mm) that
// stays within `mostMm`.
double RulerLength(double mostMm);

} // namespace quorvane
