// "pravik statement ... --show": generates a user-defined statement through ZESTAWIENIE_GENERUJ,
// the way the statement window does (column periods in KOMUNIKAT, then the call), and prints the
// computed rows as a table, so that the figures can be looked at before anything is printed.
#include "Command.h"
#include "Options.h"

#include "platform/Decimal.h"
#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"

namespace pravik::cli {

namespace {

using sql::sqlNumber;
using sql::sqlText;

// "-1 234 567,89": the amounts as the printouts show them.
QString amountText(const Decimal& d)
{
    const qint64 cents = d.cents() < 0 ? -d.cents() : d.cents();
    QString units = QString::number(cents / 100);
    for (qsizetype i = units.size() - 3; i > 0; i -= 3)
        units.insert(i, QLatin1Char(' '));
    return QStringLiteral("%1%2,%3").arg(d.sign() < 0 ? QStringLiteral("-") : QString(), units)
        .arg(cents % 100, 2, 10, QLatin1Char('0'));
}

int runStatement(CommandContext& ctx, const QStringList& args)
{
    std::optional<qint64> id;
    QString name;
    std::optional<DayNumber> from, to;
    bool show = false, approved = false, computeBo = false, skipBz = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= args.size())
                return std::nullopt;
            return args.at(++i);
        };
        if (a == QLatin1String("--id") || a == QLatin1String("--name") || a == QLatin1String("--from") || a == QLatin1String("--to")) {
            const auto v = value();
            if (!v) {
                ctx.error(QStringLiteral("statement: %1 needs a value").arg(a));
                return kExitUsage;
            }
            bool ok = true;
            if (a == QLatin1String("--id"))
                id = v->toLongLong(&ok);
            else if (a == QLatin1String("--name"))
                name = *v;
            else if (const auto day = parseDate(*v))
                (a == QLatin1String("--from") ? from : to) = *day;
            else
                ok = false;
            if (!ok) {
                ctx.error(QStringLiteral("statement: %1 does not take \"%2\"").arg(a, *v));
                return kExitUsage;
            }
        } else if (a == QLatin1String("--show")) {
            show = true;
        } else if (a == QLatin1String("--approved-only")) {
            approved = true;
        } else if (a == QLatin1String("--compute-bo")) {
            computeBo = true;
        } else if (a == QLatin1String("--skip-bz")) {
            skipBz = true;
        } else {
            ctx.error(QStringLiteral("statement: unknown argument %1").arg(a));
            return kExitUsage;
        }
    }
    if (id.has_value() == !name.isEmpty()) {
        ctx.error(QStringLiteral("statement: give either --id N or --name TEXT"));
        return kExitUsage;
    }
    if (!show) {
        ctx.error(QStringLiteral("statement: choose an output: --show"));
        return kExitUsage;
    }
    if (!ctx.openSession())
        return kExitFailure;
    sql::Database& db = sql::Database::forThread();
    const korda::Session& s = korda::session();
    auto fail = [&](const QString& message) {
        ctx.error(QStringLiteral("statement: %1").arg(message));
        return kExitFailure;
    };

    QStringList cols = {QStringLiteral("id_zestaw_nag"), QStringLiteral("ilosc_kolumn"), QStringLiteral("nazwa"),
                        QStringLiteral("etykieta_0")};
    for (int c = 1; c <= 20; ++c)
        cols << QStringLiteral("etykieta_%1").arg(c) << QStringLiteral("czy_bo_%1").arg(c);
    sql::Cursor head = db.execNative(QStringLiteral("select %1 from ZESTAW_NAG where id_firmy=%2 and %3 order by id_zestaw_nag")
                                         .arg(cols.join(QLatin1Char(',')), sqlNumber(s.DANE_ID_FIRMY),
                                              id ? QStringLiteral("id_zestaw_nag=%1").arg(sqlNumber(*id))
                                                 : QStringLiteral("nazwa=%1").arg(sqlText(name))));
    if (!head.ok())
        return fail(head.errorText());
    if (!head.next())
        return fail(id ? QStringLiteral("company %1 has no statement %2").arg(s.DANE_ID_FIRMY).arg(*id)
                       : QStringLiteral("company %1 has no statement named \"%2\"").arg(s.DANE_ID_FIRMY).arg(name));
    const qint64 statement = head.value(0).toLongLong();
    const int columns = head.value(1).toInt();
    const QString title = head.value(2).toString().trimmed();
    QStringList captions = {head.value(3).toString().trimmed().isEmpty() ? QStringLiteral("Nazwa pozycji")
                                                                         : head.value(3).toString().trimmed()};
    QList<bool> opening;
    for (int c = 1; c <= 20; ++c) {
        captions << head.value(2 + c * 2).toString().trimmed();
        opening << (head.value(3 + c * 2).toInt() == 1);
    }
    head.close();

    const DayNumber dayFrom = from.value_or(0), dayTo = to.value_or(s.DANE_KONIEC_ROKU);
    const QString user = sqlNumber(s.DANE_ID_UZYTKOWNIKA_NR);
    // The column periods, as the statement window passes them.
    QStringList script = {QStringLiteral("delete from KOMUNIKAT where id_uzytkownika=%1 and kontekst='ZESTZAK'").arg(user)};
    for (int c = 1; c <= columns && c <= 20; ++c) {
        const bool bo = opening.at(c - 1);
        script << QStringLiteral("insert into KOMUNIKAT (id_uzytkownika,kontekst,tekst1,tekst2,tekst3,id_zasobu) values(%1,'ZESTZAK',"
                                 "'%2','%3','%4',%5)").arg(user).arg(c).arg(bo ? 0 : dayFrom).arg(bo ? 0 : dayTo).arg(statement);
    }
    for (const QString& sql : script) {
        sql::Cursor c = db.execNative(sql);
        if (!c.ok())
            return fail(c.errorText());
    }
    sql::Cursor call = db.exec(QStringLiteral("CALL ZESTAWIENIE_GENERUJ(%1,%2,%3,%4,1,%5,%6,%7,%8,%9,0,1)")
                                   .arg(sqlNumber(s.DANE_ID_FIRMY), sqlNumber(s.DANE_LATA_OBROTOWE), user, sqlNumber(statement),
                                        sqlNumber(dayFrom), sqlNumber(dayTo), approved ? QStringLiteral("1") : QStringLiteral("0"),
                                        computeBo ? QStringLiteral("1") : QStringLiteral("0"))
                                   .arg(skipBz ? QStringLiteral("1") : QStringLiteral("0")));
    if (!call.ok())
        return fail(call.errorText());
    call.close();

    QStringList kols;
    for (int c = 1; c <= columns; ++c)
        kols << QStringLiteral("kol%1").arg(c);
    sql::Cursor rows = db.execNative(QStringLiteral("select symbol, opis, poziom, %1 from ZESTAW_ZESTAW where id_uzytkownika=%2"
                                                    " and id_zestaw_nag=%3 and wariant_zestaw=1 order by lp")
                                         .arg(kols.join(QLatin1Char(',')), user, sqlNumber(statement)));
    QList<QStringList> table;
    while (rows.next()) {
        const int level = qAbs(rows.value(2).toInt());
        const QString symbol = rows.value(0).toString().trimmed();
        QStringList line = {QString(qMax(level - 1, 0) * 2, QLatin1Char(' ')) + (symbol.isEmpty() ? QString() : symbol + QLatin1Char(' '))
                            + rows.value(1).toString().trimmed()};
        for (int c = 0; c < columns; ++c)
            line << amountText(Decimal::fromVariant(rows.value(3 + c)).value_or(Decimal()));
        table << line;
    }
    if (!rows.ok())
        return fail(rows.errorText());

    QList<qsizetype> widths;
    QStringList header = captions.mid(0, columns + 1);
    for (int c = 0; c <= columns; ++c) {
        if (c > 0 && header[c].isEmpty())
            header[c] = QStringLiteral("Kolumna %1").arg(c);
        qsizetype w = header[c].size();
        for (const QStringList& line : table)
            w = qMax(w, line[c].size());
        widths << qMin<qsizetype>(w, c == 0 ? 70 : 30);
    }
    auto format = [&](const QStringList& line) {
        QString text = line[0].left(widths[0]).leftJustified(widths[0]);
        for (int c = 1; c <= columns; ++c)
            text += QStringLiteral("  ") + line[c].rightJustified(widths[c]);
        return text;
    };
    ctx.out(title);
    ctx.out(format(header));
    ctx.out(QString(format(header).size(), QLatin1Char('-')));
    for (const QStringList& line : table)
        ctx.out(format(line));
    return kExitOk;
}

} // namespace

PRAVIK_COMMAND(QStringLiteral("statement"),
               QStringLiteral("generate a user-defined statement and show its rows"),
               QStringLiteral(
                   "pravik [--db DB] [--company N] [--year N] [--user LOGIN] statement (--id N | --name TEXT)\n"
                   "       [--from DATE] [--to DATE] [--approved-only] [--compute-bo] [--skip-bz] --show\n"
                   "\n"
                   "Computes the statement with ZESTAWIENIE_GENERUJ for the period (every column that is not an\n"
                   "opening-balance column gets it; --from defaults to the year's start, --to to its end) and\n"
                   "prints the rows: the text indented by level, then one amount per column. A formula error is\n"
                   "printed with the row, column and character it names, and the exit code is 1.\n"
                   "\n"
                   "  --approved-only   only approved documents\n"
                   "  --compute-bo      opening balances from the previous year's closing balances\n"
                   "  --skip-bz         leave out the year-closing period\n"),
               &runStatement)

} // namespace pravik::cli
