// SPDX-License-Identifier: GPL-3.0-or-later
#include "pageplan.h"

#include "numeric.h"

#include <algorithm>

namespace quorvane {

namespace {

// Beyond this a page count means nothing to anyone.
constexpr double kCountedPages = 1e6;

// A piece on several pages has its assembly map besides.
double WithMap(double tiles) {
    return tiles > 1 ? tiles + 1 : tiles;
}

std::string PagesText(double pages) {
    return pages > kCountedPages ? "more than " + FormatFixed(kCountedPages, 0, Grouping::Default)
                                 : FormatFixed(pages, 0, Grouping::Default);
}

} // namespace

std::optional<PrintRefusal> RefusePrinting(const std::vector<SectionPattern> &patterns,
                                           const TemplateOptions &o) {
    if (o.paper != Paper::Plotter && o.overlap > LargestOverlap(o.paper))
        return PrintRefusal{TemplateField::Overlap, "The page overlap must be at most " +
                                                        FormatFixed(LargestOverlap(o.paper), 1) +
                                                        " mm, a third of the page's drawing width."};
    for (const SectionPattern &pattern : patterns) {
        for (const Piece &piece : pattern.pieceList) {
            if (o.paper == Paper::Plotter) {
                const PaperSize page = PlanPages(piece.bounds, o.paper, o.overlap).page;
                if (std::max(page.width, page.height) > kLargestPdfPage)
                    return PrintRefusal{std::nullopt,
                                        piece.title + " needs a page " + FormatFixed(page.width, 0) + " by " +
                                            FormatFixed(page.height, 0) +
                                            " mm, larger than a PDF page can be (" +
                                            FormatFixed(kLargestPdfPage, 0) +
                                            " mm): cut it in more pieces, or use the SVG or DXF drawing."};
            } else if (const double pages = WithMap(PagesNeeded(piece.bounds, o.paper, o.overlap));
                       pages > kMostPagesPerPiece) {
                return PrintRefusal{std::nullopt,
                                    piece.title + " would take " + PagesText(pages) + " pages of " +
                                        std::string(NameOf(o.paper)) + " (at most " +
                                        std::to_string(kMostPagesPerPiece) +
                                        "): choose larger paper or the plotter, or use the SVG or "
                                        "DXF drawing."};
            }
        }
    }
    return std::nullopt;
}

SheetPlan PlanSheet(const std::vector<SectionPattern> &patterns, const TemplateOptions &options) {
    SheetPlan sheet;
    int next = 2;
    for (const SectionPattern &pattern : patterns) {
        const int first = next;
        for (const Piece &piece : pattern.pieceList) {
            PiecePages p{&pattern, &piece, PlanPages(piece.bounds, options.paper, options.overlap)};
            const double tiles = static_cast<double>(p.plan.tiles.size());
            p.map = WithMap(tiles) > tiles;
            p.first = next;
            next += static_cast<int>(WithMap(tiles));
            sheet.pieces.push_back(std::move(p));
        }
        sheet.sections.push_back({first, next - 1});
    }
    sheet.pageCount = next - 1;
    return sheet;
}

} // namespace quorvane
