// SPDX-License-Identifier: GPL-3.0-or-later
#include "helptexts.h"

#include "templateoptions.h"

#include <vector>

namespace quorvane {

namespace {

// Titles and texts as users have always read them, spelling included.
constexpr HelpTip kHelpTips[] = {
    {"mainForm", "txtPTExh", "Exhaust Port Timing", "Exhaust port timing in crankshaft degrees.", 150},
    {"mainForm", "txtRPM", "RPM", "Maximum engine RPM.", 150},
    {"mainForm", "txtTemp", "Exhaust Temp C", "Average exhaust gas temperature.", 150},
    {"mainForm", "txtHeats", "Ratio of Specific Heats",
     "Represents exhaust gas content.\n"
     "Air = 1.40\n"
     "Exhaust = 1.30\n\n"
     "Value varies with fuel other than petrol / gasoline at average air fuel ratio and exhaust temperature.",
     200},
    {"mainForm", "txtGasConst", "Individual Gas Constant",
     "Represents exhaust gas content.\n"
     "Air = 287\n"
     "Exhaust = 300\n\n"
     "Value varies with fuel other than petrol / gasoline at average air fuel ratio and exhaust temperature.",
     200},
    {"mainForm", "txtPipeExDiam", "Exhaust Port Window Diameter mm",
     "Exhaust port window diameter at cylinder and piston end of port.\n\n"
     "Use Input Values Calc to calculate diameter using measured port area.",
     200},
    {"mainForm", "txtPipeExLength", "Exhaust Port Length mm",
     "Exhaust port length.\n\n"
     "Measure port length from cylinder exhaust port window at piston to exhaust port outlet.",
     200},
    {"mainForm", "txtPipeExDiamOut", "Exhaust Port Outlet Diameter mm",
     "Exhaust port diameter at port outlet where exhaust pipe begins (exhaust flange).\n\n"
     "Use Input Values Calc to calculate diameter from port area if you cannot measure diameter directly.",
     200},
    {"mainForm", "chkHeader", "Straight Header Option",
     "Selecting this option forces both ends of the exhaust header pipe to be the same diameter.\n\n"
     "Use this option where you intend using a straight length of pipe for the header section.",
     200},
    {"mainForm", "txtPipePtoPratio", "Exhaust Port to Pipe Ratio",
     "Represents difference between diameter of the exhaust port window at the cylinder and piston and the "
     "end of header pipe where it meets diffuser cone.\n\n"
     "NOTE it is NOT the ratio of port window diameter to port outlet diameter.\n\n"
     "Values range from 1.05 for peak power to 1.25 for broad power.",
     200},
    {"mainForm", "txtPipePtoMratio", "Exhaust Port to Mid section Ratio",
     "Represents difference between diameter of the exhaust port window at the cylinder and piston and the "
     "diameter of the larger mid section of the expansion chamber.\n\n"
     "Values range from 2.125 for broad power to 3.25 for peak power.",
     200},
    {"mainForm", "txtPipeptoOutRatio", "Exhaust Port to Outlet Ratio",
     "Represents difference between diameter of the exhaust port window at the cylinder and piston and the "
     "diameter of the outlet pipe of the expansion chamber.\n\n"
     "Values range from 0.6 for BMEP of 11 Bar to 0.7 for BMEP of 8 Bar.",
     200},
    {"mainForm", "txtPipeHornRatio", "Horn Coefficient",
     "Represents total curvature or horn shape of the 3 diffuser cones combined.\n\n"
     "Values range from 1.25 for peak power to 2 for broad power.",
     200},
    {"mainForm", "cmdPipeCalc", "Expansion Chamber Calculation",
     "Performs calculation of expansion chamber exhaust and outputs dimensions and image.\n\n"
     "All input boxes must be filled or typing cursor will be placed in empty input box and no calculations "
     "done until the value is entered.",
     200},
    {"mainForm", "txtPipeDim1", "Diameter Ouput mm",
     "Pipe diameters are shown here.\n"
     "All dimensions are inside diameters.",
     200},
    {"mainForm", "txtPipeDim2", "Length Ouput mm",
     "Pipe section lengths are shown here.\n"
     "All dimensions are centre line lengths.",
     200},
    {"mainForm", "txtPipeDim3", "Cone Angle Output Degrees",
     "Cone angles are shown here.\n"
     "All dimensions are half the total angle of the cone.",
     200},
    {"mainForm", "txtTunedLength", "Tuned Length Output mm",
     "Total tuned length of the pipe is shown here.\n"
     "Dimension is from piston end of port to the end of the baffle cone where outlet pipe begins.",
     200},
    {"mainForm", "cmdPlot", "Plot Flat Cones",
     "Opens window to calculate dimensions for plotting of cones on to a flat sheet to trace on to sheet "
     "metal.",
     200},
    {"mainForm", "txtWarn", "Warning Message Window",
     "This shows any warning messages advising of corrections needed, read entire message as it may include "
     "multiple warnings.",
     200},
    {"frmPlot", "txtD1", "Cone Base Diameter mm",
     "Enter the diameter of the wide end / base end of the cone.", 200},
    {"frmPlot", "txtD2", "Cone Tip Diameter mm",
     "Enter the diameter of the smallest end / tip end of the cone.", 200},
    {"frmPlot", "txtLenConeInput", "Cone Centre Length mm",
     "Enter the centre line length of the cone (not the side length).", 200},
    {"frmPlot", "txtSheetThick", "Sheet Metal Thickness mm",
     "Enter the thickness of the sheet metal to be used and calculations will allow for that to ensure "
     "inside diameters are correct.",
     200},
    {"frmPlot", "optPlot(0)", "Single Cone Plot",
     "Choose this option to enter cone values above manually to plot one single cone.\n\n"
     "Batch Plot is only enabled if a pipe is calculated on the main screen.",
     200},
    {"frmPlot", "optPlot(1)", "Batch Cone Plot",
     "Choose this option to plot all of the cones from the pipe in the main screen without entering each one "
     "manually.",
     200},
    {"frmPlot", "cmdPlot", "Calculate Cone Plot",
     "Flattened cone plot calculations using cone dimensions will be placed in text box below with A,B,C and "
     "D values corresponding to image alongside.\n\n"
     "Right click highlighted values to copy them and paste into notepad to print out.",
     200},
    {"frmPortArea", "txtPortWidthFlat", "Curved Port Width",
     "Curved Port Width is the flat width of the port taken by tracing the port on to paper placed inside "
     "the bore.",
     200},
    {"frmPortArea", "txtBore", "Bore Diameter",
     "Bore Diameter is required to calculate Chordal Width from Curved Port Width.", 200},
    {"frmPortArea", "cmdExhPortWidthCalc", "Calculate Port Chordal Width",
     "Enter Curved Port Width and Bore to calculate Chordal Width.\n\n"
     "If port is measured with calipers enter the value directly in Chordal Width field.",
     200},
    {"frmPortArea", "txtPortHeight", "Port Height",
     "Enter total Port Height.\n\n"
     "Measure from the tallest part of the port if it has a curved top edge, do not subtract any curved "
     "segment height.",
     200},
    {"frmPortArea", "txtPortRad1", "Port Corner Radius 1",
     "Enter the radius of a 90 degree corner of the port.\n\n"
     "Select the number of the same radius corners such as 2 top corners.",
     200},
    {"frmPortArea", "txtPortRad2", "Port Corner Radius 2",
     "Enter any other different radius values of a 90 degree corner of the port.\n"
     "For example the top and bottom corner radius values are not the same.\n\n"
     "Select the number of the same radius corners.",
     200},
    {"frmPortArea", "txtSegmentHeight", "Port Segment Height",
     "Enter the height of the segment alone as shown in the image", 200},
    {"frmPortArea", "txtSegmentRad", "Port Segment Radius",
     "Enter the radius of the curved line (edge of the port) shown in the image", 200},
    {"frmPortArea", "cmdOnlySegment", "Single Segment Area Calculator",
     "Allows for calculation of the AREA of an individual segment (curved port edge) seperate from the main "
     "port calculations in this window.",
     200},
    {"frmPortArea", "cmdPortArea", "Calculate Port Area",
     "Total of Port Area using Width, Height, Corner Radius values and number of them and Top Segment values "
     "(if port edge is curved).\n\n"
     "Value given is Port Area and alongside it is converted to Diameter.\n\n"
     "If you already know Port Area enter it and click Area to Diameter button.",
     200},
    {"frmInputCalc", "cmdExTiming", "Calculate Exhaust Port Timing in Degree",
     "Enter values for Stroke length, Con Rod length, Distance from top of cylinder deck to top of piston at "
     "TDC, Distance from top of port to top of cylinder deck and Port height.",
     200},
    {"frmInputCalc", "cmdCalcExTemp", "Calculate Average BMEP",
     "Enter values to calculate an average BMEP (Brake Mean Effective Pressure) of cylinder.\n\n"
     "BMEP is used as a guide for Outlet Pipe Ratio on main screen and to provide an estimated Exhaust Gas "
     "Temperature.",
     200},
    {"frmTubecalc", "cmdConeLength", "Calculate from Angle",
     "Enter half the total angle of cone to get length of cone alone the side and the centre line of the "
     "cone.",
     200},
    {"frmTubecalc", "cmdAngle", "Calculate from Side Length",
     "Enter the length of the cone measured along the side of the cone to get the centre length and half the "
     "total angle of the cone.",
     200},
    {"frmTubecalc", "cmdStrAngle", "Calculate from Centre Length",
     "Enter the centre line length of the cone measured end to end of the cone to get the side length and "
     "half the angle of the cone.",
     200},
};

// The cutting templates' controls; the typed options take their tips from
// the options' own table.
constexpr HelpTip kTemplateTips[] = {
    {"TemplateForm", "lstSections", "Sections to Cut",
     "Tick the sections to develop into templates; select one to see its first piece in the preview.", 200},
    {"TemplateForm", "cmbDiameters", "Diameters Measured",
     "Inside: the diameters are the rolled section's inside, as the chamber's are.\n"
     "Outside: a typed cone measured on its outside.",
     200},
    {"TemplateForm", "cmbPaper", "Paper",
     "The paper of the build sheet: A4, Letter, A3, Tabloid, or plotter paper with one page per piece.", 200},
    {"TemplateForm", "tblBends", "Bends",
     "Per section the bend angle (0 keeps it straight), the pie-cut pieces (2 to 24) and the direction it "
     "turns towards, 0 to 359 degrees about the pipe: 0 up, 90 right, 180 down, 270 left, looking down the "
     "pipe.",
     250},
    {"TemplateForm", "cmbBendLayout", "Bent Sections",
     "Pieces: each piece of a bend its own outline, seams inside the bend.\n"
     "Blank: the straight section with the cuts drawn on it; cut it, roll it, then cut along the curves.",
     250},
    {"TemplateForm", "cmdSaveWithDesign", "Save with Design",
     "Saves these options and the bend plan in the design's file, beside its inputs; they come back when the "
     "design is opened.",
     200},
    {"TemplateForm", "cmdAssembledPipe", "Assembled Pipe",
     "The chamber put together with this bend plan and sheet: from the side, the top and in an orbit, with "
     "its envelope and where it ends, and saved as STL.",
     200},
    {"TemplateForm", "picPreview", "Preview",
     "The selected section's first piece to scale, on the pages it is printed on, numbered as in the build "
     "sheet.",
     200},
    {"TemplateForm", "cmdSavePdf", "Save Build Sheet",
     "Page 1 states the design and tables every template; then each piece at 1:1 on pages to tape together. "
     "Print at 100 %.",
     200},
    {"TemplateForm", "cmdSaveSvg", "Save SVG Drawing",
     "Every piece at 1:1 in millimetres, each outline one closed path with true arcs, for CAD or a cutter.",
     200},
    {"TemplateForm", "cmdSaveDxf", "Save DXF Drawing",
     "Every piece at 1:1 in millimetres, each outline one closed polyline on layer CUT with exact arcs, the "
     "marks on MARK and TEXT.",
     200},
    {"TemplateForm", "cmdPrint", "Print Build Sheet",
     "Prints the build sheet's pages at 1:1. Switch off \"fit to page\" and measure the 100 mm bar before "
     "cutting.",
     200},
};

constexpr HelpTip kWaveTimingTips[] = {
    {"frmWaveTiming", "picChart", "Wave Timing Chart",
     "Crank degrees after top dead centre (up) against RPM (across).\n\n"
     "Blue: the suction wave, from the diffuser's start to its end. Red: the plugging pulse, from the baffle "
     "cone's start to its end. Green: where the pulse is back between TC and EC.\n\n"
     "Move the mouse over the chart to read the arrival angles at that RPM.",
     250},
    {"frmWaveTiming", "txtRpmFrom", "From RPM",
     "Lowest RPM of the chart. Pipe Calc sets it to 40 % below the design RPM.", 200},
    {"frmWaveTiming", "txtRpmTo", "To RPM",
     "Highest RPM of the chart. Pipe Calc sets it to 40 % above the design RPM.", 200},
    {"frmWaveTiming", "txtTransfer", "Transfer Duration",
     "Transfer port open duration in crankshaft degrees, shorter than the exhaust port timing.\n\n"
     "Leave empty to chart the exhaust port events only.",
     200},
    {"frmWaveTiming", "cmdDraw", "Draw Chart",
     "Draw the chart again with the RPM range and transfer duration typed.", 200},
    {"frmWaveTiming", "cmdExportPng", "Export PNG", "Save the chart as a PNG picture.", 150},
    {"frmWaveTiming", "cmdExportSvg", "Export SVG", "Save the chart as an SVG drawing.", 150},
    {"frmWaveTiming", "txtRevLength", "Tuned Length mm",
     "Length from the piston face to the end of the baffle cone.\n\n"
     "Or type the measured sections joined by +, for example 30+58.9+244.6+162.7+81.8+97.8+213.4",
     250},
    {"frmWaveTiming", "txtRevTiming", "Exhaust Port Timing",
     "Exhaust port timing in crankshaft degrees, 1 to 359.", 150},
    {"frmWaveTiming", "txtRevTemp", "Exhaust Temp C",
     "Average exhaust gas temperature. Calc Temp writes the temperature that makes the pipe peak at the RPM "
     "typed.",
     200},
    {"frmWaveTiming", "txtRevRpm", "RPM",
     "The RPM the pipe is tuned for (Calc RPM writes it), or the RPM where the built pipe really peaks.",
     200},
    {"frmWaveTiming", "cmdRevRpm", "Calculate Tuned RPM",
     "The RPM at which a pipe of this tuned length is tuned, at this timing and temperature.", 200},
    {"frmWaveTiming", "cmdRevTemp", "Calculate Exhaust Temperature",
     "The exhaust temperature at which a pipe of this tuned length is tuned for the RPM typed.", 200},
};

constexpr HelpTip kAssembledPipeTips[] = {
    {"frmAssembledPipe", "txtThickness", "Sheet Thickness mm",
     "The sheet metal's thickness: the model's wall, outwards from the inside diameters.", 200},
    {"frmAssembledPipe", "tblBends", "Bend Plan",
     "Per section the bend angle (0 keeps it straight), the pieces it is cut into (2 to 24) and the "
     "direction it turns towards, 0 to 359 degrees about the pipe: 0 up, 90 right, 180 down, 270 left, "
     "looking down the pipe.\n\nA cell that cannot be used turns red and the reason stands below.",
     250},
    {"frmAssembledPipe", "picOrbit", "Orbit View",
     "The assembled pipe in space: drag with the mouse to turn it.", 200},
    {"frmAssembledPipe", "cmdSaveStl", "Save STL",
     "The assembled pipe as one closed solid in millimetres, hollow through, for a 3D-printed mock-up or a "
     "fit check in CAD.",
     200},
};

std::vector<HelpTip> AllTips() {
    std::vector<HelpTip> tips(std::begin(kHelpTips), std::end(kHelpTips));
    for (const TemplateFieldInfo &field : TemplateFields())
        tips.push_back({"TemplateForm", field.control, field.caption, field.tip, 200});
    tips.insert(tips.end(), std::begin(kTemplateTips), std::end(kTemplateTips));
    tips.insert(tips.end(), std::begin(kWaveTimingTips), std::end(kWaveTimingTips));
    tips.insert(tips.end(), std::begin(kAssembledPipeTips), std::end(kAssembledPipeTips));
    return tips;
}

} // namespace

std::span<const HelpTip> HelpTips() {
    static const std::vector<HelpTip> tips = AllTips();
    return tips;
}

} // namespace quorvane
