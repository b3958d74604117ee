#include "platform/UiServices.h"

#include "platform/BatchUi.h"

#include <atomic>

namespace pravik {

namespace {

// The services a thread installed for itself. A thread that never installed any (a report
// thread started by the module) uses the ones installed last on any thread, which in practice
// are those of the host's main thread.
thread_local UiServices* threadServices = nullptr;
std::atomic<UiServices*> processServices{nullptr};

UiServices& batchDefault()
{
    static BatchUi services;
    return services;
}

} // namespace

UiServices& ui()
{
    if (threadServices)
        return *threadServices;
    if (UiServices* shared = processServices.load())
        return *shared;
    return batchDefault();
}

void setUi(UiServices* services)
{
    threadServices = services;
    processServices.store(services);
}

int UiServices::choose(MessageIcon icon, const QString& title, const QString& text, const QStringList& buttons,
                       int defaultButton)
{
    if (buttons.size() <= 1) {
        message(icon, title, text, Buttons::Ok, Answer::Ok);
        return 0;
    }
    static constexpr Answer kByIndex[] = {Answer::Yes, Answer::No, Answer::Cancel};
    const Buttons kind = buttons.size() == 2 ? Buttons::YesNo : Buttons::YesNoCancel;
    const Answer fallback = kByIndex[qBound(0, defaultButton, int(qMin(buttons.size(), qsizetype(3))) - 1)];
    switch (message(icon, title, text, kind, fallback)) {
    case Answer::No:
        return 1;
    case Answer::Cancel:
        return buttons.size() == 2 ? 1 : 2;
    default:
        return 0;
    }
}

bool UiServices::showPreview(const QString&, const QString&, const QString&, int, bool* printed)
{
    if (printed)
        *printed = false;
    return false;
}

bool UiServices::showText(const QString&, const QString&, bool* print)
{
    if (print)
        *print = false;
    return false;
}

std::optional<QString> UiServices::pickItem(const QString&, const QStringList&, const QString&)
{
    return std::nullopt;
}

bool UiServices::choosePrinter(QPrinter&, const QString&)
{
    return false;
}

void msgInformation(const QString& text)
{
    ui().message(MessageIcon::Information, kTitleInformation, text, Buttons::Ok, Answer::Ok);
}

void msgWarning(const QString& text)
{
    ui().message(MessageIcon::Warning, kTitleWarning, text, Buttons::Ok, Answer::Ok);
}

Answer msgQuestion(const QString& text, Buttons buttons, Answer defaultAnswer)
{
    return ui().message(MessageIcon::Question, kTitleQuestion, text, buttons, defaultAnswer);
}

} // namespace pravik
