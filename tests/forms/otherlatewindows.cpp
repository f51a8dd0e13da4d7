// SPDX-License-Identifier: GPL-3.0-or-later
// A window module of another version, which the program must refuse.
#include "latewindows.h"

extern "C" Q_DECL_EXPORT const quorvane::LateWindowMakers *quorvane_late_windows() {
    static const quorvane::LateWindowMakers makers{"0.9.9", nullptr};
    return &makers;
}
