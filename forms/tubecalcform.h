// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolwindow.h"

class QLineEdit;
class QPushButton;

namespace quorvane {

class Diagram;

// The cone calculator: from a cone's two diameters and one of its half
// angle, side length and centre length, the other two.
class TubeCalcForm : public ToolWindow {
    Q_OBJECT

  public:
    TubeCalcForm();

  private:
    void cmdConeLength_Click();
    void cmdAngle_Click();
    void cmdStrAngle_Click();

    QLineEdit *txtD2 = nullptr;
    QLineEdit *txtD1 = nullptr;
    QLineEdit *txtAngleIn = nullptr;
    QPushButton *cmdConeLength = nullptr;
    QLineEdit *txtLenCone = nullptr;
    QLineEdit *txtSideLen = nullptr;
    QPushButton *cmdAngle = nullptr;
    QLineEdit *txtSideLenOut = nullptr;
    QLineEdit *txtLenConeInput = nullptr;
    QPushButton *cmdStrAngle = nullptr;
    QLineEdit *txtAngleOut = nullptr;
    Diagram *picCentre = nullptr;
    Diagram *picSide = nullptr;
    Diagram *picAngle = nullptr;
    QPushButton *cmdCancel = nullptr;
};

} // namespace quorvane
