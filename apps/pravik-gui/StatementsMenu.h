#pragma once
// The desktop host's "Zestawienia" menu: the company's user-defined statements, a submenu per
// group in the printout's order, each opening "Parametry zestawienia". The menu is filled anew
// each time it opens, so statements defined meanwhile appear.
#include <functional>

class QMenu;
class QWidget;

namespace pravik::gui {

// Adds the menu to `parent` and returns it.
QMenu* addStatementsMenu(QMenu* parent);

// Entries of other windows (the budget forms) for the same menu: `fill` is called after the
// statements each time the menu is filled, with the menu to add its actions to.
void addStatementsMenuEntries(std::function<void(QMenu*)> fill);

} // namespace pravik::gui
