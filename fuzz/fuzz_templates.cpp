// SPDX-License-Identifier: GPL-3.0-or-later
// Cutting templates from any numbers: sections and options read from the
// input as the boxes would give them. Whatever they are, the drawings are
// written without nan or inf, and a sheet that may be printed has its pages
// numbered one after the other from page 2. One cone may be bent.
#include "dxfpattern.h"
#include "failure.h"
#include "pageplan.h"
#include "pattern.h"
#include "svgpattern.h"
#include "templateoptions.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

using namespace quorvane;

namespace {

// Doubles straight from the input's bytes, so that every value can be reached.
class Numbers {
  public:
    Numbers(const std::uint8_t *data, std::size_t size) : m_data(data), m_size(size) {}
    double Next() {
        double v = 0;
        if (m_at + sizeof v <= m_size)
            std::memcpy(&v, m_data + m_at, sizeof v);
        m_at += sizeof v;
        return v;
    }
    std::string Text() { return std::to_string(Next()); }

  private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

void Check(const std::string &drawing) {
    if (drawing.find("nan") != std::string::npos || drawing.find("inf") != std::string::npos)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    Numbers numbers(data, size);
    TemplateTexts texts;
    for (const TemplateFieldInfo &field : TemplateFields())
        texts.*field.text = numbers.Text();
    const auto choice = static_cast<unsigned>(numbers.Next() != 0) + 2 * static_cast<unsigned>(size % 5);
    texts.outsideDiameters = choice & 1;
    texts.paper = AllPapers()[(choice >> 1) % AllPapers().size()];
    TemplateOptions options;
    if (ReadTemplateOptions(texts, options))
        return 0;
    std::vector<Section> sections;
    for (int i = 0; i < 3; ++i)
        sections.push_back({"Cone " + std::to_string(i + 1), numbers.Next(), numbers.Next(), numbers.Next()});
    // The second cone bent, as the bend plan reads it; a refused bend leaves it straight.
    const std::string angle = numbers.Text();
    const double count = numbers.Next();
    const int pieces = std::isfinite(count) ? static_cast<int>(std::fmod(std::fabs(count), 30.0)) : 2;
    const std::map<std::string, BendTexts> bendPlan = {
        {"2", {angle, std::to_string(pieces), numbers.Text()}}};
    options.pattern.bendLayout = size % 2 == 0 ? BendLayout::Pieces : BendLayout::Blank;
    TemplateSet set;
    try {
        if (ReadBendPlan(sections, bendPlan, options.pattern, options.pattern.bends))
            options.pattern.bends.clear();
        set = BuildTemplates(sections, options.pattern);
        Check(PatternSvg(set.patterns));
        Check(PatternDxf(set.patterns));
    } catch (const ArithmeticFailure &) {
        return 0; // said to the user, nothing written
    }
    if (RefusePrinting(set.patterns, options))
        return 0;
    const SheetPlan plan = PlanSheet(set.patterns, options);
    int next = 2;
    for (const PiecePages &p : plan.pieces) {
        if (p.first != next || p.plan.tiles.empty())
            std::abort();
        next = p.firstTile() + static_cast<int>(p.plan.tiles.size());
    }
    if (plan.pageCount != next - 1)
        std::abort();
    return 0;
}
