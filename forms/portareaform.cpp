// SPDX-License-Identifier: GPL-3.0-or-later
#include "portareaform.h"

#include "boxbehaviour.h"
#include "calcoutcomeview.h"
#include "controltable.h"
#include "diagrams.h"
#include "portarea.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

namespace {

using K = ControlRow::Kind;

// Positions inside Frame1 are from the frame's top left corner.
const ControlRow kControls[] = {
    {K::Frame, "Frame1", "Exhaust Port Area / Diameter Calculator", 8, 8, 521, 505},
    {K::Label, "lblPortWidthFlat", "Curved Port Width", 16, 40, 124, 16, -1, "Frame1"},
    {K::Edit, "txtPortWidthFlat", "", 16, 56, 73, 25, 0, "Frame1"},
    {K::Label, "lblBore", "Bore Diameter", 144, 40, 100, 16, -1, "Frame1"},
    {K::Edit, "txtBore", "", 144, 56, 57, 25, 1, "Frame1"},
    {K::Button, "cmdExhPortWidthCalc", "Calc Width", 224, 56, 73, 25, 2, "Frame1"},
    {K::Label, "lblPortWidth", "Port Width (Chordal)", 312, 24, 84, 32, -1, "Frame1"},
    {K::Edit, "txtPortWidth", "", 312, 56, 73, 25, 3, "Frame1"},
    {K::Label, "lblPortHeight", "Port Height", 400, 40, 100, 16, -1, "Frame1"},
    {K::Edit, "txtPortHeight", "", 400, 56, 73, 25, 4, "Frame1"},
    {K::Picture, "Picture1", "", 96, 112, 134, 95, -1, "Frame1"},
    {K::Label, "lblPortRad1", "Corner Radius #1", 256, 112, 130, 16, -1, "Frame1"},
    {K::Edit, "txtPortRad1", "", 256, 128, 57, 25, 5, "Frame1"},
    {K::Combo, "cmbRadius1Num", "", 320, 128, 73, 21, 6, "Frame1"},
    {K::Label, "lblPortRad2", "Corner Radius #2", 256, 160, 130, 16, -1, "Frame1"},
    {K::Edit, "txtPortRad2", "", 256, 176, 57, 25, 7, "Frame1"},
    {K::Combo, "cmbRadius2Num", "", 320, 176, 73, 21, 8, "Frame1"},
    {K::Label, "lblSegment", "Curved Top Edge Segment", 72, 232, 200, 16, -1, "Frame1"},
    {K::Picture, "picSegment", "", 16, 256, 281, 142, -1, "Frame1"},
    {K::Label, "lblSegmentHeight", "Segment Height", 320, 248, 120, 16, -1, "Frame1"},
    {K::Edit, "txtSegmentHeight", "", 328, 272, 57, 25, 9, "Frame1"},
    {K::Label, "lblSegmentRad", "Segment Radius", 320, 296, 120, 16, -1, "Frame1"},
    {K::Edit, "txtSegmentRad", "", 328, 320, 57, 25, 10, "Frame1"},
    {K::Label, "lblOnlySegment", "Calc Segment Only mm/2", 320, 352, 180, 16, -1, "Frame1"},
    {K::Button, "cmdOnlySegment", ">>>", 320, 368, 41, 25, 11, "Frame1"},
    {K::Edit, "txtSegmentOut", "", 376, 368, 57, 25, 12, "Frame1"},
    {K::Button, "cmdPortArea", "Calc Area", 24, 416, 113, 25, 13, "Frame1"},
    {K::Button, "cmdPortDiam", "Area to Diameter", 232, 416, 121, 25, 14, "Frame1"},
    {K::Label, "lblPipeArea", "Port Window Area mm/2", 24, 448, 190, 16, -1, "Frame1"},
    {K::Edit, "txtPipeArea", "", 24, 464, 73, 25, 15, "Frame1"},
    {K::Label, "lblPipeDiam", "Port Window Diameter mm", 232, 448, 190, 16, -1, "Frame1"},
    {K::Edit, "txtPipeDiam", "", 232, 464, 73, 25, 16, "Frame1"},
    {K::Button, "cmdOK", "Close", 408, 520, 121, 33, 17},
};

} // namespace

PortAreaForm::PortAreaForm() : ToolWindow("frmPortArea", tr("Port Area Calculator"), 545, 560) {
    Picture1 = new Diagram(Diagram::Figure::RoundedCorner, "Picture1");
    picSegment = new Diagram(Diagram::Figure::CurvedTopEdge, "picSegment");
    const auto controls = BuildControls(this, kControls, {Picture1, picSegment});

    txtPortWidthFlat = Control<QLineEdit>(controls, "txtPortWidthFlat");
    txtBore = Control<QLineEdit>(controls, "txtBore");
    cmdExhPortWidthCalc = Control<QPushButton>(controls, "cmdExhPortWidthCalc");
    txtPortWidth = Control<QLineEdit>(controls, "txtPortWidth");
    txtPortHeight = Control<QLineEdit>(controls, "txtPortHeight");
    txtPortRad1 = Control<QLineEdit>(controls, "txtPortRad1");
    cmbRadius1Num = Control<QComboBox>(controls, "cmbRadius1Num");
    txtPortRad2 = Control<QLineEdit>(controls, "txtPortRad2");
    cmbRadius2Num = Control<QComboBox>(controls, "cmbRadius2Num");
    txtSegmentHeight = Control<QLineEdit>(controls, "txtSegmentHeight");
    txtSegmentRad = Control<QLineEdit>(controls, "txtSegmentRad");
    cmdOnlySegment = Control<QPushButton>(controls, "cmdOnlySegment");
    txtSegmentOut = Control<QLineEdit>(controls, "txtSegmentOut");
    cmdPortArea = Control<QPushButton>(controls, "cmdPortArea");
    cmdPortDiam = Control<QPushButton>(controls, "cmdPortDiam");
    txtPipeArea = Control<QLineEdit>(controls, "txtPipeArea");
    txtPipeDiam = Control<QLineEdit>(controls, "txtPipeDiam");
    cmdOK = Control<QPushButton>(controls, "cmdOK");

    Control<QLabel>(controls, "lblPortWidth")->setWordWrap(true);
    // This label starts on the last pixel row of the box above it.
    Control<QLabel>(controls, "lblSegmentRad")->setContentsMargins(0, 2, 0, 0);
    cmbRadius1Num->addItems(
        {QStringLiteral("x 1"), QStringLiteral("x 2"), QStringLiteral("x 3"), QStringLiteral("x 4")});
    cmbRadius2Num->addItems({QStringLiteral("x 1"), QStringLiteral("x 2")});
    cmbRadius1Num->setCurrentText(QStringLiteral("x 2"));
    cmbRadius2Num->setCurrentText(QStringLiteral("x 2"));

    for (QLineEdit *box : findChildren<QLineEdit *>()) {
        SelectAllOnFocus(box);
        KeepWholeTextVisible(box);
    }

    connect(cmdExhPortWidthCalc, &QPushButton::clicked, this, &PortAreaForm::cmdExhPortWidthCalc_Click);
    connect(cmdOnlySegment, &QPushButton::clicked, this, &PortAreaForm::cmdOnlySegment_Click);
    connect(cmdPortArea, &QPushButton::clicked, this, &PortAreaForm::cmdPortArea_Click);
    connect(cmdPortDiam, &QPushButton::clicked, this, &PortAreaForm::cmdPortDiam_Click);
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::hide);
}

void PortAreaForm::cmdExhPortWidthCalc_Click() {
    ShowOutcome(CalcPortWidth(BoxText(txtPortWidthFlat), BoxText(txtBore)), {txtPortWidth},
                {txtPortWidthFlat, txtBore});
}

void PortAreaForm::cmdOnlySegment_Click() {
    ShowOutcome(CalcSegmentOnly(BoxText(txtSegmentRad), BoxText(txtSegmentHeight)), {txtSegmentOut},
                {txtSegmentHeight, txtSegmentRad});
}

void PortAreaForm::cmdPortArea_Click() {
    // The corner counts are the positions of the selected items counted
    // from 1: "x 1" is 1, and no selection is 0.
    ShowOutcome(CalcPortArea(BoxText(txtPortWidth), BoxText(txtPortHeight), BoxText(txtPortRad1),
                             cmbRadius1Num->currentIndex() + 1, BoxText(txtPortRad2),
                             cmbRadius2Num->currentIndex() + 1, BoxText(txtSegmentRad),
                             BoxText(txtSegmentHeight)),
                {txtPipeArea, txtPipeDiam},
                {txtPortWidth, txtPortHeight, txtPortRad1, txtPortRad2, txtSegmentHeight, txtSegmentRad});
}

void PortAreaForm::cmdPortDiam_Click() {
    ShowOutcome(CalcAreaToDiameter(BoxText(txtPipeArea)), {txtPipeDiam}, {txtPipeArea});
}

} // namespace quorvane
