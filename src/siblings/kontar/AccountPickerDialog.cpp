#include "siblings/kontar/AccountPickerDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kontar {

AccountPickerDialog::AccountPickerDialog(const QList<ChartAccount>& accounts, const QString& current, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AccountPickerDialog"));
    setWindowTitle(QStringLiteral("Plan kont"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Szukaj:"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("search"));
    label->setBuddy(m_search);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("accounts"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({QStringLiteral("Numer konta"), QStringLiteral("Nazwa konta")});
    QList<QTreeWidgetItem*> items;
    items.reserve(accounts.size());
    for (const ChartAccount& a : accounts)
        items.append(new QTreeWidgetItem(QStringList{a.number, a.name}));
    m_list->addTopLevelItems(items);
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&Wybierz"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Anuluj"), QDialogButtonBox::RejectRole);
    layout->addWidget(label);
    layout->addWidget(m_search);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(m_search, &QLineEdit::textChanged, this, &AccountPickerDialog::applySearch);
    resize(560, 480);

    const QString wanted = current.trimmed();
    for (int i = 0; i < m_list->topLevelItemCount() && !wanted.isEmpty(); ++i)
        if (m_list->topLevelItem(i)->text(0) == wanted) {
            m_list->setCurrentItem(m_list->topLevelItem(i));
            break;
        }
    if (!m_list->currentItem() && m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    m_search->setFocus();
}

QString AccountPickerDialog::chosen() const
{
    if (result() != QDialog::Accepted)
        return QString();
    const QTreeWidgetItem* item = m_list->currentItem();
    return item && !item->isHidden() ? item->text(0) : QString();
}

void AccountPickerDialog::setSearch(const QString& text)
{
    m_search->setText(text);
}

int AccountPickerDialog::visibleCount() const
{
    int n = 0;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        n += m_list->topLevelItem(i)->isHidden() ? 0 : 1;
    return n;
}

void AccountPickerDialog::applySearch()
{
    const QString text = m_search->text().trimmed();
    QTreeWidgetItem* first = nullptr;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        const bool shown = text.isEmpty() || item->text(0).startsWith(text, Qt::CaseInsensitive)
            || item->text(1).contains(text, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && !first)
            first = item;
    }
    if (!m_list->currentItem() || m_list->currentItem()->isHidden())
        m_list->setCurrentItem(first);
}

} // namespace kontar
