// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pipeinputs.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>

namespace quorvane {

// The design inputs the main window saves and opens, stored under one
// section with the keys of PipeFields(), in its order in a new file.
inline constexpr const char *kPipeValuesSection = "PipeCalcValues";

// Indexed by PipeField.
using PipeValueTexts = std::array<QString, kPipeFieldCount>;
// A key that is missing or has an empty value reads as std::nullopt, so the
// window can leave that box as it is.
using PipeValueReadings = std::array<std::optional<QString>, kPipeFieldCount>;

struct PipeValuesSave {
    bool saved = false;
    bool oldFileKept = true;
    QString error;
    // The folder takes no new file: see InPlaceConsent.
    bool inPlaceRefused = false;
    // The input whose text the file cannot hold, when that was the reason;
    // `error` then is a clause to follow its name ("holds a line break").
    std::optional<PipeField> refusedText;
};

// Sets the twelve keys to the texts exactly as given and saves once, keeping
// every other line of an existing file. Nothing is written unless every
// text can be stored.
PipeValuesSave WritePipeValues(const QByteArray &path, const PipeValueTexts &texts);
// A missing file reads as all nullopt; a file that cannot or must not be
// read gives std::nullopt and a reason.
std::optional<PipeValueReadings> ReadPipeValues(const QByteArray &path, QString *error = nullptr);

// Appends ".txt" unless the path ends in a dot and three characters.
QString WithPipeExtension(const QString &path);

} // namespace quorvane
