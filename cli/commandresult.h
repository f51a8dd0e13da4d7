// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quorvane::cli {

// Distinct statuses let a script tell a mistyped command from numbers that
// cannot be calculated; 1 is left for output that could not be written.
enum ExitStatus { kSuccess = 0, kWriteError = 1, kBadInput = 2, kCalcFailure = 3 };

// What a subcommand prints and returns; main writes it out, so a command never touches a stream.
struct CommandResult {
    int status = kSuccess;
    std::string out;
    std::string err;
};

CommandResult Printed(std::string out);
// A refused input or an unusable argument: one line on stderr.
CommandResult BadInput(std::string_view message);
// A malformed command line: the message, the command's usage and where to find more.
CommandResult UsageError(std::string_view message, std::string_view usage);
// A file that could not be written; what it held before is said in `message`.
CommandResult WriteFailure(std::string_view message);
// An arithmetic failure from core: its reason is already written for the user.
CommandResult CalcFailure(std::string_view reason);

} // namespace quorvane::cli
