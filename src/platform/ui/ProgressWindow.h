#pragma once
// The progress window of a report run: the report's line, the percent line ("  42% Completed"),
// a bar and a cancel button. The frame feeds it between batches of rows; a press of the button
// (or Esc) is reported once to the next poll.
#include "platform/UiServices.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace pravik::widgets {

class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProgressWindow(const QString& title, QWidget* parent = nullptr);

    void setText(const QString& text);
    void setPercent(int percent);
    // True once per press of the cancel button.
    bool takeCancelRequest();
    int percent() const;
    QString text() const;

protected:
    void reject() override; // Esc and the close box ask to cancel; they never just close

private:
    QLabel* m_text = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_cancelRequested = false;
};

} // namespace pravik::widgets
