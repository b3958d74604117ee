#include "framework/VariantChooser.h"

#include "framework/VariantName.h"
#include "platform/UiServices.h"

#include <QHash>
#include <QMutex>

namespace pravik {

namespace {

QMutex lastUsedMutex;

QHash<QString, qint32>& lastUsedIds()
{
    static QHash<QString, qint32> ids;
    return ids;
}

} // namespace

VariantChooser::VariantChooser(qint32 user, const QString& reportKey) : m_user(user), m_key(reportKey)
{
    m_current = lastUsed(m_key);
}

qint32 VariantChooser::lastUsed(const QString& reportKey)
{
    QMutexLocker lock(&lastUsedMutex);
    return lastUsedIds().value(reportKey, 0);
}

void VariantChooser::setLastUsed(const QString& reportKey, qint32 id)
{
    QMutexLocker lock(&lastUsedMutex);
    if (id == 0)
        lastUsedIds().remove(reportKey);
    else
        lastUsedIds().insert(reportKey, id);
}

bool VariantChooser::listed(qint32 id) const
{
    for (const VariantEntry& e : m_entries)
        if (e.id == id)
            return true;
    return false;
}

void VariantChooser::refresh()
{
    m_entries = listVariants(m_user, m_key);
    if (m_current != 0 && !listed(m_current)) {
        if (lastUsed(m_key) == m_current)
            setLastUsed(m_key, 0);
        m_current = 0;
    }
}

QString VariantChooser::currentName() const
{
    for (const VariantEntry& e : m_entries)
        if (e.id == m_current)
            return e.name;
    return QString();
}

qint32 VariantChooser::startingId() const
{
    const qint32 id = lastUsed(m_key);
    return listed(id) ? id : 0;
}

VariantValues VariantChooser::choose(qint32 id)
{
    m_current = listed(id) ? id : 0;
    return m_current == 0 ? VariantValues() : loadVariant(m_current);
}

qint32 VariantChooser::saveAs(const VariantValues& values)
{
    const QString name = utilka::NAZWA_WARIANTU(currentName());
    if (name.isEmpty())
        return 0;
    const qint32 id = saveVariant(m_user, m_key, name, values);
    if (id == 0)
        return 0;
    m_current = id;
    setLastUsed(m_key, id);
    refresh();
    return id;
}

bool VariantChooser::removeCurrent()
{
    if (m_current == 0)
        return false;
    const int pressed = ui().choose(MessageIcon::Question, kTitleQuestion,
                                    QStringLiteral("Czy chcesz usunąć wybrany wariant wydruku?"),
                                    {QStringLiteral("&Tak"), QStringLiteral("&Nie")}, 0);
    if (pressed != 0)
        return false;
    if (!deleteVariant(m_current))
        return false;
    refresh();
    return true;
}

void VariantChooser::rememberCurrent() const
{
    setLastUsed(m_key, m_current);
}

} // namespace pravik
