#pragma once
// The window "Lista pozycji raportu" without its widgets: which tabs it has, the account and
// classification filters, the two lists with their ticks and counters, grouping, the saved lists
// (choose to load, save under a name, delete) and "Zapisz". The form shows it and passes the
// user's edits; tests drive it directly. Messages go through the user services.
#include "framework/FiscalYearLists.h"
#include "statements/lists/UserLists.h"

#include <QObject>
#include <QSet>

namespace pravik::statements {

// What the statement window hands over.
struct UserListRequest {
    qint64 statement = 0;
    DayNumber from = 0, to = 0;
    // "Dołącz nazwę konta": account rows carry the account's name.
    bool accountNames = true;
};

class UserListWindowModel : public QObject {
    Q_OBJECT

public:
    static const QString kTitle;          // "Lista pozycji raportu"
    static const QString kDeleteQuestion; // "Czy chcesz usunąć konfigurację wybranej listy ?"
    // The classification filter's choice besides the mask.
    enum class ClassificationChoice { Mask, Chosen };

    UserListWindowModel(qint32 company, qint32 user, qint32 year, const UserListRequest& request, QObject* parent = nullptr);

    // Reads the statement, the years, the saved lists and the current lists (an empty list is
    // made with the filter as it starts). False when the window must not open; the user was told.
    bool open();
    bool isOpen() const { return m_open; }
    qint32 company() const { return m_company; }
    qint32 user() const { return m_user; }
    bool hasTab(ListKind k) const { return m_lists.needs(k); }
    QString heading() const { return m_lists.heading(); }
    // The statement's form code and name.
    QString statementCaption() const { return m_caption; }

    // ---- the account filter ----
    AccountFilter& accountFilter() { return m_accountFilter; }
    // "Wybrane": one account typed, used while no account is ticked in the picker.
    QString oneAccount;
    // The year whose chart the account search looks in.
    const QList<FiscalYearEntry>& years() const { return m_years; }
    int yearIndex() const { return m_yearIndex; }
    void selectYear(int index);
    qint32 searchYear() const;
    // Ticks the pickers keep (ZAZNACZENIE); read again after a picker closed.
    void refreshTicks();
    int tickedAccounts() const { return m_tickedAccounts; }
    int tickedClassifications() const { return m_tickedClassifications; }

    // ---- the classification filter ----
    ClassificationFilter& classificationFilter() { return m_classFilter; }
    ClassificationChoice classificationChoice = ClassificationChoice::Mask;
    QString oneClassification;

    // "Dodaj do listy wg ustawień filtra". How many were added; -1 when the read failed (said).
    int addFromFilter(ListKind k);

    // ---- the lists ----
    const QStringList& elements(ListKind k) const { return m_lists.elements(k); }
    QString counter(ListKind k) const { return m_lists.counter(k); }
    bool isTicked(ListKind k, const QString& element) const { return ticks(k).contains(element); }
    void setTicked(ListKind k, const QString& element, bool on);
    void tickAll(ListKind k, bool on);
    void removeTicked(ListKind k);
    void clearList(ListKind k);
    // The entries of "Grupuj" for the list, and grouping by the n-th of them.
    static QStringList groupings(ListKind k);
    void group(ListKind k, int choice);

    // ---- saved lists ----
    const QList<SavedList>& savedLists(ListKind k) const { return k == ListKind::Accounts ? m_savedAccounts : m_savedClassifications; }
    qint64 selectedSaved(ListKind k) const { return k == ListKind::Accounts ? m_selectedAccounts : m_selectedClassifications; }
    QString selectedSavedName(ListKind k) const;
    // Choosing a saved list loads it into the list. 0 chooses none and keeps the list.
    bool selectSaved(ListKind k, qint64 id);
    // "Zapisywanie listy użytkownika": a new list under the name, or the selected one replaced
    // (keeping its name when none is given). False when refused or failed (said); the dialog
    // then stays open.
    bool saveListAs(ListKind k, const QString& name, bool replaceSelected);
    // Asks, then deletes the selected saved list. False when not asked, not confirmed or failed.
    bool deleteSelectedSaved(ListKind k);

    // "Zapisz": the lists where the generation reads them. False (said) when that failed.
    bool save();

signals:
    void changed();

private:
    QSet<QString>& ticks(ListKind k) { return k == ListKind::Accounts ? m_tickedAcc : m_tickedCls; }
    const QSet<QString>& ticks(ListKind k) const { return k == ListKind::Accounts ? m_tickedAcc : m_tickedCls; }
    QList<SavedList>& saved(ListKind k) { return k == ListKind::Accounts ? m_savedAccounts : m_savedClassifications; }
    qint64& selected(ListKind k) { return k == ListKind::Accounts ? m_selectedAccounts : m_selectedClassifications; }
    bool readSaved(ListKind k);

    qint32 m_company, m_user, m_year;
    UserListRequest m_request;
    UserLists m_lists;
    bool m_open = false;
    QString m_caption;
    QList<FiscalYearEntry> m_years;
    int m_yearIndex = -1;
    AccountFilter m_accountFilter;
    ClassificationFilter m_classFilter;
    int m_tickedAccounts = 0, m_tickedClassifications = 0;
    QSet<QString> m_tickedAcc, m_tickedCls;
    QList<SavedList> m_savedAccounts, m_savedClassifications;
    qint64 m_selectedAccounts = 0, m_selectedClassifications = 0;
};

} // namespace pravik::statements
