#include "ledger/CurrencySheetReport.h"

#include "framework/RunFrame.h"
#include "ledger/CurrencySheetSource.h"
#include "ledger/LedgerPage.h"
#include "siblings/korda/Session.h"

#include <memory>

namespace pravik::ledger {

namespace {

const QString kLine = QStringLiteral("LINIA");
const QString kTotals = QStringLiteral("RAZEM");
const QString kCurrencies = QStringLiteral("WALUTY");

frame::FieldValues totalsValues(const QString& label, const Amounts& a)
{
    return {{QStringLiteral("RAZEM_NAZWA"), label.left(19)}, {QStringLiteral("RAZEM_WN"), a.debit},
            {QStringLiteral("RAZEM_MA"), a.credit}};
}

class CurrencyRun {
public:
    explicit CurrencyRun(const LedgerRequest& request) : m_request(request), m_source(request) {}

    CurrencySheetSource& source() { return m_source; }
    bool next() { return m_source.next(m_line); }

    void print(frame::RunFrame& f)
    {
        f.checkPage();
        const SheetLine& p = m_line.posting;
        f.totals().add(p.amounts.columns());
        f.printBand(QStringLiteral("POZYCJA"), {
                                                   {QStringLiteral("LP"), p.rowNumber},
                                                   {QStringLiteral("NR_EWID_DOK"), p.registerNumber},
                                                   {QStringLiteral("NR_DOK_ORG"), p.documentNumber},
                                                   {QStringLiteral("DATA_DOK_ORG"), qint64(p.documentDate)},
                                                   {QStringLiteral("DATA_BIEZACA"), qint64(p.postingDate)},
                                                   {QStringLiteral("NR_POZ"), p.lineNumber},
                                                   {QStringLiteral("DZIENNIK"), p.journalCode},
                                                   {QStringLiteral("KWOTA_WN"), p.amounts.debit},
                                                   {QStringLiteral("KWOTA_MA"), p.amounts.credit},
                                                   {QStringLiteral("KWOTA_WN_W"), m_line.currencyAmounts.debit},
                                                   {QStringLiteral("KWOTA_MA_W"), m_line.currencyAmounts.credit},
                                                   {QStringLiteral("WALUTA"), m_line.currency},
                                                   {QStringLiteral("OPIS_POZ"), p.description},
                                                   {QStringLiteral("GRUPA"), p.group},
                                               });
    }

    void close(frame::RunFrame& f)
    {
        const Amounts totals = m_source.totals();
        f.printBand(kLine, {}, frame::TextRole::None);
        f.printBand(kTotals, totalsValues(QStringLiteral("Razem"), totals));
        f.printBand(kLine, {}, frame::TextRole::None);
        f.printBand(kTotals, totalsValues(QStringLiteral("Persaldo"), net(totals)));
        f.printBand(kLine, {}, frame::TextRole::None);
        bool first = true;
        for (const CurrencyTotals& c : m_source.breakdown()) {
            printCurrency(f, first ? QStringLiteral("W tym:") : QString(), c.code, c.base, c.inCurrency);
            first = false;
            printCurrency(f, QString(), QStringLiteral("Persaldo ") + c.code, net(c.base), net(c.inCurrency));
        }
        f.printBand(kLine, {}, frame::TextRole::None);
        f.printBand(QStringLiteral("KONIEC"), {}, frame::TextRole::Plain);
    }

private:
    void printCurrency(frame::RunFrame& f, const QString& label, const QString& second, const Amounts& base,
                       const Amounts& inCurrency)
    {
        f.printBand(kCurrencies, {{QStringLiteral("WALUTA_ETYKIETA"), label.left(10)},
                                  {QStringLiteral("WALUTA_KOD"), second.left(30)},
                                  {QStringLiteral("WALUTA_WN"), base.debit},
                                  {QStringLiteral("WALUTA_MA"), base.credit},
                                  {QStringLiteral("WALUTA_WN_W"), inCurrency.debit},
                                  {QStringLiteral("WALUTA_MA_W"), inCurrency.credit}});
        f.checkPage();
    }

    LedgerRequest m_request;
    CurrencySheetSource m_source;
    CurrencyLine m_line;
};

} // namespace

int printCurrencySheets(const LedgerRequest& request)
{
    korda::Session& s = korda::session();
    if (s.GGG_PRN_AKTYWNA_WALUTA.text().trimmed().isEmpty())
        s.GGG_PRN_AKTYWNA_WALUTA = QStringLiteral("PLN");
    auto run = std::make_unique<CurrencyRun>(request);
    queueDescriptionLines(run->source().descriptionLines(s.GGG_PRN_AKTYWNA_WALUTA.text().trimmed()));

    frame::ReportDefinition d = ledgerDefinition(
        QStringLiteral("PRN_64_KSIEGA_SQL"), QStringLiteral("Prn_64_Ksiega_SQL"), request,
        {QStringLiteral("WN_R_N"), QStringLiteral("MA_R_N")}, {QStringLiteral("WN_PS"), QStringLiteral("MA_PS")},
        {QStringLiteral("WN_ZP"), QStringLiteral("MA_ZP")});
    const auto open = d.onOpen;
    d.onOpen = [&request, open](frame::RunFrame& f) {
        open(f);
        f.setValue(QStringLiteral("NS_GRUPA"), request.periodLayout() ? QStringLiteral("Okres obrotowy") : QStringLiteral("Konto"));
    };
    d.closing = [&run](frame::RunFrame& f) { run->close(f); };
    return runLedgerPrint(
        std::move(d), request, [&run] { return run->source().count(); }, [&run] { return run->source().start(); },
        {[&run] { return run->next(); }, [&run](frame::RunFrame& f) { run->print(f); }});
}

} // namespace pravik::ledger
