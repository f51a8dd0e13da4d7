// SPDX-License-Identifier: GPL-3.0-or-later
#include "chamber.h"
#include "dxfpattern.h"
#include "numeric.h"
#include "pattern.h"
#include "pipeinputs.h"
#include "pipemodel.h"
#include "quorvane_version.h"
#include "stlfile.h"
#include "svgpattern.h"
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

#include "scratchdisk.h"

#include <algorithm>
#include <numbers>

#include <sys/stat.h>

using namespace quorvane;

namespace {

// quorvane-cli run as a process, as a user or a script runs it, as user nobody when asked: its exit
// status (-1 when it did not end by itself within a minute) and what it wrote.
struct CliRun {
    int status = -1;
    QByteArray out, err;
};

CliRun Cli(const QStringList &args, bool asNobody = false) {
    QProcess process;
    if (asNobody)
        process.setChildProcessModifier([] {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(99);
        });
    process.start(QStringLiteral(QUORVANE_CLI_PATH), args);
    const bool ended = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}

// What another program (an independent reader, man, bash) writes on stdout; nothing when it fails.
QByteArray Output(const QString &program, const QStringList &args) {
    QProcess process;
    process.start(program, args);
    const bool ok = process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
                    process.exitCode() == 0;
    return ok ? process.readAllStandardOutput() : QByteArray();
}

bool SaysNanOrInf(const QByteArray &text) {
    return QString(text).contains(
        QRegularExpression("\\b(nan|inf|infinity)\\b", QRegularExpression::CaseInsensitiveOption));
}

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
    QVERIFY(!SaysNanOrInf(text));
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

// The independent reader's report on a template file, tests/tools/templatecheck.py run with `args`.
QJsonObject TemplateCheck(const QStringList &args) {
    const QString script = QStringLiteral(QUORVANE_SOURCE_DIR) + "/tests/tools/templatecheck.py";
    return QJsonDocument::fromJson(Output("/usr/bin/python3", QStringList{script} + args)).object();
}

// The worked example's chamber as core works it out: what the files must hold.
const PipeInputs kExample{190, 10000, 500, 1.36, 300, 40, 30, 38, 1.05, 3.25, 0.6, 1.25, false};
std::vector<Section> ExampleSections() {
    return ChamberSections(kExample, ComputeChamber(kExample));
}

// The inputs' texts as the KEY=TEXT words of a command line leave them.
PipeTexts TextsOf(const QStringList &args) {
    PipeTexts texts = InitialPipeTexts();
    for (const QString &arg : args.filter("="))
        texts[std::size_t(*FieldByKey(arg.section('=', 0, 0).toStdString()))] =
            arg.section('=', 1).toStdString();
    return texts;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    // A command line split at blanks: @ is the worked example's inputs, FILE a saved file, OUT the file save
    // writes, NO.ext a file a refusal must not write, DIR this test's folder, '' an empty word.
    QStringList Args(QString line) const {
        line.replace("@", "timing=190 RPM=10000 temp=500 portWindowD=40 portLength=30 portFlangeD=38")
            .replace("NO.", m_dir.filePath("refused."))
            .replace("FILE", m_dir.filePath("pipe.txt"))
            .replace("OUT", m_dir.filePath("saved.txt"))
            .replace("DIR", m_dir.path());
        return line.split(' ', Qt::SkipEmptyParts)
            .replaceInStrings(QRegularExpression("^''$"), QString())
            .replaceInStrings("<LF>", "\n");
    }

  private slots:
    void initTestCase() {
        // User nobody may pass through the folder but not add a file to it.
        QVERIFY(::chmod(QFile::encodeName(m_dir.path()).constData(), 0755) == 0);
        QFile file(m_dir.filePath("pipe.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        // The example at RPM 9000, with a key in other case; an empty heats must leave 1.360 as it was.
        file.write("[Other]\r\nRPM=3000\r\n[PipeCalcValues]\r\nTIMING=190\r\nRPM=9000\r\ntemp=500\r\n"
                   "portWindowD=40\r\nportLength=30\r\nportFlangeD=38\r\nheats=\r\n");
    }

    // Each refusal names the option or input with the reason, and writes nothing; the bounds themselves are
    // core's to pin.
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
            {"chamber /dev/zero", 2, "cannot read /dev/zero: /dev/zero is not an ordinary file*"},
            {"chamber a.txt b.txt", 2, "more than one FILE: a.txt, b.txt\nUsage: *"},
            {"flatcone @ --batch", 2, "--batch needs --thickness T\nUsage: *"},
            {"port-area 40 30 --k2 3", 2, "--k2 must be 1 or 2\nUsage: *"},
            {"port-width 30", 2, "expected 2 arguments, got 1\nUsage: quorvane-cli port-width CURVED BORE*"},
            {"chamber @ --jsn", 2, "unknown option --jsn\nUsage: *"},
            {"pipe", 2, "unknown command pipe\nUsage: *"},
            {"", 2, "no command given\nUsage: *"},
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
             "exhaust temperature, reflected at fixed stations.\n"},
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
            {"timing @ --rpm 1:2", 2, "--rpm takes FROM:TO:STEP\nUsage: quorvane-cli timing *"},
            {"timing @ timing=190x RPM=", 2, "invalid input: RPM (*"},
            {"reverse --length 889.271 --timing 190 --temp 500", 0, "Tuned RPM = 10,000\nAn estimate: *\n"},
            {"reverse --length 889.271 --timing 190 --rpm 10000", 0, "Exhaust temperature C = 500.00\n*"},
            {"reverse --timing 190 --rpm 10000 --length 30+58.93+244.55+162.74+81.81+97.82+213.43 "
             "--heats 1.4 --gas-constant 287",
             0, "Exhaust temperature C = 511.95\n*"},
            {"reverse --length 0 --timing 190 --temp 500", 2,
             "invalid input: --length: The length must be more than 0 mm.\n"},
            {"reverse --length 900 --timing 0.5 --temp 500", 2,
             "invalid input: --timing: *between 1 and 359*"},
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
            {"model @ -o NO.stl", 2, "model needs --thickness T and -o FILE\nUsage: quorvane-cli model *"},
            {"model @ --thickness 1,5 -o NO.stl", 2,
             "invalid input: --thickness: the sheet thickness must be *"},
            {"model @ --thickness 0 -o NO.stl", 2, "invalid input: --thickness: *more than 0*"},
            {"model @ --thickness 1 -o NO.stl --bend", 2,
             "option --bend needs WHICH:ANGLE:PIECES[:DIRECTION]\n*"},
            {"model @ --thickness 1 --bend L3:30 -o NO.stl", 2,
             "--bend L3:30: expected WHICH:ANGLE:*\nUsage: *"},
            {"model @ --thickness 1 --bend L8:30:3 -o NO.stl", 2,
             "--bend L8:30:3: WHICH must be one of L1 *"},
            {"model @ --thickness 1 --bend L3:30:3 --bend=l3:20:2 -o NO.stl", 2, "--bend L3 given twice\n*"},
            {"model @ --thickness 1 --bend L3:abc:3 -o NO.stl", 2,
             "invalid input: --bend: The bend angle of Cone L3 is not a number*"},
            {"model @ --thickness 1 --bend L7:30:3:400 -o NO.stl", 2,
             "invalid input: --bend: The bend direction of Tail L7 must be from 0 to 360°.\n"},
            {"model @ --thickness 1 --bend L1:10:24 -o NO.stl", 2,
             "invalid input: --bend: The number of pieces of Header L1 is too many for its length*"},
            {"model @ --thickness 1 -o /nonexistent/m.stl", 1, "cannot save /nonexistent/m.stl: *"},
            {"templates @ --thickness= -o NO.pdf", 2,
             "invalid option --thickness: Type the sheet thickness.\n"},
            {"templates @ --thickness -1 -o NO.pdf", 2,
             "invalid option --thickness: The sheet thickness must be a number from 0*"},
            {"templates @ --thickness 1 --k-factor 0.2 -o NO.pdf", 2, "invalid option --k-factor: *"},
            {"templates @ --thickness 1 --k-factor 0.4 --mid-thickness -o NO.pdf", 2,
             "invalid option --mid-thickness: *"},
            {"templates @ --thickness 1 --diameters outside -o NO.pdf", 2,
             "invalid option --diameters: the chamber's diameters are inside diameters*"},
            {"templates @ --thickness 1 --overlap 64 -o NO.pdf", 2,
             "invalid option --overlap: The page overlap must be at most 63.3*"},
            {"templates @ --thickness 1 --pieces 13 -o NO.pdf", 2, "invalid option --pieces: *"},
            {"templates @ --thickness 1 --seam-allowance 51 -o NO.pdf", 2,
             "invalid option --seam-allowance: *"},
            {"templates @ --thickness 1 --roll-lines 1.5 -o NO.pdf", 2, "invalid option --roll-lines: *"},
            {"templates @ --thickness 1 --paper b5 -o NO.pdf", 2, "invalid option --paper: *"},
            {"templates @ --thickness 1 -o NO.txt", 2, "invalid option --format: *"},
            {"templates @ --thickness 1 -o -", 2, "invalid option --format: *"},
            {"templates @ --thickness 1 --format pdf -o -", 2,
             "invalid option --format: a PDF goes to a file*"},
            {"templates @ --thickness 1 --only L8 -o NO.pdf", 2,
             "invalid option --only: no section \"l8\"; the sections are L1, L2*"},
            {"templates --thickness 1 -o NO.pdf --cone 120 80", 2, "option --cone needs BASE TIP HEIGHT\n*"},
            {"templates @ -o NO.pdf", 2, "templates needs --thickness T and -o FILE\nUsage: *"},
            {"templates @ --thickness 1 -o DIR/none/x.svg", 1, "cannot save *"},
            {"templates @ --thickness 1 RPM=40000 -o NO.pdf", 3, "The RPM is too large*"},
            {"templates --thickness 1 --cone 3000 2000 2000 -o NO.pdf", 2,
             "invalid option --paper: Cone, piece 1 of 1 would take *"},
            // A bend refused names the section and why; a bend of a section there is not is refused too.
            {"templates --thickness 1 --cone 60 40 150 --bend 1:170:2 -o NO.svg", 2,
             "invalid option --bend: The bend angle of Cone needs 170.0° at each joint*"},
            {"templates --thickness 1 --cone 60 40 150 --bend 2:30:3 -o NO.svg", 2,
             "invalid option --bend: There is no section 2 to bend*"},
            {"templates --thickness 1 --cone 60 40 150 --bend 1:30:x -o NO.svg", 2,
             "invalid option --bend: The number of pieces of Cone is not a number*"},
            {"templates --thickness 1 --cone 60 40 150 --bend 1:30:3 --bend-layout both -o NO.svg", 2,
             "invalid option --bend-layout: give blank or pieces.\n"},
            {"templates --thickness 1 --cone 60 40 150 --bend 1:30:3 --bend 1:20:3 -o NO.svg", 2,
             "invalid option --bend: 1 is given twice.\n"},
        };
        for (const auto &[line, status, expected] : rows)
            QTest::newRow(*line ? line : "(nothing)") << Args(line) << status << expected;
    }
    void prints() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, expected);
        Check(Cli(args), status, expected);
        QCOMPARE(QDir(m_dir.path()).entryList({"refused*", "none"}), QStringList());
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
    // and leaves the old file as it was. Where the folder takes no new file (user nobody's case), only a
    // rewrite in place could save, and a crash midway would spoil the file: the command line has nobody to
    // ask, so it refuses with that reason.
    void save_writes_as_the_window_does_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("err");
        QTest::addColumn<QByteArray>("saved"); // empty: the old file unchanged
        QTest::addColumn<bool>("asNobody");
        const QByteArray old = "[Mine]\r\nx=1\r\n[PipeCalcValues]\r\ntiming=",
                         rest = "\r\ngasConstant=300\r\n";
        const QByteArray ratios =
            "portToPipe=1.05\r\nportToMid=3.25\r\nportToOutlet=0.6\r\nhornCoefficient=1.25\r\n";
        const struct {
            const char *line;
            int status;
            QByteArray err, saved = {};
            bool asNobody = false;
        } rows[] = {
            {"save OUT timing=190 RPM=1e4", 0, "",
             old + "190\r\nRPM=1e4\r\ntemp=\r\nheats=1.360" + rest +
                 "portWindowD=\r\nportLength=\r\nportFlangeD=\r\n" + ratios},
            {"save OUT --from FILE heats=1.4", 0, "",
             old + "190\r\nRPM=9000\r\ntemp=500\r\nheats=1.4" + rest +
                 "portWindowD=40\r\nportLength=30\r\nportFlangeD=38\r\n" + ratios},
            {"save OUT timing=5\u20AC", 2,
             "invalid input: timing (\"Port Timing\") holds \u201C\u20AC\u201D, a character that this 8-bit "
             "(Latin-1) file cannot hold\n"},
            {"save OUT timing=190<LF>RPM=99999", 2,
             "invalid input: timing (\"Port Timing\") holds a line break*"},
            {"save OUT rpm=1", 2, "unknown key \"rpm\"; the keys are *"},
            {"save OUT --from /nonexistent", 2, "cannot read /nonexistent: no such file\n"},
            {"save OUT 190", 2, "expected KEY=TEXT after FILE, got 190\nUsage: quorvane-cli save FILE*"},
            {"save", 2, "save needs FILE\nUsage: *"},
            {"save DIR", 1, "cannot save *: * is a folder, not a file.\n"},
            {"save /proc/pipe.txt", 1,
             "cannot save /proc/pipe.txt: The folder /proc does not take new files.\n"},
            {"save OUT timing=190", 1,
             "cannot save *saved.txt: The folder * does not let a new file be made, so the file could only "
             "be "
             "rewritten where it stands, and a crash midway would spoil it.\n",
             "", true},
        };
        for (const auto &row : rows)
            QTest::newRow(row.line) << Args(row.line) << row.status << row.err << row.saved << row.asNobody;
    }
    void save_writes_as_the_window_does() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, err);
        QFETCH(QByteArray, saved);
        QFETCH(bool, asNobody);
        if (asNobody && ::geteuid() != 0)
            QSKIP("acting as another user needs root");
        const QByteArray old = "[Mine]\r\nx=1\r\n[PipeCalcValues]\r\ntiming=old\r\n";
        QFile out(m_dir.filePath("saved.txt"));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(old) == old.size());
        QVERIFY(out.setPermissions(QFile::Permissions(0x6666)));
        out.close();
        Check(Cli(args, asNobody), status, err);
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), saved.isEmpty() ? old : saved);
    }

    // A full disk is reported as a failed write: the file written before survives it byte for byte, with no
    // partial file beside it.
    void full_disk_keeps_the_old_file_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        const std::tuple<const char *, const char *, QString> rows[] = {
            {"pipe.txt", "save DISK timing=190", "save DISK timing=" + QString(5000, '9')},
            {"pipe.stl", "save DISK timing=190", "model @ --thickness 1 -o DISK"},
            {"pipe.svg", "templates @ --thickness 1 --only L7 -o DISK",
             "templates @ --thickness 1 --pieces 12 --roll-lines 36 -o DISK"},
        };
        for (const auto &[name, first, second] : rows)
            QTest::newRow(QString(second).section(' ', 0, 0).toUtf8())
                << QString(name) << QString(first) << second;
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

    // The manual page, rendered by man and read by lexgrog as the system's tools read it: every command of
    // the help is a subsection of its own, and every line of its help entry is a line of the page, so usage
    // lines and option lines are never run together.
    void manual_page_gives_each_command_its_entry() {
        const QString page = m_dir.filePath("quorvane-cli.1");
        QVERIFY(QProcess::execute("sh", {"-c", "\"$0\" > \"$1\"", QUORVANE_CLI_MANUAL_PATH, page}) == 0);
        QStringList rendered;
        for (const QString &line :
             QString::fromUtf8(
                 Output("sh", {"-c", "MANWIDTH=200 MAN_KEEP_FORMATTING= man -l \"$0\" | col -bx", page}))
                 .split('\n'))
            rendered << line.simplified();
        const auto shown = [&](auto matches) {
            return std::any_of(rendered.begin(), rendered.end(), matches);
        };
        QStringList commands;
        bool inCommands = false;
        for (const QByteArray &line : Cli({"--help"}).out.split('\n')) {
            inCommands = line == "Commands:" || (inCommands && (line.isEmpty() || line[0] == ' '));
            if (!inCommands || line.trimmed().isEmpty() || line == "Commands:")
                continue;
            const QString text = QString::fromUtf8(line).simplified(), usage = "quorvane-cli " + text;
            const bool isUsage = line.startsWith("  ") && line[2] != ' ';
            if (isUsage)
                commands.append(text.section(' ', 0, 0));
            // A usage line the help continues on the next line reads as one line here.
            QVERIFY2(isUsage
                         ? shown([&](const QString &r) { return r == usage || r.startsWith(usage + " ["); })
                         : shown([&](const QString &r) { return r == text || r.endsWith(' ' + text); }),
                     qPrintable(text));
        }
        commands.removeDuplicates();
        QCOMPARE(commands.size(), 15);
        for (const QString &command : commands)
            QCOMPARE(rendered.count(command), 1); // the subsection's heading
        QCOMPARE(rendered.count("-o FILE the output; \"-\" writes SVG or DXF to stdout"), 1);
        QCOMPARE(Output("lexgrog", {page}),
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
        const std::tuple<const char *, const char *, const char *, bool> rows[] = {
            {"command", "port-t", "port-timing", true},
            {"commands", "c", "chamber convert cone", true},
            {"finished option", "chamber --j", "--json", true},
            {"key", "chamber tim", "timing=", false},
            {"key of a command that refers to chamber's", "save hornC", "hornCoefficient=", false},
            {"option with a value", "templates --pap", "--paper", true},
            {"its values", "templates --paper a", "a4 a3", true},
            {"short option", "templates -o", "-o", true},
            {"options of a calculator", "port-area --k", "--k1 --k2", true},
            {"a kind", "convert mm", "mm-to-inch", true},
        };
        for (const auto &[tag, line, offered, space] : rows)
            QTest::newRow(tag) << QString(line) << QString(offered) << space;
    }
    void completion() {
        QFETCH(QString, line);
        QFETCH(QString, offered);
        QFETCH(bool, space);
        QTemporaryDir empty; // no file names to offer
        // The script sends compopt's complaints to /dev/null, so the record goes to stdout.
        const QStringList out =
            QString::fromUtf8(
                Output("bash", {"-c",
                                "cd \"$3\" && source \"$0\"; compopt() { echo \"compopt $*\"; }; "
                                "COMP_WORDS=(\"$1\" $2); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
                                "_quorvane_cli; echo \"${COMPREPLY[*]}\"",
                                QStringLiteral(QUORVANE_COMPLETION_PATH), QStringLiteral(QUORVANE_CLI_PATH),
                                line, empty.path()}))
                .trimmed()
                .split('\n');
        QCOMPARE(out.last(), offered);
        QCOMPARE(!out.contains("compopt -o nospace"), space);
    }

    // The model's file is core's solid byte for byte, and the report core's figures; "-o -" sends the
    // solid to stdout and the report to stderr.
    void model_writes_the_bent_chamber() {
        const QString plan =
            "model @ --thickness 1.5 --bend L3:90:5 --bend L6:60:4:90 --bend L7:45:6:180 -o ";
        const CliRun run = Cli(Args(plan + "DIR/m.stl"));
        QCOMPARE(run.status, 0);
        std::vector<PipeSection> sections = InFlowOrder(ExampleSections());
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
        const CliRun piped = Cli(Args(plan + "-"));
        QCOMPARE(piped.status, 0);
        QVERIFY(piped.out == QByteArray::fromStdString(bytes));
        QVERIFY(piped.err.startsWith("Envelope: ") && !piped.err.contains("Wrote"));
    }

    // A file name is bytes: one that is not UTF-8 is written and read like any other.
    void file_names_need_not_be_utf8() {
        const QByteArray shown =
            Output("/bin/sh", {"-c",
                               "n=\"$(printf '%s/p\\377.txt' \"$2\")\" && { \"$1\" save \"$n\" $3 && "
                               "\"$1\" chamber \"$n\"; } 2>&1; s=$?; rm -f \"$n\"; exit $s",
                               "sh", QStringLiteral(QUORVANE_CLI_PATH), m_dir.path(), Args("@").join(' ')});
        QVERIFY(shown.endsWith("Tuned Length mm\n889.27\n"));
        QCOMPARE(shown, Cli(Args("chamber @")).out); // nothing said on the way
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
        const auto core = ComputeChamber(ParsePipeInputs(TextsOf(args), args.contains("--straight-header")));
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
        const QStringList args = Args("timing @ portLength=100 --transfer 120.5 --json");
        const QJsonObject json = QJsonDocument::fromJson(Cli(args).out).object();
        const PipeInputs in = ParsePipeInputs(TextsOf(args), false);
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

    // What goes to a file or standard output is exactly what the writers make of core's templates.
    void templates_are_the_writers_output_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("expected");
        const auto example = BuildTemplates(ExampleSections(), {1.5}).patterns;
        const std::tuple<const char *, const char *, std::string> rows[] = {
            {"svg to stdout", "--thickness 1.5 -o - --format svg", PatternSvg(example)},
            {"dxf to stdout", "--thickness=1.5 --format DXF -o -", PatternDxf(example)},
            {"dxf by the file's extension", "--thickness 1.5 -o DIR/out.dxf", PatternDxf(example)},
            {"only two, in chamber order", "--thickness 1.5 --only l6,L2 -o - --format svg",
             PatternSvg({example[1], example[5]})},
            // A drawing has no pages: an overlap no page could have does not stop it.
            {"dxf ignores the pages", "--thickness 1 --overlap 500 -o - --format dxf",
             PatternDxf(BuildTemplates(ExampleSections(), {1.0}).patterns)},
        };
        for (const auto &[tag, line, expected] : rows)
            QTest::newRow(tag) << "templates @ " + QString(line) << QByteArray::fromStdString(expected);
    }
    void templates_are_the_writers_output() {
        QFETCH(QString, line);
        QFETCH(QByteArray, expected);
        const CliRun run = Cli(Args(line));
        QCOMPARE(run.status, 0);
        QCOMPARE(run.err, QByteArray());
        QFile written(m_dir.filePath("out.dxf"));
        QCOMPARE(line.contains("DIR") && written.open(QIODevice::ReadOnly) ? written.readAll() : run.out,
                 expected);
    }

    // Every cone piece in every file is a true annular sector, read back by readers of our own choosing
    // (ezdxf, with its audit; the SVG's path data; poppler for the PDF, one plotter page per piece) and
    // compared with the radii and sweep of the rolled cone worked out here: R1 = r1 / sin(beta), r1 the
    // sheet's middle in the base's plane, d/2 + t/2 / cos(beta); R2 = R1 - slant; sweep 360 sin(beta) / n.
    // The drawings carry exact coordinates: their arcs' centre, radii and sweeps, and the lines through
    // the apex, are checked directly. The PDF's are good to a micrometre, too coarse to find an apex
    // hundreds of mm away: its pieces are measured as on paper, by chords, sagittas and edge lengths.
    void cut_outlines_read_back_as_true_sectors_data() {
        QTest::addColumn<QString>("line");
        QTest::newRow("chamber, 1 mm") << "@ --thickness 1 --roll-lines 2";
        QTest::newRow("chamber, 1.5 mm, two pieces") << "@ --thickness 1.5 --pieces 2 --roll-lines 3";
        QTest::newRow("cone 120 80 150") << "--thickness 1 --cone 120 80 150";
        QTest::newRow("cone 60 40 150") << "--thickness 1 --roll-lines 4 --cone 60 40 150";
        QTest::newRow("cone 100 1 1") << "--thickness 1 --cone 100 1 1";
    }
    void cut_outlines_read_back_as_true_sectors() {
        QFETCH(QString, line);
        const QStringList words = line.split(' ');
        const double thickness = words[words.indexOf("--thickness") + 1].toDouble();
        const int pieces = words.contains("--pieces") ? words[words.indexOf("--pieces") + 1].toInt() : 1;
        const qsizetype cone = words.indexOf("--cone");
        const std::vector<Section> sections =
            cone < 0 ? ExampleSections()
                     : std::vector<Section>{{"Cone", words[cone + 1].toDouble(), words[cone + 2].toDouble(),
                                             words[cone + 3].toDouble()}};
        struct Expected {
            double outer, inner, sweep, slant;
        };
        std::vector<Expected> expected; // per cone piece, in the order of the drawings
        for (const Section &s : sections) {
            if (s.isCylinder())
                continue;
            const double beta = std::atan((s.baseDiameter - s.tipDiameter) / 2 / s.centreLength);
            const double outer = (s.baseDiameter / 2 + thickness / 2 / std::cos(beta)) / std::sin(beta);
            const double slant = std::hypot(s.centreLength, (s.baseDiameter - s.tipDiameter) / 2);
            for (int i = 0; i < pieces; ++i)
                expected.push_back({outer, outer - slant, 360 * std::sin(beta) / pieces, slant});
        }
        QList<QPointF> apexes[2]; // DXF's and SVG's, piece by piece
        for (const QString format : {"dxf", "svg", "pdf"}) {
            const QString file = m_dir.filePath("sector." + format);
            QCOMPARE(Cli(Args("templates " + line + " --paper plotter -o DIR/sector." + format)).status, 0);
            QList<QJsonObject> outlines;
            const int drawn = int(sections.size()) * pieces;
            for (int page = 0; page < (format == "pdf" ? drawn : 1); ++page) {
                const QJsonObject report =
                    TemplateCheck(QStringList{format, file} +
                                  (format == "pdf" ? QStringList{QString::number(page + 2)} : QStringList()));
                QVERIFY(!report.isEmpty());
                if (format == "dxf") {
                    QCOMPARE(report["audit_errors"].toInt(), 0);
                    QCOMPARE(report["audit_fixes"].toInt(), 0);
                    QCOMPARE(report["cut_entities"].toInt(), 0); // no loose lines and arcs: one contour each
                }
                for (const QJsonValue outline : report["outlines"].toArray())
                    outlines << outline.toObject();
            }
            QCOMPARE(int(outlines.size()), drawn);
            std::size_t next = 0;
            for (const QJsonObject &outline : outlines) {
                QVERIFY(outline["closed"].toBool());
                const QJsonArray arcs = outline["arcs"].toArray();
                if (arcs.isEmpty())
                    continue; // a cylinder's rectangle
                QCOMPARE(arcs.size(), 2);
                const Expected &want = expected.at(next++);
                if (format != "pdf")
                    apexes[format == "svg"]
                        << QPointF(arcs[0].toObject()["cx"].toDouble(), arcs[0].toObject()["cy"].toDouble());
                const double radii[] = {want.outer, want.inner};
                if (format == "pdf") {
                    const double half = want.sweep / 2 * std::numbers::pi / 180;
                    for (int i = 0; i < 2; ++i) {
                        const QJsonObject arc = arcs[i].toObject();
                        QVERIFY(std::fabs(arc["chord"].toDouble() - 2 * radii[i] * std::sin(half)) < 0.01);
                        QVERIFY(std::fabs(arc["sagitta"].toDouble() - radii[i] * (1 - std::cos(half))) <
                                0.01);
                    }
                    for (const QJsonValue edge : outline["lines"].toArray())
                        QVERIFY(std::fabs(edge.toObject()["length"].toDouble() - want.slant) < 0.01);
                    continue;
                }
                for (int i = 0; i < 2; ++i) {
                    const QJsonObject arc = arcs[i].toObject();
                    const double r = arc["r"].toDouble();
                    QVERIFY2(std::fabs(r - radii[0]) < 0.01 || std::fabs(r - radii[1]) < 0.01,
                             qPrintable(QString("%1: radius %2").arg(format).arg(r)));
                    QVERIFY2(std::fabs(std::fabs(arc["sweep"].toDouble()) - want.sweep) < 1e-6,
                             qPrintable(QString("%1: sweep %2").arg(format).arg(arc["sweep"].toDouble())));
                    QVERIFY(arc["centre_offset"].toDouble() < 0.01);
                }
                for (const QString kind : {"lines", "rolls"})
                    for (const QJsonValue edge : outline[kind].toArray())
                        QVERIFY2(edge.toObject()["apex_miss"].toDouble() < 0.01,
                                 qPrintable(QString("%1 %2 miss the apex").arg(format, kind)));
            }
            QCOMPARE(next, expected.size());
        }
        // Both drawings place every piece alike: the SVG's are the DXF's turned y down on the same sheet.
        const auto shift = [&](qsizetype i) {
            return QPointF(apexes[1][i].x() - apexes[0][i].x(), apexes[1][i].y() + apexes[0][i].y());
        };
        QCOMPARE(apexes[1].size(), apexes[0].size());
        for (qsizetype i = 1; i < apexes[0].size(); ++i)
            QVERIFY((shift(i) - shift(0)).manhattanLength() < 1e-6);
    }

    // Bent sections read back by an independent reader against the pie-cut formulas written out in it: every
    // point of every cut curve, vertices and chords alike, within 0.02 mm; one closed contour per piece.
    void bent_cut_curves_read_back_within_tolerance_data() {
        QTest::addColumn<QString>("cone");
        QTest::addColumn<QString>("bend");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("outlines");
        for (const char *layout : {"pieces", "blank"}) {
            const bool pieces = QByteArray(layout) == "pieces";
            QTest::addRow("cone 90 in 4, %s", layout) << "60 40 150"
                                                      << "90:4" << layout << (pieces ? 4 : 1);
            QTest::addRow("cylinder 60 in 3, %s", layout) << "60 60 150"
                                                          << "60:3" << layout << (pieces ? 3 : 1);
            QTest::addRow("cone 45 in 5, %s", layout) << "80 50 200"
                                                      << "45:5" << layout << (pieces ? 5 : 1);
        }
    }
    void bent_cut_curves_read_back_within_tolerance() {
        QFETCH(QString, cone);
        QFETCH(QString, bend);
        QFETCH(QString, layout);
        QFETCH(int, outlines);
        const QStringList angle = bend.split(':');
        for (const QString format : {"dxf", "svg"}) {
            const QString file = m_dir.filePath("bent." + format);
            const CliRun run = Cli(
                Args(QString("templates --thickness 1 --cone %1 --bend 1:%2 --bend-layout %3 -o DIR/bent.%4")
                         .arg(cone, bend, layout, format)));
            QCOMPARE(run.status, 0);
            const QJsonObject report =
                TemplateCheck(QStringList{"bend", format, file} + cone.split(' ') << "1" << angle);
            if (format == "dxf")
                QCOMPARE(report["audit"].toArray(), QJsonArray({0, 0}));
            QCOMPARE(report["outlines"].toInt(), outlines);
            if (outlines == 1) // the blank: every cut drawn on it
                QCOMPARE(report["closed_cut_curves"].toInt(), angle[1].toInt() - 1);
            QVERIFY2(report["chords"].toInt() > 40 * (angle[1].toInt() - 1), "the curves were read");
            QVERIFY2(report["worst"].toDouble() < 0.02,
                     qPrintable(QString::number(report["worst"].toDouble())));
        }
    }

    // The design file's [CuttingTemplates] section is applied first; the command line's options override
    // it, key by key. ezdxf counts the outlines on each layer and reads the sheet thickness printed.
    void design_file_templates_section_then_the_command_line() {
        QFile file(m_dir.filePath("design.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("[PipeCalcValues]\r\ntiming=190\r\nRPM=10000\r\ntemp=500\r\nportWindowD=40\r\n"
                   "portLength=30\r\nportFlangeD=38\r\n[CuttingTemplates]\r\nthickness=1.5\r\n"
                   "bendLayout=blank\r\nbendL3=90:4:0\r\nbendL7=30:3\r\n");
        file.close();
        const auto drawn = [&](const QString &options) {
            const QString dxf = m_dir.filePath("design.dxf");
            QFile::remove(dxf);
            if (Cli(Args("templates DIR/design.txt -o DIR/design.dxf " + options)).status != 0)
                return QByteArray("refused");
            return Output("/usr/bin/python3",
                          {"-c",
                           "import ezdxf,sys,collections\n"
                           "d=ezdxf.readfile(sys.argv[1])\n"
                           "c=collections.Counter(e.dxf.layer for e in d.modelspace().query('LWPOLYLINE'))\n"
                           "t=[e.dxf.text for e in d.modelspace().query('TEXT') if "
                           "e.dxf.text.startswith('sheet ')]\n"
                           "print('CUT', c['CUT'], 'PIECUT', c['PIECUT'], 'sheet', t[0].split()[1] if t else "
                           "'')",
                           dxf})
                .trimmed();
        };
        // From the file: blanks, L3's three cuts and L7's two drawn on them, 1.5 mm sheet.
        QCOMPARE(drawn({}), "CUT 7 PIECUT 5 sheet 1.50");
        // The command line's layout, thickness and its own bend of L3 win; L7's stays the file's.
        QCOMPARE(drawn("--bend-layout pieces --bend L3:60:2 --thickness 2"), "CUT 10 PIECUT 0 sheet 2.00");
    }

    // The example's build sheet with bends: page 1 draws the chamber as it will be assembled and lists each
    // bend with its figures, computed here from the section's length; the fitters' cautions go to stderr.
    void build_sheet_lists_the_bends() {
        const QString pdf = m_dir.filePath("bent.pdf");
        const CliRun run =
            Cli(Args("templates @ --thickness 1 --bend L3:90:4 --bend l7:30:3:90 -o DIR/bent.pdf"));
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QByteArray());
        QVERIFY2(run.err.contains("Cone L3: the centreline bend radius") && run.err.contains("pipe fitters"),
                 run.err.constData());
        const QString page =
            QString::fromUtf8(Output("pdftotext", {"-f", "1", "-l", "1", "-raw", pdf, "-"})).simplified();
        QVERIFY(page.contains("Side view as bent, 1 : ")); // the chamber drawn as it will be assembled
        const std::vector<Section> sections = ExampleSections();
        for (const auto &[index, angle, direction, pieces] :
             {std::tuple(2, 90.0, 0.0, 4), {6, 30.0, 90.0, 3}}) {
            const Section &s = sections[std::size_t(index)];
            const double tilt = angle / (2 * (pieces - 1));
            const double radius =
                s.centreLength / (2 * (pieces - 1) * std::tan(tilt * std::numbers::pi / 180));
            const QString line =
                QString("%1 bent %2° towards %3° in %4 pieces: each joint turns %5°, the cuts "
                        "tilt %6°, the centreline bends at radius %7 mm.")
                    .arg(QString::fromStdString(s.name))
                    .arg(angle, 0, 'f', 2)
                    .arg(direction, 0, 'f', 2)
                    .arg(pieces)
                    .arg(angle / (pieces - 1), 0, 'f', 2)
                    .arg(tilt, 0, 'f', 2)
                    .arg(radius, 0, 'f', 2);
            QVERIFY2(page.contains(line), qPrintable(line + "\n" + page));
        }
    }

    // Typed cones: one without length is left out and said so; with none left there is nothing to export.
    void typed_cones_without_length_are_said() {
        const std::tuple<const char *, int, QByteArray> rows[] = {
            {"120 80 150 --cone 100 60 0", 0, "quorvane-cli: Cone 2 has no length, so it has no template.\n"},
            {"120 80 0", 2,
             "quorvane-cli: Cone has no length, so it has no template.\n"
             "quorvane-cli: invalid option --cone: nothing to export: no section has a length.\n"},
        };
        for (const auto &[cones, status, err] : rows) {
            const CliRun run =
                Cli(Args(QString("templates --thickness 1 -o - --format dxf --cone ") + cones));
            QCOMPARE(run.status, status);
            QCOMPARE(run.err, err);
            QCOMPARE(run.out.isEmpty(), status != 0);
            QVERIFY(!SaysNanOrInf(run.out));
        }
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
