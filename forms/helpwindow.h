// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolwindow.h"

#include <QList>
#include <QString>

class QTextBrowser;

namespace quorvane {

// One chapter of the manual: its page, its title, and the window whose F1
// opens it (empty for a chapter of no window).
struct HelpChapter {
    QString page;
    QString title;
    QString window;
};

// The chapters in the order of the manual's contents page, read from that
// page's list: a chapter is added by one line there.
QList<HelpChapter> HelpChapters();

// The page F1 opens in `windowName`: its chapter, or the contents page.
QString HelpPageFor(const QString &windowName);

// The manual shipped inside the program: the pages of data/help, read in a
// browser that follows their links and never leaves them for the network.
class HelpWindow : public ToolWindow {
    Q_OBJECT

  public:
    HelpWindow();

    // Shows `page` ("templates.html"), optionally at its "#anchor".
    void ShowPage(const QString &page);
    // The page shown, without folder or anchor.
    QString currentPage() const;

  private:
    QTextBrowser *txtHelp = nullptr;
};

} // namespace quorvane
