#include "ledger/AccountSheetSource.h"

#include "ledger/LedgerLabels.h"
#include "ledger/RowStream.h"
#include "ledger/PostingFilter.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/utilka/Gateway.h"
#include "siblings/utilka/Messages.h"

namespace pravik::ledger {

namespace {

using korda::VAX_FK;
using korda::VAY_FK;

// Row query columns, in the order of the select list.
enum Column {
    IdPozDok = 1,
    Konto,
    DataOkresu,
    Strona,
    NrEwidDok,
    DataBiezaca,
    NrDokOrg,
    DataDokOrg,
    DataOperGosp,
    Lp,
    KwotaWn,
    KwotaMa,
    Opis,
    IdPaczka,
    IdUzytK,
    IdUzytP,
    DataKsieg,
};

} // namespace

AccountSheetSource::AccountSheetSource(const LedgerRequest& request)
    : m_request(request),
      m_view(postingView(request.control.sort, request.settings.budgetVersion)),
      m_where(postingWhere(request.company, request.filter, m_view)),
      m_order(postingOrder(request.control.sort, request.control.ascending, request.periodLayout())),
      m_codes(request.company, request.settings.costCentreSeparator),
      m_summary(request.periodLayout())
{
}

QStringList AccountSheetSource::descriptionLines()
{
    QStringList lines;
    if (m_request.settings.approvedFigures < 1)
        lines << QStringLiteral("Wydruk operacyjny do użytku wewnętrznego");
    lines << QStringLiteral("Waluta: PLN");
    if (m_request.periodLayout()) {
        if (m_request.periodDate != 0)
            lines << QStringLiteral("Okres obrotowy: ") + monthName(monthOf(m_request.periodDate));
        const QString account = accountOfDescription(m_request.control.description);
        const QString line = (m_request.control.description + u' ' + accountName(account)).trimmed();
        if (!line.isEmpty())
            lines << line;
    } else if (!m_request.control.description.trimmed().isEmpty()) {
        lines << m_request.control.description.trimmed();
    }
    lines << m_request.hostDescriptions;
    return lines;
}

qint64 AccountSheetSource::count()
{
    return utilka::FUNCVAY(QStringLiteral("select count(*) from ") + m_view + QStringLiteral(" where ") + m_where).toLongLong();
}

DayNumber AccountSheetSource::openingBalancePeriod() const
{
    return openingPeriod(m_request.yearStart);
}

Amounts AccountSheetSource::openingSums(const QString& where)
{
    Amounts sums;
    if (utilka::EXECVAX(QStringLiteral("select sum(kwota_wn), sum(kwota_ma) from ") + m_view + QStringLiteral(" where ") + where)
        && VAX_FK.next() == 0) {
        sums.debit = VAX_FK.dec(1);
        sums.credit = VAX_FK.dec(2);
    }
    if (utilka::errorCode() != 0 && utilka::errorCode() != 33) {
        utilka::MSG_OST(utilka::errorText());
        sums = {};
    }
    VAX_FK.close();
    return sums;
}

OpeningFigures AccountSheetSource::opening()
{
    OpeningFigures f;
    const DayNumber period = m_request.periodDate;
    const QString bo = sql::sqlNumber(openingBalancePeriod());
    const std::optional<QString> atOpening = replacePeriodCondition(m_where, period, QStringLiteral("data_okresu=") + bo);
    // Earlier periods of this year only: the opening balance already carries the years before.
    const std::optional<QString> before = replacePeriodCondition(
        m_where, period, QStringLiteral("(data_okresu<%1 AND data_okresu>=%2)").arg(sql::sqlNumber(period), bo));
    f.periodFound = atOpening.has_value();
    f.openingBalance = openingSums(atOpening.value_or(m_where));
    f.broughtForward = openingSums(before.value_or(m_where));
    return f;
}

bool AccountSheetSource::start()
{
    m_journals.load(m_request.company);
    m_totals = {};
    m_rowNumber = 0;
    utilka::EXECVAY(QStringLiteral("select id_poz_dok,konto,data_okresu,strona,nr_ewid_dok,data_biezaca,nr_dok_org,"
                                   "data_dok_org,data_oper_gosp,lp,kwota_wn,kwota_ma,opis,id_paczka,id_uzyt_k,id_uzyt_p,"
                                   " data_ksieg from ")
                    + m_view + QStringLiteral(" where ") + m_where + u' ' + m_order);
    m_started = utilka::checkSql();
    return m_started;
}

bool AccountSheetSource::next(SheetLine& line)
{
    while (nextRow(m_started)) {
        line.postingId = VAY_FK.number(IdPozDok);
        line.side = VAY_FK.text(Strona);
        if (m_request.control.markedOnly && !m_request.marked.admits(line.side, line.postingId))
            continue;
        line.account = VAY_FK.text(Konto).left(60);
        line.period = DayNumber(VAY_FK.number(DataOkresu));
        line.registerNumber = VAY_FK.text(NrEwidDok).left(25);
        line.postingDate = DayNumber(VAY_FK.number(DataBiezaca));
        line.documentNumber = VAY_FK.text(NrDokOrg).left(30);
        line.documentDate = DayNumber(VAY_FK.number(DataDokOrg));
        line.operationDate = DayNumber(VAY_FK.number(DataOperGosp));
        line.lineNumber = VAY_FK.number(Lp);
        line.amounts = {VAY_FK.dec(KwotaWn), VAY_FK.dec(KwotaMa)};
        line.description = VAY_FK.text(Opis).left(50);
        line.journalCode = m_journals.code(qint32(VAY_FK.number(IdPaczka))).left(10);
        const QString byWhom = VAY_FK.text(IdUzytK);
        line.user = (byWhom.trimmed().isEmpty() ? VAY_FK.text(IdUzytP) : byWhom).left(8);
        line.approvalDate = DayNumber(VAY_FK.number(DataKsieg));
        line.group = m_request.periodLayout() ? periodGroup(line.period) : line.account;
        line.rowNumber = ++m_rowNumber;
        m_totals += line.amounts;
        if (m_request.settings.summary)
            m_summary.add(line.group, line.period, line.amounts);
        return true;
    }
    return false;
}

QList<CostCentreLine> AccountSheetSource::costCentreLines(const SheetLine& line, bool* failed)
{
    QList<CostCentreLine> out;
    *failed = false;
    const QString side = line.debitSide() ? QStringLiteral("WN") : QStringLiteral("MA");
    struct Raw {
        qint64 indicators[5];
        QString tree;
        Decimal amount;
        bool debit;
    };
    QList<Raw> raw;
    if (!utilka::EXECVAX(QStringLiteral("select wskaznik_1_id,wskaznik_2_id,wskaznik_3_id,wskaznik_4_id,wskaznik_5_id,"
                                        "drzewo_zbior_id,kwota,strona from MPK_DANE where id_poz_dok=%1 AND strona=%2 "
                                        "order by id_mpk_dane")
                             .arg(sql::sqlNumber(line.postingId), sql::sqlText(side)))) {
        utilka::MSG_OST(utilka::errorText());
        VAX_FK.close();
        *failed = true;
        return out;
    }
    // The rows are read first: the dictionary lookups use the same buffer.
    while (VAX_FK.next() == 0) {
        Raw r;
        for (int i = 0; i < 5; ++i)
            r.indicators[i] = VAX_FK.number(i + 1);
        r.tree = VAX_FK.text(6);
        r.amount = VAX_FK.dec(7);
        r.debit = VAX_FK.text(8).trimmed().compare(QLatin1String("WN"), Qt::CaseInsensitive) == 0;
        raw << r;
    }
    VAX_FK.close();
    for (const Raw& r : std::as_const(raw)) {
        CostCentreLine c;
        c.amounts = r.debit ? Amounts{r.amount, Decimal()} : Amounts{Decimal(), r.amount};
        for (int i = 0; i < 5; ++i)
            c.indicators[i] = m_codes.indicator(r.indicators[i]).left(30);
        c.path = m_codes.treePath(r.tree).left(150);
        out << c;
    }
    return out;
}

QString AccountSheetSource::accountName(const QString& account)
{
    if (account.trimmed().isEmpty())
        return {};
    QString name;
    if (utilka::EXECVAX(QStringLiteral("CALL USTAL_NAZWE_KONTA (%1,%2,%3)")
                            .arg(sql::sqlNumber(m_request.company), sql::sqlNumber(m_request.year), sql::sqlText(account.trimmed())))
        && VAX_FK.next() == 0)
        name = VAX_FK.text(3).trimmed();
    VAX_FK.close();
    return name;
}

bool AccountSheetSource::twoBalance(const QString& account)
{
    const std::optional<qint32> synthetic = syntheticAccount(account);
    if (!synthetic)
        return false;
    return utilka::FUNCVAY(QStringLiteral("select czy_dwusaldowe from KONTA_SYNT where id_firmy=%1 AND id_lata_obrot=%2 "
                                          "AND nr_konta_syn=%3")
                               .arg(sql::sqlNumber(m_request.company), sql::sqlNumber(m_request.year), sql::sqlNumber(*synthetic)))
               .trimmed()
               .toInt()
        != 0;
}

QList<SummaryRow> AccountSheetSource::summary()
{
    if (m_summary.isEmpty())
        return {};
    QList<SummaryRow> rows = m_summary.rows([&](const QString& parent) { return twoBalance(parent); });
    if (!m_request.periodLayout())
        for (SummaryRow& r : rows)
            r.name = accountName(r.key).left(100);
    return rows;
}

} // namespace pravik::ledger
