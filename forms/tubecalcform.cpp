// SPDX-License-Identifier: GPL-3.0-or-later
#include "tubecalcform.h"

#include "boxbehaviour.h"
#include "calcoutcomeview.h"
#include "conecalc.h"
#include "controltable.h"
#include "diagrams.h"

#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

namespace {

using K = ControlRow::Kind;

const ControlRow kControls[] = {
    {K::Label, "lblD2", "Diameter of Cone TIP", 40, 40, 150, 16},
    {K::Edit, "txtD2", "", 40, 56, 65, 25, 0},
    {K::Label, "lblD1", "Diameter of Cone BASE", 40, 128, 160, 16},
    {K::Edit, "txtD1", "", 40, 144, 65, 27, 1},
    {K::Label, "lblAngleIn", "1/2 angle of cone", 208, 32, 120, 16},
    {K::Edit, "txtAngleIn", "", 208, 48, 65, 25, 2},
    {K::Button, "cmdConeLength", ">>>>", 328, 48, 97, 25, 3},
    {K::Label, "lblLenCone", "Centre length of cone", 456, 32, 150, 16},
    {K::Edit, "txtLenCone", "", 456, 48, 65, 25, 4},
    {K::Label, "lblSideLen", "Side  length of cone", 208, 96, 150, 16},
    {K::Edit, "txtSideLen", "", 208, 112, 65, 25, 5},
    {K::Button, "cmdAngle", ">>>>", 328, 112, 97, 25, 6},
    {K::Label, "lblSideLenOut", "Side  length of cone", 456, 96, 150, 16},
    {K::Edit, "txtSideLenOut", "", 456, 112, 65, 25, 7},
    {K::Label, "lblLenConeInput", "Centre length of cone", 208, 160, 150, 16},
    {K::Edit, "txtLenConeInput", "", 208, 176, 65, 25, 8},
    {K::Button, "cmdStrAngle", ">>>>", 328, 176, 97, 25, 9},
    {K::Label, "lblAngleOut", "1/2 angle of cone", 456, 160, 150, 16},
    {K::Edit, "txtAngleOut", "", 456, 176, 65, 25, 10},
    {K::Label, "lblCentre", "Centre Line Length", 16, 224, 182, 16},
    {K::Picture, "picCentre", "", 8, 240, 198, 152},
    {K::Label, "lblSide", "Side Length", 216, 224, 182, 16},
    {K::Picture, "picSide", "", 208, 240, 198, 152},
    {K::Label, "lblAngle", "1/2 Angle", 416, 224, 182, 16},
    {K::Picture, "picAngle", "", 408, 240, 198, 152},
    {K::Button, "cmdCancel", "Close", 472, 400, 129, 33, 11},
};

} // namespace

TubeCalcForm::TubeCalcForm() : ToolWindow("frmTubecalc", tr("Cone Calculator"), 618, 444) {
    picCentre = new Diagram(Diagram::Figure::ConeCentreLength, "picCentre");
    picSide = new Diagram(Diagram::Figure::ConeSideLength, "picSide");
    picAngle = new Diagram(Diagram::Figure::ConeHalfAngle, "picAngle");
    const auto controls = BuildControls(this, kControls, {picCentre, picSide, picAngle});

    txtD2 = Control<QLineEdit>(controls, "txtD2");
    txtD1 = Control<QLineEdit>(controls, "txtD1");
    txtAngleIn = Control<QLineEdit>(controls, "txtAngleIn");
    cmdConeLength = Control<QPushButton>(controls, "cmdConeLength");
    txtLenCone = Control<QLineEdit>(controls, "txtLenCone");
    txtSideLen = Control<QLineEdit>(controls, "txtSideLen");
    cmdAngle = Control<QPushButton>(controls, "cmdAngle");
    txtSideLenOut = Control<QLineEdit>(controls, "txtSideLenOut");
    txtLenConeInput = Control<QLineEdit>(controls, "txtLenConeInput");
    cmdStrAngle = Control<QPushButton>(controls, "cmdStrAngle");
    txtAngleOut = Control<QLineEdit>(controls, "txtAngleOut");
    cmdCancel = Control<QPushButton>(controls, "cmdCancel");

    for (QLineEdit *box : findChildren<QLineEdit *>()) {
        SelectAllOnFocus(box);
        KeepWholeTextVisible(box);
    }

    connect(cmdConeLength, &QPushButton::clicked, this, &TubeCalcForm::cmdConeLength_Click);
    connect(cmdAngle, &QPushButton::clicked, this, &TubeCalcForm::cmdAngle_Click);
    connect(cmdStrAngle, &QPushButton::clicked, this, &TubeCalcForm::cmdStrAngle_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::hide);
}

// Each calculation writes its own two outputs only; the third output keeps
// whatever an earlier calculation left there.

void TubeCalcForm::cmdConeLength_Click() {
    ShowOutcome(CalcFromHalfAngle(BoxText(txtD1), BoxText(txtD2), BoxText(txtAngleIn)),
                {txtLenCone, txtSideLenOut}, {txtD1, txtD2, txtAngleIn});
}

void TubeCalcForm::cmdAngle_Click() {
    ShowOutcome(CalcFromSideLength(BoxText(txtD1), BoxText(txtD2), BoxText(txtSideLen)),
                {txtLenCone, txtAngleOut}, {txtD1, txtD2, txtSideLen});
}

void TubeCalcForm::cmdStrAngle_Click() {
    ShowOutcome(CalcFromCentreLength(BoxText(txtD1), BoxText(txtD2), BoxText(txtLenConeInput)),
                {txtAngleOut, txtSideLenOut}, {txtD1, txtD2, txtLenConeInput});
}

} // namespace quorvane
