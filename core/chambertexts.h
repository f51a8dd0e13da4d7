// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
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

// The captions of the four boxes, in the order of ChamberTexts; every list of
// the results is headed by them.
inline constexpr std::array<const char *, 4> kResultCaptions{"Cone Diameters (ID)", "Cone Lengths",
                                                             "Cone Angles (Degree)", "Tuned Length mm"};

struct CaptionedText {
    const char *caption;
    const std::string *text;
};
std::array<CaptionedText, 4> Captioned(const ChamberTexts &texts);

} // namespace quorvane
