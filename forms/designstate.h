// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chamber.h"
#include "pipeinputs.h"

#include <QDateTime>

namespace quorvane {

// What the main window's calculation publishes for the flat cone plot and
// the cutting templates: the four cones of the last completed calculation,
// and whether there has been one; and, for the templates' build sheet, the
// texts it was calculated from, what they were read as (the straight header
// with them) and its result.
struct DesignState {
    ConeList coneList;
    bool pipeCalculated = false;
    PipeTexts inputTexts{};
    PipeInputs inputs{};
    PipeResult result{};
    QDateTime calculatedAt;
};

} // namespace quorvane
