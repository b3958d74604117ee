#include "statements/window/StatementRowsWindow.h"

#include "statements/print/StatementPrintout.h"
#include "statements/print/StatementRows.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace pravik::statements {

RowsTable readRowsTable(qint32 company, qint32 user, qint64 statementId)
{
    RowsTable out;
    StatementPrintRequest r;
    r.company = company;
    r.user = user;
    r.rowFilter = StatementPrintRequest::userRowsFilter(user);
    r.statementId = statementId;
    const QList<StatementHead> heads = statementsToPrint(r, &out.error);
    if (heads.isEmpty()) {
        if (out.error.isEmpty())
            out.error = QStringLiteral("Zestawienie nr %1 nie istnieje.").arg(statementId);
        return out;
    }
    const StatementHead& head = heads.first();
    out.header = head.captions.mid(0, head.columns + 1);
    const StatementFigures figures = readStatement(r, head);
    if (!figures.error.isEmpty()) {
        out.error = figures.error;
        return out;
    }
    for (const PrintRow& row : figures.rows) {
        QStringList line = {QString(qMax(qAbs(row.level) - 1, 0) * 2, QLatin1Char(' ')) + row.text};
        for (int c = 0; c < head.columns; ++c)
            line << amountText(row.amounts[std::size_t(c)], false);
        out.rows << line;
    }
    return out;
}

StatementRowsWindow::StatementRowsWindow(const RowsTable& table, const QString& title, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("StatementRowsWindow"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    m_table = new QTableWidget(int(table.rows.size()), int(table.header.size()), this);
    m_table->setObjectName(QStringLiteral("rowsTable"));
    m_table->setHorizontalHeaderLabels(table.header);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->verticalHeader()->setVisible(false);
    for (int r = 0; r < table.rows.size(); ++r)
        for (int c = 0; c < table.rows[r].size() && c < table.header.size(); ++c) {
            auto* item = new QTableWidgetItem(table.rows[r][c]);
            if (c > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(r, c, item);
        }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(false);
    layout->addWidget(m_table);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Zamknij"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(900, 560);
}

} // namespace pravik::statements
