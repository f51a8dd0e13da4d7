// SPDX-License-Identifier: GPL-3.0-or-later
#include "carriedresults.h"
#include "chamber.h"
#include "conecalc.h"
#include "coneplot.h"
#include "flatcone.h"
#include "inputcalc.h"
#include "numeric.h"
#include "portarea.h"
#include "unitconversion.h"
#include "workedexamples.h"

#include <QProcess>
#include <QTemporaryDir>

#include <bit>
#include <clocale>
#include <map>
#include <numbers>

using namespace quorvane;

using Thrown = std::optional<Failure>;

namespace {

using Texts = const std::vector<std::string> &;

int Count(const std::string &k) {
    return k.empty() ? 2 : std::stoi(k); // "x 2" is selected when the window opens
}

CalcOutcome Converted(Conversion pair, int from, const std::string &text) {
    try {
        return {{Convert(pair, from, text)}, {}, {}};
    } catch (const ArithmeticFailure &e) {
        return CalcOutcome::Fail(std::nullopt, e);
    }
}

// Each calculator button over the texts of its inputs, in the order its declaration names them.
const std::map<QString, CalcOutcome (*)(Texts)> kButtons = {
    {"port-width", [](Texts v) { return CalcPortWidth(v[0], v[1]); }},
    {"segment-area", [](Texts v) { return CalcSegmentOnly(v[1], v[0]); }},
    {"port-area",
     [](Texts v) { return CalcPortArea(v[0], v[1], v[2], Count(v[6]), v[3], Count(v[7]), v[5], v[4]); }},
    {"area-to-diameter", [](Texts v) { return CalcAreaToDiameter(v[0]); }},
    {"port-timing", [](Texts v) { return CalcTiming(v[0], v[1], v[2], v[3]); }},
    {"bmep", [](Texts v) { return CalcBmep(v[0], v[1], v[2], v[3]); }},
    {"cone from-angle", [](Texts v) { return CalcFromHalfAngle(v[0], v[1], v[2]); }},
    {"cone from-side", [](Texts v) { return CalcFromSideLength(v[0], v[1], v[2]); }},
    {"cone from-centre", [](Texts v) { return CalcFromCentreLength(v[0], v[1], v[2]); }},
    {"flatcone", [](Texts v) { return CalcSingleCone(v[0], v[1], v[2], v[3]); }},
    {"convert c-to-f", [](Texts v) { return Converted(Conversion::Temperature, 0, v[0]); }},
    {"convert f-to-c", [](Texts v) { return Converted(Conversion::Temperature, 1, v[0]); }},
    {"convert kw-to-hp", [](Texts v) { return Converted(Conversion::Power, 0, v[0]); }},
    {"convert hp-to-kw", [](Texts v) { return Converted(Conversion::Power, 1, v[0]); }},
    {"convert mm-to-inch", [](Texts v) { return Converted(Conversion::Length, 0, v[0]); }},
    {"convert inch-to-mm", [](Texts v) { return Converted(Conversion::Length, 1, v[0]); }},
};

} // namespace

class TestCalculators : public QObject {
    Q_OBJECT
    QTemporaryDir m_locales;

  private slots:
    // Every number must read and write the same under a comma-decimal locale, or the window would
    // read its own port area back without its decimals. Where the system has no such locale, the
    // test compiles one for itself.
    void initTestCase() {
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
            QVERIFY(m_locales.isValid());
            QProcess::execute(QStringLiteral("localedef"),
                              {"-i", "de_DE", "-f", "UTF-8", m_locales.filePath("de_DE.UTF-8")});
            qputenv("LOCPATH", QFile::encodeName(m_locales.path()));
            QVERIFY(std::setlocale(LC_ALL, "de_DE.UTF-8"));
        }
        QCOMPARE(QByteArray(std::localeconv()->decimal_point), QByteArray(","));
    }

    // The calculations were written with 4 * atan(1) for pi and pi / 2 as 2 * atan(1);
    // std::numbers::pi must be the same double, also against the run-time atan.
    void pi_is_four_times_atan_one() {
        volatile double one = 1.0;
        QCOMPARE(std::bit_cast<quint64>(4.0 * std::atan(one)), std::bit_cast<quint64>(std::numbers::pi));
        QCOMPARE(std::bit_cast<quint64>(2.0 * std::atan(one)),
                 std::bit_cast<quint64>(std::numbers::pi / 2.0));
    }

    void numeric_examples_data() {
        examples::AddRows({"arcsin", "arccos", "cotdeg", "square", "parse", "format"}, "core");
    }
    void numeric_examples() {
        QFETCH(examples::Case, example);
        const QString &c = example.calculation;
        const double x = example.inputs.value(c == "format" ? "value" : "x").toDouble();
        // Values are compared with every digit, not fuzzily.
        const auto digits = [](double v) { return QString::number(v, 'g', 17); };
        QMap<QString, QString> shown, expected = example.outputs;
        if (expected.contains("value"))
            expected["value"] = digits(expected["value"].toDouble());
        try {
            if (c == "format")
                shown["text"] = QString::fromStdString(FormatFixed(
                    x, example.inputs.value("digits").toInt(),
                    example.inputs.value("grouping") == "off" ? Grouping::Off : Grouping::Default));
            else
                shown["value"] =
                    digits(c == "arcsin"   ? ArcSin(x)
                           : c == "arccos" ? ArcCos(x)
                           : c == "cotdeg" ? CotDeg(x)
                           : c == "square" ? Square(x)
                                           : ParseLeadingNumber(example.inputs.value("text").toStdString()));
        } catch (const ArithmeticFailure &e) {
            shown["why"] = QString::fromUtf8(e.what());
        }
        examples::CompareShown(shown, expected);
    }

    void numeric_edges() {
        QVERIFY(std::fabs(CotDeg(90) - 6.123233995736766e-17) < 1e-30);
        QVERIFY(CotDeg(180) < -8.16e15 && CotDeg(180) > -8.18e15);
        QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, Checked(0.0 / std::sqrt(0.0)));
        for (double v : {0.0, 0.01, 1.5, 123.45, 98765.43, -7.25}) // formatted numbers read back
            QCOMPARE(ParseLeadingNumber(FormatFixed(v, 2, Grouping::Off)), v);
        // Halves round to even into 16 bits.
        for (const auto &[value, rounded] :
             {std::pair{12500.5, 12500}, {450.5, 450}, {451.5, 452}, {32767.49, 32767}, {-32768.5, -32768}})
            QCOMPARE(RoundToInt16(value, Failure::RpmTooLarge), short(rounded));
        for (const double value : {32767.5, std::nan("")})
            QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, RoundToInt16(value, Failure::RpmTooLarge));
    }

    void worked_examples_data() { examples::AddRows(examples::Declared("core"), "core"); }

    // The core's declaration names the inputs as CalcOutcome::focus counts them, then any others.
    void worked_examples() {
        QFETCH(examples::Case, example);
        QVERIFY2(kButtons.contains(example.calculation), "no such calculation");
        const QString how = examples::How(example.calculation, "core");
        const QStringList inputs = how.section(" > ", 0, 0).split(' '),
                          outputs = how.section(" > ", 1).split(' ');
        for (const auto &[name, text] : example.inputs.asKeyValueRange())
            QVERIFY2(inputs.contains(name), qPrintable("no input " + name));
        std::vector<std::string> texts;
        for (const QString &name : inputs)
            texts.push_back(example.inputs.value(name).toStdString());
        const CalcOutcome outcome = kButtons.at(example.calculation)(texts);
        QMap<QString, QString> shown;
        if (!outcome.failure.empty())
            shown["why"] = QString::fromStdString(outcome.failure);
        if (outcome.focus)
            shown[outcome.failure.empty() ? "refused" : "failed"] = inputs[*outcome.focus];
        for (std::size_t i = 0; i < outcome.outputs.size(); ++i)
            shown[outputs[qsizetype(i)]] = QString::fromStdString(outcome.outputs[i]);
        examples::CompareShown(shown, example.outputs);
    }

    // The other kinds show in the worked examples, each by its text.
    void formulas_fail_with_their_kind() {
        const auto thrown = [](auto call) -> Thrown {
            try {
                call();
            } catch (const ArithmeticFailure &e) {
                return e.kind();
            }
            return std::nullopt;
        };
        QCOMPARE(thrown([] { ConeAngle(40, 40, 0); }), Thrown(Failure::ZeroLengthCone));
        QCOMPARE(thrown([] { FlattenCone(60, 60, 100, 1); }), Thrown(Failure::CylinderHasNoApex));
        // Beyond the pre-check's limit, so only the calculation itself meets it.
        QCOMPARE(thrown([] {
                     ComputeChamber({1e308, 10000, 500, 1.36, 300, 40, 30, 38, 1.05, 3.25, 0.6, 1.25, false});
                 }),
                 Thrown(Failure::NumbersTooLarge));
    }

    void cone_calculations_agree_with_each_other() {
        const ConeLengths a = ConeFromCentreLength(130, 42, 244.55);
        const ConeLengths b = ConeFromSideLength(130, 42, a.sideLength);
        const ConeLengths c = ConeFromHalfAngle(130, 42, a.halfAngle);
        QVERIFY(std::fabs(b.centreLength - 244.55) < 1e-9);
        QVERIFY(std::fabs(c.centreLength - 244.55) < 1e-9);
        QVERIFY(std::fabs(b.halfAngle - a.halfAngle) < 1e-12);
    }

    void carried_results_data() {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("asInput"); // "-" for nothing to carry
        QTest::addColumn<QString>("temperature");
        const auto row = [](const char *shown, const char *asInput, const char *temperature) {
            QTest::newRow(shown) << QString(shown) << QString(asInput) << QString(temperature);
        };
        row("", "-", "-");
        row("abc", "-", "-");
        row("38.85", "38.85", "650"); // over 11 bar
        row("1,234,567.00", "1234567.00", "650");
        row("4.99", "4.99", "350"); // under 5 bar
        row("7.00", "7.00", "450"); // the guide's own lines
        row("9.00", "9.00", "550");
        row("9.61", "9.61", "580"); // 580.5: halves to even
        row("9.63", "9.63", "582"); // 581.5
        row("11.00", "11.00", "650");
        row("-3.00", "-3.00", "350");
        row("1e999", "1e999", "-"); // typed over: too large to read, nothing to estimate
    }
    // A result goes into a design box as that box reads it; the BMEP's temperature follows the guide.
    void carried_results() {
        QFETCH(QString, shown);
        QFETCH(QString, asInput);
        QFETCH(QString, temperature);
        const std::optional<std::string> input = ResultAsInput(shown.toStdString());
        QCOMPARE(input ? QString::fromStdString(*input) : QString("-"), asInput);
        const std::optional<std::string> estimate = EstimatedExhaustTemperatureText(shown.toStdString());
        QCOMPARE(estimate ? QString::fromStdString(*estimate) : QString("-"), temperature);
    }

    void batch_skips_zero_cones_and_shows_only_with_the_last() {
        QVERIFY(CalcBatchCones(ConeList{}, "1").outputs ==
                std::vector<std::string>{""}); // before any calculation
        ConeList cones{{{"Cone L2", 67.54, 42, 0},
                        {"Cone L3", 103.18, 67.54, 162.74},
                        {"Cone L4", 130, 103.18, 81.81},
                        {"Cone L6", 130, 24, 213.43}}};
        const QString report = QString::fromStdString(CalcBatchCones(cones, "1").outputs.at(0));
        QVERIFY(report.startsWith("Cone L3\n"));
        QCOMPARE(report.split("\n\n").size(), 3);
        cones[3].centreLength = 0; // the last cone is what puts the report on show
        QCOMPARE(CalcBatchCones(cones, "1").outputs, std::vector<std::string>{""});
    }
};

QTEST_APPLESS_MAIN(TestCalculators)
#include "tst_calculators.moc"
