// SPDX-License-Identifier: GPL-3.0-or-later
// The leading-number reader and the fixed-number writer: whatever a box
// holds is read without a crash, and a number written with its digits reads
// back as the same text.
#include "numeric.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    const int digits = data[0] % 7;
    const std::string text(reinterpret_cast<const char *>(data + 1), size - 1);
    double value = 0;
    try {
        value = ParseLeadingNumber(text);
    } catch (const ArithmeticFailure &failure) {
        if (failure.what()[0] == '\0')
            std::abort(); // a failure always says why
        return 0;
    }
    for (const Grouping grouping : {Grouping::Off, Grouping::Default}) {
        std::string shown;
        try {
            shown = FormatFixed(value, digits, grouping);
        } catch (const ArithmeticFailure &) {
            std::abort(); // a number that was read can be written
        }
        if (shown.find_first_not_of("-0123456789.,") != std::string::npos)
            std::abort();
        if (grouping == Grouping::Off && FormatFixed(ParseLeadingNumber(shown), digits, grouping) != shown)
            std::abort();
    }
    return 0;
}
