// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheetgeometry.h"
#include "tiling.h"

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTransform>

class QPainter;

namespace quorvane {

// One page of the build sheet, laid out in millimetres from the paper's top
// left corner, y down, and painted in the device's own units: a printer's or
// the PDF writer's dots, so that nothing is scaled on the way to paper.
class SheetPage {
  public:
    SheetPage(QPainter &painter, PaperSize paper, int number, int count);

    PaperSize paper() const { return m_paper; }
    double left() const { return kPageMargin; }
    double right() const { return m_paper.width - kPageMargin; }
    double width() const { return right() - left(); }
    // Where the footer with the scale check bar begins.
    double footerTop() const { return m_paper.height - kPageMargin - kFooterBand; }

    QPointF At(double x, double y) const;
    QRectF Box(double x, double y, double w, double h) const;
    // Pattern millimetres (y up) drawn at 1 : scale with `origin` at page point (x, y).
    QTransform PatternTransform(Point2 origin, double x, double y, double scale = 1) const;
    double unitsPerMm() const { return m_unitsX; }

    static QFont Font(double points, bool bold = false);
    double LineHeight(const QFont &font) const; // baseline to baseline, mm
    double AdvanceOf(const QString &text, const QFont &font) const;
    // Text on the baseline y, starting, centred or ending at x by `align`.
    void Write(double x, double y, const QString &text, const QFont &font,
               Qt::Alignment align = Qt::AlignLeft, const QColor &colour = Qt::black) const;
    // Text wrapped to `w` from the top y; returns its height in mm.
    double Wrapped(double x, double y, double w, const QString &text, const QFont &font) const;
    double WrappedHeight(double w, const QString &text, const QFont &font) const;
    void Frame(double x, double y, double w, double h, double pen, const QColor &colour = Qt::black) const;
    void Rule(double x1, double y1, double x2, double y2, double pen, const QColor &colour = Qt::black,
              Qt::PenStyle style = Qt::SolidLine) const;

    // The scale check bar, its caption and the page number, at the foot.
    void PaintFooter(double margin = kPageMargin) const;

    QPainter &painter() const { return m_painter; }

  private:
    QPainter &m_painter;
    PaperSize m_paper;
    int m_number;
    int m_count;
    double m_unitsX;
    double m_unitsY;
};

} // namespace quorvane
