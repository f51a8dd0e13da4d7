#pragma once

#include <QColor>
#include <QList>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>

class QFont;
class QFontMetrics;

namespace quorvane {

// One AddTool call. The list of these never shrinks: RemoveTool only clears
// `registered`. Two kinds of field live here. What the tip window itself
// knows of a tool (text, centred, transparent) is read from the control's
// registered record; the appearance (colours, shape, title, icon, show mode,
// margin, alignment, width) from the FIRST record with the control's id, so
// a control removed and added again keeps its first look.
struct TooltipTool {
    static constexpr int kMaxTitleLength = 80;

    int number = 0;  // 1-based position in the list
    quintptr id = 0; // the control's identity, as a window handle would be
    QPointer<QWidget> control;
    QColor backColor; // plain RGB, resolved from the palette when not given
    QColor foreColor;
    bool balloon = false;
    QString title; // cut to kMaxTitleLength, shown trimmed
    int icon = 0;  // 0 none, 1 information, 2 warning, 3 error; 4..6 the same, large
    int showMode = 0;
    int margin = 0;
    bool centered = false;
    bool transparent = false;
    int alignment = 0;           // text-drawing flags: 1 centred, 2 right, else left
    int width = 0;               // wrap width of the text in pixels; 0 or less: break only at line breaks
    std::optional<QString> text; // none: asked for with NeedText each time
    bool registered = false;
};

// What a tip shows, worked out before it is drawn. Rectangles are relative
// to the body's top-left corner (the balloon's pointer lies outside the body).
struct TipLayout {
    QString title; // trimmed; empty means no title line and no icon
    int icon = 0;  // 0 when there is no title line
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
    // Added inside the tool's own Margin so that Margin 0 still leaves the
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
// window-animation flags so that a tool's ShowMode means the same there and
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

// The text as lines: CR LF, LF and a lone CR each break a line (so a doubled
// break gives an empty line), and each line is word-wrapped greedily at
// `width` pixels. A word wider than `width` stays whole on a line of its own.
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

// Pop-up help tips for controls of any window: each registered control (a
// tool) has its own text, title with icon, colours, shape, show animation,
// margin, alignment and wrap width. All instances share one tip window,
// which lives while at least one instance does.
class clsTooltip : public QObject {
    Q_OBJECT

  public:
    explicit clsTooltip(QObject *parent = nullptr);
    ~clsTooltip() override;

    // Leaving TOOLTIPTEXT out registers the tool for text on request
    // (NeedText); leaving a colour out takes the desktop's tooltip colour.
    // False when the tool cannot be registered (no control); the record is
    // appended all the same.
    bool AddTool(QWidget *ToolObj, std::optional<QString> TOOLTIPTEXT, std::optional<QColor> ForeColor,
                 std::optional<QColor> BackColor, bool Baloon, const QString &Title, int Icon, int ShowMode,
                 int Margin, bool CenteredTooltip, bool Transparent, int Alignment, int Width);
    // Each setting given replaces the tool's; an empty TOOLTIPTEXT switches
    // the tool to text on request. A tip on show is redrawn at once.
    void UpdateTool(QWidget *ToolObj, std::optional<QString> TOOLTIPTEXT = {},
                    std::optional<QColor> ForeColor = {}, std::optional<QColor> BackColor = {},
                    std::optional<bool> Baloon = {}, std::optional<QString> Title = {},
                    std::optional<int> Icon = {}, std::optional<int> ShowMode = {},
                    std::optional<int> Margin = {}, std::optional<bool> CenteredTooltip = {},
                    std::optional<int> Alignment = {}, std::optional<int> Width = {});
    // The control's tip no longer shows; its record stays in the list.
    void RemoveTool(QWidget *ToolObj);

    const QList<TooltipTool> &Tools() const { return m_tools; }
    bool IsRegistered(const QWidget *control) const;
    // The record whose appearance the control's tip takes, or nullptr.
    const TooltipTool *AppearanceOf(const QWidget *control) const;

    static QWidget *TipWindow(); // nullptr while no instance lives
    static int InstanceCount();
    static QWidget *TipControl(); // the control whose tip is on show, or nullptr
    static TipLayout ShownLayout();
    static TipPlacement ShownPlacement();
    static bool TipAnimating();
    static void HideTip();

  signals:
    // Raised when a tool registered without text is about to show; the
    // handler sets TOOLTIPTEXT. Connect directly: the text is a reference.
    void NeedText(QWidget *Tool, QString &TOOLTIPTEXT);
    // A tip is about to be shown (after its show animation, when it has one).
    void Show();
    // A tip that was shown is about to be hidden.
    void Hide();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    TooltipTool *RegisteredRecord(const QWidget *control);
    TooltipTool *FirstRecord(const QWidget *control);
    bool ShowTipFor(QWidget *control, const QPoint &cursor);
    // The registered text, or the one NeedText gives; none when the tool is gone.
    std::optional<QString> TextFor(QWidget *control);

    QList<TooltipTool> m_tools;
    QString m_textBuffer; // the text last given through NeedText
};

} // namespace quorvane
