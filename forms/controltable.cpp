// SPDX-License-Identifier: GPL-3.0-or-later
#include "controltable.h"

#include "boxbehaviour.h"
#include "lookandfeel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <map>

namespace quorvane {

namespace {

QWidget *Make(const ControlRow &s, QWidget *parent) {
    const QString caption = QString::fromUtf8(s.caption);
    switch (s.kind) {
    case ControlRow::Kind::Label: {
        auto *l = new QLabel(caption, parent);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return l;
    }
    case ControlRow::Kind::Edit: {
        auto *e = new QLineEdit(parent);
        KeepToOneLine(e);
        SetBoxText(e, caption);
        return e;
    }
    case ControlRow::Kind::MultiLine:
    case ControlRow::Kind::MultiLineScroll: {
        auto *e = new QPlainTextEdit(caption, parent);
        e->setVerticalScrollBarPolicy(s.kind == ControlRow::Kind::MultiLineScroll ? Qt::ScrollBarAlwaysOn
                                                                                  : Qt::ScrollBarAlwaysOff);
        e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        e->setTabChangesFocus(true);
        return e;
    }
    case ControlRow::Kind::Button:
        return new QPushButton(caption, parent);
    case ControlRow::Kind::Check:
        return new QCheckBox(caption, parent);
    case ControlRow::Kind::Option:
        return new QRadioButton(caption, parent);
    case ControlRow::Kind::Combo:
        return new QComboBox(parent);
    case ControlRow::Kind::Frame:
        return new QGroupBox(caption, parent);
    case ControlRow::Kind::Picture:
        return new QWidget(parent);
    }
    return nullptr;
}

} // namespace

QHash<QString, QWidget *> BuildControls(QWidget *form, std::span<const ControlRow> table,
                                        std::initializer_list<QWidget *> prebuilt) {
    QHash<QString, QWidget *> controls;
    QHash<QString, QWidget *> given;
    for (QWidget *w : prebuilt)
        given.insert(w->objectName(), w);
    std::map<int, QWidget *> byTab;
    for (const ControlRow &s : table) {
        const QString name = QString::fromLatin1(s.name);
        QWidget *parent = *s.container ? controls.value(QString::fromLatin1(s.container), form) : form;
        QWidget *w = given.value(name);
        if (w)
            w->setParent(parent);
        else
            w = Make(s, parent);
        w->setObjectName(name);
        w->setFont(ControlFont());
        w->setGeometry(s.x, s.y, s.w, s.h);
        if (s.tab < 0)
            w->setFocusPolicy(Qt::NoFocus);
        else
            byTab.emplace(s.tab, w);
        controls.insert(name, w);
    }
    QWidget *previous = nullptr;
    for (const auto &[tab, w] : byTab) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
    return controls;
}

} // namespace quorvane
