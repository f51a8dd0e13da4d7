// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiplayout.h"

#include "tooltip.h"

#include <QFont>
#include <QFontMetrics>

#include <algorithm>

namespace quorvane {

namespace {

using M = TipMetrics;

int IconSize(int icon) {
    if (icon == kNoIcon)
        return 0;
    return icon >= kLargeInformationIcon ? M::kLargeIcon : M::kSmallIcon;
}

QStringList WrapParagraph(const QString &paragraph, const QFontMetrics &metrics, int width) {
    QStringList lines;
    const qsizetype n = paragraph.size();
    qsizetype start = 0;
    while (start < n) {
        // Longest run of whole words that fits; a lone word that does not fit
        // overflows rather than being cut, as word breaking does.
        qsizetype fit = -1;
        qsizetype firstWordEnd = -1;
        for (qsizetype j = start + 1; j <= n; ++j) {
            const bool wordEnd = (j == n || paragraph[j] == u' ') && paragraph[j - 1] != u' ';
            if (!wordEnd)
                continue;
            if (firstWordEnd < 0)
                firstWordEnd = j;
            if (metrics.horizontalAdvance(paragraph.mid(start, j - start)) > width)
                break;
            fit = j;
        }
        const qsizetype end = fit >= 0 ? fit : firstWordEnd >= 0 ? firstWordEnd : n;
        lines << paragraph.mid(start, end - start);
        start = end;
        while (start < n && paragraph[start] == u' ')
            ++start;
    }
    return lines;
}

} // namespace

QStringList WrapTipText(const QString &text, const QFontMetrics &metrics, int width) {
    if (text.isEmpty())
        return {};
    QStringList lines;
    for (const QString &paragraph : text.split(u'\n')) {
        if (width <= 0 || paragraph.isEmpty())
            lines << paragraph;
        else
            lines << WrapParagraph(paragraph, metrics, width);
    }
    return lines;
}

TipLayout LayoutTip(const TooltipTool &look, const QString &text, const QFont &font) {
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics metrics(font);
    const QFontMetrics boldMetrics(bold);

    TipLayout layout;
    layout.title = look.title.trimmed();
    const bool knownIcon = look.icon >= kInformationIcon && look.icon <= kLargeErrorIcon;
    layout.icon = !layout.title.isEmpty() && knownIcon ? look.icon : kNoIcon;
    layout.lines = WrapTipText(text, metrics, look.width);
    layout.alignment = (look.alignment & kTextCentred) ? Qt::AlignHCenter
                       : (look.alignment & kTextRight) ? Qt::AlignRight
                                                       : Qt::AlignLeft;
    // A negative margin would pull the text over the border.
    const int margin = std::max(0, look.margin);
    layout.padding = M::kBasePadding + QMargins(margin, margin, margin, margin);
    layout.lineSpacing = metrics.lineSpacing();

    int textWidth = 0;
    for (const QString &line : layout.lines)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    const int iconSize = IconSize(layout.icon);
    const int iconSpace = iconSize > 0 ? iconSize + M::kIconGap : 0;
    const int titleTextWidth = boldMetrics.horizontalAdvance(layout.title);
    const int titleHeight = layout.title.isEmpty() ? 0 : std::max(iconSize, boldMetrics.height());
    const int titleWidth = layout.title.isEmpty() ? 0 : iconSpace + titleTextWidth;
    const int contentWidth = std::max(textWidth, titleWidth);
    const int textHeight = int(layout.lines.size()) * layout.lineSpacing;

    const int x = layout.padding.left();
    int y = layout.padding.top();
    if (!layout.title.isEmpty()) {
        if (iconSize > 0)
            layout.iconRect = QRect(x, y + (titleHeight - iconSize) / 2, iconSize, iconSize);
        layout.titleRect = QRect(x + iconSpace, y, titleTextWidth, titleHeight);
        y += titleHeight + (layout.lines.isEmpty() ? 0 : M::kTitleGap);
    }
    layout.textRect = QRect(x, y, contentWidth, textHeight);
    layout.bodySize =
        QSize(x + contentWidth + layout.padding.right(), y + textHeight + layout.padding.bottom());
    return layout;
}

TipPlacement PlaceTip(const QSize &bodySize, bool balloon, bool centered, const QPoint &cursor,
                      const QRect &control, const QRect &screen) {
    const int stem = balloon ? M::kPointerHeight : 0;
    const int width = bodySize.width();
    const int height = bodySize.height() + stem;

    // The column the tip points at, and the rows it hangs from when below or
    // stands on when above. A balloon points at the cursor itself.
    int anchorX = control.center().x();
    int belowY = control.bottom() + 1 + M::kControlGap;
    int aboveY = control.top() - M::kControlGap;
    if (!centered) {
        anchorX = balloon ? cursor.x() : cursor.x() + M::kCursorOffset.x();
        belowY = cursor.y() + M::kCursorOffset.y();
        aboveY = cursor.y() - M::kControlGap;
    }

    int left = anchorX;
    if (centered)
        left = control.left() + (control.width() - width) / 2;
    else if (balloon)
        left -= M::kPointerInset;
    left = std::max(screen.left(), std::min(left, screen.right() + 1 - width));

    TipPlacement placement;
    int top = belowY;
    placement.pointerAtTop = top + height <= screen.bottom() + 1;
    if (!placement.pointerAtTop)
        top = aboveY - height;
    top = std::max(top, screen.top());

    placement.geometry = QRect(left, top, width, height);
    placement.body = QRect(0, balloon && placement.pointerAtTop ? stem : 0, width, bodySize.height());
    const int lowest = M::kRadius + M::kPointerWidth / 2;
    const int highest = width - 1 - lowest;
    placement.pointerX = lowest <= highest ? std::clamp(anchorX - left, lowest, highest) : width / 2;
    return placement;
}

QRect ShowAnimationStart(const QRect &finalRect, int showMode) {
    if (showMode & kFadeIn)
        return finalRect;
    if (showMode & kExpandFromCentre)
        return QRect(finalRect.center(), QSize(1, 1));
    QRect start = finalRect;
    if (showMode & kRollLeftToRight)
        start.setWidth(1);
    else if (showMode & kRollRightToLeft)
        start.setLeft(finalRect.right());
    if (showMode & kRollTopToBottom)
        start.setHeight(1);
    else if (showMode & kRollBottomToTop)
        start.setTop(finalRect.bottom());
    return start;
}

} // namespace quorvane
