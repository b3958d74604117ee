// The definition printouts: where long formulas break, the declaration lines and files, and the
// statement definition printed from the database (both backends) and read back with pdftotext.
#include "statements/definitions/DefinitionReports.h"
#include "statements/definitions/DefinitionsCApi.h"
#include "tests/journals/JournalReportFixture.h"

#include <QFile>
#include <QFileInfo>

namespace pravik::test {
namespace {

using namespace pravik::statements;

QString squeezed(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

// A formula of 4,000 characters whose terms are numbered, so that a lost or repeated piece shows.
QString longFormula()
{
    QString f;
    for (int i = 0; f.size() < 4000; ++i)
        f += QStringLiteral("WN(\"4%1*\")+").arg(i, 3, 10, QLatin1Char('0'));
    f.truncate(3999);
    return f + QLatin1Char('1');
}

TEST(DefinitionWrap, KeepsEveryCharacterAndBreaksAtOperators)
{
    const QString f = longFormula();
    ASSERT_EQ(f.size(), 4000);
    const QStringList lines = wrapLines(f, kFormulaLineWidth);
    EXPECT_EQ(lines.join(QString()), f);
    for (const QString& l : lines) {
        EXPECT_LE(l.size(), kFormulaLineWidth);
        if (&l != &lines.last())
            EXPECT_TRUE(l.endsWith(u'+')) << l.toStdString();
    }
    // Without any place to break, the line is cut at the width and nothing is lost.
    const QString solid(250, u'x');
    EXPECT_EQ(wrapLines(solid, 100), (QStringList{QString(100, u'x'), QString(100, u'x'), QString(50, u'x')}));
    EXPECT_EQ(wrapLines(QString(), 100), QStringList{QString()});
    EXPECT_EQ(wrapLines(QStringLiteral("ab"), 0).join(QString()), QStringLiteral("ab"));
}

korda::DeclarationEntry entry(qint32 kind, const QString& n1 = {}, const QString& n2 = {}, const QString& n3 = {})
{
    korda::DeclarationEntry e;
    e.kind = kind;
    e.NAZWA1 = n1;
    e.NAZWA2 = n2;
    e.NAZWA3 = n3;
    return e;
}

QStringList bands(const QList<PrintLine>& lines)
{
    QStringList out;
    for (const PrintLine& l : lines)
        out << l.band + (l.indent ? QStringLiteral("@%1").arg(l.indent) : QString());
    return out;
}

TEST(DeclarationLines, HeadersOncePerHeadingAndHeadingsIndentedByLevel)
{
    const QList<korda::DeclarationEntry> queue = {entry(1, QStringLiteral("VAT-7")), entry(-1), entry(-1), entry(-2), entry(-2),
                                                  entry(-3, QStringLiteral("Część C")), entry(-2), entry(-1)};
    EXPECT_EQ(bands(declarationLines(queue)),
              (QStringList{"GRUPA@100", "NAGLOWEK_DEKLARACJI", "DEKLARACJA", "LINIA", "DEKLARACJA", "LINIA", "NAGLOWEK_UDZIALU",
                           "UDZIAL", "UDZIAL", "GRUPA@300", "NAGLOWEK_UDZIALU", "UDZIAL", "NAGLOWEK_DEKLARACJI", "DEKLARACJA",
                           "LINIA"}));
    EXPECT_EQ(declarationLines({entry(-1000000, QStringLiteral("głęboko"))}).first().indent, 2000);
}

class DeclarationFile : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& content)
    {
        const QString path = folder.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }
    QTemporaryDir folder;
};

TEST_F(DeclarationFile, JsonAndCsvGiveTheSameQueue)
{
    QString error;
    const auto json = loadDeclarations(
        write(QStringLiteral("d.json"),
              R"J([{"rodzaj": 2, "nazwa1": "VAT-7 \"kwartalna\""},
                  {"rodzaj": -1, "data2": "2026-01-31", "nazwa2": "Podatek należny; pozycja 20", "nazwa3": "K(20)+K(22)"},
                  {"rodzaj": -2, "udzial": "33,5", "data_udzialu": "01-02-2026"}])J"),
        &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    const auto csv = loadDeclarations(write(QStringLiteral("d.csv"),
                                            "rodzaj;nazwa1;nazwa2;nazwa3;data2;udzial;data_udzialu\r\n"
                                            "2;\"VAT-7 \"\"kwartalna\"\"\";;;;;\r\n"
                                            "-1;;\"Podatek należny; pozycja 20\";K(20)+K(22);31-01-2026;;\r\n"
                                            "-2;;;;;33.50;2026-02-01\r\n"),
                                      &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_EQ(json.size(), 3);
    ASSERT_EQ(csv.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(json[i].kind, csv[i].kind);
        EXPECT_EQ(json[i].NAZWA1.text(), csv[i].NAZWA1.text());
        EXPECT_EQ(json[i].NAZWA2.text(), csv[i].NAZWA2.text());
        EXPECT_EQ(json[i].NAZWA3.text(), csv[i].NAZWA3.text());
        EXPECT_EQ(json[i].DATA2, csv[i].DATA2);
        EXPECT_EQ(json[i].share, csv[i].share);
        EXPECT_EQ(json[i].shareDate, csv[i].shareDate);
    }
    EXPECT_EQ(json[0].NAZWA1.text(), QStringLiteral("VAT-7 \"kwartalna\""));
    EXPECT_EQ(json[1].DATA2, dayFromYmd(2026, 1, 31));
    EXPECT_EQ(json[2].share, Decimal::fromCents(3350));
    EXPECT_EQ(json[2].shareDate, dayFromYmd(2026, 2, 1));
}

TEST_F(DeclarationFile, BadEntriesAreNamed)
{
    QString error;
    EXPECT_TRUE(loadDeclarations(write(QStringLiteral("a.csv"), "rodzaj;data2\n-1;31-02-2026\n"), &error).isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("line 2")) && error.contains(QStringLiteral("31-02-2026"))) << error.toStdString();
    EXPECT_TRUE(loadDeclarations(write(QStringLiteral("b.json"), R"([{"rodzaj": -1, "opis": "x"}])"), &error).isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("entry 1")) && error.contains(QStringLiteral("opis"))) << error.toStdString();
    EXPECT_TRUE(loadDeclarations(write(QStringLiteral("c.csv"), "rodzaj;nazwa2\n-1;\"niezamknięty\n"), &error).isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("not closed"))) << error.toStdString();
    EXPECT_TRUE(loadDeclarations(write(QStringLiteral("d.json"), "[{\"rodzaj\": \"x\"}]"), &error).isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("rodzaj"))) << error.toStdString();
    EXPECT_TRUE(loadDeclarations(folder.filePath(QStringLiteral("brak.json")), &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
}

TEST(DeclarationCEntry, AddsToTheQueueAndRefusesBadValues)
{
    korda::session().DANE_KOLEJKA_UNIWERS.clear();
    EXPECT_EQ(pravik_declaration_add("VAT-7", nullptr, nullptr, nullptr, 1, nullptr, nullptr), 1);
    EXPECT_EQ(pravik_declaration_add(nullptr, "Udział", nullptr, nullptr, -2, "12,5", "2026-03-01"), 1);
    EXPECT_EQ(pravik_declaration_add(nullptr, nullptr, nullptr, "32-01-2026", -1, nullptr, nullptr), 0);
    EXPECT_EQ(pravik_declaration_add(QByteArray(251, 'a').constData(), nullptr, nullptr, nullptr, 1, nullptr, nullptr), 0);
    ASSERT_EQ(korda::session().DANE_KOLEJKA_UNIWERS.size(), 2);
    EXPECT_EQ(korda::session().DANE_KOLEJKA_UNIWERS.at(1).share, Decimal::fromCents(1250));
    korda::session().DANE_KOLEJKA_UNIWERS.clear();
}

// ---- printed from the database

constexpr qint64 kPerColumn = 9101;
constexpr qint64 kCommon = 9102;

class DefinitionPrintout : public JournalReportTest {
protected:
    void SetUp() override
    {
        JournalReportTest::SetUp();
        korda::session().DANE_LATA_OBROT_NAZWA = QStringLiteral("2026");
        cleanUp();
        exec(QStringLiteral("insert into ZESTAW_NAG (id_zestaw_nag,id_firmy,nazwa,ilosc_kolumn,czy_rozne_definicje,etykieta_1,etykieta_2,"
                            "czy_bo_1,czy_bo_2) values (%1,1,'Definicja ''próbna''',2,1,'Bieżący','Otwarcie',0,1)").arg(kPerColumn));
        exec(QStringLiteral("insert into ZESTAW_NAG (id_zestaw_nag,id_firmy,nazwa,ilosc_kolumn,czy_rozne_definicje,etykieta_1,etykieta_2)"
                            " values (%1,1,'Wspólna',2,0,'A','B')").arg(kCommon));
        row(kPerColumn, 91011, 1, QStringLiteral("Przychody"), {{1, QStringLiteral("MA(\"7*\")")}, {2, QStringLiteral("BOMA(\"7*\")")}});
        row(kPerColumn, 91012, 2, QStringLiteral("Koszty długie"), {{1, longFormula()}, {2, QStringLiteral("0")}});
        row(kCommon, 91021, 2, QStringLiteral("Druga"), {{1, QStringLiteral("W(1)*2")}, {2, QStringLiteral("nie drukowana")}});
        row(kCommon, 91022, 1, QStringLiteral("Pierwsza"), {{1, QStringLiteral("S(\"201*\")")}});
    }

    void TearDown() override
    {
        cleanUp();
        JournalReportTest::TearDown();
    }

    void exec(const QString& sql)
    {
        sql::Cursor c = db->execNative(sql);
        ASSERT_TRUE(c.ok()) << c.errorText().toStdString() << " " << sql.toStdString();
    }

    void row(qint64 statement, qint64 id, int lp, const QString& name, const QList<QPair<int, QString>>& formulas)
    {
        exec(QStringLiteral("insert into ZESTAW_POZ (id_zestaw_poz,id_zestaw_nag,lp,nazwa,poziom,typ) values (%1,%2,%3,'%4',1,'F')")
                 .arg(id).arg(statement).arg(lp).arg(name));
        for (const auto& [column, formula] : formulas)
            exec(QStringLiteral("insert into ZESTAW_POZ_FORMULA (id_zestaw_poz,nr_kolumny,formula) values (%1,%2,'%3')")
                     .arg(id).arg(column).arg(QString(formula).replace(u'\'', QStringLiteral("''"))));
    }

    void cleanUp()
    {
        for (const char* sql : {"delete from ZESTAW_POZ_FORMULA where id_zestaw_poz in (select id_zestaw_poz from ZESTAW_POZ where id_zestaw_nag in (9101,9102))",
                                "delete from ZESTAW_POZ where id_zestaw_nag in (9101,9102)", "delete from ZESTAW_NAG where id_zestaw_nag in (9101,9102)"})
            db->execNative(QString::fromLatin1(sql));
    }
};

TEST_P(DefinitionPrintout, CommonDefinitionPrintsOneLinePerRowInLpOrder)
{
    const StatementDefinition d = readStatementDefinition({kCommon, {}}, kCompany);
    ASSERT_TRUE(d.error.isEmpty()) << d.error.toStdString();
    EXPECT_EQ(d.name, QStringLiteral("Wspólna"));
    QStringList printed;
    for (const PrintLine& l : d.lines)
        for (const auto& v : l.values)
            printed << std::get<QString>(v);
    EXPECT_EQ(printed, (QStringList{"Pierwsza", "S(\"201*\")", "Druga", "W(1)*2"}));
    // Another company's statement is not printed.
    EXPECT_FALSE(readStatementDefinition({kCommon, {}}, 2).error.isEmpty());
}

TEST_P(DefinitionPrintout, LongFormulaPrintsWholeOverContinuationLines)
{
    const QStringList pages = pdfPages([] { PRN_ZESTAW_DEF(kPerColumn, QString()); }, QStringLiteral("def.pdf"));
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_EQ(korda::session().globalResponse, 1);
    const QString all = pages.join(QString());
    EXPECT_TRUE(all.contains(QStringLiteral("Definicja 'próbna'")));
    EXPECT_TRUE(all.contains(QStringLiteral("Składowe zestawienia")));
    // The caption begins with its own blank: "kolumna 1  (Bieżący) : ".
    EXPECT_TRUE(squeezed(all).contains(squeezed(QStringLiteral("kolumna 1  (Bieżący) : MA(\"7*\")"))));
    EXPECT_TRUE(squeezed(all).contains(squeezed(QStringLiteral("kolumna 2  (Otwarcie) BO : BOMA(\"7*\")"))));
    EXPECT_TRUE(all.contains(QStringLiteral("Koniec wydruku")));
    EXPECT_TRUE(squeezed(pages.first()).contains(squeezed(QStringLiteral("kolumna 1 (Bieżący) : ") + longFormula())));
}

TEST_P(DefinitionPrintout, DeclarationQueuePrints)
{
    korda::Session& s = korda::session();
    s.DANE_KOLEJKA_UNIWERS = {entry(1, QStringLiteral("VAT-7")), entry(-1, {}, QStringLiteral("Podatek należny"), QStringLiteral("K(20)+K(22)")),
                              entry(-2), entry(-2)};
    s.DANE_KOLEJKA_UNIWERS[1].DATA2 = dayFromYmd(2026, 1, 31);
    s.DANE_KOLEJKA_UNIWERS[2].share = Decimal::fromCents(3350);
    s.DANE_KOLEJKA_UNIWERS[2].shareDate = dayFromYmd(2026, 2, 1);
    const QStringList pages = pdfPages([] { PRN_DEKLARACJE_DEF(); }, QStringLiteral("dekl.pdf"));
    s.DANE_KOLEJKA_UNIWERS.clear();
    ASSERT_EQ(pages.size(), 1);
    const QString& p = pages.first();
    EXPECT_TRUE(p.contains(QStringLiteral("VAT-7")));
    EXPECT_TRUE(p.contains(QStringLiteral("Funkcja/Wartość")));
    EXPECT_TRUE(p.contains(QStringLiteral("31-01-2026")));
    EXPECT_TRUE(p.contains(QStringLiteral("K(20)+K(22)")));
    EXPECT_TRUE(p.contains(QStringLiteral("33,50")));
    EXPECT_TRUE(p.contains(QStringLiteral("01-02-2026")));
    EXPECT_EQ(p.count(QStringLiteral("Udział (%)")), 1);
}

// Both printouts run from their requests: the company, queue, heading and output requests the
// session holds once the request is built do not reach them.
TEST_P(DefinitionPrintout, PrintoutsGoToTheTargetOfTheirRequests)
{
    korda::Session& s = korda::session();
    const QString stray = folder.filePath(QStringLiteral("obcy.pdf"));
    const QStringList expected = pdfPages([] { PRN_ZESTAW_DEF(kCommon, QString()); }, QStringLiteral("def.pdf"));
    ASSERT_FALSE(expected.isEmpty());
    const QStringList pages = pdfPages(
        [&] {
            const StatementDefinitionRequest r = statementDefinitionRequest(kCommon, QString(), s);
            s.DANE_ID_FIRMY = 2;
            s.outputRequests.pdfPath = stray;
            EXPECT_EQ(printStatementDefinition(r), 1);
            s.DANE_ID_FIRMY = kCompany;
        },
        QStringLiteral("zadany.pdf"));
    EXPECT_EQ(pages, expected);

    s.DANE_KOLEJKA_UNIWERS = {entry(1, QStringLiteral("VAT-7"))};
    s.DANE_NAGLOWEK_WYDRUKU = QStringLiteral("Deklaracje firmy");
    const QStringList declarations = pdfPages(
        [&] {
            const DeclarationDefinitionsRequest r = declarationDefinitionsRequest(s);
            s.DANE_KOLEJKA_UNIWERS.clear();
            s.DANE_NAGLOWEK_WYDRUKU.clear();
            s.outputRequests.pdfPath = stray;
            EXPECT_EQ(printDeclarationDefinitions(r), 1);
        },
        QStringLiteral("dekl.pdf"));
    ASSERT_EQ(declarations.size(), 1);
    EXPECT_TRUE(declarations.first().contains(QStringLiteral("VAT-7")));
    EXPECT_TRUE(declarations.first().contains(QStringLiteral("Deklaracje firmy")));
    EXPECT_FALSE(QFileInfo::exists(stray));
}

INSTANTIATE_TEST_SUITE_P(Backends, DefinitionPrintout, allBackends(), backendName);

} // namespace
} // namespace pravik::test
