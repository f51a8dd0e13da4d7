// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "buildsheet.h"
#include "diskfile.h"

#include <QByteArray>

#include <array>
#include <optional>
#include <string_view>

namespace quorvane {

// The files the cutting templates are written to.
enum class TemplateFormat { Pdf, Svg, Dxf };

// Each format once: the window's buttons and dialogs and the command line's
// --format all read this table.
struct TemplateFormatInfo {
    TemplateFormat format;
    const char *name;      // as --format takes it, and the file name's extension
    const char *filter;    // the save dialog's, "description|pattern"
    const char *saveTitle; // the save dialog's title
    bool paged;            // printed on pages, so the paper and overlap count
    // The whole file; throws ArithmeticFailure (or std::runtime_error) when
    // it cannot be made, before anything is written.
    QByteArray (*bytes)(const BuildSheet &sheet);
};
inline constexpr std::size_t kTemplateFormatCount = 3;
const std::array<TemplateFormatInfo, kTemplateFormatCount> &TemplateFormats();
const TemplateFormatInfo &InfoOf(TemplateFormat format);
std::optional<TemplateFormat> FormatNamed(std::string_view name); // any letter case

// The file built whole in memory, then saved in one go by SaveFileSafely: a
// failed save leaves no partial file and the old one as it was. A sheet that
// cannot be printed is refused for a paged format. The path is file system
// bytes. PDF needs a QGuiApplication for its fonts.
SaveOutcome SaveTemplates(TemplateFormat format, const QByteArray &path, const BuildSheet &sheet);

} // namespace quorvane
