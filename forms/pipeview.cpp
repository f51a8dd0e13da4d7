// SPDX-License-Identifier: GPL-3.0-or-later
#include "pipeview.h"

#include "lookandfeel.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvane {

namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr int kMargin = 36; // room for the exit's arrow
constexpr double kDegreesPerPixel = 0.5;
const QColor kSteel(150, 170, 196);
const QColor kSteelTurned(196, 176, 146); // every second piece: the ones turned half a turn
const QColor kCentreline(60, 60, 60);
const QColor kExit(200, 40, 40);

Vec3 Unit(Vec3 v) {
    return (1 / Length(v)) * v;
}

} // namespace

PipeView::PipeView(Look look, const QString &caption) : m_look(look), m_caption(caption) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (look == Look::Orbit)
        setCursor(Qt::OpenHandCursor);
}

void PipeView::setDrawing(std::shared_ptr<const PipeDrawing> drawing) {
    m_drawing = std::move(drawing);
    update();
}

void PipeView::setMessage(const QString &message) {
    m_message = message;
    m_drawing.reset();
    update();
}

void PipeView::setOrbit(double yaw, double pitch) {
    m_yaw = std::remainder(yaw, 360.0);
    m_pitch = std::clamp(pitch, -89.0, 89.0);
    update();
}

std::array<Vec3, 3> PipeView::Basis() const {
    switch (m_look) {
    case Look::Side:
        return {Vec3{1, 0, 0}, Vec3{0, 0, 1}, Vec3{0, -1, 0}};
    case Look::Top:
        return {Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}};
    case Look::Orbit:
        break;
    }
    // The side view turned about the vertical, then tilted to look down.
    const double y = m_yaw * kDegree, p = m_pitch * kDegree;
    const Vec3 right{std::cos(y), std::sin(y), 0};
    const Vec3 level{std::sin(y), -std::cos(y), 0}; // towards the viewer before the tilt
    const Vec3 toViewer = std::cos(p) * level + std::sin(p) * Vec3{0, 0, 1};
    const Vec3 up = -std::sin(p) * level + std::cos(p) * Vec3{0, 0, 1};
    return {right, up, toViewer};
}

void PipeView::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(120, 120, 120));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(Qt::black);
    painter.drawText(QRect(8, 4, width() - 16, 20), Qt::AlignLeft | Qt::AlignVCenter, m_caption);
    if (!m_drawing || m_drawing->skin.triangles.empty()) {
        painter.drawText(rect().adjusted(kMargin, kMargin, -kMargin, -kMargin),
                         Qt::AlignCenter | Qt::TextWordWrap, m_message);
        return;
    }
    const PipeDrawing &d = *m_drawing;
    const auto [right, up, toViewer] = Basis();
    // Fit the drawing; the orbit fits its bounding sphere so turning does not rescale it.
    double left = HUGE_VAL, lowest = HUGE_VAL, rightmost = -HUGE_VAL, highest = -HUGE_VAL;
    Vec3 centre{};
    for (const Vec3 &v : d.skin.vertices)
        centre = centre + v;
    centre = (1.0 / d.skin.vertices.size()) * centre;
    double radius = 0;
    for (const Vec3 &v : d.skin.vertices) {
        const double x = Dot(v, right), y = Dot(v, up);
        left = std::min(left, x), rightmost = std::max(rightmost, x);
        lowest = std::min(lowest, y), highest = std::max(highest, y);
        radius = std::max(radius, Length(v - centre));
    }
    if (m_look == Look::Orbit) {
        left = Dot(centre, right) - radius, rightmost = Dot(centre, right) + radius;
        lowest = Dot(centre, up) - radius, highest = Dot(centre, up) + radius;
    }
    const QRectF area = QRectF(rect()).adjusted(kMargin, kMargin + 16, -kMargin, -kMargin);
    const double scale = std::min(area.width() / std::max(rightmost - left, 1e-9),
                                  area.height() / std::max(highest - lowest, 1e-9));
    const QPointF middle = area.center();
    const double midX = (left + rightmost) / 2, midY = (lowest + highest) / 2;
    auto screen = [&](Vec3 v) {
        return QPointF(middle.x() + (Dot(v, right) - midX) * scale, middle.y() - (Dot(v, up) - midY) * scale);
    };

    // Painter's order: the farthest faces first; faces turned away are hidden by the near ones.
    struct Face {
        double depth;
        std::size_t index;
    };
    std::vector<Face> faces;
    faces.reserve(d.skin.triangles.size());
    for (std::size_t i = 0; i < d.skin.triangles.size(); ++i) {
        const auto &t = d.skin.triangles[i];
        const Vec3 a = d.skin.vertices[t[0]], b = d.skin.vertices[t[1]], c = d.skin.vertices[t[2]];
        if (Dot(Cross(b - a, c - a), toViewer) <= 0)
            continue;
        faces.push_back({Dot(a + b + c, toViewer), i});
    }
    std::sort(faces.begin(), faces.end(), [](const Face &x, const Face &y) { return x.depth < y.depth; });
    const Vec3 light = Unit(0.8 * toViewer + 0.5 * up - 0.3 * right);
    for (const Face &f : faces) {
        const auto &t = d.skin.triangles[f.index];
        const Vec3 a = d.skin.vertices[t[0]], b = d.skin.vertices[t[1]], c = d.skin.vertices[t[2]];
        const double lit = 0.45 + 0.55 * std::max(0.0, Dot(Unit(Cross(b - a, c - a)), light));
        const QColor base =
            d.skin.pieceOf.size() > f.index && d.skin.pieceOf[f.index] % 2 ? kSteelTurned : kSteel;
        const QColor shade = QColor::fromRgbF(base.redF() * lit, base.greenF() * lit, base.blueF() * lit);
        const QPointF corners[] = {screen(a), screen(b), screen(c)};
        painter.setPen(QPen(shade, 1));
        painter.setBrush(shade);
        painter.drawPolygon(corners, 3);
    }

    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath centreline;
    for (std::size_t i = 0; i < d.centreline.size(); ++i)
        i == 0 ? centreline.moveTo(screen(d.centreline[i])) : centreline.lineTo(screen(d.centreline[i]));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(kCentreline, 1, Qt::DashLine));
    painter.drawPath(centreline);
    // The port and the exit, its direction as an arrow.
    const QPointF port = screen(d.centreline.front());
    painter.setPen(QPen(kCentreline, 1));
    painter.setBrush(kCentreline);
    painter.drawEllipse(port, 3, 3);
    const QPointF exit = screen(d.exit.position);
    const Vec3 ahead = d.exit.direction;
    const QPointF tip(exit.x() + 28 * Dot(ahead, right), exit.y() - 28 * Dot(ahead, up));
    painter.setPen(QPen(kExit, 2));
    painter.drawLine(exit, tip);
    painter.setBrush(kExit);
    painter.drawEllipse(tip, 3, 3);
}

void PipeView::mousePressEvent(QMouseEvent *event) {
    m_dragFrom = event->position().toPoint();
}

void PipeView::mouseMoveEvent(QMouseEvent *event) {
    if (m_look != Look::Orbit || !(event->buttons() & Qt::LeftButton))
        return;
    const QPoint now = event->position().toPoint();
    const QPoint moved = now - m_dragFrom;
    m_dragFrom = now;
    setOrbit(m_yaw - moved.x() * kDegreesPerPixel, m_pitch + moved.y() * kDegreesPerPixel);
}

} // namespace quorvane
