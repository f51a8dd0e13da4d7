// The real program started as a user starts it: one copy per user, and a copy
// that crashed does not stand in the way of the next.

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

class TestStartup : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_runtime;

    std::unique_ptr<QProcess> Launch() {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", m_runtime.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process->setProcessEnvironment(env);
        process->start(QStringLiteral(QUORVANE_PATH), {});
        return process;
    }
    bool Listening() const { return QFileInfo::exists(QDir(m_runtime.path()).filePath("quorvane.socket")); }

  private slots:
    void initTestCase() { QVERIFY(QDir(m_runtime.path()).exists()); }

    void second_launch_ends_without_a_window() {
        auto first = Launch();
        QVERIFY(first->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(Listening(), 30000);
        auto second = Launch();
        QVERIFY(second->waitForFinished(30000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first->state(), QProcess::Running);
        first->terminate();
        QVERIFY(first->waitForFinished(30000));
    }

    void a_killed_copy_does_not_block_the_next() {
        auto crashed = Launch();
        QVERIFY(crashed->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(Listening(), 30000);
        ::kill(static_cast<pid_t>(crashed->processId()), SIGKILL);
        QVERIFY(crashed->waitForFinished(30000));

        auto next = Launch();
        QVERIFY(next->waitForStarted());
        QVERIFY(!next->waitForFinished(3000)); // it stays: it is the running copy now
        auto another = Launch();               // and it answers the one after it
        QVERIFY(another->waitForFinished(30000));
        QCOMPARE(another->exitCode(), 0);
        QCOMPARE(next->state(), QProcess::Running);
        next->terminate();
        QVERIFY(next->waitForFinished(30000));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
