#include "tooltip.h"

#include "tippopup.h"

#include <QHelpEvent>
#include <QToolTip>

namespace quorvane {

namespace {

namespace mdlTooltip {
TipPopup *tipWindow = nullptr;
int instanceCount = 0;
} // namespace mdlTooltip

TipPopup *Tip() {
    return mdlTooltip::tipWindow;
}

QColor PlainRgb(const std::optional<QColor> &given, QPalette::ColorRole fallback) {
    QColor colour =
        given && given->isValid() ? *given : QToolTip::palette().color(QPalette::Inactive, fallback);
    colour = colour.toRgb();
    colour.setAlpha(255);
    return colour;
}

// The control's first record, or its registered one. A dead control's
// record points at nothing, so a new widget at the same address is not it.
template <class Tools>
auto Record(Tools &tools, const QWidget *control, bool registeredOnly) -> decltype(&tools[0]) {
    if (!control)
        return nullptr;
    for (auto &tool : tools) {
        if (tool.control == control && (tool.registered || !registeredOnly))
            return &tool;
    }
    return nullptr;
}

} // namespace

clsTooltip::clsTooltip(QObject *parent) : QObject(parent) {
    if (!mdlTooltip::tipWindow)
        mdlTooltip::tipWindow = new TipPopup;
    ++mdlTooltip::instanceCount;
}

clsTooltip::~clsTooltip() {
    if (Tip()->Owner() == this)
        Tip()->Dismiss(false);
    for (const TooltipTool &tool : m_tools) {
        if (tool.registered && tool.control)
            tool.control->removeEventFilter(this);
    }
    if (--mdlTooltip::instanceCount == 0) {
        delete mdlTooltip::tipWindow;
        mdlTooltip::tipWindow = nullptr;
    }
}

bool clsTooltip::AddTool(QWidget *ToolObj, std::optional<QString> TOOLTIPTEXT,
                         std::optional<QColor> ForeColor, std::optional<QColor> BackColor, bool Baloon,
                         const QString &Title, int Icon, int ShowMode, int Margin, bool CenteredTooltip,
                         bool Transparent, int Alignment, int Width) {
    TooltipTool tool;
    tool.control = ToolObj;
    tool.backColor = PlainRgb(BackColor, QPalette::ToolTipBase);
    tool.foreColor = PlainRgb(ForeColor, QPalette::ToolTipText);
    tool.balloon = Baloon;
    tool.title = Title.left(TooltipTool::kMaxTitleLength);
    tool.icon = Icon;
    tool.showMode = ShowMode;
    tool.margin = Margin;
    tool.centered = CenteredTooltip;
    tool.transparent = Transparent;
    tool.alignment = Alignment;
    tool.width = Width;
    tool.text = std::move(TOOLTIPTEXT);
    if (!ToolObj) {
        m_tools.append(tool);
        return false;
    }
    // The tip window knows a control once: adding it again replaces the
    // registration, so one RemoveTool always silences it.
    if (TooltipTool *previous = Record(m_tools, ToolObj, true))
        previous->registered = false;
    tool.registered = true;
    m_tools.append(tool);
    ToolObj->installEventFilter(this);
    return true;
}

void clsTooltip::UpdateTool(QWidget *ToolObj, std::optional<QString> TOOLTIPTEXT,
                            std::optional<QColor> ForeColor, std::optional<QColor> BackColor,
                            std::optional<bool> Baloon, std::optional<QString> Title, std::optional<int> Icon,
                            std::optional<int> ShowMode, std::optional<int> Margin,
                            std::optional<bool> CenteredTooltip, std::optional<int> Alignment,
                            std::optional<int> Width) {
    if (!ToolObj)
        return;
    if (TooltipTool *registration = Record(m_tools, ToolObj, true)) {
        if (TOOLTIPTEXT)
            registration->text = TOOLTIPTEXT->isEmpty() ? std::nullopt : TOOLTIPTEXT;
        if (CenteredTooltip)
            registration->centered = *CenteredTooltip;
    }
    // The look lives in the first record, the one the tip is drawn from.
    if (TooltipTool *look = Record(m_tools, ToolObj, false)) {
        if (ForeColor)
            look->foreColor = PlainRgb(ForeColor, QPalette::ToolTipText);
        if (BackColor)
            look->backColor = PlainRgb(BackColor, QPalette::ToolTipBase);
        if (Baloon)
            look->balloon = *Baloon;
        if (Title)
            look->title = Title->left(TooltipTool::kMaxTitleLength);
        if (Icon)
            look->icon = *Icon;
        if (ShowMode)
            look->showMode = *ShowMode;
        if (Margin)
            look->margin = *Margin;
        if (Alignment)
            look->alignment = *Alignment;
        if (Width)
            look->width = *Width;
    }

    // Redraw the tip on show, as its settings may just have changed.
    QWidget *shown = Tip()->Owner() == this ? Tip()->Control() : nullptr;
    if (!shown)
        return;
    const std::optional<TooltipTool> tool = ShownTool(shown);
    if (!tool || tool->text->isEmpty())
        Tip()->Dismiss(true);
    else if (Tip()->Control() == shown) // unless the NeedText handler hid it
        Tip()->Restyle(*tool);
}

void clsTooltip::RemoveTool(QWidget *ToolObj) {
    TooltipTool *registration = Record(m_tools, ToolObj, true);
    if (!registration)
        return;
    registration->registered = false;
    ToolObj->removeEventFilter(this);
    if (Tip()->Owner() == this && Tip()->Control() == ToolObj)
        Tip()->Dismiss(true);
}

bool clsTooltip::IsRegistered(const QWidget *control) const {
    return Record(m_tools, control, true) != nullptr;
}

const TooltipTool *clsTooltip::AppearanceOf(const QWidget *control) const {
    return Record(m_tools, control, false);
}

bool clsTooltip::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return false;
    auto *control = static_cast<QWidget *>(watched);
    if (!IsRegistered(control))
        return false;
    ShowTipFor(control, static_cast<QHelpEvent *>(event)->globalPos());
    // The control's tip is ours: Qt's own must not show as well.
    event->accept();
    return true;
}

void clsTooltip::ShowTipFor(QWidget *control, const QPoint &cursor) {
    if (Tip()->Owner() == this && Tip()->Control() == control)
        return; // resting again on the same control keeps its tip
    const std::optional<TooltipTool> tool = ShownTool(control);
    if (!tool)
        return;
    if (tool->text->isEmpty())
        Tip()->Dismiss(true); // an empty tool still takes the place of the last tip
    else
        Tip()->Present(this, control, *tool, cursor);
}

std::optional<TooltipTool> clsTooltip::ShownTool(QWidget *control) {
    const TooltipTool *registration = Record(m_tools, control, true);
    if (!registration)
        return std::nullopt;
    QString text = registration->text.value_or(QString());
    if (!registration->text) {
        QPointer<QWidget> guard = control;
        emit NeedText(control, text);
        // The handler may have changed the list, removed the tool or
        // destroyed the control: look the registration up afresh.
        registration = guard ? Record(m_tools, control, true) : nullptr;
        if (!registration)
            return std::nullopt;
    }
    TooltipTool tool = *Record(m_tools, control, false);
    tool.text = text;
    tool.centered = registration->centered;
    tool.transparent = registration->transparent;
    return tool;
}

QWidget *clsTooltip::TipWindow() {
    return Tip();
}

int clsTooltip::InstanceCount() {
    return mdlTooltip::instanceCount;
}

QWidget *clsTooltip::TipControl() {
    return Tip() ? Tip()->Control() : nullptr;
}

TipLayout clsTooltip::ShownLayout() {
    return Tip() && Tip()->Active() ? Tip()->Layout() : TipLayout();
}

TipPlacement clsTooltip::ShownPlacement() {
    return Tip() && Tip()->Active() ? Tip()->Placement() : TipPlacement();
}

bool clsTooltip::TipAnimating() {
    return Tip() && Tip()->Animating();
}

void clsTooltip::HideTip() {
    if (Tip())
        Tip()->Dismiss(true);
}

} // namespace quorvane
