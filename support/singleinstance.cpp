// SPDX-License-Identifier: GPL-3.0-or-later
#include "singleinstance.h"

#include "toplevelwindows.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <sys/stat.h>
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
// What the running copy says once it has dealt with the request. Only this
// lets a later copy end: one that hears nothing starts after all.
constexpr char kActivatedAnswer[] = "done";
// A running copy answers within milliseconds once its window is up; this
// bounds the wait for one that is still starting or hangs, so that a new
// copy never hangs with it.
constexpr int kAnswerTimeoutMs = 2000;
constexpr int kConnectRetryMs = 50;

QString UserName() {
#ifdef Q_OS_UNIX
    return QString::number(::geteuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

// Whether folder is a real folder of this user's alone, making it so when it
// is missing. The temporary folder is shared: a folder or link there that
// another user made, or one that others may write into, could hold a lock
// that stops every start, or a socket that answers in our place. Qt checks
// its own runtime folder the same way.
bool MakePrivateFolder(const QString &folder) {
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    // Checked after making it too: someone may have been quicker.
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() &&
           (info.st_mode & 07777) == 0700;
#else
    return QDir().mkpath(folder);
#endif
}

// Whether the lock names a process of this machine. A lock Qt cannot read,
// or one naming another machine, it keeps for good, and no copy would ever
// start again; the runtime folder belongs to this machine, so such a lock is
// left over.
bool NamesLocalProcess(const QLockFile &lock) {
    qint64 pid = 0;
    QString host;
    QString app;
    return lock.getLockInfo(&pid, &host, &app) && (host.isEmpty() || host == QSysInfo::machineHostName());
}

// Whether a lock can be taken at `path` without waiting for ever. QLockFile
// opens and reads the files it finds there, and opening a FIFO waits for a
// writer that never comes; a folder, device or socket fails every time.
// Anything but an ordinary file is therefore left over or planted: it is
// removed when it is ours, and otherwise the one-copy check is skipped.
bool ClearOddLockFile(const QString &path) {
#ifdef Q_OS_UNIX
    const QByteArray bytes = QFile::encodeName(path);
    struct stat info {};
    if (::lstat(bytes.constData(), &info) != 0)
        return errno == ENOENT;
    if (S_ISREG(info.st_mode))
        return true;
    if (info.st_uid != ::geteuid())
        return false;
    return (S_ISDIR(info.st_mode) ? ::rmdir(bytes.constData()) : ::unlink(bytes.constData())) == 0;
#else
    Q_UNUSED(path);
    return true;
#endif
}

} // namespace

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
    const QString fallback = QDir::tempPath() + QStringLiteral("/quorvane-") + UserName();
    return MakePrivateFolder(fallback) ? fallback : QString();
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
    if (isFirstCopy() || m_folder.isEmpty())
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
    return AskRunningCopy();
}

SingleInstance::LockResult SingleInstance::TakeLock() {
    if (!QFileInfo::exists(m_folder)) {
        if (!QDir().mkpath(m_folder))
            return LockResult::Unusable;
        // Only this user may put a lock or a socket where we look for them.
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // QLockFile guards the removal of a stale lock with a second lock beside it.
    for (const QString &path : {lockFilePath(), lockFilePath() + QStringLiteral(".rmlock")})
        if (!ClearOddLockFile(path))
            return LockResult::Unusable;

    auto lock = std::make_unique<QLockFile>(lockFilePath());
    // Never judge a lock by its age: a copy may run for days. A lock counts
    // as stale only when it names no live process of this machine: Qt sees
    // to one whose process is gone (a copy that crashed or was killed), we to
    // the rest. Removing fails while a live process holds the file, so a copy
    // that is running is never robbed of its lock.
    lock->setStaleLockTime(0);
    bool taken = lock->tryLock(0);
    if (!taken && lock->error() == QLockFile::LockFailedError && !NamesLocalProcess(*lock))
        taken = lock->removeStaleLockFile() && lock->tryLock(0);
    if (taken) {
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
        // Later copies find the lock but hear no answer, and start as well.
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
        socket->write(QByteArray(kActivatedAnswer) + '\n');
        socket->disconnectFromServer();
        emit activationHandled(window);
        return;
    }
    if (socket->bytesAvailable() >= kLongestRequest)
        socket->abort();
}

bool SingleInstance::AskRunningCopy() const {
    const QDeadlineTimer deadline(kAnswerTimeoutMs);
    QLocalSocket socket;
    // A copy that has just taken the lock may not be listening yet.
    for (;;) {
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(ulong(std::min<qint64>(kConnectRetryMs, deadline.remainingTime())));
    }
    socket.write(QByteArray(kActivateRequest) + '\n');
    while (!socket.canReadLine() && socket.waitForReadyRead(int(deadline.remainingTime()))) {
    }
    return socket.canReadLine() && socket.readLine(kLongestRequest).trimmed() == kActivatedAnswer;
}

} // namespace quorvane
