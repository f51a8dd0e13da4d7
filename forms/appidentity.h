// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvane {

// Gives the running program its desktop identity: the id the desktop entry
// is named by (so the desktop matches windows to it) and the icon every
// window shows.
void ApplyApplicationIdentity();

// What Help › About Quorvane says: version, licence, Qt and the web address.
QString AboutText();

} // namespace quorvane
