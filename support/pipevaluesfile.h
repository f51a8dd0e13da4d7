#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>

namespace quorvane {

// The design inputs the main window saves and opens, stored under one
// section in the order written to a new file.
inline constexpr const char *kPipeValuesSection = "PipeCalcValues";
inline constexpr std::size_t kPipeValueCount = 12;
inline constexpr std::array<const char *, kPipeValueCount> kPipeValueKeys = {
    "timing",     "RPM",         "temp",       "heats",     "gasConstant",  "portWindowD",
    "portLength", "portFlangeD", "portToPipe", "portToMid", "portToOutlet", "hornCoefficient"};

using PipeValueTexts = std::array<QString, kPipeValueCount>;
// A key that is missing or has an empty value reads as std::nullopt, so the
// window can leave that box as it is.
using PipeValueReadings = std::array<std::optional<QString>, kPipeValueCount>;

struct PipeValuesSave {
    bool saved = false;
    bool oldFileKept = true;
    QString error;
    // The text the file cannot hold, when that was the reason; `error` then
    // is a clause to follow the text's name ("holds a line break").
    std::optional<std::size_t> refusedText;
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
