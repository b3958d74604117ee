// The session context: per-thread instances, fixed-width texts, and the globals by name as hosts
// and the command line set them.
#include "siblings/korda/Session.h"

#include <gtest/gtest.h>

using korda::Session;

namespace {

TEST(KordaSession, StartedThreadSeesStartersValuesAndKeepsItsChangesToItself)
{
    Session& mine = korda::session();
    mine.DANE_ID_FIRMY = 7;
    mine.DANE_NAZWA_FIRMY = QStringLiteral("Zakład Usług Księgowych");
    mine.DANE_OPIS_PRN.add(QStringLiteral("Okres: 03-2025"));

    qint32 seenCompany = 0;
    QString seenName;
    QStringList seenLines;
    std::thread t = korda::startThread([&] {
        Session& theirs = korda::session();
        seenCompany = theirs.DANE_ID_FIRMY;
        seenName = theirs.DANE_NAZWA_FIRMY;
        seenLines = theirs.DANE_OPIS_PRN.takeAll();
        theirs.DANE_ID_FIRMY = 99;
        theirs.GGG_PRN_AKTYWNA_WALUTA = QStringLiteral("EUR");
    });
    t.join();

    EXPECT_EQ(seenCompany, 7);
    EXPECT_EQ(seenName, QStringLiteral("Zakład Usług Księgowych"));
    EXPECT_EQ(seenLines, QStringList{QStringLiteral("Okres: 03-2025")});
    // Nothing flows back: the starter's values and queue are as they were.
    EXPECT_EQ(mine.DANE_ID_FIRMY, 7);
    EXPECT_TRUE(mine.GGG_PRN_AKTYWNA_WALUTA.isEmpty());
    EXPECT_EQ(mine.DANE_OPIS_PRN.size(), 1);
    mine = Session();
}

TEST(KordaSession, CarriedSessionIsTheOneOfTheThreadThatWrapped)
{
    korda::session().DANE_LATA_OBROTOWE = 12;
    auto job = korda::carrySession([] { return korda::session().DANE_LATA_OBROTOWE; });
    korda::session().DANE_LATA_OBROTOWE = 13; // changed after wrapping: not seen
    qint32 seen = 0;
    std::thread([&] { seen = job(); }).join();
    EXPECT_EQ(seen, 12);
    korda::session() = Session();
}

TEST(KordaSession, DeclaredWidthsClipOnAssignment)
{
    Session s;
    s.DANE_NAZWA_DRUKARKI = QString(400, QLatin1Char('d'));   // CSTRING(301)
    s.GLO_CUTEMP = QString(300, QLatin1Char('t'));            // CSTRING(261)
    s.DANE_NUMER_KONTA = QStringLiteral("201-") + QString(70, QLatin1Char('9')); // CSTRING(61)
    s.DANE_AKTYWNA_WALUTA = QStringLiteral("EURO");            // STRING(3)
    s.DANE_SEPARATOR_MPK = QStringLiteral("-/");              // STRING(1)
    EXPECT_EQ(s.DANE_NAZWA_DRUKARKI.text().size(), 300);
    EXPECT_EQ(s.GLO_CUTEMP.text().size(), 260);
    EXPECT_EQ(s.DANE_NUMER_KONTA.text().size(), 60);
    EXPECT_EQ(s.DANE_NUMER_KONTA.text().left(4), QStringLiteral("201-"));
    EXPECT_EQ(s.DANE_AKTYWNA_WALUTA, QStringLiteral("EUR"));
    EXPECT_EQ(s.DANE_SEPARATOR_MPK, QStringLiteral("-"));

    // Widths count letters, not bytes: Polish letters take one place each.
    korda::CString<4> three = QStringLiteral("żółw");
    EXPECT_EQ(three.text(), QStringLiteral("żół"));
    // A character outside the basic plane is never cut in half.
    korda::FixedText<2> two = QStringLiteral("a") + QString::fromUcs4(U"\U0001F600");
    EXPECT_EQ(two.text(), QStringLiteral("a"));
}

TEST(KordaSession, QueuesClipTheirLinesAndAreConsumedByTakeAll)
{
    Session s;
    s.DANE_OPIS_PRN.add(QString(200, QLatin1Char('x')));
    s.DANE_KOLEJKA_VAX.add(QString(120, QLatin1Char('2')));
    EXPECT_EQ(s.DANE_OPIS_PRN.at(0).size(), 150);
    EXPECT_EQ(s.DANE_KOLEJKA_VAX.at(0).size(), 100);
    EXPECT_EQ(s.DANE_OPIS_PRN.takeAll().size(), 1);
    EXPECT_TRUE(s.DANE_OPIS_PRN.isEmpty());

    ASSERT_TRUE(korda::addToQueue(u"DANE_ZAZNACZ_REK", QStringLiteral(" 1234.56 "), s));
    ASSERT_TRUE(korda::addToQueue(u"dane_zaznacz_rek", QStringLiteral("x"), s));
    EXPECT_EQ(s.DANE_ZAZNACZ_REK.at(0).amount(), pravik::Decimal::fromCents(123456));
    EXPECT_EQ(s.DANE_ZAZNACZ_REK.at(0).key(), 1234);
    EXPECT_EQ(s.DANE_ZAZNACZ_REK.at(1).key(), 0); // not a number: no key rather than garbage
    EXPECT_FALSE(korda::addToQueue(u"DANE_NIEMA", QStringLiteral("x"), s));
    EXPECT_TRUE(korda::clearQueue(u"GGG:XML_Q", s));
    EXPECT_TRUE(korda::clearQueue(u"DANE_ZAZNACZ_REK", s));
    EXPECT_TRUE(s.DANE_ZAZNACZ_REK.isEmpty());
}

TEST(KordaGlobalsByName, SetsEachKindOfGlobalFromText)
{
    Session s;
    EXPECT_TRUE(korda::setGlobal(u"DANE_ID_FIRMY", QStringLiteral("12"), s));
    EXPECT_TRUE(korda::setGlobal(u"GGG:NUMCOPY", QStringLiteral("3"), s));
    EXPECT_TRUE(korda::setGlobal(u"ggg_emailpdfsaveas", QStringLiteral("1"), s)); // any case, "_" for ":"
    EXPECT_TRUE(korda::setGlobal(u"DANE_DATA_WYDRUKU", QStringLiteral("31-12-2025"), s));
    EXPECT_TRUE(korda::setGlobal(u"DANE_DATA_OKRESU", QStringLiteral("2025-03-02"), s));
    EXPECT_TRUE(korda::setGlobal(u"DANE_POCZATEK_ROKU", QStringLiteral("36163"), s));
    EXPECT_TRUE(korda::setGlobal(u"GLO:CUTEMP", QString(300, QLatin1Char('t')), s));
    EXPECT_TRUE(korda::setGlobal(u"GGG:SPEC_EKSPORT_3", QStringLiteral(";"), s));
    EXPECT_TRUE(korda::setGlobal(u"GGG:BAZAKRES_DAT_2", QStringLiteral("30-06-2025"), s));

    EXPECT_EQ(s.DANE_ID_FIRMY, 12);
    EXPECT_EQ(s.GGG_NUMCOPY, 3);
    EXPECT_EQ(s.GGG_EMAILPDFSAVEAS, 1);
    EXPECT_EQ(s.DANE_DATA_WYDRUKU, pravik::dayFromYmd(2025, 12, 31));
    EXPECT_EQ(s.DANE_DATA_OKRESU, pravik::dayFromYmd(2025, 3, 2));
    EXPECT_EQ(pravik::dateFromDay(s.DANE_POCZATEK_ROKU), QDate(1900, 1, 1));
    EXPECT_EQ(s.GLO_CUTEMP.text().size(), 260);
    EXPECT_EQ(s.GGG_SPEC_EKSPORT[2], QStringLiteral(";"));
    EXPECT_EQ(s.GGG_BAZAKRES_DAT[1], pravik::dayFromYmd(2025, 6, 30));

    EXPECT_EQ(korda::global(u"GGG:NUMCOPY", s), QStringLiteral("3"));
    EXPECT_EQ(korda::global(u"DANE_DATA_WYDRUKU", s), QString::number(pravik::dayFromYmd(2025, 12, 31)));
}

TEST(KordaGlobalsByName, RefusesUnknownNamesAndValuesTheGlobalCannotHold)
{
    Session s;
    s.GGG_NUMCOPY = 2;
    s.DANE_ID_FIRMY = 5;
    s.DANE_DATA_WYDRUKU = 40000;
    EXPECT_FALSE(korda::setGlobal(u"DANE_NIE_MA_TAKIEJ", QStringLiteral("1"), s));
    EXPECT_FALSE(korda::isGlobal(u"DANE_NIE_MA_TAKIEJ"));
    EXPECT_TRUE(korda::global(u"DANE_NIE_MA_TAKIEJ", s).isEmpty());
    EXPECT_FALSE(korda::setGlobal(u"GGG:NUMCOPY", QStringLiteral("256"), s)); // a BYTE
    EXPECT_FALSE(korda::setGlobal(u"GGG:NUMCOPY", QStringLiteral("-1"), s));
    EXPECT_FALSE(korda::setGlobal(u"DANE_ID_FIRMY", QStringLiteral("pięć"), s));
    EXPECT_FALSE(korda::setGlobal(u"DANE_DATA_WYDRUKU", QStringLiteral("31-02-2025"), s));
    EXPECT_FALSE(korda::setGlobal(u"DANE_DATA_WYDRUKU", QStringLiteral("jutro"), s));
    // A refused value leaves the global as it was.
    EXPECT_EQ(s.GGG_NUMCOPY, 2);
    EXPECT_EQ(s.DANE_ID_FIRMY, 5);
    EXPECT_EQ(s.DANE_DATA_WYDRUKU, 40000);
    // An empty date is "no date".
    EXPECT_TRUE(korda::setGlobal(u"DANE_DATA_WYDRUKU", QString(), s));
    EXPECT_EQ(s.DANE_DATA_WYDRUKU, 0);
}

TEST(KordaGlobalsByName, EveryListedNameRoundTrips)
{
    const QStringList names = korda::globalNames();
    EXPECT_TRUE(names.contains(QStringLiteral("GGG:WERSJA_DLA_KRAB_PRIORYTET")));
    EXPECT_TRUE(names.contains(QStringLiteral("GGG:SPEC_EKSPORT_11")));
    for (const QString& name : names) {
        Session s;
        EXPECT_TRUE(korda::setGlobal(name, QStringLiteral("1"), s)) << name.toStdString();
        EXPECT_EQ(korda::global(name, s), QStringLiteral("1")) << name.toStdString();
    }
}

} // namespace
