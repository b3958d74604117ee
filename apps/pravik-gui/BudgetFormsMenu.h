#pragma once
// The budget forms of the session's unit in a desktop menu: one submenu per form (its predefined
// statement group) with the statement window, "Dane nagłówkowe wydruku" and the two exports.
#include <QString>
#include <functional>

class QMenu;

namespace pravik::gui {

// openForm opens the statement window on a form's first section (statement id, group name);
// without it that entry is shown disabled.
void addBudgetFormsActions(QMenu* menu, std::function<void(qint64 statementId, const QString& name)> openForm = {});

} // namespace pravik::gui
