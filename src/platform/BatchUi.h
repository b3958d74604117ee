#pragma once
// User services for the command line: messages become lines on stderr, questions are answered
// from options given in advance (--yes/--no, per-question answers), text, date and file requests
// take preset values. Nothing here ever waits for a keyboard.
#include "platform/UiServices.h"

#include <QList>
#include <QMutex>
#include <QPair>
#include <atomic>
#include <functional>

namespace pravik {

class BatchUi : public UiServices {
public:
    // Where each finished line goes; the default writes UTF-8 to stderr.
    using LineWriter = std::function<void(const QString& line)>;

    BatchUi();
    explicit BatchUi(LineWriter writer);

    // The answer to every question that no per-question answer covers. Without one a question
    // takes the default button of its box, as a user pressing Enter would.
    void setQuestionDefault(std::optional<Answer> answer);
    // The answer to questions whose text starts with the prefix; the longest matching prefix wins.
    void setAnswerFor(const QString& textPrefix, Answer answer);
    // Values for the requests of a batch run; nullopt makes the request come back cancelled.
    void setTextAnswer(std::optional<QString> text);
    void setDateAnswer(std::optional<QDate> date);
    void setSaveFileAnswer(std::optional<QString> path);
    // Verbose runs also print wait texts and progress percentages.
    void setVerbose(bool verbose);
    bool verbose() const;
    // A host may wire a signal handler to this; every open progress then reports cancel.
    void requestCancel();

    Answer message(MessageIcon icon, const QString& title, const QString& text, Buttons buttons,
                   Answer defaultAnswer) override;
    std::optional<QString> askText(const QString& title, const QString& prompt, const QString& initial) override;
    std::optional<QDate> askDate(const QString& caption, const QDate& initial) override;
    std::optional<QString> askSaveFile(const QString& caption, const QString& suggested,
                                       const QString& filter) override;
    void showWait(const QString& title, const QString& text) override;
    void hideWait() override;
    std::unique_ptr<ProgressSink> openProgress(const QString& title) override;
    bool interactive() const override { return false; }

    // Writes one line (control characters flattened) through the writer.
    void writeLine(const QString& line);

private:
    Answer chooseAnswer(const QString& text, Buttons buttons, Answer defaultAnswer) const;

    LineWriter writer_;
    mutable QMutex mutex_;
    std::optional<Answer> questionDefault_;
    QList<QPair<QString, Answer>> answersByPrefix_;
    std::optional<QString> textAnswer_;
    std::optional<QDate> dateAnswer_;
    std::optional<QString> saveFileAnswer_;
    bool verbose_ = false;
    std::shared_ptr<std::atomic<bool>> cancel_;
};

// The answer a box with the given buttons can give for the wanted one (Yes on an OK/Cancel box
// is OK, No on it is Cancel, Cancel on a Yes/No box is No, anything on an OK box is OK).
Answer fitAnswerToButtons(Answer wanted, Buttons buttons);
// The Polish label of an answer as a box shows it ("Tak", "Nie", "OK", "Anuluj").
QString answerLabel(Answer answer);

} // namespace pravik
