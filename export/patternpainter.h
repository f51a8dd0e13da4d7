// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pattern.h"
#include "sheetgeometry.h"
#include "sheetlayout.h"

#include <QPainterPath>
#include <QPen>
#include <QTransform>

class QPainter;

namespace quorvane {

// The transform as a QTransform, for painting.
QTransform ToQTransform(const PageTransform &transform);

// A line or arc on the device, any affine `toDevice` allowed. Arcs are
// cubic curves of at most 15° each, nanometres from the true circle:
// QPainter::drawArc takes whole sixteenths of a degree (0.7 mm off at 650 mm
// radius), and QPainterPath::arcTo's quarter-turn curves stray 0.18 mm there.
QPainterPath PathOf(const Shape &shape, const QTransform &toDevice);
// A closed outline as one path.
QPainterPath PathOf(const Contour &contour, const QTransform &toDevice);

// How a stroke is drawn: the cut solid and heaviest, the marks thin, folds
// dashed, the centre line dash-dot. Widths are in device units, never
// thinner than `thinnest` (a screen wants at least a pixel).
QPen PenFor(Stroke stroke, double unitsPerMm, double thinnest = 0);

// A piece's outline, marks and labels as the build sheet prints them; the
// preview passes its own transform and a one-pixel `thinnest`. Without
// `labels` (an assembly map, too small to read) the letters are left out.
void PaintPiece(QPainter &painter, const Piece &piece, const QTransform &toDevice, double thinnest = 0,
                bool labels = true);

} // namespace quorvane
