#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvane {

// The one way an arithmetic failure (overflow, division by zero, an invalid
// operation) leaves the core. what() is a reason a user can read; no
// infinity or NaN is ever returned as a result instead.
class ArithmeticFailure : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The reason given when no more particular cause can be named.
inline constexpr const char *kNumbersTooLarge = "The numbers are too large to calculate with.";

enum class Grouping { Default, Off };

// Returns v, or throws ArithmeticFailure(reason) when v is an infinity or NaN.
double Checked(double v, const char *reason = kNumbersTooLarge);

double Square(double x);
double ArcSin(double x);
double ArcCos(double x);
double CotDeg(double degrees);

// Reads the number a text begins with, the way every input box is read:
// blanks, tabs and line feeds are skipped anywhere, "." is the only decimal
// point, and a text that does not begin with a number reads as 0.
double ParseLeadingNumber(std::string_view text);

// Writes value with exactly `digits` decimals, "." as the decimal point and
// "," as the group separator whatever the locale, so that the text reads
// back with ParseLeadingNumber (grouping Off) or up to the first group.
std::string FormatFixed(double value, int digits, Grouping grouping = Grouping::Default);
// The same, written at the end of `out`: no allocation for texts built from many numbers.
void AppendFixed(std::string &out, double value, int digits, Grouping grouping = Grouping::Default);

// Rounds to the nearest whole number, halves to the even neighbour, into the
// range of a 16-bit signed number; anything outside throws `reason`.
short RoundToInt16(double value, const char *reason);

} // namespace quorvane
