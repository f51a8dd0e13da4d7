// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "diskfile.h"
#include "templateoptions.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>
#include <string>

namespace quorvane {

// The cutting templates' options and bend plan, saved with a design in a
// section of their own of the pipe values file, beside the design's keys.
inline constexpr const char *kTemplatesSection = "CuttingTemplates";

// As the templates window and the command line hold them, unread: the file
// carries texts, and they are checked where they are used.
struct TemplateSectionTexts {
    TemplateTexts options;
    std::string bendLayout = "pieces";      // "pieces" or "blank"
    std::map<std::string, BendTexts> bends; // by section, "L1" … "L7"
};

// The section's keys, once: the options' six, "diameters", "paper",
// "bendLayout", and "bendL1" … "bendL7" as ANGLE:PIECES:DIRECTION.
QStringList TemplateSectionKeys();

// Applies the keys the file's section has onto `texts`; the others stay as
// they were. A missing file or section changes nothing. A file that cannot
// be read, or a key whose text is no such value, gives false and the reason.
bool ReadTemplateSection(const QByteArray &path, TemplateSectionTexts &texts, QString *error = nullptr);

// Sets every key of the section (a section not bent: an empty value) and
// saves once, keeping every other line of the file, the design's keys among
// them, byte for byte. Nothing is written unless every text can be stored.
SaveOutcome WriteTemplateSection(const QByteArray &path, const TemplateSectionTexts &texts);

} // namespace quorvane
