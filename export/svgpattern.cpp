// SPDX-License-Identifier: GPL-3.0-or-later
#include "svgpattern.h"

#include "numeric.h"
#include "sheetlayout.h"

#include <cctype>

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

// Path commands that walk `shape` from the current point, which is its start
// (or its end, `reversed`).
class PathWriter {
  public:
    explicit PathWriter(const PageTransform &place) : m_place(place) {}

    std::string MoveTo(Point2 p) const { return "M " + Xy(p); }

    std::string Walk(const Shape &shape, bool reversed) const {
        if (const Line *line = std::get_if<Line>(&shape))
            return " L " + Xy(reversed ? line->from : line->to);
        if (const Polyline *poly = std::get_if<Polyline>(&shape)) {
            std::string d;
            const std::size_t n = poly->points.size();
            for (std::size_t i = 1; i < n; ++i)
                d += " L " + Xy(poly->points[reversed ? n - 1 - i : i]);
            return d;
        }
        const Arc &arc = std::get<Arc>(shape);
        const std::string r = ExactNumber(arc.radius);
        const char *large = arc.endAngle - arc.startAngle > 180 ? "1" : "0";
        // Counter-clockwise with y up is counter-clockwise on the page too: sweep flag 0 in y-down SVG.
        return " A " + r + ' ' + r + " 0 " + large + (reversed ? " 1 " : " 0 ") +
               Xy(reversed ? StartOf(arc) : EndOf(arc));
    }

  private:
    std::string Xy(Point2 p) const {
        const Point2 q = m_place(p);
        return ExactNumber(q.x) + ' ' + ExactNumber(q.y);
    }

    const PageTransform &m_place;
};

} // namespace

std::string PatternSvg(const std::vector<SectionPattern> &patterns) {
    const SheetLayout layout = PlaceSideBySide(patterns);
    std::string body;
    for (const PlacedPiece &placed : layout.pieces) {
        const Piece &piece = *placed.piece;
        // The sheet's top left corner at the margin; each piece moved to its place first.
        const PageTransform place{
            1, {layout.bounds.left - placed.dx, layout.bounds.top - placed.dy}, {kSvgMargin, kSvgMargin}};
        const PathWriter path(place);
        const std::string id = IdOf(placed.pattern->section.name) + "-piece-" + std::to_string(placed.number);
        body += "  <g id=\"" + id + "-cut\" fill=\"none\">\n";
        body += "    <title>" + Escaped(piece.title) + ": cut</title>\n";
        std::string d = path.MoveTo(StartOf(piece.cut.front()));
        for (const Step &step : piece.cut)
            d += path.Walk(step.shape, step.reversed);
        body += "    <path d=\"" + d + " Z\" " + StrokeAttributes(Stroke::Cut) + "/>\n";
        body += "  </g>\n";
        body += "  <g id=\"" + id + "-marks\" fill=\"none\">\n";
        body += "    <title>" + Escaped(piece.title) + ": marks</title>\n";
        for (const Edge &edge : piece.marks)
            body += "    <path d=\"" + path.MoveTo(StartOf(edge.shape)) + path.Walk(edge.shape, false) +
                    "\" " + StrokeAttributes(edge.stroke) + "/>\n";
        for (const Label &label : piece.labels) {
            const Point2 at = place(label.at);
            body += "    <text x=\"" + ExactNumber(at.x) + "\" y=\"" + ExactNumber(at.y + label.height / 2) +
                    "\" font-family=\"sans-serif\" font-size=\"" +
                    ExactNumber(label.height * kEmPerCapHeight) + "\" text-anchor=\"middle\" fill=\"" +
                    Colour(LookOf(Stroke::Mark).rgb) + "\">" + Escaped(label.text) + "</text>\n";
        }
        body += "  </g>\n";
    }
    const std::string w = ExactNumber(layout.bounds.width() + 2 * kSvgMargin);
    const std::string h = ExactNumber(layout.bounds.height() + 2 * kSvgMargin);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
           w + "mm\" height=\"" + h + "mm\" viewBox=\"0 0 " + w + ' ' + h + "\">\n" + body + "</svg>\n";
}

} // namespace quorvane
