// SPDX-License-Identifier: GPL-3.0-or-later
#include "calcoutcome.h"

#include <cmath>

namespace quorvane {

namespace {

// No box holds a measurement anywhere near this; an input beyond it is what overflowed.
constexpr double kOverflowMagnitude = 1e100;

} // namespace

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

int Culprit(std::initializer_list<double> values, int usual) {
    const int largest = LargestInput(values);
    return std::fabs(values.begin()[largest]) > kOverflowMagnitude ? largest : usual;
}

} // namespace quorvane
