#include "platform/QtUi.h"

#include "platform/report/PreviewWindow.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/MessageBoxes.h"
#include "platform/ui/ProgressWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QThread>

#include <atomic>

namespace pravik {

void runOnGuiThread(const std::function<void()>& fn)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        fn();
        return;
    }
    QMetaObject::invokeMethod(app, fn, Qt::BlockingQueuedConnection);
}

namespace {

// The progress window seen from the frame; usable from any thread.
class QtProgress : public ProgressSink {
public:
    explicit QtProgress(const QString& title)
    {
        runOnGuiThread([&] {
            m_window = new widgets::ProgressWindow(title);
            m_window->setAttribute(Qt::WA_DeleteOnClose, false);
            m_window->show();
        });
    }
    ~QtProgress() override
    {
        QPointer<widgets::ProgressWindow> w = m_window;
        runOnGuiThread([w] { delete w.data(); });
    }
    void setText(const QString& text) override
    {
        QPointer<widgets::ProgressWindow> w = m_window;
        runOnGuiThread([w, text] {
            if (w)
                w->setText(text);
        });
    }
    void setPercent(int percent) override
    {
        QPointer<widgets::ProgressWindow> w = m_window;
        runOnGuiThread([w, percent] {
            if (w) {
                w->setPercent(percent);
                w->repaint();
            }
        });
    }
    bool cancelRequested() const override
    {
        bool requested = false;
        QPointer<widgets::ProgressWindow> w = m_window;
        runOnGuiThread([&] {
            if (w)
                requested = w->takeCancelRequest();
        });
        return requested;
    }

private:
    QPointer<widgets::ProgressWindow> m_window;
};

QString dialogFilter(const QString& filter)
{
    // "Text|*.TXT|All Files|*.*" as the old file dialogs took it, or Qt's own form as it is.
    if (!filter.contains(u'|'))
        return filter;
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        out << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(u';', u' '));
    return out.join(QStringLiteral(";;"));
}

} // namespace

QtUi::QtUi(QWidget* parent) : m_parent(parent) {}

QtUi::~QtUi()
{
    delete m_wait.data();
}

Answer QtUi::message(MessageIcon icon, const QString& title, const QString& text, Buttons buttons, Answer defaultAnswer)
{
    Answer answer = Answer::Ok;
    runOnGuiThread([&] { answer = widgets::showMessage(icon, title, text, buttons, defaultAnswer, m_parent); });
    return answer;
}

int QtUi::choose(MessageIcon icon, const QString& title, const QString& text, const QStringList& buttons,
                 int defaultButton)
{
    int index = 0;
    runOnGuiThread([&] { index = widgets::showChoice(icon, title, text, buttons, defaultButton, m_parent); });
    return index;
}

std::optional<QString> QtUi::askText(const QString& title, const QString& prompt, const QString& initial)
{
    std::optional<QString> result;
    runOnGuiThread([&] {
        QInputDialog dialog(m_parent);
        dialog.setWindowTitle(title);
        dialog.setLabelText(prompt);
        dialog.setTextValue(initial);
        dialog.setOkButtonText(QStringLiteral("OK"));
        dialog.setCancelButtonText(QStringLiteral("&Anuluj"));
        if (dialog.exec() == QDialog::Accepted)
            result = dialog.textValue();
    });
    return result;
}

std::optional<QDate> QtUi::askDate(const QString& caption, const QDate& initial)
{
    std::optional<QDate> result;
    runOnGuiThread([&] {
        widgets::CalendarDialog dialog(caption, initial, m_parent);
        if (dialog.exec() == QDialog::Accepted)
            result = dialog.selectedDate();
    });
    return result;
}

std::optional<QString> QtUi::askSaveFile(const QString& caption, const QString& suggested, const QString& filter)
{
    std::optional<QString> result;
    runOnGuiThread([&] {
        const QString path = QFileDialog::getSaveFileName(m_parent, caption, suggested, dialogFilter(filter));
        if (!path.isEmpty())
            result = path;
    });
    return result;
}

void QtUi::showWait(const QString& title, const QString& text)
{
    runOnGuiThread([&] {
        if (!m_wait)
            m_wait = new widgets::WaitWindow(m_parent);
        m_wait->setPrompt(title, text);
        m_wait->show();
        m_wait->repaint();
    });
}

void QtUi::hideWait()
{
    runOnGuiThread([&] {
        if (m_wait)
            m_wait->hide();
        // Keys typed while the data was prepared are not meant for the next window.
        QCoreApplication::removePostedEvents(nullptr, QEvent::KeyPress);
    });
}

widgets::WaitWindow* QtUi::waitWindow() const
{
    return m_wait && m_wait->isVisible() ? m_wait.data() : nullptr;
}

std::unique_ptr<ProgressSink> QtUi::openProgress(const QString& title)
{
    return std::make_unique<QtProgress>(title);
}

bool QtUi::showPreview(const QString& spoolPath, const QString& title, const QString& settingsKey, int copies,
                       bool* printed)
{
    bool shown = false;
    runOnGuiThread([&] {
        report::PreviewWindow preview(spoolPath, title, settingsKey, copies, m_parent);
        if (!preview.isValid()) {
            widgets::showMessage(MessageIcon::Warning, kTitleWarning, preview.errorString(), Buttons::Ok, Answer::Ok, m_parent);
            return;
        }
        preview.exec();
        shown = true;
        if (printed)
            *printed = preview.printed();
    });
    return shown;
}

bool QtUi::showText(const QString& title, const QString& path, bool* print)
{
    bool shown = false;
    runOnGuiThread([&] {
        widgets::TextViewer viewer(title, m_parent);
        if (!viewer.load(path))
            return;
        viewer.exec();
        shown = true;
        if (print)
            *print = viewer.printChosen();
    });
    return shown;
}

std::optional<QString> QtUi::pickItem(const QString& title, const QStringList& items, const QString& current)
{
    std::optional<QString> result;
    runOnGuiThread([&] {
        widgets::ListPicker picker(title, items, current, m_parent);
        if (picker.exec() == QDialog::Accepted && !picker.selected().isEmpty())
            result = picker.selected();
    });
    return result;
}

bool QtUi::choosePrinter(QPrinter& printer, const QString& title)
{
    bool chosen = false;
    runOnGuiThread([&] {
        QPrintDialog dialog(&printer, m_parent);
        dialog.setWindowTitle(title.isEmpty() ? QStringLiteral("Wybierz Drukarkę") : title);
        chosen = dialog.exec() == QDialog::Accepted;
    });
    return chosen;
}

} // namespace pravik
