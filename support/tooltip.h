// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "tiplayout.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <optional>

namespace quorvane {

// One AddTool call. The list of these never shrinks: RemoveTool only clears
// `registered`. Two kinds of field live here. What the tip window itself
// knows of a tool (text, centred, transparent) is read from the control's
// registered record; the appearance (colours, shape, title, icon, show mode,
// margin, alignment, width) from the FIRST record of the control, so a
// control removed and added again keeps its first look.
struct TooltipTool {
    static constexpr int kMaxTitleLength = 80;

    QPointer<QWidget> control; // null once the control is gone
    QColor backColor;          // plain RGB, resolved from the palette when not given
    QColor foreColor;
    bool balloon = false;
    QString title;      // cut to kMaxTitleLength, shown trimmed
    int icon = kNoIcon; // a TipIcon; other values show no icon
    int showMode = 0;   // TipShowMode flags
    int margin = 0;
    bool centered = false;
    bool transparent = false;
    int alignment = kTextLeft;   // TipTextAlignment flags
    int width = 0;               // wrap width of the text in pixels; 0 or less: break only at line breaks
    std::optional<QString> text; // none: asked for with NeedText each time
    bool registered = false;
};

// Pop-up help tips for controls of any window: each registered control (a
// tool) has its own text, title with icon, colours, shape, show animation,
// margin, alignment and wrap width. All instances share one tip window,
// which lives while at least one instance does.
class clsTooltip : public QObject {
    Q_OBJECT

  public:
    explicit clsTooltip(QObject *parent = nullptr);
    ~clsTooltip() override;

    // Leaving `text` out registers the tool for text on request (NeedText);
    // leaving a colour out takes the desktop's tooltip colour. False when the
    // tool cannot be registered (no control); the record is appended all the same.
    bool AddTool(QWidget *control, std::optional<QString> text, std::optional<QColor> foreColor,
                 std::optional<QColor> backColor, bool balloon, const QString &title, int icon, int showMode,
                 int margin, bool centered, bool transparent, int alignment, int width);
    // Each setting given replaces the tool's; an empty `text` switches the
    // tool to text on request. A tip on show is redrawn at once.
    void UpdateTool(QWidget *control, std::optional<QString> text = {}, std::optional<QColor> foreColor = {},
                    std::optional<QColor> backColor = {}, std::optional<bool> balloon = {},
                    std::optional<QString> title = {}, std::optional<int> icon = {},
                    std::optional<int> showMode = {}, std::optional<int> margin = {},
                    std::optional<bool> centered = {}, std::optional<int> alignment = {},
                    std::optional<int> width = {});
    // The control's tip no longer shows; its record stays in the list.
    void RemoveTool(QWidget *control);

    const QList<TooltipTool> &tools() const { return m_tools; }
    bool isRegistered(const QWidget *control) const;
    // The record whose appearance the control's tip takes, or nullptr.
    const TooltipTool *appearanceOf(const QWidget *control) const;

    static QWidget *tipWindow(); // nullptr while no instance lives
    static int instanceCount();
    static QWidget *tipControl(); // the control whose tip is on show, or nullptr
    static TipLayout shownLayout();
    static TipPlacement shownPlacement();
    static bool isTipAnimating();
    static void HideTip();

  signals:
    // Raised when a tool registered without text is about to show; the
    // handler sets `text`. Connect directly: the text is a reference.
    void NeedText(QWidget *tool, QString &text);
    // A tip is about to be shown (after its show animation, when it has one).
    void Show();
    // A tip that was shown is about to be hidden.
    void Hide();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void ShowTipFor(QWidget *control, const QPoint &cursor);
    // The control's look with its registration's centring, transparency and
    // text (asked for through NeedText when not registered); none when the
    // tool is gone, perhaps removed by the NeedText handler.
    std::optional<TooltipTool> ShownTool(QWidget *control);

    QList<TooltipTool> m_tools;
};

} // namespace quorvane
