// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiling.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>

namespace quorvane {

namespace {

// The scales of engineering drawings, 1 : n.
constexpr double kStandardScales[] = {1, 2, 2.5, 5, 10, 20, 25, 50, 100, 200, 250, 500, 1000};

struct PaperInfo {
    Paper paper;
    std::string_view name;
    PaperSize size;
};

constexpr PaperInfo kPapers[] = {
    {Paper::A4, "A4", {210, 297}},       {Paper::Letter, "Letter", {215.9, 279.4}},
    {Paper::A3, "A3", {297, 420}},       {Paper::Tabloid, "Tabloid", {279.4, 431.8}},
    {Paper::Plotter, "plotter", {0, 0}},
};

// A pattern that fits to within a micrometre fits: rounding must not add a page.
constexpr double kFitTolerance = 1e-3;

// Pages across a length, as a double: a huge pattern must not overflow an int.
double Across(double length, double area, double overlap) {
    if (length <= area + kFitTolerance)
        return 1;
    return std::ceil((length - overlap - kFitTolerance) / (area - overlap));
}

int Count(double length, double area, double overlap) {
    return static_cast<int>(Across(length, area, overlap));
}

} // namespace

std::vector<Paper> AllPapers() {
    std::vector<Paper> papers;
    for (const PaperInfo &p : kPapers)
        papers.push_back(p.paper);
    return papers;
}

PaperSize SizeOf(Paper paper) {
    for (const PaperInfo &p : kPapers)
        if (p.paper == paper)
            return p.size;
    return {};
}

std::string_view NameOf(Paper paper) {
    for (const PaperInfo &p : kPapers)
        if (p.paper == paper)
            return p.name;
    return {};
}

std::optional<Paper> PaperNamed(std::string_view name) {
    for (const PaperInfo &p : kPapers) {
        const bool same =
            std::equal(name.begin(), name.end(), p.name.begin(), p.name.end(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) ==
                       std::tolower(static_cast<unsigned char>(b));
            });
        if (same)
            return p.paper;
    }
    return std::nullopt;
}

PaperSize DrawingArea(PaperSize page) {
    return {page.width - 2 * kPageMargin, page.height - 2 * kPageMargin - kHeaderBand - kFooterBand};
}

double LargestOverlap(Paper paper) {
    const PaperSize size = SizeOf(paper);
    if (paper == Paper::Plotter)
        return 0;
    return DrawingArea(size).width / 3;
}

TilePlan PlanTiles(const Bounds &pattern, PaperSize area, double overlap) {
    TilePlan plan;
    plan.columns = Count(pattern.width(), area.width, overlap);
    plan.rows = Count(pattern.height(), area.height, overlap);
    const double stepX = area.width - overlap;
    const double stepY = area.height - overlap;
    for (int r = 0; r < plan.rows; ++r) {
        for (int c = 0; c < plan.columns; ++c) {
            const double left = pattern.left + c * stepX;
            const double top = pattern.top - r * stepY;
            plan.tiles.push_back(
                {r + 1, c + 1, r * plan.columns + c + 1, {left, top - area.height, left + area.width, top}});
        }
    }
    // Two crosses on every shared page edge, in the middle of the overlap
    // strip at a quarter and three quarters of the page's length: one
    // cross would leave the pages free to turn about it.
    for (const double along : {0.25, 0.75}) {
        for (int c = 1; c < plan.columns; ++c)
            for (int r = 0; r < plan.rows; ++r)
                plan.crosses.push_back(
                    {pattern.left + c * stepX + overlap / 2, pattern.top - r * stepY - area.height * along});
        for (int r = 1; r < plan.rows; ++r)
            for (int c = 0; c < plan.columns; ++c)
                plan.crosses.push_back(
                    {pattern.left + c * stepX + area.width * along, pattern.top - r * stepY - overlap / 2});
    }
    return plan;
}

double PagesNeeded(const Bounds &pattern, Paper paper, double overlap) {
    if (paper == Paper::Plotter)
        return 1;
    const PaperSize size = SizeOf(paper);
    double fewest = HUGE_VAL;
    for (const PaperSize area : {DrawingArea(size), DrawingArea({size.height, size.width})})
        fewest = std::min(fewest, Across(pattern.width(), area.width, overlap) *
                                      Across(pattern.height(), area.height, overlap));
    return fewest;
}

TilePlan PlanPages(const Bounds &pattern, Paper paper, double overlap) {
    if (paper == Paper::Plotter) {
        // Never narrower than the scale check bar, which every page carries.
        const PaperSize page{std::max(pattern.width(), kScaleBarLength) + 2 * kPlotterMargin,
                             pattern.height() + 2 * kPlotterMargin + kHeaderBand + kFooterBand};
        TilePlan plan = PlanTiles(pattern, {pattern.width(), pattern.height()}, 0);
        plan.page = page;
        plan.margin = kPlotterMargin;
        plan.landscape = page.width > page.height;
        return plan;
    }
    const PaperSize portrait = SizeOf(paper);
    const PaperSize landscape{portrait.height, portrait.width};
    TilePlan upright = PlanTiles(pattern, DrawingArea(portrait), overlap);
    TilePlan turned = PlanTiles(pattern, DrawingArea(landscape), overlap);
    upright.page = portrait;
    turned.page = landscape;
    turned.landscape = true;
    return turned.tiles.size() < upright.tiles.size() ? turned : upright;
}

double DrawingScale(double width, double height, PaperSize room) {
    for (double n : kStandardScales)
        if (width / n <= room.width && height / n <= room.height)
            return n;
    return kStandardScales[std::size(kStandardScales) - 1];
}

double RulerLength(double mostMm) {
    const double decade = std::pow(10.0, std::floor(std::log10(mostMm)));
    for (const double step : {5.0, 2.0, 1.0})
        if (step * decade <= mostMm)
            return step * decade;
    return decade;
}

} // namespace quorvane
