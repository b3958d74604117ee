#pragma once
// Every interaction with the user goes through this interface. Three implementations:
// Qt widgets (desktop), batch (command line: messages to stderr, answers from options) and
// scripted (tests: answers queued in advance, everything shown is recorded).
#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace pravik {

// Titles of the product's message boxes.
inline const QString kTitleInformation = QStringLiteral("Tabulo: Informacja");
inline const QString kTitleWarning = QStringLiteral("Tabulo: Ostrzeżenie");
inline const QString kTitleQuestion = QStringLiteral("Tabulo: Pytanie");

enum class MessageIcon { Information, Warning, Question, Error };
enum class Answer { Ok, Yes, No, Cancel };
enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };

// A long run shows its progress; the frame feeds it and polls for cancel.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void setText(const QString& text) = 0;
    // percent 0..100; implementations redraw only when the value changes
    virtual void setPercent(int percent) = 0;
    virtual bool cancelRequested() const = 0;
};

class UiServices {
public:
    virtual ~UiServices() = default;

    virtual Answer message(MessageIcon icon, const QString& title, const QString& text,
                           Buttons buttons = Buttons::Ok, Answer defaultAnswer = Answer::Ok) = 0;
    // A line of text (variant names and the like); nullopt when cancelled.
    virtual std::optional<QString> askText(const QString& title, const QString& prompt,
                                           const QString& initial) = 0;
    // A date from the calendar; nullopt when cancelled.
    virtual std::optional<QDate> askDate(const QString& caption, const QDate& initial) = 0;
    // A file to write; nullopt when cancelled.
    virtual std::optional<QString> askSaveFile(const QString& caption, const QString& suggested,
                                               const QString& filter) = 0;
    // A window that says work is going on, with the report's prompts; closed by reset().
    virtual void showWait(const QString& title, const QString& text) = 0;
    virtual void hideWait() = 0;
    virtual std::unique_ptr<ProgressSink> openProgress(const QString& title) = 0;
    // Whether this implementation can show windows (preview, pickers).
    virtual bool interactive() const = 0;
};

// The services in use on this thread's module (never null: batch services by default).
UiServices& ui();
// Installs services; the caller keeps ownership; null restores the batch default.
void setUi(UiServices* services);

// The product's information and warning boxes.
void msgInformation(const QString& text);
void msgWarning(const QString& text);
Answer msgQuestion(const QString& text, Buttons buttons = Buttons::YesNo, Answer defaultAnswer = Answer::Yes);

} // namespace pravik
