#include "instancechild.h"
#include "singleinstance.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocalSocket>
#include <QLockFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <memory>
#include <vector>

using namespace Qt::StringLiterals;
using quorvane::FindWindowByTitle;
using quorvane::SingleInstance;
using quorvane::testing::ChildProcess;
using quorvane::testing::kHandledNormalLine;
using quorvane::testing::kHandledNoWindowLine;

namespace {

const QString kName = u"Quorvane"_s;
const QString kMainTitle = QString::fromLatin1(quorvane::testing::kMainTitle);
constexpr int kTimeoutMs = 30000;

QString ThisProgram() {
    return QCoreApplication::applicationFilePath();
}

// A first copy inside the test, with a window carrying the main title.
struct FirstCopy {
    QTemporaryDir folder;
    SingleInstance instance{kName, folder.path()};
    QSignalSpy handled{&instance, &SingleInstance::activationHandled};
    QWidget window;

    FirstCopy() { window.setWindowTitle(kMainTitle); }

    bool start() { return !instance.ActivatePrevInstance() && instance.isFirstCopy(); }
    bool waitForRequest() {
        return QTest::qWaitFor([&] { return handled.count() == 1; }, kTimeoutMs);
    }
    // What a second copy does at start-up; true once it was told to end and
    // this copy has dealt with its request.
    bool askFromSecondCopy() {
        return SingleInstance(kName, folder.path()).ActivatePrevInstance() && waitForRequest();
    }
    QWidget *found() const { return handled.at(0).at(0).value<QWidget *>(); }
};

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();

    void finds_window_by_trimmed_title_prefix_in_any_case_data();
    void finds_window_by_trimmed_title_prefix_in_any_case();
    void active_window_wins_over_others();
    void visible_window_wins_over_hidden_one();

    void second_copy_restores_minimized_window_of_first();
    void maximized_window_comes_back_maximized();
    void restored_window_gives_focus_back_to_box_left();
    void window_not_minimized_is_left_untouched();
    void second_copy_ends_even_when_no_window_found();
    void lock_without_listener_still_means_running();
    void foreign_talk_on_socket_is_dropped();
    void unusable_folder_lets_every_copy_start();
    void missing_folder_is_made_private();

    void second_copy_process_ends_without_window_data();
    void second_copy_process_ends_without_window();
    void lock_of_killed_copy_is_taken_over();
    void copy_running_for_hours_is_still_found();
    void copy_ending_normally_leaves_nothing_behind();
};

void TestSingleInstance::initTestCase() {
    qRegisterMetaType<QWidget *>();
}

void TestSingleInstance::finds_window_by_trimmed_title_prefix_in_any_case_data() {
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<int>("expected"); // index into titles, -1 for none

    QTest::newRow("main_title") << QStringList{kMainTitle} << 0;
    QTest::newRow("name_in_capitals") << QStringList{u"QUORVANE"_s} << 0;
    QTest::newRow("name_after_blanks") << QStringList{u"   Quorvane (v1.0.0)"_s} << 0;
    QTest::newRow("name_after_tab") << QStringList{u"\tquorvane"_s} << 0;
    QTest::newRow("small_letters_then_other_word") << QStringList{u"quorvane notes"_s} << 0;
    QTest::newRow("other_word_first") << QStringList{u"My Quorvane"_s} << -1;
    QTest::newRow("title_shorter_than_name") << QStringList{u"Quorvan"_s} << -1;
    QTest::newRow("untitled_skipped") << QStringList{QString(), u"Pipe"_s, kMainTitle} << 2;
    QTest::newRow("only_untitled") << QStringList{QString(), u"  "_s} << -1;
    QTest::newRow("no_windows") << QStringList{} << -1;
}

// Hidden windows count as much as visible ones; none of these was ever shown.
void TestSingleInstance::finds_window_by_trimmed_title_prefix_in_any_case() {
    QFETCH(QStringList, titles);
    QFETCH(int, expected);

    std::vector<std::unique_ptr<QWidget>> windows;
    for (const QString &title : titles) {
        windows.push_back(std::make_unique<QWidget>());
        windows.back()->setWindowTitle(title);
    }
    QWidget *found = FindWindowByTitle(kName);
    QCOMPARE(found, expected < 0 ? nullptr : windows.at(expected).get());
}

void TestSingleInstance::active_window_wins_over_others() {
    QWidget first;
    QWidget second;
    first.setWindowTitle(kMainTitle);
    second.setWindowTitle(u"quorvane notes"_s);
    first.show();
    second.show();

    for (QWidget *front : {&first, &second, &first}) {
        front->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(front));
        QCOMPARE(FindWindowByTitle(kName), front);
    }
}

void TestSingleInstance::visible_window_wins_over_hidden_one() {
    QWidget hidden;
    QWidget shownFirst;
    QWidget shownSecond;
    QWidget active;
    hidden.setWindowTitle(u"Quorvane hidden"_s);
    shownFirst.setWindowTitle(u"Quorvane first"_s);
    shownSecond.setWindowTitle(u"Quorvane second"_s);
    active.setWindowTitle(u"Cone Calculator"_s);
    shownFirst.show();
    shownSecond.show();
    active.show();
    active.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&active));

    QCOMPARE(FindWindowByTitle(kName), &shownFirst);
    shownFirst.hide();
    QCOMPARE(FindWindowByTitle(kName), &shownSecond);
}

void TestSingleInstance::second_copy_restores_minimized_window_of_first() {
    FirstCopy first;
    QVERIFY(first.start());
    QVERIFY(first.instance.isListening());
    QVERIFY(QFileInfo::exists(first.instance.lockFilePath()));
    QVERIFY(!first.instance.ActivatePrevInstance()); // asking again changes nothing
    first.window.showMinimized();

    SingleInstance second(kName, first.folder.path());
    QVERIFY(second.ActivatePrevInstance());
    QVERIFY(!second.isFirstCopy());
    QVERIFY(!second.isListening());
    QVERIFY(first.waitForRequest());
    QCOMPARE(first.found(), &first.window);
    QVERIFY(!first.window.isMinimized());
    QVERIFY(first.window.isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&first.window));
}

void TestSingleInstance::maximized_window_comes_back_maximized() {
    FirstCopy first;
    QVERIFY(first.start());
    first.window.showMaximized();
    first.window.setWindowState(first.window.windowState() | Qt::WindowMinimized);
    QVERIFY(first.window.isMinimized());

    QVERIFY(first.askFromSecondCopy());
    QVERIFY(!first.window.isMinimized());
    QVERIFY(first.window.isMaximized());
}

void TestSingleInstance::restored_window_gives_focus_back_to_box_left() {
    FirstCopy first;
    QVERIFY(first.start());
    auto *layout = new QVBoxLayout(&first.window);
    layout->addWidget(new QLineEdit(&first.window));
    auto *secondBox = new QLineEdit(&first.window);
    layout->addWidget(secondBox);
    first.window.show();
    first.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&first.window));
    secondBox->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), secondBox);
    first.window.showMinimized();

    QVERIFY(first.askFromSecondCopy());
    QVERIFY(QTest::qWaitForWindowActive(&first.window));
    QCOMPARE(QApplication::focusWidget(), secondBox);
}

void TestSingleInstance::window_not_minimized_is_left_untouched() {
    FirstCopy first;
    QVERIFY(first.start());
    QWidget tool;
    tool.setWindowTitle(u"Cone Calculator"_s);
    first.window.setGeometry(40, 50, 320, 200);
    first.window.show();
    tool.show();
    tool.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&tool));
    const QRect geometry = first.window.geometry();
    const Qt::WindowStates state = first.window.windowState();

    QVERIFY(first.askFromSecondCopy());
    QCOMPARE(first.found(), &first.window);
    QCOMPARE(first.window.windowState(), state);
    QCOMPARE(first.window.geometry(), geometry);
    QCOMPARE(QApplication::activeWindow(), &tool);
}

void TestSingleInstance::second_copy_ends_even_when_no_window_found() {
    FirstCopy first;
    QVERIFY(first.start());
    first.window.setWindowTitle(u"My Quorvane"_s);
    first.window.showMinimized();

    QVERIFY(first.askFromSecondCopy());
    QCOMPARE(first.found(), nullptr);
    QVERIFY(first.window.isMinimized());
}

// A copy that holds the lock but cannot be reached (still starting, or
// hung) is running all the same; the new copy must not wait long for it.
void TestSingleInstance::lock_without_listener_still_means_running() {
    QTemporaryDir folder;
    SingleInstance probe(kName, folder.path());
    QLockFile lock(probe.lockFilePath());
    QVERIFY(lock.tryLock(0));

    QElapsedTimer clock;
    clock.start();
    QVERIFY(probe.ActivatePrevInstance());
    QVERIFY(!probe.isFirstCopy());
    QCOMPARE_LT(clock.elapsed(), 10000);
}

void TestSingleInstance::foreign_talk_on_socket_is_dropped() {
    FirstCopy first;
    QVERIFY(first.start());
    first.window.showMinimized();

    // A stray line, then a line too long to be a request that hides the
    // request at its end: the running copy hangs up and does nothing.
    QLocalSocket stranger;
    stranger.connectToServer(first.instance.socketPath());
    QVERIFY(stranger.waitForConnected(kTimeoutMs));
    stranger.write("hello\n" + QByteArray(100, 'x') + "activate\n");
    QTRY_COMPARE_WITH_TIMEOUT(stranger.state(), QLocalSocket::UnconnectedState, kTimeoutMs);
    QCOMPARE(first.handled.count(), 0);
    QVERIFY(first.window.isMinimized());

    QVERIFY(first.askFromSecondCopy());
    QVERIFY(!first.window.isMinimized());
}

void TestSingleInstance::unusable_folder_lets_every_copy_start() {
    QTemporaryDir folder;
    const QString plainFile = folder.filePath(u"plain-file"_s);
    QFile file(plainFile);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();

    SingleInstance first(kName, plainFile + u"/runtime"_s);
    SingleInstance second(kName, plainFile + u"/runtime"_s);
    QVERIFY(!first.ActivatePrevInstance());
    QVERIFY(!second.ActivatePrevInstance());
    QVERIFY(!first.isFirstCopy());
    QVERIFY(!first.isListening());
}

void TestSingleInstance::missing_folder_is_made_private() {
    QTemporaryDir folder;
    const QString runtime = folder.filePath(u"new/runtime"_s);
    SingleInstance first(kName, runtime);
    QVERIFY(!first.ActivatePrevInstance());
    QVERIFY(first.isListening());
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFileInfo(runtime).permissions() & others, QFile::Permissions());
}

void TestSingleInstance::second_copy_process_ends_without_window_data() {
    QTest::addColumn<QByteArray>("firstWindow");
    QTest::addColumn<QByteArray>("firstAfterwards");

    QTest::newRow("minimized_is_restored") << QByteArray("minimized") << QByteArray(kHandledNormalLine);
    QTest::newRow("open_stays_open") << QByteArray("normal") << QByteArray(kHandledNormalLine);
    QTest::newRow("no_window_to_find") << QByteArray("none") << QByteArray(kHandledNoWindowLine);
}

// Both copies are real processes, as when the user starts the program twice.
void TestSingleInstance::second_copy_process_ends_without_window() {
    QFETCH(QByteArray, firstWindow);
    QFETCH(QByteArray, firstAfterwards);
    QTemporaryDir folder;

    ChildProcess first(ThisProgram(), ChildProcess::InstanceArguments(firstWindow.constData()),
                       folder.path());
    QVERIFY(first.waitForLine(quorvane::testing::kFirstCopyLine));

    ChildProcess second(ThisProgram(), ChildProcess::InstanceArguments("normal"), folder.path());
    QVERIFY(second.waitForEnd());
    QVERIFY(!second.crashed());
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(second.lines(), QStringList{QString::fromLatin1(quorvane::testing::kSecondCopyLine)});

    QVERIFY2(first.waitForLine(firstAfterwards.constData()), qPrintable(first.lines().join(u'|')));
    QVERIFY(first.finish());
    QCOMPARE(first.exitCode(), 0);
}

// A copy that crashed or was killed leaves its lock file and socket behind;
// the next start must not take them for a running copy.
void TestSingleInstance::lock_of_killed_copy_is_taken_over() {
    QTemporaryDir folder;
    ChildProcess killed(ThisProgram(), ChildProcess::InstanceArguments("minimized"), folder.path());
    QVERIFY(killed.waitForLine(quorvane::testing::kFirstCopyLine));
    QVERIFY(killed.killHard());
    QVERIFY(killed.crashed());

    SingleInstance next(kName, folder.path());
    QVERIFY(QFileInfo::exists(next.lockFilePath()));
    QVERIFY(QFileInfo::exists(next.socketPath()));
    QVERIFY(!next.ActivatePrevInstance());
    QVERIFY(next.isFirstCopy());
    QVERIFY(next.isListening());

    QSignalSpy handled(&next, &SingleInstance::activationHandled);
    QVERIFY(SingleInstance(kName, folder.path()).ActivatePrevInstance());
    QTRY_COMPARE_WITH_TIMEOUT(handled.count(), 1, kTimeoutMs);
}

// Lock files are judged by their owner being alive, never by their age.
void TestSingleInstance::copy_running_for_hours_is_still_found() {
    QTemporaryDir folder;
    ChildProcess running(ThisProgram(), ChildProcess::InstanceArguments("minimized"), folder.path());
    QVERIFY(running.waitForLine(quorvane::testing::kFirstCopyLine));

    SingleInstance next(kName, folder.path());
    QFile lockFile(next.lockFilePath());
    QVERIFY(lockFile.open(QIODevice::ReadOnly));
    QVERIFY(lockFile.setFileTime(QDateTime::currentDateTime().addSecs(-5 * 3600),
                                 QFileDevice::FileModificationTime));
    lockFile.close();

    QVERIFY(next.ActivatePrevInstance());
    QVERIFY(!next.isFirstCopy());
    QVERIFY(running.waitForLine(kHandledNormalLine));
    QVERIFY(running.finish());
}

void TestSingleInstance::copy_ending_normally_leaves_nothing_behind() {
    QTemporaryDir folder;
    ChildProcess copy(ThisProgram(), ChildProcess::InstanceArguments("normal"), folder.path());
    QVERIFY(copy.waitForLine(quorvane::testing::kFirstCopyLine));
    QVERIFY(copy.finish());
    QVERIFY(!copy.crashed());
    QCOMPARE(copy.exitCode(), 0);

    SingleInstance next(kName, folder.path());
    QVERIFY(!QFileInfo::exists(next.lockFilePath()));
    QVERIFY(!QFileInfo::exists(next.socketPath()));
    QVERIFY(!next.ActivatePrevInstance());
}

int main(int argc, char **argv) {
    if (const std::optional<int> exitCode = quorvane::testing::RunIfInstanceChild(argc, argv))
        return *exitCode;
    QApplication app(argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_singleinstance.moc"
