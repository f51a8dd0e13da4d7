// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeoutline.h"

#include "numeric.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {

// A valid but absurd design (a flange of 1e13 mm) still has its results;
// only its drawing runs far off the picture, which clips it.
int RoundPixel(double v) {
    if (std::isnan(v))
        throw ArithmeticFailure(Failure::NumbersTooLarge);
    return static_cast<int>(std::nearbyint(std::clamp<double>(v, -kFarPixel, kFarPixel))); // halves to even
}

} // namespace

std::array<OutlineStation, 8> ChamberStations(double flangeDiameter, const std::array<double, 8> &D,
                                              const std::array<double, 8> &L) {
    std::array<OutlineStation, 8> stations{};
    stations[0] = {0, flangeDiameter};
    for (std::size_t i = 1; i < stations.size(); ++i)
        stations[i] = {stations[i - 1].x + L[i], D[i]};
    return stations;
}

PipeOutline BuildPipeOutline(int width, int height, double portDiameter, double flangeDiameter,
                             double portLength, const std::array<double, 8> &D,
                             const std::array<double, 8> &L) {
    const double S = L[1] + L[2] + L[3] + L[4] + L[5] + L[6] + L[7];
    const double sx = Checked((width - 40) / (portLength + S));
    const double sy = Checked(height / (9 * D[1]));
    const double cy = height / 2.0;

    PipeOutline o;
    o.labels.reserve(16);
    // Both outlines share their x positions; only the sign of the half-height differs.
    auto station = [&](std::array<PixelPoint, 9> &pts, double side) {
        auto y = [&](double d) { return RoundPixel(cy + side * sy * d); };
        pts[0] = {10, y(portDiameter)};
        pts[1] = {RoundPixel(sx * portLength + 10), y(flangeDiameter)};
        pts[2] = {RoundPixel(pts[1].x + 10 + sx * L[1]), y(D[1])};
        double a = pts[2].x;
        for (int n = 2; n <= 7; ++n) {
            a = a + sx * L[n];
            pts[n + 1] = {RoundPixel(a + 10), y(D[n])};
        }
    };
    station(o.upper, -1.0);
    station(o.lower, 1.0);

    o.labels.push_back({"P", {o.upper[0].x, o.upper[2].y - 20}});
    o.labels.push_back({"F", {o.upper[1].x, o.upper[2].y - 20}});
    static constexpr const char *kDiameters[] = {"", "D1", "D2", "D3", "D4", "D5", "D6", "D7"};
    static constexpr const char *kLengths[] = {"", "L1", "L2", "L3", "L4", "L5", "L6", "L7"};
    for (int n = 1; n <= 7; ++n)
        o.labels.push_back({kDiameters[n], {o.upper[n + 1].x - 10, o.upper[n + 1].y - 20}});
    const int labelY = RoundPixel(cy - 5);
    o.labels.push_back({"L1", {RoundPixel(o.lower[2].x - sx * L[1]), labelY}});
    for (int n = 2; n <= 7; ++n)
        o.labels.push_back({kLengths[n], {RoundPixel(o.lower[n + 1].x - sx * L[n] / 1.5), labelY}});
    return o;
}

} // namespace quorvane
