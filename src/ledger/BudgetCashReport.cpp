#include "ledger/BudgetCashReport.h"
#include "ledger/CashReport.h"

#include "framework/RunFrame.h"
#include "ledger/LedgerPage.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/CostCentreTree.h"
#include "siblings/utilka/Gateway.h"
#include "siblings/utilka/Messages.h"
#include "siblings/utilka/TextServices.h"

#include <QHash>

#include <memory>
#include <optional>

namespace pravik::ledger {

namespace {

const QString kLine = QStringLiteral("LINIA");
const QString kSeparator = QStringLiteral("SEPARATOR");
const QString kEntry = QStringLiteral("POZYCJA");
const QString kDescription = QStringLiteral("OPIS_CD");
const QString kClassification = QStringLiteral("KLASYFIKACJA");
const QString kCostCentre = QStringLiteral("MPK");
const QString kPeriodTotals = QStringLiteral("RAZEM_OKRES");

// Tree paths are few and repeat on every entry; the cache is bounded so a long report stays flat.
constexpr int kPathsKept = 4096;

class BudgetCashRun {
public:
    BudgetCashRun(const CashRequest& request, AccountEntriesQueue& queue)
        : m_request(request), m_source(request, queue)
    {
        const korda::Session& s = korda::session();
        m_budget = s.DANE_PRN_BT_DRUKUJ == 1 && s.DANE_CZY_WERSJA_BUDZET == 1;
        m_costCentres = s.DANE_DRUKUJ_ZAPISY_MPK == 1 && s.DANE_CZY_WERSJA_MPK != 0;
    }

    CashReportSource& source() { return m_source; }
    bool next() { return m_source.next(m_line); }

    void print(frame::RunFrame& f)
    {
        f.checkPage();
        f.totals().add(m_line.amounts.columns());
        const AccountEntry& e = m_line.entry;
        const DescriptionParts d = splitDescription(e.description);
        f.printBand(kEntry, {
                                {QStringLiteral("LP"), m_line.rowNumber},
                                {QStringLiteral("NR_EWID_DOK"), e.registerNumber},
                                {QStringLiteral("DATA_BIEZACA"), qint64(e.postingDate)},
                                {QStringLiteral("NR_DOK_ORG"), e.documentNumber},
                                {QStringLiteral("DATA_DOK_ORG"), qint64(e.documentDate)},
                                {QStringLiteral("NR_POZ"), e.lineNumber},
                                {QStringLiteral("KWOTA_WN"), m_line.amounts.debit},
                                {QStringLiteral("KWOTA_MA"), m_line.amounts.credit},
                                {QStringLiteral("OPIS"), d.first},
                            });
        if (!d.rest.isEmpty())
            f.printBand(kDescription, {{QStringLiteral("OPIS_CD"), d.rest}});
        bool separated = false;
        if (m_budget) {
            if (const auto c = classification(e.positionId)) {
                separator(f);
                f.printBand(kClassification, {{QStringLiteral("BT_RODZAJE"), c->kinds},
                                              {QStringLiteral("BT_KLASYFIKACJA"), c->classification}});
                separator(f);
                separated = true;
            }
        }
        if (m_costCentres) {
            const QList<CostCentreAllocation> rows = allocations(e.positionId, e.account);
            for (const CostCentreAllocation& a : rows) {
                if (!separated)
                    separator(f);
                separated = false;
                f.printBand(kCostCentre, {{QStringLiteral("MPK_WSKAZNIKI"), a.indicators},
                                          {QStringLiteral("MPK_DRZEWO"), a.treePath},
                                          {QStringLiteral("MPK_WN"), a.amounts.debit},
                                          {QStringLiteral("MPK_MA"), a.amounts.credit}});
            }
            if (!rows.isEmpty())
                separator(f);
        }
    }

    void close(frame::RunFrame& f)
    {
        rule(f);
        f.printPageTotal();
        rule(f);
        const Amounts period = m_source.periodTotals();
        f.printBand(kPeriodTotals, {{QStringLiteral("OKRES_NAZWA"), QStringLiteral("Razem w okresie")},
                                    {QStringLiteral("OKRES_WN"), period.debit},
                                    {QStringLiteral("OKRES_MA"), period.credit}},
                    frame::TextRole::Total);
        rule(f);
        f.printBroughtForward();
        rule(f);
        f.printCarry(QStringLiteral("Razem"), m_source.running().columns());
        f.printCarry(QStringLiteral("Persaldo"), net(m_source.running()).columns());
        rule(f);
        f.printBand(QStringLiteral("KONIEC"), {}, frame::TextRole::Plain);
    }

private:
    static void rule(frame::RunFrame& f)
    {
        if (!f.textMode())
            f.printBand(kLine, {}, frame::TextRole::None);
    }
    static void separator(frame::RunFrame& f)
    {
        if (!f.textMode())
            f.printBand(kSeparator, {}, frame::TextRole::None);
    }

    std::optional<BudgetClassification> classification(qint64 positionId)
    {
        std::optional<BudgetClassification> out;
        const bool ok = utilka::EXECVAY(QStringLiteral("select bt_klasyfikacja, rodzaj_d, rodzaj_wp, rodzaj_wy, rodzaj_k, rodzaj_z, "
                                                       "rodzaj_x from BT_DANE where id_poz_dok=")
                                        + sql::sqlNumber(positionId));
        if (ok && utilka::NEXT(korda::VAY_FK) == 0) {
            const QString c = korda::VAY_FK.text(1).trimmed();
            if (!c.isEmpty()) {
                QList<bool> flags;
                for (int i = 2; i <= 7; ++i)
                    flags << (korda::VAY_FK.number(i) == 1);
                out = BudgetClassification{c, budgetKindsText(flags)};
            }
        }
        utilka::checkSql();
        korda::VAY_FK.close();
        return out;
    }

    QList<CostCentreAllocation> allocations(qint64 positionId, const QString& account)
    {
        struct Row {
            QString tree;
            QStringList indicators;
            Decimal amount;
            bool debit = false;
        };
        QList<Row> rows;
        const bool ok = utilka::EXECVAY(QStringLiteral("select drzewo_zbior_id,wskaznik_1,wskaznik_2,wskaznik_3,wskaznik_4,wskaznik_5,"
                                                       "kwota,strona from MPK_VIEW where id_poz_dok=%1 AND konto=%2")
                                            .arg(sql::sqlNumber(positionId), sql::sqlText(account)));
        while (ok && utilka::NEXT(korda::VAY_FK) == 0) {
            Row r;
            r.tree = korda::VAY_FK.text(1).trimmed();
            for (int i = 2; i <= 6; ++i)
                r.indicators << korda::VAY_FK.text(i).trimmed();
            r.amount = korda::VAY_FK.dec(7);
            r.debit = korda::VAY_FK.text(8).trimmed() == QStringLiteral("WN");
            rows.append(r);
        }
        utilka::checkSql();
        korda::VAY_FK.close();
        // The tree names are read after the allocations: they share the gateway's cursor.
        QList<CostCentreAllocation> out;
        for (const Row& r : std::as_const(rows)) {
            CostCentreAllocation a;
            a.indicators = indicatorList(r.indicators);
            a.treePath = treePath(r.tree);
            a.amounts = r.debit ? Amounts{r.amount, Decimal()} : Amounts{Decimal(), r.amount};
            out.append(a);
        }
        return out;
    }

    QString treePath(const QString& key)
    {
        auto it = m_paths.constFind(key);
        if (it != m_paths.constEnd())
            return *it;
        if (m_paths.size() >= kPathsKept)
            m_paths.clear();
        return *m_paths.insert(key, utilka::MPK_NAZWA_DRZEWKO(key));
    }

    CashRequest m_request;
    CashReportSource m_source;
    CashLine m_line;
    bool m_budget = false;
    bool m_costCentres = false;
    QHash<QString, QString> m_paths;
};

} // namespace

DescriptionParts splitDescription(const QString& description)
{
    DescriptionParts out;
    out.first = utilka::STRING_CUT(QStringLiteral(" "), description, 36);
    out.rest = description.mid(out.first.size()).trimmed().left(50);
    out.first = out.first.trimmed();
    return out;
}

QString budgetKindsText(const QList<bool>& flags)
{
    static const QStringList labels = {QStringLiteral("Dochód, "),  QStringLiteral("Wpływ, "),         QStringLiteral("Wydatek, "),
                                       QStringLiteral("Koszt, "),   QStringLiteral("Zaangażowanie, "), QStringLiteral("Środki pieniężne, ")};
    QString text;
    for (qsizetype i = 0; i < labels.size() && i < flags.size(); ++i)
        if (flags.at(i))
            text += labels.at(i);
    return text;
}

QString indicatorList(const QStringList& indicators)
{
    QString text;
    for (qsizetype i = 0; i < indicators.size() && i < 5; ++i)
        if (!indicators.at(i).isEmpty())
            text += QStringLiteral("%1: %2, ").arg(i + 1).arg(indicators.at(i));
    return text;
}

int printBudgetCashReport(const CashRequest& request, AccountEntriesQueue& queue)
{
    CashRequest r = request;
    r.contraAccounts = false;
    auto run = std::make_unique<BudgetCashRun>(r, queue);
    return runCashReport(QStringLiteral("PRN_81_RK_SQL"), QStringLiteral("Prn_81_Rk_SQL"), r, queue,
                         {run->source(), [&run] { return run->next(); },
                          [&run](frame::RunFrame& f) { run->print(f); }, [&run](frame::RunFrame& f) { run->close(f); }});
}

} // namespace pravik::ledger
