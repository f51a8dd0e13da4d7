// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Real file systems in awkward states for the tests of what the program writes: a tiny tmpfs that can be
// filled to the last byte, and a child process that acts as an ordinary user.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <functional>

#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace scratch {

// A 64 KiB tmpfs mounted on a fresh folder for as long as the object lives. Mounting needs root; `error`
// says why when it could not be done.
class SmallDisk {
  public:
    SmallDisk() {
        if (!m_dir.isValid())
            m_error = QStringLiteral("no temporary folder");
        else if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0,
                         "size=64k,mode=0755") != 0)
            m_error = QStringLiteral("cannot mount a tmpfs (it needs root): %1")
                          .arg(QString::fromLocal8Bit(std::strerror(errno)));
        else
            m_mounted = true;
    }
    ~SmallDisk() {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool mounted() const { return m_mounted; }
    QString error() const { return m_error; }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Writes a filler file until the disk refuses another byte, single bytes last so that not even a
    // partial block is left; true when it was the full disk that refused.
    bool Fill() const {
        const int fd = ::open(QFile::encodeName(filePath(QStringLiteral("filler"))).constData(),
                              O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const QByteArray block(512, 'x');
        while (fd >= 0 && ::write(fd, block.constData(), std::size_t(block.size())) == block.size()) {
        }
        while (fd >= 0 && ::write(fd, "x", 1) == 1) {
        }
        const bool full = fd >= 0 && errno == ENOSPC;
        ::close(fd);
        return full;
    }

  private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_error;
};

// Starts `work` in a child process under another user and group id; the child exits with its result, or
// 255 when it could not change its ids.
inline pid_t ForkAs(uid_t uid, gid_t gid, const std::function<int()> &work) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0)
            ::_exit(255);
        ::_exit(work());
    }
    return child;
}

// `work` run as ForkAs runs it: its exit status, or -1 when the child could not run or change its ids.
inline int RunAs(uid_t uid, gid_t gid, const std::function<int()> &work) {
    const pid_t child = ForkAs(uid, gid, work);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) == 255)
        return -1;
    return WEXITSTATUS(status);
}

} // namespace scratch
