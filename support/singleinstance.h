// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;
class QWidget;

namespace quorvane {

// Lets one copy of the program run per user. The first copy holds a lock file
// in the user's runtime folder and listens on a local socket beside it; a
// later copy finds the lock taken, asks the first copy to bring its main
// window back, and ends without showing anything once it has answered:
//
//     SingleInstance instance(QStringLiteral("Quorvane"));
//     if (instance.ActivatePrevInstance())
//         return 0;
//
// The object must outlive the main window: it holds the lock and answers the
// later copies for as long as the program runs.
class SingleInstance : public QObject {
    Q_OBJECT

  public:
    // searchText is the beginning of the main window's title. folder defaults
    // to the user's runtime folder; tests pass a folder of their own.
    explicit SingleInstance(const QString &searchText, const QString &folder = DefaultFolder(),
                            QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when another copy is running and answered, whether or not its
    // window was found and restored: the caller should end. False when this
    // is the only copy, which from now on answers later copies. A lock that
    // names no live process of this machine is taken over. When the copy
    // holding the lock does not answer within a short time, or no lock can be
    // made at all (no folder, or an unusable one), this also returns false:
    // better two copies than none, and never an end without a window.
    bool ActivatePrevInstance();

    // Whether this copy holds the lock, and whether it can hear later copies.
    bool isFirstCopy() const;
    bool isListening() const;
    QString lockFilePath() const;
    QString socketPath() const;

    // The runtime folder (XDG_RUNTIME_DIR on Linux), or else a per-user
    // folder in the temporary folder, made on first use, as long as it is a
    // real folder of this user's alone. Empty when neither will do: the
    // program then runs without the one-copy check.
    static QString DefaultFolder();

  signals:
    // Another copy asked for the main window; emitted after it was dealt
    // with. window is what FindWindowByTitle found, nullptr when nothing.
    void activationHandled(QWidget *window);

  private:
    enum class LockResult { Taken, HeldByAnother, Unusable };

    LockResult TakeLock();
    void Listen();
    void AcceptConnections();
    void ReadRequest(QLocalSocket *socket);
    bool AskRunningCopy() const;

    QString m_searchText;
    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};

} // namespace quorvane
