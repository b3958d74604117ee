// Golden cases of the command-line host: every folder tests/cli/<command>/<case>/ holds "args" (the
// command line after "--db", with $OUT for the case's output folder) and "expected.txt" (exit code,
// standard output and error, each file the run wrote, as text) and "statements.sql" (the module's
// statements as the run sent them to the database, each once, in first-seen order). Each case runs
// on the demo company (fixed seed, built once per backend and test program) on SQLite and on
// PostgreSQL; both must give the same text, and no statement may fail.
//
// After a deliberate change, scripts/golden.sh writes the new expectations from the SQLite run and
// shows the diff for review (PRAVIK_GOLDEN_UPDATE=1 is what it sets).
#include "platform/DayNumber.h"
#include "platform/sql/SqlCapture.h"
#include "support/ProgramOutput.h"
#include "support/TestDatabase.h"
#include "siblings/tekston/CodePages.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

using pravik::test::TestBackend;

namespace {

// The demo company every case runs on; changing either number changes every expectation.
const char* const kDemoPostings = "2000";
const char* const kDemoSeed = "7";

QString sourceDir()
{
    return qEnvironmentVariable("PRAVIK_SOURCE_DIR", QStringLiteral(PRAVIK_SOURCE_DIR));
}

using pravik::test::pravikProgram;

bool updating()
{
    return qEnvironmentVariableIntValue("PRAVIK_GOLDEN_UPDATE") == 1;
}

struct GoldenCase {
    QString command; // folder under tests/cli
    QString name;    // the case's folder
    QString dir() const { return sourceDir() + QStringLiteral("/tests/cli/") + command + u'/' + name; }
};

void PrintTo(const GoldenCase& c, std::ostream* os)
{
    *os << c.command.toStdString() << '/' << c.name.toStdString();
}

std::vector<GoldenCase> goldenCases()
{
    std::vector<GoldenCase> cases;
    const QDir root(sourceDir() + QStringLiteral("/tests/cli"));
    for (const QString& command : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QDir commandDir(root.filePath(command));
        for (const QString& name : commandDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            if (QFileInfo::exists(commandDir.filePath(name) + QStringLiteral("/args")))
                cases.push_back({command, name});
    }
    return cases;
}

struct Outcome {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QString failure; // the program did not start or did not finish
};

Outcome runPravik(const QStringList& args, const QProcessEnvironment& env, int timeoutMs = 300000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(pravikProgram(), args);
    Outcome r;
    if (!p.waitForStarted(10000)) {
        r.failure = QStringLiteral("cannot start ") + pravikProgram();
        return r;
    }
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(5000);
        r.failure = QStringLiteral("still running after %1 s").arg(timeoutMs / 1000);
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QString tool(const QString& program, const QStringList& args, QString* error)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *error = program + QStringLiteral(" failed: ") + QString::fromUtf8(p.readAllStandardError());
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The first sheet of a workbook, one line per row, cells "B3=value" separated by " | " (shared and
// inline strings resolved, numbers as stored).
QString xlsxRows(const QString& path)
{
    QString out;
    for (const auto& row : pravik::test::readFirstSheet(path)) {
        QStringList cells;
        for (const pravik::test::SheetCell& c : row)
            if (!c.ref.isEmpty())
                cells << c.ref + u'=' + c.value;
        out += cells.join(QStringLiteral(" | ")) + u'\n';
    }
    return out;
}

// Text-printer bytes: the printer's text decoded (Windows-1250, the module's default page),
// control bytes other than line feed shown as <1B>, so that escape sequences stay visible.
QString printerBytes(const QByteArray& bytes)
{
    QString out;
    QByteArray run;
    auto flush = [&] {
        out += tekston::decode(run, tekston::CodePage::Cp1250);
        run.clear();
    };
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && b != '\n') {
            flush();
            out += QStringLiteral("<%1>").arg(b, 2, 16, QLatin1Char('0')).toUpper();
        } else {
            run += c;
        }
    }
    flush();
    return out;
}

// What varies from run to run: the case's folders, and the print date, which the windows set to
// today whatever the session says. Only the printed label's date is replaced, so that a posting
// dated today still shows.
QString normalised(QString text, const QString& outDir, const QString& db)
{
    text.replace(outDir, QStringLiteral("$OUT"));
    text.replace(db, QStringLiteral("$DB"));
    static const QRegularExpression printDate(QStringLiteral(R"((Data wydruku:\s*)\d{2}-\d{2}-\d{4})"));
    text.replace(printDate, QStringLiteral("\\1<dziś>"));
    text.replace(QLatin1Char('\f'), QStringLiteral("<nowa strona>\n"));
    // Trailing blanks say nothing and make diffs noisy.
    static const QRegularExpression trailing(QStringLiteral("[ \\t]+\\n"));
    text.replace(trailing, QStringLiteral("\n"));
    return text;
}

QString render(const QString& args, const Outcome& r, const QString& outDir, const QString& db, QString* error)
{
    QString text = QStringLiteral("$ pravik ") + args.trimmed() + u'\n';
    text += QStringLiteral("exit %1\n").arg(r.exitCode);
    text += QStringLiteral("--- stdout\n") + QString::fromUtf8(r.out);
    if (!text.endsWith(u'\n'))
        text += u'\n';
    text += QStringLiteral("--- stderr\n") + QString::fromUtf8(r.err);
    if (!text.endsWith(u'\n'))
        text += u'\n';
    QDirIterator files(outDir, QDir::Files, QDirIterator::Subdirectories);
    QStringList names;
    while (files.hasNext())
        names << QDir(outDir).relativeFilePath(files.next());
    names.sort();
    for (const QString& name : names) {
        const QString path = QDir(outDir).filePath(name);
        const QString suffix = QFileInfo(name).suffix().toLower();
        QString body;
        QString how;
        if (suffix == u"pdf") {
            how = QStringLiteral("pdftotext -layout");
            body = tool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")}, error);
        } else if (suffix == u"xlsx") {
            how = QStringLiteral("rows of the first sheet");
            body = xlsxRows(path);
        } else if (suffix == u"png") {
            const QImage image(path);
            how = QStringLiteral("image");
            body = QStringLiteral("%1 x %2\n").arg(image.width()).arg(image.height());
        } else {
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly)) {
                *error = QStringLiteral("cannot read ") + path;
                return {};
            }
            const QByteArray bytes = f.readAll();
            if (suffix == u"csv") {
                how = QStringLiteral("rows");
                body = QString::fromUtf8(bytes);
            } else {
                how = QStringLiteral("bytes as text");
                QByteArray lines = bytes;
                lines.replace("\r\n", "\n");
                body = printerBytes(lines);
            }
        }
        if (!error->isEmpty())
            return {};
        text += QStringLiteral("--- %1 (%2)\n").arg(name, how) + body;
        if (!text.endsWith(u'\n'))
            text += u'\n';
    }
    return normalised(text, outDir, db);
}

// The captured statements, each once in first-seen order; failures apart, with their messages.
// The print date reaches the SQL as the day of the company's address; it becomes <dziś> there.
QString capturedStatements(const QString& log, QStringList* failures)
{
    const pravik::DayNumber today = pravik::today();
    const QRegularExpression addressDay(QStringLiteral("(tg_AdresFirmy\\([^,()]+,)(%1|%2)\\b").arg(today).arg(today - 1),
                                        QRegularExpression::CaseInsensitiveOption);
    QFile f(log);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    QSet<QString> seen;
    QString out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.startsWith(QLatin1String("-- error: "))) {
            failures->append(pravik::sql::SqlCapture::unescape(lines[i - 1]) + QStringLiteral("\n    -> ")
                             + pravik::sql::SqlCapture::unescape(line.mid(10)));
            continue;
        }
        QString statement = line;
        statement.replace(addressDay, QStringLiteral("\\1<dziś>"));
        if (seen.contains(statement))
            continue;
        seen.insert(statement);
        out += statement + u'\n';
    }
    return out;
}

QString readText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

bool writeText(const QString& path, const QString& text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text.toUtf8()) >= 0;
}

// The first lines where two texts part, for a failure message that fits on a screen.
std::string firstDifference(const QString& expected, const QString& actual)
{
    const QStringList e = expected.split(u'\n');
    const QStringList a = actual.split(u'\n');
    for (qsizetype i = 0; i < qMax(e.size(), a.size()); ++i) {
        const QString x = e.value(i, QStringLiteral("<end>"));
        const QString y = a.value(i, QStringLiteral("<end>"));
        if (x != y)
            return QStringLiteral("line %1\n  expected: %2\n  actual:   %3").arg(i + 1).arg(x, y).toStdString();
    }
    return "no line differs";
}

// One demo company per backend for the whole test program.
struct DemoCompany {
    pravik::test::TestDatabase db;
    QString error;
};

const DemoCompany& demoCompany(TestBackend backend)
{
    static std::map<TestBackend, DemoCompany> made;
    auto found = made.find(backend);
    if (found != made.end())
        return found->second;
    DemoCompany& demo = made[backend];
    demo.db = pravik::test::makeTestDatabase(backend);
    if (demo.db.url.isEmpty()) {
        demo.error = QStringLiteral("no database");
        return demo;
    }
    const Outcome init = runPravik({QStringLiteral("--db"), demo.db.url, QStringLiteral("db"), QStringLiteral("init"),
                                    QStringLiteral("--demo"), QStringLiteral("--postings"), QLatin1String(kDemoPostings),
                                    QStringLiteral("--seed"), QLatin1String(kDemoSeed)},
                                   QProcessEnvironment::systemEnvironment());
    if (init.exitCode != 0)
        demo.error = QStringLiteral("db init --demo failed: ") + init.failure + QString::fromUtf8(init.out + init.err);
    return demo;
}

class Golden : public ::testing::TestWithParam<std::tuple<GoldenCase, TestBackend>> {};

TEST_P(Golden, PrintsWhatItPrintedBefore)
{
    const auto& [c, backend] = GetParam();
    if (updating() && backend != TestBackend::SQLite)
        GTEST_SKIP() << "expectations are written from the SQLite run";
    const DemoCompany& demo = demoCompany(backend);
    ASSERT_TRUE(demo.error.isEmpty()) << demo.error.toStdString();

    const QString args = readText(c.dir() + QStringLiteral("/args")).trimmed();
    ASSERT_FALSE(args.isEmpty()) << c.dir().toStdString() << "/args is empty";
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const QString root = QFileInfo(work.path()).canonicalFilePath();
    const QString outDir = root + QStringLiteral("/out");
    for (const char* sub : {"out", "tmp", "config"})
        ASSERT_TRUE(QDir(root).mkpath(QLatin1String(sub)));
    QStringList argv{QStringLiteral("--db"), demo.db.url};
    for (QString a : QProcess::splitCommand(args))
        argv << a.replace(QLatin1String("$OUT"), outDir);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString log = root + QStringLiteral("/statements.log");
    env.insert(QStringLiteral("PRAVIK_SQL_CAPTURE"), log);
    // The run's temporary files and settings stay out of the output folder and of the user's own.
    env.insert(QStringLiteral("TMPDIR"), root + QStringLiteral("/tmp"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("/config"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    env.insert(QStringLiteral("TZ"), QStringLiteral("Europe/Warsaw"));
    const Outcome r = runPravik(argv, env);
    ASSERT_TRUE(r.failure.isEmpty()) << r.failure.toStdString();

    QStringList failures;
    const QString statements = capturedStatements(log, &failures);
    QString error;
    const QString actual = render(args, r, outDir, demo.db.url, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    // A statement that failed is a fault even when the report carries on without its rows.
    EXPECT_TRUE(failures.isEmpty()) << "statements that failed:\n" << failures.join(u'\n').toStdString();

    const QString expectedPath = c.dir() + QStringLiteral("/expected.txt");
    const QString statementsPath = c.dir() + QStringLiteral("/statements.sql");
    if (updating()) {
        ASSERT_TRUE(writeText(expectedPath, actual)) << expectedPath.toStdString();
        ASSERT_TRUE(writeText(statementsPath, statements)) << statementsPath.toStdString();
        return;
    }
    ASSERT_TRUE(QFileInfo::exists(expectedPath)) << "no expectation yet: run scripts/golden.sh";
    const QString expected = readText(expectedPath);
    if (expected != actual) {
        // What this run printed, for review where the tree cannot be rewritten (CI).
        const QString kept = qEnvironmentVariable("PRAVIK_BINARY_DIR", QStringLiteral(PRAVIK_BINARY_DIR))
            + QStringLiteral("/golden-actual/%1/%2/%3.txt").arg(c.command, c.name, backend == TestBackend::SQLite ? "SQLite" : "PostgreSQL");
        QDir().mkpath(QFileInfo(kept).path());
        writeText(kept, actual);
    }
    EXPECT_TRUE(expected == actual) << c.command.toStdString() << '/' << c.name.toStdString() << ": "
                                    << firstDifference(expected, actual) << "\n(scripts/golden.sh shows the whole diff)";
    const QString expectedStatements = readText(statementsPath);
    EXPECT_TRUE(expectedStatements == statements) << c.command.toStdString() << '/' << c.name.toStdString()
                                                  << " sends other statements: " << firstDifference(expectedStatements, statements);
}

std::string caseName(const ::testing::TestParamInfo<Golden::ParamType>& info)
{
    const auto& [c, backend] = info.param;
    QString name = c.command + u'_' + c.name + u'_' + (backend == TestBackend::SQLite ? "SQLite" : "PostgreSQL");
    for (QChar& ch : name)
        if (!ch.isLetterOrNumber() || ch.unicode() > 127)
            ch = u'_';
    return name.toStdString();
}

// The capture the cases rely on: every statement once per run, a failed one followed by the
// server's message, a statement's line breaks kept, and nothing written when it is off.
TEST(SqlCapture, RecordsEachStatementAndItsFailure)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString db = dir.filePath(QStringLiteral("pusta.db"));
    const QString log = dir.filePath(QStringLiteral("statements.log"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("PRAVIK_SQL_CAPTURE"));
    Outcome r = runPravik({QStringLiteral("--db"), db, QStringLiteral("db"), QStringLiteral("init"),
                            QStringLiteral("--demo"), QStringLiteral("--postings"), QStringLiteral("10")}, env);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = runPravik({QStringLiteral("--db"), db, QStringLiteral("sql"), QStringLiteral("select 1")}, env);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(log));

    env.insert(QStringLiteral("PRAVIK_SQL_CAPTURE"), log);
    r = runPravik({QStringLiteral("--db"), db, QStringLiteral("sql"), QStringLiteral("select 'a\\b',\n 2")}, env);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = runPravik({QStringLiteral("--db"), db, QStringLiteral("sql"), QStringLiteral("select x from NIE_MA_TAKIEJ")}, env);
    EXPECT_EQ(r.exitCode, 1);
    const QStringList lines = readText(log).split(u'\n', Qt::SkipEmptyParts);
    // The session's own statements come first in each run.
    const qsizetype plain = lines.indexOf(pravik::sql::SqlCapture::escape(QStringLiteral("select 'a\\b',\n 2")));
    ASSERT_GE(plain, 0) << readText(log).toStdString();
    EXPECT_EQ(pravik::sql::SqlCapture::unescape(lines[plain]), QStringLiteral("select 'a\\b',\n 2"));
    const qsizetype failed = lines.indexOf(QStringLiteral("select x from NIE_MA_TAKIEJ"));
    ASSERT_GE(failed, 0) << readText(log).toStdString();
    ASSERT_EQ(lines.size(), failed + 2) << readText(log).toStdString();
    EXPECT_TRUE(lines[failed + 1].startsWith(QLatin1String("-- error: "))) << lines[failed + 1].toStdString();
    EXPECT_TRUE(lines[failed + 1].contains(QLatin1String("NIE_MA_TAKIEJ"), Qt::CaseInsensitive)) << lines[failed + 1].toStdString();
    EXPECT_EQ(lines.filter(QRegularExpression(QStringLiteral("^-- error: "))).size(), 1) << readText(log).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden,
                         ::testing::Combine(::testing::ValuesIn(goldenCases()),
                                            ::testing::Values(TestBackend::SQLite, TestBackend::PostgreSQL)),
                         caseName);

} // namespace
