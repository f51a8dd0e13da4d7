// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calcoutcome.h"
#include "conelist.h"

#include <string_view>

namespace quorvane {

// The flat cone plot's boxes, as CalcOutcome::focus names them.
enum class PlotInput { Base, Tip, Height, Thickness };

// Plot Cone for one typed cone. Base, tip and height must each read at least
// 1, and the thickness must not be empty, checked in that order. A base, tip
// or height too large to read is refused with its failure as well: the window
// marks the box, a command line says why. A thickness too large to read, or a
// cone that cannot be calculated, fails without naming a box.
// outputs: the report, a block of lines lettered as the picture beside it.
CalcOutcome CalcSingleCone(std::string_view base, std::string_view tip, std::string_view height,
                           std::string_view thickness);

// Plot Cone for the four cones of the last chamber; only the thickness is
// typed, and checked as above. A cone with a zero base, tip or height is left
// out, and the report is empty unless the last cone is in it.
CalcOutcome CalcBatchCones(const ConeList &cones, std::string_view thickness);

} // namespace quorvane
