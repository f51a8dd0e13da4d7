// SPDX-License-Identifier: GPL-3.0-or-later
// Prints quorvane-cli(1); the build installs what it prints.
#include "manualpage.h"
#include "usage.h"

#include "quorvane_version.h"

#include <iostream>

int main() {
    std::cout << quorvane::cli::ManualPage(quorvane::cli::HelpText(), quorvane::kVersionText);
    return std::cout.flush() ? 0 : 1;
}
