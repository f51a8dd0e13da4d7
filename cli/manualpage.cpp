// SPDX-License-Identifier: GPL-3.0-or-later
#include "manualpage.h"

#include <sstream>
#include <vector>

namespace quorvane::cli {

namespace {

constexpr std::string_view kProgram = "quorvane-cli";
constexpr std::string_view kSummary = "expansion chamber and engine calculations from the command line";
constexpr std::size_t kEntryIndent = 2;
constexpr std::size_t kBodyIndent = 6;

// Text as roff prints it: a minus is a minus, not a hyphen, and nothing reads as a request.
std::string Escaped(std::string_view text) {
    std::string out;
    if (!text.empty() && (text.front() == '.' || text.front() == '\''))
        out += "\\&";
    for (const char c : text) {
        if (c == '\\')
            out += "\\e";
        else if (c == '-')
            out += "\\-";
        else
            out += c;
    }
    return out;
}

std::size_t Indent(std::string_view line) {
    const std::size_t first = line.find_first_not_of(' ');
    return first == std::string_view::npos ? line.size() : first;
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return lines;
}

struct Entry {
    std::string name;
    std::vector<std::string> usages; // each after the program's name, continuations joined
    std::vector<std::string_view> body;
};

} // namespace

std::string ManualPage(std::string_view help, std::string_view version) {
    const std::vector<std::string_view> lines = Lines(help);
    std::vector<std::string_view> description, options, closing;
    std::vector<Entry> entries;
    std::string synopsis;
    enum class Part { Head, Commands, Options, Closing } part = Part::Head;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::size_t indent = Indent(line);
        if (i == 0 && line.starts_with("Usage: ")) {
            synopsis = std::string(line.substr(line.find(kProgram) + kProgram.size() + 1));
        } else if (i == 1) {
            // The one-line summary: the NAME section says it.
        } else if (line == "Commands:") {
            part = Part::Commands;
        } else if (line == "Options:") {
            part = Part::Options;
        } else if (part == Part::Head) {
            description.push_back(line);
        } else if (part == Part::Commands && indent == kEntryIndent) {
            const std::string_view usage = line.substr(indent);
            const std::string name(usage.substr(0, usage.find(' ')));
            if (entries.empty() || entries.back().name != name || !entries.back().body.empty())
                entries.push_back({name, {}, {}});
            entries.back().usages.emplace_back(usage);
        } else if (part == Part::Commands && indent > kBodyIndent && !entries.empty() &&
                   entries.back().body.empty()) {
            entries.back().usages.back() += ' ' + std::string(line.substr(indent));
        } else if (part == Part::Commands && !line.empty()) {
            entries.back().body.push_back(line.substr(std::min(indent, kBodyIndent)));
        } else if (part == Part::Options && indent == kEntryIndent) {
            options.push_back(line.substr(indent));
        } else if ((part == Part::Options || part == Part::Closing) && !line.empty()) {
            part = Part::Closing;
            closing.push_back(line);
        }
    }

    std::ostringstream out;
    out << ".TH QUORVANE\\-CLI 1 \"\" \"Quorvane " << Escaped(version) << "\" \"User Commands\"\n"
        << ".SH NAME\n"
        << Escaped(kProgram) << " \\- " << Escaped(kSummary) << "\n"
        << ".SH SYNOPSIS\n"
        << ".B " << Escaped(kProgram) << "\n"
        << Escaped(synopsis) << "\n"
        << ".SH DESCRIPTION\n";
    for (const std::string_view line : description)
        out << (line.empty() ? ".PP" : Escaped(line)) << "\n";
    out << ".SH COMMANDS\n";
    // Entries of one name (flatcone's two forms) share its subsection.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const Entry &entry = entries[i];
        if (i == 0 || entries[i - 1].name != entry.name)
            out << ".SS " << Escaped(entry.name) << "\n";
        out << ".nf\n";
        for (const std::string &usage : entry.usages)
            out << "\\fB" << Escaped(kProgram) << ' ' << Escaped(entry.name) << "\\fR"
                << Escaped(std::string_view(usage).substr(entry.name.size())) << "\n";
        out << ".fi\n.RS 4\n.nf\n";
        for (const std::string_view line : entry.body)
            out << Escaped(line) << "\n";
        out << ".fi\n.RE\n";
    }
    out << ".SH OPTIONS\n";
    for (const std::string_view option : options) {
        const std::size_t gap = option.find("  ");
        out << ".TP\n\\fB" << Escaped(option.substr(0, gap)) << "\\fR\n"
            << Escaped(option.substr(option.find_first_not_of(' ', gap))) << "\n";
    }
    out << ".SH \"EXIT STATUS\"\n";
    for (const std::string_view line : closing)
        out << Escaped(line) << "\n";
    out << ".SH \"SEE ALSO\"\n.BR quorvane (1)\n";
    return out.str();
}

} // namespace quorvane::cli
