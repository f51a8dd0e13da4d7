// SPDX-License-Identifier: GPL-3.0-or-later
#include "calcwindowdriver.h"
#include "mainform.h"

#include <QCheckBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "scratchdisk.h"

#include <sys/stat.h>

using namespace calcwindow;
using namespace quorvane;
using namespace Qt::StringLiterals;

namespace {

void WriteAll(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestPipeFileMenu : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<MainForm> m_form;
    ScriptedDialogs *m_dialogs = nullptr;
    QTemporaryDir m_dir;

    QLineEdit *Box(const QString &name) const { return m_form->findChild<QLineEdit *>(name); }
    QString Path(const QString &name) const { return m_dir.filePath(name); }
    void Save(const QString &answer) {
        m_dialogs->answer = answer;
        m_form->mnuFileType_Click(1);
    }
    void Open(const QString &answer) {
        m_dialogs->answer = answer;
        m_form->mnuFileType_Click(0);
    }

  private slots:
    void init() { m_form = ShowMainForm(&m_dialogs); }
    void cleanup() { m_form.reset(); }

    // Each text is written as typed, spaces and all; reading takes the number without them.
    void save_and_open_round_trip() {
        const char *texts[] = {"190", " 10 000 ", "500", "1.36", "300",  "40",
                               "30",  "38",       "1.1", "3",    "0.65", "1.5"};
        for (int i = 0; i < 12; ++i)
            Box(kPipeBoxes[i])->setText(texts[i]);
        Save(Path("design.txt")); // the dialogs' titles and filters: tst_mainform's keys
        QVERIFY(ReadAll(Path("design.txt")).contains("\r\nRPM= 10 000 \r\n"));
        QVERIFY(m_dialogs->errors.isEmpty());
        m_form.reset();
        init();
        Open(Path("design.txt"));
        for (int i = 0; i < 12; ++i)
            QCOMPARE(Box(kPipeBoxes[i])->text(), QString(texts[i]).trimmed());
        QCOMPARE(Box("txtPTExh")->palette().color(QPalette::Base), QColor(Qt::white));
    }

    void added_extension_asks_before_replacing_another_file() {
        WriteAll(Path("keep.txt"), "[Mine]\r\nx=1\r\n");
        m_dialogs->confirm = false;
        Save(Path("keep"));
        QCOMPARE(m_dialogs->asked.last(), "overwrite " + Path("keep.txt"));
        QCOMPARE(ReadAll(Path("keep.txt")), QByteArray("[Mine]\r\nx=1\r\n"));
        m_dialogs->confirm = true;
        Save(Path("keep"));
        QVERIFY(ReadAll(Path("keep.txt")).startsWith("[Mine]\r\nx=1\r\n[PipeCalcValues]\r\n"));
    }

    void open_fills_only_the_keys_with_values() {
        for (int i = 0; i < 12; ++i)
            Box(kPipeBoxes[i])->setText("7");
        m_form->findChild<QCheckBox *>("chkHeader")->setChecked(true);
        auto *results = m_form->findChild<QPlainTextEdit *>("txtPipeDim1");
        results->setPlainText("D1 = 42.00");
        WriteAll(Path("rpm.txt"), "[PipeCalcValues]\r\nRPM=4000\r\ntiming=\r\nheats=1.3625\r\n");
        Open(Path("rpm.txt"));
        for (int i = 0; i < 12; ++i)
            QCOMPARE(Box(kPipeBoxes[i])->text(), QString::fromLatin1(i == 1   ? "4000"
                                                                     : i == 3 ? "1.3625"
                                                                              : "7"));
        QVERIFY(ShowsItsStart(Box("txtHeats"))); // wider than its box: "1." must not scroll away
        QCOMPARE(Box("txtRPM")->palette().color(QPalette::Base), QColor(255, 255, 0)); // its range check ran
        QVERIFY(m_form->findChild<QCheckBox *>("chkHeader")->isChecked());
        QCOMPARE(results->toPlainText(), QStringLiteral("D1 = 42.00")); // nothing recalculated or cleared
    }

    void cancelling_or_failing_changes_nothing_but_says_why() {
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
        Box("txtRPM")->setText("9000");
        Save(QString());
        Open(QString());
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
        QVERIFY(m_dialogs->errors.isEmpty()); // cancelling is silent

        // A folder where the file should be: the save cannot replace it, even as root.
        QVERIFY(QDir(m_dir.path()).mkpath("blocked.txt/inside"));
        Save(Path("blocked.txt"));
        QVERIFY(m_dialogs->errors.value(0).contains(QDir::toNativeSeparators(Path("blocked.txt"))));
        QVERIFY(QFileInfo(Path("blocked.txt/inside")).isDir());
        Save(m_dir.filePath("no such folder/pipe.txt"));
        QVERIFY(m_dialogs->errors.value(1).contains("pipe.txt"));
        Open(Path("blocked.txt"));
        QVERIFY(m_dialogs->errors.value(2).contains("could not be read"));
        QCOMPARE(m_dialogs->errors.size(), 3);
        QCOMPARE(Box("txtRPM")->text(), QStringLiteral("9000"));
    }

    // A folder that takes no new file leaves only a rewrite in place, which a crash would spoil: the save
    // asks first, and a "no" leaves the file as it was without a further word.
    void a_folder_that_takes_no_file_asks_before_rewriting_in_place_data() {
        QTest::addColumn<bool>("agree");
        QTest::newRow("agreed") << true;
        QTest::newRow("declined") << false;
    }
    void a_folder_that_takes_no_file_asks_before_rewriting_in_place() {
        QFETCH(bool, agree);
        const QString folder = Path(QTest::currentDataTag());
        const QByteArray old = "[PipeCalcValues]\r\ntemp=1\r\n";
        QVERIFY(QDir().mkdir(folder));
        Box("txtTemp")->setText("650");
        m_dialogs->confirm = agree;
        {
            const ClosedFolder closed(folder, "pipe.txt", old);
            if (!closed.ok)
                QSKIP("acting as another user needs root");
            Save(QDir(folder).filePath("pipe.txt"));
        }
        QCOMPARE(m_dialogs->asked.size(), 2);
        QVERIFY2(m_dialogs->asked[1].startsWith("in place " + QDir(folder).filePath("pipe.txt") + '|') &&
                     m_dialogs->asked[1].contains("does not let a new file be made"),
                 qPrintable(m_dialogs->asked[1]));
        QVERIFY2(m_dialogs->errors.isEmpty(), qPrintable(m_dialogs->errors.join('\n')));
        QCOMPARE(ReadAll(QDir(folder).filePath("pipe.txt")).contains("temp=650"), agree);
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"pipe.txt"});
    }

    // A save that cannot be made, and a file that must not be read: the user is told why, naming the box
    // where a box is the cause, and the file on disk keeps every byte.
    void refusals_say_why_and_keep_the_file_data() {
        QTest::addColumn<bool>("save");
        QTest::addColumn<QString>("file"); // "full disk", "fifo" or a path
        QTest::addColumn<QString>("temp"); // the text of txtTemp
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, bool save, const char *file, const QString &temp,
                            const QString &expected) {
            QTest::newRow(name) << save << QString(file) << temp << expected;
        };
        row("text an 8-bit file cannot hold", true, "pipe.txt", u"500\u20AC"_s,
            u"The box \u201CExhaust Temp\u201D holds \u201C\u20AC\u201D, a character that this 8-bit "
            "(Latin-1) file cannot hold.\n\nThe file on disk was left as it was."_s);
        row("full disk", true, "full disk", "500",
            "Writing failed: No space left on device.\n\nThe file on disk was left as it was.");
        row("open a device", false, "/dev/zero", "500", "/dev/zero is not an ordinary file");
        row("open a FIFO", false, "fifo", "500", "fifo is not an ordinary file");
    }

    void refusals_say_why_and_keep_the_file() {
        QFETCH(bool, save);
        QFETCH(QString, file);
        QFETCH(QString, temp);
        QFETCH(QString, expected);
        scratch::SmallDisk disk;
        QString path = file.startsWith('/') ? file : Path(file);
        if (file == "full disk") {
            if (!disk.mounted())
                QSKIP(qPrintable(disk.error()));
            path = disk.filePath("pipe.txt");
        }
        if (file == "fifo")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        const QByteArray old = "[PipeCalcValues]\r\ntemp=" + QByteArray(5000, '1') + "\r\n";
        if (!path.startsWith("/dev/") && file != "fifo")
            WriteAll(path, old);
        if (file == "full disk")
            QVERIFY(disk.Fill());
        Box("txtTemp")->setText(temp);
        save ? Save(path) : Open(path);
        QCOMPARE(m_dialogs->errors.size(), 1);
        QVERIFY2(m_dialogs->errors[0].contains(expected), qPrintable(m_dialogs->errors[0]));
        QCOMPARE(Box("txtTemp")->text(), temp);
        if (save)
            QCOMPARE(ReadAll(path), old);
    }
};

QTEST_MAIN(TestPipeFileMenu)
#include "tst_pipefile_menu.moc"
