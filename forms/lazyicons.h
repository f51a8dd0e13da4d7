// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QList>
#include <QSize>

#include <functional>

class QStyle;

namespace quorvane {

// An icon whose pictures are made when something first draws or measures
// it. The first image Qt reads without being told its format makes it load
// every image plugin it has (SVG, JPEG and the rest) to ask which one reads
// it: at start that took longer than building the main window, for icons
// nobody had looked at yet. `sizes`, when known, are answered without making
// the pictures.
QIcon LazyIcon(std::function<QIcon()> make, QList<QSize> sizes = {});

// `base` (owned by the result), whose standard icons (the menu bar's
// overflow arrow, the dialogs' pictures) are lazy icons.
QStyle *WithLazyStandardIcons(QStyle *base);

} // namespace quorvane
