#include "siblings/kontar/ClassificationChoiceDialog.h"

#include "platform/UiServices.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kontar {

namespace {
constexpr int kNodeRole = Qt::UserRole + 1;
}

ClassificationChoiceDialog::ClassificationChoiceDialog(ClassificationChoice& choice, bool several, QWidget* parent)
    : QDialog(parent), m_choice(choice), m_several(several)
{
    setObjectName(QStringLiteral("ClassificationChoiceDialog"));
    setWindowTitle(QStringLiteral("Klasyfikacja budżetowa"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(QStringLiteral("&Szukaj:"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("search"));
    label->setBuddy(m_search);
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("classifications"));
    m_tree->setHeaderLabels({QStringLiteral("Klasyfikacja")});
    m_tree->setUniformRowHeights(true);

    const QList<ClassificationNode>& nodes = m_choice.nodes();
    m_items.reserve(nodes.size());
    for (int i = 0; i < nodes.size(); ++i) {
        const ClassificationNode& n = nodes.at(i);
        auto* item = n.parent < 0 ? new QTreeWidgetItem(m_tree) : new QTreeWidgetItem(m_items.at(n.parent));
        item->setText(0, n.key);
        item->setData(0, kNodeRole, i);
        if (m_several)
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        else if (!n.element)
            item->setFlags(item->flags() & ~Qt::ItemIsSelectable);
        m_items.append(item);
    }

    m_counter = new QLabel(this);
    m_counter->setObjectName(QStringLiteral("counter"));
    auto* tickRow = new QHBoxLayout;
    tickRow->addWidget(m_counter, 1);
    if (m_several) {
        auto* tickAll = new QPushButton(QStringLiteral("Zaznacz wszystkie"), this);
        tickAll->setObjectName(QStringLiteral("tickAllButton"));
        auto* untickAll = new QPushButton(QStringLiteral("Odznacz wszystkie"), this);
        untickAll->setObjectName(QStringLiteral("untickAllButton"));
        for (QPushButton* b : {tickAll, untickAll}) {
            b->setAutoDefault(false);
            tickRow->addWidget(b);
        }
        connect(tickAll, &QPushButton::clicked, this, [this] {
            m_choice.tickAll(true);
            showStates();
        });
        connect(untickAll, &QPushButton::clicked, this, [this] {
            m_choice.tickAll(false);
            showStates();
        });
    }
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("&Wybierz"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("&Anuluj"), QDialogButtonBox::RejectRole);
    layout->addWidget(label);
    layout->addWidget(m_search);
    layout->addWidget(m_tree, 1);
    layout->addLayout(tickRow);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &ClassificationChoiceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_search, &QLineEdit::textChanged, this, &ClassificationChoiceDialog::applySearch);
    connect(m_tree, &QTreeWidget::itemChanged, this, &ClassificationChoiceDialog::itemChanged);
    if (!m_several)
        connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
            if (m_choice.nodes().at(item->data(0, kNodeRole).toInt()).element)
                accept();
        });
    m_tree->expandToDepth(0);
    resize(480, 560);
    showStates();
    m_search->setFocus();
}

void ClassificationChoiceDialog::setSearch(const QString& text)
{
    m_search->setText(text);
}

void ClassificationChoiceDialog::accept()
{
    if (!m_several) {
        const QTreeWidgetItem* item = m_tree->currentItem();
        const int n = item && !item->isHidden() ? item->data(0, kNodeRole).toInt() : -1;
        if (n < 0 || !m_choice.nodes().at(n).element)
            return; // a section or chapter is no classification to choose
        m_choice.tickAll(false);
        m_choice.setTicked(n, true);
    }
    if (!m_choice.store()) {
        pravik::msgInformation(m_choice.error());
        return;
    }
    QDialog::accept();
}

void ClassificationChoiceDialog::showStates()
{
    m_counter->setText(m_several ? m_choice.counter() : QString());
    if (!m_several)
        return;
    m_filling = true;
    for (int i = 0; i < m_items.size(); ++i) {
        const auto s = m_choice.state(i);
        m_items.at(i)->setCheckState(0, s == ClassificationChoice::State::Ticked  ? Qt::Checked
                                        : s == ClassificationChoice::State::Partly ? Qt::PartiallyChecked
                                                                                   : Qt::Unchecked);
    }
    m_filling = false;
}

void ClassificationChoiceDialog::applySearch()
{
    const QSet<int> shown = m_choice.shownFor(m_search->text());
    for (int i = 0; i < m_items.size(); ++i)
        m_items.at(i)->setHidden(!shown.contains(i));
    if (!m_search->text().trimmed().isEmpty())
        m_tree->expandAll();
}

void ClassificationChoiceDialog::itemChanged(QTreeWidgetItem* item, int column)
{
    if (m_filling || column != 0 || !m_several)
        return;
    // A partly ticked node clicked becomes ticked as a whole.
    m_choice.setTicked(item->data(0, kNodeRole).toInt(), item->checkState(0) != Qt::Unchecked);
    showStates();
}

} // namespace kontar
