// SPDX-License-Identifier: GPL-3.0-or-later
#include "modelcommand.h"

#include "arguments.h"
#include "chambercommand.h"
#include "usage.h"

#include "diskfile.h"
#include "numeric.h"
#include "pattern.h"
#include "pipemodel.h"
#include "stlfile.h"
#include "templateoptions.h"

#include <QFile>

#include <algorithm>
#include <cctype>
#include <map>

namespace quorvane::cli {

namespace {

// The command line with each "--bend WHICH:ANGLE:PIECES[:DIRECTION]" taken
// out (the option may be given once per section) and "-o" spelled "--output".
struct Split {
    std::vector<std::string> rest;
    std::vector<std::string> bends;
    std::string error;
};

Split SplitArguments(const std::vector<std::string> &args) {
    Split split;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        optionsEnded = optionsEnded || arg == "--";
        if (optionsEnded) {
            split.rest.push_back(arg);
        } else if (arg == "--bend") {
            if (i + 1 >= args.size()) {
                split.error = "option --bend needs WHICH:ANGLE:PIECES[:DIRECTION]";
                return split;
            }
            split.bends.push_back(args[++i]);
        } else if (arg.starts_with("--bend=")) {
            split.bends.push_back(arg.substr(7));
        } else {
            split.rest.push_back(arg == "-o" ? "--output" : arg);
        }
    }
    return split;
}

std::string Upper(std::string text) {
    for (char &c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::optional<CommandResult> ReadPlan(const std::vector<std::string> &bends,
                                      const std::vector<PipeSection> &sections,
                                      std::map<std::string, BendTexts> &plan) {
    for (const std::string &bend : bends) {
        std::vector<std::string> fields = Fields(bend, ':');
        if (fields.size() < 3 || fields.size() > 4)
            return UsageError("--bend " + bend + ": expected WHICH:ANGLE:PIECES[:DIRECTION]", kModelUsage);
        const std::string which = Upper(fields[0]);
        const bool known = std::any_of(sections.begin(), sections.end(),
                                       [&](const PipeSection &s) { return ShortName(s.name) == which; });
        if (!known)
            return UsageError("--bend " + bend + ": WHICH must be one of L1 to L7", kModelUsage);
        if (plan.count(which))
            return UsageError("--bend " + which + " given twice", kModelUsage);
        plan[which] = {fields[1], fields[2], fields.size() == 4 ? fields[3] : "0"};
    }
    return std::nullopt;
}

std::string ModelReport(const AssembledPipe &pipe, const std::vector<BendWarning> &warnings,
                        const std::string &file, std::size_t facets, std::size_t bytes) {
    std::string out = PipeFigures(pipe);
    for (const BendWarning &w : warnings)
        out += "Warning: " + w.text + "\n";
    if (file != "-")
        out += "Wrote " + file + ": " + FormatFixed(double(facets), 0) + " facets, " +
               FormatFixed(double(bytes), 0) + " bytes\n";
    return out;
}

} // namespace

CommandResult RunModel(const std::vector<std::string> &args) {
    const Split split = SplitArguments(args);
    if (!split.error.empty())
        return UsageError(split.error, kModelUsage);
    const Arguments parsed(split.rest, {"straight-header"}, {"thickness", "output"});
    if (!parsed.error().empty())
        return UsageError(parsed.error(), kModelUsage);
    const std::optional<std::string> thicknessText = parsed.value("thickness");
    const std::optional<std::string> output = parsed.value("output");
    if (!thicknessText || !output)
        return UsageError("model needs --thickness T and -o FILE", kModelUsage);
    const std::optional<double> thickness = ReadPlainNumber(*thicknessText);
    if (!thickness || *thickness <= 0 || *thickness > kThickestSheet)
        return BadInput(
            "invalid input: --thickness: the sheet thickness must be a plain number more than 0 and at "
            "most " +
            FormatFixed(kThickestSheet, 0) + " mm.");

    PipeResult result;
    PipeTexts texts;
    if (auto failed = ChamberFromArguments(parsed, kModelUsage, result, &texts))
        return *failed;
    std::vector<PipeSection> sections =
        InFlowOrder(ChamberSections(ParsePipeInputs(texts, parsed.has("straight-header")), result));
    std::map<std::string, BendTexts> plan;
    if (auto failed = ReadPlan(split.bends, sections, plan))
        return *failed;
    std::vector<BendWarning> warnings;
    if (const auto refusal = ApplyBendPlan(sections, plan, *thickness, &warnings))
        return BadInput("invalid input: --bend: " + refusal->reason);

    try {
        const AssembledPipe pipe = AssemblePipe(sections, {*thickness});
        const Mesh mesh = PipeMesh(pipe);
        if (const auto refusal = StlRefusal(mesh))
            return BadInput(*refusal);
        std::string bytes = StlBytes(mesh);
        const std::string report = ModelReport(pipe, warnings, *output, mesh.triangles.size(), bytes.size());
        if (*output == "-")
            return {kSuccess, std::move(bytes), report};
        const SaveOutcome saved = SaveFileSafely(QFile::encodeName(QString::fromStdString(*output)),
                                                 QByteArray::fromStdString(bytes));
        if (!saved.saved)
            return WriteFailure("cannot save " + *output + ": " + saved.error.toStdString());
        return Printed(report);
    } catch (const ArithmeticFailure &e) {
        return CalcFailure(e.what());
    }
}

} // namespace quorvane::cli
