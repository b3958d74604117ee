#pragma once
// "Pokaż": the generated rows of a statement in a list window, one line per row (the text
// indented by level, symbol first) and one column per amount column under the statement's
// captions, as computed.
#include <QDialog>
#include <QList>
#include <QStringList>

class QTableWidget;

namespace pravik::statements {

struct RowsTable {
    QStringList header;          // text column caption, then the amount columns'
    QList<QStringList> rows;     // text, then the amounts ("-1 234,56")
    QString error;               // a failed read
};

// The user's generated rows of the statement (ZESTAW_ZESTAW, variant 1).
RowsTable readRowsTable(qint32 company, qint32 user, qint64 statementId);

class StatementRowsWindow : public QDialog {
    Q_OBJECT

public:
    StatementRowsWindow(const RowsTable& table, const QString& title, QWidget* parent = nullptr);
    QTableWidget* table() const { return m_table; }

private:
    QTableWidget* m_table = nullptr;
};

} // namespace pravik::statements
