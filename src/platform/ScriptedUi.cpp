#include "platform/ScriptedUi.h"

#include "platform/BatchUi.h"

#include <QMutexLocker>

namespace pravik {

namespace {

QString iconName(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QStringLiteral("Information");
    case MessageIcon::Warning: return QStringLiteral("Warning");
    case MessageIcon::Question: return QStringLiteral("Question");
    case MessageIcon::Error: return QStringLiteral("Error");
    }
    return {};
}

class ScriptedProgress : public ProgressSink {
public:
    ScriptedProgress(ScriptedUi& owner, int cancelAtPoll) : owner_(owner), cancelAtPoll_(cancelAtPoll) {}

    void setText(const QString& text) override { owner_.recordProgressText(text); }
    void setPercent(int percent) override { owner_.recordPercent(percent); }

    bool cancelRequested() const override
    {
        ++polls_;
        return cancelAtPoll_ > 0 && polls_ >= cancelAtPoll_;
    }

private:
    ScriptedUi& owner_;
    int cancelAtPoll_;
    mutable int polls_ = 0;
};

} // namespace

ScriptedUi& ScriptedUi::answer(Answer reply)
{
    QMutexLocker lock(&mutex_);
    replies_.push_back(reply);
    return *this;
}

ScriptedUi& ScriptedUi::text(std::optional<QString> reply)
{
    QMutexLocker lock(&mutex_);
    replies_.push_back(TextReply{std::move(reply)});
    return *this;
}

ScriptedUi& ScriptedUi::date(std::optional<QDate> reply)
{
    QMutexLocker lock(&mutex_);
    replies_.push_back(DateReply{reply});
    return *this;
}

ScriptedUi& ScriptedUi::saveFile(std::optional<QString> reply)
{
    QMutexLocker lock(&mutex_);
    replies_.push_back(FileReply{std::move(reply)});
    return *this;
}

void ScriptedUi::cancelProgressAtPoll(int n)
{
    QMutexLocker lock(&mutex_);
    cancelAtPoll_ = qMax(0, n);
}

bool ScriptedUi::interactive() const
{
    // Nobody sits at a scripted run's screen.
    return false;
}

QList<ScriptedUi::Event> ScriptedUi::events() const
{
    QMutexLocker lock(&mutex_);
    return events_;
}

QStringList ScriptedUi::messageTexts() const
{
    QMutexLocker lock(&mutex_);
    QStringList texts;
    for (const Event& e : events_) {
        if (e.kind == Kind::Message || e.kind == Kind::Question)
            texts << e.text;
    }
    return texts;
}

QStringList ScriptedUi::messageLog() const
{
    QMutexLocker lock(&mutex_);
    QStringList lines;
    for (const Event& e : events_) {
        if (e.kind == Kind::Message || e.kind == Kind::Question)
            lines << iconName(e.icon) + u'|' + e.title + u'|' + e.text;
    }
    return lines;
}

QList<ScriptedUi::Event> ScriptedUi::unexpected() const
{
    QMutexLocker lock(&mutex_);
    QList<Event> found;
    for (const Event& e : events_) {
        if (e.kind == Kind::Unexpected)
            found << e;
    }
    return found;
}

QList<int> ScriptedUi::progressPercents() const
{
    QMutexLocker lock(&mutex_);
    return percents_;
}

QStringList ScriptedUi::progressTexts() const
{
    QMutexLocker lock(&mutex_);
    return progressTexts_;
}

int ScriptedUi::queuedReplies() const
{
    QMutexLocker lock(&mutex_);
    return int(replies_.size());
}

bool ScriptedUi::finishedCleanly() const
{
    return unexpected().isEmpty() && queuedReplies() == 0;
}

void ScriptedUi::clear()
{
    QMutexLocker lock(&mutex_);
    replies_.clear();
    events_.clear();
    percents_.clear();
    progressTexts_.clear();
    cancelAtPoll_ = 0;
}

void ScriptedUi::record(Event event)
{
    QMutexLocker lock(&mutex_);
    events_.append(std::move(event));
}

void ScriptedUi::recordPercent(int percent)
{
    QMutexLocker lock(&mutex_);
    percents_.append(percent);
}

void ScriptedUi::recordProgressText(const QString& text)
{
    QMutexLocker lock(&mutex_);
    progressTexts_.append(text);
}

template <typename T>
bool ScriptedUi::take(const QString& request, T& reply)
{
    {
        QMutexLocker lock(&mutex_);
        if (!replies_.empty() && std::holds_alternative<T>(replies_.front())) {
            reply = std::get<T>(replies_.front());
            replies_.pop_front();
            return true;
        }
    }
    const QString why = queuedReplies() == 0 ? QStringLiteral("unexpected request (nothing queued): ")
                                             : QStringLiteral("unexpected request (another reply queued first): ");
    record(Event{Kind::Unexpected, MessageIcon::Error, {}, why + request, Answer::Cancel});
    return false;
}

Answer ScriptedUi::message(MessageIcon icon, const QString& title, const QString& text, Buttons buttons,
                           Answer)
{
    if (buttons == Buttons::Ok) {
        record(Event{Kind::Message, icon, title, text, Answer::Ok});
        return Answer::Ok;
    }
    Answer queued = Answer::Cancel;
    const Answer reply = take(text, queued) ? fitAnswerToButtons(queued, buttons) : Answer::Cancel;
    record(Event{Kind::Question, icon, title, text, reply});
    return reply;
}

std::optional<QString> ScriptedUi::askText(const QString& title, const QString& prompt, const QString&)
{
    TextReply reply;
    take(prompt, reply);
    record(Event{Kind::TextRequest, MessageIcon::Question, title, prompt,
                 reply.value ? Answer::Ok : Answer::Cancel});
    return reply.value;
}

std::optional<QDate> ScriptedUi::askDate(const QString& caption, const QDate&)
{
    DateReply reply;
    take(caption, reply);
    record(Event{Kind::DateRequest, MessageIcon::Question, caption, {},
                 reply.value ? Answer::Ok : Answer::Cancel});
    return reply.value;
}

std::optional<QString> ScriptedUi::askSaveFile(const QString& caption, const QString& suggested, const QString&)
{
    FileReply reply;
    take(caption, reply);
    record(Event{Kind::FileRequest, MessageIcon::Question, caption, suggested,
                 reply.value ? Answer::Ok : Answer::Cancel});
    return reply.value;
}

void ScriptedUi::showWait(const QString& title, const QString& text)
{
    record(Event{Kind::WaitShown, MessageIcon::Information, title, text, Answer::Ok});
}

void ScriptedUi::hideWait()
{
    record(Event{Kind::WaitHidden, MessageIcon::Information, {}, {}, Answer::Ok});
}

std::unique_ptr<ProgressSink> ScriptedUi::openProgress(const QString& title)
{
    record(Event{Kind::ProgressOpened, MessageIcon::Information, title, {}, Answer::Ok});
    int cancelAt = 0;
    {
        QMutexLocker lock(&mutex_);
        cancelAt = cancelAtPoll_;
    }
    return std::make_unique<ScriptedProgress>(*this, cancelAt);
}

} // namespace pravik
