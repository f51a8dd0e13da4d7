// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolwindow.h"

#include "keyboard.h"
#include "lookandfeel.h"

#include <QCloseEvent>
#include <QShortcut>

namespace quorvane {

ToolWindow::ToolWindow(const char *objectName, const QString &title, int clientWidth, int clientHeight)
    : QWidget(nullptr, Qt::Window) {
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(title);
    setFont(ControlFont());
    setFixedSize(clientWidth, clientHeight);
    CloseOnEscape(this);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            &ToolWindow::helpRequested);
}

void ToolWindow::CloseForGood() {
    m_closingForGood = true;
    close();
}

void ToolWindow::ShowInFront() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void ToolWindow::closeEvent(QCloseEvent *event) {
    if (m_closingForGood) {
        event->accept();
        return;
    }
    event->ignore();
    hide();
}

} // namespace quorvane
