// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QWidget>

#include <initializer_list>
#include <span>

namespace quorvane {

// A window's fixed layout as one readable table: every control with its
// kind, name (its objectName), caption, place in its container and tab position.
struct ControlRow {
    enum class Kind { Label, Edit, MultiLine, MultiLineScroll, Button, Check, Option, Combo, Picture, Frame };
    Kind kind;
    const char *name;
    const char *caption; // label, button or frame caption; initial text of an edit
    int x, y, w, h;
    int tab = -1;               // focus order; -1 for controls that never take the focus
    const char *container = ""; // name of the frame the control sits in; empty: the window
};

// Builds the table's controls on `form`. Widgets the form made itself (its
// pictures) are passed in `prebuilt` by name and only placed. Controls take
// the focus in the order of their tab positions.
QHash<QString, QWidget *> BuildControls(QWidget *form, std::span<const ControlRow> table,
                                        std::initializer_list<QWidget *> prebuilt = {});

// The control of a built table, typed. A name missing from the table, or a
// control of another kind, is a slip in the window's code: it ends the
// program at once, in every build, rather than leaving a null to crash later.
template <class T> T *Control(const QHash<QString, QWidget *> &controls, const char *name) {
    auto *w = qobject_cast<T *>(controls.value(QString::fromLatin1(name)));
    if (!w)
        qFatal("No control %s of the expected kind in the window's table", name);
    return w;
}

} // namespace quorvane
