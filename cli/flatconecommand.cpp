// SPDX-License-Identifier: GPL-3.0-or-later
#include "flatconecommand.h"

#include "arguments.h"
#include "chambercommand.h"
#include "usage.h"

#include "coneplot.h"

namespace quorvane::cli {

namespace {

CommandResult Refused(PlotInput input) {
    static constexpr const char *kWhy[] = {"base (must be at least 1)", "tip (must be at least 1)",
                                           "height (must be at least 1)", "thickness (must not be empty)"};
    return BadInput("invalid input: " + std::string(kWhy[static_cast<int>(input)]));
}

CommandResult Plotted(const CalcOutcome &outcome) {
    if (!outcome.failure.empty())
        return CalcFailure(outcome.failure);
    if (outcome.focus)
        return Refused(static_cast<PlotInput>(*outcome.focus));
    // The report as the plot window's output box shows it, plus the line feed a terminal expects.
    const std::string &report = outcome.outputs.front();
    return Printed(report.empty() ? report : report + "\n");
}

CommandResult Single(const Arguments &args) {
    if (args.has("straight-header") || args.value("thickness"))
        return UsageError("--thickness and --straight-header go with --batch", kFlatConeUsage);
    const std::vector<std::string> &p = args.positionals();
    if (p.size() != 4)
        return UsageError("flatcone needs BASE TIP HEIGHT THICKNESS", kFlatConeUsage);
    return Plotted(CalcSingleCone(p[0], p[1], p[2], p[3]));
}

CommandResult Batch(const Arguments &args) {
    const std::optional<std::string> thickness = args.value("thickness");
    if (!thickness)
        return UsageError("--batch needs --thickness T", kFlatConeUsage);
    // The window has its chamber before a thickness can be typed; here an
    // empty thickness is refused before the chamber is calculated.
    if (thickness->empty())
        return Refused(PlotInput::Thickness);
    PipeResult result;
    if (auto failed = ChamberFromArguments(args, kFlatConeUsage, result))
        return *failed;
    return Plotted(CalcBatchCones(ConeListOf(result), *thickness));
}

} // namespace

CommandResult RunFlatCone(const std::vector<std::string> &args) {
    const Arguments parsed(args, {"batch", "straight-header"}, {"thickness"});
    if (!parsed.error().empty())
        return UsageError(parsed.error(), kFlatConeUsage);
    return parsed.has("batch") ? Batch(parsed) : Single(parsed);
}

} // namespace quorvane::cli
