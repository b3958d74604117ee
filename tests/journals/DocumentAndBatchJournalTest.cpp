// The document journal (cash reports out of the opening total only) and the statement of
// journals by batch ("BO", "Razem z BO", the off-balance rule), printed and read back.
#include "JournalReportFixture.h"

#include "journals/DocumentJournalSource.h"

namespace pravik::test {
namespace {

const DayNumber kMarch = dayFromYmd(2026, 3, 2);

class DocumentAndBatchJournal : public JournalReportTest {};

TEST_P(DocumentAndBatchJournal, CashReportsStayOutOfTheOpeningTotalOnly)
{
    journals::JournalOptions& o = journals::journalOptions();
    o.periodDate = kMarch;
    o.batchId = batchId(QStringLiteral("KASA"));
    const QString docs = QStringLiteral("from NAG_DOK where id_firmy=1 and id_lata_obrot=2 and status<>0 and id_paczka=%1 ")
                             .arg(o.batchId);
    const Decimal earlierAll = scalar(QStringLiteral("select coalesce(sum(kwota_dok),0) ") + docs
                                      + QStringLiteral("and data_okresu<%1").arg(kMarch));
    const Decimal earlierCash = scalar(QStringLiteral("select coalesce(sum(kwota_dok),0) ") + docs
                                       + QStringLiteral("and data_okresu<%1 and czy_rk=10").arg(kMarch));
    const Decimal periodCash = scalar(QStringLiteral("select coalesce(sum(kwota_dok),0) ") + docs
                                      + QStringLiteral("and data_okresu=%1 and czy_rk=10").arg(kMarch));
    const Decimal periodAll = scalar(QStringLiteral("select coalesce(sum(kwota_dok),0) ") + docs
                                     + QStringLiteral("and data_okresu=%1").arg(kMarch));
    ASSERT_FALSE(earlierCash.isZero());
    ASSERT_FALSE(periodCash.isZero());

    const QString filter = QStringLiteral("NAG:id_lata_obrot=2 AND NAG:data_okresu=%1 AND NAG:status<>0 AND NAG:id_paczka=%2")
                               .arg(kMarch).arg(o.batchId);
    journals::DocumentJournalSource source(false, filter, 1, o, kCompany);
    EXPECT_EQ(source.openingTotal(), earlierAll - earlierCash);

    const QStringList pages = pdfPages([&] { PRN_72_DZIENNIK_S_K(QString(), filter, QStringLiteral("Dziennik księgowań"), 1); });
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_EQ(labelled(pages[0], QStringLiteral("Z przeniesienia")).value(0), earlierAll - earlierCash);
    EXPECT_EQ(labelled(pages.last(), QStringLiteral("Razem w okresie")).value(0), periodAll);
    EXPECT_EQ(labelled(pages.last(), QStringLiteral("Razem")).value(0), earlierAll - earlierCash + periodAll);
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Koniec wydruku")));
}

TEST_P(DocumentAndBatchJournal, DocumentJournalCountsLinesAcrossPagesAndRenumbers)
{
    journals::JournalOptions& o = journals::journalOptions();
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
    journals::JournalOptions& o = journals::journalOptions();
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
    const Decimal boDebit = scalar(QStringLiteral("select coalesce(sum(zsaldo_wn),0) from OBROTY_I_SALDA where id_firmy=1 and "
                                                  "id_lata_obrot=2 and data_okresu=%1 and sym_waluty='PLN' and "
                                                  "nr_konta not like '9%'").arg(yearStart));
    EXPECT_EQ(bo[0], boDebit);
    // The opening period's postings enter only through "BO": the year to date starts after it.
    const Decimal afterOpening = scalar(QStringLiteral("select coalesce(sum(p.kwota_wn),0) from POZ_DOK p join NAG_DOK n on "
                                                       "n.id_nag_dok=p.id_nag_dok where n.status>0 and n.id_firmy=1 and "
                                                       "n.id_lata_obrot=2 and n.data_okresu>%1 and n.data_okresu<=%2 and "
                                                       "p.konto_wn not in ('990','975')").arg(yearStart).arg(kMarch));
    EXPECT_EQ(razem[0], afterOpening);
    EXPECT_TRUE(last.contains(QStringLiteral("Koniec wydruku")));
}

INSTANTIATE_TEST_SUITE_P(Backends, DocumentAndBatchJournal, allBackends(), backendName);

} // namespace
} // namespace pravik::test
