#pragma once

#include "chamber.h"

namespace quorvane {

// What the main window's calculation publishes for the flat cone plot: the
// four cones of the last completed calculation, and whether there has been one.
struct DesignState {
    ConeList coneList;
    bool pipeCalculated = false;
};

} // namespace quorvane
