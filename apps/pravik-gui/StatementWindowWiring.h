#pragma once
// Connects the statement window to the desktop's other windows: its "Lista pozycji" button opens
// "Lista pozycji raportu", and a budget form hands over to its header window and to the two
// exports. Called once when the desktop starts, before any statement window opens.

namespace pravik::gui {

void connectStatementWindows();

} // namespace pravik::gui
