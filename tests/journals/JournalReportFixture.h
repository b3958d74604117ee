#pragma once
// Journals over the demo company (company 1 keeps partial journals; its year 2, "2026", runs
// January to June with postings, the opening period included). Reports are produced into files
// as a host without a screen asks for them, and read back with pdftotext.
#include "journals/JournalVariables.h"
#include "journals/JournalProcedures.h"
#include "platform/ScriptedUi.h"
#include "platform/sql/Database.h"
#include "siblings/korda/Session.h"
#include "support/ProgramOutput.h"
#include "tests/server/DemoDatabaseTest.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace pravik::test {

constexpr qint32 kCompany = 1;
constexpr qint32 kYear = 2;

inline DemoDatabase& journalDemo(TestBackend backend)
{
    return cachedDemo(backend, 4000, 11);
}

class JournalReportTest : public ::testing::TestWithParam<TestBackend> {
protected:
    TestBackend backend() const { return GetParam(); }

    void SetUp() override
    {
        DemoDatabase& d = journalDemo(backend());
        ASSERT_TRUE(d.failure.isEmpty()) << d.failure.toStdString();
        db = d.db.get();
        sql::Database::setCurrent(d.where.dbTarget);
        setUi(&ui);
        korda::session() = korda::Session();
        journals::setJournalVariables({});
        variables = journals::JournalOptions();
        korda::Session& s = korda::session();
        s.DANE_ID_FIRMY = kCompany;
        s.DANE_NAZWA_FIRMY = QStringLiteral("„Bursztyn” Sp. z o.o.");
        s.DANE_DATA_WYDRUKU = dayFromYmd(2026, 7, 10);
        s.GLO_CUTEMP = folder.path();
        s.DANE_NAGLOWEK_WYDRUKU = QStringLiteral("Dziennik księgowań");
        s.outputRequests.printRequest = 1;
        s.DANE_DRUKARKA_EKRAN = 1;
        journals::JournalOptions& o = variables;
        o.yearId = kYear;
        o.yearName = QStringLiteral("2026");
    }

    void TearDown() override { setUi(nullptr); }

    qint32 batchId(const QString& code)
    {
        sql::Cursor c = db->exec(QStringLiteral("select id_paczka from PACZKA where id_firmy=1 and id_lata_obrot=2 and kod_paczki='%1'")
                                     .arg(code));
        return c.next() ? c.value(0).toInt() : 0;
    }

    Decimal scalar(const QString& tsql)
    {
        sql::Cursor c = db->exec(tsql);
        return c.next() ? dec(c.value(0)) : Decimal::fromCents(-1);
    }

    // Produces a PDF and gives its pages as text; checks the file with qpdf first.
    QStringList pdfPages(const std::function<void()>& report, const QString& name = QStringLiteral("dziennik.pdf"))
    {
        const QString pdf = folder.filePath(name);
        korda::session().outputRequests.pdfPath = pdf;
        journals::setJournalVariables(variables);
        report();
        korda::session().outputRequests.pdfPath.clear();
        const ProcessRun check = runProcess(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf});
        EXPECT_EQ(check.exitCode, 0) << check.all().toStdString();
        return test::pdfPages(pdf);
    }

    sql::Database* db = nullptr;
    ScriptedUi ui;
    QTemporaryDir folder;
    // The journal variables a host's call of a journal procedure finds.
    journals::JournalOptions variables;
};

} // namespace pravik::test
