#include "siblings/xmlbud/BudgetXml.h"

#include "platform/Decimal.h"
#include "platform/sql/Database.h"
#include "platform/sql/Quote.h"
#include "siblings/korda/Session.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamWriter>

#include <algorithm>

namespace xmlbud {

namespace {

using pravik::Decimal;
using pravik::sql::sqlNumber;

const QString kNamespace = QStringLiteral("urn:pravik:sprawozdanie-budzetowe:1");

// XML 1.0 has no place for most control characters: they are dropped, tabs and line ends kept.
QString xmlSafe(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r')
            continue;
        if (u == 0xFFFE || u == 0xFFFF)
            continue;
        out += c;
    }
    return out;
}

QString isoDate(pravik::DayNumber day)
{
    return pravik::dateFromDay(day).toString(Qt::ISODate);
}

struct Section {
    qint64 id = 0;
    QString code, name;
    int columns = 0;
    QStringList captions;
};

} // namespace

QString sectionSortKey(const QString& code)
{
    static const QList<QPair<QChar, QStringList>> prefixes = {
        {u'a', {"Rb27ZZPozycje", "RbZTytulyDluzne", "RbZNTytulyDluzne", "Rb28SPozycje", "Rb28SPozycje70", "F01rzis"}},
        {u'b', {"RbZPoreczeniaGwarancje", "F01aoit"}},
        {u'c', {"RbZKredytyPozyczki", "F01wzfm"}},
        {u'd', {"RbZZawarteUmowy", "F01stwb"}},
        {u'e', {"F01nnbuinst"}},
        {u'f', {"F01l"}}};
    const QString c = code.trimmed();
    for (const auto& p : prefixes)
        for (const QString& s : p.second)
            if (s.compare(c, Qt::CaseInsensitive) == 0)
                return p.first + c;
    return c;
}

XmlResult EXPORTXMLSPRBUDZET(const QString& text1, qint32 groupId, qint32 periodYear, const QString& periodKind,
                             quint8 periodNumber, pravik::DayNumber printDate, quint8 correction, const QString& filePath)
{
    const korda::Session& session = korda::session();
    auto failed = [](const QString& why) { return XmlResult{false, why}; };
    if (filePath.trimmed().isEmpty())
        return failed(QStringLiteral("Nie podano pliku eksportu."));
    if (periodKind != QLatin1String("Kwartal") && periodKind != QLatin1String("Miesiac"))
        return failed(QStringLiteral("Nieznany rodzaj okresu \"%1\" (Kwartal lub Miesiac).").arg(periodKind));
    if (periodNumber < 1 || periodNumber > (periodKind == QLatin1String("Kwartal") ? 4 : 12))
        return failed(QStringLiteral("Niepoprawny numer okresu %1.").arg(periodNumber));
    auto& db = pravik::sql::Database::forThread();
    const QString company = sqlNumber(session.DANE_ID_FIRMY), user = sqlNumber(session.DANE_ID_UZYTKOWNIKA_NR);

    pravik::sql::Cursor g = db.exec(QStringLiteral("select nazwa, typ, predef from ZESTAW_GRUPA where id_zestaw_grupa=%1 AND id_firmy=%2")
                                        .arg(sqlNumber(groupId), company));
    if (!g.next())
        return failed(g.ok() ? QStringLiteral("Firma %1 nie ma grupy sprawozdań %2.").arg(company).arg(groupId) : g.errorText());
    const QString groupName = g.value(0).toString().trimmed(), formCode = g.value(1).toString().trimmed();
    if (g.value(2).toInt() != 1 || formCode.isEmpty())
        return failed(QStringLiteral("Do XML eksportuje się tylko sprawozdania budżetowe (grupy predefiniowane); "
                                     "grupa \"%1\" nim nie jest.").arg(groupName));
    g.close();

    QStringList labelCols;
    for (int c = 0; c <= 20; ++c)
        labelCols << QStringLiteral("etykieta_%1").arg(c);
    QList<Section> sections;
    pravik::sql::Cursor n = db.exec(QStringLiteral("select id_zestaw_nag, wariant, nazwa, ilosc_kolumn, %1 from ZESTAW_NAG"
                                                   " where id_zestaw_grupa=%2 AND id_firmy=%3 order by wariant asc, id_zestaw_nag")
                                        .arg(labelCols.join(QLatin1Char(',')), sqlNumber(groupId), company));
    while (n.next()) {
        Section s{n.value(0).toLongLong(), n.value(1).toString().trimmed(), n.value(2).toString().trimmed(),
                  qBound(1, n.value(3).toInt(), 20), {}};
        for (int c = 0; c <= 20; ++c)
            s.captions << n.value(4 + c).toString().trimmed();
        sections << s;
    }
    if (!n.ok())
        return failed(n.errorText());
    n.close();
    if (sections.isEmpty())
        return failed(QStringLiteral("Grupa \"%1\" nie ma sprawozdań.").arg(groupName));
    std::stable_sort(sections.begin(), sections.end(), [](const Section& a, const Section& b) {
        return sectionSortKey(a.code).compare(sectionSortKey(b.code), Qt::CaseInsensitive) < 0;
    });

    // The unit's header as the database holds it.
    QStringList unit(11);
    {
        pravik::sql::Cursor f = db.exec(QStringLiteral("select nazwa_pelna, regon, dbo.tg_AdresFirmy(%1,%2,'S',1), dbo.tg_AdresFirmy(%1,%2,'S',2),"
                                                       " dbo.fn_fk_PobierzParamGlo(%1,'BeKodW'), dbo.fn_fk_PobierzParamGlo(%1,'BeKodP'),"
                                                       " dbo.fn_fk_PobierzParamGlo(%1,'BeKodG'), dbo.fn_fk_PobierzParamGlo(%1,'BeTypG'),"
                                                       " dbo.fn_fk_PobierzParamGlo(%1,'BeKodMSWiA') from FIRMA where id_firmy=%1")
                                            .arg(company, sqlNumber(printDate > 0 ? printDate : pravik::today())));
        if (!f.next())
            return failed(f.ok() ? QStringLiteral("Brak firmy %1.").arg(company) : f.errorText());
        for (int i = 0; i < 9; ++i)
            unit[i] = f.value(i).toString().trimmed();
    }
    const QString separator = session.GGG_BT_SEPARATOR.isEmpty() ? QStringLiteral("-") : session.GGG_BT_SEPARATOR;

    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return failed(QStringLiteral("Nie można zapisać pliku %1: %2").arg(QDir::toNativeSeparators(filePath), file.errorString()));
    QXmlStreamWriter x(&file);
    x.setAutoFormatting(true);
    x.writeStartDocument();
    x.writeDefaultNamespace(kNamespace);
    x.writeStartElement(kNamespace, QStringLiteral("SprawozdanieBudzetowe"));
    x.writeAttribute(QStringLiteral("wersja"), QStringLiteral("1"));
    x.writeStartElement(kNamespace, QStringLiteral("Naglowek"));
    x.writeTextElement(kNamespace, QStringLiteral("KodFormularza"), xmlSafe(formCode));
    x.writeTextElement(kNamespace, QStringLiteral("NazwaFormularza"), xmlSafe(groupName));
    x.writeEmptyElement(kNamespace, QStringLiteral("Okres"));
    x.writeAttribute(QStringLiteral("rodzaj"), periodKind);
    x.writeAttribute(QStringLiteral("numer"), QString::number(periodNumber));
    x.writeAttribute(QStringLiteral("rok"), QString::number(periodYear));
    x.writeTextElement(kNamespace, QStringLiteral("DataSporzadzenia"), isoDate(printDate > 0 ? printDate : pravik::today()));
    x.writeTextElement(kNamespace, QStringLiteral("Korekta"), QString::number(correction));
    if (!text1.trimmed().isEmpty())
        x.writeTextElement(kNamespace, QStringLiteral("Uwagi"), xmlSafe(text1));
    x.writeStartElement(kNamespace, QStringLiteral("Jednostka"));
    const QStringList unitTags = {"Nazwa", "Regon", "Adres1", "Adres2", "KodWojewodztwa", "KodPowiatu", "KodGminy", "TypGminy",
                                  "KodMSWiA"};
    for (int i = 0; i < unitTags.size(); ++i)
        x.writeTextElement(kNamespace, unitTags.at(i), xmlSafe(unit.at(i)));
    x.writeEndElement(); // Jednostka
    x.writeEndElement(); // Naglowek

    for (const Section& s : sections) {
        x.writeStartElement(kNamespace, QStringLiteral("Sekcja"));
        x.writeAttribute(QStringLiteral("kod"), xmlSafe(s.code));
        x.writeAttribute(QStringLiteral("nazwa"), xmlSafe(s.name));
        x.writeAttribute(QStringLiteral("kolumn"), QString::number(s.columns));
        for (int c = 1; c <= s.columns; ++c) {
            x.writeEmptyElement(kNamespace, QStringLiteral("Kolumna"));
            x.writeAttribute(QStringLiteral("numer"), QString::number(c));
            x.writeAttribute(QStringLiteral("etykieta"), xmlSafe(s.captions.value(c)));
        }
        QStringList kols;
        for (int c = 1; c <= s.columns; ++c)
            kols << QStringLiteral("kol%1").arg(c);
        pravik::sql::Cursor r = db.exec(QStringLiteral("select lp, poziom, symbol, opis, arg1, %1 from ZESTAW_ZESTAW where id_zestaw_nag=%2"
                                                       " AND id_uzytkownika=%3 AND wariant_zestaw=1 order by lp")
                                            .arg(kols.join(QLatin1Char(',')), sqlNumber(s.id), user));
        while (r.next()) {
            x.writeStartElement(kNamespace, QStringLiteral("Wiersz"));
            x.writeAttribute(QStringLiteral("lp"), QString::number(r.value(0).toLongLong()));
            x.writeAttribute(QStringLiteral("poziom"), QString::number(r.value(1).toInt()));
            const QString symbol = r.value(2).toString().trimmed(), element = r.value(4).toString().trimmed();
            if (!symbol.isEmpty())
                x.writeAttribute(QStringLiteral("symbol"), xmlSafe(symbol));
            if (!element.isEmpty()) {
                // A classification row: dział, rozdział and paragraf as the unit separates them.
                x.writeAttribute(QStringLiteral("klasyfikacja"), xmlSafe(element));
                const QStringList parts = element.split(separator);
                const QStringList names = {"dzial", "rozdzial", "paragraf"};
                for (int i = 0; i < names.size() && i < parts.size() && parts.size() >= 3; ++i)
                    x.writeAttribute(names.at(i), xmlSafe(parts.at(i)));
            }
            x.writeTextElement(kNamespace, QStringLiteral("Opis"), xmlSafe(r.value(3).toString().trimmed()));
            for (int c = 1; c <= s.columns; ++c) {
                x.writeStartElement(kNamespace, QStringLiteral("Kwota"));
                x.writeAttribute(QStringLiteral("kolumna"), QString::number(c));
                x.writeCharacters(Decimal::fromVariant(r.value(4 + c)).value_or(Decimal()).toString());
                x.writeEndElement();
            }
            x.writeEndElement(); // Wiersz
        }
        if (!r.ok()) {
            file.cancelWriting();
            return failed(r.errorText());
        }
        x.writeEndElement(); // Sekcja
    }
    x.writeEndElement();
    x.writeEndDocument();
    if (x.hasError() || !file.commit())
        return failed(QStringLiteral("Nie można zapisać pliku %1: %2").arg(QDir::toNativeSeparators(filePath), file.errorString()));
    return {true, QStringLiteral("Zapisano sprawozdanie %1 do pliku %3 (liczba sekcji: %2).")
                      .arg(groupName).arg(sections.size()).arg(QDir::toNativeSeparators(filePath))};
}

} // namespace xmlbud
