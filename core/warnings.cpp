// SPDX-License-Identifier: GPL-3.0-or-later
#include "warnings.h"

#include "numeric.h"

namespace quorvane {

const char *const kPortLengthWarning =
    "Port Length should not exceed L1 (header length).\n"
    "If you choose to continue with a Port length greater than L1 header length then the extra will be "
    "subtracted from L2 which is the diffuser cone\n"
    "You also need to select straight header option to ensure L2 inlet diameter matches port outlet flange "
    "diameter.";

const char *const kFlangeWarning =
    "Header pipe inlet at the flange (F) cannot be larger than the header outlet at the diffuser cone entry "
    "(D1).\n"
    "Increase the Port to Pipe Ratio OR select Straight Header Option and Press Pipe Calc again to "
    "re-calculate";

std::string HeaderTaperWarning(double headerAngle, double firstConeAngle) {
    return "Header pipe is " + FormatFixed(headerAngle, 2) + " degree taper angle.\n" +
           "It cannot exceed the angle of the diffuser cone (L2) which is " + FormatFixed(firstConeAngle, 2) +
           "\n" +
           "Decrease the Port to Pipe Ratio OR select Straight Header Option and Press Pipe Calc again to "
           "re-calculate";
}

void AppendWarning(std::string &warningText, std::string_view message) {
    if (!warningText.empty())
        warningText += "\nWARNING !\n";
    else
        warningText = "WARNING !\n";
    warningText += message;
}

} // namespace quorvane
