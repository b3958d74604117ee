#include "statements/generation/StatementGeneration.h"

#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"

#include <QStringList>

namespace pravik::statements {

namespace {

using sql::sqlNumber;

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// The periods replaced whole: a half-written set would let the procedure compute some columns
// over the previous run's dates.
std::optional<QString> writePeriods(sql::Database& db, const GenerationRequest& r)
{
    const QString user = sqlNumber(r.user);
    QStringList script = {QStringLiteral("delete from KOMUNIKAT where id_uzytkownika=%1 AND kontekst='ZESTZAK'").arg(user)};
    for (const GenerationColumn& c : r.columns)
        script << QStringLiteral("insert into KOMUNIKAT (id_uzytkownika,kontekst,tekst1,tekst2,tekst3,id_zasobu) values(%1,'ZESTZAK',"
                                 "'%2','%3','%4',%5)")
                      .arg(user)
                      .arg(c.number)
                      .arg(c.from)
                      .arg(c.to)
                      .arg(sqlNumber(c.statementId));
    // Inside a caller's transaction the caller decides; otherwise this is one of its own. The
    // statements are plain SQL of both backends, so they go untranslated.
    const bool own = db.transaction();
    for (const QString& statement : std::as_const(script)) {
        sql::Cursor c = db.execNative(statement);
        if (!c.ok()) {
            const QString error = c.errorText();
            if (own)
                db.rollback();
            return error;
        }
    }
    if (own && !db.commit()) {
        const QString error = db.lastError();
        db.rollback();
        return error;
    }
    return std::nullopt;
}

} // namespace

std::optional<QList<GenerationColumn>> statementColumns(qint64 statementId, DayNumber from, DayNumber to, qint32 workingYear,
                                                        QString* error)
{
    QStringList cols;
    for (int c = 1; c <= 20; ++c)
        cols << QStringLiteral("czy_bo_%1").arg(c) << QStringLiteral("id_lo_%1").arg(c);
    sql::Cursor nag = sql::Database::forThread().execNative(QStringLiteral("select ilosc_kolumn, %1 from ZESTAW_NAG where id_zestaw_nag=%2")
                                                          .arg(cols.join(QLatin1Char(',')), sqlNumber(statementId)));
    if (!nag.next()) {
        *error = nag.ok() ? QStringLiteral("Nie ma zestawienia o identyfikatorze %1.").arg(statementId) : nag.errorText();
        return std::nullopt;
    }
    QList<GenerationColumn> out;
    const int count = qMin(nag.value(0).toInt(), 20);
    for (int c = 1; c <= count; ++c) {
        GenerationColumn g;
        g.statementId = statementId;
        g.number = c;
        g.openingBalance = nag.value(2 * c - 1).toInt() == 1;
        const qint32 year = nag.value(2 * c).toInt();
        g.yearId = year > 0 ? year : workingYear;
        if (!g.openingBalance) {
            g.from = from;
            g.to = to;
        }
        out << g;
    }
    return out;
}

std::optional<std::pair<DayNumber, DayNumber>> listDateRange(const QList<GenerationColumn>& columns, qint32 company, qint32 fallbackYear,
                                                             QString* error)
{
    DayNumber from = 0, to = 0;
    QStringList years;
    for (const GenerationColumn& c : columns) {
        if (c.from > 0)
            from = from == 0 ? c.from : qMin(from, c.from);
        if (c.to > 0)
            to = qMax(to, c.to);
        years << sqlNumber(c.yearId);
    }
    if (years.isEmpty())
        years << sqlNumber(fallbackYear);
    years.removeDuplicates();
    if (from > 0 && to > 0)
        return std::pair{from, to};
    sql::Cursor range = sql::Database::forThread().execNative(
        QStringLiteral("select min(poczatek_roku), max(koniec_roku) from LATA_OBROTOWE where id_firmy=%1 and id_lata_obrot in (%2)")
            .arg(sqlNumber(company), years.join(QLatin1Char(','))));
    if (!range.next()) {
        *error = range.ok() ? QStringLiteral("the statement's fiscal years are missing") : range.errorText();
        return std::nullopt;
    }
    if (from == 0)
        from = DayNumber(range.value(0).toLongLong());
    if (to == 0)
        to = DayNumber(range.value(1).toLongLong());
    return std::pair{from, to};
}

bool useRequestPeriod(GenerationRequest* request, QString* error)
{
    request->columns.clear();
    for (qint64 id : std::as_const(request->statements)) {
        const auto columns = statementColumns(id, request->from, request->to, request->year, error);
        if (!columns)
            return false;
        request->columns << *columns;
    }
    return true;
}

std::optional<GenerationFailure> generateStatements(const GenerationRequest& r, const GenerationProgress& progress)
{
    sql::Database& db = sql::Database::forThread();
    if (const auto error = writePeriods(db, r))
        return GenerationFailure{0, *error};
    const int total = int(r.statements.size());
    if (progress)
        progress(0, total);
    int done = 0;
    for (qint64 id : r.statements) {
        sql::Cursor call = db.exec(QStringLiteral("CALL ZESTAWIENIE_GENERUJ(%1,%2,%3,%4,%5,%6,%7,%8,%9,%10,0,1)")
                                       .arg(sqlNumber(r.company), sqlNumber(r.year), sqlNumber(r.user), sqlNumber(id), flag(r.ordinary),
                                            sqlNumber(r.from), sqlNumber(r.to), flag(r.approvedOnly), flag(r.computeBo))
                                       .arg(flag(r.skipBz)));
        if (!call.ok())
            return GenerationFailure{id, call.errorText()};
        ++done;
        if (progress)
            progress(done, total);
    }
    return std::nullopt;
}

} // namespace pravik::statements
