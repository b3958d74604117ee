#pragma once
// Every interaction with the user goes through this interface. Three implementations:
// Qt widgets (desktop), batch (command line: messages to stderr, answers from options) and
// scripted (tests: answers queued in advance, everything shown is recorded).
#include <QDate>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QPrinter;

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

    // ---- windows of the report runs; the defaults (UiServices.cpp) suit a run without a screen ----
    // A box whose buttons carry the given labels ("&Yes", "&No", "&Ignore"); the 0-based index of
    // the button pressed. The default asks two buttons as Yes/No and three as Yes/No/Cancel, so
    // the third button is the Cancel answer (and a scripted Cancel presses it).
    virtual int choose(MessageIcon icon, const QString& title, const QString& text, const QStringList& buttons,
                       int defaultButton = 0);
    // Shows a finished page spool in the preview; false when there is no screen to show it on.
    // *printed (may be null) tells whether the user printed it from there.
    virtual bool showPreview(const QString& spoolPath, const QString& title, const QString& settingsKey, int copies,
                             bool* printed);
    // Shows a text file with a Print button; false when there is no screen. *print is set to
    // whether the user pressed Print.
    virtual bool showText(const QString& title, const QString& path, bool* print);
    // One entry of a list; nullopt when cancelled or there is no screen.
    virtual std::optional<QString> pickItem(const QString& title, const QStringList& items, const QString& current);
    // The printer dialog; false when cancelled or there is no screen.
    virtual bool choosePrinter(QPrinter& printer, const QString& title);
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
