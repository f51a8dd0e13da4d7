// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pattern.h"

#include <string>
#include <vector>

namespace quorvane {

// One SVG drawing of every piece at 1:1, laid left to right 20 mm apart, in
// millimetres (width, height and viewBox). Each piece has a group of cut
// lines and a group of marks, named after its section; arcs are true SVG
// arcs, so CAM software can cut them as arcs.
std::string PatternSvg(const std::vector<SectionPattern> &patterns);

inline constexpr double kSvgPieceGap = 20;

// The sheet metal the pieces take laid side by side, kSvgPieceGap apart, as
// the SVG and DXF drawings lay them: from the origin to its width and height.
Bounds PiecesSideBySide(const std::vector<SectionPattern> &patterns);

// A double as the shortest text that reads back to the same value, "." as
// decimal point whatever the locale: what CAD and CAM files want.
std::string ExactNumber(double v);

} // namespace quorvane
