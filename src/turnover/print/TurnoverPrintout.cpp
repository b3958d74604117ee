#include "turnover/print/TurnoverPrintout.h"

#include "siblings/utilka/TextServices.h"

namespace pravik::turnover {

using frame::FieldValues;
using frame::RunFrame;
using frame::TextRole;

namespace {

const QString kRowBand = QStringLiteral("POZYCJE");
const QString kWrapBand = QStringLiteral("ZAWIJAJ");
const QString kRuleBand = QStringLiteral("LINIA");
const QString kTotalBand = QStringLiteral("PODSUMOWANIE");
const QString kTypeBand = QStringLiteral("PODSUM_KOL");
const QString kGroupBand = QStringLiteral("PODSUMOWANIE_ZESPOLY");
const QString kGroupsSummaryBand = QStringLiteral("PODSUMOWANIE_ZESPOLY_RAZEM");
const QString kNetBand = QStringLiteral("PERSALDO");
const QString kEndBand = QStringLiteral("KONIEC_WYDRUKU");
const QString kEntriesHeadingBand = QStringLiteral("NAGLOWEK4");
const QString kEntryBand = QStringLiteral("ZAPISY");
const QString kEntriesTotalBand = QStringLiteral("RAZEM_ZAPISY");

// Wrapped rows: the first line holds this much of the number and of the name.
constexpr int kNumberPiece = 21;
constexpr int kNamePiece = 45;
constexpr int kNumberRest = 50;
constexpr int kNameRest = 80;
constexpr report::Units kIndentPerLevel = 30;

const QStringList kRowFields{QStringLiteral("PRN_NUMER"), QStringLiteral("PRN_NAZWA")};
const QStringList kWrapFields{QStringLiteral("ZAWIJAJ_NUMER"), QStringLiteral("ZAWIJAJ_NAZWA")};
const QStringList kNetFields{QStringLiteral("PERS_STR"), QStringLiteral("PERS_WN"), QStringLiteral("PERS_MA")};

QList<Decimal> columns(const TurnoverAmounts& a)
{
    return {a.opening.debit, a.opening.credit, a.period.debit, a.period.credit,
            a.cumulative.debit, a.cumulative.credit, a.closing.debit, a.closing.credit};
}

FieldValues amountValues(const TurnoverAmounts& a)
{
    FieldValues values;
    const QList<Decimal> c = columns(a);
    for (int i = 0; i < 8; ++i)
        values.insert(amountFields()[i], c[i]);
    return values;
}

} // namespace

const QStringList& amountFields()
{
    static const QStringList fields{QStringLiteral("BO_WN"),     QStringLiteral("BO_MA"),     QStringLiteral("OB_M_WN"),
                                    QStringLiteral("OB_M_MA"),   QStringLiteral("OB_NAR_WN"), QStringLiteral("OB_NAR_MA"),
                                    QStringLiteral("S_WN"),      QStringLiteral("S_MA")};
    return fields;
}

// ---------------------------------------------------------------- the run

class TurnoverPrintout::Run {
public:
    explicit Run(const TurnoverPrintOptions& options) : m_o(options) {}

    void bind(const TurnoverStatement* statement, bool active)
    {
        m_statement = statement;
        m_active = active;
        m_index = -1;
    }

    bool next() { return m_active && m_statement && ++m_index < m_statement->rows.size(); }

    void open(RunFrame& f)
    {
        m_text = f.textMode();
        applyLayoutOptions(f.layout(), m_o, m_text);
        report::Layout& l = f.layout();
        if (l.findElement(QStringLiteral("KW_UWAGA")))
            l.setVisible(QStringLiteral("KW_UWAGA"), !m_o.syntheticOnly);
        const report::Element& number = l.element(QStringLiteral("PRN_NUMER"));
        m_numberX = number.x;
        m_numberWidth = number.width;
        const report::Element& wrapNumber = l.element(QStringLiteral("ZAWIJAJ_NUMER"));
        m_wrapX = wrapNumber.x;
        m_wrapWidth = wrapNumber.width;
        if (!m_o.yearName.trimmed().isEmpty())
            f.setValue(QStringLiteral("ROK_OBROTOWY"), (QStringLiteral("Rok obrotowy: ") + m_o.yearName.trimmed()).left(80));
        // Listings are for paper: a text printer gets the statement without them.
        if (m_o.anyListing() && !m_text)
            m_listings = std::make_unique<ListingReader>(ListingScope::from(m_o, m_o.company),
                                                         m_o.contraAccount);
    }

    void afterHeadings(RunFrame& f)
    {
        if (m_inListing)
            f.printBand(kEntriesHeadingBand, {}, TextRole::Plain);
    }

    void print(RunFrame& f)
    {
        const TurnoverRow& row = m_statement->rows[m_index];
        switch (row.kind) {
        case RowKind::Account:
            printAccount(f, row);
            break;
        case RowKind::AccountNet:
        case RowKind::GroupNet:
            f.checkPage();
            printNet(f, row);
            break;
        case RowKind::GroupTotal: {
            f.checkPage();
            rule(f);
            FieldValues v = amountValues(row.amounts);
            v.insert(QStringLiteral("NAZWA_ZESPOLU"), row.label.left(100));
            f.printBand(kGroupBand, v, TextRole::Row);
            break;
        }
        case RowKind::GroupsSummary:
            beginClosing(f);
            f.printBand(kGroupsSummaryBand, amountValues(row.amounts), TextRole::Total);
            break;
        case RowKind::GrandTotal:
            beginClosing(f);
            labelledTotal(f, row);
            break;
        case RowKind::TypeSummary: {
            FieldValues v = amountValues(row.amounts);
            v.insert(QStringLiteral("PK:OPIS"), row.label.left(19));
            v.insert(QStringLiteral("PK:NAZWA_TYPU"), row.typeName.left(19));
            f.printBand(kTypeBand, v, TextRole::Total);
            break;
        }
        case RowKind::NetTotal:
            labelledTotal(f, row);
            break;
        }
    }

    void closing(RunFrame& f)
    {
        if (!m_active)
            return;
        if (!m_closingBegun)
            beginClosing(f);
        rule(f);
        f.printBand(kEndBand, {}, TextRole::Plain);
    }

private:
    void rule(RunFrame& f) { f.printBand(kRuleBand, {}, TextRole::None); }

    void printAccount(RunFrame& f, const TurnoverRow& row)
    {
        f.checkPage();
        const bool structured = !m_o.syntheticOnly && !m_o.lastLevelOnly;
        if (structured && row.synthetic)
            rule(f);
        report::Layout& l = f.layout();
        if (structured && !m_text) {
            const report::Units indent = kIndentPerLevel * qMax(0, row.level - 1);
            if (indent != m_indent) {
                m_indent = indent;
                l.move(QStringLiteral("PRN_NUMER"), m_numberX + indent, l.element(QStringLiteral("PRN_NUMER")).y);
                l.setWidth(QStringLiteral("PRN_NUMER"), qMax(0, m_numberWidth - indent));
                l.move(QStringLiteral("ZAWIJAJ_NUMER"), m_wrapX + indent, l.element(QStringLiteral("ZAWIJAJ_NUMER")).y);
                l.setWidth(QStringLiteral("ZAWIJAJ_NUMER"), qMax(0, m_wrapWidth - indent));
            }
        }
        if (m_o.boldAggregates) {
            const int weight = row.bold ? 700 : 400;
            if (weight != m_rowWeight) {
                m_rowWeight = weight;
                for (const QString& id : kRowFields + amountFields() + kWrapFields)
                    l.setWeight(id, weight);
            }
        }

        const QString number = row.displayAccount();
        QString numberPiece = number;
        QString namePiece = row.name;
        QString numberRest;
        QString nameRest;
        if (m_o.wrapLines) {
            numberPiece = utilka::STRING_CUT(QStringLiteral("-"), number, kNumberPiece);
            numberRest = number.mid(numberPiece.size()).left(kNumberRest);
            namePiece = utilka::STRING_CUT(QStringLiteral(" "), row.name, kNamePiece);
            nameRest = row.name.mid(namePiece.size()).trimmed().left(kNameRest);
            namePiece = namePiece.trimmed();
        }
        FieldValues v = amountValues(row.amounts);
        v.insert(QStringLiteral("PRN_NUMER"), numberPiece.left(60));
        v.insert(QStringLiteral("PRN_NAZWA"), namePiece.left(100));
        f.printBand(kRowBand, v, TextRole::Row);
        if (!numberRest.isEmpty() || !nameRest.isEmpty())
            f.printBand(kWrapBand, {{QStringLiteral("ZAWIJAJ_NUMER"), numberRest}, {QStringLiteral("ZAWIJAJ_NAZWA"), nameRest}},
                        TextRole::Row);
        if (row.counted)
            f.totals().add(columns(row.amounts));
        if (m_listings && row.leaf && !row.restricted)
            printListings(f, row.account);
    }

    void printNet(RunFrame& f, const TurnoverRow& row)
    {
        const int weight = row.bold ? 700 : 400;
        if (weight != m_netWeight) {
            m_netWeight = weight;
            for (const QString& id : kNetFields)
                f.layout().setWeight(id, weight);
        }
        f.printBand(kNetBand,
                    {{QStringLiteral("PERS_STR"), row.label.left(50)},
                     {QStringLiteral("PERS_WN"), row.amounts.closing.debit},
                     {QStringLiteral("PERS_MA"), row.amounts.closing.credit}},
                    TextRole::Row);
        if (m_o.syntheticOnly && row.kind == RowKind::AccountNet)
            rule(f);
    }

    void labelledTotal(RunFrame& f, const TurnoverRow& row)
    {
        FieldValues v = amountValues(row.amounts);
        v.insert(QStringLiteral("NAZWA_POSUMOWANIA"), row.label.left(30));
        f.printBand(kTotalBand, v, TextRole::Total);
    }

    // The statement totals close the last page: its page totals and what it brought forward
    // come first, and the block is kept together on one page.
    void beginClosing(RunFrame& f)
    {
        if (m_closingBegun)
            return;
        m_closingBegun = true;
        if (!f.firstPage()) {
            rule(f);
            f.printPageTotal();
            rule(f);
            f.printBroughtForward();
        }
        f.keepTogether();
        rule(f);
    }

    void printListings(RunFrame& f, const QString& account)
    {
        if (m_o.mpkEntries)
            printListing(f, m_listings->mpk(account));
        if (m_o.budgetClassification)
            printListing(f, m_listings->budget(account));
        if (m_o.entries)
            printListing(f, m_listings->entries(account));
    }

    void printListing(RunFrame& f, const Listing& listing)
    {
        if (listing.isEmpty())
            return;
        f.checkPage();
        f.printBand(kEntriesHeadingBand, {}, TextRole::Plain);
        m_inListing = true;
        for (const ListingLine& line : listing) {
            f.checkPage();
            if (line.total) {
                f.printBand(kEntriesTotalBand,
                            {{QStringLiteral("ZM_TXT_PODSUMOWANIE_MPK"), line.description.left(150)},
                             {QStringLiteral("Z_KW_WN_R"), line.debit},
                             {QStringLiteral("Z_KW_MA_R"), line.credit}},
                            TextRole::Row);
                continue;
            }
            f.printBand(kEntryBand,
                        {{QStringLiteral("Z_NR_POZ"), line.number},
                         {QStringLiteral("Z_NR_DZIENNIKA"), line.journal},
                         {QStringLiteral("Z_NR_DOK"), line.document.left(30)},
                         {QStringLiteral("Z_NR_EWID"), line.registerNumber.left(30)},
                         {QStringLiteral("Z_D_KSIEG"), qint64(line.postingDate)},
                         {QStringLiteral("Z_D_DOK"), qint64(line.documentDate)},
                         {QStringLiteral("Z_OPIS"), line.description.left(50)},
                         {QStringLiteral("Z_K_WN"), line.debit},
                         {QStringLiteral("Z_K_MA"), line.credit},
                         {QStringLiteral("ZM_KONTO_PRZECIWSTAWNE"), line.contra.left(60)}},
                        TextRole::Row);
        }
        m_inListing = false;
    }

    TurnoverPrintOptions m_o;
    const TurnoverStatement* m_statement = nullptr;
    bool m_active = false;
    qsizetype m_index = -1;
    bool m_text = false;
    bool m_closingBegun = false;
    bool m_inListing = false;
    report::Units m_numberX = 0;
    report::Units m_numberWidth = 0;
    report::Units m_wrapX = 0;
    report::Units m_wrapWidth = 0;
    report::Units m_indent = 0;
    int m_rowWeight = -1;
    int m_netWeight = -1;
    std::unique_ptr<ListingReader> m_listings;
};

// ---------------------------------------------------------------- the printout

TurnoverPrintout::TurnoverPrintout(TurnoverPrintOptions options)
    : m_options(std::move(options)), m_run(std::make_unique<Run>(m_options))
{
}

TurnoverPrintout::~TurnoverPrintout() = default;

frame::ReportDefinition TurnoverPrintout::definition()
{
    frame::ReportDefinition d;
    d.procedure = QStringLiteral("PRN_OBROTY_SQL");
    d.mixedCaseName = QStringLiteral("Prn_Obroty_SQL");
    d.textTitle = QStringLiteral("Obroty i salda");
    d.amountColumns = 8;
    d.carry.amountFields = amountFields();
    d.text.detailScale = 170;
    d.text.headingScale = 100;
    d.text.companyBlockScale = 100;
    d.text.reserveFirstPage = 5;
    d.text.reserveLaterPages = 7;
    // Rows check the page themselves: the closing block must not be split by a carry-over.
    d.checkBeforeEachRow = false;
    Run* run = m_run.get();
    d.onOpen = [run](RunFrame& f) { run->open(f); };
    d.afterColumnHeadings = [run](RunFrame& f) { run->afterHeadings(f); };
    d.closing = [run](RunFrame& f) { run->closing(f); };
    return d;
}

int TurnoverPrintout::print(RunFrame& frame, const TurnoverStatement& statement)
{
    const bool browse = m_options.browse;
    m_run->bind(&statement, !browse);
    Run* run = m_run.get();
    return frame.run({[run] { return run->next(); }, [run](RunFrame& f) { run->print(f); },
                      browse ? 0 : qint64(statement.rows.size())});
}

} // namespace pravik::turnover
