// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

namespace quorvane {

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint &, const PixelPoint &) = default;
};

struct OutlineLabel {
    std::string text;
    PixelPoint topLeft;
};

// Side view of the chamber in pixels: stations 0 (port window) to 8 (tail pipe
// outlet) above and below the centre line, and the 16 labels "P", "F",
// "D1"..."D7", "L1"..."L7" in that order.
struct PipeOutline {
    std::array<PixelPoint, 9> upper;
    std::array<PixelPoint, 9> lower;
    std::vector<OutlineLabel> labels;
};

// The chamber's side to scale: a station's distance along the axis from the
// port flange, and its inside diameter, mm.
struct OutlineStation {
    double x = 0;
    double diameter = 0;
};

// From the flange (F) to the tail pipe's outlet, the eight ends of sections
// L1 to L7; D and L as in PipeResult.
std::array<OutlineStation, 8> ChamberStations(double flangeDiameter, const std::array<double, 8> &D,
                                              const std::array<double, 8> &L);

// Coordinates are clamped to +-kFarPixel: far outside any picture, so the box
// still clips them, yet well inside what a painter can rasterise.
inline constexpr int kFarPixel = 1'000'000;

// width and height are the inner size of the picture in pixels; D and L are
// indexed as in PipeResult (index 0 is not used). Lengths are scaled to fill
// the width, diameters so that 4.5 x D1 reaches the edges.
PipeOutline BuildPipeOutline(int width, int height, double portDiameter, double flangeDiameter,
                             double portLength, const std::array<double, 8> &D,
                             const std::array<double, 8> &L);

} // namespace quorvane
