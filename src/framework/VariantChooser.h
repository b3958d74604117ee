#pragma once
// The saved-variant controls of a parameter window: the drop list of the user's variants for
// the window's report key, the current choice, saving under a name asked for and deleting after
// a question. The last variant used for each report key is remembered for the module's
// lifetime, so a window opened again starts from it.
#include "framework/VariantStore.h"

#include <QList>
#include <QString>

namespace pravik {

class VariantChooser {
public:
    VariantChooser(qint32 user, const QString& reportKey);

    // Fills the list afresh; keeps the current variant when it is still there, otherwise selects
    // the empty entry (and forgets it as the last used one).
    void refresh();

    const QList<VariantEntry>& entries() const { return m_entries; }
    qint32 currentId() const { return m_current; }
    QString currentName() const;
    const QString& reportKey() const { return m_key; }

    // At the window's opening: the variant last used for this key, when it still exists.
    qint32 startingId() const;

    // Makes the variant current and gives its stored values (empty for id 0 or an unknown id).
    VariantValues choose(qint32 id);

    // Asks for a name (offering the current one) and stores the values under it; the new
    // variant becomes current and the last used. 0 when cancelled or not stored.
    qint32 saveAs(const VariantValues& values);

    // Asks "Czy chcesz usunąć wybrany wariant wydruku?" and deletes the current variant on
    // "Tak". False when there is nothing to delete, the user said no or the delete failed.
    bool removeCurrent();

    // The window's dispatch: the current variant is the last used one for the key.
    void rememberCurrent() const;

    // The module-wide memory of the last used variant per report key (0 = none).
    static qint32 lastUsed(const QString& reportKey);
    static void setLastUsed(const QString& reportKey, qint32 id);

private:
    bool listed(qint32 id) const;

    qint32 m_user = 0;
    QString m_key;
    QList<VariantEntry> m_entries;
    qint32 m_current = 0;
};

} // namespace pravik
