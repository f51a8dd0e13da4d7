#pragma once

// Copies of the program in processes of their own, for tests of what one
// copy does to another. Two halves:
//  - RunIfInstanceChild(), called first in a test program's main(), lets the
//    test program itself play a copy of the program when started with
//    kInstanceChildSwitch;
//  - ChildProcess starts any program (that test program, or the real one)
//    with a runtime folder of the test's own and reads what it prints.

#include "singleinstance.h"

#include <QApplication>
#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSocketNotifier>
#include <QStringList>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <memory>
#include <optional>

#include <unistd.h>

namespace quorvane::testing {

inline constexpr char kInstanceChildSwitch[] = "--instance-child";
inline constexpr char kMainTitle[] = "Quorvane (v1.0.0)";

// What a child copy prints, one line each.
inline constexpr char kSecondCopyLine[] = "second copy";
inline constexpr char kFirstCopyLine[] = "first copy";
inline constexpr char kHandledMinimizedLine[] = "handled minimized";
inline constexpr char kHandledNormalLine[] = "handled normal";
inline constexpr char kHandledNoWindowLine[] = "handled none";

namespace detail {

inline void PrintLine(const char *line) {
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace detail

// With arguments `kInstanceChildSwitch minimized|normal|none` this plays the
// program's start-up in the runtime folder the environment names, and
// returns the exit code once done; otherwise std::nullopt. A second copy
// prints kSecondCopyLine and ends at once, without a window. A first copy
// shows a main window as asked (none: no window at all), prints
// kFirstCopyLine, reports each request from a later copy with a "handled"
// line telling the state of its window afterwards, and ends when its
// standard input is closed.
inline std::optional<int> RunIfInstanceChild(int argc, char **argv) {
    if (argc < 3 || qstrcmp(argv[1], kInstanceChildSwitch) != 0)
        return std::nullopt;
    const QByteArray windowMode = argv[2];

    QApplication app(argc, argv);
    SingleInstance instance(QStringLiteral("Quorvane"));
    if (instance.ActivatePrevInstance()) {
        detail::PrintLine(kSecondCopyLine);
        return 0;
    }

    std::unique_ptr<QWidget> window;
    if (windowMode != "none") {
        window = std::make_unique<QWidget>();
        window->setWindowTitle(QString::fromLatin1(kMainTitle));
        auto *layout = new QVBoxLayout(window.get());
        layout->addWidget(new QLineEdit(window.get()));
        window->show();
        // Minimized the way a user does it, once the window is up: some
        // window managers ignore a window that asks to start minimized.
        if (windowMode == "minimized" && QTest::qWaitForWindowExposed(window.get()))
            window->setWindowState(window->windowState() | Qt::WindowMinimized);
    }

    QObject::connect(&instance, &SingleInstance::activationHandled, &app, [](QWidget *found) {
        if (found == nullptr)
            detail::PrintLine(kHandledNoWindowLine);
        else
            detail::PrintLine(found->isMinimized() ? kHandledMinimizedLine : kHandledNormalLine);
    });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&app, &input] {
        char buffer[256];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
            input.setEnabled(false);
            app.quit();
        }
    });
    detail::PrintLine(kFirstCopyLine);
    return app.exec();
}

// A program started with XDG_RUNTIME_DIR pointing at the test's folder and
// the offscreen platform. Waits keep the test's own event loop running, so
// a copy inside the test can answer the child meanwhile. The child is
// killed on destruction if still running.
class ChildProcess {
  public:
    // Generous: the machine may be busy building.
    static constexpr int kTimeoutMs = 60000;

    ChildProcess(const QString &program, const QStringList &arguments, const QString &runtimeFolder) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_process.setProcessEnvironment(environment);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(program, arguments);
    }

    // The test program itself as a child copy; see RunIfInstanceChild.
    static QStringList InstanceArguments(const char *windowMode) {
        return {QString::fromLatin1(kInstanceChildSwitch), QString::fromLatin1(windowMode)};
    }

    ~ChildProcess() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kTimeoutMs);
        }
    }

    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    // True once the child has printed this line; false if it ends or the
    // time runs out first.
    bool waitForLine(const char *line, int timeoutMs = kTimeoutMs) {
        const QString wanted = QString::fromLatin1(line);
        const bool seenOrEnded = QTest::qWaitFor(
            [&] {
                ReadLines();
                return m_lines.contains(wanted) || m_process.state() == QProcess::NotRunning;
            },
            timeoutMs);
        ReadLines();
        return seenOrEnded && m_lines.contains(wanted);
    }

    // Closes the child's input, which asks a child copy to end, and waits.
    bool finish(int timeoutMs = kTimeoutMs) {
        m_process.closeWriteChannel();
        return waitForEnd(timeoutMs);
    }

    // Ends the child the way a crash would: no clean-up runs.
    bool killHard(int timeoutMs = kTimeoutMs) {
        m_process.kill();
        return waitForEnd(timeoutMs);
    }

    bool waitForEnd(int timeoutMs = kTimeoutMs) {
        const bool ended =
            QTest::qWaitFor([&] { return m_process.state() == QProcess::NotRunning; }, timeoutMs);
        ReadLines();
        return ended;
    }

    QStringList lines() {
        ReadLines();
        return m_lines;
    }
    bool crashed() const { return m_process.exitStatus() == QProcess::CrashExit; }
    int exitCode() const { return m_process.exitCode(); }

  private:
    void ReadLines() {
        while (m_process.canReadLine())
            m_lines.append(QString::fromLocal8Bit(m_process.readLine()).trimmed());
        // What a child that ended printed without a final line break.
        if (m_process.state() == QProcess::NotRunning && m_process.bytesAvailable() > 0)
            m_lines.append(QString::fromLocal8Bit(m_process.readAll()).trimmed());
    }

    QProcess m_process;
    QStringList m_lines;
};

} // namespace quorvane::testing
