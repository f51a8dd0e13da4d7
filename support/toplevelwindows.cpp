// SPDX-License-Identifier: GPL-3.0-or-later
#include "toplevelwindows.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

namespace quorvane {

namespace {

// Qt knows no stacking order across top-level windows, so the walk puts the
// active window first, then the other visible ones in the order they were
// first shown, then the hidden ones. Windows never shown have no native
// window yet and follow by title, which keeps the walk the same from call to
// call.
std::vector<QWidget *> WindowsFrontToBack() {
    const QWindowList shownOrder = QGuiApplication::topLevelWindows();
    const QWidget *active = QApplication::activeWindow();

    struct Entry {
        int group;
        qsizetype shown;
        QString title;
        QWidget *window;
    };
    std::vector<Entry> entries;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        const int group = window == active ? 0 : window->isVisible() ? 1 : 2;
        qsizetype shown = window->windowHandle() ? shownOrder.indexOf(window->windowHandle()) : -1;
        if (shown < 0)
            shown = shownOrder.size();
        entries.push_back({group, shown, window->windowTitle().trimmed().toCaseFolded(), window});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        if (std::tie(a.group, a.shown, a.title) != std::tie(b.group, b.shown, b.title))
            return std::tie(a.group, a.shown, a.title) < std::tie(b.group, b.shown, b.title);
        return std::less<QWidget *>()(a.window, b.window);
    });

    std::vector<QWidget *> windows;
    windows.reserve(entries.size());
    for (const Entry &entry : entries)
        windows.push_back(entry.window);
    return windows;
}

} // namespace

QWidget *FindWindowByTitle(const QString &searchText) {
    for (QWidget *window : WindowsFrontToBack()) {
        if (window->windowTitle().trimmed().startsWith(searchText, Qt::CaseInsensitive))
            return window;
    }
    return nullptr;
}

bool RestoreIfMinimized(QWidget *window) {
    if (window == nullptr || !window->isMinimized())
        return false;
    // Clearing only the minimized flag brings a maximized window back
    // maximized, as restoring does everywhere; showNormal() would not.
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
    // The focus goes back to the box the user left, not to the bare window.
    QWidget *focus = window->focusWidget() != nullptr ? window->focusWidget() : window;
    focus->setFocus(Qt::ActiveWindowFocusReason);
    return true;
}

} // namespace quorvane
