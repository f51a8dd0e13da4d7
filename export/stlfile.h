// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pipemodel.h"

#include <cstddef>
#include <optional>
#include <string>

namespace quorvane {

// A file a slicer or CAD program opens without trouble, and no bigger.
inline constexpr std::size_t kLargestStl = 50'000'000;

// The size in bytes of a binary STL of `triangles` facets.
std::size_t StlSize(std::size_t triangles);

// Why an STL cannot be written, for the user; nothing when it can.
std::optional<std::string> StlRefusal(const Mesh &mesh);

// The mesh as a binary STL in millimetres, little-endian, whole: header,
// count, then each facet's normal, corners and a zero attribute. Throws
// ArithmeticFailure for a coordinate that is not a finite number; check
// StlRefusal first.
std::string StlBytes(const Mesh &mesh);

} // namespace quorvane
