// SPDX-License-Identifier: GPL-3.0-or-later
#include "run.h"

#include "calculatorcommands.h"
#include "chambercommand.h"
#include "commandresult.h"
#include "flatconecommand.h"
#include "modelcommand.h"
#include "savecommand.h"
#include "templatescommand.h"
#include "timingcommand.h"
#include "usage.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvane::cli {

namespace {

struct Command {
    std::string_view name;
    CommandResult (*run)(const std::vector<std::string> &args);
};

constexpr Command kCommands[] = {
    {"chamber", RunChamber},
    {"flatcone", RunFlatCone},
    {"save", RunSave},
    {"templates", RunTemplates},
    {"timing", RunTiming},
    {"reverse", RunReverse},
    {"model", RunModel},
    {"port-width", RunPortWidth},
    {"segment-area", RunSegmentArea},
    {"port-area", RunPortArea},
    {"area-to-diameter", RunAreaToDiameter},
    {"port-timing", RunPortTiming},
    {"bmep", RunBmep},
    {"convert", RunConvert},
    {"cone", RunCone},
};

} // namespace

CommandResult Run(const std::vector<std::string> &args) {
    if (args.empty())
        return UsageError("no command given", kProgramUsage);
    for (const std::string &arg : args) {
        if (arg == "--")
            break;
        if (arg == "--help" || arg == "-h")
            return Printed(HelpText());
        if (arg == "--version")
            return Printed(VersionText());
    }
    if (args[0] == "help")
        return Printed(HelpText());
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    for (const Command &command : kCommands)
        if (command.name == args[0])
            return command.run(rest);
    return UsageError("unknown command " + args[0], kProgramUsage);
}

} // namespace quorvane::cli
