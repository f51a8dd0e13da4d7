// SPDX-License-Identifier: GPL-3.0-or-later
#include "diskfile.h"
#include "scratchdisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
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

QStringList Entries(const QString &folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
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
        row("over 1 MiB", Path("big"), ReadStatus::Refused, u"1048577 bytes. Files over 1 MiB"_s, 0);
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
        const QByteArray path = QFile::encodeName(disk.filePath(u"pipe.txt"_s));
        QVERIFY(Put(path, kOld, 0666) && disk.Fill());
        const QStringList before = Entries(disk.filePath({}));
        const auto save = [&] {
            const quorvane::SaveOutcome outcome = SaveFileSafely(path, kNew);
            return outcome.saved                                                       ? 0
                   : outcome.oldFileKept && outcome.error.contains(u"No space left"_s) ? 1
                                                                                       : 2;
        };
        QCOMPARE(asAnotherUser ? scratch::RunAs(kNobody, kNobody, save) : save(), 1);
        QCOMPARE(Get(path), kOld);
        QCOMPARE(Entries(disk.filePath({})), before);
    }

    // The kernel's protected-symlinks rule, whether or not the kernel enforces it: a link in a shared sticky
    // folder is followed only when it belongs to the user or to the folder's owner. A followed link stays a
    // link and its target gets the new text.
    void links_in_shared_folders_data() {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<uint>("folderOwner");
        QTest::addColumn<uint>("linkOwner");
        QTest::addColumn<bool>("followed");
        QTest::newRow("own link, shared folder") << 01777 << 0u << 0u << true;
        QTest::newRow("stranger's link, shared folder") << 01777 << 0u << uint(kStranger) << false;
        QTest::newRow("stranger's link in the stranger's shared folder")
            << 01777 << uint(kStranger) << uint(kStranger) << true;
        QTest::newRow("stranger's link, folder not shared") << 0755 << 0u << uint(kStranger) << true;
    }
    void links_in_shared_folders() {
        QFETCH(int, folderMode);
        QFETCH(uint, folderOwner);
        QFETCH(uint, linkOwner);
        QFETCH(bool, followed);
        if (::geteuid() != 0)
            QSKIP("planting another user's link needs root");
        const QByteArray folder = Path(QTest::currentDataTag());
        const QByteArray victim = folder + ".victim", link = folder + "/pipe.txt";
        QVERIFY(::mkdir(folder.constData(), 0700) == 0 &&
                ::chmod(folder.constData(), mode_t(folderMode)) == 0);
        QVERIFY(::chown(folder.constData(), folderOwner, 0) == 0 && Put(victim, kOld));
        QVERIFY(::symlink(victim.constData(), link.constData()) == 0 &&
                ::lchown(link.constData(), linkOwner, 0) == 0);
        const quorvane::SaveOutcome outcome = SaveFileSafely(link, kNew);
        QCOMPARE(outcome.saved, followed);
        QCOMPARE(Get(victim), followed ? kNew : kOld);
        QVERIFY(S_ISLNK(Stat(link).st_mode));
        QVERIFY2(followed || outcome.error.contains(u"link that another user put into a shared folder"_s),
                 qPrintable(outcome.error));
    }

    // Replacing a file must not hand it to whoever saved it, nor open it to others.
    void new_file_keeps_owner_group_and_mode() {
        if (::geteuid() != 0)
            QSKIP("giving a file to another user needs root");
        const QByteArray path = Path("owned.txt");
        QVERIFY(Put(path, kOld, 0640) && ::chown(path.constData(), kStranger, kStrangerGroup) == 0);
        QVERIFY(SaveFileSafely(path, kNew).saved);
        const struct stat info = Stat(path);
        QCOMPARE(Get(path), kNew);
        QCOMPARE(info.st_uid, kStranger);
        QCOMPARE(info.st_gid, kStrangerGroup);
        QCOMPARE(info.st_mode & 07777, mode_t(0640));
        QVERIFY(SaveFileSafely(Path("fresh.txt"), kOld).saved);
        QCOMPARE(Stat(Path("fresh.txt")).st_mode & 07777, mode_t(0644)); // as the umask says
    }

    // An ordinary user who may write a file but not add to its folder (or not replace another user's file in
    // a sticky one) still saves: in place, the same inode. A read-only file is refused, not replaced.
    void writes_in_place_when_the_folder_refuses_data() {
        QTest::addColumn<int>("folderMode");
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<bool>("saved");
        QTest::newRow("folder closed to the user") << 0755 << 0666 << true;
        QTest::newRow("another user's file in a sticky folder") << 01777 << 0666 << true;
        QTest::newRow("read-only file") << 01777 << 0644 << false;
    }
    void writes_in_place_when_the_folder_refuses() {
        QFETCH(int, folderMode);
        QFETCH(int, fileMode);
        QFETCH(bool, saved);
        if (::geteuid() != 0)
            QSKIP("acting as another user needs root");
        const QByteArray folder = Path(QTest::currentDataTag()), path = folder + "/pipe.txt";
        QVERIFY(::mkdir(folder.constData(), 0700) == 0 &&
                ::chmod(folder.constData(), mode_t(folderMode)) == 0);
        QVERIFY(Put(path, kOld, mode_t(fileMode)));
        const ino_t inode = Stat(path).st_ino;
        const int status = scratch::RunAs(kNobody, kNobody, [&] {
            const quorvane::SaveOutcome outcome = SaveFileSafely(path, kNew);
            return outcome.saved ? 0 : outcome.error == u"The file is read-only."_s ? 1 : 2;
        });
        QCOMPARE(status, saved ? 0 : 1);
        QCOMPARE(Get(path), saved ? kNew : kOld);
        QCOMPARE(Stat(path).st_ino, inode);
        QCOMPARE(Stat(path).st_uid, uid_t(0));
        QCOMPARE(Entries(QFile::decodeName(folder)), QStringList{u"pipe.txt"_s});
    }
};

QTEST_GUILESS_MAIN(TestDiskFile)
#include "tst_diskfile.moc"
