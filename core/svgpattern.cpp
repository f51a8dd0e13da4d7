// SPDX-License-Identifier: GPL-3.0-or-later
#include "svgpattern.h"

#include "numeric.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace quorvane {

namespace {

constexpr double kSvgMargin = 10;
// SVG sizes letters by their em; a cap height is about 0.7 em.
constexpr double kEmPerCapHeight = 1 / 0.7;

std::string Escaped(const std::string &text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string IdOf(const std::string &name) {
    std::string id;
    for (char c : name)
        id += std::isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(std::tolower(c)) : '-';
    return id;
}

// Pattern mm (y up) to the drawing's mm (y down), one piece at a time.
struct Placement {
    double dx;
    double top;
    Point2 operator()(Point2 p) const { return {p.x + dx, top - p.y}; }
};

std::string Colour(unsigned rgb) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text = "#";
    for (int shift = 20; shift >= 0; shift -= 4)
        text += kHex[(rgb >> shift) & 0xf];
    return text;
}

std::string StrokeAttributes(Stroke stroke) {
    const StrokeLook &look = LookOf(stroke);
    std::string text = "stroke=\"";
    text += Colour(look.rgb) + "\" stroke-width=\"" + ExactNumber(look.width) + "\"";
    std::string dashes;
    for (double d : look.dashes) {
        if (!dashes.empty())
            dashes += ' ';
        dashes += ExactNumber(d);
    }
    return dashes.empty() ? text : text + " stroke-dasharray=\"" + dashes + "\"";
}

std::string PathOf(const Shape &shape, const Placement &place) {
    auto xy = [](Point2 p) { return ExactNumber(p.x) + ' ' + ExactNumber(p.y); };
    if (const Line *line = std::get_if<Line>(&shape))
        return "M " + xy(place(line->from)) + " L " + xy(place(line->to));
    const Arc &arc = std::get<Arc>(shape);
    const std::string r = ExactNumber(arc.radius);
    // Counter-clockwise with y up is counter-clockwise on the page too: sweep flag 0 in y-down SVG.
    const char *large = arc.endAngle - arc.startAngle > 180 ? "1" : "0";
    return "M " + xy(place(StartOf(arc))) + " A " + r + ' ' + r + " 0 " + large + " 0 " +
           xy(place(EndOf(arc)));
}

} // namespace

std::string ExactNumber(double v) {
    Checked(v);
    if (v == 0)
        return "0"; // not "-0"
    std::array<char, 32> buffer;
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
    return std::string(buffer.data(), end);
}

Bounds PiecesSideBySide(const std::vector<SectionPattern> &patterns) {
    Bounds sheet;
    for (const SectionPattern &pattern : patterns) {
        for (const Piece &piece : pattern.pieceList) {
            sheet.right += (sheet.right > 0 ? kSvgPieceGap : 0) + piece.bounds.width();
            sheet.top = std::max(sheet.top, piece.bounds.height());
        }
    }
    return sheet;
}

std::string PatternSvg(const std::vector<SectionPattern> &patterns) {
    std::string body;
    double x = kSvgMargin;
    for (const SectionPattern &pattern : patterns) {
        for (std::size_t i = 0; i < pattern.pieceList.size(); ++i) {
            const Piece &piece = pattern.pieceList[i];
            const Placement place{x - piece.bounds.left, kSvgMargin + piece.bounds.top};
            const std::string id = IdOf(pattern.section.name) + "-piece-" + std::to_string(i + 1);
            for (const bool cut : {true, false}) {
                body += "  <g id=\"" + id + (cut ? "-cut" : "-marks") + "\" fill=\"none\">\n";
                body += "    <title>" + Escaped(piece.title) + (cut ? ": cut" : ": marks") + "</title>\n";
                for (const Edge &edge : piece.edges) {
                    if ((edge.stroke == Stroke::Cut) != cut)
                        continue;
                    body += "    <path d=\"" + PathOf(edge.shape, place) + "\" " +
                            StrokeAttributes(edge.stroke) + "/>\n";
                }
                for (const Label &label : cut ? std::vector<Label>{} : piece.labels) {
                    const Point2 at = place(label.at);
                    body +=
                        "    <text x=\"" + ExactNumber(at.x) + "\" y=\"" +
                        ExactNumber(at.y + label.height / 2) + "\" font-family=\"sans-serif\" font-size=\"" +
                        ExactNumber(label.height * kEmPerCapHeight) + "\" text-anchor=\"middle\" fill=\"" +
                        Colour(LookOf(Stroke::Mark).rgb) + "\">" + Escaped(label.text) + "</text>\n";
                }
                body += "  </g>\n";
            }
            x += piece.bounds.width() + kSvgPieceGap;
        }
    }
    const Bounds sheet = PiecesSideBySide(patterns);
    const double width = sheet.width() + 2 * kSvgMargin;
    const double height = sheet.height() + 2 * kSvgMargin;
    const std::string w = ExactNumber(width), h = ExactNumber(height);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           w + "mm\" height=\"" + h + "mm\" viewBox=\"0 0 " + w + ' ' + h + "\">\n" + body + "</svg>\n";
}

} // namespace quorvane
