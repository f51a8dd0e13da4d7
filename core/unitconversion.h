// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The input values calculator's three converters: °C and °F, kW and HP, mm and inches.
enum class Conversion { Temperature, Power, Length };
// Converts the text of box `from` (0 or 1) of a pair into the text of the other box.
std::string Convert(Conversion pair, int from, std::string_view text);

} // namespace quorvane
