// SPDX-License-Identifier: GPL-3.0-or-later
#include "diskfile.h"
#include "scratchdisk.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <optional>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using quorvane::ReadSmallFile;
using quorvane::ReadStatus;
using quorvane::SaveFileSafely;

namespace {

constexpr uid_t kStranger = 4321;
constexpr gid_t kStrangerGroup = 4322;
constexpr uid_t kNobody = 65534;

bool Put(const QByteArray &path, const QByteArray &bytes, mode_t mode = 0644) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    const bool ok = fd >= 0 && ::write(fd, bytes.constData(), std::size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && ok && ::chmod(path.constData(), mode) == 0;
}

QByteArray Get(const QByteArray &path) {
    QFile file(QFile::decodeName(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

struct stat Stat(const QByteArray &path) {
    struct stat info {};
    ::lstat(path.constData(), &info);
    return info;
}

QStringList Entries(const QByteArray &folder) {
    return QDir(QFile::decodeName(folder))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// The ACL as getfacl prints it, numbers for names: an independent reader of what the save left.
QString Acl(const QByteArray &path) {
    QProcess getfacl;
    getfacl.start(u"getfacl"_s, {u"-n"_s, u"-c"_s, QFile::decodeName(path)});
    return getfacl.waitForFinished() && getfacl.exitCode() == 0 ? QString::fromUtf8(getfacl.readAll())
                                                                : u"(getfacl failed)"_s;
}

bool SetAcl(const QByteArray &path, const QString &entries) {
    return QProcess::execute(u"setfacl"_s, {u"-m"_s, entries, QFile::decodeName(path)}) == 0;
}

bool Age(const QByteArray &path, int seconds) {
    const struct timespec times[2] = {{std::time(nullptr) - seconds, 0}, {std::time(nullptr) - seconds, 0}};
    return ::utimensat(AT_FDCWD, path.constData(), times, AT_SYMLINK_NOFOLLOW) == 0;
}

const QByteArray kOld = "[PipeCalcValues]\r\ntiming=190\r\n";
// Larger than a page, so that the full disk cannot hide it in the old file's last block.
const QByteArray kNew = "[PipeCalcValues]\r\ntiming=" + QByteArray(10000, '7') + "\r\n";

} // namespace

class TestDiskFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    // Names are bytes here, so that one need not be UTF-8.
    QByteArray Path(const char *name) const { return QFile::encodeName(m_dir.path()) + '/' + name; }

  private slots:
    void cleanupTestCase() { ::unlink(Path("p\xFF.txt").constData()); } // beyond what QDir can name
    void initTestCase() {
        ::umask(022);
        // Children that act as another user must reach the folders below.
        QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0);
    }

    // Nothing that is not a small ordinary file is read, and nothing blocks or eats memory trying.
    void reads_only_small_regular_files_data() {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<qint64>("size");
        QVERIFY(Put(Path("design.txt"), kOld) && Put(Path("p\xFF.txt"), kOld) &&
                Put(Path("limit"), QByteArray(quorvane::kLargestFileRead, 'x')) &&
                Put(Path("big"), QByteArray(quorvane::kLargestFileRead + 1, 'x')));
        QVERIFY(::mkfifo(Path("fifo").constData(), 0644) == 0 && QDir(m_dir.path()).mkdir("folder"));
        const auto row = [](const char *tag, const QByteArray &path, ReadStatus status, const QString &reason,
                            qint64 size) { QTest::newRow(tag) << path << int(status) << reason << size; };
        row("ordinary file", Path("design.txt"), ReadStatus::Read, {}, kOld.size());
        row("name that is not UTF-8", Path("p\xFF.txt"), ReadStatus::Read, {}, kOld.size());
        row("exactly 1 MiB", Path("limit"), ReadStatus::Read, {}, quorvane::kLargestFileRead);
        row("missing", Path("none"), ReadStatus::Missing, {}, 0);
        row("over 1 MiB", Path("big"), ReadStatus::Refused, u"1,048,577 bytes. Files over 1 MiB"_s, 0);
        row("FIFO", Path("fifo"), ReadStatus::Refused, u"not an ordinary file"_s, 0);
        row("device", "/dev/zero", ReadStatus::Refused, u"not an ordinary file"_s, 0);
        row("folder", Path("folder"), ReadStatus::Refused, u"is a folder"_s, 0);
    }
    void reads_only_small_regular_files() {
        QFETCH(QByteArray, path);
        QFETCH(int, status);
        QFETCH(QString, reason);
        QFETCH(qint64, size);
        QByteArray bytes;
        QString error;
        QCOMPARE(int(ReadSmallFile(path, bytes, error)), status);
        QVERIFY2(error.contains(reason), qPrintable(error));
        QCOMPARE(bytes.size(), size);
    }

    // The write fails on a real full disk; the old file stays byte for byte and no stray file is left.
    // As another user the folder refuses a new file, so the file is written in place: the room it needs is
    // reserved first, and the full disk refuses before anything changes.
    void full_disk_keeps_the_old_file_data() {
        QTest::addColumn<bool>("asAnotherUser");
        QTest::newRow("replacing the file") << false;
        QTest::newRow("writing it in place") << true;
    }
    void full_disk_keeps_the_old_file() {
        QFETCH(bool, asAnotherUser);
        scratch::SmallDisk disk;
        if (!disk.mounted())
            QSKIP(qPrintable(disk.error()));
        const QByteArray folder = QFile::encodeName(disk.filePath({})), path = folder + "/pipe.txt";
        QVERIFY(Put(path, kOld, 0666) && disk.Fill());
        const QStringList before = Entries(folder);
        const auto save = [&] {
            const quorvane::InPlaceConsent agreed;
            const quorvane::SaveOutcome outcome = SaveFileSafely(path, kNew);
            return outcome.saved                                                       ? 0
                   : outcome.oldFileKept && outcome.error.contains(u"No space left"_s) ? 1
                                                                                       : 2;
        };
        QCOMPARE(asAnotherUser ? scratch::RunAs(kNobody, kNobody, save) : save(), 1);
        QCOMPARE(Get(path), kOld);
        QCOMPARE(Entries(folder), before);
    }

    // The kernel's protected-symlinks rule, whether or not the kernel enforces it: a link in a shared sticky
    // folder is followed only when it belongs to the user or to the folder's owner. A followed link stays a
    // link and its target gets the new text.
    void links_in_shared_folders_data() {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<uint>("folderOwner");
        QTest::addColumn<uint>("linkOwner");
        QTest::addColumn<bool>("followed");
        QTest::addColumn<bool>("folderLink"); // the link stands for a folder on the way, not the file
        for (const bool folderLink : {false, true}) {
            const auto row = [folderLink](const char *tag) {
                return &QTest::addRow("%s%s", tag, folderLink ? ", folder link" : "");
            };
            *row("own link, shared folder") << 01777 << 0u << 0u << true << folderLink;
            *row("stranger's link, shared folder") << 01777 << 0u << uint(kStranger) << false << folderLink;
            *row("stranger's link in the stranger's shared folder")
                << 01777 << uint(kStranger) << uint(kStranger) << true << folderLink;
            *row("stranger's link, folder not shared") << 0755 << 0u << uint(kStranger) << true << folderLink;
        }
    }
    void links_in_shared_folders() {
        QFETCH(int, folderMode);
        QFETCH(uint, folderOwner);
        QFETCH(uint, linkOwner);
        QFETCH(bool, followed);
        QFETCH(bool, folderLink);
        if (::geteuid() != 0)
            QSKIP("planting another user's link needs root");
        const QByteArray folder = Path(QTest::currentDataTag());
        const QByteArray link = folder + (folderLink ? "/theirlink" : "/pipe.txt");
        const QByteArray victim = folderLink ? folder + ".victims/pipe.txt" : folder + ".victim";
        QVERIFY(::mkdir(folder.constData(), 0700) == 0 &&
                ::chmod(folder.constData(), mode_t(folderMode)) == 0);
        QVERIFY(!folderLink || ::mkdir(folder + ".victims", 0755) == 0);
        QVERIFY(::chown(folder.constData(), folderOwner, 0) == 0 && Put(victim, kOld));
        QVERIFY(::symlink((folderLink ? folder + ".victims" : victim).constData(), link.constData()) == 0 &&
                ::lchown(link.constData(), linkOwner, 0) == 0);
        const quorvane::SaveOutcome outcome = SaveFileSafely(folderLink ? link + "/pipe.txt" : link, kNew);
        QCOMPARE(outcome.saved, followed);
        QCOMPARE(Get(victim), followed ? kNew : kOld);
        QVERIFY(S_ISLNK(Stat(link).st_mode));
        QVERIFY2(followed || outcome.error.contains(u"link that another user put into a shared folder"_s),
                 qPrintable(outcome.error));
    }

    // An ordinary user who may write a file but not add to its folder (or not replace another user's file in
    // a sticky one) still saves: in place, the same inode. Where no new file can be made at all, a crash
    // midway would spoil the file, so that takes the user's word first. A read-only file is refused.
    void writes_in_place_when_the_folder_refuses_data() {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<bool>("agreed");
        QTest::addColumn<int>("status"); // 0 saved, 1 read-only, 3 asks for the user's word
        QTest::newRow("folder closed to the user, not agreed") << 0755 << 0666 << false << 3;
        QTest::newRow("folder closed to the user, agreed") << 0755 << 0666 << true << 0;
        QTest::newRow("another user's file in a sticky folder") << 01777 << 0666 << false << 0;
        QTest::newRow("read-only file") << 01777 << 0644 << true << 1;
    }
    void writes_in_place_when_the_folder_refuses() {
        QFETCH(int, folderMode);
        QFETCH(int, fileMode);
        QFETCH(bool, agreed);
        QFETCH(int, status);
        if (::geteuid() != 0)
            QSKIP("acting as another user needs root");
        const QByteArray folder = Path(QTest::currentDataTag()), path = folder + "/pipe.txt";
        QVERIFY(::mkdir(folder.constData(), 0700) == 0 &&
                ::chmod(folder.constData(), mode_t(folderMode)) == 0);
        QVERIFY(Put(path, kOld, mode_t(fileMode)));
        const ino_t inode = Stat(path).st_ino;
        const auto save = [&] {
            std::optional<quorvane::InPlaceConsent> consent;
            if (agreed)
                consent.emplace();
            const quorvane::SaveOutcome outcome = SaveFileSafely(path, kNew);
            const bool asks = outcome.oldFileKept && outcome.error.contains(u"does not let a new file"_s);
            return outcome.inPlaceRefused                         ? (asks ? 3 : 2)
                   : outcome.saved                                ? 0
                   : outcome.error == u"The file is read-only."_s ? 1
                                                                  : 2;
        };
        QCOMPARE(scratch::RunAs(kNobody, kNobody, save), status);
        QCOMPARE(Get(path), status == 0 ? kNew : kOld);
        QCOMPARE(Stat(path).st_ino, inode);
        QCOMPARE(Stat(path).st_uid, uid_t(0));
        QCOMPARE(Entries(folder), QStringList{u"pipe.txt"_s});
    }

    // The rewrite in place cannot be atomic. A saving process really killed between writing and cutting the
    // file short leaves the new bytes whole in the copy beside it, which it wrote and flushed first.
    void kill_during_rewrite_in_place_leaves_a_whole_copy() {
        if (::geteuid() != 0)
            QSKIP("acting as another user needs root");
        const QByteArray folder = Path("sticky"), path = folder + "/pipe.txt";
        const QByteArray old = "[PipeCalcValues]\r\ntiming=" + QByteArray(20000, '1') + "\r\n";
        QVERIFY(::mkdir(folder.constData(), 0700) == 0 && ::chmod(folder.constData(), 01777) == 0);
        QVERIFY(Put(path, old, 0666));
        const pid_t child = scratch::ForkAs(kNobody, kNobody, [&] {
            ::setenv("QUORVANE_TEST_STOP_BEFORE_TRUNCATE", "1", 1);
            return SaveFileSafely(path, kOld).saved ? 0 : 1;
        });
        QVERIFY(child >= 0);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, WUNTRACED), child);
        QVERIFY2(WIFSTOPPED(status), "the save ended without reaching the rewrite in place");
        ::kill(child, SIGKILL);
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        QCOMPARE(Get(path), kOld + old.mid(kOld.size())); // what the kill spoilt
        const QStringList entries = Entries(folder);
        QCOMPARE(entries.size(), 2);
        const QString copy = entries.at(entries.at(0) == u"pipe.txt"_s ? 1 : 0);
        QVERIFY2(copy.startsWith(u".pipe.txt."_s) && copy.size() == 16, qPrintable(copy));
        QCOMPARE(Get(folder + '/' + QFile::encodeName(copy)), kOld);
        QCOMPARE(Stat(folder + '/' + QFile::encodeName(copy)).st_mode & 07777, mode_t(0600));
    }

    // A replacement keeps the old file's owner, group and mode: it is not handed to whoever saved it, nor
    // opened to others. It keeps its POSIX ACL, on a file system that keeps ACLs, and the mode's group
    // bits, which stand for the ACL's mask, are not widened. A file without an ACL does not gain the
    // folder's default one.
    void keeps_the_acl_data() {
        QTest::addColumn<QString>("fileAcl"); // empty: none
        QTest::addColumn<QString>("folderDefault");
        QTest::newRow("named user may write, group may read") << u"u:4321:rw,g::r"_s << QString();
        QTest::newRow("named group, narrow mask") << u"g:4322:rw,m::r"_s << QString();
        QTest::newRow("no ACL in a folder with a default ACL") << QString() << u"d:u:4321:rwx"_s;
    }
    void keeps_the_acl() {
        QFETCH(QString, fileAcl);
        QFETCH(QString, folderDefault);
        scratch::SmallDisk disk;
        if (!disk.mounted())
            QSKIP(qPrintable(disk.error()));
        const QByteArray folder = QFile::encodeName(disk.filePath({})), path = folder + "/pipe.txt";
        QVERIFY(Put(path, kOld, 0640) && ::chown(path.constData(), kStranger, kStrangerGroup) == 0);
        QVERIFY(fileAcl.isEmpty() || SetAcl(path, fileAcl));
        QVERIFY(folderDefault.isEmpty() || SetAcl(folder, folderDefault));
        const QString before = Acl(path);
        const mode_t mode = Stat(path).st_mode & 07777;
        const quorvane::SaveOutcome outcome = SaveFileSafely(path, kNew);
        QVERIFY2(outcome.saved, qPrintable(outcome.error));
        QCOMPARE(Get(path), kNew);
        QCOMPARE(Acl(path), before);
        const struct stat info = Stat(path);
        QCOMPARE(info.st_mode & 07777, mode);
        QCOMPARE(info.st_uid, kStranger);
        QCOMPARE(info.st_gid, kStrangerGroup);
    }

    // Any legal name saves: the hidden temporary gives up the end of a long name to stay within 255 bytes.
    // A new file's mode is as the umask says.
    void long_names_save_data() {
        QTest::addColumn<int>("length");
        for (const int length : {200, 247, 248, 254, 255})
            QTest::addRow("%d bytes", length) << length;
    }
    void long_names_save() {
        QFETCH(int, length);
        QTemporaryDir dir;
        const QByteArray path = QFile::encodeName(dir.path()) + '/' + QByteArray(length - 4, 'n') + ".txt";
        const quorvane::SaveOutcome outcome = SaveFileSafely(path, kOld);
        QVERIFY2(outcome.saved, qPrintable(outcome.error));
        QCOMPARE(Stat(path).st_mode & 07777, mode_t(0644));
        QVERIFY(SaveFileSafely(path, kNew).saved);
        QCOMPARE(Get(path), kNew);
        QCOMPARE(Entries(QFile::encodeName(dir.path())).size(), 1);
    }

    // A killed save leaves its hidden temporary; saving that name again removes ours older than a day and
    // nothing else: not a fresh one (a save may be under way), not another name's, not a near miss.
    void removes_stale_temporaries_of_the_name() {
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        const QByteArray longName = QByteArray(251, 'n') + ".txt";
        const QList<std::pair<QByteArray, bool>> planted = {
            {".pipe.txt.AbC123", true},                   // ours, two days old
            {".pipe.txt.XyZ789", false},                  // ours, an hour old
            {".other.txt.AbC123", false},                 // another name's
            {".pipe.txt.AbC12", false},                   // not mkostemp's six characters
            {".pipe.txt.AbC-23", false},                  // nor its alphabet
            {"pipe.txt.AbC123", false},                   // not hidden
            {'.' + longName.left(247) + ".QwE456", true}, // a long name's, cut short
        };
        for (const auto &[name, stale] : planted)
            QVERIFY(Put(folder + '/' + name, "left over") &&
                    Age(folder + '/' + name, name.endsWith("789") ? 3600 : 2 * 86400));
        QVERIFY(SaveFileSafely(folder + "/pipe.txt", kOld).saved);
        QVERIFY(SaveFileSafely(folder + '/' + longName, kOld).saved);
        for (const auto &[name, stale] : planted)
            QVERIFY2(QFile::exists(QFile::decodeName(folder + '/' + name)) != stale, name.constData());
    }

    // A folder that exists but takes no file is not said to be missing.
    void names_the_true_reason_a_folder_refuses() {
        const std::pair<QByteArray, QString> cases[] = {
            {"/proc/version.svg", u"The folder /proc does not take new files."_s},
            {Path("none/pipe.txt"), u"The folder %1 does not exist."_s.arg(m_dir.filePath(u"none"_s))},
        };
        for (const auto &[path, reason] : cases) {
            const quorvane::SaveOutcome outcome = SaveFileSafely(path, kNew);
            QVERIFY(!outcome.saved);
            QCOMPARE(outcome.error, reason);
        }
    }
};

QTEST_GUILESS_MAIN(TestDiskFile)
#include "tst_diskfile.moc"
