// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "buildsheet.h"
#include "sheetpage.h"

#include <vector>

namespace quorvane {

// Page 1: how to print, the design and its results, a side view to scale,
// the table of templates (one row per section, with `ranges` in its order)
// and the notes.
void PaintSummaryPage(const SheetPage &page, const BuildSheet &sheet, const std::vector<PageRange> &ranges);

QString ScaleText(double n); // "1 : 2.5"

} // namespace quorvane
