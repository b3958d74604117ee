#include "turnover/browse/StatementBrowseRows.h"

#include "platform/sql/Quote.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/utilka/Gateway.h"
#include "turnover/compute/ScratchRows.h"

namespace pravik::turnover {

BrowseRows readBrowseRows(qint32 user, qint32 statementId)
{
    BrowseRows out;
    // Only the statement's own rows: the user's other rows in the table (the server's
    // computation, user-defined statements) are not part of it.
    const QString sql = QStringLiteral("select opis, info, kol1, kol2, kol3, kol4, kol5, kol6, kol7, kol8 from ZESTAW_ZESTAW"
                                       " where id_uzytkownika=%1 AND id_zestaw_nag=%2 AND wariant_zestaw=%3"
                                       " order by id_uzytkownika, id_zestaw_nag, wariant_zestaw, lp, id_zestaw_zestaw")
                            .arg(sql::sqlNumber(user), sql::sqlNumber(statementId), sql::sqlNumber(kBrowseVariant));
    if (utilka::EXECVAX(sql)) {
        while (utilka::NEXT(korda::VAX_FK) == 0) {
            BrowseRow r;
            r.account = korda::VAX_FK.text(1);
            r.name = korda::VAX_FK.text(2);
            for (int k = 0; k < 8; ++k)
                r.amounts[std::size_t(k)] = korda::VAX_FK.dec(3 + k);
            out.rows.append(r);
        }
    }
    out.ok = utilka::checkSql();
    korda::VAX_FK.close();
    return out;
}

QStringList browseCaptions(int mode)
{
    const QString account = QStringLiteral("Konto");
    const QString name = QStringLiteral("Nazwa konta");
    switch (mode) {
    case 1:
        return {account, name, QStringLiteral("BO Dt"), QStringLiteral("BO Ct"), QStringLiteral("Obr.(okres) Dt"),
                QStringLiteral("Obr.(okres) Ct"), QStringLiteral("Obr.(narast.) Dt"), QStringLiteral("Obr.(narast.) Ct"),
                QStringLiteral("Saldo Dt"), QStringLiteral("Saldo Ct")};
    case 2:
        return {account, name, QStringLiteral("BO Dt"), QStringLiteral("BO Ct"), QStringLiteral("Obr.(narast.) Dt"),
                QStringLiteral("Obr.(narast.) Ct"), QStringLiteral("Saldo Dt"), QStringLiteral("Saldo Ct"),
                QStringLiteral("Persaldo Dt"), QStringLiteral("Persaldo Ct")};
    case 3:
        return {account, name, QStringLiteral("BO Dt"), QStringLiteral("BO Ct"), QStringLiteral("Obr.(narast.) Dt"),
                QStringLiteral("Obr.(narast.) Ct")};
    default:
        return {account, name, QStringLiteral("KOL1"), QStringLiteral("KOL2"), QStringLiteral("KOL 3"),
                QStringLiteral("KOL 4"), QStringLiteral("KOL 5"), QStringLiteral("KOL 6"), QStringLiteral("KOL 7"),
                QStringLiteral("KOL 8")};
    }
}

QString browseAmountText(const Decimal& amount)
{
    const qint64 cents = amount.cents();
    const quint64 abs = cents < 0 ? quint64(-(cents + 1)) + 1 : quint64(cents);
    QString units = QString::number(abs / 100);
    for (qsizetype i = units.size() - 3; i > 0; i -= 3)
        units.insert(i, QLatin1Char(' '));
    return (cents < 0 ? QStringLiteral("-") : QString()) + units + QLatin1Char(',')
        + QStringLiteral("%1").arg(abs % 100, 2, 10, QLatin1Char('0'));
}

} // namespace pravik::turnover
