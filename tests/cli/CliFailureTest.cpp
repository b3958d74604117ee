// Runs that cannot be completed, as a cron job sees them: whatever failed (the database, the
// server, a filter, the output folder, the printer, the mail), the program says what, exits 1
// and leaves no file at the target. And two runs of one user at once print what one run alone
// prints.
#include "platform/sql/Database.h"
#include "support/PgServer.h"
#include "support/ProgramOutput.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <csignal>
#include <netinet/in.h>
#include <sys/socket.h>
#include <optional>
#include <unistd.h>

namespace {

using Outcome = pravik::test::ProcessRun;
using pravik::test::pravikProgram;

Outcome finish(QProcess& p, int timeoutMs = 180000)
{
    Outcome r;
    if (!p.waitForFinished(timeoutMs))
        ADD_FAILURE() << "pravik did not end in time";
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

void start(QProcess& p, const QStringList& args, const QString& tmp = {})
{
    if (!tmp.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), tmp);
        p.setProcessEnvironment(env);
    }
    p.start(pravikProgram(), args);
    if (!p.waitForStarted(10000))
        ADD_FAILURE() << "cannot start " << pravikProgram().toStdString();
}

Outcome pravik(const QStringList& args, const QString& tmp = {})
{
    QProcess p;
    start(p, args, tmp);
    return finish(p);
}

Outcome tool(const QString& program, const QStringList& args)
{
    return pravik::test::runProcess(program, args, {60000});
}

// Everything in a folder (recursively), for "nothing was left behind".
QStringList filesIn(const QString& folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(folder).relativeFilePath(it.next());
    names.sort();
    return names;
}

std::string listed(const QStringList& names)
{
    return names.join(QStringLiteral(", ")).toStdString();
}

// The report run folders in a temporary folder (not the host's runtime folder or the mail's VH).
QStringList runFoldersIn(const QString& tmp)
{
    static const QRegularExpression runFolder(QStringLiteral("^pravik-[A-Za-z0-9]{6}$"));
    return QDir(tmp).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden).filter(runFolder);
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A small file system of its own (tmpfs), to fill up or to make read-only; root only. Where
// mounting is not allowed the test says so and is skipped.
class SmallDisk {
public:
    SmallDisk(const QString& path, int kilobytes) : m_path(path)
    {
        QDir().mkpath(path);
        if (::geteuid() != 0)
            return;
        m_mounted = tool(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                   QStringLiteral("size=%1k,mode=0777").arg(kilobytes), QStringLiteral("tmpfs"), path})
                        .exitCode
            == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            tool(QStringLiteral("umount"), {QStringLiteral("-l"), m_path});
    }
    bool mounted() const { return m_mounted; }
    bool makeReadOnly()
    {
        return m_mounted
            && tool(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,ro"), m_path}).exitCode == 0;
    }

private:
    QString m_path;
    bool m_mounted = false;
};

class CliFailure : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        db = folder->filePath(QStringLiteral("demo.db"));
        const Outcome init = pravik({QStringLiteral("--db"), db, QStringLiteral("db"), QStringLiteral("init"),
                                     QStringLiteral("--demo"), QStringLiteral("--postings"), QStringLiteral("3000")});
        initOutput = init.all();
        initExit = init.exitCode;
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }
    void SetUp() override
    {
        ASSERT_EQ(initExit, 0) << initOutput.toStdString();
        ASSERT_TRUE(m_out.isValid() && m_tmp.isValid());
    }

    static QStringList session(const QString& database, const QStringList& more)
    {
        return QStringList{QStringLiteral("--db"), database, QStringLiteral("--company"), QStringLiteral("1"),
                           QStringLiteral("--period"), QStringLiteral("3-2026")}
            + more;
    }
    static QStringList turnover(const QString& database, const QStringList& output)
    {
        return session(database, QStringList{QStringLiteral("turnover"), QStringLiteral("--kind"), QStringLiteral("3")} + output);
    }
    static QStringList journal(const QString& database, const QStringList& output)
    {
        return session(database, QStringList{QStringLiteral("journal"), QStringLiteral("--kind"), QStringLiteral("71"),
                                             QStringLiteral("--batch"), QStringLiteral("SPRZ")}
                                     + output);
    }
    // A copy of the demo database that needs no -wal or -shm file beside it.
    QString copyOfDatabase(const QString& target)
    {
        QFile::remove(target);
        EXPECT_TRUE(QFile::copy(db, target));
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        pravik::sql::Database copy(pravik::sql::ConnectionSpec::sqliteFile(target, false));
        EXPECT_TRUE(copy.execNative(QStringLiteral("PRAGMA journal_mode=DELETE")).ok()) << copy.lastError().toStdString();
        copy.close();
        return target;
    }
    QString out(const QString& name) const { return QDir(m_out.path()).filePath(name); }

    // The run failed as it should: exit 1, the cause named, nothing at the target and no run
    // folder left in the temporary folder.
    void expectFailed(const Outcome& r, const QString& target, const QString& cause)
    {
        EXPECT_EQ(r.exitCode, 1) << r.all().toStdString();
        if (!cause.isEmpty()) {
            EXPECT_TRUE(r.err.contains(cause, Qt::CaseInsensitive))
                << "expected \"" << cause.toStdString() << "\" in:\n" << r.err.toStdString();
        }
        if (!target.isEmpty()) {
            EXPECT_FALSE(QFileInfo::exists(target)) << target.toStdString();
        }
        EXPECT_EQ(listed(runFoldersIn(m_tmp.path())), std::string()) << "left in the temporary folder";
    }

    static inline QTemporaryDir* folder = nullptr;
    static inline QString db;
    static inline QString initOutput;
    static inline int initExit = -1;
    QTemporaryDir m_out;
    QTemporaryDir m_tmp;
};

TEST_F(CliFailure, ADatabaseThatRefusesTheScratchRowsGivesNoStatement)
{
    // Read-only: on a read-only file system (root), else by the file's permissions.
    const QString roFolder = folder->filePath(QStringLiteral("ro"));
    SmallDisk disk(roFolder, 64 * 1024);
    const QString copy = copyOfDatabase(QDir(roFolder).filePath(QStringLiteral("demo.db")));
    if (disk.mounted()) {
        ASSERT_TRUE(disk.makeReadOnly());
    } else {
        ASSERT_NE(::geteuid(), 0u) << "root needs a read-only mount for this case";
        QFile::setPermissions(copy, QFile::ReadOwner);
        QFile::setPermissions(roFolder, QFile::ReadOwner | QFile::ExeOwner);
    }
    const QString pdf = out(QStringLiteral("ro.pdf"));
    expectFailed(pravik(turnover(copy, {QStringLiteral("--pdf"), pdf}), m_tmp.path()), pdf, QStringLiteral("readonly"));
    QFile::setPermissions(roFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    // Another process holds the write lock past the busy timeout.
    const QString locked = copyOfDatabase(folder->filePath(QStringLiteral("locked.db")));
    pravik::sql::Database holder(pravik::sql::ConnectionSpec::sqliteFile(locked, false));
    ASSERT_TRUE(holder.execNative(QStringLiteral("BEGIN IMMEDIATE")).ok()) << holder.lastError().toStdString();
    const QString pdf2 = out(QStringLiteral("locked.pdf"));
    expectFailed(pravik(turnover(locked, {QStringLiteral("--pdf"), pdf2}), m_tmp.path()), pdf2, QStringLiteral("locked"));
    holder.execNative(QStringLiteral("ROLLBACK"));
}

TEST_F(CliFailure, TwoRunsOfOneUserAtOnceEachPrintWhatALoneRunPrints)
{
    const QStringList args = turnover(db, {QStringLiteral("--pdf")});
    const QString alonePdf = out(QStringLiteral("alone.pdf"));
    const Outcome alone = pravik(args + QStringList{alonePdf});
    ASSERT_EQ(alone.exitCode, 0) << alone.all().toStdString();
    const QString expected = pravik::test::pdfText(alonePdf);
    ASSERT_TRUE(expected.contains(QStringLiteral("Razem"))) << expected.toStdString();

    for (int round = 0; round < 3; ++round) {
        QProcess a, b;
        const QString pdfA = out(QStringLiteral("a%1.pdf").arg(round));
        const QString pdfB = out(QStringLiteral("b%1.pdf").arg(round));
        start(a, args + QStringList{pdfA});
        start(b, args + QStringList{pdfB});
        const Outcome ra = finish(a);
        const Outcome rb = finish(b);
        ASSERT_EQ(ra.exitCode, 0) << ra.all().toStdString();
        ASSERT_EQ(rb.exitCode, 0) << rb.all().toStdString();
        EXPECT_EQ(pravik::test::pdfText(pdfA), expected);
        EXPECT_EQ(pravik::test::pdfText(pdfB), expected);
    }
}

TEST_F(CliFailure, ACorruptPageOrABadFilterEndsTheJournalWithoutAFile)
{
    const QString broken = copyOfDatabase(folder->filePath(QStringLiteral("corrupt.db")));
    std::optional<int> pageSize;
    QList<qint64> leaves;
    {
        pravik::sql::Database copy(pravik::sql::ConnectionSpec::sqliteFile(broken, false));
        pravik::sql::Cursor size = copy.execNative(QStringLiteral("PRAGMA page_size"));
        if (size.next())
            pageSize = size.value(0).toInt();
        pravik::sql::Cursor pages = copy.execNative(
            QStringLiteral("select pageno from dbstat where name='POZ_DOK' and pagetype='leaf' order by pageno"));
        while (pages.next())
            leaves << pages.value(0).toLongLong();
        ASSERT_TRUE(pages.ok()) << pages.errorText().toStdString();
        copy.close();
    }
    ASSERT_TRUE(pageSize);
    ASSERT_GT(leaves.size(), 10);
    {
        // Every third leaf of the postings: the journal reads through some of them.
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        for (qsizetype i = leaves.size() / 3; i < leaves.size(); i += 3) {
            file.seek((leaves[i] - 1) * *pageSize);
            file.write(QByteArray(*pageSize, '\x5a'));
        }
    }
    const QString pdf = out(QStringLiteral("corrupt.pdf"));
    expectFailed(pravik(journal(broken, {QStringLiteral("--pdf"), pdf}), m_tmp.path()), pdf, QStringLiteral("malformed"));

    const QString filtered = out(QStringLiteral("filter.pdf"));
    expectFailed(pravik(session(db, {QStringLiteral("journal"), QStringLiteral("--procedure"),
                                     QStringLiteral("PRN_71_DZIENNIK_P_K"), QStringLiteral("--filter"),
                                     QStringLiteral("PDD:"), QStringLiteral("--pdf"), filtered}),
                        m_tmp.path()),
                 filtered, QString());
}

TEST_F(CliFailure, AMissingReadOnlyOrFullOutputFolderFailsEveryKindOfOutput)
{
    // Missing folder.
    const QString missing = out(QStringLiteral("brak"));
    for (const QStringList& output : {QStringList{QStringLiteral("--pdf"), missing + QStringLiteral("/j.pdf")},
                                      QStringList{QStringLiteral("--text"), missing + QStringLiteral("/j.prn")}}) {
        const Outcome r = pravik(journal(db, output), m_tmp.path());
        expectFailed(r, output[1], QStringLiteral("brak"));
    }
    expectFailed(pravik(turnover(db, {QStringLiteral("--xlsx"), missing + QStringLiteral("/o.xlsx")}), m_tmp.path()),
                 missing + QStringLiteral("/o.xlsx"), QStringLiteral("brak"));
    EXPECT_FALSE(QFileInfo::exists(missing));
    // A PDF target that is a folder.
    const Outcome folderTarget = pravik(journal(db, {QStringLiteral("--pdf"), m_out.path()}), m_tmp.path());
    expectFailed(folderTarget, QString(), m_out.path());
    EXPECT_TRUE(QFileInfo(m_out.path()).isDir());

    // Read-only and full folders need a file system of their own.
    const QString ro = out(QStringLiteral("ro"));
    SmallDisk roDisk(ro, 1024);
    if (!roDisk.mounted() || !roDisk.makeReadOnly())
        GTEST_SKIP() << "mounting a small file system is not allowed here";
    const QList<QStringList> outputs{
        journal(db, {QStringLiteral("--pdf"), ro + QStringLiteral("/j.pdf")}),
        journal(db, {QStringLiteral("--text"), ro + QStringLiteral("/j.prn")}),
        journal(db, {QStringLiteral("--png"), ro + QStringLiteral("/strony")}),
        turnover(db, {QStringLiteral("--xlsx"), ro + QStringLiteral("/o.xlsx")}),
    };
    for (const QStringList& args : outputs)
        expectFailed(pravik(args, m_tmp.path()), QString(), ro);
    EXPECT_EQ(listed(filesIn(ro)), std::string());

    // Full: an old file at the target stays as it was; nothing half-written is left.
    const QString full = out(QStringLiteral("full"));
    SmallDisk fullDisk(full, 12);
    ASSERT_TRUE(fullDisk.mounted());
    const QList<QStringList> fullOutputs{
        journal(db, {QStringLiteral("--pdf"), full + QStringLiteral("/j.pdf")}),
        journal(db, {QStringLiteral("--text"), full + QStringLiteral("/j.prn")}),
        journal(db, {QStringLiteral("--png"), full}),
        turnover(db, {QStringLiteral("--xlsx"), full + QStringLiteral("/o.xlsx")}),
    };
    for (const QString& old : {QStringLiteral("/j.pdf"), QStringLiteral("/j.prn"), QStringLiteral("/o.xlsx")}) {
        QFile f(full + old);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("stary");
    }
    const QStringList before = filesIn(full);
    for (const QStringList& args : fullOutputs) {
        const Outcome r = pravik(args, m_tmp.path());
        expectFailed(r, QString(), QStringLiteral("No space left on device"));
        EXPECT_FALSE(r.err.contains(QStringLiteral("Unknown error"))) << r.err.toStdString();
        EXPECT_EQ(listed(filesIn(full)), listed(before));
    }
    for (const QString& old : {QStringLiteral("/j.pdf"), QStringLiteral("/j.prn"), QStringLiteral("/o.xlsx")})
        EXPECT_EQ(contents(full + old), QByteArray("stary")) << old.toStdString();
}

TEST_F(CliFailure, APrinterOrAMailServerThatRefusesFailsTheRun)
{
    expectFailed(pravik(journal(db, {QStringLiteral("--print"), QStringLiteral("--printer"), QStringLiteral("nosuch")}),
                        m_tmp.path()),
                 QString(), QStringLiteral("nosuch"));
    expectFailed(pravik(journal(db, {QStringLiteral("--text"), QStringLiteral("--printer"), QStringLiteral("nosuch")}),
                        m_tmp.path()),
                 QString(), QStringLiteral("nosuch"));

    // A mail server that is not there: a port that was free a moment ago.
    int port = 0;
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length), 0);
        port = ntohs(address.sin_port);
        ::close(fd);
    }
    const QString settings = out(QStringLiteral("ustawienia.ini"));
    {
        QFile f(settings);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("[Mail]\nServer=127.0.0.1\nPort=%1\nSecurity=none\nFrom=biuro@example.com\n").arg(port).toUtf8());
    }
    const Outcome mail = pravik(QStringList{QStringLiteral("--set"), QStringLiteral("GGG:SCIEZKA_SET=") + settings}
                                    + journal(db, {QStringLiteral("--mail"), QStringLiteral("ksiegowa@example.com")}),
                                m_tmp.path());
    expectFailed(mail, QString(), QString());
}

TEST_F(CliFailure, AFileThatIsNotADatabaseIsRefused)
{
    const Outcome r = pravik({QStringLiteral("--db"), QStringLiteral("/dev/null"), QStringLiteral("context")});
    EXPECT_EQ(r.exitCode, 1) << r.all().toStdString();
    EXPECT_TRUE(r.err.contains(QStringLiteral("/dev/null"))) << r.err.toStdString();
}

TEST_F(CliFailure, AStoppedRunRemovesItsFolder)
{
    // The whole year's journal, long enough to be stopped while it runs.
    const QStringList args = session(db, {QStringLiteral("journal"), QStringLiteral("--procedure"),
                                          QStringLiteral("PRN_71_DZIENNIK_P_K"), QStringLiteral("--filter"),
                                          QStringLiteral("PDD:id_lata_obrot>0"), QStringLiteral("--pdf"),
                                          out(QStringLiteral("rok.pdf"))});
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
        QProcess p;
        start(p, args, m_tmp.path());
        bool seen = false;
        for (int i = 0; i < 2000 && !seen && p.state() == QProcess::Running; ++i) {
            QThread::msleep(5);
            seen = !filesIn(m_tmp.path()).filter(QStringLiteral("strony.spool")).isEmpty();
        }
        ASSERT_TRUE(seen) << "the run ended before it could be stopped";
        ::kill(pid_t(p.processId()), sig);
        p.waitForFinished(30000);
        EXPECT_EQ(p.exitStatus(), QProcess::CrashExit) << "signal " << sig;
        EXPECT_EQ(listed(runFoldersIn(m_tmp.path())), std::string()) << "signal " << sig;
        EXPECT_FALSE(QFileInfo::exists(out(QStringLiteral("rok.pdf"))));
    }
}

TEST_F(CliFailure, APostgreSqlServerStoppedMidRunFailsTheJournal)
{
    auto& server = pravik::test::PgServer::instance();
    ASSERT_TRUE(server.ok()) << server.failure().toStdString();
    const QString url = server.createDatabase();
    const Outcome init = pravik({QStringLiteral("--db"), url, QStringLiteral("db"), QStringLiteral("init"),
                                 QStringLiteral("--demo"), QStringLiteral("--postings"), QStringLiteral("3000")});
    ASSERT_EQ(init.exitCode, 0) << init.all().toStdString();

    const QString pdf = out(QStringLiteral("pg.pdf"));
    QProcess p;
    start(p, session(url, {QStringLiteral("journal"), QStringLiteral("--procedure"), QStringLiteral("PRN_71_DZIENNIK_P_K"),
                           QStringLiteral("--filter"), QStringLiteral("PDD:id_lata_obrot>0"), QStringLiteral("--pdf"), pdf}),
          m_tmp.path());
    // Stopped once pages are being made.
    bool running = false;
    for (int i = 0; i < 1000 && !running && p.state() == QProcess::Running; ++i) {
        QThread::msleep(5);
        const QStringList files = filesIn(m_tmp.path());
        running = files.filter(QStringLiteral("strony.spool")).size() > 0;
    }
    ASSERT_TRUE(running) << "the journal ended before the server could be stopped";
    ASSERT_TRUE(server.pause());
    const Outcome r = finish(p);
    ASSERT_TRUE(server.resume());
    expectFailed(r, pdf, QString());
    EXPECT_LT(r.err.count(u'\n'), 20) << "the run stops at the first failure:\n" << r.err.toStdString();
}

} // namespace
