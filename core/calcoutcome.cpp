#include "calcoutcome.h"

#include "numeric.h"

#include <cmath>

namespace quorvane {

int LargestInput(std::initializer_list<double> values) {
    int best = 0;
    double largest = -1;
    int i = 0;
    for (double v : values) {
        if (std::fabs(v) > largest) {
            largest = std::fabs(v);
            best = i;
        }
        ++i;
    }
    return best;
}

std::optional<CalcOutcome> ParseInputs(std::initializer_list<std::string_view> texts, double *values) {
    int i = 0;
    for (std::string_view text : texts) {
        try {
            values[i] = ParseLeadingNumber(text);
        } catch (const ArithmeticFailure &e) {
            return CalcOutcome::Fail(i, e.what());
        }
        ++i;
    }
    return std::nullopt;
}

} // namespace quorvane
