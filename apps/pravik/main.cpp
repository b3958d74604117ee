// pravik: the report module from the command line, for scripts, cron jobs and tests.
//
//   pravik [global options] COMMAND [arguments]
//
// The host sets up what the host application would: user services for a run without a screen
// (messages on stderr, questions answered by --yes/--no), the database connection, the module's
// start (PRAVIK_INIT) and stop (PRAVIK_KILL). Commands fill the session context from the
// database through CommandContext::openSession.
#include "Command.h"
#include "HostErrorSink.h"
#include "Options.h"

#include "framework/Lifecycle.h"
#include "framework/RunFolders.h"
#include "platform/BatchUi.h"
#include "platform/sql/Database.h"
#include "server/src/Functions.h"
#include "server/src/procedures/Procedures.h"
#include "siblings/korda/Session.h"

#include <QApplication>
#include <QDir>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <QStringList>
#include <algorithm>

namespace {

using namespace pravik::cli;

constexpr const char* kVersion = "0.1";

void print(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

std::vector<const Command*> sortedCommands()
{
    std::vector<const Command*> list;
    for (const Command& c : commands())
        list.push_back(&c);
    std::sort(list.begin(), list.end(), [](const Command* a, const Command* b) { return a->name < b->name; });
    return list;
}

QString mainHelp()
{
    QString text = QStringLiteral("Usage: pravik [global options] COMMAND [arguments]\n\n"
                                  "The report module of the Tabulo ledger from the command line.\n\n");
    text += globalOptionsHelp();
    text += QStringLiteral("\nCommands:\n");
    const auto list = sortedCommands();
    qsizetype width = 4;
    for (const Command* c : list)
        width = std::max(width, c->name.size());
    for (const Command* c : list)
        text += QStringLiteral("  ") + c->name.leftJustified(width + 2) + c->synopsis + QLatin1Char('\n');
    text += QStringLiteral("  ") + QStringLiteral("help CMD").leftJustified(width + 2)
            + QStringLiteral("the help of a command\n");
    return text;
}

QString commandHelp(const Command& c)
{
    QString text = QStringLiteral("pravik ") + c.name + QStringLiteral(": ") + c.synopsis + QStringLiteral("\n\n");
    if (!c.help.isEmpty()) {
        text += c.help;
        if (!text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
    }
    text += QStringLiteral("\nThe global options (pravik --help) apply as well.\n");
    return text;
}

// The registered command whose name matches the first words of args, the longest first.
const Command* findCommand(const QStringList& args, qsizetype* wordsUsed)
{
    const Command* best = nullptr;
    qsizetype bestWords = 0;
    for (const Command& c : commands()) {
        const QStringList words = c.name.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() > args.size() || words.size() <= bestWords)
            continue;
        if (std::equal(words.begin(), words.end(), args.begin()))
            best = &c, bestWords = words.size();
    }
    *wordsUsed = bestWords;
    return best;
}

int usage(const QString& message)
{
    print(stderr, QStringLiteral("pravik: ") + message + QStringLiteral("\nTry 'pravik --help'.\n"));
    return kExitUsage;
}

} // namespace

int main(int argc, char** argv)
{
    // Reports draw pages without a screen; a desktop session may still choose its own platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Cron jobs and ssh sessions have no runtime folder; Qt would warn about it on every run.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray runtime = QDir::tempPath().toLocal8Bit() + "/pravik-runtime-" + QByteArray::number(getuid());
        if (mkdir(runtime.constData(), 0700) == 0 || errno == EEXIST)
            qputenv("XDG_RUNTIME_DIR", runtime);
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pravik"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    // A cron job or a script that stops a run must not leave its spool in the temporary folder.
    pravik::frame::removeRunFoldersOnSignals();

    CommandContext ctx;
    QString error;
    const auto parsed = parseGlobalOptions(app.arguments().mid(1), ctx, &error);
    if (!parsed)
        return usage(error);
    if (parsed->versionWanted) {
        print(stdout, QStringLiteral("pravik %1\n").arg(QString::fromLatin1(kVersion)));
        return kExitOk;
    }

    QStringList rest = parsed->rest;
    if (rest.isEmpty()) {
        if (parsed->helpWanted) {
            print(stdout, mainHelp());
            return kExitOk;
        }
        return usage(QStringLiteral("no command given"));
    }
    if (rest.first() == QLatin1String("help")) {
        rest.removeFirst();
        if (rest.isEmpty()) {
            print(stdout, mainHelp());
            return kExitOk;
        }
        qsizetype used = 0;
        const Command* c = findCommand(rest, &used);
        if (!c || used != rest.size())
            return usage(QStringLiteral("no command \"%1\"").arg(rest.join(QLatin1Char(' '))));
        print(stdout, commandHelp(*c));
        return kExitOk;
    }

    qsizetype used = 0;
    const Command* command = findCommand(rest, &used);
    if (!command)
        return usage(QStringLiteral("no command \"%1\"").arg(rest.first()));
    if (parsed->helpWanted) {
        print(stdout, commandHelp(*command));
        return kExitOk;
    }
    const QStringList commandArgs = rest.mid(used);

    const auto dbTarget = ctx.connectionSpec(&error);
    if (!dbTarget)
        return usage(QStringLiteral("--db %1: %2").arg(ctx.databaseText(), error));

    pravik::BatchUi ui;
    ui.setVerbose(ctx.verbose);
    if (ctx.answer)
        ui.setQuestionDefault(*ctx.answer);
    pravik::setUi(&ui);
    ctx.ui = &ui;

    // The reference database's functions and procedures serve SQLite and PostgreSQL databases;
    // a SQL Server database brings its own.
    pravik::server::registerFunctions();
    pravik::server::registerProcedures();
    pravik::sql::Database::setCurrent(*dbTarget);

    // Names given with --set before the module starts (GGG:SCIEZKA_SET names its settings file).
    for (const auto& [name, value] : ctx.sets)
        korda::setGlobal(name, value);

    pravik::cli::HostErrorSink errors(ctx.verbose);
    pravik::PRAVIK_INIT(&errors, nullptr);
    const int rc = command->run(ctx, commandArgs);
    pravik::PRAVIK_KILL();
    pravik::module::unload();
    pravik::setUi(nullptr);
    return rc;
}
