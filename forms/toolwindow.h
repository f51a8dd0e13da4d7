// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace quorvane {

// A tool window lives from its first showing to the end of the program: the
// user closing it (its close box, Esc, Ctrl+W) only hides it, with every
// value kept. Only the main window's closing closes it for good. F1 asks for
// its chapter of the manual.
class ToolWindow : public QWidget {
    Q_OBJECT

  public:
    ToolWindow(const char *objectName, const QString &title, int clientWidth, int clientHeight);

    void CloseForGood();
    // Shows the window in front of the others, also when the user had minimized it.
    void ShowInFront();
    // The main window's Pipe Calc completed; a design input changed after it.
    // Windows that follow the design take these.
    virtual void DesignCalculated() {}
    virtual void DesignEdited() {}

  signals:
    void helpRequested();

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    bool m_closingForGood = false;
};

} // namespace quorvane
