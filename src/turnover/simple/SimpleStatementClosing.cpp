#include "turnover/simple/SimpleStatementClosing.h"

#include "turnover/print/TurnoverPrintout.h"

namespace pravik::turnover {

using frame::FieldValues;
using frame::RunFrame;
using frame::TextRole;

namespace {

FieldValues amountValues(const TurnoverAmounts& a)
{
    const QList<Decimal> c{a.opening.debit,    a.opening.credit,    a.period.debit,  a.period.credit,
                           a.cumulative.debit, a.cumulative.credit, a.closing.debit, a.closing.credit};
    FieldValues values;
    for (int i = 0; i < 8; ++i)
        values.insert(amountFields()[i], c[i]);
    return values;
}

void rule(RunFrame& f)
{
    if (!f.textMode())
        f.printBand(QStringLiteral("LINIA"), {}, TextRole::None);
}

void labelled(RunFrame& f, const TurnoverRow& row)
{
    FieldValues v = amountValues(row.amounts);
    v.insert(QStringLiteral("NAZWA_POSUMOWANIA"), row.label.left(30));
    f.printBand(QStringLiteral("PODSUMOWANIE"), v, TextRole::Total);
}

} // namespace

TurnoverStatement simpleStatementBody(const TurnoverStatement& statement)
{
    TurnoverStatement body = statement;
    body.rows.removeIf([](const TurnoverRow& r) { return r.kind != RowKind::Account && r.kind != RowKind::GroupTotal; });
    return body;
}

void printSimpleClosing(RunFrame& f, const TurnoverStatement& statement)
{
    f.keepTogether();
    if (const TurnoverRow* groups = statement.find(RowKind::GroupsSummary)) {
        rule(f);
        f.printBand(QStringLiteral("PODSUMOWANIE_ZESPOLY_RAZEM"), amountValues(groups->amounts), TextRole::Total);
    }
    rule(f);
    f.printPageTotal();
    rule(f);
    f.printBroughtForward();
    rule(f);
    if (const TurnoverRow* total = statement.find(RowKind::GrandTotal))
        labelled(f, *total);
    rule(f);
    for (const TurnoverRow& r : statement.rows) {
        if (r.kind != RowKind::TypeSummary)
            continue;
        FieldValues v = amountValues(r.amounts);
        v.insert(QStringLiteral("PK:OPIS"), r.label.left(19));
        v.insert(QStringLiteral("PK:NAZWA_TYPU"), r.typeName.left(19));
        f.printBand(QStringLiteral("PODSUM_KOL"), v, TextRole::Total);
    }
    rule(f);
    if (const TurnoverRow* net = statement.find(RowKind::NetTotal))
        labelled(f, *net);
    f.printBand(QStringLiteral("KONIEC_WYDRUKU"), {}, TextRole::Plain);
}

} // namespace pravik::turnover
