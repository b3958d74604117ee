#include "turnover/entries/AccountEntriesPrintout.h"

namespace pravik::turnover {

using frame::FieldValues;
using frame::RunFrame;
using frame::TextRole;

namespace {

const QString kAccountBand = QStringLiteral("KONTO");
const QString kEntryBand = QStringLiteral("ZAPISY");
const QString kRuleBand = QStringLiteral("LINIA");
const QString kBeforeBand = QStringLiteral("Z_PRZENIESIENIA");
const QString kTotalBand = QStringLiteral("PODSUMOWANIE");
const QString kEndBand = QStringLiteral("KONIEC_WYDRUKU");
const QString kContraField = QStringLiteral("Z_KONTO_PRZECIWSTAWNE");
const QString kContraHeading = QStringLiteral("NS_KONTO_PRZ");
const QStringList kWidenedBands{QStringLiteral("NAGLOWEKSTRONY"), kEntryBand, kBeforeBand, kTotalBand};

FieldValues totalValues(const AmountPair& amounts)
{
    return {{QStringLiteral("T_K_WN"), amounts.debit}, {QStringLiteral("T_K_MA"), amounts.credit}};
}

} // namespace

const QList<ColumnWidening>& contraColumnWidening()
{
    static const QList<ColumnWidening> widening{{QStringLiteral("Z_NR_EWID"), 1100},
                                                {QStringLiteral("Z_NR_DOK"), 1000},
                                                {QStringLiteral("Z_PODPIS"), 1100},
                                                {QStringLiteral("Z_OPIS"), 1100}};
    return widening;
}

void hideContraColumn(report::Layout& layout)
{
    layout.setVisible(kContraField, false);
    layout.setVisible(kContraHeading, false);
    struct Edge {
        report::Units x;
        report::Units extra;
    };
    QList<Edge> edges;
    for (const ColumnWidening& w : contraColumnWidening())
        edges.append({layout.element(w.column).x, w.extra});
    // Positions are those of the layout as drawn: a column starting where a widened one starts
    // widens with it (its heading), one starting further right moves by what widened before it.
    layout.forEachElement([&](report::Band& band, report::Element& e) {
        if (!kWidenedBands.contains(band.name) || !e.isTextLike() || !e.visible)
            return;
        report::Units shift = 0;
        for (const Edge& edge : edges) {
            if (e.x > edge.x)
                shift += edge.extra;
            else if (e.x == edge.x)
                e.width += edge.extra;
        }
        e.x += shift;
    });
}

// ---------------------------------------------------------------- the run

class AccountEntriesPrintout::Run {
public:
    explicit Run(const EntriesPrintOptions& options) : m_o(options) {}

    void bind(AccountEntriesSource* source)
    {
        m_source = source;
        m_state = State::Between;
    }

    void open(RunFrame& f)
    {
        report::Layout& l = f.layout();
        l.setText(QStringLiteral("NS_DATA_RODZAJ"), m_o.approvalDates ? QStringLiteral("zatwierdz.") : QStringLiteral("księgowania"));
        if (!m_o.contraAccounts)
            hideContraColumn(l);
        if (!m_o.yearName.trimmed().isEmpty())
            f.setValue(QStringLiteral("ROK_OBROTOWY"), (QStringLiteral("Rok obrotowy: ") + m_o.yearName.trimmed()).left(80));
    }

    bool next()
    {
        if (!m_source)
            return false;
        switch (m_state) {
        case State::InAccount:
            if (m_source->nextEntry(m_line)) {
                m_step = Step::Entry;
            } else {
                m_step = Step::Close;
                m_state = State::Between;
            }
            return true;
        case State::Between:
            if (!m_source->nextAccount()) {
                m_state = State::Done;
                return false;
            }
            m_step = Step::Account;
            m_state = State::InAccount;
            return true;
        case State::Done:
            break;
        }
        return false;
    }

    void print(RunFrame& f)
    {
        switch (m_step) {
        case Step::Account: {
            const EntriesAccount& a = m_source->account();
            if (m_o.accountPerPage && a.ordinal > 1)
                f.breakPage();
            else
                f.checkPage();
            f.printBand(kAccountBand,
                        {{QStringLiteral("KT_LP"), qint64(a.ordinal)},
                         {QStringLiteral("KT_NUMER"), a.number.left(60)},
                         {QStringLiteral("KT_NAZWA"), a.name.left(100)}},
                        TextRole::Row);
            rule(f);
            break;
        }
        case Step::Entry:
            f.checkPage();
            f.printBand(kEntryBand,
                        {{QStringLiteral("Z_NR_EWID"), m_line.registerNumber.left(30)},
                         {QStringLiteral("Z_DATA"), qint64(m_line.date)},
                         {QStringLiteral("Z_NR_DOK"), m_line.document.left(30)},
                         {QStringLiteral("Z_D_DOK"), qint64(m_line.documentDate)},
                         {QStringLiteral("Z_NR_DZIENNIKA"), m_line.journal},
                         {QStringLiteral("Z_LP"), m_line.number},
                         {QStringLiteral("Z_K_WN"), m_line.debit},
                         {QStringLiteral("Z_K_MA"), m_line.credit},
                         {QStringLiteral("Z_PODPIS"), m_line.signature.left(19)},
                         {QStringLiteral("Z_OPIS"), m_line.description.left(50)},
                         {kContraField, m_line.contra.left(60)}},
                        TextRole::Row);
            break;
        case Step::Close: {
            const AmountPair& before = m_source->account().before;
            const AmountPair& range = m_source->rangeTotal();
            AmountPair all = range;
            all += before;
            rule(f);
            f.printBand(kBeforeBand, totalValues(before), TextRole::Total);
            FieldValues v = totalValues(range);
            v.insert(QStringLiteral("NAZWA_POSUMOWANIA"), QStringLiteral("Razem w okresie"));
            f.printBand(kTotalBand, v, TextRole::Total);
            v = totalValues(all);
            v.insert(QStringLiteral("NAZWA_POSUMOWANIA"), QStringLiteral("Razem"));
            f.printBand(kTotalBand, v, TextRole::Total);
            rule(f);
            break;
        }
        }
    }

    void closing(RunFrame& f) { f.printBand(kEndBand, {}, TextRole::Plain); }

private:
    enum class State { Between, InAccount, Done };
    enum class Step { Account, Entry, Close };

    void rule(RunFrame& f) { f.printBand(kRuleBand, {}, TextRole::None); }

    EntriesPrintOptions m_o;
    AccountEntriesSource* m_source = nullptr;
    State m_state = State::Between;
    Step m_step = Step::Account;
    EntryLine m_line;
};

// ---------------------------------------------------------------- the printout

AccountEntriesPrintout::AccountEntriesPrintout(EntriesPrintOptions options)
    : m_options(std::move(options)), m_run(std::make_unique<Run>(m_options))
{
}

AccountEntriesPrintout::~AccountEntriesPrintout() = default;

frame::ReportDefinition AccountEntriesPrintout::definition()
{
    frame::ReportDefinition d;
    d.procedure = QStringLiteral("PRN_RAPORT_KONTO_SQL");
    d.mixedCaseName = QStringLiteral("Prn_Raport_Konto_SQL");
    d.textTitle = QStringLiteral("Zestawienie zapisów na kontach");
    d.amountColumns = 0;
    // The page check reserves ten total lines; a break prints no totals, only the rule and the
    // page end, and the headings on the new page.
    d.carry.pageTotal = kTotalBand;
    d.carry.pageTotals = false;
    d.text.detailScale = 170;
    d.text.headingScale = 100;
    d.text.companyBlockScale = 100;
    d.text.reserveFirstPage = 5;
    d.text.reserveLaterPages = 7;
    d.checkBeforeEachRow = false;
    Run* run = m_run.get();
    d.onOpen = [run](RunFrame& f) { run->open(f); };
    d.closing = [run](RunFrame& f) { run->closing(f); };
    return d;
}

int AccountEntriesPrintout::print(RunFrame& frame, AccountEntriesSource& source)
{
    m_run->bind(&source);
    Run* run = m_run.get();
    return frame.run({[run] { return run->next(); }, [run](RunFrame& f) { run->print(f); }, -1});
}

} // namespace pravik::turnover
