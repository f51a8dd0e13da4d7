// SPDX-License-Identifier: GPL-3.0-or-later
// Linked and placed as the window program is: the windows that need Qt Charts
// come from the module beside it, loaded on first use.
#include "calcwindowdriver.h"
#include "latewindows.h"
#include "mainform.h"
#include "quorvane_version.h"
#include "toolwindow.h"
#include "wavetiming.h"

#include <QAction>
#include <QChartView>
#include <QLibraryInfo>
#include <QLineSeries>
#include <QProcess>
#include <QTemporaryDir>

#include <dlfcn.h>

using namespace calcwindow;
using namespace quorvane;

class TestLateWindows : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    static QString Module() { return QStringLiteral(QUORVANE_LATE_WINDOWS_PATH); }

  private slots:
    void wave_timing_comes_from_the_module_beside_the_program() {
        QVERIFY(!dlopen(QFile::encodeName(Module()), RTLD_NOLOAD | RTLD_NOW)); // not at start
        const std::unique_ptr<MainForm> main = ShowMainForm();
        PipeCalc(main.get());
        main->findChild<QAction *>("mnuToolsWaveTiming")->trigger();

        QWidget *window = main->waveTimingForm();
        QVERIFY(window && window->isVisible());
        Dl_info where{};
        QVERIFY(dladdr(window->metaObject(), &where));
        QCOMPARE(QFileInfo(QString::fromLocal8Bit(where.dli_fname)).canonicalFilePath(),
                 QFileInfo(Module()).canonicalFilePath());
        // Its chart is core's model of the calculation: the design RPM where core puts it.
        const WaveModel model =
            WaveModelOf(main->designState().inputs, main->designState().result, std::nullopt);
        const QLineSeries *design = nullptr;
        for (QAbstractSeries *series : window->findChild<QChartView *>("picChart")->chart()->series())
            if (series->objectName() == "designRpm")
                design = qobject_cast<QLineSeries *>(series);
        QVERIFY(design);
        QCOMPARE(design->points(), (QList<QPointF>{{model.designRpm, 0}, {model.designRpm, 360}}));
    }

    // Without its module (a broken install) the menu says why, and the main window goes on. A copy of
    // this program in a folder of its own has no module beside it.
    void without_the_module_wave_timing_says_why() {
        const QString self = QCoreApplication::applicationFilePath();
        if (QFileInfo(self).absolutePath() == QFileInfo(Module()).absolutePath()) {
            QVERIFY(QDir(m_dir.path()).mkpath("bin"));
            const QString alone = m_dir.filePath("bin/tst_latewindows");
            QVERIFY(QFile::copy(self, alone));
            QProcess run;
            run.setProcessChannelMode(QProcess::MergedChannels);
            run.start(alone, {"without_the_module_wave_timing_says_why"});
            QVERIFY(run.waitForFinished(60000));
            QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0,
                     run.readAll().constData());
            return;
        }
        ScriptedDialogs *dialogs = nullptr;
        const std::unique_ptr<MainForm> main = ShowMainForm(&dialogs);
        main->findChild<QAction *>("mnuToolsWaveTiming")->trigger();
        QVERIFY(!main->waveTimingForm());
        const QString folder = QCoreApplication::applicationDirPath();
        QCOMPARE(
            dialogs->errors,
            QStringList{
                "The Wave Timing window cannot be opened.\n\nThe module is missing: it was looked for as " +
                QDir::cleanPath(folder + "/" QUORVANE_LATE_WINDOWS_FOLDER "/quorvane-windows.so") + " and " +
                folder + "/quorvane-windows.so."});
        QVERIFY(main->isVisible());
    }

    void a_module_that_will_not_do_is_refused_with_the_reason_data() {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QString>("reason"); // how it begins
        const QString missing = m_dir.filePath("none.so");
        QFile text(m_dir.filePath("text.so"));
        QVERIFY(text.open(QIODevice::WriteOnly) && text.write("not a program\n") > 0);
        text.close();
        const QString core =
            QLibraryInfo::path(QLibraryInfo::LibrariesPath) + QStringLiteral("/libQt6Core.so.6");
        const QString other = QStringLiteral(QUORVANE_OTHER_MODULE_PATH);
        QTest::newRow("missing") << QStringList{missing, missing + "x"}
                                 << "The module is missing: it was looked for as " + missing + " and " +
                                        missing + "x.";
        QTest::newRow("not a shared object")
            << QStringList{text.fileName()}
            << text.fileName() + " cannot be loaded: " + text.fileName() + ": ";
        QTest::newRow("no entry") << QStringList{core, Module()}
                                  << core + " is not Quorvane's window module.";
        QTest::newRow("another version")
            << QStringList{other, Module()}
            << other + " belongs to Quorvane 0.9.9, not to this Quorvane " + kVersionText + ".";
    }
    void a_module_that_will_not_do_is_refused_with_the_reason() {
        QFETCH(QStringList, paths);
        QFETCH(QString, reason);
        QString why;
        QVERIFY(!LoadLateWindows(paths, why));
        QVERIFY2(why.startsWith(reason), qPrintable(why));
    }

    void the_first_module_that_exists_is_taken() {
        QString why;
        const LateWindowMakers *makers = LoadLateWindows({m_dir.filePath("none.so"), Module()}, why);
        QVERIFY2(makers, qPrintable(why));
        QCOMPARE(QString::fromUtf8(makers->version), QString::fromUtf8(kVersionText));
        QVERIFY(makers->waveTiming);
    }
};

QTEST_MAIN(TestLateWindows)
#include "tst_latewindows.moc"
