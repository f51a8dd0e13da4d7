// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pipeinputs.h"

#include <functional>

class QString;
class QWidget;

namespace quorvane {

// Writes a text into one of the design's input boxes, as if typed.
using UseInDesign = std::function<void(PipeField field, const QString &text)>;

// The calculator results the design takes as an input get a context-menu
// item "Use in the design as …" that hands their value to `use`: the port
// diameter, the port timing and the exhaust temperature the BMEP estimates.
// A window with none of them is left alone.
void OfferResultsToDesign(QWidget *window, const UseInDesign &use);

} // namespace quorvane
