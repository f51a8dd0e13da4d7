// SPDX-License-Identifier: GPL-3.0-or-later
#include "carryresults.h"

#include "carriedresults.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>

#include <optional>

namespace quorvane {

namespace {

enum class Carried {
    AsShown,              // the result itself
    EstimatedTemperature, // the temperature the guide gives for the BMEP shown
};

struct CarryRow {
    const char *window;
    const char *box;
    PipeField field;
    Carried carried;
};

constexpr CarryRow kCarryRows[] = {
    {"frmPortArea", "txtPipeDiam", PipeField::PortWindowD, Carried::AsShown},
    {"frmInputCalc", "txtPTExh", PipeField::Timing, Carried::AsShown},
    {"frmInputCalc", "txtBMEPout", PipeField::Temp, Carried::EstimatedTemperature},
};

std::optional<QString> ValueOf(const CarryRow &row, const QString &shown) {
    const std::string text = shown.toStdString();
    const std::optional<std::string> value =
        row.carried == Carried::AsShown ? ResultAsInput(text) : EstimatedExhaustTemperatureText(text);
    if (!value)
        return std::nullopt;
    return QString::fromStdString(*value);
}

QString ActionText(const CarryRow &row, const std::optional<QString> &value) {
    const QString caption = QString::fromUtf8(FieldInfo(row.field).label).trimmed();
    QString text = QStringLiteral("Use in the &design as %1").arg(caption); // Undo takes U
    if (row.carried == Carried::EstimatedTemperature && value)
        text += QStringLiteral(" (estimated %1 \u00B0C)").arg(*value);
    return text;
}

} // namespace

void OfferResultsToDesign(QWidget *window, const UseInDesign &use) {
    for (const CarryRow &row : kCarryRows) {
        if (window->objectName() != QLatin1String(row.window))
            continue;
        auto *box = window->findChild<QLineEdit *>(QString::fromLatin1(row.box));
        if (!box)
            qFatal("No result box %s in %s to carry into the design", row.box, row.window);
        auto *action = new QAction(box);
        action->setObjectName(QStringLiteral("actUseInDesign"));
        const auto refresh = [box, action, row] {
            const std::optional<QString> value = ValueOf(row, box->text());
            action->setText(ActionText(row, value));
            action->setEnabled(value.has_value());
        };
        refresh();
        QObject::connect(box, &QLineEdit::textChanged, action, refresh);
        QObject::connect(action, &QAction::triggered, box, [box, row, use] {
            if (const std::optional<QString> value = ValueOf(row, box->text()))
                use(row.field, *value);
        });
        // The box's own menu (copy, select all) stays, below the new item.
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(box, &QWidget::customContextMenuRequested, box, [box, action](const QPoint &at) {
            QMenu *menu = box->createStandardContextMenu();
            menu->setAttribute(Qt::WA_DeleteOnClose);
            QAction *first = menu->actions().value(0);
            menu->insertAction(first, action);
            menu->insertSeparator(first);
            menu->popup(box->mapToGlobal(at));
        });
    }
}

} // namespace quorvane
