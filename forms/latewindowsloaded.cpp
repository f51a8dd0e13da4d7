// SPDX-License-Identifier: GPL-3.0-or-later
// The late windows as the installed program has them: a module beside it, in
// the library folder's place relative to the program's folder, or, in the
// build tree, next to the program.
#include "latewindows.h"

#include "quorvane_version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <dlfcn.h>

namespace quorvane {

const LateWindowMakers *LoadLateWindows(const QStringList &paths, QString &why) {
    for (const QString &path : paths) {
        if (!QFileInfo::exists(path))
            continue;
        // Loaded for the program's life: its windows live until the end.
        void *module = ::dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            why = QStringLiteral("%1 cannot be loaded: %2").arg(path, QString::fromLocal8Bit(::dlerror()));
            return nullptr;
        }
        using Entry = const LateWindowMakers *(*)();
        const auto entry = reinterpret_cast<Entry>(::dlsym(module, "quorvane_late_windows"));
        const LateWindowMakers *makers = entry ? entry() : nullptr;
        if (!makers) {
            why = QStringLiteral("%1 is not Quorvane's window module.").arg(path);
        } else if (std::strcmp(makers->version, kVersionText) != 0) {
            why = QStringLiteral("%1 belongs to Quorvane %2, not to this Quorvane %3.")
                      .arg(path, QString::fromUtf8(makers->version), QLatin1String(kVersionText));
        } else {
            return makers;
        }
        ::dlclose(module);
        return nullptr;
    }
    why = QStringLiteral("The module is missing: it was looked for as %1.")
              .arg(paths.join(QStringLiteral(" and ")));
    return nullptr;
}

const LateWindowMakers *LateWindows(QString &why) {
    static QString reason;
    static const LateWindowMakers *const makers = [] {
        const QString programFolder = QCoreApplication::applicationDirPath();
        const QString name = QStringLiteral(QUORVANE_LATE_WINDOWS_MODULE);
        return LoadLateWindows(
            {QDir::cleanPath(programFolder + QStringLiteral("/" QUORVANE_LATE_WINDOWS_FOLDER "/") + name),
             programFolder + QLatin1Char('/') + name},
            reason);
    }();
    why = reason;
    return makers;
}

} // namespace quorvane
