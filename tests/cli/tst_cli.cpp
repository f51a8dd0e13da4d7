// SPDX-License-Identifier: GPL-3.0-or-later
#include "chamber.h"
#include "numeric.h"
#include "pattern.h"
#include "pipeinputs.h"
#include "pipemodel.h"
#include "quorvane_version.h"
#include "stlfile.h"
#include "wavetiming.h"
#include "workedexamples.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "clirun.h"
#include "scratchdisk.h"

#include <algorithm>

#include <sys/stat.h>

using namespace quorvane;

namespace {

// Status 0 prints on stdout alone; 1 (a failed write), 2 (a refused input or command line) and 3 (cannot be
// calculated) print "quorvane-cli: " and one line on stderr, a usage error followed by the usage.
void Check(const CliRun &run, int status, const QByteArray &expected) {
    QCOMPARE(run.status, status);
    const QByteArray &text = status == 0 ? run.out : run.err;
    QVERIFY2(examples::Matches(QString::fromUtf8(text),
                               QString::fromUtf8(status == 0 ? expected : "quorvane-cli: " + expected)),
             text.constData());
    QCOMPARE(status == 0 ? run.err : run.out, QByteArray());
    QVERIFY(!text.contains('\r') && !text.endsWith("\n\n") &&
            (status == 0 || text.count('\n') == 1 || text.contains("\nUsage: ")));
    QVERIFY(!QString(text).contains(
        QRegularExpression("\\b(nan|inf|infinity)\\b", QRegularExpression::CaseInsensitiveOption)));
}

// How a refusal names an input: the chamber's by its key and label, the flat cone's with the rule it
// broke, the others' in words ("rodLength" is "rod length").
QString Named(const examples::Case &example, QString name) {
    if (example.calculation == "chamber") // the reasons are pinned in prints()
        return name + " (\"" + QString(FieldInfo(*FieldByKey(name.toStdString())).label).trimmed() + "\") *";
    if (example.calculation.startsWith("flatcone"))
        return name + (name == "thickness" ? " (must not be empty)" : " (must be at least 1)");
    for (qsizetype i = name.size() - 1; i > 0; --i)
        if (name[i].isUpper() && name[i - 1].isLower())
            name.replace(i, 1, QString(' ') + name[i].toLower());
    return name;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    // A command line split at blanks: @ is the worked example's inputs, FILE a saved file, '' an empty word.
    QStringList Args(QString line) const {
        line.replace("@", "timing=190 RPM=10000 temp=500 portWindowD=40 portLength=30 portFlangeD=38")
            .replace("FILE", m_dir.filePath("pipe.txt"))
            .replace("OUT", m_dir.filePath("saved.txt"))
            .replace("DIR", m_dir.path());
        return line.split(' ', Qt::SkipEmptyParts)
            .replaceInStrings(QRegularExpression("^''$"), QString())
            .replaceInStrings("<LF>", "\n");
    }

  private slots:
    void initTestCase() {
        QFile file(m_dir.filePath("pipe.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        // The example at RPM 9000, with a key in other case; an empty heats must leave 1.360 as it was.
        file.write("[Other]\r\nRPM=3000\r\n[PipeCalcValues]\r\nTIMING=190\r\nRPM=9000\r\ntemp=500\r\n"
                   "portWindowD=40\r\nportLength=30\r\nportFlangeD=38\r\nheats=\r\n");
    }

    void prints_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("expected");
        const std::tuple<const char *, int, QByteArray> rows[] = {
            {"chamber FILE", 0, "*Tuned Length mm\n988.08\n"},
            {"chamber FILE RPM=10000", 0, "*Tuned Length mm\n889.27\n"},
            {"chamber RPM=10000 FILE", 0, "*Tuned Length mm\n889.27\n"},
            {"--version", 0, QByteArray("quorvane-cli ") + kVersionText + "\n"},
            {"--help", 0,
             "*\n  chamber *\n  flatcone *--batch*\n  port-width *\n  segment-area *\n  port-area *\n"
             "  area-to-diameter *\n  port-timing *\n  bmep *\n  convert *\n  cone *Exit status*"},
            {"cone -h", 0, "Usage: quorvane-cli COMMAND [ARGUMENTS]...\n*"},
            {"chamber @ rpm=1", 2, "unknown key \"rpm\"; the keys are timing, RPM, *"},
            {"chamber @ temp=", 2, "invalid input: temp (\"Exhaust Temp\") must not be empty\n"},
            {"chamber @ temp=0.5", 2, "invalid input: temp (\"Exhaust Temp\") must be at least 1\n"},
            {"chamber @ timing=360.5", 2, "invalid input: timing (\"Port Timing\") must be at most 360\n"},
            {"chamber @ RPM=1e999", 2, "invalid input: RPM (\"RPM\") is too large to calculate with\n"},
            {"chamber @ portToOutlet=0.09", 2,
             "invalid input: portToOutlet (\"Port to Outlet Ratio\") must be at least 0.1\n"},
            {"chamber @ portLength=", 2, "invalid input: portLength (\"Port Length\") must not be empty\n"},
            {"chamber /nonexistent/p.txt", 2, "cannot read /nonexistent/p.txt: no such file\n"},
            {"chamber /", 2, "cannot read /: * folder*"},
            {"chamber /dev/zero", 2, "cannot read /dev/zero: /dev/zero is not an ordinary file*"},
            {"chamber a.txt b.txt", 2, "more than one FILE: a.txt, b.txt\nUsage: *"},
            {"flatcone @ --batch", 2, "--batch needs --thickness T\nUsage: *"},
            {"port-area 40 30 --k2 3", 2, "--k2 must be 1 or 2\nUsage: *"},
            {"port-width 30", 2, "expected 2 arguments, got 1\nUsage: quorvane-cli port-width CURVED BORE*"},
            {"chamber @ --jsn", 2, "unknown option --jsn\nUsage: *"},
            {"pipe", 2, "unknown command pipe\nUsage: *"},
            // Wave timing of the worked example: at its design RPM the baffle end's wave is back at EC.
            {"timing @", 0,
             "Arrival at the port, crank degrees after TDC\nPort events: EO 85.00, BDC 180.00, EC 275.00\n"
             "Stations, mm from the piston face: diffuser start 88.93, diffuser end 578.03, baffle start "
             "675.85, "
             "baffle end 889.27\n\n       RPM  diffuser start    diffuser end    baffle start      baffle "
             "end\n"
             "     6,000           96.40          159.10          171.64          199.00\n*"
             "    10,000          104.00          208.50          229.40          275.00\n*"
             "    14,000          111.60          257.90          287.16          351.00\n\n"
             "Plugging band: give --transfer DEG *\nAn estimate: small-amplitude waves at one uniform "
             "exhaust "
             "temperature, reflected at fixed stations.\n"},
            {"timing @ --transfer 130 --rpm 9000:10000:1000", 0,
             "*TO 115.00, TC 245.00\n*baffle end\n     9,000 *\n    10,000 * 275.00\n\n"
             "Plugging band (the pulse overlaps TC to EC): 8,421 to 13,158 rpm\nAn estimate*"},
            {"timing @ --rpm=10000:10001:0.5", 0, "*\n    10,000 *\n 10,000.50 *\n    10,001 *"},
            {"timing @ timing=360", 2,
             "invalid input: timing: The exhaust port timing must be between 1 and 359 degrees.\n"},
            {"timing @ --transfer 190", 2,
             "invalid input: --transfer: The transfer duration must be more than 0 and less than the exhaust "
             "duration (190.00 degrees).\n"},
            {"timing @ --rpm 0:1000:10", 2, "invalid input: --rpm: The RPM must be more than 0.\n"},
            {"timing @ --rpm 9000:8000:10", 2, "invalid input: --rpm: The highest RPM must be more than*"},
            {"timing @ --rpm 1:20000:1", 2, "invalid input: --rpm: *more than 10,000 steps*"},
            {"timing @ --rpm 1:2", 2, "--rpm takes FROM:TO:STEP\nUsage: quorvane-cli timing *"},
            {"timing @ timing=190x RPM=", 2, "invalid input: RPM (*"},
            {"reverse --length 889.271 --timing 190 --temp 500", 0, "Tuned RPM = 10,000\nAn estimate: *\n"},
            {"reverse --length 889.271 --timing 190 --rpm 10000", 0, "Exhaust temperature C = 500.00\n*"},
            {"reverse --timing 190 --rpm 10000 --length 30+58.93+244.55+162.74+81.81+97.82+213.43 --heats "
             "1.4 "
             "--gas-constant 287",
             0, "Exhaust temperature C = 511.95\n*"},
            {"reverse --length 0 --timing 190 --temp 500", 2,
             "invalid input: --length: The length must be more than 0 mm.\n"},
            {"reverse --length 900 --timing 0.5 --temp 500", 2,
             "invalid input: --timing: *between 1 and 359*"},
            {"reverse --length 900 --timing 360 --temp 500", 2, "invalid input: --timing: *"},
            {"reverse --length 900 --timing 190 --temp -273.15", 2,
             "invalid input: --temp: The temperature must be above absolute zero (-273.15 °C).\n"},
            {"reverse --length 900 --timing 190 --rpm -1", 2,
             "invalid input: --rpm: The RPM must be more than 0.\n"},
            {"reverse --length 900 --timing 190 --rpm 9000 --heats 0", 2, "invalid input: --heats: *"},
            {"reverse --length 900 --timing 190 --rpm 9000 --gas-constant abc", 2,
             "invalid input: --gas-constant: *"},
            {"reverse --length 1e308 --timing 190 --rpm 1e308", 3,
             "The numbers are too large to calculate with.\n"},
            {"reverse --length 900 --timing 190 --rpm 9000 --temp 500", 2,
             "give either --temp or --rpm\nUsage: *"},
            {"reverse --length 900 --timing 190", 2, "give either --temp or --rpm\nUsage: *"},
            {"reverse --timing 190 --temp 500", 2, "--length and --timing are both needed\nUsage: *"},
            {"reverse 900 --length 900 --timing 190 --temp 500", 2, "unexpected argument 900\nUsage: *"},
            {"model @ -o DIR/m.stl", 2, "model needs --thickness T and -o FILE\nUsage: quorvane-cli model *"},
            {"model @ --thickness 1,5 -o DIR/m.stl", 2,
             "invalid input: --thickness: the sheet thickness must be *"},
            {"model @ --thickness 0 -o DIR/m.stl", 2, "invalid input: --thickness: *more than 0*"},
            {"model @ --thickness 1 -o DIR/m.stl --bend", 2,
             "option --bend needs WHICH:ANGLE:PIECES[:DIRECTION]\n*"},
            {"model @ --thickness 1 --bend L3:30 -o DIR/m.stl", 2,
             "--bend L3:30: expected WHICH:ANGLE:*\nUsage: *"},
            {"model @ --thickness 1 --bend L8:30:3 -o DIR/m.stl", 2,
             "--bend L8:30:3: WHICH must be one of L1 *"},
            {"model @ --thickness 1 --bend L3:30:3 --bend=l3:20:2 -o DIR/m.stl", 2,
             "--bend L3 given twice\n*"},
            {"model @ --thickness 1 --bend L3:abc:3 -o DIR/m.stl", 2,
             "invalid input: --bend: The bend angle of Cone L3 is not a number*"},
            {"model @ --thickness 1 --bend L5:90:2 -o DIR/m.stl", 2,
             "invalid input: --bend: The bend angle of Belly L5 needs 90.0° at each joint, more than 60°*"},
            {"model @ --thickness 1 --bend L7:30:3:400 -o DIR/m.stl", 2,
             "invalid input: --bend: The bend direction of Tail L7 must be from 0 to 360°.\n"},
            {"model @ --thickness 1 --bend L1:10:24 -o DIR/m.stl", 2,
             "invalid input: --bend: The number of pieces of Header L1 is too many for its length*"},
            {"model @ --thickness 1 -o /nonexistent/m.stl", 1, "cannot save /nonexistent/m.stl: *"},
            {"", 2, "no command given\nUsage: *"},
        };
        for (const auto &[line, status, expected] : rows)
            QTest::newRow(*line ? line : "(nothing)") << Args(line) << status << expected;
    }
    void prints() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, expected);
        Check(Cli(args), status, expected);
    }

    void worked_examples_data() { examples::AddRows(examples::Declared("cli"), "cli"); }
    void worked_examples() {
        QFETCH(examples::Case, example);
        const QString how = examples::How(example.calculation, "cli"), report = how.section(" > ", 1);
        QStringList args;
        const QStringList words = how.section(" > ", 0, 0).split(' ');
        for (qsizetype i = 0; i < words.size(); ++i) {
            const QString name = words[i].section('{', 1).section('}', 0, 0);
            if (name == "design") {
                for (const auto &[key, text] : example.inputs.asKeyValueRange())
                    if (key != "thickness")
                        args << (key == "straightHeader" ? "--straight-header" : key + '=' + text);
            } else if (!name.isEmpty() && words[i - 1].startsWith("--") && !example.inputs.contains(name)) {
                args.removeLast();
            } else {
                args << QString(words[i]).replace('{' + name + '}', example.inputs.value(name));
            }
        }
        QString expected = report;
        bool shown = example.calculation == "chamber"; // a chamber case lists only the results it checks
        for (const QRegularExpressionMatch &m : QRegularExpression("\\{(\\w+)\\}").globalMatch(report)) {
            const QString text = example.outputs.value(m.captured(1), "*");
            shown |= example.outputs.contains(m.captured(1));
            expected.replace(m.captured(0), m.captured(1) != "warnings" || text.isEmpty() || text == "*"
                                                ? text
                                                : "\nWarnings\n" + text + "\n");
        }
        if (example.outputs.contains("refused"))
            Check(Cli(args), 2,
                  "invalid input: " + Named(example, example.outputs["refused"]).toUtf8() + '\n');
        else if (example.outputs.contains("why"))
            Check(Cli(args), 3, example.outputs["why"].toUtf8() + '\n');
        else
            Check(Cli(args), 0, shown ? expected.toUtf8() : QByteArray());
    }

    // save writes what File > Save Pipe writes into an existing file; a refusal names the key or the reason
    // and leaves the old file as it was.
    void save_writes_as_the_window_does_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("err");
        QTest::addColumn<QByteArray>("saved"); // empty: the old file unchanged
        const QByteArray old = "[Mine]\r\nx=1\r\n[PipeCalcValues]\r\ntiming=",
                         rest = "\r\ngasConstant=300\r\n";
        const std::tuple<const char *, int, QByteArray, QByteArray> rows[] = {
            {"save OUT timing=190 RPM=1e4", 0, "",
             old + "190\r\nRPM=1e4\r\ntemp=\r\nheats=1.360" + rest +
                 "portWindowD=\r\nportLength=\r\nportFlangeD=\r\nportToPipe=1.05\r\nportToMid=3.25\r\n"
                 "portToOutlet=0.6\r\nhornCoefficient=1.25\r\n"},
            {"save OUT --from FILE heats=1.4", 0, "",
             old + "190\r\nRPM=9000\r\ntemp=500\r\nheats=1.4" + rest +
                 "portWindowD=40\r\nportLength=30\r\nportFlangeD=38\r\nportToPipe=1.05\r\nportToMid=3.25\r\n"
                 "portToOutlet=0.6\r\nhornCoefficient=1.25\r\n"},
            {"save OUT timing=5\u20AC", 2,
             "invalid input: timing (\"Port Timing\") holds \u201C\u20AC\u201D, a character that this 8-bit "
             "(Latin-1) file cannot hold\n",
             ""},
            {"save OUT timing=190<LF>RPM=99999", 2,
             "invalid input: timing (\"Port Timing\") holds a line break*", ""},
            {"save OUT rpm=1", 2, "unknown key \"rpm\"; the keys are *", ""},
            {"save OUT --from /nonexistent", 2, "cannot read /nonexistent: no such file\n", ""},
            {"save OUT 190", 2, "expected KEY=TEXT after FILE, got 190\nUsage: quorvane-cli save FILE*", ""},
            {"save", 2, "save needs FILE\nUsage: *", ""},
            {"save DIR", 1, "cannot save *: * is a folder, not a file.\n", ""},
            {"save /proc/pipe.txt", 1,
             "cannot save /proc/pipe.txt: The folder /proc does not take new files.\n", ""},
        };
        for (const auto &[line, status, err, saved] : rows)
            QTest::newRow(line) << Args(QString::fromUtf8(line)) << status << err << saved;
    }
    void save_writes_as_the_window_does() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, err);
        QFETCH(QByteArray, saved);
        const QByteArray old = "[Mine]\r\nx=1\r\n[PipeCalcValues]\r\ntiming=old\r\n";
        QFile out(m_dir.filePath("saved.txt"));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(old) == old.size());
        out.close();
        Check(Cli(args), status, err);
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), saved.isEmpty() ? old : saved);
    }

    // A full disk is reported as a failed write: the file written before survives it byte for byte, with no
    // partial file beside it.
    void full_disk_keeps_the_old_file_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("save") << "pipe.txt"
                              << "save DISK timing=190"
                              << "save DISK timing=" + QString(5000, '9');
        QTest::newRow("model") << "pipe.stl"
                               << "save DISK timing=190"
                               << "model @ --thickness 1 -o DISK";
        QTest::newRow("templates") << "pipe.svg"
                                   << "templates @ --thickness 1 --only L7 -o DISK"
                                   << "templates @ --thickness 1 --pieces 12 --roll-lines 36 -o DISK";
    }
    void full_disk_keeps_the_old_file() {
        QFETCH(QString, name);
        QFETCH(QString, first);
        QFETCH(QString, second);
        scratch::SmallDisk disk;
        if (!disk.mounted())
            QSKIP(qPrintable(disk.error()));
        const QString path = disk.filePath(name);
        QVERIFY(Cli(Args(first).replaceInStrings("DISK", path)).status == 0 && disk.Fill());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        Check(Cli(Args(second).replaceInStrings("DISK", path)), 1,
              "cannot save *: Writing failed: No space left on device.\n");
        QVERIFY(file.seek(0));
        QCOMPARE(file.readAll(), before);
        QCOMPARE(QDir(disk.filePath({})).entryList(QDir::Files), QStringList({"filler", name}));
    }

    // Where the folder takes no new file, only a rewrite in place could save, and a crash midway would spoil
    // the file: the command line has nobody to ask, so it refuses with that reason and leaves the file.
    void a_folder_that_takes_no_file_is_refused() {
        if (::geteuid() != 0)
            QSKIP("acting as another user needs root");
        QTemporaryDir dir;
        const QString path = dir.filePath("pipe.txt");
        const QByteArray old = "[PipeCalcValues]\r\ntiming=1\r\n";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
        QVERIFY(file.setPermissions(QFile::Permissions(0x6666)));
        file.close();
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0755) == 0);
        QProcess process;
        process.setChildProcessModifier([] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(99);
        });
        process.start(QStringLiteral(QUORVANE_CLI_PATH), {"save", path, "timing=190"});
        QVERIFY(process.waitForFinished(60000));
        const CliRun run{process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
        Check(
            run, 1,
            "cannot save *pipe.txt: The folder * does not let a new file be made, so the file could only be "
            "rewritten where it stands, and a crash midway would spoil it.\n");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
    }

    // The manual page, rendered by man and read by lexgrog as the system's tools read it: every command of
    // the help is a subsection of its own, and every line of its help entry is a line of the page, so usage
    // lines and option lines are never run together.
    void manual_page_gives_each_command_its_entry() {
        QTemporaryDir dir;
        const QString page = dir.filePath("quorvane-cli.1");
        QProcess manual;
        manual.setStandardOutputFile(page);
        manual.start(QStringLiteral(QUORVANE_CLI_MANUAL_PATH), {});
        QVERIFY(manual.waitForFinished(60000) && manual.exitCode() == 0);
        QProcess man;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("MANWIDTH", "200");
        env.insert("MAN_KEEP_FORMATTING", "");
        man.setProcessEnvironment(env);
        man.start("sh", {"-c", "man -l \"$0\" | col -bx", page});
        QVERIFY(man.waitForFinished(60000) && man.exitCode() == 0);
        QStringList rendered;
        for (const QString &line : QString::fromUtf8(man.readAllStandardOutput()).split('\n'))
            rendered << line.simplified();
        const QList<QByteArray> help = Cli({"--help"}).out.split('\n');
        QStringList commands;
        bool inCommands = false;
        for (const QByteArray &line : help) {
            inCommands = line == "Commands:" || (inCommands && !(!line.isEmpty() && line[0] != ' '));
            if (!inCommands || line.trimmed().isEmpty() || line == "Commands:")
                continue;
            const QString text = QString::fromUtf8(line).simplified();
            if (line.startsWith("  ") && line[2] != ' ') {
                commands.append(text.section(' ', 0, 0));
                QVERIFY2(rendered.contains("quorvane-cli " + text) ||
                             // a usage line the help continues on the next line reads as one line here
                             std::any_of(rendered.begin(), rendered.end(),
                                         [&](const QString &r) {
                                             return r.startsWith("quorvane-cli " + text + " [");
                                         }),
                         qPrintable(text));
            } else {
                QVERIFY2(std::any_of(rendered.begin(), rendered.end(),
                                     [&](const QString &r) { return r == text || r.endsWith(' ' + text); }),
                         qPrintable(text));
            }
        }
        commands.removeDuplicates();
        QCOMPARE(commands.size(), 15);
        for (const QString &command : commands)
            QCOMPARE(rendered.count(command), 1); // the subsection's heading
        QCOMPARE(rendered.count("-o FILE the output; \"-\" writes SVG or DXF to stdout"), 1);
        QProcess lexgrog;
        lexgrog.start("lexgrog", {page});
        QVERIFY(lexgrog.waitForFinished(60000) && lexgrog.exitCode() == 0);
        QCOMPARE(lexgrog.readAllStandardOutput(),
                 page.toUtf8() +
                     ": \"quorvane-cli - expansion chamber and engine calculations from the command "
                     "line\"\n");
    }

    // Bash completion as bash runs it, with compopt recorded: the commands and each command's options come
    // from the help; a finished option gets its space, a key= none, so its value follows at once.
    void completion_data() {
        QTest::addColumn<QString>("line"); // the words typed, the last one being completed
        QTest::addColumn<QString>("offered");
        QTest::addColumn<bool>("space");
        QTest::newRow("command") << "port-t"
                                 << "port-timing" << true;
        QTest::newRow("commands") << "c"
                                  << "chamber convert cone" << true;
        QTest::newRow("finished option") << "chamber --j"
                                         << "--json" << true;
        QTest::newRow("key") << "chamber tim"
                             << "timing=" << false;
        QTest::newRow("key of a command that refers to chamber's") << "save hornC"
                                                                   << "hornCoefficient=" << false;
        QTest::newRow("option with a value") << "templates --pap"
                                             << "--paper" << true;
        QTest::newRow("its values") << "templates --paper a"
                                    << "a4 a3" << true;
        QTest::newRow("short option") << "templates -o"
                                      << "-o" << true;
        QTest::newRow("options of a calculator") << "port-area --k"
                                                 << "--k1 --k2" << true;
        QTest::newRow("a kind") << "convert mm"
                                << "mm-to-inch" << true;
    }
    void completion() {
        QFETCH(QString, line);
        QFETCH(QString, offered);
        QFETCH(bool, space);
        QTemporaryDir empty; // no file names to offer
        QProcess bash;
        bash.setWorkingDirectory(empty.path());
        bash.start("bash",
                   {"-c",
                    // the script sends compopt's complaints to /dev/null, so the record goes to stdout
                    "source \"$0\"; compopt() { echo \"compopt $*\"; }; COMP_WORDS=(\"$1\" $2); "
                    "COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _quorvane_cli; echo \"${COMPREPLY[*]}\"",
                    QStringLiteral(QUORVANE_COMPLETION_PATH), QStringLiteral(QUORVANE_CLI_PATH), line});
        QVERIFY(bash.waitForFinished(60000) && bash.exitCode() == 0);
        const QStringList out = QString::fromUtf8(bash.readAllStandardOutput()).trimmed().split('\n');
        QCOMPARE(out.last(), offered);
        QCOMPARE(!out.contains("compopt -o nospace"), space);
    }

    // The model's file is core's solid byte for byte, and the report core's figures; "-o -" sends the
    // solid to stdout and the report to stderr.
    void model_writes_the_bent_chamber() {
        const QString plan = "--bend L3:90:5 --bend L6:60:4:90 --bend L7:45:6:180";
        const CliRun run = Cli(Args("model @ --thickness 1.5 " + plan + " -o " + m_dir.filePath("m.stl")));
        QCOMPARE(run.status, 0);
        const PipeInputs inputs{190, 10000, 500, 1.36, 300, 40, 30, 38, 1.05, 3.25, 0.6, 1.25, false};
        std::vector<PipeSection> sections = InFlowOrder(ChamberSections(inputs, ComputeChamber(inputs)));
        std::vector<BendWarning> warnings;
        QVERIFY(!ApplyBendPlan(
            sections, {{"L3", {"90", "5", "0"}}, {"L6", {"60", "4", "90"}}, {"L7", {"45", "6", "180"}}}, 1.5,
            &warnings));
        const AssembledPipe pipe = AssemblePipe(sections, {1.5});
        const std::string bytes = StlBytes(PipeMesh(pipe));
        QFile file(m_dir.filePath("m.stl"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll() == QByteArray::fromStdString(bytes));
        const QString report = QString::fromUtf8(run.out);
        QVERIFY2(report.startsWith(QString::fromStdString(PipeFigures(pipe))), run.out.constData());
        QCOMPARE(report.count("Warning: "), qsizetype(warnings.size()));
        QVERIFY(report.endsWith(QString("Wrote %1: %2 facets, %3 bytes\n")
                                    .arg(file.fileName(), FormatFixed((bytes.size() - 84) / 50.0, 0).c_str(),
                                         FormatFixed(double(bytes.size()), 0).c_str())));
        const CliRun piped = Cli(Args("model @ --thickness 1.5 " + plan + " -o -"));
        QCOMPARE(piped.status, 0);
        QVERIFY(piped.out == QByteArray::fromStdString(bytes));
        QVERIFY(piped.err.startsWith("Envelope: ") && !piped.err.contains("Wrote"));
    }

    // A file name is bytes: one that is not UTF-8 is written and read like any other.
    void file_names_need_not_be_utf8() {
        QProcess shell;
        shell.start("/bin/sh", {"-c",
                                "n=\"$(printf '%s/p\\377.txt' \"$2\")\" && \"$1\" save \"$n\" "
                                "timing=190 RPM=10000 temp=500 portWindowD=40 portLength=30 "
                                "portFlangeD=38 && \"$1\" chamber \"$n\"; s=$?; rm -f \"$n\"; exit $s",
                                "sh", QStringLiteral(QUORVANE_CLI_PATH), m_dir.path()});
        QVERIFY(shell.waitForFinished(30000));
        QCOMPARE(shell.readAllStandardError(), QByteArray());
        QVERIFY(shell.readAllStandardOutput().endsWith("Tuned Length mm\n889.27\n"));
    }

    void json_carries_core_values_bit_for_bit_data() {
        QTest::addColumn<QStringList>("args");
        for (const char *line : {"chamber @ --json", "chamber @ portLength=100 portFlangeD=45 --json",
                                 "chamber @ RPM=12500.5 --straight-header --json"})
            QTest::newRow(line) << Args(line);
    }
    void json_carries_core_values_bit_for_bit() {
        QFETCH(QStringList, args);
        const QJsonObject json = QJsonDocument::fromJson(Cli(args).out).object();
        PipeTexts texts = InitialPipeTexts();
        for (const QString &arg : args.filter("="))
            texts[std::size_t(*FieldByKey(arg.split('=')[0].toStdString()))] =
                arg.split('=')[1].toStdString();
        const auto core = ComputeChamber(ParsePipeInputs(texts, args.contains("--straight-header")));
        // Lists compare their doubles exactly, unlike QCOMPARE on two doubles.
        QList<double> got{json["tunedLength"].toDouble(), json["totalLength"].toDouble()};
        QList<double> want{core.tunedLength, core.totalLength};
        for (const char *key : {"D", "L", "coneAngle"})
            for (const QJsonValue &v : json[key].toArray())
                got << v.toDouble();
        want << QList<double>(core.D.begin(), core.D.end()) << QList<double>(core.L.begin(), core.L.end())
             << QList<double>(core.coneAngle.begin(), core.coneAngle.end());
        for (const QJsonValue &c : json["coneList"].toArray())
            got << c["baseDiameter"].toDouble() << c["tipDiameter"].toDouble()
                << c["centreLength"].toDouble();
        for (const ConeRecord &c : ConeListOf(core))
            want << c.baseDiameter << c.tipDiameter << c.centreLength;
        QCOMPARE(got, want);
        QCOMPARE(json["portLengthFlagged"].toBool(), core.portLengthFlagged);
        QCOMPARE(json["warningText"].toString(), QString::fromStdString(core.warningText));
    }

    // The sweep, the events and the band as core works them out, unrounded.
    void timing_json_carries_core_values_bit_for_bit() {
        const QJsonObject json =
            QJsonDocument::fromJson(Cli(Args("timing @ portLength=100 --transfer 120.5 --json")).out)
                .object();
        PipeTexts texts = InitialPipeTexts();
        for (const QString &arg : Args("@ portLength=100"))
            texts[std::size_t(*FieldByKey(arg.split('=')[0].toStdString()))] =
                arg.split('=')[1].toStdString();
        const PipeInputs in = ParsePipeInputs(texts, false);
        const WaveModel model = WaveModelOf(in, ComputeChamber(in), 120.5);
        const std::vector<SweepRow> rows = Sweep(model, 6000, 14000, 500);
        const std::optional<RpmBand> band = PluggingBand(model);
        QList<double> got{json["speedOfSound"].toDouble(), json["designRpm"].toDouble(),
                          json["events"]["TC"].toDouble(), json["pluggingBand"]["from"].toDouble(),
                          json["pluggingBand"]["to"].toDouble()};
        QList<double> want{model.speedOfSound, 10000, 180 + 120.5 / 2, band->from, band->to};
        const char *const keys[] = {"diffuserStart", "diffuserEnd", "baffleStart", "baffleEnd"};
        for (const char *key : keys)
            got << json["stations"][key].toDouble();
        want << QList<double>(model.stations.begin(), model.stations.end());
        QCOMPARE(json["rows"].toArray().size(), qsizetype(rows.size()));
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const QJsonValue row = json["rows"][qsizetype(i)];
            got << row["rpm"].toDouble();
            want << rows[i].rpm;
            for (std::size_t s = 0; s < kStationCount; ++s) {
                got << row["arrival"][keys[s]].toDouble();
                want << rows[i].arrival[s];
            }
        }
        QCOMPARE(got, want);
        QCOMPARE(json["pluggingBand"].isNull(), false);
        QVERIFY(QJsonDocument::fromJson(Cli(Args("timing @ --json")).out)["pluggingBand"].isNull());
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
