// SPDX-License-Identifier: GPL-3.0-or-later
#include "templateoptions.h"

#include "numeric.h"

#include <charconv>
#include <cmath>

namespace quorvane {

namespace {

constexpr std::array<TemplateFieldInfo, kTemplateFieldCount> kFields{{
    {TemplateField::Thickness, "--thickness", "txtThickness", "Sheet thickness (mm)",
     &TemplateTexts::thickness,
     "The thickness of the sheet metal in mm, 0 to 20. The templates develop the middle of the sheet, so "
     "the rolled sections come out with the diameters typed."},
    {TemplateField::KFactor, "--k-factor", "txtKFactor", "K factor", &TemplateTexts::kFactor,
     "Where in the sheet rolling neither stretches nor squeezes it, as a share of the thickness from the "
     "inside: 0.3 to 0.5. 0.5 suits thin sheet rolled to radii many times its thickness."},
    {TemplateField::Overlap, "--overlap", "txtOverlap", "Page overlap (mm)", &TemplateTexts::overlap,
     "How far neighbouring pages of the build sheet overlap, in mm: up to a third of the page's drawing "
     "width. The crosses in the overlap are laid on one another."},
    {TemplateField::Pieces, "--pieces", "txtPieces", "Pieces around", &TemplateTexts::pieces,
     "Cut each section into this many equal pieces around its axis, 1 to 12: smaller pieces fit smaller "
     "sheets and pages."},
    {TemplateField::SeamAllowance, "--seam-allowance", "txtSeamAllowance", "Seam allowance (mm)",
     &TemplateTexts::seamAllowance,
     "A lap strip of this width in mm, 0 to 50, along one seam edge of each piece; it folds along the "
     "dashed line."},
    {TemplateField::RollLines, "--roll-lines", "txtRollLines", "Roll lines", &TemplateTexts::rollLines,
     "Lines to roll along, 0 to 36, drawn from arc to arc through the apex."},
}};

std::string Whole(double v) {
    return FormatFixed(v, 0);
}

bool Within(std::optional<double> v, double low, double high) {
    return v && *v >= low && *v <= high;
}

bool WholeWithin(std::optional<double> v, int low, int high) {
    return Within(v, low, high) && std::floor(*v) == *v;
}

std::string PlainNumberNote(std::string_view text) {
    return text.find(',') != std::string_view::npos ? " Write the decimal point as \".\"." : "";
}

} // namespace

const std::array<TemplateFieldInfo, kTemplateFieldCount> &TemplateFields() {
    return kFields;
}

const TemplateFieldInfo &FieldInfo(TemplateField field) {
    return kFields[static_cast<std::size_t>(field)];
}

std::optional<TemplateRefusal> ReadTemplateOptions(const TemplateTexts &t, TemplateOptions &options) {
    if (t.thickness.find_first_not_of(" \t") == std::string::npos)
        return TemplateRefusal{TemplateField::Thickness, "Type the sheet thickness."};
    const std::optional<double> thickness = ReadPlainNumber(t.thickness);
    if (!Within(thickness, 0, kThickestSheet))
        return TemplateRefusal{TemplateField::Thickness, "The sheet thickness must be a number from 0 to " +
                                                             Whole(kThickestSheet) + " mm." +
                                                             PlainNumberNote(t.thickness)};
    const std::optional<double> k = ReadPlainNumber(t.kFactor);
    if (!Within(k, kLeastKFactor, kDefaultKFactor))
        return TemplateRefusal{TemplateField::KFactor, "The K factor must be a number from " +
                                                           FormatFixed(kLeastKFactor, 1) + " to " +
                                                           FormatFixed(kDefaultKFactor, 1) + "." +
                                                           PlainNumberNote(t.kFactor)};
    const std::optional<double> overlap = ReadPlainNumber(t.overlap);
    if (!Within(overlap, 0, HUGE_VAL))
        return TemplateRefusal{TemplateField::Overlap, "The page overlap must be a number of mm, 0 or more." +
                                                           PlainNumberNote(t.overlap)};
    const std::optional<double> pieces = ReadPlainNumber(t.pieces);
    if (!WholeWithin(pieces, 1, kMostPieces))
        return TemplateRefusal{TemplateField::Pieces, "The pieces must be a whole number from 1 to " +
                                                          std::to_string(kMostPieces) + "."};
    const std::optional<double> seam = ReadPlainNumber(t.seamAllowance);
    if (!Within(seam, 0, kWidestSeamAllowance))
        return TemplateRefusal{TemplateField::SeamAllowance,
                               "The seam allowance must be a number from 0 to " +
                                   Whole(kWidestSeamAllowance) + " mm." + PlainNumberNote(t.seamAllowance)};
    const std::optional<double> roll = ReadPlainNumber(t.rollLines);
    if (!WholeWithin(roll, 0, kMostRollLines))
        return TemplateRefusal{TemplateField::RollLines, "The roll lines must be a whole number from 0 to " +
                                                             std::to_string(kMostRollLines) + "."};
    // The bend plan is read against the sections, apart: it stays as it was.
    PatternOptions &pattern = options.pattern;
    pattern.thickness = *thickness;
    pattern.kFactor = *k;
    pattern.outsideDiameters = t.outsideDiameters;
    pattern.pieces = static_cast<int>(*pieces);
    pattern.seamAllowance = *seam;
    pattern.rollLines = static_cast<int>(*roll);
    options.paper = t.paper;
    options.overlap = t.paper == Paper::Plotter ? 0 : *overlap;
    return std::nullopt;
}

} // namespace quorvane
