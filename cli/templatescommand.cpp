// SPDX-License-Identifier: GPL-3.0-or-later
#include "templatescommand.h"

#include "arguments.h"
#include "chambercommand.h"
#include "usage.h"

#include "buildsheet.h"
#include "numeric.h"
#include "templatefiles.h"
#include "templateoptions.h"
#include "templatesection.h"

#include <QGuiApplication>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cstdio>
#include <memory>

namespace quorvane::cli {

namespace {

// What goes to standard output instead of a file.
constexpr std::string_view kStandardOutput = "-";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

CommandResult Refused(std::string_view option, std::string_view why) {
    return BadInput("invalid option " + std::string(option) + ": " + std::string(why));
}

// The command line with each "--cone BASE TIP HEIGHT" taken out, and "-o"
// spelled "--output", so that the rest parses as every command's does.
struct Split {
    std::vector<std::string> rest;
    std::vector<std::array<std::string, 3>> cones;
    std::vector<std::string> bends; // each --bend WHICH:ANGLE:PIECES[:DIRECTION]
    std::string error;
};

Split SplitArguments(const std::vector<std::string> &args) {
    Split split;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--")
            optionsEnded = true;
        if (optionsEnded) {
            split.rest.push_back(args[i]);
        } else if (args[i] == "--cone") {
            if (i + 3 >= args.size()) {
                split.error = "option --cone needs BASE TIP HEIGHT";
                return split;
            }
            split.cones.push_back({args[i + 1], args[i + 2], args[i + 3]});
            i += 3;
        } else if (args[i] == "--bend") {
            if (i + 1 >= args.size()) {
                split.error = "option --bend needs WHICH:ANGLE:PIECES[:DIRECTION]";
                return split;
            }
            split.bends.push_back(args[++i]);
        } else if (args[i].starts_with("--bend=")) {
            split.bends.push_back(args[i].substr(7));
        } else if (args[i] == "-o") {
            split.rest.push_back("--output");
        } else {
            split.rest.push_back(args[i]);
        }
    }
    return split;
}

// What the command line asks for, read and checked; nothing built yet.
struct Request {
    BuildSheet sheet; // options and, for the chamber, its design
    std::vector<Section> sections;
    TemplateFormat format = TemplateFormat::Pdf;
    std::string output;
    std::string chosenBy;           // the option that chose the sections, when one did
    std::vector<std::string> notes; // cautions about the bends
};

// The options over those `texts` holds already (the design file's).
std::optional<CommandResult> ReadOptions(const Arguments &args, bool typedCones, TemplateTexts texts,
                                         TemplateOptions &options) {
    for (const TemplateFieldInfo &field : TemplateFields())
        if (const std::optional<std::string> value = args.value(std::string_view(field.option).substr(2)))
            texts.*field.text = *value;
    if (args.has("mid-thickness")) {
        if (args.value("k-factor"))
            return Refused("--mid-thickness", "it is --k-factor 0.5: give one of them.");
        texts.kFactor = "0.5";
    }
    if (const std::optional<std::string> diameters = args.value("diameters")) {
        if (Lower(*diameters) != "inside" && Lower(*diameters) != "outside")
            return Refused("--diameters", "give inside or outside.");
        texts.outsideDiameters = Lower(*diameters) == "outside";
        if (texts.outsideDiameters && !typedCones)
            return Refused("--diameters",
                           "the chamber's diameters are inside diameters; outside is for --cone.");
    }
    if (const std::optional<std::string> paper = args.value("paper")) {
        const std::optional<Paper> named = PaperNamed(*paper);
        if (!named)
            return Refused("--paper", "give a4, letter, a3, tabloid or plotter.");
        texts.paper = *named;
    }
    if (const std::optional<TemplateRefusal> refusal = ReadTemplateOptions(texts, options))
        return Refused(FieldInfo(refusal->field).option, refusal->reason);
    return std::nullopt;
}

std::optional<CommandResult> FormatOf(const Arguments &args, const std::string &output,
                                      TemplateFormat &format) {
    std::string name;
    if (const std::optional<std::string> given = args.value("format"))
        name = *given;
    else if (const std::size_t dot = output.rfind('.'); dot != std::string::npos && output != kStandardOutput)
        name = output.substr(dot + 1);
    const std::optional<TemplateFormat> named = FormatNamed(name);
    if (!named)
        return Refused("--format", args.value("format")
                                       ? "give pdf, svg or dxf."
                                       : "give pdf, svg or dxf, or an output file ending in one.");
    format = *named;
    if (InfoOf(format).paged && output == kStandardOutput)
        return Refused("--format", "a PDF goes to a file, not to standard output.");
    return std::nullopt;
}

std::optional<CommandResult> ConeSections(const std::vector<std::array<std::string, 3>> &cones,
                                          std::vector<Section> &sections) {
    for (std::size_t i = 0; i < cones.size(); ++i) {
        double values[3];
        for (int k = 0; k < 3; ++k) {
            try {
                values[k] = ParseLeadingNumber(cones[i][k]);
            } catch (const ArithmeticFailure &e) {
                return Refused("--cone", e.what());
            }
        }
        // As the flat cone plot refuses them.
        if (values[0] < 1 || values[1] < 1)
            return Refused("--cone", "the base and tip diameters must be at least 1 mm.");
        const std::string name = cones.size() == 1 ? "Cone" : "Cone " + std::to_string(i + 1);
        sections.push_back({name, values[0], values[1], values[2]});
    }
    return std::nullopt;
}

// Each --bend's fields, keyed as the sections are ("L3", or "2" for the
// second --cone); the bends themselves are read against the sections later.
std::optional<CommandResult> ReadPlan(const std::vector<std::string> &bends,
                                      std::map<std::string, BendTexts> &plan) {
    for (const std::string &bend : bends) {
        std::vector<std::string> fields = Fields(bend, ':');
        // "l3" names L3 as --only takes it; the numbers stay as typed.
        for (char &c : fields[0])
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (fields.size() < 3 || fields.size() > 4)
            return UsageError("--bend " + bend + ": expected WHICH:ANGLE:PIECES[:DIRECTION]",
                              kTemplatesUsage);
        if (plan.count(fields[0]))
            return Refused("--bend", fields[0] + " is given twice.");
        plan[fields[0]] = {fields[1], fields[2], fields.size() == 4 ? fields[3] : "0"};
    }
    return std::nullopt;
}

// --only names sections by their name or its last word: "L3" for "Cone L3", "2" for "Cone 2".
std::optional<CommandResult> KeepOnly(const std::string &list, std::vector<Section> &sections) {
    auto named = [](const Section &s, const std::string &wanted) {
        const std::string name = Lower(s.name);
        return name == wanted || name.substr(name.rfind(' ') + 1) == wanted;
    };
    std::vector<bool> kept(sections.size(), false);
    std::size_t from = 0;
    while (from <= list.size()) {
        const std::size_t comma = std::min(list.find(',', from), list.size());
        const std::string wanted = Lower(list.substr(from, comma - from));
        from = comma + 1;
        const auto found = std::find_if(sections.begin(), sections.end(),
                                        [&](const Section &s) { return named(s, wanted); });
        if (found == sections.end()) {
            std::string names;
            for (const Section &s : sections)
                names += (names.empty() ? "" : ", ") + s.name.substr(s.name.rfind(' ') + 1);
            return Refused("--only", "no section \"" + wanted + "\"; the sections are " + names + ".");
        }
        kept[static_cast<std::size_t>(found - sections.begin())] = true;
    }
    // In the chamber's order, whatever the list's.
    std::vector<Section> ordered;
    for (std::size_t i = 0; i < sections.size(); ++i)
        if (kept[i])
            ordered.push_back(sections[i]);
    sections = ordered;
    return std::nullopt;
}

std::optional<CommandResult> ReadRequest(const std::vector<std::string> &args, Request &request) {
    const Split split = SplitArguments(args);
    if (!split.error.empty())
        return UsageError(split.error, kTemplatesUsage);
    std::vector<std::string_view> valued = {"only", "format", "output", "paper", "diameters", "bend-layout"};
    for (const TemplateFieldInfo &field : TemplateFields())
        valued.push_back(std::string_view(field.option).substr(2));
    const Arguments parsed(split.rest, {"straight-header", "mid-thickness"}, valued);
    if (!parsed.error().empty())
        return UsageError(parsed.error(), kTemplatesUsage);
    const std::optional<std::string> output = parsed.value("output");
    const bool typedCones = !split.cones.empty();
    if (typedCones && (!parsed.positionals().empty() || parsed.has("straight-header")))
        return UsageError("--cone goes without FILE, KEY=TEXT and --straight-header", kTemplatesUsage);
    // The design file's own template options and bends come first; the command line's override them.
    TemplateSectionTexts saved;
    if (!typedCones)
        for (const std::string &arg : parsed.positionals())
            if (arg.find('=') == std::string::npos) {
                QString error;
                if (!ReadTemplateSection(QByteArray::fromStdString(arg), saved, &error))
                    return BadInput("cannot read " + arg + ": " + error.toStdString());
            }
    if ((!parsed.value("thickness") && saved.options.thickness.empty()) || !output)
        return UsageError("templates needs --thickness T and -o FILE", kTemplatesUsage);
    request.output = *output;
    if (auto refused = ReadOptions(parsed, typedCones, saved.options, request.sheet.options))
        return refused;
    if (auto refused = FormatOf(parsed, request.output, request.format))
        return refused;
    if (typedCones) {
        if (auto refused = ConeSections(split.cones, request.sections))
            return refused;
    } else {
        SheetDesign design;
        const bool straight = parsed.has("straight-header");
        if (auto failed = ChamberFromArguments(parsed, kTemplatesUsage, design.result, &design.texts))
            return failed;
        design.inputs = ParsePipeInputs(design.texts, straight);
        request.sections = ChamberSections(design.inputs, design.result);
        request.sheet.design = std::move(design);
    }
    std::map<std::string, BendTexts> plan;
    if (auto refused = ReadPlan(split.bends, plan))
        return refused;
    for (const auto &[key, bend] : saved.bends)
        plan.try_emplace(key, bend);
    PatternOptions &pattern = request.sheet.options.pattern;
    const std::string layout = Lower(parsed.value("bend-layout").value_or(saved.bendLayout));
    if (layout != "blank" && layout != "pieces")
        return Refused("--bend-layout", "give blank or pieces.");
    pattern.bendLayout = layout == "blank" ? BendLayout::Blank : BendLayout::Pieces;
    if (auto refusal = ReadBendPlan(request.sections, plan, pattern, pattern.bends, &request.notes))
        return Refused("--bend", refusal->reason);
    request.chosenBy = typedCones ? "--cone" : "";
    if (const std::optional<std::string> only = parsed.value("only")) {
        request.chosenBy = "--only";
        if (auto refused = KeepOnly(*only, request.sections))
            return refused;
    }
    return std::nullopt;
}

// The build sheet's letters need fonts, and fonts a QGuiApplication; the
// other commands have no use for one. Without a display it draws offscreen.
// Its constructor sets the C library's locale from the environment: numbers
// are written without it, and it is put back all the same.
std::unique_ptr<QGuiApplication> FontsApplication() {
    static int argc = 1;
    static char name[] = "quorvane-cli";
    static char *argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes on its own set-up (no runtime folder, say) are not the user's business.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "quorvane-cli: %s\n", qPrintable(message));
    });
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    return application;
}

CommandResult Write(const Request &request, std::string notes) {
    const TemplateFormatInfo &info = InfoOf(request.format);
    if (info.paged)
        if (const std::optional<PrintRefusal> refusal = SheetRefusal(request.sheet))
            return Refused(refusal->field ? FieldInfo(*refusal->field).option : "--paper", refusal->reason);
    const std::unique_ptr<QGuiApplication> fonts = info.paged ? FontsApplication() : nullptr;
    if (request.output == kStandardOutput)
        return {kSuccess, info.bytes(request.sheet).toStdString(), std::move(notes)};
    const SaveOutcome saved =
        SaveTemplates(request.format, QByteArray::fromStdString(request.output), request.sheet);
    if (!saved.saved)
        return WriteFailure("cannot save " + request.output + ": " + saved.error.toStdString());
    return {kSuccess, {}, std::move(notes)};
}

} // namespace

CommandResult RunTemplates(const std::vector<std::string> &args) {
    Request request;
    if (auto refused = ReadRequest(args, request))
        return *refused;
    try {
        request.sheet.templates = BuildTemplates(request.sections, request.sheet.options.pattern);
        std::string notes;
        request.sheet.templates.notes.insert(request.sheet.templates.notes.end(), request.notes.begin(),
                                             request.notes.end());
        for (const std::string &note : request.sheet.templates.notes)
            notes += "quorvane-cli: " + note + "\n";
        if (request.sheet.templates.patterns.empty()) {
            const std::string why = "nothing to export: no section has a length.";
            CommandResult refused = request.chosenBy.empty() ? BadInput(why) : Refused(request.chosenBy, why);
            refused.err = notes + refused.err;
            return refused;
        }
        return Write(request, std::move(notes));
    } catch (const ArithmeticFailure &e) {
        return CalcFailure(e.what());
    }
}

} // namespace quorvane::cli
