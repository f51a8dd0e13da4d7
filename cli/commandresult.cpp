// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandresult.h"

namespace quorvane::cli {

namespace {

constexpr std::string_view kProgram = "quorvane-cli: ";

} // namespace

CommandResult Printed(std::string out) {
    return {kSuccess, std::move(out), {}};
}

CommandResult BadInput(std::string_view message) {
    return {kBadInput, {}, std::string(kProgram) + std::string(message) + "\n"};
}

CommandResult UsageError(std::string_view message, std::string_view usage) {
    std::string err = std::string(kProgram) + std::string(message) + "\n";
    err += "Usage: " + std::string(usage) + "\n";
    err += "Try 'quorvane-cli --help' for more information.\n";
    return {kBadInput, {}, std::move(err)};
}

CommandResult WriteFailure(std::string_view message) {
    return {kWriteError, {}, std::string(kProgram) + std::string(message) + "\n"};
}

CommandResult CalcFailure(std::string_view reason) {
    return {kCalcFailure, {}, std::string(kProgram) + std::string(reason) + "\n"};
}

} // namespace quorvane::cli
