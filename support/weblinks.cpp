// SPDX-License-Identifier: GPL-3.0-or-later
#include "weblinks.h"

#include <QDesktopServices>
#include <QUrl>

namespace quorvane {

void OpenWebSite() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kWebSiteAddress)));
}

void OpenVideoHelp() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kVideoHelpAddress)));
}

} // namespace quorvane
