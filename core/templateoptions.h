// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pattern.h"
#include "tiling.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The template options as the window's boxes and the command line's options
// hold them, read the way every box is read.
struct TemplateTexts {
    std::string thickness;
    std::string overlap = "10";
    std::string pieces = "1";
    std::string seamAllowance = "0";
    std::string rollLines = "0";
    bool midThickness = false;
    Paper paper = Paper::A4;
};

enum class TemplateField { Thickness, Overlap, Pieces, SeamAllowance, RollLines };

struct TemplateOptions {
    PatternOptions pattern;
    Paper paper = Paper::A4;
    double overlap = kDefaultOverlap;
};

struct TemplateRefusal {
    TemplateField field;
    std::string reason; // a sentence for the user
};

inline constexpr double kThickestSheet = 20;
inline constexpr double kWidestSeamAllowance = 50;
inline constexpr int kMostPieces = 12;
inline constexpr int kMostRollLines = 36;

// The options, or the first field that cannot be used and why, checked in
// the order of TemplateField.
std::optional<TemplateRefusal> ReadTemplateOptions(const TemplateTexts &texts, TemplateOptions &options);

} // namespace quorvane
