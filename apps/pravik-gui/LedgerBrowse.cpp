#include "LedgerBrowse.h"

#include "ledger/LedgerProcedures.h"
#include "platform/DayNumber.h"
#include "platform/Picture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace pravik::gui {

LedgerBrowse::LedgerBrowse(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Księga główna – zapisy"));
    auto* form = new QFormLayout;
    m_account = new QLineEdit(this);
    m_account->setObjectName(QStringLiteral("konto"));
    form->addRow(QStringLiteral("Konto:"), m_account);
    m_from = new QComboBox(this);
    m_to = new QComboBox(this);
    for (const DayNumber p : m_model.periods()) {
        m_from->addItem(periodLabel(p), qint64(p));
        m_to->addItem(periodLabel(p), qint64(p));
    }
    auto* range = new QHBoxLayout;
    range->addWidget(m_from);
    range->addWidget(m_to);
    form->addRow(QStringLiteral("Okresy od – do:"), range);
    m_periodLayout = new QCheckBox(QStringLiteral("Układ według okresów"), this);
    m_periodLayout->setChecked(true);
    m_summary = new QCheckBox(QStringLiteral("Drukuj podsumowanie"), this);
    m_costCentres = new QCheckBox(QStringLiteral("Drukuj zapisy MPK"), this);
    m_exclude = new QCheckBox(QStringLiteral("Pomiń zaznaczone zapisy"), this);
    for (QCheckBox* c : {m_periodLayout, m_summary, m_costCentres, m_exclude})
        form->addRow(QString(), c);

    m_rows = new QTableWidget(0, 6, this);
    m_rows->setHorizontalHeaderLabels({QStringLiteral("Zazn."), QStringLiteral("Okres"), QStringLiteral("Nr ewidencyjny"),
                                       QStringLiteral("Opis"), QStringLiteral("Kwota Dt"), QStringLiteral("Kwota Ct")});
    m_rows->horizontalHeader()->setStretchLastSection(true);
    m_rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(m_rows, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == 0)
            m_model.setMarked(item->data(Qt::UserRole).toLongLong(), item->checkState() == Qt::Checked);
    });

    auto* show = new QPushButton(QStringLiteral("Pokaż zapisy"), this);
    connect(show, &QPushButton::clicked, this, &LedgerBrowse::refresh);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(show);
    struct Print {
        const char* text;
        int kind;
    };
    for (const Print p : {Print{"Kartoteka konta", 61}, Print{"Kartoteka konta w okresie", 68},
                          Print{"Kartoteka walutowa", 64}, Print{"Raport kasowy", 66},
                          Print{"Raport kasowy jednostki budżetowej", 81}, Print{"Zapisy MPK", 1},
                          Print{"MPK wg wskaźników", 2}}) {
        auto* b = new QPushButton(QString::fromUtf8(p.text), this);
        b->setObjectName(QStringLiteral("druk%1").arg(p.kind));
        connect(b, &QPushButton::clicked, this, [this, kind = p.kind] { print(kind); });
        buttons->addWidget(b);
    }
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_rows, 1);
    layout->addLayout(buttons);
    layout->addWidget(close);
    resize(820, 560);
}

void LedgerBrowse::apply()
{
    m_model.setAccount(m_account->text());
    m_model.setPeriods(DayNumber(m_from->currentData().toLongLong()), DayNumber(m_to->currentData().toLongLong()));
    m_model.setPeriodLayout(m_periodLayout->isChecked());
    m_model.setSummary(m_summary->isChecked());
    m_model.setCostCentreLines(m_costCentres->isChecked());
    m_model.setExcludeMarked(m_exclude->isChecked());
}

void LedgerBrowse::refresh()
{
    apply();
    for (const qint64 key : QSet<qint64>(m_model.marked()))
        m_model.setMarked(key, false);
    const QList<ledger::BrowseRow> rows = m_model.rows();
    const QSignalBlocker block(m_rows);
    m_rows->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const ledger::BrowseRow& r = rows[i];
        auto* mark = new QTableWidgetItem;
        mark->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        mark->setCheckState(Qt::Unchecked);
        mark->setData(Qt::UserRole, r.key);
        m_rows->setItem(i, 0, mark);
        m_rows->setItem(i, 1, new QTableWidgetItem(periodLabel(r.period)));
        m_rows->setItem(i, 2, new QTableWidgetItem(r.registerNumber));
        m_rows->setItem(i, 3, new QTableWidgetItem(r.description));
        m_rows->setItem(i, 4, new QTableWidgetItem(formatPicture(u"@N-14_`2", r.debitAmount)));
        m_rows->setItem(i, 5, new QTableWidgetItem(formatPicture(u"@N-14_`2", r.creditAmount)));
    }
}

void LedgerBrowse::print(int kind)
{
    apply();
    m_model.setKind(kind);
    // Item 5 of a cash report is its currency flag: the browse prints base amounts.
    if (kind == ledger::kCashReport || kind == ledger::kCashRegister)
        m_model.setPeriodLayout(false);
    m_model.print(kind == ledger::kCurrencySheets ? QStringLiteral("Kartoteka konta walutowego")
                  : kind == ledger::kCashReport || kind == ledger::kCashRegister ? QStringLiteral("Raport kasowy")
                  : kind == ledger::kCostCentreSheet || kind == ledger::kCostCentreStatement ? QStringLiteral("Zapisy MPK")
                                                : QStringLiteral("Kartoteka konta"));
}

void addLedgerMenu(QMenuBar* bar, QWidget* parent)
{
    QMenu* menu = bar->addMenu(QStringLiteral("&Księga"));
    QAction* a = menu->addAction(QStringLiteral("Zapisy księgi głównej"), parent, [parent] {
        LedgerBrowse browse(parent);
        browse.exec();
    });
    a->setObjectName(QStringLiteral("ledgerBrowse"));
}

} // namespace pravik::gui
