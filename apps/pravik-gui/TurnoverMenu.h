#pragma once
// The turnover statements in the desktop host's "Wydruki" menu: the four statements the turnover
// window produces, each opening "Parametry wydruku" for its kind.
class QMenu;

namespace pravik::gui {

void addTurnoverActions(QMenu* menu);

} // namespace pravik::gui
