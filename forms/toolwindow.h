// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace quorvane {

// A tool window lives from the main window's load to the end of the program:
// the user closing it only hides it, with every value kept. Only the main
// window's closing closes it for good.
class ToolWindow : public QWidget {
    Q_OBJECT

  public:
    ToolWindow(const char *objectName, const QString &title, int clientWidth, int clientHeight);

    void CloseForGood();
    // Shows the window in front of the others, also when the user had minimized it.
    void ShowInFront();

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    bool m_closingForGood = false;
};

} // namespace quorvane
