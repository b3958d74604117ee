#include "ledger/BalanceListReport.h"

#include "framework/RunFrame.h"
#include "journals/JournalReportSupport.h"
#include "ledger/BalanceListSource.h"
#include "ledger/LedgerPage.h"
#include "siblings/korda/Session.h"

#include <memory>

namespace pravik::ledger {

namespace {

class BalanceRun {
public:
    BalanceRun(const LedgerRequest& request, const QString& printCurrency) : m_source(request, printCurrency) {}

    BalanceListSource& source() { return m_source; }
    bool next() { return m_source.next(m_line); }

    void afterHeadings(frame::RunFrame& f)
    {
        if (m_source.partialItems())
            f.printBand(QStringLiteral("SZCZEGOLY_NAGLOWEK"), {}, frame::TextRole::ColumnHeadings);
    }

    void print(frame::RunFrame& f)
    {
        f.totals().add({m_line.turnover.debit, m_line.turnover.credit, m_line.balance.debit, m_line.balance.credit});
        f.printBand(QStringLiteral("POZYCJA"), {{QStringLiteral("LP"), m_line.rowNumber},
                                                {QStringLiteral("NR_KONTA"), m_line.account},
                                                {QStringLiteral("NAZWA_KONTA"), m_line.name},
                                                {QStringLiteral("OBROTY_WN"), m_line.turnover.debit},
                                                {QStringLiteral("OBROTY_MA"), m_line.turnover.credit},
                                                {QStringLiteral("SALDO_WN"), m_line.balance.debit},
                                                {QStringLiteral("SALDO_MA"), m_line.balance.credit}});
        if (m_source.partialItems()) {
            bool failed = false;
            const QList<PartialItem> items = m_source.items(m_line.account, &failed);
            if (!items.isEmpty()) {
                f.printBand(QStringLiteral("SZCZEGOLY_LINIA"), {}, frame::TextRole::None);
                for (const PartialItem& i : items) {
                    f.printBand(QStringLiteral("SZCZEGOLY"), {{QStringLiteral("SZ_DATA_DOK"), qint64(i.date)},
                                                              {QStringLiteral("SZ_NR_DOK"), i.number},
                                                              {QStringLiteral("SZ_OPIS"), i.description},
                                                              {QStringLiteral("SZ_KWOTA_WN_W"), i.inCurrency.debit},
                                                              {QStringLiteral("SZ_KWOTA_WN"), i.base.debit},
                                                              {QStringLiteral("SZ_KWOTA_MA_W"), i.inCurrency.credit},
                                                              {QStringLiteral("SZ_KWOTA_MA"), i.base.credit}});
                    f.checkPage();
                }
                f.printBand(QStringLiteral("LINIA"), {}, frame::TextRole::None);
            }
        }
        f.checkPage();
    }

    void close(frame::RunFrame& f)
    {
        const BalanceTotals& t = m_source.totals();
        f.printBand(QStringLiteral("LINIA"), {}, frame::TextRole::None);
        f.printBand(QStringLiteral("RAZEM"), {{QStringLiteral("RAZEM_NAZWA"), QStringLiteral("Razem")},
                                              {QStringLiteral("RAZEM_OWN"), t.turnover.debit},
                                              {QStringLiteral("RAZEM_OMA"), t.turnover.credit},
                                              {QStringLiteral("RAZEM_SWN"), t.balance.debit},
                                              {QStringLiteral("RAZEM_SMA"), t.balance.credit}});
        f.printBand(QStringLiteral("LINIA"), {}, frame::TextRole::None);
        f.printBand(QStringLiteral("KONIEC"), {}, frame::TextRole::Plain);
    }

private:
    BalanceListSource m_source;
    BalanceLine m_line;
};

} // namespace

int printAccountBalances(const LedgerRequest& request)
{
    const journals::GraphicOnly graphic;
    korda::Session& s = korda::session();
    if (s.GGG_PRN_AKTYWNA_WALUTA.text().trimmed().isEmpty())
        s.GGG_PRN_AKTYWNA_WALUTA = request.companyCurrency.isEmpty() ? QStringLiteral("PLN") : request.companyCurrency;
    auto run = std::make_unique<BalanceRun>(request, s.GGG_PRN_AKTYWNA_WALUTA.text().trimmed());
    queueDescriptionLines(run->source().descriptionLines());

    frame::ReportDefinition d;
    d.procedure = QStringLiteral("PRN_63_KSIEGA_SQL");
    d.mixedCaseName = QStringLiteral("Prn_63_Ksiega_SQL");
    d.textTitle = QStringLiteral("Księga główna");
    d.amountColumns = 4;
    d.carry.amountFields = {QStringLiteral("OWN_R"), QStringLiteral("OMA_R"), QStringLiteral("SWN_R"), QStringLiteral("SMA_R")};
    d.carry.pageTotalFields = {QStringLiteral("OWN_PS"), QStringLiteral("OMA_PS"), QStringLiteral("SWN_PS"), QStringLiteral("SMA_PS")};
    d.carry.broughtForwardFields = {QStringLiteral("OWN_ZP"), QStringLiteral("OMA_ZP"), QStringLiteral("SWN_ZP"),
                                    QStringLiteral("SMA_ZP")};
    d.pageFull = ledgerPageFull;
    d.checkBeforeEachRow = false;
    d.onOpen = [&request](frame::RunFrame& f) {
        if (!request.yearName.isEmpty())
            f.setValue(QStringLiteral("ROK_OBROTOWY"), (QStringLiteral("Rok obrotowy: ") + request.yearName).left(80));
        if (request.settings.noShading)
            f.layout().removeShading();
    };
    d.afterColumnHeadings = [&run](frame::RunFrame& f) { run->afterHeadings(f); };
    d.closing = [&run](frame::RunFrame& f) { run->close(f); };
    s.DANE_NAGLOWEK_WYDRUKU = request.title;

    frame::RunFrame frame(std::move(d));
    if (!frame.start())
        return frame::kResponseCancelled;
    frame.wait(QStringLiteral("Proszę czekać. Trwa przygotowanie danych (serwer)..."));
    const qint64 total = run->source().count();
    if (!run->source().start())
        return frame.abandon();
    return frame.run({[&run] { return run->next(); }, [&run](frame::RunFrame& f) { run->print(f); }, total});
}

} // namespace pravik::ledger
