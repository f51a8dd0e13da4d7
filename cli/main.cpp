// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandresult.h"
#include "run.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace quorvane::cli;

// There is no QCoreApplication: nothing here needs an event loop, and its
// constructor would set the C locale from the environment. Only the PDF of
// `templates` makes one, for its fonts.
int main(int argc, char **argv) {
    const CommandResult result = Run(std::vector<std::string>(argv + 1, argv + argc));
    std::fwrite(result.out.data(), 1, result.out.size(), stdout);
    std::fwrite(result.err.data(), 1, result.err.size(), stderr);
    if (std::fflush(stdout) != 0) {
        std::fputs("quorvane-cli: the output could not be written\n", stderr);
        return kWriteError;
    }
    return result.status;
}
