// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeinputs.h"

#include "chamber.h"
#include "numeric.h"

namespace quorvane {

namespace {

constexpr std::array<PipeFieldInfo, kPipeFieldCount> kFields{{
    {"timing", "Port Timing", "", true, 140, 220},
    {"RPM", "RPM", "", true, 5000, 30000},
    {"temp", " Exhaust Temp", "", true, 300, 1000},
    {"heats", "RSH", "1.360", false, 0, 0},
    {"gasConstant", "IGC", "300", false, 0, 0},
    {"portWindowD", "Port Diam (P)", "", false, 0, 0},
    {"portLength", "Port Length", "", false, 0, 0},
    {"portFlangeD", "Port Flange Diam (F)", "", false, 0, 0},
    {"portToPipe", "Port to Pipe Ratio", "1.05", true, 1.05, 1.25},
    {"portToMid", "Port to Mid Ratio", "3.25", true, 2.125, 3.25},
    {"portToOutlet", "Port to Outlet Ratio", "0.6", true, 0.6, 0.7},
    {"hornCoefficient", "Horn Coefficient", "1.25", true, 1.25, 2.0},
}};
static_assert(EveryFieldNamed(kFields, &PipeFieldInfo::key));

} // namespace

const std::array<PipeFieldInfo, kPipeFieldCount> &PipeFields() {
    return kFields;
}

const PipeFieldInfo &FieldInfo(PipeField field) {
    return PipeFields()[static_cast<std::size_t>(field)];
}

std::string FieldCaption(PipeField field) {
    const std::string_view label = FieldInfo(field).label;
    const std::size_t first = label.find_first_not_of(' ');
    return first == std::string_view::npos
               ? std::string()
               : std::string(label.substr(first, label.find_last_not_of(' ') + 1 - first));
}

std::optional<PipeField> FieldByKey(std::string_view key) {
    for (std::size_t i = 0; i < kPipeFieldCount; ++i)
        if (key == PipeFields()[i].key)
            return static_cast<PipeField>(i);
    return std::nullopt;
}

PipeTexts InitialPipeTexts() {
    PipeTexts texts;
    for (std::size_t i = 0; i < kPipeFieldCount; ++i)
        texts[i] = PipeFields()[i].initialText;
    return texts;
}

PipeInputs ParsePipeInputs(const PipeTexts &t, bool straightHeader) {
    auto v = [&](PipeField f) { return ParseLeadingNumber(t[static_cast<std::size_t>(f)]); };
    PipeInputs in;
    in.timing = v(PipeField::Timing);
    in.RPM = v(PipeField::Rpm);
    in.temp = v(PipeField::Temp);
    in.heats = v(PipeField::Heats);
    in.gasConstant = v(PipeField::GasConstant);
    in.portWindowD = v(PipeField::PortWindowD);
    in.portLength = v(PipeField::PortLength);
    in.portFlangeD = v(PipeField::PortFlangeD);
    in.portToPipe = v(PipeField::PortToPipe);
    in.portToMid = v(PipeField::PortToMid);
    in.portToOutlet = v(PipeField::PortToOutlet);
    in.hornCoefficient = v(PipeField::HornCoefficient);
    in.straightHeader = straightHeader;
    return in;
}

namespace {

// A number too large to read is certainly outside any range and fails any check.
std::optional<double> TryParse(std::string_view text) {
    try {
        return ParseLeadingNumber(text);
    } catch (const ArithmeticFailure &) {
        return std::nullopt;
    }
}

} // namespace

BoxColour AdvisoryColour(PipeField field, std::string_view text) {
    const PipeFieldInfo &info = FieldInfo(field);
    if (!info.hasRange)
        return BoxColour::Normal;
    const std::optional<double> v = TryParse(text);
    if (!v || *v < info.low || *v > info.high)
        return BoxColour::Advisory;
    return BoxColour::Normal;
}

BoxColour PortLengthColour(std::string_view text, std::optional<double> lastTunedLength) {
    if (!lastTunedLength)
        return BoxColour::Normal;
    const std::optional<double> v = TryParse(text);
    if (!v || *lastTunedLength * kHeaderFraction < *v)
        return BoxColour::Advisory;
    return BoxColour::Normal;
}

std::string PipeInputRefusal(PipeField field, std::string_view text) {
    const bool blank = text.find_first_not_of(" \t") == std::string_view::npos;
    if (field == PipeField::PortLength)
        return text.empty() ? "must not be empty" : "";
    const std::optional<double> v = TryParse(text);
    if (!v)
        return "is too large to calculate with";
    // The outlet ratio alone may be below 1: a tail pipe narrower than the port.
    const bool outlet = field == PipeField::PortToOutlet;
    if (*v < (outlet ? 0.1 : 1.0))
        return blank ? "must not be empty" : outlet ? "must be at least 0.1" : "must be at least 1";
    if (field == PipeField::Timing && *v > 360)
        return "must be at most 360";
    return {};
}

std::optional<PipeField> ValidatePipeInputs(const PipeTexts &texts) {
    for (std::size_t i = 0; i < kPipeFieldCount; ++i)
        if (!PipeInputRefusal(static_cast<PipeField>(i), texts[i]).empty())
            return static_cast<PipeField>(i);
    return std::nullopt;
}

} // namespace quorvane
