#pragma once
// Journals over the demo company (company 1 keeps partial journals; its year 2, "2026", runs
// January to June with postings, the opening period included). Reports are produced into files
// as a host without a screen asks for them, and read back with pdftotext.
#include "journals/JournalVariables.h"
#include "journals/JournalProcedures.h"
#include "platform/ScriptedUi.h"
#include "platform/sql/Database.h"
#include "siblings/korda/Session.h"
#include "tests/server/DemoDatabaseTest.h"

#include <QProcess>
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

struct Tool {
    int exitCode = -1;
    QString output;
};

inline Tool runTool(const QString& program, const QStringList& args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitCode(), QString::fromUtf8(p.readAll())};
}

// Amounts as printed: "-1 234,56".
inline QList<Decimal> amountsIn(const QString& line)
{
    static const QRegularExpression amount(QStringLiteral("-?\\d{1,3}(?: \\d{3})*,\\d{2}"));
    QList<Decimal> out;
    for (auto it = amount.globalMatch(line); it.hasNext();)
        out << Decimal::parse(it.next().captured(0)).value_or(Decimal());
    return out;
}

// The amounts of the first line of the page that holds the label and then only amounts.
inline QList<Decimal> labelled(const QString& page, const QString& label)
{
    const QRegularExpression pattern(QStringLiteral("(?:^|\\s)%1\\s+(-?\\d[\\d ,-]*)$")
                                         .arg(QRegularExpression::escape(label.trimmed())));
    for (const QString& line : page.split(u'\n')) {
        const auto m = pattern.match(line.trimmed());
        if (m.hasMatch())
            return amountsIn(m.captured(1));
    }
    return {};
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
        const Tool check = runTool(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf});
        EXPECT_EQ(check.exitCode, 0) << check.output.toStdString();
        const Tool text = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        EXPECT_EQ(text.exitCode, 0);
        QStringList pages = text.output.split(u'\f');
        if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
            pages.removeLast();
        return pages;
    }

    sql::Database* db = nullptr;
    ScriptedUi ui;
    QTemporaryDir folder;
    // The journal variables a host's call of a journal procedure finds.
    journals::JournalOptions variables;
};

} // namespace pravik::test
