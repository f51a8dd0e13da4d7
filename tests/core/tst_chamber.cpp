#include "chamber.h"
#include "numeric.h"
#include "pipeinputs.h"
#include "pipeoutline.h"
#include "warnings.h"

#include <QtTest>

using namespace quorvane;

namespace {

// The worked example's design, as the window's boxes would hold it.
PipeTexts ExampleTexts() {
    return {"190", "10000", "500", "1.36", "300", "40", "30", "38", "1.05", "3.25", "0.6", "1.25"};
}

PipeResult Compute(const QMap<QString, QString> &changes = {}, bool straight = false) {
    PipeTexts t = ExampleTexts();
    for (auto it = changes.begin(); it != changes.end(); ++it)
        t[static_cast<std::size_t>(*FieldByKey(it.key().toStdString()))] = it.value().toStdString();
    return ComputeChamber(ParsePipeInputs(t, straight));
}

// "key=text;key=text" as a map of changes to the example.
QMap<QString, QString> Changes(const QString &changes) {
    QMap<QString, QString> map;
    for (const QString &pair : changes.split(';', Qt::SkipEmptyParts))
        map.insert(pair.section('=', 0, 0), pair.section('=', 1));
    return map;
}

QString Joined(const std::string &crlfText) {
    return QString::fromStdString(crlfText).replace("\r\n", "|");
}

const char *M1 =
    "Port Length should not exceed L1 (header length).|If you choose to continue with a Port length "
    "greater than L1 header length then the extra will be subtracted from L2 which is the diffuser "
    "cone|You also need to select straight header option to ensure L2 inlet diameter matches port "
    "outlet flange diameter.";
const char *M2 =
    "Header pipe inlet at the flange (F) cannot be larger than the header outlet at the diffuser cone "
    "entry (D1).|Increase the Port to Pipe Ratio OR select Straight Header Option and Press Pipe "
    "Calc again to re-calculate";

} // namespace

class TestChamber : public QObject {
    Q_OBJECT

  private slots:
    void precheck_stops_at_the_first_failing_field_data();
    void precheck_stops_at_the_first_failing_field();
    void advisory_ranges_include_their_bounds_data();
    void advisory_ranges_include_their_bounds();
    void port_length_turns_yellow_exactly_when_the_warning_would_fire();
    void worked_example_digit_for_digit();
    void chamber_cases_data();
    void chamber_cases();
    void warnings_in_order_data();
    void warnings_in_order();
    void calculation_failures_give_a_reason_data();
    void calculation_failures_give_a_reason();
    void cone_list_carries_full_precision();
    void repeated_calculation_is_identical();
    void outline_worked_example();
    void outline_keeps_its_margins_at_any_size();
    void straight_header_is_drawn_level();
};

void TestChamber::precheck_stops_at_the_first_failing_field_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("failing"); // empty: passes
    QTest::newRow("example passes") << "timing"
                                    << "190"
                                    << "";
    QTest::newRow("timing 360 passes") << "timing"
                                       << "360"
                                       << "";
    QTest::newRow("timing 360.5") << "timing"
                                  << "360.5"
                                  << "timing";
    QTest::newRow("timing 0.5") << "timing"
                                << "0.5"
                                << "timing";
    QTest::newRow("rpm empty") << "RPM"
                               << ""
                               << "RPM";
    QTest::newRow("rpm too large to read") << "RPM"
                                           << "1e400"
                                           << "RPM";
    QTest::newRow("temp letters") << "temp"
                                  << "hot"
                                  << "temp";
    QTest::newRow("heats 0.5") << "heats"
                               << "0.5"
                               << "heats";
    QTest::newRow("gas constant 0") << "gasConstant"
                                    << "0"
                                    << "gasConstant";
    QTest::newRow("port diameter 0.9") << "portWindowD"
                                       << "0.9"
                                       << "portWindowD";
    QTest::newRow("port length empty") << "portLength"
                                       << ""
                                       << "portLength";
    QTest::newRow("port length 0 passes") << "portLength"
                                          << "0"
                                          << "";
    QTest::newRow("port length letters pass") << "portLength"
                                              << "abc"
                                              << "";
    QTest::newRow("flange 0") << "portFlangeD"
                              << "0"
                              << "portFlangeD";
    QTest::newRow("port to pipe 0.99") << "portToPipe"
                                       << "0.99"
                                       << "portToPipe";
    QTest::newRow("port to mid empty") << "portToMid"
                                       << ""
                                       << "portToMid";
    QTest::newRow("outlet 0.1 passes") << "portToOutlet"
                                       << "0.1"
                                       << "";
    QTest::newRow("outlet 0.09") << "portToOutlet"
                                 << "0.09"
                                 << "portToOutlet";
    QTest::newRow("horn 0") << "hornCoefficient"
                            << "0"
                            << "hornCoefficient";
    QTest::newRow("advisory yellow still passes") << "RPM"
                                                  << "4999"
                                                  << "";
}

void TestChamber::precheck_stops_at_the_first_failing_field() {
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(QString, failing);
    PipeTexts t = ExampleTexts();
    t[static_cast<std::size_t>(*FieldByKey(key.toStdString()))] = text.toStdString();
    const auto result = ValidatePipeInputs(t);
    QCOMPARE(result ? QString(FieldInfo(*result).key) : QString(), failing);
}

void TestChamber::advisory_ranges_include_their_bounds_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("yellow");
    QTest::newRow("timing 220") << "timing"
                                << "220" << false;
    QTest::newRow("timing 220.01") << "timing"
                                   << "220.01" << true;
    QTest::newRow("timing 140") << "timing"
                                << "140" << false;
    QTest::newRow("timing 360") << "timing"
                                << "360" << true;
    QTest::newRow("timing empty") << "timing"
                                  << "" << true;
    QTest::newRow("rpm 4999") << "RPM"
                              << "4999" << true;
    QTest::newRow("rpm 5000") << "RPM"
                              << "5000" << false;
    QTest::newRow("rpm 30000") << "RPM"
                               << "30000" << false;
    QTest::newRow("rpm 30001") << "RPM"
                               << "30001" << true;
    QTest::newRow("rpm unreadable") << "RPM"
                                    << "1e999" << true;
    QTest::newRow("temp 299") << "temp"
                              << "299" << true;
    QTest::newRow("temp 1000") << "temp"
                               << "1000" << false;
    QTest::newRow("ratio 1.25") << "portToPipe"
                                << "1.25" << false;
    QTest::newRow("ratio 1.26") << "portToPipe"
                                << "1.26" << true;
    QTest::newRow("mid 2.125") << "portToMid"
                               << "2.125" << false;
    QTest::newRow("mid 2.12") << "portToMid"
                              << "2.12" << true;
    QTest::newRow("outlet 0.7") << "portToOutlet"
                                << "0.7" << false;
    QTest::newRow("outlet 0.71") << "portToOutlet"
                                 << "0.71" << true;
    QTest::newRow("horn 2") << "hornCoefficient"
                            << "2" << false;
    QTest::newRow("horn 2.01") << "hornCoefficient"
                               << "2.01" << true;
    QTest::newRow("heats has no range") << "heats"
                                        << "abc" << false;
    QTest::newRow("flange has no range") << "portFlangeD"
                                         << "" << false;
}

void TestChamber::advisory_ranges_include_their_bounds() {
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(bool, yellow);
    const BoxColour colour = AdvisoryColour(*FieldByKey(key.toStdString()), text.toStdString());
    QCOMPARE(colour == BoxColour::Advisory, yellow);
}

void TestChamber::port_length_turns_yellow_exactly_when_the_warning_would_fire() {
    QCOMPARE(PortLengthColour("500", std::nullopt), BoxColour::Normal);
    const double TL = Compute().tunedLength;
    QCOMPARE(PortLengthColour("30", TL), BoxColour::Normal);
    QCOMPARE(PortLengthColour("100", TL), BoxColour::Advisory);
    for (const char *text : {"88", "89", "100"}) {
        const bool fires = Compute({{"portLength", text}}).portLengthFlagged;
        QCOMPARE(PortLengthColour(text, TL) == BoxColour::Advisory, fires);
    }
}

void TestChamber::worked_example_digit_for_digit() {
    const PipeResult r = Compute();
    const ChamberTexts t = FormatChamber(r);
    QCOMPARE(t.diameters,
             std::string("D1 = 42.00\r\nD2 = 67.54\r\nD3 = 103.18\r\nD4 = 130.00\r\nD5 = 130.00\r\n"
                         "D6 = 24.00\r\nD7 = 24.00"));
    QCOMPARE(t.lengths, std::string("L1 = 58.93\r\nL2 = 244.55\r\nL3 = 162.74\r\nL4 = 81.81\r\nL5 = 97.82\r\n"
                                    "L6 = 213.43\r\nL7 = 213.43"));
    QCOMPARE(t.angles, std::string("L2 = 5.98\r\nL3 = 12.50\r\nL4 = 18.62\r\nL6 = 27.89"));
    QCOMPARE(t.tunedLength, std::string("889.27"));
    QCOMPARE(FormatFixed(r.totalLength, 2), std::string("1,072.70"));
    QCOMPARE(FormatFixed(ConeAngle(38, 42, r.L[1]), 2), std::string("3.89"));
    QVERIFY(r.warningText.empty());
    QVERIFY(!r.portLengthFlagged);
    QCOMPARE(r.D[0], 40.0);
    QCOMPARE(r.L[0], 30.0);
}

void TestChamber::chamber_cases_data() {
    QTest::addColumn<QString>("changes"); // key=text;key=text
    QTest::addColumn<bool>("straight");
    QTest::addColumn<QString>("diameters");
    QTest::addColumn<QString>("lengths");
    QTest::addColumn<QString>("angles");
    QTest::addColumn<QString>("tuned");
    QTest::addColumn<QString>("total");
    QTest::newRow("halves to even") << "RPM=12500.5;temp=450.5" << false << ""
                                    << ""
                                    << ""
                                    << "688.03"
                                    << "";
    QTest::newRow("halves equal the whole numbers") << "RPM=12500;temp=450" << false << ""
                                                    << ""
                                                    << ""
                                                    << "688.03"
                                                    << "";
    QTest::newRow("long port")
        << "portLength=100;portFlangeD=45" << false
        << "D1 = 42.00|D2 = 66.62|D3 = 102.64|D4 = 130.00|D5 = 130.00|D6 = 24.00|D7 = 24.00"
        << "L1 = 100.00|L2 = 233.48|L3 = 162.74|L4 = 81.81|L5 = 97.82|L6 = 213.43|L7 = 213.43"
        << ""
        << "889.27"
        << "1,102.70";
    QTest::newRow("straight header")
        << "" << true << "D1 = 38.00|D2 = 67.54|D3 = 103.18|D4 = 130.00|D5 = 130.00|D6 = 24.00|D7 = 24.00"
        << ""
        << "L2 = 6.91|L3 = 12.50|L4 = 18.62|L6 = 27.89"
        << "889.27"
        << "";
    QTest::newRow("thousands separator") << "timing=200;RPM=9000" << false << ""
                                         << ""
                                         << ""
                                         << "1,040.08"
                                         << "";
}

void TestChamber::chamber_cases() {
    QFETCH(QString, changes);
    QFETCH(bool, straight);
    const PipeResult r = Compute(Changes(changes), straight);
    const ChamberTexts t = FormatChamber(r);
    QFETCH(QString, diameters);
    QFETCH(QString, lengths);
    QFETCH(QString, angles);
    QFETCH(QString, tuned);
    QFETCH(QString, total);
    if (!diameters.isEmpty())
        QCOMPARE(Joined(t.diameters), diameters);
    if (!lengths.isEmpty())
        QCOMPARE(Joined(t.lengths), lengths);
    if (!angles.isEmpty())
        QCOMPARE(Joined(t.angles), angles);
    QCOMPARE(QString::fromStdString(t.tunedLength), tuned);
    if (!total.isEmpty())
        QCOMPARE(QString::fromStdString(FormatFixed(r.totalLength, 2)), total);
}

void TestChamber::warnings_in_order_data() {
    QTest::addColumn<QString>("changes");
    QTest::addColumn<bool>("straight");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<bool>("flagged");
    const QString taper =
        "WARNING !|Header pipe is 11.63 degree taper angle.|It cannot exceed the angle of the "
        "diffuser cone (L2) which is 5.98|Decrease the Port to Pipe Ratio OR select Straight "
        "Header Option and Press Pipe Calc again to re-calculate";
    QTest::newRow("none") << "" << false << "" << false;
    QTest::newRow("port length then flange") << "portLength=100;portFlangeD=45" << false
                                             << QString("WARNING !|%1|WARNING !|%2").arg(M1, M2) << true;
    QTest::newRow("taper") << "portFlangeD=30" << false << taper << false;
    QTest::newRow("flange equal to D1") << "portFlangeD=42" << false << "" << false;
    QTest::newRow("straight header silences the header checks") << "portFlangeD=60" << true << "" << false;
    QTest::newRow("flange alone") << "portFlangeD=45" << false << QString("WARNING !|%1").arg(M2) << false;
}

void TestChamber::warnings_in_order() {
    QFETCH(QString, changes);
    QFETCH(bool, straight);
    QFETCH(QString, warning);
    QFETCH(bool, flagged);
    const PipeResult r = Compute(Changes(changes), straight);
    QCOMPARE(Joined(r.warningText), warning);
    QCOMPARE(r.portLengthFlagged, flagged);
}

void TestChamber::calculation_failures_give_a_reason_data() {
    QTest::addColumn<QString>("changes");
    QTest::addColumn<QString>("reason");
    QTest::newRow("rpm 32767.5") << "RPM=32767.5"
                                 << "RPM is too large";
    QTest::newRow("rpm 40000") << "RPM=40000"
                               << "RPM is too large";
    QTest::newRow("temperature") << "temp=32768"
                                 << "exhaust temperature is too large";
    QTest::newRow("port beyond 0.375 TL") << "portLength=400"
                                          << "would get a negative length";
    QTest::newRow("integer horn does not hide it") << "portLength=400;hornCoefficient=2"
                                                   << "negative length";
    QTest::newRow("huge port diameter") << "portWindowD=1e300"
                                        << "too large";
    QTest::newRow("huge timing") << "timing=1e308"
                                 << "too large";
}

void TestChamber::calculation_failures_give_a_reason() {
    QFETCH(QString, changes);
    QFETCH(QString, reason);
    try {
        Compute(Changes(changes));
        QFAIL("no failure");
    } catch (const ArithmeticFailure &e) {
        const QString what = QString::fromUtf8(e.what());
        QVERIFY2(what.contains(reason), qPrintable(what));
        QVERIFY(!what.contains("nan") && !what.contains("inf"));
    }
}

void TestChamber::cone_list_carries_full_precision() {
    const PipeResult r = Compute();
    const ConeList cones = ConeListOf(r);
    const char *names[] = {"Cone L2", "Cone L3", "Cone L4", "Cone L6"};
    for (int i = 0; i < 4; ++i)
        QCOMPARE(cones[i].name, std::string(names[i]));
    QCOMPARE(cones[0].baseDiameter, r.D[2]);
    QCOMPARE(cones[0].tipDiameter, r.D[1]);
    QCOMPARE(cones[2].baseDiameter, r.D[4]);
    QCOMPARE(cones[3].baseDiameter, r.D[5]);
    QCOMPARE(cones[3].tipDiameter, r.D[6]);
    QCOMPARE(cones[3].centreLength, r.L[6]);
    QVERIFY(cones[0].centreLength != 244.55); // not the rounded text

    // The batch uses D1 after the straight header option.
    QCOMPARE(ConeListOf(Compute({}, true))[0].tipDiameter, 38.0);
}

void TestChamber::repeated_calculation_is_identical() {
    const PipeResult a = Compute({{"portLength", "100"}, {"portFlangeD", "45"}});
    const PipeResult b = Compute({{"portLength", "100"}, {"portFlangeD", "45"}});
    QCOMPARE(a.D, b.D);
    QCOMPARE(a.L, b.L);
    QCOMPARE(a.warningText, b.warningText);
}

void TestChamber::outline_worked_example() {
    const std::array<double, 8> D{0, 45, 80, 110, 130, 130, 22, 22};
    const std::array<double, 8> L{0, 100, 280, 180, 90, 110, 240, 240};
    const PipeOutline o = BuildPipeOutline(840, 180, 40, 44, 100, D, L);
    const int xs[] = {10, 70, 140, 317, 425, 478, 544, 687, 831};
    const int upper[] = {72, 70, 70, 54, 41, 32, 32, 80, 80};
    const int lower[] = {108, 110, 110, 126, 139, 148, 148, 100, 100};
    for (int j = 0; j < 9; ++j) {
        QCOMPARE(o.upper[j], (PixelPoint{xs[j], upper[j]}));
        QCOMPARE(o.lower[j], (PixelPoint{xs[j], lower[j]}));
    }
    const QStringList expected = {"P@10,50",   "F@70,50",   "D1@130,50", "D2@307,34",
                                  "D3@415,21", "D4@468,12", "D5@534,12", "D6@677,60",
                                  "D7@821,60", "L1@80,85",  "L2@206,85", "L3@353,85",
                                  "L4@442,85", "L5@500,85", "L6@591,85", "L7@735,85"};
    QStringList got;
    for (const OutlineLabel &l : o.labels)
        got << QString("%1@%2,%3").arg(QString::fromStdString(l.text)).arg(l.topLeft.x).arg(l.topLeft.y);
    QCOMPARE(got, expected);
}

void TestChamber::outline_keeps_its_margins_at_any_size() {
    const PipeResult r = Compute();
    for (int W : {300, 837, 1600}) {
        const PipeOutline o = BuildPipeOutline(W, 181, 40, 38, 30, r.D, r.L);
        QCOMPARE(o.upper[0].x, 10);
        QVERIFY2(std::abs(o.upper[8].x - (W - 10)) <= 1, qPrintable(QString::number(o.upper[8].x)));
        for (int j = 0; j < 9; ++j)
            QVERIFY(o.upper[j].y >= 0 && o.lower[j].y <= 181); // below 4.5 x D1 everything fits
    }
}

void TestChamber::straight_header_is_drawn_level() {
    const PipeResult r = Compute({}, true);
    const PipeOutline o = BuildPipeOutline(837, 181, 40, 38, 30, r.D, r.L);
    QCOMPARE(o.upper[1].y, o.upper[2].y);
}

QTEST_APPLESS_MAIN(TestChamber)
#include "tst_chamber.moc"
