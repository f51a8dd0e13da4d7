#include "numeric.h"

#include <QtTest>

#include <bit>
#include <clocale>
#include <cmath>
#include <numbers>

using namespace quorvane;

class TestNumeric : public QObject {
    Q_OBJECT

  private slots:
    void pi_is_four_times_atan_one();
    void arcsin_and_arccos_data();
    void arcsin_and_arccos();
    void cotangent_in_degrees();
    void arithmetic_failures_throw();
    void parses_like_an_input_box_data();
    void parses_like_an_input_box();
    void formats_fixed_data();
    void formats_fixed();
    void formatting_ignores_the_locale();
    void formatted_numbers_read_back();
    void rounds_halves_to_even_into_16_bits();
};

// The calculations were written with 4 * atan(1) for pi and pi / 2 as 2 * atan(1);
// std::numbers::pi must be the same double, also against the run-time atan.
void TestNumeric::pi_is_four_times_atan_one() {
    volatile double one = 1.0;
    QCOMPARE(std::bit_cast<quint64>(4.0 * std::atan(one)), std::bit_cast<quint64>(std::numbers::pi));
    QCOMPARE(std::bit_cast<quint64>(2.0 * std::atan(one)), std::bit_cast<quint64>(std::numbers::pi / 2.0));
}

void TestNumeric::arcsin_and_arccos_data() {
    QTest::addColumn<bool>("sine");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("expected");
    QTest::newRow("asin 0.5") << true << 0.5 << 0.5235987755982989;
    QTest::newRow("asin 1") << true << 1.0 << 1.5707963267948966;
    QTest::newRow("asin -1") << true << -1.0 << -1.5707963267948966;
    QTest::newRow("asin 0") << true << 0.0 << 0.0;
    QTest::newRow("asin 1.5 swallowed") << true << 1.5 << 0.0;
    QTest::newRow("asin -2 swallowed") << true << -2.0 << 0.0;
    QTest::newRow("asin nan swallowed") << true << std::nan("") << 0.0;
    QTest::newRow("acos 1") << false << 1.0 << 0.0;
    QTest::newRow("acos -1") << false << -1.0 << 3.141592653589793;
    QTest::newRow("acos 0") << false << 0.0 << 1.5707963267948966;
    QTest::newRow("acos 0.5 by the formula") << false << 0.5 << 1.0471975511965976;
    QTest::newRow("acos 2 swallowed") << false << 2.0 << 0.0;
    QTest::newRow("acos -1.5 swallowed") << false << -1.5 << 0.0;
}

void TestNumeric::arcsin_and_arccos() {
    QFETCH(bool, sine);
    QFETCH(double, x);
    QFETCH(double, expected);
    const double got = sine ? ArcSin(x) : ArcCos(x);
    QCOMPARE(got, expected); // bit for bit, not fuzzy
}

void TestNumeric::cotangent_in_degrees() {
    QCOMPARE(CotDeg(45), 1.0000000000000002);
    QVERIFY(std::fabs(CotDeg(90) - 6.123233995736766e-17) < 1e-30);
    QVERIFY(CotDeg(180) < -8.16e15 && CotDeg(180) > -8.18e15);
    QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, CotDeg(0));
}

void TestNumeric::arithmetic_failures_throw() {
    QCOMPARE(Square(-3), 9.0);
    QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, Square(1e200));
    QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, ParseLeadingNumber("1e400"));
    QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, ParseLeadingNumber("-1e400"));
    QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, ParseLeadingNumber("0.01e311"));
    QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, FormatFixed(std::nan(""), 2));
    QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, FormatFixed(HUGE_VAL, 2));
    QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, Checked(0.0 / std::sqrt(0.0)));
}

void TestNumeric::parses_like_an_input_box_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("decimals") << "1.360" << 1.36;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("trailing letters") << "12abc" << 12.0;
    QTest::newRow("comma stops") << "1,5" << 1.0;
    QTest::newRow("blanks anywhere") << " 2 5 0" << 250.0;
    QTest::newRow("tabs and line feeds") << "\t1\n2" << 12.0;
    QTest::newRow("exponent") << "-3.5e2" << -350.0;
    QTest::newRow("D exponent") << "2D3" << 2000.0;
    QTest::newRow("exponent without digits") << "7e" << 7.0;
    QTest::newRow("exponent sign without digits") << "7e+x" << 7.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("point alone") << "." << 0.0;
    QTest::newRow("carriage return stops") << "1\r2" << 1.0;
    QTest::newRow("underflow reads as zero") << "1e-400" << 0.0;
    QTest::newRow("small mantissa, large exponent") << "0.0001e310" << 1e306;
    QTest::newRow("tiny mantissa underflows") << "0.001e-330" << 0.0;
    QTest::newRow("grouped number") << "1,234.5" << 1.0;
}

void TestNumeric::parses_like_an_input_box() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(ParseLeadingNumber(text.toStdString()), expected);
}

void TestNumeric::formats_fixed_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("digits");
    QTest::addColumn<bool>("grouped");
    QTest::addColumn<QString>("expected");
    QTest::newRow("grouped") << 1234.5678 << 2 << true << "1,234.57";
    QTest::newRow("leading zero") << 0.5 << 2 << true << "0.50";
    QTest::newRow("ungrouped three digits") << 1234.5678 << 3 << false << "1234.568";
    QTest::newRow("negative") << -3.25 << 2 << true << "-3.25";
    QTest::newRow("trailing zero") << 889.3 << 2 << true << "889.30";
    QTest::newRow("whole number") << 42.0 << 2 << true << "42.00";
    QTest::newRow("millions") << 1234567.0 << 2 << true << "1,234,567.00";
    QTest::newRow("negative thousands") << -1832.0 << 3 << true << "-1,832.000";
    QTest::newRow("no negative zero") << -0.001 << 2 << true << "0.00";
    QTest::newRow("minus zero itself") << -0.0 << 2 << true << "0.00";
    QTest::newRow("hundred thousand") << 100000.0 << 0 << true << "100,000";
    QTest::newRow("rounds up into a group") << 999.999 << 2 << true << "1,000.00";
}

void TestNumeric::formats_fixed() {
    QFETCH(double, value);
    QFETCH(int, digits);
    QFETCH(bool, grouped);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(FormatFixed(value, digits, grouped ? Grouping::Default : Grouping::Off)),
             expected);
}

void TestNumeric::formatting_ignores_the_locale() {
    // A comma-decimal locale must not change what is written, or the window
    // would read its own port area back without its decimals.
    const char *old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "fr_FR.UTF-8"))
        std::setlocale(LC_NUMERIC, "C.UTF-8");
    const std::string text = FormatFixed(1234.5678, 2);
    const double back = ParseLeadingNumber(FormatFixed(1185.41, 2, Grouping::Off));
    std::setlocale(LC_ALL, saved.c_str());
    QCOMPARE(QString::fromStdString(text), QStringLiteral("1,234.57"));
    QCOMPARE(back, 1185.41);
}

void TestNumeric::formatted_numbers_read_back() {
    for (double v : {0.0, 0.01, 1.5, 123.45, 98765.43, -7.25})
        QCOMPARE(ParseLeadingNumber(FormatFixed(v, 2, Grouping::Off)), v);
}

void TestNumeric::rounds_halves_to_even_into_16_bits() {
    QCOMPARE(RoundToInt16(12500.5, Failure::RpmTooLarge), short(12500));
    QCOMPARE(RoundToInt16(450.5, Failure::RpmTooLarge), short(450));
    QCOMPARE(RoundToInt16(451.5, Failure::RpmTooLarge), short(452));
    QCOMPARE(RoundToInt16(32767.49, Failure::RpmTooLarge), short(32767));
    QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, RoundToInt16(32767.5, Failure::RpmTooLarge));
    QVERIFY_THROWS_EXCEPTION(ArithmeticFailure, RoundToInt16(std::nan(""), Failure::RpmTooLarge));
    QCOMPARE(RoundToInt16(-32768.5, Failure::RpmTooLarge), short(-32768));
}

QTEST_APPLESS_MAIN(TestNumeric)
#include "tst_numeric.moc"
