// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric.h"
#include "workedexamples.h"

#include <QtTest>

#include <bit>
#include <clocale>
#include <cmath>
#include <numbers>

using namespace quorvane;

class TestNumeric : public QObject {
    Q_OBJECT

  private slots:
    // A comma-decimal locale, where there is one, must change nothing that is read or written, or the
    // window would read its own port area back without its decimals.
    void initTestCase() {
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
            std::setlocale(LC_ALL, "fr_FR.UTF-8");
    }
    // The calculations were written with 4 * atan(1) for pi and pi / 2 as 2 * atan(1);
    // std::numbers::pi must be the same double, also against the run-time atan.
    void pi_is_four_times_atan_one() {
        volatile double one = 1.0;
        QCOMPARE(std::bit_cast<quint64>(4.0 * std::atan(one)), std::bit_cast<quint64>(std::numbers::pi));
        QCOMPARE(std::bit_cast<quint64>(2.0 * std::atan(one)),
                 std::bit_cast<quint64>(std::numbers::pi / 2.0));
    }

    // Arcsine, arccosine, cotangent, square, parse and format over the worked examples.
    void worked_examples_data() {
        examples::AddRows({"arcsin", "arccos", "cotdeg", "square", "parse", "format"}, "core");
    }

    void worked_examples() {
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

    void cotangent_in_degrees() {
        QVERIFY(std::fabs(CotDeg(90) - 6.123233995736766e-17) < 1e-30);
        QVERIFY(CotDeg(180) < -8.16e15 && CotDeg(180) > -8.18e15);
        QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, Checked(0.0 / std::sqrt(0.0)));
    }

    void formatted_numbers_read_back() {
        for (double v : {0.0, 0.01, 1.5, 123.45, 98765.43, -7.25})
            QCOMPARE(ParseLeadingNumber(FormatFixed(v, 2, Grouping::Off)), v);
    }

    void rounds_halves_to_even_into_16_bits() {
        QCOMPARE(RoundToInt16(12500.5, Failure::RpmTooLarge), short(12500));
        QCOMPARE(RoundToInt16(450.5, Failure::RpmTooLarge), short(450));
        QCOMPARE(RoundToInt16(451.5, Failure::RpmTooLarge), short(452));
        QCOMPARE(RoundToInt16(32767.49, Failure::RpmTooLarge), short(32767));
        QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, RoundToInt16(32767.5, Failure::RpmTooLarge));
        QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, RoundToInt16(std::nan(""), Failure::RpmTooLarge));
        QCOMPARE(RoundToInt16(-32768.5, Failure::RpmTooLarge), short(-32768));
    }
};

QTEST_APPLESS_MAIN(TestNumeric)
#include "tst_numeric.moc"
