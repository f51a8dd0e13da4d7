// SPDX-License-Identifier: GPL-3.0-or-later
#include "coneplot.h"

#include "flatcone.h"
#include "numeric.h"

#include <array>

namespace quorvane {

namespace {

// One cone's block, appended the way the plot window builds its report.
void AppendBlock(std::string &report, const std::string &name, double base, double tip, double height,
                 double thickness) {
    std::string block;
    block += (report.empty() ? "" : "\n") + name + "\n";
    block += "Base = " + FormatFixed(base, 2) + " ID\n";
    block += "Tip = " + FormatFixed(tip, 2) + " ID\n";
    block += "Height = " + FormatFixed(height, 2) + "\n";
    if (base == tip) {
        const FlatRectangle r = FlattenCylinder(base, height, thickness);
        block += "Cylinder: cut a rectangle\n";
        block += "Width = " + FormatFixed(r.width, 2) + "\n";
        block += "Length = " + FormatFixed(r.length, 2);
    } else {
        const FlatCone f = FlattenCone(base, tip, height, thickness);
        block += "A = " + FormatFixed(f.outerChord, 2) + "\n";
        block += "B = " + FormatFixed(f.innerChord, 2) + "\n";
        block += "C = " + FormatFixed(f.innerRadius, 2) + "\n";
        block += "D = " + FormatFixed(f.outerRadius, 2);
    }
    report += block;
}

std::string BatchReport(const ConeList &cones, double thickness) {
    std::string report;
    std::string shown;
    for (std::size_t i = 0; i < cones.size(); ++i) {
        const ConeRecord &c = cones[i];
        if (c.baseDiameter == 0 || c.tipDiameter == 0 || c.centreLength == 0)
            continue;
        AppendBlock(report, c.name, c.baseDiameter, c.tipDiameter, c.centreLength, thickness);
        // Only the last cone puts the report on show; the others end their block with a line break.
        if (i + 1 == cones.size())
            shown = report;
        else
            report += '\n';
    }
    return shown;
}

// The thickness check both plots end with, then the report for that thickness.
template <class Report> CalcOutcome WithThickness(std::string_view thicknessText, Report report) {
    if (thicknessText.empty())
        return CalcOutcome::Refuse(static_cast<int>(PlotInput::Thickness));
    try {
        return {{report(ParseLeadingNumber(thicknessText))}, {}, {}};
    } catch (const ArithmeticFailure &e) {
        return CalcOutcome::Fail(std::nullopt, e);
    }
}

} // namespace

CalcOutcome CalcSingleCone(std::string_view baseText, std::string_view tipText, std::string_view heightText,
                           std::string_view thicknessText) {
    const std::array<std::string_view, 3> texts{baseText, tipText, heightText};
    std::array<double, 3> v{};
    // Each box is read and checked before the next is read.
    for (std::size_t i = 0; i < texts.size(); ++i) {
        try {
            v[i] = ParseLeadingNumber(texts[i]);
        } catch (const ArithmeticFailure &e) {
            return CalcOutcome::Fail(static_cast<int>(i), e);
        }
        if (v[i] < 1)
            return CalcOutcome::Refuse(static_cast<int>(i));
    }
    return WithThickness(thicknessText, [&v](double thickness) {
        std::string report;
        AppendBlock(report, "Cone", v[0], v[1], v[2], thickness);
        return report;
    });
}

CalcOutcome CalcBatchCones(const ConeList &cones, std::string_view thicknessText) {
    return WithThickness(thicknessText, [&cones](double thickness) { return BatchReport(cones, thickness); });
}

} // namespace quorvane
