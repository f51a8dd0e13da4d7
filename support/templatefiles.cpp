#include "templatefiles.h"

#include "dxfpattern.h"
#include "svgpattern.h"

#include "failure.h"

namespace quorvane {

namespace {

// The writers throw ArithmeticFailure before they would write nan or inf:
// then nothing is saved.
template <class Build> SaveOutcome SaveBuilt(const QByteArray &path, Build build) {
    QByteArray bytes;
    try {
        bytes = build();
    } catch (const ArithmeticFailure &e) {
        return {false, true, QString::fromStdString(e.what())};
    }
    return SaveFileSafely(path, bytes);
}

} // namespace

SaveOutcome SaveBuildSheetPdf(const QByteArray &path, const BuildSheet &sheet) {
    return SaveBuilt(path, [&] { return BuildSheetPdf(sheet); });
}

SaveOutcome SaveTemplateSvg(const QByteArray &path, const std::vector<SectionPattern> &patterns) {
    return SaveBuilt(path, [&] { return QByteArray::fromStdString(PatternSvg(patterns)); });
}

SaveOutcome SaveTemplateDxf(const QByteArray &path, const std::vector<SectionPattern> &patterns) {
    return SaveBuilt(path, [&] { return QByteArray::fromStdString(PatternDxf(patterns)); });
}

} // namespace quorvane
