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

std::optional<PipeField> ValidatePipeInputs(const PipeTexts &texts) {
    for (std::size_t i = 0; i < kPipeFieldCount; ++i) {
        const auto field = static_cast<PipeField>(i);
        const std::string &text = texts[i];
        if (field == PipeField::PortLength) {
            if (text.empty())
                return field;
            continue;
        }
        const std::optional<double> v = TryParse(text);
        if (!v)
            return field;
        // The outlet ratio alone may be below 1: a tail pipe narrower than the port.
        const double minimum = field == PipeField::PortToOutlet ? 0.1 : 1.0;
        if (*v < minimum || (field == PipeField::Timing && *v > 360))
            return field;
    }
    return std::nullopt;
}

} // namespace quorvane
