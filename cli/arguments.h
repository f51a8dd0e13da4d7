// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::cli {

// The arguments after a subcommand, split into options and positionals.
// Only "--name" is an option, so a negative number such as "-40" stays a
// positional, as it must for the converter and the cone calculator; "--"
// ends the options. A valued option takes "--name VALUE" or "--name=VALUE".
class Arguments {
  public:
    Arguments(const std::vector<std::string> &args, std::initializer_list<std::string_view> flags,
              std::initializer_list<std::string_view> valued);
    Arguments(const std::vector<std::string> &args, const std::vector<std::string_view> &flags,
              const std::vector<std::string_view> &valued);

    // Empty when the arguments were understood, otherwise what was wrong.
    const std::string &error() const { return m_error; }
    const std::vector<std::string> &positionals() const { return m_positionals; }
    bool has(std::string_view name) const;
    std::optional<std::string> value(std::string_view name) const;

  private:
    std::vector<std::string> m_positionals;
    std::set<std::string, std::less<>> m_flags;
    std::map<std::string, std::string, std::less<>> m_values;
    std::string m_error;
};

// The fields of `text` between `separator`s: "L3:90:4" gives "L3", "90", "4".
std::vector<std::string> Fields(std::string_view text, char separator);

} // namespace quorvane::cli
