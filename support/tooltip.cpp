// SPDX-License-Identifier: GPL-3.0-or-later
#include "tooltip.h"

#include "tippopup.h"

#include <QHelpEvent>
#include <QToolTip>

namespace quorvane {

namespace {

// The one tip window of all instances: made by the first, deleted with the last.
struct SharedTip {
    TipPopup *window = nullptr;
    int instances = 0;
};
SharedTip shared;

TipPopup *Tip() {
    return shared.window;
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
    if (!shared.window)
        shared.window = new TipPopup;
    ++shared.instances;
}

clsTooltip::~clsTooltip() {
    if (Tip()->owner() == this)
        Tip()->Dismiss(false);
    for (const TooltipTool &tool : m_tools) {
        if (tool.registered && tool.control)
            tool.control->removeEventFilter(this);
    }
    if (--shared.instances == 0) {
        delete shared.window;
        shared.window = nullptr;
    }
}

bool clsTooltip::AddTool(QWidget *control, std::optional<QString> text, std::optional<QColor> foreColor,
                         std::optional<QColor> backColor, bool balloon, const QString &title, int icon,
                         int showMode, int margin, bool centered, bool transparent, int alignment,
                         int width) {
    TooltipTool tool;
    tool.control = control;
    tool.backColor = PlainRgb(backColor, QPalette::ToolTipBase);
    tool.foreColor = PlainRgb(foreColor, QPalette::ToolTipText);
    tool.balloon = balloon;
    tool.title = title.left(TooltipTool::kMaxTitleLength);
    tool.icon = icon;
    tool.showMode = showMode;
    tool.margin = margin;
    tool.centered = centered;
    tool.transparent = transparent;
    tool.alignment = alignment;
    tool.width = width;
    tool.text = std::move(text);
    if (!control) {
        m_tools.append(tool);
        return false;
    }
    // The tip window knows a control once: adding it again replaces the
    // registration, so one RemoveTool always silences it.
    if (TooltipTool *previous = Record(m_tools, control, true))
        previous->registered = false;
    tool.registered = true;
    m_tools.append(tool);
    control->installEventFilter(this);
    return true;
}

void clsTooltip::UpdateTool(QWidget *control, std::optional<QString> text, std::optional<QColor> foreColor,
                            std::optional<QColor> backColor, std::optional<bool> balloon,
                            std::optional<QString> title, std::optional<int> icon,
                            std::optional<int> showMode, std::optional<int> margin,
                            std::optional<bool> centered, std::optional<int> alignment,
                            std::optional<int> width) {
    if (!control)
        return;
    if (TooltipTool *registration = Record(m_tools, control, true)) {
        if (text)
            registration->text = text->isEmpty() ? std::nullopt : text;
        if (centered)
            registration->centered = *centered;
    }
    // The look lives in the first record, the one the tip is drawn from.
    if (TooltipTool *look = Record(m_tools, control, false)) {
        if (foreColor)
            look->foreColor = PlainRgb(foreColor, QPalette::ToolTipText);
        if (backColor)
            look->backColor = PlainRgb(backColor, QPalette::ToolTipBase);
        if (balloon)
            look->balloon = *balloon;
        if (title)
            look->title = title->left(TooltipTool::kMaxTitleLength);
        if (icon)
            look->icon = *icon;
        if (showMode)
            look->showMode = *showMode;
        if (margin)
            look->margin = *margin;
        if (alignment)
            look->alignment = *alignment;
        if (width)
            look->width = *width;
    }

    // Redraw the tip on show, as its settings may just have changed.
    QWidget *shown = Tip()->owner() == this ? Tip()->control() : nullptr;
    if (!shown)
        return;
    const std::optional<TooltipTool> tool = ShownTool(shown);
    if (!tool || tool->text->isEmpty())
        Tip()->Dismiss(true);
    else if (Tip()->control() == shown) // unless the NeedText handler hid it
        Tip()->Restyle(*tool);
}

void clsTooltip::RemoveTool(QWidget *control) {
    TooltipTool *registration = Record(m_tools, control, true);
    if (!registration)
        return;
    registration->registered = false;
    control->removeEventFilter(this);
    if (Tip()->owner() == this && Tip()->control() == control)
        Tip()->Dismiss(true);
}

bool clsTooltip::isRegistered(const QWidget *control) const {
    return Record(m_tools, control, true) != nullptr;
}

const TooltipTool *clsTooltip::appearanceOf(const QWidget *control) const {
    return Record(m_tools, control, false);
}

bool clsTooltip::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
        return false;
    auto *control = static_cast<QWidget *>(watched);
    if (!isRegistered(control))
        return false;
    ShowTipFor(control, static_cast<QHelpEvent *>(event)->globalPos());
    // The control's tip is ours: Qt's own must not show as well.
    event->accept();
    return true;
}

void clsTooltip::ShowTipFor(QWidget *control, const QPoint &cursor) {
    if (Tip()->owner() == this && Tip()->control() == control)
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

QWidget *clsTooltip::tipWindow() {
    return Tip();
}

int clsTooltip::instanceCount() {
    return shared.instances;
}

QWidget *clsTooltip::tipControl() {
    return Tip() ? Tip()->control() : nullptr;
}

TipLayout clsTooltip::shownLayout() {
    return Tip() && Tip()->isActive() ? Tip()->shownLayout() : TipLayout();
}

TipPlacement clsTooltip::shownPlacement() {
    return Tip() && Tip()->isActive() ? Tip()->placement() : TipPlacement();
}

bool clsTooltip::isTipAnimating() {
    return Tip() && Tip()->isAnimating();
}

void clsTooltip::HideTip() {
    if (Tip())
        Tip()->Dismiss(true);
}

} // namespace quorvane
