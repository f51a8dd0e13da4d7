#include "tooltip.h"

#include <QApplication>
#include <QBitmap>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include <algorithm>

namespace quorvane {

namespace {

using M = TipMetrics;

QColor PlainRgb(const std::optional<QColor> &given, QPalette::ColorRole fallback) {
    QColor colour =
        given && given->isValid() ? *given : QToolTip::palette().color(QPalette::Inactive, fallback);
    colour = colour.toRgb();
    colour.setAlpha(255);
    return colour;
}

int IconSize(int icon) {
    if (icon <= 0)
        return 0;
    return icon <= 3 ? M::kSmallIcon : M::kLargeIcon;
}

QStyle::StandardPixmap IconPixmap(int icon) {
    switch ((icon - 1) % 3) {
    case 1:
        return QStyle::SP_MessageBoxWarning;
    case 2:
        return QStyle::SP_MessageBoxCritical;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
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

// Program-wide: the one tip window that every instance draws its tips in.
class TipPopup : public QWidget {
  public:
    TipPopup();

    void Present(clsTooltip *owner, QWidget *control, const TooltipTool &look, bool centered,
                 bool transparent, const QString &text, const QPoint &cursor);
    // Draws the tip on show again with changed settings, without animation.
    void Restyle(const TooltipTool &look, bool centered, const QString &text);
    // `announce` false when the owner is going away and can no longer be told.
    void Dismiss(bool announce);

    bool Active() const { return m_active; }
    clsTooltip *Owner() const { return m_owner; }
    QWidget *Control() const { return m_control; }
    const TipLayout &Layout() const { return m_layout; }
    const TipPlacement &Placement() const { return m_placement; }
    bool Animating() const { return m_animation->state() == QAbstractAnimation::Running; }

  protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void Arrange();
    QPainterPath BalloonPath(const QRectF &body) const;
    void Announce();

    QPropertyAnimation *m_animation;
    QTimer *m_autoHide;
    QMetaObject::Connection m_controlGone;
    bool m_active = false;
    bool m_announced = false; // Show was raised, so Hide is owed
    QPointer<clsTooltip> m_owner;
    QPointer<QWidget> m_control;
    TooltipTool m_look;
    bool m_centered = false;
    QString m_text;
    QPoint m_cursor;
    TipLayout m_layout;
    TipPlacement m_placement;
};

namespace mdlTooltip {
TipPopup *tipWindow = nullptr;
int instanceCount = 0;
} // namespace mdlTooltip

TipPopup::TipPopup()
    : QWidget(nullptr, Qt::ToolTip), m_animation(new QPropertyAnimation(this)), m_autoHide(new QTimer(this)) {
    setObjectName(QStringLiteral("tipWindow"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setFont(QToolTip::font());

    m_animation->setTargetObject(this);
    m_animation->setDuration(M::kAnimationMs);
    connect(m_animation, &QAbstractAnimation::finished, this, [this] {
        if (m_active)
            Announce();
    });

    m_autoHide->setObjectName(QStringLiteral("autoHide"));
    m_autoHide->setSingleShot(true);
    m_autoHide->setInterval(M::kAutoHideMs);
    connect(m_autoHide, &QTimer::timeout, this, [this] { Dismiss(true); });
}

void TipPopup::Present(clsTooltip *owner, QWidget *control, const TooltipTool &look, bool centered,
                       bool transparent, const QString &text, const QPoint &cursor) {
    if (m_active)
        Dismiss(true);

    m_active = true;
    m_announced = false;
    m_owner = owner;
    m_control = control;
    m_look = look;
    m_centered = centered;
    m_text = text;
    m_cursor = cursor;

    // Window flags may only change while hidden; Dismiss has hidden it.
    const Qt::WindowFlags flags =
        Qt::ToolTip | (transparent ? Qt::WindowTransparentForInput : Qt::WindowFlags());
    if (windowFlags() != flags)
        setWindowFlags(flags);

    Arrange();
    m_controlGone = connect(control, &QObject::destroyed, this, [this] { Dismiss(true); });
    qApp->installEventFilter(this);
    m_autoHide->start();

    const QRect final = m_placement.geometry;
    const int mode = m_look.balloon ? 0 : m_look.showMode;
    const QRect start = ShowAnimationStart(final, mode);
    m_animation->stop();
    setGeometry(start);
    if (!(mode & kFadeIn) && start == final) {
        // No animation: the tip is announced before it appears, as it would
        // be had the animation run.
        Announce();
        if (m_active)
            show();
        return;
    }
    const bool fade = mode & kFadeIn;
    m_animation->setPropertyName(fade ? "windowOpacity" : "geometry");
    m_animation->setStartValue(fade ? QVariant(0.0) : QVariant(start));
    m_animation->setEndValue(fade ? QVariant(1.0) : QVariant(final));
    if (fade)
        setWindowOpacity(0.0);
    show();
    m_animation->start();
}

void TipPopup::Restyle(const TooltipTool &look, bool centered, const QString &text) {
    m_look = look;
    m_centered = centered;
    m_text = text;
    m_animation->stop();
    setWindowOpacity(1.0);
    Arrange();
    setGeometry(m_placement.geometry);
    update();
    if (!m_announced)
        Announce();
}

void TipPopup::Dismiss(bool announce) {
    if (!m_active)
        return;
    m_active = false;
    m_animation->stop();
    m_autoHide->stop();
    qApp->removeEventFilter(this);
    disconnect(m_controlGone);
    if (announce && m_announced && m_owner)
        emit m_owner->Hide();
    m_announced = false;
    hide();
    setWindowOpacity(1.0);
    m_owner = nullptr;
    m_control = nullptr;
}

void TipPopup::Announce() {
    m_announced = true;
    if (m_owner)
        emit m_owner->Show();
}

void TipPopup::Arrange() {
    m_layout = LayoutTip(m_look, m_text, QToolTip::font());
    QRect control;
    QScreen *screen = QGuiApplication::screenAt(m_cursor);
    if (m_control) {
        control = QRect(m_control->mapToGlobal(QPoint(0, 0)), m_control->size());
        if (!screen)
            screen = m_control->screen();
    }
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 32767, 32767);
    m_placement = PlaceTip(m_layout.bodySize, m_look.balloon, m_centered, m_cursor, control, available);

    if (m_look.balloon) {
        QBitmap shape(m_placement.geometry.size());
        shape.fill(Qt::color0);
        QPainter painter(&shape);
        painter.fillPath(BalloonPath(QRectF(m_placement.body)), Qt::color1);
        painter.end();
        setMask(shape);
    } else {
        clearMask();
        // A hidden window keeps its platform shape through clearMask; a
        // balloon's shape would clip the next rectangle.
        if (windowHandle())
            windowHandle()->setMask(QRegion());
    }
}

QPainterPath TipPopup::BalloonPath(const QRectF &body) const {
    QPainterPath outline;
    outline.addRoundedRect(body, M::kRadius, M::kRadius);
    const qreal x = m_placement.pointerX + 0.5;
    const qreal half = M::kPointerWidth / 2.0;
    QPolygonF pointer;
    if (m_placement.pointerAtTop)
        pointer << QPointF(x - half, body.top() + 1) << QPointF(x, body.top() - M::kPointerHeight)
                << QPointF(x + half, body.top() + 1);
    else
        pointer << QPointF(x - half, body.bottom() - 1) << QPointF(x, body.bottom() + M::kPointerHeight)
                << QPointF(x + half, body.bottom() - 1);
    QPainterPath stem;
    stem.addPolygon(pointer);
    stem.closeSubpath();
    return outline.united(stem).simplified();
}

void TipPopup::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QColor back = m_look.backColor;
    const QColor fore = m_look.foreColor;
    // A mid tone between text and background frames the tip without the
    // hardness of a black line, whatever colours the tool has.
    const QColor border = QColor::fromRgbF(fore.redF() * 0.45f + back.redF() * 0.55f,
                                           fore.greenF() * 0.45f + back.greenF() * 0.55f,
                                           fore.blueF() * 0.45f + back.blueF() * 0.55f);
    painter.fillRect(rect(), back);

    // While the tip rolls or expands open its contents stay where they will
    // end up; the growing window only uncovers them.
    painter.translate(m_placement.geometry.topLeft() - geometry().topLeft());
    const QRect body = m_placement.body;
    if (m_look.balloon) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(border, 1));
        painter.setBrush(back);
        painter.drawPath(BalloonPath(QRectF(body).adjusted(0.5, 0.5, -0.5, -0.5)));
        painter.setRenderHint(QPainter::Antialiasing, false);
    } else {
        painter.setPen(border);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(body.adjusted(0, 0, -1, -1));
    }

    painter.translate(body.topLeft());
    if (m_layout.icon != 0)
        style()->standardIcon(IconPixmap(m_layout.icon), nullptr, this).paint(&painter, m_layout.iconRect);
    painter.setPen(fore);
    if (!m_layout.title.isEmpty()) {
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.drawText(m_layout.titleRect, Qt::AlignLeft | Qt::AlignVCenter, m_layout.title);
        painter.setFont(font());
    }
    QRect line(m_layout.textRect.left(), m_layout.textRect.top(), m_layout.textRect.width(),
               m_layout.lineSpacing);
    for (const QString &text : m_layout.lines) {
        painter.drawText(line, int(m_layout.alignment | Qt::AlignTop), text);
        line.translate(0, m_layout.lineSpacing);
    }
}

bool TipPopup::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::Wheel:
        Dismiss(true);
        break;
    case QEvent::Leave:
    case QEvent::Hide:
        if (watched == m_control)
            Dismiss(true);
        break;
    case QEvent::WindowDeactivate:
        if (m_control && watched == m_control->window())
            Dismiss(true);
        break;
    default:
        break;
    }
    return false;
}

TipPopup *Tip() {
    return mdlTooltip::tipWindow;
}

} // namespace

QStringList WrapTipText(const QString &text, const QFontMetrics &metrics, int width) {
    if (text.isEmpty())
        return {};
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normal.replace(u'\r', u'\n');
    QStringList lines;
    for (const QString &paragraph : normal.split(u'\n')) {
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
    layout.icon = !layout.title.isEmpty() && look.icon >= 1 && look.icon <= 6 ? look.icon : 0;
    layout.lines = WrapTipText(text, metrics, look.width);
    layout.alignment = (look.alignment & 1)   ? Qt::AlignHCenter
                       : (look.alignment & 2) ? Qt::AlignRight
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

    // The point the tip hangs from when below, or stands on when above.
    QPoint below;
    QPoint above;
    if (centered) {
        below = QPoint(control.center().x(), control.bottom() + 1 + M::kControlGap);
        above = QPoint(control.center().x(), control.top() - M::kControlGap);
    } else {
        below = cursor + M::kCursorOffset;
        above = QPoint(cursor.x() + M::kCursorOffset.x(), cursor.y() - M::kControlGap);
    }
    if (balloon && !centered) {
        below.setX(cursor.x());
        above.setX(cursor.x());
    }

    int left;
    if (centered)
        left = control.left() + (control.width() - width) / 2;
    else if (balloon)
        left = below.x() - M::kPointerInset;
    else
        left = below.x();
    left = std::max(screen.left(), std::min(left, screen.right() + 1 - width));

    TipPlacement placement;
    int top = below.y();
    placement.pointerAtTop = true;
    if (top + height > screen.bottom() + 1) {
        top = above.y() - height;
        placement.pointerAtTop = false;
    }
    top = std::max(top, screen.top());

    placement.geometry = QRect(left, top, width, height);
    placement.body = QRect(0, balloon && placement.pointerAtTop ? stem : 0, width, bodySize.height());
    const int lowest = M::kRadius + M::kPointerWidth / 2;
    const int highest = width - 1 - lowest;
    placement.pointerX = lowest <= highest ? std::clamp(below.x() - left, lowest, highest) : width / 2;
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

clsTooltip::clsTooltip(QObject *parent) : QObject(parent) {
    if (!mdlTooltip::tipWindow)
        mdlTooltip::tipWindow = new TipPopup;
    ++mdlTooltip::instanceCount;
}

clsTooltip::~clsTooltip() {
    if (Tip() && Tip()->Owner() == this)
        Tip()->Dismiss(false);
    for (const TooltipTool &tool : m_tools) {
        if (tool.registered && tool.control)
            tool.control->removeEventFilter(this);
    }
    if (--mdlTooltip::instanceCount < 1) {
        mdlTooltip::instanceCount = 0;
        delete mdlTooltip::tipWindow;
        mdlTooltip::tipWindow = nullptr;
    }
}

bool clsTooltip::AddTool(QWidget *ToolObj, std::optional<QString> TOOLTIPTEXT,
                         std::optional<QColor> ForeColor, std::optional<QColor> BackColor, bool Baloon,
                         const QString &Title, int Icon, int ShowMode, int Margin, bool CenteredTooltip,
                         bool Transparent, int Alignment, int Width) {
    TooltipTool tool;
    tool.number = int(m_tools.size()) + 1;
    tool.id = reinterpret_cast<quintptr>(ToolObj);
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
    if (TooltipTool *previous = RegisteredRecord(ToolObj))
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
    if (TooltipTool *registration = RegisteredRecord(ToolObj)) {
        if (TOOLTIPTEXT)
            registration->text = TOOLTIPTEXT->isEmpty() ? std::nullopt : TOOLTIPTEXT;
        if (CenteredTooltip)
            registration->centered = *CenteredTooltip;
    }
    // The look lives in the first record, the one the tip is drawn from.
    if (TooltipTool *look = FirstRecord(ToolObj)) {
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
    TipPopup *tip = Tip();
    if (!tip || !tip->Active() || tip->Owner() != this || !tip->Control())
        return;
    QWidget *shown = tip->Control();
    const std::optional<QString> text = TextFor(shown);
    const TooltipTool *registration = RegisteredRecord(shown);
    const TooltipTool *look = FirstRecord(shown);
    if (!text || text->isEmpty() || !registration || !look)
        tip->Dismiss(true);
    else if (tip->Active() && tip->Control() == shown)
        tip->Restyle(*look, registration->centered, *text);
}

void clsTooltip::RemoveTool(QWidget *ToolObj) {
    TooltipTool *registration = RegisteredRecord(ToolObj);
    if (!registration)
        return;
    registration->registered = false;
    ToolObj->removeEventFilter(this);
    if (Tip() && Tip()->Active() && Tip()->Owner() == this && Tip()->Control() == ToolObj)
        Tip()->Dismiss(true);
}

bool clsTooltip::IsRegistered(const QWidget *control) const {
    return std::any_of(m_tools.cbegin(), m_tools.cend(), [control](const TooltipTool &tool) {
        return control && tool.registered && tool.control == control;
    });
}

const TooltipTool *clsTooltip::AppearanceOf(const QWidget *control) const {
    return const_cast<clsTooltip *>(this)->FirstRecord(control);
}

TooltipTool *clsTooltip::RegisteredRecord(const QWidget *control) {
    for (TooltipTool &tool : m_tools) {
        if (control && tool.registered && tool.control == control)
            return &tool;
    }
    return nullptr;
}

TooltipTool *clsTooltip::FirstRecord(const QWidget *control) {
    // A dead control's record keeps its id; a new widget at the same address
    // is not that control, so the record must also still point at it.
    const quintptr id = reinterpret_cast<quintptr>(control);
    for (TooltipTool &tool : m_tools) {
        if (control && tool.id == id && tool.control == control)
            return &tool;
    }
    return nullptr;
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

bool clsTooltip::ShowTipFor(QWidget *control, const QPoint &cursor) {
    TipPopup *tip = Tip();
    if (!tip)
        return false;
    if (tip->Active() && tip->Owner() == this && tip->Control() == control)
        return true; // resting again on the same control keeps its tip

    const std::optional<QString> text = TextFor(control);
    if (!text)
        return false;
    // The handler may have changed the list; look everything up afresh.
    const TooltipTool *registration = RegisteredRecord(control);
    const TooltipTool *look = FirstRecord(control);
    if (!registration || !look || text->isEmpty()) {
        tip->Dismiss(true); // an empty tool still takes the place of the last tip
        return false;
    }
    tip->Present(this, control, *look, registration->centered, registration->transparent, *text, cursor);
    return true;
}

std::optional<QString> clsTooltip::TextFor(QWidget *control) {
    const TooltipTool *registration = RegisteredRecord(control);
    if (!registration)
        return std::nullopt;
    if (registration->text)
        return registration->text;
    m_textBuffer.clear();
    QPointer<QWidget> guard = control;
    emit NeedText(control, m_textBuffer);
    // The handler may have removed the tool or destroyed the control.
    if (!guard || !RegisteredRecord(control))
        return std::nullopt;
    return m_textBuffer;
}

QWidget *clsTooltip::TipWindow() {
    return Tip();
}

int clsTooltip::InstanceCount() {
    return mdlTooltip::instanceCount;
}

QWidget *clsTooltip::TipControl() {
    return Tip() && Tip()->Active() ? Tip()->Control() : nullptr;
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
