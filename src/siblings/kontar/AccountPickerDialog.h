#pragma once
// The desktop face of the chart-of-accounts picker: the accounts in a list, a search line that
// narrows it by number or name, Enter or a double click to choose, Esc to cancel.
#include "siblings/kontar/AccountPicker.h"

#include <QDialog>

class QLineEdit;
class QTreeWidget;

namespace kontar {

class AccountPickerDialog : public QDialog {
    Q_OBJECT

public:
    AccountPickerDialog(const QList<ChartAccount>& accounts, const QString& current, QWidget* parent = nullptr);

    // The account chosen (after exec() returned Accepted), else empty.
    QString chosen() const;
    // Shows only the accounts whose number starts with the text or whose name contains it.
    void setSearch(const QString& text);
    int visibleCount() const;

private:
    void applySearch();

    QLineEdit* m_search = nullptr;
    QTreeWidget* m_list = nullptr;
};

} // namespace kontar
