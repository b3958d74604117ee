// The document journal (what it brings forward) and the statement of journals by batch ("BO",
// "Razem z BO", the off-balance rule of each side), printed and read back.
#include "JournalReportFixture.h"

#include "journals/DocumentJournalSource.h"

namespace pravik::test {
namespace {

const DayNumber kMarch = dayFromYmd(2026, 3, 2);

class DocumentAndBatchJournal : public JournalReportTest {};

// "Z przeniesienia" brings forward the documents the journal lists for the earlier periods,
// cash reports included, so "Razem" is what the journal lists from the start of the year; and a
// document's amount is its postings' total, so it agrees with the posting journal.
TEST_P(DocumentAndBatchJournal, DocumentJournalBringsForwardWhatItListsForEarlierPeriods)
{
    journals::JournalOptions& o = variables;
    o.periodDate = kMarch;
    o.batchId = batchId(QStringLiteral("KASA"));
    const QString lines = QStringLiteral("select coalesce(sum(p.kwota_wn),0) from NAG_DOK n join POZ_DOK p on "
                                         "p.id_nag_dok=n.id_nag_dok where n.id_firmy=1 and n.id_lata_obrot=2 and "
                                         "n.status<>0 and n.id_paczka=%1 ").arg(o.batchId);
    const Decimal earlier = scalar(lines + QStringLiteral("and n.data_okresu<%1").arg(kMarch));
    const Decimal earlierCash = scalar(lines + QStringLiteral("and n.data_okresu<%1 and n.czy_rk=10").arg(kMarch));
    const Decimal inPeriod = scalar(lines + QStringLiteral("and n.data_okresu=%1").arg(kMarch));
    ASSERT_FALSE(earlierCash.isZero());
    ASSERT_FALSE(inPeriod.isZero());

    const QString filter = QStringLiteral("NAG:id_lata_obrot=2 AND NAG:data_okresu=%1 AND NAG:status<>0 AND NAG:id_paczka=%2")
                               .arg(kMarch).arg(o.batchId);
    journals::DocumentJournalSource source(false, filter, 1, o, kCompany);
    EXPECT_EQ(source.openingTotal(), earlier);

    const QStringList pages = pdfPages([&] { PRN_72_DZIENNIK_S_K(QString(), filter, QStringLiteral("Dziennik księgowań"), 1); });
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_EQ(labelled(pages[0], QStringLiteral("Z przeniesienia")).value(0), earlier);
    EXPECT_EQ(labelled(pages.last(), QStringLiteral("Razem w okresie")).value(0), inPeriod);
    EXPECT_EQ(labelled(pages.last(), QStringLiteral("Razem")).value(0), earlier + inPeriod);
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Koniec wydruku")));

    // The whole journal the same way, over every batch.
    const QString allLines = QStringLiteral("select coalesce(sum(p.kwota_wn),0) from NAG_DOK n join POZ_DOK p on "
                                            "p.id_nag_dok=n.id_nag_dok where n.id_firmy=1 and n.id_lata_obrot=2 and "
                                            "n.status<>0 and n.data_okresu<%1").arg(kMarch);
    journals::DocumentJournalSource whole(true, QStringLiteral("NAG:id_lata_obrot=2 AND NAG:data_okresu=%1 AND NAG:status<>0")
                                                    .arg(kMarch), 1, o, kCompany);
    EXPECT_EQ(whole.openingTotal(), scalar(allLines));
}

TEST_P(DocumentAndBatchJournal, DocumentJournalCountsLinesAcrossPagesAndRenumbers)
{
    journals::JournalOptions& o = variables;
    o.periodDate = kMarch;
    o.CZY_NUMEROWANIE = 1;
    o.CZY_NUMEROWANIE_WARTOSC = 100;
    const QString filter = QStringLiteral("NAG:id_lata_obrot=2 AND NAG:data_okresu=%1 AND NAG:status<>0").arg(kMarch);
    journals::DocumentJournalSource source(true, filter, 4, o, kCompany);
    ASSERT_TRUE(source.start());
    journals::DocumentLine line;
    qint64 n = 0;
    while (source.next(line)) {
        ++n;
        EXPECT_EQ(line.ordinal, n);
        EXPECT_EQ(line.journalNumber, 99 + n);
        EXPECT_FALSE(line.batchCode.isEmpty());
    }
    EXPECT_EQ(source.count(), n);
    ASSERT_GT(n, 40);

    const QStringList pages = pdfPages([&] { PRN_72_DZIENNIK_S_J(QString(), filter, QStringLiteral("Dziennik księgowań"), 4); });
    ASSERT_GE(pages.size(), 2);
    for (qsizetype p = 0; p + 1 < pages.size(); ++p)
        EXPECT_EQ(labelled(pages[p], QStringLiteral("Do przeniesienia")), labelled(pages[p + 1], QStringLiteral("Z przeniesienia")));
    // "Lp" runs on over the page break.
    const QRegularExpression row(QStringLiteral("^\\s*(\\d+)\\s+(\\d+)\\s"), QRegularExpression::MultilineOption);
    QList<int> firstOnPage;
    for (const QString& page : pages) {
        for (auto it = row.globalMatch(page); it.hasNext();) {
            const auto m = it.next();
            if (m.captured(2).toInt() == m.captured(1).toInt() + 99) {
                firstOnPage << m.captured(1).toInt();
                break;
            }
        }
    }
    ASSERT_GE(firstOnPage.size(), 2);
    EXPECT_EQ(firstOnPage[0], 1);
    EXPECT_GT(firstOnPage[1], 1);
}

TEST_P(DocumentAndBatchJournal, BatchStatementEndsWithOpeningBalancesAndTheirSum)
{
    journals::JournalOptions& o = variables;
    o.periodDate = kMarch;
    const DayNumber yearStart = dayFromYmd(2026, 1, 1);
    korda::session().DANE_NAGLOWEK_WYDRUKU = QStringLiteral("Zestawienie dzienników księgowań");
    const QStringList pages = pdfPages([&] {
        PRN_73_DZIENNIK(QString::number(yearStart), QStringLiteral("PAC:id_lata_obrot=2"),
                        QStringLiteral("Zestawienie dzienników księgowań"));
    });
    ASSERT_FALSE(pages.isEmpty());
    const QString all = pages.join(u'\n');
    // Every batch of the year has its line, with equal sides while off-balance postings are out.
    for (const char* code : {"BANK", "BO", "KASA", "PK", "PLAC", "SPRZ", "ZAK"}) {
        bool found = false;
        for (const QString& line : all.split(u'\n')) {
            if (!line.contains(QRegularExpression(QStringLiteral("^\\s*\\d+\\s+%1\\s").arg(QString::fromUtf8(code)))))
                continue;
            found = true;
            const QList<Decimal> amounts = amountsIn(line);
            ASSERT_EQ(amounts.size(), 2) << line.toStdString();
            EXPECT_EQ(amounts[0], amounts[1]) << line.toStdString();
        }
        EXPECT_TRUE(found) << code;
    }
    const QString& last = pages.last();
    const QList<Decimal> razem = labelled(last, QStringLiteral("Razem"));
    const QList<Decimal> bo = labelled(last, QStringLiteral("BO"));
    const QList<Decimal> withBo = labelled(last, QStringLiteral("Razem z BO"));
    ASSERT_EQ(bo.size(), 2);
    ASSERT_EQ(withBo.size(), 2);
    EXPECT_EQ(withBo[0], bo[0] + razem[0]);
    EXPECT_EQ(withBo[1], bo[1] + razem[1]);
    // "BO": each account's opening balance once, from the opening period's postings.
    Decimal boDebit, boCredit;
    sql::Cursor c = db->exec(QStringLiteral(
        "select konto, sum(wn) - sum(ma) from ("
        " select p.konto_wn as konto, p.kwota_wn as wn, 0 as ma from NAG_DOK n join POZ_DOK p on p.id_nag_dok=n.id_nag_dok"
        "  where n.id_firmy=1 and n.id_lata_obrot=2 and n.status>0 and n.data_okresu=%1 and p.konto_wn<>''"
        " union all"
        " select p.konto_ma, 0, p.kwota_ma from NAG_DOK n join POZ_DOK p on p.id_nag_dok=n.id_nag_dok"
        "  where n.id_firmy=1 and n.id_lata_obrot=2 and n.status>0 and n.data_okresu=%1 and p.konto_ma<>''"
        ") x where konto not like '9%' group by konto").arg(yearStart));
    while (c.next()) {
        const Decimal net = dec(c.value(1));
        if (net > Decimal())
            boDebit += net;
        else
            boCredit -= net;
    }
    ASSERT_TRUE(c.ok()) << c.errorText().toStdString();
    ASSERT_FALSE(boDebit.isZero());
    EXPECT_EQ(bo[0], boDebit);
    EXPECT_EQ(bo[1], boCredit);
    // The opening period's postings enter only through "BO": the year to date starts after it.
    const Decimal afterOpening = scalar(QStringLiteral("select coalesce(sum(p.kwota_wn),0) from POZ_DOK p join NAG_DOK n on "
                                                       "n.id_nag_dok=p.id_nag_dok where n.status>0 and n.id_firmy=1 and "
                                                       "n.id_lata_obrot=2 and n.data_okresu>%1 and n.data_okresu<=%2 and "
                                                       "p.konto_wn not in ('990','975')").arg(yearStart).arg(kMarch));
    EXPECT_EQ(razem[0], afterOpening);
    EXPECT_TRUE(last.contains(QStringLiteral("Koniec wydruku")));
}

// Without the off-balance accounts each side leaves out its own: a line whose debit is on a
// balance-sheet account and whose credit is off balance counts on the debit side only.
TEST_P(DocumentAndBatchJournal, BatchStatementSumsEachSideWithoutItsOwnOffBalanceAccounts)
{
    journals::JournalOptions& o = variables;
    o.periodDate = kMarch;
    const qint32 pk = batchId(QStringLiteral("PK"));
    const qint64 document = scalar(QStringLiteral("select min(id_nag_dok) from NAG_DOK where id_firmy=1 and id_lata_obrot=2"
                                                  " and data_okresu=%1 and id_paczka=%2").arg(kMarch).arg(pk)).units();
    const qint64 line = scalar(QStringLiteral("select max(id_poz_dok)+1 from POZ_DOK")).units();
    ASSERT_GT(document, 0);
    ASSERT_TRUE(db->exec(QStringLiteral("insert into POZ_DOK (id_poz_dok, id_nag_dok, nr_poz_dok, tresc_poz_dok, konto_wn, kwota_wn,"
                                        " kwota_wn_w, konto_ma, kwota_ma, kwota_ma_w) values (%1, %2, 99, 'Gwarancja', '400',"
                                        " 123.45, 123.45, '990', 123.45, 123.45)").arg(line).arg(document)).ok());
    struct Remove {
        sql::Database* db;
        qint64 line;
        ~Remove() { db->exec(QStringLiteral("delete from POZ_DOK where id_poz_dok=%1").arg(line)); }
    } remove{db, line};

    const QStringList pages = pdfPages([&] {
        PRN_73_DZIENNIK(QString::number(dayFromYmd(2026, 1, 1)), QStringLiteral("PAC:id_lata_obrot=2"),
                        QStringLiteral("Zestawienie dzienników księgowań"));
    });
    ASSERT_FALSE(pages.isEmpty());
    const QString side = QStringLiteral("select coalesce(sum(p.kwota_%1),0) from NAG_DOK n join POZ_DOK p on p.id_nag_dok=n.id_nag_dok"
                                        " where n.id_firmy=1 and n.id_lata_obrot=2 and n.status>0 and n.data_okresu=%2"
                                        " and p.konto_%1 not like '9%'");
    const Decimal debit = scalar(side.arg(QStringLiteral("wn")).arg(kMarch) + QStringLiteral(" and n.id_paczka=%1").arg(pk));
    const Decimal credit = scalar(side.arg(QStringLiteral("ma")).arg(kMarch) + QStringLiteral(" and n.id_paczka=%1").arg(pk));
    EXPECT_EQ(debit - credit, Decimal::fromCents(12345));
    bool found = false;
    for (const QString& text : pages.join(u'\n').split(u'\n')) {
        if (!text.contains(QRegularExpression(QStringLiteral("^\\s*\\d+\\s+PK\\s"))))
            continue;
        found = true;
        EXPECT_EQ(amountsIn(text), (QList<Decimal>{debit, credit})) << text.toStdString();
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(labelled(pages.last(), QStringLiteral("Razem w okresie")),
              (QList<Decimal>{scalar(side.arg(QStringLiteral("wn")).arg(kMarch)), scalar(side.arg(QStringLiteral("ma")).arg(kMarch))}));
}

INSTANTIATE_TEST_SUITE_P(Backends, DocumentAndBatchJournal, allBackends(), backendName);

} // namespace
} // namespace pravik::test
