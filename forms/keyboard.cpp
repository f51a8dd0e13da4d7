// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboard.h"

#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace quorvane {

namespace {

// Which button Enter presses in each input box: the calculation the box is
// an input of, and of a box shared by two calculations the one it stands
// beside. Result boxes, the conversions (they convert as they are typed) and
// the cone calculator's two diameters (an input of all three calculations)
// have no row.
struct EnterRow {
    const char *window;
    const char *box;
    const char *button;
};

constexpr EnterRow kEnterRows[] = {
    {"mainForm", "txtPTExh", "cmdPipeCalc"},
    {"mainForm", "txtRPM", "cmdPipeCalc"},
    {"mainForm", "txtTemp", "cmdPipeCalc"},
    {"mainForm", "txtHeats", "cmdPipeCalc"},
    {"mainForm", "txtGasConst", "cmdPipeCalc"},
    {"mainForm", "txtPipeExDiam", "cmdPipeCalc"},
    {"mainForm", "txtPipeExLength", "cmdPipeCalc"},
    {"mainForm", "txtPipeExDiamOut", "cmdPipeCalc"},
    {"mainForm", "txtPipePtoPratio", "cmdPipeCalc"},
    {"mainForm", "txtPipePtoMratio", "cmdPipeCalc"},
    {"mainForm", "txtPipeptoOutRatio", "cmdPipeCalc"},
    {"mainForm", "txtPipeHornRatio", "cmdPipeCalc"},

    {"frmPlot", "txtD1", "cmdPlot"},
    {"frmPlot", "txtD2", "cmdPlot"},
    {"frmPlot", "txtLenConeInput", "cmdPlot"},
    {"frmPlot", "txtSheetThick", "cmdPlot"},

    {"frmPortArea", "txtPortWidthFlat", "cmdExhPortWidthCalc"},
    {"frmPortArea", "txtBore", "cmdExhPortWidthCalc"},
    {"frmPortArea", "txtPortWidth", "cmdPortArea"},
    {"frmPortArea", "txtPortHeight", "cmdPortArea"},
    {"frmPortArea", "txtPortRad1", "cmdPortArea"},
    {"frmPortArea", "txtPortRad2", "cmdPortArea"},
    {"frmPortArea", "txtSegmentHeight", "cmdOnlySegment"},
    {"frmPortArea", "txtSegmentRad", "cmdOnlySegment"},
    {"frmPortArea", "txtPipeArea", "cmdPortDiam"},

    {"frmInputCalc", "txtPTstroke", "cmdExTiming"},
    {"frmInputCalc", "txtPTlengthCR", "cmdExTiming"},
    {"frmInputCalc", "txtPTdeck", "cmdExTiming"},
    {"frmInputCalc", "txtExhPortTop", "cmdExTiming"},
    {"frmInputCalc", "txtPwrKW", "cmdCalcExTemp"},
    {"frmInputCalc", "txtRPM", "cmdCalcExTemp"},
    {"frmInputCalc", "txtBoreBMEP", "cmdCalcExTemp"},
    {"frmInputCalc", "txtStrokeBMEP", "cmdCalcExTemp"},

    {"frmTubecalc", "txtAngleIn", "cmdConeLength"},
    {"frmTubecalc", "txtSideLen", "cmdAngle"},
    {"frmTubecalc", "txtLenConeInput", "cmdStrAngle"},
};

// A row naming no control is a slip in the table: Enter would do nothing unseen.
template <class T> T *Named(QWidget *window, const char *name) {
    auto *w = window->findChild<T *>(QString::fromLatin1(name));
    if (!w)
        qFatal("No control %s in %s for the Enter key", name, qPrintable(window->objectName()));
    return w;
}

} // namespace

void PressButtonOnEnter(QWidget *window) {
    for (const EnterRow &row : kEnterRows) {
        if (window->objectName() != QLatin1String(row.window))
            continue;
        QPushButton *button = Named<QPushButton>(window, row.button);
        QObject::connect(Named<QLineEdit>(window, row.box), &QLineEdit::returnPressed, button,
                         &QPushButton::click);
    }
}

void CloseOnEscape(QWidget *window) {
    for (const QKeySequence &keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        QObject::connect(new QShortcut(keys, window), &QShortcut::activated, window, &QWidget::close);
}

} // namespace quorvane
