#include "singleinstance.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace quorvane {

namespace {

constexpr auto kLockFileName = "quorvane.lock";
constexpr auto kSocketName = "quorvane.socket";
// The one thing a later copy ever says. Anything else on the socket is
// ignored, and a connection that sends more than a line is dropped.
constexpr char kActivateRequest[] = "activate";
constexpr qint64 kLongestRequest = 64;
// A running copy answers within microseconds; this only bounds the wait for
// one that hangs, so that a new copy never hangs with it.
constexpr int kAnswerTimeoutMs = 1000;

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

QString UserName() {
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
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

SingleInstance::SingleInstance(const QString &searchText, const QString &folder, QObject *parent)
    : QObject(parent), m_searchText(searchText), m_folder(folder) {}

// The server goes first: closing it removes the socket file while the lock
// still says this copy owns it.
SingleInstance::~SingleInstance() {
    delete m_server;
    m_server = nullptr;
}

QString SingleInstance::DefaultFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return runtime;
    return QDir::tempPath() + QStringLiteral("/quorvane-") + UserName();
}

QString SingleInstance::lockFilePath() const {
    return QDir(m_folder).filePath(QLatin1String(kLockFileName));
}

QString SingleInstance::socketPath() const {
    return QDir(m_folder).filePath(QLatin1String(kSocketName));
}

bool SingleInstance::isFirstCopy() const {
    return m_lock != nullptr;
}

bool SingleInstance::isListening() const {
    return m_server != nullptr && m_server->isListening();
}

bool SingleInstance::ActivatePrevInstance() {
    if (isFirstCopy())
        return false;
    switch (TakeLock()) {
    case LockResult::Taken:
        Listen();
        return false;
    case LockResult::Unusable:
        return false;
    case LockResult::HeldByAnother:
        break;
    }
    AskRunningCopy();
    return true;
}

SingleInstance::LockResult SingleInstance::TakeLock() {
    if (!QFileInfo::exists(m_folder)) {
        if (!QDir().mkpath(m_folder))
            return LockResult::Unusable;
        // Only this user may put a lock or a socket where we look for them.
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    auto lock = std::make_unique<QLockFile>(lockFilePath());
    // Never judge a lock by its age: a copy may run for days. A lock counts
    // as stale only when the process that wrote it is gone, which also covers
    // a copy that crashed or was killed.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        return LockResult::Taken;
    }
    return lock->error() == QLockFile::LockFailedError ? LockResult::HeldByAnother : LockResult::Unusable;
}

void SingleInstance::Listen() {
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::AcceptConnections);
    // A socket file left by a copy that died would make listen() fail;
    // holding the lock means no live copy can own it.
    QLocalServer::removeServer(socketPath());
    if (!m_server->listen(socketPath())) {
        // Later copies will still find the lock and end; they just cannot
        // bring this copy's window back.
        delete m_server;
        m_server = nullptr;
    }
}

void SingleInstance::AcceptConnections() {
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequest(socket); });
        ReadRequest(socket);
    }
}

void SingleInstance::ReadRequest(QLocalSocket *socket) {
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(kLongestRequest);
        if (!line.endsWith('\n')) {
            socket->abort(); // longer than any request
            return;
        }
        if (line.trimmed() != kActivateRequest)
            continue;
        QWidget *window = FindWindowByTitle(m_searchText);
        RestoreIfMinimized(window);
        socket->disconnectFromServer();
        emit activationHandled(window);
        return;
    }
    if (socket->bytesAvailable() >= kLongestRequest)
        socket->abort();
}

void SingleInstance::AskRunningCopy() const {
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(kAnswerTimeoutMs))
        return;
    socket.write(QByteArray(kActivateRequest) + '\n');
    socket.waitForBytesWritten(kAnswerTimeoutMs);
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(kAnswerTimeoutMs);
}

} // namespace quorvane
