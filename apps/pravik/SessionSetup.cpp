// Filling the session context from the database and the options, as the host application does
// after the user logs in and picks a company and a fiscal year.
#include "Options.h"

#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QSet>

namespace pravik::cli {

namespace {

using sql::Cursor;
using sql::Database;

QSet<QString> tableNames(Database& db)
{
    QSet<QString> names;
    const QStringList tables = db.handle().tables(QSql::AllTables);
    for (const QString& t : tables)
        names.insert(t.toUpper());
    return names;
}

QString trimmedText(const QVariant& v)
{
    QString s = v.toString();
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    return s.left(n);
}

// The period the options ask for, or the month of the working date kept inside the year.
std::optional<DayNumber> choosePeriod(const QString& text, DayNumber workingDate, DayNumber yearFirst,
                                      DayNumber yearLast, QString* problem)
{
    const QString t = text.trimmed().toUpper();
    if (t == QLatin1String("BO")) {
        if (yearFirst <= 0) {
            *problem = QStringLiteral("--period BO needs a fiscal year");
            return std::nullopt;
        }
        return openingPeriod(yearFirst);
    }
    if (t == QLatin1String("BZ")) {
        if (yearLast <= 0) {
            *problem = QStringLiteral("--period BZ needs a fiscal year");
            return std::nullopt;
        }
        return closingPeriod(yearLast);
    }
    if (!t.isEmpty()) {
        static const QRegularExpression my(QStringLiteral("^(\\d{1,2})[-/.](\\d{4})$"));
        static const QRegularExpression ym(QStringLiteral("^(\\d{4})[-/.](\\d{1,2})$"));
        DayNumber day = 0;
        if (const auto m = my.match(t); m.hasMatch())
            day = dayFromYmd(m.captured(2).toInt(), m.captured(1).toInt(), 2);
        else if (const auto m2 = ym.match(t); m2.hasMatch())
            day = dayFromYmd(m2.captured(1).toInt(), m2.captured(2).toInt(), 2);
        else if (const auto d = parseDate(t))
            day = *d;
        if (day <= 0) {
            *problem = QStringLiteral("--period takes BO, BZ, M-YYYY, YYYY-MM or a date, not \"%1\"").arg(text);
            return std::nullopt;
        }
        return day;
    }
    DayNumber date = workingDate;
    if (yearFirst > 0 && date < yearFirst)
        date = yearFirst;
    if (yearLast > 0 && date > yearLast)
        date = yearLast;
    return monthPeriod(yearOf(date), monthOf(date));
}

bool fillCompany(const CommandContext& ctx, Database& db, korda::Session& s, DayNumber workingDate)
{
    qint32 company = ctx.company.value_or(0);
    if (!ctx.company) {
        Cursor c = db.exec(QStringLiteral("select min(id_firmy) from FIRMA"));
        if (c.next())
            company = c.value(0).toInt();
        if (!c.ok()) {
            ctx.error(QStringLiteral("cannot read the companies: %1").arg(c.errorText()));
            return false;
        }
    }
    Cursor c = db.exec(QStringLiteral("select id_firmy, kod_firmy, nazwa, nazwa_pelna, nip, regon, sym_waluty "
                                      "from FIRMA where id_firmy=")
                       + sql::sqlNumber(company));
    if (!c.next()) {
        if (!c.ok())
            ctx.error(QStringLiteral("cannot read company %1: %2").arg(company).arg(c.errorText()));
        else if (ctx.company)
            ctx.error(QStringLiteral("there is no company %1 in FIRMA of %2").arg(company).arg(ctx.databaseText()));
        else
            ctx.error(QStringLiteral("FIRMA of %1 has no company").arg(ctx.databaseText()));
        return false;
    }
    korda::FirmaRecord& f = s.FIRMA;
    f.id_firmy = c.value(0).toInt();
    f.kod_firmy = trimmedText(c.value(1));
    f.nazwa = trimmedText(c.value(2));
    f.nazwa_pelna = trimmedText(c.value(3));
    f.nip = trimmedText(c.value(4));
    f.regon = trimmedText(c.value(5));
    f.sym_waluty = trimmedText(c.value(6));
    c.close();

    s.DANE_ID_FIRMY = f.id_firmy;
    s.DANE_NAZWA_FIRMY = f.nazwa_pelna.isEmpty() ? f.nazwa : f.nazwa_pelna;
    s.DANE_NIP_FIRMY = f.nip;
    if (!f.sym_waluty.isEmpty())
        s.DANE_AKTYWNA_WALUTA = f.sym_waluty;

    // The seat's address on the working date; a database without the address function simply
    // leaves the lines empty.
    if (tableNames(db).contains(QStringLiteral("ADRESY_FIRMY"))) {
        const QString id = sql::sqlNumber(company);
        const QString day = sql::sqlNumber(workingDate);
        Cursor a = db.exec(QStringLiteral("select dbo.tg_AdresFirmy(%1,%2,'S',1), dbo.tg_AdresFirmy(%1,%2,'S',2)")
                               .arg(id, day));
        if (a.next()) {
            s.DANE_ADRES1_FIRMY = trimmedText(a.value(0));
            s.DANE_ADRES2_FIRMY = trimmedText(a.value(1));
        } else if (!a.ok() && ctx.verbose) {
            ctx.note(QStringLiteral("company address not read: %1").arg(a.errorText()));
        }
    }
    // The budget-classification separator is the company's global parameter; "-" when it has none.
    s.GGG_BT_SEPARATOR = QStringLiteral("-");
    if (tableNames(db).contains(QStringLiteral("PARAMETRY_GLOBALNE"))) {
        Cursor p = db.execNative(QStringLiteral("select wartosc from PARAMETRY_GLOBALNE where id_firmy=%1 and nazwa='BT_SEPARATOR'")
                                     .arg(sql::sqlNumber(company)));
        if (p.next() && !trimmedText(p.value(0)).isEmpty())
            s.GGG_BT_SEPARATOR = trimmedText(p.value(0));
    }
    return true;
}

bool fillYear(const CommandContext& ctx, Database& db, korda::Session& s)
{
    const QString company = sql::sqlNumber(s.DANE_ID_FIRMY);
    QString query = QStringLiteral("select id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku, "
                                   "zamkniety_okres, status, zamkniete_bo from LATA_OBROTOWE where id_firmy=")
                    + company;
    if (ctx.year)
        query += QStringLiteral(" AND id_lata_obrot=") + sql::sqlNumber(*ctx.year);
    query += QStringLiteral(" order by poczatek_roku desc, id_lata_obrot desc");
    Cursor c = db.exec(query);
    bool found = c.next();
    if (!found && c.ok() && ctx.year && *ctx.year >= 1900 && *ctx.year <= 2999) {
        // No year with that id: a calendar year names the company's fiscal year that ends in it
        // ("--year 2026" for a budget form's period).
        c.close();
        c = db.exec(QStringLiteral("select id_lata_obrot, id_firmy, rok_obrotowy, poczatek_roku, koniec_roku, zamkniety_okres, status,"
                                   " zamkniete_bo from LATA_OBROTOWE where id_firmy=%1 AND koniec_roku>=%2 AND koniec_roku<=%3"
                                   " order by poczatek_roku desc, id_lata_obrot desc")
                        .arg(company, sql::sqlNumber(dayFromYmd(int(*ctx.year), 1, 1)), sql::sqlNumber(dayFromYmd(int(*ctx.year), 12, 31))));
        found = c.next();
    }
    if (!found) {
        if (!c.ok()) {
            ctx.error(QStringLiteral("cannot read the fiscal years: %1").arg(c.errorText()));
            return false;
        }
        if (ctx.year) {
            ctx.error(QStringLiteral("company %1 has no fiscal year %2").arg(company).arg(*ctx.year));
            return false;
        }
        // A company without a fiscal year: the reports that need one say so themselves.
        return true;
    }
    korda::LataObrotoweRecord& y = s.LATA_OBROTOWE;
    y.id_lata_obrot = c.value(0).toInt();
    y.id_firmy = c.value(1).toInt();
    y.rok_obrotowy = trimmedText(c.value(2));
    y.poczatek_roku = c.value(3).toInt();
    y.koniec_roku = c.value(4).toInt();
    y.zamkniety_okres = c.value(5).toInt();
    y.status = quint8(c.value(6).toInt());
    y.zamkniete_bo = quint8(c.value(7).toInt());
    c.close();

    s.DANE_LATA_OBROTOWE = y.id_lata_obrot;
    s.DANE_LATA_OBROT_NAZWA = y.rok_obrotowy.trimmed();
    s.DANE_POCZATEK_ROKU = y.poczatek_roku;
    s.DANE_KONIEC_ROKU = y.koniec_roku;
    return true;
}

// The login's numeric id, when the database keeps a user table with logins.
std::optional<qint32> lookUpUserId(Database& db, const QString& login)
{
    if (!tableNames(db).contains(QStringLiteral("UZYTKOWNIK")))
        return std::nullopt;
    Cursor c = db.exec(QStringLiteral("select id_uzytkownika from UZYTKOWNIK where login=") + sql::sqlText(login));
    if (c.next())
        return c.value(0).toInt();
    return std::nullopt;
}

// The first user of the user table, for runs that name none.
std::optional<std::pair<qint32, QString>> firstUser(Database& db)
{
    if (!tableNames(db).contains(QStringLiteral("UZYTKOWNIK")))
        return std::nullopt;
    Cursor c = db.exec(QStringLiteral("select top 1 id_uzytkownika, login from UZYTKOWNIK order by id_uzytkownika"));
    if (c.next())
        return std::pair{c.value(0).toInt(), c.value(1).toString().trimmed()};
    return std::nullopt;
}

// The user's login and id. Scratch rows are keyed by the id and the server procedures find
// the user by the login, so the two must name the same user: a login the user table does not
// know is refused when given, and a run that names no user works as the first user of the table
// (a cron job's system login is seldom an accounting user).
bool fillUser(CommandContext& ctx, Database& db, korda::Session& s)
{
    if (!ctx.user.isEmpty()) {
        s.DANE_ID_UZYT = ctx.user;
        const auto id = lookUpUserId(db, ctx.user);
        if (!id && !ctx.userId && firstUser(db)) {
            ctx.error(QStringLiteral("no user \"%1\" in %2").arg(ctx.user, ctx.databaseText()));
            return false;
        }
        s.DANE_ID_UZYTKOWNIKA_NR = ctx.userId ? *ctx.userId : id.value_or(1);
        return true;
    }
    const QString login = qEnvironmentVariable("USER", QStringLiteral("pravik"));
    if (const auto id = lookUpUserId(db, login)) {
        s.DANE_ID_UZYT = login;
        s.DANE_ID_UZYTKOWNIKA_NR = ctx.userId ? *ctx.userId : *id;
    } else if (const auto first = firstUser(db); first && !ctx.userId) {
        s.DANE_ID_UZYTKOWNIKA_NR = first->first;
        s.DANE_ID_UZYT = first->second;
    } else {
        s.DANE_ID_UZYT = login;
        s.DANE_ID_UZYTKOWNIKA_NR = ctx.userId.value_or(1);
    }
    return true;
}

} // namespace

bool CommandContext::openSession()
{
    if (sessionOpen)
        return true;
    Database& database = Database::forThread();
    if (!database.open()) {
        error(QStringLiteral("cannot open the database %1: %2").arg(databaseText(), database.lastError()));
        return false;
    }

    korda::Session& s = korda::session();
    const DayNumber workingDate = date.value_or(today());
    const QSet<QString> tables = tableNames(database);

    if (tables.contains(QStringLiteral("FIRMA"))) {
        if (!fillCompany(*this, database, s, workingDate))
            return false;
    } else if (company) {
        error(QStringLiteral("%1 has no table FIRMA, so company %2 cannot be chosen").arg(databaseText()).arg(*company));
        return false;
    } else {
        s.DANE_ID_FIRMY = 0;
    }

    if (tables.contains(QStringLiteral("LATA_OBROTOWE")) && tables.contains(QStringLiteral("FIRMA"))) {
        if (!fillYear(*this, database, s))
            return false;
    } else if (year) {
        error(QStringLiteral("%1 has no table LATA_OBROTOWE, so fiscal year %2 cannot be chosen")
                  .arg(databaseText()).arg(*year));
        return false;
    }

    s.DANE_DATA_BIEZACA = workingDate;
    s.DANE_DATA_WYDRUKU = workingDate;
    QString problem;
    const auto periodDate = choosePeriod(period, workingDate, s.DANE_POCZATEK_ROKU, s.DANE_KONIEC_ROKU, &problem);
    if (!periodDate) {
        error(problem);
        return false;
    }
    s.DANE_DATA_OKRESU = *periodDate;

    if (!fillUser(*this, database, s))
        return false;

    if (s.GLO_CUTEMP.isEmpty())
        s.GLO_CUTEMP = QDir::toNativeSeparators(QDir::tempPath());
    if (s.GGG_PROGRAMPATH.isEmpty())
        s.GGG_PROGRAMPATH = QCoreApplication::applicationDirPath();

    // What the user set by name has the last word.
    for (const auto& [name, value] : sets)
        korda::setGlobal(name, value, s);

    sessionOpen = true;
    return true;
}

} // namespace pravik::cli
