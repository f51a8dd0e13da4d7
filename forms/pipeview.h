// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pipemodel.h"

#include <QWidget>

#include <memory>

namespace quorvane {

// What the views of the assembled pipe draw: its outside, coarsely, the
// centreline and where it ends.
struct PipeDrawing {
    Mesh skin;
    std::vector<Vec3> centreline;
    PipeFrame exit;
};

// The assembled pipe drawn in parallel projection, shaded, far faces first:
// from the side (from the right, the port on the left), from the top, or in
// an orbit the user turns by dragging.
class PipeView : public QWidget {
    Q_OBJECT

  public:
    enum class Look { Side, Top, Orbit };
    PipeView(Look look, const QString &caption);

    void setDrawing(std::shared_ptr<const PipeDrawing> drawing);
    // Shown instead of a drawing, when there is none.
    void setMessage(const QString &message);
    // The orbit's turn about the vertical and its tilt, degrees.
    void setOrbit(double yaw, double pitch);
    double yaw() const { return m_yaw; }
    double pitch() const { return m_pitch; }

  protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

  private:
    // The screen's right and up and the direction to the viewer, in the pipe's space.
    std::array<Vec3, 3> Basis() const;

    Look m_look;
    QString m_caption;
    QString m_message;
    std::shared_ptr<const PipeDrawing> m_drawing;
    double m_yaw = -35, m_pitch = 25;
    QPoint m_dragFrom;
};

} // namespace quorvane
