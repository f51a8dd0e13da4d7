// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "toolwindow.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace quorvane {

class Diagram;

// The port area calculator: the chordal width of a port, the area of its
// window with rounded corners and a curved top edge, the diameter of a round
// port of that area, and the area of a curved top edge by itself.
class PortAreaForm : public ToolWindow {
    Q_OBJECT

  public:
    PortAreaForm();

  private:
    void cmdExhPortWidthCalc_Click();
    void cmdOnlySegment_Click();
    void cmdPortArea_Click();
    void cmdPortDiam_Click();

    QLineEdit *txtPortWidthFlat = nullptr;
    QLineEdit *txtBore = nullptr;
    QPushButton *cmdExhPortWidthCalc = nullptr;
    QLineEdit *txtPortWidth = nullptr;
    QLineEdit *txtPortHeight = nullptr;
    Diagram *Picture1 = nullptr;
    QLineEdit *txtPortRad1 = nullptr;
    QComboBox *cmbRadius1Num = nullptr;
    QLineEdit *txtPortRad2 = nullptr;
    QComboBox *cmbRadius2Num = nullptr;
    Diagram *picSegment = nullptr;
    QLineEdit *txtSegmentHeight = nullptr;
    QLineEdit *txtSegmentRad = nullptr;
    QPushButton *cmdOnlySegment = nullptr;
    QLineEdit *txtSegmentOut = nullptr;
    QPushButton *cmdPortArea = nullptr;
    QPushButton *cmdPortDiam = nullptr;
    QLineEdit *txtPipeArea = nullptr;
    QLineEdit *txtPipeDiam = nullptr;
    QPushButton *cmdOK = nullptr;
};

} // namespace quorvane
