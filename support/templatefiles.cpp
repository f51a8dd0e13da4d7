// SPDX-License-Identifier: GPL-3.0-or-later
#include "templatefiles.h"

#include "dxfpattern.h"
#include "svgpattern.h"

#include "failure.h"

#include <stdexcept>

namespace quorvane {

namespace {

// The writers throw ArithmeticFailure before they would write nan or inf;
// then, as when the bytes cannot be made at all, nothing is saved.
template <class Build> SaveOutcome SaveBuilt(const QByteArray &path, Build build) {
    QByteArray bytes;
    try {
        bytes = build();
    } catch (const std::runtime_error &e) { // ArithmeticFailure among them
        return {false, true, QString::fromStdString(e.what())};
    }
    return SaveFileSafely(path, bytes);
}

} // namespace

SaveOutcome SaveBuildSheetPdf(const QByteArray &path, const BuildSheet &sheet) {
    if (const std::optional<std::string> refusal = SheetRefusal(sheet))
        return {false, true, QString::fromStdString(*refusal)};
    return SaveBuilt(path, [&] {
        const QByteArray pdf = BuildSheetPdf(sheet);
        if (pdf.isEmpty())
            throw std::runtime_error("The build sheet could not be painted.");
        return pdf;
    });
}

SaveOutcome SaveTemplateSvg(const QByteArray &path, const std::vector<SectionPattern> &patterns) {
    return SaveBuilt(path, [&] { return QByteArray::fromStdString(PatternSvg(patterns)); });
}

SaveOutcome SaveTemplateDxf(const QByteArray &path, const std::vector<SectionPattern> &patterns) {
    return SaveBuilt(path, [&] { return QByteArray::fromStdString(PatternDxf(patterns)); });
}

} // namespace quorvane
