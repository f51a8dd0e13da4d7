// SPDX-License-Identifier: GPL-3.0-or-later
#include "latewindows.h"

#include "quorvane_version.h"
#include "wavetimingform.h"

namespace {

constexpr quorvane::LateWindowMakers kMakers{
    quorvane::kVersionText,
    [](const quorvane::DesignState &state, quorvane::FileDialogs &dialogs) -> quorvane::ToolWindow * {
        return new quorvane::WaveTimingForm(state, dialogs);
    },
};

} // namespace

extern "C" Q_DECL_EXPORT const quorvane::LateWindowMakers *quorvane_late_windows() {
    return &kMakers;
}
