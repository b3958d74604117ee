#pragma once
// The lists a statement's list rows expand into: ledger accounts ('K' rows) and budget
// classifications ('B' rows), kept per user in KOMUNIKAT ("ZESTAW_K", "ZESTAW_B") where the
// generating procedure reads them, and lists saved under a name for reuse. The window "Lista
// pozycji raportu" (UserListWindowModel) and `pravik lists` work on it; the automatic rebuild the
// statement window asks for before generating is rebuildAll().
#include "platform/DayNumber.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace pravik::statements {

enum class ListKind { Accounts, Classifications };

inline QChar listType(ListKind k) { return k == ListKind::Accounts ? u'K' : u'B'; }

struct AccountFilter {
    enum class Scope { All, Range, Mask, Chosen } scope = Scope::All;
    QString rangeFrom, rangeTo;  // compared with the first three characters, padded with zeros
    QString mask;                // the module's account mask (? and *)
    QStringList chosen;          // accounts ticked in the picker
    enum class Show { Synthetic, Level, Full } show = Show::Full;
    int level = 1;               // "analityka poziom" n: up to the n-th "-"
};

struct ClassificationFilter {
    enum class Type { Expenses, Revenues } type = Type::Expenses;       // "W", "D"
    // "Maska": section, chapter, paragraph, sub-analytics; empty = "dowolny"; "*" and "?" wildcards.
    QString section, chapter, paragraph, subAnalytics;
    QStringList chosen;          // "Wybrana": the ticked classifications (empty: the mask applies)
    enum class Show { Section, Chapter, Paragraph, Full } show = Show::Full;
    bool includePlan = false;    // "Uwzględnij klasyfikację z planu budżetu"
};

struct SavedList {
    qint64 id = 0;
    QString name;
};

class UserLists {
public:
    static const QString kNoListRows;   // "W definicji zestawienia nie istnieją wiersze określone jako listy elementów."
    static const QString kNameTaken;    // "Istnieje już lista o podanej nazwie."
    static constexpr int kNameLength = 30;

    UserLists(qint32 company, qint32 user, qint64 statement, DayNumber from, DayNumber to);

    // Which lists the statement's rows need and the current elements of each; false (and
    // error()) when the statement has no list rows or a read fails.
    bool open();
    bool needs(ListKind k) const { return k == ListKind::Accounts ? m_needsAccounts : m_needsClassifications; }
    const QStringList& elements(ListKind k) const { return k == ListKind::Accounts ? m_accounts : m_classifications; }
    QString counter(ListKind k) const { return QStringLiteral("ilość pozycji: %1").arg(elements(k).size()); }
    QString heading() const;

    // "Dodaj do listy wg ustawień filtra": adds the elements the filter finds that the list does
    // not hold yet, in order. Returns how many were added, or -1 on a failed read.
    int addAccounts(const AccountFilter& filter);
    int addClassifications(const ClassificationFilter& filter);
    void clear(ListKind k) { list(k).clear(); }
    // "Grupuj": the parents of the chosen levels added, each right before its first child; the
    // order of the elements stays, and a parent already listed is not added again.
    enum class Grouping { Synthetic, AllAccountLevels, Section, SectionChapter, SectionChapterParagraph };
    void group(ListKind k, Grouping g);
    void remove(ListKind k, const QStringList& ticked);
    void setElements(ListKind k, const QStringList& e) { list(k) = e; }

    // "Dołącz nazwę konta": account rows carry the account's name of that fiscal year (tekst1),
    // which the generation prints for the row; without it the row's own name is printed.
    void setAccountNames(qint32 yearId) { m_namesYear = yearId; }

    // "Zapisz": replaces the statement's lists in KOMUNIKAT, each in one transaction.
    bool save();
    // The automatic mode: every list the statement needs rebuilt from the whole date range and
    // saved. A statement without list rows is not an error here.
    bool rebuildAll();

    // Saved lists of the user, by name.
    QList<SavedList> savedLists(ListKind k);
    // Saves the list under name: a new list (replace = 0) refuses a taken name with kNameTaken;
    // replacing keeps the chosen list's name unless another is given. Header and elements go in
    // one transaction. Returns the new list's id, 0 on refusal or failure (error()).
    qint64 saveAs(ListKind k, const QString& name, qint64 replace = 0);
    bool load(ListKind k, qint64 savedId);
    bool removeSaved(qint64 savedId);

    const QString& error() const { return m_error; }

private:
    QStringList& list(ListKind k) { return k == ListKind::Accounts ? m_accounts : m_classifications; }
    bool fail(const QString& text);
    bool saveList(ListKind k);
    int addFound(ListKind k, const QString& sql, const std::function<QString(const QString&)>& shown);

    qint32 m_company;
    qint32 m_user;
    qint64 m_statement;
    DayNumber m_from, m_to;
    bool m_needsAccounts = false, m_needsClassifications = false;
    QStringList m_accounts, m_classifications;
    QString m_error;
    qint32 m_namesYear = 0;
};

// The parents an element gets from "Grupuj", outermost first.
QStringList groupParents(const QString& element, UserLists::Grouping g);

// The element as "Sposób prezentacji" shows it.
QString shownAccount(const QString& account, AccountFilter::Show show, int level);

} // namespace pravik::statements

namespace pravik {

// The procedure as the statement window calls it: automatic = 1 rebuilds and saves without a
// window; 0 opens the window "Lista pozycji raportu" (without a screen it is said and nothing
// changes).
// Dates are day numbers. The response is 1 when the lists were saved, else 2.
void DEFINIOWANA_LISTA_RU(qint32 statementId, qint32 from, qint32 to, quint8 automatic);

} // namespace pravik
