#pragma once
// The product's message boxes on the desktop: its titles, its icons and Polish buttons ("Tak",
// "Nie", "Anuluj", "OK"), or the labels a dialog text names ("&Yes|&No|&Ignore").
#include "platform/UiServices.h"

#include <QStringList>

class QMessageBox;
class QWidget;

namespace pravik::widgets {

// A box not yet shown, so that tests and screenshots can look at it.
std::unique_ptr<QMessageBox> makeMessageBox(MessageIcon icon, const QString& title, const QString& text,
                                            const QStringList& labels, int defaultButton, QWidget* parent = nullptr);
// The Polish labels of a product box's buttons.
QStringList buttonLabels(Buttons buttons);
// The answer of the n-th button of such a box.
Answer answerAt(Buttons buttons, int index);

Answer showMessage(MessageIcon icon, const QString& title, const QString& text, Buttons buttons,
                   Answer defaultAnswer, QWidget* parent = nullptr);
// The 0-based index of the button pressed; closing the box counts as the last button.
int showChoice(MessageIcon icon, const QString& title, const QString& text, const QStringList& labels,
               int defaultButton, QWidget* parent = nullptr);

} // namespace pravik::widgets
