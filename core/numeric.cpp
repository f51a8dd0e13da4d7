// SPDX-License-Identifier: GPL-3.0-or-later
#include "numeric.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace quorvane {

using std::numbers::pi;

double Checked(double v) {
    if (!std::isfinite(v))
        throw ArithmeticFailure(Failure::NumbersTooLarge);
    return v;
}

double Square(double x) {
    return Checked(x * x);
}

double ArcSin(double x) {
    const double s = std::sqrt(-x * x + 1.0);
    if (std::isnan(s))
        return 0.0; // outside [-1, 1]: the failure is swallowed
    if (s == 0.0)
        return x > 0 ? pi / 2.0 : -pi / 2.0;
    const double r = std::atan(x / s);
    return std::isfinite(r) ? r : 0.0;
}

double ArcCos(double x) {
    if (x == 1.0)
        return 0.0;
    if (x == -1.0)
        return pi;
    const double root = std::sqrt(-x * x + 1.0);
    if (!std::isfinite(root) || root == 0.0)
        return 0.0;
    const double r = std::atan(-x / root) + pi / 2.0;
    return std::isfinite(r) ? r : 0.0;
}

double CotDeg(double degrees) {
    const double r = Checked((pi / 180.0) * degrees);
    const double t = std::tan(r);
    if (t == 0.0)
        throw ArithmeticFailure(Failure::NoCotangent);
    return Checked(1.0 / t);
}

namespace {

bool IsSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

double ParseLeadingNumber(std::string_view text) {
    // Gather the number's characters, skipping blanks wherever they stand.
    std::string number;
    number.reserve(text.size());
    int decimalExponent = 0; // position of the leading significant digit
    bool seenSignificant = false;
    std::size_t i = 0;
    auto peek = [&]() -> char {
        while (i < text.size() && IsSkipped(text[i]))
            ++i;
        return i < text.size() ? text[i] : '\0';
    };
    bool negative = false;
    if (char c = peek(); c == '+' || c == '-') {
        negative = c == '-';
        ++i;
    }
    bool anyDigit = false;
    for (char c = peek(); IsDigit(c); c = peek()) {
        number += c;
        anyDigit = true;
        if (c != '0')
            seenSignificant = true;
        if (seenSignificant)
            ++decimalExponent;
        ++i;
    }
    if (peek() == '.') {
        ++i;
        std::string fraction;
        for (char c = peek(); IsDigit(c); c = peek()) {
            fraction += c;
            anyDigit = true;
            if (!seenSignificant) {
                if (c == '0')
                    --decimalExponent;
                else
                    seenSignificant = true;
            }
            ++i;
        }
        if (!fraction.empty())
            number += '.' + fraction;
    }
    if (!anyDigit || !seenSignificant)
        return 0.0;
    if (char c = peek(); c == 'E' || c == 'e' || c == 'D' || c == 'd') {
        const std::size_t mark = i;
        ++i;
        std::string exponent;
        if (char s = peek(); s == '+' || s == '-') {
            if (s == '-')
                exponent += '-';
            ++i;
        }
        bool exponentDigits = false;
        long exponentValue = 0;
        for (char d = peek(); IsDigit(d); d = peek()) {
            exponent += d;
            exponentDigits = true;
            if (exponentValue < 100000)
                exponentValue = exponentValue * 10 + (d - '0');
            ++i;
        }
        if (exponentDigits) {
            number += 'e' + exponent;
            decimalExponent += exponent[0] == '-' ? -exponentValue : exponentValue;
        } else {
            i = mark;
        }
    }
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        if (decimalExponent > 0)
            throw ArithmeticFailure(Failure::NumberTooLargeToRead, text);
        value = 0.0; // too small for a double: it reads as zero
    }
    if (std::isinf(value))
        throw ArithmeticFailure(Failure::NumberTooLargeToRead, text);
    return negative ? -value : value;
}

void AppendFixed(std::string &out, double value, int digits, Grouping grouping) {
    Checked(value);
    std::array<char, 400> buffer; // wide enough for any finite double with a few decimals
    const auto [end, ec] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, digits);
    if (ec != std::errc())
        throw ArithmeticFailure(Failure::NumbersTooLarge);
    std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    // A value that rounds to zero is written without its sign.
    if (negative && text.find_first_not_of("0.") == std::string_view::npos)
        negative = false;
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view rest = point == std::string_view::npos ? std::string_view() : text.substr(point);
    if (negative)
        out += '-';
    if (grouping == Grouping::Off) {
        out += whole;
    } else {
        for (std::size_t k = 0; k < whole.size(); ++k) {
            if (k > 0 && (whole.size() - k) % 3 == 0)
                out += ',';
            out += whole[k];
        }
    }
    out += rest;
}

std::string FormatFixed(double value, int digits, Grouping grouping) {
    std::string out;
    AppendFixed(out, value, digits, grouping);
    return out;
}

short RoundToInt16(double value, Failure failure) {
    if (!(value < 32767.5 && value >= -32768.5))
        throw ArithmeticFailure(failure);
    return static_cast<short>(std::nearbyint(value));
}

std::string ExactNumber(double v) {
    Checked(v);
    if (v == 0)
        return "0"; // not "-0"
    std::array<char, 32> buffer;
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
    return std::string(buffer.data(), end);
}

std::optional<double> ReadPlainNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    // from_chars reads "inf", "nan" and hexadecimal floats too: none of them is a plain number.
    if (text.empty() || text.find_first_not_of("0123456789.eE-+") != std::string_view::npos)
        return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace quorvane
