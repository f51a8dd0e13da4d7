// SPDX-License-Identifier: GPL-3.0-or-later
#include "savecommand.h"

#include "arguments.h"
#include "designtexts.h"
#include "usage.h"

#include "pipeinputs.h"
#include "pipevaluesfile.h"

namespace quorvane::cli {

CommandResult RunSave(const std::vector<std::string> &args) {
    const Arguments parsed(args, {}, {"from"});
    if (!parsed.error().empty())
        return UsageError(parsed.error(), kSaveUsage);
    const std::vector<std::string> &p = parsed.positionals();
    if (p.empty())
        return UsageError("save needs FILE", kSaveUsage);
    const std::vector<std::string> assignments(p.begin() + 1, p.end());
    for (const std::string &assignment : assignments)
        if (assignment.find('=') == std::string::npos)
            return UsageError("expected KEY=TEXT after FILE, got " + assignment, kSaveUsage);

    PipeTexts texts = InitialPipeTexts();
    if (const std::optional<std::string> from = parsed.value("from"))
        if (auto failed = ApplyFile(*from, texts))
            return *failed;
    if (auto failed = ApplyAssignments(assignments, texts))
        return *failed;

    PipeValueTexts values;
    for (std::size_t i = 0; i < kPipeFieldCount; ++i)
        values[i] = QString::fromStdString(texts[i]);
    const PipeValuesSave saved = WritePipeValues(QByteArray::fromStdString(p[0]), values);
    if (saved.refusedText) {
        const PipeField field = *saved.refusedText;
        return BadInput("invalid input: " + std::string(FieldInfo(field).key) + " (\"" + FieldCaption(field) +
                        "\") " + saved.error.toStdString());
    }
    if (!saved.saved)
        return WriteFailure("cannot save " + p[0] + ": " + saved.error.toStdString());
    return Printed({});
}

} // namespace quorvane::cli
