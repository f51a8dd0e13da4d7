// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "numeric.h"

#include <array>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// What one press of a calculator button comes to, for a window to carry out:
// - outputs filled: write them;
// - focus without failure: an input was refused, move the focus there and write nothing;
// - failure: the numbers could not be calculated; empty the outputs and move the
//   focus to the input it names, if it names one;
// - nothing at all: the button does nothing.
struct CalcOutcome {
    std::vector<std::string> outputs;
    std::optional<int> focus;
    std::string failure;

    static CalcOutcome Refuse(int input) { return {{}, input, {}}; }
    static CalcOutcome Fail(std::optional<int> input, const ArithmeticFailure &failure) {
        return {{}, input, failure.what()};
    }
    bool ok() const { return !focus && failure.empty(); }
};

// The input most likely behind an overflow: the one of largest magnitude.
int LargestInput(std::initializer_list<double> values);

// The input to blame for a failed calculation: the largest when it is beyond
// any measurement, so that it must have overflowed; otherwise `usual`.
int Culprit(std::initializer_list<double> values, int usual);

template <std::size_t N> struct ParsedInputs {
    std::array<double, N> values{};
    std::optional<CalcOutcome> failure; // names the first text too large to read
};

// Reads the texts in order, as the boxes are read.
template <class... Texts> ParsedInputs<sizeof...(Texts)> ParseInputs(const Texts &...texts) {
    const std::array<std::string_view, sizeof...(Texts)> all{texts...};
    ParsedInputs<sizeof...(Texts)> parsed;
    for (std::size_t i = 0; i < all.size(); ++i) {
        try {
            parsed.values[i] = ParseLeadingNumber(all[i]);
        } catch (const ArithmeticFailure &e) {
            parsed.failure = CalcOutcome::Fail(static_cast<int>(i), e);
            break;
        }
    }
    return parsed;
}

} // namespace quorvane
