#include "platform/ui/MessageBoxes.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace pravik::widgets {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QStringList buttonLabels(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return {QStringLiteral("OK")};
    case Buttons::YesNo:
        return {QStringLiteral("&Tak"), QStringLiteral("&Nie")};
    case Buttons::YesNoCancel:
        return {QStringLiteral("&Tak"), QStringLiteral("&Nie"), QStringLiteral("&Anuluj")};
    case Buttons::OkCancel:
        return {QStringLiteral("OK"), QStringLiteral("&Anuluj")};
    }
    return {QStringLiteral("OK")};
}

Answer answerAt(Buttons buttons, int index)
{
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        return index == 0 ? Answer::Yes : Answer::No;
    case Buttons::YesNoCancel:
        return index == 0 ? Answer::Yes : index == 1 ? Answer::No : Answer::Cancel;
    case Buttons::OkCancel:
        return index == 0 ? Answer::Ok : Answer::Cancel;
    }
    return Answer::Ok;
}

std::unique_ptr<QMessageBox> makeMessageBox(MessageIcon icon, const QString& title, const QString& text,
                                            const QStringList& labels, int defaultButton, QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setIcon(boxIcon(icon));
    box->setWindowTitle(title);
    box->setText(text);
    const QStringList shown = labels.isEmpty() ? QStringList{QStringLiteral("OK")} : labels;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        // The last button of a choice is the one Esc and the close box press.
        const auto role = i == shown.size() - 1 && shown.size() > 1 ? QMessageBox::RejectRole : QMessageBox::AcceptRole;
        QPushButton* b = box->addButton(shown[i], role);
        if (i == defaultButton)
            box->setDefaultButton(b);
        if (role == QMessageBox::RejectRole || shown.size() == 1)
            box->setEscapeButton(b);
    }
    return box;
}

int showChoice(MessageIcon icon, const QString& title, const QString& text, const QStringList& labels,
               int defaultButton, QWidget* parent)
{
    auto box = makeMessageBox(icon, title, text, labels, defaultButton, parent);
    box->exec();
    const int index = int(box->buttons().indexOf(box->clickedButton()));
    // buttons() is in layout order; find the pressed one by its label instead.
    QAbstractButton* clicked = box->clickedButton();
    if (!clicked)
        return qMax(0, int(labels.size()) - 1);
    const qsizetype byLabel = labels.indexOf(clicked->text());
    return byLabel >= 0 ? int(byLabel) : qMax(0, index);
}

Answer showMessage(MessageIcon icon, const QString& title, const QString& text, Buttons buttons,
                   Answer defaultAnswer, QWidget* parent)
{
    const QStringList labels = buttonLabels(buttons);
    int defaultIndex = 0;
    for (int i = 0; i < labels.size(); ++i)
        if (answerAt(buttons, i) == defaultAnswer)
            defaultIndex = i;
    return answerAt(buttons, showChoice(icon, title, text, labels, defaultIndex, parent));
}

} // namespace pravik::widgets
