#pragma once
// The turnover window over the demo company: company 1, year 1 ("2024/2025", closed), year 2
// ("2026", closed through March). Statement calls are recorded with what they found in the
// shared state, unless a test runs the real ones.
#include "platform/ScriptedUi.h"
#include "platform/sql/Database.h"
#include "siblings/korda/PassThrough.h"
#include "siblings/korda/Session.h"
#include "tests/server/DemoDatabaseTest.h"
#include "turnover/window/TurnoverWindowModel.h"

#include <gtest/gtest.h>
#include <memory>

namespace pravik::test {

struct StatementCall {
    QString procedure;
    turnover::TurnoverParameters parameters;
    turnover::TurnoverSettings settings;
    QStringList descriptionLines;
    QString title;
    int printRequest = -1;
    int emailRequest = -1;
    int browseRequest = -1;
    int pdfSaveAs = -1;
    int screen = -1;
};

// Answers the list pick (the chart-of-accounts picker off the desktop) with a chosen entry.
class PickingUi : public ScriptedUi {
public:
    std::optional<QString> pickItem(const QString&, const QStringList& items, const QString&) override
    {
        for (const QString& item : items)
            if (item.startsWith(pick + QStringLiteral("  ")) || item == pick)
                return item;
        return std::nullopt;
    }
    QString pick;
};

class TurnoverWindowTest : public ::testing::Test {
protected:
    static DemoDatabase& demo()
    {
        return cachedDemo(TestBackend::SQLite, 1500, 5);
    }

    void SetUp() override
    {
        ASSERT_TRUE(demo().failure.isEmpty()) << demo().failure.toStdString();
        sql::Database::setCurrent(demo().where.dbTarget);
        setUi(&ui);
        korda::session() = korda::Session();
        korda::Session& s = korda::session();
        s.DANE_ID_FIRMY = 1;
        s.DANE_LATA_OBROTOWE = 2;
        s.DANE_ID_UZYTKOWNIKA_NR = 2;
        s.DANE_ID_UZYT = QStringLiteral("mkowalska");
        s.DANE_DATA_OKRESU = monthPeriod(2026, 4);
        s.DANE_DATA_BIEZACA = dayFromYmd(2026, 4, 15);
        s.DANE_DATA_WYDRUKU = dayFromYmd(2026, 5, 15);
        s.DANE_AKTYWNA_WALUTA = QStringLiteral("EUR");
        s.GGG_WERSJA_DLA_KRAB_PRIORYTET = 2;
        s.DANE_NAZWA_DRUKARKI = QStringLiteral("Ksiegowosc-HP");
        for (const char* key : {"OBR_A", "OBR_S", "OBR_UZG", "OBR_ZAP"})
            VariantChooser::setLastUsed(QString::fromLatin1(key), 0);
    }

    void TearDown() override
    {
        korda::closeAllPassThrough();
        setUi(nullptr);
        sql::Database::releaseThread();
    }

    turnover::TurnoverProcedureTable recorder()
    {
        auto record = [this](const char* name) {
            return [this, name](const turnover::TurnoverRequest& r) {
                korda::Session& s = korda::session();
                calls.append({QString::fromLatin1(name), r.parameters, r.settings, s.DANE_OPIS_PRN.takeAll(),
                              s.DANE_NAGLOWEK_WYDRUKU, s.outputRequests.printRequest, s.outputRequests.emailRequest,
                              s.outputRequests.browseRequest, s.GGG_EMAILPDFSAVEAS, s.DANE_DRUKARKA_EKRAN});
                s.globalResponse = 1;
                return 1;
            };
        };
        turnover::TurnoverProcedureTable t;
        t.PRN_OBROTY_SQL = record("PRN_OBROTY_SQL");
        t.PRN_OBROTY_SQL_PROSTY = record("PRN_OBROTY_SQL_PROSTY");
        t.PRN_OBROTY_SQL_UZGODNIENIE = record("PRN_OBROTY_SQL_UZGODNIENIE");
        t.PRN_RAPORT_KONTO_SQL = record("PRN_RAPORT_KONTO_SQL");
        return t;
    }

    std::unique_ptr<turnover::TurnoverWindowModel> openWindow(int kind, int synthetic = 0)
    {
        auto w = std::make_unique<turnover::TurnoverWindowModel>(kind, synthetic, recorder());
        EXPECT_TRUE(w->open());
        return w;
    }

    PickingUi ui;
    QList<StatementCall> calls;
};

} // namespace pravik::test
