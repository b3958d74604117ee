#include "statements/lists/UserListWindowForm.h"

#include "framework/ReportWindowForm.h"
#include "siblings/kontar/AccountChoice.h"
#include "siblings/kontar/ClassificationChoice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace pravik::statements {

namespace {

template <typename W>
W* named(W* w, const char* name)
{
    w->setObjectName(QLatin1String(name));
    return w;
}

QPushButton* button(const QString& text, const char* name, QWidget* parent)
{
    auto* b = named(new QPushButton(text, parent), name);
    // Enter in a filter field must not press a button of the window.
    b->setAutoDefault(false);
    return b;
}

void setTextKeepingCursor(QLineEdit* edit, const QString& text)
{
    if (edit->text() != text)
        edit->setText(text);
}

} // namespace

// ---- "Zapisywanie listy użytkownika" ----

SaveListDialog::SaveListDialog(UserListWindowModel& model, ListKind kind, QWidget* parent) : QDialog(parent), m_model(model), m_kind(kind)
{
    setObjectName(QStringLiteral("SaveListDialog"));
    setWindowTitle(QStringLiteral("Zapisywanie listy użytkownika"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_name = named(new QLineEdit(this), "nameEdit");
    m_name->setMaxLength(UserLists::kNameLength);
    form->addRow(QStringLiteral("&Nazwa"), m_name);
    m_new = named(new QRadioButton(QStringLiteral("Zapisz nową konfigurację"), this), "newRadio");
    m_replace = named(new QRadioButton(QStringLiteral("Zmień wybraną konfigurację"), this), "replaceRadio");
    m_new->setChecked(true);
    // Changing needs a chosen list; its name is offered and may be changed.
    m_replace->setEnabled(model.selectedSaved(kind) != 0);
    connect(m_replace, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_name->setText(m_model.selectedSavedName(m_kind));
    });
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Zapisz"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("saveButton"));
    buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SaveListDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, &SaveListDialog::accept);
    layout->addLayout(form);
    layout->addWidget(m_new);
    layout->addWidget(m_replace);
    layout->addWidget(buttons);
}

void SaveListDialog::accept()
{
    if (m_model.saveListAs(m_kind, m_name->text(), m_replace->isChecked()))
        QDialog::accept();
    else
        m_name->setFocus();
}

// ---- the window ----

UserListWindowForm::UserListWindowForm(UserListWindowModel& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName(QStringLiteral("UserListWindow"));
    setWindowTitle(UserListWindowModel::kTitle);
    auto* layout = new QVBoxLayout(this);
    auto* heading = named(new QLabel(model.heading(), this), "headingLabel");
    auto* statement = named(new QLabel(model.statementCaption(), this), "statementLabel");
    layout->addWidget(heading);
    layout->addWidget(statement);
    m_tabs = named(new QTabWidget(this), "tabs");
    if (model.hasTab(ListKind::Accounts))
        m_tabs->addTab(buildAccountsTab(), QStringLiteral("Konta księgowe"));
    if (model.hasTab(ListKind::Classifications))
        m_tabs->addTab(buildClassificationsTab(), QStringLiteral("Klasyfikacja budżetowa"));
    layout->addWidget(m_tabs, 1);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("Zapisz"), QDialogButtonBox::AcceptRole)->setObjectName(QStringLiteral("saveButton"));
    buttons->addButton(QStringLiteral("Anuluj"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &UserListWindowForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    auto* f10 = named(new QShortcut(QKeySequence(Qt::Key_F10), this), "saveShortcut");
    connect(f10, &QShortcut::activated, this, &UserListWindowForm::accept);
    auto* ctrlS = named(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this), "saveListShortcut");
    connect(ctrlS, &QShortcut::activated, this, &UserListWindowForm::saveCurrentList);
    auto* ctrlDel = named(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete), this), "deleteListShortcut");
    connect(ctrlDel, &QShortcut::activated, this, &UserListWindowForm::deleteCurrentSaved);

    connect(&m_model, &UserListWindowModel::changed, this, &UserListWindowForm::refresh);
    resize(900, 620);
    refresh();
}

ListKind UserListWindowForm::currentKind() const
{
    return m_tabs->tabText(m_tabs->currentIndex()) == QLatin1String("Klasyfikacja budżetowa") ? ListKind::Classifications : ListKind::Accounts;
}

void UserListWindowForm::accept()
{
    if (m_model.save())
        QDialog::accept();
}

QWidget* UserListWindowForm::buildAccountsTab()
{
    auto* tab = named(new QWidget, "accountsTab");
    auto* row = new QHBoxLayout(tab);
    auto* left = new QVBoxLayout;

    auto* filter = new QGroupBox(QStringLiteral("Filtr"), tab);
    auto* grid = new QGridLayout(filter);
    m_allRadio = named(new QRadioButton(QStringLiteral("Wszystkie w zakresie dat"), filter), "allRadio");
    m_rangeRadio = named(new QRadioButton(QStringLiteral("Zakres konta"), filter), "rangeRadio");
    m_maskRadio = named(new QRadioButton(QStringLiteral("Maska"), filter), "maskRadio");
    m_chosenRadio = named(new QRadioButton(QStringLiteral("Wybrane"), filter), "chosenRadio");
    m_rangeFrom = named(new QLineEdit(filter), "rangeFromEdit");
    m_rangeTo = named(new QLineEdit(filter), "rangeToEdit");
    for (QLineEdit* e : {m_rangeFrom, m_rangeTo})
        e->setMaxLength(3);
    m_mask = named(new QLineEdit(filter), "maskEdit");
    m_oneAccount = named(new QLineEdit(filter), "chosenEdit");
    m_mask->setMaxLength(60);
    m_oneAccount->setMaxLength(60);
    grid->addWidget(m_allRadio, 0, 0, 1, 3);
    grid->addWidget(m_rangeRadio, 1, 0);
    grid->addWidget(m_rangeFrom, 1, 1);
    grid->addWidget(m_rangeTo, 1, 2);
    grid->addWidget(m_maskRadio, 2, 0);
    grid->addWidget(m_mask, 2, 1, 1, 2);
    grid->addWidget(m_chosenRadio, 3, 0);
    grid->addWidget(m_oneAccount, 3, 1, 1, 2);
    m_search = named(new QLineEdit(filter), "searchEdit");
    m_search->setPlaceholderText(QStringLiteral("numer lub część nazwy"));
    auto* search = button(QStringLiteral("Szukaj..."), "searchButton", filter);
    m_year = named(new QComboBox(filter), "yearCombo");
    m_tickedAccounts = named(new QLabel(filter), "tickedAccountsLabel");
    grid->addWidget(new QLabel(QStringLiteral("Szukaj konta"), filter), 4, 0);
    grid->addWidget(m_search, 4, 1);
    grid->addWidget(search, 4, 2);
    grid->addWidget(new QLabel(QStringLiteral("Rok obrotowy"), filter), 5, 0);
    grid->addWidget(m_year, 5, 1);
    grid->addWidget(m_tickedAccounts, 5, 2);
    left->addWidget(filter);

    auto* show = new QGroupBox(QStringLiteral("Sposób prezentacji"), tab);
    auto* showRow = new QGridLayout(show);
    m_syntheticRadio = named(new QRadioButton(QStringLiteral("syntetyka"), show), "syntheticRadio");
    m_levelRadio = named(new QRadioButton(QStringLiteral("analityka poziom"), show), "levelRadio");
    m_fullRadio = named(new QRadioButton(QStringLiteral("pełne konto"), show), "fullRadio");
    m_level = named(new QSpinBox(show), "levelSpin");
    m_level->setRange(1, 9);
    showRow->addWidget(m_syntheticRadio, 0, 0);
    showRow->addWidget(m_levelRadio, 1, 0);
    showRow->addWidget(m_level, 1, 1);
    showRow->addWidget(m_fullRadio, 2, 0);
    left->addWidget(show);
    auto* add = button(QStringLiteral("Dodaj do listy wg ustawień filtra"), "addAccountsButton", tab);
    left->addWidget(add);
    left->addStretch(1);
    row->addLayout(left);
    row->addWidget(buildListPanel(ListKind::Accounts), 1);

    for (QRadioButton* r : {m_allRadio, m_rangeRadio, m_maskRadio, m_chosenRadio, m_syntheticRadio, m_levelRadio, m_fullRadio})
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !m_refreshing)
                readAccountFilter();
        });
    for (QLineEdit* e : {m_rangeFrom, m_rangeTo, m_mask, m_oneAccount})
        connect(e, &QLineEdit::textEdited, this, [this] { readAccountFilter(); });
    connect(m_level, &QSpinBox::valueChanged, this, [this] {
        if (!m_refreshing)
            readAccountFilter();
    });
    connect(m_year, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!m_refreshing)
            m_model.selectYear(i);
    });
    connect(search, &QPushButton::clicked, this, &UserListWindowForm::searchAccounts);
    connect(m_search, &QLineEdit::returnPressed, this, &UserListWindowForm::searchAccounts);
    connect(add, &QPushButton::clicked, this, [this] { m_model.addFromFilter(ListKind::Accounts); });
    return tab;
}

QWidget* UserListWindowForm::buildClassificationsTab()
{
    auto* tab = named(new QWidget, "classificationsTab");
    auto* row = new QHBoxLayout(tab);
    auto* left = new QVBoxLayout;

    auto* type = new QGroupBox(QStringLiteral("Rodzaj"), tab);
    auto* typeRow = new QHBoxLayout(type);
    m_expensesRadio = named(new QRadioButton(QStringLiteral("Wydatki"), type), "expensesRadio");
    m_revenuesRadio = named(new QRadioButton(QStringLiteral("Dochody"), type), "revenuesRadio");
    typeRow->addWidget(m_expensesRadio);
    typeRow->addWidget(m_revenuesRadio);
    left->addWidget(type);

    auto* filter = new QGroupBox(QStringLiteral("Klasyfikacja"), tab);
    auto* grid = new QGridLayout(filter);
    m_classMaskRadio = named(new QRadioButton(QStringLiteral("Maska"), filter), "classMaskRadio");
    m_classChosenRadio = named(new QRadioButton(QStringLiteral("Wybrana"), filter), "classChosenRadio");
    grid->addWidget(m_classMaskRadio, 0, 0, 1, 3);
    const QString labels[4] = {QStringLiteral("Dział"), QStringLiteral("Rozdział"), QStringLiteral("Paragraf"), QStringLiteral("Subanalityka")};
    const char* names[4] = {"section", "chapter", "paragraph", "subAnalytics"};
    const int widths[4] = {3, 5, 4, 30};
    for (int i = 0; i < 4; ++i) {
        m_any[i] = new QCheckBox(QStringLiteral("dowolny"), filter);
        m_any[i]->setObjectName(QLatin1String(names[i]) + QStringLiteral("AnyCheck"));
        m_any[i]->setChecked(true);
        m_part[i] = new QLineEdit(filter);
        m_part[i]->setObjectName(QLatin1String(names[i]) + QStringLiteral("Edit"));
        m_part[i]->setMaxLength(widths[i]);
        grid->addWidget(new QLabel(labels[i], filter), i + 1, 0);
        grid->addWidget(m_any[i], i + 1, 1);
        grid->addWidget(m_part[i], i + 1, 2);
        connect(m_any[i], &QCheckBox::toggled, this, [this] {
            if (!m_refreshing)
                readClassificationFilter();
        });
        connect(m_part[i], &QLineEdit::textEdited, this, [this] { readClassificationFilter(); });
    }
    m_oneClassification = named(new QLineEdit(filter), "chosenClassificationEdit");
    m_oneClassification->setMaxLength(50);
    auto* pick = button(QStringLiteral("Wybierz..."), "pickClassificationsButton", filter);
    m_tickedClassifications = named(new QLabel(filter), "tickedClassificationsLabel");
    grid->addWidget(m_classChosenRadio, 5, 0);
    grid->addWidget(m_oneClassification, 5, 1, 1, 2);
    grid->addWidget(pick, 6, 1);
    grid->addWidget(m_tickedClassifications, 6, 2);
    left->addWidget(filter);

    auto* form = new QFormLayout;
    m_presentation = named(new QComboBox(tab), "presentationCombo");
    m_presentation->addItems({QStringLiteral("Dział"), QStringLiteral("Dział+rozdział"), QStringLiteral("Dział+rozdział+paragraf"),
                              QStringLiteral("Dział+rozdział+paragraf+subanalityka")});
    form->addRow(QStringLiteral("Sposób prezentacji"), m_presentation);
    left->addLayout(form);
    m_plan = named(new QCheckBox(QStringLiteral("Uwzględnij klasyfikację z planu budżetu"), tab), "planCheck");
    left->addWidget(m_plan);
    auto* add = button(QStringLiteral("Dodaj do listy wg ustawień filtra"), "addClassificationsButton", tab);
    left->addWidget(add);
    left->addStretch(1);
    row->addLayout(left);
    row->addWidget(buildListPanel(ListKind::Classifications), 1);

    for (QRadioButton* r : {m_expensesRadio, m_revenuesRadio, m_classMaskRadio, m_classChosenRadio})
        connect(r, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !m_refreshing)
                readClassificationFilter();
        });
    connect(m_oneClassification, &QLineEdit::textEdited, this, [this] { readClassificationFilter(); });
    connect(m_presentation, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_refreshing)
            readClassificationFilter();
    });
    connect(m_plan, &QCheckBox::toggled, this, [this] {
        if (!m_refreshing)
            readClassificationFilter();
    });
    connect(pick, &QPushButton::clicked, this, &UserListWindowForm::chooseClassifications);
    connect(add, &QPushButton::clicked, this, [this] { m_model.addFromFilter(ListKind::Classifications); });
    return tab;
}

QWidget* UserListWindowForm::buildListPanel(ListKind k)
{
    const bool accounts = k == ListKind::Accounts;
    auto* box = new QGroupBox(QStringLiteral("Lista"));
    box->setObjectName(accounts ? QStringLiteral("accountListBox") : QStringLiteral("classificationListBox"));
    auto* layout = new QVBoxLayout(box);
    Panel& p = panel(k);
    p.list = new QListWidget(box);
    p.list->setObjectName(accounts ? QStringLiteral("accountList") : QStringLiteral("classificationList"));
    p.list->setUniformItemSizes(true);
    p.counter = new QLabel(box);
    p.counter->setObjectName(accounts ? QStringLiteral("accountCounter") : QStringLiteral("classificationCounter"));
    layout->addWidget(p.list, 1);
    layout->addWidget(p.counter);

    auto* edit = new QGridLayout;
    p.group = button(QStringLiteral("Grupuj"), accounts ? "groupAccountsButton" : "groupClassificationsButton", box);
    auto* menu = new QMenu(p.group);
    const QStringList entries = UserListWindowModel::groupings(k);
    for (int i = 0; i < entries.size(); ++i)
        menu->addAction(entries.at(i), this, [this, k, i] { m_model.group(k, i); });
    p.group->setMenu(menu);
    auto* clear = button(QStringLiteral("Wyczyść listę"), accounts ? "clearAccountsButton" : "clearClassificationsButton", box);
    auto* remove = button(QStringLiteral("Usuń zaznaczone"), accounts ? "removeAccountsButton" : "removeClassificationsButton", box);
    auto* tickAll = button(QStringLiteral("Zaznacz wszystkie"), accounts ? "tickAccountsButton" : "tickClassificationsButton", box);
    auto* untickAll = button(QStringLiteral("Odznacz wszystkie"), accounts ? "untickAccountsButton" : "untickClassificationsButton", box);
    edit->addWidget(p.group, 0, 0);
    edit->addWidget(clear, 0, 1);
    edit->addWidget(remove, 0, 2);
    edit->addWidget(tickAll, 1, 1);
    edit->addWidget(untickAll, 1, 2);
    layout->addLayout(edit);

    auto* savedBox = new QGroupBox(QStringLiteral("Zapisane listy"), box);
    auto* savedLayout = new QVBoxLayout(savedBox);
    p.saved = new QComboBox(savedBox);
    p.saved->setObjectName(accounts ? QStringLiteral("savedAccountsCombo") : QStringLiteral("savedClassificationsCombo"));
    auto* saveList = button(QStringLiteral("Zapisz poniższą listę /Ctrl+S/"), accounts ? "saveAccountsButton" : "saveClassificationsButton", savedBox);
    auto* deleteList = button(QStringLiteral("Usuń wybraną konfigurację listy /Ctrl+Del/"),
                              accounts ? "deleteAccountsButton" : "deleteClassificationsButton", savedBox);
    savedLayout->addWidget(p.saved);
    savedLayout->addWidget(saveList);
    savedLayout->addWidget(deleteList);
    layout->addWidget(savedBox);

    connect(p.list, &QListWidget::itemChanged, this, [this, k](QListWidgetItem* item) {
        if (!m_refreshing)
            m_model.setTicked(k, item->text(), item->checkState() == Qt::Checked);
    });
    connect(clear, &QPushButton::clicked, this, [this, k] { m_model.clearList(k); });
    connect(remove, &QPushButton::clicked, this, [this, k] { m_model.removeTicked(k); });
    connect(tickAll, &QPushButton::clicked, this, [this, k] { m_model.tickAll(k, true); });
    connect(untickAll, &QPushButton::clicked, this, [this, k] { m_model.tickAll(k, false); });
    connect(p.saved, &QComboBox::activated, this, [this, k](int index) {
        const QList<SavedList>& saved = m_model.savedLists(k);
        m_model.selectSaved(k, index > 0 && index <= saved.size() ? saved.at(index - 1).id : 0);
    });
    connect(saveList, &QPushButton::clicked, this, [this, k] {
        m_tabs->setCurrentWidget(m_tabs->findChild<QWidget*>(k == ListKind::Accounts ? QStringLiteral("accountsTab") : QStringLiteral("classificationsTab")));
        saveCurrentList();
    });
    connect(deleteList, &QPushButton::clicked, this, [this, k] {
        m_tabs->setCurrentWidget(m_tabs->findChild<QWidget*>(k == ListKind::Accounts ? QStringLiteral("accountsTab") : QStringLiteral("classificationsTab")));
        deleteCurrentSaved();
    });
    return box;
}

void UserListWindowForm::saveCurrentList()
{
    SaveListDialog dialog(m_model, currentKind(), this);
    dialog.exec();
}

void UserListWindowForm::deleteCurrentSaved()
{
    m_model.deleteSelectedSaved(currentKind());
}

void UserListWindowForm::readAccountFilter()
{
    AccountFilter& f = m_model.accountFilter();
    f.scope = m_rangeRadio->isChecked()    ? AccountFilter::Scope::Range
              : m_maskRadio->isChecked()   ? AccountFilter::Scope::Mask
              : m_chosenRadio->isChecked() ? AccountFilter::Scope::Chosen
                                           : AccountFilter::Scope::All;
    f.rangeFrom = m_rangeFrom->text();
    f.rangeTo = m_rangeTo->text();
    f.mask = m_mask->text();
    f.show = m_syntheticRadio->isChecked() ? AccountFilter::Show::Synthetic
             : m_levelRadio->isChecked()   ? AccountFilter::Show::Level
                                           : AccountFilter::Show::Full;
    f.level = m_level->value();
    m_model.oneAccount = m_oneAccount->text();
    refresh();
}

void UserListWindowForm::readClassificationFilter()
{
    ClassificationFilter& f = m_model.classificationFilter();
    f.type = m_revenuesRadio->isChecked() ? ClassificationFilter::Type::Revenues : ClassificationFilter::Type::Expenses;
    QString* parts[4] = {&f.section, &f.chapter, &f.paragraph, &f.subAnalytics};
    for (int i = 0; i < 4; ++i)
        *parts[i] = m_any[i]->isChecked() ? QString() : m_part[i]->text();
    f.show = ClassificationFilter::Show(m_presentation->currentIndex());
    f.includePlan = m_plan->isChecked();
    m_model.classificationChoice = m_classChosenRadio->isChecked() ? UserListWindowModel::ClassificationChoice::Chosen
                                                                   : UserListWindowModel::ClassificationChoice::Mask;
    m_model.oneClassification = m_oneClassification->text();
    refresh();
}

void UserListWindowForm::searchAccounts()
{
    if (kontar::chooseAccounts(m_model.company(), m_model.searchYear(), m_model.user(), m_search->text(), this)) {
        m_model.accountFilter().scope = AccountFilter::Scope::Chosen;
    }
    m_model.refreshTicks();
}

void UserListWindowForm::chooseClassifications()
{
    const QChar type = m_model.classificationFilter().type == ClassificationFilter::Type::Revenues ? u'D' : u'W';
    if (kontar::BT_SLOWNIK_KLASYFIKACJI(QStringLiteral("multiwybor"), m_model.company(), m_model.user(), type, this))
        m_model.classificationChoice = UserListWindowModel::ClassificationChoice::Chosen;
    m_model.refreshTicks();
}

void UserListWindowForm::refresh()
{
    if (m_refreshing)
        return;
    m_refreshing = true;
    if (m_model.hasTab(ListKind::Accounts)) {
        const AccountFilter& f = m_model.accountFilter();
        m_allRadio->setChecked(f.scope == AccountFilter::Scope::All);
        m_rangeRadio->setChecked(f.scope == AccountFilter::Scope::Range);
        m_maskRadio->setChecked(f.scope == AccountFilter::Scope::Mask);
        m_chosenRadio->setChecked(f.scope == AccountFilter::Scope::Chosen);
        m_rangeFrom->setEnabled(f.scope == AccountFilter::Scope::Range);
        m_rangeTo->setEnabled(f.scope == AccountFilter::Scope::Range);
        m_mask->setEnabled(f.scope == AccountFilter::Scope::Mask);
        m_oneAccount->setEnabled(f.scope == AccountFilter::Scope::Chosen && m_model.tickedAccounts() == 0);
        setTextKeepingCursor(m_rangeFrom, f.rangeFrom);
        setTextKeepingCursor(m_rangeTo, f.rangeTo);
        setTextKeepingCursor(m_mask, f.mask);
        setTextKeepingCursor(m_oneAccount, m_model.oneAccount);
        m_syntheticRadio->setChecked(f.show == AccountFilter::Show::Synthetic);
        m_levelRadio->setChecked(f.show == AccountFilter::Show::Level);
        m_fullRadio->setChecked(f.show == AccountFilter::Show::Full);
        m_level->setValue(f.level);
        m_level->setEnabled(f.show == AccountFilter::Show::Level);
        QStringList years;
        for (const FiscalYearEntry& y : m_model.years())
            years << y.name;
        if (m_year->count() != years.size()) {
            m_year->clear();
            m_year->addItems(years);
        }
        m_year->setCurrentIndex(m_model.yearIndex());
        m_tickedAccounts->setText(kontar::elementCounter(m_model.tickedAccounts()));
    }
    if (m_model.hasTab(ListKind::Classifications)) {
        const ClassificationFilter& f = m_model.classificationFilter();
        const bool chosen = m_model.classificationChoice == UserListWindowModel::ClassificationChoice::Chosen;
        m_expensesRadio->setChecked(f.type == ClassificationFilter::Type::Expenses);
        m_revenuesRadio->setChecked(f.type == ClassificationFilter::Type::Revenues);
        m_classMaskRadio->setChecked(!chosen);
        m_classChosenRadio->setChecked(chosen);
        // "dowolny" is the form's own state: ticked, the part is any and its text waits unused.
        const QString parts[4] = {f.section, f.chapter, f.paragraph, f.subAnalytics};
        for (int i = 0; i < 4; ++i) {
            m_any[i]->setEnabled(!chosen);
            m_part[i]->setEnabled(!chosen && !m_any[i]->isChecked());
            if (!m_any[i]->isChecked())
                setTextKeepingCursor(m_part[i], parts[i]);
        }
        m_oneClassification->setEnabled(chosen && m_model.tickedClassifications() == 0);
        setTextKeepingCursor(m_oneClassification, m_model.oneClassification);
        m_tickedClassifications->setText(kontar::elementCounter(m_model.tickedClassifications()));
        m_presentation->setCurrentIndex(int(f.show));
        m_plan->setChecked(f.includePlan);
    }
    for (ListKind k : {ListKind::Accounts, ListKind::Classifications}) {
        if (!m_model.hasTab(k))
            continue;
        Panel& p = panel(k);
        const QStringList& elements = m_model.elements(k);
        bool same = p.list->count() == elements.size();
        for (int i = 0; same && i < elements.size(); ++i)
            same = p.list->item(i)->text() == elements.at(i);
        if (!same) {
            p.list->clear();
            for (const QString& e : elements) {
                auto* item = new QListWidgetItem(e, p.list);
                item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            }
        }
        for (int i = 0; i < p.list->count(); ++i)
            p.list->item(i)->setCheckState(m_model.isTicked(k, p.list->item(i)->text()) ? Qt::Checked : Qt::Unchecked);
        p.counter->setText(m_model.counter(k));
        QStringList names{QString()};
        int current = 0;
        for (const SavedList& l : m_model.savedLists(k)) {
            if (l.id == m_model.selectedSaved(k))
                current = int(names.size());
            names << l.name;
        }
        form::fill(p.saved, names, current);
    }
    m_refreshing = false;
}

} // namespace pravik::statements
