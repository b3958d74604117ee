#include "turnover/reconciliation/ReconciliationPrintout.h"

namespace pravik::turnover {

using frame::FieldValues;
using frame::RunFrame;
using frame::TextRole;

namespace {

const QString kAccountBand = QStringLiteral("KONTO");
const QString kAmountBand = QStringLiteral("KWOTY");
const QString kRuleBand = QStringLiteral("LINIA");
const QString kTotalBand = QStringLiteral("PODSUMOWANIE");
const QString kEndBand = QStringLiteral("KONIEC_WYDRUKU");
const QString kNameField = QStringLiteral("U_NAZWA");
constexpr report::Units kIndentPerLevel = 40;

QList<Decimal> columns(const ReconciliationAmounts& a)
{
    return QList<Decimal>(a.begin(), a.end());
}

FieldValues amountValues(const ReconciliationAmounts& a)
{
    FieldValues values;
    for (int i = 0; i < kReconciliationColumns; ++i)
        values.insert(reconciliationFields()[i], a[std::size_t(i)]);
    return values;
}

// Eleven amount lines, the used part and 200 units must fit in the page body.
bool reconciliationPageFull(const RunFrame& f)
{
    return 11 * f.bandHeight(kAmountBand) + f.position() + 200 > f.bodyHeight();
}

} // namespace

const QStringList& reconciliationFields()
{
    static const QStringList fields{QStringLiteral("BO_WN"), QStringLiteral("BO_MA"), QStringLiteral("OK_WN"),
                                    QStringLiteral("OK_MA"), QStringLiteral("SK_WN"), QStringLiteral("SK_MA"),
                                    QStringLiteral("SR_WN"), QStringLiteral("SR_MA"), QStringLiteral("PS_WN"),
                                    QStringLiteral("PS_MA")};
    return fields;
}

class ReconciliationPrintout::Run {
public:
    explicit Run(const TurnoverPrintOptions& options) : m_o(options) {}

    void bind(const ReconciliationStatement* statement)
    {
        m_statement = statement;
        m_index = -1;
    }

    bool next() { return m_statement && ++m_index < m_statement->rows.size(); }

    void open(RunFrame& f)
    {
        m_text = f.textMode();
        report::Layout& l = f.layout();
        applyLayoutOptions(l, m_o, m_text);
        m_nameX = l.element(kNameField).x;
        m_nameWidth = l.element(kNameField).width;
        if (!m_o.yearName.trimmed().isEmpty())
            f.setValue(QStringLiteral("ROK_OBROTOWY"), (QStringLiteral("Rok obrotowy: ") + m_o.yearName.trimmed()).left(80));
    }

    void print(RunFrame& f)
    {
        const ReconciliationRow& row = m_statement->rows[m_index];
        if (!m_o.syntheticOnly && !m_text) {
            const report::Units indent = kIndentPerLevel * qMax(0, row.level - 1);
            if (indent != m_indent) {
                m_indent = indent;
                report::Layout& l = f.layout();
                l.move(kNameField, m_nameX + indent, l.element(kNameField).y);
                l.setWidth(kNameField, qMax(0, m_nameWidth - indent));
            }
        }
        f.printBand(kAccountBand,
                    {{QStringLiteral("U_NUMER"), row.displayAccount().left(60)}, {kNameField, row.name.left(100)}},
                    TextRole::Row);
        f.printBand(kAmountBand, amountValues(row.amounts), TextRole::Row);
        if (row.counted)
            f.totals().add(columns(row.amounts));
    }

    void closing(RunFrame& f)
    {
        f.printPageTotal();
        rule(f);
        f.printBroughtForward();
        rule(f);
        f.printCarry(QStringLiteral("Razem"), f.totals().running());
        rule(f);
        f.printBand(kEndBand, {}, TextRole::Plain);
    }

private:
    void rule(RunFrame& f)
    {
        if (!m_text)
            f.printBand(kRuleBand, {}, TextRole::None);
    }

    TurnoverPrintOptions m_o;
    const ReconciliationStatement* m_statement = nullptr;
    qsizetype m_index = -1;
    bool m_text = false;
    report::Units m_nameX = 0;
    report::Units m_nameWidth = 0;
    report::Units m_indent = 0;
};

ReconciliationPrintout::ReconciliationPrintout(TurnoverPrintOptions options)
    : m_options(std::move(options)), m_run(std::make_unique<Run>(m_options))
{
}

ReconciliationPrintout::~ReconciliationPrintout() = default;

frame::ReportDefinition ReconciliationPrintout::definition()
{
    frame::ReportDefinition d;
    d.procedure = QStringLiteral("PRN_OBROTY_SQL_UZGODNIENIE");
    d.mixedCaseName = QStringLiteral("Prn_Obroty_SQL_Uzgodnienie");
    d.textTitle = QStringLiteral("Uzgodnienie sald kont z rozrachunkami");
    d.amountColumns = kReconciliationColumns;
    d.carry.amountFields = reconciliationFields();
    d.pageFull = reconciliationPageFull;
    d.text.detailScale = 170;
    d.text.headingScale = 100;
    d.text.companyBlockScale = 100;
    d.text.reserveFirstPage = 5;
    d.text.reserveLaterPages = 7;
    // The frame checks the page before each account.
    d.checkBeforeEachRow = true;
    Run* run = m_run.get();
    d.onOpen = [run](RunFrame& f) { run->open(f); };
    d.closing = [run](RunFrame& f) { run->closing(f); };
    return d;
}

int ReconciliationPrintout::print(RunFrame& frame, const ReconciliationStatement& statement)
{
    m_run->bind(&statement);
    Run* run = m_run.get();
    return frame.run({[run] { return run->next(); }, [run](RunFrame& f) { run->print(f); }, qint64(statement.rows.size())});
}

} // namespace pravik::turnover
