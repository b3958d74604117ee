// The account sheets over a ledger of our own on SQLite and PostgreSQL: the data stage's totals,
// opening figures and summary against sums taken straight from the postings, the marked-record
// list, and the printed sheet (opening lines, carry-over from page to page, the closing block).
#include "LedgerFixture.h"

#include "ledger/AccountSheetSource.h"
#include "ledger/LedgerProcedures.h"

namespace pravik::test {
namespace {

using ledger::AccountSheetSource;
using ledger::Amounts;
using ledger::LedgerRequest;
using ledger::SheetLine;

QString marchFilter(const QString& account = QStringLiteral("100"))
{
    return QStringLiteral("PDD:konto='%1' AND PDD:data_okresu=%2").arg(account).arg(kLedgerMarch);
}

LedgerRequest request(int kind, const QString& filter, bool periodLayout = true, DayNumber period = 0)
{
    ledger::ControlList c;
    c.kind = kind;
    c.sort = 2;
    c.ascending = true;
    c.layoutFlag = periodLayout ? 1 : 0;
    c.description = QStringLiteral("Konto: 100");
    return ledger::requestFromSession(c, filter, QStringLiteral("Kartoteka"), period, korda::session());
}

QList<SheetLine> readAll(AccountSheetSource& source)
{
    QList<SheetLine> lines;
    EXPECT_TRUE(source.start());
    SheetLine line;
    while (source.next(line))
        lines << line;
    return lines;
}

class AccountSheets : public LedgerTest {};

TEST_P(AccountSheets, PeriodTotalsAndOpeningFiguresAreThoseOfThePostingsOfThisYearOnly)
{
    // The filter does not name the year: the 2025 postings of account 100 must stay out of
    // "Z przeniesienia", which starts at this year's opening balance.
    AccountSheetSource source(request(ledger::kPeriodSheet, marchFilter(), true, kLedgerMarch));
    const QString march = QStringLiteral("n.data_okresu=%1").arg(kLedgerMarch);
    const QString bo = QStringLiteral("n.data_okresu=%1").arg(kLedgerBo);
    const QString before = QStringLiteral("n.data_okresu<%1 and n.data_okresu>=%2").arg(kLedgerMarch).arg(kLedgerBo);
    ASSERT_FALSE(posted("100", "wn", QStringLiteral("n.data_okresu<%1").arg(kLedgerBo)).isZero());

    const ledger::OpeningFigures o = source.opening();
    EXPECT_TRUE(o.periodFound);
    EXPECT_EQ(o.openingBalance, (Amounts{posted("100", "wn", bo), posted("100", "ma", bo)}));
    EXPECT_EQ(o.broughtForward, (Amounts{posted("100", "wn", before), posted("100", "ma", before)}));

    const QList<SheetLine> lines = readAll(source);
    EXPECT_EQ(lines.size(), 2 * kMarchDocuments);
    EXPECT_EQ(source.count(), lines.size());
    EXPECT_EQ(source.totals(), (Amounts{posted("100", "wn", march), posted("100", "ma", march)}));
    for (const SheetLine& l : lines) {
        EXPECT_EQ(l.group, QStringLiteral("3-2026"));
        EXPECT_EQ(l.journalCode, QStringLiteral("RK"));
        EXPECT_EQ(l.debitSide(), !l.amounts.debit.isZero());
    }
    EXPECT_EQ(lines.first().rowNumber, 1);
    EXPECT_EQ(lines.last().rowNumber, lines.size());

    // An opening period with nothing before it: sums over no rows read as 0.
    AccountSheetSource first(request(ledger::kPeriodSheet, QStringLiteral("PDD:konto='100' AND PDD:data_okresu=%1").arg(kLedgerBo),
                                     true, kLedgerBo));
    EXPECT_EQ(first.opening().broughtForward, Amounts{});
}

TEST_P(AccountSheets, LowerAndUpperCaseFiltersSelectTheSameRows)
{
    AccountSheetSource lower(request(ledger::kPeriodSheet, marchFilter(), true, kLedgerMarch));
    AccountSheetSource upper(request(ledger::kPeriodSheet, QStringLiteral("PDD:KONTO='100' AND PDD:DATA_OKRESU=%1").arg(kLedgerMarch),
                                     true, kLedgerMarch));
    EXPECT_EQ(lower.opening(), upper.opening());
    readAll(lower);
    readAll(upper);
    EXPECT_EQ(lower.totals(), upper.totals());
}

TEST_P(AccountSheets, MarkedListPrintsOnlyTheMarkedOrAllButThem)
{
    korda::Session& s = korda::session();
    AccountSheetSource all(request(ledger::kAccountSheets, marchFilter()));
    const QList<SheetLine> every = readAll(all);
    ASSERT_GT(every.size(), 4);
    const SheetLine& a = every.at(0);
    const SheetLine& b = every.at(3);
    auto mark = [&](bool exclude) {
        s.DANE_ZAZNACZ_REK.clear();
        for (const SheetLine* l : {&a, &b})
            s.DANE_ZAZNACZ_REK.append(korda::MarkedRecord{QString::number(ledger::MarkedRecords::keyOf(l->side, l->postingId))});
        s.DANE_CZY_ZAZNACZONE = exclude ? 1 : 0;
    };
    ledger::ControlList c;
    c.kind = ledger::kAccountSheets;
    c.markedOnly = true;
    c.sort = 2;
    c.ascending = true;
    c.layoutFlag = 1;

    mark(false);
    AccountSheetSource only(ledger::requestFromSession(c, marchFilter(), {}, 0, s));
    EXPECT_TRUE(s.DANE_ZAZNACZ_REK.isEmpty()); // consumed
    const QList<SheetLine> two = readAll(only);
    ASSERT_EQ(two.size(), 2);
    EXPECT_EQ(two.at(0).postingId, a.postingId);
    EXPECT_EQ(two.at(1).postingId, b.postingId);
    EXPECT_EQ(only.totals(), a.amounts + b.amounts);

    mark(true);
    AccountSheetSource rest(ledger::requestFromSession(c, marchFilter(), {}, 0, s));
    const QList<SheetLine> others = readAll(rest);
    EXPECT_EQ(others.size(), every.size() - 2);
    EXPECT_EQ(rest.totals() + a.amounts + b.amounts, all.totals());
}

TEST_P(AccountSheets, SummaryByAccountAddsParentsThatSumTheirOwnBranch)
{
    korda::session().DANE_DRUKUJ_PODSUMOWANIE = 1;
    AccountSheetSource source(request(ledger::kAccountSheets, QStringLiteral("PDD:id_lata_obrot=2 AND PDD:konto like '201%'"), false));
    readAll(source);
    const QList<ledger::SummaryRow> rows = source.summary();
    QMap<QString, ledger::SummaryRow> byKey;
    for (const ledger::SummaryRow& r : rows)
        byKey.insert(r.key + (r.posted ? "" : "*"), r);
    ASSERT_EQ(byKey.keys(), (QStringList{"201*", "201-1*", "201-1-2", "201-10*", "201-10-5"}));
    const QString year = QStringLiteral("n.id_lata_obrot=2");
    const Amounts b{posted("201-1-2", "wn", year), posted("201-1-2", "ma", year)};
    const Amounts z{posted("201-10-5", "wn", year), posted("201-10-5", "ma", year)};
    EXPECT_EQ(byKey["201-1-2"].sums, b);
    EXPECT_EQ(byKey["201-1*"].sums, b);
    EXPECT_EQ(byKey["201-10*"].sums, z);
    EXPECT_EQ(byKey["201*"].sums, b + z);
    EXPECT_EQ(byKey["201-1-2"].name, QStringLiteral("Odbiorca B"));
    // 201 keeps two balances: its branches' balances on both sides (one owes, one is owed).
    EXPECT_EQ(byKey["201*"].balance, ledger::net(b) + ledger::net(z));
    EXPECT_FALSE(byKey["201*"].balance.debit.isZero());
    EXPECT_FALSE(byKey["201*"].balance.credit.isZero());
    EXPECT_EQ(ledger::SheetSummary::totals(rows).sums, b + z);
    // An account whose first segment is 13 asks KONTA_SYNT for 13; a letter there is not two-balance.
    EXPECT_FALSE(source.twoBalance(QStringLiteral("13-1")));
    EXPECT_FALSE(source.twoBalance(QStringLiteral("K1-2")));
    EXPECT_TRUE(source.twoBalance(QStringLiteral("201-1")));
}

TEST_P(AccountSheets, PrintedSheetCarriesEachPageOverAndClosesWithTheOpeningAndPersaldo)
{
    korda::Session& s = korda::session();
    s.DANE_DRUKUJ_PODSUMOWANIE = 1;
    s.DANE_OPIS_PRN.add(QStringLiteral("Linia hosta"));
    const QStringList pages = pdfPages([&] {
        WYDRUK_KSIEGA(marchFilter().replace(QLatin1String("data_okresu"), QLatin1String("Data_Okresu")), QStringLiteral("Kartoteka konta"),
                      QStringLiteral("68|0|2|1|1|Konto: 100|0"));
    });
    ASSERT_EQ(s.globalResponse, 1) << ui.messageTexts().join(u'\n').toStdString();
    ASSERT_GE(pages.size(), 3);
    EXPECT_TRUE(s.DANE_OPIS_PRN.isEmpty());
    const QString first = pages.first();
    EXPECT_TRUE(first.contains(QStringLiteral("Okres obrotowy: Marzec")));
    EXPECT_TRUE(first.contains(QStringLiteral("Konto: 100 Kasa")));
    EXPECT_TRUE(first.contains(QStringLiteral("Linia hosta")));

    const QString bo = QStringLiteral("n.data_okresu=%1").arg(kLedgerBo);
    const QString before = QStringLiteral("n.data_okresu<%1 and n.data_okresu>=%2").arg(kLedgerMarch).arg(kLedgerBo);
    const QString march = QStringLiteral("n.data_okresu=%1").arg(kLedgerMarch);
    const Amounts opening{posted("100", "wn", before), posted("100", "ma", before)};
    const Amounts period{posted("100", "wn", march), posted("100", "ma", march)};
    EXPECT_EQ(labelled(first, QStringLiteral("Bilans otwarcia")), (QList<Decimal>{posted("100", "wn", bo), posted("100", "ma", bo)}));
    EXPECT_EQ(labelled(first, QStringLiteral("Z przeniesienia")), opening.columns());

    // Each page after the first brings forward what the page before carried.
    QList<Decimal> carried = labelled(first, QStringLiteral("Do przeniesienia"));
    ASSERT_EQ(carried.size(), 2);
    QString closing;
    for (qsizetype i = 1; i < pages.size(); ++i) {
        const QList<Decimal> forward = labelled(pages[i], QStringLiteral("Z przeniesienia"));
        const QList<Decimal> next = labelled(pages[i], QStringLiteral("Do przeniesienia"));
        if (next.isEmpty()) {
            closing = pages[i];
            break;
        }
        EXPECT_EQ(forward, carried) << "page " << i + 1;
        const QList<Decimal> onPage = labelled(pages[i], QStringLiteral("Razem na stronie"));
        ASSERT_EQ(onPage.size(), 2);
        EXPECT_EQ(next, (QList<Decimal>{forward[0] + onPage[0], forward[1] + onPage[1]}));
        carried = next;
    }
    ASSERT_FALSE(closing.isEmpty());
    EXPECT_EQ(labelled(closing, QStringLiteral("Razem w okresie")), period.columns());
    EXPECT_EQ(labelled(closing, QStringLiteral("Razem")), (opening + period).columns());
    EXPECT_EQ(labelled(closing, QStringLiteral("Persaldo")), ledger::net(opening + period).columns());
    // The summary by period on the last page, then the end.
    EXPECT_EQ(labelled(pages.last(), QStringLiteral("3-2026")).mid(0, 2), period.columns());
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Koniec wydruku")));
}

// A print goes where the host asked when it called: output requests changed once the request is
// built (another file, the printer) do not redirect it.
TEST_P(AccountSheets, PrintGoesToTheTargetOfItsRequest)
{
    korda::Session& s = korda::session();
    const QStringList expected = pdfPages([] { EXPECT_EQ(ledger::printLedger(request(ledger::kAccountSheets, marchFilter())), 1); });
    ASSERT_FALSE(expected.isEmpty());
    const QString stray = folder.filePath(QStringLiteral("obcy.pdf"));
    const QStringList pages = pdfPages(
        [&] {
            const LedgerRequest r = request(ledger::kAccountSheets, marchFilter());
            s.outputRequests.pdfPath = stray;
            s.DANE_DRUKARKA_EKRAN = 0;
            EXPECT_EQ(ledger::printLedger(r), 1);
        },
        QStringLiteral("zadany.pdf"));
    EXPECT_EQ(pages, expected);
    EXPECT_FALSE(QFileInfo::exists(stray));
}

TEST_P(AccountSheets, CostCentreLinesShowTheirSideWithTreePathAndIndicatorCodesLookedUpOnce)
{
    AccountSheetSource source(request(ledger::kAccountSheets, marchFilter()));
    const QList<SheetLine> lines = readAll(source);
    ASSERT_FALSE(lines.isEmpty());
    SheetLine debit = lines.first();
    for (const SheetLine& l : lines)
        if (l.postingId == kFirstMarchPosting && l.debitSide())
            debit = l;
    ASSERT_EQ(debit.postingId, kFirstMarchPosting);
    bool failed = true;
    const QList<ledger::CostCentreLine> c = source.costCentreLines(debit, &failed);
    EXPECT_FALSE(failed);
    ASSERT_EQ(c.size(), 2);
    EXPECT_EQ(c[0].path, QStringLiteral("ADM - DZIAL-1"));
    EXPECT_EQ(c[0].indicators[0], QStringLiteral("W-A"));
    EXPECT_EQ(c[0].indicators[1], QStringLiteral("W-B"));
    EXPECT_EQ(c[1].path, QStringLiteral("ADM"));
    EXPECT_EQ(c[1].indicators[0], QStringLiteral("W-B"));
    EXPECT_EQ(c[0].amounts.debit + c[1].amounts.debit, Decimal::fromCents(1037));
    EXPECT_TRUE(c[0].amounts.credit.isZero());
    // Again: every code comes from the cache.
    source.costCentreLines(debit, &failed);

    ledger::CostCentreCodes codes(1, QStringLiteral(";"));
    EXPECT_EQ(codes.treePath(QStringLiteral("1;2;1")), QStringLiteral("ADM - DZIAL-1 - ADM"));
    EXPECT_EQ(codes.indicator(2), QStringLiteral("W-B"));
    EXPECT_EQ(codes.indicator(2), QStringLiteral("W-B"));
    EXPECT_EQ(codes.queries(), 3);
    EXPECT_EQ(codes.treePath(QStringLiteral("x;99")), QStringLiteral(" - "));

    korda::session().DANE_DRUKUJ_ZAPISY_MPK = 1;
    const QStringList pages = pdfPages([] {
        WYDRUK_KSIEGA(marchFilter(), {}, QStringLiteral("61|0|2|1|1|Konto: 100|0"));
    });
    EXPECT_TRUE(pages.join(u'\n').contains(QStringLiteral("ADM - DZIAL-1")));
}

TEST_P(AccountSheets, OnlySummaryPrintsTheSummaryAlone)
{
    korda::Session& s = korda::session();
    s.DANE_DRUKUJ_PODSUMOWANIE = 1;
    s.DANE_DRUKUJ_TYLKO_PODSUMOWANIE = 1;
    const QStringList pages = pdfPages([] {
        WYDRUK_KSIEGA(QStringLiteral("PDD:konto='100' AND PDD:id_lata_obrot=2"), {}, QStringLiteral("61|0|2|1|1|Konto: 100|0"));
    });
    ASSERT_EQ(pages.size(), 1);
    EXPECT_FALSE(pages[0].contains(QStringLiteral("E/")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Razem na stronie")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Persaldo")));
    const QString march = QStringLiteral("n.data_okresu=%1").arg(kLedgerMarch);
    EXPECT_EQ(labelled(pages[0], QStringLiteral("3-2026")).mid(0, 2),
              (QList<Decimal>{posted("100", "wn", march), posted("100", "ma", march)}));
    const QString year = QStringLiteral("n.id_lata_obrot=2");
    EXPECT_EQ(labelled(pages[0], QStringLiteral("Razem")).mid(0, 2), (QList<Decimal>{posted("100", "wn", year), posted("100", "ma", year)}));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Koniec wydruku")));
}

TEST_P(AccountSheets, KindSixtyEightRefusesAFilterWithoutOneSinglePeriod)
{
    korda::Session& s = korda::session();
    s.DANE_OPIS_PRN.add(QStringLiteral("Linia hosta"));
    const QStringList none = pdfPages([] { WYDRUK_KSIEGA(QStringLiteral("PDD:konto='100'"), {}, QStringLiteral("68|0|2|1|1|Konto: 100|0")); });
    EXPECT_TRUE(none.isEmpty());
    EXPECT_EQ(s.globalResponse, 2);
    EXPECT_TRUE(s.DANE_OPIS_PRN.isEmpty());
    const QString two = QStringLiteral("PDD:konto='100' AND PDD:data_okresu>=%1 AND PDD:data_okresu=%2").arg(kLedgerFeb).arg(kLedgerMarch);
    EXPECT_TRUE(pdfPages([&] { WYDRUK_KSIEGA(two, {}, QStringLiteral("68|0|2|1|1|Konto: 100|0")); }).isEmpty());
    EXPECT_EQ(ui.messageTexts(), (QStringList{ledger::kNoPeriodMessage, ledger::kSeveralPeriodsMessage}));
}

TEST_P(AccountSheets, BadInputGetsAMessageAndNeverReachesTheDatabase)
{
    korda::Session& s = korda::session();
    const struct {
        QString filter;
        QString control;
    } cases[] = {
        {QStringLiteral("PDD:konto='100'; delete from POZ_DOK"), QStringLiteral("61|0|2|1|1|Konto: 100|0")},
        {QStringLiteral("PDD:konto='100"), QStringLiteral("61|0|2|1|1|Konto: 100|0")},
        {marchFilter(), QStringLiteral("61|zero|2")},
        {marchFilter(), QString()},
        {marchFilter(), QStringLiteral("99|0|2|1|1")},
    };
    for (const auto& c : cases) {
        ui.clear();
        s.globalResponse = 0;
        EXPECT_TRUE(pdfPages([&] { WYDRUK_KSIEGA(c.filter, {}, c.control); }).isEmpty()) << c.control.toStdString();
        EXPECT_EQ(s.globalResponse, 2);
        EXPECT_EQ(ui.messageTexts().size(), 1) << c.filter.toStdString() << " " << c.control.toStdString();
    }
    sql::Cursor n = db->exec(QStringLiteral("select count(*) from POZ_DOK"));
    ASSERT_TRUE(n.next());
    EXPECT_GT(n.value(0).toInt(), 100);

    // A sort code outside the table orders by default; a description of 10,000 characters prints cut.
    ui.clear();
    ledger::ControlList c;
    c.kind = 61;
    c.sort = 77;
    c.layoutFlag = 0;
    c.description = QString(10000, u'd');
    const QStringList pages = pdfPages([&] { WYDRUK_KSIEGA(marchFilter(), {}, ledger::buildControlList(c)); });
    EXPECT_EQ(s.globalResponse, 1) << ui.messageTexts().join(u'\n').toStdString();
    EXPECT_FALSE(pages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Backends, AccountSheets, allBackends(), backendName);

} // namespace
} // namespace pravik::test
