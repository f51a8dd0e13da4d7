// SPDX-License-Identifier: GPL-3.0-or-later
#include "appidentity.h"
#include "lazyicons.h"
#include "mainform.h"
#include "singleinstance.h"
#include "startoptions.h"

#include <QApplication>
#include <QStyleFactory>

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstdlib>
#include <thread>
#include <unistd.h>

namespace {

// While the application connects to the display, Qt ends a failed connection
// with a fatal message and abort(): the user gets one plain line, naming the
// first thing that went wrong, and status 1 instead of a core dump. Messages
// of a start that succeeds are passed on afterwards as they were.
QStringList g_startMessages;

void HoldStartMessage(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (type != QtFatalMsg) {
        g_startMessages << qFormatLogMessage(type, context, message);
        return;
    }
    const QString reason = g_startMessages.isEmpty() ? message : g_startMessages.first();
    std::fprintf(stderr, "quorvane: cannot open the window: %s\n",
                 qPrintable(reason.section(QLatin1Char('\n'), 0, 0).simplified()));
    std::fflush(stderr);
    ::_exit(1);
}

} // namespace

// A second launch brings the running copy's window back and ends; the first
// opens the main window and runs until it is closed.
int main(int argc, char *argv[]) {
    const quorvane::StartRequest request = quorvane::ReadStartRequest(
        argc, argv, std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"));
    if (request.kind != quorvane::StartRequest::Kind::OpenWindow) {
        const bool refused = request.kind == quorvane::StartRequest::Kind::Refuse;
        FILE *out = refused ? stderr : stdout;
        // Help that could not be written (a full disk, a closed pipe) is no success.
        const bool written = std::fputs(request.text.c_str(), out) >= 0 && std::fflush(out) == 0;
        return refused || !written ? 1 : 0;
    }
    // Reading the system's font configuration is the longest single step of a
    // start and needs nothing of Qt: a second core does it while Qt connects
    // to the display, and the first caption finds it done.
    std::jthread fontConfiguration([] { FcInit(); });
    qInstallMessageHandler(HoldStartMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(nullptr);
    for (const QString &message : std::as_const(g_startMessages))
        std::fprintf(stderr, "%s\n", qPrintable(message));
    QApplication::setStyle(quorvane::WithLazyStandardIcons(QStyleFactory::create(QStringLiteral("Fusion"))));
    quorvane::ApplyApplicationIdentity();
    quorvane::SingleInstance instance(QStringLiteral("Quorvane"));
    if (instance.ActivatePrevInstance())
        return 0;
    fontConfiguration.join();
    quorvane::MainForm form;
    form.show();
    return app.exec();
}
