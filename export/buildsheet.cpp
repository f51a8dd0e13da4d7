// SPDX-License-Identifier: GPL-3.0-or-later
#include "buildsheet.h"

#include "numeric.h"
#include "patternpainter.h"
#include "sheetpage.h"
#include "summarypage.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>
#include <limits>

namespace quorvane {

namespace {

// Dots per inch of the PDF: a dot is 0.02 mm, far finer than any printer.
constexpr int kPdfResolution = 1200;
// Half the arm of an alignment cross, mm: it stays inside a 10 mm overlap.
constexpr double kCrossArm = 4;
constexpr double kCrossRing = 1.5;
// A point on a page's edge is on the page: rounding must not lose a cross.
constexpr double kOnPage = 1e-6;
// Page 1 of a plotter's sheet, which has no page size of its own.
constexpr Paper kSummaryPaperForPlotter = Paper::A4;

const QColor kGuideColour(150, 150, 150);
const QColor kTileColour(0, 70, 200);

QPageLayout LayoutOf(Paper paper, PaperSize turned, bool landscape) {
    // A standard paper by its name, so a printer picks the right tray; the
    // plotter's exactly as large as the piece needs.
    const PaperSize size = paper == Paper::Plotter ? PaperSize{std::min(turned.width, turned.height),
                                                               std::max(turned.width, turned.height)}
                                                   : SizeOf(paper);
    const QPageSize page(QSizeF(size.width, size.height), QPageSize::Millimeter,
                         QString::fromLatin1(NameOf(paper)),
                         paper == Paper::Plotter ? QPageSize::ExactMatch : QPageSize::FuzzyMatch);
    QPageLayout layout(page, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

// Begins painting, or turns to a new page, in the given layout.
class PageTurner {
  public:
    PageTurner(QPagedPaintDevice &device, QPainter &painter) : m_device(device), m_painter(painter) {}
    bool Next(const QPageLayout &layout) {
        // A printer may refuse another size once it has begun; its pages
        // then keep the first size, and the drawing its scale.
        m_device.setPageLayout(layout);
        if (!m_painter.isActive())
            return m_painter.begin(&m_device);
        return m_device.newPage();
    }

  private:
    QPagedPaintDevice &m_device;
    QPainter &m_painter;
};

void PaintCross(const SheetPage &page, double x, double y) {
    page.Rule(x - kCrossArm, y, x + kCrossArm, y, 0.2);
    page.Rule(x, y - kCrossArm, x, y + kCrossArm, 0.2);
    page.painter().drawEllipse(page.At(x, y), kCrossRing * page.unitsPerMm(), kCrossRing * page.unitsPerMm());
}

QString Counted(int n, const char *thing) {
    return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(thing)).arg(n == 1 ? "" : "s");
}

// The line at the top of a tile or map page: which piece, which page of it.
void PaintHeader(const SheetPage &page, double margin, const QString &left, const QString &right) {
    const double baseline = margin + kHeaderBand - 2.5;
    page.Write(margin, baseline, left, SheetPage::Font(9, true));
    page.Write(page.paper().width - margin, baseline, right, SheetPage::Font(8), Qt::AlignRight);
}

void PaintMap(const SheetPage &page, const PiecePages &p, double overlap) {
    const TilePlan &plan = p.plan;
    PaintHeader(page, plan.margin, QString::fromStdString(p.piece->title),
                QStringLiteral("assembly map: %1 \u00D7 %2, build sheet pages %3\u2013%4")
                    .arg(Counted(plan.rows, "row"))
                    .arg(Counted(plan.columns, "column"))
                    .arg(p.first + 1)
                    .arg(p.first + static_cast<int>(plan.tiles.size())));
    Bounds all = plan.tiles.front().window;
    for (const Tile &tile : plan.tiles)
        all = Joined(all, tile.window);
    const QFont font = SheetPage::Font(8);
    const double line = page.LineHeight(font);
    const PaperSize area = DrawingArea(plan.page);
    const double top = plan.margin + kHeaderBand;
    const PaperSize room{area.width, area.height - 3 * line};
    const double n = DrawingScale(all.width(), all.height(), room);
    const double left = plan.margin + (room.width - all.width() / n) / 2;
    const QTransform toPage = page.PatternTransform({all.left, all.top}, left, top, n);

    PaintPiece(page.painter(), *p.piece, toPage, 0.1 * page.unitsPerMm(), /*labels*/ false);
    const QFont number =
        SheetPage::Font(std::min(24.0, 0.25 * (all.width() / n) / plan.columns / 0.35), true);
    for (const Tile &tile : plan.tiles) {
        const double x = left + (tile.window.left - all.left) / n;
        const double y = top + (all.top - tile.window.top) / n;
        const double w = tile.window.width() / n, h = tile.window.height() / n;
        page.Frame(x, y, w, h, 0.3, kTileColour);
        page.Write(x + w / 2, y + h / 2, QStringLiteral("page %1").arg(tile.number), number, Qt::AlignHCenter,
                   kTileColour);
        page.Write(x + w / 2, y + h / 2 + line,
                   QStringLiteral("row %1, column %2").arg(tile.row).arg(tile.column), font, Qt::AlignHCenter,
                   kTileColour);
    }
    page.painter().setPen(QPen(Qt::black, 0.15 * page.unitsPerMm()));
    for (const Point2 &cross : plan.crosses)
        page.painter().drawEllipse(toPage.map(QPointF(cross.x, cross.y)), 0.6 * page.unitsPerMm(),
                                   0.6 * page.unitsPerMm());
    const double below = top + all.height() / n + line * 1.2;
    page.Wrapped(plan.margin, below, area.width,
                 QStringLiteral("Scale %1. Lay the pages out as shown, each overlapping its neighbours by "
                                "%2 mm, so that the crosses (small rings here) fall on one another; tape "
                                "them and cut along the solid line.")
                     .arg(ScaleText(n))
                     .arg(QString::number(overlap)),
                 font);
    page.PaintFooter(plan.margin);
}

void PaintTile(const SheetPage &page, const PiecePages &p, const Tile &tile, double overlap) {
    const TilePlan &plan = p.plan;
    PaintHeader(page, plan.margin, QString::fromStdString(p.piece->title),
                QStringLiteral("row %1, column %2 \u2014 page %3 of %4")
                    .arg(tile.row)
                    .arg(tile.column)
                    .arg(tile.number)
                    .arg(plan.tiles.size()));
    const PaperSize area = DrawingArea(plan.page);
    const double top = plan.margin + kHeaderBand;
    const double width = std::min(area.width, tile.window.width());
    const double height = std::min(area.height, tile.window.height());
    page.painter().save();
    page.painter().setClipRect(page.Box(plan.margin, top, width, height));
    PaintPiece(page.painter(), *p.piece,
               page.PatternTransform({tile.window.left, tile.window.top}, plan.margin, top));
    // Where the neighbouring pages begin: the strips between these lines and
    // the edge are printed twice.
    auto guide = [&](double x1, double y1, double x2, double y2) {
        page.Rule(x1, y1, x2, y2, 0.1, kGuideColour, Qt::DashLine);
    };
    if (tile.column < plan.columns)
        guide(plan.margin + width - overlap, top, plan.margin + width - overlap, top + height);
    if (tile.column > 1)
        guide(plan.margin + overlap, top, plan.margin + overlap, top + height);
    if (tile.row < plan.rows)
        guide(plan.margin, top + height - overlap, plan.margin + width, top + height - overlap);
    if (tile.row > 1)
        guide(plan.margin, top + overlap, plan.margin + width, top + overlap);
    for (const Point2 &cross : plan.crosses) {
        const Bounds &w = tile.window;
        if (cross.x >= w.left - kOnPage && cross.x <= w.right + kOnPage && cross.y >= w.bottom - kOnPage &&
            cross.y <= w.top + kOnPage)
            PaintCross(page, plan.margin + cross.x - w.left, top + w.top - cross.y);
    }
    page.painter().restore();
    page.Frame(plan.margin, top, width, height, 0.1, kGuideColour);
    page.PaintFooter(plan.margin);
}

} // namespace

std::optional<PrintRefusal> SheetRefusal(const BuildSheet &sheet) {
    return RefusePrinting(sheet.templates.patterns, sheet.options);
}

SheetPlan PlanOf(const BuildSheet &sheet) {
    return PlanSheet(sheet.templates.patterns, sheet.options);
}

bool PaintBuildSheet(QPagedPaintDevice &device, const BuildSheet &sheet) {
    if (SheetRefusal(sheet))
        return false;
    const SheetPlan plan = PlanOf(sheet);
    const int count = plan.pageCount;

    QPainter painter;
    PageTurner turner(device, painter);
    const Paper first = sheet.options.paper == Paper::Plotter ? kSummaryPaperForPlotter : sheet.options.paper;
    if (!turner.Next(LayoutOf(first, SizeOf(first), false)))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    PaintSummaryPage(SheetPage(painter, SizeOf(first), 1, count), sheet, plan.sections);

    for (const PiecePages &p : plan.pieces) {
        const QPageLayout layout = LayoutOf(sheet.options.paper, p.plan.page, p.plan.landscape);
        int number = p.first;
        if (p.map) {
            if (!turner.Next(layout))
                return false;
            PaintMap(SheetPage(painter, p.plan.page, number++, count), p, sheet.options.overlap);
        }
        for (const Tile &tile : p.plan.tiles) {
            if (!turner.Next(layout))
                return false;
            PaintTile(SheetPage(painter, p.plan.page, number++, count), p, tile, sheet.options.overlap);
        }
    }
    return painter.end();
}

QByteArray BuildSheetPdf(const BuildSheet &sheet) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setCreator(QStringLiteral("Quorvane"));
        writer.setTitle(QStringLiteral("Cutting templates"));
        if (!PaintBuildSheet(writer, sheet))
            return {};
    }
    return buffer.data();
}

} // namespace quorvane
