// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpwindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QVBoxLayout>

// The pages are compiled into this static library; its resources must be
// registered by hand, from the global namespace.
static void RegisterHelpPages() {
    Q_INIT_RESOURCE(help);
}

namespace quorvane {

namespace {

constexpr const char *kContentsPage = "index.html";

QString PageUrl(const QString &page) {
    return QStringLiteral("qrc:/help/") + page;
}

// How the pages read in the program: the system's text font, not the bold
// face of the calculators' controls.
constexpr const char *kPageStyle = "h1 { font-size: x-large; } h2 { font-size: large; margin-top: 14px; } "
                                   "table { border-collapse: collapse; } td, th { padding: 2px 6px; } "
                                   "th { text-align: left; } "
                                   "code { font-family: monospace; }";

} // namespace

QList<HelpChapter> HelpChapters() {
    RegisterHelpPages();
    QFile index(QStringLiteral(":/help/") + QLatin1String(kContentsPage));
    if (!index.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression item(
        QStringLiteral(R"re(<li><a href="([^"#]+)"(?: data-window="([^"]*)")?>([^<]+)</a>)re"));
    QList<HelpChapter> chapters;
    auto matches = item.globalMatch(QString::fromUtf8(index.readAll()));
    while (matches.hasNext()) {
        const QRegularExpressionMatch m = matches.next();
        chapters.append({m.captured(1), m.captured(3), m.captured(2)});
    }
    return chapters;
}

QString HelpPageFor(const QString &windowName) {
    for (const HelpChapter &chapter : HelpChapters())
        if (!windowName.isEmpty() && chapter.window == windowName)
            return chapter.page;
    return QString::fromLatin1(kContentsPage);
}

HelpWindow::HelpWindow() : ToolWindow("frmHelp", QStringLiteral("Quorvane Help"), 860, 680) {
    RegisterHelpPages();
    // Reading matter: the user may size it as they like.
    setMinimumSize(480, 360);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setFont(QApplication::font());

    txtHelp = new QTextBrowser(this);
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    txtHelp->setOpenLinks(false);
    txtHelp->document()->setDefaultStyleSheet(QString::fromLatin1(kPageStyle));
    // Links within the manual stay in it; one to the web goes to the browser.
    connect(txtHelp, &QTextBrowser::anchorClicked, this, [this](const QUrl &url) {
        if (url.scheme() == QLatin1String("qrc") || url.isRelative())
            txtHelp->setSource(txtHelp->source().resolved(url));
        else
            QDesktopServices::openUrl(url);
    });

    auto *contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto *back = new QPushButton(QStringLiteral("&Back"), this);
    auto *forward = new QPushButton(QStringLiteral("&Forward"), this);
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    contents->setObjectName(QStringLiteral("cmdContents"));
    back->setObjectName(QStringLiteral("cmdBack"));
    forward->setObjectName(QStringLiteral("cmdForward"));
    close->setObjectName(QStringLiteral("cmdClose"));
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, [this] { ShowPage(QString::fromLatin1(kContentsPage)); });
    connect(back, &QPushButton::clicked, txtHelp, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, txtHelp, &QTextBrowser::forward);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    connect(txtHelp, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(txtHelp, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(txtHelp);
    ShowPage(QString::fromLatin1(kContentsPage));
}

void HelpWindow::ShowPage(const QString &page) {
    txtHelp->setSource(QUrl(PageUrl(page)));
}

QString HelpWindow::currentPage() const {
    return txtHelp->source().path().section(QLatin1Char('/'), -1);
}

} // namespace quorvane
