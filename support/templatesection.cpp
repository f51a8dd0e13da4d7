// SPDX-License-Identifier: GPL-3.0-or-later
#include "templatesection.h"

#include "profilefile.h"

#include <QStringList>

namespace quorvane {

namespace {

constexpr int kChamberSections = 7;
const QString kSection = QString::fromLatin1(kTemplatesSection);

// The keys of the options the window has a box for, as the file spells them.
struct OptionKey {
    const char *key;
    std::string TemplateTexts::*text;
};
constexpr OptionKey kOptionKeys[] = {
    {"thickness", &TemplateTexts::thickness},
    {"kFactor", &TemplateTexts::kFactor},
    {"overlap", &TemplateTexts::overlap},
    {"pieces", &TemplateTexts::pieces},
    {"seamAllowance", &TemplateTexts::seamAllowance},
    {"rollLines", &TemplateTexts::rollLines},
};
constexpr const char *kDiametersKey = "diameters";
constexpr const char *kPaperKey = "paper";
constexpr const char *kLayoutKey = "bendLayout";

std::string BendName(int i) {
    return "L" + std::to_string(i);
}

QString BendKey(int i) {
    return QStringLiteral("bend") + QString::fromStdString(BendName(i));
}

QString Joined(const BendTexts &b) {
    return QString::fromStdString(b.angle + ":" + b.pieces + ":" + b.direction);
}

} // namespace

QStringList TemplateSectionKeys() {
    QStringList keys;
    for (const OptionKey &k : kOptionKeys)
        keys << QString::fromLatin1(k.key);
    keys << QString::fromLatin1(kDiametersKey) << QString::fromLatin1(kPaperKey)
         << QString::fromLatin1(kLayoutKey);
    for (int i = 1; i <= kChamberSections; ++i)
        keys << BendKey(i);
    return keys;
}

bool ReadTemplateSection(const QByteArray &path, TemplateSectionTexts &texts, QString *error) {
    ProfileFile file;
    if (!file.load(path, error))
        return false;
    const QStringList keys = TemplateSectionKeys();
    const QStringList values = file.values(kSection, keys);
    auto refuse = [&](const QString &key, const QString &why) {
        if (error)
            *error = QStringLiteral("[%1] %2: %3").arg(kSection, key, why);
        return false;
    };
    TemplateSectionTexts read = texts;
    qsizetype i = 0;
    for (const OptionKey &k : kOptionKeys) {
        if (!values[i].isEmpty())
            read.options.*k.text = values[i].toStdString();
        ++i;
    }
    if (const QString d = values[i++].toLower(); !d.isEmpty()) {
        if (d != u"inside" && d != u"outside")
            return refuse(QString::fromLatin1(kDiametersKey), QStringLiteral("give inside or outside."));
        read.options.outsideDiameters = d == u"outside";
    }
    if (const QString p = values[i++]; !p.isEmpty()) {
        const std::optional<Paper> paper = PaperNamed(p.toStdString());
        if (!paper)
            return refuse(QString::fromLatin1(kPaperKey),
                          QStringLiteral("give a4, letter, a3, tabloid or plotter."));
        read.options.paper = *paper;
    }
    if (const QString l = values[i++].toLower(); !l.isEmpty()) {
        if (l != u"blank" && l != u"pieces")
            return refuse(QString::fromLatin1(kLayoutKey), QStringLiteral("give blank or pieces."));
        read.bendLayout = l.toStdString();
    }
    for (int s = 1; s <= kChamberSections; ++s, ++i) {
        if (values[i].isEmpty())
            continue;
        const QStringList fields = values[i].split(u':');
        if (fields.size() < 2 || fields.size() > 3)
            return refuse(BendKey(s), QStringLiteral("give ANGLE:PIECES or ANGLE:PIECES:DIRECTION."));
        read.bends[BendName(s)] = {fields[0].trimmed().toStdString(), fields[1].trimmed().toStdString(),
                                   fields.size() == 3 ? fields[2].trimmed().toStdString() : "0"};
    }
    texts = std::move(read);
    return true;
}

SaveOutcome WriteTemplateSection(const QByteArray &path, const TemplateSectionTexts &texts) {
    SaveOutcome outcome;
    // The file read is the one that will be replaced, link or not.
    const QByteArray target = WriteTarget(path, outcome.error);
    ProfileFile file;
    if (target.isEmpty() || !file.load(target, &outcome.error))
        return outcome;
    QStringList values;
    for (const OptionKey &k : kOptionKeys)
        values << QString::fromStdString(texts.options.*k.text);
    values << QString::fromLatin1(texts.options.outsideDiameters ? "outside" : "inside")
           << QString::fromLatin1(NameOf(texts.options.paper)).toLower()
           << QString::fromStdString(texts.bendLayout);
    for (int s = 1; s <= kChamberSections; ++s) {
        const auto bend = texts.bends.find(BendName(s));
        values << (bend == texts.bends.end() ? QString() : Joined(bend->second));
    }
    const QStringList keys = TemplateSectionKeys();
    for (qsizetype i = 0; i < keys.size(); ++i) {
        QString refusal;
        if (!file.setValue(kSection, keys[i], values[i], &refusal)) {
            outcome.error = QStringLiteral("the %1 text %2").arg(keys[i], refusal);
            return outcome;
        }
    }
    return file.save(target);
}

} // namespace quorvane
