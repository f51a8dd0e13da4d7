// SPDX-License-Identifier: GPL-3.0-or-later
#include "filedialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QStandardPaths>

namespace quorvane {

namespace {

// "Saved Pipe Values (*.txt)|*.txt" as a Qt name filter.
QString QtNameFilter(const QString &barFilter) {
    const QStringList parts = barFilter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts[i];
        const QString pattern = parts[i + 1];
        // Qt reads the patterns from the brackets at the end of the description.
        filters << (description.endsWith(QLatin1Char('(') + pattern + QLatin1Char(')'))
                        ? description
                        : description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace

QString GetDocumentsFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder).exists() ? folder : QString();
}

QString FileDialogs::ShowSaveDialog(QWidget *owner, const QString &filter, const QString &title,
                                    const QString &initialFolder, const QString &defaultName) {
    const QString start = initialFolder.isEmpty() ? defaultName : QDir(initialFolder).filePath(defaultName);
    return QFileDialog::getSaveFileName(owner, title, start, QtNameFilter(filter));
}

QString FileDialogs::ShowOpenDialog(QWidget *owner, const QString &filter, const QString &title,
                                    const QString &initialFolder) {
    return QFileDialog::getOpenFileName(owner, title, initialFolder, QtNameFilter(filter));
}

void FileDialogs::ShowError(QWidget *owner, const QString &title, const QString &text) {
    QMessageBox::warning(owner, title, text);
}

bool FileDialogs::ConfirmOverwrite(QWidget *owner, const QString &title, const QString &path) {
    return QMessageBox::question(owner, title,
                                 QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                     .arg(QDir::toNativeSeparators(path))) == QMessageBox::Yes;
}

bool FileDialogs::ConfirmInPlace(QWidget *owner, const QString &title, const QString &path,
                                 const QString &reason) {
    return QMessageBox::question(owner, title,
                                 QStringLiteral("%1\n\nRewrite %2 in place anyway?")
                                     .arg(reason, QDir::toNativeSeparators(path)),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void FileDialogs::ShowAbout(QWidget *owner, const QString &title, const QString &text) {
    QMessageBox::about(owner, title, text);
}

QString FileDialogs::ChooseSavePath(QWidget *owner, const QString &filter, const QString &title,
                                    const QString &defaultName,
                                    const std::function<QString(const QString &)> &withExtension,
                                    const QString &folder) {
    const QString chosen =
        ShowSaveDialog(owner, filter, title, folder.isEmpty() ? GetDocumentsFolder() : folder, defaultName);
    if (chosen.isEmpty())
        return {};
    const QString path = withExtension(chosen);
    if (path != chosen && QFileInfo::exists(path) && !ConfirmOverwrite(owner, title, path))
        return {};
    return path;
}

void FileDialogs::ShowSaveFailure(QWidget *owner, const QString &title, const QString &what,
                                  const QString &path, const QString &reason, bool oldFileKept) {
    QString text = QStringLiteral("%1 could not be saved to %2.\n\n%3")
                       .arg(what, QDir::toNativeSeparators(path), reason);
    if (oldFileKept)
        text += QStringLiteral("\n\nThe file on disk was left as it was.");
    ShowError(owner, title, text);
}

bool FileDialogs::ShowPrintDialog(QWidget *owner, QPrinter &printer) {
    QPrintDialog dialog(&printer, owner);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace quorvane
