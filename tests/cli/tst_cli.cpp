// SPDX-License-Identifier: GPL-3.0-or-later
#include "chamber.h"
#include "numeric.h"
#include "pattern.h"
#include "pipeinputs.h"
#include "pipemodel.h"
#include "quorvane_version.h"
#include "stlfile.h"
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
    if (example.calculation == "chamber")
        return name + " (\"" + FieldInfo(*FieldByKey(name.toStdString())).label + "\")";
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
            {"chamber /nonexistent/p.txt", 2, "cannot read /nonexistent/p.txt: no such file\n"},
            {"chamber /", 2, "cannot read /: * folder*"},
            {"chamber /dev/zero", 2, "cannot read /dev/zero: /dev/zero is not an ordinary file*"},
            {"chamber a.txt b.txt", 2, "more than one FILE: a.txt, b.txt\nUsage: *"},
            {"flatcone @ --batch", 2, "--batch needs --thickness T\nUsage: *"},
            {"port-area 40 30 --k2 3", 2, "--k2 must be 1 or 2\nUsage: *"},
            {"port-width 30", 2, "expected 2 arguments, got 1\nUsage: quorvane-cli port-width CURVED BORE*"},
            {"chamber @ --jsn", 2, "unknown option --jsn\nUsage: *"},
            {"pipe", 2, "unknown command pipe\nUsage: *"},
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
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
