// SPDX-License-Identifier: GPL-3.0-or-later
#include "templateoptions.h"

#include "numeric.h"

#include <cmath>

namespace quorvane {

namespace {

std::optional<double> Read(std::string_view text) {
    try {
        return ParseLeadingNumber(text);
    } catch (const ArithmeticFailure &) {
        return std::nullopt;
    }
}

bool Within(std::optional<double> v, double low, double high) {
    return v && *v >= low && *v <= high;
}

bool WholeWithin(std::optional<double> v, int low, int high) {
    return Within(v, low, high) && std::floor(*v) == *v;
}

std::string Whole(double v) {
    return FormatFixed(v, 0);
}

} // namespace

std::optional<TemplateRefusal> ReadTemplateOptions(const TemplateTexts &t, TemplateOptions &options) {
    if (t.thickness.find_first_not_of(" \t") == std::string::npos)
        return TemplateRefusal{TemplateField::Thickness, "Type the sheet thickness."};
    const std::optional<double> thickness = Read(t.thickness);
    if (!Within(thickness, 0, kThickestSheet))
        return TemplateRefusal{TemplateField::Thickness,
                               "The sheet thickness must be from 0 to " + Whole(kThickestSheet) + " mm."};
    const std::optional<double> overlap = Read(t.overlap);
    const double most = LargestOverlap(t.paper);
    if (!Within(overlap, 0, t.paper == Paper::Plotter ? HUGE_VAL : most))
        return TemplateRefusal{TemplateField::Overlap, "The overlap must be from 0 to " +
                                                           FormatFixed(most, 1) +
                                                           " mm, a third of the page's drawing width."};
    const std::optional<double> pieces = Read(t.pieces);
    if (!WholeWithin(pieces, 1, kMostPieces))
        return TemplateRefusal{TemplateField::Pieces, "The pieces must be a whole number from 1 to " +
                                                          std::to_string(kMostPieces) + "."};
    const std::optional<double> seam = Read(t.seamAllowance);
    if (!Within(seam, 0, kWidestSeamAllowance))
        return TemplateRefusal{TemplateField::SeamAllowance, "The seam allowance must be from 0 to " +
                                                                 Whole(kWidestSeamAllowance) + " mm."};
    const std::optional<double> roll = Read(t.rollLines);
    if (!WholeWithin(roll, 0, kMostRollLines))
        return TemplateRefusal{TemplateField::RollLines, "The roll lines must be a whole number from 0 to " +
                                                             std::to_string(kMostRollLines) + "."};
    options.pattern = {*thickness, t.midThickness, static_cast<int>(*pieces), *seam, static_cast<int>(*roll)};
    options.paper = t.paper;
    options.overlap = t.paper == Paper::Plotter ? 0 : *overlap;
    return std::nullopt;
}

} // namespace quorvane
