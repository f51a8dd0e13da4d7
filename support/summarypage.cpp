// SPDX-License-Identifier: GPL-3.0-or-later
#include "summarypage.h"

#include "chambertexts.h"
#include "numeric.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <array>

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
    const QString header = design.straightHeader ? QStringLiteral("Straight header: yes (no taper)")
                                                 : QStringLiteral("Straight header: no");
    page.Write(page.left(), y + line * 0.8, header, font);
    return y + line + kGap;
}

double ChamberResults(const SheetPage &page, double y, const PipeResult &result) {
    y = Heading(page, y, QStringLiteral("Chamber"));
    const ChamberTexts texts = FormatChamber(result);
    // The captions of the main window's boxes.
    const std::pair<const char *, const std::string *> blocks[] = {
        {"Cone Diameters (ID)", &texts.diameters},
        {"Cone Lengths", &texts.lengths},
        {"Cone Angles (Degree)", &texts.angles},
        {"Tuned Length mm", &texts.tunedLength},
    };
    const QFont font = SheetPage::Font(kBodyPoints);
    const double line = page.LineHeight(font);
    double deepest = 0;
    for (std::size_t i = 0; i < std::size(blocks); ++i) {
        const double x = page.left() + page.width() / 4 * static_cast<double>(i);
        page.Write(x, y + line * 0.8, Q(blocks[i].first), SheetPage::Font(kBodyPoints, true));
        const QStringList lines = Q(*blocks[i].second).split('\n', Qt::SkipEmptyParts);
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
    const PipeInputs inputs = ParsePipeInputs(design.texts, design.straightHeader);
    const std::array<double, 8> diameters{
        inputs.portFlangeD, r.D[1], r.D[2], r.D[3], r.D[4], r.D[5], r.D[6], r.D[7]};
    double length = 0;
    for (int i = 1; i <= 7; ++i)
        length += r.L[i];
    const double widest = *std::max_element(diameters.begin(), diameters.end());
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
    double x = page.left();
    for (int i = 0; i < 8; ++i) {
        if (i > 0)
            x += r.L[i] / n;
        upper << page.At(x, axis - diameters[i] / n / 2);
        lower << page.At(x, axis + diameters[i] / n / 2);
        page.Rule(x, axis - diameters[i] / n / 2, x, axis + diameters[i] / n / 2, 0.1, Qt::gray);
    }
    page.Rule(page.left() - 2, axis, x + 2, axis, 0.1, Qt::gray, Qt::DashDotLine);
    page.painter().setPen(QPen(Qt::black, 0.3 * page.unitsPerMm()));
    page.painter().drawPolyline(upper);
    page.painter().drawPolyline(lower);
    const QFont small = SheetPage::Font(kTablePoints);
    double start = page.left();
    for (int i = 1; i <= 7; ++i) {
        const QString name = QStringLiteral("L%1").arg(i);
        const double w = r.L[i] / n;
        if (page.AdvanceOf(name, small) < w)
            page.Write(start + w / 2, axis + widest / n / 2 + line, name, small, Qt::AlignHCenter);
        start += w;
    }
    return axis + widest / n / 2 + line + kGap;
}

struct Column {
    const char *title;
    double width; // share of the page width
};

constexpr Column kColumns[] = {{"Section", 0.12}, {"Base ID", 0.08}, {"Tip ID", 0.08}, {"Height", 0.08},
                               {"Sheet", 0.06},   {"A", 0.08},       {"B", 0.08},      {"C", 0.08},
                               {"D", 0.08},       {"Angles", 0.13},  {"Pieces", 0.07}, {"Pages", 0.07}};

std::array<QString, std::size(kColumns)> RowOf(const SectionPattern &p, const TemplateOptions &o,
                                               const PageRange &pages) {
    const Section &s = p.section;
    const QString none = QStringLiteral("\u2013");
    const bool cylinder = s.isCylinder();
    const QString pieces = p.piecesAsked ? QStringLiteral("%1 (asked %2)").arg(p.pieces).arg(*p.piecesAsked)
                                         : QString::number(p.pieces);
    return {Q(s.name),
            Mm(s.baseDiameter),
            Mm(s.tipDiameter),
            Mm(s.centreLength),
            Mm(o.pattern.thickness),
            cylinder ? Mm(p.rectangle.width) : Mm(p.cone.outerChord),
            cylinder ? Mm(p.rectangle.width) : Mm(p.cone.innerChord),
            cylinder ? none : Mm(p.cone.innerRadius),
            cylinder ? none : Mm(p.cone.outerRadius),
            cylinder ? none
                     : Mm(p.outerAngle) + QStringLiteral("\u00B0 / ") + Mm(p.innerAngle) +
                           QStringLiteral("\u00B0"),
            pieces,
            pages.first == pages.last ? QString::number(pages.first)
                                      : QStringLiteral("%1\u2013%2").arg(pages.first).arg(pages.last)};
}

QString OptionsLine(const TemplateOptions &o) {
    QString text = o.pattern.midThickness
                       ? QStringLiteral("Arcs as long as the middle of the sheet: rolled, the inside "
                                        "diameters come out as typed.")
                       : QStringLiteral("Arcs as long as the outside of the rolled sheet, as the flat cone "
                                        "plot reports them.");
    text += QStringLiteral(" Seam allowance %1 mm; roll lines %2; paper %3")
                .arg(Mm(o.pattern.seamAllowance))
                .arg(o.pattern.rollLines)
                .arg(Q(std::string(NameOf(o.paper))));
    if (o.paper != Paper::Plotter)
        text += QStringLiteral(", pages overlapping by %1 mm").arg(Mm(o.overlap));
    return text + QStringLiteral(".");
}

QString TableNotes(const BuildSheet &sheet) {
    QString notes =
        OptionsLine(sheet.options) +
        QStringLiteral(" A and B are the chords across the ends of the outer and inner arcs, C and "
                       "D their radii, all in mm; the angles are the sectors' (outer / inner). A "
                       "cylinder rolls from a rectangle: A and B are its width, Height its length.");
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
        titles[i] = QString::fromLatin1(kColumns[i].title);
    row(titles, SheetPage::Font(kTablePoints, true));
    page.Rule(page.left(), y, page.right(), y, 0.2);
    for (std::size_t i = 0; i < sheet.templates.patterns.size(); ++i)
        row(RowOf(sheet.templates.patterns[i], sheet.options, ranges[i]), font);
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
    if (sheet.design)
        y = SideView(page, y, page.footerTop() - kGap - tableHeight, *sheet.design);
    TemplateTable(page, y, sheet, ranges);
    page.PaintFooter();
}

} // namespace quorvane
