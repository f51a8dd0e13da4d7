// SPDX-License-Identifier: GPL-3.0-or-later
#include "templatefiles.h"

#include "dxfpattern.h"
#include "svgpattern.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace quorvane {

namespace {

QByteArray PdfBytes(const BuildSheet &sheet) {
    const QByteArray pdf = BuildSheetPdf(sheet);
    if (pdf.isEmpty())
        throw std::runtime_error("The build sheet could not be painted.");
    return pdf;
}

QByteArray SvgBytes(const BuildSheet &sheet) {
    return QByteArray::fromStdString(PatternSvg(sheet.templates.patterns));
}

QByteArray DxfBytes(const BuildSheet &sheet) {
    return QByteArray::fromStdString(PatternDxf(sheet.templates.patterns));
}

constexpr std::array<TemplateFormatInfo, kTemplateFormatCount> kFormats{{
    {TemplateFormat::Pdf, "pdf", "Build sheet, PDF (*.pdf)|*.pdf", "Save PDF", true, PdfBytes},
    {TemplateFormat::Svg, "svg", "Cutting templates, SVG (*.svg)|*.svg", "Save SVG", false, SvgBytes},
    {TemplateFormat::Dxf, "dxf", "Cutting templates, DXF (*.dxf)|*.dxf", "Save DXF", false, DxfBytes},
}};

} // namespace

const std::array<TemplateFormatInfo, kTemplateFormatCount> &TemplateFormats() {
    return kFormats;
}

const TemplateFormatInfo &InfoOf(TemplateFormat format) {
    return kFormats[static_cast<std::size_t>(format)];
}

std::optional<TemplateFormat> FormatNamed(std::string_view name) {
    for (const TemplateFormatInfo &f : kFormats) {
        const std::string_view own = f.name;
        if (std::equal(name.begin(), name.end(), own.begin(), own.end(),
                       [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; }))
            return f.format;
    }
    return std::nullopt;
}

SaveOutcome SaveTemplates(TemplateFormat format, const QByteArray &path, const BuildSheet &sheet) {
    const TemplateFormatInfo &info = InfoOf(format);
    if (info.paged)
        if (const std::optional<PrintRefusal> refusal = SheetRefusal(sheet))
            return {false, true, QString::fromStdString(refusal->reason)};
    QByteArray bytes;
    try {
        bytes = info.bytes(sheet);
    } catch (const std::runtime_error &e) { // ArithmeticFailure among them
        return {false, true, QString::fromStdString(e.what())};
    }
    return SaveFileSafely(path, bytes);
}

} // namespace quorvane
