// The posting journals over the demo company: the data stage (journal numbers, off-balance
// rule, opening totals, split texts) and the printed journal (carry-over chain, closing totals,
// a period without postings), on SQLite and on PostgreSQL.
#include "JournalReportFixture.h"

#include "journals/PostingJournalReport.h"
#include "journals/PostingJournalSource.h"

namespace pravik::test {
namespace {

using journals::JournalOptions;
using journals::PostingJournalKind;
using journals::PostingJournalSource;
using journals::PostingLine;

const DayNumber kMarch = dayFromYmd(2026, 3, 2);
const DayNumber kJuly = dayFromYmd(2026, 7, 2);

QString periodFilter(DayNumber period, qint32 batch = 0)
{
    QString f = QStringLiteral("PDD:id_lata_obrot=%1 AND PDD:data_okresu=%2").arg(kYear).arg(period);
    if (batch)
        f += QStringLiteral(" AND PDD:id_paczka=%1").arg(batch);
    return f;
}

QList<PostingLine> readAll(PostingJournalSource& source)
{
    QList<PostingLine> lines;
    EXPECT_TRUE(source.start());
    PostingLine line;
    while (source.next(line))
        lines << line;
    return lines;
}

class PostingJournal : public JournalReportTest {};

// The window's journal goes by its request, a host's call by the journal variables the module
// keeps: document totals printed exactly when the one or the other asks for them.
TEST_P(PostingJournal, DocumentTotalsFollowTheRequestNotTheKeptVariables)
{
    variables.periodDate = kMarch;
    journals::JournalRequest request;
    request.options = variables;
    request.options.CZY_SUMOWANIE = 1;
    request.filter = periodFilter(kMarch);
    request.title = QStringLiteral("Dziennik księgowań");
    request.company = kCompany;
    const QStringList summed = pdfPages([&] {
        korda::session().DANE_NAGLOWEK_WYDRUKU = request.title;
        request.output = frame::OutputTarget::fromSession(korda::session());
        journals::printPostingJournal(PostingJournalKind::Whole, request);
    });
    ASSERT_FALSE(summed.isEmpty());
    EXPECT_TRUE(summed.join(u'\f').contains(QStringLiteral("Suma dokumentu")));
    EXPECT_EQ(journals::journalVariables().CZY_SUMOWANIE, 0);

    const QStringList plain = pdfPages(
        [] { PRN_71_DZIENNIK_P_J(QString(), periodFilter(kMarch), QStringLiteral("Dziennik księgowań"), 4); },
        QStringLiteral("bez-sum.pdf"));
    ASSERT_FALSE(plain.isEmpty());
    EXPECT_FALSE(plain.join(u'\f').contains(QStringLiteral("Suma dokumentu")));
}

TEST_P(PostingJournal, JournalNumbersAreStoredOrRenumberedFromTheChosenFirst)
{
    JournalOptions o = variables;
    o.periodDate = kMarch;
    PostingJournalSource stored(PostingJournalKind::Whole, periodFilter(kMarch), 4, false, o, kCompany);
    const QList<PostingLine> lines = readAll(stored);
    ASSERT_GT(lines.size(), 20);
    EXPECT_EQ(stored.count(), lines.size());

    o.CZY_NUMEROWANIE = 1;
    o.CZY_NUMEROWANIE_WARTOSC = 100;
    PostingJournalSource renumbered(PostingJournalKind::Whole, periodFilter(kMarch), 4, false, o, kCompany);
    const QList<PostingLine> again = readAll(renumbered);
    ASSERT_EQ(again.size(), lines.size());
    qint64 expected = 100;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].newDocument)
            continue;
        const qint64 storedNumber = scalar(QStringLiteral("select nr_dziennika from NAG_DOK where id_nag_dok=%1")
                                               .arg(lines[i].documentId)).units();
        EXPECT_EQ(lines[i].journalNumber, storedNumber);
        EXPECT_EQ(again[i].journalNumber, expected++);
        EXPECT_FALSE(lines[i].batchCode.isEmpty()); // the whole journal names each document's batch
    }
    // Every posting line of the period comes once, grouped by document.
    QSet<qint64> closed;
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (lines[i].newDocument) {
            EXPECT_FALSE(closed.contains(lines[i].documentId));
            closed.insert(lines[i - 1].documentId);
        }
}

TEST_P(PostingJournal, OffBalancePostingsPrintButCountOnlyWhenAsked)
{
    JournalOptions o = variables;
    o.periodDate = kMarch;
    o.batchId = batchId(QStringLiteral("PK"));
    const QString filter = periodFilter(kMarch, o.batchId);
    PostingJournalSource source(PostingJournalKind::Batch, filter, 4, false, o, kCompany);
    int offBalance = 0;
    for (const PostingLine& l : readAll(source)) {
        const bool debitOff = l.debitAccount.piece.startsWith(QLatin1String("990"));
        const bool creditOff = l.creditAccount.piece.startsWith(QLatin1String("975"));
        offBalance += debitOff || creditOff;
        EXPECT_EQ(l.counted.wn, debitOff ? Decimal() : l.debit);
        EXPECT_EQ(l.counted.ma, creditOff ? Decimal() : l.credit);
        if (debitOff) {
            EXPECT_FALSE(l.debit.isZero());
        }
    }
    EXPECT_GT(offBalance, 0);

    o.PRN_SUMUJ_POZABILANSOWE = 1;
    PostingJournalSource summed(PostingJournalKind::Batch, filter, 4, false, o, kCompany);
    for (const PostingLine& l : readAll(summed)) {
        EXPECT_EQ(l.counted.wn, l.debit);
        EXPECT_EQ(l.counted.ma, l.credit);
    }
}

TEST_P(PostingJournal, OpeningTotalsFollowTheOffBalanceRuleExceptInTheCompactJournal)
{
    JournalOptions o = variables;
    o.periodDate = kMarch;
    o.batchId = batchId(QStringLiteral("PK"));
    const QString earlier = QStringLiteral("from POZ_DOK p join NAG_DOK n on n.id_nag_dok=p.id_nag_dok where n.status<>0 "
                                           "and n.id_firmy=1 and n.id_lata_obrot=2 and n.data_okresu<%1 and n.id_paczka=%2")
                                .arg(kMarch).arg(o.batchId);
    const Decimal debitAll = scalar(QStringLiteral("select coalesce(sum(p.kwota_wn),0) ") + earlier);
    const Decimal creditAll = scalar(QStringLiteral("select coalesce(sum(p.kwota_ma),0) ") + earlier);
    const Decimal debitOff = scalar(QStringLiteral("select coalesce(sum(p.kwota_wn),0) ") + earlier + QStringLiteral(" and p.konto_wn in ('990','975')"));
    const Decimal creditOff = scalar(QStringLiteral("select coalesce(sum(p.kwota_ma),0) ") + earlier + QStringLiteral(" and p.konto_ma in ('990','975')"));
    ASSERT_FALSE(debitOff.isZero());
    ASSERT_FALSE(creditOff.isZero());

    PostingJournalSource batch(PostingJournalKind::Batch, {}, 4, false, o, kCompany);
    EXPECT_EQ(batch.openingTotals(), (journals::DebitCredit{debitAll - debitOff, creditAll - creditOff}));
    PostingJournalSource compact(PostingJournalKind::BatchCompact, {}, 4, false, o, kCompany);
    EXPECT_EQ(compact.openingTotals(), (journals::DebitCredit{debitAll, creditAll}));
    o.PRN_SUMUJ_POZABILANSOWE = 1;
    PostingJournalSource summed(PostingJournalKind::Batch, {}, 4, false, o, kCompany);
    EXPECT_EQ(summed.openingTotals(), (journals::DebitCredit{debitAll, creditAll}));

    // The whole journal and the text journal of the whole period open over every batch.
    const Decimal everyBatch = scalar(QStringLiteral("select coalesce(sum(p.kwota_wn),0) from POZ_DOK p join NAG_DOK n on "
                                                     "n.id_nag_dok=p.id_nag_dok where n.status<>0 and n.id_firmy=1 and "
                                                     "n.id_lata_obrot=2 and n.data_okresu<%1").arg(kMarch));
    PostingJournalSource whole(PostingJournalKind::Whole, {}, 4, false, o, kCompany);
    PostingJournalSource text(PostingJournalKind::Text, {}, 4, true, o, kCompany);
    PostingJournalSource textOfBatch(PostingJournalKind::Text, {}, 4, false, o, kCompany);
    EXPECT_EQ(whole.openingTotals().wn, everyBatch);
    EXPECT_EQ(text.openingTotals().wn, everyBatch);
    EXPECT_EQ(textOfBatch.openingTotals().wn, debitAll);
}

TEST_P(PostingJournal, PagesCarryTheirTotalsOnAndTheJournalClosesWithOpeningPlusPeriod)
{
    variables.periodDate = kMarch;
    variables.CZY_SUMOWANIE = 1;
    const QStringList pages = pdfPages([] {
        PRN_71_DZIENNIK_P_J(QString(), periodFilter(kMarch), QStringLiteral("Dziennik księgowań"), 4);
    });
    ASSERT_GE(pages.size(), 3);
    EXPECT_TRUE(ui.unexpected().isEmpty());

    const Decimal openingWn = scalar(QStringLiteral("select coalesce(sum(p.kwota_wn),0) from POZ_DOK p join NAG_DOK n on "
                                                    "n.id_nag_dok=p.id_nag_dok where n.status<>0 and n.id_firmy=1 and "
                                                    "n.id_lata_obrot=2 and n.data_okresu<%1 and p.konto_wn not in ('990','975')")
                                         .arg(kMarch));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Rok obrotowy: 2026")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Numer w")));
    ASSERT_EQ(labelled(pages[0], QStringLiteral("Z przeniesienia")).value(0), openingWn);

    QList<Decimal> pageSum{Decimal(), Decimal()};
    for (qsizetype p = 0; p + 1 < pages.size(); ++p) {
        const QList<Decimal> carried = labelled(pages[p], QStringLiteral("Do przeniesienia"));
        const QList<Decimal> brought = labelled(pages[p + 1], QStringLiteral("Z przeniesienia"));
        ASSERT_EQ(carried.size(), 2) << "page " << p + 1;
        EXPECT_EQ(carried, brought) << "page " << p + 1;
        const QList<Decimal> onPage = labelled(pages[p], QStringLiteral("Razem na stronie"));
        ASSERT_EQ(onPage.size(), 2);
        pageSum[0] += onPage[0];
        pageSum[1] += onPage[1];
        // Carried = brought + this page.
        const QList<Decimal> broughtHere = labelled(pages[p], QStringLiteral("Z przeniesienia"));
        EXPECT_EQ(carried[0], broughtHere[0] + onPage[0]);
    }
    const QString& last = pages.last();
    const QList<Decimal> period = labelled(last, QStringLiteral("Razem w okresie"));
    const QList<Decimal> total = labelled(last, QStringLiteral("Razem"));
    const QList<Decimal> lastPage = labelled(last, QStringLiteral("Razem na stronie"));
    ASSERT_EQ(period.size(), 2);
    ASSERT_EQ(total.size(), 2);
    EXPECT_EQ(total[0], openingWn + period[0]);
    EXPECT_EQ(pageSum[0] + lastPage[0], period[0]);
    EXPECT_EQ(pageSum[1] + lastPage[1], period[1]);
    EXPECT_TRUE(last.contains(QStringLiteral("Koniec wydruku")));
    EXPECT_TRUE(last.contains(QStringLiteral("Suma dokumentu")));
    EXPECT_EQ(korda::session().globalResponse, 1);
}

TEST_P(PostingJournal, PeriodWithoutPostingsPrintsHeadingClosingTotalsAndEnd)
{
    variables.periodDate = kJuly;
    variables.batchId = batchId(QStringLiteral("BANK"));
    korda::session().DANE_OPIS_PRN.add(QStringLiteral("Okres obrotowy: Lipiec"));
    const QStringList pages = pdfPages([this] {
        PRN_71_DZIENNIK_P_K(QString(), periodFilter(kJuly, variables.batchId), QStringLiteral("Dziennik księgowań"), 3);
    });
    ASSERT_EQ(pages.size(), 1);
    const QString& page = pages[0];
    for (const char* text : {"Dziennik księgowań", "Okres obrotowy: Lipiec", "Razem na stronie", "Razem w okresie",
                             "Z przeniesienia", "Koniec wydruku"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(korda::session().DANE_OPIS_PRN.isEmpty());
    EXPECT_EQ(labelled(page, QStringLiteral("Razem w okresie")), (QList<Decimal>{Decimal(), Decimal()}));
    EXPECT_EQ(labelled(page, QStringLiteral("Razem")), labelled(page, QStringLiteral("Z przeniesienia")));
    EXPECT_FALSE(labelled(page, QStringLiteral("Z przeniesienia")).value(0).isZero());
}

INSTANTIATE_TEST_SUITE_P(Backends, PostingJournal, allBackends(), backendName);

TEST(PostingJournalText, LongTextsGoOnInTheContinuationBand)
{
    const auto account = journals::splitForContinuation(QStringLiteral("201-2-01-00017-0003-0000000012-KRAJ"), 21, QStringLiteral("-"));
    EXPECT_EQ(account.piece, QStringLiteral("201-2-01-00017-0003-"));
    EXPECT_EQ(account.rest, QStringLiteral("0000000012-KRAJ"));
    const auto text = journals::splitForContinuation(QString(60, u'x'), 45, QStringLiteral(" "));
    EXPECT_EQ(text.piece.size(), 45);
    EXPECT_EQ(text.rest.size(), 5); // the text is held in 50 characters
    const auto shortText = journals::splitForContinuation(QStringLiteral("Zapłata dostawcy"), 45, QStringLiteral(" "));
    EXPECT_EQ(shortText.piece, QStringLiteral("Zapłata dostawcy"));
    EXPECT_TRUE(shortText.rest.isEmpty());
}

} // namespace
} // namespace pravik::test
