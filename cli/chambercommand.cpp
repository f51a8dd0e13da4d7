// SPDX-License-Identifier: GPL-3.0-or-later
#include "chambercommand.h"

#include "designtexts.h"
#include "usage.h"

#include "chambertexts.h"
#include "numeric.h"
#include "pipeinputs.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace quorvane::cli {

namespace {

std::optional<CommandResult> GatherTexts(const Arguments &args, const char *usage, PipeTexts &texts) {
    std::optional<std::string> file;
    std::vector<std::string> assignments;
    for (const std::string &arg : args.positionals()) {
        if (arg.find('=') != std::string::npos)
            assignments.push_back(arg);
        else if (file)
            return UsageError("more than one FILE: " + *file + ", " + arg, usage);
        else
            file = arg;
    }
    texts = InitialPipeTexts();
    if (file)
        if (auto failed = ApplyFile(*file, texts))
            return failed;
    return ApplyAssignments(assignments, texts);
}

std::string ChamberReport(const PipeResult &result) {
    const ChamberTexts texts = FormatChamber(result);
    // Each block is headed by the caption of the window's box that shows it.
    std::string out;
    for (const auto &[caption, text] : Captioned(texts))
        out += (out.empty() ? "" : "\n") + std::string(caption) + "\n" + *text + "\n";
    if (!result.warningText.empty())
        out += "\nWarnings\n" + result.warningText + "\n";
    return out;
}

template <std::size_t N> QJsonArray Numbers(const std::array<double, N> &values) {
    QJsonArray array;
    for (double v : values)
        array.append(v);
    return array;
}

// QJsonDocument writes the shortest text that reads back to the same double,
// so a script gets the unrounded values.
std::string ChamberJson(const PipeResult &result) {
    QJsonArray cones;
    for (const ConeRecord &cone : ConeListOf(result))
        cones.append(QJsonObject{{"name", QString::fromStdString(cone.name)},
                                 {"baseDiameter", cone.baseDiameter},
                                 {"tipDiameter", cone.tipDiameter},
                                 {"centreLength", cone.centreLength}});
    const QJsonObject object{
        {"D", Numbers(result.D)},
        {"L", Numbers(result.L)},
        {"coneAngle", Numbers(result.coneAngle)},
        {"tunedLength", result.tunedLength},
        {"totalLength", result.totalLength},
        {"warningText", QString::fromStdString(result.warningText)},
        {"portLengthFlagged", result.portLengthFlagged},
        {"coneList", cones},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Indented).toStdString();
}

} // namespace

std::optional<CommandResult> ChamberFromArguments(const Arguments &args, const char *usage,
                                                  PipeResult &result, PipeTexts *typed) {
    PipeTexts texts;
    if (auto failed = GatherTexts(args, usage, texts))
        return failed;
    if (const std::optional<PipeField> field = ValidatePipeInputs(texts)) {
        const std::string key = FieldInfo(*field).key;
        return BadInput("invalid input: " + key + " (\"" + FieldCaption(*field) + "\") " +
                        PipeInputRefusal(*field, texts[std::size_t(*field)]));
    }
    try {
        result = ComputeChamber(ParsePipeInputs(texts, args.has("straight-header")));
    } catch (const ArithmeticFailure &e) {
        return CalcFailure(e.what());
    }
    if (typed)
        *typed = texts;
    return std::nullopt;
}

CommandResult RunChamber(const std::vector<std::string> &args) {
    const Arguments parsed(args, {"straight-header", "json"}, {});
    if (!parsed.error().empty())
        return UsageError(parsed.error(), kChamberUsage);
    PipeResult result;
    if (auto failed = ChamberFromArguments(parsed, kChamberUsage, result))
        return *failed;
    return Printed(parsed.has("json") ? ChamberJson(result) : ChamberReport(result));
}

} // namespace quorvane::cli
