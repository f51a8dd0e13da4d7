// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quorvane {

struct PipeResult;

// The texts of the main window's four output boxes.
struct ChamberTexts {
    std::string diameters;
    std::string lengths;
    std::string angles;
    std::string tunedLength;
};
ChamberTexts FormatChamber(const PipeResult &result);

} // namespace quorvane
