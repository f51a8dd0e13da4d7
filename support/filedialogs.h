// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

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
    // The system print dialog for `printer`, which it sets up as the user
    // chooses; false when the user cancels.
    virtual bool ShowPrintDialog(QWidget *owner, QPrinter &printer);
    virtual void ShowAbout(QWidget *owner, const QString &title, const QString &text);
};

// The user's documents folder, or an empty text when there is none.
QString GetDocumentsFolder();

} // namespace quorvane
