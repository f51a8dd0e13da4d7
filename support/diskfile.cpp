// SPDX-License-Identifier: GPL-3.0-or-later
#include "diskfile.h"

#include "numeric.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace quorvane {

namespace {

// Links are followed at most this many times, as the kernel does.
constexpr int kMostLinks = 40;
// The longest file name the file systems we meet allow, in bytes.
constexpr qsizetype kLongestName = 255;
// A temporary of ours is ".NAME.XXXXXX": the dot, the name, and mkostemp's dot and six characters.
constexpr qsizetype kTemporaryExtra = 8;
// A temporary left this long by a save that was killed is no longer anybody's save in progress.
constexpr std::time_t kStaleTemporarySeconds = 24 * 60 * 60;
// Where a file's POSIX ACL lives; copying it keeps the ACL without needing libacl.
constexpr char kAccessAcl[] = "system.posix_acl_access";

thread_local int t_inPlaceConsents = 0;

QString ErrorText(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

QByteArray FolderOf(const QByteArray &path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray NameOf(const QByteArray &path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

// A closing descriptor that reports its own errors: close() is where some
// file systems first say the disk is full.
class Descriptor {
  public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    // 0 on success, else the error code.
    int Close() {
        const int fd = m_fd;
        m_fd = -1;
        return fd >= 0 && ::close(fd) != 0 && errno != EINTR ? errno : 0;
    }

  private:
    int m_fd;
};

// 0 when every byte went out, else the error code.
int WriteAll(int fd, const QByteArray &bytes, off_t offset) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.constData() + done, std::size_t(bytes.size() - done), offset + done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return ENOSPC;
        done += n;
    }
    return 0;
}

QString TypeRefusal(const QByteArray &path, mode_t mode) {
    if (S_ISDIR(mode))
        return QStringLiteral("%1 is a folder, not a file.").arg(DisplayPath(path));
    return QStringLiteral("%1 is not an ordinary file (it is a device, a pipe or a socket).")
        .arg(DisplayPath(path));
}

QString TooLarge(qint64 size) {
    return QStringLiteral(
               "The file holds %1 bytes. Files over 1 MiB are not read: a saved design is far smaller.")
        .arg(QString::fromStdString(FormatFixed(double(size), 0)));
}

QString PlantedLink(const QByteArray &link) {
    return QStringLiteral("%1 is a link that another user put into a shared folder. It is not "
                          "followed, so that nobody can make a save overwrite another file.")
        .arg(DisplayPath(link));
}

// The kernel's protected-symlinks rule: in a sticky folder that everybody may
// write to, only links of the user or of the folder's owner are followed.
bool MayFollow(const struct stat &link, const QByteArray &folder) {
    struct stat dir {};
    if (::stat(folder.constData(), &dir) != 0)
        return false;
    const bool shared = (dir.st_mode & S_ISVTX) && (dir.st_mode & S_IWOTH);
    return !shared || link.st_uid == ::geteuid() || link.st_uid == dir.st_uid;
}

// Every folder on the way to `path` that is a link must pass the same test as the file's own link: the
// kernel guards only the last component, and a folder link leads a save just as far astray.
bool CheckFolderLinks(const QByteArray &path, QString &error) {
    for (qsizetype slash = path.indexOf('/', 1); slash > 0; slash = path.indexOf('/', slash + 1)) {
        const QByteArray folder = path.left(slash);
        struct stat info {};
        if (::lstat(folder.constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            continue; // a missing folder is reported where the save fails
        if (!MayFollow(info, FolderOf(folder))) {
            error = PlantedLink(folder);
            return false;
        }
    }
    return true;
}

struct Target {
    QByteArray path;
    bool exists = false;
    struct stat info {};
};

bool ResolveTarget(const QByteArray &path, Target &target, QString &error) {
    QByteArray current = path;
    for (int hop = 0; hop <= kMostLinks; ++hop) {
        if (!CheckFolderLinks(current, error))
            return false;
        struct stat info {};
        if (::lstat(current.constData(), &info) != 0) {
            if (errno != ENOENT) {
                error = ErrorText(errno) + u'.';
                return false;
            }
            target = {current, false, {}};
            return true;
        }
        if (!S_ISLNK(info.st_mode)) {
            if (!S_ISREG(info.st_mode)) {
                error = TypeRefusal(current, info.st_mode);
                return false;
            }
            target = {current, true, info};
            return true;
        }
        if (!MayFollow(info, FolderOf(current))) {
            error = PlantedLink(current);
            return false;
        }
        QByteArray next(qsizetype(info.st_size) + 1, Qt::Uninitialized);
        const ssize_t n = ::readlink(current.constData(), next.data(), std::size_t(next.size()));
        if (n < 0 || n >= next.size()) {
            error = ErrorText(n < 0 ? errno : EAGAIN) + u'.';
            return false;
        }
        next.truncate(n);
        current = next.startsWith('/') ? next : FolderOf(current) + '/' + next;
    }
    error = ErrorText(ELOOP) + u'.';
    return false;
}

// Rewrites an existing file where it stands. The room is reserved first, so
// a full disk refuses before the first byte changes.
SaveOutcome SaveInPlace(const Target &target, const QByteArray &bytes) {
    SaveOutcome outcome;
    Descriptor fd(::open(target.path.constData(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY));
    if (!fd.valid()) {
        outcome.error = ErrorText(errno) + u'.';
        return outcome;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        outcome.error = TypeRefusal(target.path, info.st_mode);
        return outcome;
    }
    if (bytes.size() > info.st_size && ::fallocate(fd.get(), 0, 0, off_t(bytes.size())) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS) {
        outcome.error = QStringLiteral("Writing failed: %1.").arg(ErrorText(errno));
        return outcome;
    }
    int code = WriteAll(fd.get(), bytes, 0);
    // The test of what a kill here leaves stops the saving process at this point and kills it.
    if (code == 0 && std::getenv("QUORVANE_TEST_STOP_BEFORE_TRUNCATE"))
        std::raise(SIGSTOP);
    if (code == 0 && ::ftruncate(fd.get(), off_t(bytes.size())) != 0)
        code = errno;
    if (code == 0 && ::fsync(fd.get()) != 0)
        code = errno;
    if (code == 0)
        code = fd.Close();
    if (code != 0) {
        outcome.oldFileKept = false;
        outcome.error = QStringLiteral("Writing failed halfway: %1. The file may now be incomplete.")
                            .arg(ErrorText(code));
        return outcome;
    }
    outcome.saved = true;
    return outcome;
}

void SyncFolder(const QByteArray &folder) {
    Descriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid())
        ::fsync(fd.get()); // the rename itself is done; this only hurries it to disk
}

// ".NAME.XXXXXX" within the longest name allowed: a long NAME gives up its end.
QByteArray TemporaryPattern(const QByteArray &folder, const QByteArray &name) {
    return folder + "/." + name.left(kLongestName - kTemporaryExtra) + ".XXXXXX";
}

// Temporaries of the name being saved that a killed save left behind more than a day ago. Only our own
// name pattern, only ordinary files of this user: nothing else in the folder is touched.
void RemoveStaleTemporaries(const QByteArray &folder, const QByteArray &name) {
    const QByteArray prefix = '.' + name.left(kLongestName - kTemporaryExtra) + '.';
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const std::time_t now = std::time(nullptr);
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray entryName(entry->d_name);
        if (entryName.size() != prefix.size() + 6 || !entryName.startsWith(prefix))
            continue;
        const QByteArray suffix = entryName.right(6);
        if (!std::all_of(suffix.begin(), suffix.end(), [](char c) { return std::isalnum((unsigned char)c); }))
            continue;
        struct stat info {};
        if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode) && info.st_uid == ::geteuid() &&
            now - info.st_mtime > kStaleTemporarySeconds)
            ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

// Gives the replacement the old file's POSIX ACL, or none when the old file had none (a folder's default
// ACL would otherwise add entries). False when an ACL the old file has could not be copied.
bool CopyAcl(const QByteArray &from, int toFd) {
    const ssize_t size = ::lgetxattr(from.constData(), kAccessAcl, nullptr, 0);
    if (size < 0) {
        if (errno != ENODATA && errno != ENOTSUP)
            return false;
        return ::fremovexattr(toFd, kAccessAcl) == 0 || errno == ENODATA || errno == ENOTSUP;
    }
    QByteArray acl(qsizetype(size), Qt::Uninitialized);
    const ssize_t n = ::lgetxattr(from.constData(), kAccessAcl, acl.data(), std::size_t(acl.size()));
    return n >= 0 && ::fsetxattr(toFd, kAccessAcl, acl.constData(), std::size_t(n), 0) == 0;
}

mode_t CreationMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

QString DisplayPath(const QByteArray &path) {
    return QFile::decodeName(path);
}

ReadStatus ReadSmallFile(const QByteArray &path, QByteArray &bytes, QString &error) {
    bytes.clear();
    struct stat info {};
    // Looked at before opening: opening a FIFO waits for a writer, and
    // opening some devices already does something.
    if (::stat(path.constData(), &info) != 0) {
        if (errno == ENOENT)
            return ReadStatus::Missing;
        error = ErrorText(errno) + u'.';
        return ReadStatus::Refused;
    }
    if (!S_ISREG(info.st_mode)) {
        error = TypeRefusal(path, info.st_mode);
        return ReadStatus::Refused;
    }
    if (info.st_size > kLargestFileRead) {
        error = TooLarge(info.st_size);
        return ReadStatus::Refused;
    }
    // Non-blocking, in case a FIFO took the file's place since.
    Descriptor fd(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid()) {
        error = ErrorText(errno) + u'.';
        return errno == ENOENT ? ReadStatus::Missing : ReadStatus::Refused;
    }
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        error = TypeRefusal(path, info.st_mode);
        return ReadStatus::Refused;
    }
    // One byte more than allowed tells a file that grew since.
    bytes.resize(kLargestFileRead + 1);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + done, std::size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error = ErrorText(errno) + u'.';
            bytes.clear();
            return ReadStatus::Refused;
        }
        if (n == 0)
            break;
        done += n;
    }
    if (done > kLargestFileRead) {
        error = TooLarge(done);
        bytes.clear();
        return ReadStatus::Refused;
    }
    bytes.truncate(done);
    return ReadStatus::Read;
}

QByteArray WriteTarget(const QByteArray &path, QString &error) {
    Target target;
    return ResolveTarget(path, target, error) ? target.path : QByteArray();
}

InPlaceConsent::InPlaceConsent() {
    ++t_inPlaceConsents;
}

InPlaceConsent::~InPlaceConsent() {
    --t_inPlaceConsents;
}

SaveOutcome SaveFileSafely(const QByteArray &path, const QByteArray &bytes) {
    SaveOutcome outcome;
    Target target;
    if (path.isEmpty() || path.contains('\0')) {
        outcome.error = ErrorText(ENOENT) + u'.';
        return outcome;
    }
    if (!ResolveTarget(path, target, outcome.error))
        return outcome;
    if (target.exists && ::faccessat(AT_FDCWD, target.path.constData(), W_OK, AT_EACCESS) != 0) {
        outcome.error = errno == EACCES || errno == EROFS ? QStringLiteral("The file is read-only.")
                                                          : ErrorText(errno) + u'.';
        return outcome;
    }

    const QByteArray folder = FolderOf(target.path);
    RemoveStaleTemporaries(folder, NameOf(target.path));
    QByteArray temporary = TemporaryPattern(folder, NameOf(target.path));
    Descriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd.valid()) {
        const int code = errno;
        // A folder the user may not add to can still hold a file the user may write, but only in place,
        // where a crash midway spoils it: that takes the user's word.
        if (target.exists && (code == EACCES || code == EPERM)) {
            if (t_inPlaceConsents > 0)
                return SaveInPlace(target, bytes);
            outcome.inPlaceRefused = true;
            outcome.error = QStringLiteral("The folder %1 does not let a new file be made, so the file could "
                                           "only be rewritten where it stands, and a crash midway would "
                                           "spoil it.")
                                .arg(DisplayPath(folder));
            return outcome;
        }
        struct stat info {};
        if (code == ENOENT && ::stat(folder.constData(), &info) == 0 && S_ISDIR(info.st_mode))
            outcome.error = QStringLiteral("The folder %1 does not take new files.").arg(DisplayPath(folder));
        else if (code == ENOENT)
            outcome.error = QStringLiteral("The folder %1 does not exist.").arg(DisplayPath(folder));
        else
            outcome.error = QStringLiteral("No file can be made in the folder %1: %2.")
                                .arg(DisplayPath(folder), ErrorText(code));
        return outcome;
    }
    auto discard = [&](int code, const QString &what) {
        fd.Close();
        ::unlink(temporary.constData());
        outcome.error = what.arg(ErrorText(code));
        return outcome;
    };

    // Whether the new file can stand for the old one: same owner, group, mode and ACL. When it cannot, it
    // stays a private copy of the new bytes while the old file is rewritten in place.
    bool replaces = true;
    if (target.exists) {
        if ((target.info.st_uid != ::geteuid() || target.info.st_gid != ::getegid()) &&
            ::fchown(fd.get(), target.info.st_uid, target.info.st_gid) != 0)
            replaces = false;
        if (::fchmod(fd.get(), replaces ? target.info.st_mode & 07777 : 0600) != 0)
            return discard(errno, QStringLiteral("Writing failed: %1."));
        if (replaces && !CopyAcl(target.path, fd.get())) {
            replaces = false;
            if (::fchmod(fd.get(), 0600) != 0)
                return discard(errno, QStringLiteral("Writing failed: %1."));
        }
    } else if (::fchmod(fd.get(), CreationMode()) != 0) {
        return discard(errno, QStringLiteral("Writing failed: %1."));
    }

    if (const int code = WriteAll(fd.get(), bytes, 0))
        return discard(code, QStringLiteral("Writing failed: %1."));
    if (::fsync(fd.get()) != 0)
        return discard(errno, QStringLiteral("Writing failed: %1."));
    if (const int code = fd.Close()) {
        ::unlink(temporary.constData());
        outcome.error = QStringLiteral("Writing failed: %1.").arg(ErrorText(code));
        return outcome;
    }
    if (replaces && ::rename(temporary.constData(), target.path.constData()) == 0) {
        SyncFolder(folder);
        outcome.saved = true;
        return outcome;
    }
    const int code = errno;
    // A sticky folder lets the user write another user's file but not replace it; a file whose owner or
    // ACL the new one cannot take is not replaced either. Both are rewritten in place, while the copy
    // holds the new bytes whole in case the rewrite is cut short.
    if (target.exists && (!replaces || code == EPERM || code == EACCES)) {
        SyncFolder(folder);
        outcome = SaveInPlace(target, bytes);
        if (outcome.oldFileKept || outcome.saved)
            ::unlink(temporary.constData());
        else
            outcome.error +=
                QStringLiteral(" The new content is kept whole in %1.").arg(DisplayPath(temporary));
        return outcome;
    }
    ::unlink(temporary.constData());
    outcome.error =
        QStringLiteral("The new file could not take the old one's place: %1.").arg(ErrorText(code));
    return outcome;
}

} // namespace quorvane
