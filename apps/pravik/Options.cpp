#include "Options.h"

#include "siblings/korda/Session.h"

#include <QRegularExpression>
#include <cstdio>

namespace pravik::cli {

namespace {

void writeLine(FILE* stream, const QString& line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

std::optional<qint32> parseId(const QString& text)
{
    bool ok = false;
    const qint32 v = text.trimmed().toInt(&ok);
    if (!ok || v < 0)
        return std::nullopt;
    return v;
}

} // namespace

QString defaultDatabase()
{
    const QString env = qEnvironmentVariable("PRAVIK_DB");
    return env.isEmpty() ? QStringLiteral("pravik.db") : env;
}

QString CommandContext::databaseText() const
{
    return db.isEmpty() ? defaultDatabase() : db;
}

std::optional<sql::ConnectionSpec> CommandContext::connectionSpec(QString* errorText) const
{
    return sql::ConnectionSpec::parse(databaseText(), errorText);
}

void CommandContext::out(const QString& line) const
{
    writeLine(stdout, line);
}

void CommandContext::error(const QString& message) const
{
    writeLine(stderr, QStringLiteral("pravik: ") + message);
}

void CommandContext::note(const QString& message) const
{
    if (!quiet)
        writeLine(stderr, message);
}

std::optional<DayNumber> parseDate(const QString& text)
{
    DayNumber day = 0;
    if (text.trimmed().isEmpty())
        return std::nullopt;
    korda::Session scratch;
    // The session's date reading is the one rule for dates given as text.
    if (!korda::setGlobal(u"DANE_DATA_BIEZACA", text, scratch))
        return std::nullopt;
    day = scratch.DANE_DATA_BIEZACA;
    if (day <= 0)
        return std::nullopt;
    return day;
}

std::optional<ParsedOptions> parseGlobalOptions(const QStringList& args, CommandContext& ctx, QString* error)
{
    ParsedOptions parsed;
    auto fail = [error](const QString& message) -> std::optional<ParsedOptions> {
        if (error)
            *error = message;
        return std::nullopt;
    };

    bool commandStarted = false;
    bool literal = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString arg = args.at(i);
        if (literal || !arg.startsWith(QLatin1String("--"))) {
            parsed.rest.append(arg);
            commandStarted = true;
            continue;
        }
        if (arg == QLatin1String("--")) {
            literal = true;
            parsed.rest.append(arg);
            continue;
        }
        // "--name=value" as well as "--name value".
        QString name = arg;
        std::optional<QString> inlineValue;
        if (const qsizetype eq = arg.indexOf(QLatin1Char('=')); eq > 0) {
            name = arg.left(eq);
            inlineValue = arg.mid(eq + 1);
        }
        auto takeValue = [&]() -> std::optional<QString> {
            if (inlineValue)
                return inlineValue;
            if (i + 1 >= args.size())
                return std::nullopt;
            return args.at(++i);
        };

        if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
            parsed.helpWanted = true;
        } else if (name == QLatin1String("--version")) {
            parsed.versionWanted = true;
        } else if (name == QLatin1String("--quiet")) {
            ctx.quiet = true;
        } else if (name == QLatin1String("--verbose")) {
            ctx.verbose = true;
        } else if (name == QLatin1String("--yes")) {
            ctx.answer = Answer::Yes;
        } else if (name == QLatin1String("--no")) {
            ctx.answer = Answer::No;
        } else if (name == QLatin1String("--db") || name == QLatin1String("--company")
                   || name == QLatin1String("--year") || name == QLatin1String("--user")
                   || name == QLatin1String("--user-id") || name == QLatin1String("--date")
                   || name == QLatin1String("--period") || name == QLatin1String("--set")) {
            const std::optional<QString> value = takeValue();
            if (!value)
                return fail(QStringLiteral("%1 needs a value").arg(name));
            if (name == QLatin1String("--db")) {
                if (value->trimmed().isEmpty())
                    return fail(QStringLiteral("--db needs a database"));
                ctx.db = *value;
            } else if (name == QLatin1String("--company") || name == QLatin1String("--year")
                       || name == QLatin1String("--user-id")) {
                const auto id = parseId(*value);
                if (!id)
                    return fail(QStringLiteral("%1 takes a number, not \"%2\"").arg(name, *value));
                (name == QLatin1String("--company") ? ctx.company
                 : name == QLatin1String("--year")  ? ctx.year
                                                    : ctx.userId) = *id;
            } else if (name == QLatin1String("--user")) {
                ctx.user = *value;
            } else if (name == QLatin1String("--date")) {
                const auto day = parseDate(*value);
                if (!day)
                    return fail(QStringLiteral("--date takes dd-mm-yyyy or yyyy-mm-dd, not \"%1\"").arg(*value));
                ctx.date = *day;
            } else if (name == QLatin1String("--period")) {
                ctx.period = *value;
            } else {
                const qsizetype eq = value->indexOf(QLatin1Char('='));
                if (eq <= 0)
                    return fail(QStringLiteral("--set takes NAME=VALUE, not \"%1\"").arg(*value));
                const QString global = value->left(eq).trimmed();
                const QString globalValue = value->mid(eq + 1);
                if (!korda::isGlobal(global) && commandStarted) {
                    // Not a session global: the command's own --set (budget-header's fields).
                    parsed.rest << QStringLiteral("--set") << *value;
                    continue;
                }
                if (!korda::isGlobal(global))
                    return fail(QStringLiteral("--set: there is no session global %1").arg(global));
                korda::Session scratch;
                if (!korda::setGlobal(global, globalValue, scratch))
                    return fail(QStringLiteral("--set: %1 cannot hold \"%2\"").arg(global, globalValue));
                ctx.sets.append({global, globalValue});
            }
        } else if (commandStarted) {
            // The command's own option ("--via", "--demo").
            parsed.rest.append(arg);
        } else {
            return fail(QStringLiteral("unknown option %1").arg(arg));
        }
    }
    return parsed;
}

QString globalOptionsHelp()
{
    return QStringLiteral(
        "Global options (before or after the command):\n"
        "  --db DATABASE      the database: a SQLite file, sqlite:PATH, postgresql://user@host/db,\n"
        "                     odbc:DRIVER={...};... or odbc://DSN (default: $PRAVIK_DB, else\n"
        "                     pravik.db in the current folder)\n"
        "  --company ID       company id (default: the lowest id_firmy in FIRMA)\n"
        "  --year ID          fiscal-year id (default: the company's latest year)\n"
        "  --user LOGIN       user login (default: the system user name)\n"
        "  --user-id N        user's numeric id (default: looked up by login, else 1)\n"
        "  --date DATE        working date, dd-mm-yyyy or yyyy-mm-dd (default: today)\n"
        "  --period P         working period: BO, BZ, M-YYYY, YYYY-MM or a date\n"
        "                     (default: the month of the working date within the fiscal year)\n"
        "  --set NAME=VALUE   any session global by its name, e.g. --set GGG:NUMCOPY=2\n"
        "  --yes, --no        the answer to every question a command asks\n"
        "  --quiet            no progress notes\n"
        "  --verbose          progress percentages and every SQL error with its statement\n"
        "  --help             this text; after a command, the command's help\n"
        "  --version          the program's version\n"
        "\n"
        "Exit codes: 0 done, 1 failed, 2 wrong usage.\n");
}

} // namespace pravik::cli
