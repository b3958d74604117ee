#include "siblings/kontar/AccountChoice.h"

#include "platform/QtUi.h"
#include "platform/UiServices.h"
#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "siblings/kontar/AccountChoiceDialog.h"
#include "siblings/kontar/Ticked.h"

#include <QApplication>
#include <algorithm>

namespace kontar {

using pravik::sql::sqlNumber;
using pravik::sql::sqlText;

QString elementCounter(int count)
{
    return QStringLiteral("ilość elementów: %1").arg(count);
}

AccountChoice::AccountChoice(qint32 company, qint32 year, qint32 user) : m_company(company), m_year(year), m_user(user) {}

bool AccountChoice::load()
{
    const auto kept = readTicked(m_user, kAccountsBrowser, &m_error);
    if (!kept)
        return false;
    m_ticked = QSet<QString>(kept->begin(), kept->end());
    return true;
}

bool AccountChoice::search(const QString& text)
{
    pravik::sql::Cursor c = pravik::sql::Database::forThread().exec(QStringLiteral("CALL SZUKAJ_KONTA (%1,%2,%3,1)")
                                                                         .arg(sqlNumber(m_company), sqlNumber(m_year), sqlText(text.trimmed())));
    QList<ChartAccount> found;
    while (c.next())
        found.append({c.value(0).toString().trimmed(), c.value(1).toString().trimmed()});
    if (!c.ok()) {
        m_error = c.errorText();
        return false;
    }
    m_text = text.trimmed();
    m_found = std::move(found);
    return true;
}

void AccountChoice::setTicked(const QString& account, bool on)
{
    const QString a = account.trimmed();
    if (a.isEmpty())
        return;
    if (on)
        m_ticked.insert(a);
    else
        m_ticked.remove(a);
}

void AccountChoice::tickFound(bool on)
{
    for (const ChartAccount& a : m_found)
        setTicked(a.number, on);
}

QStringList AccountChoice::ticked() const
{
    QStringList out(m_ticked.begin(), m_ticked.end());
    std::sort(out.begin(), out.end(), [](const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseSensitive) < 0; });
    return out;
}

QString AccountChoice::counter() const
{
    return elementCounter(int(m_ticked.size()));
}

bool AccountChoice::store()
{
    return writeTicked(m_user, kAccountsBrowser, ticked(), &m_error);
}

std::optional<QStringList> chooseAccounts(qint32 company, qint32 year, qint32 user, const QString& text, QWidget* parent)
{
    pravik::UiServices& services = pravik::ui();
    if (!dynamic_cast<pravik::QtUi*>(&services) || !qobject_cast<QApplication*>(QCoreApplication::instance()))
        return std::nullopt;
    AccountChoice choice(company, year, user);
    if (!choice.load() || !choice.search(text)) {
        pravik::msgWarning(choice.error());
        return std::nullopt;
    }
    bool accepted = false;
    pravik::runOnGuiThread([&] {
        AccountChoiceDialog dialog(choice, parent);
        accepted = dialog.exec() == QDialog::Accepted;
    });
    if (!accepted)
        return std::nullopt;
    return choice.ticked();
}

} // namespace kontar
