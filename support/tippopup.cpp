// SPDX-License-Identifier: GPL-3.0-or-later
#include "tippopup.h"

#include <QApplication>
#include <QBitmap>
#include <QEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

namespace quorvane {

namespace {

using M = TipMetrics;

QStyle::StandardPixmap IconPixmap(int icon) {
    switch (icon) {
    case kWarningIcon:
    case kLargeWarningIcon:
        return QStyle::SP_MessageBoxWarning;
    case kErrorIcon:
    case kLargeErrorIcon:
        return QStyle::SP_MessageBoxCritical;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
}

} // namespace

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

bool TipPopup::isAnimating() const {
    return m_animation->state() == QAbstractAnimation::Running;
}

void TipPopup::Present(clsTooltip *owner, QWidget *control, const TooltipTool &tool, const QPoint &cursor) {
    Dismiss(true);
    m_active = true;
    m_owner = owner;
    m_control = control;
    m_tool = tool;
    m_cursor = cursor;

    // Window flags may only change while hidden; Dismiss has hidden it.
    const Qt::WindowFlags flags =
        Qt::ToolTip | (tool.transparent ? Qt::WindowTransparentForInput : Qt::WindowFlags());
    if (windowFlags() != flags)
        setWindowFlags(flags);

    Arrange();
    m_controlGone = connect(control, &QObject::destroyed, this, [this] { Dismiss(true); });
    qApp->installEventFilter(this);
    m_autoHide->start();

    const QRect final = m_placement.geometry;
    const int mode = tool.balloon ? 0 : tool.showMode;
    const QRect start = ShowAnimationStart(final, mode);
    setGeometry(start);
    const bool fade = mode & kFadeIn;
    if (!fade && start == final) {
        // No animation: the tip is announced before it appears, as it would
        // be had the animation run.
        Announce();
        if (m_active)
            show();
        return;
    }
    m_animation->setPropertyName(fade ? "windowOpacity" : "geometry");
    m_animation->setStartValue(fade ? QVariant(0.0) : QVariant(start));
    m_animation->setEndValue(fade ? QVariant(1.0) : QVariant(final));
    if (fade)
        setWindowOpacity(0.0);
    show();
    m_animation->start();
}

void TipPopup::Restyle(const TooltipTool &tool) {
    m_tool = tool;
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
    m_layout = LayoutTip(m_tool, m_tool.text.value_or(QString()), QToolTip::font());
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
    m_placement = PlaceTip(m_layout.bodySize, m_tool.balloon, m_tool.centered, m_cursor, control, available);

    if (m_tool.balloon) {
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
    // The stem overlaps the body by a pixel so that the union has no seam.
    const qreal base = m_placement.pointerAtTop ? body.top() + 1 : body.bottom() - 1;
    const qreal tip =
        m_placement.pointerAtTop ? body.top() - M::kPointerHeight : body.bottom() + M::kPointerHeight;
    QPainterPath stem;
    stem.addPolygon(QPolygonF{QPointF(x - half, base), QPointF(x, tip), QPointF(x + half, base)});
    stem.closeSubpath();
    return outline.united(stem).simplified();
}

void TipPopup::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QColor back = m_tool.backColor;
    const QColor fore = m_tool.foreColor;
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
    if (m_tool.balloon) {
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
    if (m_layout.icon != kNoIcon)
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

} // namespace quorvane
