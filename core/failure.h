// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvane {

// Why the numbers could not be calculated. Each kind has one text for the
// user, written in failure.cpp; tests and callers compare kinds.
enum class Failure {
    NumbersTooLarge, // an overflow, division by zero or invalid operation with no more particular cause
    NumberTooLargeToRead,
    NoCotangent,
    RpmTooLarge,
    TemperatureTooLarge,
    PortTooLong,      // carries the port length limit in mm
    PortLeavesNoCone, // carries the port length limit in mm
    ZeroLengthCone,
    SideTooShort,
    CylinderHasNoApex,
    PortNeverOpens,
    SegmentTooHigh,
    NegativeArea,
    SheetTooThick,
    // Refusals of the wave timing's inputs, each naming the box it blames.
    LengthNotPositive,
    TimingOutOfRange,
    TransferOutOfRange, // carries the exhaust duration in degrees
    BelowAbsoluteZero,
    RpmNotPositive,
    GasNotPositive,
    RpmRangeEmpty,
    RpmStepNotPositive,
    TooManyRpmSteps, // carries the largest number of steps
};

// The user's text for a kind; `value` is what the kind carries.
std::string FailureText(Failure kind, double value = 0, std::string_view text = {});

// The one way an arithmetic failure leaves the core: no infinity or NaN is
// ever returned as a result instead. what() is the kind's text.
class ArithmeticFailure : public std::runtime_error {
  public:
    explicit ArithmeticFailure(Failure kind, double value = 0);
    // NumberTooLargeToRead: the text the number was read from.
    ArithmeticFailure(Failure kind, std::string_view text);

    Failure kind() const { return m_kind; }

  private:
    Failure m_kind;
};

} // namespace quorvane
