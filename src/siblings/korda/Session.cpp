#include "siblings/korda/Session.h"
#include "siblings/korda/PreviewFileQueue.h"
#include "siblings/korda/TemporaryRoot.h"

#include "platform/sql/Database.h"
#include "siblings/korda/PassThrough.h"

#include <QDate>
#include <QDir>
#include <QRegularExpression>

#include <functional>
#include <type_traits>
#include <vector>

namespace korda {

Session& session()
{
    thread_local Session instance;
    return instance;
}

void releaseThread()
{
    closeAllPassThrough();
    pravik::sql::Database::releaseThread();
}

qint64 MarkedRecord::key() const
{
    const std::optional<pravik::Decimal> d = pravik::Decimal::parse(value);
    return d ? d->units() : 0;
}

pravik::Decimal MarkedRecord::amount() const
{
    return pravik::Decimal::parse(value).value_or(pravik::Decimal());
}

namespace {

// ---- conversions between a global's type and its text ----

bool readLong(const QString& text, qint32& out)
{
    bool ok = false;
    const qint32 v = text.trimmed().toInt(&ok);
    if (ok)
        out = v;
    return ok;
}

bool readByte(const QString& text, quint8& out)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < 0 || v > 255)
        return false;
    out = static_cast<quint8>(v);
    return true;
}

bool readDate(const QString& text, DayNumber& out)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        out = 0;
        return true;
    }
    bool isNumber = false;
    const qint32 n = t.toInt(&isNumber);
    if (isNumber) {
        if (n < 0)
            return false;
        out = n;
        return true;
    }
    static const QRegularExpression dmy(QStringLiteral("^(\\d{1,2})-(\\d{1,2})-(\\d{4})$"));
    static const QRegularExpression ymd(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    DayNumber day = 0;
    if (const auto m = dmy.match(t); m.hasMatch())
        day = pravik::dayFromYmd(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    else if (const auto m2 = ymd.match(t); m2.hasMatch())
        day = pravik::dayFromYmd(m2.captured(1).toInt(), m2.captured(2).toInt(), m2.captured(3).toInt());
    if (day <= 0)
        return false;
    out = day;
    return true;
}

enum class Kind { Long, Byte, Date, Text };

struct Binding {
    QString name;
    Kind kind;
    std::function<QString(const Session&)> get;
    std::function<bool(Session&, const QString&)> set;
};

template <typename Member>
Binding bind(const char* name, Kind kind, Member member)
{
    Binding b{QString::fromLatin1(name), kind, {}, {}};
    b.get = [member, kind](const Session& s) -> QString {
        const auto& v = std::invoke(member, s);
        if constexpr (std::is_integral_v<std::decay_t<decltype(v)>>) {
            Q_UNUSED(kind);
            return QString::number(v);
        } else {
            return QString(v);
        }
    };
    b.set = [member, kind](Session& s, const QString& text) -> bool {
        auto& v = std::invoke(member, s);
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, quint8>) {
            return readByte(text, v);
        } else if constexpr (std::is_same_v<T, qint32>) {
            return kind == Kind::Date ? readDate(text, v) : readLong(text, v);
        } else {
            v = text;
            return true;
        }
    };
    return b;
}

#define KORDA_LONG(name, member) bind(name, Kind::Long, [](auto& s) -> auto& { return s.member; })
#define KORDA_BYTE(name, member) bind(name, Kind::Byte, [](auto& s) -> auto& { return s.member; })
#define KORDA_DATE(name, member) bind(name, Kind::Date, [](auto& s) -> auto& { return s.member; })
#define KORDA_TEXT(name, member) bind(name, Kind::Text, [](auto& s) -> auto& { return s.member; })

std::vector<Binding> makeBindings()
{
    std::vector<Binding> t{
        KORDA_LONG("DANE_ID_FIRMY", DANE_ID_FIRMY),
        KORDA_LONG("DANE_ID_UZYTKOWNIKA_NR", DANE_ID_UZYTKOWNIKA_NR),
        KORDA_TEXT("DANE_ID_UZYT", DANE_ID_UZYT),
        KORDA_LONG("DANE_LATA_OBROTOWE", DANE_LATA_OBROTOWE),
        KORDA_TEXT("DANE_LATA_OBROT_NAZWA", DANE_LATA_OBROT_NAZWA),
        KORDA_DATE("DANE_POCZATEK_ROKU", DANE_POCZATEK_ROKU),
        KORDA_DATE("DANE_KONIEC_ROKU", DANE_KONIEC_ROKU),
        KORDA_DATE("DANE_DATA_OKRESU", DANE_DATA_OKRESU),
        KORDA_DATE("DANE_DATA_BIEZACA", DANE_DATA_BIEZACA),
        KORDA_DATE("DANE_DATA_WYDRUKU", DANE_DATA_WYDRUKU),
        KORDA_TEXT("DANE_NAZWA_FIRMY", DANE_NAZWA_FIRMY),
        KORDA_TEXT("DANE_ADRES1_FIRMY", DANE_ADRES1_FIRMY),
        KORDA_TEXT("DANE_ADRES2_FIRMY", DANE_ADRES2_FIRMY),
        KORDA_TEXT("DANE_NIP_FIRMY", DANE_NIP_FIRMY),
        KORDA_TEXT("DANE_NAGLOWEK_STRONY", DANE_NAGLOWEK_STRONY),
        KORDA_TEXT("DANE_NAGLOWEK_WYDRUKU", DANE_NAGLOWEK_WYDRUKU),
        KORDA_BYTE("DANE_DRUKARKA_EKRAN", DANE_DRUKARKA_EKRAN),
        KORDA_BYTE("DANE_RODZAJ_WYDRUKU", DANE_RODZAJ_WYDRUKU),
        KORDA_TEXT("DANE_NAZWA_DRUKARKI", DANE_NAZWA_DRUKARKI),
        KORDA_BYTE("DANE_WYLACZ_SZAROSC", DANE_WYLACZ_SZAROSC),
        KORDA_TEXT("DANE_SEPARATOR_MPK", DANE_SEPARATOR_MPK),
        KORDA_TEXT("DANE_AKTYWNA_WALUTA", DANE_AKTYWNA_WALUTA),
        KORDA_TEXT("DANE_NUMER_KONTA", DANE_NUMER_KONTA),
        KORDA_BYTE("DANE_STATUS_WYBORU", DANE_STATUS_WYBORU),
        KORDA_TEXT("DANE_WERSJA_SERWERA", DANE_WERSJA_SERWERA),
        KORDA_BYTE("DANE_CZY_ZAZNACZONE", DANE_CZY_ZAZNACZONE),
        KORDA_BYTE("DANE_CZY_WERSJA_MPK", DANE_CZY_WERSJA_MPK),
        KORDA_BYTE("DANE_CZY_WERSJA_BUDZET", DANE_CZY_WERSJA_BUDZET),
        KORDA_LONG("GGG:WERSJA_DLA_KRAB_PRIORYTET", GGG_WERSJA_DLA_KRAB_PRIORYTET),
        KORDA_BYTE("DANE_DRUKUJ_PODSUMOWANIE", DANE_DRUKUJ_PODSUMOWANIE),
        KORDA_BYTE("DANE_DRUKUJ_TYLKO_PODSUMOWANIE", DANE_DRUKUJ_TYLKO_PODSUMOWANIE),
        KORDA_BYTE("DANE_DRUKUJ_ZAPISY_MPK", DANE_DRUKUJ_ZAPISY_MPK),
        KORDA_BYTE("DANE_PRN_BT_DRUKUJ", DANE_PRN_BT_DRUKUJ),
        KORDA_BYTE("GGG:NUMCOPY", GGG_NUMCOPY),
        KORDA_BYTE("GGG:PRN_KRS", GGG_PRN_KRS),
        KORDA_TEXT("GGG:PRN_NAGLOWEK_2", GGG_PRN_NAGLOWEK_2),
        KORDA_BYTE("GGG:EMAILPDF", GGG_EMAILPDF),
        KORDA_BYTE("GGG:EMAILPDFSAVEAS", GGG_EMAILPDFSAVEAS),
        KORDA_BYTE("GGG:PRN_EXPORT_XML", GGG_PRN_EXPORT_XML),
        KORDA_BYTE("GGG:PARAMETR_UZ_GRAFIKA", GGG_PARAMETR_UZ_GRAFIKA),
        KORDA_BYTE("GGG:SERWIS_UKRYJ_OPISY_WYDRUKU", GGG_SERWIS_UKRYJ_OPISY_WYDRUKU),
        KORDA_TEXT("GGG:PROGRAMPATH", GGG_PROGRAMPATH),
        KORDA_TEXT("GGG:HELP_PLIK", GGG_HELP_PLIK),
        KORDA_TEXT("GLO:LOCALPATH", GLO_LOCALPATH),
        KORDA_TEXT("GLO:CUTEMP", GLO_CUTEMP),
        KORDA_TEXT("GLO:EMAILADRESS", GLO_EMAILADRESS),
        KORDA_TEXT("GGG:CUDOCUMENTS", GGG_CUDOCUMENTS),
        KORDA_TEXT("GGG:SCIEZKA_SET", GGG_SCIEZKA_SET),
        KORDA_DATE("GGG:BAZAKRES_DAT_1", GGG_BAZAKRES_DAT[0]),
        KORDA_DATE("GGG:BAZAKRES_DAT_2", GGG_BAZAKRES_DAT[1]),
        KORDA_LONG("GGG:BAZAKRES_IDROKU", GGG_BAZAKRES_IDROKU),
        KORDA_TEXT("GGG:BT_SEPARATOR", GGG_BT_SEPARATOR),
        KORDA_TEXT("GGG:PRN_AKTYWNA_WALUTA", GGG_PRN_AKTYWNA_WALUTA),
    };
    for (int i = 0; i < 11; ++i) {
        const QByteArray name = "GGG:SPEC_EKSPORT_" + QByteArray::number(i + 1);
        t.push_back(bind(name.constData(), Kind::Text,
                         [i](auto& s) -> auto& { return s.GGG_SPEC_EKSPORT[static_cast<size_t>(i)]; }));
    }
    return t;
}

#undef KORDA_LONG
#undef KORDA_BYTE
#undef KORDA_DATE
#undef KORDA_TEXT

const std::vector<Binding>& bindings()
{
    static const std::vector<Binding> table = makeBindings();
    return table;
}

const Binding* find(QStringView name)
{
    QString wanted = name.trimmed().toString().toUpper();
    // "GGG_NUMCOPY" for "GGG:NUMCOPY": no global of the host starts with "GGG_" or "GLO_".
    if (wanted.startsWith(QLatin1String("GGG_")) || wanted.startsWith(QLatin1String("GLO_")))
        wanted[3] = QLatin1Char(':');
    for (const Binding& b : bindings())
        if (b.name == wanted)
            return &b;
    return nullptr;
}

} // namespace

bool setGlobal(QStringView name, const QString& value, Session& s)
{
    const Binding* b = find(name);
    return b && b->set(s, value);
}

QString global(QStringView name, const Session& s)
{
    const Binding* b = find(name);
    return b ? b->get(s) : QString();
}

bool isGlobal(QStringView name)
{
    return find(name) != nullptr;
}

namespace {

QString queueKey(QStringView queue)
{
    QString key = queue.trimmed().toString().toUpper();
    if (key.startsWith(QLatin1String("GGG_")))
        key[3] = QLatin1Char(':');
    return key;
}

} // namespace

bool addToQueue(QStringView queue, const QString& value, Session& s)
{
    const QString key = queueKey(queue);
    if (key == QLatin1String("DANE_OPIS_PRN"))
        s.DANE_OPIS_PRN.add(value);
    else if (key == QLatin1String("DANE_ZAZNACZ_REK"))
        s.DANE_ZAZNACZ_REK.append(MarkedRecord{value.trimmed()});
    else if (key == QLatin1String("DANE_KOLEJKA_VAX"))
        s.DANE_KOLEJKA_VAX.add(value);
    else if (key == QLatin1String("PRINTPREVIEWFILEQUEUE"))
        previewFileQueue().append(value);
    else
        return false;
    return true;
}

bool clearQueue(QStringView queue, Session& s)
{
    const QString key = queueKey(queue);
    if (key == QLatin1String("DANE_OPIS_PRN"))
        s.DANE_OPIS_PRN.clear();
    else if (key == QLatin1String("DANE_ZAZNACZ_REK"))
        s.DANE_ZAZNACZ_REK.clear();
    else if (key == QLatin1String("DANE_KOLEJKA_VAX"))
        s.DANE_KOLEJKA_VAX.clear();
    else if (key == QLatin1String("PRINTPREVIEWFILEQUEUE"))
        previewFileQueue().clear();
    else if (key == QLatin1String("DANE_KOLEJKA_UNIWERS"))
        s.DANE_KOLEJKA_UNIWERS.clear();
    else if (key == QLatin1String("GGG:XML_Q"))
        s.GGG_XML_Q.clear();
    else
        return false;
    return true;
}

QString temporaryRoot()
{
    const QString cutemp = session().GLO_CUTEMP.trimmed();
    return cutemp.isEmpty() ? QDir::tempPath() : QDir::fromNativeSeparators(cutemp);
}

QStringList& previewFileQueue()
{
    thread_local QStringList queue;
    return queue;
}

QStringList globalNames()
{
    QStringList names;
    for (const Binding& b : bindings())
        names.append(b.name);
    return names;
}

} // namespace korda
