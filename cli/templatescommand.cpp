// SPDX-License-Identifier: GPL-3.0-or-later
#include "templatescommand.h"

#include "arguments.h"
#include "chambercommand.h"
#include "usage.h"

#include "buildsheet.h"
#include "dxfpattern.h"
#include "numeric.h"
#include "svgpattern.h"
#include "templatefiles.h"
#include "templateoptions.h"

#include <QGuiApplication>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cstdio>
#include <memory>

namespace quorvane::cli {

namespace {

enum class Format { Pdf, Svg, Dxf };

constexpr std::pair<std::string_view, Format> kFormats[] = {
    {"pdf", Format::Pdf}, {"svg", Format::Svg}, {"dxf", Format::Dxf}};

// What goes to standard output instead of a file.
constexpr std::string_view kStandardOutput = "-";

// The option of each template field, so that a refusal names what was typed.
constexpr std::pair<TemplateField, std::string_view> kFieldOptions[] = {
    {TemplateField::Thickness, "--thickness"},  {TemplateField::Overlap, "--overlap"},
    {TemplateField::Pieces, "--pieces"},        {TemplateField::SeamAllowance, "--seam-allowance"},
    {TemplateField::RollLines, "--roll-lines"},
};

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
        } else if (args[i] == "-o") {
            split.rest.push_back("--output");
        } else {
            split.rest.push_back(args[i]);
        }
    }
    return split;
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

// --only names sections by their name or its last word: "L3" for "Cone L3", "2" for "Cone 2".
std::optional<CommandResult> KeepOnly(const std::string &list, std::vector<Section> &sections) {
    auto named = [](const Section &s, const std::string &wanted) {
        const std::string name = Lower(s.name);
        return name == wanted || name.substr(name.rfind(' ') + 1) == wanted;
    };
    std::vector<Section> kept;
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
        if (std::none_of(kept.begin(), kept.end(), [&](const Section &s) { return s.name == found->name; }))
            kept.push_back(*found);
    }
    // In the chamber's order, whatever the list's.
    std::vector<Section> ordered;
    for (const Section &s : sections)
        if (std::any_of(kept.begin(), kept.end(), [&](const Section &k) { return k.name == s.name; }))
            ordered.push_back(s);
    sections = ordered;
    return std::nullopt;
}

std::optional<CommandResult> FormatOf(const Arguments &args, const std::string &output, Format &format) {
    std::string name;
    if (const std::optional<std::string> given = args.value("format"))
        name = Lower(*given);
    else if (const std::size_t dot = output.rfind('.'); dot != std::string::npos && output != kStandardOutput)
        name = Lower(output.substr(dot + 1));
    for (const auto &[text, f] : kFormats) {
        if (name == text) {
            format = f;
            if (format == Format::Pdf && output == kStandardOutput)
                return Refused("--format", "a PDF goes to a file, not to standard output.");
            return std::nullopt;
        }
    }
    return Refused("--format", args.value("format")
                                   ? "give pdf, svg or dxf."
                                   : "give pdf, svg or dxf, or an output file ending in one.");
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

CommandResult Written(const SaveOutcome &saved, const std::string &output, std::string notes) {
    if (!saved.saved)
        return WriteFailure("cannot save " + output + ": " + saved.error.toStdString());
    return {kSuccess, {}, std::move(notes)};
}

} // namespace

CommandResult RunTemplates(const std::vector<std::string> &args) {
    const Split split = SplitArguments(args);
    if (!split.error.empty())
        return UsageError(split.error, kTemplatesUsage);
    const Arguments parsed(split.rest, {"straight-header", "mid-thickness"},
                           {"thickness", "only", "format", "output", "paper", "overlap", "pieces",
                            "seam-allowance", "roll-lines"});
    if (!parsed.error().empty())
        return UsageError(parsed.error(), kTemplatesUsage);
    const std::optional<std::string> thickness = parsed.value("thickness");
    const std::optional<std::string> output = parsed.value("output");
    if (!thickness || !output)
        return UsageError("templates needs --thickness T and -o FILE", kTemplatesUsage);
    if (!split.cones.empty() && (!parsed.positionals().empty() || parsed.has("straight-header")))
        return UsageError("--cone goes without FILE, KEY=TEXT and --straight-header", kTemplatesUsage);

    TemplateTexts texts;
    texts.thickness = *thickness;
    texts.midThickness = parsed.has("mid-thickness");
    if (const std::optional<std::string> paper = parsed.value("paper")) {
        const std::optional<Paper> named = PaperNamed(*paper);
        if (!named)
            return Refused("--paper", "give a4, letter, a3, tabloid or plotter.");
        texts.paper = *named;
    }
    const std::pair<const char *, std::string *> numbers[] = {{"overlap", &texts.overlap},
                                                              {"pieces", &texts.pieces},
                                                              {"seam-allowance", &texts.seamAllowance},
                                                              {"roll-lines", &texts.rollLines}};
    for (const auto &[option, text] : numbers)
        if (const std::optional<std::string> value = parsed.value(option))
            *text = *value;
    BuildSheet sheet;
    if (const std::optional<TemplateRefusal> refusal = ReadTemplateOptions(texts, sheet.options)) {
        const auto named = std::find_if(std::begin(kFieldOptions), std::end(kFieldOptions),
                                        [&](const auto &f) { return f.first == refusal->field; });
        return Refused(named->second, refusal->reason);
    }
    Format format = Format::Pdf;
    if (auto refused = FormatOf(parsed, *output, format))
        return *refused;

    std::vector<Section> sections;
    if (!split.cones.empty()) {
        if (auto refused = ConeSections(split.cones, sections))
            return *refused;
    } else {
        SheetDesign design;
        design.straightHeader = parsed.has("straight-header");
        if (auto failed = ChamberFromArguments(parsed, kTemplatesUsage, design.result, &design.texts))
            return *failed;
        sections = ChamberSections(ParsePipeInputs(design.texts, design.straightHeader), design.result);
        sheet.design = std::move(design);
    }
    if (const std::optional<std::string> only = parsed.value("only"))
        if (auto refused = KeepOnly(*only, sections))
            return *refused;

    try {
        sheet.templates = BuildTemplates(sections, sheet.options.pattern);
    } catch (const ArithmeticFailure &e) {
        return CalcFailure(e.what());
    }
    std::string notes;
    for (const std::string &note : sheet.templates.notes)
        notes += "quorvane-cli: " + note + "\n";
    if (sheet.templates.patterns.empty()) {
        const char *option = parsed.value("only") ? "--only" : split.cones.empty() ? nullptr : "--cone";
        const std::string why = "nothing to export: no section has a length.";
        CommandResult refused = option ? Refused(option, why) : BadInput(why);
        refused.err = notes + refused.err;
        return refused;
    }

    const std::vector<SectionPattern> &patterns = sheet.templates.patterns;
    const QByteArray path = QByteArray::fromStdString(*output); // bytes, whatever they are
    const bool toStdout = *output == kStandardOutput;
    try {
        switch (format) {
        case Format::Pdf: {
            if (const std::optional<std::string> refusal = SheetRefusal(sheet))
                return Refused("--paper", *refusal);
            const std::unique_ptr<QGuiApplication> fonts = FontsApplication();
            return Written(SaveBuildSheetPdf(path, sheet), *output, notes);
        }
        case Format::Svg:
            if (toStdout)
                return {kSuccess, PatternSvg(patterns), notes};
            return Written(SaveTemplateSvg(path, patterns), *output, notes);
        case Format::Dxf:
            if (toStdout)
                return {kSuccess, PatternDxf(patterns), notes};
            return Written(SaveTemplateDxf(path, patterns), *output, notes);
        }
    } catch (const ArithmeticFailure &e) {
        return CalcFailure(e.what());
    }
    return {};
}

} // namespace quorvane::cli
