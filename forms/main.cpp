// SPDX-License-Identifier: GPL-3.0-or-later
#include "appidentity.h"
#include "mainform.h"
#include "singleinstance.h"

#include <QApplication>
#include <QStyleFactory>

// A second launch brings the running copy's window back and ends; the first
// opens the main window and runs until it is closed.
int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    quorvane::ApplyApplicationIdentity();
    quorvane::SingleInstance instance(QStringLiteral("Quorvane"));
    if (instance.ActivatePrevInstance())
        return 0;
    quorvane::MainForm form;
    form.show();
    return app.exec();
}
