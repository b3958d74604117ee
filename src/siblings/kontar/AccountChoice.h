#pragma once
// The chart-of-accounts picker with several choices: the accounts the database's search
// (SZUKAJ_KONTA: number prefix or part of the name) finds in the chart of a year, each ticked or
// not. Ticks survive a new search, so the user can gather accounts of several searches, and are
// kept in ZAZNACZENIE (id_browsera 11) when the choice is confirmed.
#include "siblings/kontar/AccountPicker.h"

#include <QSet>

class QWidget;

namespace kontar {

class AccountChoice {
public:
    AccountChoice(qint32 company, qint32 year, qint32 user);

    // The ticks kept from the last confirmed choice. False (error()) when the read failed.
    bool load();
    // The accounts whose number begins with the text or whose name contains it (all for an empty
    // text). False (error()) when the search failed; the previous result then stays.
    bool search(const QString& text);
    const QString& searchText() const { return m_text; }
    const QList<ChartAccount>& found() const { return m_found; }

    bool isTicked(const QString& account) const { return m_ticked.contains(account.trimmed()); }
    void setTicked(const QString& account, bool on);
    // Every account of the current search result.
    void tickFound(bool on);
    // In character order.
    QStringList ticked() const;
    // "ilość elementów: " n, as the list window shows it under the search.
    QString counter() const;

    // The ticks into ZAZNACZENIE, replacing the user's earlier ones in one transaction.
    bool store();
    const QString& error() const { return m_error; }

private:
    qint32 m_company, m_year, m_user;
    QString m_text;
    QList<ChartAccount> m_found;
    QSet<QString> m_ticked;
    QString m_error;
};

// "ilość elementów: " n.
QString elementCounter(int count);

// The picker as the list window opens it: searches the text, shows the dialog on the desktop and
// stores the ticks when the user confirms. The ticked accounts, or nullopt when cancelled, when
// there is no screen to ask on, or when a read or the store failed (the user was told).
std::optional<QStringList> chooseAccounts(qint32 company, qint32 year, qint32 user, const QString& text, QWidget* parent);

} // namespace kontar
