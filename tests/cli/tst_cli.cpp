#include "chamber.h"
#include "pipeinputs.h"
#include "quorvane_version.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "scratchdisk.h"

using namespace quorvane;

namespace {

struct CliRun {
    int status = -1;
    QByteArray out, err;
};

CliRun Cli(const QStringList &args) {
    QProcess process;
    process.start(QStringLiteral(QUORVANE_CLI_PATH), args);
    const bool ended = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}

// Whether text is exactly expected, where each '*' stands for any run of characters.
bool Matches(const QByteArray &text, const QByteArray &expected) {
    const QString pattern = QRegularExpression::escape(QString::fromUtf8(expected)).replace("\\*", ".*");
    const QRegularExpression::PatternOption anyLine = QRegularExpression::DotMatchesEverythingOption;
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern), anyLine).match(text).hasMatch();
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

    // 0 prints on stdout; 2 (refused input or command line) and 3 (cannot be calculated) one line on stderr.
    void prints_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray cone = "Cone\nBase = 120.00 ID\nTip = 80.00 ID\nHeight = 150.00\n";
        const std::tuple<const char *, int, QByteArray> rows[] = {
            {"chamber @", 0,
             "Cone Diameters (ID)\nD1 = 42.00\nD2 = 67.54\nD3 = 103.18\nD4 = 130.00\nD5 = 130.00\n"
             "D6 = 24.00\nD7 = 24.00\n\nCone Lengths\nL1 = 58.93\nL2 = 244.55\nL3 = 162.74\n"
             "L4 = 81.81\nL5 = 97.82\nL6 = 213.43\nL7 = 213.43\n\nCone Angles (Degree)\n"
             "L2 = 5.98\nL3 = 12.50\nL4 = 18.62\nL6 = 27.89\n\nTuned Length mm\n889.27\n"},
            {"chamber @ RPM=12500.5 temp=450.5", 0, "*Tuned Length mm\n688.03\n"},
            {"chamber @ portLength=100 portFlangeD=45", 0,
             "*D2 = 66.62\nD3 = 102.64\n*L1 = 100.00\nL2 = 233.48\n*\n\nWarnings\nWARNING !\n"
             "Port Length should not exceed L1*diameter.\nWARNING !\nHeader pipe inlet at the flange (F)*"},
            {"chamber @ portFlangeD=30", 0,
             "*\n\nWarnings\nWARNING !\nHeader pipe is 11.63 degree taper angle.\n*(L2) which is 5.98\n*"},
            {"chamber @ --straight-header", 0, "*D1 = 38.00\n*Cone Angles (Degree)\nL2 = 6.91\n*"},
            {"chamber @ timing=200 RPM=9000", 0, "*Tuned Length mm\n1,040.08\n"},
            {"chamber FILE", 0, "*Tuned Length mm\n988.08\n"},
            {"chamber FILE RPM=10000", 0, "*Tuned Length mm\n889.27\n"},
            {"chamber RPM=10000 FILE", 0, "*Tuned Length mm\n889.27\n"},
            {"flatcone 120 80 150 1.5", 0, cone + "A = 374.86\nB = 252.76\nC = 302.65\nD = 453.98\n"},
            {"flatcone 120 80 150 0", 0, cone + "A = 366.25\nB = 244.17\nC = 302.65\nD = 453.98\n"},
            {"flatcone 60 60 100 1", 0,
             "Cone\nBase = 60.00 ID\nTip = 60.00 ID\nHeight = 100.00\n"
             "Cylinder: cut a rectangle\nWidth = 194.78\nLength = 100.00\n"},
            {"flatcone @ --batch --thickness 1.5", 0,
             "Cone L2\nBase = 67.54 ID\nTip = 42.00 ID\nHeight = 244.55\nA = *\nD = *\n\nCone L3\n*\n\n"
             "Cone L4\n*\n\nCone L6\nBase = 130.00 ID\n*\nD = *"},
            {"port-width 30 60", 0, "Chordal width mm = 28.77\n"},
            {"port-area 40 30 --r1 5 --r2 3", 0,
             "Port Window Area mm/2 = 1185.41\nPort Window Diameter mm = 38.85\n"},
            {"port-area 40 30 --r1 5 --k1 4 --r2 3 --k2 1", 0,
             "Port Window Area mm/2 = 1176.61\nPort Window Diameter mm = 38.71\n"},
            {"port-area 40 30 --r1 5 --r2 3 --segment-radius 52 --segment-height 4", 0,
             "Port Window Area mm/2 = 1132.92\nPort Window Diameter mm = 37.98\n"},
            {"segment-area 50 5", 0, "Segment area mm/2 = 146.81\n"},
            {"segment-area 0 5", 0, ""},
            {"area-to-diameter 1000000", 0, "Diameter mm = 1,128.38\n"},
            {"port-timing 54 110 0 27", 0, "Port timing degrees = 194.10\nPort height mm = 27.00\n"},
            {"port-timing 54 110 0.5 27", 0, "Port timing degrees = 196.17\nPort height mm = 27.00\n"},
            {"bmep 30 11000 54 54.5", 0, "BMEP bar = 13.11\n"},
            {"bmep 20 10000 54 54.5", 0, "BMEP bar = 9.61\n"},
            {"convert c-to-f 100", 0, "Fahrenheit = 212.000\n"},
            {"convert c-to-f -40", 0, "Fahrenheit = -40.000\n"},
            {"convert inch-to-mm 1000", 0, "Millimetres = 25400.000\n"},
            {"convert kw-to-hp 10", 0, "Horsepower = 13.410\n"},
            {"cone from-centre 100 50 100", 0, "Half angle = 14.04\nSide length = 103.08\n"},
            {"cone from-side 100 50 103.08", 0, "Centre length = 100.00\nHalf angle = 14.04\n"},
            {"cone from-angle 100 50 14.04", 0, "Centre length = 99.97\nSide length = 103.05\n"},
            {"cone from-centre 50 100 100", 0, "Half angle = -14.04\nSide length = 103.08\n"},
            {"--version", 0, QByteArray("quorvane-cli ") + kVersionText + "\n"},
            {"--help", 0,
             "*\n  chamber *\n  flatcone *--batch*\n  port-width *\n  segment-area *\n  port-area *\n"
             "  area-to-diameter *\n  port-timing *\n  bmep *\n  convert *\n  cone *Exit status*"},
            {"cone -h", 0, "Usage: quorvane-cli COMMAND [ARGUMENTS]...\n*"},
            {"chamber @ RPM=40000", 3, "The RPM is too large: it must be less than 32767.5.\n"},
            {"chamber @ portLength=400", 3, "*0.375*"},
            {"chamber @ heats=1e300 gasConstant=1e300", 3, "*too large*"},
            {"chamber @ RPM=1e400", 2, "invalid input: RPM (\"RPM\")\n"},
            {"chamber @ timing=", 2, "invalid input: timing (\"Port Timing\")\n"},
            {"chamber @ rpm=1", 2, "unknown key \"rpm\"; the keys are timing, RPM, *"},
            {"chamber /nonexistent/p.txt", 2, "cannot read /nonexistent/p.txt: no such file\n"},
            {"chamber /", 2, "cannot read /: * folder*"},
            {"chamber /dev/zero", 2, "cannot read /dev/zero: /dev/zero is not an ordinary file*"},
            {"chamber a.txt b.txt", 2, "more than one FILE: a.txt, b.txt\nUsage: *"},
            {"flatcone 0.5 80 150 1", 2, "invalid input: base (must be at least 1)\n"},
            {"flatcone 120 0 150 ''", 2, "invalid input: tip (must be at least 1)\n"},
            {"flatcone 120 80 150 ''", 2, "invalid input: thickness (must not be empty)\n"},
            {"flatcone @ --batch", 2, "--batch needs --thickness T\nUsage: *"},
            {"flatcone @ --batch --thickness=", 2, "invalid input: thickness (must not be empty)\n"},
            {"port-timing 54 0.5 0 27", 2, "invalid input: rod length\n"},
            {"cone from-side 100 50 10", 3, "*side length is shorter*"},
            {"convert kw-to-hp 1e400", 3, "*too large*"},
            {"port-area 40 30 --k2 3", 2, "--k2 must be 1 or 2\nUsage: *"},
            {"port-width 30", 2, "expected 2 arguments, got 1\nUsage: quorvane-cli port-width CURVED BORE*"},
            {"chamber @ --jsn", 2, "unknown option --jsn\nUsage: *"},
            {"pipe", 2, "unknown command pipe\nUsage: *"},
            {"", 2, "no command given\nUsage: *"},
        };
        for (const auto &[line, status, expected] : rows)
            QTest::newRow(*line ? line : "(nothing)") << Args(line) << status << expected;
    }
    void prints() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, expected);
        const CliRun run = Cli(args);
        QCOMPARE(run.status, status);
        const QByteArray &text = status == 0 ? run.out : run.err;
        QVERIFY2(Matches(text, status == 0 ? expected : "quorvane-cli: " + expected), text.constData());
        QCOMPARE(status == 0 ? run.err : run.out, QByteArray());
        QVERIFY(!text.contains('\r') && !text.endsWith("\n\n") &&
                (status == 0 || text.count('\n') == 1 || text.contains("\nUsage: ")));
        QVERIFY(!QString(text).contains(
            QRegularExpression("\\b(nan|inf|infinity)\\b", QRegularExpression::CaseInsensitiveOption)));
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
        const CliRun run = Cli(args);
        QCOMPARE(run.status, status);
        QVERIFY2(Matches(run.err, err.isEmpty() ? err : "quorvane-cli: " + err), run.err.constData());
        QCOMPARE(run.out, QByteArray());
        QVERIFY(out.open(QIODevice::ReadOnly));
        QCOMPARE(out.readAll(), saved.isEmpty() ? old : saved);
    }

    // A full disk is reported as a failed write, and the design saved before survives it byte for byte.
    void save_on_a_full_disk_keeps_the_old_file() {
        scratch::SmallDisk disk;
        if (!disk.mounted())
            QSKIP(qPrintable(disk.error()));
        const QString path = disk.filePath("pipe.txt");
        QVERIFY(Cli({"save", path, "timing=190"}).status == 0 && disk.Fill());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        const CliRun run = Cli({"save", path, "timing=" + QString(5000, '9')});
        QCOMPARE(run.status, 1);
        QVERIFY2(Matches(run.err, "quorvane-cli: cannot save *: Writing failed: No space left on device.\n"),
                 run.err.constData());
        QVERIFY(file.seek(0));
        QCOMPARE(file.readAll(), before);
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
