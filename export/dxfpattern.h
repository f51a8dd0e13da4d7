// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pattern.h"

#include <string>
#include <vector>

namespace quorvane {

// One DXF drawing (AutoCAD 2000, units millimetres) of every piece at 1:1,
// placed as PlaceSideBySide places them: each piece's outline one closed
// LWPOLYLINE on layer CUT, its arcs exact bulges; folds, roll lines, centre
// lines and arrows on MARK, the labels as TEXT entities on TEXT. Every
// coordinate keeps all its digits.
std::string PatternDxf(const std::vector<SectionPattern> &patterns);

} // namespace quorvane
