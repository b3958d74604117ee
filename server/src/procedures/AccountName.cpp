#include "server/src/procedures/AccountName.h"

#include "platform/sql/Quote.h"
#include "server/src/procedures/ProcedureArgs.h"
#include "server/src/procedures/ServerSql.h"

namespace pravik::server {

using sql::sqlNumber;
using sql::sqlText;

namespace {

// The name of a card-index entry of the given kind (KARTOT_UZYT.kartot_predef).
QString cardIndexEntryName(StatementRunner& run, qint64 company, const QString& kind, const QString& symbol,
                           const QString& code)
{
    const QString F = sqlNumber(company);
    bool numeric = false;
    const qint64 n = code.toLongLong(&numeric);
    if (kind == QLatin1String("K") && numeric)
        return run.value(QStringLiteral("select nazwa from KONTRAHENT where id_firmy=%1 and kod_kontrahenta=%2")
                             .arg(F, sqlNumber(n))).toString();
    if (kind == QLatin1String("P") && numeric)
        return run.value(QStringLiteral("select nazwisko || ' ' || imie from PRACOWNIK where id_firmy=%1 and kod_pracownika=%2")
                             .arg(F, sqlNumber(n))).toString();
    if (kind == QLatin1String("R") && numeric)
        return run.value(QStringLiteral("select nazwa from RACHUNEK_FIRMY where id_firmy=%1 and kod_rachunku=%2")
                             .arg(F, sqlNumber(n))).toString();
    if (kind == QLatin1String("X"))
        return run.value(QStringLiteral("select opis from ELEMENTY_KARTOT_UZYT where id_firmy=%1 and symbol_kartoteki=%2"
                                        " and wart_pola=%3").arg(F, sqlText(symbol), sqlText(code))).toString();
    return {};
}

} // namespace

AccountName findAccountName(sql::Database& db, qint64 company, qint64 year, const QString& account)
{
    AccountName out;
    const QString acc = account.trimmed();
    if (acc.isEmpty())
        return out;
    StatementRunner run(db);
    const QString F = sqlNumber(company), Y = sqlNumber(year);
    const QList<QVariantList> chart = run.rows(QStringLiteral("select nazwa_konta, poziom from WARTOSCI_KONT where id_firmy=%1"
                                                              " and id_lata_obrot=%2 and nr_konta=%3").arg(F, Y, sqlText(acc)), 1);
    if (!chart.isEmpty()) {
        out.name = chart[0][0].toString();
        out.level = chart[0][1].toInt();
        if (out.level == 0)
            out.level = static_cast<int>(acc.count(QLatin1Char('-'))) + 1;
        return out;
    }
    // A card-index account: the nearest placeholder "prefix-x" above it names the card index.
    for (qsizetype dash = acc.lastIndexOf(QLatin1Char('-')); dash > 0; dash = acc.lastIndexOf(QLatin1Char('-'), dash - 1)) {
        const QString prefix = acc.left(dash);
        const QString code = acc.mid(dash + 1);
        const QList<QVariantList> holder = run.rows(
            QStringLiteral("select w.symbol_kartoteki, k.kartot_predef from WARTOSCI_KONT w left join KARTOT_UZYT k"
                           " on k.id_firmy=w.id_firmy and k.symbol_kartoteki=w.symbol_kartoteki"
                           " where w.id_firmy=%1 and w.id_lata_obrot=%2 and w.nr_konta=%3")
                .arg(F, Y, sqlText(prefix + QStringLiteral("-x"))), 1);
        if (holder.isEmpty())
            continue;
        if (code.contains(QLatin1Char('-')))
            break; // deeper than a card-index entry: not an account of this chart
        out.name = cardIndexEntryName(run, company, holder[0][1].toString().trimmed().toUpper(),
                                      holder[0][0].toString(), code);
        if (!out.name.isEmpty())
            out.level = static_cast<int>(acc.count(QLatin1Char('-'))) + 1;
        break;
    }
    if (!run.ok())
        return AccountName{};
    return out;
}

sql::ProcedureResult ustalNazweKonta(sql::Database& db, const QVariantList& args)
{
    const auto company = argNumber(args, 0), year = argNumber(args, 1);
    AccountName a;
    if (company && year)
        a = findAccountName(db, *company, *year, argText(args, 2));
    sql::ProcedureResult r = sql::ProcedureResult::withRows({QVariantList{a.level, a.name, a.name, a.level}});
    r.columns = QStringList{QStringLiteral("poziom"), QStringLiteral("nazwa"), QStringLiteral("nazwa_konta"),
                            QStringLiteral("poziom_konta")};
    return r;
}

} // namespace pravik::server
