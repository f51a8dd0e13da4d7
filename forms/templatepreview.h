// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pattern.h"
#include "tiling.h"

#include <QString>
#include <QWidget>

#include <optional>

namespace quorvane {

// One piece of a cutting template drawn to scale, the same scale across and
// up, with the pages it is printed on laid over it and numbered as the build
// sheet numbers them. Without a piece it shows a line of text instead.
class TemplatePreview : public QWidget {
    Q_OBJECT

  public:
    explicit TemplatePreview(QWidget *parent = nullptr);

    // `firstPage` is the build sheet's number of the plan's first tile page;
    // 0 when the piece is not in the build sheet, and the tiles are counted
    // from 1 instead.
    void ShowPiece(const Piece &piece, const TilePlan &plan, int firstPage);
    void ShowMessage(const QString &text);

    // Screen pixels per millimetre of the drawing; 0 when it shows no piece.
    double scale() const { return m_scale; }
    int firstPage() const { return m_firstPage; }
    QString message() const { return m_message; }

  protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

  private:
    void FitToBox();

    std::optional<Piece> m_piece;
    TilePlan m_plan;
    int m_firstPage = 0;
    QString m_message;
    double m_scale = 0;
    Bounds m_shown; // the pattern mm the drawing covers: the piece and its pages
};

} // namespace quorvane
