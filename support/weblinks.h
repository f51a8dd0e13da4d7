// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvane {

// The two addresses the main window's link buttons open.
inline constexpr const char *kWebSiteAddress = "https://www.quorvane.org/";
inline constexpr const char *kVideoHelpAddress = "https://www.youtube.com/@quorvane";

// Open the address in the user's default browser; a failure is silent.
void OpenWebSite();
void OpenVideoHelp();

} // namespace quorvane
