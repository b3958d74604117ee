#pragma once
// The user services of the desktop: Qt widgets with the product's titles and Polish buttons.
// Every call may come from a report running on a thread of its own; the windows themselves are
// always made and shown on the application's thread, and the calling thread waits for them.
#include "platform/UiServices.h"

#include <QPointer>

class QWidget;

namespace pravik {

namespace widgets {
class WaitWindow;
}

class QtUi : public UiServices {
public:
    // parent: the window the dialogs belong to (may be null).
    explicit QtUi(QWidget* parent = nullptr);
    ~QtUi() override;

    Answer message(MessageIcon icon, const QString& title, const QString& text, Buttons buttons,
                   Answer defaultAnswer) override;
    int choose(MessageIcon icon, const QString& title, const QString& text, const QStringList& buttons,
               int defaultButton) override;
    std::optional<QString> askText(const QString& title, const QString& prompt, const QString& initial) override;
    // The calendar (KALENDARZ).
    std::optional<QDate> askDate(const QString& caption, const QDate& initial) override;
    std::optional<QString> askSaveFile(const QString& caption, const QString& suggested,
                                       const QString& filter) override;
    void showWait(const QString& title, const QString& text) override;
    void hideWait() override;
    std::unique_ptr<ProgressSink> openProgress(const QString& title) override;
    bool interactive() const override { return true; }

    bool showPreview(const QString& spoolPath, const QString& title, const QString& settingsKey, int copies,
                     bool* printed) override;
    bool showText(const QString& title, const QString& path, bool* print) override;
    std::optional<QString> pickItem(const QString& title, const QStringList& items, const QString& current) override;
    // The printer dialog, titled "Wybierz Drukarkę" unless another title is given.
    bool choosePrinter(QPrinter& printer, const QString& title) override;

    // The wait window while it is shown (tests).
    widgets::WaitWindow* waitWindow() const;

private:
    QPointer<QWidget> m_parent;
    QPointer<widgets::WaitWindow> m_wait;
};

// Runs fn on the application's thread and waits for it (directly when already there).
void runOnGuiThread(const std::function<void()>& fn);

} // namespace pravik
