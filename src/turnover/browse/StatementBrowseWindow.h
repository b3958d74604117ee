#pragma once
// The statement browse Bro_zestawienie_ois: the user's computed statement rows in a list under
// the statement's title, with "Eksport do Excela" (Ctrl+E, and the list's pop-up menu) and
// "Zamknij" (Esc). It reads the rows once when it opens and writes nothing to the database.
#include "turnover/browse/StatementBrowseRows.h"

#include <QDialog>

class QLabel;
class QTableView;

namespace pravik::turnover {

class BrowseTableModel;

class StatementBrowseWindow : public QDialog {
    Q_OBJECT

public:
    // statementId: the statement's rows (0 for the turnover statement); mode: the column mode;
    // filter: kept for the caller's sake, the list always shows the statement's own rows.
    StatementBrowseWindow(qint32 statementId, int mode, int filter, const QString& title, QWidget* parent = nullptr);
    ~StatementBrowseWindow() override;

    static QString settingsSection() { return QStringLiteral("Bro_zestawienie_ois"); }

    const QList<BrowseRow>& rows() const;
    QStringList captions() const;
    QTableView* list() const { return m_list; }

    // "Eksport do Excela": asks where to write, writes, and opens the file on the desktop.
    void exportToExcel();
    // Writes the list to the file; false when it could not (the user was told).
    bool exportTo(const QString& path);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showContextMenu(const QPoint& at);

    BrowseTableModel* m_model = nullptr;
    QLabel* m_heading = nullptr;
    QTableView* m_list = nullptr;
    QString m_title;
    bool m_placed = false;
};

// Opens the browse and returns when it is closed. Needs a desktop; without one it returns at
// once.
void Bro_zestawienie_ois(qint32 statementId, quint8 mode, quint8 filter, const QString& title);

} // namespace pravik::turnover
