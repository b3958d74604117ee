#include "statements/forms/BudgetHeader.h"

#include "platform/UiServices.h"
#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"
#include "siblings/utilka/Messages.h"
#include "statements/window/BudgetHeaderWindowForm.h"

#include <QApplication>
#include <QHash>
#include <QMutex>
#include <QSet>

namespace pravik {
namespace statements {

namespace {

const QString kUnitLine = QStringLiteral(
    "jednostki budżetowej / zakładu budżetowego/ gospodarstwa pomocniczego / funduszu celowego nieposiadającego osobowości "
    "prawnej /dysponenta głównego zbiorczo/zbiorcze jednostki samorządu terytorialnego");
const QString kSelfGovernment = QStringLiteral("samorządowej jednostki budżetowej / jednostki samorządu terytorialnego");

struct Form {
    QString code;
    QString title1, title2;
    QStringList sections;
};

const QList<Form>& forms()
{
    static const QList<Form> list = {
        {QStringLiteral("Rb27S"),
         QStringLiteral("Rb-27S  MIESIĘCZNE / ROCZNE SPRAWOZDANIE Z WYKONANIA PLANU DOCHODÓW BUDŻETOWYCH JEDNOSTKI SAMORZĄDU "
                        "TERYTORIALNEGO"),
         kSelfGovernment, {QStringLiteral("Rb27SPozycje")}},
        {QStringLiteral("Rb27ZZ"),
         QStringLiteral("Rb-27ZZ - kwartalne sprawozdanie z wykonania planu dochodów związanych z realizacją zadań z zakresu "
                        "administracji rządowej oraz innych zadań zleconych jednostkom samorządu terytorialnego ustawami"),
         QString(), {QStringLiteral("Rb27ZZPozycje"), QStringLiteral("Rb27ZZNaleznosciA"), QStringLiteral("Rb27ZZNaleznosciB")}},
        {QStringLiteral("Rb28S"),
         QStringLiteral("Rb-28S  MIESIĘCZNE / ROCZNE SPRAWOZDANIE Z WYKONANIA PLANU WYDATKÓW BUDŻETOWYCH JEDNOSTKI SAMORZĄDU "
                        "TERYTORIALNEGO"),
         kSelfGovernment, {QStringLiteral("Rb28SPozycje"), QStringLiteral("Rb28SDotacjeRozwojowe")}},
        {QStringLiteral("Rb28S70"),
         QStringLiteral("Rb-28S  MIESIĘCZNE / ROCZNE SPRAWOZDANIE Z WYKONANIA PLANU WYDATKÓW BUDŻETOWYCH JEDNOSTKI SAMORZĄDU "
                        "TERYTORIALNEGO"),
         kSelfGovernment, {QStringLiteral("Rb28SPozycje70"), QStringLiteral("Rb28SDotacjeRozwojowe70")}},
        {QStringLiteral("RbN"), QStringLiteral("Rb-N  KWARTALNE SPRAWOZDANIE O STANIE NALEŻNOŚCI ORAZ WYBRANYCH AKTYWÓW FINANSOWYCH"),
         kUnitLine, {QStringLiteral("RbNNaleznosci"), QStringLiteral("RbNPoreczeniaGwarancje")}},
        {QStringLiteral("RbZ"),
         QStringLiteral("Rb-Z  KWARTALNE SPRAWOZDANIE O STANIE ZOBOWIĄZAŃ WEDŁUG TYTUŁÓW DŁUŻNYCH ORAZ GWARANCJI I PORĘCZEŃ"),
         kUnitLine, {QStringLiteral("RbZTytulyDluzne"), QStringLiteral("RbZPoreczeniaGwarancje"), QStringLiteral("RbZKredytyPozyczki"),
                     QStringLiteral("RbZZawarteUmowy")}},
        {QStringLiteral("RbZN"), QStringLiteral("Rb-ZN  KWARTALNE SPRAWOZDANIE O STANIE ZOBOWIĄZAŃ ORAZ NALEŻNOŚCI"), kUnitLine,
         {QStringLiteral("RbZNTytulyDluzne"), QStringLiteral("RbZNNaleznosci")}},
        {QStringLiteral("Rb50W"),
         QStringLiteral("Rb-50W - kwartalne sprawozdanie o wydatkach związanych z wykonaniem zadań z zakresu administracji rządowej "
                        "oraz innych zadań zleconych jednostkom samorządu terytorialnego ustawami"),
         QString(), {QStringLiteral("Rb50WPozycje"), QStringLiteral("Rb50WWydatkiA"), QStringLiteral("Rb50WWydatkiB")}},
        {QStringLiteral("Rb50D"),
         QStringLiteral("Rb-50D - kwartalne sprawozdanie o dotacjach związanych z wykonaniem zadań z zakresu administracji rządowej "
                        "oraz innych zadań zleconych jednostkom samorządu terytorialnego ustawami"),
         QString(), {QStringLiteral("Rb50DPozycje"), QStringLiteral("Rb50WWydatkiA"), QStringLiteral("Rb50WWydatkiB")}},
        {QStringLiteral("F-01/I-01"),
         QStringLiteral("F-01/I-01 Sprawozdanie o przychodach, kosztach i wyniku finansowym oraz o nakładach na środki trwałe"),
         QString(), {QStringLiteral("F01rzis"), QStringLiteral("F01aoit"), QStringLiteral("F01wzfm"), QStringLiteral("F01stwb"),
                     QStringLiteral("F01nnbuinst"), QStringLiteral("F01l")}},
        {QStringLiteral("RbWS"), QString(), QString(), {QStringLiteral("RbWS")}},
    };
    return list;
}

const Form* findForm(const QString& code)
{
    const QString c = code.trimmed();
    if (c.isEmpty())
        return nullptr;
    for (const Form& f : forms())
        if (f.code.compare(c, Qt::CaseInsensitive) == 0)
            return &f;
    for (const Form& f : forms())
        for (const QString& s : f.sections)
            if (s.compare(c, Qt::CaseInsensitive) == 0)
                return &f;
    return nullptr;
}

const QStringList kRomanQuarters = {QStringLiteral("I"), QStringLiteral("II"), QStringLiteral("III"), QStringLiteral("IV")};

QString dashedDate(DayNumber d)
{
    return QStringLiteral("%1-%2-%3").arg(dayOfMonth(d), 2, 10, QLatin1Char('0')).arg(monthOf(d), 2, 10, QLatin1Char('0'))
        .arg(yearOf(d), 4, 10, QLatin1Char('0'));
}

// Module storage: one header per loaded module, read by the window's thread and the printout's.
struct Store {
    QMutex lock;
    qint32 company = -1;
    QString formCode;
    QHash<QString, QString> values;
    QSet<QString> edited;
    BudgetHeaderWindow window;
};

Store& store()
{
    static Store s;
    return s;
}

QString clipped(const QString& name, const QString& value)
{
    const auto f = budgetHeaderField(name);
    return f ? value.left(f->width) : value;
}

} // namespace

const QList<HeaderField>& budgetHeaderFields()
{
    static const QList<HeaderField> fields = {
        {"PRN_TYTUL_1", 1000, "Tytuł"},
        {"PRN_TYTUL_2", 1000, "Tytuł (cd.)"},
        {"PRN_FIRMA_NAZWA", 200, "Nazwa"},
        {"PRN_FIRMA_ADRES1", 150, "Adres"},
        {"PRN_FIRMA_ADRES2", 150, "Adres (cd.)"},
        {"PRN_FIRMA_REGON1", 20, "REGON"},
        {"PRN_FIRMA_REGON2", 20, "REGON (cd.)"},
        {"PRN_FIRMA_KOD_WOJ", 19, "woj."},
        {"PRN_FIRMA_KOD_POW", 19, "powiat"},
        {"PRN_FIRMA_KOD_GM", 19, "gmina"},
        {"PRN_FIRMA_TYP_GM", 19, "typ gm."},
        {"PRN_FIRMA_ZWIAZEK", 19, "związek jst"},
        {"PRN_FIRMA_TYP_ZW", 19, "typ zw."},
        {"PRN_FIRMA_CZESC", 19, "część"},
        {"PRN_FIRMA_WOJEWODZTWO", 50, "Nazwa województwa"},
        {"PRN_FIRMA_POWIAT", 50, "Nazwa powiatu / związku"},
        {"PRN_FIRMA_GMINA", 50, "Nazwa gminy / związku"},
        {"PRN_FIRMA_RIO", 150, "Adresat"},
    };
    return fields;
}

std::optional<HeaderField> budgetHeaderField(const QString& name)
{
    for (const HeaderField& f : budgetHeaderFields())
        if (name.trimmed().compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
            return f;
    return std::nullopt;
}

std::optional<QStringList> budgetFormTitles(const QString& code)
{
    const Form* f = findForm(code);
    if (!f)
        return std::nullopt;
    return QStringList{f->title1, f->title2};
}

QString budgetFormOf(const QString& code)
{
    const Form* f = findForm(code);
    return f ? f->code : QString();
}

QStringList budgetFormSections(const QString& formCode)
{
    const Form* f = findForm(formCode);
    return f ? f->sections : QStringList();
}

QString budgetPeriodText(const QString& code, DayNumber to)
{
    const QString form = budgetFormOf(code);
    if (form.isEmpty() || to <= 0)
        return {};
    const QString quarter = kRomanQuarters.at((monthOf(to) - 1) / 3);
    const QString year = QString::number(yearOf(to));
    if (form == QLatin1String("Rb27S") || form == QLatin1String("Rb28S") || form == QLatin1String("Rb28S70"))
        return QStringLiteral("za okres od początku roku do dnia %1 roku").arg(dashedDate(to));
    if (form == QLatin1String("Rb27ZZ") || form == QLatin1String("F-01/I-01"))
        return QStringLiteral("za okres od początku roku do końca %1 kwartału roku %2").arg(quarter, year);
    if (form == QLatin1String("RbN") || form == QLatin1String("RbZ"))
        return QStringLiteral("wg stanu na koniec %1 kwartału %2 roku").arg(quarter, year);
    if (form == QLatin1String("Rb50D") || form == QLatin1String("Rb50W"))
        return QStringLiteral("za %1 kwartał %2 roku").arg(quarter, year);
    if (form == QLatin1String("RbWS"))
        return QStringLiteral("w roku %1").arg(year);
    return {};
}

QString BudgetHeaderValues::value(const QString& name) const
{
    for (const auto& f : fields)
        if (f.first.compare(name, Qt::CaseInsensitive) == 0)
            return f.second;
    return {};
}

QStringList loadBudgetHeader(sql::Database& db, qint32 company, DayNumber date, const QString& formCode)
{
    using sql::sqlNumber;
    Store& s = store();
    QMutexLocker locker(&s.lock);
    const auto titles = budgetFormTitles(formCode).value_or(QStringList{QString(), QString()});
    s.values.insert(QStringLiteral("PRN_TYTUL_1"), titles.at(0));
    s.values.insert(QStringLiteral("PRN_TYTUL_2"), titles.at(1));
    s.formCode = formCode.trimmed();
    if (company != s.company) {
        for (const HeaderField& f : budgetHeaderFields())
            if (QLatin1String(f.name) != QLatin1String("PRN_TYTUL_1") && QLatin1String(f.name) != QLatin1String("PRN_TYTUL_2"))
                s.values.remove(QLatin1String(f.name));
        s.edited.clear();
        s.company = company;
    }
    const QString id = sqlNumber(company), day = sqlNumber(date);
    QStringList errors;
    // One read fills a set of fields, each only when it is empty: what the user typed stays.
    auto fill = [&](const QString& query, const QStringList& names, const std::function<QStringList(const QVariantList&)>& split = {}) {
        bool needed = false;
        for (const QString& n : names)
            needed = needed || (s.values.value(n).isEmpty() && !s.edited.contains(n));
        if (!needed)
            return;
        sql::Cursor c = db.exec(query);
        if (!c.ok()) {
            errors << c.errorText();
            return;
        }
        if (!c.next()) {
            if (!c.ok())
                errors << c.errorText();
            return;
        }
        QVariantList row;
        for (int i = 0; i < c.columnCount(); ++i)
            row << c.value(i);
        const QStringList values = split ? split(row) : [&] {
            QStringList v;
            for (const QVariant& x : row)
                v << x.toString().trimmed();
            return v;
        }();
        for (int i = 0; i < names.size() && i < values.size(); ++i)
            if (s.values.value(names.at(i)).isEmpty() && !s.edited.contains(names.at(i)))
                s.values.insert(names.at(i), clipped(names.at(i), values.at(i).trimmed()));
    };
    fill(QStringLiteral("select nazwa_pelna from FIRMA where id_firmy =") + id, {QStringLiteral("PRN_FIRMA_NAZWA")});
    fill(QStringLiteral("select  dbo.tg_AdresFirmy(%1,%2,'S',1), dbo.tg_AdresFirmy(%1,%2,'S',2) from FIRMA where id_firmy =%1").arg(id, day),
         {QStringLiteral("PRN_FIRMA_ADRES1"), QStringLiteral("PRN_FIRMA_ADRES2")});
    fill(QStringLiteral("select regon from FIRMA where id_firmy=") + id,
         {QStringLiteral("PRN_FIRMA_REGON1"), QStringLiteral("PRN_FIRMA_REGON2")}, [](const QVariantList& row) {
             const QString regon = row.value(0).toString().trimmed();
             return QStringList{regon.left(9), regon.mid(9, 5)};
         });
    fill(QStringLiteral("select dbo.fn_fk_PobierzParamGlo(%1,'BeKodW'),dbo.fn_fk_PobierzParamGlo(%1,'BeKodP'),"
                        "dbo.fn_fk_PobierzParamGlo(%1,'BeKodG'),dbo.fn_fk_PobierzParamGlo(%1,'BeTypG'),"
                        "dbo.fn_fk_PobierzParamGlo(%1,'BeKodMSWiA')").arg(id),
         {QStringLiteral("PRN_FIRMA_KOD_WOJ"), QStringLiteral("PRN_FIRMA_KOD_POW"), QStringLiteral("PRN_FIRMA_KOD_GM"),
          QStringLiteral("PRN_FIRMA_TYP_GM"), QStringLiteral("PRN_FIRMA_CZESC")});
    fill(QStringLiteral("select top 1 wojewodztwo,powiat,gmina from ADRESY_FIRMY where id_firmy=%1 AND data_od<=%2 AND typ_adresu='S'"
                        " order by data_od asc").arg(id, day),
         {QStringLiteral("PRN_FIRMA_WOJEWODZTWO"), QStringLiteral("PRN_FIRMA_POWIAT"), QStringLiteral("PRN_FIRMA_GMINA")});
    return errors;
}

bool setBudgetHeaderField(const QString& name, const QString& value)
{
    const auto f = budgetHeaderField(name);
    if (!f)
        return false;
    Store& s = store();
    QMutexLocker locker(&s.lock);
    s.values.insert(QLatin1String(f->name), value.left(f->width));
    s.edited.insert(QLatin1String(f->name));
    return true;
}

BudgetHeaderValues budgetHeader()
{
    Store& s = store();
    QMutexLocker locker(&s.lock);
    BudgetHeaderValues v;
    v.company = s.company;
    v.formCode = s.formCode;
    for (const HeaderField& f : budgetHeaderFields())
        v.fields << qMakePair(QString::fromLatin1(f.name), s.values.value(QLatin1String(f.name)));
    return v;
}

void resetBudgetHeader()
{
    Store& s = store();
    QMutexLocker locker(&s.lock);
    s.company = -1;
    s.formCode.clear();
    s.values.clear();
    s.edited.clear();
}

void setBudgetHeaderWindow(BudgetHeaderWindow window)
{
    Store& s = store();
    QMutexLocker locker(&s.lock);
    s.window = std::move(window);
}

} // namespace statements

void BT_DANE_FIRMY(quint8 mode, DayNumber date, const QString& formCode)
{
    korda::Session& session = korda::session();
    for (const QString& e : statements::loadBudgetHeader(sql::Database::forThread(), session.DANE_ID_FIRMY, date, formCode))
        utilka::MSG_OST(e);
    if (mode != 1)
        return;
    statements::BudgetHeaderWindow window;
    {
        statements::Store& s = statements::store();
        QMutexLocker locker(&s.lock);
        window = s.window;
    }
    if (window)
        window();
    else if (qobject_cast<QApplication*>(QCoreApplication::instance()) && ui().interactive())
        statements::showBudgetHeaderWindow();
}

} // namespace pravik
