// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up benchmark: a bare Qt window, started and
// asked the way Quorvane is. It listens on the socket named by its argument
// before it shows the window and answers "done" from its event loop, as
// Quorvane's single instance does, so that both are timed to the same moment.
// With a second argument "text" the window shows one line of text: a window
// without any never starts the font system, which every caption needs.

#include <QApplication>
#include <QLabel>
#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    QLocalServer server;
    QLocalServer::removeServer(QString::fromLocal8Bit(argv[1]));
    if (!server.listen(QString::fromLocal8Bit(argv[1])))
        return 1;
    QObject::connect(&server, &QLocalServer::newConnection, &server, [&server] {
        while (QLocalSocket *socket = server.nextPendingConnection()) {
            const auto answer = [socket] {
                if (!socket->canReadLine())
                    return;
                socket->readLine();
                socket->write("done\n");
                socket->disconnectFromServer();
            };
            QObject::connect(socket, &QLocalSocket::readyRead, socket, answer);
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            answer();
        }
    });
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(891, 560);
    if (argc > 2 && QByteArray(argv[2]) == "text")
        (new QLabel(QStringLiteral("Port Timing"), &window))->move(32, 16);
    window.show();
    return app.exec();
}
