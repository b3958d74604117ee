#include "platform/ErrorSink.h"

#include "platform/UiServices.h"

#include <atomic>
#include <cstdio>

namespace pravik {

namespace {

// The module's own error manager, in charge until a host hands over its own. File errors are
// shown as a warning (the user must know a file could not be read or written); SQL failures
// only go to stderr, because the caller of the failed statement already shows the driver's text
// in a warning box, and one failure must not raise two.
class ModuleErrorSink final : public ErrorSink {
public:
    void setProcedure(const QString& name) override { runningProcedure() = name; }
    QString procedure() const override { return runningProcedure(); }

    void report(ErrorKind kind, const QString& what, const QString& detail) override
    {
        const QString proc = procedure();
        QString text = proc.isEmpty() ? what : proc + QStringLiteral(": ") + what;
        if (!detail.isEmpty())
            text += QLatin1Char('\n') + detail;
        if (kind == ErrorKind::Sql) {
            const QByteArray line = text.toUtf8().replace('\n', ' ');
            std::fprintf(stderr, "%s\n", line.constData());
            std::fflush(stderr);
            return;
        }
        msgWarning(text);
    }

private:
    // The statement printout runs on a thread of its own and names itself there, so each thread
    // remembers its own procedure.
    static QString& runningProcedure()
    {
        thread_local QString name;
        return name;
    }
};

ModuleErrorSink& moduleSink()
{
    static ModuleErrorSink sink;
    return sink;
}

std::atomic<ErrorSink*> g_hostSink{nullptr};

} // namespace

ErrorSink& errorSink()
{
    ErrorSink* host = g_hostSink.load(std::memory_order_acquire);
    return host ? *host : moduleSink();
}

void setErrorSink(ErrorSink* sink)
{
    g_hostSink.store(sink, std::memory_order_release);
}

} // namespace pravik
