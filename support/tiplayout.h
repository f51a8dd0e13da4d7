// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class QFont;
class QFontMetrics;

namespace quorvane {

struct TooltipTool;

// Title icons, with the codes of the Windows tooltip control so that a
// tool's icon means the same there and here. The large ones are twice the size.
enum TipIcon : int {
    kNoIcon = 0,
    kInformationIcon = 1,
    kWarningIcon = 2,
    kErrorIcon = 3,
    kLargeInformationIcon = 4,
    kLargeWarningIcon = 5,
    kLargeErrorIcon = 6,
};

// Text alignment flags, with the values of the Windows text-drawing flags;
// neither flag set is left.
enum TipTextAlignment : int {
    kTextLeft = 0x0,
    kTextCentred = 0x1,
    kTextRight = 0x2,
};

// What a tip shows, worked out before it is drawn. Rectangles are relative
// to the body's top-left corner (the balloon's pointer lies outside the body).
struct TipLayout {
    QString title;      // trimmed; empty means no title line and no icon
    int icon = kNoIcon; // a TipIcon; kNoIcon when there is no title line
    QStringList lines;
    Qt::Alignment alignment = Qt::AlignLeft;
    QMargins padding; // base padding plus the tool's margin
    QRect iconRect;
    QRect titleRect;
    QRect textRect;
    int lineSpacing = 0;
    QSize bodySize;
};

// Where the tip window goes: the whole window (body and, for a balloon, the
// pointer), and where the pointer sits on the body.
struct TipPlacement {
    QRect geometry;
    QRect body; // relative to geometry's top-left
    bool pointerAtTop = true;
    int pointerX = 0; // relative to geometry's left
};

// Fixed dimensions of the drawing, in pixels.
struct TipMetrics {
    // Added inside the tool's own margin so that a margin of 0 still leaves the
    // text clear of the border, as the desktop's own tips do.
    static constexpr QMargins kBasePadding{8, 6, 8, 6};
    static constexpr int kSmallIcon = 16;
    static constexpr int kLargeIcon = 32;
    static constexpr int kIconGap = 6;  // between the icon and the title
    static constexpr int kTitleGap = 5; // between the title line and the text
    static constexpr int kRadius = 7;   // a balloon's corners
    static constexpr int kPointerHeight = 10;
    static constexpr int kPointerWidth = 16;
    static constexpr int kPointerInset = 20;      // pointer's distance from the body's left edge
    static constexpr QPoint kCursorOffset{2, 16}; // clears the arrow cursor
    static constexpr int kControlGap = 2;         // a centred tip's distance from its control
    static constexpr int kAnimationMs = 200;
    static constexpr int kAutoHideMs = 10000;
};

// Show-mode flags of a rectangular tip, with the values of the Windows
// window-animation flags so that a tool's show mode means the same there and
// here. A direction rolls the tip open from that side; bits not listed are
// ignored. Balloons never animate.
enum TipShowMode : int {
    kRollLeftToRight = 0x1,
    kRollRightToLeft = 0x2,
    kRollTopToBottom = 0x4,
    kRollBottomToTop = 0x8,
    kExpandFromCentre = 0x10,
    kFadeIn = 0x80000,
};

// The text as lines: each '\n' breaks a line (so a doubled one gives an
// empty line), and each line is word-wrapped greedily at `width` pixels. A
// word wider than `width` stays whole on a line of its own.
QStringList WrapTipText(const QString &text, const QFontMetrics &metrics, int width);

// Lays out a tip with `appearance` showing `text` in `font` (the title in
// its bold form).
TipLayout LayoutTip(const TooltipTool &appearance, const QString &text, const QFont &font);

// Places a tip near the pointer (below-right of it) or, when centred, below
// the middle of the control, and keeps it inside `screen`: a tip that does
// not fit below goes above.
TipPlacement PlaceTip(const QSize &bodySize, bool balloon, bool centered, const QPoint &cursor,
                      const QRect &control, const QRect &screen);

// The window rectangle at the start of a show animation that ends at
// `finalRect`; `finalRect` itself when the mode has nothing to roll or expand.
QRect ShowAnimationStart(const QRect &finalRect, int showMode);

} // namespace quorvane
