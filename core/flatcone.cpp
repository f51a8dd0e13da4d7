#include "flatcone.h"

#include "numeric.h"

#include <cmath>
#include <numbers>

namespace quorvane {

using std::numbers::pi;

FlatCone FlattenCone(double a, double b, double h, double t) {
    if (a == b)
        throw ArithmeticFailure(Failure::CylinderHasNoApex);
    const double x = Checked((b / 2) * h / (a / 2 - b / 2));
    const double H = Checked(h + x);
    FlatCone f;
    f.D = Checked(std::sqrt(Square(H) + Square(a / 2)));
    f.C = Checked(std::sqrt(Square(x) + Square(b / 2)));
    const double thetaA = Checked((pi * (a + 2 * t)) / (2 * pi * f.D) * 360);
    const double phiA = thetaA * pi / 180;
    f.A = Checked(2 * f.D * std::sin(phiA / 2));
    const double thetaB = Checked((pi * (b + 2 * t)) / (2 * pi * f.C) * 360);
    const double phiB = thetaB * pi / 180;
    f.B = Checked(2 * f.C * std::sin(phiB / 2));
    return f;
}

FlatRectangle FlattenCylinder(double diameter, double height, double thickness) {
    return {Checked(pi * (diameter + 2 * thickness)), height};
}

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
        block += "A = " + FormatFixed(f.A, 2) + "\n";
        block += "B = " + FormatFixed(f.B, 2) + "\n";
        block += "C = " + FormatFixed(f.C, 2) + "\n";
        block += "D = " + FormatFixed(f.D, 2);
    }
    report += block;
}

bool Plottable(double base, double tip, double height) {
    return base != 0 && tip != 0 && height != 0;
}

} // namespace

std::string SingleConeReport(double base, double tip, double height, double thickness) {
    std::string report;
    if (Plottable(base, tip, height))
        AppendBlock(report, "Cone", base, tip, height, thickness);
    return report;
}

std::string BatchConeReport(const ConeList &cones, double thickness) {
    std::string report;
    std::string shown;
    for (std::size_t i = 0; i < cones.size(); ++i) {
        const ConeRecord &c = cones[i];
        if (!Plottable(c.baseDiameter, c.tipDiameter, c.centreLength))
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

} // namespace quorvane
