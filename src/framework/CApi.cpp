#include "framework/CApi.h"

#include "framework/Lifecycle.h"
#include "platform/ErrorSink.h"
#include "platform/PrintableText.h"
#include "platform/Settings.h"
#include "platform/sql/ConnectionSpec.h"
#include "platform/sql/Database.h"
#include "server/src/Functions.h"
#include "server/src/procedures/Procedures.h"
#include "siblings/korda/Session.h"

#include <cstring>

namespace {

QString fromC(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

// The host's error manager behind the module's error interface.
class CErrorManager final : public pravik::ErrorSink {
public:
    explicit CErrorManager(const PravikErrorManager& callbacks) : m_callbacks(callbacks) {}

    void setProcedure(const QString& name) override
    {
        runningProcedure() = name;
        if (m_callbacks.setProcedure)
            m_callbacks.setProcedure(m_callbacks.userData, name.toUtf8().constData());
    }

    QString procedure() const override { return runningProcedure(); }

    void report(pravik::ErrorKind kind, const QString& what, const QString& detail) override
    {
        if (!m_callbacks.report)
            return;
        const int code = kind == pravik::ErrorKind::File ? PRAVIK_ERROR_FILE
                         : kind == pravik::ErrorKind::Sql ? PRAVIK_ERROR_SQL
                                                          : PRAVIK_ERROR_OTHER;
        m_callbacks.report(m_callbacks.userData, code, runningProcedure().toUtf8().constData(),
                           what.toUtf8().constData(), detail.toUtf8().constData());
    }

private:
    // Each thread runs its own procedure.
    static QString& runningProcedure()
    {
        thread_local QString name;
        return name;
    }

    PravikErrorManager m_callbacks;
};

// The reference database's functions (SQLite) and procedures (SQLite and PostgreSQL) on every
// connection the module opens for a host: a C host has no other way to get them.
void registerReferenceDatabase()
{
    pravik::server::registerFunctions();
    pravik::server::registerProcedures();
}

} // namespace

extern "C" {

void PRAVIK_INIT(void* errorManager, void* settingsManager)
{
    pravik::module::load();
    registerReferenceDatabase();
    // A second INIT must neither replace the managers nor build new ones; after KILL it starts
    // the module again.
    if (pravik::module::initCalled() && pravik::module::state() != pravik::module::State::Killed)
        return;

    std::unique_ptr<pravik::ErrorSink> em;
    if (errorManager)
        em = std::make_unique<CErrorManager>(*static_cast<const PravikErrorManager*>(errorManager));
    std::unique_ptr<pravik::SettingsStore> sm;
    if (settingsManager) {
        const auto* s = static_cast<const PravikSettingsManager*>(settingsManager);
        if (s->iniPath && *s->iniPath)
            sm = std::make_unique<pravik::SettingsStore>(fromC(s->iniPath));
    }
    pravik::PRAVIK_INIT(em.get(), sm.get());
    pravik::module::adoptHostManagers(std::move(em), std::move(sm));
}

void PRAVIK_KILL(void)
{
    pravik::PRAVIK_KILL();
}

int pravik_set_global(const char* name, const char* value)
{
    if (!name)
        return 0;
    return korda::setGlobal(fromC(name), fromC(value)) ? 1 : 0;
}

int pravik_get_global(const char* name, char* buffer, int bufferSize)
{
    if (!name || !korda::isGlobal(fromC(name)))
        return -1;
    const QByteArray value = korda::global(fromC(name)).toUtf8();
    if (buffer && bufferSize > 0) {
        int n = int(std::min<qsizetype>(value.size(), bufferSize - 1));
        // Never cut a UTF-8 sequence in half.
        while (n > 0 && n < value.size() && (static_cast<unsigned char>(value.at(n)) & 0xC0) == 0x80)
            --n;
        std::memcpy(buffer, value.constData(), size_t(n));
        buffer[n] = '\0';
    }
    return int(value.size());
}

int pravik_queue_add(const char* queue, const char* value)
{
    return queue && korda::addToQueue(fromC(queue), fromC(value)) ? 1 : 0;
}

int pravik_queue_clear(const char* queue)
{
    return queue && korda::clearQueue(fromC(queue)) ? 1 : 0;
}

int pravik_set_database(const char* dbTarget)
{
    registerReferenceDatabase();
    QString error;
    const QString text = fromC(dbTarget);
    const auto parsed = pravik::sql::ConnectionSpec::parse(text, &error);
    if (!parsed) {
        pravik::errorSink().report(pravik::ErrorKind::Other, pravik::quotedInput(text), error);
        return 0;
    }
    pravik::sql::Database::setCurrent(*parsed);
    return 1;
}

int pravik_set_output(const char* kind, const char* path)
{
    if (!kind)
        return 0;
    korda::OutputRequests& out = korda::session().outputRequests;
    const QString k = QString::fromUtf8(kind).trimmed().toLower();
    const QString target = fromC(path);
    if (k == QLatin1String("pdf"))
        out.pdfPath = target;
    else if (k == QLatin1String("png"))
        out.pngFolder = target;
    else if (k == QLatin1String("text"))
        out.textFile = target;
    else if (k == QLatin1String("printer"))
        out.printerName = target;
    else
        return 0;
    return 1;
}

int pravik_last_response(void)
{
    return korda::session().globalResponse;
}

} // extern "C"
