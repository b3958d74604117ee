#pragma once
// User services for tests: every answer is queued in advance, everything shown is recorded in
// order. A request the script did not foresee is recorded as "unexpected" and cancelled, so a
// test that forgets a question fails on its checks instead of hanging or guessing.
#include "platform/UiServices.h"

#include <QList>
#include <QMutex>
#include <deque>
#include <variant>

namespace pravik {

class ScriptedUi : public UiServices {
public:
    enum class Kind {
        Message,    // a box with an OK button only
        Question,   // a box with a choice; answer holds what the script answered
        TextRequest,
        DateRequest,
        FileRequest,
        WaitShown,
        WaitHidden,
        ProgressOpened,
        Unexpected, // a request with no fitting answer queued; text names it
    };

    struct Event {
        Kind kind = Kind::Message;
        MessageIcon icon = MessageIcon::Information;
        QString title;
        QString text;
        Answer answer = Answer::Ok;
    };

    // What the next requests get, in the order they are queued. A request whose kind does not
    // match the front of the queue is unexpected and leaves the queue as it is.
    ScriptedUi& answer(Answer reply);
    ScriptedUi& text(std::optional<QString> reply);
    ScriptedUi& date(std::optional<QDate> reply);
    ScriptedUi& saveFile(std::optional<QString> reply);

    // Every progress window opened from now on asks to cancel at its n-th cancel poll (n >= 1);
    // 0 never cancels.
    void cancelProgressAtPoll(int n);

    QList<Event> events() const;
    // Texts of the boxes (messages and questions) in order.
    QStringList messageTexts() const;
    // "icon|title|text" per box, handy for comparing whole conversations.
    QStringList messageLog() const;
    QList<Event> unexpected() const;
    // Percentages given to progress windows, in order, as the frame passed them.
    QList<int> progressPercents() const;
    QStringList progressTexts() const;
    int queuedReplies() const;
    // No unexpected request and every queued reply consumed.
    bool finishedCleanly() const;
    void clear();

    Answer message(MessageIcon icon, const QString& title, const QString& text, Buttons buttons,
                   Answer defaultAnswer) override;
    std::optional<QString> askText(const QString& title, const QString& prompt, const QString& initial) override;
    std::optional<QDate> askDate(const QString& caption, const QDate& initial) override;
    std::optional<QString> askSaveFile(const QString& caption, const QString& suggested,
                                       const QString& filter) override;
    void showWait(const QString& title, const QString& text) override;
    void hideWait() override;
    std::unique_ptr<ProgressSink> openProgress(const QString& title) override;
    bool interactive() const override;

    // Used by the progress windows this object opens.
    void recordPercent(int percent);
    void recordProgressText(const QString& text);

private:
    struct TextReply { std::optional<QString> value; };
    struct DateReply { std::optional<QDate> value; };
    struct FileReply { std::optional<QString> value; };
    using Reply = std::variant<Answer, TextReply, DateReply, FileReply>;

    template <typename T> bool take(const QString& request, T& reply);
    void record(Event event);

    mutable QMutex mutex_;
    std::deque<Reply> replies_;
    QList<Event> events_;
    QList<int> percents_;
    QStringList progressTexts_;
    int cancelAtPoll_ = 0;
};

// Installs services for the calling thread (and as the process default) for one scope, and
// restores the batch default when it ends.
class ScopedUi {
public:
    explicit ScopedUi(UiServices& services) { setUi(&services); }
    ~ScopedUi() { setUi(nullptr); }
    ScopedUi(const ScopedUi&) = delete;
    ScopedUi& operator=(const ScopedUi&) = delete;
};

} // namespace pravik
