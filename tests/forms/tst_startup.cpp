// SPDX-License-Identifier: GPL-3.0-or-later
// The real program started as a user starts it: one copy per user, and
// nothing planted by someone else keeps it from starting. What a crashed copy
// leaves behind is the single instance's own test.

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestStartup : public QObject {
    Q_OBJECT

  private:
    static constexpr int kTimeoutMs = 30000;
    QTemporaryDir m_runtime;

    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
        env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        return env;
    }
    std::unique_ptr<QProcess> Launch(const QProcessEnvironment &env) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(env);
        process->start(QStringLiteral(QUORVANE_PATH), {});
        // Until its start is seen, the process reads as Starting whatever it does.
        process->waitForStarted(kTimeoutMs);
        return process;
    }
    std::unique_ptr<QProcess> Launch() { return Launch(Environment()); }
    // True once the running copy answers on its socket, which it does from its event loop only, after
    // start-up.
    bool Answers() const {
        QLocalSocket socket;
        socket.connectToServer(QDir(m_runtime.path()).filePath(u"quorvane.socket"_s));
        if (!socket.waitForConnected(1000))
            return false;
        socket.write("activate\n");
        while (!socket.canReadLine() && socket.waitForReadyRead(1000)) {
        }
        return socket.readLine() == "done\n";
    }

  private slots:
    void initTestCase() { QVERIFY(QDir(m_runtime.path()).exists()); }

    void answers_without_a_display_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("display"); // DISPLAY, or none
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out"); // a regular expression for all of standard output
        QTest::addColumn<QString>("err"); // the same for standard error
        const QString usage = R"(Usage: quorvane [^\n]*\n(.*\n)+)";
        QTest::newRow("version") << QStringList{"--version"} << "" << 0 << R"(quorvane \d+\.\d+\.\d+\n)"
                                 << "";
        QTest::newRow("help") << QStringList{"--help"} << "" << 0 << usage << "";
        QTest::newRow("-h after another word") << QStringList{"-style", "--help"} << "" << 0 << usage << "";
        QTest::newRow("no display")
            << QStringList{} << "" << 1 << ""
            << R"(quorvane: no display to open the window on \(DISPLAY is not set\)[^\n]*\n)";
        QTest::newRow("wayland asked, none there") << QStringList{"-platform", "wayland"} << "" << 1 << ""
                                                   << R"(quorvane: [^\n]*WAYLAND_DISPLAY is not set[^\n]*\n)";
        // Qt itself finds it cannot reach the display; its abort becomes the line.
        QTest::newRow("unreachable display") << QStringList{} << ":4711" << 1 << ""
                                             << R"(quorvane: cannot open the window: [^\n]*\n)";
    }
    // Before any window: --help and --version print and end, and a missing or unreachable display is one
    // plain line and status 1, not an abort.
    void answers_without_a_display() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, display);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        if (!display.isEmpty())
            env.insert(u"DISPLAY"_s, display);
        env.insert(u"XDG_RUNTIME_DIR"_s, m_runtime.path());
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QUORVANE_PATH), arguments);
        QVERIFY(process.waitForFinished(kTimeoutMs));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), status);
        const QString printed = QString::fromUtf8(process.readAllStandardOutput());
        const QString complained = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(out)).match(printed).hasMatch(),
                 qPrintable(printed));
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(err)).match(complained).hasMatch(),
                 qPrintable(complained));
    }

    void help_that_cannot_be_written_is_no_success() {
        QProcess process;
        process.setStandardOutputFile(u"/dev/full"_s);
        process.start(QStringLiteral(QUORVANE_PATH), {u"--help"_s});
        QVERIFY(process.waitForFinished(kTimeoutMs));
        QCOMPARE(process.exitCode(), 1);
    }

    void second_launch_ends_without_a_window() {
        auto first = Launch();
        QTRY_VERIFY_WITH_TIMEOUT(Answers(), kTimeoutMs);
        auto second = Launch();
        QVERIFY(second->waitForFinished(kTimeoutMs));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first->state(), QProcess::Running);
        first->terminate();
        QVERIFY(first->waitForFinished(kTimeoutMs));
    }

    // A FIFO at the lock path would hold the program inside open() for ever; it starts and answers. The
    // charts and what they bring are loaded with the window that draws them, not at start.
    void starts_past_a_fifo_lock_without_the_charts() {
        const QByteArray lock = QFile::encodeName(QDir(m_runtime.path()).filePath(u"quorvane.lock"_s));
        ::unlink(lock.constData()); // what an earlier copy left
        QVERIFY(::mkfifo(lock.constData(), 0600) == 0);
        auto process = Launch();
        QTRY_VERIFY_WITH_TIMEOUT(Answers(), kTimeoutMs);
        QFile maps(u"/proc/%1/maps"_s.arg(process->processId()));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray mapped = maps.readAll();
        QVERIFY(mapped.contains("libQt6Widgets"));
        QVERIFY(!mapped.contains("libQt6Charts") && !mapped.contains("quorvane-windows"));
        process->terminate();
        QVERIFY(process->waitForFinished(kTimeoutMs));
    }

    // Without a runtime folder (su, cron, ssh) the program falls back to one
    // in the temporary folder. Another user who made that folder first, with
    // a lock and a socket that tells every new copy to end, must not keep the
    // program from starting.
    void a_planted_fallback_folder_does_not_block_start() {
        QTemporaryDir temp;
        // A file where Qt makes its own fallback leaves Qt without a runtime
        // folder, so the program's own fallback is the one in play.
        QFile qtFallback(
            temp.filePath(u"runtime-"_s + QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name)));
        QVERIFY(qtFallback.open(QIODevice::WriteOnly));
        const QString planted = temp.filePath(u"quorvane-"_s + QString::number(::geteuid()));
        QVERIFY(QDir().mkdir(planted) && ::chmod(QFile::encodeName(planted), 0777) == 0);
        if (::geteuid() == 0)
            QVERIFY(::chown(QFile::encodeName(planted), 4321, 4321) == 0);
        QLockFile lock(QDir(planted).filePath(u"quorvane.lock"_s));
        QVERIFY(lock.tryLock(0));
        QLocalServer impostor;
        QVERIFY(impostor.listen(QDir(planted).filePath(u"quorvane.socket"_s)));
        connect(&impostor, &QLocalServer::newConnection, this, [&impostor] {
            while (QLocalSocket *socket = impostor.nextPendingConnection())
                socket->write("done\n");
        });

        QProcessEnvironment env = Environment();
        env.remove(u"XDG_RUNTIME_DIR"_s);
        env.insert(u"TMPDIR"_s, temp.path());
        auto process = Launch(env);
        QTest::qWait(5000); // the impostor answers meanwhile
        QCOMPARE(process->state(), QProcess::Running);
        process->terminate();
        QVERIFY(process->waitForFinished(kTimeoutMs));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
