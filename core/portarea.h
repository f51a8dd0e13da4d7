// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calcoutcome.h"

#include <string_view>

namespace quorvane {

double ChordalPortWidth(double curvedWidth, double boreDiameter);
double SegmentArea(double radius, double height);
// Rectangle W x H less k1 corners of radius r1, k2 corners of radius r2 and,
// when the top edge is an arc (R and h non-zero), the strip above the arc.
double PortWindowArea(double width, double height, double r1, int k1, double r2, int k2, double segmentRadius,
                      double segmentHeight);
double EquivalentDiameter(double area);

// The port area calculator's buttons over the texts of their boxes.
enum class WidthInput { CurvedWidth, Bore };
CalcOutcome CalcPortWidth(std::string_view curvedWidth, std::string_view bore); // outputs: chordal width

enum class SegmentInput { Height, Radius };
CalcOutcome CalcSegmentOnly(std::string_view radius, std::string_view height); // outputs: segment area

enum class AreaInput { Width, Height, Radius1, Radius2, SegmentHeight, SegmentRadius };
// k1 and k2 are the positions of the selected corner counts, counted from 1 (0: none selected).
// outputs: area (no grouping, so it reads back), diameter.
CalcOutcome CalcPortArea(std::string_view width, std::string_view height, std::string_view r1, int k1,
                         std::string_view r2, int k2, std::string_view segmentRadius,
                         std::string_view segmentHeight);

CalcOutcome CalcAreaToDiameter(std::string_view area); // outputs: diameter

} // namespace quorvane
