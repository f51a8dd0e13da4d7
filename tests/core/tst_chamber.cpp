#include "chamber.h"
#include "chambertexts.h"
#include "numeric.h"
#include "pipeoutline.h"

#include <QtTest>

using namespace quorvane;

Q_DECLARE_METATYPE(quorvane::Failure)

namespace {

// The worked example's design with "key=text;key=text" changes, as the window's boxes would hold it.
PipeResult Compute(const QString &changes = {}, bool straight = false) {
    PipeTexts t = {"190", "10000", "500", "1.36", "300", "40", "30", "38", "1.05", "3.25", "0.6", "1.25"};
    for (const QString &pair : changes.split(';', Qt::SkipEmptyParts))
        t[std::size_t(*FieldByKey(pair.section('=', 0, 0).toStdString()))] =
            pair.section('=', 1).toStdString();
    return ComputeChamber(ParsePipeInputs(t, straight));
}

// A port exactly as long as the header allowance, typed with every digit.
QString ExactTenth() {
    return QString("portLength=%1").arg(Compute().tunedLength * 0.1, 0, 'g', 17);
}

QString Joined(const std::string &lines) {
    return QString::fromStdString(lines).replace('\n', '|');
}

void Row(const char *name, const QString &a, const QString &b, const QVariant &c) {
    QTest::newRow(name) << a << b << c;
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
const char *M3 =
    "Header pipe is 11.63 degree taper angle.|It cannot exceed the angle of the diffuser cone (L2) "
    "which is 5.98|Decrease the Port to Pipe Ratio OR select Straight Header Option and Press Pipe "
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
    void calculation_failures_have_their_kind_data();
    void calculation_failures_have_their_kind();
    void cone_list_carries_full_precision();
    void outline_worked_example();
    void outline_keeps_its_margins_at_any_size();
    void outline_clamps_coordinates_far_outside_the_picture();
};

void TestChamber::precheck_stops_at_the_first_failing_field_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("failing"); // empty: passes
    QTest::addColumn<QVariant>("unused");
    Row("example passes", "timing=190", "", {});
    Row("timing 360 passes", "timing=360", "", {});
    Row("timing 360.5", "timing=360.5", "timing", {});
    Row("timing 0.5", "timing=0.5", "timing", {});
    Row("rpm empty", "RPM=", "RPM", {});
    Row("rpm too large to read", "RPM=1e400", "RPM", {});
    Row("temp letters", "temp=hot", "temp", {});
    Row("heats 0.5", "heats=0.5", "heats", {});
    Row("gas constant 0", "gasConstant=0", "gasConstant", {});
    Row("port diameter 0.9", "portWindowD=0.9", "portWindowD", {});
    Row("port length empty", "portLength=", "portLength", {});
    Row("port length 0 passes", "portLength=0", "", {});
    Row("port length letters pass", "portLength=abc", "", {});
    Row("flange 0", "portFlangeD=0", "portFlangeD", {});
    Row("port to pipe 0.99", "portToPipe=0.99", "portToPipe", {});
    Row("port to mid empty", "portToMid=", "portToMid", {});
    Row("outlet 0.1 passes", "portToOutlet=0.1", "", {});
    Row("outlet 0.09", "portToOutlet=0.09", "portToOutlet", {});
    Row("horn 0", "hornCoefficient=0", "hornCoefficient", {});
    Row("advisory yellow still passes", "RPM=4999", "", {});
}

void TestChamber::precheck_stops_at_the_first_failing_field() {
    QFETCH(QString, change);
    QFETCH(QString, failing);
    PipeTexts t = {"190", "10000", "500", "1.36", "300", "40", "30", "38", "1.05", "3.25", "0.6", "1.25"};
    t[std::size_t(*FieldByKey(change.section('=', 0, 0).toStdString()))] =
        change.section('=', 1).toStdString();
    const auto result = ValidatePipeInputs(t);
    QCOMPARE(result ? QString(FieldInfo(*result).key) : QString(), failing);
}

void TestChamber::advisory_ranges_include_their_bounds_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("yellow");
    Row("timing 220", "timing", "220", false);
    Row("timing 220.01", "timing", "220.01", true);
    Row("timing 140", "timing", "140", false);
    Row("timing empty", "timing", "", true);
    Row("rpm 4999", "RPM", "4999", true);
    Row("rpm 5000", "RPM", "5000", false);
    Row("rpm 30000", "RPM", "30000", false);
    Row("rpm 30001", "RPM", "30001", true);
    Row("rpm unreadable", "RPM", "1e999", true);
    Row("temp 299", "temp", "299", true);
    Row("temp 1000", "temp", "1000", false);
    Row("pipe 1.25", "portToPipe", "1.25", false);
    Row("pipe 1.26", "portToPipe", "1.26", true);
    Row("mid 2.125", "portToMid", "2.125", false);
    Row("mid 2.12", "portToMid", "2.12", true);
    Row("outlet 0.7", "portToOutlet", "0.7", false);
    Row("outlet 0.71", "portToOutlet", "0.71", true);
    Row("horn 2", "hornCoefficient", "2", false);
    Row("horn 2.01", "hornCoefficient", "2.01", true);
    Row("heats has no range", "heats", "abc", false);
    Row("flange has no range", "portFlangeD", "", false);
}

void TestChamber::advisory_ranges_include_their_bounds() {
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(QVariant, yellow);
    const BoxColour colour = AdvisoryColour(*FieldByKey(key.toStdString()), text.toStdString());
    QCOMPARE(colour == BoxColour::Advisory, yellow.toBool());
}

void TestChamber::port_length_turns_yellow_exactly_when_the_warning_would_fire() {
    QCOMPARE(PortLengthColour("500", std::nullopt), BoxColour::Normal); // before any calculation
    const double TL = Compute().tunedLength;
    for (const char *text : {"30", "88", "88.93", "89", "100", "abc"}) {
        const bool fires = Compute(QString("portLength=") + text).portLengthFlagged;
        QCOMPARE(PortLengthColour(text, TL) == BoxColour::Advisory, fires);
    }
    QCOMPARE(PortLengthColour("100", TL), BoxColour::Advisory);
}

void TestChamber::worked_example_digit_for_digit() {
    const PipeResult r = Compute();
    const ChamberTexts t = FormatChamber(r);
    QCOMPARE(Joined(t.diameters),
             "D1 = 42.00|D2 = 67.54|D3 = 103.18|D4 = 130.00|D5 = 130.00|D6 = 24.00|D7 = 24.00");
    QCOMPARE(Joined(t.lengths),
             "L1 = 58.93|L2 = 244.55|L3 = 162.74|L4 = 81.81|L5 = 97.82|L6 = 213.43|L7 = 213.43");
    QCOMPARE(Joined(t.angles), "L2 = 5.98|L3 = 12.50|L4 = 18.62|L6 = 27.89");
    QCOMPARE(t.tunedLength, std::string("889.27"));
    QCOMPARE(FormatFixed(r.totalLength, 2), std::string("1,072.70"));
    QCOMPARE(FormatFixed(ConeAngle(38, 42, r.L[1]), 2), std::string("3.89"));
    QVERIFY(r.warningText.empty() && !r.portLengthFlagged);
    QCOMPARE(Compute().D, r.D); // a second calculation gives the same
}

void TestChamber::chamber_cases_data() {
    QTest::addColumn<QString>("changes");
    QTest::addColumn<QString>("expected"); // fragments of the joined output texts
    QTest::addColumn<QVariant>("straight");
    Row("halves to even", "RPM=12500.5;temp=450.5", "T 688.03", false);
    Row("halves equal the whole numbers", "RPM=12500;temp=450", "T 688.03", false);
    Row("long port", "portLength=100;portFlangeD=45",
        "D1 = 42.00|D2 = 66.62|D3 = 102.64|D4 = 130.00 ~ L1 = 100.00|L2 = 233.48|L3 = 162.74 ~ S 1,102.70",
        false);
    Row("port length exactly a tenth", ExactTenth(), "L1 = 0.00|", false);
    Row("straight header", "", "D1 = 38.00|D2 = 67.54|D3 = 103.18 ~ A L2 = 6.91|L3 = 12.50", true);
    Row("thousands separator", "timing=200;RPM=9000", "T 1,040.08", false);
}

void TestChamber::chamber_cases() {
    QFETCH(QString, changes);
    QFETCH(QString, expected);
    QFETCH(QVariant, straight);
    const PipeResult r = Compute(changes, straight.toBool());
    const ChamberTexts t = FormatChamber(r);
    const QString all = Joined(t.diameters) + '|' + Joined(t.lengths) + "|A " + Joined(t.angles) + "|T " +
                        QString::fromStdString(t.tunedLength) + "|S " +
                        QString::fromStdString(FormatFixed(r.totalLength, 2));
    for (const QString &fragment : expected.split(" ~ "))
        QVERIFY2(all.contains(fragment), qPrintable(all));
}

void TestChamber::warnings_in_order_data() {
    QTest::addColumn<QString>("changes");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QVariant>("straight");
    Row("none", "", "", false);
    Row("port length then flange", "portLength=100;portFlangeD=45",
        QString("WARNING !|%1|WARNING !|%2").arg(M1, M2), false);
    Row("taper", "portFlangeD=30", QString("WARNING !|%1").arg(M3), false);
    Row("flange equal to D1", "portFlangeD=42", "", false);
    Row("straight header silences the header checks", "portFlangeD=60", "", true);
    Row("flange alone", "portFlangeD=45", QString("WARNING !|%1").arg(M2), false);
    Row("zero-length header is 180 degrees", ExactTenth() + ";portFlangeD=30",
        "WARNING !|Header pipe is 180.00 degree taper angle.", false);
}

void TestChamber::warnings_in_order() {
    QFETCH(QString, changes);
    QFETCH(QString, warning);
    QFETCH(QVariant, straight);
    const PipeResult r = Compute(changes, straight.toBool());
    if (warning.contains("180.00"))
        QVERIFY2(Joined(r.warningText).startsWith(warning), r.warningText.c_str());
    else
        QCOMPARE(Joined(r.warningText), warning);
    QCOMPARE(r.portLengthFlagged, changes.contains("portLength=100"));
}

void TestChamber::calculation_failures_have_their_kind_data() {
    QTest::addColumn<QString>("changes");
    QTest::addColumn<QString>("unused");
    QTest::addColumn<QVariant>("kind");
    const auto row = [](const char *name, const QString &changes, Failure kind) {
        Row(name, changes, {}, QVariant::fromValue(kind));
    };
    row("rpm 32767.5", "RPM=32767.5", Failure::RpmTooLarge);
    row("rpm 40000", "RPM=40000", Failure::RpmTooLarge);
    row("temperature", "temp=32768", Failure::TemperatureTooLarge);
    row("port beyond 0.375 TL", "portLength=400", Failure::PortTooLong);
    row("integer horn does not hide it", "portLength=400;hornCoefficient=2", Failure::PortTooLong);
    // One of the few designs where L2 comes out exactly 0.
    row("port exactly 0.375 TL", "RPM=9000;portLength=370.5297426926851", Failure::PortLeavesNoCone);
    row("huge port diameter", "portWindowD=1e300", Failure::NumbersTooLarge);
    row("huge timing", "timing=1e308", Failure::NumbersTooLarge);
}

void TestChamber::calculation_failures_have_their_kind() {
    QFETCH(QString, changes);
    QFETCH(QVariant, kind);
    try {
        Compute(changes);
        QFAIL("no failure");
    } catch (const ArithmeticFailure &e) {
        QCOMPARE(e.kind(), kind.value<Failure>());
    }
}

void TestChamber::cone_list_carries_full_precision() {
    const PipeResult r = Compute();
    const ConeList cones = ConeListOf(r);
    QCOMPARE(cones[0].name + cones[1].name + cones[2].name + cones[3].name,
             std::string("Cone L2Cone L3Cone L4Cone L6"));
    QVERIFY(cones[0].baseDiameter == r.D[2] && cones[0].tipDiameter == r.D[1] &&
            cones[0].centreLength == r.L[2]);
    QVERIFY(cones[2].baseDiameter == r.D[4] && cones[2].tipDiameter == r.D[3]);
    QVERIFY(cones[3].baseDiameter == r.D[5] && cones[3].tipDiameter == r.D[6] &&
            cones[3].centreLength == r.L[6]);
    QVERIFY(cones[0].centreLength != 244.55);                     // not the rounded text
    QCOMPARE(ConeListOf(Compute({}, true))[0].tipDiameter, 38.0); // D1 after the straight header
}

void TestChamber::outline_worked_example() {
    const std::array<double, 8> D{0, 45, 80, 110, 130, 130, 22, 22};
    const std::array<double, 8> L{0, 100, 280, 180, 90, 110, 240, 240};
    const PipeOutline o = BuildPipeOutline(840, 180, 40, 44, 100, D, L);
    QStringList got;
    for (int j = 0; j < 9; ++j)
        got << QString("%1,%2,%3").arg(o.upper[j].x).arg(o.upper[j].y).arg(o.lower[j].y);
    for (const OutlineLabel &l : o.labels)
        got << QString("%1@%2,%3").arg(QString::fromStdString(l.text)).arg(l.topLeft.x).arg(l.topLeft.y);
    QCOMPARE(got.join(' '),
             "10,72,108 70,70,110 140,70,110 317,54,126 425,41,139 478,32,148 544,32,148 687,80,100 "
             "831,80,100 P@10,50 F@70,50 D1@130,50 D2@307,34 D3@415,21 D4@468,12 D5@534,12 "
             "D6@677,60 D7@821,60 L1@80,85 L2@206,85 L3@353,85 L4@442,85 L5@500,85 L6@591,85 "
             "L7@735,85");
    for (int j = 0; j < 9; ++j)
        QCOMPARE(o.lower[j].x, o.upper[j].x);
}

void TestChamber::outline_keeps_its_margins_at_any_size() {
    for (bool straight : {false, true}) {
        const PipeResult r = Compute({}, straight);
        for (int W : {300, 837, 1600}) {
            const PipeOutline o = BuildPipeOutline(W, 181, 40, 38, 30, r.D, r.L);
            QCOMPARE(o.upper[0].x, 10);
            QVERIFY(std::abs(o.upper[8].x - (W - 10)) <= 1);
            for (int j = 0; j < 9; ++j)
                QVERIFY(o.upper[j].y >= 0 && o.lower[j].y <= 181); // below 4.5 x D1 everything fits
            if (straight)
                QCOMPARE(o.upper[1].y, o.upper[2].y); // a straight header is drawn level
        }
    }
}

void TestChamber::outline_clamps_coordinates_far_outside_the_picture() {
    const std::array<double, 8> D{0, 45, 80, 110, 130, 130, 22, 22};
    const std::array<double, 8> L{0, 100, 280, 180, 90, 110, 240, 240};
    const PipeOutline near = BuildPipeOutline(840, 180, 40, 44, 100, D, L);
    const PipeOutline far = BuildPipeOutline(840, 180, 40, 1e13, 100, D, L); // a flange of 1e13 mm
    for (int j = 0; j < 9; ++j) {
        QCOMPARE(far.upper[j], (j == 1 ? PixelPoint{near.upper[1].x, -kFarPixel} : near.upper[j]));
        QCOMPARE(far.lower[j], (j == 1 ? PixelPoint{near.lower[1].x, kFarPixel} : near.lower[j]));
    }
    QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, BuildPipeOutline(840, 180, 40, std::nan(""), 100, D, L));
}

QTEST_APPLESS_MAIN(TestChamber)
#include "tst_chamber.moc"
