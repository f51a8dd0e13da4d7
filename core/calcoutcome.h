#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

// What one press of a calculator button comes to, for a window to carry out:
// - outputs filled: write them;
// - focus without failure: an input was refused, move the focus there and write nothing;
// - failure: the numbers could not be calculated; empty the outputs and move the focus;
// - nothing at all: the button does nothing.
struct CalcOutcome {
    std::vector<std::string> outputs;
    std::optional<int> focus;
    std::string failure;

    static CalcOutcome Refuse(int input) { return {{}, input, {}}; }
    static CalcOutcome Fail(int input, std::string reason) { return {{}, input, std::move(reason)}; }
    bool ok() const { return !focus && failure.empty(); }
};

// The input most likely behind an overflow: the one of largest magnitude.
int LargestInput(std::initializer_list<double> values);

// Reads the texts in order into values; a text too large to read gives the
// failure that names it, otherwise nothing.
std::optional<CalcOutcome> ParseInputs(std::initializer_list<std::string_view> texts, double *values);

} // namespace quorvane
