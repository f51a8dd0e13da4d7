// SPDX-License-Identifier: GPL-3.0-or-later
#include "singleinstance.h"
#include "toplevelwindows.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <cstdio>
#include <future>
#include <memory>
#include <vector>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using quorvane::FindWindowByTitle;
using quorvane::SingleInstance;

namespace {

const QString kName = u"Quorvane"_s;
const QString kMainTitle = u"Quorvane (v1.0.0)"_s;
constexpr int kTimeoutMs = 30000;

// A later copy asks from a thread of its own, so that the copy in this thread can answer it.
bool LaterCopyEnds(const QString &folder) {
    auto ends = std::async(std::launch::async,
                           [folder] { return SingleInstance(kName, folder).ActivatePrevInstance(); });
    while (ends.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
        QTest::qWait(10);
    return ends.get();
}

// Puts a folder, an ordinary file, a FIFO or a link to one of them (made beside it) at `path` with `mode`,
// another user's when `foreign`.
bool Plant(const QByteArray &path, const QString &kind, int mode, bool foreign) {
    const bool link = kind.startsWith(u"link to ");
    const QByteArray made = link ? path + ".target" : path;
    const QString what = kind.section(u' ', -1);
    const bool ok = what == u"folder" ? ::mkdir(made, 0) == 0
                    : what == u"fifo" ? ::mkfifo(made, 0) == 0
                                      : QFile(QFile::decodeName(made)).open(QIODevice::WriteOnly);
    return ok && ::chmod(made, mode_t(mode)) == 0 && (!link || ::symlink(made, path) == 0) &&
           (!foreign || ::lchown(path, 4321, 4321) == 0);
}

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qRegisterMetaType<QWidget *>(); }

    // '+' before a title shows the window, '*' shows it and makes it active; hidden ones count too.
    void finds_window_by_title_data() {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<int>("expected"); // index into titles, -1 for none
        QTest::newRow("main title") << QStringList{kMainTitle} << 0;
        QTest::newRow("capitals") << QStringList{u"QUORVANE"_s} << 0;
        QTest::newRow("leading blanks") << QStringList{u" \tquorvane notes"_s} << 0;
        QTest::newRow("other word first") << QStringList{u"My Quorvane"_s} << -1;
        QTest::newRow("shorter than the name") << QStringList{u"Quorvan"_s} << -1;
        QTest::newRow("untitled skipped") << QStringList{QString(), u"Pipe"_s, kMainTitle} << 2;
        QTest::newRow("first shown first") << QStringList{u"+Quorvane 1"_s, u"+Quorvane 2"_s} << 0;
        QTest::newRow("shown before hidden") << QStringList{u"Quorvane hidden"_s, u"+Quorvane shown"_s} << 1;
        QTest::newRow("active before shown") << QStringList{u"+Quorvane 1"_s, u"*Quorvane 2"_s} << 1;
    }
    void finds_window_by_title() {
        QFETCH(QStringList, titles);
        QFETCH(int, expected);
        QWidget other; // the active window unless a row names one
        other.setWindowTitle(u"Cone Calculator"_s);
        QWidget *active = &other;
        std::vector<std::unique_ptr<QWidget>> windows;
        for (const QString &title : titles) {
            QWidget *window = windows.emplace_back(std::make_unique<QWidget>()).get();
            window->setWindowTitle(QString(title).remove(QRegularExpression(u"^[+*]"_s)));
            window->setVisible(title.startsWith('+') || title.startsWith('*'));
            active = title.startsWith('*') ? window : active;
        }
        active->show();
        active->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(active));
        QCOMPARE(FindWindowByTitle(kName), expected < 0 ? nullptr : windows[std::size_t(expected)].get());
    }

    // A later copy always ends; only a minimized main window comes back, as it was, focus and all.
    void second_copy_ends_and_restores_a_minimized_window_data() {
        using States = Qt::WindowStates;
        QTest::addColumn<QString>("title");
        QTest::addColumn<States>("before");
        QTest::addColumn<States>("after");
        QTest::newRow("normal left untouched") << kMainTitle << States() << States();
        QTest::newRow("minimized restored") << kMainTitle << States(Qt::WindowMinimized) << States();
        QTest::newRow("maximized stays maximized")
            << kMainTitle << (Qt::WindowMinimized | Qt::WindowMaximized) << States(Qt::WindowMaximized);
        QTest::newRow("no main window")
            << u"My Quorvane"_s << States(Qt::WindowMinimized) << States(Qt::WindowMinimized);
    }
    void second_copy_ends_and_restores_a_minimized_window() {
        QFETCH(QString, title);
        QFETCH(Qt::WindowStates, before);
        QFETCH(Qt::WindowStates, after);
        QTemporaryDir folder;
        SingleInstance instance(kName, folder.path());
        QSignalSpy handled(&instance, &SingleInstance::activationHandled);
        QVERIFY(!instance.ActivatePrevInstance() && instance.isFirstCopy() && instance.isListening());
        QWidget main, tool;
        main.setWindowTitle(title);
        new QLineEdit(&main);
        auto *boxLeft = new QLineEdit(&main);
        for (QWidget *window : {&main, &tool}) {
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
        }
        boxLeft->setFocus(); // where the user left the main window
        main.setWindowState(before);
        const QRect geometry = main.geometry();
        // Anything but a request is ignored, and a line too long for one is hung up on.
        QLocalSocket stranger;
        stranger.connectToServer(instance.socketPath());
        QVERIFY(stranger.waitForConnected(kTimeoutMs));
        stranger.write("hello\n" + QByteArray(100, 'x') + "activate\n");
        QTRY_COMPARE_WITH_TIMEOUT(stranger.state(), QLocalSocket::UnconnectedState, kTimeoutMs);
        QCOMPARE(handled.count(), 0);

        QVERIFY(LaterCopyEnds(folder.path()));
        QTRY_COMPARE_WITH_TIMEOUT(handled.count(), 1, kTimeoutMs);
        QWidget *found = handled.at(0).at(0).value<QWidget *>();
        QCOMPARE(found, title == kMainTitle ? &main : nullptr);
        QCOMPARE(main.windowState(), after);
        if (found && before.testFlag(Qt::WindowMinimized)) {
            QVERIFY(QTest::qWaitForWindowActive(&main));
            QCOMPARE(QApplication::focusWidget(), boxLeft);
        } else {
            QCOMPARE(QApplication::activeWindow(), &tool);
            QCOMPARE(main.geometry(), geometry);
        }
    }

    // A copy that crashed or was killed leaves its lock and socket behind; a copy that ends leaves nothing.
    void lock_of_killed_copy_is_taken_over() {
        QTemporaryDir folder;
        QProcess killed;
        killed.start(QCoreApplication::applicationFilePath(), {u"--hold-lock"_s, folder.path()});
        QVERIFY(killed.waitForReadyRead(kTimeoutMs));
        killed.kill(); // SIGKILL: no clean-up runs
        QVERIFY(killed.waitForFinished(kTimeoutMs));
        auto next = std::make_unique<SingleInstance>(kName, folder.path());
        QVERIFY(QFileInfo::exists(next->lockFilePath()) && QFileInfo::exists(next->socketPath()));
        QVERIFY(!next->ActivatePrevInstance() && next->isFirstCopy() && next->isListening());
        QSignalSpy handled(next.get(), &SingleInstance::activationHandled);
        QVERIFY(LaterCopyEnds(folder.path()));
        QTRY_COMPARE_WITH_TIMEOUT(handled.count(), 1, kTimeoutMs);
        next.reset();
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
    }

    // A lock that names no live copy of this machine is stale; one that does, but whose copy does not answer
    // in a short time, is left alone. Either way the new copy starts: it never ends without a window.
    void starts_when_no_running_copy_answers_data() {
        QTest::addColumn<QByteArray>("lock"); // written as it is; null: this process holds a real lock
        QTest::addColumn<bool>("listener");   // this process listens but, busy here, never answers
        QTest::addColumn<bool>("takesOver");
        const QByteArray self = QByteArray::number(QCoreApplication::applicationPid());
        QTest::newRow("empty") << QByteArray("") << false << true;
        QTest::newRow("garbage") << QByteArray("\x7f\x01\xfe not a lock") << false << true;
        QTest::newRow("another host") << self + "\ntst_singleinstance\nelsewhere.invalid\n" << false << true;
        QTest::newRow("live copy not listening") << QByteArray() << false << false;
        QTest::newRow("live copy not answering") << QByteArray() << true << false;
    }
    void starts_when_no_running_copy_answers() {
        QFETCH(QByteArray, lock);
        QFETCH(bool, listener);
        QFETCH(bool, takesOver);
        QTemporaryDir folder;
        SingleInstance next(kName, folder.path());
        QLockFile held(next.lockFilePath());
        QFile written(next.lockFilePath());
        QVERIFY(lock.isNull() ? held.tryLock(0)
                              : written.open(QIODevice::WriteOnly) && written.write(lock) >= 0);
        written.close();
        QLocalServer silent;
        QVERIFY(!listener || silent.listen(next.socketPath()));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!next.ActivatePrevInstance());
        QCOMPARE_LT(clock.elapsed(), 10000);
        QCOMPARE(next.isFirstCopy(), takesOver);
        QCOMPARE(next.isListening(), takesOver);
    }

    // Without a runtime folder the fallback in the temporary folder serves only when it is this user's
    // alone: anyone who can write there could plant a lock that stops every start, or answer in our place.
    void fallback_folder_only_when_private_data() {
        QTest::addColumn<QString>("plant"); // what is in the way
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("foreign");
        QTest::addColumn<bool>("usable");
        QTest::newRow("missing, made private") << QString() << 0 << false << true;
        QTest::newRow("private") << u"folder"_s << 0700 << false << true;
        QTest::newRow("open to everyone") << u"folder"_s << 0777 << false << false;
        QTest::newRow("another user's") << u"folder"_s << 0700 << true << false;
        QTest::newRow("link to a private folder") << u"link to folder"_s << 0700 << false << false;
        QTest::newRow("plain file") << u"file"_s << 0600 << false << false;
    }
    void fallback_folder_only_when_private() {
        QFETCH(QString, plant);
        QFETCH(int, mode);
        QFETCH(bool, foreign);
        QFETCH(bool, usable);
        if (foreign && ::geteuid() != 0)
            QSKIP("only root can plant a folder of another user");
        QTemporaryDir temp;
        const auto restore = qScopeGuard([tmp = qgetenv("TMPDIR"), runtime = qgetenv("XDG_RUNTIME_DIR")] {
            tmp.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmp);
            runtime.isNull() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", runtime);
        });
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        qunsetenv("XDG_RUNTIME_DIR");
        // A file where Qt makes its own fallback leaves Qt without a runtime folder, so ours is in play.
        QFile qtFallback(
            temp.filePath(u"runtime-"_s + QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name)));
        QVERIFY(qtFallback.open(QIODevice::WriteOnly));
        const QString fallback = temp.filePath(u"quorvane-"_s + QString::number(::geteuid()));
        const QByteArray path = QFile::encodeName(fallback);
        QVERIFY(plant.isEmpty() || Plant(path, plant, mode, foreign));
        QCOMPARE(SingleInstance::DefaultFolder(), usable ? fallback : QString());
        struct stat info {};
        QVERIFY(::lstat(path, &info) == 0);
        QCOMPARE(S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 07777) == 0700,
                 usable);
        SingleInstance instance(kName, SingleInstance::DefaultFolder());
        QVERIFY(!instance.ActivatePrevInstance());
        QCOMPARE(instance.isFirstCopy(), usable);
    }

    // Anything but an ordinary file at a lock path, where opening it could wait for ever: removed when it is
    // ours and the copy starts as the first; left alone when it is another user's and the copy starts
    // without the one-copy check. Run as a real process, so that one that blocks can be seen and killed.
    void odd_files_at_the_lock_paths_do_not_block_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("foreign");
        QTest::addColumn<QByteArray>("said");
        const std::tuple<const char *, const char *, bool, const char *> rows[] = {
            {"FIFO", "fifo", false, "holding"},
            {"another user's FIFO", "fifo", true, "alone"},
            {"link to a FIFO", "link to fifo", false, "holding"},
            {"empty folder", "folder", false, "holding"},
        };
        for (const QString &name : {u"quorvane.lock"_s, u"quorvane.lock.rmlock"_s})
            for (const auto &[tag, kind, foreign, said] : rows)
                QTest::addRow("%s at %s", tag, qPrintable(name))
                    << name << QString(kind) << foreign << QByteArray(said);
    }
    void odd_files_at_the_lock_paths_do_not_block() {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(bool, foreign);
        QFETCH(QByteArray, said);
        if (foreign && ::geteuid() != 0)
            QSKIP("only root can plant a file of another user");
        QTemporaryDir folder;
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        if (name.endsWith(u".rmlock")) { // looked at only when the lock itself is stale
            QFile stale(folder.filePath(u"quorvane.lock"_s));
            QVERIFY(stale.open(QIODevice::WriteOnly) && stale.write("\x7f not a lock") > 0);
        }
        QVERIFY(Plant(path, kind, kind == u"folder" ? 0700 : 0600, foreign));

        QProcess copy;
        copy.start(QCoreApplication::applicationFilePath(), {u"--hold-lock"_s, folder.path()});
        const bool answered = copy.waitForReadyRead(5000);
        copy.kill();
        copy.waitForFinished(kTimeoutMs);
        QVERIFY2(answered, "the copy blocked at start");
        QCOMPARE(copy.readAllStandardOutput().trimmed(), said);
        struct stat info {};
        QCOMPARE(::lstat(path, &info) == 0 && !S_ISREG(info.st_mode), foreign);
    }

    // Better two copies than none; a folder this program makes is the user's alone.
    void folder_unusable_or_missing() {
        QTemporaryDir folder;
        QFile plainFile(folder.filePath(u"plain-file"_s));
        QVERIFY(plainFile.open(QIODevice::WriteOnly));
        for (int copy = 0; copy < 2; ++copy)
            QVERIFY(!SingleInstance(kName, plainFile.fileName() + u"/runtime"_s).ActivatePrevInstance());
        SingleInstance made(kName, folder.filePath(u"new/runtime"_s));
        QVERIFY(!made.ActivatePrevInstance() && made.isListening());
        const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther |
                            QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(QFile::permissions(folder.filePath(u"new/runtime"_s)) & others, QFile::Permissions());
    }
};

int main(int argc, char **argv) {
    // The copy that the tests kill: it takes the lock, says so ("alone" when it runs without one) and waits.
    if (argc == 3 && qstrcmp(argv[1], "--hold-lock") == 0) {
        QCoreApplication app(argc, argv);
        SingleInstance instance(kName, QString::fromLocal8Bit(argv[2]));
        if (instance.ActivatePrevInstance())
            return 1;
        std::puts(instance.isFirstCopy() ? "holding" : "alone");
        std::fflush(stdout);
        return app.exec();
    }
    QApplication app(argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
