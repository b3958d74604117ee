// The window "Lista pozycji raportu" and the pickers it opens, on the demo company (both
// backends): the account search and its ticks, the classification tree, the window's filters,
// grouping and saved lists through its model, and the form on the offscreen desktop (a list saved
// twice under one name, "Zapisz").
#include "siblings/kontar/AccountChoice.h"
#include "siblings/kontar/AccountChoiceDialog.h"
#include "siblings/kontar/ClassificationChoice.h"
#include "siblings/kontar/ClassificationChoiceDialog.h"
#include "siblings/kontar/Ticked.h"
#include "platform/QtUi.h"
#include "statements/lists/UserListWindowForm.h"
#include "support/ModalDialogs.h"
#include "tests/journals/JournalReportFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <set>

namespace pravik::test {
namespace {

using namespace pravik::statements;

constexpr qint32 kUser = 78;
constexpr qint64 kReceivables = 4;   // the demo's statement with a 'K' row over 201*
constexpr qint64 kProfitAndLoss = 1; // no list rows
constexpr qint64 kSchool = 9301;     // made here: company 2, one 'B' row

class UserListWindowTest : public JournalReportTest {
protected:
    void SetUp() override
    {
        JournalReportTest::SetUp();
        cleanUp();
        sql::Cursor y = db->execNative(QStringLiteral("select id_lata_obrot from LATA_OBROTOWE where id_firmy=2"));
        ASSERT_TRUE(y.next());
        schoolYear = y.value(0).toInt();
        y.close();
        exec(QStringLiteral("insert into ZESTAW_NAG (id_zestaw_nag,id_firmy,nazwa,wariant,ilosc_kolumn) values (%1,2,'Wydatki szkoły','Rb28S',1)")
                 .arg(kSchool));
        exec(QStringLiteral("insert into ZESTAW_POZ (id_zestaw_poz,id_zestaw_nag,lp,nazwa,typ) values (93011,%1,1,'Paragrafy','B')").arg(kSchool));
    }
    void TearDown() override
    {
        cleanUp();
        JournalReportTest::TearDown();
    }
    void cleanUp()
    {
        for (const QString& sql : {QStringLiteral("delete from ZESTAW_POZ where id_zestaw_nag=%1").arg(kSchool),
                                   QStringLiteral("delete from ZESTAW_NAG where id_zestaw_nag=%1").arg(kSchool),
                                   QStringLiteral("delete from ZESTAW_LISTA_UZ_POZ where id_zestaw_lista_uz_nag in (select id_zestaw_lista_uz_nag"
                                                  " from ZESTAW_LISTA_UZ_NAG where id_uzytkownika=%1)").arg(kUser),
                                   QStringLiteral("delete from ZESTAW_LISTA_UZ_NAG where id_uzytkownika=%1").arg(kUser),
                                   QStringLiteral("delete from ZAZNACZENIE where id_uzytkownika=%1").arg(kUser),
                                   QStringLiteral("delete from KOMUNIKAT where id_uzytkownika=%1").arg(kUser)})
            db->execNative(sql);
    }
    void exec(const QString& sql)
    {
        sql::Cursor c = db->execNative(sql);
        ASSERT_TRUE(c.ok()) << c.errorText().toStdString();
    }
    QStringList column(const QString& sql)
    {
        QStringList out;
        sql::Cursor c = db->execNative(sql);
        while (c.next())
            out << c.value(0).toString().trimmed();
        EXPECT_TRUE(c.ok()) << c.errorText().toStdString();
        return out;
    }
    // The accounts posted in the year, from the posting lines themselves.
    std::set<QString> posted()
    {
        std::set<QString> out;
        sql::Cursor c = db->execNative(QStringLiteral("select p.konto_wn, p.konto_ma from POZ_DOK p join NAG_DOK n on n.id_nag_dok=p.id_nag_dok"
                                                      " where n.id_firmy=1 and n.id_lata_obrot=2"));
        while (c.next())
            for (int i = 0; i < 2; ++i)
                if (!c.value(i).toString().trimmed().isEmpty())
                    out.insert(c.value(i).toString().trimmed());
        return out;
    }
    std::unique_ptr<UserListWindowModel> window(qint32 company, qint64 statement)
    {
        UserListRequest r{statement, dayFromYmd(2026, 1, 1), dayFromYmd(2026, 12, 31), true};
        return std::make_unique<UserListWindowModel>(company, kUser, company == 1 ? kYear : schoolYear, r);
    }

    qint32 schoolYear = 0;
};

TEST_P(UserListWindowTest, AccountPickerSearchesByNumberAndNameAndKeepsTicks)
{
    // What the search must find, from the chart itself.
    QList<std::pair<QString, QString>> chart;
    sql::Cursor c = db->execNative(QStringLiteral("select nr_konta, nazwa_konta from WARTOSCI_KONT where id_firmy=1 and id_lata_obrot=2"));
    while (c.next())
        chart.append({c.value(0).toString().trimmed(), c.value(1).toString().trimmed()});
    c.close();
    ASSERT_FALSE(chart.isEmpty());
    auto expected = [&](const QString& text) {
        std::set<QString> out;
        for (const auto& [number, name] : chart)
            if (number.startsWith(text) || name.contains(text, Qt::CaseInsensitive))
                out.insert(number);
        return out;
    };
    auto numbers = [](const kontar::AccountChoice& a) {
        std::set<QString> out;
        for (const kontar::ChartAccount& x : a.found())
            out.insert(x.number);
        return out;
    };

    kontar::AccountChoice choice(kCompany, kYear, kUser);
    ASSERT_TRUE(choice.load()) << choice.error().toStdString();
    EXPECT_TRUE(choice.ticked().isEmpty());
    ASSERT_TRUE(choice.search(QStringLiteral("201"))) << choice.error().toStdString();
    EXPECT_EQ(numbers(choice), expected(QStringLiteral("201")));
    ASSERT_GE(choice.found().size(), 2);
    const QString first = choice.found().at(0).number, second = choice.found().at(1).number;
    choice.setTicked(first, true);
    choice.setTicked(second, true);

    // A part of a name in other letter case; ticks of the earlier search stay.
    const QString word = chart.first().second.section(u' ', 0, 0).toUpper();
    ASSERT_TRUE(choice.search(word));
    EXPECT_EQ(numbers(choice), expected(word));
    ASSERT_FALSE(choice.found().isEmpty());
    const QString third = choice.found().at(0).number;
    choice.setTicked(third, true);
    std::set<QString> want{first, second, third};
    const QStringList ticked = choice.ticked();
    EXPECT_EQ(std::set<QString>(ticked.begin(), ticked.end()), want);
    EXPECT_EQ(choice.counter(), kontar::elementCounter(int(want.size())));

    // A quote is searched as text.
    EXPECT_TRUE(choice.search(QStringLiteral("20'1"))) << choice.error().toStdString();
    EXPECT_TRUE(choice.found().isEmpty());

    // Kept for the list window; the classification picker's ticks are not touched.
    ASSERT_TRUE(kontar::writeTicked(kUser, kontar::kClassificationsBrowser, {QStringLiteral("801-80101-4010")}, nullptr));
    ASSERT_TRUE(choice.store()) << choice.error().toStdString();
    kontar::AccountChoice again(kCompany, kYear, kUser);
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.ticked(), choice.ticked());
    EXPECT_EQ(kontar::countTicked(kUser, kontar::kAccountsBrowser, nullptr), int(want.size()));
    EXPECT_EQ(kontar::countTicked(kUser, kontar::kClassificationsBrowser, nullptr), 1);
    // Unticking what a search shows leaves the rest.
    ASSERT_TRUE(again.search(QStringLiteral("201")));
    again.tickFound(false);
    QStringList rest;
    for (const QString& t : want)
        if (!expected(QStringLiteral("201")).count(t))
            rest << t;
    EXPECT_EQ(again.ticked(), rest);
}

TEST_P(UserListWindowTest, ClassificationTreeTicksWholeBranches)
{
    kontar::ClassificationChoice tree(2, kUser);
    tree.setClassifications({QStringLiteral("801-80101-4010-01"), QStringLiteral("801-80101-4010"), QStringLiteral("750-75023-4210"),
                             QStringLiteral("801-80104-4430"), QStringLiteral(" 801-80101-4010 "), QStringLiteral("")});
    QStringList roots;
    for (int r : tree.roots())
        roots << tree.nodes().at(r).key;
    EXPECT_EQ(roots, (QStringList{"750", "801"}));
    const int section = tree.find(QStringLiteral("801")), paragraph = tree.find(QStringLiteral("801-80101-4010"));
    const int sub = tree.find(QStringLiteral("801-80101-4010-01"));
    ASSERT_GE(section, 0);
    ASSERT_GE(paragraph, 0);
    ASSERT_GE(sub, 0);
    EXPECT_FALSE(tree.nodes().at(section).element);
    EXPECT_TRUE(tree.nodes().at(paragraph).element); // a classification and the parent of its sub-analytics
    EXPECT_EQ(tree.nodes().at(sub).parent, paragraph);
    EXPECT_EQ(tree.nodes().at(tree.find(QStringLiteral("801-80101"))).children, QList<int>{paragraph});

    tree.setTicked(section, true);
    EXPECT_EQ(tree.ticked(), (QStringList{"801-80101-4010", "801-80101-4010-01", "801-80104-4430"}));
    tree.setTicked(sub, false);
    EXPECT_EQ(tree.state(section), kontar::ClassificationChoice::State::Partly);
    EXPECT_EQ(tree.state(paragraph), kontar::ClassificationChoice::State::Partly);
    EXPECT_EQ(tree.state(tree.find(QStringLiteral("801-80104"))), kontar::ClassificationChoice::State::Ticked);
    EXPECT_EQ(tree.state(tree.find(QStringLiteral("750"))), kontar::ClassificationChoice::State::Unticked);
    const QSet<int> shown = tree.shownFor(QStringLiteral("4430"));
    EXPECT_TRUE(shown.contains(section));
    EXPECT_TRUE(shown.contains(tree.find(QStringLiteral("801-80104-4430"))));
    EXPECT_FALSE(shown.contains(tree.find(QStringLiteral("750"))));
    EXPECT_FALSE(shown.contains(paragraph));

    // From the school's records and plan: every classification once, revenues only when asked.
    const QString both = QStringLiteral(" from BT_DANE where id_firmy=2 union select bt_klasyfikacja from BT_PLAN where id_firmy=2");
    std::set<QString> all, revenues;
    for (const QString& c : column(QStringLiteral("select bt_klasyfikacja") + both))
        all.insert(c);
    for (const QString& c : column(QStringLiteral("select bt_klasyfikacja from BT_DANE where id_firmy=2 and typ='D' union"
                                                  " select bt_klasyfikacja from BT_PLAN where id_firmy=2 and typ='D'")))
        revenues.insert(c);
    ASSERT_FALSE(revenues.empty());
    ASSERT_LT(revenues.size(), all.size());
    for (auto [type, want] : {std::pair{QChar(), all}, std::pair{QChar(u'D'), revenues}}) {
        kontar::ClassificationChoice school(2, kUser, type);
        ASSERT_TRUE(school.load()) << school.error().toStdString();
        std::set<QString> elements;
        for (const kontar::ClassificationNode& n : school.nodes())
            if (n.element)
                elements.insert(n.key);
        EXPECT_EQ(elements, want);
    }
    kontar::ClassificationChoice school(2, kUser, u'D');
    ASSERT_TRUE(school.load());
    school.tickAll(true);
    ASSERT_TRUE(school.store()) << school.error().toStdString();
    const auto kept = kontar::readTicked(kUser, kontar::kClassificationsBrowser, nullptr);
    ASSERT_TRUE(kept);
    EXPECT_EQ(std::set<QString>(kept->begin(), kept->end()), revenues);
}

TEST_P(UserListWindowTest, WindowOpensOnlyWithListRowsAndBuildsFromItsFilters)
{
    EXPECT_FALSE(window(kCompany, kProfitAndLoss)->open());
    EXPECT_EQ(ui.messageTexts(), QStringList{UserLists::kNoListRows});

    auto w = window(kCompany, kReceivables);
    ASSERT_TRUE(w->open());
    EXPECT_TRUE(w->hasTab(ListKind::Accounts));
    EXPECT_FALSE(w->hasTab(ListKind::Classifications));
    // No list yet: it starts as the filter finds it, every posted account.
    const std::set<QString> all = posted();
    EXPECT_EQ(std::set<QString>(w->elements(ListKind::Accounts).begin(), w->elements(ListKind::Accounts).end()), all);
    EXPECT_EQ(w->counter(ListKind::Accounts), QStringLiteral("ilość pozycji: %1").arg(all.size()));
    ASSERT_GE(w->yearIndex(), 0);
    EXPECT_EQ(w->searchYear(), kYear);

    // "Wybrane": the picker's ticks (an unposted one finds nothing), else the one account typed.
    const QString a = *all.begin(), b = *std::next(all.begin());
    ASSERT_TRUE(kontar::writeTicked(kUser, kontar::kAccountsBrowser, {b, a, QStringLiteral("999-9")}, nullptr));
    w->refreshTicks();
    EXPECT_EQ(w->tickedAccounts(), 3);
    w->clearList(ListKind::Accounts);
    w->accountFilter().scope = AccountFilter::Scope::Chosen;
    w->oneAccount = b;
    EXPECT_EQ(w->addFromFilter(ListKind::Accounts), 2);
    EXPECT_EQ(w->elements(ListKind::Accounts), (QStringList{a, b}));
    ASSERT_TRUE(kontar::writeTicked(kUser, kontar::kAccountsBrowser, {}, nullptr));
    w->refreshTicks();
    w->clearList(ListKind::Accounts);
    EXPECT_EQ(w->addFromFilter(ListKind::Accounts), 1);
    EXPECT_EQ(w->elements(ListKind::Accounts), QStringList{b});

    // Ticks, "Usuń zaznaczone", "Zaznacz wszystkie" / "Odznacz wszystkie".
    w->accountFilter().scope = AccountFilter::Scope::Mask;
    w->accountFilter().mask = QStringLiteral("40*");
    w->clearList(ListKind::Accounts);
    ASSERT_GT(w->addFromFilter(ListKind::Accounts), 2);
    const QStringList costs = w->elements(ListKind::Accounts);
    w->tickAll(ListKind::Accounts, true);
    w->setTicked(ListKind::Accounts, costs.at(1), false);
    w->removeTicked(ListKind::Accounts);
    EXPECT_EQ(w->elements(ListKind::Accounts), QStringList{costs.at(1)});
    EXPECT_FALSE(w->isTicked(ListKind::Accounts, costs.at(1)));

    // "Zapisz" writes the list where the generation reads it.
    ASSERT_TRUE(w->save());
    EXPECT_EQ(column(QStringLiteral("select tekst2 from KOMUNIKAT where id_uzytkownika=%1 and kontekst='ZESTAW_K' and id_zasobu=%2 order by lp")
                         .arg(kUser)
                         .arg(kReceivables)),
              QStringList{costs.at(1)});
}

TEST_P(UserListWindowTest, ClassificationMaskFitsTheCompanysSeparatorAndGroups)
{
    auto w = window(2, kSchool);
    ASSERT_TRUE(w->open()) << ui.messageTexts().join(u'\n').toStdString();
    EXPECT_TRUE(w->hasTab(ListKind::Classifications));
    EXPECT_FALSE(w->hasTab(ListKind::Accounts));
    EXPECT_EQ(w->statementCaption(), QStringLiteral("Rb28S  Wydatki szkoły"));

    // Section 801, any chapter, paragraph 4010: counted here from the budget records.
    std::set<QString> want;
    for (const QString& c : column(QStringLiteral("select bt_klasyfikacja from BT_VIEW where id_firmy=2 and typ='W' and data_biezaca>=%1"
                                                  " and data_biezaca<=%2")
                                       .arg(dayFromYmd(2026, 1, 1))
                                       .arg(dayFromYmd(2026, 12, 31))))
        if (c.left(3) == QLatin1String("801") && c.mid(10, 4) == QLatin1String("4010"))
            want.insert(c);
    ASSERT_FALSE(want.empty());
    w->clearList(ListKind::Classifications);
    ClassificationFilter& f = w->classificationFilter();
    f.section = QStringLiteral("801");
    f.paragraph = QStringLiteral("4010");
    ASSERT_EQ(w->addFromFilter(ListKind::Classifications), int(want.size()));
    EXPECT_EQ(std::set<QString>(w->elements(ListKind::Classifications).begin(), w->elements(ListKind::Classifications).end()), want);

    // "Wybrana" with nothing chosen adds nothing (not everything).
    w->classificationChoice = UserListWindowModel::ClassificationChoice::Chosen;
    EXPECT_EQ(w->addFromFilter(ListKind::Classifications), 0);

    // "Grupuj": parents cut as the presentation cuts them, each before its first child, once.
    w->group(ListKind::Classifications, 1);
    const QStringList grouped = w->elements(ListKind::Classifications);
    std::set<QString> withParents = want;
    withParents.insert(QStringLiteral("801-"));
    for (const QString& c : want)
        withParents.insert(c.left(10));
    EXPECT_EQ(std::set<QString>(grouped.begin(), grouped.end()), withParents);
    EXPECT_EQ(grouped.size(), qsizetype(withParents.size()));
    EXPECT_EQ(grouped.at(0), QStringLiteral("801-"));
    for (const QString& c : want)
        EXPECT_LT(grouped.indexOf(c.left(10)), grouped.indexOf(c)) << c.toStdString();
    w->group(ListKind::Classifications, 1);
    EXPECT_EQ(w->elements(ListKind::Classifications), grouped);

    UserLists accounts(1, kUser, kReceivables, 0, 0);
    accounts.setElements(ListKind::Accounts, {QStringLiteral("402-2-2-1"), QStringLiteral("201-1"), QStringLiteral("402-2-3")});
    accounts.group(ListKind::Accounts, UserLists::Grouping::AllAccountLevels);
    EXPECT_EQ(accounts.elements(ListKind::Accounts),
              (QStringList{"402", "402-2", "402-2-2", "402-2-2-1", "201", "201-1", "402-2-3"}));
}

TEST_P(UserListWindowTest, SavedListsThroughTheWindow)
{
    auto w = window(kCompany, kReceivables);
    ASSERT_TRUE(w->open());
    const QStringList original = w->elements(ListKind::Accounts);
    ASSERT_GE(original.size(), 2);
    ASSERT_TRUE(w->saveListAs(ListKind::Accounts, QStringLiteral("Odbiorcy"), false));
    EXPECT_GT(w->selectedSaved(ListKind::Accounts), 0);
    EXPECT_EQ(w->selectedSavedName(ListKind::Accounts), QStringLiteral("Odbiorcy"));

    // The same name again is refused with the window's message and changes nothing.
    EXPECT_FALSE(w->saveListAs(ListKind::Accounts, QStringLiteral("Odbiorcy"), false));
    EXPECT_EQ(ui.messageTexts(), QStringList{UserLists::kNameTaken});
    ASSERT_EQ(w->savedLists(ListKind::Accounts).size(), 1);

    // Changing the chosen list keeps its name and takes the list as it is now.
    w->tickAll(ListKind::Accounts, true);
    w->setTicked(ListKind::Accounts, original.at(1), false);
    w->removeTicked(ListKind::Accounts);
    ASSERT_TRUE(w->saveListAs(ListKind::Accounts, QString(), true));
    const qint64 changed = w->selectedSaved(ListKind::Accounts);
    ASSERT_EQ(w->savedLists(ListKind::Accounts).size(), 1);
    EXPECT_EQ(w->savedLists(ListKind::Accounts).first().name, QStringLiteral("Odbiorcy"));
    // Choosing a saved list loads it.
    w->clearList(ListKind::Accounts);
    ASSERT_TRUE(w->selectSaved(ListKind::Accounts, changed));
    EXPECT_EQ(w->elements(ListKind::Accounts), QStringList{original.at(1)});
    ASSERT_TRUE(w->saveListAs(ListKind::Accounts, QStringLiteral("Jedno konto"), false));

    // Deleting asks first; "Nie" keeps the list.
    const qint64 chosen = w->selectedSaved(ListKind::Accounts);
    ui.answer(Answer::No);
    EXPECT_FALSE(w->deleteSelectedSaved(ListKind::Accounts));
    EXPECT_EQ(w->savedLists(ListKind::Accounts).size(), 2);
    ui.answer(Answer::Yes);
    EXPECT_TRUE(w->deleteSelectedSaved(ListKind::Accounts));
    EXPECT_EQ(w->savedLists(ListKind::Accounts).size(), 1);
    EXPECT_EQ(w->selectedSaved(ListKind::Accounts), 0);
    EXPECT_TRUE(column(QStringLiteral("select tekst_1 from ZESTAW_LISTA_UZ_POZ where id_zestaw_lista_uz_nag=%1").arg(chosen)).isEmpty());
    const auto events = ui.events();
    ASSERT_GE(events.size(), 2);
    EXPECT_EQ(events.last().title, kTitleQuestion);
    EXPECT_EQ(events.last().text, UserListWindowModel::kDeleteQuestion);
    EXPECT_TRUE(ui.finishedCleanly());
    // Nothing chosen: nothing to delete, nothing asked.
    EXPECT_FALSE(w->deleteSelectedSaved(ListKind::Accounts));
    EXPECT_EQ(ui.events().size(), events.size());
}

TEST_P(UserListWindowTest, FormSavesAListOnceAndTheLists)
{
    auto w = window(kCompany, kReceivables);
    ASSERT_TRUE(w->open());
    UserListWindowForm form(*w);
    auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("tabs"));
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 1);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Konta księgowe"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Lista pozycji raportu"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("headingLabel"))->text(), QStringLiteral("Zakres dat raportu od 01-01-2026 do 31-12-2026"));
    form.show();
    QCoreApplication::processEvents();

    // The window for the documentation, when asked for.
    const QString shots = qEnvironmentVariable("PRAVIK_SCREENSHOT_DIR");
    if (!shots.isEmpty() && backend() == TestBackend::SQLite) {
        form.grab().save(QDir(shots).filePath(QStringLiteral("user-list-window.png")));
        auto school = window(2, kSchool);
        ASSERT_TRUE(school->open());
        UserListWindowForm budget(*school);
        budget.show();
        QCoreApplication::processEvents();
        budget.grab().save(QDir(shots).filePath(QStringLiteral("user-list-window-klasyfikacja.png")));
    }

    // The mask typed into the form reaches the list.
    form.findChild<QAbstractButton*>(QStringLiteral("clearAccountsButton"))->click();
    EXPECT_EQ(form.findChild<QListWidget*>(QStringLiteral("accountList"))->count(), 0);
    form.findChild<QRadioButton*>(QStringLiteral("maskRadio"))->click();
    auto* mask = form.findChild<QLineEdit*>(QStringLiteral("maskEdit"));
    EXPECT_TRUE(mask->isEnabled());
    mask->setText(QStringLiteral("201*"));
    emit mask->textEdited(mask->text());
    form.findChild<QAbstractButton*>(QStringLiteral("addAccountsButton"))->click();
    std::set<QString> receivables;
    for (const QString& a : posted())
        if (a.startsWith(QLatin1String("201")))
            receivables.insert(a);
    auto* list = form.findChild<QListWidget*>(QStringLiteral("accountList"));
    ASSERT_EQ(list->count(), int(receivables.size()));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("accountCounter"))->text(), QStringLiteral("ilość pozycji: %1").arg(receivables.size()));

    // Ctrl+S twice under one name: the second is refused and its dialog stays open.
    auto* ctrlS = form.findChild<QShortcut*>(QStringLiteral("saveListShortcut"));
    ASSERT_NE(ctrlS, nullptr);
    EXPECT_EQ(ctrlS->key(), QKeySequence(Qt::CTRL | Qt::Key_S));
    for (int round = 0; round < 2; ++round) {
        bool stayed = false;
        withDialogLater<SaveListDialog>([&stayed, round](SaveListDialog* d) {
            EXPECT_EQ(d->windowTitle(), QStringLiteral("Zapisywanie listy użytkownika"));
            auto* name = d->findChild<QLineEdit*>(QStringLiteral("nameEdit"));
            EXPECT_EQ(name->maxLength(), 30);
            EXPECT_EQ(d->findChild<QRadioButton*>(QStringLiteral("replaceRadio"))->isEnabled(), round == 1);
            name->setText(QStringLiteral("Należności 'krajowe'"));
            clickButton(d, QStringLiteral("Zapisz"));
            stayed = d->isVisible();
            if (stayed)
                clickButton(d, QStringLiteral("Anuluj"));
        });
        emit ctrlS->activated();
        EXPECT_EQ(stayed, round == 1);
    }
    EXPECT_EQ(ui.messageTexts(), QStringList{UserLists::kNameTaken});
    ASSERT_EQ(w->savedLists(ListKind::Accounts).size(), 1);
    EXPECT_EQ(form.findChild<QComboBox*>(QStringLiteral("savedAccountsCombo"))->currentText(), QStringLiteral("Należności 'krajowe'"));

    // "Zapisz" writes the list and closes.
    form.findChild<QAbstractButton*>(QStringLiteral("saveButton"))->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    const QStringList stored = column(
        QStringLiteral("select tekst2 from KOMUNIKAT where id_uzytkownika=%1 and kontekst='ZESTAW_K' and id_zasobu=%2 order by lp").arg(kUser).arg(kReceivables));
    EXPECT_EQ(std::set<QString>(stored.begin(), stored.end()), receivables);
}

TEST_P(UserListWindowTest, PickerDialogsTickWhatTheyShow)
{
    kontar::AccountChoice choice(kCompany, kYear, kUser);
    ASSERT_TRUE(choice.load());
    ASSERT_TRUE(choice.search(QStringLiteral("40")));
    kontar::AccountChoiceDialog accounts(choice);
    auto* list = accounts.findChild<QTreeWidget*>(QStringLiteral("accounts"));
    auto* counter = accounts.findChild<QLabel*>(QStringLiteral("counter"));
    ASSERT_EQ(list->topLevelItemCount(), choice.found().size());
    const QString cost = list->topLevelItem(0)->text(0);
    list->topLevelItem(0)->setCheckState(0, Qt::Checked);
    EXPECT_TRUE(choice.isTicked(cost));
    EXPECT_EQ(counter->text(), QStringLiteral("ilość elementów: 1"));
    // Another search keeps the tick; "Zaznacz wszystkie" ticks what is shown.
    accounts.findChild<QLineEdit*>(QStringLiteral("search"))->setText(QStringLiteral("201"));
    accounts.findChild<QAbstractButton*>(QStringLiteral("searchButton"))->click();
    ASSERT_EQ(list->topLevelItemCount(), choice.found().size());
    EXPECT_TRUE(list->topLevelItem(0)->text(0).startsWith(QLatin1String("201")));
    accounts.findChild<QAbstractButton*>(QStringLiteral("tickAllButton"))->click();
    EXPECT_EQ(list->topLevelItem(0)->checkState(0), Qt::Checked);
    const int ticked = int(choice.found().size()) + 1;
    EXPECT_EQ(counter->text(), kontar::elementCounter(ticked));
    accounts.accept();
    EXPECT_EQ(accounts.result(), QDialog::Accepted);
    EXPECT_EQ(kontar::countTicked(kUser, kontar::kAccountsBrowser, nullptr), ticked);

    kontar::ClassificationChoice tree(2, kUser);
    tree.setClassifications({QStringLiteral("750-75023-4210"), QStringLiteral("801-80101-4010"), QStringLiteral("801-80101-4010-01"),
                             QStringLiteral("801-80104-4430")});
    kontar::ClassificationChoiceDialog several(tree, true);
    auto* items = several.findChild<QTreeWidget*>(QStringLiteral("classifications"));
    auto item = [&](const QString& key) {
        const QList<QTreeWidgetItem*> found = items->findItems(key, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    };
    ASSERT_NE(item(QStringLiteral("801")), nullptr);
    item(QStringLiteral("801"))->setCheckState(0, Qt::Checked);
    EXPECT_EQ(item(QStringLiteral("801-80104-4430"))->checkState(0), Qt::Checked);
    item(QStringLiteral("801-80101-4010-01"))->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(item(QStringLiteral("801"))->checkState(0), Qt::PartiallyChecked);
    EXPECT_EQ(item(QStringLiteral("750"))->checkState(0), Qt::Unchecked);
    several.setSearch(QStringLiteral("4430"));
    EXPECT_TRUE(item(QStringLiteral("750"))->isHidden());
    EXPECT_FALSE(item(QStringLiteral("801-80104-4430"))->isHidden());
    several.accept();
    EXPECT_EQ(*kontar::readTicked(kUser, kontar::kClassificationsBrowser, nullptr), (QStringList{"801-80101-4010", "801-80104-4430"}));

    // With one choice a section is no answer; a classification is, and only it is kept.
    kontar::ClassificationChoiceDialog one(tree, false);
    auto* oneTree = one.findChild<QTreeWidget*>(QStringLiteral("classifications"));
    oneTree->setCurrentItem(oneTree->findItems(QStringLiteral("801"), Qt::MatchExactly).first());
    one.accept();
    EXPECT_NE(one.result(), QDialog::Accepted);
    oneTree->setCurrentItem(oneTree->findItems(QStringLiteral("750-75023-4210"), Qt::MatchExactly | Qt::MatchRecursive).first());
    one.accept();
    EXPECT_EQ(one.result(), QDialog::Accepted);
    EXPECT_EQ(*kontar::readTicked(kUser, kontar::kClassificationsBrowser, nullptr), QStringList{"750-75023-4210"});
}

TEST_P(UserListWindowTest, ProcedureOpensTheWindowOnlyOnTheDesktop)
{
    korda::Session& s = korda::session();
    s.DANE_ID_UZYTKOWNIKA_NR = kUser;
    s.DANE_LATA_OBROTOWE = kYear;
    const qint32 from = dayFromYmd(2026, 1, 1), to = dayFromYmd(2026, 12, 31);
    const QString stored = QStringLiteral("select tekst2 from KOMUNIKAT where id_uzytkownika=%1 and kontekst='ZESTAW_K' and id_zasobu=%2 order by lp")
                               .arg(kUser)
                               .arg(kReceivables);

    // Without a screen: said, and nothing changes.
    DEFINIOWANA_LISTA_RU(qint32(kReceivables), from, to, 0);
    EXPECT_EQ(s.globalResponse, 2);
    ASSERT_EQ(ui.messageTexts().size(), 1);
    EXPECT_TRUE(ui.messageTexts().first().contains(QStringLiteral("Lista pozycji raportu")));
    EXPECT_TRUE(column(stored).isEmpty());
    // Automatic: the full list of the range, saved.
    DEFINIOWANA_LISTA_RU(qint32(kReceivables), from, to, 1);
    EXPECT_EQ(s.globalResponse, 1);
    const QStringList full = column(stored);
    const std::set<QString> all = posted();
    EXPECT_EQ(std::set<QString>(full.begin(), full.end()), all);

    // On the desktop the window opens: "Anuluj" keeps the lists, "Zapisz" writes them.
    QtUi desktop;
    ScopedUi scoped(desktop);
    for (const QString& press : {QStringLiteral("Anuluj"), QStringLiteral("Zapisz")}) {
        bool shown = false;
        withDialogLater<UserListWindowForm>([&shown, &full, press](UserListWindowForm* w) {
            shown = true;
            // The window shows the list as it was saved.
            EXPECT_EQ(w->findChild<QListWidget*>(QStringLiteral("accountList"))->count(), full.size());
            clickButton(w, QStringLiteral("Wyczyść listę"));
            clickButton(w, press);
        });
        DEFINIOWANA_LISTA_RU(qint32(kReceivables), from, to, 0);
        EXPECT_TRUE(shown);
        EXPECT_EQ(s.globalResponse, press == QLatin1String("Zapisz") ? 1 : 2);
        EXPECT_EQ(column(stored), press == QLatin1String("Zapisz") ? QStringList() : full);
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, UserListWindowTest, allBackends(), backendName);

} // namespace
} // namespace pravik::test
