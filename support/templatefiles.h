// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "buildsheet.h"
#include "diskfile.h"
#include "pattern.h"

#include <QByteArray>

#include <vector>

namespace quorvane {

// The three files of the cutting templates, each built whole in memory and
// then saved in one go by SaveFileSafely: a failed save leaves no partial
// file and the old one as it was. Paths are file system bytes.
SaveOutcome SaveBuildSheetPdf(const QByteArray &path, const BuildSheet &sheet); // needs a QGuiApplication
SaveOutcome SaveTemplateSvg(const QByteArray &path, const std::vector<SectionPattern> &patterns);
SaveOutcome SaveTemplateDxf(const QByteArray &path, const std::vector<SectionPattern> &patterns);

} // namespace quorvane
