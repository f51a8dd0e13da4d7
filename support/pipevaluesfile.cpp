#include "pipevaluesfile.h"

#include "profilefile.h"

namespace quorvane {

bool WritePipeValues(const QString &path, const PipeValueTexts &texts, QString *error) {
    ProfileFile file;
    if (!file.load(path, error))
        return false;
    const QString section = QString::fromLatin1(kPipeValuesSection);
    for (std::size_t i = 0; i < kPipeValueCount; ++i)
        file.setValue(section, QString::fromLatin1(kPipeValueKeys[i]), texts[i]);
    return file.save(path, error);
}

std::optional<PipeValueReadings> ReadPipeValues(const QString &path, QString *error) {
    ProfileFile file;
    if (!file.load(path, error))
        return std::nullopt;
    const QString section = QString::fromLatin1(kPipeValuesSection);
    PipeValueReadings readings;
    for (std::size_t i = 0; i < kPipeValueCount; ++i) {
        QString text = file.value(section, QString::fromLatin1(kPipeValueKeys[i]));
        if (!text.isEmpty())
            readings[i] = std::move(text);
    }
    return readings;
}

// Only the position of the dot counts, so "pipe.text" still gets ".txt".
QString WithPipeExtension(const QString &path) {
    if (path.size() >= 4 && path[path.size() - 4] == u'.')
        return path;
    return path + QStringLiteral(".txt");
}

} // namespace quorvane
