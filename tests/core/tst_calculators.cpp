#include "chamber.h"
#include "conecalc.h"
#include "coneplot.h"
#include "flatcone.h"
#include "inputcalc.h"
#include "numeric.h"
#include "portarea.h"

#include <QtTest>

using namespace quorvane;

using Thrown = std::optional<Failure>;
Q_DECLARE_METATYPE(quorvane::CalcOutcome)
Q_DECLARE_METATYPE(quorvane::Failure)
Q_DECLARE_METATYPE(Thrown)

namespace {

QString Describe(const CalcOutcome &o) {
    if (!o.failure.empty())
        return o.focus ? QString("failure@%1").arg(*o.focus) : "failure";
    if (o.focus)
        return QString("refuse@%1").arg(*o.focus);
    QStringList parts;
    for (const std::string &s : o.outputs)
        parts << QString::fromStdString(s);
    return parts.join(" / ");
}

} // namespace

class TestCalculators : public QObject {
    Q_OBJECT

  private slots:
    void calculator_buttons_data();
    void calculator_buttons();
    void formulas_fail_with_their_kind_data();
    void formulas_fail_with_their_kind();
    void cone_calculations_agree_with_each_other();
    void flat_cone_figures_of_odd_cones();
    void batch_skips_zero_cones_and_shows_only_with_the_last();
};

void TestCalculators::calculator_buttons_data() {
    QTest::addColumn<CalcOutcome>("outcome");
    QTest::addColumn<QString>("expected");
    // Port area calculator
    QTest::newRow("chordal width") << CalcPortWidth("30", "60") << "28.77";
    QTest::newRow("curved width 0.5") << CalcPortWidth("0.5", "60") << "refuse@0";
    QTest::newRow("bore 1.5") << CalcPortWidth("30", "1.5") << "refuse@1";
    QTest::newRow("area, corners") << CalcPortArea("40", "30", "5", 2, "3", 2, "", "") << "1185.41 / 38.85";
    QTest::newRow("area, curved top")
        << CalcPortArea("40", "30", "5", 2, "3", 2, "52", "4") << "1132.92 / 37.98";
    QTest::newRow("area, four corners")
        << CalcPortArea("40", "30", "5", 4, "", 2, "", "") << "1178.54 / 38.74";
    QTest::newRow("area, nothing selected")
        << CalcPortArea("40", "30", "5", 0, "3", 0, "", "") << "1200.00 / 39.09";
    QTest::newRow("area, all empty") << CalcPortArea("", "", "", 2, "", 2, "", "") << "0.00 / 0.00";
    QTest::newRow("area, negative") << CalcPortArea("4", "3", "5", 4, "", 2, "", "") << "failure@2";
    QTest::newRow("area, segment too high")
        << CalcPortArea("40", "30", "", 2, "", 2, "5", "11") << "failure@4";
    QTest::newRow("area, overflow") << CalcPortArea("1e300", "1e300", "", 2, "", 2, "", "") << "failure@0";
    QTest::newRow("segment only") << CalcSegmentOnly("50", "5") << "146.81";
    QTest::newRow("segment skipped") << CalcSegmentOnly("0", "5") << "";
    QTest::newRow("segment too high") << CalcSegmentOnly("5", "11") << "failure@0";
    QTest::newRow("area to diameter, million") << CalcAreaToDiameter("1000000") << "1,128.38";
    QTest::newRow("area to diameter, grouped text") << CalcAreaToDiameter("1,234") << "1.13";
    QTest::newRow("area to diameter, empty") << CalcAreaToDiameter("") << "0.00";
    QTest::newRow("area to diameter, negative") << CalcAreaToDiameter("-5") << "failure@0";
    QTest::newRow("area to diameter, unreadable") << CalcAreaToDiameter("1e400") << "failure@0";
    // Input values calculator
    QTest::newRow("timing") << CalcTiming("54", "110", "0", "27") << "194.10 / 27.00";
    QTest::newRow("timing with deck") << CalcTiming("54", "110", "0.5", "27") << "196.17 / 27.00";
    QTest::newRow("timing, stroke 0.5") << CalcTiming("0.5", "110", "0", "27") << "refuse@0";
    QTest::newRow("timing, rod empty") << CalcTiming("54", "", "0", "27") << "refuse@1";
    QTest::newRow("timing, port top 0") << CalcTiming("54", "110", "-5", "0") << "refuse@3";
    QTest::newRow("timing, division by zero") << CalcTiming("54", "110", "0", "137") << "failure@3";
    QTest::newRow("timing, overflow") << CalcTiming("1e300", "110", "0", "27") << "failure@0";
    QTest::newRow("bmep") << CalcBmep("30", "11000", "54", "54.5") << "13.11";
    QTest::newRow("bmep lower power") << CalcBmep("20", "10000", "54", "54.5") << "9.61";
    QTest::newRow("bmep, bore 0") << CalcBmep("20", "10000", "0", "54.5") << "refuse@2";
    QTest::newRow("bmep, overflow") << CalcBmep("1e308", "1", "1", "1") << "failure@0";
    // Cone calculator
    QTest::newRow("from centre") << CalcFromCentreLength("100", "50", "100") << "14.04 / 103.08";
    QTest::newRow("from side") << CalcFromSideLength("100", "50", "103.08") << "100.00 / 14.04";
    QTest::newRow("from angle") << CalcFromHalfAngle("100", "50", "14.04") << "99.97 / 103.05";
    QTest::newRow("equal diameters") << CalcFromCentreLength("60", "60", "100") << "0.00 / 100.00";
    QTest::newRow("tip larger") << CalcFromCentreLength("50", "100", "100") << "-14.04 / 103.08";
    QTest::newRow("half angle 0.5") << CalcFromHalfAngle("100", "50", "0.5") << "refuse@2";
    QTest::newRow("base before tip") << CalcFromHalfAngle("0", "0", "10") << "refuse@0";
    QTest::newRow("tip") << CalcFromSideLength("100", "", "10") << "refuse@1";
    QTest::newRow("side too short") << CalcFromSideLength("100", "50", "10") << "failure@2";
    QTest::newRow("cone overflow") << CalcFromCentreLength("1e300", "50", "1e300") << "failure@0";
    // Flat cone plot
    QTest::newRow("flat cone")
        << CalcSingleCone("120", "80", "150", "1.5")
        << "Cone\nBase = 120.00 ID\nTip = 80.00 ID\nHeight = 150.00\nA = 374.86\nB = 252.76\nC = 302.65\n"
           "D = 453.98";
    QTest::newRow("base unreadable before tip 0") << CalcSingleCone("1e400", "0", "150", "1") << "failure@0";
    QTest::newRow("height 0.5") << CalcSingleCone("120", "80", "0.5", "1") << "refuse@2";
    QTest::newRow("thickness empty") << CalcSingleCone("120", "80", "150", "") << "refuse@3";
    QTest::newRow("thickness unreadable") << CalcSingleCone("120", "80", "150", "1e400") << "failure";
    QTest::newRow("batch before any calculation") << CalcBatchCones(ConeList{}, "1") << "";
    QTest::newRow("batch, thickness empty") << CalcBatchCones(ConeList{}, "") << "refuse@3";
}

void TestCalculators::calculator_buttons() {
    QFETCH(CalcOutcome, outcome);
    QFETCH(QString, expected);
    QCOMPARE(Describe(outcome), expected);
}

void TestCalculators::formulas_fail_with_their_kind_data() {
    QTest::addColumn<Thrown>("thrown");
    QTest::addColumn<Failure>("kind");
    const auto row = [](const char *name, Failure kind, auto call) {
        Thrown thrown;
        try {
            call();
        } catch (const ArithmeticFailure &e) {
            thrown = e.kind();
        }
        QTest::newRow(name) << thrown << kind;
    };
    row("unreadable number", Failure::NumberTooLargeToRead, [] { ParseLeadingNumber("1e400"); });
    row("overflow", Failure::NumbersTooLarge, [] { Square(1e200); });
    row("cotangent of 0", Failure::NoCotangent, [] { CotDeg(0); });
    row("zero-length cone", Failure::ZeroLengthCone, [] { ConeAngle(40, 40, 0); });
    row("side too short", Failure::SideTooShort, [] { ConeFromSideLength(100, 50, 10); });
    row("cylinder", Failure::CylinderHasNoApex, [] { FlattenCone(60, 60, 100, 1); });
    row("port level with the pin", Failure::PortNeverOpens, [] { ExhaustPortTiming(54, 110, 0, 137); });
    row("segment too high", Failure::SegmentTooHigh, [] { SegmentArea(5, 11); });
    row("negative area", Failure::NegativeArea, [] { EquivalentDiameter(-5); });
}

void TestCalculators::formulas_fail_with_their_kind() {
    QFETCH(Thrown, thrown);
    QFETCH(Failure, kind);
    QCOMPARE(thrown, Thrown(kind));
}

void TestCalculators::cone_calculations_agree_with_each_other() {
    const ConeLengths a = ConeFromCentreLength(130, 42, 244.55);
    const ConeLengths b = ConeFromSideLength(130, 42, a.sideLength);
    const ConeLengths c = ConeFromHalfAngle(130, 42, a.halfAngle);
    QVERIFY(std::fabs(b.centreLength - 244.55) < 1e-9);
    QVERIFY(std::fabs(c.centreLength - 244.55) < 1e-9);
    QVERIFY(std::fabs(b.halfAngle - a.halfAngle) < 1e-12);
}

void TestCalculators::flat_cone_figures_of_odd_cones() {
    // Tip larger than base: same formulas, the inner radius becomes the larger.
    const FlatCone inverted = FlattenCone(80, 120, 150, 0);
    QVERIFY(inverted.innerRadius > inverted.outerRadius);
    // A very flat cone with a thick sheet passes 360 degrees: the chord goes negative, unchanged.
    const FlatCone flat = FlattenCone(100, 90, 1, 10);
    QVERIFY(flat.outerChord < 0 || flat.innerChord < 0);
}

void TestCalculators::batch_skips_zero_cones_and_shows_only_with_the_last() {
    ConeList cones{{{"Cone L2", 67.54, 42, 0},
                    {"Cone L3", 103.18, 67.54, 162.74},
                    {"Cone L4", 130, 103.18, 81.81},
                    {"Cone L6", 130, 24, 213.43}}};
    const QString report = Describe(CalcBatchCones(cones, "1"));
    QVERIFY(report.startsWith("Cone L3\n"));
    QCOMPARE(report.split("\n\n").size(), 3);
    cones[3].centreLength = 0; // the last cone is what puts the report on show
    QCOMPARE(Describe(CalcBatchCones(cones, "1")), QString());
}

QTEST_APPLESS_MAIN(TestCalculators)
#include "tst_calculators.moc"
