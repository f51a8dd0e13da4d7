// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QPrinter;
class QWidget;

namespace quorvane {

// The dialogs the File menu and the cutting templates show, behind one seam
// so tests can answer them.
class FileDialogs {
  public:
    virtual ~FileDialogs() = default;

    // The chosen path, or an empty text when the user cancels. `filter` is
    // written "description|pattern". Saving asks before overwriting.
    virtual QString ShowSaveDialog(QWidget *owner, const QString &filter, const QString &title,
                                   const QString &initialFolder, const QString &defaultName);
    virtual QString ShowOpenDialog(QWidget *owner, const QString &filter, const QString &title,
                                   const QString &initialFolder);
    virtual void ShowError(QWidget *owner, const QString &title, const QString &text);
    // Whether to replace the existing file at `path`.
    virtual bool ConfirmOverwrite(QWidget *owner, const QString &title, const QString &path);
    // Whether to rewrite the file at `path` where it stands, which `reason`
    // says is the only way left and a risk.
    virtual bool ConfirmInPlace(QWidget *owner, const QString &title, const QString &path,
                                const QString &reason);
    // The system print dialog for `printer`, which it sets up as the user
    // chooses; false when the user cancels.
    virtual bool ShowPrintDialog(QWidget *owner, QPrinter &printer);
    virtual void ShowAbout(QWidget *owner, const QString &title, const QString &text);

    // The save dialog in `folder` (the documents folder when empty), then
    // `withExtension` applied to the chosen name. The dialog asked about the
    // name as typed, so when the extension makes it name another existing
    // file, this asks again. Empty when the user cancels either question.
    QString ChooseSavePath(QWidget *owner, const QString &filter, const QString &title,
                           const QString &defaultName,
                           const std::function<QString(const QString &)> &withExtension,
                           const QString &folder = {});
    // "`what` could not be saved to `path`." with the reason, and whether the
    // file on disk was left as it was.
    void ShowSaveFailure(QWidget *owner, const QString &title, const QString &what, const QString &path,
                         const QString &reason, bool oldFileKept);
};

// The user's documents folder, or an empty text when there is none.
QString GetDocumentsFolder();

} // namespace quorvane
