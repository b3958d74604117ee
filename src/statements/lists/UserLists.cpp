#include "statements/lists/UserLists.h"

#include "platform/Picture.h"
#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/AccountMask.h"
#include "siblings/utilka/Messages.h"
#include "statements/lists/ShowUserListWindow.h"

#include <functional>

namespace pravik::statements {

using sql::sqlNumber;
using sql::sqlText;

const QString UserLists::kNoListRows = QStringLiteral("W definicji zestawienia nie istnieją wiersze określone jako listy elementów.");
const QString UserLists::kNameTaken = QStringLiteral("Istnieje już lista o podanej nazwie.");

namespace {

QString context(ListKind k)
{
    return k == ListKind::Accounts ? QStringLiteral("ZESTAW_K") : QStringLiteral("ZESTAW_B");
}

// A pattern part for one classification segment: empty means any characters of its width.
QString segment(const QString& value, int width)
{
    const QString v = value.trimmed();
    return v.isEmpty() ? QString(width, u'?') : v;
}

} // namespace

QString shownAccount(const QString& account, AccountFilter::Show show, int level)
{
    const QString a = account.trimmed();
    switch (show) {
    case AccountFilter::Show::Synthetic:
        return a.left(3);
    case AccountFilter::Show::Level: {
        // Up to the n-th "-": the synthetic account and n analytic levels.
        qsizetype at = -1;
        for (int i = 0; i <= level; ++i) {
            at = a.indexOf(u'-', at + 1);
            if (at < 0)
                return a;
        }
        return a.left(at);
    }
    case AccountFilter::Show::Full:
        break;
    }
    return a;
}

UserLists::UserLists(qint32 company, qint32 user, qint64 statement, DayNumber from, DayNumber to)
    : m_company(company), m_user(user), m_statement(statement), m_from(from), m_to(to)
{
}

bool UserLists::fail(const QString& text)
{
    m_error = text;
    return false;
}

QString UserLists::heading() const
{
    return QStringLiteral("Zakres dat raportu od %1 do %2").arg(formatPicture(u"@D6-", qint64(m_from)), formatPicture(u"@D6-", qint64(m_to)));
}

bool UserLists::open()
{
    sql::Database& db = sql::Database::forThread();
    m_error.clear();
    sql::Cursor kinds = db.execNative(QStringLiteral("select distinct typ from ZESTAW_POZ where id_zestaw_nag=%1 and typ in ('K','B')")
                                          .arg(sqlNumber(m_statement)));
    if (!kinds.ok())
        return fail(kinds.errorText());
    m_needsAccounts = m_needsClassifications = false;
    while (kinds.next()) {
        const QString t = kinds.value(0).toString().trimmed();
        (t == QLatin1String("K") ? m_needsAccounts : m_needsClassifications) = true;
    }
    if (!m_needsAccounts && !m_needsClassifications)
        return fail(kNoListRows);
    for (ListKind k : {ListKind::Accounts, ListKind::Classifications}) {
        list(k).clear();
        if (!needs(k))
            continue;
        sql::Cursor c = db.execNative(QStringLiteral("select tekst2 from KOMUNIKAT where id_uzytkownika=%1 and kontekst=%2 and id_zasobu=%3"
                                                     " order by lp")
                                          .arg(sqlNumber(m_user), sqlText(context(k)), sqlNumber(m_statement)));
        if (!c.ok())
            return fail(c.errorText());
        while (c.next())
            list(k) << c.value(0).toString().trimmed();
    }
    return true;
}

int UserLists::addFound(ListKind k, const QString& sql, const std::function<QString(const QString&)>& shown)
{
    sql::Cursor c = sql::Database::forThread().execNative(sql);
    if (!c.ok()) {
        m_error = c.errorText();
        return -1;
    }
    QStringList& l = list(k);
    QSet<QString> present(l.begin(), l.end());
    int added = 0;
    while (c.next()) {
        const QString e = shown(c.value(0).toString().trimmed());
        if (e.isEmpty() || present.contains(e))
            continue;
        present.insert(e);
        l << e;
        ++added;
    }
    if (!c.ok()) {
        m_error = c.errorText();
        return -1;
    }
    return added;
}

int UserLists::addAccounts(const AccountFilter& f)
{
    QString where = QStringLiteral("(data_biezaca=0 or (data_biezaca>=%1 and data_biezaca<=%2)) and id_firmy=%3")
                        .arg(sqlNumber(m_from), sqlNumber(m_to), sqlNumber(m_company));
    switch (f.scope) {
    case AccountFilter::Scope::All:
        break;
    case AccountFilter::Scope::Range:
        // "1" to "20" is compared as "001" to "020" against the first three characters.
        where += QStringLiteral(" and substr(konto,1,3)>=%1 and substr(konto,1,3)<=%2")
                     .arg(sqlText(f.rangeFrom.trimmed().rightJustified(3, u'0')), sqlText(f.rangeTo.trimmed().rightJustified(3, u'0')));
        break;
    case AccountFilter::Scope::Mask: {
        const QString pattern = utilka::ZAMIEN_ZNAKI(f.mask);
        where += QStringLiteral(" and konto like '%1'%2").arg(pattern, utilka::likeEscapeClause(pattern));
        break;
    }
    case AccountFilter::Scope::Chosen: {
        if (f.chosen.isEmpty())
            return 0;
        QStringList quoted;
        for (const QString& a : f.chosen)
            quoted << sqlText(a.trimmed());
        where += QStringLiteral(" and konto in (%1)").arg(quoted.join(QLatin1Char(',')));
        break;
    }
    }
    return addFound(ListKind::Accounts, QStringLiteral("select distinct konto from POZ_DOK_VIEW_UNION where %1 order by konto").arg(where),
                    [&f](const QString& a) { return shownAccount(a, f.show, f.level); });
}

int UserLists::addClassifications(const ClassificationFilter& f)
{
    QString where = QStringLiteral("typ=%1").arg(f.type == ClassificationFilter::Type::Expenses ? QStringLiteral("'W'") : QStringLiteral("'D'"));
    if (!f.chosen.isEmpty()) {
        QStringList quoted;
        for (const QString& c : f.chosen)
            quoted << sqlText(c.trimmed());
        where += QStringLiteral(" and bt_klasyfikacja in (%1)").arg(quoted.join(QLatin1Char(',')));
    } else if (!(f.section.trimmed().isEmpty() && f.chapter.trimmed().isEmpty() && f.paragraph.trimmed().isEmpty()
                 && f.subAnalytics.trimmed().isEmpty())) {
        // Sub-analytics follow the paragraph after one more separator; none given is any.
        const QString sub = f.subAnalytics.trimmed().isEmpty() ? QStringLiteral("*") : u'?' + f.subAnalytics.trimmed();
        // The separators are whatever the company writes (GGG:BT_SEPARATOR): any one character,
        // so the value is always a pattern.
        const QString value = segment(f.section, 3) + u'?' + segment(f.chapter, 5) + u'?' + segment(f.paragraph, 4) + sub;
        const QString pattern = utilka::ZAMIEN_ZNAKI(value);
        where += QStringLiteral(" and bt_klasyfikacja like '%1'%2").arg(pattern, utilka::likeEscapeClause(pattern));
    }
    where += QStringLiteral(" and id_firmy=%1").arg(sqlNumber(m_company));
    const QString range = QStringLiteral(" and data_biezaca>=%1 and data_biezaca<=%2").arg(sqlNumber(m_from), sqlNumber(m_to));
    const int width = f.show == ClassificationFilter::Show::Section ? 4
                      : f.show == ClassificationFilter::Show::Chapter ? 10
                      : f.show == ClassificationFilter::Show::Paragraph ? 15 : 0;
    const QString column = width ? QStringLiteral("substr(bt_klasyfikacja,1,%1)").arg(width) : QStringLiteral("bt_klasyfikacja");
    QString sql = QStringLiteral("select %1 as btk from BT_VIEW where %2%3 group by %1").arg(column, where, range);
    if (f.includePlan)
        sql += QStringLiteral(" union select %1 as btk from BT_PLAN where %2 and id_lata_obrot in (select l.id_lata_obrot from LATA_OBROTOWE l"
                              " where l.id_firmy=%3 and l.poczatek_roku<=%4 and l.koniec_roku>=%5) group by %1")
                   .arg(column, where, sqlNumber(m_company), sqlNumber(m_to), sqlNumber(m_from));
    return addFound(ListKind::Classifications, sql + QStringLiteral(" order by btk"), [](const QString& e) { return e.trimmed(); });
}

QStringList groupParents(const QString& element, UserLists::Grouping g)
{
    const QString e = element.trimmed();
    QStringList out;
    auto upTo = [&](std::initializer_list<int> ends) {
        for (int end : ends)
            if (e.size() > end)
                out << e.left(end);
    };
    switch (g) {
    case UserLists::Grouping::Synthetic:
        upTo({3});
        break;
    case UserLists::Grouping::AllAccountLevels:
        for (qsizetype at = e.indexOf(u'-'); at > 0; at = e.indexOf(u'-', at + 1))
            out << e.left(at);
        break;
    // As "Sposób prezentacji" cuts them (with the separator that follows), so that a list made
    // by sections and then grouped gets no second, differently cut parent.
    case UserLists::Grouping::Section:
        upTo({4});
        break;
    case UserLists::Grouping::SectionChapter:
        upTo({4, 10});
        break;
    case UserLists::Grouping::SectionChapterParagraph:
        upTo({4, 10, 15});
        break;
    }
    out.removeDuplicates();
    return out;
}

void UserLists::group(ListKind k, Grouping g)
{
    QStringList out;
    QSet<QString> present;
    auto add = [&](const QString& e) {
        if (!e.isEmpty() && !present.contains(e)) {
            present.insert(e);
            out << e;
        }
    };
    for (const QString& e : elements(k)) {
        for (const QString& p : groupParents(e, g))
            add(p);
        add(e);
    }
    list(k) = out;
}

void UserLists::remove(ListKind k, const QStringList& ticked)
{
    const QSet<QString> gone(ticked.begin(), ticked.end());
    list(k).removeIf([&](const QString& e) { return gone.contains(e); });
}

bool UserLists::saveList(ListKind k)
{
    sql::Database& db = sql::Database::forThread();
    if (!db.transaction())
        return fail(db.lastError());
    auto run = [&](const QString& sql) {
        sql::Cursor c = db.execNative(sql);
        if (!c.ok())
            m_error = c.errorText();
        return c.ok();
    };
    bool ok = run(QStringLiteral("delete from KOMUNIKAT where id_uzytkownika=%1 and kontekst=%2 and id_zasobu=%3")
                      .arg(sqlNumber(m_user), sqlText(context(k)), sqlNumber(m_statement)));
    const QStringList& l = elements(k);
    for (qsizetype i = 0; ok && i < l.size(); ++i) {
        const QString& e = l.at(i);
        QString t1, t3, t4, t5;
        if (k == ListKind::Classifications) {
            t1 = e;
            t3 = e.mid(0, 3);
            t4 = e.mid(4, 5);
            t5 = e.mid(10, 4);
        }
        // The name comes from the database's own function, in the insert.
        const QString first = k == ListKind::Accounts && m_namesYear != 0
                                  ? QStringLiteral("TG_GetNazwaKonta(%1,%2,%3)").arg(sqlNumber(m_company), sqlNumber(m_namesYear), sqlText(e))
                                  : sqlText(t1);
        ok = run(QStringLiteral("insert into KOMUNIKAT (id_uzytkownika,kontekst,id_zasobu,tekst1,tekst2,tekst3,tekst4,tekst5,lp)"
                                " values (%1,%2,%3,%4,%5,%6,%7,%8,%9)")
                     .arg(sqlNumber(m_user), sqlText(context(k)), sqlNumber(m_statement), first, sqlText(e), sqlText(t3),
                          sqlText(t4), sqlText(t5))
                     .arg(i + 1));
    }
    if (ok && db.commit())
        return true;
    if (ok)
        m_error = db.lastError();
    db.rollback();
    return false;
}

bool UserLists::save()
{
    m_error.clear();
    for (ListKind k : {ListKind::Accounts, ListKind::Classifications})
        if (needs(k) && !saveList(k))
            return false;
    return true;
}

bool UserLists::rebuildAll()
{
    if (!open())
        return m_error == kNoListRows;
    if (needs(ListKind::Accounts)) {
        clear(ListKind::Accounts);
        if (addAccounts({}) < 0)
            return false;
    }
    if (needs(ListKind::Classifications)) {
        clear(ListKind::Classifications);
        // Every classification of the range, expenses and revenues.
        ClassificationFilter f;
        if (addClassifications(f) < 0)
            return false;
        f.type = ClassificationFilter::Type::Revenues;
        if (addClassifications(f) < 0)
            return false;
        m_classifications.sort();
    }
    return save();
}

QList<SavedList> UserLists::savedLists(ListKind k)
{
    QList<SavedList> out;
    m_error.clear();
    sql::Cursor c = sql::Database::forThread().execNative(
        QStringLiteral("select nazwa, id_zestaw_lista_uz_nag from ZESTAW_LISTA_UZ_NAG where typ=%1 and id_uzytkownika=%2 order by nazwa")
            .arg(sqlText(QString(listType(k))), sqlNumber(m_user)));
    if (!c.ok()) {
        m_error = c.errorText();
        return out;
    }
    while (c.next())
        out << SavedList{c.value(1).toLongLong(), c.value(0).toString().trimmed()};
    return out;
}

qint64 UserLists::saveAs(ListKind k, const QString& givenName, qint64 replace)
{
    m_error.clear();
    sql::Database& db = sql::Database::forThread();
    const QString type = sqlText(QString(listType(k)));
    QString name = givenName.trimmed();
    if (replace != 0 && name.isEmpty()) {
        sql::Cursor c = db.execNative(QStringLiteral("select nazwa from ZESTAW_LISTA_UZ_NAG where id_zestaw_lista_uz_nag=%1 and id_uzytkownika=%2")
                                          .arg(sqlNumber(replace), sqlNumber(m_user)));
        if (!c.ok() || !c.next())
            return fail(c.ok() ? QStringLiteral("Nie ma wybranej listy.") : c.errorText()), 0;
        name = c.value(0).toString().trimmed();
    }
    if (name.isEmpty())
        return fail(QStringLiteral("Podaj nazwę listy.")), 0;
    name = name.left(kNameLength);
    if (!db.transaction())
        return fail(db.lastError()), 0;
    auto abandon = [&](const QString& text) {
        db.rollback();
        m_error = text;
        return qint64(0);
    };
    if (replace != 0) {
        sql::Cursor d = db.execNative(QStringLiteral("delete from ZESTAW_LISTA_UZ_NAG where id_zestaw_lista_uz_nag=%1 and id_uzytkownika=%2")
                                          .arg(sqlNumber(replace), sqlNumber(m_user)));
        if (!d.ok())
            return abandon(d.errorText());
    }
    const QString key = QStringLiteral("id_uzytkownika=%1 and typ=%2 and nazwa=%3").arg(sqlNumber(m_user), type, sqlText(name));
    sql::Cursor taken = db.execNative(QStringLiteral("select 1 from ZESTAW_LISTA_UZ_NAG where %1").arg(key));
    if (!taken.ok())
        return abandon(taken.errorText());
    if (taken.next())
        return abandon(kNameTaken);
    taken.close();
    sql::Cursor ins = db.execNative(QStringLiteral("insert into ZESTAW_LISTA_UZ_NAG (nazwa, typ, id_uzytkownika) values (%1,%2,%3)")
                                        .arg(sqlText(name), type, sqlNumber(m_user)));
    if (!ins.ok()) {
        // Another window saved the same name since the check: the unique key says so.
        const QString why = ins.errorText();
        ins.close();
        sql::Cursor again = db.execNative(QStringLiteral("select 1 from ZESTAW_LISTA_UZ_NAG where %1").arg(key));
        return abandon(again.ok() && again.next() ? kNameTaken : why);
    }
    ins.close();
    // Read back by the list's own type: a same-named list of the other kind is another list.
    sql::Cursor id = db.execNative(QStringLiteral("select id_zestaw_lista_uz_nag from ZESTAW_LISTA_UZ_NAG where %1").arg(key));
    if (!id.ok() || !id.next())
        return abandon(id.ok() ? QStringLiteral("Zapisana lista nie została odczytana.") : id.errorText());
    const qint64 newId = id.value(0).toLongLong();
    id.close();
    const QStringList& l = elements(k);
    for (qsizetype i = 0; i < l.size(); ++i) {
        sql::Cursor c = db.execNative(QStringLiteral("insert into ZESTAW_LISTA_UZ_POZ (id_zestaw_lista_uz_nag, lp, tekst_1) values (%1,%2,%3)")
                                          .arg(sqlNumber(newId)).arg(i + 1).arg(sqlText(l.at(i))));
        if (!c.ok())
            return abandon(c.errorText());
    }
    if (!db.commit())
        return abandon(db.lastError());
    return newId;
}

bool UserLists::load(ListKind k, qint64 savedId)
{
    // Only the user's own list of that kind is loaded.
    sql::Cursor c = sql::Database::forThread().execNative(
        QStringLiteral("select p.tekst_1 from ZESTAW_LISTA_UZ_POZ p join ZESTAW_LISTA_UZ_NAG n on n.id_zestaw_lista_uz_nag=p.id_zestaw_lista_uz_nag"
                       " where p.id_zestaw_lista_uz_nag=%1 and n.id_uzytkownika=%2 and n.typ=%3 order by p.lp")
            .arg(sqlNumber(savedId), sqlNumber(m_user), sqlText(QString(listType(k)))));
    if (!c.ok())
        return fail(c.errorText());
    QStringList l;
    while (c.next())
        l << c.value(0).toString().trimmed();
    list(k) = l;
    return true;
}

bool UserLists::removeSaved(qint64 savedId)
{
    sql::Database& db = sql::Database::forThread();
    if (!db.transaction())
        return fail(db.lastError());
    sql::Cursor p = db.execNative(QStringLiteral("delete from ZESTAW_LISTA_UZ_POZ where id_zestaw_lista_uz_nag in (select id_zestaw_lista_uz_nag"
                                                 " from ZESTAW_LISTA_UZ_NAG where id_zestaw_lista_uz_nag=%1 and id_uzytkownika=%2)")
                                      .arg(sqlNumber(savedId), sqlNumber(m_user)));
    sql::Cursor n = p.ok() ? db.execNative(QStringLiteral("delete from ZESTAW_LISTA_UZ_NAG where id_zestaw_lista_uz_nag=%1 and id_uzytkownika=%2")
                                               .arg(sqlNumber(savedId), sqlNumber(m_user)))
                           : sql::Cursor();
    if (!p.ok() || !n.ok()) {
        m_error = !p.ok() ? p.errorText() : n.errorText();
        db.rollback();
        return false;
    }
    return db.commit() || fail(db.lastError());
}

} // namespace pravik::statements

namespace pravik {

void DEFINIOWANA_LISTA_RU(qint32 statementId, qint32 from, qint32 to, quint8 automatic)
{
    korda::Session& s = korda::session();
    s.globalResponse = 2;
    statements::UserLists lists(s.DANE_ID_FIRMY, s.DANE_ID_UZYTKOWNIKA_NR, statementId, DayNumber(from), DayNumber(to));
    lists.setAccountNames(s.DANE_LATA_OBROTOWE);
    if (automatic == 1) {
        if (lists.rebuildAll())
            s.globalResponse = 1;
        else
            ::utilka::MSG_INF(lists.error());
        return;
    }
    if (statements::canShowUserListWindow()) {
        if (statements::showUserListWindow(nullptr, statementId, DayNumber(from), DayNumber(to)))
            s.globalResponse = 1;
    } else {
        // Without a screen there is no one to choose: the lists stay as they are.
        if (lists.open())
            ::utilka::MSG_OST(QStringLiteral("Okno \"Lista pozycji raportu\" jest dostępne w programie z ekranem."));
        else
            ::utilka::MSG_OST(lists.error());
    }
}

} // namespace pravik
