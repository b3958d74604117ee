// The budget forms' windows through their models and forms, on SQLite and PostgreSQL: the header
// window's edits kept per company, the XML export from the window to a file the schema accepts,
// the SPD window's defaults, checks and stored settings, and the desktop forms shown offscreen.
#include "statements/export/BudgetXmlExport.h"
#include "statements/export/SpdExport.h"
#include "statements/forms/BudgetHeader.h"
#include "statements/window/BudgetExportRun.h"
#include "statements/window/BudgetFormGroups.h"
#include "statements/window/BudgetHeaderWindowForm.h"
#include "statements/window/SpdExportWindowForm.h"
#include "statements/window/XmlExportWindowForm.h"

#include "apps/pravik-gui/BudgetFormsMenu.h"
#include "platform/ScriptedUi.h"
#include "siblings/korda/Session.h"
#include "tests/server/DemoDatabaseTest.h"
#include "tests/statements/BudgetUnitTest.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <gtest/gtest.h>

namespace pravik::statements {
namespace {

using test::TestBackend;

class BudgetWindowsTest : public test::BudgetUnitTest {
protected:
    void SetUp() override
    {
        BudgetUnitTest::SetUp();
        korda::Session& s = korda::session();
        s.DANE_LATA_OBROTOWE = 3;
        s.DANE_POCZATEK_ROKU = dayFromYmd(2026, 1, 1);
        s.DANE_KONIEC_ROKU = dayFromYmd(2026, 12, 31);
        s.DANE_DATA_WYDRUKU = dayFromYmd(2026, 4, 10);
        resetBudgetHeader();
        xmlExportSettings() = XmlExportForm();
    }
    void TearDown() override
    {
        setXmlExportWindow({});
        setSpdWindow({});
        setBudgetHeaderWindow({});
        resetBudgetHeader();
        db->exec(QStringLiteral("delete from SPEC_EKSPORT where typ='SPD'"));
        BudgetUnitTest::TearDown();
    }
    BudgetFormGroup group(const QString& code)
    {
        QString error;
        for (const BudgetFormGroup& g : budgetFormGroups(*db, 2, &error))
            if (g.formCode == code)
                return g;
        ADD_FAILURE() << "no form " << code.toStdString() << " " << error.toStdString();
        return {};
    }
    QStringList storedSpd(int company)
    {
        QStringList out;
        sql::Cursor c = db->exec(QStringLiteral("select p1,p2,p3,p4,p5 from SPEC_EKSPORT where id_firmy=%1 and typ='SPD'").arg(company));
        while (c.next())
            for (int i = 0; i < 5; ++i)
                out << c.value(i).toString();
        return out;
    }
    template <typename W>
    static W* child(QWidget& form, const QString& name)
    {
        W* w = form.findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    static void type(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        emit edit->textEdited(text);
    }

    QTemporaryDir dir;
    const DayNumber march = dayFromYmd(2026, 3, 31);
};

TEST_P(BudgetWindowsTest, HeaderWindowKeepsWhatZamknijConfirmsUntilTheCompanyChanges)
{
    ASSERT_EQ(loadBudgetHeader(*db, 2, march, QStringLiteral("Rb28S")), QStringList());
    const QString regon = budgetHeader().value(QStringLiteral("PRN_FIRMA_REGON1"));
    ASSERT_FALSE(regon.isEmpty());
    {
        // Every field of the header, in its frame, at most its width.
        BudgetHeaderWindowModel model;
        ASSERT_EQ(model.fields().size(), budgetHeaderFields().size());
        auto names = [&](const QString& frame) {
            QStringList out;
            for (const auto& f : model.fieldsOf(frame))
                out << f.name;
            return out;
        };
        EXPECT_TRUE(names(QStringLiteral("Jednostka sprawozdawcza")).contains(QStringLiteral("PRN_FIRMA_REGON2")));
        EXPECT_EQ(names(QStringLiteral("Symbole")).size(), 7);
        EXPECT_EQ(names(QStringLiteral("Nazwy")).size(), 3);
        EXPECT_EQ(names(QString()), (QStringList{"PRN_TYTUL_1", "PRN_TYTUL_2", "PRN_FIRMA_RIO"}));
        EXPECT_TRUE(model.setValue(QStringLiteral("prn_firma_kod_woj"), QString(40, QLatin1Char('9'))));
        EXPECT_EQ(model.value(QStringLiteral("PRN_FIRMA_KOD_WOJ")).size(), 19);
        EXPECT_FALSE(model.setValue(QStringLiteral("PRN_NIEZNANE"), QStringLiteral("x")));
        // Esc: the model goes without close(), the header is as it was.
    }
    EXPECT_NE(budgetHeader().value(QStringLiteral("PRN_FIRMA_KOD_WOJ")), QString(19, QLatin1Char('9')));

    // BT_DANE_FIRMY in mode 1 opens the window; the user types and closes it.
    korda::session().DANE_ID_FIRMY = 2;
    setBudgetHeaderWindow([] {
        BudgetHeaderWindowModel model;
        model.setValue(QStringLiteral("PRN_FIRMA_RIO"), QStringLiteral("RIO w Łodzi"));
        model.setValue(QStringLiteral("PRN_FIRMA_REGON1"), QStringLiteral("000000000"));
        model.setValue(QStringLiteral("PRN_TYTUL_1"), QStringLiteral("Tytuł tylko na dziś"));
        EXPECT_EQ(model.changed().size(), 3);
        model.close();
        EXPECT_TRUE(model.changed().isEmpty());
    });
    BT_DANE_FIRMY(1, march, QStringLiteral("Rb28S"));
    EXPECT_EQ(budgetHeader().value(QStringLiteral("PRN_TYTUL_1")), QStringLiteral("Tytuł tylko na dziś"));
    // The next load of the same unit: entries stay, titles come from the form again.
    BT_DANE_FIRMY(0, march, QStringLiteral("RbZ"));
    EXPECT_EQ(budgetHeader().value(QStringLiteral("PRN_FIRMA_RIO")), QStringLiteral("RIO w Łodzi"));
    EXPECT_EQ(budgetHeader().value(QStringLiteral("PRN_FIRMA_REGON1")), QStringLiteral("000000000"));
    EXPECT_TRUE(budgetHeader().value(QStringLiteral("PRN_TYTUL_1")).startsWith(QLatin1String("Rb-Z  KWARTALNE")));
    // Another unit and back: the entries are gone, the database's values are read again.
    korda::session().DANE_ID_FIRMY = 1;
    BT_DANE_FIRMY(0, march, QStringLiteral("RbZ"));
    EXPECT_EQ(budgetHeader().value(QStringLiteral("PRN_FIRMA_RIO")), QString());
    korda::session().DANE_ID_FIRMY = 2;
    BT_DANE_FIRMY(0, march, QStringLiteral("RbZ"));
    EXPECT_EQ(budgetHeader().value(QStringLiteral("PRN_FIRMA_REGON1")), regon);
    EXPECT_TRUE(ui.messageTexts().isEmpty());
}

TEST_P(BudgetWindowsTest, FormGroupsOfTheUnitInFormOrderWithTheirSectionsInPrintingOrder)
{
    QString error;
    const QList<BudgetFormGroup> groups = budgetFormGroups(*db, 2, &error);
    ASSERT_EQ(error, QString());
    QStringList codes;
    for (const BudgetFormGroup& g : groups)
        codes << g.formCode;
    EXPECT_EQ(codes, (QStringList{"Rb27S", "Rb28S", "RbZ"}));
    for (const BudgetFormGroup& g : groups) {
        QStringList sections;
        for (qint64 id : g.sections) {
            sql::Cursor c = db->exec(QStringLiteral("select wariant from ZESTAW_NAG where id_zestaw_nag=%1").arg(id));
            sections << (c.next() ? c.value(0).toString().trimmed() : QString());
        }
        EXPECT_EQ(sections, budgetFormSections(g.formCode)) << g.name.toStdString();
    }
    EXPECT_TRUE(budgetFormGroups(*db, 1, &error).isEmpty()); // the trading company files no forms
}

TEST_P(BudgetWindowsTest, XmlExportFromTheWindowWritesAFileTheSchemaAccepts)
{
    const BudgetFormGroup rb28s = group(QStringLiteral("Rb28S"));
    const QString path = dir.filePath(QStringLiteral("rb28s.xml"));
    int shown = 0;
    setXmlExportWindow([&] {
        ++shown;
        XmlExportForm& form = xmlExportSettings();
        EXPECT_EQ(form.reportLine(), QStringLiteral("Sprawozdanie Rb-28S"));
        EXPECT_EQ(form.periodText, QStringLiteral("Za okres I kwartał 2026 narastająco od początku roku"));
        form.path = path;
        form.correction = true;
        form.correctionNumber = 2;
        form.note = QStringLiteral("<uwaga> & \"cudzysłów\"\x01");
        return !form.accept().has_value();
    });
    ASSERT_TRUE(runXmlExport(budgetFormExportRun(rb28s, 0))) << ui.messageTexts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(shown, 1);
    ASSERT_TRUE(QFile::exists(path));
    ASSERT_EQ(ui.messageTexts().size(), 1);
    EXPECT_TRUE(ui.messageTexts().first().startsWith(QStringLiteral("Zapisano sprawozdanie"))) << ui.messageTexts().first().toStdString();
    QProcess lint;
    lint.start(QStringLiteral("xmllint"), {QStringLiteral("--noout"), QStringLiteral("--schema"),
                                           QStringLiteral(PRAVIK_SOURCE_DIR "/docs/sprawozdanie-budzetowe.xsd"), path});
    ASSERT_TRUE(lint.waitForFinished(60000));
    EXPECT_EQ(lint.exitCode(), 0) << lint.readAllStandardError().toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("&lt;uwaga&gt; &amp;"));

    // A folder that is gone: the writer's text is shown, nothing is left behind.
    ui.clear();
    const QString gone = dir.filePath(QStringLiteral("brak/rb28s.xml"));
    setXmlExportWindow([&] {
        xmlExportSettings().path = gone;
        return true;
    });
    EXPECT_FALSE(runXmlExport(budgetFormExportRun(rb28s, 6)));
    EXPECT_FALSE(QFile::exists(gone));
    ASSERT_EQ(ui.events().size(), 1);
    EXPECT_EQ(ui.events().first().icon, MessageIcon::Warning);

    // Generation that fails writes nothing from rows of an earlier run.
    ui.clear();
    const QString third = dir.filePath(QStringLiteral("third.xml"));
    setXmlExportWindow([&] {
        xmlExportSettings().path = third;
        return true;
    });
    BudgetExportRun failing = budgetFormExportRun(rb28s, 0);
    failing.generate = [] { return QStringLiteral("generation failed"); };
    EXPECT_FALSE(runXmlExport(failing));
    EXPECT_EQ(ui.messageTexts(), QStringList{QStringLiteral("generation failed")});
    EXPECT_FALSE(QFile::exists(third));

    // What is no budget form, or no quarter or month, is refused before the window opens.
    shown = 0;
    ui.clear();
    BudgetExportRun yearly = budgetFormExportRun(rb28s, 0);
    yearly.periodType = 1;
    EXPECT_FALSE(runXmlExport(yearly));
    BudgetExportRun plain = yearly;
    plain.periodType = 2;
    sql::Cursor c = db->exec(QStringLiteral("select min(id_zestaw_nag) from ZESTAW_NAG where id_firmy=1"));
    ASSERT_TRUE(c.next());
    plain.statementId = c.value(0).toLongLong();
    EXPECT_FALSE(runXmlExport(plain));
    ASSERT_EQ(ui.messageTexts().size(), 2);
    EXPECT_EQ(ui.messageTexts().at(0), QStringLiteral("Proszę określić typ okresu dla sprawozdania bazowego jako kwartał lub miesiąc."));
    EXPECT_TRUE(ui.messageTexts().at(1).startsWith(QStringLiteral("Do XML eksportuje się tylko sprawozdania budżetowe")));
    EXPECT_EQ(shown, 0);
}

TEST(XmlExportFormTest, ProposedPathFileChoiceAndCorrectionNumber)
{
    QTemporaryDir documents;
    XmlExportForm form;
    form.open(QStringLiteral("Za okres I kwartał 2026"), QStringLiteral("Rb-28S"), documents.path(), 2, dayFromYmd(2026, 4, 10));
    const QString folder = documents.filePath(QStringLiteral("Pliki programu Tabulo/Sprawozdania budżetowe/Fir2"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(form.path, folder + QStringLiteral("/Rb-28S_20260410.xml"));

    // A long name is shortened so that the whole path fits, date and extension kept.
    form.open(QString(), QString(400, QLatin1Char('n')), documents.path(), 2, dayFromYmd(2026, 4, 10));
    EXPECT_EQ(form.path.size(), kMaxExportPath);
    EXPECT_TRUE(form.path.endsWith(QLatin1String("n_20260410.xml")));

    // The file button: ".xml" appended, its folder proposed next time.
    QDir(documents.path()).mkpath(QStringLiteral("inne"));
    form.fileChosen(documents.filePath(QStringLiteral("inne/korekta")));
    EXPECT_EQ(form.path, documents.filePath(QStringLiteral("inne/korekta.xml")));
    form.open(QString(), QStringLiteral("Rb-Z"), documents.path(), 2, dayFromYmd(2026, 4, 10));
    EXPECT_EQ(form.path, documents.filePath(QStringLiteral("inne/Rb-Z_20260410.xml")));

    // "pierwotne" passes 0 whatever number was typed; a correction is 0..255.
    form.correctionNumber = 7;
    EXPECT_EQ(form.accept(), std::nullopt);
    EXPECT_EQ(form.correctionPassed(), 0);
    form.correction = true;
    EXPECT_EQ(form.correctionPassed(), 7);
    form.correctionNumber = 256;
    EXPECT_TRUE(form.accept().has_value());
    form.correctionNumber = 255;
    form.path = QStringLiteral("  ");
    EXPECT_EQ(form.accept(), QStringLiteral("Proszę określić plik eksportu."));
}

TEST_P(BudgetWindowsTest, SpdWindowDefaultsChecksAndSettingsStoredPerCompany)
{
    // Nothing stored: the defaults, and the business date proposed for the period type.
    SpdExportWindowModel months(march, 3, dayFromYmd(2026, 1, 1));
    EXPECT_EQ(months.load(*db, 2), QString());
    EXPECT_EQ(months.settings().separator(), QStringLiteral("|"));
    EXPECT_EQ(months.settings().qualifier(), QStringLiteral("\""));
    EXPECT_EQ(months.settings().businessDate, dayFromYmd(2026, 3, 1));
    EXPECT_EQ(SpdExportWindowModel(march, 2, 0).settings().businessDate, march);
    EXPECT_EQ(months.accept(), std::nullopt);

    const QList<QPair<std::function<void(SpdExportWindowModel&)>, QString>> refused = {
        {[](SpdExportWindowModel& m) { m.setSdCode(QStringLiteral("123")); }, QStringLiteral("Kod SD")},
        {[](SpdExportWindowModel& m) { m.setEntityCode(QStringLiteral("ABCD")); }, QStringLiteral("Kod encji")},
        {[](SpdExportWindowModel& m) { m.setSeparator(QString(11, QLatin1Char(';'))); }, QStringLiteral("Separator")},
        {[](SpdExportWindowModel& m) { m.setQualifier(QString(11, QLatin1Char('\''))); }, QStringLiteral("Prefiks")},
        {[&](SpdExportWindowModel& m) { m.setBusinessDate(march + 1); }, QStringLiteral("późniejsza")},
        {[](SpdExportWindowModel& m) { m.setBusinessDate(dayFromYmd(2025, 12, 31)); }, QStringLiteral("wcześniejsza")},
        {[](SpdExportWindowModel& m) { m.setBusinessDate(0); }, QStringLiteral("datę biznesową")},
    };
    for (const auto& [change, says] : refused) {
        SpdExportWindowModel m = months;
        change(m);
        const auto problem = m.accept();
        ASSERT_TRUE(problem.has_value()) << says.toStdString();
        EXPECT_TRUE(problem->contains(says)) << problem->toStdString();
    }

    // The other company's settings, then this one's through the window with a quote as qualifier.
    SpdSettings other;
    other.fields[0] = QStringLiteral("K1");
    other.fields[2] = QStringLiteral(";");
    QString error;
    ASSERT_TRUE(saveSpdSettings(*db, 1, other, &error)) << error.toStdString();
    setSpdWindow([] {
        korda::Session& s = korda::session();
        EXPECT_EQ(s.GGG_SPEC_EKSPORT[10].text(), QStringLiteral("2026-03-31"));
        s.GGG_SPEC_EKSPORT[0] = QStringLiteral("01");
        s.GGG_SPEC_EKSPORT[1] = QStringLiteral("O'B");
        s.GGG_SPEC_EKSPORT[3] = QStringLiteral("'");
        s.GGG_SPEC_EKSPORT[4] = QStringLiteral("1");
        return true;
    });
    const QString csv = dir.filePath(QStringLiteral("rb28s.csv"));
    ui.saveFile(dir.filePath(QStringLiteral("rb28s")));
    ASSERT_TRUE(runSpdExport(budgetFormExportRun(group(QStringLiteral("Rb28S")), 0))) << ui.messageTexts().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(storedSpd(2), (QStringList{"01", "O'B", "|", "'", "1"}));
    EXPECT_EQ(storedSpd(1), (QStringList{"K1", "", ";", "", ""}));
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << csv.toStdString();
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines.first().startsWith("'01'|'O''B'|2026-03-31|")) << lines.first().toStdString();

    // Settings a host left beyond their fields are refused, and nothing is stored or written.
    ui.clear();
    setSpdWindow([] {
        korda::session().GGG_SPEC_EKSPORT[1] = QStringLiteral("ZBYT");
        return true;
    });
    EXPECT_FALSE(runSpdExport(budgetFormExportRun(group(QStringLiteral("Rb28S")), 0)));
    EXPECT_EQ(ui.messageTexts().size(), 1);
    EXPECT_EQ(storedSpd(2).value(1), QStringLiteral("O'B"));
}

TEST_P(BudgetWindowsTest, DesktopFormsShowTheModelAndAcceptOnlyWhatItAccepts)
{
    // "Dane nagłówkowe wydruku": one edit per field, limited to its width; Zamknij keeps edits.
    ASSERT_EQ(loadBudgetHeader(*db, 2, march, QStringLiteral("Rb27S")), QStringList());
    {
        BudgetHeaderWindowModel model;
        BudgetHeaderWindowForm form(model);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Dane nagłówkowe wydruku"));
        QStringList frames;
        for (QGroupBox* box : form.findChildren<QGroupBox*>())
            frames << box->title();
        EXPECT_EQ(frames, BudgetHeaderWindowModel::frames());
        auto* rio = child<QLineEdit>(form, QStringLiteral("PRN_FIRMA_RIO"));
        EXPECT_EQ(rio->maxLength(), 150);
        EXPECT_EQ(child<QLineEdit>(form, QStringLiteral("PRN_FIRMA_KOD_GM"))->maxLength(), 19);
        type(rio, QStringLiteral("Regionalna Izba Obrachunkowa"));
        form.reject();
        EXPECT_EQ(budgetHeader().value(QStringLiteral("PRN_FIRMA_RIO")), QString());
        child<QPushButton>(form, QStringLiteral("closeButton"))->click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_EQ(budgetHeader().value(QStringLiteral("PRN_FIRMA_RIO")), QStringLiteral("Regionalna Izba Obrachunkowa"));
    }

    // "Eksport XML": the number only for "korekta", a file required, the file button's answer.
    XmlExportForm xml;
    xml.reportName = QStringLiteral("Rb-27S");
    xml.periodText = QStringLiteral("Za okres Marzec  2026");
    {
        XmlExportWindowForm form(xml);
        EXPECT_EQ(child<QLabel>(form, QStringLiteral("reportLabel"))->text(), QStringLiteral("Sprawozdanie Rb-27S"));
        auto* number = child<QSpinBox>(form, QStringLiteral("correctionSpin"));
        EXPECT_FALSE(number->isEnabled());
        child<QRadioButton>(form, QStringLiteral("correctionRadio"))->click();
        EXPECT_TRUE(number->isEnabled());
        number->setValue(3);
        EXPECT_EQ(xml.correctionPassed(), 3);
        auto* execute = child<QPushButton>(form, QStringLiteral("executeButton"));
        EXPECT_EQ(execute->shortcut(), QKeySequence(Qt::Key_F10));
        execute->click();
        EXPECT_EQ(ui.messageTexts(), QStringList{QStringLiteral("Proszę określić plik eksportu.")});
        EXPECT_NE(form.result(), QDialog::Accepted);
        ui.saveFile(dir.filePath(QStringLiteral("rb27s")));
        child<QToolButton>(form, QStringLiteral("fileButton"))->click();
        EXPECT_EQ(child<QLineEdit>(form, QStringLiteral("pathEdit"))->text(), dir.filePath(QStringLiteral("rb27s.xml")));
        execute->click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
    }

    // "Eksport do pliku wg formatu SPD": the stored values shown whole, so that Wykonaj can say
    // what is wrong with one that is too long.
    SpdSettings stored;
    stored.fields[1] = QStringLiteral("ABCD");
    QString error;
    ASSERT_TRUE(saveSpdSettings(*db, 2, stored, &error)) << error.toStdString();
    SpdExportWindowModel spd(march, 2, dayFromYmd(2026, 1, 1));
    ASSERT_EQ(spd.load(*db, 2), QString());
    SpdExportWindowForm form(spd);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Eksport do pliku wg formatu SPD"));
    auto* entity = child<QLineEdit>(form, QStringLiteral("entityCodeEdit"));
    EXPECT_EQ(entity->text(), QStringLiteral("ABCD"));
    EXPECT_EQ(child<QLineEdit>(form, QStringLiteral("separatorEdit"))->text(), QStringLiteral("|"));
    EXPECT_EQ(child<QDateEdit>(form, QStringLiteral("businessDateEdit"))->date(), QDate(2026, 3, 31));
    ui.clear();
    child<QPushButton>(form, QStringLiteral("executeButton"))->click();
    EXPECT_EQ(ui.messageTexts().size(), 1);
    EXPECT_NE(form.result(), QDialog::Accepted);
    type(entity, QStringLiteral("ABC"));
    child<QCheckBox>(form, QStringLiteral("accountNamesCheck"))->click();
    EXPECT_TRUE(spd.settings().accountNames());
    child<QPushButton>(form, QStringLiteral("executeButton"))->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(spd.settings().entityCode(), QStringLiteral("ABC"));
}

// A user at the desktop: the period list answers with the entry the test chose.
class PickingUi : public ScriptedUi {
public:
    QString pick;
    QStringList offered;
    std::optional<QString> pickItem(const QString&, const QStringList& items, const QString&) override
    {
        offered = items;
        return items.contains(pick) ? std::optional<QString>(pick) : std::nullopt;
    }
};

TEST_P(BudgetWindowsTest, DesktopMenuOffersEachFormWithItsWindowsAndExports)
{
    PickingUi desk;
    setUi(&desk);
    QMenu menu;
    QList<QPair<qint64, QString>> opened;
    gui::addBudgetFormsActions(&menu, [&](qint64 id, const QString& name) { opened << qMakePair(id, name); });
    QStringList forms;
    for (QAction* a : menu.actions())
        forms << a->text();
    EXPECT_EQ(forms, (QStringList{"Rb-27S", "Rb-28S", "Rb-Z"}));
    QMenu* rb28s = menu.findChild<QMenu*>(QStringLiteral("budgetForm_Rb28S"));
    ASSERT_NE(rb28s, nullptr);
    QHash<QString, QAction*> entries;
    for (QAction* a : rb28s->actions())
        if (!a->isSeparator())
            entries.insert(a->text(), a);
    ASSERT_EQ(entries.size(), 4);

    entries.value(QStringLiteral("Parametry wydruku..."))->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first().first, group(QStringLiteral("Rb28S")).sections.first());
    EXPECT_EQ(opened.first().second, QStringLiteral("Rb-28S"));

    int headerShown = 0;
    setBudgetHeaderWindow([&] { ++headerShown; });
    korda::session().DANE_DATA_BIEZACA = march;
    entries.value(QStringLiteral("Dane nagłówkowe wydruku"))->trigger();
    EXPECT_EQ(headerShown, 1);
    EXPECT_EQ(budgetHeader().company, 2);
    EXPECT_TRUE(budgetHeader().value(QStringLiteral("PRN_TYTUL_1")).startsWith(QLatin1String("Rb-28S")));

    // The export asks for the period; the file holds the month chosen.
    const QString path = dir.filePath(QStringLiteral("marzec.xml"));
    setXmlExportWindow([&] {
        EXPECT_EQ(xmlExportSettings().periodText, QStringLiteral("Za okres Marzec  2026 narastająco od początku roku"));
        xmlExportSettings().path = path;
        return true;
    });
    desk.pick = QStringLiteral("Marzec 2026");
    entries.value(QStringLiteral("Eksport do systemu BeSTi@ (XML)"))->trigger();
    EXPECT_EQ(desk.offered.size(), 16);
    EXPECT_EQ(desk.offered.first(), QStringLiteral("I kwartał 2026"));
    ASSERT_TRUE(QFile::exists(path)) << desk.messageTexts().join(QLatin1Char('\n')).toStdString();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().contains("Miesiac"));
    // Cancelling the period list starts nothing.
    desk.pick.clear();
    desk.clear();
    entries.value(QStringLiteral("Eksport do systemu SPD (CSV)"))->trigger();
    EXPECT_TRUE(desk.events().isEmpty());

    // A unit without forms gets one disabled line, and a menu without the window's hook offers
    // the forms' other entries only.
    korda::session().DANE_ID_FIRMY = 1;
    QMenu none;
    gui::addBudgetFormsActions(&none);
    ASSERT_EQ(none.actions().size(), 1);
    EXPECT_FALSE(none.actions().first()->isEnabled());
    korda::session().DANE_ID_FIRMY = 2;
    QMenu plain;
    gui::addBudgetFormsActions(&plain);
    EXPECT_FALSE(plain.findChild<QMenu*>(QStringLiteral("budgetForm_RbZ"))->actions().first()->isEnabled());
    setUi(&ui);
}

// The windows as the user sees them; PNGs go to PRAVIK_SCREENSHOT_DIR when it is set.
TEST_P(BudgetWindowsTest, Screenshots)
{
    if (GetParam() != TestBackend::SQLite)
        GTEST_SKIP() << "one set of pictures is enough";
    ASSERT_EQ(loadBudgetHeader(*db, 2, march, QStringLiteral("Rb28S")), QStringList());
    BudgetHeaderWindowModel header;
    XmlExportForm xml;
    xml.open(xmlPeriodText(2, 1, 2026, true), QStringLiteral("Rb-28S"), QString(), 2, dayFromYmd(2026, 4, 10));
    xml.path = QStringLiteral("/home/ksiegowa/Dokumenty/Pliki programu Tabulo/Sprawozdania budżetowe/Fir2/Rb-28S_20260410.xml");
    SpdExportWindowModel spd(march, 2, dayFromYmd(2026, 1, 1));
    BudgetHeaderWindowForm headerForm(header);
    XmlExportWindowForm xmlForm(xml);
    SpdExportWindowForm spdForm(spd);
    const QString folder = qEnvironmentVariable("PRAVIK_SCREENSHOT_DIR");
    const QList<QPair<QDialog*, QString>> shots = {{&headerForm, QStringLiteral("budget-header-window.png")},
                                                  {&xmlForm, QStringLiteral("xml-export-window.png")},
                                                  {&spdForm, QStringLiteral("spd-export-window.png")}};
    for (const auto& [form, name] : shots) {
        form->show();
        const QImage image = form->grab().toImage();
        ASSERT_FALSE(image.isNull());
        EXPECT_GT(image.width(), 300) << name.toStdString();
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
            EXPECT_TRUE(image.save(QDir(folder).filePath(name)));
        }
        form->hide();
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, BudgetWindowsTest, test::allBackends(), test::backendName);

} // namespace
} // namespace pravik::statements
