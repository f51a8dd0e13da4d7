// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace quorvane {

// The small explanatory figures of the calculator windows, drawn as vectors
// in one style: black outlines, blue dimension lines with arrowheads and
// letters that match the boxes they explain.
class Diagram : public QWidget {
    Q_OBJECT

  public:
    enum class Figure {
        RoundedCorner,    // a square whose lower right corner is a quarter circle of radius r
        CurvedTopEdge,    // a port window whose top edge is an arc of radius R rising h
        ConeCentreLength, // a cone from the side, h between its end planes
        ConeSideLength,   // the same cone, s along its sloping side
        ConeHalfAngle,    // the same cone, the angle between its axis and its side
    };

    Diagram(Figure figure, const char *objectName, QWidget *parent = nullptr);

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    Figure m_figure;
};

} // namespace quorvane
