#include "chamber.h"
#include "pipeinputs.h"
#include "quorvane_version.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

CliRun Cli(const QStringList &args) {
    QProcess process;
    process.start(QStringLiteral(QUORVANE_CLI_PATH), args);
    CliRun run;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

// The worked example; a KEY=TEXT given later overrides one given earlier.
const QStringList kExample = {"chamber",        "timing=190",    "RPM=10000",     "temp=500",
                              "portWindowD=40", "portLength=30", "portFlangeD=38"};

// Every piece must appear, each after the one before it.
bool ContainsInOrder(const QByteArray &text, const QStringList &pieces) {
    qsizetype from = 0;
    for (const QString &piece : pieces) {
        const qsizetype at = text.indexOf(piece.toUtf8(), from);
        if (at < 0)
            return false;
        from = at + piece.size();
    }
    return true;
}

bool HasNonFinite(const QByteArray &text) {
    static const QRegularExpression word(QStringLiteral("\\b(nan|inf|infinity)\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    return word.match(QString::fromUtf8(text)).hasMatch();
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

  private slots:
    void chamber_prints_the_four_boxes_exactly();
    void chamber_results_and_warnings_data();
    void chamber_results_and_warnings();
    void chamber_json_carries_core_values_bit_for_bit_data();
    void chamber_json_carries_core_values_bit_for_bit();
    void file_values_apply_before_key_texts_data();
    void file_values_apply_before_key_texts();
    void flatcone_prints_the_plot_report_data();
    void flatcone_prints_the_plot_report();
    void flatcone_batch_reports_the_four_chamber_cones();
    void calculators_print_labelled_outputs_data();
    void calculators_print_labelled_outputs();
    void refusals_and_failures_exit_with_a_reason_data();
    void refusals_and_failures_exit_with_a_reason();
    void version_and_help_go_to_stdout();
};

void TestCli::chamber_prints_the_four_boxes_exactly() {
    const CliRun run = Cli(kExample);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.out, QByteArray("Cone Diameters (ID)\n"
                                 "D1 = 42.00\nD2 = 67.54\nD3 = 103.18\nD4 = 130.00\n"
                                 "D5 = 130.00\nD6 = 24.00\nD7 = 24.00\n"
                                 "\n"
                                 "Cone Lengths\n"
                                 "L1 = 58.93\nL2 = 244.55\nL3 = 162.74\nL4 = 81.81\n"
                                 "L5 = 97.82\nL6 = 213.43\nL7 = 213.43\n"
                                 "\n"
                                 "Cone Angles (Degree)\n"
                                 "L2 = 5.98\nL3 = 12.50\nL4 = 18.62\nL6 = 27.89\n"
                                 "\n"
                                 "Tuned Length mm\n"
                                 "889.27\n"));
}

void TestCli::chamber_results_and_warnings_data() {
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QStringList>("pieces");
    QTest::newRow("fractional rpm and temperature")
        << QStringList{"RPM=12500.5", "temp=450.5"} << QStringList{"Tuned Length mm\n688.03\n"};
    QTest::newRow("port longer than header, flange wider than D1")
        << QStringList{"portLength=100", "portFlangeD=45"}
        << QStringList{
               "D2 = 66.62\nD3 = 102.64\n", "L1 = 100.00\nL2 = 233.48\n",
               "\nWarnings\nWARNING !\nPort Length should not exceed L1",
               "straight header option to ensure L2 inlet diameter matches port outlet flange diameter.\n"
               "WARNING !\nHeader pipe inlet at the flange (F)"};
    QTest::newRow("header steeper than first cone")
        << QStringList{"portFlangeD=30"}
        << QStringList{"Warnings\nWARNING !\nHeader pipe is 11.63 degree taper angle.\n",
                       "diffuser cone (L2) which is 5.98\n"};
    QTest::newRow("straight header keeps the flange")
        << QStringList{"--straight-header"}
        << QStringList{"D1 = 38.00\n", "Cone Angles (Degree)\nL2 = 6.91\n"};
    QTest::newRow("grouped tuned length")
        << QStringList{"timing=200", "RPM=9000"} << QStringList{"Tuned Length mm\n1,040.08\n"};
    QTest::newRow("numbers read as an input box reads them")
        << QStringList{"RPM= 10 000rpm", "temp=500abc"} << QStringList{"Tuned Length mm\n889.27\n"};
}

void TestCli::chamber_results_and_warnings() {
    QFETCH(QStringList, extra);
    QFETCH(QStringList, pieces);
    const CliRun run = Cli(kExample + extra);
    QCOMPARE(run.status, 0);
    QVERIFY2(ContainsInOrder(run.out, pieces), run.out.constData());
    QVERIFY(!run.out.contains('\r'));
}

void TestCli::chamber_json_carries_core_values_bit_for_bit_data() {
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<bool>("flagged");
    QTest::newRow("worked example") << QStringList{} << false;
    QTest::newRow("two warnings") << QStringList{"portLength=100", "portFlangeD=45"} << true;
    QTest::newRow("straight header") << QStringList{"RPM=12500.5", "--straight-header"} << false;
}

void TestCli::chamber_json_carries_core_values_bit_for_bit() {
    QFETCH(QStringList, extra);
    QFETCH(bool, flagged);
    const CliRun run = Cli(kExample + extra + QStringList{"--json"});
    QCOMPARE(run.status, 0);
    QJsonParseError error;
    const QJsonObject json = QJsonDocument::fromJson(run.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QStringList keys{"D",           "L",           "coneAngle",  "coneList", "portLengthFlagged",
                           "totalLength", "tunedLength", "warningText"};
    QCOMPARE(json.keys(), keys);

    quorvane::PipeTexts texts = quorvane::InitialPipeTexts();
    for (const QString &arg : kExample.mid(1) + extra) {
        if (const qsizetype equals = arg.indexOf('='); equals > 0)
            texts[static_cast<std::size_t>(*quorvane::FieldByKey(arg.left(equals).toStdString()))] =
                arg.mid(equals + 1).toStdString();
    }
    const quorvane::PipeResult core =
        quorvane::ComputeChamber(quorvane::ParsePipeInputs(texts, extra.contains("--straight-header")));

    auto sameArray = [](const QJsonValue &value, const auto &expected) {
        const QJsonArray array = value.toArray();
        if (array.size() != qsizetype(expected.size()))
            return false;
        for (std::size_t i = 0; i < expected.size(); ++i)
            if (array[qsizetype(i)].toDouble() != expected[i])
                return false;
        return true;
    };
    QVERIFY(sameArray(json["D"], core.D));
    QVERIFY(sameArray(json["L"], core.L));
    QVERIFY(sameArray(json["coneAngle"], core.coneAngle));
    QCOMPARE(json["tunedLength"].toDouble(), core.tunedLength);
    QCOMPARE(json["totalLength"].toDouble(), core.totalLength);
    QCOMPARE(json["portLengthFlagged"].toBool(), flagged);
    QCOMPARE(json["warningText"].toString(), QString::fromStdString(core.warningText).replace("\r\n", "\n"));
    const QJsonArray cones = json["coneList"].toArray();
    const quorvane::ConeList coreCones = quorvane::ConeListOf(core);
    QCOMPARE(cones.size(), 4);
    for (qsizetype i = 0; i < 4; ++i) {
        const quorvane::ConeRecord &cone = coreCones[std::size_t(i)];
        QCOMPARE(cones[i]["name"].toString(), QString::fromStdString(cone.name));
        QCOMPARE(cones[i]["baseDiameter"].toDouble(), cone.baseDiameter);
        QCOMPARE(cones[i]["tipDiameter"].toDouble(), cone.tipDiameter);
        QCOMPARE(cones[i]["centreLength"].toDouble(), cone.centreLength);
    }
}

void TestCli::file_values_apply_before_key_texts_data() {
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QByteArray>("tunedLength");
    QTest::newRow("file alone") << QStringList{} << QStringList{} << QByteArray("988.08");
    QTest::newRow("key text after the file")
        << QStringList{} << QStringList{"RPM=10000"} << QByteArray("889.27");
    QTest::newRow("key text before the file")
        << QStringList{"RPM=10000"} << QStringList{} << QByteArray("889.27");
}

void TestCli::file_values_apply_before_key_texts() {
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QFETCH(QByteArray, tunedLength);
    QTemporaryDir dir;
    const QString path = dir.filePath("pipe.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    // A key in other case must still be found; an empty heats must leave 1.360, or validation would fail.
    file.write(
        "; saved by hand\r\n[Other]\r\nRPM=3000\r\n[PipeCalcValues]\r\nTIMING=190\r\nRPM=9000\r\ntemp=500\r\n"
        "portWindowD=40\r\nportLength=30\r\nportFlangeD=38\r\nheats=\r\n");
    file.close();
    const CliRun run = Cli(QStringList{"chamber"} + before + QStringList{path} + after);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.status, 0);
    QVERIFY(run.out.endsWith("Tuned Length mm\n" + tunedLength + "\n"));
}

void TestCli::flatcone_prints_the_plot_report_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("report");
    QTest::newRow("cone") << QStringList{"120", "80", "150", "1.5"}
                          << QByteArray("Cone\nBase = 120.00 ID\nTip = 80.00 ID\nHeight = 150.00\n"
                                        "A = 374.86\nB = 252.76\nC = 302.65\nD = 453.98\n");
    QTest::newRow("no thickness") << QStringList{"120", "80", "150", "0"}
                                  << QByteArray("Cone\nBase = 120.00 ID\nTip = 80.00 ID\nHeight = 150.00\n"
                                                "A = 366.25\nB = 244.17\nC = 302.65\nD = 453.98\n");
    QTest::newRow("cylinder") << QStringList{"60", "60", "100", "1"}
                              << QByteArray("Cone\nBase = 60.00 ID\nTip = 60.00 ID\nHeight = 100.00\n"
                                            "Cylinder: cut a rectangle\nWidth = 194.78\nLength = 100.00\n");
}

void TestCli::flatcone_prints_the_plot_report() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, report);
    const CliRun run = Cli(QStringList{"flatcone"} + args);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, report);
}

void TestCli::flatcone_batch_reports_the_four_chamber_cones() {
    QStringList args = kExample;
    args.replace(0, "flatcone");
    const CliRun run = Cli(args + QStringList{"--batch", "--thickness", "1.5"});
    QCOMPARE(run.status, 0);
    QVERIFY2(ContainsInOrder(run.out, {"Cone L2\nBase = 67.54 ID\nTip = 42.00 ID\nHeight = 244.55\nA = ",
                                       "\n\nCone L3\n", "\n\nCone L4\n", "\n\nCone L6\nBase = 130.00 ID\n"}),
             run.out.constData());
    QVERIFY(run.out.startsWith("Cone L2\n"));
    QCOMPARE(run.out.count("\n\n"), 3);
    QVERIFY(run.out.endsWith("\n") && !run.out.endsWith("\n\n"));
}

void TestCli::calculators_print_labelled_outputs_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("out");
    QTest::newRow("port width") << QStringList{"port-width", "30", "60"}
                                << QByteArray("Chordal width mm = 28.77\n");
    QTest::newRow("port width, text after the number")
        << QStringList{"port-width", "30mm", "60 mm"} << QByteArray("Chordal width mm = 28.77\n");
    const QByteArray area = "Port Window Area mm/2 = 1185.41\nPort Window Diameter mm = 38.85\n";
    QTest::newRow("port area") << QStringList{"port-area", "40", "30", "--r1", "5", "--r2", "3"} << area;
    QTest::newRow("port area, option=value")
        << QStringList{"port-area", "40", "30", "--r1=5", "--r2=3"} << area;
    QTest::newRow("port area, corner counts")
        << QStringList{"port-area", "40", "30", "--r1", "5", "--k1", "4", "--r2", "3", "--k2", "1"}
        << QByteArray("Port Window Area mm/2 = 1176.61\nPort Window Diameter mm = 38.71\n");
    QTest::newRow("port area, arched top")
        << QStringList{"port-area",        "40", "30", "--r1", "5", "--r2", "3", "--segment-radius", "52",
                       "--segment-height", "4"}
        << QByteArray("Port Window Area mm/2 = 1132.92\nPort Window Diameter mm = 37.98\n");
    QTest::newRow("segment area") << QStringList{"segment-area", "50", "5"}
                                  << QByteArray("Segment area mm/2 = 146.81\n");
    QTest::newRow("segment of zero radius") << QStringList{"segment-area", "0", "5"} << QByteArray();
    QTest::newRow("area to diameter")
        << QStringList{"area-to-diameter", "1000000"} << QByteArray("Diameter mm = 1,128.38\n");
    QTest::newRow("grouped area reads to the comma")
        << QStringList{"area-to-diameter", "1,234"} << QByteArray("Diameter mm = 1.13\n");
    QTest::newRow("port timing") << QStringList{"port-timing", "54", "110", "0", "27"}
                                 << QByteArray("Port timing degrees = 194.10\nPort height mm = 27.00\n");
    QTest::newRow("port timing with deck")
        << QStringList{"port-timing", "54", "110", "0.5", "27"}
        << QByteArray("Port timing degrees = 196.17\nPort height mm = 27.00\n");
    QTest::newRow("bmep") << QStringList{"bmep", "30", "11000", "54", "54.5"}
                          << QByteArray("BMEP bar = 13.11\n");
    QTest::newRow("bmep lower") << QStringList{"bmep", "20", "10000", "54", "54.5"}
                                << QByteArray("BMEP bar = 9.61\n");
    QTest::newRow("c to f") << QStringList{"convert", "c-to-f", "100"}
                            << QByteArray("Fahrenheit = 212.000\n");
    QTest::newRow("c to f grouped") << QStringList{"convert", "c-to-f", "1000"}
                                    << QByteArray("Fahrenheit = 1,832.000\n");
    QTest::newRow("negative value is not an option")
        << QStringList{"convert", "c-to-f", "-40"} << QByteArray("Fahrenheit = -40.000\n");
    QTest::newRow("inch to mm ungrouped")
        << QStringList{"convert", "inch-to-mm", "1000"} << QByteArray("Millimetres = 25400.000\n");
    QTest::newRow("kw to hp") << QStringList{"convert", "kw-to-hp", "10"}
                              << QByteArray("Horsepower = 13.410\n");
    QTest::newRow("cone from centre") << QStringList{"cone", "from-centre", "100", "50", "100"}
                                      << QByteArray("Half angle = 14.04\nSide length = 103.08\n");
    QTest::newRow("cone from side") << QStringList{"cone", "from-side", "100", "50", "103.08"}
                                    << QByteArray("Centre length = 100.00\nHalf angle = 14.04\n");
    QTest::newRow("cone from angle") << QStringList{"cone", "from-angle", "100", "50", "14.04"}
                                     << QByteArray("Centre length = 99.97\nSide length = 103.05\n");
    QTest::newRow("cone widening") << QStringList{"cone", "from-centre", "50", "100", "100"}
                                   << QByteArray("Half angle = -14.04\nSide length = 103.08\n");
}

void TestCli::calculators_print_labelled_outputs() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, out);
    const CliRun run = Cli(args);
    QCOMPARE(run.err, QByteArray());
    QCOMPARE(run.status, 0);
    QCOMPARE(run.out, out);
}

void TestCli::refusals_and_failures_exit_with_a_reason_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("oneLine"); // a usage error adds the synopsis

    const QStringList example = kExample;
    QStringList noTiming = kExample;
    noTiming.removeAt(1);
    QStringList batch = noTiming;
    batch.replace(0, "flatcone");

    QTest::newRow("rpm beyond 16 bits") << example + QStringList{"RPM=40000"} << 3
                                        << "The RPM is too large: it must be less than 32767.5." << true;
    QTest::newRow("port past the first cone")
        << example + QStringList{"portLength=400"} << 3 << "0.375" << true;
    QTest::newRow("overflowing gas numbers")
        << example + QStringList{"heats=1e300", "gasConstant=1e300"} << 3 << "too large" << true;
    QTest::newRow("rpm too large to read")
        << example + QStringList{"RPM=1e400"} << 2 << "RPM (\"RPM\")" << true;
    QTest::newRow("missing timing") << noTiming << 2 << "invalid input: timing (\"Port Timing\")" << true;
    QTest::newRow("label with its blank")
        << example + QStringList{"temp="} << 2 << "temp (\" Exhaust Temp\")" << true;
    QTest::newRow("unknown key") << example + QStringList{"rpm=1"} << 2 << "unknown key \"rpm\"" << true;
    QTest::newRow("missing file") << QStringList{"chamber", "/nonexistent/pipe.txt"} << 2 << "no such file"
                                  << true;
    QTest::newRow("folder as file") << QStringList{"chamber", QDir::tempPath()} << 2 << "folder" << true;
    QTest::newRow("two files") << QStringList{"chamber", "a.txt", "b.txt"} << 2 << "more than one FILE"
                               << false;
    QTest::newRow("flat base below 1")
        << QStringList{"flatcone", "0.5", "80", "150", "1"} << 2 << "base" << true;
    QTest::newRow("flat tip checked before thickness")
        << QStringList{"flatcone", "120", "0", "150", ""} << 2 << "tip" << true;
    QTest::newRow("flat empty thickness")
        << QStringList{"flatcone", "120", "80", "150", ""} << 2 << "thickness" << true;
    QTest::newRow("batch without thickness") << batch << 2 << "--thickness" << false;
    QTest::newRow("batch with empty thickness")
        << batch + QStringList{"--batch", "--thickness="} << 2 << "thickness" << true;
    QTest::newRow("batch of an invalid chamber")
        << batch + QStringList{"--batch", "--thickness", "1"} << 2 << "timing (\"Port Timing\")" << true;
    QTest::newRow("curved width refused")
        << QStringList{"port-width", "0.5", "60"} << 2 << "curved width" << true;
    QTest::newRow("rod refused") << QStringList{"port-timing", "54", "0.5", "0", "27"} << 2 << "rod length"
                                 << true;
    QTest::newRow("bmep rpm refused") << QStringList{"bmep", "30", "0", "54", "54.5"} << 2 << "RPM" << true;
    QTest::newRow("cone tip refused")
        << QStringList{"cone", "from-centre", "100", "0.5", "100"} << 2 << "tip" << true;
    QTest::newRow("side shorter than the taper")
        << QStringList{"cone", "from-side", "100", "50", "10"} << 3 << "side length is shorter" << true;
    QTest::newRow("port never opens")
        << QStringList{"port-timing", "54", "110", "0", "137"} << 3 << "never opens" << true;
    QTest::newRow("negative area") << QStringList{"area-to-diameter", "-5"} << 3 << "negative" << true;
    QTest::newRow("conversion too large")
        << QStringList{"convert", "kw-to-hp", "1e400"} << 3 << "too large" << true;
    QTest::newRow("corner count off the list")
        << QStringList{"port-area", "40", "30", "--k2", "3"} << 2 << "--k2" << false;
    QTest::newRow("missing argument")
        << QStringList{"port-width", "30"} << 2 << "port-width CURVED BORE" << false;
    QTest::newRow("unknown option") << example + QStringList{"--jsn"} << 2 << "unknown option --jsn" << false;
    QTest::newRow("unknown command") << QStringList{"pipe"} << 2 << "unknown command pipe" << false;
    QTest::newRow("no command") << QStringList{} << 2 << "no command" << false;
}

void TestCli::refusals_and_failures_exit_with_a_reason() {
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, reason);
    QFETCH(bool, oneLine);
    const CliRun run = Cli(args);
    QCOMPARE(run.status, status);
    QCOMPARE(run.out, QByteArray());
    QVERIFY2(run.err.startsWith("quorvane-cli: ") && run.err.contains(reason.toUtf8()), run.err.constData());
    if (oneLine)
        QCOMPARE(run.err.count('\n'), 1);
    QVERIFY(!HasNonFinite(run.out + run.err));
}

void TestCli::version_and_help_go_to_stdout() {
    const CliRun version = Cli({"--version"});
    QCOMPARE(version.status, 0);
    QCOMPARE(version.out, QByteArray("quorvane-cli ") + quorvane::kVersionText + "\n");
    for (const QStringList &args :
         {QStringList{"--help"}, QStringList{"-h"}, QStringList{"cone", "--help"}}) {
        const CliRun help = Cli(args);
        QCOMPARE(help.status, 0);
        QCOMPARE(help.err, QByteArray());
        for (const char *command :
             {"chamber", "flatcone", "--batch", "port-width", "segment-area", "port-area", "area-to-diameter",
              "port-timing", "bmep", "convert", "cone", "Exit status"})
            QVERIFY2(help.out.contains(command), command);
    }
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
