// SPDX-License-Identifier: GPL-3.0-or-later
#include "chambertexts.h"

#include "chamber.h"
#include "numeric.h"

namespace quorvane {

namespace {

// "name value" lines, the numbers appended in place rather than as a string each.
template <std::size_t N>
std::string Lines(const std::array<const char *, N> &names, const std::array<double, N> &values) {
    std::string text;
    text.reserve(N * 16);
    for (std::size_t i = 0; i < N; ++i) {
        if (i > 0)
            text += '\n';
        text += names[i];
        AppendFixed(text, values[i], 2);
    }
    return text;
}

// Sections 1 to 7: the port's own figures are not shown.
std::array<double, 7> Sections(const std::array<double, 8> &a) {
    std::array<double, 7> out{};
    for (std::size_t i = 0; i < 7; ++i)
        out[i] = a[i + 1];
    return out;
}

} // namespace

ChamberTexts FormatChamber(const PipeResult &r) {
    static constexpr std::array<const char *, 7> dNames{
        "D1 = ", "D2 = ", "D3 = ", "D4 = ", "D5 = ", "D6 = ", "D7 = "};
    static constexpr std::array<const char *, 7> lNames{
        "L1 = ", "L2 = ", "L3 = ", "L4 = ", "L5 = ", "L6 = ", "L7 = "};
    // Each cone is named by its length label.
    static constexpr std::array<const char *, 4> aNames{"L2 = ", "L3 = ", "L4 = ", "L6 = "};
    return {Lines(dNames, Sections(r.D)), Lines(lNames, Sections(r.L)), Lines(aNames, r.coneAngle),
            FormatFixed(r.tunedLength, 2)};
}

std::array<CaptionedText, 4> Captioned(const ChamberTexts &texts) {
    return {{{kResultCaptions[0], &texts.diameters},
             {kResultCaptions[1], &texts.lengths},
             {kResultCaptions[2], &texts.angles},
             {kResultCaptions[3], &texts.tunedLength}}};
}

} // namespace quorvane
