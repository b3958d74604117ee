#pragma once
// The journal window over the demo company: company 1 keeps partial journals, its year 1
// ("2024/2025", October 2024 to December 2025, closed) crosses calendar years, its year 2
// ("2026") is closed through March; company 2 keeps one journal (year 3, "2026").
// Journal calls are recorded instead of printed, with the shared state they found.
#include "journals/JournalVariables.h"
#include "journals/window/JournalWindowModel.h"
#include "platform/ScriptedUi.h"
#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Gateway.h"
#include "tests/server/DemoDatabaseTest.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace pravik::test {

struct JournalCall {
    QString procedure;
    QString yearStart;
    QString filter;
    QString title;
    int sort = 0;
    int whole = -1;
    journals::JournalOptions options;
    QStringList descriptionLines;
    int copies = 0;
    QString printer;
    int screen = -1;
    int pdfSaveAs = -1;
    int printRequest = -1;
};

class JournalWindowTest : public ::testing::Test {
protected:
    static DemoDatabase& demo(TestBackend backend)
    {
        return cachedDemo(backend, 1200, 3);
    }

    void useDatabase(TestBackend backend)
    {
        DemoDatabase& d = demo(backend);
        ASSERT_TRUE(d.failure.isEmpty()) << d.failure.toStdString();
        sql::Database::setCurrent(d.where.dbTarget);
    }

    void SetUp() override
    {
        useDatabase(TestBackend::SQLite);
        setUi(&ui);
        korda::session() = korda::Session();
        journals::setJournalVariables({});
        korda::Session& s = korda::session();
        s.DANE_ID_FIRMY = 1;
        s.DANE_LATA_OBROTOWE = 2;
        s.DANE_DATA_OKRESU = monthPeriod(2026, 4);
        s.DANE_DATA_WYDRUKU = dayFromYmd(2026, 5, 15);
        s.GGG_WERSJA_DLA_KRAB_PRIORYTET = 2;
        s.DANE_NAZWA_DRUKARKI = QStringLiteral("Ksiegowosc-HP");
    }

    void TearDown() override
    {
        korda::closeAllPassThrough();
        setUi(nullptr);
        sql::Database::releaseThread();
    }

    // A table that records each journal call.
    journals::JournalProcedureTable recorder()
    {
        auto record = [this](const char* name, bool text) {
            return [this, name, text](const journals::JournalRequest& r) {
                korda::Session& s = korda::session();
                const bool batches = QByteArray(name).startsWith("PRN_73");
                JournalCall c{QString::fromLatin1(name), r.yearStart, r.filter, r.title, batches ? 0 : r.sort,
                              text ? int(r.whole) : -1, r.options, s.DANE_OPIS_PRN.takeAll(), s.GGG_NUMCOPY,
                              s.DANE_NAZWA_DRUKARKI.trimmed(), s.DANE_DRUKARKA_EKRAN, s.GGG_EMAILPDFSAVEAS,
                              s.outputRequests.printRequest};
                calls.append(c);
                return 1;
            };
        };
        journals::JournalProcedureTable t;
        t.PRN_71_DZIENNIK_P_K = record("PRN_71_DZIENNIK_P_K", false);
        t.PRN_71_DZIENNIK_P_J = record("PRN_71_DZIENNIK_P_J", false);
        t.PRN_72_DZIENNIK_S_K = record("PRN_72_DZIENNIK_S_K", false);
        t.PRN_72_DZIENNIK_S_J = record("PRN_72_DZIENNIK_S_J", false);
        t.PRN_71_DZIENNIK_P_TXT = record("PRN_71_DZIENNIK_P_TXT", true);
        t.PRN_73_DZIENNIK = record("PRN_73_DZIENNIK", false);
        return t;
    }

    std::unique_ptr<journals::JournalWindowModel> openWindow(qint32 kind)
    {
        auto w = std::make_unique<journals::JournalWindowModel>(kind, recorder());
        EXPECT_TRUE(w->open());
        return w;
    }

    static qint32 batchId(qint32 year, const QString& code)
    {
        return utilka::FUNCVAY(QStringLiteral("select id_paczka from PACZKA where id_lata_obrot=%1 AND kod_paczki=%2")
                                   .arg(sql::sqlNumber(year), sql::sqlText(code)))
            .toInt();
    }

    static QString day(DayNumber d) { return QString::number(d); }

    ScriptedUi ui;
    QList<JournalCall> calls;
};

} // namespace pravik::test
