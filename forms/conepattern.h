// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace quorvane {

// The fixed key to the plot report: a developed cone (an annular sector with
// its apex at the bottom) and the four dimensions A, B, C and D the report
// gives. It shows no particular cone, so it never changes.
class ConePattern : public QWidget {
    Q_OBJECT

  public:
    explicit ConePattern(QWidget *parent = nullptr);

  protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace quorvane
