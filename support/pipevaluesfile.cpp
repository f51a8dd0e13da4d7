// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipevaluesfile.h"

#include "profilefile.h"

#include <QStringList>

namespace quorvane {

namespace {

QStringList Keys() {
    QStringList keys;
    for (const PipeFieldInfo &field : PipeFields())
        keys << QString::fromLatin1(field.key);
    return keys;
}

} // namespace

PipeValuesSave WritePipeValues(const QByteArray &path, const PipeValueTexts &texts) {
    PipeValuesSave result;
    // The file read is the one that will be replaced, link or not.
    const QByteArray target = WriteTarget(path, result.error);
    ProfileFile file;
    if (target.isEmpty() || !file.load(target, &result.error))
        return result;
    const QString section = QString::fromLatin1(kPipeValuesSection);
    const QStringList keys = Keys();
    for (std::size_t i = 0; i < kPipeFieldCount; ++i) {
        if (!file.setValue(section, keys[qsizetype(i)], texts[i], &result.error)) {
            result.refusedText = static_cast<PipeField>(i);
            return result;
        }
    }
    const SaveOutcome outcome = file.save(target);
    result.saved = outcome.saved;
    result.oldFileKept = outcome.oldFileKept;
    result.error = outcome.error;
    result.inPlaceRefused = outcome.inPlaceRefused;
    return result;
}

std::optional<PipeValueReadings> ReadPipeValues(const QByteArray &path, QString *error) {
    ProfileFile file;
    if (!file.load(path, error))
        return std::nullopt;
    const QStringList texts = file.values(QString::fromLatin1(kPipeValuesSection), Keys());
    PipeValueReadings readings;
    for (std::size_t i = 0; i < kPipeFieldCount; ++i)
        if (!texts[qsizetype(i)].isEmpty())
            readings[i] = texts[qsizetype(i)];
    return readings;
}

// Only the position of the dot counts, so "pipe.text" still gets ".txt".
QString WithPipeExtension(const QString &path) {
    if (path.size() >= 4 && path[path.size() - 4] == u'.')
        return path;
    return path + QStringLiteral(".txt");
}

} // namespace quorvane
