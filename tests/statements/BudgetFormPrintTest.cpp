// The demo school's budget forms printed, on SQLite and PostgreSQL: each section on a page of its
// own in the form's order with the amounts of its generated rows, the unit's header once at the
// top, signature blocks where the forms have them, and the header the user edited for this unit
// (never another unit's).
#include "statements/forms/BudgetHeader.h"
#include "statements/print/StatementPrintout.h"
#include "statements/print/StatementProcedures.h"

#include "platform/ScriptedUi.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"
#include "tests/server/DemoDatabaseTest.h"
#include "tests/statements/BudgetUnitTest.h"
#include "tests/statements/FormGeneration.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QScopeGuard>
#include <gtest/gtest.h>

namespace pravik::statements {
namespace {

using test::TestBackend;

const QString kSignature = QStringLiteral("Główny Księgowy / Skarbnik");
const QString kUnitHeader = QStringLiteral("Numer identyfikacyjny REGON");

// Amounts in printed text, in reading order: "-1 234,56".
QList<Decimal> amountsIn(const QString& text)
{
    static const QRegularExpression amount(QStringLiteral("-?\\d{1,3}(?: \\d{3})*,\\d{2}"));
    QList<Decimal> out;
    for (auto it = amount.globalMatch(text); it.hasNext();)
        out << Decimal::parse(it.next().captured(0).remove(u' ').replace(u',', u'.')).value_or(Decimal());
    return out;
}

class BudgetFormPrintTest : public test::BudgetUnitTest {
protected:
    void SetUp() override
    {
        BudgetUnitTest::SetUp();
        korda::session().GLO_CUTEMP = folder.path();
        resetBudgetHeader();
    }
    void TearDown() override
    {
        resetBudgetHeader();
        BudgetUnitTest::TearDown();
    }

    // The statements of a form group by section code, computed for the first quarter.
    QHash<QString, qint64> generateGroup(const QString& groupName, qint64* group)
    {
        QHash<QString, qint64> ids;
        for (const QVariantList& r : rows(QStringLiteral("select n.id_zestaw_nag, n.ilosc_kolumn, n.wariant, g.id_zestaw_grupa from ZESTAW_NAG n"
                                                         " join ZESTAW_GRUPA g on g.id_zestaw_grupa=n.id_zestaw_grupa"
                                                         " where g.id_firmy=2 and g.nazwa='%1'").arg(groupName), 4)) {
            const qint64 id = r[0].toLongLong();
            *group = r[3].toLongLong();
            ids.insert(r[2].toString().trimmed(), id);
        }
        const QList<qint64> statements = ids.values();
        EXPECT_EQ(test::generateForm(statements, from, to, kUser), QString());
        return ids;
    }

    // Every amount of a statement's generated rows, row by row.
    QList<Decimal> generatedAmounts(qint64 statement)
    {
        const int columns = scalar(QStringLiteral("select ilosc_kolumn from ZESTAW_NAG where id_zestaw_nag=%1").arg(statement)).toInt();
        QStringList kols;
        for (int c = 1; c <= columns; ++c)
            kols << QStringLiteral("kol%1").arg(c);
        QList<Decimal> out;
        for (const QVariantList& r : rows(QStringLiteral("select %1 from ZESTAW_ZESTAW where id_uzytkownika=%2 and wariant_zestaw=1"
                                                         " and id_zestaw_nag=%3 order by lp").arg(kols.join(',')).arg(kUser).arg(statement), columns))
            for (const QVariant& v : r)
                out << test::dec(v);
        return out;
    }

    StatementPrintRequest request(qint64 group, qint64 statement, bool wholeGroup)
    {
        StatementPrintRequest r;
        r.company = 2;
        r.user = kUser;
        r.rowFilter = StatementPrintRequest::userRowsFilter(kUser);
        r.groupId = group;
        r.statementId = statement;
        r.options.wholeGroup = wholeGroup;
        r.options.periodTo = to;
        return r;
    }

    // Prints to PDF and returns the text of each page.
    QStringList printedPages(const StatementPrintRequest& r, const QString& name)
    {
        korda::Session& s = korda::session();
        s.outputRequests.printRequest = 1;
        s.DANE_DRUKARKA_EKRAN = 1;
        s.outputRequests.pdfPath = folder.filePath(name);
        StatementPrintRequest toPdf = r;
        toPdf.output = frame::OutputTarget::fromSession(s);
        EXPECT_EQ(runStatementRequest(toPdf), 1) << qPrintable(ui.messageLog().join('\n'));
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), s.outputRequests.pdfPath, QStringLiteral("-")});
        EXPECT_TRUE(p.waitForFinished(60000));
        return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    }

    QTemporaryDir folder;
    const DayNumber from = dayFromYmd(2026, 1, 1), to = dayFromYmd(2026, 3, 31);
};

TEST_P(BudgetFormPrintTest, EachSectionOnItsOwnPageWithItsRowsTheUnitsHeaderAndSignatures)
{
    struct Form {
        QString group;
        QStringList sections;   // in the order the form prints them
        QList<bool> signatures; // which section's page ends with a signature block
        QString period;
    };
    const QString toDate = QStringLiteral("za okres od początku roku do dnia 31-03-2026 roku");
    const QList<Form> forms = {
        {QStringLiteral("Rb-27S"), {"Rb27SPozycje"}, {true}, toDate},
        {QStringLiteral("Rb-28S"), {"Rb28SPozycje", "Rb28SDotacjeRozwojowe"}, {true, false}, toDate},
        {QStringLiteral("Rb-Z"), {"RbZTytulyDluzne", "RbZPoreczeniaGwarancje", "RbZKredytyPozyczki", "RbZZawarteUmowy"},
         {false, false, false, true}, QStringLiteral("wg stanu na koniec I kwartału 2026 roku")},
    };
    const QString regon = scalar(QStringLiteral("select regon from FIRMA where id_firmy=2"));
    ASSERT_EQ(regon.size(), 14);
    const QString name = scalar(QStringLiteral("select nazwa_pelna from FIRMA where id_firmy=2"));
    QStringList codes;
    for (const char* key : {"BeKodW", "BeKodP", "BeKodG", "BeTypG"})
        codes << scalar(QStringLiteral("select wartosc from PARAMETRY_GLOBALNE where id_firmy=2 and nazwa='%1'").arg(QLatin1String(key)));
    for (const Form& form : forms) {
        SCOPED_TRACE(form.group.toStdString());
        qint64 group = 0;
        const QHash<QString, qint64> ids = generateGroup(form.group, &group);
        ASSERT_EQ(ids.size(), form.sections.size());
        // Any section stands for the group; the last one in print order here.
        const QStringList pages = printedPages(request(group, ids.value(form.sections.last()), true), form.group + QStringLiteral(".pdf"));
        ASSERT_EQ(pages.size(), form.sections.size());
        for (qsizetype i = 0; i < pages.size(); ++i) {
            SCOPED_TRACE(form.sections[i].toStdString());
            const QString& page = pages[i];
            // The section's rows and nothing else carry amounts: its page holds exactly them.
            EXPECT_EQ(amountsIn(page), generatedAmounts(ids.value(form.sections[i])));
            EXPECT_EQ(page.contains(kSignature), form.signatures[i]);
            EXPECT_EQ(page.contains(kUnitHeader), i == 0);
            EXPECT_FALSE(page.contains(QStringLiteral("Koniec wydruku")));
            EXPECT_TRUE(page.contains(QStringLiteral("Strona %1 / %2").arg(i + 1).arg(pages.size())));
        }
        const QString& first = pages.first();
        EXPECT_TRUE(first.contains(name.left(40))) << qPrintable(first);
        EXPECT_TRUE(first.contains(QRegularExpression(QStringLiteral("\\b%1\\s+%2\\b").arg(regon.left(9), regon.mid(9)))));
        EXPECT_TRUE(first.contains(form.period));
        EXPECT_FALSE(first.contains(QStringLiteral("Wysłać bez pisma przewodniego")));
        // The codes under their captions, in the order "woj.", "powiat", "gmina", "typ gm.".
        EXPECT_TRUE(first.contains(QRegularExpression(QStringLiteral("\\b%1\\s+%2\\s+%3\\s+%4\\b").arg(codes[0], codes[1], codes[2], codes[3]))))
            << qPrintable(codes.join(','));
    }
}

// The header the user edited for this unit prints (also on the next form); what was typed for
// another unit never does.
TEST_P(BudgetFormPrintTest, PrintsTheUsersHeaderForThisUnitOnly)
{
    qint64 group = 0;
    const QHash<QString, qint64> rbz = generateGroup(QStringLiteral("Rb-Z"), &group);
    loadBudgetHeader(*db, 1, to, QStringLiteral("RbZ"));
    setBudgetHeaderField(QStringLiteral("PRN_FIRMA_RIO"), QStringLiteral("Adresat pierwszej firmy"));
    QStringList pages = printedPages(request(group, rbz.value(QStringLiteral("RbZTytulyDluzne")), true), QStringLiteral("a.pdf"));
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_FALSE(pages.first().contains(QStringLiteral("Adresat pierwszej firmy")));
    EXPECT_TRUE(pages.first().contains(scalar(QStringLiteral("select nazwa_pelna from FIRMA where id_firmy=2")).left(40)));

    setBudgetHeaderField(QStringLiteral("PRN_FIRMA_RIO"), QStringLiteral("Regionalna Izba Obrachunkowa w Łodzi"));
    setBudgetHeaderField(QStringLiteral("PRN_FIRMA_ZWIAZEK"), QStringLiteral("ZW-77"));
    pages = printedPages(request(group, rbz.value(QStringLiteral("RbZTytulyDluzne")), true), QStringLiteral("b.pdf"));
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_TRUE(pages.first().contains(QStringLiteral("Regionalna Izba Obrachunkowa w Łodzi")));
    EXPECT_TRUE(pages.first().contains(QStringLiteral("ZW-77")));
    EXPECT_TRUE(pages.first().contains(QStringLiteral("O STANIE ZOBOWIĄZAŃ WEDŁUG TYTUŁÓW")));

    // Another form of the same unit: its own titles, the unit's entries kept.
    qint64 group28 = 0;
    const QHash<QString, qint64> rb28 = generateGroup(QStringLiteral("Rb-28S"), &group28);
    pages = printedPages(request(group28, rb28.value(QStringLiteral("Rb28SPozycje")), true), QStringLiteral("c.pdf"));
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_TRUE(pages.first().contains(QStringLiteral("WYKONANIA PLANU WYDATKÓW")));
    EXPECT_FALSE(pages.first().contains(QStringLiteral("O STANIE ZOBOWIĄZAŃ WEDŁUG TYTUŁÓW")));
    EXPECT_TRUE(pages.first().contains(QStringLiteral("Regionalna Izba Obrachunkowa w Łodzi")));
}

// A section printed on its own keeps its titles, boxes, ordinal column and closing block; form
// rows are never bold, while the same levels in an ordinary statement are.
TEST_P(BudgetFormPrintTest, ASectionAloneAndRowsWithoutBold)
{
    qint64 group = 0;
    const QHash<QString, qint64> rbz = generateGroup(QStringLiteral("Rb-Z"), &group);
    const QStringList pages = printedPages(request(group, rbz.value(QStringLiteral("RbZZawarteUmowy")), false), QStringLiteral("d.pdf"));
    ASSERT_EQ(pages.size(), 1);
    const QString& page = pages.first();
    EXPECT_TRUE(page.contains(QStringLiteral("D. Uzupełniające dane o zobowiązaniach")));
    EXPECT_TRUE(page.contains(kSignature));
    EXPECT_FALSE(page.contains(kUnitHeader));
    // The ordinal column: "Lp" over the numbers 1, 2, ... in front of the rows.
    EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral("(?m)^\\s*Lp\\s"))));
    EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral("(?m)^\\s*1\\s+Umowy o usługi"))));
    EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral("(?m)^\\s*2\\s+Umowy na dostawy"))));
    EXPECT_EQ(amountsIn(page), generatedAmounts(rbz.value(QStringLiteral("RbZZawarteUmowy"))));

    // Rb-Z's debt section has level 1 over level 2 rows: bold in an ordinary statement.
    StatementPrintRequest r = request(group, rbz.value(QStringLiteral("RbZTytulyDluzne")), false);
    QString error;
    const QList<StatementHead> heads = statementsToPrint(r, &error);
    ASSERT_EQ(heads.size(), 1) << qPrintable(error);
    ASSERT_TRUE(heads.first().formSection);
    ASSERT_GT(heads.first().maxLevel, 1);
    const StatementFigures figures = readStatement(r, heads.first());
    ASSERT_FALSE(figures.rows.isEmpty());
    for (const PrintRow& row : figures.rows)
        EXPECT_FALSE(row.bold) << qPrintable(row.text);
    StatementHead ordinary = heads.first();
    ordinary.formSection = false;
    EXPECT_TRUE(readStatement(r, ordinary).rows.first().bold);
}

// The forms the demo lacks, written straight into the scratch rows: Rb-50 (its own header, two
// signature blocks), Rb-WS (its header and signature block 1), F-01 (no signature, no symbols) and
// the two supplements of Rb-27ZZ that close with their total.
TEST_P(BudgetFormPrintTest, TheOtherHeadersAndClosingBlocks)
{
    using sql::sqlText;
    struct Made {
        int group;
        QString name;
        QStringList codes;
    };
    const QList<Made> made = {{960, QStringLiteral("Rb-50W test"), {"Rb50WPozycje", "Rb50WWydatkiA", "Rb50WWydatkiB"}},
                              {961, QStringLiteral("Rb-WS test"), {"RbWS"}},
                              {962, QStringLiteral("F-01 test"), {"F01rzis", "F01aoit"}},
                              {963, QStringLiteral("Rb-27ZZ test"), {"Rb27ZZNaleznosciA", "Rb27ZZNaleznosciB"}}};
    QHash<QString, qint64> ids;
    int id = 960;
    for (const Made& m : made)
        for (const QString& code : m.codes)
            ids.insert(code, id++);
    // The forms made here go again: the other tests of the shared company count its own forms.
    const auto removeMade = qScopeGuard([&] {
        QStringList statements;
        for (const qint64 statement : std::as_const(ids))
            statements << QString::number(statement);
        const QString list = statements.join(u',');
        db->exec(QStringLiteral("delete from ZESTAW_ZESTAW where id_zestaw_nag in (%1)").arg(list));
        db->exec(QStringLiteral("delete from ZESTAW_NAG where id_zestaw_nag in (%1)").arg(list));
        db->exec(QStringLiteral("delete from ZESTAW_GRUPA where id_zestaw_grupa between 960 and 963"));
    });
    if (scalar(QStringLiteral("select count(*) from ZESTAW_GRUPA where id_zestaw_grupa=960")).toInt() == 0) {
        for (const Made& m : made) {
            db->exec(QStringLiteral("insert into ZESTAW_GRUPA (id_zestaw_grupa, id_firmy, nazwa, typ, predef) values (%1, 2, %2, 'T', 1)")
                         .arg(m.group).arg(sqlText(m.name)));
            for (const QString& code : m.codes) {
                const qint64 statement = ids.value(code);
                sql::Cursor c = db->exec(QStringLiteral("insert into ZESTAW_NAG (id_zestaw_nag, id_firmy, id_zestaw_grupa, nazwa, typ, wariant,"
                                                        " ilosc_kolumn, czy_rozne_definicje, etykieta_0, etykieta_1, etykieta_2) values"
                                                        " (%1, 2, %2, %3, 'ba', %4, 2, 0, 'Pozycja', 'Plan', 'Wykonanie')")
                                             .arg(statement).arg(m.group).arg(sqlText(code), sqlText(code)));
                ASSERT_TRUE(c.ok()) << c.errorText().toStdString();
                for (int row = 1; row <= 2; ++row) {
                    sql::Cursor z = db->exec(QStringLiteral("insert into ZESTAW_ZESTAW (id_uzytkownika, id_zestaw_nag, wariant_zestaw, lp, symbol,"
                                                            " opis, poziom, arg1, kol1, kol2) values (%1, %2, 1, %3, 'SYM%3', %4, 1, '', %5, %6)")
                                                 .arg(kUser).arg(statement).arg(row).arg(sqlText(QStringLiteral("Wiersz %1").arg(row)))
                                                 .arg(row * 1000 + statement).arg(row * 7));
                    ASSERT_TRUE(z.ok()) << z.errorText().toStdString();
                }
            }
        }
    }
    auto print = [&](const Made& m) { return printedPages(request(m.group, ids.value(m.codes.first()), true), m.name + ".pdf"); };

    QStringList pages = print(made[0]);
    ASSERT_EQ(pages.size(), 3);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Wysłać bez pisma przewodniego")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("część")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Klasyfikacja budżetowa")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("za I kwartał 2026 roku")));
    const QString part = scalar(QStringLiteral("select wartosc from PARAMETRY_GLOBALNE where id_firmy=2 and nazwa='BeKodMSWiA'"));
    if (!part.isEmpty()) {
        EXPECT_TRUE(pages[0].contains(part));
    }
    EXPECT_TRUE(pages[2].contains(QStringLiteral("B. Wydatki poniesione przez jst.")));
    EXPECT_EQ(QList<bool>({pages[0].contains(kSignature), pages[1].contains(kSignature), pages[2].contains(kSignature)}),
              QList<bool>({true, false, true}));

    pages = print(made[1]);
    ASSERT_EQ(pages.size(), 1);
    for (const char* text : {"Rb-WS roczne", "Sprawozdanie o wydatkach strukturalnych", "Symbol klasyfikacji budżetowej",
                             "terytorialnego wg GUS (dot. wyłącznie jst)", "w roku 2026", "Sporządził:", "Data wydruku:",
                             "Kierownik jednostki/Przewodniczący zarządu:"})
        EXPECT_TRUE(pages[0].contains(QString::fromUtf8(text))) << text;
    EXPECT_TRUE(pages[0].contains(kUnitHeader));

    pages = print(made[2]);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("F-01/I-01 Sprawozdanie o przychodach")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Część I. PRZYCHODY, KOSZTY I WYNIK FINANSOWY")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Dział 2. Aktywa obrotowe i trwałe")));
    for (const QString& page : pages) {
        EXPECT_FALSE(page.contains(QStringLiteral("SYM1"))); // F-01 rows print their description alone
        EXPECT_FALSE(page.contains(kSignature));
        EXPECT_FALSE(page.contains(QStringLiteral("Koniec wydruku")));
    }

    pages = print(made[3]);
    ASSERT_EQ(pages.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const qint64 statement = ids.value(made[3].codes[i]);
        // "Razem": the two rows' sums, computed here from what the test wrote.
        const QList<Decimal> total = {Decimal::fromUnits(1000 + statement + 2000 + statement), Decimal::fromUnits(21)};
        const QString line = pages[i].section(QStringLiteral("Razem"), 1).section(QLatin1Char('\n'), 0, 0);
        EXPECT_EQ(amountsIn(line), total) << qPrintable(pages[i]);
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Rozdział")));
    }
    EXPECT_FALSE(pages[0].contains(kSignature));
    EXPECT_TRUE(pages[1].contains(kSignature));
}

INSTANTIATE_TEST_SUITE_P(Backends, BudgetFormPrintTest, test::allBackends(), test::backendName);

} // namespace
} // namespace pravik::statements
