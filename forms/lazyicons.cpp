// SPDX-License-Identifier: GPL-3.0-or-later
#include "lazyicons.h"

#include <QIconEngine>
#include <QPainter>
#include <QProxyStyle>

#include <optional>

namespace quorvane {

namespace {

class LazyIconEngine : public QIconEngine {
  public:
    LazyIconEngine(std::function<QIcon()> make, QList<QSize> sizes)
        : m_make(std::move(make)), m_sizes(std::move(sizes)) {}

    QIconEngine *clone() const override { return new LazyIconEngine(*this); }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return m_sizes.isEmpty() ? Made().availableSizes(mode, state) : m_sizes;
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        return Made().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        return Made().pixmap(size, mode, state);
    }
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override {
        Made().paint(painter, rect, Qt::AlignCenter, mode, state);
    }

  private:
    const QIcon &Made() {
        if (!m_icon)
            m_icon = m_make();
        return *m_icon;
    }

    std::function<QIcon()> m_make;
    QList<QSize> m_sizes;
    std::optional<QIcon> m_icon;
};

class LazyStandardIcons : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    // Made later, the icon cannot keep the option and widget it was asked
    // with: standard icons do not depend on them in the styles we use.
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *, const QWidget *) const override {
        return LazyIcon([this, icon] { return QProxyStyle::standardIcon(icon, nullptr, nullptr); });
    }
};

} // namespace

QIcon LazyIcon(std::function<QIcon()> make, QList<QSize> sizes) {
    return QIcon(new LazyIconEngine(std::move(make), std::move(sizes)));
}

QStyle *WithLazyStandardIcons(QStyle *base) {
    return new LazyStandardIcons(base);
}

} // namespace quorvane
