// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chamber.h"
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
    bool straightHeader = false;
    PipeResult result;
};

// Everything the build sheet prints.
struct BuildSheet {
    std::optional<SheetDesign> design; // absent for cones typed one by one
    TemplateSet templates;
    TemplateOptions options;
};

// More pages than anyone tapes together for one piece.
inline constexpr int kMostPagesPerPiece = 100;
// The largest page a PDF reader must show: 200 inches.
inline constexpr double kLargestPdfPage = 5080;

// Why the build sheet cannot be printed, for the user: a piece that would
// take more than kMostPagesPerPiece pages, or a plotter page larger than a
// PDF's. Nothing when it can.
std::optional<std::string> SheetRefusal(const BuildSheet &sheet);

// The pages of one section: for each piece, an assembly map when the piece
// needs more than one page, and its tile pages.
int SectionPageCount(const SectionPattern &pattern, const TemplateOptions &options);
// Page 1 and every section's pages.
int PageCount(const BuildSheet &sheet);

// Pages of the build sheet that one section's templates take, from `first` to `last`.
struct PageRange {
    int first = 0;
    int last = 0;
};
// Each section's pages, in the order of the sheet's templates; page 1 comes first.
std::vector<PageRange> SectionPageRanges(const BuildSheet &sheet);

// Paints the whole build sheet onto a device nothing is painting on yet: a
// QPdfWriter, or a QPrinter from the print dialog. Each page gets its own
// size and orientation with no margins and no scaling, so the pattern comes
// out at 1:1. Needs a QGuiApplication for the fonts. False when the device
// could not be painted on, or SheetRefusal refuses the sheet.
bool PaintBuildSheet(QPagedPaintDevice &device, const BuildSheet &sheet);

// The build sheet as the bytes of a PDF file; empty when refused.
QByteArray BuildSheetPdf(const BuildSheet &sheet);

} // namespace quorvane
