#pragma once
// Driving modal dialogs on the offscreen desktop: a timer waits for the dialog to come up (on a
// loaded machine that may take longer than any fixed delay), then the test reads and presses it.
#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace pravik::test {

// Polls until a modal dialog of the type is up, then acts on it.
template <typename Dialog>
void withDialogLater(const std::function<void(Dialog*)>& act, int attempts = 250)
{
    QTimer::singleShot(20, [act, attempts] {
        auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!d) {
            if (attempts > 0)
                withDialogLater<Dialog>(act, attempts - 1);
            else
                ADD_FAILURE() << "no dialog";
            return;
        }
        act(d);
    });
}

inline void clickButton(QWidget* dialog, const QString& buttonText)
{
    for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
        if (b->text() == buttonText) {
            b->click();
            return;
        }
    ADD_FAILURE() << "no button " << buttonText.toStdString();
}

} // namespace pravik::test
