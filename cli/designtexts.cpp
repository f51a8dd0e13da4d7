// SPDX-License-Identifier: GPL-3.0-or-later
#include "designtexts.h"

#include "diskfile.h"
#include "pipevaluesfile.h"

#include <QByteArray>
#include <QString>

namespace quorvane::cli {

namespace {

std::string KeyList() {
    std::string keys;
    for (const PipeFieldInfo &info : PipeFields())
        keys += (keys.empty() ? "" : ", ") + std::string(info.key);
    return keys;
}

} // namespace

std::optional<CommandResult> ApplyFile(const std::string &path, PipeTexts &texts) {
    const QByteArray name = QByteArray::fromStdString(path);
    // The window only opens files that exist; on a command line a mistyped
    // path would otherwise go unnoticed and the initial texts be used.
    QByteArray ignored;
    QString error;
    if (ReadSmallFile(name, ignored, error) == ReadStatus::Missing)
        return BadInput("cannot read " + path + ": no such file");
    const std::optional<PipeValueReadings> readings = ReadPipeValues(name, &error);
    if (!readings)
        return BadInput("cannot read " + path + ": " + error.toStdString());
    for (std::size_t i = 0; i < kPipeFieldCount; ++i)
        if ((*readings)[i])
            texts[i] = (*readings)[i]->toStdString();
    return std::nullopt;
}

std::optional<CommandResult> ApplyAssignments(const std::vector<std::string> &assignments, PipeTexts &texts) {
    for (const std::string &assignment : assignments) {
        const std::size_t equals = assignment.find('=');
        const std::string key = assignment.substr(0, equals);
        const std::optional<PipeField> field = FieldByKey(key);
        if (!field)
            return BadInput("unknown key \"" + key + "\"; the keys are " + KeyList());
        texts[static_cast<std::size_t>(*field)] = assignment.substr(equals + 1);
    }
    return std::nullopt;
}

} // namespace quorvane::cli
