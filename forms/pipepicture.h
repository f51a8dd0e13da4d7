// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pipeoutline.h"

#include <QFrame>

#include <optional>

namespace quorvane {

// The picture box of the main window: paints the last pipe outline it was
// given, so the drawing survives every repaint, and nothing before the first.
class PipePicture : public QFrame {
    Q_OBJECT

  public:
    explicit PipePicture(QWidget *parent = nullptr);

    static inline const QColor kInk{0, 0, 192};

    void setOutline(std::optional<PipeOutline> outline);
    const std::optional<PipeOutline> &outline() const { return m_outline; }
    // The drawing area inside the border, in pixels.
    QSize innerSize() const { return contentsRect().size(); }

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    std::optional<PipeOutline> m_outline;
};

} // namespace quorvane
