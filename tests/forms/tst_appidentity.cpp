// SPDX-License-Identifier: GPL-3.0-or-later
#include "appidentity.h"
#include "filedialogs.h"
#include "mainform.h"

#include <QAction>
#include <QMenuBar>
#include <QtTest>

using namespace quorvane;

namespace {

struct AboutCatcher : FileDialogs {
    QStringList shown;
    void ShowAbout(QWidget *, const QString &title, const QString &text) override {
        shown << title + '|' + text;
    }
};

} // namespace

class TestAppIdentity : public QObject {
    Q_OBJECT

  private slots:
    // The desktop finds the program's entry and icon by the one id; every window shows the icon.
    void identity_and_icon() {
        ApplyApplicationIdentity();
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.quorvane.Quorvane"));
        const QList<QSize> sizes = QApplication::windowIcon().availableSizes();
        QCOMPARE(sizes, (QList<QSize>{{48, 48}, {128, 128}, {256, 256}}));
        MainForm form;
        QVERIFY(!form.windowIcon().pixmap(48).isNull());
    }

    // Help, after Tools, holds About Quorvane: version, licence, Qt and the web address.
    void about_after_the_tools_menu() {
        auto dialogs = std::make_unique<AboutCatcher>();
        AboutCatcher *about = dialogs.get();
        MainForm form(std::move(dialogs));
        QStringList menus;
        for (QAction *menu : form.menuBar()->actions())
            menus << menu->text();
        QCOMPARE(menus, (QStringList{"File", "Tools", "Help"}));
        form.findChild<QAction *>("mnuHelpAbout")->trigger();
        QCOMPARE(about->shown.size(), 1);
        for (const QString &part :
             {QStringLiteral("About Quorvane|Quorvane 1.0.0"),
              QStringLiteral("GNU General Public License, version 3 or later"),
              QStringLiteral("running on Qt ") + qVersion(), QStringLiteral("https://www.quorvane.org/")})
            QVERIFY2(about->shown[0].contains(part), qPrintable(about->shown[0]));
    }
};

QTEST_MAIN(TestAppIdentity)
#include "tst_appidentity.moc"
