// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quorvane::cli {

// quorvane-cli(1) in roff, made from the --help text so that the page and the
// help never disagree: each command is its own subsection with its usage
// lines as they are, its description and option lines kept line for line.
// `help` is laid out as HelpText() lays it out: a "Commands:" section whose
// entries start at two blanks (a usage line, or its continuation further in
// right below it) and go on at six, an "Options:" section, and a closing
// paragraph on the exit status.
std::string ManualPage(std::string_view help, std::string_view version);

} // namespace quorvane::cli
