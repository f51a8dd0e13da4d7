// SPDX-License-Identifier: GPL-3.0-or-later
// The late windows linked into the program itself, as the tests have them.
#include "latewindows.h"

namespace quorvane {

const LateWindowMakers *LateWindows(QString &) {
    return quorvane_late_windows();
}

} // namespace quorvane
