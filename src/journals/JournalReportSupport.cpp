#include "journals/JournalReportSupport.h"

#include "journals/JournalRequest.h"

namespace pravik::journals {

frame::ReportDefinition journalDefinition(const QString& procedure, const QString& mixedCaseName, bool debitCredit,
                                          const QString& yearName)
{
    frame::ReportDefinition d;
    d.procedure = procedure;
    d.mixedCaseName = mixedCaseName;
    d.textTitle = QStringLiteral("Dzienniki");
    d.amountColumns = debitCredit ? 2 : 1;
    if (debitCredit) {
        d.carry.amountFields = {QStringLiteral("WN_R_N"), QStringLiteral("MA_R_N")};
        d.carry.pageTotalFields = {QStringLiteral("WN_PS"), QStringLiteral("MA_PS")};
        d.carry.broughtForwardFields = {QStringLiteral("WN_ZP"), QStringLiteral("MA_ZP")};
    } else {
        d.carry.amountFields = {QStringLiteral("KWOTA_R_N")};
        d.carry.pageTotalFields = {QStringLiteral("KWOTA_PS")};
        d.carry.broughtForwardFields = {QStringLiteral("KWOTA_ZP")};
    }
    d.carry.broughtForwardOnFirstPage = true;
    d.checkBeforeEachRow = false;
    d.pageFull = frame::journalPageFull;
    // Cut sheets of a text printer close a journal page 7 lines before its end, the first page too.
    d.text.reserveFirstPage = 7;
    d.text.reserveLaterPages = 7;
    // The year is the one chosen for the journal, not necessarily the session's.
    d.onOpen = [yearName](frame::RunFrame& f) {
        f.setValue(QStringLiteral("ROK_OBROTOWY"), (QStringLiteral("Rok obrotowy: ") + yearName).left(80));
    };
    return d;
}

QList<Decimal> columns(const DebitCredit& totals)
{
    return {totals.wn, totals.ma};
}

DebitCredit fromColumns(const QList<Decimal>& columns)
{
    DebitCredit t;
    if (!columns.isEmpty())
        t.wn = columns.at(0);
    if (columns.size() > 1)
        t.ma = columns.at(1);
    return t;
}

frame::FieldValues debitCreditValues(const QString& debitField, const QString& creditField, const DebitCredit& totals)
{
    return {{debitField, totals.wn}, {creditField, totals.ma}};
}

} // namespace pravik::journals
