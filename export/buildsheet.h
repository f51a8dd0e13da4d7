// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chamber.h"
#include "pageplan.h"
#include "pattern.h"
#include "pipeinputs.h"
#include "templateoptions.h"

#include <QByteArray>

#include <optional>
#include <string>
#include <vector>

class QPagedPaintDevice;

namespace quorvane {

// The design the templates were cut from, as page 1 of the build sheet
// states it: the inputs as typed and what the calculation made of them.
struct SheetDesign {
    PipeTexts texts;
    PipeInputs inputs; // what the texts were read as, the straight header with them
    PipeResult result;
    std::string madeAt; // when the calculation was made, as the user reads it; may be empty
};

// Everything the build sheet prints.
struct BuildSheet {
    std::optional<SheetDesign> design; // absent for cones typed one by one
    TemplateSet templates;
    TemplateOptions options;
};

// The build sheet's pages, or why it cannot be printed.
std::optional<PrintRefusal> SheetRefusal(const BuildSheet &sheet);
SheetPlan PlanOf(const BuildSheet &sheet); // only for a sheet SheetRefusal lets through

// Paints the whole build sheet onto a device nothing is painting on yet: a
// QPdfWriter, or a QPrinter from the print dialog. Each page gets its own
// size and orientation with no margins and no scaling, so the pattern comes
// out at 1:1. Needs a QGuiApplication for the fonts. False when the device
// could not be painted on, or SheetRefusal refuses the sheet.
bool PaintBuildSheet(QPagedPaintDevice &device, const BuildSheet &sheet);

// The build sheet as the bytes of a PDF file; empty when refused.
QByteArray BuildSheetPdf(const BuildSheet &sheet);

} // namespace quorvane
