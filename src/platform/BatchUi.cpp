#include "platform/BatchUi.h"

#include "platform/PrintableText.h"

#include <QMutexLocker>
#include <cstdio>

namespace pravik {

namespace {

void writeToStderr(const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

// One message is one line of the log, whatever line breaks the text carries; other characters
// that would steer the terminal are shown as escapes.
QString flattened(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text)
        out += (c.unicode() < 32 && c.unicode() != 0x1B) ? QChar(u' ') : c;
    return printableText(out);
}

class BatchProgress : public ProgressSink {
public:
    BatchProgress(BatchUi& owner, QString title, bool verbose, std::shared_ptr<std::atomic<bool>> cancel)
        : owner_(owner), title_(std::move(title)), verbose_(verbose), cancel_(std::move(cancel))
    {
    }

    void setText(const QString& text) override
    {
        if (verbose_ && text != text_)
            owner_.writeLine(title_ + QStringLiteral(": ") + text);
        text_ = text;
    }

    void setPercent(int percent) override
    {
        percent = qBound(0, percent, 100);
        if (percent == percent_)
            return;
        percent_ = percent;
        if (verbose_)
            owner_.writeLine(title_ + QStringLiteral(": ") + QString::number(percent) + u'%');
    }

    bool cancelRequested() const override { return cancel_->load(); }

private:
    BatchUi& owner_;
    QString title_;
    QString text_;
    bool verbose_;
    int percent_ = -1;
    std::shared_ptr<std::atomic<bool>> cancel_;
};

} // namespace

Answer fitAnswerToButtons(Answer wanted, Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return (wanted == Answer::Ok || wanted == Answer::Yes) ? Answer::Ok : Answer::Cancel;
    case Buttons::YesNo:
        return (wanted == Answer::Ok || wanted == Answer::Yes) ? Answer::Yes : Answer::No;
    case Buttons::YesNoCancel:
        return wanted == Answer::Ok ? Answer::Yes : wanted;
    }
    return wanted;
}

QString answerLabel(Answer answer)
{
    switch (answer) {
    case Answer::Ok: return QStringLiteral("OK");
    case Answer::Yes: return QStringLiteral("Tak");
    case Answer::No: return QStringLiteral("Nie");
    case Answer::Cancel: return QStringLiteral("Anuluj");
    }
    return {};
}

BatchUi::BatchUi() : BatchUi(LineWriter(writeToStderr)) {}

BatchUi::BatchUi(LineWriter writer)
    : writer_(writer ? std::move(writer) : LineWriter(writeToStderr)),
      cancel_(std::make_shared<std::atomic<bool>>(false))
{
}

void BatchUi::setQuestionDefault(std::optional<Answer> answer)
{
    QMutexLocker lock(&mutex_);
    questionDefault_ = answer;
}

void BatchUi::setAnswerFor(const QString& textPrefix, Answer answer)
{
    QMutexLocker lock(&mutex_);
    for (auto& entry : answersByPrefix_) {
        if (entry.first == textPrefix) {
            entry.second = answer;
            return;
        }
    }
    answersByPrefix_.append({textPrefix, answer});
}

void BatchUi::setTextAnswer(std::optional<QString> text)
{
    QMutexLocker lock(&mutex_);
    textAnswer_ = std::move(text);
}

void BatchUi::setDateAnswer(std::optional<QDate> date)
{
    QMutexLocker lock(&mutex_);
    dateAnswer_ = date;
}

void BatchUi::setSaveFileAnswer(std::optional<QString> path)
{
    QMutexLocker lock(&mutex_);
    saveFileAnswer_ = std::move(path);
}

void BatchUi::setVerbose(bool verbose)
{
    QMutexLocker lock(&mutex_);
    verbose_ = verbose;
}

bool BatchUi::verbose() const
{
    QMutexLocker lock(&mutex_);
    return verbose_;
}

void BatchUi::requestCancel()
{
    cancel_->store(true);
}

void BatchUi::writeLine(const QString& line)
{
    writer_(flattened(line));
}

Answer BatchUi::chooseAnswer(const QString& text, Buttons buttons, Answer defaultAnswer) const
{
    QMutexLocker lock(&mutex_);
    const QPair<QString, Answer>* best = nullptr;
    for (const auto& entry : answersByPrefix_) {
        if (text.startsWith(entry.first) && (!best || entry.first.size() > best->first.size()))
            best = &entry;
    }
    const Answer wanted = best ? best->second : questionDefault_.value_or(defaultAnswer);
    return fitAnswerToButtons(wanted, buttons);
}

Answer BatchUi::message(MessageIcon, const QString& title, const QString& text, Buttons buttons,
                        Answer defaultAnswer)
{
    if (buttons == Buttons::Ok) {
        writeLine(title + QStringLiteral(": ") + text);
        return Answer::Ok;
    }
    const Answer answer = chooseAnswer(text, buttons, defaultAnswer);
    writeLine(title + QStringLiteral(": ") + text + QStringLiteral(" -> ") + answerLabel(answer));
    return answer;
}

std::optional<QString> BatchUi::askText(const QString& title, const QString& prompt, const QString&)
{
    std::optional<QString> answer;
    {
        QMutexLocker lock(&mutex_);
        answer = textAnswer_;
    }
    if (!answer)
        writeLine(title + QStringLiteral(": ") + prompt + QStringLiteral(" -> ") + answerLabel(Answer::Cancel));
    return answer;
}

std::optional<QDate> BatchUi::askDate(const QString&, const QDate&)
{
    QMutexLocker lock(&mutex_);
    return dateAnswer_;
}

std::optional<QString> BatchUi::askSaveFile(const QString&, const QString&, const QString&)
{
    QMutexLocker lock(&mutex_);
    return saveFileAnswer_;
}

void BatchUi::showWait(const QString& title, const QString& text)
{
    if (verbose())
        writeLine(title.isEmpty() ? text : title + QStringLiteral(": ") + text);
}

void BatchUi::hideWait() {}

std::unique_ptr<ProgressSink> BatchUi::openProgress(const QString& title)
{
    return std::make_unique<BatchProgress>(*this, title, verbose(), cancel_);
}

} // namespace pravik
