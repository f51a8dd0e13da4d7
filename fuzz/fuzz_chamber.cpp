// SPDX-License-Identifier: GPL-3.0-or-later
// The chamber from twelve arbitrary texts: the check either refuses one, or
// the calculation gives texts free of nan and inf, or it fails with a reason.
#include "chamber.h"
#include "chambertexts.h"
#include "numeric.h"
#include "pipeinputs.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace quorvane;

namespace {

bool Clean(const std::string &text) {
    for (const char *bad : {"nan", "inf", "NaN", "Inf", "NAN", "INF"})
        if (text.find(bad) != std::string::npos)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return 0;
    const bool straightHeader = data[0] & 1;
    const std::string all(reinterpret_cast<const char *>(data + 1), size - 1);
    PipeTexts texts{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < kPipeFieldCount && start <= all.size(); ++i) {
        const std::size_t end = std::min(all.find('\n', start), all.size());
        texts[i] = all.substr(start, end - start);
        start = end + 1;
    }
    for (std::size_t i = 0; i < kPipeFieldCount; ++i)
        (void)AdvisoryColour(static_cast<PipeField>(i), texts[i]);
    if (ValidatePipeInputs(texts))
        return 0;
    try {
        const PipeResult result = ComputeChamber(ParsePipeInputs(texts, straightHeader));
        const ChamberTexts shown = FormatChamber(result);
        for (const std::string *text :
             {&shown.diameters, &shown.lengths, &shown.angles, &shown.tunedLength, &result.warningText})
            if (!Clean(*text))
                std::abort();
        (void)ConeListOf(result);
    } catch (const ArithmeticFailure &failure) {
        // A number too large to read is quoted as typed, "inf" and all.
        if (failure.what()[0] == '\0' ||
            (failure.kind() != Failure::NumberTooLargeToRead && !Clean(failure.what())))
            std::abort();
    }
    return 0;
}
