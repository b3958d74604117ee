#include "siblings/kontar/AccountChoiceDialog.h"

#include "platform/UiServices.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kontar {

AccountChoiceDialog::AccountChoiceDialog(AccountChoice& choice, QWidget* parent) : QDialog(parent), m_choice(choice)
{
    setObjectName(QStringLiteral("AccountChoiceDialog"));
    setWindowTitle(QStringLiteral("Plan kont"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Szukaj:"), this);
    m_search = new QLineEdit(choice.searchText(), this);
    m_search->setObjectName(QStringLiteral("search"));
    label->setBuddy(m_search);
    auto* searchButton = new QPushButton(QStringLiteral("Szu&kaj"), this);
    searchButton->setObjectName(QStringLiteral("searchButton"));
    searchButton->setAutoDefault(false);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(searchButton);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("accounts"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({QStringLiteral("Numer konta"), QStringLiteral("Nazwa konta")});
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    m_counter = new QLabel(this);
    m_counter->setObjectName(QStringLiteral("counter"));
    auto* tickAll = new QPushButton(QStringLiteral("Zaznacz wszystkie"), this);
    tickAll->setObjectName(QStringLiteral("tickAllButton"));
    auto* untickAll = new QPushButton(QStringLiteral("Odznacz wszystkie"), this);
    untickAll->setObjectName(QStringLiteral("untickAllButton"));
    for (QPushButton* b : {tickAll, untickAll})
        b->setAutoDefault(false);
    auto* tickRow = new QHBoxLayout;
    tickRow->addWidget(m_counter, 1);
    tickRow->addWidget(tickAll);
    tickRow->addWidget(untickAll);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&Wybierz"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Anuluj"), QDialogButtonBox::RejectRole);
    layout->addWidget(label);
    layout->addLayout(searchRow);
    layout->addWidget(m_list, 1);
    layout->addLayout(tickRow);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &AccountChoiceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter in the search line searches; it must not choose.
    connect(m_search, &QLineEdit::returnPressed, this, &AccountChoiceDialog::search);
    connect(searchButton, &QPushButton::clicked, this, &AccountChoiceDialog::search);
    connect(tickAll, &QPushButton::clicked, this, [this] {
        m_choice.tickFound(true);
        showFound();
    });
    connect(untickAll, &QPushButton::clicked, this, [this] {
        m_choice.tickFound(false);
        showFound();
    });
    connect(m_list, &QTreeWidget::itemChanged, this, &AccountChoiceDialog::itemChanged);
    resize(600, 500);
    showFound();
    m_search->setFocus();
}

void AccountChoiceDialog::search()
{
    if (!m_choice.search(m_search->text()))
        pravik::msgWarning(m_choice.error());
    showFound();
}

void AccountChoiceDialog::accept()
{
    if (!m_choice.store()) {
        pravik::msgInformation(m_choice.error());
        return;
    }
    QDialog::accept();
}

void AccountChoiceDialog::showFound()
{
    m_filling = true;
    m_list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(m_choice.found().size());
    for (const ChartAccount& a : m_choice.found()) {
        auto* item = new QTreeWidgetItem(QStringList{a.number, a.name});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, m_choice.isTicked(a.number) ? Qt::Checked : Qt::Unchecked);
        items.append(item);
    }
    m_list->addTopLevelItems(items);
    m_counter->setText(m_choice.counter());
    m_filling = false;
}

void AccountChoiceDialog::itemChanged(QTreeWidgetItem* item, int column)
{
    if (m_filling || column != 0)
        return;
    m_choice.setTicked(item->text(0), item->checkState(0) == Qt::Checked);
    m_counter->setText(m_choice.counter());
}

} // namespace kontar
