// SPDX-License-Identifier: GPL-3.0-or-later
#include "arguments.h"

#include <algorithm>

namespace quorvane::cli {

Arguments::Arguments(const std::vector<std::string> &args, std::initializer_list<std::string_view> flags,
                     std::initializer_list<std::string_view> valued)
    : Arguments(args, std::vector<std::string_view>(flags), std::vector<std::string_view>(valued)) {}

Arguments::Arguments(const std::vector<std::string> &args, const std::vector<std::string_view> &flags,
                     const std::vector<std::string_view> &valued) {
    auto known = [](const std::vector<std::string_view> &names, std::string_view name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    };
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            m_positionals.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        const std::string name = arg.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        if (known(flags, name)) {
            if (equals != std::string::npos) {
                m_error = "option --" + name + " takes no value";
                return;
            }
            m_flags.insert(name);
        } else if (known(valued, name)) {
            if (equals != std::string::npos) {
                m_values[name] = arg.substr(equals + 1);
            } else if (i + 1 < args.size()) {
                m_values[name] = args[++i];
            } else {
                m_error = "option --" + name + " needs a value";
                return;
            }
        } else {
            m_error = "unknown option " + arg.substr(0, equals);
            return;
        }
    }
}

bool Arguments::has(std::string_view name) const {
    return m_flags.contains(name);
}

std::optional<std::string> Arguments::value(std::string_view name) const {
    const auto found = m_values.find(name);
    if (found == m_values.end())
        return std::nullopt;
    return found->second;
}

std::vector<std::string> Fields(std::string_view text, char separator) {
    std::vector<std::string> fields{""};
    for (char c : text) {
        if (c == separator)
            fields.emplace_back();
        else
            fields.back().push_back(c);
    }
    return fields;
}

} // namespace quorvane::cli
