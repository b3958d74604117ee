// "pravik sql TEXT": runs a statement through one of the module's six SQL calls and prints what
// the call's buffer received, as a report would see it.
#include "Command.h"
#include "Options.h"

#include "siblings/utilka/Gateway.h"

#include <functional>

namespace pravik::cli {

namespace {

struct Via {
    const char* name;
    bool (*exec)(const QString&);
    korda::PassThroughId buffer;
};

// The calls that leave rows in a pass-through buffer.
constexpr Via kBufferCalls[] = {
    {"EXECSQL", &utilka::EXECSQL, korda::PassThroughId::ZAPYTANIESQL},
    {"EXECSQL1", &utilka::EXECSQL1, korda::PassThroughId::ZAPYTANIESQL1},
    {"EXECVAX", &utilka::EXECVAX, korda::PassThroughId::VAX_FK},
    {"EXECVAY", &utilka::EXECVAY, korda::PassThroughId::VAY_FK},
};

int runSql(CommandContext& ctx, const QStringList& args)
{
    QString via = QStringLiteral("EXECVAX");
    QStringList words;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--via") || a.startsWith(QLatin1String("--via="))) {
            if (a.contains(QLatin1Char('=')))
                via = a.mid(a.indexOf(QLatin1Char('=')) + 1);
            else if (i + 1 < args.size())
                via = args.at(++i);
            else {
                ctx.error(QStringLiteral("sql: --via needs a call name"));
                return kExitUsage;
            }
            via = via.toUpper();
        } else if (a == QLatin1String("--")) {
            continue;
        } else if (a.startsWith(QLatin1String("--"))) {
            ctx.error(QStringLiteral("sql: unknown option %1").arg(a));
            return kExitUsage;
        } else {
            words.append(a);
        }
    }
    const QString statement = words.join(QLatin1Char(' ')).trimmed();
    if (statement.isEmpty()) {
        ctx.error(QStringLiteral("sql: no statement given"));
        return kExitUsage;
    }

    const bool scalar = via == QLatin1String("FUNCVAY") || via == QLatin1String("FUNCVAZ");
    const Via* call = nullptr;
    for (const Via& v : kBufferCalls)
        if (via == QLatin1String(v.name))
            call = &v;
    if (!call && !scalar) {
        ctx.error(QStringLiteral("sql: --via takes EXECSQL, EXECSQL1, EXECVAX, EXECVAY, FUNCVAY or FUNCVAZ, not %1")
                      .arg(via));
        return kExitUsage;
    }

    if (!ctx.openSession())
        return kExitFailure;

    if (scalar) {
        const QString value = via == QLatin1String("FUNCVAY") ? utilka::FUNCVAY(statement) : utilka::FUNCVAZ(statement);
        if (utilka::errorCode() != 0) {
            ctx.error(utilka::errorText());
            return kExitFailure;
        }
        ctx.out(value);
        return kExitOk;
    }

    if (!call->exec(statement)) {
        ctx.error(utilka::errorText());
        return kExitFailure;
    }
    const korda::PassThroughTable table(call->buffer);
    qint64 rows = 0;
    while (table.next() == 0) {
        QStringList fields;
        const int columns = table.columnsFilled();
        for (int pos = 1; pos <= columns; ++pos)
            fields.append(table.text(pos));
        ctx.out(fields.join(QLatin1Char('\t')));
        ++rows;
    }
    if (utilka::errorCode() != 33) {
        ctx.error(utilka::errorText());
        return kExitFailure;
    }
    if (ctx.verbose)
        ctx.note(QStringLiteral("%1 row(s)").arg(rows));
    return kExitOk;
}

} // namespace

PRAVIK_COMMAND(QStringLiteral("sql"),
               QStringLiteral("run a SQL statement through one of the module's SQL calls"),
               QStringLiteral(
                   "Usage: pravik sql TEXT [--via EXECSQL|EXECSQL1|EXECVAX|EXECVAY|FUNCVAY|FUNCVAZ]\n"
                   "\n"
                   "Runs TEXT, written in T-SQL as the module writes it, through the chosen call\n"
                   "(default EXECVAX, whose buffer receives every column as text) and prints the\n"
                   "rows the buffer received, one line per row, fields separated by tabs: only\n"
                   "the columns the statement returned, each as the buffer holds it (texts cut\n"
                   "to their field's width and without trailing blanks, amounts with two\n"
                   "decimals). FUNCVAY and FUNCVAZ print the first column of the first row.\n"
                   "A failed statement prints the driver's message on stderr and exits with 1.\n"
                   "\n"
                   "Example:\n"
                   "  pravik --db firma.db sql \"select top 1 isnull(null, 'a') + 'b', len('abc')\"\n"),
               runSql)

} // namespace pravik::cli
