#include "support/PgServer.h"

#include "platform/sql/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>
#include <gtest/gtest.h>
#include <cerrno>
#include <csignal>
#include <pwd.h>
#include <unistd.h>

namespace pravik::test {

namespace {

constexpr auto kEnvUrl = "PRAVIK_TEST_PG_URL";

QString newestBinDir()
{
    const QDir root(QStringLiteral("/usr/lib/postgresql"));
    QStringList versions = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versions.begin(), versions.end(),
              [](const QString& a, const QString& b) { return a.toDouble() > b.toDouble(); });
    for (const QString& v : versions) {
        const QString bin = root.filePath(v + QStringLiteral("/bin"));
        if (QFile::exists(bin + QStringLiteral("/initdb")) && QFile::exists(bin + QStringLiteral("/pg_ctl")))
            return bin;
    }
    return {};
}

QString readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("(no file %1)").arg(path);
    return QString::fromUtf8(f.readAll());
}

} // namespace

PgServer& PgServer::instance()
{
    static PgServer server;
    if (!server.ok())
        ADD_FAILURE() << "PostgreSQL test server is not available:\n" << server.failure().toStdString();
    return server;
}

PgServer::PgServer()
{
    start();
}

PgServer::~PgServer()
{
    // Databases made on someone else's server are dropped; our own server goes away whole.
    if (m_ok && !m_local && !m_created.isEmpty()) {
        sql::Database admin(sql::ConnectionSpec::parse(urlFor(m_maintenanceDb)).value());
        for (const QString& name : std::as_const(m_created))
            admin.execNative(QStringLiteral("drop database if exists %1 with (force)").arg(name));
    }
    stop();
}

void PgServer::start()
{
    const QString url = qEnvironmentVariable(kEnvUrl);
    if (!url.isEmpty()) {
        QString error;
        const auto dbTarget = sql::ConnectionSpec::parse(url, &error);
        if (!dbTarget || dbTarget->backend != sql::Backend::PostgreSQL) {
            m_failure = QStringLiteral("%1 is not a PostgreSQL URL: %2").arg(QString::fromLatin1(kEnvUrl), error);
            return;
        }
        m_host = dbTarget->host;
        m_port = dbTarget->port;
        m_user = dbTarget->user;
        m_password = dbTarget->password;
        m_maintenanceDb = dbTarget->databaseName;
        sql::Database probe(*dbTarget);
        if (!probe.open()) {
            m_failure = probe.lastError();
            return;
        }
        m_ok = true;
        return;
    }
    m_local = true;
    m_ok = startLocal();
}

// Runs a server program as the user the server belongs to.
static bool runAs(bool asPostgres, const QString& program, const QStringList& args, QString* output, int timeoutMs = 120000)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (asPostgres)
        p.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"), program} + args);
    else
        p.start(program, args);
    if (!p.waitForStarted(20000)) {
        *output = QStringLiteral("cannot start %1: %2").arg(program, p.errorString());
        return false;
    }
    p.waitForFinished(timeoutMs);
    *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Servers left behind by test programs that crashed or were killed: their owner is gone.
static void reapAbandonedServers(const QString& binDir, bool root)
{
    const QDir tmp(QDir::tempPath());
    for (const QString& name : tmp.entryList({QStringLiteral("pravik-pg-*")}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString folder = tmp.filePath(name);
        QFile owner(folder + QStringLiteral("/owner.pid"));
        if (!owner.open(QIODevice::ReadOnly))
            continue;
        const qint64 pid = owner.readAll().trimmed().toLongLong();
        if (pid <= 0 || ::kill(pid_t(pid), 0) == 0 || errno != ESRCH)
            continue;
        QString out;
        runAs(root, binDir + QStringLiteral("/pg_ctl"),
              {QStringLiteral("-D"), folder + QStringLiteral("/data"), QStringLiteral("-m"), QStringLiteral("immediate"),
               QStringLiteral("-w"), QStringLiteral("stop")},
              &out, 60000);
        QDir(folder).removeRecursively();
    }
}

bool PgServer::startLocal()
{
    m_binDir = newestBinDir();
    if (m_binDir.isEmpty()) {
        m_failure = QStringLiteral("No PostgreSQL server binaries under /usr/lib/postgresql/*/bin (install postgresql).");
        return false;
    }
    const bool root = ::geteuid() == 0;
    reapAbandonedServers(m_binDir, root);
    QByteArray base = QDir::tempPath().toLocal8Bit() + "/pravik-pg-XXXXXX";
    if (!::mkdtemp(base.data())) {
        m_failure = QStringLiteral("Cannot create a temporary folder for PostgreSQL.");
        return false;
    }
    m_host = QString::fromLocal8Bit(base);
    if (root) {
        const passwd* pw = ::getpwnam("postgres");
        if (!pw) {
            m_failure = QStringLiteral("Running as root, but there is no \"postgres\" user to run the server as.");
            return false;
        }
        if (::chown(base.constData(), pw->pw_uid, pw->pw_gid) != 0) {
            m_failure = QStringLiteral("Cannot hand %1 to the postgres user.").arg(m_host);
            return false;
        }
    }
    QFile::setPermissions(m_host, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                      | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                      | QFileDevice::ExeOther);
    {
        QFile owner(m_host + QStringLiteral("/owner.pid"));
        if (owner.open(QIODevice::WriteOnly))
            owner.write(QByteArray::number(QCoreApplication::applicationPid()));
    }
    m_dataDir = m_host + QStringLiteral("/data");
    m_port = 5432;
    m_user = QStringLiteral("postgres");

    QString out;
    if (!runAs(root, m_binDir + QStringLiteral("/initdb"),
               {QStringLiteral("-D"), m_dataDir, QStringLiteral("-A"), QStringLiteral("trust"), QStringLiteral("-U"), m_user,
                QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync")},
               &out)) {
        m_failure = QStringLiteral("initdb failed:\n%1").arg(out);
        return false;
    }
    {
        QFile conf(m_dataDir + QStringLiteral("/postgresql.conf"));
        if (!conf.open(QIODevice::Append)) {
            m_failure = QStringLiteral("Cannot write %1").arg(conf.fileName());
            return false;
        }
        conf.write(QStringLiteral("\nlisten_addresses = ''\nunix_socket_directories = '%1'\nport = %2\n"
                                  "fsync = off\nsynchronous_commit = off\nfull_page_writes = off\n"
                                  "shared_buffers = 16MB\nmax_connections = 40\n")
                       .arg(m_host)
                       .arg(m_port)
                       .toUtf8());
    }
    const QString log = m_host + QStringLiteral("/server.log");
    if (!runAs(root, m_binDir + QStringLiteral("/pg_ctl"),
               {QStringLiteral("-D"), m_dataDir, QStringLiteral("-l"), log, QStringLiteral("-w"), QStringLiteral("-t"),
                QStringLiteral("60"), QStringLiteral("start")},
               &out)) {
        m_failure = QStringLiteral("pg_ctl start failed:\n%1\nserver log:\n%2").arg(out, readFile(log));
        return false;
    }
    sql::Database probe(sql::ConnectionSpec::parse(urlFor(m_maintenanceDb)).value());
    if (!probe.open()) {
        m_failure = QStringLiteral("The server started but refuses connections: %1\nserver log:\n%2").arg(probe.lastError(), readFile(log));
        stop();
        return false;
    }
    return true;
}

bool PgServer::pause()
{
    if (!m_local || m_dataDir.isEmpty())
        return false;
    QString out;
    return runAs(::geteuid() == 0, m_binDir + QStringLiteral("/pg_ctl"),
                 {QStringLiteral("-D"), m_dataDir, QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w"),
                  QStringLiteral("stop")},
                 &out, 60000);
}

bool PgServer::resume()
{
    if (!m_local || m_dataDir.isEmpty())
        return false;
    QString out;
    return runAs(::geteuid() == 0, m_binDir + QStringLiteral("/pg_ctl"),
                 {QStringLiteral("-D"), m_dataDir, QStringLiteral("-l"), m_host + QStringLiteral("/server.log"),
                  QStringLiteral("-w"), QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("start")},
                 &out, 90000);
}

void PgServer::stop()
{
    if (!m_local || m_dataDir.isEmpty())
        return;
    QString out;
    runAs(::geteuid() == 0, m_binDir + QStringLiteral("/pg_ctl"),
          {QStringLiteral("-D"), m_dataDir, QStringLiteral("-m"), QStringLiteral("immediate"), QStringLiteral("-w"), QStringLiteral("stop")},
          &out, 60000);
    QDir(m_host).removeRecursively();
    m_dataDir.clear();
}

QString PgServer::urlFor(const QString& databaseName) const
{
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    if (!m_user.isEmpty())
        url.setUserName(m_user);
    if (!m_password.isEmpty())
        url.setPassword(m_password);
    const bool socket = m_host.startsWith(u'/');
    url.setHost(socket || m_host.isEmpty() ? QStringLiteral("localhost") : m_host);
    if (m_port > 0)
        url.setPort(m_port);
    url.setPath(u'/' + databaseName);
    if (socket)
        url.setQuery(QStringLiteral("host=") + QString::fromUtf8(QUrl::toPercentEncoding(m_host, "/")));
    return url.toString(QUrl::FullyEncoded);
}

QString PgServer::createDatabase()
{
    if (!m_ok)
        return {};
    const QString name = QStringLiteral("pravik_test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++m_counter);
    sql::Database admin(sql::ConnectionSpec::parse(urlFor(m_maintenanceDb)).value());
    sql::Cursor c = admin.execNative(QStringLiteral("create database %1 template template0 encoding 'UTF8'").arg(name));
    if (!c.ok()) {
        ADD_FAILURE() << "cannot create database " << name.toStdString() << ": " << c.errorText().toStdString();
        return {};
    }
    m_created << name;
    return urlFor(name);
}

sql::ConnectionSpec PgServer::createDatabaseSpec()
{
    const QString url = createDatabase();
    QString error;
    const auto dbTarget = sql::ConnectionSpec::parse(url, &error);
    if (!dbTarget) {
        ADD_FAILURE() << "bad test database URL " << url.toStdString() << ": " << error.toStdString();
        return {};
    }
    return *dbTarget;
}

} // namespace pravik::test
