#include "statements/lists/UserListWindowModel.h"

#include "platform/UiServices.h"
#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "siblings/kontar/Ticked.h"
#include "siblings/utilka/Messages.h"

namespace pravik::statements {

using sql::sqlNumber;

const QString UserListWindowModel::kTitle = QStringLiteral("Lista pozycji raportu");
const QString UserListWindowModel::kDeleteQuestion = QStringLiteral("Czy chcesz usunąć konfigurację wybranej listy ?");

UserListWindowModel::UserListWindowModel(qint32 company, qint32 user, qint32 year, const UserListRequest& request, QObject* parent)
    : QObject(parent), m_company(company), m_user(user), m_year(year), m_request(request),
      m_lists(company, user, request.statement, request.from, request.to)
{
}

bool UserListWindowModel::open()
{
    m_open = false;
    m_lists.setAccountNames(m_request.accountNames ? m_year : 0);
    if (!m_lists.open()) {
        if (m_lists.error() == UserLists::kNoListRows)
            ::utilka::MSG_INF(m_lists.error());
        else
            ::utilka::MSG_OST(m_lists.error());
        return false;
    }
    sql::Database& db = sql::Database::forThread();
    sql::Cursor head = db.exec(QStringLiteral("select wariant, nazwa from ZESTAW_NAG where id_zestaw_nag=%1").arg(sqlNumber(m_request.statement)));
    if (head.next()) {
        const QString code = head.value(0).toString().trimmed();
        const QString name = head.value(1).toString().trimmed();
        m_caption = code.isEmpty() ? name : code + QStringLiteral("  ") + name;
    }
    head.close();
    m_years.clear();
    sql::Cursor years = db.exec(QStringLiteral("select id_lata_obrot, rok_obrotowy, poczatek_roku, koniec_roku from LATA_OBROTOWE"
                                               " where id_firmy=%1 order by id_firmy, poczatek_roku desc")
                                    .arg(sqlNumber(m_company)));
    while (years.next())
        m_years.append({years.value(0).toInt(), years.value(1).toString().trimmed(), DayNumber(years.value(2).toInt()),
                        DayNumber(years.value(3).toInt())});
    if (!years.ok()) {
        ::utilka::MSG_OST(years.errorText());
        return false;
    }
    years.close();
    m_yearIndex = -1;
    for (int i = 0; i < m_years.size() && m_yearIndex < 0; ++i)
        if (m_years.at(i).id == m_year)
            m_yearIndex = i;
    for (int i = 0; i < m_years.size() && m_yearIndex < 0; ++i)
        if (m_years.at(i).first <= m_request.to && m_request.to <= m_years.at(i).last)
            m_yearIndex = i;
    if (m_yearIndex < 0 && !m_years.isEmpty())
        m_yearIndex = 0;
    for (ListKind k : {ListKind::Accounts, ListKind::Classifications}) {
        if (!hasTab(k))
            continue;
        if (!readSaved(k))
            return false;
        // A list never made yet starts as the filter finds it.
        if (elements(k).isEmpty() && addFromFilter(k) < 0)
            return false;
    }
    refreshTicks();
    m_open = true;
    emit changed();
    return true;
}

void UserListWindowModel::selectYear(int index)
{
    if (index >= 0 && index < m_years.size())
        m_yearIndex = index;
    emit changed();
}

qint32 UserListWindowModel::searchYear() const
{
    return m_yearIndex >= 0 ? m_years.at(m_yearIndex).id : m_year;
}

void UserListWindowModel::refreshTicks()
{
    QString error;
    m_tickedAccounts = std::max(0, kontar::countTicked(m_user, kontar::kAccountsBrowser, &error));
    m_tickedClassifications = std::max(0, kontar::countTicked(m_user, kontar::kClassificationsBrowser, &error));
    emit changed();
}

namespace {

// "Wybrane" / "Wybrana": what the picker keeps ticked, else the one element typed. nullopt when
// the ticks could not be read (said).
std::optional<QStringList> chosenElements(qint32 user, int browser, int ticked, const QString& typed)
{
    if (ticked == 0)
        return typed.trimmed().isEmpty() ? QStringList() : QStringList{typed.trimmed()};
    QString error;
    const auto found = kontar::readTicked(user, browser, &error);
    if (!found)
        ::utilka::MSG_OST(error);
    return found;
}

} // namespace

int UserListWindowModel::addFromFilter(ListKind k)
{
    int added = 0;
    if (k == ListKind::Accounts) {
        AccountFilter f = m_accountFilter;
        if (f.scope == AccountFilter::Scope::Chosen) {
            const auto chosen = chosenElements(m_user, kontar::kAccountsBrowser, m_tickedAccounts, oneAccount);
            if (!chosen)
                return -1;
            f.chosen = *chosen;
        }
        added = m_lists.addAccounts(f);
    } else {
        ClassificationFilter f = m_classFilter;
        f.chosen.clear();
        if (classificationChoice == ClassificationChoice::Chosen) {
            const auto chosen = chosenElements(m_user, kontar::kClassificationsBrowser, m_tickedClassifications, oneClassification);
            if (!chosen)
                return -1;
            // Nothing chosen finds nothing, rather than everything the empty mask would.
            if (chosen->isEmpty())
                return 0;
            f.chosen = *chosen;
        }
        added = m_lists.addClassifications(f);
    }
    if (added < 0)
        ::utilka::MSG_OST(m_lists.error());
    emit changed();
    return added;
}

void UserListWindowModel::setTicked(ListKind k, const QString& element, bool on)
{
    if (on && elements(k).contains(element))
        ticks(k).insert(element);
    else
        ticks(k).remove(element);
    emit changed();
}

void UserListWindowModel::tickAll(ListKind k, bool on)
{
    ticks(k).clear();
    if (on)
        for (const QString& e : elements(k))
            ticks(k).insert(e);
    emit changed();
}

void UserListWindowModel::removeTicked(ListKind k)
{
    m_lists.remove(k, QStringList(ticks(k).begin(), ticks(k).end()));
    ticks(k).clear();
    emit changed();
}

void UserListWindowModel::clearList(ListKind k)
{
    m_lists.clear(k);
    ticks(k).clear();
    emit changed();
}

QStringList UserListWindowModel::groupings(ListKind k)
{
    if (k == ListKind::Accounts)
        return {QStringLiteral("grupuj wg syntetyki"), QStringLiteral("grupuj wg wszystkich poziomów analityki")};
    return {QStringLiteral("grupuj wg działu"), QStringLiteral("grupuj wg działu i rozdziału"),
            QStringLiteral("grupuj wg działu, rozdziału i paragrafu")};
}

void UserListWindowModel::group(ListKind k, int choice)
{
    using G = UserLists::Grouping;
    static const G accounts[] = {G::Synthetic, G::AllAccountLevels};
    static const G classifications[] = {G::Section, G::SectionChapter, G::SectionChapterParagraph};
    if (choice < 0 || choice >= groupings(k).size())
        return;
    m_lists.group(k, k == ListKind::Accounts ? accounts[choice] : classifications[choice]);
    emit changed();
}

QString UserListWindowModel::selectedSavedName(ListKind k) const
{
    for (const SavedList& l : savedLists(k))
        if (l.id == selectedSaved(k))
            return l.name;
    return QString();
}

bool UserListWindowModel::readSaved(ListKind k)
{
    const QList<SavedList> found = m_lists.savedLists(k);
    if (!m_lists.error().isEmpty()) {
        ::utilka::MSG_OST(m_lists.error());
        return false;
    }
    saved(k) = found;
    bool still = false;
    for (const SavedList& l : found)
        still = still || l.id == selected(k);
    if (!still)
        selected(k) = 0;
    return true;
}

bool UserListWindowModel::selectSaved(ListKind k, qint64 id)
{
    if (id == 0) {
        selected(k) = 0;
        emit changed();
        return true;
    }
    if (!m_lists.load(k, id)) {
        ::utilka::MSG_OST(m_lists.error());
        emit changed();
        return false;
    }
    selected(k) = id;
    ticks(k).clear();
    emit changed();
    return true;
}

bool UserListWindowModel::saveListAs(ListKind k, const QString& name, bool replaceSelected)
{
    if (replaceSelected && selected(k) == 0) {
        ::utilka::MSG_INF(QStringLiteral("Nie ma wybranej listy."));
        return false;
    }
    const qint64 id = m_lists.saveAs(k, name, replaceSelected ? selected(k) : 0);
    if (id == 0) {
        ::utilka::MSG_INF(m_lists.error());
        // A replaced list is gone only when the new one was written: read what is there now.
        readSaved(k);
        emit changed();
        return false;
    }
    selected(k) = id;
    readSaved(k);
    emit changed();
    return true;
}

bool UserListWindowModel::deleteSelectedSaved(ListKind k)
{
    if (selected(k) == 0)
        return false;
    if (ui().choose(MessageIcon::Question, kTitleQuestion, kDeleteQuestion, {QStringLiteral("&Tak"), QStringLiteral("&Nie")}, 0) != 0)
        return false;
    const bool ok = m_lists.removeSaved(selected(k));
    if (!ok)
        ::utilka::MSG_INF(m_lists.error());
    selected(k) = 0;
    readSaved(k);
    emit changed();
    return ok;
}

bool UserListWindowModel::save()
{
    if (!m_lists.save()) {
        ::utilka::MSG_INF(m_lists.error());
        return false;
    }
    return true;
}

} // namespace pravik::statements
