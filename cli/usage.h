// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quorvane::cli {

// Synopses repeated after a usage error, so the user sees at once what was expected.
inline constexpr const char *kChamberUsage =
    "quorvane-cli chamber [FILE] [KEY=TEXT]... [--straight-header] [--json]";
inline constexpr const char *kFlatConeUsage =
    "quorvane-cli flatcone BASE TIP HEIGHT THICKNESS\n"
    "       quorvane-cli flatcone --batch --thickness T [FILE] [KEY=TEXT]... [--straight-header]";
inline constexpr const char *kSaveUsage = "quorvane-cli save FILE [KEY=TEXT]... [--from OTHERFILE]";
inline constexpr const char *kTemplatesUsage =
    "quorvane-cli templates --thickness T [FILE] [KEY=TEXT]... [--straight-header] -o FILE [OPTIONS]\n"
    "       quorvane-cli templates --thickness T --cone BASE TIP HEIGHT... -o FILE [OPTIONS]";
inline constexpr const char *kTimingUsage = "quorvane-cli timing [FILE] [KEY=TEXT]... [--straight-header] "
                                            "[--transfer DEG] [--rpm FROM:TO:STEP] [--json]";
inline constexpr const char *kReverseUsage =
    "quorvane-cli reverse --length TL --timing DEG (--temp C | --rpm N) "
    "[--heats 1.36] [--gas-constant 300] [--json]";
inline constexpr const char *kModelUsage =
    "quorvane-cli model --thickness T [FILE] [KEY=TEXT]... [--straight-header]\n"
    "       [--bend WHICH:ANGLE:PIECES[:DIRECTION]]... -o FILE";
inline constexpr const char *kPortWidthUsage = "quorvane-cli port-width CURVED BORE";
inline constexpr const char *kSegmentAreaUsage = "quorvane-cli segment-area RADIUS HEIGHT";
inline constexpr const char *kPortAreaUsage =
    "quorvane-cli port-area WIDTH HEIGHT [--r1 R] [--k1 N] [--r2 R] [--k2 N] "
    "[--segment-radius R --segment-height H]";
inline constexpr const char *kAreaToDiameterUsage = "quorvane-cli area-to-diameter AREA";
inline constexpr const char *kPortTimingUsage = "quorvane-cli port-timing STROKE ROD DECK PORTTOP";
inline constexpr const char *kBmepUsage = "quorvane-cli bmep POWER RPM BORE STROKE";
inline constexpr const char *kConvertUsage =
    "quorvane-cli convert c-to-f|f-to-c|kw-to-hp|hp-to-kw|mm-to-inch|inch-to-mm VALUE";
inline constexpr const char *kConeUsage = "quorvane-cli cone from-angle|from-side|from-centre BASE TIP VALUE";
inline constexpr const char *kProgramUsage = "quorvane-cli COMMAND [ARGUMENTS]...";

std::string HelpText();
std::string VersionText();

} // namespace quorvane::cli
