// The cash report over the ledger of our own on SQLite and PostgreSQL: the entries queue, the
// totals, the cash state and the contra-account summary against sums taken straight from the
// postings, the printed carry-over from page to page, and the contra text of hand-made documents.
#include "LedgerFixture.h"

#include "framework/OutputTarget.h"
#include "ledger/AccountEntries.h"
#include "ledger/CashReport.h"
#include "ledger/CashReportSource.h"
#include "ledger/ContraAccountFinder.h"
#include "ledger/LedgerBrowseModel.h"
#include "ledger/ContraAccountRule.h"
#include "ledger/LedgerProcedures.h"
#include "siblings/tekston/CodePages.h"

#include <QFile>

namespace pravik::test {
namespace {

using ledger::Amounts;
using ledger::CashLine;
using ledger::CashReportSource;
using ledger::CashRequest;
using ledger::DocumentPosition;

QString marchCash()
{
    return QStringLiteral("PDD:konto='100' AND PDD:data_okresu=%1").arg(kLedgerMarch);
}

// The last amount on the first line that holds the label (the cash-state lines carry dashes too).
Decimal stateAmount(const QString& page, const QString& label)
{
    for (const QString& line : page.split(u'\n'))
        if (line.contains(label)) {
            const QList<Decimal> amounts = amountsIn(line.mid(line.indexOf(label) + label.size()).remove(QRegularExpression(QStringLiteral("-{3,}"))));
            return amounts.isEmpty() ? Decimal::fromCents(-999999) : amounts.last();
        }
    return Decimal::fromCents(-999999);
}

class CashReport : public LedgerTest {
protected:
    // What the host computes and hands over: the cash account before March, within the year.
    Amounts openingBeforeMarch()
    {
        const QString before = QStringLiteral("n.data_okresu<%1 and n.id_lata_obrot=2").arg(kLedgerMarch);
        return {posted("100", "wn", before), posted("100", "ma", before)};
    }
    Amounts march()
    {
        const QString m = QStringLiteral("n.data_okresu=%1").arg(kLedgerMarch);
        return {posted("100", "wn", m), posted("100", "ma", m)};
    }
    void handOver(const Amounts& opening)
    {
        korda::Session& s = korda::session();
        s.DANE_ZAZNACZ_REK.clear();
        s.DANE_ZAZNACZ_REK.append(korda::MarkedRecord{opening.debit.toString()});
        s.DANE_ZAZNACZ_REK.append(korda::MarkedRecord{opening.credit.toString()});
    }
};

TEST_P(CashReport, DataStageTotalsStatesAndContraSummaryAreThoseOfThePostings)
{
    ledger::AccountEntriesQueue queue;
    ASSERT_TRUE(queue.fill(1, QStringLiteral("konto='100' AND data_okresu=%1").arg(kLedgerMarch), 1, true));
    EXPECT_EQ(queue.size(), 2 * kMarchDocuments);
    CashRequest r;
    r.company = 1;
    r.opening = openingBeforeMarch();
    r.openingGiven = true;
    CashReportSource source(r, queue);
    ASSERT_TRUE(source.start());
    CashLine line;
    QString previous;
    int n = 0;
    while (source.next(line)) {
        ++n;
        EXPECT_EQ(line.rowNumber, n);
        // Register numbers ascend (sort code 1), and each receipt's contra account is the customer's.
        EXPECT_LE(previous, line.entry.registerNumber);
        previous = line.entry.registerNumber;
        EXPECT_EQ(line.contraText, line.entry.side == 0 ? QStringLiteral("201-1-2") : QStringLiteral("201-10-5"));
    }
    EXPECT_EQ(n, 2 * kMarchDocuments);
    const Amounts m = march();
    EXPECT_EQ(source.periodTotals(), m);
    EXPECT_EQ(source.previousState(), r.opening.debit - r.opening.credit);
    EXPECT_EQ(source.currentState(), r.opening.debit + m.debit - r.opening.credit - m.credit);
    // Receipts come from the contra accounts' credit side, payments go to their debit side.
    const ledger::ContraSummaryRow totals = source.summaryTotals();
    EXPECT_EQ(totals.sums.credit, m.debit);
    EXPECT_EQ(totals.sums.debit, m.credit);
    const QList<ledger::ContraSummaryRow> rows = source.summary();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].account, QStringLiteral("201-1-2"));
    EXPECT_EQ(rows[0].sums.credit, posted("201-1-2", "ma", QStringLiteral("n.data_okresu=%1").arg(kLedgerMarch)));
    EXPECT_EQ(rows[0].balance.credit, rows[0].sums.credit);
    EXPECT_EQ(rows[1].account, QStringLiteral("201-10-5"));
}

TEST_P(CashReport, PrintedReportCarriesPagesOverAndClosesWithTheCashState)
{
    korda::Session& s = korda::session();
    s.DANE_DRUKUJ_PODSUMOWANIE = 1;
    const Amounts opening = openingBeforeMarch();
    handOver(opening);
    const QStringList pages = pdfPages([&] { WYDRUK_KSIEGA(marchCash(), QStringLiteral("Raport kasowy"), QStringLiteral("66|0|1|1|0||0")); });
    ASSERT_EQ(s.globalResponse, 1) << ui.messageTexts().join(u'\n').toStdString();
    EXPECT_TRUE(ledger::accountEntries().isEmpty());
    EXPECT_TRUE(s.DANE_ZAZNACZ_REK.isEmpty());
    ASSERT_GE(pages.size(), 3);
    const Amounts m = march();

    // The first page brings the opening figures forward; every later page what the page before carried.
    EXPECT_EQ(labelled(pages.first(), QStringLiteral("Z przeniesienia")), opening.columns());
    QList<Decimal> carried = opening.columns();
    QString closing;
    for (const QString& page : pages) {
        const QList<Decimal> next = labelled(page, QStringLiteral("Do przeniesienia"));
        if (next.isEmpty()) {
            closing = page;
            break;
        }
        EXPECT_EQ(labelled(page, QStringLiteral("Z przeniesienia")), carried);
        const QList<Decimal> onPage = labelled(page, QStringLiteral("Razem na stronie"));
        ASSERT_EQ(onPage.size(), 2);
        EXPECT_EQ(next, (QList<Decimal>{carried[0] + onPage[0], carried[1] + onPage[1]}));
        carried = next;
    }
    ASSERT_FALSE(closing.isEmpty());
    EXPECT_EQ(labelled(closing, QStringLiteral("Razem w okresie")), m.columns());
    EXPECT_EQ(labelled(closing, QStringLiteral("Z przeniesienia")), carried);
    EXPECT_EQ(labelled(closing, QStringLiteral("Razem")), (opening + m).columns());
    EXPECT_EQ(stateAmount(closing, QStringLiteral("Stan poprzedni")), opening.debit - opening.credit);
    EXPECT_EQ(stateAmount(closing, QStringLiteral("Stan obecny")), opening.debit + m.debit - opening.credit - m.credit);
    EXPECT_TRUE(closing.contains(QStringLiteral("Ilość załączników")));
    EXPECT_TRUE(closing.contains(QStringLiteral("Sporządził")));
    // The contra-account summary on a page of its own.
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Konto przeciwstawne")));
    EXPECT_EQ(labelled(pages.last(), QStringLiteral("Razem")).mid(0, 2), (QList<Decimal>{m.credit, m.debit}));
}

// The report goes where its request says, whatever the session asks for once it is built.
TEST_P(CashReport, ReportGoesToTheTargetOfItsRequest)
{
    korda::Session& s = korda::session();
    const QString stray = folder.filePath(QStringLiteral("obcy.pdf"));
    auto print = [&](bool redirected) {
        ledger::AccountEntriesQueue queue;
        EXPECT_TRUE(queue.fill(1, QStringLiteral("konto='100' AND data_okresu=%1").arg(kLedgerMarch), 1, true));
        CashRequest r;
        r.company = 1;
        r.filter = marchCash();
        r.title = QStringLiteral("Raport kasowy");
        r.opening = openingBeforeMarch();
        r.openingGiven = true;
        r.output = frame::OutputTarget::fromSession(s);
        if (redirected)
            s.outputRequests.pdfPath = stray;
        EXPECT_EQ(ledger::printCashReport(r, queue), 1);
    };
    const QStringList expected = pdfPages([&] { print(false); });
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(pdfPages([&] { print(true); }, QStringLiteral("zadany.pdf")), expected);
    EXPECT_FALSE(QFileInfo::exists(stray));
}

TEST_P(CashReport, KindSixtySevenEmptyFilterAndMissingOpeningFigures)
{
    korda::Session& s = korda::session();
    // No entries: both states are the opening balance; 67 leaves the attachments line out.
    handOver({Decimal::fromCents(12345), Decimal::fromCents(345)});
    QStringList pages = pdfPages([&] {
        WYDRUK_KSIEGA(QStringLiteral("PDD:konto='100' AND PDD:data_okresu=1"), QStringLiteral("Raport"), QStringLiteral("67|0|1|1|0||0"));
    });
    ASSERT_EQ(s.globalResponse, 1) << ui.messageTexts().join(u'\n').toStdString();
    ASSERT_EQ(pages.size(), 1);
    EXPECT_EQ(stateAmount(pages[0], QStringLiteral("Stan poprzedni")), Decimal::fromCents(12000));
    EXPECT_EQ(stateAmount(pages[0], QStringLiteral("Stan obecny")), Decimal::fromCents(12000));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Ilość załączników")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Sporządził")));

    // An empty filter is the whole company (no dangling AND); no figures handed over count as 0
    // and the print says so.
    pages = pdfPages([&] { WYDRUK_KSIEGA(QString(), QStringLiteral("Raport"), QStringLiteral("66|0|1|1|0||0")); });
    ASSERT_EQ(s.globalResponse, 1) << ui.messageTexts().join(u'\n').toStdString();
    EXPECT_TRUE(pages.first().contains(QStringLiteral("Brak stanu początkowego kasy")));
    EXPECT_EQ(labelled(pages.first(), QStringLiteral("Z przeniesienia")), (QList<Decimal>{Decimal(), Decimal()}));
    sql::Cursor all = db->exec(QStringLiteral("select coalesce(sum(p.kwota_wn),0), coalesce(sum(p.kwota_ma),0) from POZ_DOK p join NAG_DOK n "
                                              "on n.id_nag_dok=p.id_nag_dok where n.status<>0 and n.id_firmy=1"));
    ASSERT_TRUE(all.next());
    const QList<Decimal> everything{dec(all.value(0)), dec(all.value(1))};
    QString closing;
    for (const QString& p : pages)
        if (p.contains(QStringLiteral("Razem w okresie")))
            closing = p;
    EXPECT_EQ(labelled(closing, QStringLiteral("Razem w okresie")), everything);
    EXPECT_TRUE(ledger::accountEntries().isEmpty());
}

TEST_P(CashReport, BadInputIsRefusedAndTheQueuesAreEmptyAfterwards)
{
    korda::Session& s = korda::session();
    handOver({Decimal::fromCents(100), Decimal()});
    WYDRUK_KSIEGA(QStringLiteral("PDD:konto='100'; delete from POZ_DOK"), QStringLiteral("R"), QStringLiteral("66|0|1|1|0||0"));
    EXPECT_EQ(s.globalResponse, 2);
    EXPECT_TRUE(ledger::accountEntries().isEmpty());
    EXPECT_TRUE(s.DANE_ZAZNACZ_REK.isEmpty());
    EXPECT_TRUE(ui.messageTexts().join(u'\n').contains(QStringLiteral("średnik")));
    sql::Cursor left = db->exec(QStringLiteral("select count(*) from POZ_DOK"));
    ASSERT_TRUE(left.next());
    EXPECT_GT(left.value(0).toInt(), 0);

    // A filter the database refuses: the message is shown, nothing is delivered, the queue is empty.
    const QString pdf = folder.filePath(QStringLiteral("zly.pdf"));
    s.outputRequests.pdfPath = pdf;
    WYDRUK_KSIEGA(QStringLiteral("PDD:nie_ma_kolumny=1"), QStringLiteral("R"), QStringLiteral("66|0|1|1|0||0"));
    s.outputRequests.pdfPath.clear();
    EXPECT_NE(s.globalResponse, 1);
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_TRUE(ledger::accountEntries().isEmpty());

    // The synthetic account of "13-1" is 13, not "13-" cut at three characters.
    {
        ledger::ContraAccountFinder finder(1);
        EXPECT_FALSE(finder.offBalance(QStringLiteral("13-1"), 2));
        EXPECT_FALSE(finder.offBalance(QStringLiteral("K1-2"), 2));
        db->exec(QStringLiteral("update KONTA_SYNT set typ_konta='P' where nr_konta_syn=13"));
        ledger::ContraAccountFinder fresh(1);
        EXPECT_TRUE(fresh.offBalance(QStringLiteral("13-1"), 2));
        db->exec(QStringLiteral("update KONTA_SYNT set typ_konta='B' where nr_konta_syn=13"));
    }

    // A direct call with a kind that is not a cash report.
    ui.clear();
    PRN_RAPORT_KASOWY_SQL(65, 0, 1, 1, QString(), QStringLiteral("R"));
    EXPECT_EQ(s.globalResponse, 2);
    EXPECT_TRUE(ui.messageTexts().join(u'\n').contains(QStringLiteral("Nieznany rodzaj raportu kasowego: 65")));
}

TEST_P(CashReport, BrowseHandsOverTheStateBeforeItsFirstPeriod)
{
    ledger::LedgerBrowseModel m;
    m.setAccount(QStringLiteral("100"));
    m.setPeriods(kLedgerFeb, kLedgerMarch);
    m.setKind(ledger::kCashReport);
    // Item 5 of a cash report is its currency flag: 0 for the base currency.
    m.setPeriodLayout(false);
    m.setSort(1, true);
    const QStringList pages = pdfPages([&] { EXPECT_EQ(m.print(QStringLiteral("Raport kasowy")), 1); });
    ASSERT_FALSE(pages.isEmpty()) << ui.messageTexts().join(u'\n').toStdString();
    const QString before = QStringLiteral("n.data_okresu<%1 and n.id_lata_obrot=2").arg(kLedgerFeb);
    const QString through = QStringLiteral("n.data_okresu<=%1 and n.id_lata_obrot=2").arg(kLedgerMarch);
    QString closing;
    for (const QString& p : pages)
        if (p.contains(QStringLiteral("Stan obecny")))
            closing = p;
    EXPECT_EQ(stateAmount(closing, QStringLiteral("Stan poprzedni")), posted("100", "wn", before) - posted("100", "ma", before));
    EXPECT_EQ(stateAmount(closing, QStringLiteral("Stan obecny")), posted("100", "wn", through) - posted("100", "ma", through));
    EXPECT_TRUE(ledger::accountEntries().isEmpty());
}

TEST_P(CashReport, TextFormFillsSixtySixLineSheetsWithTheCarryOverLines)
{
    // A cut-sheet printer of 66 lines with margins of 3 and 3, as the printer's codes describe it.
    db->exec(QStringLiteral("delete from KOD_STERUJACY where id_drukarki=91"));
    db->exec(QStringLiteral("delete from DRUKARKA where id_drukarki=91"));
    db->exec(QStringLiteral("insert into DRUKARKA (id_drukarki, nazwa, opis) values (91, 'Igłowa 66', 'test')"));
    db->exec(QStringLiteral("insert into KOD_STERUJACY (id_drukarki, nazwa_kodu, wartosc_domyslna) values "
                            "(91, 'Ilość linii wydruku', '66'), (91, 'PAPIER', 'KARTKI'), "
                            "(91, 'Górny margines (ilość linii odstępu)', '3'), "
                            "(91, 'Dolny margines (ilość linii odstępu od stopki)', '3')"));
    korda::Session& s = korda::session();
    s.DANE_RODZAJ_WYDRUKU = 2;
    s.DANE_DRUKARKA_EKRAN = 0;
    s.DANE_NAZWA_DRUKARKI = QStringLiteral("Igłowa 66");
    const QString file = folder.filePath(QStringLiteral("kasa.txt"));
    s.outputRequests.textFile = file;
    const Amounts opening = openingBeforeMarch();
    handOver(opening);
    WYDRUK_KSIEGA(marchCash(), QStringLiteral("Raport kasowy"), QStringLiteral("66|0|1|1|0||0"));
    s.outputRequests.textFile.clear();
    ASSERT_EQ(s.globalResponse, 1) << ui.messageTexts().join(u'\n').toStdString();
    EXPECT_TRUE(ledger::accountEntries().isEmpty());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = tekston::decode(f.readAll(), tekston::CodePage::Cp1250);
    QStringList pages = text.split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    ASSERT_GE(pages.size(), 2);

    const Amounts m = march();
    QList<Decimal> carried = opening.columns();
    int entries = 0;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        const QStringList lines = pages[p].split(QStringLiteral("\r\n"));
        // The last line's CR LF leaves one empty piece after it.
        EXPECT_LE(lines.size(), 66 + 1) << "page " << p + 1;
        EXPECT_TRUE(pages[p].contains(QStringLiteral("przeciwstawne"))) << "headings on page " << p + 1;
        EXPECT_EQ(labelled(pages[p], QStringLiteral("Z przeniesienia")), carried) << "page " << p + 1;
        for (const QString& line : lines)
            if (line.contains(QStringLiteral("201-1-2")) || line.contains(QStringLiteral("201-10-5")))
                ++entries;
        if (p + 1 < pages.size()) {
            const QList<Decimal> onPage = labelled(pages[p], QStringLiteral("Razem na stronie"));
            ASSERT_EQ(onPage.size(), 2) << "page " << p + 1;
            const QList<Decimal> next = labelled(pages[p], QStringLiteral("Do przeniesienia"));
            EXPECT_EQ(next, (QList<Decimal>{carried[0] + onPage[0], carried[1] + onPage[1]})) << "page " << p + 1;
            carried = next;
        }
    }
    EXPECT_EQ(entries, 2 * kMarchDocuments);
    const QString& closing = pages.last();
    EXPECT_EQ(labelled(closing, QStringLiteral("Razem w okresie")), m.columns());
    EXPECT_EQ(stateAmount(closing, QStringLiteral("Stan poprzedni")), opening.debit - opening.credit);
    EXPECT_EQ(stateAmount(closing, QStringLiteral("Stan obecny")), opening.debit + m.debit - opening.credit - m.credit);
    EXPECT_TRUE(closing.contains(QStringLiteral("Ilość załączników")));
}

INSTANTIATE_TEST_SUITE_P(Backends, CashReport, allBackends(), backendName);

// The contra text of documents made by hand, through the shared rule.
QList<DocumentPosition> doc(std::initializer_list<std::tuple<qint64, const char*, const char*, qint64, qint64>> rows)
{
    QList<DocumentPosition> out;
    for (const auto& [id, wn, ma, dt, ct] : rows)
        out.append({id, QLatin1String(wn), QLatin1String(ma), Decimal::fromCents(dt), Decimal::fromCents(ct)});
    return out;
}

TEST(CashContra, RunsCloseByBalanceOrASecondAmountOnTheLeadingSideAndOffBalanceAccountsDrop)
{
    const auto offBalance = [](const QString& a) { return a.startsWith(QLatin1String("09")); };
    // Cash 100 received against two accounts, balanced only after both: one run.
    auto grouped = ledger::groupPositions(doc({{1, "100", "", 300, 0}, {2, "", "201-1", 0, 100}, {3, "", "202-1", 0, 200},
                                               {4, "", "100", 0, 50}, {5, "401", "", 50, 0}}),
                                          offBalance);
    auto c = ledger::contraAccounts(grouped, 1, ledger::EntrySide::Debit);
    EXPECT_EQ(c.text, QStringLiteral("201-1,202-1"));
    ASSERT_EQ(c.parts.size(), 2);
    EXPECT_EQ(c.parts[1].amount, Decimal::fromCents(200));
    // The payment after the balanced run is a run of its own.
    EXPECT_EQ(ledger::contraAccounts(grouped, 4, ledger::EntrySide::Credit).text, QStringLiteral("401"));

    // A second amount on the leading (debit) side closes the run before it.
    // The second receipt still belongs to the first run, which it closes; the rest is a run of its own.
    grouped = ledger::groupPositions(doc({{1, "100", "", 300, 0}, {2, "", "201-1", 0, 100}, {3, "100", "", 70, 0},
                                          {4, "", "202-1", 0, 70}, {5, "100", "", 70, 0}}),
                                     offBalance);
    EXPECT_EQ(ledger::contraAccounts(grouped, 1, ledger::EntrySide::Debit).text, QStringLiteral("201-1"));
    EXPECT_EQ(ledger::contraAccounts(grouped, 3, ledger::EntrySide::Debit).text, QStringLiteral("201-1"));
    EXPECT_EQ(ledger::contraAccounts(grouped, 5, ledger::EntrySide::Debit).text, QStringLiteral("202-1"));

    // An off-balance account is cleared with its amount: only "brak" is left.
    grouped = ledger::groupPositions(doc({{1, "100", "090-1", 500, 500}}), offBalance);
    EXPECT_EQ(ledger::contraAccounts(grouped, 1, ledger::EntrySide::Debit).text, QStringLiteral("brak"));
    EXPECT_EQ(ledger::contraAccounts(grouped, 9, ledger::EntrySide::Debit).text, QStringLiteral("brak"));
}

TEST(CashContra, ContinuationLinesShowEveryPieceAndDotsOnlyWhenSomethingIsLeft)
{
    QStringList accounts;
    for (int i = 1; i <= 12; ++i)
        accounts << QStringLiteral("201-01-%1").arg(i, 4, 10, QLatin1Char('0'));
    // Eleven pieces: the entry line and ten continuation lines, the last account shown.
    const ledger::ContraPieces eleven = ledger::contraPieces(accounts.mid(0, 11).join(u','));
    EXPECT_EQ(eleven.first, QStringLiteral("201-01-0001,"));
    ASSERT_EQ(eleven.continuation.size(), 10);
    EXPECT_EQ(eleven.continuation.last(), QStringLiteral("201-01-0011"));
    // Twelve: the tenth continuation line gives way to "...".
    const ledger::ContraPieces twelve = ledger::contraPieces(accounts.join(u','));
    ASSERT_EQ(twelve.continuation.size(), 10);
    EXPECT_EQ(twelve.continuation.last(), QStringLiteral("..."));
    EXPECT_EQ(twelve.continuation[8], QStringLiteral("201-01-0010,"));
    const ledger::ContraPieces one = ledger::contraPieces(QStringLiteral("201-1"));
    EXPECT_EQ(one.first, QStringLiteral("201-1"));
    EXPECT_TRUE(one.continuation.isEmpty());
}

TEST(CashQueue, OrderFollowsTheSortCodeAndUnknownCodesGiveNone)
{
    EXPECT_EQ(ledger::accountEntriesOrder(2, true),
              QStringLiteral(" order by id_firmy asc, id_lata_obrot asc, konto asc, data_biezaca asc, id_poz_dok asc, strona asc"));
    EXPECT_EQ(ledger::accountEntriesOrder(11, false),
              QStringLiteral(" order by id_firmy asc, id_lata_obrot asc, konto asc, nr_dziennika desc, id_poz_dok desc, strona desc"));
    EXPECT_TRUE(ledger::accountEntriesOrder(0, true).isEmpty());
    EXPECT_TRUE(ledger::accountEntriesOrder(12, true).isEmpty());
}

} // namespace
} // namespace pravik::test
