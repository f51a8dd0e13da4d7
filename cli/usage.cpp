// SPDX-License-Identifier: GPL-3.0-or-later
#include "usage.h"

#include "quorvane_version.h"

namespace quorvane::cli {

std::string HelpText() {
    return R"(Usage: quorvane-cli COMMAND [ARGUMENTS]...
Expansion chamber and engine calculations, the same as Quorvane's windows.

Numbers are read as the input boxes read them: the number a text begins with
("12abc" is 12; "" and "abc" are 0), with "." as the decimal point. Results
use "." as the decimal point and "," between thousands whatever the locale.
A value beginning with "-" is a number, not an option; "--" ends the options.

Commands:
  chamber [FILE] [KEY=TEXT]... [--straight-header] [--json]
      The expansion chamber. The twelve inputs start as the main window's,
      then FILE (a saved pipe values file) and each KEY=TEXT are applied in
      turn; an empty value in FILE is skipped, an empty KEY= empties the input.
      Keys: timing RPM temp heats gasConstant portWindowD portLength
            portFlangeD portToPipe portToMid portToOutlet hornCoefficient
      --straight-header  no header taper: D1 is the flange diameter (F)
      --json             one JSON object with full-precision numbers
  flatcone BASE TIP HEIGHT THICKNESS
      Flat pattern of one cone: inside diameters, centre height, sheet
      thickness. Equal diameters give the rectangle of a cylinder.
  flatcone --batch --thickness T [FILE] [KEY=TEXT]... [--straight-header]
      Flat patterns of the four cones of the chamber, inputs as for chamber.
  save FILE [KEY=TEXT]... [--from OTHERFILE]
      Writes a pipe values file as the window's Save Pipe does: the twelve
      inputs start as the main window's, then OTHERFILE and each KEY=TEXT
      are applied, and the twelve keys are set in FILE (no extension is
      added), keeping everything else an existing FILE holds. The old file
      stays intact when the save fails. Prints nothing when it succeeds.
  templates --thickness T [FILE] [KEY=TEXT]... [--straight-header] -o FILE
  templates --thickness T --cone BASE TIP HEIGHT [--cone ...] -o FILE
      Cutting templates of the chamber's seven sections (inputs as for
      chamber), or of the typed cones, at 1:1.
      -o FILE              the output; "-" writes SVG or DXF to stdout
      --format pdf|svg|dxf the kind of file (default: FILE's extension):
                           pdf a build sheet to print, with page 1 and the
                           pattern in tiles; svg and dxf one drawing of
                           every piece with true arcs, in millimetres
      --only L1,L2,...     these sections only (with --cone: 1,2,...)
      --k-factor K         where the sheet neither stretches nor squeezes,
                           as a share of the thickness from the inside,
                           0.3-0.5 (default 0.5, the middle)
      --mid-thickness      the same as --k-factor 0.5
      --diameters inside|outside   how the --cone diameters are measured
                           (default inside; the chamber's are inside)
      --paper a4|letter|a3|tabloid|plotter   (default a4; plotter: one
                           page per piece)
      --overlap MM         shared by neighbouring pages (default 10)
      --pieces N           equal pieces around each section, 1-12
      --seam-allowance MM  a lap strip along one seam edge (default 0)
      --roll-lines N       lines to roll along (default 0)
      --bend WHICH:ANGLE:PIECES[:DIRECTION]   bend section WHICH (L1-L7,
                           or 1, 2, ... for the --cone cones) through ANGLE
                           degrees in PIECES pie-cut pieces (2-24), turning
                           towards DIRECTION degrees from up (default 0);
                           once per section
      --bend-layout blank|pieces   a bent section as one blank with the
                           cuts drawn on it, or each piece on its own
                           (default pieces)
      FILE's [CuttingTemplates] section, when it has one, is applied first.
      Print the PDF at 100 % ("fit to page" off) and measure its 100 mm bar.
  timing [FILE] [KEY=TEXT]... [--straight-header] [--transfer DEG]
         [--rpm FROM:TO:STEP] [--json]
      When the chamber's reflections return to the port, in crank degrees
      after TDC, inputs as for chamber: per RPM the arrival of the waves
      reflected at the diffuser's start and end and the baffle cone's start
      and end, with the port events (EO, BDC, EC; TO and TC with the
      transfer duration --transfer), then the RPM band over which the
      plugging pulse meets the span from TC to EC. --rpm defaults to the
      design RPM -40 % to +40 % in steps of 5 %.
  reverse --length TL --timing DEG (--temp C | --rpm N) [--heats 1.36]
          [--gas-constant 300] [--json]
      The RPM a pipe of tuned length TL (mm, piston face to the end of the
      baffle cone; or its sections measured and joined by "+") is tuned
      for; or, with the RPM where it really peaks, the exhaust temperature
      that makes the model agree. Both are estimates: small-amplitude waves
      at one uniform temperature, reflected at fixed stations.
  model --thickness T [FILE] [KEY=TEXT]... [--straight-header]
        [--bend WHICH:ANGLE:PIECES[:DIRECTION]]... -o FILE
      The chamber (inputs as for chamber) assembled in space, each section
      straight or bent by pie cuts, written as a binary STL in millimetres:
      one closed solid, the wall T thick outside the inside diameters, hollow
      through. Prints the envelope and where and which way the tail ends,
      from the port flange's centre: forward, left or right, up or down.
      --bend L3:90:4:0  bend section L3 (WHICH: L1 header ... L7 tail)
                        through 90 degrees in 4 pieces, towards direction 0:
                        degrees about the pipe from its up (the side view's
                        up, carried along the pipe), 90 right, 180 down,
                        270 left; default 0. Pieces 2-24; once per section.
      -o FILE           the STL; "-" writes it to stdout and the report to
                        stderr
  port-width CURVED BORE
      Chordal width of a port whose width is measured around the bore.
  segment-area RADIUS HEIGHT
      Area of a circle segment; prints nothing when either is 0.
  port-area WIDTH HEIGHT [--r1 R] [--k1 N] [--r2 R] [--k2 N]
            [--segment-radius R --segment-height H]
      Port window area (mm/2) and the diameter of a round port of that area:
      the rectangle less --k1 corners (1-4, default 2) of radius --r1, --k2
      corners (1-2, default 2) of radius --r2, and the strip above an arched
      top of the given radius and height.
  area-to-diameter AREA
      Diameter of the circle of that area.
  port-timing STROKE ROD DECK PORTTOP
      Exhaust port timing (degrees) and port height, from stroke, rod length,
      deck to piston crown at top dead centre and deck to top of the port.
  bmep POWER RPM BORE STROKE
      Average brake mean effective pressure (bar) from kW, rpm and mm.
  convert KIND VALUE
      KIND: c-to-f, f-to-c, kw-to-hp, hp-to-kw, mm-to-inch, inch-to-mm.
  cone KIND BASE TIP VALUE
      A cone from its base and tip diameters and, by KIND, its from-angle
      (half angle), from-side (side length) or from-centre (centre length);
      prints the other two.

Options:
  -h, --help  show this help
  --version   show the version

Every report ends with a line feed. Exit status: 0 done; 1 output or FILE
could not be written; 2 a bad command line or a refused input (stderr names it); 3 the
numbers cannot be calculated (stderr gives the reason).
)";
}

std::string VersionText() {
    return std::string("quorvane-cli ") + kVersionText + "\n";
}

} // namespace quorvane::cli
