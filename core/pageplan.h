// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pattern.h"
#include "templateoptions.h"
#include "tiling.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// More pages than anyone tapes together for one piece.
inline constexpr int kMostPagesPerPiece = 100;
// The largest page a PDF reader must show: 200 inches.
inline constexpr double kLargestPdfPage = 5080;

// Why the templates cannot be printed on pages: an overlap too wide for the
// paper (the field then names it), a piece that would take more than
// kMostPagesPerPiece pages, or a plotter page larger than a PDF's.
struct PrintRefusal {
    std::optional<TemplateField> field;
    std::string reason;
};
std::optional<PrintRefusal> RefusePrinting(const std::vector<SectionPattern> &patterns,
                                           const TemplateOptions &options);

struct PageRange {
    int first = 0;
    int last = 0;
};

// The pages of one piece: an assembly map first when it spans several pages,
// then its tiles.
struct PiecePages {
    const SectionPattern *pattern = nullptr;
    const Piece *piece = nullptr;
    TilePlan plan;
    bool map = false;
    int first = 0; // its first page in the build sheet: the map's, or the only tile's
    int firstTile() const { return first + (map ? 1 : 0); }
};

// The build sheet's pages: page 1 states the design and tables the
// templates; then every piece's pages, section by section. The build sheet,
// the preview and the window's summary line all count from this one plan.
struct SheetPlan {
    std::vector<PiecePages> pieces;
    std::vector<PageRange> sections; // in the order of the patterns
    int pageCount = 1;
};

// Only for templates RefusePrinting lets through: a refused piece may need
// millions of tiles.
SheetPlan PlanSheet(const std::vector<SectionPattern> &patterns, const TemplateOptions &options);

} // namespace quorvane
