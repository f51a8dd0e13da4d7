// SPDX-License-Identifier: GPL-3.0-or-later
#include "failure.h"

#include "numeric.h"

#include <string>

namespace quorvane {

std::string FailureText(Failure kind, double value, std::string_view text) {
    switch (kind) {
    case Failure::NumbersTooLarge:
        return "The numbers are too large to calculate with.";
    case Failure::NumberTooLargeToRead:
        return "The number is too large: " + std::string(text.substr(0, 40));
    case Failure::NoCotangent:
        return "The angle has no cotangent (division by zero).";
    case Failure::RpmTooLarge:
        return "The RPM is too large: it must be less than 32767.5.";
    case Failure::TemperatureTooLarge:
        return "The exhaust temperature is too large: it must be less than 32767.5.";
    case Failure::PortTooLong:
        return "The port length is more than 0.375 × the tuned length (" + FormatFixed(value, 2) +
               " mm): the first diffuser cone (L2) would get a negative length. Shorten the port length.";
    case Failure::PortLeavesNoCone:
        return "The port length is exactly 0.375 × the tuned length (" + FormatFixed(value, 2) +
               " mm): the first diffuser cone (L2) has zero length and no angle. Shorten the port length.";
    case Failure::ZeroLengthCone:
        return "A cone of zero length with equal end diameters has no angle.";
    case Failure::SideTooShort:
        return "The side length is shorter than half the difference of the diameters.";
    case Failure::CylinderHasNoApex:
        return "A cone with equal base and tip diameters is a cylinder and has no apex.";
    case Failure::PortNeverOpens:
        return "The top of the port is level with the piston pin at top dead centre: the port never opens.";
    case Failure::SegmentTooHigh:
        return "The segment height is more than twice the segment radius.";
    case Failure::NegativeArea:
        return "The area is negative: no round port has it.";
    case Failure::SheetTooThick:
        return "The sheet is too thick for the outside diameters typed: the middle of the sheet would "
               "have no radius.";
    case Failure::LengthNotPositive:
        return "The length must be more than 0 mm.";
    case Failure::TimingOutOfRange:
        return "The exhaust port timing must be between 1 and 359 degrees.";
    case Failure::TransferOutOfRange:
        return "The transfer duration must be more than 0 and less than the exhaust duration (" +
               FormatFixed(value, 2) + " degrees).";
    case Failure::BelowAbsoluteZero:
        return "The temperature must be above absolute zero (-273.15 °C).";
    case Failure::RpmNotPositive:
        return "The RPM must be more than 0.";
    case Failure::GasNotPositive:
        return "The ratio of specific heats and the gas constant must be more than 0.";
    case Failure::RpmRangeEmpty:
        return "The highest RPM must be more than the lowest.";
    case Failure::RpmStepNotPositive:
        return "The RPM step must be more than 0.";
    case Failure::TooManyRpmSteps:
        return "The RPM range holds more than " + FormatFixed(value, 0) + " steps: take a larger step.";
    }
    return {}; // every kind has its case above
}

ArithmeticFailure::ArithmeticFailure(Failure kind, double value)
    : std::runtime_error(FailureText(kind, value, {})), m_kind(kind) {}

ArithmeticFailure::ArithmeticFailure(Failure kind, std::string_view text)
    : std::runtime_error(FailureText(kind, 0, text)), m_kind(kind) {}

} // namespace quorvane
