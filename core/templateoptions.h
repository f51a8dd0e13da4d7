// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pattern.h"
#include "tiling.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The template options as the window's boxes and the command line's options
// hold them. Unlike the design's boxes, they are read strictly: a plain
// number with "." as decimal point, or a refusal.
struct TemplateTexts {
    std::string thickness;
    std::string kFactor = "0.5";
    std::string overlap = "10";
    std::string pieces = "1";
    std::string seamAllowance = "0";
    std::string rollLines = "0";
    bool outsideDiameters = false;
    Paper paper = Paper::A4;
};

enum class TemplateField { Thickness, KFactor, Overlap, Pieces, SeamAllowance, RollLines };

// Each typed option once: its command-line option, the window's box and
// caption, where TemplateTexts keeps it, and its help tip.
struct TemplateFieldInfo {
    TemplateField field;
    const char *option;  // "--thickness"
    const char *control; // "txtThickness"
    const char *caption; // "Sheet thickness (mm)"
    std::string TemplateTexts::*text;
    const char *tip;
};
inline constexpr std::size_t kTemplateFieldCount = 6;
const std::array<TemplateFieldInfo, kTemplateFieldCount> &TemplateFields();
const TemplateFieldInfo &FieldInfo(TemplateField field);

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
inline constexpr double kLeastKFactor = 0.3;
inline constexpr double kWidestSeamAllowance = 50;
inline constexpr int kMostPieces = 12;
inline constexpr int kMostRollLines = 36;

// The options, or the first field that cannot be used and why, checked in
// the order of TemplateField. The overlap is checked against the paper only
// when pages are planned: a drawing has no pages.
std::optional<TemplateRefusal> ReadTemplateOptions(const TemplateTexts &texts, TemplateOptions &options);

} // namespace quorvane
