#include "flatconecommand.h"

#include "arguments.h"
#include "chambercommand.h"
#include "usage.h"

#include "flatcone.h"
#include "numeric.h"

namespace quorvane::cli {

namespace {

// The report as the plot window's output box shows it, plus the line feed a terminal expects.
std::string Terminated(const std::string &report) {
    return report.empty() ? report : report + "\n";
}

CommandResult EmptyThickness() {
    return BadInput("invalid input: thickness (must not be empty)");
}

CommandResult Single(const Arguments &args) {
    if (args.has("straight-header") || args.value("thickness"))
        return UsageError("--thickness and --straight-header go with --batch", kFlatConeUsage);
    const std::vector<std::string> &p = args.positionals();
    if (p.size() != 4)
        return UsageError("flatcone needs BASE TIP HEIGHT THICKNESS", kFlatConeUsage);
    try {
        // The plot window's checks, in its order.
        static constexpr const char *names[] = {"base", "tip", "height"};
        double v[3] = {};
        for (std::size_t i = 0; i < 3; ++i) {
            v[i] = ParseLeadingNumber(p[i]);
            if (v[i] < 1)
                return BadInput("invalid input: " + std::string(names[i]) + " (must be at least 1)");
        }
        if (p[3].empty())
            return EmptyThickness();
        return Printed(Terminated(SingleConeReport(v[0], v[1], v[2], ParseLeadingNumber(p[3]))));
    } catch (const ArithmeticFailure &e) {
        return CalcFailure(e.what());
    }
}

CommandResult Batch(const Arguments &args) {
    const std::optional<std::string> thickness = args.value("thickness");
    if (!thickness)
        return UsageError("--batch needs --thickness T", kFlatConeUsage);
    if (thickness->empty())
        return EmptyThickness();
    PipeResult result;
    if (auto failed = ChamberFromArguments(args, kFlatConeUsage, result))
        return *failed;
    try {
        return Printed(Terminated(BatchConeReport(ConeListOf(result), ParseLeadingNumber(*thickness))));
    } catch (const ArithmeticFailure &e) {
        return CalcFailure(e.what());
    }
}

} // namespace

CommandResult RunFlatCone(const std::vector<std::string> &args) {
    const Arguments parsed(args, {"batch", "straight-header"}, {"thickness"});
    if (!parsed.error().empty())
        return UsageError(parsed.error(), kFlatConeUsage);
    return parsed.has("batch") ? Batch(parsed) : Single(parsed);
}

} // namespace quorvane::cli
