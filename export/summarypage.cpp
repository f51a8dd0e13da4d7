// SPDX-License-Identifier: GPL-3.0-or-later
#include "summarypage.h"

#include "chambertexts.h"
#include "numeric.h"
#include "pipemodel.h"
#include "pipeoutline.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace quorvane {

namespace {

constexpr double kBodyPoints = 8;
constexpr double kTablePoints = 7;
constexpr double kHeadingPoints = 10;
constexpr double kTitlePoints = 14;
constexpr double kGap = 3; // between blocks, mm
const QColor kWarningColour(170, 0, 0);

QString Q(const std::string &text) {
    return QString::fromStdString(text);
}

QString Mm(double v) {
    return Q(FormatFixed(v, 2));
}

// Writes a heading and returns the y of the first line under it.
double Heading(const SheetPage &page, double y, const QString &text) {
    const QFont font = SheetPage::Font(kHeadingPoints, true);
    page.Write(page.left(), y + page.LineHeight(font) * 0.8, text, font);
    return y + page.LineHeight(font) * 1.1;
}

double PrintNote(const SheetPage &page, double y) {
    const QString note =
        QStringLiteral("Print at 100 % (actual size): switch off \u201Cfit to page\u201D (or \u201Cscale to "
                       "fit\u201D) in your printer settings. The tile pages are at 1:1; measure the 100 mm "
                       "bar at the foot of each page before you cut.");
    const double h = page.Wrapped(page.left() + 2, y + 1.5, page.width() - 4, note, SheetPage::Font(9, true));
    page.Frame(page.left(), y, page.width(), h + 3, 0.4);
    return y + h + 3 + kGap;
}

double DesignInputs(const SheetPage &page, double y, const SheetDesign &design) {
    y = Heading(page, y, QStringLiteral("Design"));
    const QFont font = SheetPage::Font(kBodyPoints);
    const double line = page.LineHeight(font);
    constexpr int kRows = 4; // three columns of four inputs
    const double column = page.width() / 3;
    for (std::size_t i = 0; i < kPipeFieldCount; ++i) {
        const double x = page.left() + column * static_cast<double>(i / kRows);
        const double baseline = y + line * (static_cast<double>(i % kRows) + 0.8);
        page.Write(x, baseline, Q(PipeFields()[i].label).trimmed(), font);
        page.Write(x + column * 0.55, baseline, Q(design.texts[i]), font);
    }
    y += line * kRows;
    QString header = design.inputs.straightHeader ? QStringLiteral("Straight header: yes (no taper)")
                                                  : QStringLiteral("Straight header: no");
    if (!design.madeAt.empty())
        header += QStringLiteral("    Calculated %1").arg(Q(design.madeAt));
    page.Write(page.left(), y + line * 0.8, header, font);
    return y + line + kGap;
}

double ChamberResults(const SheetPage &page, double y, const PipeResult &result) {
    y = Heading(page, y, QStringLiteral("Chamber"));
    const ChamberTexts texts = FormatChamber(result);
    const auto blocks = Captioned(texts);
    const QFont font = SheetPage::Font(kBodyPoints);
    const double line = page.LineHeight(font);
    double deepest = 0;
    for (std::size_t i = 0; i < std::size(blocks); ++i) {
        const double x = page.left() + page.width() / 4 * static_cast<double>(i);
        page.Write(x, y + line * 0.8, Q(blocks[i].caption), SheetPage::Font(kBodyPoints, true));
        const QStringList lines = Q(*blocks[i].text).split('\n', Qt::SkipEmptyParts);
        for (qsizetype k = 0; k < lines.size(); ++k)
            page.Write(x, y + line * (static_cast<double>(k) + 1.8), lines[k], font);
        deepest = std::max(deepest, line * static_cast<double>(lines.size() + 1));
    }
    y += deepest + kGap;
    if (!result.warningText.empty()) {
        page.Write(page.left(), y + line * 0.8, QStringLiteral("Warnings"),
                   SheetPage::Font(kBodyPoints, true), Qt::AlignLeft, kWarningColour);
        y += line;
        y += page.Wrapped(page.left(), y, page.width(), Q(result.warningText).trimmed(), font) + kGap;
    }
    return y;
}

// The chamber from the flange to the outlet, lengths and diameters to one scale.
double SideView(const SheetPage &page, double y, double bottom, const SheetDesign &design) {
    const PipeResult &r = design.result;
    const std::array<OutlineStation, 8> stations = ChamberStations(design.inputs.portFlangeD, r.D, r.L);
    const double length = stations.back().x;
    double widest = 0;
    for (const OutlineStation &s : stations)
        widest = std::max(widest, s.diameter);
    const QFont font = SheetPage::Font(kBodyPoints);
    const double line = page.LineHeight(font);
    const double room = bottom - y - 2 * line - kGap;
    if (!(length > 0) || !(widest > 0) || room < 10)
        return y;
    const double n = DrawingScale(length, widest, {page.width(), room});
    y = Heading(page, y,
                QStringLiteral("Side view, ") + ScaleText(n) + QStringLiteral(" (lengths and diameters)"));
    const double axis = y + widest / n / 2;
    QPolygonF upper, lower;
    for (const OutlineStation &s : stations) {
        const double x = page.left() + s.x / n;
        upper << page.At(x, axis - s.diameter / n / 2);
        lower << page.At(x, axis + s.diameter / n / 2);
        page.Rule(x, axis - s.diameter / n / 2, x, axis + s.diameter / n / 2, 0.1, Qt::gray);
    }
    page.Rule(page.left() - 2, axis, page.left() + length / n + 2, axis, 0.1, Qt::gray, Qt::DashDotLine);
    page.painter().setPen(QPen(Qt::black, 0.3 * page.unitsPerMm()));
    page.painter().drawPolyline(upper);
    page.painter().drawPolyline(lower);
    const QFont small = SheetPage::Font(kTablePoints);
    for (std::size_t i = 1; i < stations.size(); ++i) {
        const QString name = QStringLiteral("L%1").arg(i);
        const double start = page.left() + stations[i - 1].x / n;
        const double w = (stations[i].x - stations[i - 1].x) / n;
        if (page.AdvanceOf(name, small) < w)
            page.Write(start + w / 2, axis + widest / n / 2 + line, name, small, Qt::AlignHCenter);
    }
    return axis + widest / n / 2 + line + kGap;
}

// The convex hull of the points, counter-clockwise: a straight piece of a
// frustum is convex, so its outline seen from any side is the hull of its
// two end curves seen from there.
std::vector<QPointF> Hull(std::vector<QPointF> p) {
    std::sort(p.begin(), p.end(),
              [](QPointF a, QPointF b) { return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y()); });
    auto cross = [](QPointF o, QPointF a, QPointF b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    std::vector<QPointF> hull(2 * p.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < p.size(); ++i) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], p[i]) <= 0)
            --k;
        hull[k++] = p[i];
    }
    for (std::size_t i = p.size() - 1, t = k + 1; i > 0; --i) {
        while (k >= t && cross(hull[k - 2], hull[k - 1], p[i - 1]) <= 0)
            --k;
        hull[k++] = p[i - 1];
    }
    hull.resize(k > 0 ? k - 1 : 0);
    return hull;
}

// The chamber as bent, seen from the side (forward to the right, up up), each
// piece drawn as its outline; false when no section is bent or it cannot be assembled.
bool BentSideView(const SheetPage &page, double &y, double bottom, const BuildSheet &sheet) {
    const PatternOptions &o = sheet.options.pattern;
    if (!sheet.design || std::none_of(sheet.templates.patterns.begin(), sheet.templates.patterns.end(),
                                      [](const SectionPattern &p) { return !p.bend.isStraight(); }))
        return false;
    constexpr int kAround = 64;
    // Each piece's outline and how deep it lies: x to the right and z up put
    // +y away from the reader, so the deepest are drawn first and the nearer
    // ones, filled, hide them.
    std::vector<std::pair<double, std::vector<QPointF>>> pieces;
    try {
        std::vector<PipeSection> sections =
            InFlowOrder(ChamberSections(sheet.design->inputs, sheet.design->result));
        for (PipeSection &s : sections)
            if (const auto bend = o.bends.find(ShortName(s.name)); bend != o.bends.end())
                s.bend = bend->second;
        const AssembledPipe pipe = AssemblePipe(sections, {o.thickness, o.kFactor});
        for (const SectionModel &model : pipe.sections)
            for (int k = 1; k <= model.pieces(); ++k) {
                std::vector<QPointF> ends;
                double depth = 0;
                for (int c : {k - 1, k})
                    for (int i = 0; i < kAround; ++i) {
                        const Vec3 p =
                            model.worldOnPiece(k, c, Surface::Outside, 2 * std::numbers::pi * i / kAround);
                        ends.emplace_back(p.x, -p.z);
                        depth += p.y;
                    }
                pieces.emplace_back(depth, Hull(ends));
            }
    } catch (const ArithmeticFailure &) {
        return false;
    }
    double left = HUGE_VAL, top = HUGE_VAL, right = -HUGE_VAL, low = -HUGE_VAL;
    std::stable_sort(pieces.begin(), pieces.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });
    for (const auto &[depth, hull] : pieces)
        for (const QPointF &p : hull) {
            left = std::min(left, p.x()), right = std::max(right, p.x());
            top = std::min(top, p.y()), low = std::max(low, p.y());
        }
    const QFont font = SheetPage::Font(kBodyPoints);
    const double room = bottom - y - 2 * page.LineHeight(font) - kGap;
    if (!(right > left) || !(low > top) || room < 10)
        return false;
    const double n = DrawingScale(right - left, low - top, {page.width(), room});
    y = Heading(page, y, QStringLiteral("Side view as bent, ") + ScaleText(n));
    page.painter().setPen(QPen(Qt::black, 0.2 * page.unitsPerMm()));
    page.painter().setBrush(Qt::white);
    for (const auto &[depth, hull] : pieces) {
        QPolygonF outline;
        for (const QPointF &p : hull)
            outline << page.At(page.left() + (p.x() - left) / n, y + (p.y() - top) / n);
        page.painter().drawPolygon(outline);
    }
    page.painter().setBrush(Qt::NoBrush);
    y += (low - top) / n + kGap;
    return true;
}

struct Column {
    const char *title;
    double width; // share of the page width
};

constexpr Column kColumns[] = {{"Section", 0.11},        {"Base", 0.07},   {"Tip", 0.07},  {"Height", 0.07},
                               {"Neutral \u00D8", 0.15}, {"R1", 0.08},     {"R2", 0.08},   {"Sweep", 0.07},
                               {"Chords", 0.16},         {"Pieces", 0.06}, {"Pages", 0.08}};

std::array<QString, std::size(kColumns)> RowOf(const SectionPattern &p, const PageRange &pages) {
    const Section &s = p.section;
    const Development &d = p.development;
    const QString none = QStringLiteral("\u2013");
    const bool cylinder = s.isCylinder();
    const QString chords =
        cylinder ? Mm(p.outerChord) : Mm(p.outerChord) + QStringLiteral(" / ") + Mm(p.innerChord);
    return {Q(s.name),
            Mm(s.baseDiameter),
            Mm(s.tipDiameter),
            Mm(s.centreLength),
            cylinder ? Mm(2 * d.baseRadius)
                     : Mm(2 * d.baseRadius) + QStringLiteral(" / ") + Mm(2 * d.tipRadius),
            cylinder ? none : Mm(d.outerRadius),
            cylinder ? none : Mm(d.innerRadius),
            cylinder ? none : Mm(d.sweep) + QStringLiteral("\u00B0"),
            chords,
            QString::number(p.bend.isStraight() ? p.pieces : p.bend.pieces),
            pages.first == pages.last ? QString::number(pages.first)
                                      : QStringLiteral("%1\u2013%2").arg(pages.first).arg(pages.last)};
}

QString OptionsLine(const TemplateOptions &o) {
    QString text =
        QStringLiteral("Sheet %1 mm, K %2; diameters typed are %3 diameters. Seam allowance %4 mm; "
                       "roll lines %5; paper %6")
            .arg(Mm(o.pattern.thickness), Mm(o.pattern.kFactor),
                 o.pattern.outsideDiameters ? QStringLiteral("outside") : QStringLiteral("inside"),
                 Mm(o.pattern.seamAllowance))
            .arg(o.pattern.rollLines)
            .arg(Q(std::string(NameOf(o.paper))));
    if (o.paper != Paper::Plotter)
        text += QStringLiteral(", pages overlapping by %1 mm").arg(Mm(o.overlap));
    return text + QStringLiteral(".");
}

QString TableNotes(const BuildSheet &sheet) {
    QString notes =
        OptionsLine(sheet.options) +
        QStringLiteral(
            " Each template develops the middle surface of the sheet, K \u00D7 thickness from the "
            "inside (neutral \u00D8 at the base / tip): R1 and R2 are its arcs' radii about the "
            "apex, both arcs sweep one angle (Sweep, the whole section), and Chords span one "
            "piece's arcs; a cylinder rolls from a rectangle, Chords its width, Height its length. "
            "The flat cone plot's A\u2013D differ: it measures C and D on the inside and "
            "lengthens each arc to the outside of the sheet, so its two arcs sweep different "
            "angles; R1 and R2 exceed its D and C by K \u00D7 thickness / (sin \u03B2 cos "
            "\u03B2), \u03B2 the half angle. Cut by these templates.");
    for (const SectionPattern &p : sheet.templates.patterns)
        if (!p.bend.isStraight())
            notes +=
                QStringLiteral("\n%1 bent %2\u00B0 towards %3\u00B0 in %4 pieces: each joint turns %5\u00B0, "
                               "the cuts tilt %6\u00B0, the centreline bends at radius %7 mm. %8")
                    .arg(Q(p.section.name), Mm(p.bend.angle), Mm(p.bend.direction))
                    .arg(p.bend.pieces)
                    .arg(Mm(p.jointTurn), Mm(p.cutTilt), Mm(p.bendRadius),
                         sheet.options.pattern.bendLayout == BendLayout::Blank
                             ? QStringLiteral("One blank: roll it, then cut along the red curves.")
                             : QStringLiteral("Each piece on its own, its seam at the inside of the bend."));
    if (std::any_of(sheet.templates.patterns.begin(), sheet.templates.patterns.end(),
                    [](const SectionPattern &p) { return !p.bend.isStraight(); }))
        notes += QStringLiteral("\nBent sections: the pieces are numbered from the end the flow enters; "
                                "turn every piece marked \u201Cturn 180 deg\u201D half a turn about its own "
                                "axis and line up the ticks on the cut edges (outside, top, inside, bottom "
                                "of the bend).");
    for (const std::string &note : sheet.templates.notes)
        notes += QStringLiteral("\n") + Q(note);
    return notes;
}

double TableLine(const SheetPage &page) {
    return page.LineHeight(SheetPage::Font(kTablePoints)) * 1.15;
}

double TableHeight(const SheetPage &page, const BuildSheet &sheet) {
    const QFont heading = SheetPage::Font(kHeadingPoints, true);
    const double rows = static_cast<double>(sheet.templates.patterns.size() + 1);
    return page.LineHeight(heading) * 1.1 + TableLine(page) * rows + 1 +
           page.WrappedHeight(page.width(), TableNotes(sheet), SheetPage::Font(kTablePoints));
}

void TemplateTable(const SheetPage &page, double y, const BuildSheet &sheet,
                   const std::vector<PageRange> &ranges) {
    y = Heading(page, y, QStringLiteral("Templates"));
    const QFont font = SheetPage::Font(kTablePoints);
    const double line = TableLine(page);
    auto row = [&](const auto &cells, const QFont &f) {
        double x = page.left();
        for (std::size_t i = 0; i < std::size(kColumns); ++i) {
            const double w = kColumns[i].width * page.width();
            // The section's name reads from the left, numbers line up on the right.
            if (i == 0)
                page.Write(x, y + line * 0.75, cells[i], f);
            else
                page.Write(x + w - 1, y + line * 0.75, cells[i], f, Qt::AlignRight);
            x += w;
        }
        y += line;
    };
    std::array<QString, std::size(kColumns)> titles;
    for (std::size_t i = 0; i < std::size(kColumns); ++i)
        titles[i] = QString::fromUtf8(kColumns[i].title);
    row(titles, SheetPage::Font(kTablePoints, true));
    page.Rule(page.left(), y, page.right(), y, 0.2);
    for (std::size_t i = 0; i < sheet.templates.patterns.size(); ++i)
        row(RowOf(sheet.templates.patterns[i], ranges[i]), font);
    page.Rule(page.left(), y, page.right(), y, 0.2);
    page.Wrapped(page.left(), y + 1, page.width(), TableNotes(sheet), font);
}

} // namespace

QString ScaleText(double n) {
    return QStringLiteral("1 : ") + Q(FormatFixed(n, n == std::floor(n) ? 0 : 1));
}

void PaintSummaryPage(const SheetPage &page, const BuildSheet &sheet, const std::vector<PageRange> &ranges) {
    double y = kPageMargin;
    const QFont title = SheetPage::Font(kTitlePoints, true);
    page.Write(page.left(), y + page.LineHeight(title) * 0.8,
               QStringLiteral("Cutting templates \u2014 build sheet"), title);
    y += page.LineHeight(title) + 1;
    y = PrintNote(page, y);
    if (sheet.design) {
        y = DesignInputs(page, y, *sheet.design);
        y = ChamberResults(page, y, sheet.design->result);
    }
    // The side view takes the room the table leaves.
    const double tableHeight = TableHeight(page, sheet);
    if (sheet.design && !BentSideView(page, y, page.footerTop() - kGap - tableHeight, sheet))
        y = SideView(page, y, page.footerTop() - kGap - tableHeight, *sheet.design);
    TemplateTable(page, y, sheet, ranges);
    page.PaintFooter();
}

} // namespace quorvane
