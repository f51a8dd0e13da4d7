// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "failure.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// Celsius to kelvin; a temperature at or below -kZeroCelsiusInKelvin °C does not exist.
inline constexpr double kZeroCelsiusInKelvin = 273.15;

enum class Grouping { Default, Off };

// Returns v, or throws ArithmeticFailure when v is an infinity or NaN.
double Checked(double v);

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

// A plain decimal number, "." as decimal point, white space around it
// allowed: how the newer boxes and options read. Nothing for any other text
// ("1,5", "abc", "nan", "1e400", "0x10").
std::optional<double> ReadPlainNumber(std::string_view text);

// A double as the shortest text that reads back to the same value, "." as
// decimal point whatever the locale: what CAD and CAM files want. Throws
// ArithmeticFailure for nan and inf, which no file may carry.
std::string ExactNumber(double v);

// Rounds to the nearest whole number, halves to the even neighbour, into the
// range of a 16-bit signed number; anything outside throws `failure`.
short RoundToInt16(double value, Failure failure);

} // namespace quorvane
