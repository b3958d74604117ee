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
