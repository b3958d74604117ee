// The XML export of the demo school's budget forms on SQLite and PostgreSQL: every file validates
// against docs/sprawozdanie-budzetowe.xsd, holds the sections in the form's order and the amounts
// of the computed rows; failures leave no file and say why.
#include "statements/export/BudgetXmlExport.h"

#include "platform/ScriptedUi.h"
#include "siblings/korda/Session.h"
#include "tests/server/DemoDatabaseTest.h"
#include "tests/statements/BudgetUnitTest.h"
#include "tests/statements/FormGeneration.h"

#include <QDomDocument>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pravik::statements {
namespace {

using test::TestBackend;

class BudgetXmlExportTest : public test::BudgetUnitTest {
protected:
    // The statements of the group computed for the first quarter, as the window does it.
    QList<qint64> generateGroup(const QString& groupName)
    {
        QList<qint64> ids;
        for (const QVariantList& r : rows(QStringLiteral("select n.id_zestaw_nag, n.ilosc_kolumn from ZESTAW_NAG n join ZESTAW_GRUPA g"
                                                         " on g.id_zestaw_grupa=n.id_zestaw_grupa where g.id_firmy=2 and g.nazwa='%1'")
                                              .arg(groupName), 2)) {
            ids << r[0].toLongLong();
        }
        EXPECT_EQ(test::generateForm(ids, from, to, kUser), QString());
        return ids;
    }

    BudgetXmlRequest request(qint64 statement, const QString& file)
    {
        BudgetXmlRequest r;
        r.company = 2;
        r.user = kUser;
        r.statementId = statement;
        r.periodType = 2;
        r.periodNumber = 1;
        r.periodYear = 2026;
        r.printDate = dayFromYmd(2026, 4, 10);
        r.path = dir.filePath(file);
        return r;
    }

    static QString validate(const QString& path)
    {
        QProcess p;
        p.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"),
                                            QStringLiteral(PRAVIK_SOURCE_DIR "/docs/sprawozdanie-budzetowe.xsd"), path});
        if (!p.waitForFinished(60000))
            return QStringLiteral("xmllint did not finish");
        return p.exitCode() == 0 ? QString() : QString::fromUtf8(p.readAllStandardError());
    }

    QTemporaryDir dir;
    const DayNumber from = dayFromYmd(2026, 1, 1), to = dayFromYmd(2026, 3, 31);
};

TEST_P(BudgetXmlExportTest, EachFormValidatesInSectionOrderWithTheComputedAmounts)
{
    const QList<QPair<QString, QStringList>> forms = {
        {QStringLiteral("Rb-27S"), {"Rb27SPozycje"}},
        {QStringLiteral("Rb-28S"), {"Rb28SPozycje", "Rb28SDotacjeRozwojowe"}},
        {QStringLiteral("Rb-Z"), {"RbZTytulyDluzne", "RbZPoreczeniaGwarancje", "RbZKredytyPozyczki", "RbZZawarteUmowy"}}};
    for (const auto& form : forms) {
        const QList<qint64> ids = generateGroup(form.first);
        ASSERT_EQ(ids.size(), form.second.size());
        const QString file = form.first + QStringLiteral(".xml");
        const BudgetXmlResult r = exportBudgetXml(request(ids.first(), file));
        ASSERT_TRUE(r.ok) << r.message.toStdString();
        EXPECT_EQ(validate(dir.filePath(file)), QString()) << qPrintable(form.first);
        QFile f(dir.filePath(file));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        QDomDocument doc;
        ASSERT_TRUE(doc.setContent(&f));
        const QDomNodeList sections = doc.documentElement().elementsByTagName(QStringLiteral("Sekcja"));
        QStringList order;
        for (int i = 0; i < sections.size(); ++i) {
            const QDomElement s = sections.at(i).toElement();
            order << s.attribute(QStringLiteral("kod"));
            // Sum of each column over the section's rows, from the file and from ZESTAW_ZESTAW.
            const int columns = s.attribute(QStringLiteral("kolumn")).toInt();
            std::vector<Decimal> inFile(static_cast<size_t>(columns));
            const QDomNodeList amounts = s.elementsByTagName(QStringLiteral("Kwota"));
            for (int a = 0; a < amounts.size(); ++a) {
                const QDomElement k = amounts.at(a).toElement();
                inFile[size_t(k.attribute(QStringLiteral("kolumna")).toInt() - 1)] += *Decimal::parse(k.text());
            }
            QStringList sums;
            for (int c = 1; c <= columns; ++c)
                sums << QStringLiteral("sum(kol%1)").arg(c);
            const auto computed = rows(QStringLiteral("select %1, count(*) from ZESTAW_ZESTAW z join ZESTAW_NAG n on n.id_zestaw_nag=z.id_zestaw_nag"
                                                      " where z.id_uzytkownika=%2 and z.wariant_zestaw=1 and n.id_firmy=2 and n.wariant='%3'")
                                           .arg(sums.join(',')).arg(kUser).arg(order.last()), columns + 1);
            ASSERT_EQ(computed.size(), 1);
            EXPECT_EQ(s.elementsByTagName(QStringLiteral("Wiersz")).size(), computed[0][columns].toInt());
            for (int c = 0; c < columns; ++c)
                EXPECT_EQ(inFile[size_t(c)], test::dec(computed[0][c])) << qPrintable(order.last()) << " column " << c + 1;
        }
        EXPECT_EQ(order, form.second) << qPrintable(form.first);
    }
}

// The expense paragraphs of Rb-28S carry their classification in parts, and the spending column
// equals the budget records of the quarter.
TEST_P(BudgetXmlExportTest, ClassificationRowsAgainstTheBudgetRecords)
{
    const QList<qint64> ids = generateGroup(QStringLiteral("Rb-28S"));
    ASSERT_FALSE(ids.isEmpty());
    ASSERT_TRUE(exportBudgetXml(request(ids.first(), QStringLiteral("rb28s.xml"))).ok);
    QFile f(dir.filePath(QStringLiteral("rb28s.xml")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QDomDocument doc;
    ASSERT_TRUE(doc.setContent(&f));
    const QDomNodeList lines = doc.documentElement().elementsByTagName(QStringLiteral("Wiersz"));
    int checked = 0;
    for (int i = 0; i < lines.size(); ++i) {
        const QDomElement w = lines.at(i).toElement();
        if (!w.hasAttribute(QStringLiteral("klasyfikacja")))
            continue;
        const QString c = w.attribute(QStringLiteral("klasyfikacja"));
        EXPECT_EQ(w.attribute(QStringLiteral("dzial")) + '-' + w.attribute(QStringLiteral("rozdzial")) + '-' + w.attribute(QStringLiteral("paragraf")), c);
        const auto spent = rows(QStringLiteral("select sum(b.kwota) from BT_DANE b join POZ_DOK p on p.id_poz_dok=b.id_poz_dok"
                                               " join NAG_DOK n on n.id_nag_dok=p.id_nag_dok where n.id_firmy=2 and n.status>0"
                                               " and b.rodzaj_wy=1 and n.data_okresu between %1 and %2 and (b.bt_klasyfikacja='%3'"
                                               " or b.bt_klasyfikacja like '%3-%')").arg(monthPeriod(2026, 1)).arg(monthPeriod(2026, 3)).arg(c), 1);
        const QDomNodeList k = w.elementsByTagName(QStringLiteral("Kwota"));
        EXPECT_EQ(*Decimal::parse(k.at(2).toElement().text()), test::dec(spent[0][0])) << qPrintable(c);
        ++checked;
    }
    EXPECT_GE(checked, 4);
}

TEST_P(BudgetXmlExportTest, NoteEscapedCorrectionKeptAndRefusalsLeaveNoFile)
{
    const QList<qint64> ids = generateGroup(QStringLiteral("Rb-27S"));
    ASSERT_FALSE(ids.isEmpty());
    BudgetXmlRequest r = request(ids.first(), QStringLiteral("uwagi.xml"));
    r.note = QStringLiteral("Korekta <pozycji> & \"opis\" 'x'\x01\x1f koniec");
    r.correction = 255;
    ASSERT_TRUE(exportBudgetXml(r).ok);
    EXPECT_EQ(validate(r.path), QString());
    QFile f(r.path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QDomDocument doc;
    ASSERT_TRUE(doc.setContent(&f));
    EXPECT_EQ(doc.documentElement().firstChildElement(QStringLiteral("Naglowek")).firstChildElement(QStringLiteral("Uwagi")).text(),
              QStringLiteral("Korekta <pozycji> & \"opis\" 'x' koniec"));
    EXPECT_EQ(doc.documentElement().firstChildElement(QStringLiteral("Naglowek")).firstChildElement(QStringLiteral("Korekta")).text(),
              QStringLiteral("255"));

    // A folder that is not there, a period that is no quarter or month, a statement outside a
    // form group: a message, and no file.
    BudgetXmlRequest gone = request(ids.first(), QStringLiteral("brak/r.xml"));
    BudgetXmlResult res = exportBudgetXml(gone);
    EXPECT_FALSE(res.ok);
    EXPECT_TRUE(res.message.contains(QStringLiteral("Nie można zapisać pliku"))) << res.message.toStdString();
    EXPECT_FALSE(QFile::exists(gone.path));
    BudgetXmlRequest range = request(ids.first(), QStringLiteral("zakres.xml"));
    range.periodType = 1;
    res = exportBudgetXml(range);
    EXPECT_EQ(res.message, QStringLiteral("Proszę określić typ okresu dla sprawozdania bazowego jako kwartał lub miesiąc."));
    EXPECT_FALSE(QFile::exists(range.path));
    const auto balance = rows(QStringLiteral("select id_zestaw_nag from ZESTAW_NAG where id_firmy=1 and nazwa='Bilans'"), 1);
    ASSERT_EQ(balance.size(), 1);
    BudgetXmlRequest plain = request(balance[0][0].toLongLong(), QStringLiteral("bilans.xml"));
    res = exportBudgetXml(plain);
    EXPECT_FALSE(res.ok);
    EXPECT_TRUE(res.message.startsWith(QStringLiteral("Do XML eksportuje się tylko sprawozdania budżetowe")));
    EXPECT_FALSE(QFile::exists(plain.path));
}

INSTANTIATE_TEST_SUITE_P(Backends, BudgetXmlExportTest, test::allBackends(), test::backendName);

TEST(XmlExportForm, ProposedPathKeepsDateAndExtensionWithinTheLimit)
{
    const DayNumber day = dayFromYmd(2026, 4, 5);
    EXPECT_EQ(XmlExportForm::proposedPath(QStringLiteral("/dok/Fir2"), QStringLiteral("Rb-28S"), day),
              QStringLiteral("/dok/Fir2/Rb-28S_20260405.xml"));
    const QString folder = QStringLiteral("/") + QString(250, QLatin1Char('f'));
    const QString longPath = XmlExportForm::proposedPath(folder, QString(100, QLatin1Char('n')), day);
    EXPECT_EQ(longPath.size(), kMaxExportPath);
    EXPECT_TRUE(longPath.endsWith(QLatin1String("n_20260405.xml")));
    EXPECT_EQ(XmlExportForm::proposedPath(QStringLiteral("/") + QString(295, QLatin1Char('f')), QStringLiteral("x"), day), QString());

    XmlExportForm form;
    EXPECT_EQ(form.accept(), QStringLiteral("Proszę określić plik eksportu."));
    form.path = QStringLiteral("/tmp/rb28s");
    form.correctionNumber = 7; // typed, but "pierwotne" is chosen
    EXPECT_EQ(form.accept(), std::nullopt);
    EXPECT_EQ(form.path, QStringLiteral("/tmp/rb28s.xml"));
    EXPECT_EQ(form.correctionPassed(), 0);
    form.correction = true;
    EXPECT_EQ(form.correctionPassed(), 7);
    form.correctionNumber = 256;
    EXPECT_TRUE(form.accept().has_value());
    EXPECT_EQ(xmlPeriodText(3, 3, 2026, false), QStringLiteral("Za okres Marzec  2026"));
    EXPECT_EQ(xmlPeriodText(2, 1, 2026, true), QStringLiteral("Za okres I kwartał 2026 narastająco od początku roku"));
}

} // namespace
} // namespace pravik::statements
