// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// The twelve design inputs in the order the pre-check and the tab order take them.
enum class PipeField {
    Timing,
    Rpm,
    Temp,
    Heats,
    GasConstant,
    PortWindowD,
    PortLength,
    PortFlangeD,
    PortToPipe,
    PortToMid,
    PortToOutlet,
    HornCoefficient,
};
inline constexpr std::size_t kPipeFieldCount = static_cast<std::size_t>(PipeField::HornCoefficient) + 1;

// Whether every entry of a table indexed by PipeField was filled: a short
// brace list would leave the last entries null without a word.
template <class Table, class Member> constexpr bool EveryFieldNamed(const Table &table, Member member) {
    for (const auto &row : table)
        if (row.*member == nullptr)
            return false;
    return true;
}

// The one list of the design inputs: everything the window, the pipe values
// file and the command line know of an input comes from here.
struct PipeFieldInfo {
    const char *key;         // key in the pipe values file, name of the PipeInputs field
    const char *label;       // caption of the label above the input's box
    const char *initialText; // text of the input when the window opens
    bool hasRange;           // advisory range: outside it the box turns yellow
    double low;
    double high;
};

const std::array<PipeFieldInfo, kPipeFieldCount> &PipeFields();
const PipeFieldInfo &FieldInfo(PipeField field);
std::optional<PipeField> FieldByKey(std::string_view key);
// The label's words without the blanks the window's layout puts around them,
// for quoting the input in a message.
std::string FieldCaption(PipeField field);

using PipeTexts = std::array<std::string, kPipeFieldCount>;

// The texts the main window starts with.
PipeTexts InitialPipeTexts();

struct PipeInputs {
    double timing = 0;
    double RPM = 0;
    double temp = 0;
    double heats = 0;
    double gasConstant = 0;
    double portWindowD = 0;
    double portLength = 0;
    double portFlangeD = 0;
    double portToPipe = 0;
    double portToMid = 0;
    double portToOutlet = 0;
    double hornCoefficient = 0;
    bool straightHeader = false;
};

// Reads the texts as the window does; a number too large for a double throws ArithmeticFailure.
PipeInputs ParsePipeInputs(const PipeTexts &texts, bool straightHeader);

enum class BoxColour { Normal, Advisory };

// The change handling of a box with or without an advisory range. The port
// length box has its own rule, PortLengthColour.
BoxColour AdvisoryColour(PipeField field, std::string_view text);

// Yellow exactly when the next calculation with the same other inputs would
// fire the port length warning: the port is longer than the header allowance
// (a tenth of the tuned length) of the last completed calculation. Before any
// calculation lastTunedLength is empty and the box stays normal.
BoxColour PortLengthColour(std::string_view text, std::optional<double> lastTunedLength);

// Why the pre-check of Pipe Calc refuses `text` for `field`, as a clause to
// follow the input's name ("must be at least 1"); empty when it passes.
std::string PipeInputRefusal(PipeField field, std::string_view text);

// The pre-check of Pipe Calc: the first field that fails, or nothing when all pass.
std::optional<PipeField> ValidatePipeInputs(const PipeTexts &texts);

} // namespace quorvane
