// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tiplayout.h"
#include "tooltip.h"

#include <QPointer>
#include <QWidget>

class QPainterPath;
class QPropertyAnimation;
class QTimer;

namespace quorvane {

// The one tip window of the program, in which every clsTooltip draws its
// tips. It tells the owner of the tip on show through its Show and Hide
// signals, and hides itself on a key or button press, when the pointer
// leaves the control, and after a while.
class TipPopup : public QWidget {
  public:
    TipPopup();

    // Shows `tool` for `control`: its look, with its text, centring and
    // transparency as registered (`tool.text` must be set).
    void Present(clsTooltip *owner, QWidget *control, const TooltipTool &tool, const QPoint &cursor);
    // Draws the tip on show again with changed settings, without animation.
    void Restyle(const TooltipTool &tool);
    // `announce` false when the owner is going away and can no longer be told.
    void Dismiss(bool announce);

    bool isActive() const { return m_active; }
    clsTooltip *owner() const { return m_owner; }  // nullptr when no tip is on show
    QWidget *control() const { return m_control; } // nullptr when no tip is on show
    const TipLayout &shownLayout() const { return m_layout; }
    const TipPlacement &placement() const { return m_placement; }
    bool isAnimating() const;

  protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void Arrange();
    QPainterPath BalloonPath(const QRectF &body) const;
    void Announce();

    QPropertyAnimation *m_animation;
    QTimer *m_autoHide;
    QMetaObject::Connection m_controlGone;
    bool m_active = false;
    bool m_announced = false; // Show was raised, so Hide is owed
    QPointer<clsTooltip> m_owner;
    QPointer<QWidget> m_control;
    TooltipTool m_tool;
    QPoint m_cursor;
    TipLayout m_layout;
    TipPlacement m_placement;
};

} // namespace quorvane
