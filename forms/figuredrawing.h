// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPen>
#include <QPointF>

class QPainter;
class QRectF;

namespace quorvane {

// The explanatory figures of the windows share one manner: black outlines on
// white paper in a grey border, and dimensions in blue with filled arrowheads.
inline const QColor kDimensionBlue(0, 70, 200);

// How a figure draws its dimensions. The arrowheads are filled blue and, when
// `outlinedArrows`, also stroked with the dimension line's pen.
struct DimensionStyle {
    QPen line;
    QPen extension;
    double arrowLength;
    double arrowHalfWidth;
    bool outlinedArrows;
};

// v scaled to length 1; the zero vector stays zero.
QPointF UnitVector(QPointF v);

// White paper inside a one-pixel grey border.
void DrawFigurePaper(QPainter &p, const QRectF &area);

// An arrowhead with its point at `tip`, pointing along `direction`.
void DrawArrowhead(QPainter &p, const DimensionStyle &style, QPointF tip, QPointF direction);

// A dimension line from a to b, its arrowheads pointing outwards.
void DrawDimensionLine(QPainter &p, const DimensionStyle &style, QPointF a, QPointF b);

// A line carrying a feature out to a dimension line: it starts `gap` clear of
// the feature and ends `overshoot` beyond the dimension line.
void DrawExtensionLine(QPainter &p, const DimensionStyle &style, QPointF feature, QPointF onDimension,
                       double gap, double overshoot);

} // namespace quorvane
