#include "weblinks.h"

#include <QDesktopServices>
#include <QUrl>

namespace quorvane {

void OpenWebSite(QWidget *) {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kWebSiteAddress)));
}

void OpenVideoHelp(QWidget *) {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kVideoHelpAddress)));
}

} // namespace quorvane
