#include "ledger/BalanceListReport.h"

#include "framework/RunFrame.h"
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
    korda::Session& s = korda::session();
    if (s.GGG_PRN_AKTYWNA_WALUTA.text().trimmed().isEmpty())
        s.GGG_PRN_AKTYWNA_WALUTA = request.companyCurrency.isEmpty() ? QStringLiteral("PLN") : request.companyCurrency;
    auto run = std::make_unique<BalanceRun>(request, s.GGG_PRN_AKTYWNA_WALUTA.text().trimmed());
    queueDescriptionLines(run->source().descriptionLines());

    auto fields = [](const QString& suffix) {
        QStringList out;
        for (const char* column : {"OWN", "OMA", "SWN", "SMA"})
            out << QLatin1String(column) + suffix;
        return out;
    };
    frame::ReportDefinition d = ledgerDefinition(QStringLiteral("PRN_63_KSIEGA_SQL"), QStringLiteral("Prn_63_Ksiega_SQL"), request,
                                                 fields(QStringLiteral("_R")), fields(QStringLiteral("_PS")),
                                                 fields(QStringLiteral("_ZP")));
    d.afterColumnHeadings = [&run](frame::RunFrame& f) { run->afterHeadings(f); };
    d.closing = [&run](frame::RunFrame& f) { run->close(f); };
    return runLedgerPrint(
        std::move(d), request, [&run] { return run->source().count(); }, [&run] { return run->source().start(); },
        {[&run] { return run->next(); }, [&run](frame::RunFrame& f) { run->print(f); }});
}

} // namespace pravik::ledger
