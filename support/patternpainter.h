// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pattern.h"
#include "sheetgeometry.h"

#include <QPainterPath>
#include <QPen>
#include <QTransform>

class QPainter;

namespace quorvane {

// Pattern millimetres (y up) to device units: a scale of `unitsPerMm` with
// y turned down, the pattern point `origin` landing on `deviceOrigin`.
QTransform PatternToDevice(double unitsPerMm, Point2 origin, QPointF deviceOrigin);

// A line or arc on the device, any affine `toDevice` allowed. Arcs are
// cubic curves of at most 15° each, nanometres from the true circle:
// QPainter::drawArc takes whole sixteenths of a degree (0.7 mm off at 650 mm
// radius), and QPainterPath::arcTo's quarter-turn curves stray 0.18 mm there.
QPainterPath PathOf(const Shape &shape, const QTransform &toDevice);

// How a stroke is drawn: the cut solid and heaviest, the marks thin, folds
// dashed, the centre line dash-dot. Widths are in device units, never
// thinner than `thinnest` (a screen wants at least a pixel).
QPen PenFor(Stroke stroke, double unitsPerMm, double thinnest = 0);

// A piece's edges and labels as the build sheet prints them; the preview
// passes its own transform and a one-pixel `thinnest`.
void PaintPiece(QPainter &painter, const Piece &piece, const QTransform &toDevice, double thinnest = 0);

} // namespace quorvane
