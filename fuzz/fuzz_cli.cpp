// SPDX-License-Identifier: GPL-3.0-or-later
// quorvane-cli's commands on any command line: they end with one of the
// documented exit statuses and never crash. Nothing is written to disk: a
// save is left out, and templates and models go to standard output only.
#include "run.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace quorvane::cli;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size && args.size() < 40; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    if (args[0] == "save")
        return 0;
    if (args[0] == "templates" || args[0] == "model") {
        std::vector<std::string> kept;
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::string &a = args[i];
            if (a == "-o" || a == "--output")
                ++i; // and its value
            else if (a.rfind("--output=", 0) != 0 && a.rfind("-o", 0) != 0)
                kept.push_back(a);
        }
        kept.insert(kept.end(), {"-o", "-"});
        // Either drawing, by the input's length: both writers meet every command line.
        if (args[0] == "templates")
            kept.insert(kept.end(), {"--format", size % 2 ? "dxf" : "svg"});
        args = kept;
    }
    const CommandResult result = Run(args);
    if (result.status < 0 || result.status > 3)
        std::abort();
    return 0;
}
